#pragma once
#include "ui/panel/built_on_first_use.h"

#include <QObject>
#include <QString>

class QFileDialog;
class QWidget;

namespace recording {

class MeasurementLogModel;
class SpreadsheetTarget;

// The window's part of an export: a save dialog that proposes a dated file in the user's
// documents, and the writing of the table's rows with a progress dialog for long tables.
// The dialog is one object the tests answer like a user ("ExportDialog"), built the first
// time a file is asked for.
class TableExport : public QObject {
    Q_OBJECT
public:
    explicit TableExport(QWidget* window);

    // The file the user chose, with the given extension; empty when cancelled.
    QString chooseFile(const QString& extension);
    // Writes the first gridRows rows of the log (headers in row 0) into the target; false,
    // and the reason in failure, when a cell or the file could not be written.
    bool write(const MeasurementLogModel& log, int gridRows, SpreadsheetTarget& target, QString& failure);

signals:
    // The save dialog was built, the first time a file was asked for.
    void partBuilt(QWidget* part);

private:
    QWidget* m_window;
    panel::BuiltOnFirstUse<QFileDialog> ExportDialog;
};

} // namespace recording
