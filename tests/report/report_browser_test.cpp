// The lot report of 10,000 readings as people see it: the HTML rendered by headless
// Chromium from Debian's package, with its console captured, and the PDF rendered by
// pdftoppm. The pictures are kept in the temporary folder (report-browser.png,
// report-pdf-*.png) for a person to look at.
#include "hand_lot.h"
#include "platform/exit_code.h"
#include "report/figure.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

namespace {

constexpr int kReadings = 10'000;
constexpr int kWaitMs = 120000;
const QString kLongFolderName = QStringLiteral("readings-of-the-first-shift-at-bench-three-taken-for-the-incoming-"
                                               "inspection-of-lot-24-117");

// A lot of 1 kΩ resistors within ±1 %, σ 3 Ω around 1001 Ω.
QByteArray tenThousandReadings()
{
    std::mt19937 generator(25);
    std::normal_distribution<double> values(1001, 3);
    QByteArray journal = recording::Utf8ByteOrderMark + recording::CsvLine(hand_lot::JournalHeader());
    const QDateTime start(QDate(2026, 12, 10), QTime(8, 0), Qt::UTC);
    for (int index = 0; index < kReadings; ++index) {
        const double value = values(generator);
        const bool pass = value >= 990 && value <= 1010;
        const QByteArray time = start.addMSecs(qint64(index) * 500).toString(Qt::ISODateWithMs).toUtf8();
        const hand_lot::Row row{time.constData(),   1,    "R1k", value, "\u03A9", pass ? "pass" : "reject-primary",
                                pass ? "1" : "OUT", 1000, 990,   1010};
        journal += hand_lot::JournalRow(row);
    }
    return journal;
}

struct Finished {
    int exitCode = -1;
    QString errors;
};

Finished run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    // Qt Gui and Chromium ask for the user's runtime folder, which a login session gives.
    static const QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(kWaitMs)) << program.toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

// The pixels of one colour: how many, and the box around them.
struct ColourPatch {
    int pixels = 0;
    QRect box;
};

ColourPatch patchOf(const QImage& image, const QColor& colour)
{
    ColourPatch patch;
    const QRgb wanted = colour.rgb();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & RGB_MASK) == (wanted & RGB_MASK)) {
                ++patch.pixels;
                patch.box = patch.box.united(QRect(x, y, 1, 1));
            }
        }
    }
    return patch;
}

class ReportBrowserTest : public testing::Test {
protected:
    void SetUp() override
    {
        // A folder with a long name, so that the journal's path is wider than its cell.
        ASSERT_TRUE(QDir(folder.path()).mkdir(kLongFolderName));
        QFile file(folder.filePath(kLongFolderName + QStringLiteral("/lot.csv")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(tenThousandReadings());
        file.close();
        const Finished report =
            run(QStringLiteral(RLC_BIN_DIR "/rlc-report"), {file.fileName(), "--html", html(), "--pdf", pdf()});
        ASSERT_EQ(report.exitCode, platform::Done) << report.errors.toStdString();
    }

    QString html() const { return folder.filePath(QStringLiteral("lot.html")); }
    QString pdf() const { return folder.filePath(QStringLiteral("lot.pdf")); }

    QTemporaryDir folder;
};

TEST_F(ReportBrowserTest, ChromiumShowsTheHistogramAndReportsNoError)
{
    const QString screenshot = QDir::temp().filePath(QStringLiteral("report-browser.png"));
    QFile::remove(screenshot);
    const Finished chromium =
        run(QStringLiteral("chromium"),
            {"--headless", "--no-sandbox", "--disable-gpu", "--enable-logging=stderr", "--v=0", "--hide-scrollbars",
             "--screenshot=" + screenshot, "--window-size=1000,2200", QStringLiteral("file://") + html()});
    ASSERT_EQ(chromium.exitCode, 0) << chromium.errors.toStdString();
    // The page's console and its loads: a script error, a message logged, a resource that
    // could not be had would all show here.
    static const QRegularExpression pageProblem(QStringLiteral("CONSOLE|Uncaught|net::ERR_|Failed to load|"
                                                               "Refused to|Not allowed to load"));
    EXPECT_FALSE(chromium.errors.contains(pageProblem)) << chromium.errors.toStdString();

    const QImage image(screenshot);
    ASSERT_FALSE(image.isNull()) << "no screenshot in " << screenshot.toStdString();
    // The histogram is the one thing drawn in its colour: bars across most of its 640-point
    // plot, below the statistics table.
    const ColourPatch histogram = patchOf(image, report::kHistogramColour);
    EXPECT_GT(histogram.pixels, 10'000);
    EXPECT_GT(histogram.box.width(), 300);
    EXPECT_GT(histogram.box.height(), 100);
    EXPECT_GT(histogram.box.top(), 400);
}

TEST_F(ReportBrowserTest, PdftoppmRendersThePdfIntoPagesWithTheCharts)
{
    const QString prefix = QDir::temp().filePath(QStringLiteral("report-pdf"));
    for (const QString& old : QDir::temp().entryList({QStringLiteral("report-pdf-*.png")}))
        QFile::remove(QDir::temp().filePath(old));
    const Finished pdftoppm = run(QStringLiteral("pdftoppm"), {"-png", "-r", "72", pdf(), prefix});
    ASSERT_EQ(pdftoppm.exitCode, 0) << pdftoppm.errors.toStdString();
    EXPECT_TRUE(pdftoppm.errors.isEmpty()) << pdftoppm.errors.toStdString();
    const QStringList pages = QDir::temp().entryList({QStringLiteral("report-pdf-*.png")}, QDir::Files, QDir::Name);
    ASSERT_GE(pages.size(), 2);
    int histogramPixels = 0;
    int runPixels = 0;
    for (const QString& page : pages) {
        const QImage image(QDir::temp().filePath(page));
        ASSERT_FALSE(image.isNull()) << page.toStdString();
        EXPECT_EQ(image.width(), 595) << "A4 at 72 dpi";
        histogramPixels += patchOf(image, report::kHistogramColour).pixels;
        runPixels += patchOf(image, report::kRunColour).pixels;
    }
    EXPECT_GT(histogramPixels, 5'000);
    EXPECT_GT(runPixels, 200);

    // The facts carry their values, the statistics their names, as the HTML does.
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-layout", pdf(), "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(kWaitMs));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char* shown :
         {"R1k", "1.0000 k\u03A9", "Ppk (overall \u03C3)", "Cpk (within \u03C3", "10000", "readings not judged pass"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown;
}

// A text wider than its table cell goes on below within the cell, not past the page's edge:
// every word pdftotext finds lies inside the page, and the journal's path is all there.
TEST_F(ReportBrowserTest, PdfTextLongerThanItsCellStaysOnThePage)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", pdf(), "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(kWaitMs));
    const QString boxes = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression page(QStringLiteral(R"re(<page width="([0-9.]+)")re"));
    const QRegularExpressionMatch pageMatch = page.match(boxes);
    ASSERT_TRUE(pageMatch.hasMatch()) << boxes.left(500).toStdString();
    const double pageWidth = pageMatch.captured(1).toDouble();
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="[0-9.]+" yMin="[0-9.]+" xMax="([0-9.]+)"[^>]*>([^<]*)</word>)re"));
    QString words;
    for (const QRegularExpressionMatch& match : word.globalMatch(boxes)) {
        EXPECT_LE(match.captured(1).toDouble(), pageWidth) << match.captured(2).toStdString();
        words += match.captured(2);
    }
    // The PDF's font sets "fi" as one ligature glyph.
    EXPECT_TRUE(words.normalized(QString::NormalizationForm_KC).contains(kLongFolderName + QStringLiteral("/lot.csv")))
        << words.toStdString();
}

} // namespace
