#include "ui/panel/display_view.h"

namespace panel {

DisplayView::DisplayView(QWidget* parent) : QFrame(parent)
{
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setBackground(designedColor());
}

void DisplayView::setBackground(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

QColor DisplayView::background() const
{
    return palette().color(QPalette::Window);
}

void DisplayView::enterEvent(QEnterEvent* event)
{
    emit pointerEntered();
    QFrame::enterEvent(event);
}

} // namespace panel
