#include "ui/recording/log_cell_delegate.h"

#include "recording/measurement_log_model.h"

#include <QImage>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <gtest/gtest.h>

using namespace recording;

namespace {

const QColor Red(255, 0, 0);
const QColor Green(0, 128, 0);

// Paints one cell onto a white image and reads the colour near its bottom-right corner,
// away from the text.
QColor paintedColour(const MeasurementLogModel& log, int gridRow, int column)
{
    LogCellDelegate delegate;
    QImage image(60, 24, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.palette.setColor(QPalette::Text, Qt::black);
    delegate.paint(&painter, option, log.index(gridRow - 1, column));
    painter.end();
    return image.pixelColor(58, 22);
}

void writeRow(MeasurementLogModel& log, int gridRow, VerdictCode verdict)
{
    MeasurementLogModel::RowWrite write;
    write.cells[MeasurementLogModel::RejectColumn] = LogVerdictMark{verdict};
    write.cells[MeasurementLogModel::PrimaryDeviationColumn] = LogDeviation{1.2};
    write.cells[MeasurementLogModel::SecondaryDeviationColumn] = LogDeviation{12.35};
    write.verdict = verdict;
    log.writeGridRow(gridRow, write);
}

// The colours come from the values: row 6 holds a text that reads like the reject mark (as
// the reference view's interval cell holds a text) and stays plain whatever verdict it has.
TEST(LogCellDelegate, PaintsEachRowAfterItsOwnVerdict)
{
    MeasurementLogModel log;
    log.ResetLog(8);
    log.setDisplayTexts({"+", "-"});
    writeRow(log, 1, VerdictPrimaryOut);
    writeRow(log, 2, VerdictSecondaryOut);
    writeRow(log, 3, VerdictBothOut);
    writeRow(log, 4, VerdictPass);
    writeRow(log, 5, VerdictUnreadable);
    MeasurementLogModel::RowWrite markAsText;
    markAsText.cells[MeasurementLogModel::RejectColumn] = QString("+");
    markAsText.cells[MeasurementLogModel::PrimaryDeviationColumn] = LogDeviation{1.2};
    markAsText.verdict = VerdictPrimaryOut;
    log.writeGridRow(6, markAsText);

    const QColor plain(Qt::white);
    const struct {
        int row;
        QColor reject, primary, secondary;
    } cases[] = {
        {1, Red, Red, plain},   {2, Red, plain, Red},     {3, Red, Red, Red},       {4, Green, plain, plain},
        {5, Red, plain, plain}, {6, plain, plain, plain}, {7, plain, plain, plain},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(paintedColour(log, c.row, MeasurementLogModel::RejectColumn), c.reject) << c.row;
        EXPECT_EQ(paintedColour(log, c.row, MeasurementLogModel::PrimaryDeviationColumn), c.primary) << c.row;
        EXPECT_EQ(paintedColour(log, c.row, MeasurementLogModel::SecondaryDeviationColumn), c.secondary) << c.row;
    }
    EXPECT_EQ(paintedColour(log, 1, MeasurementLogModel::LevelColumn), plain);
}

} // namespace
