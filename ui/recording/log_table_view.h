#pragma once
#include <QTableView>

#include <optional>

namespace recording {

// The measurement table's view. A reading appends a row at the bottom and writes it, about
// twice a second for hours; the stock view answers both by repainting every visible cell,
// and the texts' layout makes that the window's largest cost while recording. This view
// repaints what a reading changed: the cells of a row written at once, and after rows
// were appended only from the first row touched since the last layout down. Whatever else
// asks for a layout (a reset, removed rows, a change to many rows, a new font or style)
// repaints everything, as the stock view does.
class LogTableView : public QTableView {
    Q_OBJECT
public:
    explicit LogTableView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void setRootIndex(const QModelIndex& index) override;
    void reset() override;
    void doItemsLayout() override;

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    bool event(QEvent* event) override;

private:
    // What happened since the last layout, which decides what it repaints.
    void touchRowsFrom(int row);
    void repaintEverythingAtNextLayout();

    bool m_rowsAppended = false;
    bool m_everythingChanged = false;
    std::optional<int> m_firstTouchedRow; // appended or written
};

} // namespace recording
