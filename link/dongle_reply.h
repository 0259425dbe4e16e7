#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <span>

namespace dongle {

// What the dongle sent: one of its replies or a meter frame. classifyRead names a whole
// read; DongleStreamReader names the pieces of the byte stream.
enum class DongleReply {
    ConnectionStarted, // "OK+CONNL"
    ConnectionFailed,  // "OK+CONNE", "OK+CONNF", "OK+CONNEOK+CONNF"
    ConnectionRefused, // "OK+CONNN"
    LinkUp,            // "OK+CONN\r\n", or (whole read) 18+ characters starting "OK+CONNLOK+CONN\r\n"
    LinkLost,          // "OK+LOST"
    Ok,                // "OK"
    Frame,             // 18 bytes of a meter report
    Unrecognised,      // (whole read) anything else: both port buffers are purged
};

// One reply text of the dongle and what it means. Replies carry no terminator, and "OK"
// begins every one of them.
struct KnownReply {
    QByteArrayView text;
    DongleReply meaning;
};

// Every reply text the dongle sends on its own.
std::span<const KnownReply> knownReplies();

// Replies are compared as whole reads: a reply followed by other characters in the same
// read is not recognised, and any read of 18 characters that is not a reply is a frame.
DongleReply classifyRead(const QByteArray& read);

constexpr int kFrameLength = 18;
constexpr int kMaxReadLength = 1000;

} // namespace dongle
