#include "store/copy_text.h"

#include "store/sqlite_connection.h"

#include <charconv>
#include <cmath>

namespace store {
namespace {

constexpr char kNull[] = "\\N";
// Enough for any double or 64-bit integer the shortest way.
constexpr int kNumberChars = 32;

template <typename Number> void appendNumber(QByteArray& lines, Number number)
{
    char digits[kNumberChars];
    const std::to_chars_result written = std::to_chars(digits, digits + kNumberChars, number);
    lines.append(digits, written.ptr - digits);
}

// SQLite keeps no NaN (it stores NULL instead), but a deviation from a nominal of zero is
// infinite.
void appendReal(QByteArray& lines, double number)
{
    if (std::isinf(number))
        lines.append(number > 0 ? "Infinity" : "-Infinity");
    else
        appendNumber(lines, number);
}

void appendText(QByteArray& lines, QByteArrayView text)
{
    for (const char byte : text) {
        switch (byte) {
        case '\\': lines.append("\\\\"); break;
        case '\t': lines.append("\\t"); break;
        case '\n': lines.append("\\n"); break;
        case '\r': lines.append("\\r"); break;
        default: lines.append(byte);
        }
    }
}

} // namespace

void AppendCopyLine(QByteArray& lines, const SqliteStatement& row)
{
    using Type = SqliteStatement::Type;
    for (int column = 0; column < row.columns(); ++column) {
        if (column > 0)
            lines.append('\t');
        switch (row.type(column)) {
        case Type::Null: lines.append(kNull); break;
        case Type::Integer: appendNumber(lines, row.integer(column)); break;
        case Type::Real: appendReal(lines, row.number(column)); break;
        case Type::Text:
        case Type::Blob: appendText(lines, row.utf8(column)); break;
        }
    }
    lines.append('\n');
}

} // namespace store
