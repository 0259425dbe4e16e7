#pragma once
#include "recording/log_cell.h"
#include "recording/log_cell_text.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace recording {

// The measurement log as a table of typed rows (LogRow), shown as texts. The designed grid
// has a fixed header row 0 and log rows 1, 2, ...; here the header row is the model's
// horizontal header and grid row r (r >= 1) is model row r - 1. "Grid rows" below always
// count the header row, so a log of 16 grid rows has rowCount() 15.
//
// Each row keeps the verdict code it was written with, so that its deviation cells are
// painted after its own verdict, not after the latest one. The texts of the cells are made
// when they are shown, with the display texts the owner gave.
//
// While the part has a bin table the table shows an eleventh column, BinColumn, after the
// ten designed ones: each row's bin (BinWord) from its numbers. It is the table's alone:
// the ten columns are what the row texts, the journal and the exports take.
class MeasurementLogModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColumnCount = LogRow::ColumnCount;
    static constexpr int VerdictRole = Qt::UserRole + 1;   // the row's verdict code, an int
    static constexpr int CellValueRole = Qt::UserRole + 2; // the cell's LogCell

    enum Column {
        PositionColumn = 0,
        TimeColumn = 1,
        PrimaryColumn = 2,
        SecondaryColumn = 3,
        CircuitColumn = 4,
        FrequencyColumn = 5,
        LevelColumn = 6,
        RejectColumn = 7,
        PrimaryDeviationColumn = 8,
        SecondaryDeviationColumn = 9,
        BinColumn = ColumnCount, // shown only while setBinColumnShown(true)
    };

    explicit MeasurementLogModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The marks and separators every cell is shown with from now on, rows already written
    // included.
    void setDisplayTexts(const LogDisplayTexts& texts);
    const LogDisplayTexts& displayTexts() const { return m_displayTexts; }

    void setBinColumnShown(bool shown);
    bool binColumnShown() const { return m_binColumnShown; }
    void setBinHeaderText(const QString& text);

    // Grid rows including the header row (the designed grid's row count).
    int gridRowCount() const { return int(m_rows.size()) + 1; }
    // Sets the grid row count to n (at least 1, the header row) and empties every log row.
    // The caller also puts its start position back to 1.
    void ResetLog(int gridRows);
    // Grows the grid to gridRows rows; never shrinks it.
    void ensureGridRows(int gridRows);

    const QString& headerText(int column) const;
    // Every column's title, in order.
    QStringList headerTexts() const;
    void setHeaderText(int column, const QString& text);

    // Cells addressed by grid row (1 = first log row); the header row reads its header
    // texts, a row beyond the grid reads empty. Writing a row beyond the grid grows it.
    // gridCell is the text the log shows, cellValue the value behind it.
    QString gridCell(int gridRow, int column) const;
    LogCell cellValue(int gridRow, int column) const;
    // The value of a log row's cell (grid row 1 and on) as the log keeps it, without a copy,
    // for whoever goes through every cell (an export); a row beyond the grid reads empty.
    const LogCell& logCell(int gridRow, int column) const;
    void setGridCell(int gridRow, int column, LogCell cell);
    LogRowTexts gridRowTexts(int gridRow) const;
    VerdictCode gridRowVerdict(int gridRow) const;
    // The numbers of the reading last written to the row; none for a row without one.
    const std::optional<RowNumbers>& gridRowNumbers(int gridRow) const;

    // One log row written at once: the cells that hold a value are replaced, the others
    // keep what they had; the verdict travels with the reject mark, so it is replaced only
    // together with it. The numbers are those of the reading written, and replace the row's.
    struct RowWrite {
        std::array<std::optional<LogCell>, ColumnCount> cells;
        std::optional<VerdictCode> verdict;
        std::optional<RowNumbers> numbers;
    };
    void writeGridRow(int gridRow, RowWrite write);

private:
    LogRow& rowOf(int gridRow);
    const LogRow* findRow(int gridRow) const;
    void notifyRowsChanged(int firstGridRow, int lastGridRow, int firstColumn, int lastColumn, const QList<int>& roles);

    std::array<QString, ColumnCount> m_headers;
    QString m_binHeader;
    bool m_binColumnShown = false;
    std::vector<LogRow> m_rows; // grid rows 1 .. gridRowCount() - 1
    LogDisplayTexts m_displayTexts;
};

} // namespace recording
