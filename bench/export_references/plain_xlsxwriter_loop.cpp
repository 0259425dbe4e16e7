#include "bench/export_references/plain_xlsxwriter_loop.h"

#include "bench/export_references/bench_log_rows.h"

#include <xlsxwriter.h>

namespace bench {

bool WritePlainWorkbook(const char* path, const std::vector<double>& primaryDeviations, double secondaryDeviation)
{
    constexpr lxw_col_t kColumns = 10;
    constexpr double kWidths[kColumns] = {10, 19, 12, 10, 10, 10, 10, 10, 10, 10};
    const char* const kHeaders[kColumns] = {"Column 0", "Column 1", "Column 2", "Column 3", "Column 4",
                                            "Column 5", "Column 6", "Column 7", "Column 8", "Column 9"};
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(path, &options);
    if (!workbook)
        return false;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format* dateTime = workbook_add_format(workbook);
    format_set_num_format(dateTime, "dd.mm.yy hh:mm:ss");
    worksheet_set_margins(sheet, 30.0 / 72, 10.0 / 72, -1, -1);
    for (lxw_col_t column = 0; column < kColumns; ++column) {
        worksheet_set_column(sheet, column, column, kWidths[column], nullptr);
        worksheet_write_string(sheet, 0, column, kHeaders[column], nullptr);
    }
    lxw_datetime when = {2024, 3, 5, 14, 2, 9};
    for (int reading = 0; reading < int(primaryDeviations.size()); ++reading) {
        const auto row = lxw_row_t(positionOf(reading));
        worksheet_write_number(sheet, row, 0, positionOf(reading), nullptr);
        worksheet_write_datetime(sheet, row, 1, &when, dateTime);
        worksheet_write_string(sheet, row, 2, "R 1.012 k\xCE\xA9", nullptr);
        worksheet_write_string(sheet, row, 3, "Q 56.00", nullptr);
        worksheet_write_string(sheet, row, 4, "S", nullptr);
        worksheet_write_string(sheet, row, 5, "1kHz", nullptr);
        worksheet_write_string(sheet, row, 6, "1.0Vrms", nullptr);
        worksheet_write_string(sheet, row, 7, rejectedAt(reading) ? "+" : "-", nullptr);
        worksheet_write_number(sheet, row, 8, primaryDeviations[std::size_t(reading)], nullptr);
        worksheet_write_number(sheet, row, 9, secondaryDeviation, nullptr);
    }
    return workbook_close(workbook) == LXW_NO_ERROR;
}

} // namespace bench
