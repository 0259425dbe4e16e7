#include "csv_reader.h"
#include "recording/csv_target.h"
#include "recording/file_error.h"
#include "recording/log_export.h"
#include "recording/measurement_log_model.h"
#include "qt_printers.h"
#include "recording/recording_journal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace recording;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QStringList> readCsvFile(const QString& path)
{
    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    return parseCsv(QString::fromUtf8(bytes.mid(3)));
}

TEST(CsvExport, CellsSurviveSeparatorsQuotesLineBreaksAndCyrillic)
{
    MeasurementLogModel log;
    log.ResetLog(4);
    const QStringList tricky{"1,5", "say \"hi\"", "two\r\nlines", "Резистор", "", "end,"};
    for (int column = 0; column < 10; ++column) {
        log.setHeaderText(column, QStringLiteral("Столбец %1").arg(column));
        log.setGridCell(1, column, tricky[column % tricky.size()]);
    }
    log.setGridCell(3, 9, "last");

    QTemporaryDir dir;
    CsvTarget target(dir.filePath("log.csv"));
    ExportLog(log, 4, target);

    const QList<QStringList> records = readCsvFile(dir.filePath("log.csv"));
    ASSERT_EQ(records.size(), 4);
    for (int row = 0; row < 4; ++row) {
        QStringList expected;
        for (int column = 0; column < 10; ++column)
            expected << log.gridCell(row, column);
        // No reading was written to these rows: their numeric columns are empty.
        expected << (row == 0 ? NumericColumnNames() : QStringList(kNumericColumnCount));
        EXPECT_EQ(records[row], expected) << row;
    }
}

TEST(RecordingJournal, EveryRowIsInTheFileAsSoonAsItIsAppended)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("journal");
    const QDateTime start(QDate(2024, 5, 17), QTime(14, 3, 9), Qt::OffsetFromUTC, 3 * 3600);
    QStringList headers;
    for (int column = 0; column < 10; ++column)
        headers << QStringLiteral("Колонка,%1").arg(column);

    RecordingJournal journal(folder, start, headers);
    EXPECT_EQ(QFileInfo(journal.path()).fileName(), "recording_2024-05-17_14-03-09.csv");
    std::array<QString, 10> cells;
    cells.fill("x");
    cells[2] = "R \"1,5\" кОм";
    RowNumbers numbers;
    numbers.values.primaryKind = meter::PrimaryParameter::Resistance;
    numbers.values.primary = MeasuredValue{1500, false};
    numbers.verdict = VerdictBothOut;
    numbers.bin = bins::Bin::Out;
    const PartInForce part{3, QStringLiteral("R 1,5к")};
    const PrimaryReferenceValue reference{ReferenceKind::Resistance, 1000,
                                          ToleranceRule{ToleranceRule::Kind::Percent, 5}};
    const QString table = QStringLiteral("bin,mode,low,high,secondary_low,secondary_high\n1,%,-1,1,,\naux,off\n");
    journal.appendBinTable(start.addSecs(1), part, table);
    journal.appendRow(cells, start.addSecs(1), VerdictBothOut, numbers, part, reference);

    journal.appendEvent(start.addSecs(2), QStringLiteral("link lost"));
    journal.appendBinTable(start.addSecs(3), part, QString());

    // Read while the journal is still open: nothing may wait in a buffer.
    QList<QStringList> records = readCsvFile(journal.path());
    ASSERT_EQ(records.size(), 5);
    EXPECT_EQ(records[0],
              (headers + QStringList{"Timestamp", "Verdict", "Event"} + NumericColumnNames()
               + QStringList{"part_number", "part_name", "primary_nominal", "primary_lsl", "primary_usl"}));
    EXPECT_EQ(records[1],
              (QStringList(10) + QStringList{"2024-05-17T14:03:10+03:00", QString(), "bin table\n" + table}
               + QStringList(kNumericColumnCount) + QStringList{"3", "R 1,5к", "", "", ""}))
        << "the table in force is written whole, with the part it belongs to";
    EXPECT_EQ(records[2],
              (QStringList(cells.begin(), cells.end())
               + QStringList{"2024-05-17T14:03:10+03:00", "3", QString(), "1500", "\u03A9"}
               + QStringList{"", "", "", "", "reject-both", "", "", "OUT"}
               + QStringList{"3", "R 1,5к", "1000", "950", "1050"}));
    EXPECT_EQ(records[3],
              (QStringList(10) + QStringList{"2024-05-17T14:03:11+03:00", QString(), "link lost"}
               + QStringList(kNumericColumnCount) + QStringList(RecordingJournal::PartColumnNames().size())))
        << "an event is a line of its own, with no reading, no verdict and no part";
    EXPECT_EQ(records[4].mid(10, 3), (QStringList{"2024-05-17T14:03:12+03:00", QString(), "bin table\n"}))
        << "a table taken away leaves the bare event";

    // A second start within the same second gets its own file.
    RecordingJournal second(folder, start, headers);
    EXPECT_NE(second.path(), journal.path());
    EXPECT_EQ(readCsvFile(journal.path()).size(), 5) << "the first file is left as it was";
}

TEST(RecordingJournal, AFolderThatCannotBeCreatedIsReported)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(RecordingJournal(dir.filePath("file/journal"), QDateTime::currentDateTime(), {}), FileError);
}

} // namespace
