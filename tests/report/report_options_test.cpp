// rlc-report's command line: the lot from a journal or a database, the filters, the
// outputs, and every mistake answered with the usage exit code and what is wrong.
#include "platform/exit_code.h"
#include "report/report_options.h"

#include <gtest/gtest.h>

namespace {

std::variant<report::ReportOptions, platform::CommandLineAnswer> read(const QStringList& arguments,
                                                                      const QString& environment = {})
{
    return report::ReadReportOptions(QStringList{QStringLiteral("rlc-report")} + arguments, environment);
}

TEST(ReportOptions, ReadsALotFromAJournalOrADatabase)
{
    const auto fromJournal = read({"lot.csv", "--part", "R1k", "--html", "r.html", "--pdf", "r.pdf"});
    const auto* journal = std::get_if<report::ReportOptions>(&fromJournal);
    ASSERT_TRUE(journal);
    EXPECT_EQ(journal->journalPath, "lot.csv");
    EXPECT_FALSE(journal->database);
    EXPECT_EQ(journal->filter.partName, "R1k");
    EXPECT_EQ(journal->outputs.html, "r.html");
    EXPECT_EQ(journal->outputs.pdf, "r.pdf");
    EXPECT_TRUE(journal->outputs.json.isEmpty());

    const auto fromDatabase = read({"--db", "sqlite:///tmp/m.sqlite", "--lot", "24-117", "--from",
                                    "2026-12-10T08:00:00Z", "--to", "2026-12-10T09:00:00.5Z", "--json", "f.json"});
    const auto* database = std::get_if<report::ReportOptions>(&fromDatabase);
    ASSERT_TRUE(database);
    ASSERT_TRUE(database->database);
    EXPECT_EQ(database->database->sqlitePath, "/tmp/m.sqlite");
    EXPECT_EQ(database->lot, "24-117");
    EXPECT_EQ(database->filter.from, QDateTime(QDate(2026, 12, 10), QTime(8, 0), Qt::UTC));
    EXPECT_EQ(database->filter.to, QDateTime(QDate(2026, 12, 10), QTime(9, 0, 0, 500), Qt::UTC));

    // RLC_DATABASE names the database when neither --db nor a journal does.
    const auto fromEnvironment = read({"--lot", "L", "--json", "f.json"}, "sqlite:///tmp/e.sqlite");
    ASSERT_TRUE(std::holds_alternative<report::ReportOptions>(fromEnvironment));
    EXPECT_EQ(std::get<report::ReportOptions>(fromEnvironment).database->sqlitePath, "/tmp/e.sqlite");
}

TEST(ReportOptions, AnswersEachMistakeWithWhatIsWrong)
{
    const struct {
        QStringList arguments;
        const char* expected;
    } mistakes[] = {
        {{"--json", "f.json"}, "name the lot: a journal, or --db URL --lot NAME"},
        {{"lot.csv"}, "name at least one output: --html, --pdf or --json"},
        {{"a.csv", "b.csv", "--json", "f"}, "one journal at a time, not 'a.csv' and 'b.csv'"},
        {{"lot.csv", "--db", "sqlite:///m.sqlite", "--lot", "L", "--json", "f"}, "a journal or --db, not both"},
        {{"--db", "sqlite:///m.sqlite", "--json", "f"}, "--lot names the lot to report from the database"},
        {{"lot.csv", "--lot", "L", "--json", "f"}, "--lot names a lot in a database; a journal holds one lot"},
        {{"--db", "mysql://x/y", "--lot", "L", "--json", "f"}, "--db: "},
        {{"lot.csv", "--from", "yesterday", "--json", "f"}, "--from takes a time in ISO 8601"},
        {{"lot.csv", "--from", "2026-12-10T09:00:00Z", "--to", "2026-12-10T08:00:00Z", "--json", "f"},
         "--to lies before --from"},
        {{"lot.csv", "--html", ""}, "--html takes a file name, not an empty text"},
        {{"lot.csv", "--part", "", "--json", "f"}, "--part takes a part name, not an empty text"},
        {{"lot.csv", "--bogus"}, "Unknown option 'bogus'"},
    };
    for (const auto& mistake : mistakes) {
        const auto answer = read(mistake.arguments);
        const auto* refused = std::get_if<platform::CommandLineAnswer>(&answer);
        ASSERT_TRUE(refused) << mistake.arguments.join(u' ').toStdString();
        EXPECT_EQ(refused->exitCode, platform::UsageError);
        EXPECT_TRUE(refused->text.startsWith(QStringLiteral("rlc-report: ") + QString::fromUtf8(mistake.expected)))
            << refused->text.toStdString();
    }
}

TEST(ReportOptions, HelpListsTheExitCodesAndTheJsonKeys)
{
    const auto answer = read({"--help"});
    const auto& help = std::get<platform::CommandLineAnswer>(answer);
    EXPECT_EQ(help.exitCode, platform::Done);
    EXPECT_TRUE(help.text.startsWith("Usage: rlc-report [options] [JOURNAL.csv]"));
    for (const char* shown : {"--db <url>", "--lot <name>", "--part <name>", "--from <time>", "--to <time>",
                              "--html <file>", "--pdf <file>", "--json <file>", "stdev_population",
                              "Exit codes:", "2  the database server cannot be reached"})
        EXPECT_TRUE(help.text.contains(QLatin1String(shown))) << shown;
}

} // namespace
