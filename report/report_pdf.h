#pragma once
#include "report/report_content.h"

#include <QString>

namespace report {

// The report as a PDF on A4, drawn by Qt Gui's own PDF writer (QPdfWriter) with QPainter:
// the same facts, tables and charts as the HTML, the charts from the same drawing steps.
// Needs a QGuiApplication (the offscreen platform does). A ReportError (file not written)
// names the file when it cannot be written.
void WriteReportPdf(const ReportContent& content, const QString& path);

} // namespace report
