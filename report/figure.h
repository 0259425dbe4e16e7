#pragma once
#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <variant>
#include <vector>

namespace report {

// A chart as a few drawing steps in its own coordinates (points, y downwards), so that the
// HTML's SVG and the PDF's painter draw the very same picture.
struct Figure {
    struct Box {
        QRectF rect;
        QColor fill;
    };
    struct Line {
        QPointF from, to;
        QColor colour;
        bool dashed = false;
    };
    struct Polyline {
        QList<QPointF> points;
        QColor colour;
    };
    struct Label {
        enum class Anchor { Start, Middle, End };
        QPointF at; // the text's baseline
        QString text;
        Anchor anchor = Anchor::Start;
        QColor colour = Qt::black;
    };
    using Step = std::variant<Box, Line, Polyline, Label>;

    QString title;
    double width = 0;
    double height = 0;
    std::vector<Step> steps;
};

// The colours the charts are drawn in; the browser test looks for the histogram's.
inline const QColor kHistogramColour{0x34, 0x65, 0xa4};
inline const QColor kLimitColour{0xcc, 0x00, 0x00};
inline const QColor kNominalColour{0x2e, 0x8b, 0x57};
inline const QColor kRunColour{0x55, 0x55, 0x55};
inline const QColor kBinColour{0xe0, 0x8a, 0x1e};
inline const QColor kAxisColour{0x80, 0x80, 0x80};
inline constexpr double kLabelPoints = 9;

} // namespace report
