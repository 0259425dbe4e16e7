#include "recording/decimal_text.h"

#include <QLocale>
#include <cmath>

namespace recording {

std::optional<double> ParseDecimal(const QString& text)
{
    QString normalised = text.trimmed();
    normalised.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(normalised, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace recording
