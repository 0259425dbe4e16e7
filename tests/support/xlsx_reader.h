#pragma once
#include <QString>
#include <map>

// Reads a written workbook back the way a spreadsheet program would: unpacks the package
// and parses the sheet's XML.
struct ReadCell {
    QString type;  // "n" (number, also dates), "inlineStr", "s" (shared string)
    QString style; // index into the workbook's cell formats; empty for the default
    QString value; // the number, or the text
};

struct ReadSheet {
    std::map<QString, ReadCell> cells; // by reference, "A1"
    std::map<QString, double> pageMargins;
    std::map<int, double> columnWidths; // by column number, 1 = "A"
};

QByteArray UnzipEntry(const QString& workbook, const QString& entry);
ReadSheet ReadFirstSheet(const QString& workbook);
