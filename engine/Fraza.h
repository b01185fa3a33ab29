// A phrase as the scans see it: each of its words (at most 16) is the range of word numbers it
// stands for, one word or, for a prefix ("podat*"), every word of the list that begins with it
// (the list keeps them together). Searching all forms of words, a word stands for the words of
// its families, which need not lie together: its range is then the span from the first to the
// last of them and a bit per word of the span says which belong. Every scan, with posting lists
// or without, tests a word of the image with Zawiera, so that they all agree on what a word
// holds; a test of the span alone may only narrow places before Zawiera decides.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

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
    // Entries 1..LiczbaSlow: empty for a whole range; else bit i says whether word Od + i of
    // the span belongs (all forms of a word).
    std::array<std::vector<uint64_t>, kMaksSlowFrazy + 1> Wybrane{};

    // Does word number w stand for word k (1-based)? Below Od the unsigned difference wraps
    // above any span.
    bool Zawiera(int32_t k, uint32_t w) const {
        const TZakres& z = Zakresy[std::size_t(k)];
        const uint32_t i = w - uint32_t(z.Od);
        if (i > z.Rozpietosc) return false;
        const std::vector<uint64_t>& b = Wybrane[std::size_t(k)];
        return b.empty() || (b[i >> 6] >> (i & 63) & 1);
    }

    // Calls f(od, do_) for each run of consecutive word numbers word k stands for, in order:
    // the whole range, or the runs of its chosen words.
    template <class F>
    void Odcinki(int32_t k, F&& f) const {
        const TZakres& z = Zakresy[std::size_t(k)];
        const std::vector<uint64_t>& b = Wybrane[std::size_t(k)];
        if (b.empty()) {
            f(z.Od, z.Do());
            return;
        }
        int32_t poczatek = -1;
        for (uint32_t i = 0; i <= z.Rozpietosc; ++i) {
            const bool jest = b[i >> 6] >> (i & 63) & 1;
            if (jest && poczatek < 0) poczatek = z.Od + int32_t(i);
            if (!jest && poczatek >= 0) {
                f(poczatek, z.Od + int32_t(i) - 1);
                poczatek = -1;
            }
        }
        if (poczatek >= 0) f(poczatek, z.Do());
    }
};
