#pragma once
#include <QObject>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace localisation {
struct MainLexicons;
}

namespace dongle {

class DongleLink;

// The connection box "P_connect" (the connect button B2 and the automatic-connection box)
// and the status log "Memo1" below it. The button shows the link's state: its caption is
// what a click does, and it may be clicked when the link says so. The log gets a line for
// every step of the dialogue with the dongle, and the lines other parts of the window
// have to tell.
class ConnectionBox : public QObject {
    Q_OBJECT
public:
    // The box and the log are placed in the window; texts come from the lexicons.
    ConnectionBox(DongleLink& link, const localisation::MainLexicons& lexicons, QWidget* window);

    QWidget* box() const { return P_connect; }
    QWidget* statusLog() const;

    void appendStatus(const QString& line);
    void clearStatus();
    // The automatic connection as the state file remembers it: checking the box this way
    // is a click on it (the link and the state file follow).
    void restoreAutoConnect(bool on);
    // The caption is redrawn in the current language.
    void showConnectButton();

signals:
    // The connect button was clicked (before the link reacts).
    void connectClicked();
    // The user switched the automatic connection; it is to be remembered.
    void autoConnectChanged(bool on);

private:
    void B2Click();
    void CheckBox_connect_autoClick();
    void wireLink();

    DongleLink& m_link;
    const localisation::MainLexicons& m_lexicons;
    QWidget* P_connect;
    QPushButton* B2;
    QCheckBox* CheckBox_connect_auto;
    QPlainTextEdit* Memo1;
};

} // namespace dongle
