// The command line of rlc-record. Every line is answered at once (help, the version, or a
// mistake said in words) or read into options a recording can keep: an option given is
// honoured or refused, the lengths of time fit the recorder's timers, and the options
// written back as a command line read as the same options.
//
// The input: the arguments after the program's name, parted by NUL bytes.
#include "fuzz/command_line_input.h"
#include "fuzz/fuzz_property.h"
#include "meter/report_interval.h"
#include "record/record_error.h"
#include "record/record_options.h"

#include <QCommandLineParser>

#include <cstdint>

namespace {

using fuzz::require;
using record::RecordOptions;
using std::chrono::milliseconds;

const QString kProgram = QStringLiteral("rlc-record");
constexpr qint64 kMillisecondsPerSecond = 1000;
constexpr int kMillisecondDigits = 3;

QString shownArguments(const QStringList& arguments)
{
    return u'[' + arguments.join(QStringLiteral("] [")) + u']';
}

void requireAnswerSaysItAll(const record::CommandLineAnswer& answer, const QStringList& arguments)
{
    const auto details = [&] { return shownArguments(arguments) + QStringLiteral(": ") + answer.text; };
    if (answer.exitCode == record::Done) {
        require(answer.text.startsWith(QStringLiteral("Usage: ") + kProgram + QStringLiteral(" [options]\n"))
                    || answer.text.startsWith(kProgram + u' '),
                "rlc-record answers with its help or its version", details);
        return;
    }
    require(answer.exitCode == record::UsageError, "a wrong command line ends with the usage exit code", details);
    require(
        answer.text.startsWith(kProgram + QStringLiteral(": "))
            && answer.text.endsWith(QStringLiteral("Try '") + kProgram + QStringLiteral(" --help' for the options.\n"))
            && answer.text.size() > 2 * kProgram.size() + 40,
        "a mistake is said in words, with where to find the options", details);
}

// The options that name a file or a port, as the command line may give them.
struct NamingOption {
    QStringList names;
    QString RecordOptions::*field;
};

const QList<NamingOption>& namingOptions()
{
    static const QList<NamingOption> options{
        {{QStringLiteral("p"), QStringLiteral("port")}, &RecordOptions::port},
        {{QStringLiteral("profile")}, &RecordOptions::profilePath},
        {{QStringLiteral("bins")}, &RecordOptions::binTablePath},
        {{QStringLiteral("csv")}, &RecordOptions::csvPath},
        {{QStringLiteral("xlsx")}, &RecordOptions::xlsxPath},
    };
    return options;
}

// A file or port the command line names is the one the recording uses.
void requireNamedOptionsHonoured(const RecordOptions& options, const QStringList& arguments)
{
    QCommandLineParser given;
    for (const NamingOption& option : namingOptions())
        given.addOption(QCommandLineOption(option.names, QString(), QStringLiteral("name")));
    for (const char* name :
         {"h", "help", "v", "version", "part", "interval", "n", "count", "d", "duration", "link-timeout"})
        given.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    given.addOption(QCommandLineOption(QStringLiteral("jsonl")));
    if (!given.parse(arguments))
        return;
    for (const NamingOption& option : namingOptions()) {
        if (given.isSet(option.names.first()))
            require(!(options.*option.field).isEmpty(), "a file or port given on the command line is used or refused",
                    [&] { return shownArguments(arguments); });
    }
}

QString durationText(milliseconds duration)
{
    return QStringLiteral("%1.%2s")
        .arg(duration.count() / kMillisecondsPerSecond)
        .arg(duration.count() % kMillisecondsPerSecond, kMillisecondDigits, 10, QChar(u'0'));
}

// The URL that names the database as it was read.
QString databaseText(const store::DatabaseUrl& database)
{
    return database.kind == store::DatabaseUrl::Kind::Sqlite ? QStringLiteral("sqlite://") + database.sqlitePath
                                                             : database.serverUrl;
}

QStringList commandLineOf(const RecordOptions& options)
{
    QStringList arguments{kProgram};
    const auto add = [&](const char* option, const QString& value) {
        arguments << QStringLiteral("--%1=%2").arg(QString::fromLatin1(option), value);
    };
    if (!options.port.isEmpty())
        add("port", options.port);
    if (!options.profilePath.isEmpty()) {
        add("profile", options.profilePath);
        add("part", QString::number(options.partNumber));
    }
    if (!options.binTablePath.isEmpty())
        add("bins", options.binTablePath);
    if (options.intervalItem)
        add("interval", QString::fromLatin1(meter::kReportIntervals[std::size_t(*options.intervalItem)].seconds));
    if (options.count)
        add("count", QString::number(*options.count));
    if (options.duration)
        add("duration", durationText(*options.duration));
    add("link-timeout", QString::number(options.linkTimeout.count()));
    if (!options.csvPath.isEmpty())
        add("csv", options.csvPath);
    if (options.jsonLines)
        arguments << QStringLiteral("--jsonl");
    if (!options.xlsxPath.isEmpty())
        add("xlsx", options.xlsxPath);
    if (options.database)
        add("db", databaseText(*options.database));
    for (const auto& [option, value] :
         {std::pair{"lot", options.lot}, {"station", options.station}, {"operator", options.operatorName}}) {
        if (!value.isEmpty())
            add(option, value);
    }
    return arguments;
}

void requireRecordable(const RecordOptions& options, const QStringList& arguments)
{
    const auto details = [&] { return shownArguments(arguments); };
    require(options.partNumber > 0 || options.profilePath.isEmpty(), "a profile comes with a part", details);
    require(options.partNumber == 0 || !options.profilePath.isEmpty(), "a part comes with its profile", details);
    require(!options.count || *options.count > 0, "a count is at least one reading", details);
    require(!options.duration
                || (*options.duration > milliseconds(0) && *options.duration <= RecordOptions::kLongestTimedWait),
            "a duration is one the recorder's timer keeps", details);
    require(options.linkTimeout.count() >= 0 && options.linkTimeout <= RecordOptions::kLongestTimedWait,
            "a link timeout is one the recorder's timer keeps", details);
    requireNamedOptionsHonoured(options, arguments);

    const QStringList written = commandLineOf(options);
    const auto reread = record::ReadRecordOptions(written);
    require(std::holds_alternative<RecordOptions>(reread), "options written as a command line are accepted", [&] {
        return shownArguments(written) + QStringLiteral(": ") + std::get<record::CommandLineAnswer>(reread).text;
    });
    require(std::get<RecordOptions>(reread) == options, "options written as a command line read the same",
            [&] { return shownArguments(arguments) + QStringLiteral(" written as ") + shownArguments(written); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList arguments = fuzz::commandLineOf(kProgram, QByteArrayView(data, qsizetype(size)));
    const auto read = record::ReadRecordOptions(arguments);
    if (const auto* answer = std::get_if<record::CommandLineAnswer>(&read))
        requireAnswerSaysItAll(*answer, arguments);
    else
        requireRecordable(std::get<RecordOptions>(read), arguments);
    return 0;
}
