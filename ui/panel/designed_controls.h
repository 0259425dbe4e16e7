#pragma once
// Building blocks for the window's controls as they were designed: each carries its
// component name as object name (the language files address it by that name), its design
// text, size and place.
#include <QComboBox>
#include <QFileDialog>
#include <QFont>
#include <QRect>
#include <QStringList>

class QAbstractButton;
class QLabel;
class QPushButton;
class QWidget;

namespace panel {

class HeadingPanel;
class HoverLabel;
class MenuList;

// The window's font: bold "Calibri" at a pixel height.
QFont boldCalibri(int pixelHeight);

template <typename W> W* named(W* widget, const char* name, QRect geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

// A raised panel.
QWidget* box(QWidget* parent, const char* name, QRect geometry);
QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry);
// A button that stays down until clicked again.
QPushButton* toggle(QWidget* parent, const char* name, const QString& caption, QRect geometry);
// A toggle's reaction listens to its state (toggled), the one signal every way of working
// it sends: the pointer and the space bar click it, while an accessibility client's toggle
// action changes its state without a click. A state shown from outside (the meter's
// report, the recording's own state) is set here, so that showing it runs no reaction.
void showToggleState(QAbstractButton* toggle, bool down);

template <typename Combo = QComboBox>
Combo* combo(QWidget* parent, const char* name, const QStringList& items, QRect geometry, bool editable = false)
{
    auto* c = named(new Combo(parent), name, geometry);
    c->setEditable(editable);
    c->addItems(items);
    return c;
}

// A field of the meter's display, in bold Calibri of the given height; a HoverLabel can be
// clicked.
QLabel* displayLabel(QWidget* parent, const char* name, int pixelHeight, QRect geometry,
                     Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
HoverLabel* fieldLabel(QWidget* parent, const char* name, int pixelHeight, QRect geometry,
                       Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);

HeadingPanel* heading(QWidget* parent, const char* name, const QString& caption, QRect geometry);

// A file dialog of the program's own (the desktop's would take no translation), titled and
// filtered as designed; it opens or saves as the mode says.
QFileDialog* fileDialog(QWidget* parent, const char* name, const QString& title, const QString& nameFilter,
                        QFileDialog::AcceptMode mode);

// A parameter menu: a captioned list over the display, hidden until its field is clicked.
struct MenuPanel {
    QWidget* panel;
    QLabel* caption;
    MenuList* list;
};
MenuPanel menuPanel(QWidget* parent, const char* panelName, const char* captionName, const QString& caption,
                    const char* listName, const QStringList& items, QRect geometry);

} // namespace panel
