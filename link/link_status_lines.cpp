#include "link/link_status_lines.h"

#include "link/dongle_link.h"
#include "link/port_problem.h"
#include "localisation/main_lexicons.h"

namespace dongle {

LinkStatusLines::LinkStatusLines(DongleLink& link, const localisation::MainLexicons& lexicons, QObject* parent) :
    QObject(parent), m_lexicons(lexicons)
{
    using namespace localisation;
    const auto say = [this](ConnectionItem item, const QString& before = {}) {
        return [this, item, before] { emit line(before + m_lexicons.Dlang_connect.GetItem(item)); };
    };
    connect(&link, &DongleLink::connectionStarted, this, say(ConnectingLine));
    connect(&link, &DongleLink::connectionRefused, this, say(NoConnectionLine, QStringLiteral("NN ")));
    connect(&link, &DongleLink::meterLinkedUp, this, say(ConnectedLine));
    connect(&link, &DongleLink::meterLinkLost, this, say(DisconnectedLine));
    connect(&link, &DongleLink::portClosed, this, say(DisconnectedLine));
    connect(&link, &DongleLink::okReceived, this, &LinkStatusLines::line);
    connect(&link, &DongleLink::portProblem, this,
            [this](const PortProblem& problem) { emit line(DescribePortProblem(problem, m_lexicons)); });
}

QString DescribePortProblem(const PortProblem& problem, const localisation::MainLexicons& lexicons)
{
    const localisation::TDesignedLexicon& texts = lexicons.D4;
    switch (problem.kind) {
    case PortProblemKind::PermissionDenied: {
        // Debian gives serial devices to this group; a device of another owner names its own.
        const QString group = problem.group.isEmpty() ? QStringLiteral("dialout") : problem.group;
        return texts.GetItem(localisation::PortPermissionDenied).arg(problem.port, group);
    }
    case PortProblemKind::Busy: return texts.GetItem(localisation::PortBusy).arg(problem.port);
    case PortProblemKind::Removed: return texts.GetItem(localisation::DongleRemoved).arg(problem.port);
    case PortProblemKind::WriteStalled: return texts.GetItem(localisation::PortWriteStalled).arg(problem.port);
    case PortProblemKind::Failed: return texts.GetItem(localisation::PortFailed).arg(problem.port, problem.detail);
    case PortProblemKind::Other: break;
    }
    return texts.GetItem(localisation::PortCannotOpen).arg(problem.port, problem.detail);
}

} // namespace dongle
