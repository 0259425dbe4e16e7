#include "meter/decimal_format.h"
#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace meter {

namespace {

// The magnitude as decimal digits: digits[i] stands for 10^(integerDigits - 1 - i). The
// integer part always has at least one digit ("0" below one).
struct DecimalDigits {
    std::string digits;
    int integerDigits = 1;

    int powerAt(int index) const { return integerDigits - 1 - index; }
    int indexOf(int power) const { return integerDigits - 1 - power; }
    // Index of the leading significant digit, -1 when the number is zero.
    int firstNonZero() const
    {
        const auto index = digits.find_first_not_of('0');
        return index == std::string::npos ? -1 : int(index);
    }
};

// Every finite double is a finite decimal fraction; printing it with as many fraction digits
// as its binary exponent can need gives its exact value, so the rounding below never meets
// the binary approximations that make half-way cases round the wrong way.
DecimalDigits ExactDigits(double magnitude)
{
    int binaryExponent = 0;
    std::frexp(magnitude, &binaryExponent);
    const int fractionDigits = std::clamp(53 - binaryExponent, 0, 1074);

    std::string text(std::size_t(fractionDigits) + 320, '\0');
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), magnitude, std::chars_format::fixed, fractionDigits);
    text.resize(std::size_t(result.ptr - text.data()));

    DecimalDigits exact;
    const auto point = text.find('.');
    exact.integerDigits = int(point == std::string::npos ? text.size() : point);
    if (point != std::string::npos)
        text.erase(point, 1);
    exact.digits = std::move(text);
    return exact;
}

// Keeps the digits down to 10^lowestPower and rounds half away from zero: the first dropped
// digit is 5 or more exactly when the dropped remainder is at least half a unit.
void RoundAt(DecimalDigits& number, int lowestPower)
{
    // Indices are unsigned here: the digits kept always reach at least the first one.
    const std::size_t keptCount = std::size_t(number.indexOf(lowestPower) + 1);
    if (number.digits.size() < keptCount)
        number.digits.append(keptCount - number.digits.size(), '0');
    const bool roundUp = keptCount < number.digits.size() && number.digits[keptCount] >= '5';
    number.digits.resize(keptCount);
    if (!roundUp)
        return;
    for (std::size_t i = keptCount; i-- > 0;) {
        if (number.digits[i] != '9') {
            ++number.digits[i];
            return;
        }
        number.digits[i] = '0';
    }
    number.digits.insert(number.digits.begin(), '1');
    ++number.integerDigits;
}

QString Scientific(bool negative, const DecimalDigits& number, int first, int decimals)
{
    std::string significant = number.digits.substr(std::size_t(first));
    significant.erase(significant.find_last_not_of('0') + 1);

    QString text = negative ? QStringLiteral("-") : QString();
    text += QChar(significant[0]);
    if (significant.size() > 1)
        text += QLocale().decimalPoint() + QString::fromLatin1(significant.substr(1));
    text += u'E' + QStringLiteral("%1").arg(number.powerAt(first), decimals, 10, QChar(u'0'));
    return text;
}

QString GroupedInteger(const std::string& integer, bool grouping)
{
    if (!grouping)
        return QString::fromLatin1(integer);
    const QString separator = QLocale().groupSeparator();
    QString text;
    for (size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            text += separator;
        text += QChar(integer[i]);
    }
    return text;
}

QString Fixed(bool negative, const DecimalDigits& number, int decimals, bool grouping)
{
    const std::size_t integerDigits = std::size_t(number.integerDigits);
    std::string integer = number.digits.substr(0, integerDigits);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
    std::string fraction = number.digits.substr(integerDigits);
    fraction.resize(std::size_t(decimals), '0');

    const bool roundsToZero = number.firstNonZero() < 0;
    QString text = negative && !roundsToZero ? QStringLiteral("-") : QString();
    text += GroupedInteger(integer, grouping);
    if (decimals > 0)
        text += QLocale().decimalPoint() + QString::fromLatin1(fraction);
    return text;
}

} // namespace

QString FormatDecimal(double value, int precision, int decimals, bool grouping)
{
    // The meter's floats are always finite; anything else is not a reading to round.
    if (!std::isfinite(value))
        return QLocale().toString(value);
    precision = std::clamp(precision, 2, 18);
    decimals = std::max(decimals, 0);

    DecimalDigits number = ExactDigits(std::fabs(value));
    const int first = number.firstNonZero();
    const int lowestBySignificance = first < 0 ? 0 : number.powerAt(first) - precision + 1;
    RoundAt(number, std::max(lowestBySignificance, -decimals));

    const int roundedFirst = number.firstNonZero();
    const int integerDigits = roundedFirst < 0 ? 0 : std::max(number.powerAt(roundedFirst) + 1, 0);
    if (integerDigits > precision)
        return Scientific(value < 0, number, roundedFirst, decimals);
    return Fixed(value < 0, number, decimals, grouping);
}

} // namespace meter
