#include "meter/measured_parameters.h"

#include <gtest/gtest.h>

namespace meter {
namespace {

// The meter's codes, as its frames and commands carry them, with the letter the display
// shows; codes without a parameter show none.
struct LetterCase {
    quint8 code;
    std::optional<QString> primary;
    std::optional<QString> secondary;
};

TEST(MeasuredParameters, MeterCodesAndTheirLetters)
{
    const LetterCase cases[] = {
        {0, std::nullopt, QStringLiteral(" ")},
        {1, QStringLiteral("R"), QStringLiteral("R")},
        {2, QStringLiteral("C"), QStringLiteral("Q")},
        {3, QStringLiteral("L"), QStringLiteral("D")},
        {4, QStringLiteral("Z"), QStringLiteral("\u019F")},
        {5, std::nullopt, std::nullopt},
        {7, std::nullopt, std::nullopt},
    };
    for (const LetterCase& c : cases) {
        EXPECT_EQ(PrimaryLetter(PrimaryParameter(c.code)), c.primary) << int(c.code);
        EXPECT_EQ(SecondaryLetter(SecondaryParameter(c.code)), c.secondary) << int(c.code);
    }
}

} // namespace
} // namespace meter
