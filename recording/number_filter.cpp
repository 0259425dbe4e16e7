#include "recording/number_filter.h"

#include <algorithm>

namespace recording {

FilteredText FilterNumberText(const QString& text, int caret, QChar decimalSeparator, bool toleranceBox)
{
    QString kept;
    bool separatorKept = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            kept += c;
        } else if (c == decimalSeparator && !kept.isEmpty() && !separatorKept) {
            kept += c;
            separatorKept = true;
        }
    }
    if (toleranceBox)
        kept += u'%';
    return {kept, std::clamp(caret, 0, int(kept.size()))};
}

} // namespace recording
