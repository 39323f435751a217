#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The number sequence behind the cipher's shifts. A key starts it at
// x = |k / π|; each position then takes its shift from the fraction of x and
// moves on to x = frac(x) × 997 + π. Every step rounds exactly as the x87
// extended format does (see ExtendedReal.h), so stored rows read back on any
// build.
class TShiftSequence {
public:
    explicit TShiftSequence(int32_t k);

    // The shift of the next position for an alphabet of n characters,
    // truncate(n × frac(x)), 0 <= shift < n; x then moves on. The shift
    // depends only on k, n and the position.
    uint64_t Next(uint64_t n);

    // x before the next position: |k / π| at first, then frac(x) × 997 + π.
    double X() const { return x_; }

private:
    double x_;
};

// The text cipher of the stored highscore rows: a substitution over an
// alphabet in which every character position gets its own shift from
// TShiftSequence. Characters outside the alphabet keep their places (and
// still use up their shift), so a text keeps its length, its blanks and its
// punctuation. Decode undoes Encode whenever no character occurs twice in
// the alphabet, as in the default one.
class TChiffre {
public:
    static constexpr std::string_view kDefaultAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static constexpr int32_t kDefaultKey = 46021;
    static constexpr int32_t kLargestKey = 2147482863;  // 784 below INT32_MAX

    // Set up with the default alphabet and key, as Init("", 0).
    TChiffre();

    // An empty alphabet stands for the default one. The key becomes its
    // magnitude: 0 becomes kDefaultKey, anything above kLargestKey (the most
    // negative key included) becomes kLargestKey. Nothing else changes.
    void Init(const std::string& alphabet, int32_t key);

    // Texts of 8-bit characters; the result has the same length.
    std::string Encode(const std::string& text) const;
    std::string Decode(const std::string& text) const;

    // Never empty; 1 <= Key() <= kLargestKey.
    const std::string& Alphabet() const { return alphabet_; }
    int32_t Key() const { return key_; }

private:
    // Shifts forward through the alphabet for k > 0, back for k < 0.
    std::string Transform(const std::string& text, int32_t k) const;

    std::string alphabet_;
    int32_t key_ = kDefaultKey;
};
