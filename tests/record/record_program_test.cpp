// rlc-record as a script runs it, against the simulated meter: the readings with the
// verdicts of the loaded part in every output, the part's settings on the wire, an end by
// SIGTERM or by an unplugged dongle that loses nothing, and each bad input with its exit
// code and words.
#include "record_program.h"

#include "hand_lot.h"

#include "link/meter_command.h"
#include "qt_printers.h"
#include "record/record_error.h"
#include "recording/row_numbers.h"
#include "session/recording_archive.h"
#include "sim/pseudo_terminal.h"
#include "store/local_schema.h"
#include "store/sqlite_connection.h"
#include "xlsx_reader.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>

#include <cmath>
#include <map>

namespace {

// Columns of the recorder's CSV: the table's ten, then these.
constexpr int kPrimary = 2;
constexpr int kReject = 7;
constexpr int kPrimaryDeviation = 8;
constexpr int kTimestamp = 10;
constexpr int kVerdict = 11;
// The journal's Event column.
constexpr int kEvent = 12;
// Where the numeric columns begin: in the CSV after Verdict, in the journal after Event, in
// the workbook after the table's ten.
constexpr int kCsvNumbers = 12;
constexpr int kJournalNumbers = 13;
const QString kWorkbookPrimaryValueColumn = QStringLiteral("K");
const QString kWorkbookVerdictColumn = QStringLiteral("Q");
const QString kWorkbookBinColumn = QStringLiteral("T");
// Offsets within the numeric columns.
constexpr int kPrimaryUnit = 1;
constexpr int kNumericVerdict = 6;
constexpr int kPrimaryDeviationPct = 7;
constexpr int kBin = 9;

// What a row of a 1 kΩ ± 1 % part says of the two resistances the meter reports in turn.
struct Judged {
    const char* shown;
    const char* rejectMark;
    const char* deviation;
    const char* verdict;
    double ohm;
};
constexpr Judged kWithin{"R 1.0050 kΩ", "-", "0.50", "pass", 1005};
constexpr Judged kOutside{"R 1.2000 kΩ", "+", "20.00", "reject-primary", 1200};
// Beyond the meter's highest resistance range: shown as an overload.
constexpr double kOverloadOhm = 3e7;

const Judged& judgedFor(const QString& shownPrimary)
{
    return shownPrimary == QString::fromUtf8(kWithin.shown) ? kWithin : kOutside;
}

// The resistance in ohm of a CSV record, from its numeric column.
double ohmOf(const QStringList& record)
{
    return record.value(kCsvNumbers).toDouble();
}

// The readings of a rising meter follow one another 10 Ω apart, none missing.
void expectNoneMissing(const QList<QStringList>& records, qsizetype first)
{
    for (qsizetype row = first + 1; row < records.size(); ++row)
        ASSERT_EQ(ohmOf(records[row]) - ohmOf(records[row - 1]), 10) << "between rows " << row - 1 << " and " << row;
}

// The journal's lines of readings, their event empty.
QList<QStringList> journalReadings(const QList<QStringList>& journal)
{
    QList<QStringList> readings;
    for (qsizetype line = 1; line < journal.size(); ++line)
        if (journal[line].value(kEvent).isEmpty())
            readings << journal[line];
    return readings;
}

qsizetype eventCount(const QList<QStringList>& journal, const QString& event)
{
    return std::count_if(journal.begin(), journal.end(),
                         [&](const QStringList& line) { return line.value(kEvent) == event; });
}

} // namespace

// Six readings of a part, alternately within and outside its tolerance: the CSV file, the
// JSON lines on standard output, the workbook and the journal hold the same six rows, each
// with the verdict and deviation of its own value.
TEST_F(RecordProgramTest, CountedReadingsCarryTheVerdictsOfTheLoadedPartInEveryOutput)
{
    constexpr int kCount = 6;
    const QString profile = writeProfile({resistorPart()});
    reportInTurn({kWithin.ohm, kOutside.ohm});
    const QString csv = path(QStringLiteral("readings.csv"));
    const QString workbook = path(QStringLiteral("readings.xlsx"));
    start({"--profile", profile, "--part", "1", "--count", QString::number(kCount), "--csv", csv, "--jsonl", "--xlsx",
           workbook});
    ASSERT_EQ(exitCode(), record::Done) << said().toStdString();

    const QList<QStringList> records = csvRecords(csv);
    ASSERT_EQ(records.size(), kCount + 1) << said().toStdString();
    EXPECT_EQ(records[0].mid(0, 3), QStringList({"Position", "Time", "Primary"}));
    EXPECT_EQ(records[0].mid(kTimestamp, 2), QStringList({"Timestamp", "Verdict"}));
    EXPECT_EQ(records[0].mid(kCsvNumbers), recording::NumericColumnNames());
    const QList<QByteArray> jsonLines = output().trimmed().split('\n');
    ASSERT_EQ(jsonLines.size(), kCount);
    const ReadSheet sheet = ReadFirstSheet(workbook);
    const QList<QStringList> journal = journalReadings(csvRecords(journalFiles().value(0)));
    ASSERT_EQ(journal.size(), kCount);
    for (int row = 1; row <= kCount; ++row) {
        SCOPED_TRACE(row);
        const QStringList& record = records[row];
        const Judged& expected = judgedFor(record[kPrimary]);
        EXPECT_EQ(record[0], QString::number(row));
        EXPECT_EQ(record[kPrimary], QString::fromUtf8(expected.shown));
        EXPECT_EQ(record[kReject], QString::fromUtf8(expected.rejectMark));
        EXPECT_EQ(record[kPrimaryDeviation], QString::fromUtf8(expected.deviation));
        EXPECT_EQ(record[kVerdict], QString::fromUtf8(expected.verdict));
        EXPECT_TRUE(QDateTime::fromString(record[kTimestamp], Qt::ISODate).isValid())
            << record[kTimestamp].toStdString();

        const QJsonObject json = QJsonDocument::fromJson(jsonLines[row - 1]).object();
        EXPECT_EQ(json[QStringLiteral("position")].toInt(), row);
        EXPECT_EQ(json[QStringLiteral("primary")].toString(), record[kPrimary]);
        EXPECT_EQ(json[QStringLiteral("time")].toString(), record[kTimestamp]);
        EXPECT_EQ(json[QStringLiteral("verdict")].toString(), record[kVerdict]);
        EXPECT_NEAR(json[QStringLiteral("primary_value")].toDouble(), expected.ohm, 0.05);
        EXPECT_DOUBLE_EQ(json[QStringLiteral("primary_deviation")].toDouble(), record[kPrimaryDeviation].toDouble());
        EXPECT_TRUE(json[QStringLiteral("secondary_deviation")].isNull()) << "its tolerance is off";

        EXPECT_EQ(sheet.cells.at(QStringLiteral("C%1").arg(row + 1)).value, record[kPrimary]);
        EXPECT_EQ(journal[row - 1].mid(0, kVerdict), record.mid(0, kVerdict)) << "the same row in the journal";

        // The numbers: the meter's value itself, in ohm, and the judgement beside it.
        const QStringList numbers = record.mid(kCsvNumbers);
        EXPECT_EQ(numbers.value(0).toDouble(), expected.ohm);
        EXPECT_EQ(numbers.value(kPrimaryUnit), QStringLiteral("\u03A9"));
        EXPECT_EQ(numbers.value(kNumericVerdict), QString::fromUtf8(expected.verdict));
        EXPECT_NEAR(numbers.value(kPrimaryDeviationPct).toDouble(), (expected.ohm - 1000) / 1000 * 100, 1e-9);
        EXPECT_EQ(json[QStringLiteral("primary_value")].toDouble(), expected.ohm);
        EXPECT_EQ(json[QStringLiteral("primary_unit")].toString(), numbers.value(kPrimaryUnit));
        EXPECT_EQ(json[QStringLiteral("primary_deviation_pct")].toDouble(),
                  numbers.value(kPrimaryDeviationPct).toDouble());
        const ReadCell& primaryValue = sheet.cells.at(kWorkbookPrimaryValueColumn + QString::number(row + 1));
        EXPECT_EQ(primaryValue.type, QStringLiteral("n"));
        EXPECT_EQ(primaryValue.value.toDouble(), expected.ohm);
        EXPECT_EQ(sheet.cells.at(kWorkbookVerdictColumn + QString::number(row + 1)).value,
                  numbers.value(kNumericVerdict));
        EXPECT_EQ(journal[row - 1].mid(kJournalNumbers, recording::kNumericColumnCount), numbers)
            << "the same numbers in the journal";
        EXPECT_EQ(numbers.value(kBin), QString()) << "no bin without a bin table";
        EXPECT_TRUE(json[QStringLiteral("bin")].isNull());
    }
    EXPECT_EQ(sheet.cells.at(QStringLiteral("A1")).value, QStringLiteral("Position"));
    EXPECT_EQ(sheet.cells.count(QStringLiteral("A%1").arg(kCount + 2)), 0u) << "nothing below the last reading";
}

// With a bin table, every output carries each reading's bin, sorted around the part's
// nominal: the CSV, the JSON lines, the workbook, the journal (which also tells the table
// and the part's limits) and the database.
TEST_F(RecordProgramTest, ReadingsSortedByTheBinTableCarryTheirBinInEveryOutput)
{
    constexpr int kCount = 6;
    const QString profile = writeProfile({resistorPart()});
    const QString table = path(QStringLiteral("R1k.csv"));
    const QByteArray tableText("bin,mode,low,high,secondary_low,secondary_high\n"
                               "1,%,-1,1,,\n"
                               "2,dev,-100,100,,5\n"
                               "aux,on\n");
    {
        QFile file(table);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(tableText);
    }
    // Q is 10 throughout: 1050 Ω lies in bin 2 but passes its Q limit.
    const std::map<double, QString> binOf{{1005, "1"}, {1200, "OUT"}, {1050, "AUX"}};
    reportInTurn({1005, 1200, 1050});
    const QString csv = path(QStringLiteral("readings.csv"));
    const QString workbook = path(QStringLiteral("readings.xlsx"));
    start({"--profile", profile, "--part", "1", "--bins", table, "--count", QString::number(kCount), "--csv", csv,
           "--jsonl", "--xlsx", workbook});
    ASSERT_EQ(exitCode(), record::Done) << said().toStdString();

    const QList<QStringList> records = csvRecords(csv);
    ASSERT_EQ(records.size(), kCount + 1) << said().toStdString();
    EXPECT_EQ(records[0].value(kCsvNumbers + kBin), QStringLiteral("bin"));
    const QList<QByteArray> jsonLines = output().trimmed().split('\n');
    ASSERT_EQ(jsonLines.size(), kCount);
    const ReadSheet sheet = ReadFirstSheet(workbook);
    EXPECT_EQ(sheet.cells.at(kWorkbookBinColumn + QStringLiteral("1")).value, QStringLiteral("bin"));
    const QList<QStringList> journal = csvRecords(journalFiles().value(0));
    const QList<QStringList> journalRows = journalReadings(journal);
    ASSERT_EQ(journalRows.size(), kCount);
    store::SqliteConnection database(path(QStringLiteral("data/RLC_Data/measurements.sqlite")));
    store::SqliteStatement stored(database, "SELECT bin FROM reading_rows ORDER BY position", "read the bins");
    for (int row = 1; row <= kCount; ++row) {
        SCOPED_TRACE(row);
        const QString bin = binOf.at(records[row].value(kCsvNumbers).toDouble());
        EXPECT_EQ(records[row].value(kCsvNumbers + kBin), bin);
        EXPECT_EQ(QJsonDocument::fromJson(jsonLines[row - 1]).object()[QStringLiteral("bin")].toString(), bin);
        EXPECT_EQ(sheet.cells.at(kWorkbookBinColumn + QString::number(row + 1)).value, bin);
        EXPECT_EQ(journalRows[row - 1].mid(kJournalNumbers + kBin),
                  (QStringList{bin, "1", "R1k", "1000", "990", "1010"}))
            << "the bin, then the part, its nominal and the verdict's limits";
        ASSERT_TRUE(stored.step());
        EXPECT_EQ(stored.text(0), bin);
    }
    EXPECT_FALSE(stored.step());
    ASSERT_GE(journal.size(), 2);
    EXPECT_EQ(journal[1].value(kEvent), QStringLiteral("bin table\n") + QString::fromUtf8(tableText))
        << "the table in force opens the journal";
}

// The hand-worked lot taken for real: R1k's readings from the simulated meter, sorted by its
// bin table, and rlc-report's figures, from the recorder's journal and from its database,
// are the ones worked out by hand.
TEST_F(RecordProgramTest, AReportOfTheSortedLotGivesTheFiguresWorkedOutByHand)
{
    QList<double> ohms;
    for (const hand_lot::Row& row : hand_lot::Rows())
        if (row.partNumber == 1)
            ohms << row.value.value_or(kOverloadOhm);
    const QString table = path(QStringLiteral("R1k.csv"));
    {
        QFile file(table);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(hand_lot::kBinTable);
    }
    reportInTurn(ohms);
    start({"--profile", writeProfile({resistorPart()}), "--part", "1", "--bins", table, "--lot", "24-117", "--count",
           QString::number(ohms.size())});
    ASSERT_EQ(exitCode(), record::Done) << said().toStdString();
    ASSERT_EQ(journalFiles().size(), 1);

    const QString database = QStringLiteral("sqlite://") + path(QStringLiteral("data/RLC_Data/measurements.sqlite"));
    const QList<QStringList> sources{{journalFiles().first()}, {"--db", database, "--lot", "24-117"}};
    for (const QStringList& source : sources) {
        SCOPED_TRACE(source.join(u' ').toStdString());
        const QString figures = path(QStringLiteral("lot.json"));
        ASSERT_EQ(runReport(source + QStringList{"--json", figures}), record::Done) << said().toStdString();
        QFile file(figures);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        hand_lot::ExpectResistorFigures(QJsonDocument::fromJson(file.readAll()).object());
    }
}

// The part's meter settings, with the interval the options choose, go to the meter as the
// one 5-byte settings command the window sends; without a part only the interval changes.
struct SettingsCase {
    const char* name;
    bool withPart;
    std::optional<const char*> interval;
    quint8 intervalCode; // on the wire
};

class RecordSettings : public RecordProgramTest, public testing::WithParamInterface<SettingsCase> {};

TEST_P(RecordSettings, ArriveOnTheWireAsTheSettingsCommand)
{
    const SettingsCase& c = GetParam();
    QStringList options{"--count", "1"};
    if (c.withPart)
        options << "--profile" << writeProfile({resistorPart()}) << "--part"
                << "1";
    if (c.interval)
        options << "--interval" << QString::fromLatin1(*c.interval);
    const sim::MeterSettings before = simulator->meter().settings();
    start(options);
    ASSERT_EQ(exitCode(), record::Done) << said().toStdString();

    QList<sim::MeterCommand> settingsCommands;
    for (const sim::MeterCommand& command : simulator->receivedCommands())
        if (command.isSettings())
            settingsCommands << command;
    ASSERT_EQ(settingsCommands.size(), 1) << said().toStdString();
    if (c.withPart) {
        meter::TMeterSettings sent = resistorSettings();
        sent.IntervalCode = c.intervalCode;
        const dongle::TMeterCommand expected = dongle::EncodeSettingsCommand(sent, true);
        EXPECT_EQ(settingsCommands.first().bytes, expected.bytes);
    } else {
        sim::MeterSettings expected = before;
        expected.IntervalCode = c.intervalCode;
        EXPECT_EQ(simulator->meter().settings(), expected) << "the meter's own settings stand";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RecordSettings,
                         testing::Values(SettingsCase{"PartAlone", true, std::nullopt, 2},
                                         SettingsCase{"PartAndHalfSecondInterval", true, "0.5", 3},
                                         SettingsCase{"IntervalAloneOnTheMetersOwnSettings", false, "2", 1}),
                         [](const testing::TestParamInfo<SettingsCase>& test) { return std::string(test.param.name); });

// Without a part or an interval nothing is sent: the meter's settings are its own.
TEST_F(RecordProgramTest, WithoutPartOrIntervalNothingIsSent)
{
    start({"--count", "2"});
    ASSERT_EQ(exitCode(), record::Done) << said().toStdString();
    EXPECT_TRUE(simulator->receivedCommands().isEmpty());
}

// SIGTERM in the middle of a recording: it ends cleanly, and every reading it had received
// is in the CSV, the journal and the workbook, one after the other, none missing.
TEST_F(RecordProgramTest, SigtermInTheMiddleLeavesEveryReadingOnDisk)
{
    reportRisingBy10Ohm();
    const QString csv = path(QStringLiteral("readings.csv"));
    const QString workbook = path(QStringLiteral("readings.xlsx"));
    start({"--csv", csv, "--xlsx", workbook});
    ASSERT_TRUE(waitFor([&] { return rowsIn(csv) >= 5; })) << said().toStdString();
    const QList<QStringList> beforeTheSignal = csvRecords(csv);
    terminate();
    ASSERT_EQ(exitCode(), record::Done) << said().toStdString();

    const QList<QStringList> records = csvRecords(csv);
    ASSERT_GE(records.size(), beforeTheSignal.size());
    EXPECT_EQ(records.mid(0, beforeTheSignal.size()), beforeTheSignal);
    expectNoneMissing(records, 1);
    const QList<QStringList> journal = journalReadings(csvRecords(journalFiles().value(0)));
    ASSERT_EQ(journal.size(), records.size() - 1);
    const ReadSheet sheet = ReadFirstSheet(workbook);
    for (qsizetype row = 1; row < records.size(); ++row) {
        EXPECT_EQ(journal[row - 1].mid(0, kTimestamp + 1), records[row].mid(0, kTimestamp + 1)) << row;
        EXPECT_EQ(sheet.cells.at(QStringLiteral("C%1").arg(row + 1)).value, records[row][kPrimary]) << row;
    }
    EXPECT_TRUE(said().contains(QStringLiteral("%1 readings, 0 rejects recorded").arg(records.size() - 1)))
        << said().toStdString();
}

// The dongle is pulled out and plugged in again while recording: the link comes back by
// itself, every reading the meter sent while linked is recorded, and the journal tells of
// the gap.
TEST_F(RecordProgramTest, UnplugAndReplugLoseNothingSentWhileLinked)
{
    reportRisingBy10Ohm();
    const QString csv = path(QStringLiteral("readings.csv"));
    start({"--csv", csv});
    ASSERT_TRUE(waitFor([&] { return rowsIn(csv) >= 3; })) << said().toStdString();
    simulator->unplug();
    ASSERT_TRUE(waitFor([&] { return said().contains(QStringLiteral("was removed")); })) << said().toStdString();
    simulator->replug();
    ASSERT_TRUE(waitFor([&] { return simulator->isLinked(); })) << said().toStdString();
    const qsizetype atReturn = rowsIn(csv);
    ASSERT_TRUE(waitFor([&] { return rowsIn(csv) >= atReturn + 3; })) << said().toStdString();
    simulator->setIntervalOverrideMs(kQuietMs);
    ASSERT_TRUE(waitFor([&] { return rowsIn(csv) == framesSent; })) << rowsIn(csv) << " of " << framesSent;
    terminate();
    ASSERT_EQ(exitCode(), record::Done) << said().toStdString();

    const QList<QStringList> records = csvRecords(csv);
    EXPECT_EQ(records.size() - 1, framesSent);
    expectNoneMissing(records, 1);
    const QList<QStringList> journal = csvRecords(journalFiles().value(0));
    EXPECT_EQ(journalReadings(journal).size(), framesSent);
    EXPECT_EQ(eventCount(journal, QStringLiteral("link lost")), 1);
    EXPECT_EQ(eventCount(journal, QStringLiteral("link back")), 1);
    EXPECT_TRUE(said().contains(QStringLiteral("was removed"))) << "the loss is said: " << said().toStdString();
}

// Frames that waited on the port from before the link are no readings of this recording:
// it counts, numbers and writes only what the meter reports once linked.
TEST_F(RecordProgramTest, FramesWaitingFromBeforeTheLinkAreNotRecorded)
{
    constexpr int kWaiting = 10;
    for (int frame = 0; frame < kWaiting; ++frame)
        simulator->sendFrameNow();
    const int waiting = framesSent;
    start({"--count", "3", "--jsonl"});
    ASSERT_EQ(exitCode(), record::Done) << said().toStdString();

    const QList<QByteArray> lines = output().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3) << output().toStdString();
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(QJsonDocument::fromJson(lines[row - 1]).object()[QStringLiteral("position")].toInt(), row);
    EXPECT_GE(framesSent - waiting, 3) << "the three came from the linked meter";
}

// A recording that has reached its duration ends by itself.
TEST_F(RecordProgramTest, EndsByItselfOnceTheDurationHasPassed)
{
    const QString csv = path(QStringLiteral("readings.csv"));
    start({"--csv", csv, "--duration", "1s"});
    ASSERT_EQ(exitCode(), record::Done) << said().toStdString();
    EXPECT_GE(rowsIn(csv), 1);
}

// A workbook that can no longer be written at the end is said and gives its exit code,
// while the CSV and the journal keep every reading.
TEST_F(RecordProgramTest, WorkbookThatCannotBeWrittenAtTheEndLosesNoReading)
{
    const QString csv = path(QStringLiteral("readings.csv"));
    QDir().mkpath(path(QStringLiteral("workbooks")));
    const QString workbook = path(QStringLiteral("workbooks/readings.xlsx"));
    start({"--csv", csv, "--xlsx", workbook, "--count", "4"});
    ASSERT_TRUE(waitFor([&] { return rowsIn(csv) >= 1; })) << said().toStdString();
    ASSERT_TRUE(QDir(path(QStringLiteral("workbooks"))).removeRecursively());
    ASSERT_EQ(exitCode(), record::FileNotWritten) << said().toStdString();

    EXPECT_TRUE(said().contains(QStringLiteral("cannot write the workbook ") + workbook)) << said().toStdString();
    EXPECT_EQ(rowsIn(csv), 4);
    EXPECT_EQ(journalReadings(csvRecords(journalFiles().value(0))).size(), 4);
}

// A journal that cannot be kept is said at once; the recording goes on into its outputs
// and its exit code tells that a file was not written.
TEST_F(RecordProgramTest, JournalThatCannotBeKeptIsSaidAndTold)
{
    QFile notAFolder(path(QStringLiteral("data")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly)); // where the data folder should be
    notAFolder.close();
    const QString csv = path(QStringLiteral("readings.csv"));
    start({"--csv", csv, "--count", "3"});
    ASSERT_EQ(exitCode(), record::FileNotWritten) << said().toStdString();
    EXPECT_TRUE(said().contains(QStringLiteral("Journal not kept: "))) << said().toStdString();
    EXPECT_EQ(rowsIn(csv), 3);
}

// Each bad input: its exit code, and words that name what to change.
struct BadInputCase {
    const char* name;
    std::function<QStringList(RecordProgramTest&)> options;
    int exitCode;
    std::function<QString(RecordProgramTest&)> said;
};

class RecordBadInput : public RecordProgramTest, public testing::WithParamInterface<BadInputCase> {};

TEST_P(RecordBadInput, GivesItsExitCodeAndSaysWhatToChange)
{
    const BadInputCase& c = GetParam();
    start(c.options(*this));
    EXPECT_EQ(exitCode(), c.exitCode) << said().toStdString();
    const QString expected = c.said(*this);
    EXPECT_TRUE(said().contains(expected)) << "expected \"" << expected.toStdString() << "\" in:\n"
                                           << said().toStdString();
    EXPECT_TRUE(journalFiles().isEmpty()) << "nothing was recorded";
}

const QString kNoPort = QStringLiteral("/nonexistent/port");

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordBadInput,
    testing::Values(
        BadInputCase{"ProfileThatIsNotThere",
                     [](RecordProgramTest& test) {
                         return QStringList{"--profile", test.path("none.hex1"), "--part", "1"};
                     },
                     record::UsageError,
                     [](RecordProgramTest& test) {
                         return QStringLiteral("cannot read the profile: ") + test.path("none.hex1");
                     }},
        BadInputCase{"PartOutsideTheProfile",
                     [](RecordProgramTest& test) {
                         return QStringList{
                             "--profile",
                             test.writeProfile({RecordProgramTest::resistorPart(), RecordProgramTest::resistorPart()}),
                             "--part", "5"};
                     },
                     record::UsageError,
                     [](RecordProgramTest&) { return QStringLiteral("has no part 5: its parts are numbered 1 to 2"); }},
        BadInputCase{"BinTableWithABadLine",
                     [](RecordProgramTest& test) {
                         QFile table(test.path("bins.csv"));
                         table.open(QIODevice::WriteOnly);
                         table.write("bin,mode,low,high,secondary_low,secondary_high\n1,%,2,1,,\naux,off\n");
                         return QStringList{"--bins", table.fileName()};
                     },
                     record::UsageError,
                     [](RecordProgramTest& test) {
                         return QStringLiteral("cannot read the bin table %1: line 2: ").arg(test.path("bins.csv"));
                     }},
        BadInputCase{"BinTableThatIsNotThere",
                     [](RecordProgramTest& test) {
                         return QStringList{"--bins", test.path("none.csv")};
                     },
                     record::UsageError,
                     [](RecordProgramTest& test) {
                         return QStringLiteral("cannot read the bin table %1: ").arg(test.path("none.csv"));
                     }},
        BadInputCase{"CsvWhereNoFileCanBe",
                     [](RecordProgramTest& test) {
                         return QStringList{"--csv", test.path("missing/readings.csv")};
                     },
                     record::FileNotWritten,
                     [](RecordProgramTest& test) {
                         return QStringLiteral("cannot write the CSV file ") + test.path("missing/readings.csv");
                     }},
        BadInputCase{"WorkbookWhereNoFileCanBe",
                     [](RecordProgramTest& test) {
                         return QStringList{"--xlsx", test.path("missing/readings.xlsx")};
                     },
                     record::FileNotWritten,
                     [](RecordProgramTest& test) {
                         return QStringLiteral("cannot write the workbook ") + test.path("missing/readings.xlsx");
                     }},
        BadInputCase{"PortThatIsNotThere",
                     [](RecordProgramTest&) {
                         return QStringList{"--port", kNoPort};
                     },
                     record::LinkFailed,
                     [](RecordProgramTest&) { return QStringLiteral("there is no port ") + kNoPort; }},
        BadInputCase{"DongleThatTakesNoBytes",
                     [](RecordProgramTest& test) {
                         test.simulator->setTakingBytes(false);
                         return QStringList{};
                     },
                     record::LinkFailed,
                     [](RecordProgramTest& test) {
                         return QStringLiteral("Writing to %1 timed out: the dongle stopped taking bytes.")
                             .arg(test.simulator->stablePath());
                     }},
        BadInputCase{"MeterThatRefusesTheLink",
                     [](RecordProgramTest& test) {
                         test.simulator->setConnectOutcome(sim::MeterSimulator::ConnectOutcome::Refuse);
                         return QStringList{"--link-timeout", "4"};
                     },
                     record::LinkFailed,
                     [](RecordProgramTest&) { return QStringLiteral("the meter was not linked within 4 s"); }},
        BadInputCase{"UnknownOption",
                     [](RecordProgramTest&) {
                         return QStringList{"--colour", "red"};
                     },
                     record::UsageError, [](RecordProgramTest&) { return QStringLiteral("Unknown option 'colour'"); }}),
    [](const testing::TestParamInfo<BadInputCase>& test) { return std::string(test.param.name); });

// A run that cannot begin leaves the files of an earlier run as they were.
TEST_F(RecordProgramTest, RunThatCannotLinkLeavesAnEarlierCsvAlone)
{
    const QString csv = path(QStringLiteral("readings.csv"));
    const QByteArray earlier("Position,Time\r\n1,10.12.26 09:30:05\r\n");
    {
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(earlier);
    }
    start({"--port", kNoPort, "--csv", csv});
    ASSERT_EQ(exitCode(), record::LinkFailed) << said().toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), earlier);
}

// A port where nothing answers is no dongle.
TEST_F(RecordProgramTest, PortWhereNothingAnswersIsSaid)
{
    sim::PseudoTerminal silent;
    start({"--port", silent.slavePath()});
    EXPECT_EQ(exitCode(), record::LinkFailed) << said().toStdString();
    EXPECT_TRUE(said().contains(QStringLiteral("nothing answers on ") + silent.slavePath())) << said().toStdString();
}

// Every reading is in the local database as the CSV carries it, with the lot given and the
// bench and user the computer names.
TEST_F(RecordProgramTest, EveryReadingLandsInTheDatabaseWithItsLotAndNumbers)
{
    constexpr int kCount = 50;
    reportRisingBy10Ohm();
    const QString csv = path(QStringLiteral("readings.csv"));
    start({"--lot", "L1", "--count", QString::number(kCount), "--csv", csv});
    ASSERT_EQ(exitCode(), record::Done) << said().toStdString();
    const QList<QStringList> records = csvRecords(csv);
    ASSERT_EQ(records.size(), kCount + 1);

    store::SqliteConnection database(path(QStringLiteral("data/RLC_Data/measurements.sqlite")));
    store::SqliteStatement rows(database,
                                "SELECT primary_value, primary_unit, secondary_value, secondary_unit, frequency_hz, "
                                "level_v, verdict, primary_deviation_pct, secondary_deviation_pct, bin, "
                                "lot, station, operator, taken_at, position FROM reading_rows ORDER BY position",
                                "read the readings");
    const auto number = [](const std::optional<double>& value) {
        return value ? recording::NumberText(*value) : QString();
    };
    int row = 0;
    while (rows.step()) {
        ++row;
        SCOPED_TRACE(row);
        ASSERT_LE(row, kCount);
        const QStringList stored{number(rows.real(0)),
                                 rows.text(1),
                                 number(rows.real(2)),
                                 rows.text(3),
                                 rows.isNull(4) ? QString() : QString::number(rows.integer(4)),
                                 number(rows.real(5)),
                                 rows.text(6),
                                 number(rows.real(7)),
                                 number(rows.real(8)),
                                 rows.text(9)};
        EXPECT_EQ(stored, records[row].mid(kCsvNumbers));
        EXPECT_EQ(rows.text(10), QStringLiteral("L1"));
        EXPECT_EQ(rows.text(11), QSysInfo::machineHostName());
        EXPECT_EQ(rows.text(12), session::DefaultOperator());
        const QString takenAt = rows.text(13);
        EXPECT_TRUE(takenAt.endsWith(u'Z')) << takenAt.toStdString();
        EXPECT_EQ(QDateTime::fromString(takenAt, Qt::ISODateWithMs).toSecsSinceEpoch(),
                  QDateTime::fromString(records[row][kTimestamp], Qt::ISODate).toSecsSinceEpoch());
        EXPECT_EQ(rows.integer(14), row);
    }
    EXPECT_EQ(row, kCount);
}

// The default database as an older program left it, and as a newer one did: the older
// layout is brought up to date with its reading kept and the new ones added; the newer one
// is said, with the file and what to do, left as it is, and the recording goes on in the
// other outputs with the exit code of a file not written.
struct LayoutCase {
    const char* name;
    std::function<void(store::SqliteConnection&)> leave;
    int exitCode;
    qint64 versionAfter;
    qint64 readingsAfter;
};

class RecordIntoDatabaseLayout : public RecordProgramTest, public testing::WithParamInterface<LayoutCase> {};

TEST_P(RecordIntoDatabaseLayout, IsUpgradedOrRefusedInWords)
{
    const LayoutCase& c = GetParam();
    const QString database = path(QStringLiteral("data/RLC_Data/measurements.sqlite"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(database).absolutePath()));
    {
        store::SqliteConnection left(database);
        c.leave(left);
    }
    const QString csv = path(QStringLiteral("readings.csv"));
    start({"--count", "5", "--csv", csv});
    EXPECT_EQ(exitCode(), c.exitCode) << said().toStdString();
    EXPECT_EQ(rowsIn(csv), 5) << "the recording went on";
    if (c.exitCode != record::Done) {
        EXPECT_EQ(said().count(database), 1) << "said once:\n" << said().toStdString();
        EXPECT_TRUE(said().contains(QStringLiteral("written by a newer version of the program")))
            << said().toStdString();
        EXPECT_TRUE(said().contains(QStringLiteral("Update the program, or name another database.")))
            << said().toStdString();
    }
    store::SqliteConnection after(database);
    EXPECT_EQ(after.integer("PRAGMA user_version", "read the layout's version"), c.versionAfter);
    EXPECT_EQ(after.integer("SELECT count(*) FROM readings", "count the readings"), c.readingsAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordIntoDatabaseLayout,
    testing::Values(LayoutCase{"OlderLayoutWithAReading",
                               [](store::SqliteConnection& left) {
                                   store::CreateLocalSchemaUpTo(left, 1);
                                   left.execute(
                                       "INSERT INTO recordings (recording_id, station, operator, started_at, "
                                       "software_version) VALUES ('rec', 'bench 1', 'ann', '2026-12-01T08:00:00.000Z', "
                                       "'0.9');"
                                       "INSERT INTO readings (reading_id, recording_id, position, taken_at) "
                                       "VALUES ('r1', 'rec', 1, '2026-12-01T08:00:01.250Z')",
                                       "fill the old file");
                               },
                               record::Done, store::kLocalSchemaVersion, 6},
                    LayoutCase{"NewerLayout",
                               [](store::SqliteConnection& left) {
                                   store::PrepareLocalSchema(left);
                                   left.execute("PRAGMA user_version = 99", "pretend a later layout");
                               },
                               record::FileNotWritten, 99, 0}),
    [](const testing::TestParamInfo<LayoutCase>& test) { return std::string(test.param.name); });
