#pragma once
#include <QByteArray>
#include <QString>

namespace sim {

// A pseudo-terminal pair in raw mode. The master side is ours; the slave path is the
// "serial port" the program opens. We keep one slave descriptor open ourselves (never read
// from it), so the master does not report a hang-up whenever the program closes its port,
// and nothing is echoed or translated whatever the program's terminal settings were.
class PseudoTerminal {
public:
    // Throws std::system_error when the system refuses a pseudo-terminal.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int masterDescriptor() const { return m_master; }
    QString slavePath() const { return m_slavePath; }

    // Everything the program has written so far, without waiting.
    QByteArray readAvailable();
    // Sends the bytes as one write, as a device would deliver them in one burst; whatever
    // does not fit because nobody reads the slave is lost, like on a real line.
    void write(const QByteArray& bytes);
    // While held, what the program writes waits on its side, as flow control holds a line:
    // its writes take nothing and its port never becomes writable. Throws std::system_error
    // when the system refuses.
    void holdProgramOutput(bool held);

private:
    void closeAll();

    int m_master = -1;
    int m_slaveKeepAlive = -1;
    QString m_slavePath;
};

} // namespace sim
