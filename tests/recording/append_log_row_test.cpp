#include "recording/append_log_row.h"
#include "sample_reading.h"
#include "recording/measurement_log_model.h"

#include "log_cell_printers.h"

#include <gtest/gtest.h>

using namespace recording;
using Column = MeasurementLogModel::Column;

namespace {

class AppendLogRowTest : public testing::Test {
protected:
    AppendLogRowTest()
    {
        log.ResetLog(16);
        log.setDisplayTexts(SampleDisplayTexts());
    }

    // A live reading with both tolerances on, rejected on the primary parameter.
    static LogRowInput reading() { return SampleReading(); }

    LogRowResult append(LogRowInput in) { return AppendLogRow(log, in); }

    QStringList rowTexts(int gridRow) const
    {
        QStringList texts;
        for (int column = 0; column < MeasurementLogModel::ColumnCount; ++column)
            texts << log.gridCell(gridRow, column);
        return texts;
    }

    std::array<LogCell, MeasurementLogModel::ColumnCount> rowValues(int gridRow) const
    {
        std::array<LogCell, MeasurementLogModel::ColumnCount> values;
        for (int column = 0; column < MeasurementLogModel::ColumnCount; ++column)
            values[std::size_t(column)] = log.cellValue(gridRow, column);
        return values;
    }

    MeasurementLogModel log;
};

TEST_F(AppendLogRowTest, WritesEveryColumnOfTheReading)
{
    append(reading());
    EXPECT_EQ(
        rowTexts(1),
        (QStringList{"1", "05.03.24 14:02:09", "R 1.012 kΩ", "Q 56.00", "S", "1kHz", "1.0Vrms", "+", "1,20", "12,35"}));
    EXPECT_EQ(log.gridRowVerdict(1), 1);

    LogRowInput passed = reading();
    passed.verdict = 0;
    passed.serPer = 0;
    passed.freqIndex = 0; // the meter reported no test frequency
    passed.secondaryToleranceOn = false;
    passed.startPosition = 2;
    append(passed);
    EXPECT_EQ(rowTexts(2).mid(4), (QStringList{"P", "A", "1.0Vrms", "-", "1,20", ""}));
}

// The row holds values, not texts: the log shows them with the display texts of the moment.
TEST_F(AppendLogRowTest, WritesTheReadingAsValues)
{
    append(reading());
    const std::array<LogCell, MeasurementLogModel::ColumnCount> expected{
        1,
        QDateTime(QDate(2024, 3, 5), QTime(14, 2, 9)),
        QString("R 1.012 kΩ"),
        QString("Q 56.00"),
        QString("S"),
        QString("1kHz"),
        QString("1.0Vrms"),
        LogVerdictMark{VerdictPrimaryOut},
        LogDeviation{1.2},
        LogDeviation{12.3456},
    };
    EXPECT_EQ(rowValues(1), expected);

    LogRowInput passed = reading();
    passed.verdict = VerdictPass;
    passed.secondaryToleranceOn = false;
    passed.startPosition = 2;
    append(passed);
    EXPECT_EQ(log.cellValue(2, Column::RejectColumn), LogCell(LogVerdictMark{VerdictPass}));
    EXPECT_EQ(log.cellValue(2, Column::SecondaryDeviationColumn), LogCell()); // empty, not a deviation
}

TEST_F(AppendLogRowTest, SingleModeAdvancesStartPositionAndGrowsOnlyAtTheEnd)
{
    LogRowInput in = reading();
    for (int expectedRow = 1; expectedRow <= 3; ++expectedRow) {
        const LogRowResult result = append(in);
        EXPECT_EQ(result.writtenRow, expectedRow);
        EXPECT_EQ(result.logRow, expectedRow + 1);
        in.startPosition = result.startPosition;
    }
    EXPECT_EQ(in.startPosition, 4);
    EXPECT_EQ(log.gridRowCount(), 16);

    in.startPosition = 15;
    append(in);
    EXPECT_EQ(log.gridRowCount(), 16);
    in.startPosition = 16;
    append(in);
    EXPECT_EQ(log.gridRowCount(), 17);
    EXPECT_EQ(log.rowCount(), 16);
}

TEST_F(AppendLogRowTest, StartPositionFiveLeavesEarlierRowsAlone)
{
    LogRowInput in = reading();
    in.startPosition = 5;
    EXPECT_EQ(append(in).startPosition, 6);
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(rowTexts(row).join(""), QString()) << row;
    EXPECT_EQ(log.gridCell(5, Column::PositionColumn), "5");
}

TEST_F(AppendLogRowTest, StartPositionStopsAtItsMaximumAndOverwritesTheLastRow)
{
    LogRowInput in = reading();
    in.startPosition = MaxStartPosition;
    const LogRowResult first = append(in);
    EXPECT_EQ(first.startPosition, MaxStartPosition);
    in.startPosition = first.startPosition;
    in.primaryValue = "second";
    const LogRowResult second = append(in);
    EXPECT_EQ(second.writtenRow, MaxStartPosition);
    EXPECT_EQ(second.logRow, MaxStartPosition + 1);
    EXPECT_EQ(log.gridCell(MaxStartPosition, Column::PrimaryColumn), "R second");
    EXPECT_EQ(log.gridRowCount(), MaxStartPosition + 1);
}

TEST_F(AppendLogRowTest, BothTolerancesOffKeepTheOldVerdictOfAnOverwrittenRow)
{
    append(reading());
    LogRowInput off = reading();
    off.primaryToleranceOn = false;
    off.secondaryToleranceOn = false;
    off.verdict = 0;
    off.startPosition = 1;
    append(off);
    EXPECT_EQ(rowTexts(1).mid(7), (QStringList{"+", "", ""}));
    EXPECT_EQ(log.gridRowVerdict(1), 1);
}

TEST_F(AppendLogRowTest, EachRowKeepsItsOwnVerdict)
{
    LogRowInput in = reading();
    for (int verdict : {1, 2, 3, 0}) {
        in.verdict = verdict;
        in.startPosition = append(in).startPosition;
    }
    EXPECT_EQ(log.gridRowVerdict(1), 1);
    EXPECT_EQ(log.gridRowVerdict(2), 2);
    EXPECT_EQ(log.gridRowVerdict(3), 3);
    EXPECT_EQ(log.gridRowVerdict(4), 0);
    EXPECT_EQ(log.index(1, Column::RejectColumn).data(MeasurementLogModel::VerdictRole).toInt(), 2);
}

TEST_F(AppendLogRowTest, MultiModeRewritesTheSelectedPartsRowAndKeepsItsName)
{
    log.ResetLog(6); // five parts
    log.setGridCell(3, Column::TimeColumn, "C12");
    LogRowInput in = reading();
    in.mode = LogMode::MultiPart;
    in.selectedPart = 3;
    in.startPosition = 7;
    for (const char* value : {"first", "second"}) {
        in.primaryValue = value;
        const LogRowResult result = append(in);
        EXPECT_EQ(result.writtenRow, 3);
        EXPECT_EQ(result.logRow, 4);
        EXPECT_EQ(result.startPosition, 7);
    }
    EXPECT_EQ(rowTexts(3).mid(0, 3), (QStringList{"3", "C12", "R second"}));
    EXPECT_EQ(log.gridRowCount(), 6);
}

// A reading held in multi-part mode lands on the part's row of the reference view: the name
// and, with both tolerances off, the interval in the reject column stay; the deviation
// cells are written empty over the start position.
TEST_F(AppendLogRowTest, AHeldReadingOnTheReferenceViewKeepsTheNameAndTheInterval)
{
    log.ResetLog(3); // two parts
    log.setGridCell(2, Column::TimeColumn, QString("C12"));
    log.setGridCell(2, Column::RejectColumn, QString("1сек"));
    log.setGridCell(2, Column::PrimaryDeviationColumn, 7); // the part's start position
    LogRowInput held = reading();
    held.mode = LogMode::MultiPart;
    held.selectedPart = 2;
    held.primaryToleranceOn = false;
    held.secondaryToleranceOn = false;
    append(held);
    EXPECT_EQ(rowTexts(2), (QStringList{"2", "C12", "R 1.012 kΩ", "Q 56.00", "S", "1kHz", "1.0Vrms", "1сек", "", ""}));
    EXPECT_EQ(log.gridRowVerdict(2), VerdictPass);

    held.primaryToleranceOn = true;
    append(held);
    EXPECT_EQ(log.cellValue(2, Column::RejectColumn), LogCell(LogVerdictMark{VerdictPrimaryOut}));
    EXPECT_EQ(log.gridCell(2, Column::TimeColumn), "C12");
    EXPECT_EQ(log.gridRowVerdict(2), VerdictPrimaryOut);
}

// A one-part profile leaves a grid of two rows; a reading for a row the grid does not
// have must still be kept, not dropped.
TEST_F(AppendLogRowTest, ASmallGridGrowsToHoldTheRow)
{
    log.ResetLog(2);
    LogRowInput in = reading();
    in.startPosition = 2;
    append(in);
    EXPECT_EQ(log.gridRowCount(), 3);
    EXPECT_EQ(log.gridCell(2, Column::PositionColumn), "2");
}

TEST(MeasurementLogModel, ResetEmptiesRowsAndKeepsHeadersAsHeaderData)
{
    MeasurementLogModel log;
    log.ResetLog(16);
    log.setHeaderText(0, "Position");
    log.setGridCell(4, 2, "x");
    log.ResetLog(16);
    EXPECT_EQ(log.rowCount(), 15);
    EXPECT_EQ(log.columnCount(), 10);
    EXPECT_EQ(log.gridCell(4, 2), QString());
    EXPECT_EQ(log.gridCell(0, 0), "Position");
    EXPECT_EQ(log.headerData(0, Qt::Horizontal).toString(), "Position");
    EXPECT_EQ(log.headerData(0, Qt::Vertical).toInt(), 1); // model row 0 is grid row 1
    EXPECT_EQ(log.gridCell(99, 0), QString());             // beyond the grid reads empty
}

} // namespace
