#include "ui/trend/trend_chart_window.h"

#include "qt_printers.h"

#include <QAbstractAxis>
#include <QApplication>
#include <QAreaSeries>
#include <QChartView>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QValueAxis>

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace trend;

namespace {

const QDateTime Start = QDateTime::fromString("2024-03-05T10:00:00", Qt::ISODate);

struct Reading {
    double value;
    bool rejected;
};

// A window shown on the offscreen platform, with a comma as decimal separator so that a
// value formatted without the user's locale shows up.
class TrendWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        window = std::make_unique<TrendChartWindow>();
        window->resize(900, 560);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override
    {
        window.reset();
        QLocale::setDefault(QLocale::c());
    }

    void record(const std::vector<Reading>& readings)
    {
        for (size_t i = 0; i < readings.size(); ++i)
            window->addReading(Start.addSecs(qint64(i)), readings[i].value, readings[i].rejected);
    }
    QString text(const char* objectName) const { return window->findChild<QLabel*>(objectName)->text(); }
    QStringList statisticsTexts() const
    {
        return {text("TrendCountValue"), text("TrendMinimumValue"),   text("TrendMaximumValue"),
                text("TrendMeanValue"),  text("TrendDeviationValue"), text("TrendPassRateValue")};
    }
    QChartView* view() const { return window->findChild<QChartView*>("TrendChartView"); }
    template <typename Series> Series* series(const char* objectName) const
    {
        for (QAbstractSeries* s : view()->chart()->series()) {
            if (s->objectName() == objectName)
                return qobject_cast<Series*>(s);
        }
        return nullptr;
    }

    std::unique_ptr<TrendChartWindow> window;
};

TEST_F(TrendWindow, ShowsStatisticsOfTheRecordingInTheUsersNotation)
{
    EXPECT_EQ(statisticsTexts(), QStringList({"0", "—", "—", "—", "—", "—"}));

    struct Case {
        QString unit;
        std::vector<Reading> readings;
        QStringList expected; // computed by hand: two-pass mean and sample deviation
    };
    const std::vector<Case> cases{
        {"Ω",
         {{1000.5, false}, {999.0, false}, {1002.25, false}, {998.75, false}, {1010.0, true}},
         {"5", "998,75 Ω", "1,0100 kΩ", "1,0021 kΩ", "4,6321 Ω", "80,0 %"}},
        {"F",
         {{47.1e-9, false}, {46.8e-9, false}, {47.9e-9, false}, {52.3e-9, true}},
         {"4", "46,800 nF", "52,300 nF", "48,525 nF", "2,5591 nF", "75,0 %"}},
        {"H", {{-2.5e-6, true}}, {"1", "-2,5000 μH", "-2,5000 μH", "-2,5000 μH", "—", "0,0 %"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit.toStdString());
        window->clear();
        window->setQuantity("X", c.unit);
        record(c.readings);
        // No explicit redraw: the throttled redraw must bring the figures on screen by itself.
        EXPECT_TRUE(QTest::qWaitFor([&] { return statisticsTexts() == c.expected; }, 2000))
            << statisticsTexts().join(" | ").toStdString();
    }

    window->clear();
    window->redraw();
    EXPECT_EQ(statisticsTexts(), QStringList({"0", "—", "—", "—", "—", "—"}));
}

TEST_F(TrendWindow, AnotherQuantityStartsANewTrendAnotherUnitTextDoesNot)
{
    window->setQuantity("R", "Ω");
    record({{10.0, false}, {12.0, false}});
    window->setQuantity("R", "Ом");
    window->redraw();
    EXPECT_EQ(text("TrendCountValue"), "2");
    EXPECT_EQ(text("TrendMeanValue"), "11,000 Ом");

    window->setQuantity("L", "H");
    record({{2e-3, false}});
    window->redraw();
    EXPECT_EQ(text("TrendCountValue"), "1");
    EXPECT_EQ(text("TrendMeanValue"), "2,0000 mH");
}

TEST_F(TrendWindow, DrawsDecimatedValuesWithEveryLoneReject)
{
    window->setQuantity("R", "Ω");
    std::vector<Reading> readings(20'000, {1000, false});
    for (size_t i = 0; i < readings.size(); ++i)
        readings[i].value += double(i % 50) / 10;
    for (size_t lone : {size_t(3'000), size_t(11'000), size_t(19'000)})
        readings[lone] = {1500, true};
    record(readings);
    window->redraw();

    const int width = int(view()->chart()->plotArea().width());
    ASSERT_GT(width, 100);
    const QList<QPointF> values = series<QLineSeries>("TrendValues")->points();
    EXPECT_LE(values.size(), 2 * width);
    EXPECT_EQ(std::max_element(values.begin(), values.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); })->y(),
              1.5)
        << "values in kΩ, the spike kept";
    const QList<QPointF> rejects = series<QScatterSeries>("TrendRejects")->points();
    ASSERT_EQ(rejects.size(), 3);
    EXPECT_EQ(rejects[1], QPointF(double(Start.addSecs(11'000).toMSecsSinceEpoch()), 1.5));
    EXPECT_EQ(view()->chart()->axes(Qt::Vertical).constFirst()->titleText(), "R, kΩ");
}

TEST_F(TrendWindow, ReferenceBandAndLimitsFollowTheTolerance)
{
    window->setQuantity("C", "F");
    record({{99e-9, false}, {101e-9, false}, {112e-9, true}});

    struct Case {
        const char* name;
        std::optional<Reference> reference;
        bool band, lower, upper, nominal;
    };
    const std::vector<Case> cases{
        {"both limits", Reference{100e-9, 95e-9, 105e-9}, true, true, true, true},
        {"lower only", Reference{100e-9, 95e-9, std::nullopt}, false, true, false, true},
        {"upper only", Reference{100e-9, std::nullopt, 105e-9}, false, false, true, true},
        {"tolerance off", std::nullopt, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->setReference(c.reference);
        window->redraw();
        EXPECT_EQ(series<QAreaSeries>("TrendBand")->isVisible(), c.band);
        EXPECT_EQ(series<QLineSeries>("TrendLowerLimit")->isVisible(), c.lower);
        EXPECT_EQ(series<QLineSeries>("TrendUpperLimit")->isVisible(), c.upper);
        EXPECT_EQ(series<QLineSeries>("TrendNominal")->isVisible(), c.nominal);
        if (c.band) {
            EXPECT_DOUBLE_EQ(series<QAreaSeries>("TrendBand")->upperSeries()->at(0).y(), 105.0) << "in nF";
            EXPECT_DOUBLE_EQ(series<QAreaSeries>("TrendBand")->lowerSeries()->at(1).y(), 95.0);
        }
        const auto* axis = qobject_cast<QValueAxis*>(view()->chart()->axes(Qt::Vertical).constFirst());
        EXPECT_LE(axis->min(), c.lower ? 95.0 : 99.0);
        EXPECT_GE(axis->max(), 112.0);
    }
}

TEST_F(TrendWindow, SavesTheChartAsPng)
{
    window->setQuantity("L", "H");
    window->setReference(Reference{1e-3, 0.9e-3, 1.1e-3});
    record({{1.0e-3, false}, {1.05e-3, false}, {1.2e-3, true}});
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());

    const QString direct = folder.filePath("direct.png");
    ASSERT_TRUE(window->savePng(direct));
    QImage image;
    ASSERT_TRUE(image.load(direct, "PNG"));
    EXPECT_EQ(image.size(), view()->size() * view()->devicePixelRatio());
    EXPECT_FALSE(window->savePng(folder.filePath("missing/folder/chart.png")));
}

// Each button that asks for a file, answered with a name without extension: the name gets
// the button's suffix, and the button does its own job alone (the chart saved, or the lot
// report asked for).
TEST_F(TrendWindow, AsksForAFileAndGivesTheNameItsSuffix)
{
    window->setQuantity("L", "H");
    window->setReference(Reference{1e-3, 0.9e-3, 1.1e-3});
    record({{1.0e-3, false}, {1.05e-3, false}, {1.2e-3, true}});
    const struct {
        const char* button;
        const char* typed;
        QStringList written;   // the files in the folder afterwards
        QStringList requested; // the lot reports asked for
    } cases[] = {
        {"TrendSaveButton", "asked", {"asked.png"}, {}},
        {"TrendReportButton", "lot", {}, {"lot.html"}},
    };
    for (const auto& fileCase : cases) {
        SCOPED_TRACE(fileCase.button);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        QSignalSpy asked(window.get(), &TrendChartWindow::lotReportRequested);

        // The name is typed into the name field as a user would (selectFile does not stick
        // once the dialog lists its folder), and only from inside the dialog's own event
        // loop: an answer while it is still being shown would leave exec() waiting.
        const int loopLevelBeforeClick = QThread::currentThread()->loopLevel();
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog && QThread::currentThread()->loopLevel() > loopLevelBeforeClick) {
                answer.stop();
                dialog->setDirectory(folder.path());
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(fileCase.typed);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
        answer.start(20);
        QTest::mouseClick(window->findChild<QPushButton*>(fileCase.button), Qt::LeftButton);

        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), fileCase.written);
        for (const QString& written : fileCase.written)
            EXPECT_EQ(QImage(folder.filePath(written)).size(), view()->size() * view()->devicePixelRatio());
        QStringList requested;
        for (const QList<QVariant>& request : asked)
            requested << request.first().toString();
        QStringList expected;
        for (const QString& name : fileCase.requested)
            expected << folder.filePath(name);
        EXPECT_EQ(requested, expected);
    }
}

TEST_F(TrendWindow, ShowsTheLotReportsOutcome)
{
    window->showReportOutcome(QStringLiteral("cannot write /x/lot.html: no room"));
    EXPECT_EQ(text("TrendReportOutcome"), "cannot write /x/lot.html: no room");
}

// Mean 1001 and σ √2 for 1000 and 1002, moving range 2 (σ within 2 / 1.128): against 990 to
// 1010, Pp = 20 / 6√2, Ppk = 9 / 3√2, Cp = 20 / (6 × 2 / 1.128), Cpk = 9 / (3 × 2 / 1.128).
TEST_F(TrendWindow, ShowsTheCapabilityIndicesUnderTheirNames)
{
    const auto indices = [this] {
        return QStringList{text("TrendPpValue"), text("TrendPpkValue"), text("TrendCpValue"), text("TrendCpkValue")};
    };
    EXPECT_EQ(
        (QStringList{text("TrendPpCaption"), text("TrendPpkCaption"), text("TrendCpCaption"), text("TrendCpkCaption")}),
        QStringList({"Pp", "Ppk", "Cp", "Cpk"}));
    const struct {
        const char* what;
        std::optional<Reference> reference;
        std::vector<Reading> readings;
        QStringList expected;
    } cases[] = {
        {"both limits", Reference{1000, 990, 1010}, {{1000, false}, {1002, false}}, {"2,36", "2,12", "1,88", "1,69"}},
        {"upper limit alone",
         Reference{1000, std::nullopt, 1010},
         {{1000, false}, {1002, false}},
         {"–", "2,12", "–", "1,69"}},
        {"no tolerance", std::nullopt, {{1000, false}, {1002, false}}, {"–", "–", "–", "–"}},
        {"one reading", Reference{1000, 990, 1010}, {{1000, false}}, {"–", "–", "–", "–"}},
        {"σ of 0", Reference{1000, 990, 1010}, {{1000, false}, {1000, false}}, {"–", "–", "–", "–"}},
    };
    for (const auto& indexCase : cases) {
        window->clear();
        window->setQuantity("R", "Ω");
        window->setReference(indexCase.reference);
        record(indexCase.readings);
        window->redraw();
        EXPECT_EQ(indices(), indexCase.expected) << indexCase.what;
    }
}

} // namespace
