// The window's part in a language switch: around the engine's rewrite of the component
// texts it keeps the combo selections and sets the texts the client does not own.
#include "form1.h"

#include "link/dongle_link.h"
#include "panel/front_panel.h"
#include "drop_down_combo.h"
#include "file_error.h"
#include "heading_panel.h"
#include "lang_combo.h"
#include "main_lexicons.h"
#include "state_file.h"

#include <QTimer>

QList<QComboBox*> TForm1::savedComboBoxes() const
{
    return {CB1, CBox51, CBox5, CBox31, CBox11, CBox2, CBox6, CBox10, CBox1, CBox3, CBox4};
}

void TForm1::LangManChangeLangQuery(bool& Continue)
{
    Q_UNUSED(Continue);
    rememberLanguageIndex();
    m_link->sendAt();
    m_savedComboIndexes.clear();
    for (const QComboBox* box : savedComboBoxes())
        m_savedComboIndexes << box->currentIndex();
}

// The index is remembered for nobody in particular: a state file that is missing (the
// first lookup may come before the window made it) is created, and one that cannot be
// written must not stop the interface from switching.
void TForm1::rememberLanguageIndex()
{
    const QString path = recording::state_file::DefaultPath();
    try {
        recording::state_file::EnsureExists(path);
        recording::state_file::SaveLanguageIndex(path, m_frontPanel->languageSelector()->currentIndex());
    } catch (const recording::FileError& error) {
        appendStatus(error.message());
    }
}

void TForm1::LangManChangeLanguage()
{
    const QList<QComboBox*> boxes = savedComboBoxes();
    // Given back in the reverse order of saving, without firing the boxes' reactions.
    for (int i = int(boxes.size()) - 1; i >= 0 && i < m_savedComboIndexes.size(); --i) {
        const QSignalBlocker quiet(boxes[i]);
        const int index = m_savedComboIndexes[i];
        boxes[i]->setCurrentIndex(index < boxes[i]->count() ? index : -1);
    }
    JvP8->setCaption(lexicons->D1.GetItem(0) + ProfileTitle);
    JvP1->setCaption(lexicons->D1.GetItem(6));
    JvP11->setCaption(lexicons->D1.GetItem(1));
    ShowSingleHeader();
}
