#include "ui/recording/trend_feed.h"

#include "localisation/main_lexicons.h"
#include "meter/unit_texts.h"
#include "recording/primary_quantity.h"
#include "report/journal_source.h"
#include "report/report_error.h"
#include "report/report_files.h"
#include "session/recording_core.h"
#include "ui/recording/reference_box.h"
#include "session/meter_session.h"
#include "ui/trend/trend_chart_window.h"

#include <QDir>

#include <cmath>
#include <optional>

namespace recording {

TrendFeed::TrendFeed(const session::MeterSession& session, const ReferenceBox& references,
                     const session::RecordingCore& core, const session::RecordingArchive& archive,
                     const localisation::MainLexicons& lexicons, QWidget* window) :
    QObject(window),
    m_session(session), m_references(references), m_core(core), m_archive(archive), m_lexicons(lexicons),
    m_window(
        [window] {
            auto* chart = new trend::TrendChartWindow(window);
            chart->hide();
            return chart;
        },
        [this](QWidget* chart) {
            connect(static_cast<trend::TrendChartWindow*>(chart), &trend::TrendChartWindow::lotReportRequested, this,
                    &TrendFeed::writeLotReport);
            emit partBuilt(chart);
        })
{
}

void TrendFeed::showTexts()
{
    m_window.get()->setTexts(m_lexicons.D4.GetItem(localisation::TrendTitle),
                             m_lexicons.D2.GetItem(localisation::TimeTitle),
                             m_lexicons.D1.GetItem(localisation::FailedMessage));
}

void TrendFeed::rowLogged(const QDateTime& when, VerdictCode verdict)
{
    const auto shown = DisplayedPrimary(m_session.settings(), m_session.lastReading(), m_session.testFreqHz());
    if (!shown || !std::isfinite(shown->value))
        return;
    showTexts();
    trend::TrendChartWindow* chart = m_window.get();
    chart->setQuantity(*meter::PrimaryLetter(shown->parameter),
                       meter::UnitTexts::From(m_lexicons).unitOf(shown->parameter));
    std::optional<trend::Reference> reference;
    if (const auto band = shown->referenceKind ? m_references.primaryBand(*shown->referenceKind) : std::nullopt)
        reference = trend::Reference{band->nominal, band->lower, band->upper};
    chart->setReference(reference);
    chart->addReading(when, shown->value, verdict != VerdictPass);
}

// The chart is built as the recording starts rather than at its first reading, so that
// building it never holds up the readings coming in.
void TrendFeed::recordingToggled(bool running)
{
    if (!running)
        return;
    m_window.get()->clear();
    m_recordingBench = m_archive.bench();
}

void TrendFeed::writeLotReport(const QString& htmlPath)
{
    trend::TrendChartWindow* chart = m_window.get();
    const QString journal = m_core.journalPath();
    if (journal.isEmpty()) {
        chart->showReportOutcome(m_lexicons.D4.GetItem(localisation::NoJournalToReport));
        return;
    }
    try {
        const report::ReportPaths paths = report::HtmlAndPdfBeside(htmlPath);
        report::Lot lot = report::ReadJournal(journal);
        if (m_recordingBench) {
            report::LotOrigin& origin = lot.origin();
            origin.lot = m_recordingBench->lot;
            origin.station = m_recordingBench->station;
            origin.operatorName = m_recordingBench->operatorName;
            origin.softwareVersion = m_recordingBench->softwareVersion;
        }
        report::WriteReport(lot, paths);
        chart->showReportOutcome(m_lexicons.D4.GetItem(localisation::LotReportWritten)
                                 + QDir::toNativeSeparators(paths.html) + QStringLiteral(", ")
                                 + QDir::toNativeSeparators(paths.pdf));
    } catch (const report::ReportError& error) {
        // The reason names the file and what went wrong with it, in the report's own words.
        chart->showReportOutcome(m_lexicons.D4.GetItem(localisation::LotReportNotWritten) + error.message());
    }
}

void TrendFeed::show()
{
    showTexts();
    trend::TrendChartWindow* chart = m_window.get();
    chart->show();
    chart->raise();
    chart->activateWindow();
}

} // namespace recording
