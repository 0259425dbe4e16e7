// The export buttons: what lands in the workbook and in the CSV file, and what happens
// when the file cannot be written.
#include "window_fixture.h"

#include "localisation/main_lexicons.h"
#include "recording/measurement_log_model.h"
#include "recording/profile_file.h"
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
    // Every cell of the header and the three rows lands at its place; empty texts leave
    // their cells blank.
    size_t filled = 0;
    for (int row = 0; row <= 3; ++row) {
        for (int column = 0; column < 10; ++column) {
            const QString text = row == 0 ? log().headerText(column) : log().gridCell(row, column);
            const QString reference = QChar(u'A' + column) + QString::number(row + 1);
            EXPECT_EQ(sheet.cells.count(reference), text.isEmpty() ? 0u : 1u) << reference.toStdString();
            filled += text.isEmpty() ? 0u : 1u;
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
    EXPECT_EQ(record->text(), lexicons().D1.GetItem(8));
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
    QStringList expectedHeader;
    for (int column = 0; column < 10; ++column)
        expectedHeader << log().headerText(column);
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

#include "export_test.moc"
