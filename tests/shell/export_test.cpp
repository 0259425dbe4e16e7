// The export buttons: what lands in the workbook and in the CSV file, and what happens
// when the file cannot be written.
#include "window_fixture.h"

#include "meter_setup.h"

#include "localisation/main_lexicons.h"
#include "recording/measurement_log_model.h"
#include "recording/profile_file.h"
#include "recording/row_numbers.h"
#include "xlsx_reader.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QJsonDocument>
#include <QProcess>
#include <QSpinBox>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Stands in for the desktop's "open with the default application".
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

// Answers the next file dialog with a path and every message box that follows with OK,
// keeping the texts of the message boxes.
struct DialogAnswers {
    QString file;
    QStringList messages;

    void arm()
    {
        auto* timer = new QTimer(qApp);
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, [this, timer] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                if (file.isEmpty()) {
                    dialog->reject();
                } else {
                    // Typed into the name field, as a user answers a save dialog.
                    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
                    static_cast<QDialog*>(dialog)->accept();
                }
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                messages << box->text();
                box->accept();
            }
        });
        timer->start();
        disarm = [timer] { timer->deleteLater(); };
    }
    std::function<void()> disarm;
    ~DialogAnswers()
    {
        if (disarm)
            disarm();
    }
};

class ExportTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &urls, "open");
        startWindow();
    }
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        WindowTest::TearDown();
    }

    void recordRows(int rows)
    {
        connectByClick();
        click("SP1");
        ASSERT_TRUE(waitFor([&] { return logRow() >= rows + 1; }));
        click("SP1");
        setLogRow(rows + 1); // exactly the rows this test talks about
    }

    QString exportTo(const char* button, const QString& name)
    {
        answers.file = exportDir.filePath(name);
        answers.arm();
        click(button);
        return answers.file;
    }

    QTemporaryDir exportDir;
    UrlRecorder urls;
    DialogAnswers answers;
};

} // namespace

TEST_F(ExportTest, WorkbookHoldsTheHeaderAndTheLoggedRowsAndIsOpened)
{
    recordRows(3);
    const QString path = exportTo("Button4", QStringLiteral("log.xlsx"));
    ASSERT_TRUE(QFileInfo::exists(path));
    const ReadSheet sheet = ReadFirstSheet(path);
    // Every cell of the header and the three rows lands at its place, the table's ten
    // columns and the numbers after them; empty texts leave their cells blank.
    size_t filled = 0;
    for (int row = 0; row <= 3; ++row) {
        QStringList texts;
        for (int column = 0; column < 10; ++column)
            texts << (row == 0 ? log().headerText(column) : log().gridCell(row, column));
        texts << (row == 0 ? recording::NumericColumnNames() : recording::NumericTexts(log().gridRowNumbers(row)));
        for (int column = 0; column < texts.size(); ++column) {
            const QString reference = QChar(u'A' + column) + QString::number(row + 1);
            EXPECT_EQ(sheet.cells.count(reference), texts[column].isEmpty() ? 0u : 1u) << reference.toStdString();
            filled += texts[column].isEmpty() ? 0u : 1u;
        }
    }
    EXPECT_EQ(sheet.cells.size(), filled);
    EXPECT_EQ(sheet.cells.at(QStringLiteral("A1")).value, log().headerText(0));
    EXPECT_EQ(sheet.cells.at(QStringLiteral("A2")).type, QStringLiteral("n"));
    EXPECT_EQ(sheet.cells.at(QStringLiteral("A4")).value, QStringLiteral("3"));
    EXPECT_EQ(sheet.cells.at(QStringLiteral("C2")).value, log().gridCell(1, 2));
    EXPECT_FALSE(sheet.cells.count(QStringLiteral("A5")));
    EXPECT_NEAR(sheet.pageMargins.at(QStringLiteral("left")), 30.0 / 72, 1e-6);
    EXPECT_NEAR(sheet.pageMargins.at(QStringLiteral("right")), 10.0 / 72, 1e-6);
    ASSERT_EQ(urls.opened.size(), 1);
    EXPECT_EQ(urls.opened.first().toLocalFile(), path);
}

TEST_F(ExportTest, ExportStopsARunningRecordingFirst)
{
    connectByClick();
    auto* record = child<QPushButton>("SP1");
    click("SP1");
    ASSERT_TRUE(record->isChecked());
    exportTo("Button4", QStringLiteral("stopped.xlsx"));
    EXPECT_FALSE(record->isChecked());
    EXPECT_EQ(record->text(), lexicons().D1.GetItem(localisation::StartCaption));
    EXPECT_TRUE(child("Button4")->isEnabled());
}

TEST_F(ExportTest, NothingLoggedGivesAWorkbookWithMarginsAndNoCells)
{
    const QString path = exportTo("Button4", QStringLiteral("empty.xlsx"));
    const ReadSheet sheet = ReadFirstSheet(path);
    EXPECT_TRUE(sheet.cells.empty());
    EXPECT_NEAR(sheet.pageMargins.at(QStringLiteral("left")), 30.0 / 72, 1e-6);
}

TEST_F(ExportTest, CancellingWritesNothing)
{
    answers.arm(); // no file: the dialog is cancelled
    click("Button4");
    EXPECT_TRUE(QDir(exportDir.path()).isEmpty());
    EXPECT_TRUE(child("Button4")->isEnabled());
    EXPECT_TRUE(urls.opened.isEmpty());
}

TEST_F(ExportTest, FailureNamesTheFileAndTheNextExportWaitsForNewRows)
{
    recordRows(2);
    answers.file = exportDir.filePath(QStringLiteral("missing-folder/log.xlsx"));
    answers.arm();
    click("Button4");
    ASSERT_EQ(answers.messages.size(), 1);
    EXPECT_TRUE(answers.messages.first().contains(QStringLiteral("missing-folder/log.xlsx")))
        << answers.messages.first().toStdString();
    EXPECT_EQ(logRow(), 0);
    EXPECT_TRUE(child("Button4")->isEnabled());

    const QString path = exportDir.filePath(QStringLiteral("after.xlsx"));
    answers.file = path;
    click("Button4");
    EXPECT_TRUE(ReadFirstSheet(path).cells.empty());
}

TEST_F(ExportTest, MultiPartModeExportsOneRowPerPart)
{
    const QString profile = exportDir.filePath(QStringLiteral("parts.hex1"));
    recording::PartRecord part;
    for (int number = 1; number <= 5; ++number) {
        part.name = QStringLiteral("part %1").arg(number);
        if (number == 1)
            recording::profile_file::CreateProfile(profile, part);
        else
            recording::profile_file::StorePart(profile, number, part);
    }
    form->profiles().open(profile, part);
    auto* mode = child<QComboBox>("CBox10");
    mode->showPopup();
    QAbstractItemView* list = mode->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    ASSERT_TRUE(waitFor([&] { return isMultiPartMode(); }));

    const QString path = exportTo("Button4", QStringLiteral("parts.xlsx"));
    const ReadSheet sheet = ReadFirstSheet(path);
    EXPECT_EQ(sheet.cells.at(QStringLiteral("B6")).value, QStringLiteral("part 5"));
    EXPECT_FALSE(sheet.cells.count(QStringLiteral("B7")));
    EXPECT_EQ(logRow(), 6);
}

// An independent reader: Python's csv module parses the file the way other tools will.
TEST_F(ExportTest, CsvFileReadsBackAsTheTableWithSeparatorsQuotesAndCyrillic)
{
    const QString tricky[] = {QStringLiteral("a,b"), QStringLiteral("say \"hi\""), QStringLiteral("Резистор R1")};
    log().setGridCell(1, 0, QStringLiteral("1"));
    log().setGridCell(1, 1, tricky[0]);
    log().setGridCell(1, 2, tricky[1]);
    log().setGridCell(1, 3, tricky[2]);
    setLogRow(2);
    const QString path = exportTo("Button_CSV", QStringLiteral("log.csv"));
    ASSERT_TRUE(QFileInfo::exists(path));

    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv,json,sys;print(json.dumps(list(csv.reader(open(sys.argv[1],"
                                 "encoding='utf-8-sig',newline='')))))"),
                  path});
    ASSERT_TRUE(python.waitForFinished(10000));
    const QByteArray json = python.readAllStandardOutput();
    QStringList expectedRow;
    for (int column = 0; column < 10; ++column)
        expectedRow << log().gridCell(1, column);
    expectedRow << QStringList(recording::kNumericColumnCount); // no reading was written to it
    QStringList expectedHeader;
    for (int column = 0; column < 10; ++column)
        expectedHeader << log().headerText(column);
    expectedHeader << recording::NumericColumnNames();
    const QJsonArray rows = QJsonDocument::fromJson(json).array();
    ASSERT_EQ(rows.size(), 2) << json.toStdString();
    QStringList header, row;
    for (const QJsonValue& v : rows[0].toArray())
        header << v.toString();
    for (const QJsonValue& v : rows[1].toArray())
        row << v.toString();
    EXPECT_EQ(header, expectedHeader);
    EXPECT_EQ(row, expectedRow);
}

// What a spreadsheet program reads from the workbook, by openpyxl: every row as a list of
// its cells' values, numbers as numbers and empty cells as null. The set-up installs
// openpyxl from Debian's package, for Debian's own Python.
QJsonArray readWithOpenpyxl(const QString& workbook)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import json,sys,openpyxl;"
                                 "sheet=openpyxl.load_workbook(sys.argv[1]).worksheets[0];"
                                 "print(json.dumps([list(r) for r in sheet.iter_rows(values_only=True)],default=str))"),
                  workbook});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        ADD_FAILURE() << "openpyxl: " << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

constexpr double kPi = 3.14159265358979323846;

// Readings of known values, recorded and exported: openpyxl finds each one's value as the
// meter sent it, in SI units and as a number, and an overload as an empty cell.
TEST_F(ExportTest, WorkbookCarriesEveryReadingAsNumbersThatASpreadsheetReads)
{
    struct Sent {
        MeterSetup setup;
        float rs, xs;
        std::optional<double> primary; // none for an overload
        const char* primaryUnit;
        double secondary;
        const char* secondaryUnit;
    };
    const double parallelX = (50.0 * 50 + 300.0 * 300) / 300;
    const Sent sent[] = {
        {{kSeries | kFreq1k, parameters(2, 3), kLevel1V}, 100, -100, 1 / (2 * kPi * 1000 * 100), "F", 1, ""},
        {{kSeries | kFreq1k, parameters(1, 4), kLevel1V},
         4693.7f,
         12.5f,
         double(4693.7f),
         "\u03A9",
         std::atan(12.5 / double(4693.7f)) * 180 / kPi,
         "\u00B0"},
        {{kParallel | kFreq1k, parameters(3, 2), kLevel1V}, 50, 300, parallelX / (2 * kPi * 1000), "H", 6, ""},
        {{kSeries | kFreq1k, parameters(1, 2), kLevel1V}, 3e7f, 10, std::nullopt, "\u03A9", 10 / 3e7, ""},
    };
    // The panel counts one past the last row written.
    const auto loggedRows = [this] { return std::max(logRow() - 1, 0); };
    connectByClick();
    pauseReports();
    click("SP1");
    for (const Sent& reading : sent) {
        const int rowsBefore = loggedRows();
        sendRlcd(*simulator, reading.setup, reading.rs, reading.xs);
        ASSERT_TRUE(waitFor([&] { return loggedRows() == rowsBefore + 1; }));
    }
    click("SP1");
    ASSERT_EQ(loggedRows(), int(std::size(sent)));

    const QJsonArray rows = readWithOpenpyxl(exportTo("Button4", QStringLiteral("numbers.xlsx")));
    ASSERT_EQ(rows.size(), int(std::size(sent)) + 1);
    QStringList header;
    const QJsonArray titles = rows[0].toArray();
    for (qsizetype column = 10; column < titles.size(); ++column)
        header << titles[column].toString();
    EXPECT_EQ(header, recording::NumericColumnNames());
    const auto near = [](double value, double expected) {
        return std::abs(value - expected) <= std::abs(expected) * 1e-12;
    };
    for (int row = 1; row < rows.size(); ++row) {
        SCOPED_TRACE(row);
        const Sent& reading = sent[row - 1];
        const QJsonArray cells = rows[row].toArray();
        for (int column = 0; column < 10; ++column)
            EXPECT_EQ(cells[column].toVariant().toString().isEmpty(), log().gridCell(row, column).isEmpty()) << column;
        const QJsonValue primary = cells[10];
        if (reading.primary) {
            EXPECT_TRUE(primary.isDouble() && near(primary.toDouble(), *reading.primary))
                << primary.toVariant().toString().toStdString() << " for " << *reading.primary;
        } else {
            EXPECT_TRUE(primary.isNull()) << "an overload is no number";
        }
        EXPECT_EQ(cells[11].toString(), QString::fromUtf8(reading.primaryUnit));
        EXPECT_TRUE(near(cells[12].toDouble(), reading.secondary)) << cells[12].toDouble();
        EXPECT_EQ(cells[13].toVariant().toString(), QString::fromUtf8(reading.secondaryUnit));
        EXPECT_EQ(cells[14].toDouble(), 1000);
        EXPECT_EQ(cells[15].toDouble(), 1.0);
        EXPECT_TRUE(cells[16].isNull()) << "no tolerance, no verdict";
    }
}

#include "export_test.moc"
