#include "record/recorder.h"

#include "localisation/main_lexicons.h"
#include "platform/install_paths.h"
#include "record/console.h"
#include "record/file_check.h"
#include "record/workbook_file.h"
#include "rlc_version.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace record {
namespace {

const QString kCsvWhat = QStringLiteral("the CSV file");

session::BenchIdentity benchOf(const RecordOptions& options)
{
    return session::NamedBench(options.station, options.operatorName, options.lot, QStringLiteral(RLC_VERSION));
}

// Read once: every reading is judged against the numbers. Without a part both tolerances
// are off.
recording::ReferenceValues referenceOf(const std::optional<recording::PartRecord>& part)
{
    if (!part)
        return {};
    return recording::ReadReference(recording::ReferenceOfPart(*part));
}

} // namespace

Recorder::Recorder(RecordOptions options, std::optional<recording::PartRecord> part,
                   const std::optional<bins::BinTable>& binTable, Console& console, QObject* parent) :
    QObject(parent),
    m_options(std::move(options)), m_part(std::move(part)), m_console(console), m_session(m_link, m_texts.lexicons()),
    m_linkLines(m_link, m_texts.lexicons()),
    m_core(m_texts.lexicons(), [this](const QString& line) { m_console.say(line); }),
    m_archive(m_core, m_session, m_texts.lexicons(), [this](const QString& line) { m_console.say(line); }),
    m_settingsPending(m_part.has_value() || m_options.intervalItem.has_value())
{
    m_core.setReference(referenceOf(m_part));
    m_archive.setBench(benchOf(m_options));
    const store::DatabaseChoice database = store::ChooseDatabase(m_options.database);
    m_archive.useDatabase(database.localPath, database.forwarding);
    if (database.forwarding)
        setUpForwarding(database.localPath);
    if (m_part)
        m_partInForce = {m_options.partNumber, m_part->name};
    m_core.setBinTable(binTable, m_partInForce);
    m_linkDeadline.setSingleShot(true);
    m_durationTimer.setSingleShot(true);
    wireLink();
    wireMeter();
    if (!m_texts.englishFound())
        m_console.say(QStringLiteral("the English language file is not in %1; titles and units stay in the "
                                     "built-in language. Reinstalling the program puts it back.")
                          .arg(QDir::toNativeSeparators(m_texts.languageFolder())));
}

Recorder::~Recorder() = default;

void Recorder::wireLink()
{
    using dongle::DongleLink;
    connect(&m_linkLines, &dongle::LinkStatusLines::line, this, [this](const QString& line) { m_console.say(line); });
    connect(&m_link, &DongleLink::connectionFailed, this, [this] {
        m_console.say(QStringLiteral("the meter did not answer the dongle's call; trying again. Is it switched on "
                                     "and near the dongle?"));
    });
    connect(&m_link, &DongleLink::probeFinished, this, &Recorder::dongleProbed);
    connect(&m_link, &DongleLink::meterLinkedUp, this, &Recorder::linkUp);
    connect(&m_link, &DongleLink::meterLinkLost, this, &Recorder::linkDown);
    connect(&m_link, &DongleLink::portClosed, this, &Recorder::linkDown);
    connect(&m_link, &DongleLink::frameArrived, &m_core, &session::RecordingCore::frameArrived);
    connect(&m_linkDeadline, &QTimer::timeout, this, [this] {
        m_console.say(QStringLiteral("the meter was not linked within %1 s. Check that the dongle is plugged in "
                                     "and the meter switched on and near it, or give it longer with "
                                     "--link-timeout.")
                          .arg(m_options.linkTimeout.count()));
        end(LinkFailed);
    });
}

void Recorder::wireMeter()
{
    using session::MeterSession;
    connect(&m_session, &MeterSession::rlcdDecoded, this, &Recorder::rlcdReading);
    const auto otherView = [this] {
        if (!m_core.isLinked() || std::exchange(m_otherViewSaid, true))
            return;
        m_console.say(QStringLiteral("the meter shows its RD or U view; only RLC readings are recorded. Switch the "
                                     "meter to its RLC view."));
    };
    connect(&m_session, &MeterSession::rdDecoded, this, otherView);
    connect(&m_session, &MeterSession::uDecoded, this, otherView);
    connect(&m_session, &MeterSession::settingsShown, &m_core,
            [this] { m_core.followIntervalCode(m_session.settings().IntervalCode); });
    connect(&m_durationTimer, &QTimer::timeout, this, [this] { end(Done); });
}

// The forwarder's lines come before the end that follows its last one.
void Recorder::setUpForwarding(const QString& local)
{
    m_forwarder = std::make_unique<store::Forwarder>(local, *m_options.database);
    m_forwardingLines = std::make_unique<session::ForwardingLines>(*m_forwarder, m_texts.lexicons(), local);
    connect(m_forwardingLines.get(), &session::ForwardingLines::line, this,
            [this](const QString& line) { m_console.say(line); });
    connect(m_forwarder.get(), &store::Forwarder::drained, this, [this] { emit finished(m_exitCode); });
}

// --- the start -----------------------------------------------------------------------------

void Recorder::begin()
{
    if (m_forwarder)
        m_forwarder->start();
    if (!attempt([this] { checkFiles(); }))
        return;
    if (m_options.port.isEmpty())
        m_link.loadPortFinder(install_paths::portFinderFolders(QCoreApplication::applicationDirPath()));
    else
        m_link.usePort(m_options.port);
    m_link.probe();
}

// The dongle has been asked; the recording goes on once it has answered and the outputs
// are open.
void Recorder::dongleProbed(dongle::DongleLink::ProbeResult result)
{
    if (m_ended || !attempt([this, result] {
            requireAnswer(result);
            openOutputs();
        }))
        return;
    m_console.say(QStringLiteral("the dongle answers on %1; linking to the meter").arg(m_link.portName()));
    m_link.setAutoConnect(true);
    waitForLink();
}

bool Recorder::attempt(const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const RecordError& error) {
        m_console.say(error.message());
        end(error.code());
        return false;
    }
}

void Recorder::checkFiles()
{
    if (!m_options.csvPath.isEmpty())
        CheckCanBeWritten(m_options.csvPath, kCsvWhat);
    if (!m_options.xlsxPath.isEmpty())
        CheckCanBeWritten(m_options.xlsxPath, kWorkbookWhat);
}

void Recorder::openOutputs()
{
    const QStringList titles = m_core.log().headerTexts();
    if (!m_options.csvPath.isEmpty())
        m_outputs.push_back(std::make_unique<CsvRows>(LineFile::create(m_options.csvPath, kCsvWhat), titles));
    if (m_options.jsonLines)
        m_outputs.push_back(std::make_unique<JsonRows>(LineFile::standardOutput()));
    else if (m_options.rowsGoToStandardOutput())
        m_outputs.push_back(std::make_unique<CsvRows>(LineFile::standardOutput(), titles));
}

void Recorder::requireAnswer(dongle::DongleLink::ProbeResult result)
{
    switch (result) {
    case dongle::DongleLink::ProbeResult::NoDongle:
        if (m_options.port.isEmpty())
            throw RecordError(LinkFailed,
                              QStringLiteral("no dongle found. Plug the meter's dongle in, or name its "
                                             "serial port with --port."));
        throw RecordError(LinkFailed,
                          QStringLiteral("there is no port %1. Check the path given with --port and "
                                         "that the dongle is plugged in.")
                              .arg(m_options.port));
    case dongle::DongleLink::ProbeResult::CannotOpen:
        throw RecordError(LinkFailed,
                          QStringLiteral("the dongle's port %1 cannot be used, as said above.").arg(m_link.portName()));
    case dongle::DongleLink::ProbeResult::Silent:
        throw RecordError(LinkFailed,
                          QStringLiteral("nothing answers on %1: it is not the dongle, or the dongle "
                                         "is stuck. Unplug it and plug it in again.")
                              .arg(m_link.portName()));
    case dongle::DongleLink::ProbeResult::Answered: break;
    }
}

// --- the link ------------------------------------------------------------------------------

void Recorder::waitForLink()
{
    if (m_options.linkTimeout.count() > 0)
        m_linkDeadline.start(m_options.linkTimeout);
}

// The recording, and its journal, begin with the first link, so that a meter that never
// links leaves none.
void Recorder::linkUp()
{
    m_linkDeadline.stop();
    m_core.linkUp();
    m_core.start();
}

// The port closing and the dongle's word may both tell of one loss.
void Recorder::linkDown()
{
    if (!m_core.isLinked())
        return;
    m_core.linkDown();
    waitForLink();
}

// --- readings ------------------------------------------------------------------------------

// Only what the meter reports while linked is a reading: frames a dongle left waiting on
// its port from an earlier link are stale. The settings go out once the meter has
// reported: it tells its own settings and the state of its brightness key, which stand
// where the part and the options say nothing. The readings of the old settings are not
// recorded; the link holds the next ones back until the meter has taken the new settings.
void Recorder::rlcdReading()
{
    if (m_ended || !m_core.isLinked())
        return;
    if (m_settingsPending) {
        sendSettings();
        return;
    }
    recordReading();
}

void Recorder::sendSettings()
{
    if (!m_link.isMeterLinked())
        return;
    if (m_part)
        m_session.applyStoredSettings(m_part->settings);
    if (m_options.intervalItem)
        m_session.setIntervalItem(*m_options.intervalItem);
    m_session.submit();
    m_settingsPending = false;
    if (m_part)
        m_console.say(QStringLiteral("the settings of part %1 \"%2\" went to the meter")
                          .arg(m_options.partNumber)
                          .arg(m_part->name));
    else
        m_console.say(QStringLiteral("the report interval went to the meter"));
}

void Recorder::recordReading()
{
    m_core.judge(m_session);
    const QDateTime when = QDateTime::currentDateTime();
    const recording::LogRowResult logged = m_core.logReading(m_session, m_partInForce, when);
    const RecordedRow row = RecordedRowOf(m_core.log(), logged.writtenRow, when);
    writeRow(row);
    if (m_ended)
        return;
    ++m_readings;
    if (row.judged() && row.verdict != recording::VerdictPass)
        ++m_rejects;
    showProgress(row);
    if (m_readings == 1 && m_options.duration)
        m_durationTimer.start(*m_options.duration);
    if (m_core.isFull() && !std::exchange(m_fullTableSaid, true))
        m_console.say(QStringLiteral("the table is full at %1 rows: from now on the workbook's last row holds the "
                                     "latest reading. The CSV and the journal keep every one.")
                          .arg(recording::MaxStartPosition));
    if (m_options.count && m_readings >= *m_options.count)
        end(Done);
}

// The core has put the row in the journal: it is what survives whatever happens next.
void Recorder::writeRow(const RecordedRow& row)
{
    try {
        for (const auto& output : m_outputs)
            output->write(row);
    } catch (const RecordError& error) {
        m_console.say(error.message());
        end(error.code());
    }
}

void Recorder::showProgress(const RecordedRow& row)
{
    using Log = recording::MeasurementLogModel;
    m_console.showProgress(ProgressText(m_readings, m_rejects, row.cells[Log::PrimaryColumn]));
}

// --- the end -------------------------------------------------------------------------------

void Recorder::end(ExitCode code)
{
    if (std::exchange(m_ended, true))
        return;
    m_linkDeadline.stop();
    m_durationTimer.stop();
    m_link.stopWatching();
    m_console.endProgress();
    code = finishFiles(code);
    m_core.finish();
    if (m_forwarder) {
        // The recording is closed and stored: the forwarder finds all of it.
        m_exitCode = code;
        m_forwarder->drain();
        return;
    }
    emit finished(code);
}

// The workbook is written once the meter has been linked: before, nothing was recorded.
ExitCode Recorder::finishFiles(ExitCode code)
{
    const auto worse = [&code](ExitCode failure) { return code == Done ? failure : code; };
    if (!m_core.isRecording())
        return code;
    if (!m_options.xlsxPath.isEmpty()) {
        try {
            // The title row at least, as the window's export writes it.
            WriteWorkbook(m_core.log(), std::max(m_core.loggedRows(), 1), m_options.xlsxPath);
        } catch (const RecordError& error) {
            m_console.say(error.message() + QStringLiteral("; every reading is in the other outputs and the journal."));
            code = worse(error.code());
        }
    }
    if (m_core.journalFailed() || m_archive.failed())
        code = worse(FileNotWritten);
    QString summary = CountsText(m_readings, m_rejects) + QStringLiteral(" recorded");
    if (!m_core.journalPath().isEmpty())
        summary += QStringLiteral("; journal ") + QDir::toNativeSeparators(m_core.journalPath());
    m_console.say(summary);
    return code;
}

} // namespace record
