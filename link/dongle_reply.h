#pragma once
#include <QByteArray>

namespace dongle {

// What one whole read from the dongle means. Replies are compared as whole reads: a reply
// followed by other characters in the same read is not recognised.
enum class DongleReply {
    ConnectionStarted, // "OK+CONNL"
    ConnectionFailed,  // "OK+CONNE", "OK+CONNF", "OK+CONNEOK+CONNF"
    ConnectionRefused, // "OK+CONNN"
    LinkUp,            // "OK+CONN\r\n", or 18+ characters starting "OK+CONNLOK+CONN\r\n"
    LinkLost,          // "OK+LOST"
    Ok,                // "OK"
    Frame,             // exactly 18 characters
    Unrecognised,      // any other length: both port buffers are purged
};

DongleReply classifyRead(const QByteArray& read);

constexpr int kFrameLength = 18;
constexpr int kMaxReadLength = 1000;

} // namespace dongle
