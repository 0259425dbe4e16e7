#pragma once
#include "localisation/lang_man_component.h"

#include <QComboBox>

namespace localisation {

// A drop-down list of the engine's languages. Its items are the language names, never
// translated; it shows the current language and switches when the user picks another.
class TLangCombo : public QComboBox, public TLangManComponent {
    Q_OBJECT
public:
    explicit TLangCombo(QWidget* parent = nullptr);

protected:
    void refreshLangControl() override;
};

} // namespace localisation
