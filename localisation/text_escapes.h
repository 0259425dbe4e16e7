#pragma once
#include <QString>

// Control characters inside interface texts travel as escapes: an apostrophe, "#", the
// decimal code and a closing apostrophe ("'#13''#10'" is CR LF). Design texts and
// language-file texts are stored escaped and decoded only when they are shown.
namespace localisation {

// Codes 1 to 31 become escapes, and so does a "#" right behind an escape; NUL is dropped;
// everything else stays.
QString EncodeControlChars(const QString& text);

// Turns every escape back into its character; malformed escapes stay as written.
QString DecodeCharCodes(const QString& text);

} // namespace localisation
