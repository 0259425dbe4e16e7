#pragma once
#include <QObject>
#include <QString>

namespace localisation {
struct MainLexicons;
}

namespace dongle {

class DongleLink;
struct PortProblem;

// The link's story as lines of text in the current language: every step of the dialogue
// with the dongle and every port problem, with what the user can do about it. The window
// writes them into its status log, a program without a window onto its console.
class LinkStatusLines : public QObject {
    Q_OBJECT
public:
    LinkStatusLines(DongleLink& link, const localisation::MainLexicons& lexicons, QObject* parent = nullptr);

signals:
    void line(const QString& text);

private:
    const localisation::MainLexicons& m_lexicons;
};

// A port problem in words the user can act on, with the port named.
QString DescribePortProblem(const PortProblem& problem, const localisation::MainLexicons& lexicons);

} // namespace dongle
