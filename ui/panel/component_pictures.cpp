#include "ui/panel/component_pictures.h"
#include <QPainter>
#include <QPainterPath>

namespace panel {

namespace {

constexpr qreal kCentreX = kComponentPictureWidth / 2.0;
constexpr qreal kStroke = 2.5;

QPen SymbolPen()
{
    QPen pen(Qt::black, kStroke);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Leads run from the picture's edges to the symbol, so the part looks wired in.
void DrawLeads(QPainter& painter, qreal symbolTop, qreal symbolBottom)
{
    painter.drawLine(QPointF(kCentreX, 0), QPointF(kCentreX, symbolTop));
    painter.drawLine(QPointF(kCentreX, symbolBottom), QPointF(kCentreX, kComponentPictureHeight));
}

// A triangle pointing towards the bar: current flows in the direction the triangle points.
void DrawDiode(QPainter& painter, bool conductingUp)
{
    constexpr qreal halfWidth = 14;
    constexpr qreal symbolTop = 26;
    constexpr qreal symbolBottom = 54;
    const qreal barY = conductingUp ? symbolTop : symbolBottom;
    const qreal baseY = conductingUp ? symbolBottom : symbolTop;

    DrawLeads(painter, symbolTop, symbolBottom);
    QPainterPath triangle;
    triangle.moveTo(kCentreX - halfWidth, baseY);
    triangle.lineTo(kCentreX + halfWidth, baseY);
    triangle.lineTo(kCentreX, barY);
    triangle.closeSubpath();
    painter.setBrush(Qt::black);
    painter.drawPath(triangle);
    painter.drawLine(QPointF(kCentreX - halfWidth, barY), QPointF(kCentreX + halfWidth, barY));
}

// The rectangular resistor symbol.
void DrawResistor(QPainter& painter)
{
    constexpr qreal halfWidth = 9;
    constexpr qreal symbolTop = 20;
    constexpr qreal symbolBottom = 60;
    DrawLeads(painter, symbolTop, symbolBottom);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(kCentreX - halfWidth, symbolTop, 2 * halfWidth, symbolBottom - symbolTop));
}

} // namespace

QImage DrawComponentPicture(ComponentPicture picture)
{
    QImage image(kComponentPictureWidth, kComponentPictureHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(ComponentPictureBackground());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(SymbolPen());
    switch (picture) {
    case ComponentPicture::DiodeConductingUp: DrawDiode(painter, true); break;
    case ComponentPicture::DiodeConductingDown: DrawDiode(painter, false); break;
    case ComponentPicture::Resistor: DrawResistor(painter); break;
    }
    return image;
}

std::array<QImage, 3> ComponentPictures()
{
    return {DrawComponentPicture(ComponentPicture::DiodeConductingUp),
            DrawComponentPicture(ComponentPicture::DiodeConductingDown),
            DrawComponentPicture(ComponentPicture::Resistor)};
}

} // namespace panel
