#include "records/Chiffre.h"

#include <cmath>
#include <cstdlib>

#include "records/ExtendedReal.h"

TShiftSequence::TShiftSequence(int32_t k) : x_(ExtendedReal::QuotientByPi(k)) {}

uint64_t TShiftSequence::Next(uint64_t n)
{
    const double fraction = x_ - std::trunc(x_);  // exact
    x_ = ExtendedReal::TimesPrimePlusPi(fraction);
    return ExtendedReal::TruncatedProduct(n, fraction);
}

TChiffre::TChiffre()
{
    Init("", 0);
}

void TChiffre::Init(const std::string& alphabet, int32_t key)
{
    alphabet_ = alphabet.empty() ? std::string(kDefaultAlphabet) : alphabet;
    const int64_t magnitude = std::abs(static_cast<int64_t>(key));
    if (magnitude == 0)
        key_ = kDefaultKey;
    else if (magnitude > kLargestKey)
        key_ = kLargestKey;
    else
        key_ = static_cast<int32_t>(magnitude);
}

std::string TChiffre::Encode(const std::string& text) const
{
    return Transform(text, key_);
}

std::string TChiffre::Decode(const std::string& text) const
{
    return Transform(text, -key_);
}

std::string TChiffre::Transform(const std::string& text, int32_t k) const
{
    std::string result = text;
    const uint64_t n = alphabet_.size();
    TShiftSequence sequence(k);
    for (char& c : result) {
        const uint64_t shift = sequence.Next(n);
        const auto index = alphabet_.find(c);
        if (index == std::string::npos)
            continue;
        c = alphabet_[k < 0 ? (index + n - shift) % n : (index + shift) % n];
    }
    return result;
}
