#pragma once
#include <QTableView>

namespace recording {

// The measurement log's table. Every logged reading appends a row, and a table view takes
// a changed row count for a new layout that repaints every visible cell; rows appended at
// the end change nothing above them, so here they only extend the scroll range and repaint
// from the first new row down. What scrolling to the new row reveals is painted as ever.
// Any other change of the table's layout since the last one repaints it whole.
class LogTableView : public QTableView {
public:
    using QTableView::QTableView;

    void doItemsLayout() override;
    void reset() override;

protected:
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void changeEvent(QEvent* event) override;

private:
    enum class PendingLayout { None, RowsAppended, Whole };
    PendingLayout m_pending = PendingLayout::None;
    int m_firstAppendedRow = 0; // while rows appended are all that is pending
};

} // namespace recording
