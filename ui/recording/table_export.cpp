#include "ui/recording/table_export.h"

#include "ui/panel/designed_controls.h"
#include "recording/file_error.h"
#include "recording/log_export.h"
#include "recording/spreadsheet_target.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QProgressDialog>
#include <QStandardPaths>

#include <algorithm>

namespace recording {
namespace {

constexpr int kProgressAfterMs = 500;
// How often the dialog moves on over a whole export. Each move lets the window handle its
// events and repaint the bar: once a row, that was most of the time a long export took.
constexpr int kProgressSteps = 200;

// Passes every cell on and moves a progress dialog on, a step at a time.
class ProgressTarget : public SpreadsheetTarget {
public:
    ProgressTarget(SpreadsheetTarget& target, QProgressDialog& progress) :
        m_target(target), m_progress(progress), m_rowsPerStep(std::max(1, progress.maximum() / kProgressSteps))
    {
    }
    void putCell(int row, int column, const SheetCell& cell) override
    {
        if (row >= m_nextShownRow) {
            m_progress.setValue(row);
            m_nextShownRow = row + m_rowsPerStep;
        }
        m_target.putCell(row, column, cell);
    }
    void finish() override { m_target.finish(); }

private:
    SpreadsheetTarget& m_target;
    QProgressDialog& m_progress;
    const int m_rowsPerStep;
    int m_nextShownRow = 0;
};

} // namespace

TableExport::TableExport(QWidget* window) :
    QObject(window), m_window(window),
    ExportDialog(
        [window] {
            return panel::fileDialog(window, "ExportDialog", QStringLiteral("Сохранить таблицу"),
                                     QStringLiteral("(*.xlsx)"), QFileDialog::AcceptSave);
        },
        [this](QWidget* dialog) { emit partBuilt(dialog); })
{
}

QString TableExport::chooseFile(const QString& extension)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    const QString name =
        QStringLiteral("RLC_%1.%2")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")), extension);
    QFileDialog* dialog = ExportDialog.get();
    dialog->setDefaultSuffix(extension);
    dialog->setNameFilter(QStringLiteral("(*.%1)").arg(extension));
    dialog->setDirectory(folder);
    dialog->selectFile(QDir(folder).filePath(name));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().first();
}

bool TableExport::write(const MeasurementLogModel& log, int gridRows, SpreadsheetTarget& target, QString& failure)
{
    QProgressDialog progress(m_window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setCancelButton(nullptr);
    progress.setMinimumDuration(kProgressAfterMs);
    progress.setRange(0, std::max(gridRows, 1));
    ProgressTarget withProgress(target, progress);
    try {
        ExportLog(log, gridRows, withProgress);
    } catch (const FileError& error) {
        failure = error.message();
        return false;
    }
    return true;
}

} // namespace recording
