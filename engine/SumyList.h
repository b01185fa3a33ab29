// slowo.spr, a file of our own beside the index: a checksum of each posting list of slowo.idx
// and a hash of the image those lists were made from. With it, memory mode takes its lists from
// the mapped slowo.idx instead of building them from the image at the first search, and still
// knows they agree with the image it holds. The corpus builder writes it; a data directory
// without it works the same, only the first search builds the lists; a damaged or foreign one
// is noted on standard error and ignored. All integers little-endian:
//
//   8 bytes   "BELVSPR1"
//   uint32    N, the documents
//   uint32    W, the words
//   uint64    size of tekst.img in bytes
//   uint64    mSkrot64 of tekst.img
//   uint64    size of slowo.idx in bytes
//   uint32    W times: SumaListy of word w's list, w = 1..W
//   uint64    mSkrot64 of everything before
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* PlikSumList = "slowo.spr";

// The checksum of one list of document numbers.
uint32_t SumaListy(const int32_t* numery, size_t ile);

struct TSumyList {
    int32_t N = 0, W = 0;
    int64_t BajtyObrazu = 0;
    uint64_t SkrotObrazu = 0;
    int64_t BajtyList = 0;
    std::vector<uint32_t> Sumy;   // [0..W], slot 0 unused
};

std::string ZapisSumList(const TSumyList& s);
// False, with the reason in `powod` (English, for standard error), when the bytes are not a
// whole, undamaged file of this kind.
bool OdczytSumList(const std::string& bajty, TSumyList& s, std::string& powod);
