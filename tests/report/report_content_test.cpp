// What the report says and how it is drawn: the indices under their own names and "–"
// where a figure is undefined, never infinity; an HTML file that loads nothing; the rejected
// readings listed up to 200 and the rest counted; a lot of a million readings that stays small.
#include "hand_lot.h"
#include "report/journal_source.h"
#include "report/lot_charts.h"
#include "report/report_content.h"
#include "report/report_html.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

report::LotReading reading(double value, std::optional<recording::VerdictCode> verdict,
                           const bins::SpecificationLimits& limits = {990, 1010})
{
    report::LotReading lotReading;
    lotReading.takenAt = QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
    lotReading.partName = QStringLiteral("R1k");
    lotReading.numbers.values.primaryKind = meter::PrimaryParameter::Resistance;
    lotReading.numbers.values.primary = recording::MeasuredValue{value, false};
    lotReading.numbers.verdict = verdict;
    lotReading.nominal = 1000;
    lotReading.limits = limits;
    return lotReading;
}

QString statistic(const report::PartReport& part, const QString& name)
{
    for (const QStringList& row : part.statistics.rows) {
        if (row.first() == name)
            return row.last();
    }
    return QStringLiteral("(no row %1)").arg(name);
}

TEST(ReportContent, NamesTheIndicesAndShowsADashWhereOneIsUndefined)
{
    const struct {
        const char* what;
        std::vector<double> values;
        bins::SpecificationLimits limits;
        const char* pp;
        const char* ppk;
        const char* cpk;
    } cases[] = {
        // σ = 0: no index, whatever the limits.
        {"σ of 0", {1000, 1000, 1000}, {990, 1010}, "\u2013", "\u2013", "\u2013"},
        {"one reading", {1000}, {990, 1010}, "\u2013", "\u2013", "\u2013"},
        // Only an upper limit: Ppk and Cpk from that side, no Pp. Mean 1001, σ √2, moving
        // range 2 (σ within 2 / 1.128): Ppk = 9 / 3√2 = 2.121, Cpk = 9 / (3 × 2 / 1.128) = 1.692.
        {"one-sided", {1000, 1002}, {std::nullopt, 1010}, "\u2013", "2.121", "1.692"},
        // A mean beyond a limit gives a negative index, as it is: Pp = 20 / 6√2 = 2.357,
        // Ppk = (1010 − 1011) / 3√2 = −0.236, Cpk = −1 / (3 × 2 / 1.128) = −0.188.
        {"negative", {1010, 1012}, {990, 1010}, "2.357", "-0.236", "-0.188"},
    };
    for (const auto& lotCase : cases) {
        report::Lot lot({});
        for (const double value : lotCase.values)
            lot.add(reading(value, recording::VerdictPass, lotCase.limits));
        const report::ReportContent content = report::ContentOf(lot);
        ASSERT_EQ(content.parts.size(), 1u);
        const auto& part = content.parts.front();
        EXPECT_EQ(statistic(part, "Pp (overall \u03C3)"), QString::fromUtf8(lotCase.pp)) << lotCase.what;
        EXPECT_EQ(statistic(part, "Ppk (overall \u03C3)"), QString::fromUtf8(lotCase.ppk)) << lotCase.what;
        EXPECT_EQ(statistic(part, "Cpk (within \u03C3, moving range / 1.128)"), QString::fromUtf8(lotCase.cpk))
            << lotCase.what;
        const QByteArray html = report::ReportHtml(content);
        EXPECT_FALSE(html.contains("inf")) << lotCase.what;
        EXPECT_FALSE(html.contains("nan")) << lotCase.what;
    }
}

TEST(ReportContent, HtmlHoldsEverythingAndLoadsNothing)
{
    const report::Lot lot = report::ReadJournalBytes(hand_lot::Journal(), QStringLiteral("lot.csv"));
    const QString html = QString::fromUtf8(report::ReportHtml(report::ContentOf(lot)));
    // Nothing is fetched: no sources, links, style imports or URLs but the SVG namespace.
    static const QRegularExpression fetches(QStringLiteral("src=|href=|@import|url\\(|<link|<script"));
    EXPECT_FALSE(html.contains(fetches));
    EXPECT_EQ(html.count(QStringLiteral("http")), html.count(QStringLiteral("xmlns=\"http://www.w3.org/2000/svg\"")));
    for (const char* shown :
         {"Part 1 R1k", "Part 2 C100n", "Pp (overall", "Cpk (within", "Histogram of the primary value",
          "Run chart of the primary value", "Readings per bin", "Bin table", "LSL 990.00 \u03A9",
          "nominal 1.0000 k\u03A9", "2 readings not judged pass."})
        EXPECT_TRUE(html.contains(QString::fromUtf8(shown))) << shown;
    // R1k has a bin table and bins; C100n neither.
    EXPECT_EQ(html.count(QStringLiteral("Readings per bin")), 1);
}

TEST(ReportContent, ListsTheFirstTwoHundredRejectsAndCountsTheRest)
{
    report::Lot lot({});
    for (int index = 0; index < 250; ++index)
        lot.add(reading(1020 + index, recording::VerdictPrimaryOut));
    const report::ReportContent content = report::ContentOf(lot);
    const auto& part = content.parts.front();
    ASSERT_EQ(part.rejects.rows.size(), 200);
    EXPECT_EQ(part.rejects.rows.last().first(), "200");
    EXPECT_EQ(part.rejectsNote, "250 readings not judged pass. The first 200 are listed; 50 more are not.");
}

TEST(ReportContent, AMillionReadingsMakeASmallReport)
{
    report::Lot lot({});
    for (int index = 0; index < 1'000'000; ++index)
        lot.add(reading(1000 + double(qint64(index) * 7919 % 2001 - 1000) / 100, recording::VerdictPass));
    const QByteArray html = report::ReportHtml(report::ContentOf(lot));
    // The run chart keeps two points a pixel column at most; the histogram a few bars.
    EXPECT_LT(html.size(), 200'000);
    const report::Figure run = report::RunChartFigure(lot.parts().front().values(), {});
    ASSERT_FALSE(run.steps.empty());
    qsizetype points = 0;
    for (const auto& step : run.steps) {
        if (const auto* line = std::get_if<report::Figure::Polyline>(&step))
            points += line->points.size();
    }
    EXPECT_GT(points, 600);
    EXPECT_LE(points, 2 * 720);
}

TEST(ReportContent, HistogramCountsEveryValueAndDrawsTheLimitsAndTheNominal)
{
    const std::vector<double> values{995, 1000, 1000, 1005};
    const report::Figure histogram = report::HistogramFigure(values, {QStringLiteral("\u03A9"), 1000, {990, 1010}});
    QStringList labels;
    int limitLines = 0;
    for (const auto& step : histogram.steps) {
        if (const auto* label = std::get_if<report::Figure::Label>(&step))
            labels << label->text;
        if (const auto* line = std::get_if<report::Figure::Line>(&step); line && line->colour == report::kLimitColour)
            ++limitLines;
    }
    EXPECT_EQ(limitLines, 2);
    EXPECT_TRUE(labels.contains(QStringLiteral("LSL 990.00 \u03A9")));
    EXPECT_TRUE(labels.contains(QStringLiteral("USL 1.0100 k\u03A9")));
    EXPECT_TRUE(labels.contains(QStringLiteral("nominal 1.0000 k\u03A9")));
    // The tallest bar holds the two readings of 1000 Ω and is named on the count axis.
    EXPECT_TRUE(labels.contains(QStringLiteral("2")));
}

} // namespace
