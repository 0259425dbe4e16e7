#include "ui/recording/log_table_view.h"

#include <QEvent>

#include <algorithm>
#include <utility>

namespace recording {

void LogTableView::doItemsLayout()
{
    const PendingLayout pending = std::exchange(m_pending, PendingLayout::None);
    if (pending != PendingLayout::RowsAppended) {
        QTableView::doItemsLayout();
        return;
    }
    updateGeometries();
    const int top = std::max(rowViewportPosition(m_firstAppendedRow), 0);
    viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
}

void LogTableView::reset()
{
    m_pending = PendingLayout::Whole;
    QTableView::reset();
}

void LogTableView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    const bool appended = !parent.isValid() && end == model()->rowCount() - 1;
    if (!appended)
        m_pending = PendingLayout::Whole;
    else if (m_pending == PendingLayout::None) {
        m_pending = PendingLayout::RowsAppended;
        m_firstAppendedRow = start;
    }
    QTableView::rowsInserted(parent, start, end);
}

void LogTableView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    m_pending = PendingLayout::Whole;
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}

void LogTableView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_pending = PendingLayout::Whole;
    QTableView::changeEvent(event);
}

} // namespace recording
