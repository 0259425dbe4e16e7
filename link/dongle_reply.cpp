#include "link/dongle_reply.h"

#include <array>

namespace dongle {
namespace {

constexpr std::array kKnownReplies = {
    KnownReply{"OK", DongleReply::Ok},
    KnownReply{"OK+CONNL", DongleReply::ConnectionStarted},
    KnownReply{"OK+CONNE", DongleReply::ConnectionFailed},
    KnownReply{"OK+CONNF", DongleReply::ConnectionFailed},
    KnownReply{"OK+CONNEOK+CONNF", DongleReply::ConnectionFailed},
    KnownReply{"OK+CONNN", DongleReply::ConnectionRefused},
    KnownReply{"OK+CONN\r\n", DongleReply::LinkUp},
    KnownReply{"OK+LOST", DongleReply::LinkLost},
};

// The dongle's "connecting" and "linked" replies, run together with the first frame
// behind them.
constexpr QByteArrayView kStartedAndLinked = "OK+CONNLOK+CONN\r\n";

} // namespace

std::span<const KnownReply> knownReplies()
{
    return kKnownReplies;
}

DongleReply classifyRead(const QByteArray& read)
{
    for (const KnownReply& reply : kKnownReplies) {
        if (read == reply.text)
            return reply.meaning;
    }
    if (read.size() >= kFrameLength && read.startsWith(kStartedAndLinked))
        return DongleReply::LinkUp;
    if (read.size() != kFrameLength)
        return DongleReply::Unrecognised;
    return DongleReply::Frame;
}

} // namespace dongle
