#pragma once
#include <QString>
#include <optional>

namespace recording {

// Reads a nominal value or a tolerance typed by the user. Both the comma and the point are
// accepted as decimal separator, so that the tolerance items "0,2%" and "0,5%" of the
// reference box (and files written on a machine with the other separator) read the same in
// every locale. Blanks around the number are allowed; an empty text, a text with two
// separators, or anything that is not a finite number gives no value.
std::optional<double> ParseDecimal(const QString& text);

} // namespace recording
