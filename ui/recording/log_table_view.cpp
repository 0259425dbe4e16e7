#include "ui/recording/log_table_view.h"

#include <QEvent>
#include <QHeaderView>

#include <algorithm>
#include <utility>

namespace recording {
namespace {

// The columns' titles. The stock header forgets its size whenever a cell's data changes,
// though its size follows the titles alone, which come with headerDataChanged; every
// reading then had it measure every title again at the next layout.
class ColumnHeader : public QHeaderView {
public:
    explicit ColumnHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
    {
        // As the table view sets up its own header.
        setSectionsClickable(true);
        setHighlightSections(true);
    }

protected:
    void dataChanged(const QModelIndex&, const QModelIndex&, const QList<int>&) override {}
};

} // namespace

LogTableView::LogTableView(QWidget* parent) : QTableView(parent)
{
    setHorizontalHeader(new ColumnHeader(this));
}

void LogTableView::setModel(QAbstractItemModel* model)
{
    repaintEverythingAtNextLayout();
    QTableView::setModel(model);
}

void LogTableView::setRootIndex(const QModelIndex& index)
{
    repaintEverythingAtNextLayout();
    QTableView::setRootIndex(index);
}

void LogTableView::reset()
{
    repaintEverythingAtNextLayout();
    QTableView::reset();
}

// The stock layout updates the geometries and repaints the whole viewport. After rows
// appended (and rows written) alone, nothing above the first row touched has moved or
// changed, so the geometries are updated the same way and only the rest is repainted.
// The rows' places are read after the geometries, so the region is where the rows are now.
void LogTableView::doItemsLayout()
{
    const std::optional<int> firstTouched = std::exchange(m_firstTouchedRow, std::nullopt);
    const bool rowsAppended = std::exchange(m_rowsAppended, false);
    const bool everythingChanged = std::exchange(m_everythingChanged, false);
    if (!rowsAppended || everythingChanged || !firstTouched || !verticalHeader()->updatesEnabled()) {
        QTableView::doItemsLayout();
        return;
    }
    const int horizontalBefore = horizontalOffset();
    const int verticalBefore = verticalOffset();
    const QRect viewportBefore = viewport()->geometry();
    updateGeometries();
    // A scroll bar come or gone moves every cell: all are repainted. The rows aligned to
    // the top edge again (a scroll by whole rows keeps the last row against the bottom
    // edge, the layout takes that back) move as a whole: they are scrolled, as the scroll
    // bar scrolls them.
    if (horizontalOffset() != horizontalBefore || viewport()->geometry() != viewportBefore) {
        viewport()->update();
        return;
    }
    if (verticalOffset() != verticalBefore)
        viewport()->scroll(0, verticalBefore - verticalOffset());
    const int top = std::max(rowViewportPosition(*firstTouched), 0);
    if (top < viewport()->height())
        viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
}

// A row written at once is repainted cell by cell, as the stock view repaints one changed
// cell; a change to many rows repaints everything.
void LogTableView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    if (!topLeft.isValid() || !bottomRight.isValid() || topLeft.row() != bottomRight.row()) {
        repaintEverythingAtNextLayout();
        QTableView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    touchRowsFrom(topLeft.row());
    for (int column = topLeft.column(); column <= bottomRight.column(); ++column) {
        const QModelIndex cell = topLeft.siblingAtColumn(column);
        QTableView::dataChanged(cell, cell, roles);
    }
}

void LogTableView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QTableView::rowsInserted(parent, start, end);
    if (parent == rootIndex() && end == model()->rowCount(parent) - 1) {
        m_rowsAppended = true;
        touchRowsFrom(start);
    } else {
        repaintEverythingAtNextLayout();
    }
}

void LogTableView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    repaintEverythingAtNextLayout();
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}

// The item views lay their items out again on these, each cell may change.
bool LogTableView::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange: repaintEverythingAtNextLayout(); break;
    default: break;
    }
    return QTableView::event(event);
}

void LogTableView::touchRowsFrom(int row)
{
    m_firstTouchedRow = std::min(row, m_firstTouchedRow.value_or(row));
}

void LogTableView::repaintEverythingAtNextLayout()
{
    m_everythingChanged = true;
}

} // namespace recording
