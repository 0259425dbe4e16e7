#pragma once
#include "link/dongle_reply.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace dongle {

// One piece of the dongle's byte stream: a reply or a meter frame, with exactly the bytes
// it was made of (the 18 bytes of a frame, the text of a reply). Never Unrecognised.
struct DongleToken {
    DongleReply kind;
    QByteArray bytes;

    bool operator==(const DongleToken&) const = default;
};

// Cuts the bytes read from the dongle into its replies and the meter's frames, however the
// reads happened to split them. Feed it each read in turn; it returns, in order, what the
// read completed.
//
// Frames: 18 bytes ending with the trailer 0x31 0x0A. A frame with any other trailer is not
// a frame; its mode nibble is not looked at.
//
// Replies: the texts of knownReplies(). They have no terminator and "OK" begins every one,
// so a reply that could still grow into a longer one is held while the bytes so far are a
// proper prefix of the longer one. When a read ends on a held text that is exactly a
// reply, that reply is given at once: a reply alone in a read means what it always meant
// ("OK+CONNE" is a failed connection even though "OK+CONNEOK+CONNF" begins with it, "OK" is
// Ok). "OK+CONNLOK+CONN\r\n" is two replies: ConnectionStarted, then LinkUp.
//
// Which one wins where both would fit: a reply beginning "OK+" over a frame (such a text
// does not turn up in frame data by chance), a frame over the short "OK" (frame data may
// well begin with those two bytes).
//
// Everything else is skipped one byte at a time, so good frames and replies around stray
// bytes are kept. Fewer than 18 bytes that may still become a frame are kept for the next
// read, unless a reply beginning "OK+" follows them: the dongle does not break into a
// frame, so those bytes were never the start of one. (A plain "OK" behind such bytes
// therefore waits for the next read.)
//
// Between reads fewer than 18 bytes are kept; a long read is worked through in slices, so
// at most kMaxBufferedBytes are held at any time, whatever arrives.
class DongleStreamReader {
public:
    static constexpr qsizetype kMaxBufferedBytes = 1000;

    QList<DongleToken> feed(QByteArrayView read);

    // Bytes kept for the next read: the start of a frame or reply still arriving.
    qsizetype bufferedByteCount() const { return m_buffer.size(); }

private:
    void takeTokens(bool readEnds, QList<DongleToken>& tokens);

    QByteArray m_buffer;
};

} // namespace dongle
