#include "recording/log_formats.h"

#include "meter/rounded_decimal.h"

#include <QLocale>

#include <cmath>
#include <cstdint>

namespace recording {
namespace {

constexpr int ShownCentury = 2000;
constexpr int YearsPerCentury = 100;

// As QString::number(value).rightJustified(2, u'0'): only a single digit gets a leading zero.
void appendTwoDigits(InlineText& text, int value)
{
    if (value >= 0 && value < 10)
        text.append(u'0');
    text.appendNumber(value);
}

constexpr int DeviationDigitsShown = 4;
constexpr int DeviationDecimals = 2;
constexpr int HundredthsPerUnit = 100;

// The one place the log's rounding of a deviation is decided, as a number: its digits and
// the value an export writes are both made from it, so they cannot disagree.
meter::RoundedDecimal roundedDeviation(double percent)
{
    return meter::RoundToSignificantDigits(percent, DeviationDigitsShown, DeviationDecimals);
}

// The deviation in hundredths when the log shows it in fixed notation. The rounding keeps
// four digits, so from 10000 on (9999.6 too, rounded to 1000 × 10^1) it counts tens or
// more, and the log takes the exponent form.
std::optional<std::uint64_t> fixedHundredths(const meter::RoundedDecimal& rounded)
{
    if (rounded.exponent > 0)
        return std::nullopt;
    std::uint64_t hundredths = rounded.units;
    for (int decimal = -DeviationDecimals; decimal < rounded.exponent; ++decimal)
        hundredths *= 10;
    return hundredths;
}

// "12.35", "-0.00": a sign where the value was negative, even when rounded to zero.
InlineText fixedDigits(bool negative, std::uint64_t hundredths)
{
    InlineText text;
    if (negative)
        text.append(u'-');
    text.appendNumber(int(hundredths / HundredthsPerUnit));
    text.append(u'.');
    appendTwoDigits(text, int(hundredths % HundredthsPerUnit));
    return text;
}

// "1.235E+04": the four significant digits, the point after the first, and the power of
// ten with a sign and at least two digits.
InlineText exponentDigits(const meter::RoundedDecimal& rounded)
{
    InlineText digits;
    digits.appendNumber(int(rounded.units));
    InlineText text;
    if (rounded.negative)
        text.append(u'-');
    text.append(digits.view().first(1));
    text.append(u'.');
    text.append(digits.view().sliced(1));
    text.append(u'E');
    text.append(u'+');
    appendTwoDigits(text, rounded.exponent + DeviationDigitsShown - 1);
    return text;
}

} // namespace

QString IsoTimestamp(const QDateTime& when)
{
    return when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate);
}

QString FormatLogTimestamp(const QDateTime& when, QChar timeSeparator)
{
    return LogTimestampText(when, timeSeparator).toString();
}

InlineText LogTimestampText(const QDateTime& when, QChar timeSeparator)
{
    const QDate date = when.date();
    const QTime time = when.time();
    InlineText text;
    appendTwoDigits(text, date.day());
    text.append(u'.');
    appendTwoDigits(text, date.month());
    text.append(u'.');
    appendTwoDigits(text, date.year() % 100);
    text.append(u' ');
    appendTwoDigits(text, time.hour());
    text.append(timeSeparator);
    appendTwoDigits(text, time.minute());
    text.append(timeSeparator);
    appendTwoDigits(text, time.second());
    return text;
}

QDateTime LogTimestampAsShown(const QDateTime& when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    return QDateTime(QDate(ShownCentury + date.year() % YearsPerCentury, date.month(), date.day()),
                     QTime(time.hour(), time.minute(), time.second()));
}

// A valid local time of the shown century keeps its date, and dropping its milliseconds keeps
// it out of any gap a clock change leaves (those begin and end on whole seconds), so the
// QDateTime built from its fields is valid with those very fields. Any other time is built.
std::optional<ShownDateTime> LogTimestampFieldsAsShown(const QDateTime& when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    const bool shownCentury = date.year() >= ShownCentury && date.year() < ShownCentury + YearsPerCentury;
    if (when.timeSpec() == Qt::LocalTime && when.isValid() && shownCentury)
        return ShownDateTime{date, QTime(time.hour(), time.minute(), time.second())};
    const QDateTime shown = LogTimestampAsShown(when);
    if (!shown.isValid())
        return std::nullopt;
    return ShownDateTime{shown.date(), shown.time()};
}

QString FormatDeviation(double percent, QChar decimalSeparator)
{
    InlineText text = DeviationDigits(percent);
    text.replace(u'.', decimalSeparator);
    return text.toString();
}

InlineText DeviationDigits(double percent)
{
    // Infinite and undefined deviations keep Qt's words for them ("INF", "NAN").
    if (!std::isfinite(percent))
        return InlineText(QString::number(percent, 'E', DeviationDigitsShown - 1));
    const meter::RoundedDecimal rounded = roundedDeviation(percent);
    const std::optional<std::uint64_t> hundredths = fixedHundredths(rounded);
    return hundredths ? fixedDigits(rounded.negative, *hundredths) : exponentDigits(rounded);
}

std::optional<double> DeviationAsShown(double percent)
{
    if (!std::isfinite(percent))
        return std::nullopt;
    const double shown = roundedDeviation(percent).nearestDouble();
    if (!std::isfinite(shown))
        return std::nullopt; // beyond the largest double once rounded up
    return shown;
}

QChar SystemDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}

QChar SystemTimeSeparator()
{
    // The locale names no time separator of its own; it is the first character between
    // the hour and the minute field of its time format.
    const QString format = QLocale::system().timeFormat(QLocale::ShortFormat);
    const qsizetype hour = format.indexOf(u'h', 0, Qt::CaseInsensitive);
    for (qsizetype i = hour + 1; hour >= 0 && i < format.size(); ++i) {
        if (format[i] != u'h' && format[i] != u'H')
            return format[i];
    }
    return u':';
}

} // namespace recording
