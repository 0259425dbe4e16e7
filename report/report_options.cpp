#include "report/report_options.h"

#include "platform/command_line_reader.h"

namespace report {
namespace {

using platform::ValuedOption;

QString helpTail()
{
    return QStringLiteral("\nThe lot:\n"
                          "  From a recording journal named as the argument, or from a database with --db\n"
                          "  and --lot: every reading of the lot in reading_rows. In both, --part keeps one\n"
                          "  part, and --from and --to keep the readings taken in that span (ISO 8601,\n"
                          "  2026-12-10T08:00:00Z; a time without an offset is local time). A lot of\n"
                          "  several parts is reported part by part.\n"
                          "\nOutputs (at least one):\n"
                          "  --html  one self-contained HTML file: the part, limits and bin table, who,\n"
                          "          where and when, the statistics with Pp/Ppk and Cp/Cpk, a histogram,\n"
                          "          the run chart, the bin counts and the rejected readings\n"
                          "  --pdf   the same on A4 pages\n"
                          "  --json  the figures: n, overloads, mean, min, max, range, stdev,\n"
                          "          stdev_population, median, p05, p95, lsl, usl, pp, ppk, cp, cpk, yield,\n"
                          "          verdicts and bins; in SI units, null where undefined; with several\n"
                          "          parts one object per part under \"parts\"\n"
                          "\nExit codes:\n"
                          "  0  done: every file named was written\n"
                          "  1  usage: a wrong option, or a journal or database that cannot be read\n"
                          "  2  the database server cannot be reached\n"
                          "  3  an output could not be written\n"
                          "\nEnvironment:\n"
                          "  RLC_DATABASE  The database, as --db names it, when neither --db nor a journal\n"
                          "                is given.\n");
}

class OptionReader {
public:
    OptionReader(const QStringList& arguments, QString databaseFromEnvironment) :
        m_line(arguments, QStringLiteral("rlc-report")), m_databaseFromEnvironment(std::move(databaseFromEnvironment))
    {
        m_line.parser().setApplicationDescription(
            QStringLiteral("Reports a lot of readings: its statistics per part with the capability indices Pp/Ppk "
                           "and Cp/Cpk, as HTML, PDF or JSON."));
        m_line.parser().addPositionalArgument(QStringLiteral("journal"),
                                              QStringLiteral("A recording journal (CSV) holding the lot."),
                                              QStringLiteral("[JOURNAL.csv]"));
        m_line.parse({m_db, m_lot, m_part, m_from, m_to, m_html, m_pdf, m_json});
    }

    std::optional<platform::CommandLineAnswer> answerAtOnce() const
    {
        return m_line.helpOrVersion(QStringLiteral("[options] [JOURNAL.csv]"), helpTail());
    }

    ReportOptions options() const
    {
        ReportOptions options;
        const QStringList journals = m_parser.positionalArguments();
        if (journals.size() > 1)
            throw m_line.usage(
                QStringLiteral("one journal at a time, not '%1' and '%2'").arg(journals[0], journals[1]));
        if (!journals.isEmpty())
            options.journalPath = journals.first();
        readDatabase(options);
        options.filter.partName = m_line.named(m_part, "part name");
        options.filter.from = time(m_from);
        options.filter.to = time(m_to);
        if (options.filter.from.isValid() && options.filter.to.isValid() && options.filter.to < options.filter.from)
            throw m_line.usage(QStringLiteral("--to lies before --from: the span holds no reading"));
        options.outputs = {m_line.named(m_html, "file name"), m_line.named(m_pdf, "file name"),
                           m_line.named(m_json, "file name")};
        if (options.outputs.html.isEmpty() && options.outputs.pdf.isEmpty() && options.outputs.json.isEmpty())
            throw m_line.usage(QStringLiteral("name at least one output: --html, --pdf or --json"));
        return options;
    }

private:
    QDateTime time(const QCommandLineOption& option) const
    {
        if (!m_parser.isSet(option))
            return {};
        const QDateTime time = QDateTime::fromString(m_parser.value(option), Qt::ISODateWithMs);
        if (!time.isValid())
            throw m_line.usage(QStringLiteral("--%1 takes a time in ISO 8601 such as 2026-12-10T08:00:00Z, not '%2'")
                                   .arg(option.names().last(), m_parser.value(option)));
        return time;
    }

    void readDatabase(ReportOptions& options) const
    {
        const bool given = m_parser.isSet(m_db);
        if (given && !options.journalPath.isEmpty())
            throw m_line.usage(QStringLiteral("a journal or --db, not both: the lot comes from one of them"));
        const QString text = given          ? m_parser.value(m_db)
            : options.journalPath.isEmpty() ? m_databaseFromEnvironment
                                            : QString();
        if (text.isEmpty()) {
            if (options.journalPath.isEmpty())
                throw m_line.usage(QStringLiteral("name the lot: a journal, or --db URL --lot NAME"));
            if (m_parser.isSet(m_lot))
                throw m_line.usage(QStringLiteral("--lot names a lot in a database; a journal holds one lot"));
            return;
        }
        const auto read = store::ReadDatabaseUrl(text);
        if (const auto* problem = std::get_if<QString>(&read))
            throw m_line.usage((given ? QStringLiteral("--db: ") : QStringLiteral("RLC_DATABASE: ")) + *problem);
        options.database = std::get<store::DatabaseUrl>(read);
        options.lot = m_line.named(m_lot, "lot name");
        if (options.lot.isEmpty())
            throw m_line.usage(QStringLiteral("--lot names the lot to report from the database"));
    }

    platform::CommandLineReader m_line;
    const QCommandLineParser& m_parser = m_line.parser();
    QString m_databaseFromEnvironment;
    const QCommandLineOption m_db = ValuedOption({QStringLiteral("db")},
                                                 "The database holding the lot: sqlite:///path/file.sqlite or "
                                                 "postgresql://user@host:port/dbname.",
                                                 "url");
    const QCommandLineOption m_lot =
        ValuedOption({QStringLiteral("lot")}, "The lot to report from the database.", "name");
    const QCommandLineOption m_part = ValuedOption({QStringLiteral("part")}, "Report this part alone.", "name");
    const QCommandLineOption m_from =
        ValuedOption({QStringLiteral("from")}, "Only readings taken at or after this time.", "time");
    const QCommandLineOption m_to =
        ValuedOption({QStringLiteral("to")}, "Only readings taken at or before this time.", "time");
    const QCommandLineOption m_html = ValuedOption({QStringLiteral("html")}, "Write the report as HTML here.", "file");
    const QCommandLineOption m_pdf = ValuedOption({QStringLiteral("pdf")}, "Write the report as PDF here.", "file");
    const QCommandLineOption m_json = ValuedOption({QStringLiteral("json")}, "Write the figures as JSON here.", "file");
};

} // namespace

std::variant<ReportOptions, platform::CommandLineAnswer> ReadReportOptions(const QStringList& arguments,
                                                                           const QString& databaseFromEnvironment)
{
    try {
        const OptionReader reader(arguments, databaseFromEnvironment);
        if (auto answer = reader.answerAtOnce())
            return *answer;
        return reader.options();
    } catch (const platform::CommandLineAnswer& mistake) {
        return mistake;
    }
}

} // namespace report
