#include "recording/csv_target.h"

#include "recording/csv_format.h"
#include "recording/file_error.h"

namespace recording {

CsvTarget::CsvTarget(const QString& path) : m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot create"));
    write(Utf8ByteOrderMark);
}

void CsvTarget::putCell(int row, int column, const SheetCell& cell)
{
    writeRowsUpTo(row);
    while (m_fields.size() < column)
        m_fields << QString();
    m_fields << cell.text().toString();
}

void CsvTarget::finish()
{
    if (!m_fields.isEmpty())
        write(CsvLine(m_fields));
    m_fields.clear();
    if (!m_file.flush())
        fail(QStringLiteral("cannot write"));
    m_file.close();
}

void CsvTarget::writeRowsUpTo(int row)
{
    while (m_currentRow < row) {
        write(CsvLine(m_fields));
        m_fields.clear();
        ++m_currentRow;
    }
}

void CsvTarget::write(const QByteArray& bytes)
{
    if (m_file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write"));
}

void CsvTarget::fail(const QString& what) const
{
    throw FileError(QStringLiteral("%1: %2 (%3)").arg(m_file.fileName(), what, m_file.errorString()));
}

} // namespace recording
