#include "report/csv_records.h"

namespace report {
namespace {

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

} // namespace

CsvRecords::CsvRecords(QByteArrayView bytes) : m_bytes(bytes)
{
    if (m_bytes.startsWith(kByteOrderMark))
        m_at = kByteOrderMark.size();
}

const CsvRecords::Fields* CsvRecords::next()
{
    if (!m_problem.isEmpty() || m_at >= m_bytes.size())
        return nullptr;
    m_recordLine = m_line;
    m_fields.clear();
    m_undoubled.clear();
    for (;;) {
        if (!readField())
            return nullptr;
        if (m_at >= m_bytes.size())
            return &m_fields;
        if (m_bytes[m_at] == ',') {
            ++m_at;
            continue;
        }
        m_at += m_bytes[m_at] == '\r' ? 2 : 1; // CR LF or LF
        ++m_line;
        return &m_fields;
    }
}

// A comma or a line end follows the field, or the bytes end.
bool CsvRecords::atFieldEnd() const
{
    if (m_at >= m_bytes.size())
        return true;
    const char c = m_bytes[m_at];
    return c == ',' || c == '\n' || (c == '\r' && m_at + 1 < m_bytes.size() && m_bytes[m_at + 1] == '\n');
}

// Reads the field at m_at and stops where it ends. A quote is special only as a field's
// first character; a CR alone is text.
bool CsvRecords::readField()
{
    if (m_at < m_bytes.size() && m_bytes[m_at] == '"')
        return readQuotedField();
    const qsizetype start = m_at;
    while (!atFieldEnd())
        ++m_at;
    m_fields << m_bytes.sliced(start, m_at - start);
    return true;
}

bool CsvRecords::readQuotedField()
{
    const qsizetype start = ++m_at;
    bool doubled = false;
    while (m_at < m_bytes.size()) {
        const char c = m_bytes[m_at++];
        if (c == '\n')
            ++m_line;
        if (c != '"')
            continue;
        if (m_at < m_bytes.size() && m_bytes[m_at] == '"') {
            doubled = true;
            ++m_at;
            continue;
        }
        // The closing quote. Every quote inside was doubled, or it would have closed.
        QByteArrayView text = m_bytes.sliced(start, m_at - 1 - start);
        if (doubled)
            text = m_undoubled.emplace_back(text.toByteArray().replace("\"\"", "\""));
        m_fields << text;
        if (atFieldEnd())
            return true;
        m_problem = QStringLiteral("text after the closing quote of field %1").arg(m_fields.size());
        return false;
    }
    m_problem = QStringLiteral("the quote opened in field %1 is never closed").arg(m_fields.size() + 1);
    return false;
}

} // namespace report
