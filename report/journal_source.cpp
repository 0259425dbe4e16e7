#include "report/journal_source.h"

#include "bins/bin_table_csv.h"
#include "report/csv_records.h"
#include "report/reading_fields.h"
#include "report/report_error.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace report {
namespace {

// The event that puts a bin table in force: the word, a line end, then the table's file.
const QString kBinTableEvent = QStringLiteral("bin table");

// Where each column the report reads stands in the journal's lines.
class JournalColumns {
public:
    // The columns the report cannot do without; the rest may be missing in older journals.
    explicit JournalColumns(const QStringList& header)
    {
        for (qsizetype index = 0; index < header.size(); ++index)
            m_index.insert(header[index], index);
        for (const char* needed : {"Timestamp", "Event", "primary_value", "primary_unit", "verdict"}) {
            if (!m_index.contains(QLatin1String(needed)))
                throw FieldProblem(QStringLiteral("the first line names no column %1: this is no recording journal")
                                       .arg(QLatin1String(needed)));
        }
        m_width = header.size();
    }

    qsizetype width() const { return m_width; }

    // The field of a named column; empty where the journal has no such column.
    QString operator()(const QStringList& fields, const char* column) const
    {
        const qsizetype index = m_index.value(QLatin1String(column), -1);
        return index < 0 ? QString() : fields[index];
    }

private:
    QHash<QString, qsizetype> m_index;
    qsizetype m_width = 0;
};

ReadingFields fieldsOfRow(const JournalColumns& column, const QStringList& fields)
{
    const auto named = [](const char* name) { return QLatin1String(name); };
    ReadingFields reading;
    reading.takenAt = TimeField(column(fields, "Timestamp"), named("Timestamp"));
    reading.partNumber = WholeNumberField(column(fields, "part_number"), named("part_number"));
    reading.partName = column(fields, "part_name");
    reading.primaryValue = NumberField(column(fields, "primary_value"), named("primary_value"));
    reading.primaryUnit = UnitField(column(fields, "primary_unit"), named("primary_unit"));
    reading.verdict = VerdictField(column(fields, "verdict"), named("verdict"));
    reading.bin = BinField(column(fields, "bin"), named("bin"));
    reading.nominal = NumberField(column(fields, "primary_nominal"), named("primary_nominal"));
    reading.lsl = NumberField(column(fields, "primary_lsl"), named("primary_lsl"));
    reading.usl = NumberField(column(fields, "primary_usl"), named("primary_usl"));
    return reading;
}

// A "bin table" event: the table after the first line end, or none when it was removed.
void readBinTableEvent(const QString& event, const JournalColumns& column, const QStringList& fields, Lot& lot)
{
    const QString file = event.mid(kBinTableEvent.size() + 1);
    std::optional<bins::BinTable> table;
    if (!file.isEmpty()) {
        const bins::BinTableReading reading = bins::ReadBinTable(file.toUtf8());
        if (!reading.table)
            throw FieldProblem(QStringLiteral("the bin table in the Event column cannot be read (%1 of the table)")
                                   .arg(reading.problem));
        table = reading.table;
    }
    lot.setBinTable(WholeNumberField(column(fields, "part_number"), QStringLiteral("part_number")),
                    column(fields, "part_name"), std::move(table));
}

bool isBinTableEvent(const QString& event)
{
    return event == kBinTableEvent || event.startsWith(kBinTableEvent + u'\n');
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
        const std::optional<QStringList> header = records.next();
        if (!header && records.problem().isEmpty())
            throw ReportError(platform::UsageError,
                              QStringLiteral("%1: the file is empty: this is no recording journal").arg(name));
        if (!header)
            throw refuse(records.problem());
        const JournalColumns columns(*header);
        while (const std::optional<QStringList> fields = records.next()) {
            if (fields->size() != columns.width())
                throw refuse(QStringLiteral("%1 fields where the first line names %2 columns")
                                 .arg(fields->size())
                                 .arg(columns.width()));
            const QString event = columns(*fields, "Event");
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
