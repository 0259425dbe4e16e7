// Exports of the table: the spreadsheet workbook of the export button, and CSV beside it.
// Both ask for the file, write it with a progress dialog for long tables, and never delete
// a file they wrote.
#include "form1.h"

#include "csv_target.h"
#include "file_error.h"
#include "log_export.h"
#include "main_lexicons.h"
#include "measurement_log_model.h"
#include "spreadsheet_target.h"
#include "xlsx_target.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace {

constexpr int kProgressAfterMs = 500;

// Passes every cell on and keeps a progress dialog up to date, once per row.
class ProgressTarget : public recording::SpreadsheetTarget {
public:
    ProgressTarget(recording::SpreadsheetTarget& target, QProgressDialog& progress)
        : m_target(target), m_progress(progress)
    {
    }
    void putCell(int row, int column, const recording::SheetCell& cell) override
    {
        if (row != m_row) {
            m_row = row;
            m_progress.setValue(row);
        }
        m_target.putCell(row, column, cell);
    }
    void finish() override { m_target.finish(); }

private:
    recording::SpreadsheetTarget& m_target;
    QProgressDialog& m_progress;
    int m_row = -1;
};

} // namespace

QString TForm1::chooseExportFile(const QString& extension)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    const QString name = QStringLiteral("RLC_%1.%2")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")), extension);
    ExportDialog->setDefaultSuffix(extension);
    ExportDialog->setNameFilter(QStringLiteral("(*.%1)").arg(extension));
    ExportDialog->setDirectory(folder);
    ExportDialog->selectFile(QDir(folder).filePath(name));
    if (ExportDialog->exec() != QDialog::Accepted || ExportDialog->selectedFiles().isEmpty())
        return {};
    return ExportDialog->selectedFiles().first();
}

bool TForm1::exportRows(recording::SpreadsheetTarget& target, int rowCount, QString& failure)
{
    QProgressDialog progress(this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setCancelButton(nullptr);
    progress.setMinimumDuration(kProgressAfterMs);
    progress.setRange(0, std::max(rowCount, 1));
    ProgressTarget withProgress(target, progress);
    try {
        recording::ExportLog(*LogModel, rowCount, withProgress);
    } catch (const recording::FileError& error) {
        failure = error.message();
        return false;
    }
    return true;
}

void TForm1::Button4Click()
{
    setRecordingStopped();
    Button4->setEnabled(false);
    const QString path = chooseExportFile(QStringLiteral("xlsx"));
    if (path.isEmpty()) {
        Button4->setEnabled(true);
        return;
    }
    std::unique_ptr<recording::XlsxTarget> workbook;
    try {
        workbook = std::make_unique<recording::XlsxTarget>(path);
    } catch (const recording::FileError& error) {
        Button4->setEnabled(true);
        showToolkitError(error.message());
        return;
    }
    if (isMultiPartMode())
        LogRow = PartCount + 1;
    QString failure;
    const bool written = exportRows(*workbook, LogRow, failure);
    workbook.reset();
    Button4->setEnabled(true);
    if (!written) {
        // As after any failure while the cells go out: the next export starts afresh.
        LogRow = 0;
        showPlainMessage(lexicons->D4.GetItem(3) + failure);
        return;
    }
    appendStatus(lexicons->D4.GetItem(4) + QDir::toNativeSeparators(path));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        showPlainMessage(lexicons->D4.GetItem(5) + QDir::toNativeSeparators(path));
}

void TForm1::Button_CSVClick()
{
    const QString path = chooseExportFile(QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const int rowCount = isMultiPartMode() ? PartCount + 1 : LogRow;
    QString failure;
    bool written = false;
    try {
        recording::CsvTarget file(path);
        written = exportRows(file, rowCount, failure);
    } catch (const recording::FileError& error) {
        failure = error.message();
    }
    if (!written) {
        showPlainMessage(lexicons->D4.GetItem(3) + failure);
        return;
    }
    appendStatus(lexicons->D4.GetItem(2) + QDir::toNativeSeparators(path));
}

void TForm1::wireExports()
{
    ExportDialog = new QFileDialog(this);
    ExportDialog->setObjectName(QStringLiteral("ExportDialog"));
    ExportDialog->setWindowTitle(QStringLiteral("Сохранить таблицу"));
    ExportDialog->setNameFilter(QStringLiteral("(*.xlsx)"));
    ExportDialog->setOption(QFileDialog::DontUseNativeDialog);
    ExportDialog->setAcceptMode(QFileDialog::AcceptSave);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button_CSV, &QPushButton::clicked, this, &TForm1::Button_CSVClick);
}
