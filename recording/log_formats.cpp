#include "recording/log_formats.h"

#include <QLocale>

#include <array>
#include <charconv>
#include <cmath>

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

int digitsBeforeSeparator(double magnitude)
{
    return magnitude < 1 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
}

// A value exactly halfway between two texts of so many decimals. Such a value has at most
// decimals + 1 binary places, which makes the scaling below exact for it.
bool isExactlyHalfway(double value, int decimals)
{
    constexpr std::array<double, 3> PowersOfTen{1, 10, 100};
    const double magnitude = std::abs(value);
    const double binaryPlaces = std::ldexp(magnitude, decimals + 1);
    if (binaryPlaces != std::floor(binaryPlaces))
        return false;
    const double scaled = magnitude * PowersOfTen[std::size_t(decimals)];
    return scaled - std::floor(scaled) == 0.5;
}

// As QString::number(value, 'f', decimals) for up to two decimals: the correctly rounded
// digits, except that Qt rounds a value exactly halfway away from zero and shows a
// negative zero without its sign.
void appendFixed(InlineText& text, double value, int decimals)
{
    if (value == 0)
        value = 0;
    if (isExactlyHalfway(value, decimals))
        value = std::nextafter(value, value > 0 ? HUGE_VAL : -HUGE_VAL);
    std::array<char, InlineText::Capacity> digits{};
    const char* end =
        std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed, decimals).ptr;
    text.appendLatin1({digits.data(), std::size_t(end - digits.data())});
}

qsizetype digitsBeforePoint(QStringView text)
{
    const qsizetype point = text.indexOf(u'.');
    const qsizetype end = point < 0 ? text.size() : point;
    return text.startsWith(u'-') ? end - 1 : end;
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
    constexpr int SignificantDigits = 4;
    constexpr int Decimals = 2;
    const int integerDigits = std::isfinite(percent) ? digitsBeforeSeparator(std::abs(percent)) : SignificantDigits + 1;
    if (integerDigits <= SignificantDigits) {
        const int roundedDecimals = std::min(Decimals, SignificantDigits - integerDigits);
        InlineText text;
        appendFixed(text, percent, roundedDecimals);
        // Rounding 9999.6 up gains a fifth digit; such a value belongs to the exponent form.
        if (digitsBeforePoint(text.view()) <= SignificantDigits) {
            if (roundedDecimals == 0)
                text.append(u'.');
            for (int decimal = roundedDecimals; decimal < Decimals; ++decimal)
                text.append(u'0');
            return text;
        }
    }
    // Four significant digits and an exponent: values this large are rare enough to be
    // left to Qt's own formatting.
    return InlineText(QString::number(percent, 'E', SignificantDigits - 1));
}

// The text is the one place the rounding is decided (four significant digits, halves as
// the formatting rounds them), so the number is read back from it rather than rounded a
// second way that could disagree at a half.
std::optional<double> DeviationAsShown(double percent)
{
    return NumberOfDigits(DeviationDigits(percent));
}

std::optional<double> NumberOfDigits(const InlineText& digits)
{
    std::array<char, InlineText::Capacity> latin1{};
    const QStringView text = digits.view();
    for (qsizetype i = 0; i < text.size(); ++i)
        latin1[std::size_t(i)] = text[i].toLatin1();
    double value = 0;
    const char* end = latin1.data() + text.size();
    const auto [parsedTo, error] = std::from_chars(latin1.data(), end, value);
    if (error != std::errc() || parsedTo != end || !std::isfinite(value))
        return std::nullopt;
    return value;
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
