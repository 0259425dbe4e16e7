#include "log_cell_printers.h"
#include "recording/measurement_log_model.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace recording;

namespace {

constexpr int ValueColumn = 2;

// Every kind of value, shown with a German decimal comma and with a point and a dotted
// time; the marks are whatever the language gives.
TEST(MeasurementLogModel, ShowsEachValueWithTheDisplayTextsItWasGiven)
{
    const LogDisplayTexts displayTexts[] = {{"+", "-", u',', u':'}, {"Reject", "Pass", u'.', u'.'}};
    const struct {
        LogCell cell;
        const char* shown[std::size(displayTexts)];
    } cases[] = {
        {LogCell(), {"", ""}},
        {QString("R 1.012 kΩ"), {"R 1.012 kΩ", "R 1.012 kΩ"}},
        {100000, {"100000", "100000"}},
        {QDateTime(QDate(2024, 3, 5), QTime(14, 2, 9, 750)), {"05.03.24 14:02:09", "05.03.24 14.02.09"}},
        {LogDeviation{1.23456}, {"1,23", "1.23"}},
        {LogDeviation{-0.001}, {"-0,00", "-0.00"}},
        {LogDeviation{12345.6}, {"1,235E+04", "1.235E+04"}},
        {LogVerdictMark{VerdictPrimaryOut}, {"+", "Reject"}},
        {LogVerdictMark{VerdictUnreadable}, {"+", "Reject"}},
        {LogVerdictMark{VerdictPass}, {"-", "Pass"}},
    };
    MeasurementLogModel log;
    log.ResetLog(1);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        log.setGridCell(int(i) + 1, ValueColumn, cases[i].cell);

    for (std::size_t set = 0; set < std::size(displayTexts); ++set) {
        log.setDisplayTexts(displayTexts[set]);
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const int gridRow = int(i) + 1;
            const QString expected = QString::fromUtf8(cases[i].shown[set]);
            EXPECT_EQ(log.gridCell(gridRow, ValueColumn), expected) << gridRow;
            EXPECT_EQ(log.index(gridRow - 1, ValueColumn).data().toString(), expected) << gridRow;
        }
    }
}

TEST(MeasurementLogModel, NewDisplayTextsReachTheViewsOfRowsAlreadyWritten)
{
    MeasurementLogModel log;
    log.ResetLog(4);
    log.setGridCell(2, MeasurementLogModel::RejectColumn, LogVerdictMark{VerdictBothOut});
    QSignalSpy changed(&log, &QAbstractItemModel::dataChanged);

    log.setDisplayTexts({"R", "P"});
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), log.index(0, 0));
    EXPECT_EQ(changed[0][1].toModelIndex(), log.index(2, MeasurementLogModel::ColumnCount - 1));
    EXPECT_TRUE(changed[0][2].value<QList<int>>().contains(Qt::DisplayRole));
    EXPECT_EQ(log.gridCell(2, MeasurementLogModel::RejectColumn), "R");

    log.ResetLog(1); // no log rows: nothing to tell
    log.setDisplayTexts({"+", "-"});
    EXPECT_EQ(changed.size(), 1);
}

TEST(MeasurementLogModel, ValuesReadBackAsWrittenAndTheHeaderRowAsItsTexts)
{
    MeasurementLogModel log;
    log.ResetLog(4);
    log.setHeaderText(MeasurementLogModel::TimeColumn, "Time");
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 2, 9));
    log.setGridCell(2, MeasurementLogModel::TimeColumn, when);

    EXPECT_EQ(log.cellValue(2, MeasurementLogModel::TimeColumn), LogCell(when));
    EXPECT_EQ(log.index(1, MeasurementLogModel::TimeColumn).data(MeasurementLogModel::CellValueRole).value<LogCell>(),
              LogCell(when));
    EXPECT_EQ(log.cellValue(0, MeasurementLogModel::TimeColumn), LogCell(QString("Time")));
    EXPECT_EQ(log.cellValue(1, MeasurementLogModel::TimeColumn), LogCell());
    EXPECT_EQ(log.cellValue(99, MeasurementLogModel::TimeColumn), LogCell()); // beyond the grid
}

} // namespace
