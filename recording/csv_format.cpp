#include "recording/csv_format.h"

#include <algorithm>

namespace recording {
namespace {

QString csvField(const QString& field)
{
    static const QString needsQuotes = QStringLiteral(",\"\r\n");
    if (std::none_of(field.begin(), field.end(), [](QChar c) { return needsQuotes.contains(c); }))
        return field;
    QString quoted = field;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QByteArray CsvLine(const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields)
        quoted << csvField(field);
    return (quoted.join(u',') + QStringLiteral("\r\n")).toUtf8();
}

} // namespace recording
