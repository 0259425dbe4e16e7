#pragma once
#include <QComboBox>

namespace panel {

// A combo box that reports its list opening and closing, so that the window can hold off
// frames while the user is choosing and load fresh data before the list shows. Only a list
// that was open reports closing: the box also hides its (closed) list whenever it is hidden
// itself, for instance while its window is being destroyed.
class DropDownCombo : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        emit droppedDown();
        m_listOpen = true;
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        if (!m_listOpen)
            return;
        m_listOpen = false;
        emit closedUp();
    }

signals:
    void droppedDown();
    void closedUp();

private:
    bool m_listOpen = false;
};

} // namespace panel
