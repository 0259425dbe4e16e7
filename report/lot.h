#pragma once
#include "bins/bin_table.h"
#include "bins/lot_statistics.h"
#include "recording/row_numbers.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace report {

// One logged reading of a lot as a source (a journal, a database) gives it: when, which
// part with its nominal and the verdict's limits, and the reading's numbers with its bin.
struct LotReading {
    QDateTime takenAt;
    std::optional<int> partNumber;
    QString partName;
    recording::RowNumbers numbers;
    std::optional<double> nominal;
    bins::SpecificationLimits limits;
};

// Which readings of a source make the lot: one part by name (empty: every part), and a span
// of time, each end included and either open when invalid.
struct LotFilter {
    QString partName;
    QDateTime from, to;
    bool admits(const LotReading& reading) const;
};

// A reading judged anything but pass, as the report lists it.
struct RejectedReading {
    qint64 number = 0; // the reading's place among the part's readings, from 1
    QDateTime takenAt;
    std::optional<double> value; // none for an overload
    recording::VerdictCode verdict = recording::VerdictPrimaryOut;
};

// One part's readings in a lot: its statistics kept as the readings come, the values in
// their order for the charts, and the first rejected readings with a count of all of them.
class PartLot {
public:
    static constexpr std::size_t kListedRejects = 200;

    PartLot(const LotReading& first, std::optional<bins::BinTable> binTable);

    bool holds(const LotReading& reading) const;
    void add(const LotReading& reading);

    const std::optional<int>& number() const { return m_number; }
    const QString& name() const { return m_name; }
    const QString& unit() const { return m_unit; }
    const std::optional<double>& nominal() const { return m_nominal; }
    const bins::SpecificationLimits& limits() const { return m_limits; }
    const std::optional<bins::BinTable>& binTable() const { return m_binTable; }
    void setBinTable(std::optional<bins::BinTable> table) { m_binTable = std::move(table); }
    const QDateTime& firstTaken() const { return m_firstTaken; }
    const QDateTime& lastTaken() const { return m_lastTaken; }
    qint64 readings() const { return m_readings; }
    // The primary values that count, overloads left out, in the order they were taken.
    const std::vector<double>& values() const { return m_values; }
    const std::vector<RejectedReading>& listedRejects() const { return m_listedRejects; }
    qint64 rejects() const { return m_rejects; }
    bins::LotFigures figures() const { return m_statistics.figures(); }

private:
    std::optional<int> m_number;
    QString m_name;
    QString m_unit;
    std::optional<double> m_nominal;
    bins::SpecificationLimits m_limits;
    std::optional<bins::BinTable> m_binTable;
    bins::LotStatistics m_statistics;
    QDateTime m_firstTaken, m_lastTaken;
    qint64 m_readings = 0;
    std::vector<double> m_values;
    std::vector<RejectedReading> m_listedRejects;
    qint64 m_rejects = 0;
};

// Who took the lot, where and with what.
struct LotOrigin {
    QString source; // the journal's path or the database as it may be shown
    QString lot, station, operatorName, softwareVersion;
};

// A lot: its origin and its parts in the order their first readings came. Readings the
// filter does not admit are passed over; each part's bin table is the one in force when
// its first reading came, and a later table replaces it for the report.
class Lot {
public:
    explicit Lot(LotOrigin origin, LotFilter filter = {});

    void add(const LotReading& reading);
    // The table in force for a part from now on; none when it was removed.
    void setBinTable(const std::optional<int>& partNumber, const QString& partName,
                     std::optional<bins::BinTable> table);

    const LotOrigin& origin() const { return m_origin; }
    LotOrigin& origin() { return m_origin; }
    const std::vector<PartLot>& parts() const { return m_parts; }
    qint64 readings() const;

private:
    LotOrigin m_origin;
    LotFilter m_filter;
    std::vector<PartLot> m_parts;
    std::optional<std::size_t> m_lastPart;
    struct TableInForce {
        std::optional<int> partNumber;
        QString partName;
        std::optional<bins::BinTable> table;
    };
    std::vector<TableInForce> m_tables;
};

} // namespace report
