#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "records/Chiffre.h"
#include "records/ExtendedReal.h"

#ifdef __FAST_MATH__
#error "The x87 reference below needs IEEE rounding: build without -ffast-math."
#endif

namespace {

using uint128 = unsigned __int128;

uint64_t Bits(double x)
{
    return std::bit_cast<uint64_t>(x);
}

TEST(ExtendedReal, QuotientByPiRoundsTwiceAndIgnoresTheSign)
{
    // Values from the x87 (fdiv, then fstp to double), cross-checked with
    // exact rational arithmetic.
    EXPECT_EQ(Bits(ExtendedReal::QuotientByPi(46021)), Bits(0x1.c9c783a1126f5p+13));
    EXPECT_EQ(Bits(ExtendedReal::QuotientByPi(-46021)), Bits(0x1.c9c783a1126f5p+13));
    EXPECT_EQ(Bits(ExtendedReal::QuotientByPi(0)), Bits(0.0));
    // 6145 / πx rounded to extended lies halfway between two doubles and
    // goes to the even one; the exact quotient rounded once gives ...961p+10.
    EXPECT_EQ(Bits(ExtendedReal::QuotientByPi(6145)), Bits(0x1.e900e97b5896p+10));
    EXPECT_EQ(Bits(ExtendedReal::QuotientByPi(-6145)), Bits(0x1.e900e97b5896p+10));
}

TEST(ExtendedReal, ProductRoundedToExtendedCanCarryToTheNextInteger)
{
    // 90892 × x is just below 31101 (its floor is 31100), but rounded to a
    // 64-bit significand it is 31101: the x87 truncates that.
    EXPECT_EQ(ExtendedReal::TruncatedProduct(90892, 0x1.5e63359d8e815p-2), 31101u);
    EXPECT_EQ(ExtendedReal::TruncatedProduct(62, 0.0), 0u);
    EXPECT_EQ(ExtendedReal::TruncatedProduct(62, std::nextafter(1.0, 0.0)), 61u);
}

TEST(ExtendedReal, SumWithPiIsRoundedToExtendedBeforeDouble)
{
    // The extended sum lies exactly halfway between two doubles and goes to
    // the even one, ...5de; the exact sum, rounded once, would give ...5df.
    EXPECT_EQ(Bits(ExtendedReal::TimesPrimePlusPi(0x1.cf505988c1333p-1)), Bits(0x1.c4ab1ae1aa5dep+9));
    EXPECT_EQ(Bits(ExtendedReal::TimesPrimePlusPi(0.0)), Bits(0x1.921fb54442d18p+1));
}

// Where long double is the x87 80-bit format, the same steps written
// directly in long double are the reference the portable code must match
// bit for bit.
const long double kPiExtended = 0xC90FDAA22168C235p-62L;

double NativeQuotientByPi(int32_t k)
{
    return static_cast<double>(std::fabs(static_cast<long double>(k) / kPiExtended));
}

uint64_t NativeTruncatedProduct(uint64_t n, double x)
{
    return static_cast<uint64_t>(static_cast<long double>(n) * x);
}

double NativeTimesPrimePlusPi(double x)
{
    return static_cast<double>(static_cast<long double>(x) * 997 + kPiExtended);
}

// Whether the extended value v lies exactly halfway between two doubles, so
// that rounding it to double decides a tie.
bool IsHalfway(long double v)
{
    const double nearest = static_cast<double>(v);
    const double neighbour = std::nextafter(nearest, v > nearest ? INFINITY : -INFINITY);
    return v != nearest && std::fabs(v - nearest) * 2 == std::fabs(static_cast<long double>(neighbour) - nearest);
}

// floor(n × x) from the exact product.
uint64_t ExactFloorOfProduct(uint64_t n, double x)
{
    int exponent = 0;
    const auto significand = static_cast<uint64_t>(std::ldexp(std::frexp(x, &exponent), 53));
    return static_cast<uint64_t>((uint128{n} * significand) >> (53 - exponent));
}

// A double in [0, 1) with a random 53-bit significand and a random exponent
// down to 2^-80, or a multiple of 2^-52 as the fractions of the sequence are.
double RandomFraction(std::mt19937_64& random)
{
    const double significand = static_cast<double>(random() >> 11);
    if (random() % 2 == 0)
        return std::ldexp(significand, -53);
    return std::ldexp(significand, -53 - static_cast<int>(random() % 28));
}

class X87Reference : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::numeric_limits<long double>::digits != 64)
            GTEST_SKIP() << "long double is not the x87 extended format on this build";
        // The format alone is not enough: the x87 precision control must be
        // set to 64 bits, not to 53.
        volatile long double one = 1.0L;
        ASSERT_EQ((one + 0x1p-63L) - one, 0x1p-63L) << "the x87 rounds to fewer than 64 bits";
    }

    std::mt19937_64 random_{20240611};
};

TEST_F(X87Reference, QuotientByPiMatchesForAMillionKeys)
{
    int ties = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        const auto k = static_cast<int32_t>(random_());
        ASSERT_EQ(Bits(ExtendedReal::QuotientByPi(k)), Bits(NativeQuotientByPi(k))) << "k = " << k;
        ties += IsHalfway(std::fabs(static_cast<long double>(k) / kPiExtended));
    }
    for (int32_t k : {1, -1, TChiffre::kLargestKey, -TChiffre::kLargestKey, std::numeric_limits<int32_t>::max(),
                      std::numeric_limits<int32_t>::min()})
        EXPECT_EQ(Bits(ExtendedReal::QuotientByPi(k)), Bits(NativeQuotientByPi(k))) << "k = " << k;
    EXPECT_GT(ties, 0) << "no quotient tested the tie between two doubles";
}

TEST_F(X87Reference, TruncatedProductMatchesAlsoWhereRoundingCarries)
{
    int carries = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        const int bits = 1 + static_cast<int>(random_() % 40);
        const uint64_t n = 1 + random_() % (uint64_t{1} << bits);
        // Half of the factors are the doubles nearest to some j / n; where
        // that lies below j / n, n × x is just below an integer and rounding
        // may carry it up.
        double x = RandomFraction(random_);
        if (i % 2 == 0 && n > 1)
            x = static_cast<double>(1 + random_() % (n - 1)) / static_cast<double>(n);
        const uint64_t native = NativeTruncatedProduct(n, x);
        ASSERT_EQ(ExtendedReal::TruncatedProduct(n, x), native) << "n = " << n << ", x = " << std::hexfloat << x;
        carries += native != ExactFloorOfProduct(n, x);
    }
    EXPECT_GT(carries, 0) << "no product tested the carry to the next integer";
}

TEST_F(X87Reference, TimesPrimePlusPiMatchesAlsoWhereTheSecondRoundingTies)
{
    int ties = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        const double x = RandomFraction(random_);
        ASSERT_EQ(Bits(ExtendedReal::TimesPrimePlusPi(x)), Bits(NativeTimesPrimePlusPi(x)))
            << "x = " << std::hexfloat << x;
        ties += IsHalfway(static_cast<long double>(x) * 997 + kPiExtended);
    }
    for (double x : {0.0, std::numeric_limits<double>::denorm_min(), 0x1p-70, std::nextafter(1.0, 0.0)})
        EXPECT_EQ(Bits(ExtendedReal::TimesPrimePlusPi(x)), Bits(NativeTimesPrimePlusPi(x)))
            << "x = " << std::hexfloat << x;
    EXPECT_GT(ties, 0) << "no sum tested the tie between two doubles";
}

TEST_F(X87Reference, ShiftSequenceMatchesForAMillionKeysAndPositions)
{
    constexpr int kKeys = 4000;
    constexpr int kPositions = 250;
    for (int key = 0; key < kKeys; ++key) {
        const auto k = static_cast<int32_t>(random_());
        // The game's alphabet for half the keys, any length up to 2^31 for
        // the rest, where n × x no longer fits a 64-bit significand.
        const uint64_t n = key % 2 == 0 ? 62 : 1 + random_() % (uint64_t{1} << 31);
        TShiftSequence sequence(k);
        double x = NativeQuotientByPi(k);
        for (int position = 1; position <= kPositions; ++position) {
            ASSERT_EQ(Bits(sequence.X()), Bits(x)) << "k = " << k << ", position " << position;
            x -= static_cast<double>(static_cast<int64_t>(x));
            const uint64_t shift = NativeTruncatedProduct(n, x);
            x = NativeTimesPrimePlusPi(x);
            ASSERT_EQ(sequence.Next(n), shift) << "k = " << k << ", n = " << n << ", position " << position;
        }
    }
}

}  // namespace
