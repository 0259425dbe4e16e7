#include "meter/meter_settings.h"
#include <gtest/gtest.h>

namespace meter {
namespace {

TEST(ResetSettings, WritesTheDefaultsAndKeepsTheReservedByte)
{
    auto settings = TMeterSettings::fromBytes({0, 9, 0, 7, 0, 7, 1, 7, 0, 1, 7, 1, 1, 0, 0xAB});
    ResetSettings(settings);

    const std::array<quint8, 15> expected = {1, 4, 1, 2, 1, 1, 0, 1, 1, 0, 2, 0, 0, 1, 0xAB};
    EXPECT_EQ(settings.toBytes(), expected);
    EXPECT_EQ(FreqIndexToHz(settings.FreqIndex), kDefaultTestFreqHz);
    EXPECT_EQ(kDefaultTestFreqHz, 10000);
}

TEST(TMeterSettings, BytesFollowTheFieldOrder)
{
    const std::array<quint8, 15> bytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const auto settings = TMeterSettings::fromBytes(bytes);
    EXPECT_EQ(settings.FreqIndex, 2);
    EXPECT_EQ(settings.SecKind, 6);
    EXPECT_EQ(settings.SerPer, 10);
    EXPECT_EQ(settings.Sound, 14);
    EXPECT_EQ(settings.Reserved, 15);
    EXPECT_EQ(settings.toBytes(), bytes);
}

TEST(FreqIndexToHz, FollowsTheUnorderedTable)
{
    const std::array<qint32, 15> table = {120,   100,   120,   1000,  10000, 100000, 20000, 30000,
                                          40000, 50000, 60000, 75000, 80000, 90000,  150000};
    for (std::size_t index = 0; index < table.size(); ++index)
        EXPECT_EQ(FreqIndexToHz(int(index)), table[index]) << "index " << index;
}

TEST(FreqIndexToHz, IndicesWithoutAFrequencyActLikeNoFrequency)
{
    for (int index : {0, 15, 16, 31, -1}) {
        EXPECT_EQ(FreqIndexToHz(index), 120) << "index " << index;
        EXPECT_FALSE(HasTestFrequency(index)) << "index " << index;
    }
    EXPECT_TRUE(HasTestFrequency(1));
    EXPECT_TRUE(HasTestFrequency(14));
}

TEST(SyncMenus, AutomaticSelectsRowZeroOtherwiseTheValue)
{
    TMeterSettings settings;
    settings.FreqAuto = 1;
    settings.FreqIndex = 9;
    settings.PrimKind = 3;
    settings.SecAuto = 1;
    settings.SecKind = 2;
    settings.LevelIndex = 3;
    settings.SerPer = 1;
    EXPECT_EQ(SyncMenus(settings), (MenuSelection{0, 3, 0, 3, 2}));

    settings.FreqAuto = 0;
    settings.SerPer = 0;
    settings.LevelAuto = 1;
    EXPECT_EQ(SyncMenus(settings), (MenuSelection{9, 3, 0, 0, 1}));

    settings.SerPerAuto = 1;
    settings.PrimAuto = 1;
    EXPECT_EQ(SyncMenus(settings), (MenuSelection{9, 0, 0, 0, 0}));
}

} // namespace
} // namespace meter
