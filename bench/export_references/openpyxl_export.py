"""The export benchmark's log written with openpyxl in write-only mode, its lightest way.

Usage: openpyxl_export.py PATH ROWS
The same cells as the logger's export: a header row, then per row a whole number, a
date-time shown "dd.mm.yy hh:mm:ss", five short texts, a verdict mark and two numbers,
with the page margins and column widths the logger sets."""

import datetime
import sys

from openpyxl import Workbook
from openpyxl.cell import WriteOnlyCell
from openpyxl.utils import get_column_letter

WIDTHS = [10, 19, 12, 10, 10, 10, 10, 10, 10, 10]
POINTS_PER_INCH = 72


def main():
    path, rows = sys.argv[1], int(sys.argv[2])
    workbook = Workbook(write_only=True)
    sheet = workbook.create_sheet()
    sheet.page_margins.left = 30 / POINTS_PER_INCH
    sheet.page_margins.right = 10 / POINTS_PER_INCH
    for column, width in enumerate(WIDTHS, start=1):
        sheet.column_dimensions[get_column_letter(column)].width = width
    sheet.append([f"Column {column}" for column in range(len(WIDTHS))])
    when = datetime.datetime(2024, 3, 5, 14, 2, 9)
    for reading in range(rows):
        time_cell = WriteOnlyCell(sheet, value=when)
        time_cell.number_format = "dd.mm.yy hh:mm:ss"
        sheet.append([reading + 1, time_cell, "R 1.012 k\u03a9", "Q 56.00", "S", "1kHz", "1.0Vrms",
                      "+" if reading % 4 else "-", reading * 0.01, 12.35])
    workbook.save(path)


if __name__ == "__main__":
    main()
