#include "report/reading_fields.h"

#include <array>
#include <charconv>
#include <cmath>

namespace report {
namespace {

constexpr std::array kVerdicts{recording::VerdictPass, recording::VerdictPrimaryOut, recording::VerdictSecondaryOut,
                               recording::VerdictBothOut, recording::VerdictUnreadable};

meter::PrimaryParameter kindOfUnit(const QString& unit)
{
    // |Z| shares the ohm with R; the figures need the unit alone.
    for (const auto kind : {meter::PrimaryParameter::Resistance, meter::PrimaryParameter::Inductance,
                            meter::PrimaryParameter::Capacitance}) {
        if (unit == recording::UnitSymbol(kind))
            return kind;
    }
    return meter::PrimaryParameter::None;
}

FieldProblem problem(const QString& column, const QString& text, const char* expected)
{
    return FieldProblem(
        QStringLiteral("%1 holds '%2', which is not %3").arg(column, text.left(40), QLatin1String(expected)));
}

} // namespace

LotReading ReadingOf(const ReadingFields& fields)
{
    LotReading reading;
    reading.takenAt = fields.takenAt;
    reading.partNumber = fields.partNumber;
    reading.partName = fields.partName;
    auto& values = reading.numbers.values;
    values.primaryKind = kindOfUnit(fields.primaryUnit);
    if (values.primaryKind != meter::PrimaryParameter::None)
        values.primary = recording::MeasuredValue{fields.primaryValue.value_or(0), !fields.primaryValue};
    reading.numbers.verdict = fields.verdict;
    reading.numbers.bin = fields.bin;
    reading.nominal = fields.nominal;
    reading.limits = {fields.lsl, fields.usl};
    return reading;
}

// The whole text is the number, in C notation whatever the locale.
std::optional<double> NumberField(QByteArrayView text, const QString& column)
{
    if (text.isEmpty())
        return std::nullopt;
    double number = 0;
    const auto [end, error] = std::from_chars(text.begin(), text.end(), number);
    if (error != std::errc() || end != text.end() || !std::isfinite(number))
        throw problem(column, QString::fromUtf8(text), "a finite number");
    return number;
}

std::optional<int> WholeNumberField(QByteArrayView text, const QString& column)
{
    if (text.isEmpty())
        return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(text.begin(), text.end(), number);
    if (error != std::errc() || end != text.end())
        throw problem(column, QString::fromUtf8(text), "a whole number");
    return number;
}

std::optional<recording::VerdictCode> VerdictField(const QString& text, const QString& column)
{
    if (text.isEmpty())
        return std::nullopt;
    for (const auto verdict : kVerdicts) {
        if (text == recording::VerdictWord(verdict))
            return verdict;
    }
    throw problem(column, text, "a verdict (pass, reject-primary, reject-secondary, reject-both, unreadable)");
}

std::optional<bins::Bin> BinField(const QString& text, const QString& column)
{
    if (text.isEmpty())
        return std::nullopt;
    if (const auto bin = bins::BinOfWord(text))
        return bin;
    throw problem(column, text, "a bin (1 to 9, AUX or OUT)");
}

QDateTime TimeField(const QString& text, const QString& column)
{
    const QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!time.isValid())
        throw problem(column, text, "a time in ISO 8601");
    return time;
}

QString UnitField(const QString& text, const QString& column)
{
    if (!text.isEmpty() && kindOfUnit(text) == meter::PrimaryParameter::None)
        throw problem(column, text, "a unit of a primary value (\u03A9, H or F)");
    return text;
}

} // namespace report
