#include "link/dongle_stream_reader.h"

#include "meter/meter_frame.h"

#include <algorithm>

namespace dongle {
namespace {

using meter::TMeterFrame;

// Replies beginning with this are long enough never to turn up in frame data by chance.
constexpr QByteArrayView kUnmistakableStart = "OK+";

// What the bytes at the front of the unread stream are: a whole token, a stray byte to
// skip, or the start of something still arriving.
struct Front {
    enum class Is { Token, StrayByte, StillArriving };
    Is is;
    DongleReply kind = DongleReply::Unrecognised;
    qsizetype length = 0;
};

Front token(DongleReply kind, qsizetype length)
{
    return {Front::Is::Token, kind, length};
}

Front token(const KnownReply& reply)
{
    return token(reply.meaning, reply.text.size());
}

const Front kStrayByte{Front::Is::StrayByte, DongleReply::Unrecognised, 1};
const Front kStillArriving{Front::Is::StillArriving};

const KnownReply* longestReplyAtFront(QByteArrayView rest)
{
    const KnownReply* longest = nullptr;
    for (const KnownReply& reply : knownReplies()) {
        if (rest.startsWith(reply.text) && (!longest || reply.text.size() > longest->text.size()))
            longest = &reply;
    }
    return longest;
}

bool mayGrowIntoLongerReply(QByteArrayView rest)
{
    return std::ranges::any_of(knownReplies(), [rest](const KnownReply& reply) {
        return reply.text.size() > rest.size() && reply.text.startsWith(rest);
    });
}

bool isUnmistakable(const KnownReply* reply)
{
    return reply && reply->text.startsWith(kUnmistakableStart);
}

bool startsWithFrame(QByteArrayView rest)
{
    return rest.size() >= TMeterFrame::kSize && quint8(rest[TMeterFrame::kSize - 2]) == TMeterFrame::kTrailerFirst
        && quint8(rest[TMeterFrame::kSize - 1]) == TMeterFrame::kTrailerLast;
}

bool unmistakableReplyBehindFirstByte(QByteArrayView rest)
{
    for (qsizetype at = 1; at < rest.size(); ++at) {
        if (isUnmistakable(longestReplyAtFront(rest.sliced(at))))
            return true;
    }
    return false;
}

Front readFront(QByteArrayView rest, bool readEnds)
{
    const KnownReply* reply = longestReplyAtFront(rest);
    if (mayGrowIntoLongerReply(rest)) {
        const bool readEndsOnWholeReply = readEnds && reply && reply->text.size() == rest.size();
        return readEndsOnWholeReply ? token(*reply) : kStillArriving;
    }
    if (isUnmistakable(reply))
        return token(*reply);
    if (startsWithFrame(rest))
        return token(DongleReply::Frame, TMeterFrame::kSize);
    if (reply)
        return token(*reply);
    const bool mayBecomeFrame = rest.size() < TMeterFrame::kSize && !unmistakableReplyBehindFirstByte(rest);
    return mayBecomeFrame ? kStillArriving : kStrayByte;
}

} // namespace

// What is kept between slices is shorter than a frame, so every slice brings new bytes.
static_assert(DongleStreamReader::kMaxBufferedBytes > 2 * TMeterFrame::kSize);

QList<DongleToken> DongleStreamReader::feed(QByteArrayView read)
{
    QList<DongleToken> tokens;
    while (!read.isEmpty()) {
        const QByteArrayView slice = read.first(std::min(kMaxBufferedBytes - m_buffer.size(), read.size()));
        m_buffer.append(slice);
        read = read.sliced(slice.size());
        takeTokens(read.isEmpty(), tokens);
    }
    return tokens;
}

// Takes tokens and skips stray bytes from the front until what is left may still grow.
void DongleStreamReader::takeTokens(bool readEnds, QList<DongleToken>& tokens)
{
    qsizetype front = 0;
    while (front < m_buffer.size()) {
        const QByteArrayView rest = QByteArrayView(m_buffer).sliced(front);
        const Front reading = readFront(rest, readEnds);
        if (reading.is == Front::Is::StillArriving)
            break;
        if (reading.is == Front::Is::Token)
            tokens.append({reading.kind, rest.first(reading.length).toByteArray()});
        front += reading.length;
    }
    m_buffer.remove(0, front);
}

} // namespace dongle
