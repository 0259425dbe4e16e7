#include "recording/log_formats.h"

#include "recording/decimal_text.h"

#include <QLocale>
#include <cmath>

namespace recording {
namespace {

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, u'0');
}

int digitsBeforeSeparator(double magnitude)
{
    return magnitude < 1 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
}

QString withSeparator(QString text, QChar decimalSeparator)
{
    text.replace(u'.', decimalSeparator);
    return text;
}

} // namespace

QString IsoTimestamp(const QDateTime& when)
{
    return when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate);
}

QString FormatLogTimestamp(const QDateTime& when, QChar timeSeparator)
{
    const QDate date = when.date();
    const QTime time = when.time();
    return twoDigits(date.day()) + u'.' + twoDigits(date.month()) + u'.' + twoDigits(date.year() % 100) + u' '
         + twoDigits(time.hour()) + timeSeparator + twoDigits(time.minute()) + timeSeparator
         + twoDigits(time.second());
}

QDateTime LogTimestampAsShown(const QDateTime& when)
{
    constexpr int ShownCentury = 2000;
    constexpr int YearsPerCentury = 100;
    const QDate date = when.date();
    const QTime time = when.time();
    return QDateTime(QDate(ShownCentury + date.year() % YearsPerCentury, date.month(), date.day()),
                     QTime(time.hour(), time.minute(), time.second()));
}

QString FormatDeviation(double percent, QChar decimalSeparator)
{
    constexpr int SignificantDigits = 4;
    constexpr int Decimals = 2;
    const int integerDigits = digitsBeforeSeparator(std::abs(percent));
    if (integerDigits <= SignificantDigits) {
        const int roundedDecimals = std::min(Decimals, SignificantDigits - integerDigits);
        QString text = QString::number(percent, 'f', roundedDecimals);
        // Rounding 9999.6 up gains a fifth digit; such a value belongs to the exponent form.
        if (digitsBeforeSeparator(std::abs(text.toDouble())) <= SignificantDigits) {
            if (roundedDecimals < Decimals)
                text += (roundedDecimals == 0 ? QStringLiteral(".") : QString())
                      + QString(Decimals - roundedDecimals, u'0');
            return withSeparator(text, decimalSeparator);
        }
    }
    return withSeparator(QString::number(percent, 'E', SignificantDigits - 1), decimalSeparator);
}

// The text is the one place the rounding is decided (four significant digits, halves as
// the formatting rounds them), so the number is read back from it rather than rounded a
// second way that could disagree at a half.
std::optional<double> DeviationAsShown(double percent)
{
    return ParseDecimal(FormatDeviation(percent, u'.'));
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
