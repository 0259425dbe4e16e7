#include "log_cell_delegate.h"

#include "main_lexicons.h"
#include "measurement_log_model.h"

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
    localisation::MainLexicons lexicons;
    LogCellDelegate delegate(lexicons.D3);
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

    const QColor plain(Qt::white);
    const struct {
        int row;
        QColor reject, primary, secondary;
    } cases[] = {
        {1, Red, Red, plain},   {2, Red, plain, Red},     {3, Red, Red, Red},
        {4, Green, plain, plain}, {5, Red, plain, plain}, {6, plain, plain, plain},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(paintedColour(log, c.row, MeasurementLogModel::RejectColumn), c.reject) << c.row;
        EXPECT_EQ(paintedColour(log, c.row, MeasurementLogModel::PrimaryDeviationColumn), c.primary) << c.row;
        EXPECT_EQ(paintedColour(log, c.row, MeasurementLogModel::SecondaryDeviationColumn), c.secondary) << c.row;
    }
    EXPECT_EQ(paintedColour(log, 1, MeasurementLogModel::LevelColumn), plain);
}

} // namespace
