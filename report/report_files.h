#pragma once
#include "report/lot.h"

#include <QString>

namespace report {

// Where a lot's report goes; an empty path writes nothing of that kind.
struct ReportPaths {
    QString html, pdf, json;
};

// The HTML file named and the PDF beside it of the same name ("lot.html", "lot.pdf").
ReportPaths HtmlAndPdfBeside(const QString& htmlPath);

// Writes the lot's report into each file named, each one whole or not at all. A
// ReportError (file not written) names the file and the reason. The PDF needs a
// QGuiApplication.
void WriteReport(const Lot& lot, const ReportPaths& paths);

} // namespace report
