#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class TChiffre;

// The ten best scores with their players' names, best (row 0) first. Only
// Insert keeps the order: a new score goes below every row with an equal or
// higher score. The store holds each row enciphered as "score,name"; this
// class turns rows into that text and back and leaves reading and writing
// the store to its caller.
class THighscoreTable {
public:
    static constexpr int32_t kRowCount = 10;
    static constexpr std::string_view kBlankName = "Tindrel";

    // Ten blank rows.
    THighscoreTable();

    // Names may be empty and may hold commas.
    std::array<std::string, kRowCount> Names;
    std::array<int32_t, kRowCount> Scores;

    // Every row becomes blank: kBlankName with score 0.
    void Clear();

    // Sets row `row` (0..9) from its stored text. The deciphered text is the
    // score in decimal, a comma and the name, which is everything after the
    // first comma. An empty text reads as a blank row, and so does one
    // without a comma or without a decimal 32-bit integer before it (a value
    // damaged or edited by hand).
    void ReadRow(int32_t row, const std::string& stored, const TChiffre& chiffre);

    // The stored text of row `row` (0..9), which ReadRow reads back whole.
    std::string StoredRow(int32_t row, const TChiffre& chiffre) const;

    // Offers a score. It enters at the first row whose score is strictly
    // lower; the rows from there down move one place down, the last one drops
    // out, and the row becomes (name, score). Returns that row, or -1 with the
    // table unchanged when no row is lower.
    int32_t Insert(int32_t score, const std::string& name);
};
