#include "ui/panel/heading_panel.h"

#include <QHBoxLayout>
#include <QLabel>

namespace panel {

HeadingPanel::HeadingPanel(QWidget* parent) : QFrame(parent), m_label(new QLabel(this))
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(214, 224, 240));
    setPalette(p);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 0);
    layout->addWidget(m_label);
}

void HeadingPanel::setCaption(const QString& caption)
{
    m_label->setText(caption);
}

QString HeadingPanel::caption() const
{
    return m_label->text();
}

} // namespace panel
