#include "link/dongle_stream_reader.h"

#include "qt_printers.h"

#include <QList>
#include <bit>
#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>

namespace dongle {

void PrintTo(const DongleToken& token, std::ostream* os)
{
    *os << "{kind " << int(token.kind) << ", ";
    ::PrintTo(token.bytes, os);
    *os << '}';
}

namespace {

using Kind = DongleReply;

// A meter frame told apart by its resistance, 1000 + serial ohm. Its data never holds the
// trailer bytes "1\n" nor "OK", so only the stream around it can confuse a reader.
QByteArray frame(int serial, quint8 modeByte = 0x41)
{
    QByteArray bytes(kFrameLength, '\0');
    const auto putFloat = [&](int offset, float value) {
        const auto bits = std::bit_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = char(bits >> (8 * i));
    };
    putFloat(0, 1000.0f + float(serial));
    putFloat(4, -15.9f);
    bytes[8] = 0x43; // series, 1 kHz
    bytes[9] = 0x32; // D, C
    bytes[10] = 0x22;
    bytes[11] = 0x01;
    bytes[15] = char(modeByte);
    bytes[16] = 0x31;
    bytes[17] = 0x0A;
    return bytes;
}

QByteArray withTrailer(QByteArray bytes, char last)
{
    bytes[kFrameLength - 1] = last;
    return bytes;
}

QByteArray withBytes(QByteArray frame, int offset, const QByteArray& bytes)
{
    frame.replace(offset, bytes.size(), bytes);
    return frame;
}

DongleToken frameToken(const QByteArray& bytes)
{
    return {Kind::Frame, bytes};
}

// Stray bytes as a noisy line brings them: trailer bytes on their own or with a wrong
// partner, replies with their start or end cut off, bytes of a frame's data. Run together
// in this order they never form a trailer nor "OK".
const QList<QByteArray> kStrayPieces = {
    "\x0A", "\x31", QByteArray("\x31\x0D", 2), "K+CONN", QByteArray("\x00\xFF\xFE", 3), "\x0A\x31", "+LOST", "O",
};

QList<DongleToken> feedAll(DongleStreamReader& reader, const QList<QByteArray>& reads)
{
    QList<DongleToken> tokens;
    for (const QByteArray& read : reads)
        tokens += reader.feed(read);
    return tokens;
}

struct StreamCase {
    const char* name;
    QList<QByteArray> reads;
    QList<DongleToken> expected;
};

TEST(DongleStreamReader, FindsRepliesAndFramesHoweverTheReadsCutTheStream)
{
    const QByteArray f1 = frame(1), f2 = frame(2);
    const QByteArray unknownMode = frame(3, 0x44);
    const QByteArray beginsWithOk = withBytes(frame(4), 0, "OK");
    // Read right after "OK+CONN\r\n", bytes 7 and 8 (a tiny reactance, 60 kHz set by hand)
    // sit where a frame starting at the reply would have its trailer.
    const QByteArray trailerBehindLinkUp = withBytes(frame(5), 7, "1\n");
    const DongleToken lost{Kind::LinkLost, "OK+LOST"};
    const DongleToken started{Kind::ConnectionStarted, "OK+CONNL"};
    const DongleToken linked{Kind::LinkUp, "OK+CONN\r\n"};
    const DongleToken ok{Kind::Ok, "OK"};
    const std::vector<StreamCase> cases = {
        {"two frames in one read", {f1 + f2}, {frameToken(f1), frameToken(f2)}},
        {"garbage before a frame", {"\x31\x0D?" + f1}, {frameToken(f1)}},
        {"garbage between frames", {f1 + "\x0A\x31zz\x31" + f2}, {frameToken(f1), frameToken(f2)}},
        {"garbage after a frame, then a frame", {f1 + "\x31\x31", f2}, {frameToken(f1), frameToken(f2)}},
        {"garbage longer than a frame", {QByteArray(40, '\x31') + f1}, {frameToken(f1)}},
        {"a reply, then a frame", {"OK+CONN\r\n" + f1}, {linked, frameToken(f1)}},
        {"plain OK, then a frame", {"OK" + f1}, {ok, frameToken(f1)}},
        {"a frame, then the link lost", {f1 + "OK+LOST"}, {frameToken(f1), lost}},
        {"connecting and linked together", {"OK+CONNLOK+CONN\r\n"}, {started, linked}},
        {"connecting, linked and the first frame together",
         {"OK+CONNLOK+CONN\r\n" + f1},
         {started, linked, frameToken(f1)}},
        {"both failures together are one reply", {"OK+CONNEOK+CONNF"}, {{Kind::ConnectionFailed, "OK+CONNEOK+CONNF"}}},
        {"both failures split over reads", {"OK+CONNEOK", "+CONNF"}, {{Kind::ConnectionFailed, "OK+CONNEOK+CONNF"}}},
        {"first failure alone, then the second",
         {"OK+CONNE", "OK+CONNF"},
         {{Kind::ConnectionFailed, "OK+CONNE"}, {Kind::ConnectionFailed, "OK+CONNF"}}},
        {"a reply split over reads", {"OK+LO", "ST"}, {lost}},
        {"plain OK split over reads", {"O", "K"}, {ok}},
        {"a wrong trailer is garbage", {withTrailer(f1, '\r') + f2}, {frameToken(f2)}},
        {"a wrong trailer alone, then a frame", {withTrailer(f1, '\r'), f2}, {frameToken(f2)}},
        {"an unknown mode is still a frame", {unknownMode}, {frameToken(unknownMode)}},
        {"frame data beginning with OK", {beginsWithOk}, {frameToken(beginsWithOk)}},
        {"a reply beginning OK+ before what could pass for a frame",
         {"OK+CONN\r\n" + trailerBehindLinkUp},
         {linked, frameToken(trailerBehindLinkUp)}},
        {"a cut-off frame, then the link lost", {f1.left(10), "OK+LOST"}, {lost}},
        {"a cut-off frame and the link lost in one read", {f1.left(10) + "OK+LOST"}, {lost}},
        {"a cut-off frame, then a frame", {f1.left(10), f2}, {frameToken(f2)}},
        {"plain OK behind stray bytes waits for the next read", {f1.left(5), "OK", f2}, {ok, frameToken(f2)}},
    };
    for (const StreamCase& c : cases) {
        SCOPED_TRACE(c.name);
        DongleStreamReader reader;
        EXPECT_EQ(feedAll(reader, c.reads), c.expected);
        EXPECT_LT(reader.bufferedByteCount(), kFrameLength);
    }
}

// A reply or a frame alone in a read means what the whole-read classification made of it,
// and leaves nothing behind for the next read.
TEST(DongleStreamReader, ReadHoldingOneReplyOrFrameMeansWhatItAlwaysMeant)
{
    QList<QByteArray> reads = {frame(1), frame(2, 0x44)};
    for (const KnownReply& reply : knownReplies())
        reads.append(reply.text.toByteArray());
    DongleStreamReader reader;
    for (const QByteArray& read : reads) {
        SCOPED_TRACE(read.toStdString());
        EXPECT_EQ(reader.feed(read), (QList<DongleToken>{{classifyRead(read), read}}));
        EXPECT_EQ(reader.bufferedByteCount(), 0);
    }
}

TEST(DongleStreamReader, FrameSplitAtEveryOffsetIsFoundOnceComplete)
{
    const QByteArray whole = frame(7);
    for (int offset = 1; offset < whole.size(); ++offset) {
        SCOPED_TRACE(offset);
        DongleStreamReader reader;
        EXPECT_TRUE(reader.feed(whole.left(offset)).isEmpty());
        EXPECT_EQ(reader.feed(whole.mid(offset)), (QList<DongleToken>{frameToken(whole)}));
        EXPECT_EQ(reader.bufferedByteCount(), 0);
    }
}

// A long run as a noisy line delivers it: frames two to a read, every read cut in two at a
// different place, stray bytes after some pairs.
TEST(DongleStreamReader, ThousandFramesInCutPairsWithGarbageAreAllFoundInOrder)
{
    constexpr int kFrames = 1000;
    DongleStreamReader reader;
    QList<DongleToken> expected, found;
    for (int first = 0; first < kFrames; first += 2) {
        const int pair = first / 2;
        const qsizetype strayIndex = pair % (kStrayPieces.size() + 1); // one pair in nine has none
        const QByteArray read = frame(first) + frame(first + 1) + kStrayPieces.value(strayIndex);
        const qsizetype cut = 1 + pair % (read.size() - 1);
        found += reader.feed(read.left(cut));
        found += reader.feed(read.mid(cut));
        expected += {frameToken(frame(first)), frameToken(frame(first + 1))};
    }
    EXPECT_EQ(found.size(), kFrames);
    EXPECT_EQ(found, expected);
}

TEST(DongleStreamReader, MegabyteOfGarbageNeitherHidesTheNextFrameNorGrowsTheBuffer)
{
    QByteArray garbage;
    for (int i = 0; garbage.size() < 1024 * 1024; ++i)
        garbage += kStrayPieces[i % kStrayPieces.size()];
    const QByteArray after = frame(9);

    DongleStreamReader wholeAtOnce;
    EXPECT_EQ(wholeAtOnce.feed(garbage + after), (QList<DongleToken>{frameToken(after)}));

    DongleStreamReader readByRead;
    QList<DongleToken> found;
    for (qsizetype at = 0; at < garbage.size(); at += kMaxReadLength) {
        found += readByRead.feed(
            QByteArrayView(garbage).sliced(at, std::min<qsizetype>(kMaxReadLength, garbage.size() - at)));
        ASSERT_LT(readByRead.bufferedByteCount(), kFrameLength);
    }
    found += readByRead.feed(after);
    EXPECT_EQ(found, (QList<DongleToken>{frameToken(after)}));
}

} // namespace
} // namespace dongle
