// rlc-report as a program: the hand-worked lot reproduced from a journal and from an SQLite
// database (and from a PostgreSQL server of the test's own), and each failure said with
// what to do and its exit code.
#include "hand_lot.h"
#include "platform/exit_code.h"
#include "postgres_server.h"
#include "store/local_schema.h"
#include "store/sqlite_connection.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 60000;

class ReportProgramTest : public testing::Test {
protected:
    struct Run {
        int exitCode = -1;
        QString errors;
    };

    Run report(const QStringList& arguments)
    {
        QProcess program;
        // Qt Gui asks for the user's runtime folder, which a login session gives.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(RLC_BIN_DIR "/rlc-report"), arguments);
        EXPECT_TRUE(program.waitForFinished(kWaitMs));
        return {program.exitCode(), QString::fromUtf8(program.readAllStandardError())};
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    QJsonObject json(const QString& name) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    QString journal()
    {
        QFile file(path(QStringLiteral("lot.csv")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(hand_lot::Journal());
        return file.fileName();
    }

    QString sqliteDatabase()
    {
        const QString file = path(QStringLiteral("measurements.sqlite"));
        store::SqliteConnection connection(file);
        store::PrepareLocalSchema(connection);
        for (const QString& insert : hand_lot::DatabaseInserts())
            connection.execute(insert.toUtf8().constData(), "insert the lot");
        return QStringLiteral("sqlite://") + file;
    }

    static void expectHandLot(const QJsonObject& figures)
    {
        const QJsonArray parts = figures.value("parts").toArray();
        ASSERT_EQ(parts.size(), 2);
        EXPECT_EQ(parts[0].toObject().value("part").toString(), "R1k");
        hand_lot::ExpectResistorFigures(parts[0].toObject());
        EXPECT_EQ(parts[1].toObject().value("part").toString(), "C100n");
        hand_lot::ExpectCapacitorFigures(parts[1].toObject());
    }

    QTemporaryDir folder;
    QTemporaryDir runtime;
};

TEST_F(ReportProgramTest, ReproducesTheHandWorkedLotFromAJournal)
{
    const Run run = report({journal(), "--json", path("lot.json")});
    EXPECT_EQ(run.exitCode, platform::Done) << run.errors.toStdString();
    EXPECT_EQ(run.errors, "rlc-report: 8 readings of 2 parts reported: " + path("lot.json") + "\n");
    expectHandLot(json("lot.json"));

    // One part asked for: its figures alone, not a list of parts.
    EXPECT_EQ(report({journal(), "--part", "R1k", "--json", path("r1k.json")}).exitCode, platform::Done);
    hand_lot::ExpectResistorFigures(json("r1k.json"));
}

TEST_F(ReportProgramTest, ReproducesTheHandWorkedLotFromAnSqliteDatabase)
{
    const Run run =
        report({"--db", sqliteDatabase(), "--lot", "24-117", "--json", path("lot.json"), "--html", path("lot.html")});
    EXPECT_EQ(run.exitCode, platform::Done) << run.errors.toStdString();
    expectHandLot(json("lot.json"));
    QFile html(path("lot.html"));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QByteArray page = html.readAll();
    for (const char* shown : {"<td>24-117</td>", "<td>bench-3</td>", "<td>ann</td>", "<td>1.5</td>"})
        EXPECT_TRUE(page.contains(shown)) << shown;
}

TEST_F(ReportProgramTest, ReproducesTheHandWorkedLotFromAPostgresServer)
{
    PostgresServer server;
    ASSERT_TRUE(server.ready()) << server.problem().toStdString();
    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    // The first report makes the server's layout; the lot goes in, the second reads it.
    EXPECT_EQ(report({"--db", server.url(), "--lot", "24-117", "--json", path("empty.json")}).exitCode, platform::Done);
    EXPECT_EQ(json("empty.json").value("n").toInteger(), 0);
    for (const QString& insert : hand_lot::DatabaseInserts())
        server.execute(insert);
    const Run run = report({"--db", server.url(), "--lot", "24-117", "--json", path("lot.json")});
    EXPECT_EQ(run.exitCode, platform::Done) << run.errors.toStdString();
    expectHandLot(json("lot.json"));
}

TEST_F(ReportProgramTest, SaysEachFailureWithItsExitCode)
{
    QFile bad(path("bad.csv"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(hand_lot::Journal().replace(",pass,", ",fine,"));
    bad.close();
    const struct {
        const char* what;
        QStringList arguments;
        int exitCode;
        QString said;
    } failures[] = {
        // Line 8: the bin table's event takes lines 2 to 7.
        {"a bad journal",
         {bad.fileName(), "--json", path("f.json")},
         platform::UsageError,
         "rlc-report: " + bad.fileName() + ", line 8: verdict holds 'fine', which is not a verdict"},
        {"no database file",
         {"--db", "sqlite://" + path("none.sqlite"), "--lot", "L", "--json", path("f.json")},
         platform::UsageError,
         "rlc-report: there is no database file " + path("none.sqlite")},
        {"no server",
         {"--db", "postgresql:///rlc?host=" + path("no-socket"), "--lot", "L", "--json", path("f.json")},
         platform::LinkFailed,
         "rlc-report: the database postgresql:///rlc"},
        {"an output that cannot be written",
         {journal(), "--html", "/proc/self/lot.html"},
         platform::FileNotWritten,
         "rlc-report: cannot write /proc/self/lot.html: "},
        {"a PDF that cannot be written",
         {journal(), "--pdf", "/proc/self/lot.pdf"},
         platform::FileNotWritten,
         "rlc-report: cannot write the PDF /proc/self/lot.pdf: "},
    };
    for (const auto& failure : failures) {
        const Run run = report(failure.arguments);
        EXPECT_EQ(run.exitCode, failure.exitCode) << failure.what;
        EXPECT_TRUE(run.errors.startsWith(failure.said)) << failure.what << ": " << run.errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("f.json")));
}

TEST_F(ReportProgramTest, SaysWhenTheLotHoldsNoReading)
{
    const Run run = report({"--db", sqliteDatabase(), "--lot", "no-such-lot", "--json", path("lot.json")});
    EXPECT_EQ(run.exitCode, platform::Done);
    EXPECT_TRUE(run.errors.startsWith("rlc-report: sqlite://" + path("measurements.sqlite")
                                      + " holds no reading of this lot; the report says so\n"))
        << run.errors.toStdString();
    EXPECT_EQ(json("lot.json").value("n").toInteger(), 0);
}

} // namespace
