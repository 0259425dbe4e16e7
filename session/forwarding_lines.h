#pragma once
#include <QObject>
#include <QString>

namespace localisation {
struct MainLexicons;
}
namespace store {
class Forwarder;
}

namespace session {

// The forwarder's story as lines of text in the current language: the server reached, away
// with its reason, back, refused, and at the end what went and what waits. The window
// writes them into its status log, the recorder onto its console.
class ForwardingLines : public QObject {
    Q_OBJECT
public:
    // localPath: the local file where what cannot be sent waits.
    ForwardingLines(store::Forwarder& forwarder, const localisation::MainLexicons& lexicons, QString localPath,
                    QObject* parent = nullptr);

signals:
    void line(const QString& text);

private:
    const localisation::MainLexicons& m_lexicons;
    const QString m_localPath;
};

} // namespace session
