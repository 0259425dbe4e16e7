#include "recording/append_log_row.h"
#include "recording/file_error.h"
#include "recording/log_export.h"
#include "recording/measurement_log_model.h"
#include "recording/row_numbers.h"
#include "qt_printers.h"
#include "sample_reading.h"
#include "xlsx_reader.h"
#include "recording/xlsx_target.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace recording;

namespace {

const QStringList Headers{"Позиция", "Время",   "Основной", "Дополнительн.", "Схема",
                          "Частота", "Уровень", "Брак",     "Основ.% откл.", "Допол.% откл."};

class LogExportTest : public testing::Test {
protected:
    LogExportTest()
    {
        log.ResetLog(16);
        log.setDisplayTexts(SampleDisplayTexts());
        for (int column = 0; column < Headers.size(); ++column)
            log.setHeaderText(column, Headers[column]);
    }

    // Single-part mode, rows 1 to `rows`, both tolerances on, so every cell holds a text.
    int logRows(int rows)
    {
        LogRowInput in = SampleReading();
        in.serPer = 0;
        int logRow = 0;
        for (int row = 1; row <= rows; ++row) {
            in.timestamp = QDateTime(QDate(2024, 3, 5), QTime(12, 0, row));
            in.verdict = row % 2;
            in.primaryDeviation = 1.2 * row;
            in.secondaryDeviation = -12345.6;
            const LogRowResult result = AppendLogRow(log, in);
            in.startPosition = result.startPosition;
            logRow = result.logRow;
        }
        return logRow;
    }

    ReadSheet exportXlsx(int gridRows)
    {
        XlsxTarget target(file);
        ExportLog(log, gridRows, target);
        return ReadFirstSheet(file);
    }

    MeasurementLogModel log;
    QTemporaryDir dir;
    QString file = dir.filePath("log.xlsx");
};

TEST_F(LogExportTest, SinglePartRowsBecomeHeaderAndTypedCells)
{
    const int logRow = logRows(3);
    ASSERT_EQ(logRow, 4);
    const ReadSheet sheet = exportXlsx(logRow);

    // Ten columns and eight numbers in each row (a Q has no unit, a row without a bin table no
    // bin), all twenty headers.
    EXPECT_EQ(sheet.cells.size(), 20u + 3 * 18u);
    EXPECT_FALSE(sheet.cells.count("A5"));
    for (int column = 0; column < kNumericColumnCount; ++column)
        EXPECT_EQ(sheet.cells.at(QChar('K' + column) + QStringLiteral("1")).value, NumericColumnNames()[column]);
    for (int column = 0; column < 10; ++column) {
        const ReadCell& header = sheet.cells.at(QChar('A' + column) + QStringLiteral("1"));
        EXPECT_EQ(header.type, "inlineStr");
        EXPECT_EQ(header.value, Headers[column]);
    }
    const auto cell = [&](const char* reference) { return sheet.cells.at(reference); };
    EXPECT_EQ(cell("A3").type, "n");
    EXPECT_EQ(cell("A3").value, "2");
    // 5 March 2024 12:00:03 is day 45356 after the spreadsheet epoch plus 43203 seconds.
    EXPECT_EQ(cell("B4").type, "n");
    EXPECT_FALSE(cell("B4").style.isEmpty());
    EXPECT_NEAR(cell("B4").value.toDouble(), 45356 + 43203.0 / 86400, 1e-9);
    EXPECT_EQ(cell("C2").value, "R 1.012 kΩ");
    EXPECT_EQ(cell("C2").type, "inlineStr");
    EXPECT_EQ(cell("H2").value, "+");
    EXPECT_EQ(cell("H3").value, "-");
    EXPECT_EQ(cell("I3").type, "n");
    EXPECT_DOUBLE_EQ(cell("I3").value.toDouble(), 2.4);
    EXPECT_DOUBLE_EQ(cell("J2").value.toDouble(), -12350); // as the log shows it: -1,235E+04
    // The numbers behind the row, unrounded, as real numbers.
    EXPECT_EQ(cell("K2").type, "n");
    EXPECT_EQ(cell("K2").value.toDouble(), 1012);
    EXPECT_EQ(cell("L2").value, QStringLiteral("\u03A9"));
    EXPECT_FALSE(sheet.cells.count("N2")) << "a Q has no unit";
    EXPECT_EQ(cell("O2").value.toDouble(), 1000);
    EXPECT_EQ(cell("Q2").value, "reject-primary");
    EXPECT_EQ(cell("Q3").value, "pass");
    EXPECT_EQ(cell("R3").type, "n");
    EXPECT_EQ(cell("R3").value.toDouble(), 2.4);
    EXPECT_EQ(cell("S2").value.toDouble(), -12345.6);

    EXPECT_NEAR(sheet.pageMargins.at("left"), 30.0 / 72, 1e-9);
    EXPECT_NEAR(sheet.pageMargins.at("right"), 10.0 / 72, 1e-9);
    EXPECT_GE(sheet.columnWidths.at(2), QStringLiteral("05.03.24 12:00:03").size());
    EXPECT_GE(sheet.columnWidths.at(4), Headers[3].size());
}

TEST_F(LogExportTest, NothingLoggedGivesAnEmptySheetWithItsMargins)
{
    const ReadSheet sheet = exportXlsx(0);
    EXPECT_TRUE(sheet.cells.empty());
    EXPECT_NEAR(sheet.pageMargins.at("left"), 30.0 / 72, 1e-9);
    EXPECT_NEAR(sheet.pageMargins.at("right"), 10.0 / 72, 1e-9);
}

TEST_F(LogExportTest, MultiPartExportsHeaderAndOneRowPerPart)
{
    const int partCount = 5;
    log.ResetLog(partCount + 1);
    log.setHeaderText(1, "Наименование");
    for (int part = 1; part <= partCount; ++part) {
        log.setGridCell(part, 0, part);
        log.setGridCell(part, 1, QStringLiteral("Деталь %1").arg(part));
    }
    const ReadSheet sheet = exportXlsx(partCount + 1);
    EXPECT_EQ(sheet.cells.at("B1").value, "Наименование");
    EXPECT_EQ(sheet.cells.at("B6").value, "Деталь 5");
    EXPECT_EQ(sheet.cells.at("B6").type, "inlineStr"); // a name is no time
    EXPECT_EQ(sheet.cells.at("A6").value, "5");
    EXPECT_FALSE(sheet.cells.count("A7"));
}

// What a cell holds decides how it goes out, not what its text looks like: a part named
// like a time and a text that reads as a number stay texts; a start position is a number
// in any column; a deviation is the number the log shows, its sign and exponent included.
TEST_F(LogExportTest, CellsGoOutByTheirValueNotByTheLookOfTheirText)
{
    log.ResetLog(3);
    log.setGridCell(1, 0, 1);
    log.setGridCell(1, 1, QString("05.03.24 14:02:09"));
    log.setGridCell(1, 7, QString("1сек"));
    log.setGridCell(1, 8, MaxStartPosition);
    log.setGridCell(2, 0, QString("1,5"));
    log.setGridCell(2, 7, LogVerdictMark{VerdictPass});
    log.setGridCell(2, 8, LogDeviation{-0.001});
    log.setGridCell(2, 9, LogDeviation{12345.6});
    const ReadSheet sheet = exportXlsx(3);

    const struct {
        const char* reference;
        const char* type;
        const char* value;
    } cases[] = {
        {"A2", "n", "1"},
        {"B2", "inlineStr", "05.03.24 14:02:09"},
        {"H2", "inlineStr", "1сек"},
        {"I2", "n", "100000"},
        {"A3", "inlineStr", "1,5"},
        {"H3", "inlineStr", "-"},
        {"I3", "n", "-0"},
        {"J3", "n", "12350"},
    };
    for (const auto& c : cases) {
        const ReadCell& cell = sheet.cells.at(c.reference);
        EXPECT_EQ(cell.type, QString::fromUtf8(c.type)) << c.reference;
        EXPECT_EQ(cell.value, QString::fromUtf8(c.value)) << c.reference;
    }
    // The rest stay blank: these rows had no reading, so only the numeric columns' headers add.
    EXPECT_EQ(sheet.cells.size(), std::size(cases) + std::size_t(Headers.size()) + std::size_t(kNumericColumnCount));
}

// Texts go out in UTF-8 as Qt writes it, a surrogate without its partner as "?", and each
// column is as wide as its longest text in characters; times go out as the log shows them.
TEST_F(LogExportTest, TextsGoOutAsUtf8AndTimesAsTheLogShowsThem)
{
    log.ResetLog(5);
    const QString loneSurrogates = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00);
    const QString faceAndOhm = QString::fromUtf8("\xF0\x9F\x98\x80 \xCE\xA9");
    log.setGridCell(1, 2, loneSurrogates);
    log.setGridCell(2, 2, faceAndOhm);
    log.setGridCell(1, 1, QDateTime(QDate(1999, 12, 31), QTime(8, 0, 1, 999)));
    log.setGridCell(2, 1, QDateTime(QDate(-1, 2, 29), QTime(1, 2, 3))); // shown 29.02.99, which 1999 lacks
    log.setGridCell(3, 1, QDateTime(QDate(2024, 3, 5), QTime(12, 0, 3, 500), Qt::UTC));
    const ReadSheet sheet = exportXlsx(4);

    EXPECT_EQ(sheet.cells.at("C2").value, QStringLiteral("a?b?"));
    EXPECT_EQ(sheet.cells.at("C3").value, faceAndOhm);
    EXPECT_EQ(sheet.cells.at("B2").type, "n");
    EXPECT_NEAR(sheet.cells.at("B2").value.toDouble(), 73050 + (8 * 3600 + 1) / 86400.0, 1e-9); // 31.12.2099
    EXPECT_EQ(sheet.cells.at("B3").type, "inlineStr");
    EXPECT_EQ(sheet.cells.at("B3").value, QStringLiteral("29.02.-1 01:02:03"));
    EXPECT_NEAR(sheet.cells.at("B4").value.toDouble(), 45356 + 43203.0 / 86400, 1e-9);
    // The library adds its own fraction of a character to the width asked for.
    EXPECT_EQ(std::floor(sheet.columnWidths.at(3)), Headers[2].size() + 2);
    EXPECT_EQ(std::floor(sheet.columnWidths.at(2)), QStringLiteral("29.02.-1 01:02:03").size() + 2);
}

TEST_F(LogExportTest, AFileThatCannotBeWrittenIsReportedByName)
{
    file = dir.filePath("no such folder/log.xlsx");
    try {
        exportXlsx(logRows(1));
        FAIL() << "no failure reported";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains("no such folder/log.xlsx")) << e.what();
    }
}

} // namespace
