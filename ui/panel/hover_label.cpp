#include "ui/panel/hover_label.h"

#include <QMouseEvent>

namespace panel {

HoverLabel::HoverLabel(QWidget* parent) : QLabel(parent)
{
    setFrameShape(QFrame::NoFrame);
}

void HoverLabel::enterEvent(QEnterEvent* event)
{
    bevelLabel()->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevelLabel()->setLineWidth(2);
    QLabel::enterEvent(event);
}

void HoverLabel::leaveEvent(QEvent* event)
{
    bevelLabel()->setFrameStyle(QFrame::NoFrame);
    QLabel::leaveEvent(event);
}

void HoverLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_clickable && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace panel
