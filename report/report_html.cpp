#include "report/report_html.h"

namespace report {
namespace {

const QString kStyle = QStringLiteral("body{font-family:sans-serif;margin:24px;color:#222}"
                                      "table{border-collapse:collapse;margin:8px 0 16px}"
                                      "td,th{border:1px solid #bbb;padding:2px 8px;text-align:left}"
                                      "th{background:#eee}"
                                      "h2{margin-top:32px;border-bottom:1px solid #888}"
                                      "svg{display:block;margin:8px 0}");

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString number(double value)
{
    return QString::number(value, 'f', 1);
}

QString anchorWord(Figure::Label::Anchor anchor)
{
    switch (anchor) {
    case Figure::Label::Anchor::Start: return QStringLiteral("start");
    case Figure::Label::Anchor::Middle: return QStringLiteral("middle");
    case Figure::Label::Anchor::End: break;
    }
    return QStringLiteral("end");
}

struct SvgStep {
    QString& svg;
    void operator()(const Figure::Box& box) const
    {
        svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>")
                   .arg(number(box.rect.x()), number(box.rect.y()), number(box.rect.width()), number(box.rect.height()),
                        box.fill.name());
    }
    void operator()(const Figure::Line& line) const
    {
        svg += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\"%6/>")
                   .arg(number(line.from.x()), number(line.from.y()), number(line.to.x()), number(line.to.y()),
                        line.colour.name(), line.dashed ? QStringLiteral(" stroke-dasharray=\"6 4\"") : QString());
    }
    void operator()(const Figure::Polyline& line) const
    {
        QStringList points;
        points.reserve(line.points.size());
        for (const QPointF& point : line.points)
            points << number(point.x()) + u',' + number(point.y());
        svg += QStringLiteral("<polyline fill=\"none\" stroke-width=\"1\" stroke=\"%1\" points=\"%2\"/>")
                   .arg(line.colour.name(), points.join(u' '));
    }
    void operator()(const Figure::Label& label) const
    {
        svg += QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"%3\" fill=\"%4\">%5</text>")
                   .arg(number(label.at.x()), number(label.at.y()), anchorWord(label.anchor), label.colour.name(),
                        escaped(label.text));
    }
};

QString svgOf(const Figure& figure)
{
    QString svg = QStringLiteral("<h3>%1</h3><svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%2\" height=\"%3\" "
                                 "viewBox=\"0 0 %2 %3\" font-family=\"sans-serif\" font-size=\"%4\">")
                      .arg(escaped(figure.title), number(figure.width), number(figure.height), number(kLabelPoints));
    for (const Figure::Step& step : figure.steps)
        std::visit(SvgStep{svg}, step);
    return svg + QStringLiteral("</svg>");
}

QString factsOf(const Facts& facts)
{
    QString html = QStringLiteral("<table>");
    for (const auto& [name, value] : facts)
        html += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>").arg(escaped(name), escaped(value));
    return html + QStringLiteral("</table>");
}

QString tableOf(const Table& table)
{
    QString html = QStringLiteral("<table><tr>");
    for (const QString& heading : table.header)
        html += QStringLiteral("<th>%1</th>").arg(escaped(heading));
    html += QStringLiteral("</tr>");
    for (const QStringList& row : table.rows) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : row)
            html += QStringLiteral("<td>%1</td>").arg(escaped(cell));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString partOf(const PartReport& part)
{
    QString html = QStringLiteral("<h2>%1</h2>").arg(escaped(part.heading)) + factsOf(part.part);
    if (part.binTable)
        html += QStringLiteral("<h3>Bin table</h3>") + tableOf(*part.binTable);
    html += QStringLiteral("<h3>Statistics</h3>") + tableOf(part.statistics);
    html += svgOf(part.histogram) + svgOf(part.runChart);
    if (part.binCounts)
        html += svgOf(*part.binCounts);
    html += QStringLiteral("<h3>Rejected readings</h3><p>%1</p>").arg(escaped(part.rejectsNote));
    if (!part.rejects.rows.isEmpty())
        html += tableOf(part.rejects);
    return html;
}

} // namespace

QByteArray ReportHtml(const ReportContent& content)
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                                  "<title>%1</title><style>%2</style></head><body><h1>%1</h1>")
                       .arg(escaped(content.title), kStyle);
    html += factsOf(content.origin);
    if (content.parts.empty())
        html += QStringLiteral("<p>The lot holds no reading.</p>");
    for (const PartReport& part : content.parts)
        html += partOf(part);
    html += QStringLiteral("</body></html>\n");
    return html.toUtf8();
}

} // namespace report
