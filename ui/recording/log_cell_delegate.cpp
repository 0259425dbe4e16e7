#include "ui/recording/log_cell_delegate.h"

#include "recording/log_cell.h"
#include "recording/measurement_log_model.h"

#include <QApplication>
#include <QPainter>

#include <optional>

namespace recording {
namespace {

const QColor RejectColour(255, 0, 0);
const QColor PassColour(0, 128, 0);

bool verdictNames(int verdict, int column)
{
    if (column == MeasurementLogModel::PrimaryDeviationColumn)
        return verdict == VerdictPrimaryOut || verdict == VerdictBothOut;
    return verdict == VerdictSecondaryOut || verdict == VerdictBothOut;
}

std::optional<LogVerdictMark> verdictMarkOfRow(const QModelIndex& index)
{
    const LogCell rejectCell = index.siblingAtColumn(MeasurementLogModel::RejectColumn)
                                   .data(MeasurementLogModel::CellValueRole)
                                   .value<LogCell>();
    if (const auto* mark = std::get_if<LogVerdictMark>(&rejectCell))
        return *mark;
    return std::nullopt;
}

// The colour a verdict cell is filled with, or an invalid colour for the plain drawing.
QColor fillFor(const QModelIndex& index)
{
    const int column = index.column();
    if (column < MeasurementLogModel::RejectColumn || column > MeasurementLogModel::SecondaryDeviationColumn)
        return {};
    const std::optional<LogVerdictMark> mark = verdictMarkOfRow(index);
    if (!mark)
        return {};
    if (mark->verdict != VerdictPass) {
        const int verdict = index.data(MeasurementLogModel::VerdictRole).value<int>();
        return column == MeasurementLogModel::RejectColumn || verdictNames(verdict, column) ? RejectColour : QColor();
    }
    return column == MeasurementLogModel::RejectColumn ? PassColour : QColor();
}

} // namespace

LogCellDelegate::LogCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void LogCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QColor fill = fillFor(index);
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
    painter->drawText(textRect.adjusted(2, 0, 0, 0), int(item.displayAlignment), item.text);
    painter->restore();
}

} // namespace recording
