// The recording core without a window or a program around it: which moments it marks, when
// it watches for silence, where rows go, and what a journal that cannot be written costs.
#include "bins/bin_table_csv.h"
#include "csv_reader.h"
#include "file_size_limit.h"
#include "hand_turned_alarm.h"
#include "link/dongle_link.h"
#include "localisation/main_lexicons.h"
#include "qt_printers.h"
#include "recording/journal_event.h"
#include "resistor_frame.h"
#include "session/meter_session.h"
#include "session/recording_core.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using recording::JournalEvent;

class RecordingCoreTest : public testing::Test {
protected:
    RecordingCoreTest() { qputenv("XDG_DATA_HOME", dataHome.path().toUtf8()); }
    ~RecordingCoreTest() override { qunsetenv("XDG_DATA_HOME"); }

    // The marks so far, as the journal words them.
    QStringList marks() const
    {
        QStringList words;
        for (const QList<QVariant>& mark : marked)
            words << recording::JournalEventWord(mark.at(0).value<JournalEvent>());
        return words;
    }

    int saidCount(const QString& start) const
    {
        return int(
            std::count_if(said.begin(), said.end(), [&](const QString& line) { return line.startsWith(start); }));
    }

    recording::LogRowResult logReading(double ohm)
    {
        session.DispatchFrame(resistorFrame(ohm));
        core.judge(session);
        return core.logReading(session);
    }

    QTemporaryDir dataHome;
    localisation::MainLexicons lexicons; // the designed texts
    dongle::DongleLink link;
    session::MeterSession session{link, lexicons};
    QStringList said;
    HandTurnedAlarm* alarm = new HandTurnedAlarm; // owned by the core's silence watch
    session::RecordingCore core{lexicons, [this](const QString& line) { said << line; },
                                std::unique_ptr<session::Alarm>(alarm)};
    QSignalSpy marked{&core, &session::RecordingCore::eventMarked};
};

// One loss may be told by the port closing and by the dongle's word, and a link may be
// reported up twice; each change is one mark, and only a running recording is marked.
TEST_F(RecordingCoreTest, EachChangeOfTheLinkIsMarkedOnceAndOnlyWhileRecording)
{
    struct Case {
        const char* steps; // U link up, D link down, S start, T stop
        QStringList marks;
    };
    const std::vector<Case> cases{
        {"USDDUU", {QStringLiteral("link lost"), QStringLiteral("link back")}},
        {"UDUS", QStringList()},
        {"USDTU", {QStringLiteral("link lost")}},
        {"SUDU", {QStringLiteral("link lost"), QStringLiteral("link back")}},
        {"USDTSU", {QStringLiteral("link lost")}}, // a new recording, not the link back
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        session::RecordingCore fresh(lexicons, [](const QString&) {});
        QSignalSpy spy(&fresh, &session::RecordingCore::eventMarked);
        for (const char* step = c.steps; *step; ++step) {
            switch (*step) {
            case 'U': fresh.linkUp(); break;
            case 'D': fresh.linkDown(); break;
            case 'S': fresh.start(); break;
            case 'T': fresh.stop(); break;
            }
        }
        QStringList words;
        for (const QList<QVariant>& mark : spy)
            words << recording::JournalEventWord(mark.at(0).value<JournalEvent>());
        EXPECT_EQ(words, c.marks);
    }
}

TEST_F(RecordingCoreTest, SilenceIsWatchedOnlyWhileLinkedAndRecording)
{
    const QString silent = lexicons.D4.GetItem(localisation::MeterSilent).section(u'%', 0, 0);
    const QString again = lexicons.D4.GetItem(localisation::MeterReportsAgain);
    constexpr int kLongMs = 600000;

    core.start();
    alarm->advance(kLongMs);
    core.stop();
    core.linkUp();
    alarm->advance(kLongMs);
    EXPECT_EQ(saidCount(silent), 0) << "not linked, then not recording";

    core.start();
    alarm->advance(kLongMs);
    alarm->advance(kLongMs);
    EXPECT_EQ(saidCount(silent), 1) << "said once while it lasts";
    core.frameArrived();
    EXPECT_EQ(saidCount(again), 1);
    EXPECT_EQ(marks(), (QStringList{QStringLiteral("no readings"), QStringLiteral("readings again")}));

    core.stop();
    alarm->advance(kLongMs);
    EXPECT_EQ(saidCount(silent), 1);
}

// Rows follow the start position in single-part mode and take the part's row in multi-part
// mode; every one of them is in the journal at once.
TEST_F(RecordingCoreTest, RowsGoWhereTheModeSaysAndIntoTheJournal)
{
    core.setStartPosition(5);
    core.start();
    for (double ohm : {100.0, 200.0, 300.0})
        logReading(ohm);
    EXPECT_EQ(core.startPosition(), 8);
    EXPECT_EQ(core.loggedRows(), 8);
    EXPECT_EQ(core.log().gridRowNumbers(7)->values.primary->value, 300.0);

    core.setMode(recording::LogMode::MultiPart);
    session.DispatchFrame(resistorFrame(400));
    EXPECT_EQ(core.logReading(session, {2, {}}).writtenRow, 2);
    EXPECT_EQ(core.startPosition(), 8) << "the parts' rows leave the start position alone";

    QFile journal(core.journalPath());
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    EXPECT_EQ(journal.readAll().count('\n'), 1 + 4) << "the titles and every row";
}

// Held readings and readings taken by hand are logged while recording is stopped; they are
// kept in a journal of their own until recording starts.
TEST_F(RecordingCoreTest, ARowLoggedWhileStoppedOpensAJournalAndAStartOpensAnother)
{
    ASSERT_TRUE(core.journalPath().isEmpty());
    logReading(100);
    const QString heldJournal = core.journalPath();
    ASSERT_FALSE(heldJournal.isEmpty());

    core.start();
    EXPECT_NE(core.journalPath(), heldJournal);
    EXPECT_EQ(saidCount(lexicons.D4.GetItem(localisation::JournalOpened)), 2);
}

TEST_F(RecordingCoreTest, JudgementFollowsTheReferenceInForceForEachReading)
{
    recording::ReferenceValues reference;
    reference.primary.kind = recording::ReferenceKind::Resistance;
    reference.primary.tolerance = {recording::ToleranceRule::Kind::Percent, 1};

    reference.primary.nominal = 1000;
    core.setReference(reference);
    session.DispatchFrame(resistorFrame(1005));
    EXPECT_EQ(core.judge(session).verdict, recording::VerdictPass);

    reference.primary.nominal = 2000;
    core.setReference(reference);
    EXPECT_EQ(core.judge(session).verdict, recording::VerdictPrimaryOut);
    EXPECT_DOUBLE_EQ(core.lastJudgement().deviations.primary, (1005.0 - 2000.0) / 2000.0 * 100);
}

// Each reading is sorted by the bin table in force when it comes, against the reference in
// force; the journal tells the table whole when the record opens and again when it is taken
// away, and gives every row its bin, its part and the limits it was judged against.
TEST_F(RecordingCoreTest, ReadingsAreSortedByTheTableInForceAndTheJournalTellsIt)
{
    recording::ReferenceValues reference;
    reference.primary = {recording::ReferenceKind::Resistance, 100.0, {recording::ToleranceRule::Kind::Percent, 5}};
    core.setReference(reference);
    bins::BinTable table;
    table.bins = {{1, bins::RangeMode::Percent, -1, 1, std::nullopt, 20.0},
                  {2, bins::RangeMode::Deviation, -5, 5, std::nullopt, 0.05}};
    table.aux = true;
    const recording::PartInForce part{4, QStringLiteral("R100")};
    core.setBinTable(table, part);
    core.start();

    struct Case {
        double ohm; // with a reactance of 10 Ω: a Q of about 0.1
        std::optional<bins::Bin> bin;
    };
    const Case cases[] = {
        {100.5, bins::NumberedBin(1)},
        {103, bins::Bin::Aux}, // bin 2's primary range, its Q limit of 0.05 passed
        {120, bins::Bin::Out},
        {100.5, std::nullopt}, // the table was taken away
    };
    for (const Case& c : cases) {
        if (!c.bin)
            core.setBinTable(std::nullopt, part);
        session.DispatchFrame(resistorFrame(c.ohm));
        core.judge(session);
        const int row = core.logReading(session, part).writtenRow;
        EXPECT_EQ(core.log().gridRowNumbers(row)->bin, c.bin) << c.ohm;
    }

    QFile journal(core.journalPath());
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    const QList<QStringList> lines = parseCsv(QString::fromUtf8(journal.readAll().mid(3)));
    ASSERT_EQ(lines.size(), 1 + 1 + 3 + 1 + 1) << "titles, table, three rows, the table gone, a row";
    const QStringList& titles = lines.first();
    const qsizetype event = titles.indexOf(QStringLiteral("Event"));
    const qsizetype bin = titles.indexOf(QStringLiteral("bin"));
    const qsizetype partNumber = titles.indexOf(QStringLiteral("part_number"));
    ASSERT_EQ(partNumber, bin + 1) << "the part's columns follow the bin";
    EXPECT_EQ(lines[1][event], QStringLiteral("bin table\n") + QString::fromUtf8(bins::BinTableBytes(table)));
    EXPECT_EQ(lines[5][event], QStringLiteral("bin table\n"));
    for (const int line : {1, 5})
        EXPECT_EQ(lines[line].mid(partNumber, 2), (QStringList{"4", "R100"})) << line;
    const QStringList rowBins{lines[2][bin], lines[3][bin], lines[4][bin], lines[6][bin]};
    EXPECT_EQ(rowBins, (QStringList{"1", "AUX", "OUT", ""}));
    for (const int line : {2, 3, 4, 6})
        EXPECT_EQ(lines[line].mid(partNumber), (QStringList{"4", "R100", "100", "95", "105"})) << line;
}

// Without a bin table nothing of bins shows: no bin in the rows, no table in the journal.
TEST_F(RecordingCoreTest, WithoutABinTableRowsHaveNoBinAndTheJournalNoTable)
{
    core.start();
    logReading(100);
    EXPECT_FALSE(core.log().gridRowNumbers(1)->bin.has_value());
    QFile journal(core.journalPath());
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    EXPECT_FALSE(journal.readAll().contains("bin table"));
}

// A journal that can no longer grow is said once and marked once; the rows go on.
TEST_F(RecordingCoreTest, AJournalThatCannotBeWrittenIsSaidOnceMarkedOnceAndRowsGoOn)
{
    core.start();
    logReading(100);
    {
        const FileSizeLimit full(QFileInfo(core.journalPath()).size());
        ASSERT_TRUE(full.isSet());
        for (double ohm : {200.0, 300.0, 400.0})
            logReading(ohm);
    }
    EXPECT_TRUE(core.journalFailed());
    EXPECT_EQ(saidCount(lexicons.D4.GetItem(localisation::JournalNotKept)), 1);
    EXPECT_EQ(marks(), QStringList{QStringLiteral("journal failed")});
    EXPECT_EQ(core.loggedRows(), 5) << "every reading still has its row";
    EXPECT_EQ(core.log().gridRowNumbers(4)->values.primary->value, 400.0);

    core.stop();
    core.start();
    EXPECT_FALSE(core.journalFailed()) << "the next recording tries a journal of its own";
}

} // namespace
