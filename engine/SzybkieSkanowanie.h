// Fast phrase search over a consistent index: the posting lists narrow the documents, the word
// image confirms adjacency in those documents only. Gives the same sets as scanning the whole
// image (memory mode) or reading candidate documents with one read each (disk mode), because
// a document is in the posting list of every word it contains. With slowo.par (ParySlow.h), a
// pair of neighbouring words narrows by the documents where the two stand together: a phrase
// of two words is then answered from the pairs' lists alone, a longer one reads only documents
// holding each of its pairs.
//
//   TSzybkieSzukanie s(magazyn);          // lists from the image, or slowo.idx and tekst.img mapped
//   if (!s.Szukanie(AnalizaFrazy(magazyn, "podatek doch*"), wynik)) ...   // the plain search instead
//
// Disk mode reads nothing whole either: the mapped lists and runs are paged in as touched, so
// a search costs no read call per candidate document, where one read per candidate would make
// a phrase of frequent words wait on a system call for most documents.
//
// Memory mode maps slowo.idx when slowo.spr vouches for it (SumyList.h), checking each list
// against its checksum the first time a search reads it; without a sound slowo.spr, or at the
// first list that disagrees, it builds the lists from the image it holds (about two passes over
// the image), so that they agree with the image by construction. Disk mode maps slowo.idx and
// tekst.img and reads only what a search touches. The store checked its tables at load; files
// whose sizes no longer match them leave Gotowe() false, and the caller keeps its own scan,
// which reports the disagreement where it meets it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "Fraza.h"
#include "ListyKrotkie.h"
#include "MagazynIndeksu.h"
#include "ParySlow.h"
#include "TablicaPliku.h"

class TcMagazynIndeksu;
class TcTablicaLogiczna;

// Disk mode: how much of the image the searches have mapped. A page a search touches stays
// mapped, and counts as the program's memory, until released; once more than the limit would be
// mapped (as much of the image as memory mode would hold) it is all released, and later
// searches map again, from the kernel's cache, what they read. Kept in the 64 kB blocks the
// kernel maps around a touched page when they are cached; a block read again is not counted
// again.
class TLimitObrazu {
public:
    void Poczatek(TTablicaPliku<uint16_t>* obraz, int64_t prog);
    // Bytes [od, do_) of the image are read now: when their blocks not yet counted would take the
    // mapped part over the limit, everything is released first.
    void Odczyt(int64_t od, int64_t do_) {
        const int64_t pierwszy = od >> kBitBloku, ostatni = (do_ - 1) >> kBitBloku;
        if (pierwszy == ostatni && Policzony(pierwszy)) return;
        int64_t nowe = 0;
        for (int64_t b = pierwszy; b <= ostatni; ++b) nowe += !Policzony(b);
        if (nowe == 0) return;
        if (zmapowane_ + (nowe << kBitBloku) > prog_) Zwolnienie();
        for (int64_t b = pierwszy; b <= ostatni; ++b)
            if (!Policzony(b)) {
                bloki_[size_t(b >> 6)] |= uint64_t(1) << (b & 63);
                zmapowane_ += int64_t(1) << kBitBloku;
            }
    }
    // As Odczyt, and the range is mapped now in one call rather than a fault at a time.
    void Zapelnienie(int64_t od, int64_t do_);
    void Zwolnienie();

private:
    static constexpr int kBitBloku = 16;
    bool Policzony(int64_t b) const { return bloki_[size_t(b >> 6)] >> (b & 63) & 1; }
    TTablicaPliku<uint16_t>* obraz_ = nullptr;
    int64_t prog_ = 0;
    int64_t zmapowane_ = 0;           // bytes, in whole blocks, since the last release
    std::vector<uint64_t> bloki_;     // bit b: block b is counted
};

// Raw read-only views of what the fast search reads.
struct TWidokIndeksu {
    const uint16_t* Obraz = nullptr;      // the whole image (in memory, or mapped)
    int64_t DlugoscObrazu = 0;            // values
    const uint8_t* Aux = nullptr;         // tekst.aux, or nullptr when the words fit 16 bits
    int64_t DlugoscAux = 0;
    const int32_t* PlikRef = nullptr;     // [0..N+1]
    int32_t N = 0;
    const int32_t* SlowoRef = nullptr;    // [0..W+1], byte offsets into the postings
    int32_t W = 0;
    const int32_t* Postingi = nullptr;    // slowo.idx as 32-bit document numbers
    int64_t LiczbaPostingow = 0;
    bool SprawdzanieRuchu = false;        // check a candidate's separator when first read (disk mode)
    bool ZapowiadanieList = false;        // the lists are a mapped file: announce each run before reading it
    const uint32_t* SumyList = nullptr;   // memory mode reading slowo.idx: each list's checksum, [0..W]
    TParySlow* Pary = nullptr;            // slowo.par, when it is there and made for this index
    const TPlikOdczytu* PlikList = nullptr;   // slowo.idx for reads into memory, when the lists are mapped from it
    const TListyKrotkie* Krotkie = nullptr;   // slowo.krt with PlikList, when it is there and made for this index
    TLimitObrazu* Limit = nullptr;        // disk mode: the mapped image's pages kept within a limit
};

// A list of slowo.idx that disagrees with its checksum in slowo.spr (memory mode).
class EListaNiezgodna : public std::runtime_error {
public:
    explicit EListaNiezgodna(int32_t slowo) : std::runtime_error("list disagrees with its checksum"), Slowo(slowo) {}
    int32_t Slowo;
};

// Scratch kept between searches, so that a search allocates nothing.
struct TRoboczeSzukania {
    std::vector<uint8_t> Poziomy;       // per document: lists it was found in so far; zero between searches
    std::vector<int32_t> Kandydaci;
    // Disk mode: bit d is set once document d's run was seen to end in its separator. Each
    // run is checked the first time a search reads it; the check reads the run's last cache
    // line, a memory access of its own that a search repeating it would wait on for every
    // candidate.
    std::vector<uint64_t> Sprawdzone;
    // With SumyList: bit w is set once word w's list was seen to match its checksum.
    std::vector<uint64_t> ListySprawdzone;
    std::vector<int32_t> Lista;         // with PlikList: a single word's short lists as read from slowo.idx
    // After a search: when it set only the documents of one short list, that list (in Lista or
    // in slowo.krt's copy), else nullptr.
    const int32_t* Ustawione = nullptr;
    size_t LiczbaUstawionych = 0;
};

// Documents holding the phrase get wynik[d] = 1 (wynik has N + 1 entries; nothing is
// cleared). The view must have passed TSzybkieSzukanie's checks. False, with nothing set, only
// for a phrase of no word or more than 16 words. A document number outside 1..N in the lists,
// or (disk mode) a candidate's run not ending in its separator, raises ECorruptIndex; a list
// that disagrees with its checksum raises EListaNiezgodna before anything is set, a damaged
// part of slowo.par EParyUszkodzone, also before.
bool SzukanieFrazyWIndeksie(const TWidokIndeksu& v, const TFraza& fraza, uint8_t* wynik, TRoboczeSzukania& roboczy);

class TSzybkieSzukanie {
public:
    explicit TSzybkieSzukanie(const TcMagazynIndeksu& m);
    bool Gotowe() const { return gotowe_; }
    // Sets the documents holding the phrase in `wynik`, which the caller has cleared. False,
    // with nothing set, when the caller's own search must run (the store failed the checks,
    // see Gotowe(), or the phrase has no word).
    bool Szukanie(const TFraza& fraza, TcTablicaLogiczna& wynik);
    const TWidokIndeksu& Widok() const { return v_; }
    // Memory mode: are the lists read from slowo.idx (checked against slowo.spr) rather than
    // built from the image?
    bool ListyZPliku() const { return v_.SumyList != nullptr; }
    // Are phrases searched through slowo.par?
    bool ZParami() const { return v_.Pary != nullptr; }

private:
    bool Wpisanie(const TFraza& fraza, TcTablicaLogiczna& wynik);
    bool ListyZeSlowoIdx(const TcMagazynIndeksu& m);
    void OtwarciePar();
    void OtwarcieKrotkich(const TcMagazynIndeksu& m);
    bool PrzejscieNaListyZObrazu();
    bool Struktura() const;
    bool Listy() const;
    bool ListyZObrazu();
    TWidokIndeksu v_;
    TTablicaPliku<int32_t> idx_;    // slowo.idx, mapped for reads in announced runs
    TTablicaPliku<uint16_t> img_;   // tekst.img, disk mode
    TLimitObrazu limit_;            // disk mode: img_'s pages kept within the loading threshold
    TPlikOdczytu plikIdx_;          // memory mode: slowo.idx for lists read into memory (disk mode has the store's)
    TListyKrotkie krotkie_;
    TParySlow pary_;
    const TcMagazynIndeksu* magazyn_ = nullptr;
    bool paryOtwarte_ = false;   // slowo.par is opened by the first search of two words or more
    std::vector<int32_t> slowoRef_;    // memory mode: [0..W+1], built with the lists
    size_t liczbaRef_ = 0;             // entries of the offsets in use (slowoRef_ or the store's)
    std::vector<int32_t> postingi_;    // memory mode: the lists built from the image
    TRoboczeSzukania roboczy_;
    bool gotowe_ = false;
};
