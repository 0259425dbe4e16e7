#include "frame_builder.h"
#include "meter/rlcd_decoder.h"
#include "unit_texts_fixture.h"

namespace meter {
namespace {

// The worked example: 100 Ω in series with -100 Ω reactance at 1 kHz, a capacitor with
// D = 1, measured as C with D beside it.
class DecodeRlcdTest : public testing::LocaleTest {
protected:
    DecodeRlcdTest()
    {
        meter.SerPer = 1;
        meter.PrimKind = 2;
        meter.SecKind = 3;
        meter.FreqIndex = 3;
        meter.LevelIndex = 2;
        meter.IntervalCode = 2;
    }

    RlcdReading Decode(float rs = 100, float xs = -100)
    {
        TMeterFrame frame = testing::FrameWithFloats(0x01, rs, xs, 0);
        testing::PutSettings(frame, meter);
        return DecodeRlcd(frame, record, english);
    }

    TMeterSettings meter;  // what the frame reports
    TMeterSettings record; // the window's copy, replaced by each frame
};

TEST_F(DecodeRlcdTest, SeriesCapacitorWorkedExample)
{
    const RlcdReading r = Decode();
    EXPECT_DOUBLE_EQ(r.SerR, 100);
    EXPECT_DOUBLE_EQ(r.SerX, 100);
    EXPECT_DOUBLE_EQ(r.ParR, 200);
    EXPECT_DOUBLE_EQ(r.ParX, 200);
    EXPECT_DOUBLE_EQ(r.Theta, -45);
    EXPECT_EQ(r.TestFreqHz, 1000);
    EXPECT_EQ(r.primaryValue, QStringLiteral(" 1.5915 \u03BCF"));
    EXPECT_EQ(r.primaryCircuitMark, "S");
    EXPECT_EQ(r.secondaryCircuitMark, " ");
    EXPECT_EQ(r.secondaryValue, "1.0000");
    EXPECT_EQ(r.sideImpedance, QStringLiteral("Z 141.42 \u03A9"));
    EXPECT_EQ(r.sideDissipation, "D 1.0000");
    EXPECT_EQ(r.sideQuality, "Q 1.0000");
    EXPECT_EQ(r.sidePhase, QStringLiteral("\u019F -45.0000\u00B0"));
    EXPECT_EQ(r.FreqText, "1 kHz");
    EXPECT_EQ(r.LevelText, "0.5 Vrms");
    EXPECT_EQ(r.indicators.frequency, " 1 kHz");
}

TEST_F(DecodeRlcdTest, ParallelCircuitUsesParallelReactance)
{
    meter.SerPer = 0;
    const RlcdReading r = Decode();
    EXPECT_EQ(r.primaryValue, " 795.77 nF");
    EXPECT_EQ(r.primaryCircuitMark, "P");
}

TEST_F(DecodeRlcdTest, RussianUnitsAndCommaLocale)
{
    UseCommaDecimalLocale();
    TMeterFrame frame = testing::FrameWithFloats(0x01, 100, -100, 0);
    testing::PutSettings(frame, meter);
    const RlcdReading r = DecodeRlcd(frame, record, russian);
    EXPECT_EQ(r.primaryValue, QStringLiteral(" 1,5915 мкФ"));
    EXPECT_EQ(r.sideImpedance, QStringLiteral("Z 141,42 Ом"));
}

TEST_F(DecodeRlcdTest, ReplacesTheRecordButKeepsTheReservedByte)
{
    TMeterFrame frame = testing::FrameWithFloats(0x01, 100, -100, 0);
    frame.bytes[8] = 0xE5;  // auto circuit, series, auto frequency, index 5
    frame.bytes[9] = 0xBB;  // auto secondary 3, auto primary 3
    frame.bytes[10] = 0xAC; // hold, interval 2, auto level 4
    frame.bytes[11] = 0xFE; // negative, sound off, other bits ignored
    record.Reserved = 0x5A;

    const RlcdReading r = DecodeRlcd(frame, record, english);

    const std::array<quint8, 15> expected = {1, 5, 1, 3, 1, 3, 1, 4, 1, 1, 2, 1, 1, 0, 0x5A};
    EXPECT_EQ(record.toBytes(), expected);
    EXPECT_EQ(r.TestFreqHz, 100000);
    EXPECT_EQ(r.menus, (MenuSelection{0, 0, 0, 0, 0}));
    EXPECT_TRUE(r.indicators.holdDown);
}

TEST_F(DecodeRlcdTest, PrimaryByKind)
{
    meter.SecKind = 0;
    meter.PrimKind = 4;
    RlcdReading r = Decode();
    EXPECT_EQ(r.primaryCircuitMark, QString());
    EXPECT_EQ(r.primaryValue, QStringLiteral("141.42 \u03A9"));

    meter.PrimKind = 1;
    EXPECT_EQ(Decode().primaryValue, QStringLiteral("100.00 \u03A9"));

    meter.PrimKind = 3;
    meter.Negative = 1;
    EXPECT_EQ(Decode(100, 100).primaryValue, QStringLiteral("-15.915 mH"));

    meter.PrimKind = 0; // automatic, not yet named: the label keeps its text
    r = Decode();
    EXPECT_FALSE(r.primaryValue.has_value());
    EXPECT_EQ(r.primaryCircuitMark, "S");
}

TEST_F(DecodeRlcdTest, SecondaryByKind)
{
    const std::vector<std::pair<quint8, std::optional<QString>>> cases = {
        {0, QStringLiteral(" ")},      {1, QStringLiteral("100.00 \u03A9")}, {2, QStringLiteral("2.0000")},
        {3, QStringLiteral("0.5000")}, {4, QStringLiteral("63.4300\u00B0")}, {5, std::nullopt},
    };
    for (const auto& [kind, expected] : cases) {
        meter.SecKind = kind;
        const RlcdReading r = Decode(100, 200);
        EXPECT_EQ(r.secondaryValue, expected) << int(kind);
        // only a secondary resistance carries the circuit letter
        EXPECT_EQ(r.secondaryCircuitMark, kind == 1 ? QStringLiteral("S") : QStringLiteral(" ")) << int(kind);
    }
}

TEST_F(DecodeRlcdTest, LevelTextByIndex)
{
    const std::vector<std::pair<quint8, std::optional<QString>>> cases = {
        {0, QStringLiteral("A 1.0 Vrms")},
        {1, QStringLiteral("1.0 Vrms")},
        {3, QStringLiteral("0.1 Vrms")},
        {4, QStringLiteral("0.1 V")},
        {7, std::nullopt},
    };
    for (const auto& [index, expected] : cases) {
        meter.LevelIndex = index;
        EXPECT_EQ(Decode().LevelText, expected) << int(index);
    }
}

TEST_F(DecodeRlcdTest, WithoutTestFrequencySideReadingsAreEmptyAndConversionsUse120Hz)
{
    meter.PrimKind = 3;
    for (quint8 index : {quint8(0), quint8(20)}) {
        meter.FreqIndex = index;
        const RlcdReading r = Decode(100, 100);
        EXPECT_EQ(r.TestFreqHz, 120);
        EXPECT_EQ(r.primaryValue, " 132.63 mH") << int(index);
        EXPECT_EQ(r.FreqText, "120 Hz");
        EXPECT_EQ(r.indicators.frequency, QString());
        for (const QString& side : {r.sideImpedance, r.sideDissipation, r.sideQuality, r.sidePhase})
            EXPECT_EQ(side, QString());
    }
}

TEST_F(DecodeRlcdTest, ZeroResistanceFieldGivesAHugeButFiniteQuality)
{
    meter.SecKind = 2;
    TMeterFrame frame = testing::FrameWithFloats(0x01, 0, 1, 0);
    frame.bytes[0] = frame.bytes[1] = frame.bytes[2] = frame.bytes[3] = 0;
    testing::PutSettings(frame, meter);

    const RlcdReading r = DecodeRlcd(frame, record, english);
    EXPECT_EQ(r.SerR, std::ldexp(1.0, -127));
    EXPECT_EQ(r.secondaryValue, "1.7014E38");
    EXPECT_EQ(r.primaryValue, QStringLiteral(" 159.15 \u03BCF"));
    EXPECT_EQ(r.sidePhase, QStringLiteral("\u019F 90.0000\u00B0"));
}

} // namespace
} // namespace meter
