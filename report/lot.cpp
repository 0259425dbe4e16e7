#include "report/lot.h"

#include <algorithm>

namespace report {
namespace {

bool samePart(const std::optional<int>& number, const QString& name, const LotReading& reading)
{
    return number == reading.partNumber && name == reading.partName;
}

} // namespace

bool LotFilter::admits(const LotReading& reading) const
{
    if (!partName.isEmpty() && reading.partName != partName)
        return false;
    if (from.isValid() && reading.takenAt < from)
        return false;
    return !to.isValid() || reading.takenAt <= to;
}

PartLot::PartLot(const LotReading& first, std::optional<bins::BinTable> binTable) :
    m_number(first.partNumber), m_name(first.partName), m_unit(recording::UnitSymbol(first.numbers.values.primaryKind)),
    m_nominal(first.nominal), m_limits(first.limits), m_binTable(std::move(binTable)), m_statistics(first.limits),
    m_firstTaken(first.takenAt), m_lastTaken(first.takenAt)
{
}

bool PartLot::holds(const LotReading& reading) const
{
    return samePart(m_number, m_name, reading);
}

void PartLot::add(const LotReading& reading)
{
    ++m_readings;
    m_firstTaken = std::min(m_firstTaken, reading.takenAt);
    m_lastTaken = std::max(m_lastTaken, reading.takenAt);
    m_statistics.add(reading.numbers, reading.numbers.bin);
    const auto& primary = reading.numbers.values.primary;
    if (primary && !primary->overload)
        m_values.push_back(primary->value);
    const auto& verdict = reading.numbers.verdict;
    if (!verdict || *verdict == recording::VerdictPass)
        return;
    ++m_rejects;
    if (m_listedRejects.size() < kListedRejects) {
        std::optional<double> value;
        if (primary && !primary->overload)
            value = primary->value;
        m_listedRejects.push_back({m_readings, reading.takenAt, value, *verdict});
    }
}

Lot::Lot(LotOrigin origin, LotFilter filter) : m_origin(std::move(origin)), m_filter(std::move(filter)) {}

void Lot::add(const LotReading& reading)
{
    if (!m_filter.admits(reading))
        return;
    // Readings of one part come in runs: the part of the last reading is tried first.
    if (!m_lastPart || !m_parts[*m_lastPart].holds(reading)) {
        const auto found = std::find_if(m_parts.begin(), m_parts.end(),
                                        [&reading](const PartLot& part) { return part.holds(reading); });
        if (found == m_parts.end()) {
            const auto table = std::find_if(m_tables.begin(), m_tables.end(), [&reading](const TableInForce& t) {
                return samePart(t.partNumber, t.partName, reading);
            });
            m_parts.emplace_back(reading, table == m_tables.end() ? std::nullopt : table->table);
            m_lastPart = m_parts.size() - 1;
        } else {
            m_lastPart = std::size_t(found - m_parts.begin());
        }
    }
    m_parts[*m_lastPart].add(reading);
}

void Lot::setBinTable(const std::optional<int>& partNumber, const QString& partName,
                      std::optional<bins::BinTable> table)
{
    LotReading ofPart;
    ofPart.partNumber = partNumber;
    ofPart.partName = partName;
    for (PartLot& part : m_parts) {
        if (part.holds(ofPart))
            part.setBinTable(table);
    }
    const auto known = std::find_if(m_tables.begin(), m_tables.end(), [&ofPart](const TableInForce& t) {
        return samePart(t.partNumber, t.partName, ofPart);
    });
    if (known == m_tables.end())
        m_tables.push_back({partNumber, partName, std::move(table)});
    else
        known->table = std::move(table);
}

qint64 Lot::readings() const
{
    qint64 total = 0;
    for (const PartLot& part : m_parts)
        total += part.readings();
    return total;
}

} // namespace report
