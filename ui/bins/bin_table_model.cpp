#include "ui/bins/bin_table_model.h"

#include "bins/bin_table_csv.h"
#include "recording/row_numbers.h"

#include <cmath>

namespace bins {
namespace {

QString limitText(const std::optional<double>& limit)
{
    return limit ? recording::NumberText(*limit) : QString();
}

std::optional<double> numberOf(const QString& text)
{
    bool isNumber = false;
    const double value = text.trimmed().toDouble(&isNumber);
    return isNumber && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace

BinTableModel::BinTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int BinTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_table.bins.size());
}

int BinTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BinTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const BinRange& bin = m_table.bins[std::size_t(index.row())];
    switch (Column(index.column())) {
    case NumberColumn: return QString::number(bin.number);
    case ModeColumn: return RangeModeWord(bin.mode);
    case LowColumn: return recording::NumberText(bin.low);
    case HighColumn: return recording::NumberText(bin.high);
    case SecondaryLowColumn: return limitText(bin.secondaryLow);
    case SecondaryHighColumn: return limitText(bin.secondaryHigh);
    case ColumnCount: break;
    }
    return {};
}

bool BinTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    BinRange& bin = m_table.bins[std::size_t(index.row())];
    const QString text = value.toString().trimmed();
    const std::optional<double> number = numberOf(text);
    switch (Column(index.column())) {
    case NumberColumn: {
        bool isNumber = false;
        const int binNumber = text.toInt(&isNumber);
        if (!isNumber || binNumber < kFirstBinNumber || binNumber > kLastBinNumber)
            return false;
        bin.number = binNumber;
        break;
    }
    case ModeColumn: {
        const std::optional<RangeMode> mode = RangeModeOfWord(text);
        if (!mode)
            return false;
        bin.mode = *mode;
        break;
    }
    case LowColumn:
    case HighColumn:
        if (!number)
            return false;
        (index.column() == LowColumn ? bin.low : bin.high) = *number;
        break;
    case SecondaryLowColumn:
    case SecondaryHighColumn:
        if (!number && !text.isEmpty())
            return false;
        (index.column() == SecondaryLowColumn ? bin.secondaryLow : bin.secondaryHigh) = number;
        break;
    case ColumnCount: return false;
    }
    emit dataChanged(index, index);
    emit edited();
    return true;
}

Qt::ItemFlags BinTableModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant BinTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_headings.value(section);
}

void BinTableModel::setHeadings(const QStringList& headings)
{
    m_headings = headings;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void BinTableModel::setTable(const BinTable& table)
{
    beginResetModel();
    m_table = table;
    endResetModel();
}

void BinTableModel::setAux(bool on)
{
    if (m_table.aux == on)
        return;
    m_table.aux = on;
    emit edited();
}

void BinTableModel::addBin()
{
    for (int number = kFirstBinNumber; number <= kLastBinNumber; ++number) {
        const bool taken = std::any_of(m_table.bins.begin(), m_table.bins.end(),
                                       [number](const BinRange& bin) { return bin.number == number; });
        if (taken)
            continue;
        BinRange bin = m_table.bins.empty() ? BinRange{} : m_table.bins.back();
        bin.number = number;
        const int row = rowCount();
        beginInsertRows({}, row, row);
        m_table.bins.push_back(bin);
        endInsertRows();
        emit edited();
        return;
    }
}

void BinTableModel::removeBin(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    m_table.bins.erase(m_table.bins.begin() + row);
    endRemoveRows();
    emit edited();
}

} // namespace bins
