#pragma once
#include <QStyledItemDelegate>

namespace recording {

// Paints the verdict of each log row over its reject and deviation cells, from the values
// the log holds: a row whose reject cell holds the mark of a rejected reading gets a red
// reject cell and red deviation cells for the parameters its own verdict names; a row whose
// reject cell holds the mark of a pass gets a green reject cell. Any other reject cell (the
// reference view's interval, an empty cell) leaves the row plain.
class LogCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit LogCellDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace recording
