#pragma once
#include <QListWidget>

namespace panel {

// The list of a parameter menu. Pointer entering and leaving close or re-arm the menus.
class MenuList : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

signals:
    void pointerEntered();
    void pointerLeft();

protected:
    void enterEvent(QEnterEvent* event) override
    {
        emit pointerEntered();
        QListWidget::enterEvent(event);
    }
    void leaveEvent(QEvent* event) override
    {
        emit pointerLeft();
        QListWidget::leaveEvent(event);
    }
};

} // namespace panel
