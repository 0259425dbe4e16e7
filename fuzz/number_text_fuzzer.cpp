// The numbers a user types and the numbers the program shows: the reference box's nominal
// values and tolerances as the filter shapes them and the reference reads them, the
// judgement of a reading against them, the reference as a profile keeps it, and the
// formatted numbers read back.
//
// The input: 16 bytes of data of an RLCD frame (the reading judged), a byte choosing the
// kinds, the unit, the circuit and the decimal separator, a byte choosing a formatting,
// then UTF-8 lines: primary nominal, primary tolerance, secondary nominal, secondary
// tolerance, and any more numbers to read.
#include "fuzz/fuzz_property.h"
#include "localisation/ansi_codepage.h"
#include "localisation/main_lexicons.h"
#include "meter/decimal_format.h"
#include "meter/meter_frame.h"
#include "meter/rlcd_decoder.h"
#include "recording/decimal_text.h"
#include "recording/log_formats.h"
#include "recording/number_filter.h"
#include "recording/part_record.h"
#include "recording/reference.h"
#include "recording/tolerance.h"

#include <QLocale>

#include <array>
#include <cmath>
#include <cstdint>

namespace {

using fuzz::require;
using namespace recording;

constexpr qsizetype kFrameDataSize = meter::TMeterFrame::kSize - 2;
constexpr qsizetype kChoicesAt = kFrameDataSize;
constexpr qsizetype kFormatAt = kFrameDataSize + 1;
constexpr qsizetype kHeaderSize = kFrameDataSize + 2;
constexpr quint8 kRlcdMode = 0x01;
const QString kOffText = QStringLiteral("выкл.");
// The reference box's texts as a profile keeps them: nominal values and tolerances cut to
// these many characters.
constexpr qsizetype kStoredNominalLength = 10;
constexpr qsizetype kStoredToleranceLength = 5;
// A double keeps 17 significant digits; reading a text back may differ in the last.
constexpr double kReadBackSlack = 1e-12;

// The formattings the program shows numbers with, and the most digits the formatting takes.
struct Formatting {
    int precision;
    int decimals;
};
constexpr std::array<Formatting, 8> kFormattings{{{5, 4}, {5, 3}, {5, 2}, {5, 1}, {4, 3}, {4, 4}, {7, 0}, {18, 18}}};

struct Choices {
    ReferenceKind primaryKind;
    int unitIndex;
    SecondaryReferenceKind secondaryKind;
    int serPer;
    QChar separator;
};

// Kinds and units beyond the lists' own come from foreign profiles.
Choices choicesOf(quint8 byte)
{
    constexpr int kKindBits = 2;
    constexpr int kKindMask = 0x03;
    return {ReferenceKind(byte & kKindMask), (byte >> kKindBits) & kKindMask,
            SecondaryReferenceKind((byte >> (2 * kKindBits)) & kKindMask), (byte >> (3 * kKindBits)) & 1,
            (byte & 0x80) != 0 ? QChar(u',') : QChar(u'.')};
}

meter::RlcdReading readingOf(QByteArrayView frameData)
{
    meter::TMeterFrame frame;
    for (qsizetype i = 0; i < kFrameDataSize; ++i)
        frame.bytes[std::size_t(i)] = quint8(frameData[i]);
    frame.bytes[std::size_t(meter::TMeterFrame::kSize - 3)] = kRlcdMode;
    frame.bytes[std::size_t(meter::TMeterFrame::kSize - 2)] = meter::TMeterFrame::kTrailerFirst;
    frame.bytes[std::size_t(meter::TMeterFrame::kSize - 1)] = meter::TMeterFrame::kTrailerLast;
    meter::TMeterSettings settings;
    static const meter::UnitTexts texts = meter::UnitTexts::From(localisation::MainLexicons());
    return meter::DecodeRlcd(frame, settings, texts);
}

void requireReadsBack(const QString& text)
{
    const std::optional<double> value = ParseDecimal(text);
    if (!value)
        return;
    require(std::isfinite(*value), "a number read is finite", [&] { return text; });
    const QString written = QString::number(*value, 'g', 17);
    require(ParseDecimal(written) == value, "a number read, written and read again is the same number",
            [&] { return text + QStringLiteral(" -> ") + written; });
    QString withComma = written;
    withComma.replace(u'.', u',');
    require(ParseDecimal(withComma) == value, "a comma reads as the decimal point", [&] { return withComma; });
}

// What the filter makes of a text it made is that text again: the box filters it at the
// next keystroke too.
FilteredText requireFiltersStably(const QString& text, QChar separator, bool toleranceBox)
{
    const FilteredText once = FilterNumberText(text, int(text.size()), separator, toleranceBox);
    require(once.caret >= 0 && once.caret <= once.text.size(), "the caret stays within the text");
    QString digits = once.text;
    if (toleranceBox) {
        require(digits.endsWith(u'%'), "a tolerance box's text ends with %", [&] { return once.text; });
        digits.chop(1);
    }
    require(std::ranges::all_of(digits, [&](QChar c) { return (c >= u'0' && c <= u'9') || c == separator; })
                && digits.count(separator) <= 1,
            "a filtered text holds digits and at most one separator", [&] { return once.text; });
    const FilteredText again = FilterNumberText(digits, int(digits.size()), separator, toleranceBox);
    require(again.text == once.text, "filtering a filtered text leaves it as it is",
            [&] { return text + QStringLiteral(" -> ") + once.text + QStringLiteral(" -> ") + again.text; });
    return once;
}

void requireJudgedConsistently(const ReferenceValues& reference, const ImpedanceReading& reading)
{
    const ReadingJudgement judgement = JudgeReading(reference, reading, ReadingJudgement{});
    const int verdict = judgement.verdict;
    require(verdict == VerdictPass || verdict == VerdictPrimaryOut || verdict == VerdictSecondaryOut
                || verdict == VerdictBothOut || verdict == VerdictUnreadable,
            "a verdict is one of the five", [&] { return QString::number(verdict); });
    require(judgement.primaryOn == reference.primary.tolerance.isOn()
                && judgement.secondaryOn == reference.secondary.tolerance.isOn(),
            "a judgement knows which tolerances were on");
    require(std::isfinite(judgement.deviations.primary) && std::isfinite(judgement.deviations.secondary),
            "deviations are finite");
    if (verdict == VerdictUnreadable)
        return;
    using Kind = ToleranceRule::Kind;
    const auto requireAgrees = [&](const ToleranceRule& rule, double deviation, int outBit, const char* property) {
        if (rule.kind == Kind::Percent)
            require(((verdict & outBit) != 0) == (std::abs(deviation) > rule.percent), property, [&] {
                return QStringLiteral("verdict %1, deviation %2 %, tolerance %3 %")
                    .arg(verdict)
                    .arg(deviation)
                    .arg(rule.percent);
            });
    };
    const bool secondarySingle = reference.secondary.tolerance.kind == Kind::OtherSingleCharacter;
    if (!secondarySingle)
        requireAgrees(reference.primary.tolerance, judgement.deviations.primary, VerdictPrimaryOut,
                      "the primary verdict agrees with the deviation and the tolerance");
    requireAgrees(reference.secondary.tolerance, judgement.deviations.secondary, VerdictSecondaryOut,
                  "the secondary verdict agrees with the deviation and the tolerance");

    const std::optional<double> shown = DeviationAsShown(judgement.deviations.primary);
    const double deviation = judgement.deviations.primary;
    require(shown && std::abs(*shown - deviation) <= 0.005 + 5e-4 * std::abs(deviation) * (1 + kReadBackSlack),
            "a deviation as shown is the deviation to four digits and two decimals", [&] {
                return QStringLiteral("%1 shown as %2").arg(deviation, 0, 'g', 17).arg(shown.value_or(0), 0, 'g', 17);
            });
}

bool storable(const QString& text, qsizetype length)
{
    return text.size() <= length && localisation::fromAnsi(localisation::toAnsi(text)) == text;
}

// The box's reference kept in a profile and shown again judges as the box did, where the
// texts fit their fields.
void requireStoredAsJudged(const Reference& box)
{
    if (!storable(box.primary.nominalText, kStoredNominalLength)
        || !storable(box.secondary.nominalText, kStoredNominalLength)
        || !storable(StoredToleranceText(box.primary.tolerance), kStoredToleranceLength)
        || !storable(StoredToleranceText(box.secondary.tolerance), kStoredToleranceLength))
        return;
    PartRecord part;
    part.primaryKind = quint8(box.primary.kind);
    part.primaryUnit = quint8(box.primary.unitIndex);
    part.primaryNominal = box.primary.nominalText;
    part.primaryTolerance = StoredToleranceText(box.primary.tolerance);
    part.secondaryKind = quint8(box.secondary.kind);
    part.secondaryUnit = quint8(box.secondary.unitIndex);
    part.secondaryNominal = box.secondary.nominalText;
    part.secondaryTolerance = StoredToleranceText(box.secondary.tolerance);
    const PartRecord stored = DecodePartRecord(EncodePartRecord(part));
    require(ReadReference(ReferenceOfPart(stored)) == ReadReference(box),
            "a reference kept in a profile reads as the box read it");
}

void requireFormattedReadsBack(double value, Formatting formatting)
{
    const QString text = meter::FormatDecimal(value, formatting.precision, formatting.decimals, false);
    bool ok = false;
    const double readBack = QLocale().toDouble(text, &ok);
    const double unit =
        std::pow(10.0, -formatting.decimals) + std::abs(value) * std::pow(10.0, 1 - formatting.precision);
    require(ok && std::abs(readBack - value) <= 0.5 * unit * (1 + kReadBackSlack) + std::abs(value) * kReadBackSlack,
            "a formatted number reads back as the number to its digits", [&] {
                return QStringLiteral("%1 (%2, %3) shown as %4")
                    .arg(value, 0, 'g', 17)
                    .arg(formatting.precision)
                    .arg(formatting.decimals)
                    .arg(text);
            });
}

} // namespace

// Numbers are formatted and read in one locale whatever the machine's.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLocale::setDefault(QLocale::c());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView input(data, qsizetype(size));
    if (input.size() < kHeaderSize)
        return -1;
    const Choices choices = choicesOf(quint8(input[kChoicesAt]));
    const Formatting formatting = kFormattings[quint8(input[kFormatAt]) % kFormattings.size()];
    const QStringList texts = QString::fromUtf8(input.sliced(kHeaderSize)).split(u'\n');
    for (const QString& text : texts)
        requireReadsBack(text);

    // The box holds what the filter let through, or the tolerance list's "off" item.
    const auto toleranceInBox = [&](const QString& text) -> std::optional<QString> {
        if (text == kOffText)
            return std::nullopt;
        return requireFiltersStably(text, choices.separator, true).text;
    };
    Reference box;
    box.primary = {choices.primaryKind, choices.unitIndex,
                   requireFiltersStably(texts.value(0), choices.separator, false).text, toleranceInBox(texts.value(1))};
    box.secondary = {choices.secondaryKind, choices.unitIndex,
                     requireFiltersStably(texts.value(2), choices.separator, false).text,
                     toleranceInBox(texts.value(3))};
    const ReferenceValues reference = ReadReference(box);
    for (const ToleranceRule& rule : {reference.primary.tolerance, reference.secondary.tolerance})
        require(rule.kind != ToleranceRule::Kind::Percent || std::isfinite(rule.percent), "a tolerance is finite");
    // Raw texts judge too: a profile may hold any.
    const ReferenceValues raw =
        ReadReference({{choices.primaryKind, choices.unitIndex, texts.value(0), texts.value(1)},
                       {choices.secondaryKind, choices.unitIndex, texts.value(2), texts.value(3)}});

    const meter::RlcdReading reading = readingOf(input.first(kFrameDataSize));
    const ImpedanceReading impedance = ImpedanceOf(reading, reading.TestFreqHz, choices.serPer);
    requireJudgedConsistently(reference, impedance);
    requireJudgedConsistently(raw, impedance);
    requireStoredAsJudged(box);

    for (const double value : {reading.SerR, reading.SerX, reading.Q, reading.Theta})
        requireFormattedReadsBack(value, formatting);
    for (const QString& text : texts) {
        if (const std::optional<double> value = ParseDecimal(text))
            requireFormattedReadsBack(*value, formatting);
    }
    return 0;
}
