// The dongle's byte stream: the stream reader cuts it into replies and frames however the
// reads split it, and every frame it gives goes through the decoder of its mode, as the
// link and the meter session do with them.
//
// The input: 16 bytes of data for a frame that is planted in the stream, where to plant it
// (a fraction of 255 of the way through), how to cut the stream into reads, then the stream
// the frame is planted in.
#include "fuzz/fuzz_property.h"
#include "link/dongle_stream_reader.h"
#include "localisation/main_lexicons.h"
#include "meter/meter_frame.h"
#include "meter/rd_decoder.h"
#include "meter/rlcd_decoder.h"
#include "meter/u_decoder.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

using dongle::DongleReply;
using dongle::DongleToken;
using fuzz::require;
using meter::TMeterFrame;

constexpr qsizetype kFrameDataSize = TMeterFrame::kSize - 2;
constexpr qsizetype kPlantAt = kFrameDataSize;
constexpr qsizetype kCutChoice = kFrameDataSize + 1;
constexpr qsizetype kHeaderSize = kFrameDataSize + 2;
constexpr int kPlantScale = 255;
// Reads as the port delivers them: from a single byte to two frames and a little more.
constexpr int kLongestCutRead = 2 * TMeterFrame::kSize + 3;

QByteArray frameOf(QByteArrayView data)
{
    QByteArray frame = data.toByteArray();
    frame.append(char(TMeterFrame::kTrailerFirst));
    frame.append(char(TMeterFrame::kTrailerLast));
    return frame;
}

bool endsWithTrailer(QByteArrayView window)
{
    return quint8(window[TMeterFrame::kSize - 2]) == TMeterFrame::kTrailerFirst
        && quint8(window[TMeterFrame::kSize - 1]) == TMeterFrame::kTrailerLast;
}

// Whether something the reader takes as one token may begin before `at` and reach into it:
// 18 bytes ending with the trailer, or a reply. The reader may then rightly take the bytes
// at `at` with it.
bool tokenMayCross(QByteArrayView stream, qsizetype at)
{
    for (qsizetype start = std::max<qsizetype>(0, at - TMeterFrame::kSize + 1); start < at; ++start) {
        const QByteArrayView rest = stream.sliced(start);
        if (rest.size() >= TMeterFrame::kSize && endsWithTrailer(rest))
            return true;
        for (const dongle::KnownReply& reply : dongle::knownReplies()) {
            if (start + reply.text.size() > at && rest.startsWith(reply.text))
                return true;
        }
    }
    return false;
}

// Cut choice 0 is the whole stream in one read; any other gives reads of varying lengths.
QList<QByteArrayView> readsOf(QByteArrayView stream, quint8 cutChoice)
{
    if (cutChoice == 0)
        return {stream};
    QList<QByteArrayView> reads;
    for (qsizetype at = 0, index = 1; at < stream.size(); ++index) {
        const qsizetype length = std::min(1 + (cutChoice * index) % kLongestCutRead, stream.size() - at);
        reads.append(stream.sliced(at, length));
        at += length;
    }
    return reads;
}

bool readEndsInside(const QList<QByteArrayView>& reads, qsizetype begin, qsizetype end)
{
    qsizetype at = 0;
    for (const QByteArrayView read : reads) {
        at += read.size();
        if (at > begin && at < end)
            return true;
    }
    return false;
}

void requireWellFormed(const DongleToken& token)
{
    if (token.kind == DongleReply::Frame) {
        require(token.bytes.size() == TMeterFrame::kSize && endsWithTrailer(token.bytes),
                "a frame token is 18 bytes ending with the trailer", [&] { return fuzz::shown(token.bytes); });
        return;
    }
    const auto replies = dongle::knownReplies();
    require(std::ranges::any_of(replies,
                                [&](const dongle::KnownReply& reply) {
                                    return reply.meaning == token.kind && reply.text == token.bytes;
                                }),
            "a reply token is a known reply with its meaning", [&] { return fuzz::shown(token.bytes); });
}

// Each token is a piece of the stream, after the one before it.
void requireInStreamOrder(const QList<DongleToken>& tokens, QByteArrayView stream)
{
    qsizetype from = 0;
    for (const DongleToken& token : tokens) {
        const qsizetype at = stream.indexOf(token.bytes, from);
        require(at >= 0, "the tokens are pieces of the stream, in its order",
                [&] { return fuzz::shown(token.bytes) + QStringLiteral(" after byte %1").arg(from); });
        from = at + token.bytes.size();
    }
}

const meter::UnitTexts& unitTexts()
{
    static const meter::UnitTexts texts = meter::UnitTexts::From(localisation::MainLexicons());
    return texts;
}

// A reading shows numbers, never the words for an infinity or a value that is none.
void requireShowable(const QString& text, const char* field)
{
    require(!text.contains(QStringLiteral("inf"), Qt::CaseInsensitive)
                && !text.contains(QStringLiteral("nan"), Qt::CaseInsensitive),
            "a decoded reading shows a number",
            [&] { return QString::fromLatin1(field) + QStringLiteral(": ") + text; });
}

void requirePositiveFinite(double value, const char* field)
{
    require(std::isfinite(value) && value > 0, "a decoded magnitude is finite and above zero",
            [&] { return QString::fromLatin1(field) + QStringLiteral(" = %1").arg(value); });
}

void decodeRlcd(const TMeterFrame& frame)
{
    meter::TMeterSettings settings;
    const meter::RlcdReading r = meter::DecodeRlcd(frame, settings, unitTexts());
    for (const auto& [value, field] : {std::pair{r.SerR, "SerR"},
                                       {r.SerX, "SerX"},
                                       {r.ParR, "ParR"},
                                       {r.ParX, "ParX"},
                                       {r.Z, "Z"},
                                       {r.D, "D"},
                                       {r.Q, "Q"}})
        requirePositiveFinite(value, field);
    require(r.Theta >= -90 && r.Theta <= 90, "the phase angle lies between -90 and 90 degrees",
            [&] { return QString::number(r.Theta); });
    for (const auto& [text, field] : {std::pair{r.primaryCircuitMark, "primaryCircuitMark"},
                                      {r.secondaryCircuitMark, "secondaryCircuitMark"},
                                      {r.FreqText, "FreqText"},
                                      {r.sideImpedance, "sideImpedance"},
                                      {r.sideDissipation, "sideDissipation"},
                                      {r.sideQuality, "sideQuality"},
                                      {r.sidePhase, "sidePhase"},
                                      {r.primaryValue.value_or(QString()), "primaryValue"},
                                      {r.secondaryValue.value_or(QString()), "secondaryValue"}})
        requireShowable(text, field);
}

void decodeRd(const TMeterFrame& frame)
{
    const meter::RdReading r = meter::DecodeRd(frame, unitTexts());
    for (const auto& [text, field] : {std::pair{r.mainReading, "mainReading"},
                                      {r.currentValue, "currentValue"},
                                      {r.secondCurrent, "secondCurrent"},
                                      {r.testVoltage.value_or(QString()), "testVoltage"}})
        requireShowable(text, field);
}

void decodeU(const TMeterFrame& frame)
{
    const meter::UReading r = meter::DecodeU(frame, unitTexts());
    for (const auto& [text, field] : {std::pair{r.mainReading, "mainReading"},
                                      {r.rmsReading, "rmsReading"},
                                      {r.peakToPeakReading, "peakToPeakReading"}})
        requireShowable(text, field);
}

void decode(const QByteArray& frameBytes)
{
    const std::optional<TMeterFrame> frame = meter::FrameFromBytes(frameBytes);
    require(frame.has_value(), "a frame token makes a frame");
    const std::optional<meter::FrameDispatch> dispatch = meter::DispatchFrame(*frame);
    require(dispatch.has_value(), "a frame token is dispatched");
    switch (dispatch->mode) {
    case meter::MeterMode::Rlcd: decodeRlcd(*frame); break;
    case meter::MeterMode::Rd: decodeRd(*frame); break;
    case meter::MeterMode::U: decodeU(*frame); break;
    case meter::MeterMode::None: break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView input(data, qsizetype(size));
    if (input.size() < kHeaderSize)
        return -1;
    const QByteArray planted = frameOf(input.first(kFrameDataSize));
    const QByteArrayView around = input.sliced(kHeaderSize);
    const qsizetype plantAt = around.size() * quint8(input[kPlantAt]) / kPlantScale;
    const QByteArray stream = around.first(plantAt).toByteArray() + planted + around.sliced(plantAt).toByteArray();
    const QList<QByteArrayView> reads = readsOf(stream, quint8(input[kCutChoice]));

    dongle::DongleStreamReader reader;
    QList<DongleToken> tokens;
    for (const QByteArrayView read : reads) {
        tokens += reader.feed(read);
        require(reader.bufferedByteCount() < TMeterFrame::kSize, "fewer than 18 bytes are kept between reads");
    }
    requireInStreamOrder(tokens, stream);
    for (const DongleToken& token : tokens) {
        requireWellFormed(token);
        if (token.kind == DongleReply::Frame)
            decode(token.bytes);
    }

    // A reply beginning "OK+" in the frame's data wins over the frame, and a read that ends
    // on a plain "OK" at its start gives that reply: the reader is right to lose such frames.
    const qsizetype plantEnd = plantAt + planted.size();
    const bool replyInFrame =
        planted.contains("OK+") || (planted.startsWith("OK") && readEndsInside(reads, plantAt, plantEnd));
    if (!replyInFrame && !tokenMayCross(stream, plantAt))
        require(tokens.contains(DongleToken{DongleReply::Frame, planted}),
                "a whole frame among stray bytes comes out of the reader", [&] {
                    return QStringLiteral("frame %1 at byte %2 of %3")
                        .arg(fuzz::shown(planted))
                        .arg(plantAt)
                        .arg(fuzz::shown(stream));
                });
    return 0;
}
