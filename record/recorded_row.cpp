#include "record/recorded_row.h"

namespace record {

QString VerdictWord(const RecordedRow& row)
{
    if (!row.judged)
        return {};
    switch (row.verdict) {
    case recording::VerdictPass: return QStringLiteral("pass");
    case recording::VerdictPrimaryOut: return QStringLiteral("reject-primary");
    case recording::VerdictSecondaryOut: return QStringLiteral("reject-secondary");
    case recording::VerdictBothOut: return QStringLiteral("reject-both");
    case recording::VerdictUnreadable: break;
    }
    return QStringLiteral("unreadable");
}

} // namespace record
