#pragma once
#include <QChar>
#include <QString>

namespace recording {

struct FilteredText {
    QString text;
    int caret = 0;
};

// Shapes what the user types into a nominal edit or a tolerance box: keeps the digits and
// the first decimal separator behind a digit, drops everything else, and for a tolerance
// box appends "%". What it makes it leaves as it is when filtering it again. The caret stays
// at its old position, or at the end when the text got shorter than that. A tolerance box's
// window moves the focus away afterwards, so the next keystroke does not land behind the "%".
FilteredText FilterNumberText(const QString& text, int caret, QChar decimalSeparator, bool toleranceBox);

} // namespace recording
