#include "record/console.h"

namespace record {
namespace {

QString counted(int number, const char* one, const char* many)
{
    return QString::number(number) + u' ' + QLatin1String(number == 1 ? one : many);
}

} // namespace

QString CountsText(int readings, int rejects)
{
    return counted(readings, "reading", "readings") + QStringLiteral(", ") + counted(rejects, "reject", "rejects");
}

QString ProgressText(int readings, int rejects, const QString& lastValue)
{
    return CountsText(readings, rejects) + QStringLiteral(", last ") + lastValue;
}

} // namespace record
