#include "recording/row_numbers.h"

#include "recording/inline_text.h"

namespace recording {
namespace {

NumericCell valueCell(const std::optional<MeasuredValue>& measured)
{
    if (!measured || measured->overload)
        return {};
    return measured->value;
}

NumericCell optionalCell(const std::optional<double>& number)
{
    return number ? NumericCell(*number) : NumericCell();
}

NumericCell textCell(const QString& text)
{
    return text.isEmpty() ? NumericCell() : NumericCell(text);
}

// The unit goes with the value it names: none where the row has no value of that kind.
NumericCell unitCell(const std::optional<MeasuredValue>& measured, const QString& unit)
{
    return measured ? textCell(unit) : NumericCell();
}

struct TextOf {
    QString operator()(std::monostate) const { return {}; }
    QString operator()(double number) const { return NumberText(number); }
    QString operator()(const QString& text) const { return text; }
};

} // namespace

QString VerdictWord(std::optional<VerdictCode> verdict)
{
    if (!verdict)
        return {};
    switch (*verdict) {
    case VerdictPass: return QStringLiteral("pass");
    case VerdictPrimaryOut: return QStringLiteral("reject-primary");
    case VerdictSecondaryOut: return QStringLiteral("reject-secondary");
    case VerdictBothOut: return QStringLiteral("reject-both");
    case VerdictUnreadable: break;
    }
    return QStringLiteral("unreadable");
}

const QStringList& NumericColumnNames()
{
    static const QStringList names{
        QStringLiteral("primary_value"),
        QStringLiteral("primary_unit"),
        QStringLiteral("secondary_value"),
        QStringLiteral("secondary_unit"),
        QStringLiteral("frequency_hz"),
        QStringLiteral("level_v"),
        QStringLiteral("verdict"),
        QStringLiteral("primary_deviation_pct"),
        QStringLiteral("secondary_deviation_pct"),
        QStringLiteral("bin"),
    };
    return names;
}

std::array<NumericCell, kNumericColumnCount> NumericCells(const RowNumbers& numbers)
{
    const ReadingValues& values = numbers.values;
    const auto frequency = values.frequencyHz ? std::optional<double>(*values.frequencyHz) : std::nullopt;
    return {
        valueCell(values.primary),
        unitCell(values.primary, UnitSymbol(values.primaryKind)),
        valueCell(values.secondary),
        unitCell(values.secondary, UnitSymbol(values.secondaryKind)),
        optionalCell(frequency),
        optionalCell(values.levelV),
        textCell(VerdictWord(numbers.verdict)),
        optionalCell(numbers.primaryDeviationPercent),
        optionalCell(numbers.secondaryDeviationPercent),
        numbers.bin ? NumericCell(bins::BinWord(*numbers.bin)) : NumericCell(),
    };
}

QStringList NumericTexts(const std::optional<RowNumbers>& numbers)
{
    if (!numbers)
        return QStringList(kNumericColumnCount);
    QStringList texts;
    for (const NumericCell& cell : NumericCells(*numbers))
        texts << std::visit(TextOf{}, cell);
    return texts;
}

QString NumberText(double value)
{
    InlineText text;
    text.appendNumber(value);
    return text.toString();
}

} // namespace recording
