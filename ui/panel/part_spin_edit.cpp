#include "ui/panel/part_spin_edit.h"

namespace panel {

void PartSpinEdit::stepBy(int steps)
{
    QSpinBox::stepBy(steps * m_step);
    if (steps > 0)
        emit topClicked();
    else if (steps < 0)
        emit bottomClicked();
}

} // namespace panel
