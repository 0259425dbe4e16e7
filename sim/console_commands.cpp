#include "sim/console_commands.h"

#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <system_error>
#include <unistd.h>

namespace sim {
namespace {

constexpr int kInputChunk = 4096;
const QString kUsage = QStringLiteral("unplug, replug, deliver normal|paired|split N|garbage");

void answer(std::FILE* stream, const QString& line)
{
    std::fprintf(stream, "%s\n", qPrintable(line));
    std::fflush(stream);
}

QString describe(const FrameDelivery& delivery)
{
    QStringList ways;
    if (delivery.paired)
        ways << QStringLiteral("paired");
    if (delivery.splitAt > 0)
        ways << QStringLiteral("split %1").arg(delivery.splitAt);
    if (!delivery.strayBefore.isEmpty())
        ways << QStringLiteral("garbage");
    return QStringLiteral("delivery: ") + (ways.isEmpty() ? QStringLiteral("normal") : ways.join(QStringLiteral(", ")));
}

// The delivery after "deliver <way>"; nullopt when the words name no way.
std::optional<FrameDelivery> changedDelivery(FrameDelivery delivery, const QStringList& way)
{
    bool isNumber = false;
    const int splitAt = way.value(1).toInt(&isNumber);
    if (way == QStringList{QStringLiteral("normal")})
        delivery = FrameDelivery();
    else if (way == QStringList{QStringLiteral("paired")})
        delivery.paired = true;
    else if (way == QStringList{QStringLiteral("garbage")})
        delivery.strayBefore = ConsoleCommands::kStrayBytes;
    else if (way.size() == 2 && way.first() == QStringLiteral("split") && isNumber && splitAt > 0)
        delivery.splitAt = splitAt;
    else
        return std::nullopt;
    return delivery;
}

} // namespace

ConsoleCommands::ConsoleCommands(MeterSimulator& simulator, int inputDescriptor) :
    QObject(&simulator), m_simulator(simulator), m_inputNotifier(inputDescriptor, QSocketNotifier::Read)
{
    connect(&m_inputNotifier, &QSocketNotifier::activated, this, &ConsoleCommands::readInput);
}

void ConsoleCommands::readInput()
{
    char chunk[kInputChunk];
    const ssize_t count = ::read(int(m_inputNotifier.socket()), chunk, sizeof chunk);
    if (count < 0 && errno == EINTR)
        return;
    if (count <= 0) {
        m_inputNotifier.setEnabled(false); // the input has ended (or failed): run on without it
        return;
    }
    m_pendingLine.append(chunk, count);
    for (qsizetype end = m_pendingLine.indexOf('\n'); end >= 0; end = m_pendingLine.indexOf('\n')) {
        execute(QString::fromLocal8Bit(m_pendingLine.left(end)).trimmed());
        m_pendingLine.remove(0, end + 1);
    }
}

void ConsoleCommands::execute(const QString& line)
{
    const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return;
    try {
        if (const std::optional<QString> done = run(words))
            answer(stdout, *done);
        else
            answer(stderr, QStringLiteral("rlc-sim: not a command: %1 (%2)").arg(line, kUsage));
    } catch (const std::system_error& error) {
        answer(stderr, QStringLiteral("rlc-sim: ") + QString::fromLocal8Bit(error.what()));
    }
}

std::optional<QString> ConsoleCommands::run(const QStringList& words)
{
    if (words == QStringList{QStringLiteral("unplug")}) {
        m_simulator.unplug();
        return QStringLiteral("unplugged");
    }
    if (words == QStringList{QStringLiteral("replug")}) {
        m_simulator.replug();
        return QStringLiteral("plugged in: ") + m_simulator.slavePath();
    }
    if (words.first() != QStringLiteral("deliver"))
        return std::nullopt;
    const std::optional<FrameDelivery> delivery = changedDelivery(m_simulator.frameDelivery(), words.mid(1));
    if (!delivery)
        return std::nullopt;
    m_simulator.setFrameDelivery(*delivery);
    return describe(*delivery);
}

} // namespace sim
