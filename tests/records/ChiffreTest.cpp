#include <array>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "records/Chiffre.h"

namespace {

const std::string kRow = "1500,Mr. Brain";

TEST(Chiffre, ShiftsOfTheDefaultKeyAreTheX87Ones)
{
    // The first shifts for key 46021 and the 62-character alphabet, as the
    // x87 computes them (long double on x86-64) and as exact rational
    // arithmetic confirms. Plain double arithmetic gives 44 at position 5.
    const std::array<uint64_t, 16> expected{58, 36, 12, 19, 57, 43, 10, 52, 14, 1, 60, 48, 25, 24, 24, 18};
    TShiftSequence sequence(TChiffre::kDefaultKey);
    for (uint64_t shift : expected)
        EXPECT_EQ(sequence.Next(TChiffre::kDefaultAlphabet.size()), shift);
}

TEST(Chiffre, EncodeAddsAndDecodeSubtractsTheShifts)
{
    const TChiffre chiffre;
    // 'A' has index 0, so the encoded text spells the shifts above.
    EXPECT_EQ(chiffre.Encode("AAAAAAAAAAAAAAAA"), "6kMT5rK0OB8wZYYS");
    EXPECT_EQ(chiffre.Decode("6kMT5rK0OB8wZYYS"), "AAAAAAAAAAAAAAAA");
    EXPECT_EQ(chiffre.Decode("A"), "E");  // 0 − 58 + 62
}

TEST(Chiffre, RowEnciphersTheSameEveryTime)
{
    const TChiffre chiffre;
    EXPECT_EQ(chiffre.Encode(kRow), "xfCJ,31. CpM7B");
    chiffre.Encode("a longer text in between, 0123456789");
    chiffre.Decode(kRow);
    EXPECT_EQ(chiffre.Encode(kRow), "xfCJ,31. CpM7B");
}

TEST(Chiffre, EmptyTextStaysEmpty)
{
    const TChiffre chiffre;
    EXPECT_EQ(chiffre.Encode(""), "");
    EXPECT_EQ(chiffre.Decode(""), "");
}

TEST(Chiffre, CharactersOutsideTheAlphabetComeBackUnchanged)
{
    // Blanks, punctuation and Windows-1252 letters such as ä ö ü ß.
    const std::string text = " ,.  ,,.\xE4\xF6\xFC\xDF\xC4-!\x7F\x01\xFF";
    TChiffre chiffre;
    for (int32_t key : {0, 1, -777, TChiffre::kLargestKey}) {
        chiffre.Init("", key);
        EXPECT_EQ(chiffre.Encode(text), text) << "key " << key;
        EXPECT_EQ(chiffre.Decode(text), text) << "key " << key;
    }
}

TEST(Chiffre, RowKeepsItsPunctuationAndEnciphersTheRestIntoTheAlphabet)
{
    TChiffre chiffre;
    for (int32_t key : {0, 1, 2, 31337, -123456789, TChiffre::kLargestKey}) {
        chiffre.Init("", key);
        const std::string encoded = chiffre.Encode(kRow);
        ASSERT_EQ(encoded.size(), kRow.size());
        for (std::size_t i = 0; i < encoded.size(); ++i) {
            const std::size_t position = i + 1;
            if (position == 5 || position == 8 || position == 9)
                EXPECT_EQ(encoded[i], kRow[i]) << "key " << key << ", position " << position;
            else
                EXPECT_NE(chiffre.Alphabet().find(encoded[i]), std::string::npos)
                    << "key " << key << ", position " << position;
        }
        EXPECT_EQ(chiffre.Decode(encoded), kRow) << "key " << key;
    }
}

TEST(Chiffre, OneCharacterAlphabetLeavesTextsUnchanged)
{
    TChiffre chiffre;
    for (int32_t key : {0, 5, -99, TChiffre::kLargestKey}) {
        chiffre.Init("x", key);
        EXPECT_EQ(chiffre.Encode("xx, xAx 1500"), "xx, xAx 1500") << "key " << key;
        EXPECT_EQ(chiffre.Decode("xx, xAx 1500"), "xx, xAx 1500") << "key " << key;
    }
}

TEST(Chiffre, RepeatedAlphabetCharacterCountsAtItsFirstPlace)
{
    TChiffre chiffre;
    chiffre.Init("ABA", 4242);
    const std::string encoded = chiffre.Encode("AAAAAAAAAAAA");
    TShiftSequence sequence(4242);
    for (char c : encoded)
        EXPECT_EQ(c, "ABA"[sequence.Next(3)]);
}

struct TInitCase {
    int32_t Given;
    int32_t Expected;
};

void PrintTo(const TInitCase& each, std::ostream* out)
{
    *out << "key " << each.Given;
}

class ChiffreInit : public ::testing::TestWithParam<TInitCase> {};

TEST_P(ChiffreInit, KeyBecomesItsMagnitudeWithinRange)
{
    TChiffre chiffre;
    chiffre.Init("", GetParam().Given);
    EXPECT_EQ(chiffre.Key(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, ChiffreInit,
                         ::testing::Values(TInitCase{0, 46021}, TInitCase{1, 1}, TInitCase{-1, 1},
                                           TInitCase{-46021, 46021}, TInitCase{2147482863, 2147482863},
                                           TInitCase{-2147482863, 2147482863}, TInitCase{2147482864, 2147482863},
                                           TInitCase{-2147482864, 2147482863},
                                           TInitCase{std::numeric_limits<int32_t>::max(), 2147482863},
                                           TInitCase{std::numeric_limits<int32_t>::min(), 2147482863}));

TEST(Chiffre, EmptyAlphabetStandsForTheDefaultOne)
{
    TChiffre chiffre;
    chiffre.Init("xyz", 7);
    EXPECT_EQ(chiffre.Alphabet(), "xyz");
    chiffre.Init("", 7);
    EXPECT_EQ(chiffre.Alphabet(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    EXPECT_EQ(TChiffre().Alphabet(), chiffre.Alphabet());
    EXPECT_EQ(TChiffre().Key(), 46021);
}

TEST(Chiffre, DecodeUndoesEncodeForEveryLength)
{
    std::mt19937 random(1500);
    TChiffre chiffre;
    for (int round = 0; round < 40; ++round) {
        const auto key = static_cast<int32_t>(random());
        chiffre.Init("", key);
        for (std::size_t length = 1; length <= 400; ++length) {
            std::string text(length, '\0');
            // Mostly alphabet characters, some of any other byte.
            for (char& c : text)
                c = random() % 4 != 0 ? TChiffre::kDefaultAlphabet[random() % 62] : static_cast<char>(random());
            const std::string encoded = chiffre.Encode(text);
            ASSERT_EQ(chiffre.Decode(encoded), text) << "key " << key << ", length " << length;
        }
    }
}

}  // namespace
