#include "record/record_options.h"

#include "meter/report_interval.h"
#include "platform/command_line_reader.h"

#include <QRegularExpression>

#include <cmath>

namespace record {
namespace {

using platform::ValuedOption;
using std::chrono::milliseconds;
using std::chrono::seconds;

// The longest duration and link timeout, in the units the user gives them.
const qint64 kLongestHours = std::chrono::floor<std::chrono::hours>(RecordOptions::kLongestTimedWait).count();
const qint64 kLongestSeconds = std::chrono::floor<seconds>(RecordOptions::kLongestTimedWait).count();

QString helpTail()
{
    return QStringLiteral("\nOutputs:\n"
                          "  Every RLC reading becomes one row: the columns of the logger's table, then\n"
                          "  Timestamp (ISO 8601) and Verdict (pass, reject-primary, reject-secondary,\n"
                          "  reject-both or unreadable; empty without a part). CSV goes to standard output\n"
                          "  unless --csv names a file (which gets a UTF-8 byte-order mark) or --jsonl takes\n"
                          "  standard output for one JSON object per reading. Every row is also kept in a\n"
                          "  recording journal, written to disk row by row. Standard error tells of the\n"
                          "  link and, on a terminal, shows the progress.\n"
                          "\nDatabase:\n"
                          "  Every reading is committed to the local database before the next is taken.\n"
                          "  With a PostgreSQL server named, it is forwarded from there in the background;\n"
                          "  while the server is away the readings wait, and at the end the recorder sends\n"
                          "  what waits for as long as the server answers. The rest goes at the next start.\n"
                          "  libpq takes the password from the URL, ~/.pgpass or PGPASSWORD, and reads the\n"
                          "  other PG* variables.\n"
                          "\nExit codes:\n"
                          "  0  done: the count, the duration, Ctrl-C or SIGTERM ended the recording\n"
                          "  1  usage: a wrong option, or a profile, part or bin table that cannot be used\n"
                          "  2  no dongle, or the meter could not be linked within the link timeout\n"
                          "  3  an output, the journal or the database could not be written\n"
                          "\nEnvironment:\n"
                          "  RLC_DONGLE_PORT  Serial device to use instead of looking for the dongle\n"
                          "                   (for example the port printed by rlc-sim).\n"
                          "  RLC_DATABASE     The database, as --db names it, when --db is not given.\n"
                          "  XDG_DATA_HOME    Data folder, ~/.local/share when unset. Recording journals\n"
                          "                   are kept in RLC_Data/journal/ in it, and the measurement\n"
                          "                   database in RLC_Data/measurements.sqlite.\n");
}

// A whole number from 1 up, as an option's value.
std::optional<int> positiveNumber(const QString& text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && number > 0 ? std::optional<int>(number) : std::nullopt;
}

// A bare number counts seconds.
double millisecondsPer(const QString& unit)
{
    constexpr double kSecondMs = 1000;
    constexpr double kMinuteMs = 60 * kSecondMs;
    constexpr double kHourMs = 60 * kMinuteMs;
    if (unit == u"h")
        return kHourMs;
    if (unit == u"m")
        return kMinuteMs;
    return kSecondMs;
}

// The report interval's item, as the meter's table lists them.
std::optional<int> intervalItem(const QString& text)
{
    for (std::size_t item = 0; item < meter::kReportIntervals.size(); ++item) {
        if (text == QLatin1String(meter::kReportIntervals[item].seconds))
            return int(item);
    }
    return std::nullopt;
}

class OptionReader {
public:
    OptionReader(const QStringList& arguments, QString databaseFromEnvironment) :
        m_line(arguments, QStringLiteral("rlc-record")), m_databaseFromEnvironment(std::move(databaseFromEnvironment))
    {
        m_line.parser().setApplicationDescription(QStringLiteral(
            "Records the readings of the ZR48 RLC meter without a window: links to the meter through its USB "
            "Bluetooth dongle, judges every reading against a part of a profile and writes the rows as they "
            "come."));
        m_line.parse({m_port, m_profile, m_part, m_bins, m_interval, m_count, m_duration, m_linkTimeout, m_csv, m_jsonl,
                      m_xlsx, m_db, m_lot, m_station, m_operator});
    }

    std::optional<CommandLineAnswer> answerAtOnce() const
    {
        return m_line.helpOrVersion(QStringLiteral("[options]"), helpTail());
    }

    RecordOptions options() const
    {
        if (!m_parser.positionalArguments().isEmpty())
            throw m_line.usage(
                QStringLiteral("unexpected argument '%1'; files are named by --csv, --xlsx and --profile")
                    .arg(m_parser.positionalArguments().first()));
        RecordOptions options;
        options.port = m_line.named(m_port, "serial port");
        readPart(options);
        options.binTablePath = m_line.named(m_bins, "file name");
        if (m_parser.isSet(m_interval)) {
            options.intervalItem = intervalItem(m_parser.value(m_interval));
            if (!options.intervalItem)
                throw m_line.usage(
                    QStringLiteral("--interval takes 0.5, 1 or 2 (seconds), not '%1'").arg(m_parser.value(m_interval)));
        }
        if (m_parser.isSet(m_count)) {
            options.count = positiveNumber(m_parser.value(m_count));
            if (!options.count)
                throw m_line.usage(QStringLiteral("--count takes a number of readings from 1 up, not '%1'")
                                       .arg(m_parser.value(m_count)));
        }
        if (m_parser.isSet(m_duration)) {
            options.duration = ParseDuration(m_parser.value(m_duration));
            if (!options.duration)
                throw m_line.usage(
                    QStringLiteral("--duration takes a length such as 90s, 15m or 2h, up to %1h, not '%2'")
                        .arg(kLongestHours)
                        .arg(m_parser.value(m_duration)));
        }
        if (m_parser.isSet(m_linkTimeout)) {
            bool ok = false;
            const int timeout = m_parser.value(m_linkTimeout).toInt(&ok);
            if (!ok || timeout < 0 || timeout > kLongestSeconds)
                throw m_line.usage(
                    QStringLiteral("--link-timeout takes whole seconds up to %1, 0 to wait for ever, not '%2'")
                        .arg(kLongestSeconds)
                        .arg(m_parser.value(m_linkTimeout)));
            options.linkTimeout = seconds(timeout);
        }
        options.csvPath = m_line.named(m_csv, "file name");
        options.jsonLines = m_parser.isSet(m_jsonl);
        options.xlsxPath = m_line.named(m_xlsx, "file name");
        readDatabase(options);
        options.lot = m_parser.value(m_lot);
        options.station = m_parser.value(m_station);
        options.operatorName = m_parser.value(m_operator);
        return options;
    }

private:
    void readPart(RecordOptions& options) const
    {
        const bool profile = m_parser.isSet(m_profile);
        const bool part = m_parser.isSet(m_part);
        if (profile != part)
            throw m_line.usage(
                QStringLiteral("--profile and --part go together: the profile file and the number of the "
                               "part in it"));
        if (!profile)
            return;
        options.profilePath = m_line.named(m_profile, "file name");
        const std::optional<int> number = positiveNumber(m_parser.value(m_part));
        if (!number)
            throw m_line.usage(
                QStringLiteral("--part takes a part number from 1 up, not '%1'").arg(m_parser.value(m_part)));
        options.partNumber = *number;
    }

    void readDatabase(RecordOptions& options) const
    {
        const bool given = m_parser.isSet(m_db);
        const QString text = given ? m_parser.value(m_db) : m_databaseFromEnvironment;
        if (text.isEmpty())
            return;
        const auto read = store::ReadDatabaseUrl(text);
        if (const auto* problem = std::get_if<QString>(&read))
            throw m_line.usage((given ? QStringLiteral("--db: ") : QStringLiteral("RLC_DATABASE: ")) + *problem);
        options.database = std::get<store::DatabaseUrl>(read);
    }

    platform::CommandLineReader m_line;
    const QCommandLineParser& m_parser = m_line.parser();
    QString m_databaseFromEnvironment;
    const QCommandLineOption m_port =
        ValuedOption({QStringLiteral("p"), QStringLiteral("port")},
                     "Use the dongle on this serial port instead of looking for it.", "path");
    const QCommandLineOption m_profile =
        ValuedOption({QStringLiteral("profile")}, "Profile file (*.hex1) of the part to judge against.", "file");
    const QCommandLineOption m_part =
        ValuedOption({QStringLiteral("part")},
                     "Number of the part in the profile: its references judge every reading, "
                     "its settings go to the meter.",
                     "n");
    const QCommandLineOption m_bins =
        ValuedOption({QStringLiteral("bins")},
                     "Sort every reading into the bins of this bin table (CSV), around the "
                     "part's nominal.",
                     "file");
    const QCommandLineOption m_interval =
        ValuedOption({QStringLiteral("interval")}, "The meter's report interval: 0.5, 1 or 2 seconds.", "seconds");
    const QCommandLineOption m_count =
        ValuedOption({QStringLiteral("n"), QStringLiteral("count")}, "End after this many readings.", "n");
    const QCommandLineOption m_duration =
        ValuedOption({QStringLiteral("d"), QStringLiteral("duration")},
                     "End this long after the first reading: seconds, or 90s, 15m, 2h.", "time");
    const QCommandLineOption m_linkTimeout =
        ValuedOption({QStringLiteral("link-timeout")},
                     "Give up when the meter is not linked within this many seconds, at the start or after the link "
                     "was lost (default 60; 0 waits for ever).",
                     "seconds");
    const QCommandLineOption m_csv = ValuedOption({QStringLiteral("csv")}, "Write the CSV into this file.", "file");
    const QCommandLineOption m_jsonl{QStringLiteral("jsonl"),
                                     QStringLiteral("Standard output carries one JSON object per reading.")};
    const QCommandLineOption m_xlsx = ValuedOption({QStringLiteral("xlsx")},
                                                   "At the end, write the readings into this workbook as the logger's "
                                                   "export does.",
                                                   "file");
    const QCommandLineOption m_db = ValuedOption({QStringLiteral("db")},
                                                 "The database every reading goes into: a local file as "
                                                 "sqlite:///path/file.sqlite (by default the data folder's), or a "
                                                 "PostgreSQL server as postgresql://user@host:port/dbname, which the "
                                                 "readings reach through the local file.",
                                                 "url");
    const QCommandLineOption m_lot = ValuedOption({QStringLiteral("lot")}, "The lot the readings belong to.", "name");
    const QCommandLineOption m_station =
        ValuedOption({QStringLiteral("station")}, "The bench's name in the database (default: the host name).", "name");
    const QCommandLineOption m_operator =
        ValuedOption({QStringLiteral("operator")}, "Who records (default: the login name).", "name");
};

} // namespace

std::variant<RecordOptions, CommandLineAnswer> ReadRecordOptions(const QStringList& arguments,
                                                                 const QString& databaseFromEnvironment)
{
    try {
        const OptionReader reader(arguments, databaseFromEnvironment);
        if (auto answer = reader.answerAtOnce())
            return *answer;
        return reader.options();
    } catch (const CommandLineAnswer& mistake) {
        return mistake;
    }
}

std::optional<milliseconds> ParseDuration(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+(?:\\.\\d+)?)([smh]?)$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    // Compared as a double first: a length beyond every integer must not be converted to one.
    const double length = match.captured(1).toDouble() * millisecondsPer(match.captured(2));
    if (length > double(RecordOptions::kLongestTimedWait.count()))
        return std::nullopt;
    // Rounded, not cut: 33333.001 s is 33333000.999… ms as a double.
    const auto whole = milliseconds(std::llround(length));
    return whole.count() > 0 ? std::optional<milliseconds>(whole) : std::nullopt;
}

} // namespace record
