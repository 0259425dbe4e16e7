#pragma once
#include <QColor>
#include <QFrame>

namespace panel {

// One of the three views of the meter's display. Its background is the designed colour
// and turns red on a rejected reading; entering it with the pointer closes the menus.
class DisplayView : public QFrame {
    Q_OBJECT
public:
    static QColor designedColor() { return QColor(185, 209, 234); }
    static QColor rejectColor() { return QColor(255, 0, 0); }

    explicit DisplayView(QWidget* parent = nullptr);
    void setBackground(const QColor& color);
    QColor background() const;

signals:
    void pointerEntered();

protected:
    void enterEvent(QEnterEvent* event) override;
};

} // namespace panel
