#include "record/row_outputs.h"

#include "record/record_error.h"
#include "recording/csv_format.h"
#include "recording/log_formats.h"
#include "recording/measurement_log_model.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace record {
namespace {

using Log = recording::MeasurementLogModel;

QJsonValue numberOrNull(const std::optional<double>& number)
{
    return number ? QJsonValue(*number) : QJsonValue(QJsonValue::Null);
}

struct JsonValueOf {
    QJsonValue operator()(std::monostate) const { return QJsonValue::Null; }
    QJsonValue operator()(double number) const { return number; }
    QJsonValue operator()(const QString& text) const { return text; }
};

QJsonValue textOrNull(const QString& text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

} // namespace

std::unique_ptr<LineFile> LineFile::standardOutput()
{
    std::unique_ptr<LineFile> file(new LineFile);
    if (!file->m_file.open(stdout, QIODevice::WriteOnly))
        file->fail(QStringLiteral("open"));
    return file;
}

std::unique_ptr<LineFile> LineFile::create(const QString& path, const QString& what)
{
    std::unique_ptr<LineFile> file(new LineFile);
    file->m_name = what + u' ' + path;
    file->m_file.setFileName(path);
    if (!file->m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file->fail(QStringLiteral("create"));
    return file;
}

void LineFile::write(const QByteArray& bytes)
{
    if (m_file.write(bytes) != bytes.size() || !m_file.flush())
        fail(QStringLiteral("write"));
}

void LineFile::fail(const QString& doing) const
{
    const QString name = isStandardOutput() ? QStringLiteral("standard output") : m_name;
    throw RecordError(FileNotWritten, QStringLiteral("cannot %1 %2: %3").arg(doing, name, m_file.errorString()));
}

CsvRows::CsvRows(std::unique_ptr<LineFile> file, const QStringList& columnTitles) : m_file(std::move(file))
{
    const QByteArray titles =
        recording::CsvLine(columnTitles + QStringList{QStringLiteral("Timestamp"), QStringLiteral("Verdict")}
                           + recording::NumericColumnNames());
    m_file->write(m_file->isStandardOutput() ? titles : recording::Utf8ByteOrderMark + titles);
}

void CsvRows::write(const RecordedRow& row)
{
    QStringList fields(row.cells.begin(), row.cells.end());
    fields << recording::IsoTimestamp(row.when) << recording::VerdictWord(row.numbers.verdict)
           << recording::NumericTexts(row.numbers);
    m_file->write(recording::CsvLine(fields));
}

JsonRows::JsonRows(std::unique_ptr<LineFile> file) : m_file(std::move(file)) {}

void JsonRows::write(const RecordedRow& row)
{
    QJsonObject object{
        {QStringLiteral("position"), row.position},
        {QStringLiteral("time"), recording::IsoTimestamp(row.when)},
        {QStringLiteral("primary"), row.cells[Log::PrimaryColumn]},
        {QStringLiteral("secondary"), row.cells[Log::SecondaryColumn]},
        {QStringLiteral("circuit"), row.cells[Log::CircuitColumn]},
        {QStringLiteral("frequency"), row.cells[Log::FrequencyColumn]},
        {QStringLiteral("level"), row.cells[Log::LevelColumn]},
        {QStringLiteral("reject"), textOrNull(row.cells[Log::RejectColumn])},
        {QStringLiteral("primary_deviation"), numberOrNull(row.primaryDeviation)},
        {QStringLiteral("secondary_deviation"), numberOrNull(row.secondaryDeviation)},
    };
    // The numeric columns of the files, under the same names.
    const auto cells = recording::NumericCells(row.numbers);
    const QStringList& names = recording::NumericColumnNames();
    for (std::size_t column = 0; column < cells.size(); ++column)
        object.insert(names[qsizetype(column)], std::visit(JsonValueOf{}, cells[column]));
    m_file->write(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

} // namespace record
