// The window's part in a language switch: around the engine's rewrite of the component
// texts it keeps the combo selections and sets the texts the client does not own.
#include "shell/form1.h"

#include "link/dongle_link.h"
#include "ui/connection/connection_box.h"
#include "ui/localisation/lang_combo.h"
#include "ui/panel/front_panel.h"
#include "recording/file_error.h"
#include "recording/profile_store.h"
#include "ui/recording/profile_box.h"
#include "ui/recording/recording_panel.h"
#include "ui/recording/reference_box.h"
#include "ui/bins/sorting_feed.h"

#include <QComboBox>

// The boxes whose selection a switch keeps, in the order they are saved.
QList<QComboBox*> TForm1::savedComboBoxes() const
{
    QList<QComboBox*> boxes;
    for (const char* name :
         {"CB1", "CBox51", "CBox5", "CBox31", "CBox11", "CBox2", "CBox6", "CBox10", "CBox1", "CBox3", "CBox4"})
        boxes << findChild<QComboBox*>(QString::fromLatin1(name));
    return boxes;
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
    try {
        m_profiles->storeLanguageIndex(m_frontPanel->languageSelector()->currentIndex());
    } catch (const recording::FileError& error) {
        m_connectionBox->appendStatus(error.message());
    }
}

void TForm1::LangManChangeLanguage()
{
    const QList<QComboBox*> boxes = savedComboBoxes();
    // Given back in the reverse order of saving, without firing the boxes' reactions.
    for (qsizetype i = boxes.size() - 1; i >= 0 && i < m_savedComboIndexes.size(); --i) {
        const QSignalBlocker quiet(boxes[i]);
        const int index = m_savedComboIndexes[i];
        boxes[i]->setCurrentIndex(index < boxes[i]->count() ? index : -1);
    }
    m_profileBox->showHeading();
    m_referenceBox->languageSwitched();
    m_recordingPanel->showHeading();
    m_recordingPanel->ShowSingleHeader();
    m_sortingFeed->languageSwitched();
    m_connectionBox->showConnectButton();
}
