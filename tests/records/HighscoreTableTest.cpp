#include <array>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "records/Chiffre.h"
#include "records/HighscoreTable.h"

namespace {

using TScores = std::array<int32_t, THighscoreTable::kRowCount>;
using TNames = std::array<std::string, THighscoreTable::kRowCount>;

const TNames kNames{"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9"};

THighscoreTable TableOf(const TScores& scores)
{
    THighscoreTable table;
    table.Scores = scores;
    table.Names = kNames;
    return table;
}

void ExpectBlank(const THighscoreTable& table)
{
    for (int32_t row = 0; row < THighscoreTable::kRowCount; ++row) {
        EXPECT_EQ(table.Names[row], "Tindrel") << "row " << row;
        EXPECT_EQ(table.Scores[row], 0) << "row " << row;
    }
}

TEST(HighscoreTable, NewTableHoldsTenBlankRows)
{
    ExpectBlank(THighscoreTable());
}

TEST(HighscoreTable, ClearMakesEveryRowBlank)
{
    THighscoreTable table = TableOf({9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
    table.Clear();
    ExpectBlank(table);
}

struct TInsertCase {
    const char* What;
    TScores Before;
    int32_t Offered;
    int32_t Row;
    TScores After;
    TNames NamesAfter;
};

void PrintTo(const TInsertCase& each, std::ostream* out)
{
    *out << each.What;
}

class HighscoreInsert : public ::testing::TestWithParam<TInsertCase> {};

TEST_P(HighscoreInsert, ScoreGoesBelowEveryEqualOrHigherRow)
{
    const TInsertCase& c = GetParam();
    THighscoreTable table = TableOf(c.Before);
    EXPECT_EQ(table.Insert(c.Offered, "new"), c.Row) << c.What;
    EXPECT_EQ(table.Scores, c.After) << c.What;
    EXPECT_EQ(table.Names, c.NamesAfter) << c.What;
}

const TScores kDescending{100, 90, 80, 70, 60, 50, 40, 30, 20, 10};

INSTANTIATE_TEST_SUITE_P(Cases, HighscoreInsert,
                         ::testing::Values(TInsertCase{"equal to row 9", kDescending, 10, -1, kDescending, kNames},
                                           TInsertCase{"one above row 9, below row 8",
                                                       kDescending,
                                                       11,
                                                       9,
                                                       {100, 90, 80, 70, 60, 50, 40, 30, 20, 11},
                                                       {"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "new"}},
                                           TInsertCase{"0 into a table of zeros", {}, 0, -1, {}, kNames},
                                           TInsertCase{"0 into scores of 0 or more",
                                                       {7, 5, 3, 0, 0, 0, 0, 0, 0, 0},
                                                       0,
                                                       -1,
                                                       {7, 5, 3, 0, 0, 0, 0, 0, 0, 0},
                                                       kNames},
                                           TInsertCase{"new best",
                                                       kDescending,
                                                       101,
                                                       0,
                                                       {101, 100, 90, 80, 70, 60, 50, 40, 30, 20},
                                                       {"new", "r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8"}},
                                           TInsertCase{"equal to rows 2 to 4",
                                                       {90, 80, 50, 50, 50, 40, 30, 20, 10, 0},
                                                       50,
                                                       5,
                                                       {90, 80, 50, 50, 50, 50, 40, 30, 20, 10},
                                                       {"r0", "r1", "r2", "r3", "r4", "new", "r5", "r6", "r7", "r8"}},
                                           TInsertCase{"above a negative row 9",
                                                       {5, 4, 3, 2, 1, 0, 0, 0, 0, -3},
                                                       0,
                                                       9,
                                                       {5, 4, 3, 2, 1, 0, 0, 0, 0, 0},
                                                       {"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "new"}}));

TEST(HighscoreTable, StoredRowIsTheEncipheredScoreCommaAndName)
{
    const TChiffre chiffre;
    THighscoreTable table;
    table.Insert(1500, "Mr. Brain");
    EXPECT_EQ(table.StoredRow(0, chiffre), "xfCJ,31. CpM7B");
    EXPECT_EQ(chiffre.Decode(table.StoredRow(1, chiffre)), "0,Tindrel");
}

struct TRowCase {
    int32_t Score;
    std::string Name;
};

void PrintTo(const TRowCase& each, std::ostream* out)
{
    *out << each.Score << ",\"" << each.Name << '"';
}

class HighscoreRoundTrip : public ::testing::TestWithParam<TRowCase> {};

TEST_P(HighscoreRoundTrip, StoredRowReadsBackWhole)
{
    const TChiffre chiffre;
    THighscoreTable written;
    written.Scores[3] = GetParam().Score;
    written.Names[3] = GetParam().Name;
    THighscoreTable read = TableOf({});
    read.ReadRow(3, written.StoredRow(3, chiffre), chiffre);
    EXPECT_EQ(read.Scores[3], GetParam().Score);
    EXPECT_EQ(read.Names[3], GetParam().Name);
}

INSTANTIATE_TEST_SUITE_P(Rows, HighscoreRoundTrip,
                         ::testing::Values(TRowCase{1500, "Brain, Mr."}, TRowCase{1500, ""}, TRowCase{42, ",,"},
                                           TRowCase{7, "J\xF6rg \xE4\xDF"}, TRowCase{-25, "below zero"},
                                           TRowCase{std::numeric_limits<int32_t>::max(), "top"},
                                           TRowCase{std::numeric_limits<int32_t>::min(), "bottom"}));

class HighscoreDamagedRow : public ::testing::TestWithParam<std::string> {};

TEST_P(HighscoreDamagedRow, ReadsAsBlank)
{
    const TChiffre chiffre;
    THighscoreTable table = TableOf(kDescending);
    table.ReadRow(4, chiffre.Encode(GetParam()), chiffre);
    EXPECT_EQ(table.Names[4], "Tindrel");
    EXPECT_EQ(table.Scores[4], 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, HighscoreDamagedRow,
                         ::testing::Values("", "1500", "1500 Mr. Brain", ",Mr. Brain", "Mr. Brain,1500",
                                           "15x0,Mr. Brain", " 1500,Mr. Brain", "1500 ,Mr. Brain",
                                           "2147483648,Mr. Brain", "-2147483649,Mr. Brain", "1.5,Mr. Brain",
                                           "-,Mr. Brain"));

TEST(HighscoreTable, RandomBytesWithoutACommaBeforeTheScoreReadAsBlank)
{
    // The cipher never makes or moves a comma, and a byte outside the
    // alphabet stays as it is, so these can never decipher to a valid row.
    const TChiffre chiffre;
    std::mt19937 random(99);
    for (int i = 0; i < 2000; ++i) {
        std::string stored(1 + random() % 40, '\0');
        for (char& c : stored) {
            do
                c = static_cast<char>(random());
            while (c == ',');
        }
        if (i % 2 == 0)
            stored = "\xE4" + stored + "," + stored;  // a non-digit before the first comma
        THighscoreTable table = TableOf(kDescending);
        table.ReadRow(9, stored, chiffre);
        EXPECT_EQ(table.Names[9], "Tindrel") << "sample " << i;
        EXPECT_EQ(table.Scores[9], 0) << "sample " << i;
    }
}

}  // namespace
