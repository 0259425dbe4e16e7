#pragma once
#include "sim/meter_simulator.h"

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QStringList>
#include <optional>

namespace sim {

// rlc-sim's commands, read from a descriptor (its standard input) one per line:
//   unplug              the dongle vanishes as if pulled out
//   replug              it comes back on a fresh device, behind the same stable link
//   deliver normal      one write per frame, the other ways off
//   deliver paired      two frames in one write
//   deliver split N     every write cut after N bytes, the rest a moment later
//   deliver garbage     stray bytes ahead of the frames in each write
// The deliver ways add up until "deliver normal". Each command is answered with one line
// on standard output, a line that is not a command with one on standard error. When the
// input ends the simulator runs on.
class ConsoleCommands : public QObject {
    Q_OBJECT
public:
    // A frame trailer with no frame before it, then a noise byte.
    static inline const QByteArray kStrayBytes = QByteArrayLiteral("\x31\x0A\xFF");

    ConsoleCommands(MeterSimulator& simulator, int inputDescriptor);

private:
    void readInput();
    void execute(const QString& line);
    // What the command did, or nullopt when the words are not a command.
    std::optional<QString> run(const QStringList& words);

    MeterSimulator& m_simulator;
    QSocketNotifier m_inputNotifier;
    QByteArray m_pendingLine;
};

} // namespace sim
