#pragma once
#include <QSpinBox>

namespace panel {

// The part-number box. Its arrows run backwards (upper arrow: previous part, lower arrow:
// next part) when the step is negative, and each arrow reports its click after the value
// has stepped, so that the part can be loaded.
class PartSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

    void setStep(int step) { m_step = step; }
    int step() const { return m_step; }
    void stepBy(int steps) override;

signals:
    void topClicked();
    void bottomClicked();

private:
    int m_step = 1;
};

} // namespace panel
