#include "store/forwarder.h"

#include "store/forwarding_worker.h"

namespace store {

Forwarder::Forwarder(const QString& localPath, const DatabaseUrl& server, QObject* parent) :
    QObject(parent), m_shownUrl(server.shown()),
    m_worker(new ForwardingWorker(localPath, server.serverUrl, m_shownUrl, m_hangUp))
{
    m_thread.setObjectName(QStringLiteral("forwarder"));
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::started, m_worker, &ForwardingWorker::begin);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &ForwardingWorker::serverReached, this, &Forwarder::serverReached);
    connect(m_worker, &ForwardingWorker::serverAway, this, &Forwarder::serverAway);
    connect(m_worker, &ForwardingWorker::serverBack, this, &Forwarder::serverBack);
    connect(m_worker, &ForwardingWorker::serverRefused, this, &Forwarder::serverRefused);
    connect(m_worker, &ForwardingWorker::localTrouble, this, &Forwarder::localTrouble);
    connect(m_worker, &ForwardingWorker::drained, this, &Forwarder::drained);
}

Forwarder::~Forwarder()
{
    m_hangUp.hangUp();
    m_thread.quit();
    m_thread.wait();
}

void Forwarder::start()
{
    m_thread.start();
}

void Forwarder::drain()
{
    QMetaObject::invokeMethod(m_worker, &ForwardingWorker::drain, Qt::QueuedConnection);
}

} // namespace store
