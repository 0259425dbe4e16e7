#include "recording/xlsx_target.h"

#include "recording/file_error.h"

#include <QDir>
#include <xlsxwriter.h>

#include <algorithm>

namespace recording {
namespace {

constexpr double PointsPerInch = 72;
constexpr double LeftMarginPoints = 30;
constexpr double RightMarginPoints = 10;
constexpr double DefaultMargin = -1; // the library keeps its own top and bottom margins

lxw_datetime toLxw(const SheetDateTime& when)
{
    return {when.year, when.month, when.day, when.hour, when.minute, double(when.second)};
}

// The text in UTF-8 as QString::toUtf8 makes it (a surrogate without its partner becomes
// "?"), into a buffer that keeps its room.
void assignUtf8(std::string& out, QStringView text)
{
    out.clear();
    const auto put = [&out](char32_t code, int continuationBytes, unsigned leadBits) {
        out += char(leadBits | (code >> (6 * continuationBytes)));
        for (int shift = 6 * (continuationBytes - 1); shift >= 0; shift -= 6)
            out += char(0x80 | ((code >> shift) & 0x3F));
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            out += char(unit);
        } else if (unit < 0x800) {
            put(unit, 1, 0xC0);
        } else if (!QChar::isSurrogate(unit)) {
            put(unit, 2, 0xE0);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            put(QChar::surrogateToUcs4(unit, text[i + 1].unicode()), 3, 0xF0);
            ++i;
        } else {
            out += '?';
        }
    }
}

} // namespace

XlsxTarget::XlsxTarget(const QString& path) : m_path(path)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray nativePath = QDir::toNativeSeparators(path).toLocal8Bit();
    m_workbook = workbook_new_opt(nativePath.constData(), &options);
    if (!m_workbook)
        fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
    m_sheet = workbook_add_worksheet(m_workbook, nullptr);
    m_dateTimeFormat = workbook_add_format(m_workbook);
    format_set_num_format(m_dateTimeFormat, "dd.mm.yy hh:mm:ss");
    worksheet_set_margins(m_sheet, LeftMarginPoints / PointsPerInch, RightMarginPoints / PointsPerInch, DefaultMargin,
                          DefaultMargin);
}

XlsxTarget::~XlsxTarget()
{
    // A workbook that was not finished still holds its temporary files; closing it writes
    // what it has rather than dropping it.
    if (m_workbook)
        workbook_close(m_workbook);
}

void XlsxTarget::putCell(int row, int column, const SheetCell& cell)
{
    lxw_error error = LXW_NO_ERROR;
    const QStringView text = cell.text();
    switch (cell.kind()) {
    case SheetCell::Kind::Number:
        error = worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), cell.number(), nullptr);
        break;
    case SheetCell::Kind::DateTime: {
        lxw_datetime when = toLxw(cell.dateTime());
        error = worksheet_write_datetime(m_sheet, lxw_row_t(row), lxw_col_t(column), &when, m_dateTimeFormat);
        break;
    }
    case SheetCell::Kind::Text:
        if (!text.isEmpty()) {
            assignUtf8(m_utf8, text);
            error = worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column), m_utf8.c_str(), nullptr);
        }
        break;
    }
    if (error != LXW_NO_ERROR)
        fail(error);
    if (std::size_t(column) >= m_columnChars.size())
        m_columnChars.resize(std::size_t(column) + 1, 0);
    m_columnChars[std::size_t(column)] = std::max(m_columnChars[std::size_t(column)], int(text.size()));
}

void XlsxTarget::finish()
{
    fitColumns();
    const lxw_error error = workbook_close(m_workbook);
    m_workbook = nullptr;
    if (error != LXW_NO_ERROR)
        fail(error);
}

void XlsxTarget::fitColumns()
{
    constexpr double Padding = 2; // characters of room beside the longest text
    for (std::size_t column = 0; column < m_columnChars.size(); ++column) {
        if (m_columnChars[column] > 0)
            worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column), m_columnChars[column] + Padding,
                                 nullptr);
    }
}

void XlsxTarget::fail(int error) const
{
    throw FileError(QStringLiteral("%1: %2").arg(m_path, QString::fromUtf8(lxw_strerror(lxw_error(error)))));
}

} // namespace recording
