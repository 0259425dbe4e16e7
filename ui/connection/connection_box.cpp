#include "ui/connection/connection_box.h"

#include "link/dongle_link.h"
#include "link/link_status_lines.h"
#include "localisation/main_lexicons.h"
#include "ui/panel/designed_controls.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace dongle {

ConnectionBox::ConnectionBox(DongleLink& link, const localisation::MainLexicons& lexicons, QWidget* window) :
    QObject(window), m_link(link), m_lexicons(lexicons)
{
    P_connect = panel::box(window, "P_connect", {});
    B2 = panel::button(P_connect, "B2", QStringLiteral("Подключить"), QRect(3, 3, 100, 29));
    CheckBox_connect_auto =
        panel::named(new QCheckBox(QStringLiteral("Авто"), P_connect), "CheckBox_connect_auto", QRect(106, 3, 53, 29));
    Memo1 = panel::named(new QPlainTextEdit(window), "Memo1", {});
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(QStringLiteral("Memo1"));

    connect(B2, &QPushButton::clicked, this, &ConnectionBox::B2Click);
    // The box reacts to its state, however it was changed (designed_controls.h).
    connect(CheckBox_connect_auto, &QCheckBox::toggled, this, &ConnectionBox::CheckBox_connect_autoClick);
    wireLink();
}

QWidget* ConnectionBox::statusLog() const
{
    return Memo1;
}

void ConnectionBox::wireLink()
{
    connect(&m_link, &DongleLink::connectButtonChanged, this, &ConnectionBox::showConnectButton);
    auto* lines = new LinkStatusLines(m_link, m_lexicons, this);
    connect(lines, &LinkStatusLines::line, this, &ConnectionBox::appendStatus);
}

// The caption a click leaves blank stays blank until the link decides; the others are
// the connection lexicon's in the current language.
void ConnectionBox::showConnectButton()
{
    switch (m_link.connectAction()) {
    case ConnectAction::Connect: B2->setText(m_lexicons.Dlang_connect.GetItem(localisation::ConnectCaption)); break;
    case ConnectAction::Pending: B2->setText(QStringLiteral(" ")); break;
    case ConnectAction::Disconnect:
        B2->setText(m_lexicons.Dlang_connect.GetItem(localisation::DisconnectCaption));
        break;
    }
    B2->setEnabled(m_link.connectAllowed());
}

void ConnectionBox::B2Click()
{
    emit connectClicked();
    m_link.toggleLink();
}

void ConnectionBox::CheckBox_connect_autoClick()
{
    const bool on = CheckBox_connect_auto->isChecked();
    m_link.setAutoConnect(on);
    emit autoConnectChanged(on);
}

// The box starts unchecked, so only checking it is a change, and a change runs its reaction.
void ConnectionBox::restoreAutoConnect(bool on)
{
    if (on)
        CheckBox_connect_auto->setChecked(true);
}

void ConnectionBox::appendStatus(const QString& line)
{
    Memo1->appendPlainText(line);
}

void ConnectionBox::clearStatus()
{
    Memo1->clear();
}

} // namespace dongle
