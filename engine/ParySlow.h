// slowo.par, a file of our own beside the index: for every pair of words that stand next to each
// other somewhere in the image, the documents where they do. A two-word phrase is then the union
// of its pairs' lists, with no document read, and a longer phrase reads only the documents in
// every one of its pairs' lists. The corpus builder writes it; a data directory without it
// searches as before, only a phrase of frequent words reads more of the image; a file made for
// another index is noted on standard error and ignored, and so is a damaged one, when its
// opening or a search first reading the damaged part finds it.
//
// All integers little-endian; every section starts at a multiple of 8 bytes:
//
//   header, 72 bytes: "BELVPAR1", uint32 N, uint32 W, uint64 P (the pairs), uint64 size of
//            tekst.img in bytes, uint64 mSkrot64 of tekst.img, uint64 mSkrot64 of plik.ref's
//            offsets [1..N+1], the same of slowo.ref's [1..W+1], uint64 size of the lists'
//            area, uint64 hash (below)
//   uint64   [0..W+1]: the pairs whose first word is w are [Od[w], Od[w + 1]); Od[0] = Od[1] = 0
//   uint64   [0..W]: each first word's block hash (over its two entries of Od, its Drugie, Df,
//            Sumy and Przes)
//   uint32   [P]: Drugie, the second word of each pair, ascending within a block
//   uint32   [P]: Df, the documents of each pair
//   uint32   [P]: Sumy, a checksum of each pair's list
//   uint64   [P+1]: Przes, each pair's list as a byte offset into the lists' area
//   the lists' area: a pair's documents ascending as uint32 (padded to 8 bytes), or, where
//            that would take more room, a bitmap of N + 1 bits in uint64 words (bit d: document d)
//
// The header's hash covers its first 64 bytes, checked at opening; a first word's block, with
// its entries of Od, is checked the first time a search reads it, a list likewise, so that a
// search reads only the pages it needs, even the first after a cold start. Memory mode
// knows the file is its image's by the image's hash; disk mode, which does not read the image
// at opening, by the hashes of plik.ref and slowo.ref (each document's length and each word's
// count of documents), as it trusts slowo.idx.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "TablicaPliku.h"

inline constexpr const char* PlikParSlow = "slowo.par";

// The words of the image, as the builder and the store hold them.
struct TObrazSlow {
    const uint16_t* Obraz = nullptr;   // low 16 bits of each value
    const uint8_t* Aux = nullptr;      // two high bits per value, or nullptr
    int64_t Dlugosc = 0;               // values
    const int32_t* PlikRef = nullptr;  // [0..N+1], byte offsets of each document's run
    const int32_t* SlowoRef = nullptr; // [0..W+1], byte offsets of each word's list; or nullptr
    int32_t N = 0, W = 0;
    uint32_t Slowo(int64_t p) const {
        uint32_t w = Obraz[p];
        if (Aux) w |= uint32_t((Aux[p >> 2] >> (2 * (p & 3))) & 3) << 16;
        return w;
    }
};

// How a pair's list of df documents out of N is kept: as a bitmap of N + 1 bits when the
// numbers would take more room; and its bytes in the file.
inline size_t SlowaMapyPar(int32_t N) { return size_t(N) / 64 + 1; }
inline bool ListaParyJakoMapa(uint32_t df, int32_t N) { return 4 * uint64_t(df) > 8 * SlowaMapyPar(N); }
inline uint64_t BajtyListyPary(uint32_t df, int32_t N) {
    return ListaParyJakoMapa(df, N) ? 8 * SlowaMapyPar(N) : (4 * uint64_t(df) + 7) / 8 * 8;
}

// The hash of offsets [1..ile] of plik.ref or slowo.ref, which binds slowo.par to its index.
uint64_t SkrotPrzesuniec(const int32_t* ref, int32_t ile);

// Maps an optional file of our own and copies its header, `bajty` long, which starts with the
// 8 bytes of `znak`. False with `powod` empty when there is no file; false with the reason
// (English, for standard error) when it cannot be read or is no `rodzaj`, the mapping then
// released.
bool OtwarciePlikuWlasnego(TTablicaPliku<uint8_t>& plik, const std::string& sciezka, TOdczytTablicy odczyt,
                           const char* znak, void* naglowek, size_t bajty, const char* rodzaj, std::string& powod);

// The bytes of slowo.par for the image (whose runs the store has checked: every value of a
// run in 1..W, each run ended by its separator).
std::string ZapisParSlow(const TObrazSlow& obraz, uint64_t skrotObrazu);

// A part of slowo.par that disagrees with its hash or its own structure, found by a search.
class EParyUszkodzone : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TParySlow {
public:
    // Maps slowo.par and checks that it was made for this index: N, W, the image's size, the
    // plik.ref hash, the slowo.ref hash when the store holds slowo.ref, and, when given (not
    // 0), the image's hash. False with `powod` empty when
    // there is no file; with the reason (English, for standard error) when it is not usable.
    bool Otwarcie(const std::string& plik, const TObrazSlow& obraz, uint64_t skrotObrazu, std::string& powod);

    // Pairs of first word w1 (1..W), checked at the first call for w1: [Od(w1), Od(w1 + 1)).
    void SprawdzenieBloku(int32_t w1);
    int64_t Od(int32_t w1) const { return int64_t(od_[w1]); }
    uint32_t Drugie(int64_t p) const { return drugie_[p]; }
    uint32_t Df(int64_t p) const { return df_[p]; }
    // The first pair of w1's block at or after second word w2 (the block checked).
    int64_t Szukaj(int32_t w1, uint32_t w2) const;

    // Pair p's list, checked at the first call for p (its block checked first).
    void SprawdzenieListy(int64_t p);
    bool Mapa(int64_t p) const { return ListaParyJakoMapa(df_[p], N_); }
    const uint8_t* Lista(int64_t p) const { return dane_ + przes_[p]; }
    size_t BajtyListy(int64_t p) const { return size_t(przes_[p + 1] - przes_[p]); }

    // Calls f(d) for each document of pair p (checked).
    template <class F>
    void Dokumenty(int64_t p, F&& f) const {
        if (Mapa(p)) {
            const uint64_t* m = reinterpret_cast<const uint64_t*>(Lista(p));
            const size_t slowa = SlowaMapyPar(N_);
            for (size_t i = 0; i < slowa; ++i)
                for (uint64_t x = m[i]; x != 0; x &= x - 1) f(int32_t(i * 64 + size_t(__builtin_ctzll(x))));
            return;
        }
        const uint32_t* l = reinterpret_cast<const uint32_t*>(Lista(p));
        for (uint32_t i = 0, ile = df_[p]; i < ile; ++i) f(int32_t(l[i]));
    }

private:
    TTablicaPliku<uint8_t> plik_;
    int32_t N_ = 0, W_ = 0;
    uint64_t P_ = 0, bajtyDanych_ = 0;
    const uint64_t* od_ = nullptr;
    const uint64_t* sumyBlokow_ = nullptr;
    const uint32_t* drugie_ = nullptr;
    const uint32_t* df_ = nullptr;
    const uint32_t* sumy_ = nullptr;
    const uint64_t* przes_ = nullptr;
    const uint8_t* dane_ = nullptr;
    std::vector<uint64_t> bloki_;   // bit w1: block checked
    std::vector<uint64_t> listy_;   // bit p: list checked
};
