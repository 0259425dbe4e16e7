#include "store/forwarding_worker.h"

#include "store/forwarded_tables.h"
#include "store/local_schema.h"
#include "store/server_connection.h"
#include "store/server_hang_up.h"
#include "store/server_schema.h"
#include "store/server_upload.h"
#include "store/sqlite_connection.h"
#include "store/store_error.h"
#include "store/unsent_batch.h"

#include <algorithm>

namespace store {

ForwardingWorker::ForwardingWorker(QString localPath, QString serverUrl, QString shownUrl, ServerHangUp& hangUp) :
    m_localPath(std::move(localPath)), m_serverUrl(std::move(serverUrl)), m_shownUrl(std::move(shownUrl)),
    m_hangUp(hangUp), m_next(this)
{
    m_next.setSingleShot(true);
    connect(&m_next, &QTimer::timeout, this, &ForwardingWorker::cycle);
}

ForwardingWorker::~ForwardingWorker() = default;

void ForwardingWorker::begin()
{
    cycle();
}

void ForwardingWorker::drain()
{
    m_draining = true;
    m_next.stop();
    if (m_refused)
        finishDraining();
    else
        cycle();
}

void ForwardingWorker::cycle()
{
    switch (forwardBatch()) {
    case Outcome::Sent:
    case Outcome::Reconnect:
        m_next.start(0); // more may wait; the thread's events go first
        return;
    case Outcome::NothingWaits:
        if (m_draining)
            finishDraining();
        m_next.start(kLookAgain);
        return;
    case Outcome::Failed:
        if (m_draining)
            finishDraining();
        m_next.start(m_retry);
        m_retry = std::min(m_retry * 2, kLongestRetry);
        return;
    case Outcome::Refused:
        if (m_draining)
            finishDraining();
        return;
    case Outcome::HungUp: return;
    }
}

ForwardingWorker::Outcome ForwardingWorker::forwardBatch()
{
    bool reused = false;
    try {
        if (!m_local) {
            m_local = std::make_unique<SqliteConnection>(m_localPath);
            PrepareLocalSchema(*m_local);
            // A batch struck off the list and then lost to a power cut only goes again, and
            // the server takes it as the same rows: the strike need not wait for the disk,
            // nor keep the recorder's writes waiting.
            m_local->execute("PRAGMA synchronous = NORMAL", "set how writes reach the disk");
        }
        reused = m_server != nullptr;
        if (!m_server && !reachServer())
            return Outcome::Refused;
        const UnsentBatch batch = ReadUnsent(*m_local, kBatchRows);
        if (batch.rows() > 0) {
            Upload(*m_server, batch);
            MarkSent(*m_local, batch);
        }
        m_localTroubleSaid = false;
        m_reconnectedAtOnce = false;
        return batch.rows() > 0 ? Outcome::Sent : Outcome::NothingWaits;
    } catch (const ServerError& error) {
        m_server.reset();
        if (m_hangUp.hungUp())
            return Outcome::HungUp;
        // A connection that served before may only have gone stale (the server restarted
        // while nothing waited): a fresh one tells whether the server is away.
        if (reused && !std::exchange(m_reconnectedAtOnce, true))
            return Outcome::Reconnect;
        if (std::exchange(m_contact, Contact::Away) != Contact::Away)
            emit serverAway(error.reason(), waiting());
    } catch (const StoreError& error) {
        m_local.reset(); // opened again next time
        if (!std::exchange(m_localTroubleSaid, true))
            emit localTrouble(error.message());
    }
    return Outcome::Failed;
}

// Connects and makes the layout ready. False, said, when the server's layout is newer.
bool ForwardingWorker::reachServer()
{
    auto server = std::make_unique<ServerConnection>(m_serverUrl, &m_hangUp);
    try {
        PrepareServerSchema(*server, m_shownUrl);
    } catch (const StoreError& refusal) {
        m_refused = true;
        emit serverRefused(refusal.message());
        return false;
    }
    PrepareUpload(*server);
    m_server = std::move(server);
    m_retry = kFirstRetry;
    const Contact before = std::exchange(m_contact, Contact::Answering);
    if (before == Contact::NotYet)
        emit serverReached(waiting());
    else if (before == Contact::Away)
        emit serverBack(waiting());
    return true;
}

void ForwardingWorker::finishDraining()
{
    m_draining = false;
    emit drained(waiting());
}

qint64 ForwardingWorker::waiting()
{
    try {
        if (m_local)
            return CountUnsentReadings(*m_local);
    } catch (const StoreError& error) {
        if (!std::exchange(m_localTroubleSaid, true))
            emit localTrouble(error.message());
    }
    return -1;
}

} // namespace store
