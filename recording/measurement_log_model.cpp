#include "recording/measurement_log_model.h"

#include <algorithm>

namespace recording {

MeasurementLogModel::MeasurementLogModel(QObject* parent) : QAbstractTableModel(parent) {}

int MeasurementLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int MeasurementLogModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount + (m_binColumnShown ? 1 : 0);
}

QVariant MeasurementLogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const LogRow& row = m_rows[std::size_t(index.row())];
    if (index.column() == BinColumn) {
        if (role == Qt::DisplayRole)
            return row.numbers && row.numbers->bin ? bins::BinWord(*row.numbers->bin) : QString();
        return role == VerdictRole ? QVariant(int(row.verdict)) : QVariant();
    }
    const LogCell& cell = row.cells[std::size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole: return LogCellText(cell, m_displayTexts);
    case VerdictRole: return int(row.verdict);
    case CellValueRole: return QVariant::fromValue(cell);
    default: return {};
    }
}

QVariant MeasurementLogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section == BinColumn ? m_binHeader : headerText(section);
    return section + 1; // the grid row number
}

void MeasurementLogModel::setDisplayTexts(const LogDisplayTexts& texts)
{
    m_displayTexts = texts;
    if (!m_rows.empty())
        notifyRowsChanged(1, gridRowCount() - 1, 0, ColumnCount - 1, {Qt::DisplayRole});
}

void MeasurementLogModel::setBinColumnShown(bool shown)
{
    if (shown == m_binColumnShown)
        return;
    if (shown)
        beginInsertColumns({}, BinColumn, BinColumn);
    else
        beginRemoveColumns({}, BinColumn, BinColumn);
    m_binColumnShown = shown;
    if (shown)
        endInsertColumns();
    else
        endRemoveColumns();
}

void MeasurementLogModel::setBinHeaderText(const QString& text)
{
    m_binHeader = text;
    if (m_binColumnShown)
        emit headerDataChanged(Qt::Horizontal, BinColumn, BinColumn);
}

void MeasurementLogModel::ResetLog(int gridRows)
{
    beginResetModel();
    m_rows.assign(std::size_t(std::max(gridRows, 1) - 1), LogRow{});
    endResetModel();
}

void MeasurementLogModel::ensureGridRows(int gridRows)
{
    const int current = gridRowCount();
    if (gridRows <= current)
        return;
    beginInsertRows({}, current - 1, gridRows - 2);
    m_rows.resize(std::size_t(gridRows - 1));
    endInsertRows();
}

const QString& MeasurementLogModel::headerText(int column) const
{
    static const QString none;
    return column >= 0 && column < ColumnCount ? m_headers[std::size_t(column)] : none;
}

QStringList MeasurementLogModel::headerTexts() const
{
    return QStringList(m_headers.begin(), m_headers.end());
}

void MeasurementLogModel::setHeaderText(int column, const QString& text)
{
    m_headers[std::size_t(column)] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString MeasurementLogModel::gridCell(int gridRow, int column) const
{
    return LogCellText(cellValue(gridRow, column), m_displayTexts);
}

LogCell MeasurementLogModel::cellValue(int gridRow, int column) const
{
    if (gridRow == 0)
        return headerText(column);
    const LogRow* row = findRow(gridRow);
    return row ? row->cells[std::size_t(column)] : LogCell();
}

const LogCell& MeasurementLogModel::logCell(int gridRow, int column) const
{
    static const LogCell empty;
    const LogRow* row = findRow(gridRow);
    return row ? row->cells[std::size_t(column)] : empty;
}

void MeasurementLogModel::setGridCell(int gridRow, int column, LogCell cell)
{
    rowOf(gridRow).cells[std::size_t(column)] = std::move(cell);
    notifyRowsChanged(gridRow, gridRow, column, column, {Qt::DisplayRole, CellValueRole});
}

LogRowTexts MeasurementLogModel::gridRowTexts(int gridRow) const
{
    std::array<QString, ColumnCount> texts;
    for (int column = 0; column < ColumnCount; ++column)
        texts[std::size_t(column)] = gridCell(gridRow, column);
    return texts;
}

VerdictCode MeasurementLogModel::gridRowVerdict(int gridRow) const
{
    const LogRow* row = findRow(gridRow);
    return row ? row->verdict : VerdictPass;
}

const std::optional<RowNumbers>& MeasurementLogModel::gridRowNumbers(int gridRow) const
{
    static const std::optional<RowNumbers> none;
    const LogRow* row = findRow(gridRow);
    return row ? row->numbers : none;
}

void MeasurementLogModel::writeGridRow(int gridRow, RowWrite write)
{
    LogRow& row = rowOf(gridRow);
    for (std::size_t column = 0; column < row.cells.size(); ++column) {
        if (write.cells[column])
            row.cells[column] = std::move(*write.cells[column]);
    }
    if (write.verdict)
        row.verdict = *write.verdict;
    row.numbers = std::move(write.numbers);
    notifyRowsChanged(gridRow, gridRow, 0, columnCount() - 1, {Qt::DisplayRole, VerdictRole, CellValueRole});
}

// A row beyond the grid is added rather than written out of bounds: a cell is never lost.
LogRow& MeasurementLogModel::rowOf(int gridRow)
{
    Q_ASSERT(gridRow >= 1);
    ensureGridRows(gridRow + 1);
    return m_rows[std::size_t(gridRow - 1)];
}

const LogRow* MeasurementLogModel::findRow(int gridRow) const
{
    return gridRow >= 1 && gridRow < gridRowCount() ? &m_rows[std::size_t(gridRow - 1)] : nullptr;
}

void MeasurementLogModel::notifyRowsChanged(int firstGridRow, int lastGridRow, int firstColumn, int lastColumn,
                                            const QList<int>& roles)
{
    emit dataChanged(index(firstGridRow - 1, firstColumn), index(lastGridRow - 1, lastColumn), roles);
}

} // namespace recording
