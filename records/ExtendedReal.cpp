#include "records/ExtendedReal.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

using uint128 = unsigned __int128;

constexpr int kExtendedBits = 64;
constexpr int kDoubleBits = 53;
constexpr uint64_t kPrime = 997;

// x = Significand × 2^Exponent, exactly.
struct TBinary {
    uint64_t Significand;
    int Exponent;
};

// x finite and not negative.
TBinary Decompose(double x)
{
    int exponent = 0;
    const double fraction = std::frexp(x, &exponent);
    return {static_cast<uint64_t>(std::ldexp(fraction, kDoubleBits)), exponent - kDoubleBits};
}

int BitLength(uint128 v)
{
    const auto high = static_cast<uint64_t>(v >> 64);
    if (high != 0)
        return 128 - std::countl_zero(high);
    return 64 - std::countl_zero(static_cast<uint64_t>(v));
}

// v rounded to `bits` significant bits, to nearest with ties to even, in
// v's own units. `inexact` says that nonzero bits lie below v's last bit;
// callers pass such a v with more than `bits` bits, so those bits only break
// ties. A carry may lengthen the result by one bit (0b111 becomes 0b1000),
// so v must stay below 2^127.
uint128 RoundToBits(uint128 v, bool inexact, int bits)
{
    const int drop = BitLength(v) - bits;
    if (drop <= 0)
        return v;
    const uint128 half = uint128{1} << (drop - 1);
    const uint128 rest = v & ((half << 1) - 1);
    v >>= drop;
    if (rest > half || (rest == half && (inexact || (v & 1) != 0)))
        ++v;
    return v << drop;
}

// The extended value v × 2^exponent rounded to double. Rounding it twice
// (to extended, then to double) is what the x87 does and can differ from
// rounding the exact value to double once.
double ExtendedToDouble(uint128 extended, int exponent)
{
    return std::ldexp(static_cast<double>(RoundToBits(extended, false, kDoubleBits)), exponent);
}

}  // namespace

namespace ExtendedReal {

double QuotientByPi(int32_t k)
{
    const uint64_t a = k < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(k)) : static_cast<uint64_t>(k);
    if (a == 0)
        return 0.0;
    // a / πx = a × 2^62 / kPiSignificand. Dividing a × 2^shift, with its top
    // bit at bit 127, and then 32 more bits of the remainder gives a quotient
    // of more than 64 bits; what is left only tells whether it was exact.
    const int shift = 128 - BitLength(a);
    const uint128 dividend = uint128{a} << shift;
    const uint128 high = dividend / kPiSignificand;
    const uint128 rest = (dividend % kPiSignificand) << 32;
    const uint128 quotient = (high << 32) | (rest / kPiSignificand);
    const bool inexact = rest % kPiSignificand != 0;
    return ExtendedToDouble(RoundToBits(quotient, inexact, kExtendedBits), 62 - shift - 32);
}

uint64_t TruncatedProduct(uint64_t n, double x)
{
    const TBinary factor = Decompose(x);
    const uint128 product = RoundToBits(uint128{n} * factor.Significand, false, kExtendedBits);
    const int fractionBits = -factor.Exponent;  // at least 53 as x < 1
    return fractionBits >= 128 ? 0 : static_cast<uint64_t>(product >> fractionBits);
}

double TimesPrimePlusPi(double x)
{
    const TBinary factor = Decompose(x);
    const uint128 product = uint128{factor.Significand} * kPrime;  // below 2^63: exact
    // Add in units of 2^unit, fine enough for both terms; a product far
    // below πx's last bit is cut off and only counts as nonzero.
    const int unit = std::clamp(factor.Exponent, -125, -62);
    uint128 sum = uint128{kPiSignificand} << (-62 - unit);
    bool inexact = false;
    if (factor.Exponent >= unit) {
        sum += product << (factor.Exponent - unit);
    } else {
        const int drop = unit - factor.Exponent;
        if (drop >= 128) {
            inexact = product != 0;
        } else {
            sum += product >> drop;
            inexact = (product & ((uint128{1} << drop) - 1)) != 0;
        }
    }
    return ExtendedToDouble(RoundToBits(sum, inexact, kExtendedBits), unit);
}

}  // namespace ExtendedReal
