// slowo.krt, a file of our own beside the index: the posting lists of the words with few
// documents, all together, read whole when the store opens. A search for a rare word then reads
// nothing from disk, even the first after a cold start, where slowo.idx would cost a read of its
// own for every such word. The corpus builder writes it; a data directory without it searches
// as before, only a rare word's first search waits for the disk; a file made for another index
// is noted on standard error and ignored, and so is a damaged one.
//
// All integers little-endian:
//
//   header, 64 bytes: "BELVKRT1", uint32 N, uint32 W, uint32 K (a list is kept when it has at
//            most K documents), uint32 0, uint64 P (the documents kept), uint64 mSkrot64 of
//            plik.ref's offsets [1..N+1], the same of slowo.ref's [1..W+1], uint64 mSkrot64 of
//            everything after the header, uint64 mSkrot64 of the header's first 56 bytes
//   uint32   [0..W+1]: word w's documents are [Od[w], Od[w + 1]) of the lists; Od[0] = Od[1] = 0;
//            a word of more than K documents has none here
//   int32    [P]: the lists, word after word, each ascending
//
// The file is checked whole at opening: both hashes, every word kept exactly when its list in
// slowo.ref has at most K documents, every list ascending within 1..N, and in memory mode every
// list against its checksum in slowo.spr. Disk mode, which does not read slowo.idx at opening,
// knows the file is its index's by the hashes of plik.ref and slowo.ref, as slowo.par does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "TablicaPliku.h"

inline constexpr const char* PlikListKrotkich = "slowo.krt";

// The bytes of slowo.krt for the lists of slowo.idx (`postingi`, with `slowoRef` [0..W+1] its
// byte offsets) and the documents' offsets `plikRef` [0..N+1]. K is the largest number up to 64
// that keeps at most about a million documents in the file.
std::string ZapisListKrotkich(const int32_t* postingi, const int32_t* slowoRef, const int32_t* plikRef, int32_t N,
                              int32_t W);

class TListyKrotkie {
public:
    TListyKrotkie() = default;
    TListyKrotkie(const TListyKrotkie&) = delete;   // the views point into its own copy
    TListyKrotkie& operator=(const TListyKrotkie&) = delete;
    // False when there is no file, `powod` empty; false with the reason (English, for standard
    // error) when it is damaged or made for another index. `sumy` [0..W]: the lists' checksums
    // from slowo.spr (memory mode), or nullptr.
    bool Otwarcie(const std::string& plik, const int32_t* plikRef, const int32_t* slowoRef, int32_t N, int32_t W,
                  const uint32_t* sumy, std::string& powod);
    // The documents of words a..b (1 <= a <= b <= W), `dlugosc` of them in slowo.idx, when the
    // file keeps every one of those lists; nullptr otherwise.
    const int32_t* Listy(int32_t a, int32_t b, int64_t dlugosc) const {
        if (!od_ || int64_t(od_[b + 1]) - od_[a] != dlugosc) return nullptr;
        return listy_ + od_[a];
    }

private:
    TTablicaPliku<uint8_t> plik_;   // mapped while it is opened
    std::vector<uint32_t> kopia_;   // the whole file, once its size is right
    const uint32_t* od_ = nullptr;
    const int32_t* listy_ = nullptr;
};
