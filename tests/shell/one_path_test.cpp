// The window and rlc-record keep one recording the same way: the same frames, the same
// unplugging, silence and journal failure give the same rows, the same marks and the same
// journal, timestamps aside, and each says the journal failure once.
#include "file_size_limit.h"
#include "recording_window.h"

#include "../record/record_program.h"
#include "recording/csv_format.h"
#include "recording/row_numbers.h"

#include <QFileInfo>
#include <QSignalSpy>

#include <sys/resource.h>

#include <csignal>

namespace {

using Log = recording::MeasurementLogModel;

constexpr double kOverloadOhm = 3e7;
constexpr int kSilenceWaitMs = 30000;

// What one program makes of the script: how it is watched and how its files are limited.
struct Program {
    sim::MeterSimulator* simulator = nullptr;
    std::function<int()> rowsLogged;
    std::function<QString()> journalPath;
    std::function<void(qint64 bytes)> limitFileSize;
};

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool journalHas(const Program& program, const char* event)
{
    return fileContent(program.journalPath()).contains(event);
}

// One reading the meter reports; returns once the program has logged it.
void measure(const Program& program, double ohm)
{
    const int before = program.rowsLogged();
    program.simulator->meter().setNextReading(sim::RlcdReading{ohm, -1.0});
    program.simulator->sendFrameNow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.rowsLogged() > before; }, WindowTest::kWaitMs))
        << "reading " << ohm << " was never logged";
}

// The same frames and faults for either program, once it records.
void runScript(const Program& program)
{
    for (double ohm : {100.0, 220.0, 330.0, kOverloadOhm})
        measure(program, ohm);

    program.simulator->unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return journalHas(program, "link lost"); }, WindowTest::kWaitMs));
    program.simulator->replug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return journalHas(program, "link back"); }, WindowTest::kWaitMs));
    measure(program, 470);

    ASSERT_TRUE(QTest::qWaitFor([&] { return journalHas(program, "no readings"); }, kSilenceWaitMs));
    measure(program, 560);
    ASSERT_TRUE(journalHas(program, "readings again"));

    program.limitFileSize(QFileInfo(program.journalPath()).size());
    for (double ohm : {680.0, 820.0})
        measure(program, ohm);
}

// A journal as lines of fields, the time of day and the timestamp taken out.
QList<QStringList> journalWithoutTimes(const QString& path)
{
    QByteArray bytes = fileContent(path);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QList<QStringList> lines = parseCsv(QString::fromUtf8(bytes));
    constexpr int kTimestampField = Log::ColumnCount;
    for (QStringList& fields : lines) {
        if (fields.size() > kTimestampField)
            fields.removeAt(kTimestampField);
        fields.removeAt(Log::TimeColumn);
    }
    return lines;
}

// A row as rlc-record's CSV carries it, the time of day and the timestamp taken out.
QStringList withoutTimes(QStringList fields)
{
    fields.removeAt(Log::ColumnCount); // the timestamp
    fields.removeAt(Log::TimeColumn);
    return fields;
}

class OnePathTest : public RecordingWindowTest {
protected:
    struct Outcome {
        QList<QStringList> rows;
        QList<QStringList> journal;
        int journalFailureSaid = 0;
    };

    QString journalNotKept() const { return lexicons().D4.GetItem(localisation::JournalNotKept); }

    Outcome recordInTheWindow()
    {
        Outcome outcome;
        pointFinderAt(simulator->stablePath());
        startQuietWindow();
        click("CheckBox_connect_auto");
        EXPECT_TRUE(waitFor([&] { return meterLinked() && child("SP1")->isEnabled(); })) << memo().toStdString();
        click("SP1");
        session::RecordingCore& core = form->recordingCore();
        QSignalSpy logged(&core, &session::RecordingCore::rowLogged);
        const QString journal = core.journalPath(); // the core forgets it once it gives the journal up
        std::unique_ptr<FileSizeLimit> limit;
        runScript(Program{simulator.get(), [&] { return int(logged.count()); }, [&] { return journal; },
                          [&](qint64 bytes) { limit = std::make_unique<FileSizeLimit>(bytes); }});
        limit.reset();
        click("SP1");

        for (int row = 1; row <= logged.count(); ++row) {
            const std::array<QString, Log::ColumnCount> cells = log().gridRowTexts(row);
            const std::optional<recording::RowNumbers>& numbers = log().gridRowNumbers(row);
            QStringList fields(cells.begin(), cells.end());
            fields << QString() << recording::VerdictWord(numbers ? numbers->verdict : std::nullopt)
                   << recording::NumericTexts(numbers);
            outcome.rows << withoutTimes(fields);
        }
        outcome.journal = journalWithoutTimes(journal);
        outcome.journalFailureSaid = int(memo().count(journalNotKept()));
        return outcome;
    }

    Outcome recordWithTheRecorder()
    {
        Outcome outcome;
        RecorderRun recorder;
        recorder.simulator->setIntervalOverrideMs(kNoAutomaticFramesMs);
        // A file that grows past its limit fails its write; the signal must not end the program.
        recorder.recorder.setChildProcessModifier([] { std::signal(SIGXFSZ, SIG_IGN); });
        recorder.start({});
        const auto journal = [&recorder] {
            const QStringList files = recorder.journalFiles();
            return files.isEmpty() ? QString() : files.first();
        };
        EXPECT_TRUE(recorder.waitFor([&] { return recorder.simulator->isLinked() && !journal().isEmpty(); }))
            << recorder.said().toStdString();
        const auto rows = [&recorder] {
            return int(std::max<qsizetype>(recorder.output().count('\n') - 1, 0)); // after the titles
        };
        const auto limitFileSize = [&recorder](qint64 bytes) {
            const rlimit limit{rlim_t(bytes), RLIM_INFINITY};
            ASSERT_EQ(::prlimit(pid_t(recorder.recorder.processId()), RLIMIT_FSIZE, &limit, nullptr), 0);
        };
        runScript(Program{recorder.simulator.get(), rows, journal, limitFileSize});
        recorder.terminate();
        EXPECT_EQ(recorder.exitCode(), 3) << "a journal that was given up makes the exit code 3";

        const QList<QStringList> records = parseCsv(QString::fromUtf8(recorder.output()));
        for (qsizetype record = 1; record < records.size(); ++record)
            outcome.rows << withoutTimes(records[record]);
        outcome.journal = journalWithoutTimes(journal());
        outcome.journalFailureSaid = int(recorder.said().count(journalNotKept()));
        return outcome;
    }
};

TEST_F(OnePathTest, WindowAndRecorderKeepTheSameRecording)
{
    const Outcome window = recordInTheWindow();
    ASSERT_FALSE(HasFatalFailure());
    const Outcome recorder = recordWithTheRecorder();
    ASSERT_FALSE(HasFatalFailure());

    ASSERT_EQ(window.rows.size(), 8) << "every reading has its row, the ones after the journal failed too";
    EXPECT_EQ(window.rows, recorder.rows);
    constexpr int kPrimaryValueField = Log::ColumnCount; // the verdict word before it, both times gone
    for (qsizetype row = 0; row < window.rows.size(); ++row) {
        const bool overload = row == 3;
        EXPECT_EQ(window.rows[row][kPrimaryValueField].isEmpty(), overload) << "row " << row + 1;
    }

    QStringList events;
    for (const QStringList& line : window.journal)
        if (line.size() > Log::ColumnCount && !line[Log::ColumnCount].isEmpty())
            events << line[Log::ColumnCount];
    EXPECT_EQ(events,
              (QStringList{QStringLiteral("Event"), QStringLiteral("link lost"), QStringLiteral("link back"),
                           QStringLiteral("no readings"), QStringLiteral("readings again")}));
    EXPECT_EQ(window.journal, recorder.journal);

    EXPECT_EQ(window.journalFailureSaid, 1);
    EXPECT_EQ(recorder.journalFailureSaid, 1);
}

} // namespace
