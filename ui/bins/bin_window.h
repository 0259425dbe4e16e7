#pragma once
#include "recording/bin.h"
#include "bins/bin_table.h"

#include <QStringList>
#include <QWidget>

#include <map>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace bins {

class BinTableModel;

// The texts of the window, in the interface language.
struct BinWindowTexts {
    QString title;
    QStringList columnHeadings; // the editor's, in BinTableModel's order
    QString aux, addBin, removeBin, importTable, exportTable, resetCounts, lastReading, noTable, fileFilter;
};

// A tool window for sorting into bins beside a recording: the current part's bin table in
// an editor (bins added and removed, AUX on or off, import and export as CSV), the bin of
// the last reading in letters large enough to read from across a bench, and the count of
// each bin in the recording so far, with a reset. It keeps no file and no count of its own:
// it shows what it is given and says what the user asks for.
class BinWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int LastBinPointSize = 96;

    explicit BinWindow(QWidget* parent = nullptr);

    void setTexts(const BinWindowTexts& texts);
    // The part's table into the editor; none: an empty editor, readings go unsorted.
    void showTable(const std::optional<BinTable>& table);
    // The last reading's bin; none while it was not sorted.
    void showLastBin(std::optional<Bin> bin);
    void showCounts(const std::map<Bin, qint64>& counts);
    // Why the table cannot be used or a file could not be read or written; empty: nothing.
    void showProblem(const QString& problem);

    BinTableModel& editor() { return *m_model; }

signals:
    // The user changed the table into one that can be used; none once every bin is gone.
    void tableEdited(const std::optional<bins::BinTable>& table);
    void importChosen(const QString& path);
    void exportChosen(const QString& path);
    void resetRequested();

private:
    void buildEditor();
    void buildShow();
    void edited();
    void chooseImport();
    void chooseExport();

    BinTableModel* m_model;
    QTableView* m_editorView;
    QPushButton* m_add;
    QPushButton* m_remove;
    QCheckBox* m_aux;
    QPushButton* m_import;
    QPushButton* m_export;
    QLabel* m_problem;
    QLabel* m_lastCaption;
    QLabel* m_lastBin;
    std::map<Bin, QLabel*> m_countLabels;
    QPushButton* m_reset;
    BinWindowTexts m_texts;
};

} // namespace bins
