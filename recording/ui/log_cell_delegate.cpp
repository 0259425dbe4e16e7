#include "log_cell_delegate.h"

#include <QApplication>

#include "designed_lexicon.h"
#include "measurement_log_model.h"
#include "tolerance.h"

#include <QPainter>

namespace recording {
namespace {

constexpr int RejectMarkItem = 3;
constexpr int PassMarkItem = 4;
const QColor RejectColour(255, 0, 0);
const QColor PassColour(0, 128, 0);

bool verdictNames(int verdict, int column)
{
    if (column == MeasurementLogModel::PrimaryDeviationColumn)
        return verdict == VerdictPrimaryOut || verdict == VerdictBothOut;
    return verdict == VerdictSecondaryOut || verdict == VerdictBothOut;
}

// The colour a verdict cell is filled with, or an invalid colour for the plain drawing.
QColor fillFor(const QModelIndex& index, const QString& rejectMark, const QString& passMark)
{
    const int column = index.column();
    if (column < MeasurementLogModel::RejectColumn)
        return {};
    const QString mark = index.siblingAtColumn(MeasurementLogModel::RejectColumn).data().toString();
    if (mark == rejectMark) {
        const int verdict = index.data(MeasurementLogModel::VerdictRole).toInt();
        return column == MeasurementLogModel::RejectColumn || verdictNames(verdict, column) ? RejectColour : QColor();
    }
    if (column == MeasurementLogModel::RejectColumn && mark == passMark)
        return PassColour;
    return {};
}

} // namespace

LogCellDelegate::LogCellDelegate(const localisation::TDesignedLexicon& shortTexts, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_shortTexts(shortTexts)
{
}

void LogCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QColor fill = fillFor(index, m_shortTexts.GetItem(RejectMarkItem), m_shortTexts.GetItem(PassMarkItem));
    if (!fill.isValid())
        return;
    // The text goes back where the view draws the text of every other cell, so coloured
    // and plain cells of a row line up.
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
    painter->save();
    painter->fillRect(option.rect, fill);
    painter->setFont(item.font);
    painter->setPen(option.palette.color(QPalette::Text));
    painter->drawText(textRect.adjusted(2, 0, 0, 0), int(item.displayAlignment.toInt()), item.text);
    painter->restore();
}

} // namespace recording
