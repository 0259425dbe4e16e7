#include "trend/trend_value_format.h"

#include "meter/rounded_decimal.h"

#include <array>
#include <cmath>

namespace trend {
namespace {

constexpr int SignificantDigits = 5;

struct Prefix {
    double factor;
    const char16_t* text;
};

// Largest first.
constexpr std::array<Prefix, 7> Prefixes{{
    {1e6, u"M"},
    {1e3, u"k"},
    {1, u""},
    {1e-3, u"m"},
    {1e-6, u"μ"},
    {1e-9, u"n"},
    {1e-12, u"p"},
}};

// Rounds to the shown digits first, so that 999.996 becomes 1000 and moves to the next prefix.
double roundedToShownDigits(double value)
{
    if (!std::isfinite(value))
        return value;
    return meter::RoundToSignificantDigits(value, SignificantDigits).nearestDouble();
}

} // namespace

MetricScale metricScaleFor(double magnitude)
{
    magnitude = std::abs(magnitude);
    if (magnitude == 0)
        return {};
    for (const Prefix& prefix : Prefixes) {
        if (magnitude >= prefix.factor)
            return {prefix.factor, QString::fromUtf16(prefix.text)};
    }
    const Prefix& smallest = Prefixes.back();
    return {smallest.factor, QString::fromUtf16(smallest.text)};
}

QString formatMetric(double value, const QString& unit, const QLocale& locale)
{
    const double rounded = roundedToShownDigits(value);
    const MetricScale scale = metricScaleFor(rounded);
    const double scaled = rounded / scale.factor;
    const int integerDigits = scaled == 0 ? 1 : std::max(1, int(std::floor(std::log10(std::abs(scaled)))) + 1);
    const QString number = locale.toString(scaled, 'f', std::max(0, SignificantDigits - integerDigits));
    const QString suffix = scale.prefix + unit;
    return suffix.isEmpty() ? number : number + u' ' + suffix;
}

QString formatPercent(double fraction, const QLocale& locale)
{
    return locale.toString(fraction * 100, 'f', 1) + QStringLiteral(" %");
}

} // namespace trend
