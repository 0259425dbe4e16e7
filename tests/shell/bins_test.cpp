// Sorting into bins in the window: the part's table from its file sorts every reading of a
// recording, the log shows a bin column only while there is a table, and the bins window
// shows the last bin and the counts and edits, imports and exports the table, saying what
// it cannot read or write.
#include "recording_window.h"

#include "bins/bin_table_csv.h"
#include "recording/bin_table_place.h"
#include "ui/bins/bin_table_model.h"
#include "ui/bins/bin_window.h"

#include <QTableView>

namespace {

// Around 4.7 kΩ: within 1 %, within 5 %, and beyond.
const QByteArray kTable("bin,mode,low,high,secondary_low,secondary_high\n"
                        "1,%,-1,1,,\n"
                        "2,%,-5,5,,\n"
                        "aux,off\n");

class BinsTest : public RecordingWindowTest {
protected:
    // The one table of work without a profile.
    QString tablePath() const { return dataHome.path() + QStringLiteral("/RLC_Data/bins/current.csv"); }

    void writeTable(const QByteArray& text) const
    {
        QDir().mkpath(QFileInfo(tablePath()).path());
        QFile file(tablePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QByteArray tableFile() const
    {
        QFile file(tablePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void startRecording() const
    {
        ASSERT_TRUE(recordButton()->isEnabled());
        QTest::mouseClick(recordButton(), Qt::LeftButton);
        ASSERT_TRUE(recordButton()->isChecked());
    }

    bins::BinWindow* openBinWindow() const
    {
        click("Button_Bins");
        auto* window = child<bins::BinWindow>("BinWindow");
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }

    ModalAnswerer answerer;
};

TEST_F(BinsTest, ReadingsOfARecordingAreSortedShownAndCounted)
{
    writeTable(kTable);
    startLinkedWindow();
    setPrimaryReference(QStringLiteral("4700"), QStringLiteral("1%"));
    ASSERT_EQ(log().columnCount(), recording::MeasurementLogModel::ColumnCount + 1);
    EXPECT_EQ(log().headerData(recording::MeasurementLogModel::BinColumn, Qt::Horizontal).toString(),
              lexicons().D4.GetItem(localisation::BinHeading));

    startRecording();
    for (const double ohm : {4710.0, 4900.0, 6000.0, 4690.0})
        measure(ohm);
    QStringList shown;
    for (int row = 0; row < 4; ++row)
        shown << log().index(row, recording::MeasurementLogModel::BinColumn).data().toString();
    EXPECT_EQ(shown, (QStringList{"1", "2", "OUT", "1"}));

    bins::BinWindow* window = openBinWindow();
    EXPECT_EQ(child<QLabel>("BinLastReading")->text(), QStringLiteral("1"));
    EXPECT_GE(child<QLabel>("BinLastReading")->font().pointSize(), bins::BinWindow::LastBinPointSize);
    EXPECT_EQ(child<QLabel>("BinCount_1")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<QLabel>("BinCount_2")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLabel>("BinCount_OUT")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLabel>("BinCount_AUX")->text(), QStringLiteral("0"));
    EXPECT_EQ(window->editor().rowCount(), 2) << "the part's table is in the editor";

    measure(4900);
    EXPECT_EQ(child<QLabel>("BinLastReading")->text(), QStringLiteral("2")) << "live";
    EXPECT_EQ(child<QLabel>("BinCount_2")->text(), QStringLiteral("2"));
    click("BinResetButton");
    EXPECT_EQ(child<QLabel>("BinCount_1")->text(), QStringLiteral("0"));
    EXPECT_EQ(child<QLabel>("BinLastReading")->text(), QStringLiteral("–"));
}

TEST_F(BinsTest, WithoutATableTheLogKeepsItsTenColumnsAndRowsHaveNoBin)
{
    startLinkedWindow();
    EXPECT_EQ(log().columnCount(), recording::MeasurementLogModel::ColumnCount);
    startRecording();
    measure(4700);
    EXPECT_FALSE(log().gridRowNumbers(1)->bin.has_value());
    openBinWindow();
    EXPECT_EQ(child<QLabel>("BinProblem")->text(), lexicons().D4.GetItem(localisation::NoBinTable));
}

// What the editor makes of the table goes to the part's file at once and sorts the next
// readings; a table with a problem is said and neither saved nor used; removing the last
// bin removes the table.
TEST_F(BinsTest, EditedTablesAreSavedAtOnceAndUsedForTheNextReading)
{
    startLinkedWindow();
    setPrimaryReference(QStringLiteral("4700"), QStringLiteral("1%"));
    bins::BinWindow* window = openBinWindow();
    click("BinAddButton");
    EXPECT_EQ(bins::ReadBinTable(tableFile()).table, window->editor().table());
    EXPECT_EQ(log().columnCount(), recording::MeasurementLogModel::ColumnCount + 1);
    bins::BinTableModel& editor = window->editor();
    ASSERT_TRUE(editor.setData(editor.index(0, bins::BinTableModel::LowColumn), QStringLiteral("-2")));
    ASSERT_TRUE(editor.setData(editor.index(0, bins::BinTableModel::HighColumn), QStringLiteral("2")));
    EXPECT_FALSE(editor.setData(editor.index(0, bins::BinTableModel::ModeColumn), QStringLiteral("ppm")))
        << "no such mode";
    child<QCheckBox>("BinAuxCheck")->click();
    EXPECT_EQ(tableFile(), bins::BinTableBytes({{{1, bins::RangeMode::Percent, -2, 2, {}, {}}}, true}));

    startRecording();
    measure(4780); // +1.7 %
    EXPECT_EQ(log().gridRowNumbers(1)->bin, bins::NumberedBin(1));

    ASSERT_TRUE(editor.setData(editor.index(0, bins::BinTableModel::LowColumn), QStringLiteral("3")));
    EXPECT_FALSE(child<QLabel>("BinProblem")->text().isEmpty()) << "low above high is said";
    EXPECT_EQ(tableFile(), bins::BinTableBytes({{{1, bins::RangeMode::Percent, -2, 2, {}, {}}}, true}))
        << "and not saved";

    click("BinRemoveButton");
    EXPECT_FALSE(QFile::exists(tablePath()));
    EXPECT_EQ(log().columnCount(), recording::MeasurementLogModel::ColumnCount);
    measure(4780);
    EXPECT_FALSE(log().gridRowNumbers(2)->bin.has_value());
}

TEST_F(BinsTest, ImportAndExportGoThroughFilesAndSayWhatTheyCannotRead)
{
    startLinkedWindow();
    openBinWindow();
    const QString good = dataHome.filePath(QStringLiteral("good.csv"));
    const QString bad = dataHome.filePath(QStringLiteral("bad.csv"));
    const QString exported = dataHome.filePath(QStringLiteral("exported.csv"));
    for (const auto& [path, text] :
         {std::pair{good, kTable},
          {bad, QByteArray("bin,mode,low,high,secondary_low,secondary_high\n1,%,2,1,,\naux,off\n")}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    answerer.queueFileName(bad);
    click("BinImportButton");
    ASSERT_TRUE(waitFor([&] { return child<QLabel>("BinProblem")->text().contains(bad); }))
        << child<QLabel>("BinProblem")->text().toStdString();
    EXPECT_TRUE(memo().contains(lexicons().D4.GetItem(localisation::BinTableNotRead)
                                + QStringLiteral("cannot read the bin table %1: line 2: ").arg(bad)))
        << memo().toStdString();
    EXPECT_FALSE(QFile::exists(tablePath()));

    answerer.queueFileName(good);
    click("BinImportButton");
    ASSERT_TRUE(waitFor([&] { return QFile::exists(tablePath()); }));
    EXPECT_EQ(bins::ReadBinTable(tableFile()).table, bins::ReadBinTable(kTable).table);

    answerer.queueFileName(exported);
    click("BinExportButton");
    ASSERT_TRUE(waitFor([&] { return QFile::exists(exported); }));
    QFile written(exported);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), tableFile());
}

} // namespace
