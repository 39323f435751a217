#include "records/HighscoreTable.h"

#include <algorithm>
#include <charconv>

#include "records/Chiffre.h"

THighscoreTable::THighscoreTable()
{
    Clear();
}

void THighscoreTable::Clear()
{
    Names.fill(std::string(kBlankName));
    Scores.fill(0);
}

void THighscoreTable::ReadRow(int32_t row, const std::string& stored, const TChiffre& chiffre)
{
    const std::string text = chiffre.Decode(stored);
    const auto comma = text.find(',');
    if (comma != std::string::npos) {
        const char* const scoreEnd = text.data() + comma;
        int32_t score = 0;
        const auto [parsedEnd, error] = std::from_chars(text.data(), scoreEnd, score);
        if (error == std::errc{} && parsedEnd == scoreEnd) {
            Names[row] = text.substr(comma + 1);
            Scores[row] = score;
            return;
        }
    }
    Names[row] = kBlankName;
    Scores[row] = 0;
}

std::string THighscoreTable::StoredRow(int32_t row, const TChiffre& chiffre) const
{
    return chiffre.Encode(std::to_string(Scores[row]) + "," + Names[row]);
}

int32_t THighscoreTable::Insert(int32_t score, const std::string& name)
{
    const auto lower = std::find_if(Scores.begin(), Scores.end(), [score](int32_t s) { return s < score; });
    if (lower == Scores.end())
        return -1;
    const auto row = static_cast<int32_t>(lower - Scores.begin());
    std::shift_right(Scores.begin() + row, Scores.end(), 1);
    std::shift_right(Names.begin() + row, Names.end(), 1);
    Scores[row] = score;
    Names[row] = name;
    return row;
}
