#include "dongle_reply.h"

namespace dongle {

DongleReply classifyRead(const QByteArray& read)
{
    if (read == "OK+CONNL")
        return DongleReply::ConnectionStarted;
    if (read == "OK+CONNE" || read == "OK+CONNF" || read == "OK+CONNEOK+CONNF")
        return DongleReply::ConnectionFailed;
    if (read == "OK+CONNN")
        return DongleReply::ConnectionRefused;
    if (read == "OK+CONN\r\n" || (read.size() >= kFrameLength && read.startsWith("OK+CONNLOK+CONN\r\n")))
        return DongleReply::LinkUp;
    if (read == "OK+LOST")
        return DongleReply::LinkLost;
    if (read == "OK")
        return DongleReply::Ok;
    if (read.size() != kFrameLength)
        return DongleReply::Unrecognised;
    return DongleReply::Frame;
}

} // namespace dongle
