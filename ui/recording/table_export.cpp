#include "ui/recording/table_export.h"

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

// Passes every cell on and keeps a progress dialog up to date, once per row.
class ProgressTarget : public SpreadsheetTarget {
public:
    ProgressTarget(SpreadsheetTarget& target, QProgressDialog& progress) : m_target(target), m_progress(progress) {}
    void putCell(int row, int column, const SheetCell& cell) override
    {
        if (row != m_row) {
            m_row = row;
            m_progress.setValue(row);
        }
        m_target.putCell(row, column, cell);
    }
    void finish() override { m_target.finish(); }

private:
    SpreadsheetTarget& m_target;
    QProgressDialog& m_progress;
    int m_row = -1;
};

} // namespace

TableExport::TableExport(QWidget* window) : QObject(window), m_window(window), ExportDialog(new QFileDialog(window))
{
    ExportDialog->setObjectName(QStringLiteral("ExportDialog"));
    ExportDialog->setWindowTitle(QStringLiteral("Сохранить таблицу"));
    ExportDialog->setNameFilter(QStringLiteral("(*.xlsx)"));
    ExportDialog->setOption(QFileDialog::DontUseNativeDialog);
    ExportDialog->setAcceptMode(QFileDialog::AcceptSave);
}

QString TableExport::chooseFile(const QString& extension)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    const QString name = QStringLiteral("RLC_%1.%2").arg(
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")), extension);
    ExportDialog->setDefaultSuffix(extension);
    ExportDialog->setNameFilter(QStringLiteral("(*.%1)").arg(extension));
    ExportDialog->setDirectory(folder);
    ExportDialog->selectFile(QDir(folder).filePath(name));
    if (ExportDialog->exec() != QDialog::Accepted || ExportDialog->selectedFiles().isEmpty())
        return {};
    return ExportDialog->selectedFiles().first();
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
