#include "session/forwarding_lines.h"

#include "localisation/main_lexicons.h"
#include "store/forwarder.h"

#include <QDir>

namespace session {
namespace {

// A count the local file could not give stays a question.
QString countText(qint64 readings)
{
    return readings < 0 ? QStringLiteral("?") : QString::number(readings);
}

} // namespace

ForwardingLines::ForwardingLines(store::Forwarder& forwarder, const localisation::MainLexicons& lexicons,
                                 QString localPath, QObject* parent) :
    QObject(parent),
    m_lexicons(lexicons), m_localPath(std::move(localPath))
{
    using localisation::AdditionItem;
    const auto text = [this](AdditionItem item) { return m_lexicons.D4.GetItem(item); };
    const QString& server = forwarder.shownUrl();
    connect(&forwarder, &store::Forwarder::serverReached, this, [=, this](qint64 waiting) {
        emit line(text(localisation::ServerReached).arg(server, countText(waiting)));
    });
    connect(&forwarder, &store::Forwarder::serverAway, this, [=, this](const QString& reason, qint64 waiting) {
        emit line(text(localisation::ServerAway).arg(server, reason, countText(waiting)));
    });
    connect(&forwarder, &store::Forwarder::serverBack, this,
            [=, this](qint64 waiting) { emit line(text(localisation::ServerBack).arg(server, countText(waiting))); });
    connect(&forwarder, &store::Forwarder::serverRefused, this,
            [=, this](const QString& message) { emit line(text(localisation::ServerRefused) + message); });
    connect(&forwarder, &store::Forwarder::localTrouble, this,
            [=, this](const QString& message) { emit line(text(localisation::ForwardingPaused) + message); });
    connect(&forwarder, &store::Forwarder::drained, this, [=, this](qint64 waiting) {
        if (waiting == 0)
            emit line(text(localisation::AllForwarded).arg(server));
        else
            emit line(
                text(localisation::LeftWaiting).arg(countText(waiting), QDir::toNativeSeparators(m_localPath), server));
    });
}

} // namespace session
