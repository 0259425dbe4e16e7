#include "ui/trend/trend_statistics_panel.h"

#include "bins/capability.h"
#include "trend/trend_value_format.h"

#include <QGridLayout>
#include <QLabel>

namespace trend {
namespace {

struct FieldNames {
    const char* caption;
    const char* value;
    const char16_t* designText;
};

constexpr std::array<FieldNames, 10> Fields{{
    {"TrendCountCaption", "TrendCountValue", u"Количество"},
    {"TrendMinimumCaption", "TrendMinimumValue", u"Минимум"},
    {"TrendMaximumCaption", "TrendMaximumValue", u"Максимум"},
    {"TrendMeanCaption", "TrendMeanValue", u"Среднее"},
    {"TrendDeviationCaption", "TrendDeviationValue", u"Ст. отклонение"},
    {"TrendPassRateCaption", "TrendPassRateValue", u"Годные"},
    {"TrendPpCaption", "TrendPpValue", u"Pp"},
    {"TrendPpkCaption", "TrendPpkValue", u"Ppk"},
    {"TrendCpCaption", "TrendCpValue", u"Cp"},
    {"TrendCpkCaption", "TrendCpkValue", u"Cpk"},
}};

constexpr int kIndexDecimals = 2;

const QString NoValue = QStringLiteral("—");
// An index that is undefined (no limit on the side it needs, fewer than two readings, σ of 0)
// reads as the lot report writes it, never as infinity.
const QString NoIndex = QStringLiteral("–");

QLabel* addLabel(QGridLayout* grid, int row, int column, const char* objectName, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    grid->addWidget(label, row, column);
    return label;
}

} // namespace

TrendStatisticsPanel::TrendStatisticsPanel(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(2);

    QFont valueFont = font();
    valueFont.setPointSizeF(valueFont.pointSizeF() * 1.25);
    valueFont.setBold(true);
    for (std::size_t field = 0; field < Fields.size(); ++field) {
        const int column = int(field);
        QLabel* caption =
            addLabel(grid, 0, column, Fields[field].caption, QString::fromUtf16(Fields[field].designText));
        caption->setStyleSheet("color: #606060;");
        QLabel* value = addLabel(grid, 1, column, Fields[field].value, NoValue);
        value->setFont(valueFont);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Values are numbers, not interface texts: the translating client leaves them alone.
        value->setProperty("tag", -799);
        m_values[field] = value;
        grid->setColumnStretch(column, 1);
    }
    showStatistics(TrendSeries(), std::nullopt, {});
}

void TrendStatisticsPanel::showStatistics(const TrendSeries& series, const std::optional<Reference>& reference,
                                          const QString& unit)
{
    const recording::RunningStatistics& statistics = series.statistics();
    const QLocale locale;
    const bool any = statistics.count() > 0;
    const bool spread = statistics.count() > 1;
    m_values[Count]->setText(locale.toString(statistics.count()));
    m_values[Minimum]->setText(any ? formatMetric(statistics.min(), unit, locale) : NoValue);
    m_values[Maximum]->setText(any ? formatMetric(statistics.max(), unit, locale) : NoValue);
    m_values[Mean]->setText(any ? formatMetric(statistics.mean(), unit, locale) : NoValue);
    m_values[Deviation]->setText(spread ? formatMetric(statistics.standardDeviation(), unit, locale) : NoValue);
    m_values[PassRate]->setText(any ? formatPercent(statistics.passRate(), locale) : NoValue);

    const bins::SpecificationLimits limits =
        reference ? bins::SpecificationLimits{reference->lower, reference->upper} : bins::SpecificationLimits{};
    const auto sigma = spread ? std::optional<double>(statistics.standardDeviation()) : std::nullopt;
    const auto movingRange = series.averageMovingRange();
    const auto within = movingRange ? std::optional<double>(bins::WithinSigma(*movingRange)) : std::nullopt;
    const bins::CapabilityIndices overall = bins::Capability(limits, statistics.mean(), sigma);
    const bins::CapabilityIndices withinIndices = bins::Capability(limits, statistics.mean(), within);
    const auto shown = [&locale](const std::optional<double>& index) {
        return index ? locale.toString(*index, 'f', kIndexDecimals) : NoIndex;
    };
    m_values[Pp]->setText(shown(overall.spread));
    m_values[Ppk]->setText(shown(overall.centred));
    m_values[Cp]->setText(shown(withinIndices.spread));
    m_values[Cpk]->setText(shown(withinIndices.centred));
}

} // namespace trend
