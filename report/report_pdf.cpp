#include "report/report_pdf.h"

#include "report/report_error.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace report {
namespace {

// The page is laid out in points (1/72 inch).
constexpr int kPointsPerInch = 72;
constexpr double kTitlePoints = 16;
constexpr double kHeadingPoints = 12;
constexpr double kTextPoints = 8.5;
constexpr double kRowHeight = 12;
constexpr double kCellPadding = 2;
constexpr double kGap = 8;

// Draws the content top to bottom, starting a new page where the next piece would not fit.
class PageWriter {
public:
    PageWriter(QPdfWriter& writer, QPainter& painter) :
        m_writer(writer), m_painter(painter), m_page(writer.pageLayout().paintRect(QPageLayout::Point))
    {
        m_page.moveTo(0, 0);
    }

    void heading(const QString& text, double points)
    {
        room(points * 2);
        setFont(points, true);
        m_y += points;
        m_painter.drawText(QPointF(0, m_y), text);
        m_y += kGap;
    }

    void text(const QString& line)
    {
        room(kRowHeight);
        setFont(kTextPoints, false);
        m_y += kRowHeight;
        m_painter.drawText(QPointF(0, m_y), line);
        m_y += kGap / 2;
    }

    void table(const QStringList& header, const QList<QStringList>& rows)
    {
        qsizetype columns = std::max<qsizetype>(header.size(), 1);
        for (const QStringList& cells : rows)
            columns = std::max(columns, cells.size());
        const double width = m_page.width() / double(columns);
        // A text wider than its cell (a journal's path) goes on in the lines below, in a
        // row grown to hold it, rather than being cut off at the cell's edge.
        constexpr int kCellFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWrapAnywhere;
        const auto heightOf = [&](const QStringList& cells) {
            double height = kRowHeight;
            for (qsizetype column = 0; column < cells.size() && column < columns; ++column) {
                const QRectF area(0, 0, width - 2 * kCellPadding, m_page.height());
                height = std::max(height, m_painter.boundingRect(area, kCellFlags, cells[column]).height());
            }
            return height;
        };
        const auto row = [&](const QStringList& cells, bool bold) {
            setFont(kTextPoints, bold);
            const double height = heightOf(cells);
            room(height);
            setFont(kTextPoints, bold);
            m_y += height;
            for (qsizetype column = 0; column < cells.size() && column < columns; ++column) {
                const QRectF cell(double(column) * width, m_y - height, width, height);
                m_painter.drawText(cell.adjusted(kCellPadding, 0, -kCellPadding, 0), kCellFlags, cells[column]);
                m_painter.setPen(QColor(0xbb, 0xbb, 0xbb));
                m_painter.drawRect(cell);
                m_painter.setPen(Qt::black);
            }
        };
        if (!header.isEmpty())
            row(header, true);
        for (const QStringList& cells : rows)
            row(cells, false);
        m_y += kGap;
    }

    void facts(const Facts& facts)
    {
        QList<QStringList> rows;
        for (const auto& [name, value] : facts)
            rows.append({name, value});
        table({}, rows);
    }

    void figure(const Figure& figure)
    {
        heading(figure.title, kHeadingPoints - 2);
        const double scale = std::min(1.0, m_page.width() / figure.width);
        room(figure.height * scale);
        m_painter.save();
        m_painter.translate(0, m_y);
        m_painter.scale(scale, scale);
        setFont(kLabelPoints, false);
        for (const Figure::Step& step : figure.steps)
            std::visit(*this, step);
        m_painter.restore();
        m_y += figure.height * scale + kGap;
    }

    void operator()(const Figure::Box& box) { m_painter.fillRect(box.rect, box.fill); }
    void operator()(const Figure::Line& line)
    {
        QPen pen(line.colour);
        if (line.dashed)
            pen.setStyle(Qt::DashLine);
        m_painter.setPen(pen);
        m_painter.drawLine(line.from, line.to);
    }
    void operator()(const Figure::Polyline& line)
    {
        m_painter.setPen(QPen(line.colour, 0.5));
        m_painter.drawPolyline(line.points.constData(), int(line.points.size()));
    }
    void operator()(const Figure::Label& label)
    {
        m_painter.setPen(label.colour);
        const double width = m_painter.fontMetrics().horizontalAdvance(label.text);
        double x = label.at.x();
        if (label.anchor == Figure::Label::Anchor::Middle)
            x -= width / 2;
        else if (label.anchor == Figure::Label::Anchor::End)
            x -= width;
        m_painter.drawText(QPointF(x, label.at.y()), label.text);
    }

private:
    void room(double height)
    {
        if (m_y + height <= m_page.height())
            return;
        m_writer.newPage();
        m_y = 0;
    }

    void setFont(double points, bool bold)
    {
        QFont font(QStringLiteral("sans-serif"));
        font.setPointSizeF(points);
        font.setBold(bold);
        m_painter.setFont(font);
    }

    QPdfWriter& m_writer;
    QPainter& m_painter;
    QRectF m_page;
    double m_y = 0;
};

} // namespace

void WriteReportPdf(const ReportContent& content, const QString& path)
{
    const auto refuse = [&path](const QString& reason) {
        return ReportError(platform::FileNotWritten,
                           QStringLiteral("cannot write the PDF %1: %2").arg(QDir::toNativeSeparators(path), reason));
    };
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw refuse(file.errorString());
    QPdfWriter writer(&file);
    writer.setResolution(kPointsPerInch);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(36, 36, 36, 36), QPageLayout::Point);
    writer.setTitle(content.title);
    writer.setCreator(QStringLiteral("rlc-report"));
    QPainter painter;
    if (!painter.begin(&writer))
        throw refuse(QStringLiteral("the PDF writer could not begin"));
    PageWriter page(writer, painter);
    page.heading(content.title, kTitlePoints);
    page.facts(content.origin);
    if (content.parts.empty())
        page.text(QStringLiteral("The lot holds no reading."));
    for (const PartReport& part : content.parts) {
        page.heading(part.heading, kHeadingPoints);
        page.facts(part.part);
        if (part.binTable) {
            page.heading(QStringLiteral("Bin table"), kHeadingPoints - 2);
            page.table(part.binTable->header, part.binTable->rows);
        }
        page.heading(QStringLiteral("Statistics"), kHeadingPoints - 2);
        page.table(part.statistics.header, part.statistics.rows);
        page.figure(part.histogram);
        page.figure(part.runChart);
        if (part.binCounts)
            page.figure(*part.binCounts);
        page.heading(QStringLiteral("Rejected readings"), kHeadingPoints - 2);
        page.text(part.rejectsNote);
        if (!part.rejects.rows.isEmpty())
            page.table(part.rejects.header, part.rejects.rows);
    }
    painter.end();
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw refuse(file.errorString());
}

} // namespace report
