#include "report/report_files.h"

#include "platform/whole_file.h"
#include "report/lot_json.h"
#include "report/report_content.h"
#include "report/report_error.h"
#include "report/report_html.h"
#include "report/report_pdf.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>

namespace report {
namespace {

void writeWhole(const QString& path, const QByteArray& bytes)
{
    if (const auto problem = platform::WriteWholeFile(path, bytes))
        throw ReportError(platform::FileNotWritten,
                          QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), *problem));
}

} // namespace

ReportPaths HtmlAndPdfBeside(const QString& htmlPath)
{
    const QFileInfo html(htmlPath);
    return {htmlPath, html.dir().filePath(html.completeBaseName() + QStringLiteral(".pdf")), {}};
}

void WriteReport(const Lot& lot, const ReportPaths& paths)
{
    if (!paths.json.isEmpty())
        writeWhole(paths.json, QJsonDocument(LotJson(lot)).toJson(QJsonDocument::Indented));
    if (paths.html.isEmpty() && paths.pdf.isEmpty())
        return;
    const ReportContent content = ContentOf(lot);
    if (!paths.html.isEmpty())
        writeWhole(paths.html, ReportHtml(content));
    if (!paths.pdf.isEmpty())
        WriteReportPdf(content, paths.pdf);
}

} // namespace report
