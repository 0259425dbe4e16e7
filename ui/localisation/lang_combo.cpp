#include "ui/localisation/lang_combo.h"
#include "localisation/lang_man_engine.h"

#include <QSignalBlocker>

namespace localisation {

TLangCombo::TLangCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (TLangManEngine* engine = langManEngine())
            engine->Translate(itemText(index));
    });
}

void TLangCombo::refreshLangControl()
{
    const TLangManEngine* engine = langManEngine();
    if (!engine)
        return;
    const QSignalBlocker quiet(this);
    clear();
    addItems(engine->languageList().Languages);
    setCurrentIndex(int(engine->currentLanguageIndex()));
}

} // namespace localisation
