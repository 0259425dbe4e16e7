// The lot report and the capability indices in the real window: a recording judged against
// a part, its indices under their names in the trend window's statistics, and its lot
// report written from the trend window as HTML and PDF.
#include "recording_window.h"
#include "rlc_version.h"
#include "session/recording_archive.h"
#include "ui/trend/trend_chart_window.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

class LotReportWindowTest : public RecordingWindowTest {
protected:
    trend::TrendChartWindow* trendWindow() const
    {
        return form->findChild<trend::TrendChartWindow*>(QStringLiteral("TrendChartWindow"));
    }
    QString trendText(const char* objectName) const { return trendWindow()->findChild<QLabel*>(objectName)->text(); }
};

TEST_F(LotReportWindowTest, RecordingShowsItsIndicesAndWritesItsLotReport)
{
    startLinkedWindow();
    QTemporaryDir folder;
    ModalAnswerer answerer;
    QTest::mouseClick(child<QPushButton>("Button_Trend"), Qt::LeftButton);
    ASSERT_TRUE(trendWindow());
    answerer.queueFileName(folder.filePath(QStringLiteral("early.html")));
    QTest::mouseClick(trendWindow()->findChild<QPushButton*>("TrendReportButton"), Qt::LeftButton);
    EXPECT_EQ(trendText("TrendReportOutcome"), "No recording journal to report from: record the lot first.");
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("early.html"))));

    setLot(QStringLiteral("24-117"));
    setPrimaryReference(QStringLiteral("4700"), QStringLiteral("1%"));
    QTest::mouseClick(recordButton(), Qt::LeftButton);
    ASSERT_TRUE(recordButton()->isChecked());
    for (const double ohm : {4700.0, 4720.0, 4690.0, 4650.0})
        measure(ohm);
    QTest::mouseClick(child<QPushButton>("Button_Trend"), Qt::LeftButton);
    ASSERT_TRUE(trendWindow());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(trendWindow()));
    trendWindow()->redraw();
    for (const char* index : {"TrendPpValue", "TrendPpkValue", "TrendCpValue", "TrendCpkValue"})
        EXPECT_NE(trendText(index), QStringLiteral("–")) << index;
    EXPECT_EQ(trendText("TrendPpkCaption"), "Ppk");

    answerer.queueFileName(folder.filePath(QStringLiteral("lot.html")));
    QTest::mouseClick(trendWindow()->findChild<QPushButton*>("TrendReportButton"), Qt::LeftButton);
    EXPECT_EQ(trendText("TrendReportOutcome"),
              "Lot report written: " + folder.filePath("lot.html") + ", " + folder.filePath("lot.pdf"));
    QFile html(folder.filePath(QStringLiteral("lot.html")));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QByteArray page = html.readAll();
    // Four readings, the one of 4650 Ω a reject: the journal carried the part's limits.
    EXPECT_TRUE(page.contains("<td>n (readings counted)</td><td>4</td>")) << page.left(3000).toStdString();
    EXPECT_TRUE(page.contains("1 readings not judged pass."));
    EXPECT_TRUE(page.contains("LSL 4.6530 k\xCE\xA9"));
    // Who and where, from the bench the recording was started at.
    for (const auto& [fact, value] :
         {std::pair{"lot", QStringLiteral("24-117")}, std::pair{"station", session::DefaultStation()},
          std::pair{"operator", session::DefaultOperator()}, std::pair{"recorded with", QStringLiteral(RLC_VERSION)}})
        EXPECT_TRUE(
            page.contains(QStringLiteral("<tr><th>%1</th><td>%2</td></tr>").arg(QLatin1String(fact), value).toUtf8()))
            << fact;
    QFile pdf(folder.filePath(QStringLiteral("lot.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    // A file that cannot be written is said with the file and the reason.
    answerer.queueFileName(QStringLiteral("/proc/self/lot.html"));
    QTest::mouseClick(trendWindow()->findChild<QPushButton*>("TrendReportButton"), Qt::LeftButton);
    EXPECT_TRUE(
        trendText("TrendReportOutcome").startsWith("Lot report not written: cannot write /proc/self/lot.html: "))
        << trendText("TrendReportOutcome").toStdString();
}

} // namespace
