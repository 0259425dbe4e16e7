// The recording journal: every logged row also goes, the moment it is logged, to a CSV
// file on disk, so that a crash or a power cut loses at most the row being written.
#include "form1.h"

#include "file_error.h"
#include "main_lexicons.h"
#include "measurement_log_model.h"
#include "recording_journal.h"
#include "state_file.h"
#include "trend_chart_window.h"

#include <QDir>

namespace {

QString journalFolder()
{
    return recording::state_file::DefaultFolder() + QStringLiteral("/journal");
}

} // namespace

void TForm1::onRecordingStarted()
{
    openJournal();
    TrendWindow->clear();
}

void TForm1::openJournal()
{
    QStringList headers;
    for (int column = 0; column < recording::MeasurementLogModel::ColumnCount; ++column)
        headers << LogModel->headerText(column);
    try {
        m_journal = std::make_unique<recording::RecordingJournal>(journalFolder(), QDateTime::currentDateTime(), headers);
        appendStatus(lexicons->D4.GetItem(0) + QDir::toNativeSeparators(m_journal->path()));
    } catch (const recording::FileError& error) {
        m_journal.reset();
        appendStatus(lexicons->D4.GetItem(1) + error.message());
    }
}

void TForm1::onRowLogged(int gridRow, const QDateTime& when)
{
    if (!m_journal)
        openJournal();
    if (m_journal) {
        try {
            m_journal->appendRow(LogModel->gridRowTexts(gridRow), when, LogModel->gridRowVerdict(gridRow));
        } catch (const recording::FileError& error) {
            appendStatus(lexicons->D4.GetItem(1) + error.message());
            m_journal.reset();
        }
    }
    feedTrendChart(when, LogModel->gridRowVerdict(gridRow));
}
