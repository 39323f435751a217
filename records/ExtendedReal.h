#pragma once

#include <cstdint>

// The three steps of the cipher's number sequence that go through the x87
// extended format (64-bit significand, round to nearest, ties to even) and
// back to double. They are computed here in exact integer arithmetic, so
// every build rounds them alike, whatever its long double is: the stored
// highscore rows depend on the last bit.
//
// πx below is the extended value nearest to π: 0xC90FDAA22168C235 / 2^62.
namespace ExtendedReal {

// The significand of πx; its exponent puts the binary point after two bits.
inline constexpr uint64_t kPiSignificand = 0xC90FDAA22168C235;

// double(|extended(k / πx)|): the quotient rounded to extended, then to
// double. 0 for k = 0.
double QuotientByPi(int32_t k);

// truncate(extended(n × x)) for 0 <= x < 1: the product rounded to extended
// first, which can carry it up to the next integer, then truncated. The
// result is below n.
uint64_t TruncatedProduct(uint64_t n, double x);

// double(extended(extended(x × 997) + πx)) for 0 <= x < 1. The product is
// exact in extended (a 53-bit significand times the 10-bit 997 needs at most
// 63 bits); the sum is rounded to extended, then to double.
double TimesPrimePlusPi(double x);

}  // namespace ExtendedReal
