#pragma once
// rlc-record in a process of its own, against the simulated meter on a pseudo-terminal of
// this process, with a data folder of its own. Waiting keeps this process's event loop
// turning, so the simulator answers while the recorder runs.
#include "csv_reader.h"
#include "link/dongle_link.h"
#include "meter/meter_settings.h"
#include "recording/part_record.h"
#include "recording/profile_file.h"
#include "sim/meter_simulator.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>

// rlc-record and its simulated meter, for the recorder's tests and for any test that sets
// the recorder beside the window. A leftover recorder is killed at the end.
class RecorderRun {
public:
    static constexpr int kReportMs = 40;
    static constexpr int kQuietMs = 600000;
    static constexpr int kWaitMs = 20000;
    // Longer than the link holds frames off after sending settings.
    static constexpr int kSettingsQuietMs = dongle::DongleLink::kCommandHoldMs + 500;

    // Throws like the simulator when no pseudo-terminal can be had.
    RecorderRun()
    {
        simulator = std::make_unique<sim::MeterSimulator>(path(QStringLiteral("dongle")));
        simulator->setLinkDelayMs(20);
        simulator->setIntervalOverrideMs(kReportMs);
        QObject::connect(simulator.get(), &sim::MeterSimulator::frameSent, [this] { ++framesSent; });
    }

    ~RecorderRun()
    {
        if (recorder.state() != QProcess::NotRunning) {
            ::kill(pid_t(recorder.processId()), SIGKILL);
            waitFor([&] { return recorder.state() == QProcess::NotRunning; });
        }
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    static bool waitFor(const std::function<bool()>& condition, int ms = kWaitMs)
    {
        return QTest::qWaitFor(condition, ms);
    }

    // On the simulator's port unless the options name one.
    void start(QStringList options)
    {
        if (!options.contains(QStringLiteral("--port")))
            options = QStringList{QStringLiteral("--port"), simulator->stablePath()} + options;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
        env.remove(QStringLiteral("RLC_DONGLE_PORT"));
        recorder.setProcessEnvironment(env);
        recorder.start(QStringLiteral(RLC_BIN_DIR "/rlc-record"), options);
        ASSERT_TRUE(recorder.waitForStarted(5000));
    }

    // rlc-report run to its end on what the recorder left, with its words added to said().
    int runReport(const QStringList& arguments)
    {
        QProcess report;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Qt Gui asks for the user's runtime folder, which a login session gives.
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QString()));
        report.setProcessEnvironment(env);
        report.start(QStringLiteral(RLC_BIN_DIR "/rlc-report"), arguments);
        if (!report.waitForFinished(kWaitMs))
            return -1;
        errors += QString::fromUtf8(report.readAllStandardError());
        return report.exitStatus() == QProcess::NormalExit ? report.exitCode() : -1;
    }

    // The recorder's exit code once it has ended by itself, or -1.
    int exitCode(int ms = kWaitMs)
    {
        if (!waitFor([&] { return recorder.state() == QProcess::NotRunning; }, ms))
            return -1;
        return recorder.exitStatus() == QProcess::NormalExit ? recorder.exitCode() : -1;
    }

    void terminate() { ::kill(pid_t(recorder.processId()), SIGTERM); }

    // Everything the recorder said on standard error, and wrote to standard output, so far.
    const QString& said()
    {
        errors += QString::fromUtf8(recorder.readAllStandardError());
        return errors;
    }
    const QByteArray& output()
    {
        out += recorder.readAllStandardOutput();
        return out;
    }

    // The records of a CSV file the recorder wrote, after the byte-order mark.
    static QList<QStringList> csvRecords(const QString& file)
    {
        QFile csv(file);
        if (!csv.open(QIODevice::ReadOnly))
            return {};
        QByteArray bytes = csv.readAll();
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        return parseCsv(QString::fromUtf8(bytes));
    }
    // The readings in it: every record after the titles.
    static qsizetype rowsIn(const QString& file) { return std::max<qsizetype>(csvRecords(file).size() - 1, 0); }

    QStringList journalFiles() const
    {
        const QDir journals(path(QStringLiteral("data/RLC_Data/journal")));
        QStringList files;
        for (const QString& name : journals.entryList({QStringLiteral("*.csv")}, QDir::Files))
            files << journals.filePath(name);
        return files;
    }

    // A profile whose part n is parts[n - 1].
    QString writeProfile(const QList<recording::PartRecord>& parts)
    {
        const QString file = path(QStringLiteral("parts.hex1"));
        recording::profile_file::CreateProfile(file, parts.first());
        for (int n = 2; n <= parts.size(); ++n)
            recording::profile_file::StorePart(file, n, parts[n - 1]);
        return file;
    }

    // R and Q in series at 1 kHz, 1 V, reports every second.
    static meter::TMeterSettings resistorSettings()
    {
        meter::TMeterSettings settings;
        settings.FreqIndex = 3;
        settings.PrimKind = quint8(meter::PrimaryParameter::Resistance);
        settings.SecKind = quint8(meter::SecondaryParameter::Quality);
        settings.LevelIndex = 1;
        settings.SerPer = 1;
        settings.IntervalCode = 2;
        settings.Sound = 1;
        return settings;
    }

    // 1 kΩ within 1 %, the secondary off.
    static recording::PartRecord resistorPart()
    {
        recording::PartRecord part;
        part.name = QStringLiteral("R1k");
        part.primaryTolerance = QStringLiteral("1%");
        part.primaryNominal = QStringLiteral("1000");
        part.secondaryTolerance = recording::StoredToleranceOff;
        part.secondaryKind = quint8(recording::SecondaryReferenceKind::Quality);
        part.secondaryNominal = QStringLiteral("50");
        part.settings = resistorSettings().toBytes();
        return part;
    }

    // From now on the meter reports these resistances in turn, each once, with Q = 10. When
    // the meter takes new settings, the recorder's link drops what it reports for a while;
    // the meter keeps quiet through that while and then starts the turn again from the
    // first, so that a recording of a part begins with ohms[0].
    void reportInTurn(const QList<double>& ohms)
    {
        auto next = std::make_shared<qsizetype>(0);
        const auto queue = [this, ohms, next] {
            const double ohm = ohms[*next % ohms.size()];
            ++*next;
            simulator->meter().setNextReading(sim::RlcdReading{ohm, 10 * ohm});
        };
        queue();
        QObject::connect(simulator.get(), &sim::MeterSimulator::frameSent, [this, queue] {
            simulator->setIntervalOverrideMs(kReportMs);
            queue();
        });
        QObject::connect(simulator.get(), &sim::MeterSimulator::commandReceived,
                         [this, queue, next](const sim::MeterCommand& command) {
                             if (!command.isSettings())
                                 return;
                             *next = 0;
                             queue();
                             simulator->setIntervalOverrideMs(kSettingsQuietMs);
                         });
    }

    // From now on each report is 10 Ω more than the one before, from 1 kΩ on, and reactance-free.
    void reportRisingBy10Ohm()
    {
        auto ohm = std::make_shared<double>(1000);
        const auto queue = [this, ohm] {
            simulator->meter().setNextReading(sim::RlcdReading{*ohm, 0});
            *ohm += 10;
        };
        queue();
        QObject::connect(simulator.get(), &sim::MeterSimulator::frameSent, queue);
    }

    QTemporaryDir folder;
    std::unique_ptr<sim::MeterSimulator> simulator;
    QProcess recorder;
    int framesSent = 0;
    QString errors;
    QByteArray out;
};

// Public, so that the cases of a table can set up through it.
class RecordProgramTest : public testing::Test, public RecorderRun {
public:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
};
