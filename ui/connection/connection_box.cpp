#include "ui/connection/connection_box.h"

#include "link/dongle_link.h"
#include "link/port_problem.h"
#include "localisation/main_lexicons.h"
#include "ui/panel/designed_controls.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace dongle {
namespace {

enum ConnectText { ConnectCaption = 0, DisconnectCaption = 1, Connecting = 2, Refused = 3, Linked = 4, Unlinked = 5 };

} // namespace

ConnectionBox::ConnectionBox(DongleLink& link, const localisation::MainLexicons& lexicons, QWidget* window) :
    QObject(window), m_link(link), m_lexicons(lexicons)
{
    P_connect = panel::box(window, "P_connect", {});
    B2 = panel::button(P_connect, "B2", QStringLiteral("Подключить"), QRect(3, 3, 100, 29));
    CheckBox_connect_auto = panel::named(new QCheckBox(QStringLiteral("Авто"), P_connect), "CheckBox_connect_auto",
                                         QRect(106, 3, 53, 29));
    Memo1 = panel::named(new QPlainTextEdit(window), "Memo1", {});
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(QStringLiteral("Memo1"));

    connect(B2, &QPushButton::clicked, this, &ConnectionBox::B2Click);
    connect(CheckBox_connect_auto, &QCheckBox::clicked, this, &ConnectionBox::CheckBox_connect_autoClick);
    wireLink();
}

QWidget* ConnectionBox::statusLog() const
{
    return Memo1;
}

void ConnectionBox::wireLink()
{
    connect(&m_link, &DongleLink::connectButtonChanged, this, &ConnectionBox::showConnectButton);
    connect(&m_link, &DongleLink::connectionStarted, this,
            [this] { appendStatus(m_lexicons.Dlang_connect.GetItem(Connecting)); });
    connect(&m_link, &DongleLink::connectionRefused, this,
            [this] { appendStatus(QStringLiteral("NN ") + m_lexicons.Dlang_connect.GetItem(Refused)); });
    connect(&m_link, &DongleLink::meterLinkedUp, this,
            [this] { appendStatus(m_lexicons.Dlang_connect.GetItem(Linked)); });
    connect(&m_link, &DongleLink::meterLinkLost, this,
            [this] { appendStatus(m_lexicons.Dlang_connect.GetItem(Unlinked)); });
    connect(&m_link, &DongleLink::portClosed, this,
            [this] { appendStatus(m_lexicons.Dlang_connect.GetItem(Unlinked)); });
    connect(&m_link, &DongleLink::okReceived, this, &ConnectionBox::appendStatus);
    connect(&m_link, &DongleLink::portProblem, this,
            [this](const PortProblem& problem) { appendStatus(describe(problem)); });
}

// What the user can do about it, with the port named.
QString ConnectionBox::describe(const PortProblem& problem) const
{
    const localisation::TDesignedLexicon& texts = m_lexicons.D4;
    switch (problem.kind) {
    case PortProblemKind::PermissionDenied: {
        // Debian gives serial devices to this group; a device of another owner names its own.
        const QString group = problem.group.isEmpty() ? QStringLiteral("dialout") : problem.group;
        return texts.GetItem(localisation::PortPermissionDenied).arg(problem.port, group);
    }
    case PortProblemKind::Busy: return texts.GetItem(localisation::PortBusy).arg(problem.port);
    case PortProblemKind::Removed: return texts.GetItem(localisation::DongleRemoved).arg(problem.port);
    case PortProblemKind::Other: break;
    }
    return texts.GetItem(localisation::PortCannotOpen).arg(problem.port, problem.detail);
}

// The caption a click leaves blank stays blank until the link decides; the others are
// the connection lexicon's in the current language.
void ConnectionBox::showConnectButton()
{
    switch (m_link.connectAction()) {
    case ConnectAction::Connect: B2->setText(m_lexicons.Dlang_connect.GetItem(ConnectCaption)); break;
    case ConnectAction::Pending: B2->setText(QStringLiteral(" ")); break;
    case ConnectAction::Disconnect: B2->setText(m_lexicons.Dlang_connect.GetItem(DisconnectCaption)); break;
    }
    B2->setEnabled(m_link.connectAllowed());
}

void ConnectionBox::B2Click()
{
    emit connectClicked();
    m_link.B2Click();
}

void ConnectionBox::CheckBox_connect_autoClick()
{
    const bool on = CheckBox_connect_auto->isChecked();
    m_link.setAutoConnect(on);
    emit autoConnectChanged(on);
}

void ConnectionBox::restoreAutoConnect(bool on)
{
    if (!on || CheckBox_connect_auto->isChecked())
        return;
    CheckBox_connect_auto->setChecked(true);
    CheckBox_connect_autoClick();
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
