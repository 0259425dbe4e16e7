#include "ui/recording/log_table_view.h"

#include "recording/measurement_log_model.h"

#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>

using namespace recording;

namespace {

constexpr int ReadingColumn = MeasurementLogModel::PrimaryColumn;
constexpr int FirstRows = 20;           // more than the view shows: it has scrolled
const QSize ViewSize(500, 8 * 24 + 30); // some eight rows under the column titles
const LogDisplayTexts Texts{"+", "-", u'.', u':'};

// A reading logged as the recording logs it: the row is appended if it is new, written,
// and made the current one, which scrolls the table to it.
void logReading(MeasurementLogModel& log, QTableView& view, int gridRow, const QString& text)
{
    MeasurementLogModel::RowWrite write;
    write.cells[MeasurementLogModel::PositionColumn] = gridRow;
    write.cells[ReadingColumn] = text;
    write.cells[MeasurementLogModel::RejectColumn] = LogVerdictMark{gridRow % 3 ? VerdictPass : VerdictPrimaryOut};
    write.verdict = gridRow % 3 ? VerdictPass : VerdictPrimaryOut;
    log.ensureGridRows(gridRow + 1);
    log.writeGridRow(gridRow, write);
    view.setCurrentIndex(log.index(gridRow - 1, ReadingColumn));
}

// The layout waits for a timer of its own, and the repaint it asks for is posted after it.
void paintPendingChanges()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// What the window shows of the table's viewport, and the viewport painted afresh.
QImage shownViewport(QTableView& view)
{
    QWidget* viewport = view.viewport();
    const QRect area(viewport->mapTo(&view, QPoint()), viewport->size());
    return view.screen()
        ->grabWindow(view.winId(), area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage freshViewport(QTableView& view)
{
    return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Whatever changes come together between two paintings (rows appended and written, an
// earlier row rewritten, the texts of every row changed, the log emptied), the window
// shows what a repaint of the whole table shows.
TEST(LogTableView, ShowsWhatAWholeRepaintShowsAfterEachTurnOfChanges)
{
    using Changes = std::function<void(MeasurementLogModel&, QTableView&)>;
    const struct {
        const char* what;
        Changes changes;
    } cases[] = {
        {"one reading appended", [](auto& log, auto& view) { logReading(log, view, FirstRows + 1, "R 1"); }},
        {"three readings appended at once",
         [](auto& log, auto& view) {
             for (int row = FirstRows + 1; row <= FirstRows + 3; ++row)
                 logReading(log, view, row, "R 3");
         }},
        {"a shown row rewritten, then one appended",
         [](auto& log, auto& view) {
             logReading(log, view, FirstRows - 2, "R rewritten");
             logReading(log, view, FirstRows + 1, "R 1");
         }},
        {"one appended, then a shown row rewritten",
         [](auto& log, auto& view) {
             logReading(log, view, FirstRows + 1, "R 1");
             logReading(log, view, FirstRows - 2, "R rewritten");
         }},
        {"a row above the shown ones rewritten and one appended",
         [](auto& log, auto& view) {
             log.setGridCell(1, ReadingColumn, QString("R first"));
             logReading(log, view, FirstRows + 1, "R 1");
         }},
        {"the texts of every row changed as one is appended",
         [](auto& log, auto& view) {
             logReading(log, view, FirstRows + 1, "R 1");
             log.setDisplayTexts({"Reject", "Pass", u',', u'.'});
         }},
        {"the log emptied and a reading logged",
         [](auto& log, auto& view) {
             log.ResetLog(4);
             logReading(log, view, 5, "R after reset");
         }},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        MeasurementLogModel log;
        log.ResetLog(1);
        log.setDisplayTexts(Texts);
        LogTableView view;
        view.setModel(&log);
        view.resize(ViewSize);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        for (int row = 1; row <= FirstRows; ++row) {
            logReading(log, view, row, QString("R %1").arg(row * 100));
            paintPendingChanges();
        }
        ASSERT_GT(view.verticalScrollBar()->value(), 0) << "the rows must have scrolled the table";

        testCase.changes(log, view);
        paintPendingChanges();

        EXPECT_EQ(shownViewport(view), freshViewport(view));
    }
}

} // namespace
