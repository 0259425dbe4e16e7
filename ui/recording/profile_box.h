#pragma once
#include "ui/panel/built_on_first_use.h"

#include <QFrame>

class QFileDialog;
class QPushButton;

namespace localisation {
struct MainLexicons;
}
namespace panel {
class HeadingPanel;
}

namespace recording {

// The profile box "Panel3" at the top left: the view buttons (RLCD, RD, U) in a strip,
// the heading with the open profile's name, and the profile commands (create, open, save
// as). The commands ask for their file here and hand the choice on; the hidden marker SB4
// tells whether profiles are being edited (the meter is not linked).
class ProfileBox : public QFrame {
    Q_OBJECT
public:
    ProfileBox(const localisation::MainLexicons& lexicons, QWidget* parent);

    // Where the log's mode box sits, below the commands.
    QWidget* modeBoxPlace() const { return Panel5; }

    // The heading names the profile the state file reopened last: "Profile" and its title
    // (" name", or nothing); showHeading() shows it again in the current language.
    void showTitle(const QString& profileTitle);
    void showHeading();
    // Save-as (and the marker) become available once a profile has been reopened.
    void offerSaveAs();
    bool profileEditing() const;
    void setProfileEditing(bool on);
    // The box as the window's creation leaves it: the marker hidden, the commands' panel
    // at its designed height.
    void FormCreate();

signals:
    // A name for a new profile, the profile to open, the name of the copy.
    void createChosen(const QString& name);
    void openChosen(const QString& path);
    void saveAsChosen(const QString& name);
    // A view button asks the meter for its mode.
    void modeCommandChosen(quint8 code);
    // A profile dialog was built, the first time it was needed.
    void partBuilt(QWidget* part);

private:
    void buildControls();
    void SB1Click();
    void SB2Click();
    void SB3Click();
    QString chooseFile(QFileDialog* dialog);

    const localisation::MainLexicons& m_lexicons;
    QString m_title;
    QPushButton* Button2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    panel::HeadingPanel* JvP8 = nullptr;
    QWidget* Panel5 = nullptr;
    QPushButton* SB1 = nullptr;
    QPushButton* SB2 = nullptr;
    QPushButton* SB3 = nullptr;
    QPushButton* SB4 = nullptr;
    panel::BuiltOnFirstUse<QFileDialog> OpenDialog1;
    panel::BuiltOnFirstUse<QFileDialog> SaveDialog1;
};

} // namespace recording
