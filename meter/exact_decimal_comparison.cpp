#include "meter/exact_decimal_comparison.h"

#include <algorithm>
#include <vector>

namespace meter {
namespace {

// A natural number of any size, in 32-bit limbs from the least significant: only what the
// comparison needs.
class WideNatural {
public:
    explicit WideNatural(std::uint64_t value) : m_limbs{std::uint32_t(value), std::uint32_t(value >> LimbBits)}
    {
        trim();
    }

    void multiplyByPowerOfFive(int power)
    {
        // 5^13 is the largest power of five a limb holds.
        constexpr int StepPower = 13;
        constexpr std::uint32_t Step = 1220703125;
        for (; power >= StepPower; power -= StepPower)
            multiplyBy(Step);
        std::uint32_t rest = 1;
        for (; power > 0; --power)
            rest *= 5;
        multiplyBy(rest);
    }

    void shiftLeft(int bits)
    {
        if (m_limbs.empty())
            return; // zero stays zero, without limbs
        m_limbs.insert(m_limbs.begin(), std::size_t(bits / LimbBits), 0);
        const int within = bits % LimbBits;
        if (within == 0)
            return;
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : m_limbs) {
            const std::uint32_t shifted = (limb << within) | carry;
            carry = limb >> (LimbBits - within);
            limb = shifted;
        }
        if (carry != 0)
            m_limbs.push_back(carry);
    }

    friend int compare(const WideNatural& a, const WideNatural& b)
    {
        if (a.m_limbs.size() != b.m_limbs.size())
            return a.m_limbs.size() < b.m_limbs.size() ? -1 : 1;
        for (std::size_t i = a.m_limbs.size(); i-- > 0;) {
            if (a.m_limbs[i] != b.m_limbs[i])
                return a.m_limbs[i] < b.m_limbs[i] ? -1 : 1;
        }
        return 0;
    }

private:
    static constexpr int LimbBits = 32;

    void multiplyBy(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : m_limbs) {
            const std::uint64_t product = std::uint64_t(limb) * factor + carry;
            limb = std::uint32_t(product);
            carry = product >> LimbBits;
        }
        if (carry != 0)
            m_limbs.push_back(std::uint32_t(carry));
    }

    // No leading zero limbs, so that the longer number is the larger.
    void trim()
    {
        while (!m_limbs.empty() && m_limbs.back() == 0)
            m_limbs.pop_back();
    }

    std::vector<std::uint32_t> m_limbs;
};

} // namespace

// Both sides become whole numbers: a negative power of ten moves its five to the binary
// side, and both are shifted up by the lower of the two powers of two.
int CompareWithDecimalExactly(std::uint64_t significand, int binaryExponent, std::uint64_t units, int decimalExponent)
{
    WideNatural binary(significand);
    WideNatural decimal(units);
    if (decimalExponent >= 0)
        decimal.multiplyByPowerOfFive(decimalExponent);
    else
        binary.multiplyByPowerOfFive(-decimalExponent);
    const int lowestPowerOfTwo = std::min(binaryExponent, decimalExponent);
    binary.shiftLeft(binaryExponent - lowestPowerOfTwo);
    decimal.shiftLeft(decimalExponent - lowestPowerOfTwo);
    return compare(binary, decimal);
}

} // namespace meter
