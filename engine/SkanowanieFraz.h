// Phrase search without the fast path: a phrase's words looked up in the word list, and the
// scans that find it, over the whole image in memory mode and over the candidates of the
// posting lists in disk mode. TSzybkieSzukanie (SzybkieSkanowanie.h) gives the same sets when
// the store passes its checks; these scans are what runs otherwise, and what reports an image
// that disagrees with plik.ref.
//
//   TFraza f = AnalizaFrazy(magazyn, "podatek doch*");
//   TSkanowanieFraz s(magazyn);
//   wynik.Wypelnienie(false);
//   if (magazyn.NaDysku) s.SzukanieNaDysku(f, wynik); else if (f.LiczbaSlow >= 1) s.SzukanieWPamieci(f, wynik);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Fraza.h"

class TcMagazynIndeksu;
class TcRodzinyWyrazow;
class TcTablicaLogiczna;

// Halving search of the word list, in the order of slowo.dat. tryb 0: the word itself, 0 when
// absent; 1: the first word beginning with `tekst`, 0 when none; -1: the last word not after
// `tekst`, 0 when none.
int32_t SzukanieSlowa(const TcMagazynIndeksu& m, const std::string& tekst, int tryb);

// All forms: the word numbers of every form of an upper-cased word (its families), ascending;
// a word the list lacks is asked of the dictionary. `rodziny` is made for this store's list.
std::vector<int32_t> FormySlowa(const TcMagazynIndeksu& m, const TcRodzinyWyrazow& rodziny, const std::string& slowo);

// The phrase's words, upper-cased and cut as the documents were, as ranges of the word list.
// A word ending in "*" stands for every word beginning with what precedes the star. With
// `rodziny` (all forms of words, made for this list), any other word stands for every word of
// its families; a word with no form in the list matches nothing.
TFraza AnalizaFrazy(const TcMagazynIndeksu& m, const std::string& fraza, const TcRodzinyWyrazow* rodziny = nullptr);

// The scans of one store. Kept between searches: whether the image agrees with plik.ref
// (checked on the first memory scan) and disk mode's read buffer.
class TSkanowanieFraz {
public:
    explicit TSkanowanieFraz(const TcMagazynIndeksu& m) : m_(m) {}

    // Memory mode: sets the documents of the image holding the phrase (the caller has cleared
    // `wynik`). An image whose separators disagree with plik.ref is the internal error
    // "TfGlowne.SzukanieFrazy.1" where the scan meets the disagreement.
    void SzukanieWPamieci(const TFraza& fraza, TcTablicaLogiczna& wynik);
    // Disk mode: the documents in the posting lists of every word, then confirmed in their
    // runs of tekst.img. `wynik` must be all false on entry.
    void SzukanieNaDysku(const TFraza& fraza, TcTablicaLogiczna& wynik);

private:
    bool ObrazZgodny();
    void SzukanieWPamieciDoslowne(const TFraza& fraza, TcTablicaLogiczna& wynik);

    const TcMagazynIndeksu& m_;
    int stanObrazu_ = -1;                     // separators vs plik.ref: -1 unchecked, 0 differ, 1 agree
    std::vector<uint16_t> buforDokumentu_;    // disk mode
};
