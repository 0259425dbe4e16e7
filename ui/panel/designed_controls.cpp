#include "ui/panel/designed_controls.h"

#include "ui/panel/heading_panel.h"
#include "ui/panel/hover_label.h"
#include "ui/panel/menu_list.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace panel {
namespace {

constexpr int kMenuCaptionHeight = 20;
constexpr int kMenuMargin = 2;

} // namespace

QFont boldCalibri(int pixelHeight)
{
    QFont font(QStringLiteral("Calibri"));
    font.setBold(true);
    font.setPixelSize(pixelHeight);
    return font;
}

QWidget* box(QWidget* parent, const char* name, QRect geometry)
{
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return named<QWidget>(frame, name, geometry);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    return named(new QPushButton(caption, parent), name, geometry);
}

QPushButton* toggle(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    QPushButton* b = button(parent, name, caption, geometry);
    b->setCheckable(true);
    return b;
}

void showToggleState(QAbstractButton* toggle, bool down)
{
    const QSignalBlocker quiet(toggle);
    toggle->setChecked(down);
}

QLabel* displayLabel(QWidget* parent, const char* name, int pixelHeight, QRect geometry, Qt::Alignment align)
{
    auto* l = named(new QLabel(parent), name, geometry);
    l->setFont(boldCalibri(pixelHeight));
    l->setAlignment(align);
    return l;
}

HoverLabel* fieldLabel(QWidget* parent, const char* name, int pixelHeight, QRect geometry, Qt::Alignment align)
{
    auto* l = named(new HoverLabel(parent), name, geometry);
    l->setFont(boldCalibri(pixelHeight));
    l->setAlignment(align);
    return l;
}

HeadingPanel* heading(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* h = named(new HeadingPanel(parent), name, geometry);
    h->setCaption(caption);
    return h;
}

QFileDialog* fileDialog(QWidget* parent, const char* name, const QString& title, const QString& nameFilter,
                        QFileDialog::AcceptMode mode)
{
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(title);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setNameFilter(nameFilter);
    dialog->setAcceptMode(mode);
    return dialog;
}

MenuPanel menuPanel(QWidget* parent, const char* panelName, const char* captionName, const QString& caption,
                    const char* listName, const QStringList& items, QRect geometry)
{
    auto* frame = named(new QFrame(parent), panelName, geometry);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setAutoFillBackground(true);
    const int innerWidth = geometry.width() - 2 * kMenuMargin;
    auto* captionLabel =
        named(new QLabel(caption, frame), captionName, QRect(kMenuMargin, kMenuMargin, innerWidth, kMenuCaptionHeight));
    const int listTop = kMenuMargin + kMenuCaptionHeight + kMenuMargin;
    auto* list = named(new MenuList(frame), listName,
                       QRect(kMenuMargin, listTop, innerWidth, geometry.height() - listTop - kMenuMargin));
    list->addItems(items);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    frame->hide();
    list->hide();
    return {frame, captionLabel, list};
}

} // namespace panel
