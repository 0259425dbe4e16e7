#pragma once
#include "store/database_url.h"
#include "store/server_hang_up.h"

#include <QObject>
#include <QString>
#include <QThread>

namespace store {

class ForwardingWorker;

// Store and forward: what the local database lists as unsent goes to a PostgreSQL server
// in the background, in a thread of its own, so that neither the window nor the recorder
// ever waits for the server. Every row arrives once: the server passes over rows it has
// already, and a row is struck off the local list only after the server committed it.
// A server that is away is tried again and again; the local list survives the program,
// so forwarding resumes at the next start. What happens is told by the signals, each
// once per change; the counts are of the readings that wait (-1 when the local file
// cannot say).
class Forwarder : public QObject {
    Q_OBJECT
public:
    // The local file, as the recording archive keeps it, and the server to send to.
    Forwarder(const QString& localPath, const DatabaseUrl& server, QObject* parent = nullptr);
    // Stops at once, whatever the worker waits for from the server, a connection to a host
    // that never answers included: what waits goes at the next start.
    ~Forwarder() override;

    // Begins forwarding.
    void start();
    // Sends what waits as fast as the server takes it, then says drained. Stops trying at
    // the server's first failure.
    void drain();

    // The server as it may be said: without a password.
    const QString& shownUrl() const { return m_shownUrl; }

signals:
    // The server answered for the first time.
    void serverReached(qint64 waiting);
    // It cannot be reached, or refused the connection, in libpq's words.
    void serverAway(const QString& reason, qint64 waiting);
    void serverBack(qint64 waiting);
    // The server's layout is from a newer program: nothing is forwarded.
    void serverRefused(const QString& message);
    // The local file cannot be read or written; tried again later.
    void localTrouble(const QString& message);
    // After drain: all that could be sent was; this many readings wait for the next start.
    void drained(qint64 waiting);

private:
    const QString m_shownUrl;
    ServerHangUp m_hangUp; // outlives the thread, whose worker waits on it
    QThread m_thread;
    ForwardingWorker* m_worker; // lives in m_thread, deleted when it ends
};

} // namespace store
