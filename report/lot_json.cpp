#include "report/lot_json.h"

#include "bins/lot_figures_json.h"

#include <QJsonArray>

namespace report {

QJsonObject LotJson(const Lot& lot)
{
    const auto& parts = lot.parts();
    if (parts.empty())
        return bins::LotFiguresJson(bins::LotStatistics().figures());
    if (parts.size() == 1)
        return bins::LotFiguresJson(parts.front().figures());
    QJsonArray each;
    for (const PartLot& part : parts) {
        QJsonObject figures = bins::LotFiguresJson(part.figures());
        figures.insert(QStringLiteral("part"), part.name());
        figures.insert(QStringLiteral("part_number"),
                       part.number() ? QJsonValue(*part.number()) : QJsonValue(QJsonValue::Null));
        each.append(figures);
    }
    return {{QStringLiteral("parts"), each}};
}

} // namespace report
