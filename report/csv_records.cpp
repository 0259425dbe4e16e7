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

std::optional<QStringList> CsvRecords::next()
{
    if (!m_problem.isEmpty() || m_at >= m_bytes.size())
        return std::nullopt;
    m_recordLine = m_line;
    QStringList fields;
    QByteArray field;
    bool quoted = false;
    bool closedQuote = false;
    const auto endField = [&] {
        fields << QString::fromUtf8(field);
        field.clear();
        quoted = false;
        closedQuote = false;
    };
    while (m_at < m_bytes.size()) {
        const char c = m_bytes[m_at++];
        if (quoted) {
            if (c == '"') {
                if (m_at < m_bytes.size() && m_bytes[m_at] == '"') {
                    field += '"';
                    ++m_at;
                } else {
                    quoted = false;
                    closedQuote = true;
                }
            } else {
                if (c == '\n')
                    ++m_line;
                field += c;
            }
            continue;
        }
        if (c == ',') {
            endField();
        } else if (c == '\n' || (c == '\r' && m_at < m_bytes.size() && m_bytes[m_at] == '\n')) {
            if (c == '\r')
                ++m_at;
            ++m_line;
            endField();
            return fields;
        } else if (c == '"' && field.isEmpty() && !closedQuote) {
            quoted = true;
        } else if (closedQuote) {
            m_problem = QStringLiteral("text after the closing quote of field %1").arg(fields.size() + 1);
            return std::nullopt;
        } else {
            field += c;
        }
    }
    if (quoted) {
        m_problem = QStringLiteral("the quote opened in field %1 is never closed").arg(fields.size() + 1);
        return std::nullopt;
    }
    endField();
    return fields;
}

} // namespace report
