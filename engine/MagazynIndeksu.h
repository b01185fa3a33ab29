// The index store: the read-only view of a data directory that every search reads.
//
// One TcMagazynIndeksu is loaded by the loading TcZapytanie and shared (std::shared_ptr)
// with its counting copy. Files, byte by byte (all integers little-endian):
//
//   plik.dat     name list: entries of [length byte L][L bytes of text]; one per document,
//                ascending byte order ("0050000.htm"). Only the kind boundaries are taken from it.
//   plik.ref     int32[N+1]: entry d = byte offset in tekst.img of document d's first word;
//                entry N+1 = size of tekst.img. Held from 1 (slot 0 = 0).
//   slowo.dat    name list of the W words, upper case, sorted by the look-up comparison
//                (bytes, ASCII a-z folded to upper). Held from 1; slot W+1 = "\377\377\377".
//   tekst.img    uint16 per word: each document's word numbers then one 0 separator.
//   tekst.aux    only when W+1 > 65535: byte i = high 2 bits of image positions 4i..4i+3,
//                lowest bits first.
//   slowo.ref    int32[W+1]: entry w = byte offset of word w's posting list in slowo.idx;
//                entry W+1 = size of slowo.idx. Held from 1. Disk mode, and memory mode with slowo.spr.
//   slowo.idx    posting lists: int32 document numbers, lists in word order. Read as slowo.ref.
//   slowo.spr    optional, ours: the lists' checksums and the image's hash (SumyList.h).
//   slowo.par    optional, ours: the documents of each pair of neighbouring words (ParySlow.h).
//   slowo.krt    optional, ours: the lists of the words with few documents, together (ListyKrotkie.h).
//   scalony.xtm  document records (scrambled); kept open.
//   scalony.ref  int32[N+1]: record d = bytes [entry d, entry d+1) of scalony.xtm. Held from 1.
//   przepisy.mix, izby.mix  int32 groups: number, document numbers..., 0. Held from 0.
//   STEM.dtf     name list of an act's fragments ("|"-separated phrase candidates), at most 65535.
//   STEM.itf     int32 ascending fragment start positions; held from 1, slot 0 = 0.
//
// Every count, offset and length is checked at load: a damaged directory raises
// ECorruptIndex with a Polish message naming the file, never an out-of-bounds read.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Bledy.h"
#include "TablicaPliku.h"
#include "TablicaLogiczna.h"

// A file that could not be opened at load (tekst.img, slowo.idx, scalony.xtm): the window shows
// Ostrzezenie(Tytul, Tekst) and abandons start-up without a further message.
class EBladOtwarcia : public EInOutError {
public:
    EBladOtwarcia(std::string tytul, std::string tekst)
        : EInOutError(tekst), Tytul(std::move(tytul)), Tekst(std::move(tekst)) {}
    std::string Tytul;  // "Błąd otwarcia pliku"
    std::string Tekst;  // "Błąd otwarcia pliku tekst.img."
};

// Raises ECorruptIndex with "Uszkodzony indeks: plik '<plik>' <opis>.": the one wording of a
// damaged data file, wherever the damage is found (at load, or when a search reads the file).
[[noreturn]] void ZgloszenieUszkodzenia(const std::string& plik, const std::string& opis);

struct TOpcjeLadowania {
    std::string Katalog;                 // data directory; empty = the current folder
    int64_t ProgPamieci = 20000000;      // images larger than this many bytes stay on disk
    bool WymusDysk = false;              // disk mode whatever the image size
};

// A file kept open for independent positioned reads (pread): reads never disturb each other.
class TPlikOdczytu {
public:
    TPlikOdczytu() = default;
    ~TPlikOdczytu();
    TPlikOdczytu(const TPlikOdczytu&) = delete;
    TPlikOdczytu& operator=(const TPlikOdczytu&) = delete;
    bool Otworz(const std::string& path);   // false when it cannot be opened
    void Zamknij();
    // Asks the kernel to start reading the whole file into its cache now, without waiting.
    void Zapowiedz() const;
    bool Otwarty() const { return fd_ >= 0; }
    int64_t Rozmiar() const { return size_; }
    // Reads exactly `count` bytes at `offset`; EInOutError when the file is shorter or unreadable.
    void Czytaj(int64_t offset, void* buffer, size_t count) const;
private:
    int fd_ = -1;
    int64_t size_ = 0;
    std::string path_;
};

class TcMagazynIndeksu {
public:
    // Loads the whole store (plik.dat .. izby.mix, in the documented order).
    // Throws EInOutError ("Błąd odczytu pliku 'x'."), ECorruptIndex or EBladOtwarcia.
    explicit TcMagazynIndeksu(const TOpcjeLadowania& opcje = {});

    // Document list.
    int32_t N = 0;                        // number of documents
    TTablicaPliku<int32_t> PlikRef;       // [0..N+1]
    int32_t PoczatekPism = 0, PoczatekTez = 0, KoniecTez = 0;

    // Word list: Slowa[1..W], Slowa[W+1] = sentinel.
    std::vector<std::string> Slowa;
    int32_t W = 0;
    std::string Znaki;                    // punctuation indexed as one-character words
    bool NaDysku = false;
    int64_t ProgPamieci = 0;              // the loading threshold: disk mode keeps no more of the image mapped
    bool Rozszerzone() const { return W + 1 > 65535; }   // image values need tekst.aux

    // Memory mode: the whole image; both modes: tekst.aux when Rozszerzone().
    TTablicaPliku<uint16_t> Obraz;
    TTablicaPliku<uint8_t> Aux;
    int64_t DlugoscObrazu = 0;            // number of 16-bit values in tekst.img

    // Disk mode, and memory mode with SumyList.
    TTablicaPliku<int32_t> SlowoRef;      // [0..W+1]
    // Memory mode with a sound slowo.spr (SumyList.h): each list's checksum, [0..W]; the lists
    // are then read from slowo.idx. Empty: the lists are built from the image.
    std::vector<uint32_t> SumyList;
    // Memory mode: mSkrot64 of the image, computed at the first call unless slowo.spr's
    // check computed it as the store opened.
    uint64_t SkrotObrazu() const;
    TPlikOdczytu TekstImg, SlowoIdx;

    // Records and groups.
    TPlikOdczytu ScalonyXtm;
    TTablicaPliku<int32_t> ScalonyRef;    // [0..N+1]
    TTablicaPliku<int32_t> PrzepisyMix, IzbyMix;   // pages come in as a filter reads them

    // The act currently shown in acts mode.
    std::vector<std::string> Fragmenty;   // [0..K]
    std::vector<int32_t> PoczatkiFragmentow;  // .itf, [0..H], slot 0 = 0
    // Replaces the tables with STEM.dtf / STEM.itf of the data directory. On a read error or a
    // damaged pair (fewer than K + 1 positions, positions not ascending) the error propagates
    // and the tables stay those of the act loaded before.
    void WczytanieAktu(const std::string& stem);
    // The fragment whose interval [entry k, entry k+1) holds the position; the empty text
    // before entry 1, at or after the last entry (the end bound), or past the last fragment.
    std::string OdczytanieFraz(int32_t pozycja) const;

    // Word number at image position p, memory mode.
    uint32_t NumerSlowa(int64_t p) const {
        uint32_t w = Obraz[p];
        if (!Aux.empty()) w |= uint32_t((Aux[p >> 2] >> (2 * (p & 3))) & 3) << 16;
        return w;
    }
    // High bits of image position p (0 when the word list needs no tekst.aux).
    uint32_t WysokieBity(int64_t p) const {
        return Aux.empty() ? 0 : uint32_t((Aux[p >> 2] >> (2 * (p & 3))) & 3);
    }

    // Disk mode: the document numbers of the posting lists of words od..do_ (one contiguous
    // run), appended to `out` in chunks of at most 65536 numbers.
    void CzytajPostingi(int32_t od, int32_t do_, std::vector<int32_t>& out) const;
    // The same run handed over one chunk (at most 65536 numbers) at a time, through a fixed
    // buffer. Numbers outside 1..N raise ECorruptIndex before the chunk is handed over.
    void CzytajPostingi(int32_t od, int32_t do_,
                        const std::function<void(const int32_t*, size_t)>& porcja) const;
    // Document d's run of the image (low 16 bits) without its separator; from the open file in
    // disk mode, from Obraz in memory mode. ECorruptIndex when the run does not end with its
    // separator or holds a word number above W. d outside 1..N: EInternalError.
    void CzytajObrazDokumentu(int32_t d, std::vector<uint16_t>& out) const;
    // The raw (still scrambled) record d; d outside 1..N: EInternalError.
    void CzytajRekord(int32_t d, std::string& out) const;

    // Group at byte offset `pozycja` of a .mix table (PrzepisyMix, IzbyMix): sets the entries
    // of `zbior` for its document numbers (those outside the set are skipped) up to its 0 or
    // the end of the table. False, with nothing set, when the offset is not a multiple of 4,
    // lies outside the table, or the group's first integer is not `numer`.
    bool WypelnienieGrupy(const TTablicaPliku<int32_t>& mix, int32_t pozycja, int32_t numer,
                          TcTablicaLogiczna& zbior) const;

    std::string Sciezka(const std::string& name) const;   // data directory + name
    std::string Katalog;

private:
    mutable uint64_t skrotObrazu_ = 0;
    mutable bool skrotObliczony_ = false;
    void KontrolaObrazu() const;
    void WczytanieSumList();
};
