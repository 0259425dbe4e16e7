#pragma once
#include <QComboBox>

namespace panel {

// A combo box that reports its list opening and closing, so that the window can hold off
// frames while the user is choosing and load fresh data before the list shows.
class DropDownCombo : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        emit droppedDown();
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        emit closedUp();
    }

signals:
    void droppedDown();
    void closedUp();
};

} // namespace panel
