#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QTemporaryDir;

namespace sim {

class PluggedSession;

// The dongle's serial device as the system shows it: a pseudo-terminal while plugged in,
// nothing at all while unplugged, like a USB serial adapter pulled out and put back.
//
// Device nodes change on every plug-in, so a symbolic link at stablePath() names the
// current one; it exists only while plugged in. Unplugging closes both our descriptors of
// the pseudo-terminal, so a program that still holds the old device open sees it hang up
// (reads and writes fail with EIO, poll reports POLLHUP).
class PluggablePort : public QObject {
    Q_OBJECT
public:
    // Plugs in at once. The link is kept at linkPath, replacing a link left there; with no
    // path, in a temporary folder of our own that goes when this port does. Throws
    // std::system_error when no pseudo-terminal can be had or the link cannot be made
    // (also when linkPath names something that is not a link).
    explicit PluggablePort(const QString& linkPath = {}, QObject* parent = nullptr);
    ~PluggablePort() override;

    bool isPluggedIn() const { return m_session != nullptr; }
    QString stablePath() const { return m_stablePath; }
    // The current device node; empty while unplugged.
    QString slavePath() const;

    // A fresh pseudo-terminal, and the link pointed at it. Nothing happens while plugged in.
    // Throws like the constructor.
    void plugIn();
    // Removes the link and closes the pseudo-terminal; bytes waiting in writeAfter are lost.
    void unplug();

    // Sends the bytes as one write. Returns false, having sent nothing, while unplugged.
    bool write(const QByteArray& bytes);
    // Sends the bytes as one write after the delay, then calls whenWritten. Unplugging in
    // between cancels both.
    void writeAfter(int delayMs, const QByteArray& bytes, const std::function<void()>& whenWritten);
    // Whether the device takes what the program writes; a device plugged in later takes
    // bytes or not as set last. Throws std::system_error when the system refuses.
    void setTakingBytes(bool taking);

signals:
    // What the program wrote, as it arrived.
    void received(const QByteArray& bytes);

private:
    void readFromProgram();

    std::unique_ptr<QTemporaryDir> m_ownLinkFolder;
    QString m_stablePath;
    std::unique_ptr<PluggedSession> m_session;
    bool m_takingBytes = true;
};

} // namespace sim
