#pragma once
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>

namespace store {

class ServerConnection;
class ServerHangUp;
class SqliteConnection;

// The forwarder's side in its own thread, with connections of its own to the local file
// and the server: it sends what waits batch by batch, each in one server transaction, and
// only then strikes the batch off the local list, so a row goes again rather than never.
// A server that fails is tried again after a back-off that grows to a bound. Whatever it
// has to tell goes out as signals, once per change. Once hung up, it waits for nothing more
// and sends nothing more: what it was sending waits in the local list.
class ForwardingWorker : public QObject {
    Q_OBJECT
public:
    // Rows per batch: large enough that the server's commit, with its flush to the disk and
    // the emptying of the temporary tables, costs little per row (at 500 a batch a backlog
    // went at a fifth of the speed of the server's own COPY, at 2000 at half of it), small
    // enough that a batch stays well below a second and that striking it off the local
    // list keeps the recorder's writes waiting a moment at most.
    static constexpr int kBatchRows = 2000;
    // How soon new rows in the local file are noticed.
    static constexpr std::chrono::milliseconds kLookAgain{500};
    static constexpr std::chrono::milliseconds kFirstRetry{500};
    static constexpr std::chrono::milliseconds kLongestRetry{10000};

    ForwardingWorker(QString localPath, QString serverUrl, QString shownUrl, ServerHangUp& hangUp);
    ~ForwardingWorker() override;

    void begin();
    void drain();

signals:
    void serverReached(qint64 waiting);
    void serverAway(const QString& reason, qint64 waiting);
    void serverBack(qint64 waiting);
    void serverRefused(const QString& message);
    void localTrouble(const QString& message);
    void drained(qint64 waiting);

private:
    enum class Outcome { NothingWaits, Sent, Reconnect, Failed, Refused, HungUp };
    enum class Contact { NotYet, Answering, Away };

    void cycle();
    Outcome forwardBatch();
    bool reachServer();
    void finishDraining();
    // Readings that wait; -1 when the local file cannot say.
    qint64 waiting();

    const QString m_localPath;
    const QString m_serverUrl;
    const QString m_shownUrl;
    ServerHangUp& m_hangUp;
    QTimer m_next;
    std::unique_ptr<SqliteConnection> m_local;
    std::unique_ptr<ServerConnection> m_server;
    Contact m_contact = Contact::NotYet;
    std::chrono::milliseconds m_retry = kFirstRetry;
    bool m_refused = false;
    bool m_reconnectedAtOnce = false; // since the last batch that went
    bool m_localTroubleSaid = false;
    bool m_draining = false;
};

} // namespace store
