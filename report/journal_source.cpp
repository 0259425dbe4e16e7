#include "report/journal_source.h"

#include "bins/bin_table_csv.h"
#include "report/csv_records.h"
#include "report/reading_fields.h"
#include "report/report_error.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>

namespace report {
namespace {

// The event that puts a bin table in force: the word, a line end, then the table's file.
constexpr QByteArrayView kBinTableEvent("bin table");

// The columns the report reads.
enum Column {
    Timestamp,
    Event,
    PrimaryValue,
    PrimaryUnit,
    Verdict,
    BinColumn,
    PartNumber,
    PartName,
    Nominal,
    Lsl,
    Usl,
    ColumnCount
};
constexpr std::array<const char*, ColumnCount> kColumnNames{
    "Timestamp",   "Event",     "primary_value",   "primary_unit", "verdict",    "bin",
    "part_number", "part_name", "primary_nominal", "primary_lsl",  "primary_usl"};
// The columns the report cannot do without; the rest may be missing in older journals.
constexpr Column kLastNeeded = Verdict;

using Fields = CsvRecords::Fields;

QString columnName(Column column)
{
    return QLatin1String(kColumnNames[std::size_t(column)]);
}

// Where each column the report reads stands in the journal's lines, found once from the
// first line.
class JournalColumns {
public:
    explicit JournalColumns(const Fields& header) : m_width(header.size())
    {
        for (std::size_t column = 0; column < ColumnCount; ++column) {
            const auto found = std::find(header.begin(), header.end(), QByteArrayView(kColumnNames[column]));
            m_index[column] = found == header.end() ? -1 : found - header.begin();
            if (m_index[column] < 0 && column <= kLastNeeded)
                throw FieldProblem(QStringLiteral("the first line names no column %1: this is no recording journal")
                                       .arg(columnName(Column(column))));
        }
    }

    qsizetype width() const { return m_width; }

    // The field of a column; empty where the journal has no such column.
    QByteArrayView operator()(const Fields& fields, Column column) const
    {
        const qsizetype index = m_index[std::size_t(column)];
        return index < 0 ? QByteArrayView() : fields[index];
    }
    QString text(const Fields& fields, Column column) const { return QString::fromUtf8((*this)(fields, column)); }

private:
    std::array<qsizetype, ColumnCount> m_index{};
    qsizetype m_width = 0;
};

ReadingFields fieldsOfRow(const JournalColumns& column, const Fields& fields)
{
    ReadingFields reading;
    reading.takenAt = TimeField(column.text(fields, Timestamp), columnName(Timestamp));
    reading.partNumber = WholeNumberField(column(fields, PartNumber), columnName(PartNumber));
    reading.partName = column.text(fields, PartName);
    reading.primaryValue = NumberField(column(fields, PrimaryValue), columnName(PrimaryValue));
    reading.primaryUnit = UnitField(column.text(fields, PrimaryUnit), columnName(PrimaryUnit));
    reading.verdict = VerdictField(column.text(fields, Verdict), columnName(Verdict));
    reading.bin = BinField(column.text(fields, BinColumn), columnName(BinColumn));
    reading.nominal = NumberField(column(fields, Nominal), columnName(Nominal));
    reading.lsl = NumberField(column(fields, Lsl), columnName(Lsl));
    reading.usl = NumberField(column(fields, Usl), columnName(Usl));
    return reading;
}

// A "bin table" event: the table after the first line end, or none when it was removed.
void readBinTableEvent(QByteArrayView event, const JournalColumns& column, const Fields& fields, Lot& lot)
{
    const QByteArrayView file = event.sliced(std::min(event.size(), kBinTableEvent.size() + 1));
    std::optional<bins::BinTable> table;
    if (!file.isEmpty()) {
        const bins::BinTableReading reading = bins::ReadBinTable(file.toByteArray());
        if (!reading.table)
            throw FieldProblem(QStringLiteral("the bin table in the Event column cannot be read (%1 of the table)")
                                   .arg(reading.problem));
        table = reading.table;
    }
    lot.setBinTable(WholeNumberField(column(fields, PartNumber), columnName(PartNumber)), column.text(fields, PartName),
                    std::move(table));
}

bool isBinTableEvent(QByteArrayView event)
{
    return event.startsWith(kBinTableEvent)
        && (event.size() == kBinTableEvent.size() || event[kBinTableEvent.size()] == '\n');
}

} // namespace

Lot ReadJournal(const QString& path, const LotFilter& filter)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(
            platform::UsageError,
            QStringLiteral("cannot read the journal %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    return ReadJournalBytes(bytes, QDir::toNativeSeparators(path), filter);
}

Lot ReadJournalBytes(QByteArrayView bytes, const QString& name, const LotFilter& filter)
{
    Lot lot(LotOrigin{name, {}, {}, {}, {}}, filter);
    CsvRecords records(bytes);
    const auto refuse = [&](const QString& reason) {
        return ReportError(platform::UsageError,
                           QStringLiteral("%1, line %2: %3").arg(name).arg(records.line()).arg(reason));
    };
    try {
        const Fields* header = records.next();
        if (!header && records.problem().isEmpty())
            throw ReportError(platform::UsageError,
                              QStringLiteral("%1: the file is empty: this is no recording journal").arg(name));
        if (!header)
            throw refuse(records.problem());
        const JournalColumns columns(*header);
        while (const Fields* fields = records.next()) {
            if (fields->size() != columns.width())
                throw refuse(QStringLiteral("%1 fields where the first line names %2 columns")
                                 .arg(fields->size())
                                 .arg(columns.width()));
            const QByteArrayView event = columns(*fields, Event);
            if (event.isEmpty())
                lot.add(ReadingOf(fieldsOfRow(columns, *fields)));
            else if (isBinTableEvent(event))
                readBinTableEvent(event, columns, *fields, lot);
        }
        if (!records.problem().isEmpty())
            throw refuse(records.problem());
    } catch (const FieldProblem& problem) {
        throw refuse(problem.reason());
    }
    return lot;
}

} // namespace report
