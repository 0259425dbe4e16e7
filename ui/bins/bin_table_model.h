#pragma once
#include "bins/bin_table.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace bins {

// A part's bins for editing in a table view, one row per bin: its number, its mode ("%",
// "dev" or "abs"), its low and high limits and the secondary's low and high limits, each
// typed as the bin table's file writes it ("." as the decimal point). A typed value that
// is no such number or word is refused and the cell keeps what it had; an empty secondary
// limit sets none. Whether the table as a whole can be used (numbers given twice, a low
// limit above its high one) is BinTableProblem's to say.
class BinTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        NumberColumn,
        ModeColumn,
        LowColumn,
        HighColumn,
        SecondaryLowColumn,
        SecondaryHighColumn,
        ColumnCount
    };

    explicit BinTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The headings of the columns, in their order.
    void setHeadings(const QStringList& headings);

    const BinTable& table() const { return m_table; }
    void setTable(const BinTable& table);
    void setAux(bool on);
    // A new bin with the lowest number not yet taken, from 1 to 9, a copy of the last bin's
    // range; none once all nine are taken.
    void addBin();
    void removeBin(int row);

signals:
    // The user changed the table: a cell, a bin added or removed, AUX.
    void edited();

private:
    BinTable m_table;
    QStringList m_headings;
};

} // namespace bins
