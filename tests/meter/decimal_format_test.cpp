#include "meter/decimal_format.h"
#include "unit_texts_fixture.h"

namespace meter {
namespace {

struct DecimalCase {
    double value;
    int precision;
    int decimals;
    bool grouping;
    const char* pointAndComma; // decimal point ".", thousands ","
    const char* commaAndPoint; // decimal comma ",", thousands "."
};

void PrintTo(const DecimalCase& c, std::ostream* os)
{
    *os << c.value << " p" << c.precision << " d" << c.decimals << (c.grouping ? " grouped" : "");
}

class FormatDecimalTest : public testing::LocaleTest, public ::testing::WithParamInterface<DecimalCase> {};

TEST_P(FormatDecimalTest, MatchesUnderBothSeparatorConventions)
{
    const DecimalCase& c = GetParam();
    EXPECT_EQ(FormatDecimal(c.value, c.precision, c.decimals, c.grouping), QString::fromUtf8(c.pointAndComma));
    UseCommaDecimalLocale();
    EXPECT_EQ(FormatDecimal(c.value, c.precision, c.decimals, c.grouping), QString::fromUtf8(c.commaAndPoint));
}

INSTANTIATE_TEST_SUITE_P(FixedForm, FormatDecimalTest,
                         ::testing::Values(DecimalCase{4700.4, 7, 0, true, "4,700", "4.700"},
                                           DecimalCase{4700.4, 7, 0, false, "4700", "4700"},
                                           DecimalCase{-1234567.25, 9, 2, true, "-1,234,567.25", "-1.234.567,25"},
                                           DecimalCase{123.0, 7, 3, true, "123.000", "123,000"},
                                           // fewer significant digits than decimals: padded with zeros
                                           DecimalCase{230.456, 4, 3, true, "230.500", "230,500"},
                                           DecimalCase{0.01234, 4, 3, true, "0.012", "0,012"},
                                           DecimalCase{0.0, 5, 2, true, "0.00", "0,00"},
                                           // a negative value that rounds to zero has no sign
                                           DecimalCase{-0.00001, 5, 3, true, "0.000", "0,000"},
                                           // rounding carries into a new integer digit and a new group
                                           DecimalCase{999.996, 5, 2, true, "1,000.00", "1.000,00"}));

INSTANTIATE_TEST_SUITE_P(HalfAwayFromZero, FormatDecimalTest,
                         ::testing::Values(DecimalCase{0.5, 5, 0, false, "1", "1"},
                                           DecimalCase{2.5, 5, 0, false, "3", "3"},
                                           DecimalCase{-2.5, 5, 0, false, "-3", "-3"},
                                           DecimalCase{0.125, 5, 2, false, "0.13", "0,13"},
                                           DecimalCase{0.0005, 5, 3, false, "0.001", "0,001"},
                                           // just below one half: adding 0.5 in binary would wrongly give 1
                                           DecimalCase{0.49999999999999994, 5, 0, false, "0", "0"},
                                           // the double nearest 1.005 lies below it, so the exact value rounds down
                                           DecimalCase{1.005, 5, 2, false, "1.00", "1,00"}));

INSTANTIATE_TEST_SUITE_P(ScientificForm, FormatDecimalTest,
                         ::testing::Values(DecimalCase{123456, 5, 1, false, "1.2346E5", "1,2346E5"},
                                           DecimalCase{123456, 5, 2, true, "1.2346E05", "1,2346E05"},
                                           DecimalCase{-123456, 5, 0, true, "-1.2346E5", "-1,2346E5"},
                                           // trailing zeros dropped, down to the bare first digit
                                           DecimalCase{120000, 5, 1, false, "1.2E5", "1,2E5"},
                                           DecimalCase{99999.6, 5, 0, false, "1E5", "1E5"},
                                           DecimalCase{1.7014118346046923e38, 5, 1, false, "1.7014E38", "1,7014E38"}));

INSTANTIATE_TEST_SUITE_P(PrecisionLimits, FormatDecimalTest,
                         ::testing::Values(DecimalCase{123.0, 1, 0, false, "1.2E2", "1,2E2"}, // 1 acts as 2
                                           DecimalCase{123.0, 2, 0, false, "1.2E2", "1,2E2"},
                                           // 25 acts as 18: the exact binary value of 0.1 shows from the 18th digit
                                           DecimalCase{0.1, 25, 20, false, "0.10000000000000000600",
                                                       "0,10000000000000000600"}));

} // namespace
} // namespace meter
