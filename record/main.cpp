// rlc-record: the logger without a window. Answers the command line, loads the chosen part,
// then records until the count, the duration, Ctrl-C or SIGTERM ends it; the exit code
// says how it ended (see record/record_error.h).
#include "platform/termination_signals.h"
#include "platform/program_arguments.h"
#include "record/chosen_part.h"
#include "record/console.h"
#include "record/record_error.h"
#include "record/record_options.h"
#include "record/recorder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <optional>
#include <cstdio>
#include <system_error>
#include <unistd.h>

namespace {

// On a terminal, unless the rows go to the same one: a progress line rewritten between
// them would mix with them.
bool showsProgress(const record::RecordOptions& options)
{
    const bool rowsOnATerminal = options.rowsGoToStandardOutput() && ::isatty(STDOUT_FILENO) == 1;
    return ::isatty(STDERR_FILENO) == 1 && !rowsOnATerminal;
}

int recordUntilTheEnd(int argc, char** argv, const record::RecordOptions& options, record::Console& console)
{
    std::optional<recording::PartRecord> part;
    if (!options.profilePath.isEmpty())
        part = record::LoadChosenPart(options.profilePath, options.partNumber);
    std::optional<bins::BinTable> binTable;
    if (!options.binTablePath.isEmpty())
        binTable = record::LoadChosenBinTable(options.binTablePath);
    const platform::TerminationSignals terminationSignals;
    QCoreApplication application(argc, argv);
    // A reader that goes away is a write that fails, said and ended like any other.
    std::signal(SIGPIPE, SIG_IGN);

    record::Recorder recorder(options, part, binTable, console);
    QSocketNotifier termination(terminationSignals.descriptor(), QSocketNotifier::Read);
    QObject::connect(&termination, &QSocketNotifier::activated, &recorder, [&] {
        termination.setEnabled(false); // the signal stays unread: it would be reported again and again
        recorder.end(record::Done);
    });
    // The recording may end before the event loop runs (a file that cannot be written, no
    // dongle), when asking the loop to stop would be lost.
    std::optional<int> exitCode;
    QObject::connect(&recorder, &record::Recorder::finished, &application, [&exitCode](int code) {
        exitCode = code;
        QCoreApplication::exit(code);
    });
    recorder.begin();
    return exitCode ? *exitCode : QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    const QStringList arguments = ProgramArguments(argc, argv);
    const auto read = record::ReadRecordOptions(arguments, qEnvironmentVariable("RLC_DATABASE"));
    if (const auto* answer = std::get_if<record::CommandLineAnswer>(&read)) {
        std::fputs(answer->text.toUtf8().constData(), answer->exitCode == record::Done ? stdout : stderr);
        return answer->exitCode;
    }
    const auto& options = std::get<record::RecordOptions>(read);
    record::Console console(stderr, QFileInfo(arguments.first()).fileName(), showsProgress(options));
    try {
        return recordUntilTheEnd(argc, argv, options, console);
    } catch (const record::RecordError& error) {
        console.say(error.message());
        return error.code();
    } catch (const std::system_error& error) {
        // The system refused to hand over the termination signals, which Linux grants.
        console.say(QString::fromLocal8Bit(error.what()));
        return record::UsageError;
    }
}
