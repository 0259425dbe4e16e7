#include "report/database_source.h"

#include "report/reading_fields.h"
#include "report/report_error.h"
#include "store/local_schema.h"
#include "store/server_connection.h"
#include "store/server_schema.h"
#include "store/sqlite_connection.h"
#include "store/store_error.h"

#include <QDir>
#include <QFileInfo>

#include <set>

namespace report {
namespace {

// The same query in both: the view's columns the report reads, and the recording's program
// version. Readings run in the order they were taken, a recording's own by position.
constexpr char kColumns[] =
    "r.part_number, r.part_name, r.primary_value, r.primary_unit, r.verdict, r.bin, r.primary_nominal, "
    "r.primary_lsl, r.primary_usl, r.station, r.operator, c.software_version";
constexpr char kFrom[] = " FROM reading_rows r JOIN recordings c USING (recording_id) WHERE r.lot = ";
constexpr char kOrder[] = " ORDER BY r.taken_at, r.recording_id, r.position";
enum Column {
    PartNumber,
    PartName,
    PrimaryValue,
    PrimaryUnit,
    Verdict,
    BinColumn,
    Nominal,
    Lsl,
    Usl,
    Station,
    Operator,
    SoftwareVersion,
    TakenAt
};

// The stations, operators and versions of a lot: each once, in the origin as a list.
struct Takers {
    std::set<QString> stations, operators, versions;
    void add(const QString& station, const QString& operatorName, const QString& version)
    {
        stations.insert(station);
        operators.insert(operatorName);
        versions.insert(version);
    }
    static QString listed(const std::set<QString>& texts)
    {
        return QStringList(texts.begin(), texts.end()).join(QStringLiteral(", "));
    }
    void into(LotOrigin& origin) const
    {
        origin.station = listed(stations);
        origin.operatorName = listed(operators);
        origin.softwareVersion = listed(versions);
    }
};

QByteArray sqlQuery(const QByteArray& takenAt, const QByteArray& lot)
{
    return QByteArray("SELECT ") + kColumns + ", " + takenAt + kFrom + lot + kOrder;
}

std::optional<bins::Bin> binOfText(const QString& text)
{
    return BinField(text, QStringLiteral("bin"));
}

void readSqlite(const QString& path, const QString& lotName, Lot& lot)
{
    if (!QFileInfo::exists(path))
        throw ReportError(platform::UsageError,
                          QStringLiteral("there is no database file %1; name the file the readings went into")
                              .arg(QDir::toNativeSeparators(path)));
    store::SqliteConnection connection(path);
    store::PrepareLocalSchema(connection);
    const QByteArray query = sqlQuery("r.taken_at", "?1");
    store::SqliteStatement statement(connection, query.constData(), "read the lot's readings");
    statement.bind(1, lotName);
    Takers takers;
    const auto integer = [&](int column) {
        return statement.isNull(column) ? std::nullopt : std::optional<int>(int(statement.integer(column)));
    };
    while (statement.step()) {
        ReadingFields fields;
        fields.takenAt = TimeField(statement.text(TakenAt), QStringLiteral("taken_at"));
        fields.partNumber = integer(PartNumber);
        fields.partName = statement.text(PartName);
        fields.primaryValue = statement.real(PrimaryValue);
        fields.primaryUnit = UnitField(statement.text(PrimaryUnit), QStringLiteral("primary_unit"));
        fields.verdict = VerdictField(statement.text(Verdict), QStringLiteral("verdict"));
        fields.bin = binOfText(statement.text(BinColumn));
        fields.nominal = statement.real(Nominal);
        fields.lsl = statement.real(Lsl);
        fields.usl = statement.real(Usl);
        takers.add(statement.text(Station), statement.text(Operator), statement.text(SoftwareVersion));
        lot.add(ReadingOf(fields));
    }
    takers.into(lot.origin());
}

// A text as an SQL string literal: quotes doubled, as standard strings take them.
QByteArray sqlLiteral(const QString& text)
{
    QByteArray quoted = text.toUtf8();
    quoted.replace('\'', "''");
    return '\'' + quoted + '\'';
}

void readServer(const store::DatabaseUrl& url, const QString& lotName, Lot& lot)
{
    store::ServerConnection connection(url.serverUrl);
    store::PrepareServerSchema(connection, url.shown());
    // Times as the journal writes them, to the millisecond in UTC.
    const QByteArray takenAt = "to_char(r.taken_at AT TIME ZONE 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"')";
    Takers takers;
    for (const QStringList& row : connection.select(sqlQuery(takenAt, sqlLiteral(lotName)))) {
        ReadingFields fields;
        fields.takenAt = TimeField(row[TakenAt], QStringLiteral("taken_at"));
        fields.partNumber = WholeNumberField(row[PartNumber].toUtf8(), QStringLiteral("part_number"));
        fields.partName = row[PartName];
        fields.primaryValue = NumberField(row[PrimaryValue].toUtf8(), QStringLiteral("primary_value"));
        fields.primaryUnit = UnitField(row[PrimaryUnit], QStringLiteral("primary_unit"));
        fields.verdict = VerdictField(row[Verdict], QStringLiteral("verdict"));
        fields.bin = binOfText(row[BinColumn]);
        fields.nominal = NumberField(row[Nominal].toUtf8(), QStringLiteral("primary_nominal"));
        fields.lsl = NumberField(row[Lsl].toUtf8(), QStringLiteral("primary_lsl"));
        fields.usl = NumberField(row[Usl].toUtf8(), QStringLiteral("primary_usl"));
        takers.add(row[Station], row[Operator], row[SoftwareVersion]);
        lot.add(ReadingOf(fields));
    }
    takers.into(lot.origin());
}

} // namespace

Lot ReadDatabaseLot(const store::DatabaseUrl& url, const QString& lotName, const LotFilter& filter)
{
    Lot lot(LotOrigin{url.shown(), lotName, {}, {}, {}}, filter);
    try {
        if (url.kind == store::DatabaseUrl::Kind::Sqlite)
            readSqlite(url.sqlitePath, lotName, lot);
        else
            readServer(url, lotName, lot);
    } catch (const store::StoreError& error) {
        throw ReportError(platform::UsageError, error.message());
    } catch (const store::ServerError& error) {
        throw ReportError(platform::LinkFailed,
                          QStringLiteral("the database %1 cannot be reached: %2").arg(url.shown(), error.reason()));
    } catch (const FieldProblem& problem) {
        throw ReportError(platform::UsageError,
                          QStringLiteral("the database %1 holds a reading of lot %2 that cannot be read: %3")
                              .arg(url.shown(), lotName, problem.reason()));
    }
    return lot;
}

} // namespace report
