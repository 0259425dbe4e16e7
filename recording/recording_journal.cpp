#include "recording/recording_journal.h"

#include "recording/csv_format.h"
#include "recording/file_error.h"
#include "recording/log_formats.h"
#include "recording/primary_band.h"
#include "recording/state_file.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace recording {
namespace {

QString baseNameFor(const QDateTime& start)
{
    return QStringLiteral("recording_") + start.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
}

bool syncToDisk(int handle)
{
#ifdef Q_OS_WIN
    return _commit(handle) == 0;
#else
    return ::fsync(handle) == 0;
#endif
}

QString numberOrEmpty(const std::optional<double>& number)
{
    return number ? NumberText(*number) : QString();
}

} // namespace

QString RecordingJournal::defaultFolder()
{
    return state_file::DefaultFolder() + QStringLiteral("/journal");
}

RecordingJournal::RecordingJournal(const QString& folder, const QDateTime& start, const QStringList& columnHeaders)
{
    if (!QDir().mkpath(folder))
        throw FileError(QStringLiteral("%1: cannot create the folder").arg(folder));
    const QString base = QDir(folder).filePath(baseNameFor(start));
    // A second start within the same second must not empty the first one's file.
    for (int attempt = 1; !m_file.isOpen(); ++attempt) {
        m_path = base + (attempt == 1 ? QString() : QStringLiteral("_%1").arg(attempt)) + QStringLiteral(".csv");
        m_file.setFileName(m_path);
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !QFile::exists(m_path))
            fail(QStringLiteral("cannot create"));
    }
    writeDurably(
        Utf8ByteOrderMark
        + CsvLine(columnHeaders
                  + QStringList{QStringLiteral("Timestamp"), QStringLiteral("Verdict"), QStringLiteral("Event")}
                  + NumericColumnNames() + PartColumnNames()));
}

const QStringList& RecordingJournal::PartColumnNames()
{
    static const QStringList names{
        QStringLiteral("part_number"), QStringLiteral("part_name"),   QStringLiteral("primary_nominal"),
        QStringLiteral("primary_lsl"), QStringLiteral("primary_usl"),
    };
    return names;
}

void RecordingJournal::appendRow(const LogRowTexts& cells, const QDateTime& when, VerdictCode verdict,
                                 const std::optional<RowNumbers>& numbers, const PartInForce& part,
                                 const PrimaryReferenceValue& reference)
{
    QStringList fields(cells.begin(), cells.end());
    fields << IsoTimestamp(when) << QString::number(int(verdict)) << QString() << NumericTexts(numbers);
    appendLine(fields, part, reference);
}

void RecordingJournal::appendEvent(const QDateTime& when, const QString& event)
{
    QStringList fields(LogRow::ColumnCount);
    fields << IsoTimestamp(when) << QString() << event << NumericTexts(std::nullopt);
    appendLine(fields, PartInForce{}, std::nullopt);
}

void RecordingJournal::appendBinTable(const QDateTime& when, const PartInForce& part, const QString& tableFile)
{
    QStringList fields(LogRow::ColumnCount);
    fields << IsoTimestamp(when) << QString() << QStringLiteral("bin table\n") + tableFile
           << NumericTexts(std::nullopt);
    appendLine(fields, part, std::nullopt);
}

// The part's columns close every line; an event line names the part only where it concerns
// one, and no reference.
void RecordingJournal::appendLine(QStringList fields, const PartInForce& part,
                                  const std::optional<PrimaryReferenceValue>& reference)
{
    const PrimaryReferenceColumns limits = reference ? ReferenceColumnsOf(*reference) : PrimaryReferenceColumns{};
    fields << (part.number ? QString::number(*part.number) : QString()) << part.name << numberOrEmpty(limits.nominal)
           << numberOrEmpty(limits.lsl) << numberOrEmpty(limits.usl);
    writeDurably(CsvLine(fields));
}

void RecordingJournal::writeDurably(const QByteArray& bytes)
{
    if (m_file.write(bytes) != bytes.size() || !m_file.flush() || !syncToDisk(m_file.handle()))
        fail(QStringLiteral("cannot write"));
}

void RecordingJournal::fail(const QString& what) const
{
    throw FileError(QStringLiteral("%1: %2 (%3)").arg(m_path, what, m_file.errorString()));
}

} // namespace recording
