#pragma once
#include "recording/bin.h"
#include "recording/reading_values.h"
#include "recording/tolerance.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <variant>

namespace recording {

// What a logged row holds as numbers: the reading's values, its judgement and its bin. The
// verdict is none where no tolerance was on, a deviation none while its tolerance is off,
// the bin none while the part has no bin table.
struct RowNumbers {
    ReadingValues values;
    std::optional<VerdictCode> verdict;
    std::optional<double> primaryDeviationPercent, secondaryDeviationPercent;
    std::optional<bins::Bin> bin;
    bool operator==(const RowNumbers&) const = default;
};

// The verdict for files other programs read: pass, reject-primary, reject-secondary,
// reject-both or unreadable; empty for none.
QString VerdictWord(std::optional<VerdictCode> verdict);

// The columns every file adds after its own, with names for programs rather than people,
// untranslated: primary_value, primary_unit, secondary_value, secondary_unit, frequency_hz,
// level_v, verdict, primary_deviation_pct, secondary_deviation_pct, bin. Values are in SI
// units; an overload, or a value the row does not have, is an empty cell; the bin is its
// word (BinWord).
inline constexpr int kNumericColumnCount = 10;
const QStringList& NumericColumnNames();

// A cell of those columns: empty, a number or a text.
using NumericCell = std::variant<std::monostate, double, QString>;
std::array<NumericCell, kNumericColumnCount> NumericCells(const RowNumbers& numbers);

// The cells as a text file writes them: numbers with '.' as the decimal point, in the
// fewest digits that read back as the same number. All empty for a row without numbers.
QStringList NumericTexts(const std::optional<RowNumbers>& numbers);
QString NumberText(double value);

} // namespace recording
