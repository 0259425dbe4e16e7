#pragma once
#include "report/report_content.h"

#include <QByteArray>

namespace report {

// The report as one HTML file in UTF-8 that needs nothing else: its style and its charts
// (inline SVG) are in it, and it loads nothing from the network.
QByteArray ReportHtml(const ReportContent& content);

} // namespace report
