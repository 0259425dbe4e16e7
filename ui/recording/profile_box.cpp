#include "ui/recording/profile_box.h"

#include "link/meter_command.h"
#include "localisation/main_lexicons.h"
#include "ui/panel/designed_controls.h"
#include "ui/panel/heading_panel.h"
#include "ui/panel/messages.h"

#include <QFileDialog>
#include <QPushButton>

namespace recording {
namespace {

constexpr int kCommandPanelHeight = 85;
const QString kProfileFilter = QStringLiteral("(*.hex1)");

} // namespace

ProfileBox::ProfileBox(const localisation::MainLexicons& lexicons, QWidget* parent) :
    QFrame(parent), m_lexicons(lexicons),
    OpenDialog1(
        [this] {
            QFileDialog* dialog = panel::fileDialog(this, "OpenDialog1", QStringLiteral("Открыть профиль"),
                                                    kProfileFilter, QFileDialog::AcceptOpen);
            dialog->setFileMode(QFileDialog::AnyFile);
            return dialog;
        },
        [this](QWidget* dialog) { emit partBuilt(dialog); }),
    SaveDialog1(
        [this] {
            return panel::fileDialog(this, "SaveDialog1", QStringLiteral("Сохранить профиль"), kProfileFilter,
                                     QFileDialog::AcceptSave);
        },
        [this](QWidget* dialog) { emit partBuilt(dialog); })
{
    buildControls();
    connect(Button2, &QPushButton::clicked, this, [this] { emit modeCommandChosen(dongle::kModeRlcd); });
    connect(Button1, &QPushButton::clicked, this, [this] { emit modeCommandChosen(dongle::kModeRd); });
    connect(Button3, &QPushButton::clicked, this, [this] { emit modeCommandChosen(dongle::kModeU); });
    connect(SB1, &QPushButton::clicked, this, &ProfileBox::SB1Click);
    connect(SB2, &QPushButton::clicked, this, &ProfileBox::SB2Click);
    connect(SB3, &QPushButton::clicked, this, &ProfileBox::SB3Click);
}

void ProfileBox::buildControls()
{
    using namespace panel;
    setObjectName(QStringLiteral("Panel3"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    Button2 = button(this, "Button2", QStringLiteral("RLCD"), QRect(4, 4, 64, 27));
    Button1 = button(this, "Button1", QStringLiteral("RD"), QRect(72, 4, 64, 27));
    Button3 = button(this, "Button3", QStringLiteral("U"), QRect(140, 4, 64, 27));
    JvP8 = heading(this, "JvP8", QStringLiteral("Профиль"), QRect(4, 37, 201, 22));
    Panel5 = box(this, "Panel5", QRect(4, 62, 201, 126));
    SB1 = button(Panel5, "SB1", QStringLiteral("Создать"), QRect(4, 4, 94, 26));
    SB2 = button(Panel5, "SB2", QStringLiteral("Открыть"), QRect(102, 4, 94, 26));
    SB3 = button(Panel5, "SB3", QStringLiteral("Сохранить как"), QRect(4, 31, 192, 26));
    SB3->setEnabled(false);
    SB4 = toggle(Panel5, "SB4", QStringLiteral("Изменение профиля"), QRect(4, 58, 192, 24));
    SB4->setChecked(true);
}

void ProfileBox::FormCreate()
{
    SB4->hide();
    Panel5->resize(Panel5->width(), kCommandPanelHeight);
}

void ProfileBox::showTitle(const QString& profileTitle)
{
    m_title = profileTitle;
    showHeading();
}

void ProfileBox::showHeading()
{
    JvP8->setCaption(m_lexicons.D1.GetItem(localisation::ProfileHeading) + m_title);
}

void ProfileBox::offerSaveAs()
{
    SB3->setEnabled(true);
    SB4->setEnabled(true);
}

bool ProfileBox::profileEditing() const
{
    return SB4->isChecked();
}

void ProfileBox::setProfileEditing(bool on)
{
    SB4->setChecked(on);
}

QString ProfileBox::chooseFile(QFileDialog* dialog)
{
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().first();
}

// Creating without a name is a failure the user is told of; opening or copying without
// one is simply not done.
void ProfileBox::SB1Click()
{
    const QString chosen = chooseFile(SaveDialog1.get());
    if (chosen.isEmpty()) {
        panel::showPlainMessage(m_lexicons.D1.GetItem(localisation::FailedMessage));
        return;
    }
    emit createChosen(chosen);
}

void ProfileBox::SB2Click()
{
    const QString chosen = chooseFile(OpenDialog1.get());
    if (!chosen.isEmpty())
        emit openChosen(chosen);
}

void ProfileBox::SB3Click()
{
    const QString chosen = chooseFile(SaveDialog1.get());
    if (!chosen.isEmpty())
        emit saveAsChosen(chosen);
}

} // namespace recording
