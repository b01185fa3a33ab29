// A phrase as the scans see it: each of its words (at most 16) is the range of word numbers it
// stands for, one word or, for a prefix ("podat*"), every word of the list that begins with it
// (the list keeps them together). Every scan, with posting lists or without, tests a word of
// the image against a range with Zawiera, so that they all agree on what a range holds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr int32_t kMaksSlowFrazy = 16;

// Word numbers Od..Od + Rozpietosc. The span is kept rather than the upper bound because the
// scans test it far more often than anything reads the bound.
struct TZakres {
    int32_t Od = 0;
    uint32_t Rozpietosc = 0;
    int32_t Do() const { return Od + int32_t(Rozpietosc); }
};

struct TFraza {
    // Words of the phrase; -1 when it matches nothing (a word absent from the list, or the
    // phrase refused for its length).
    int32_t LiczbaSlow = 0;
    // More than kMaksSlowFrazy words: refused (LiczbaSlow is -1), the user's error.
    bool ZaDluga = false;
    // Entries 1..LiczbaSlow. A range is never empty: a prefix that has no word of the list
    // between its bounds is kept as a range no word number reaches.
    std::array<TZakres, kMaksSlowFrazy + 1> Zakresy{};

    // Does word number w stand in the range of word k (1-based)? Below Od the unsigned
    // difference wraps above any span.
    bool Zawiera(int32_t k, uint32_t w) const {
        const TZakres& z = Zakresy[std::size_t(k)];
        return w - uint32_t(z.Od) <= z.Rozpietosc;
    }
};
