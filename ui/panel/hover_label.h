#pragma once
#include <QLabel>

namespace panel {

// A display field that can be clicked. The only hint that it can be clicked is the raised
// bevel while the pointer is over it; a field may show that bevel on another field (the
// automatic mark beside the primary letter raises the letter).
class HoverLabel : public QLabel {
    Q_OBJECT
public:
    explicit HoverLabel(QWidget* parent = nullptr);

    void setBevelTarget(QLabel* target) { m_bevelTarget = target; }
    void setClickable(bool clickable) { m_clickable = clickable; }

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* bevelLabel() { return m_bevelTarget ? m_bevelTarget : this; }
    QLabel* m_bevelTarget = nullptr;
    bool m_clickable = true;
};

} // namespace panel
