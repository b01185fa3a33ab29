// Families of word forms: the store's words grouped by the base words Polish hunspell gives
// them, so that a search for all forms of "podatek" finds "podatku", "podatkiem" and
// "podatków". A word belongs to the family of each of its bases ("podatków" to "podatek" and
// "podatki"); a word hunspell does not know is its own base. An acronym with a hyphenated case
// ending ("VAT-U", "PIT-EM") takes the bases of what precedes the hyphen.
//
//   TcRodzinyWyrazow r(m.Slowa, m.W);                   // hunspell over every word (slow)
//   r.Zapis(plik);                                      // later starts read it back:
//   auto z = TcRodzinyWyrazow::Wczytanie(plik, TcRodzinyWyrazow::Odcisk(m.Slowa, m.W));
//   r.Formy(numer)  -> word numbers of every form of word `numer`, ascending
//   r.FormyTekstu("PODATKÓW")  -> the same for a word the list lacks (hunspell asked then)
//
// Words are Windows-1250, upper-cased as the tokenizer leaves them. Hunspell's Polish
// dictionary (Debian's hunspell-pl) is read from /usr/share/hunspell unless a path is given.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class Hunspell;

class TcRodzinyWyrazow {
public:
    static const char* const SlownikDomyslny;   // "/usr/share/hunspell/pl_PL"

    // Groups words 1..W of `slowa`. EInOutError when the dictionary cannot be read.
    TcRodzinyWyrazow(const std::vector<std::string>& slowa, int32_t W, const std::string& slownik = SlownikDomyslny);
    ~TcRodzinyWyrazow();

    // The grouping saved in `plik`, when it was made for a list with this fingerprint and the
    // same dictionary; nullptr otherwise (a missing, stale or damaged file: the caller groups
    // anew). `powod` says why a file that exists was not taken.
    static std::unique_ptr<TcRodzinyWyrazow> Wczytanie(const std::string& plik, uint64_t odcisk,
                                                       const std::string& slownik, std::string* powod = nullptr);
    // Saves through the safe write helper; false when the save failed.
    bool Zapis(const std::string& plik) const;
    // A fingerprint of the word list: the saved grouping belongs to this list only.
    static uint64_t Odcisk(const std::vector<std::string>& slowa, int32_t W);
    // The dictionary's identity kept in the saved grouping (its path, the size and time of its
    // .dic); the file is laid out as: "BELVFRM1", Odcisk, Stempel (8 bytes each), then the tables.
    static uint64_t Stempel(const std::string& slownik);

    std::vector<int32_t> Formy(int32_t numer) const;
    std::vector<int32_t> FormyTekstu(const std::string& slowo) const;

    int32_t LiczbaSlow() const { return w_; }
    int32_t LiczbaRodzin() const { return int32_t(klucze_.size()); }

private:
    TcRodzinyWyrazow() = default;
    std::vector<std::string> Bazy(const std::string& slowo) const;   // hunspell's bases, ISO-8859-2
    std::vector<int32_t> Czlonkowie(const std::vector<int32_t>& klucze) const;
    Hunspell& Slownik() const;
    void Indeks();

    std::string slownik_;
    uint64_t odcisk_ = 0;
    int32_t w_ = 0;
    std::vector<std::string> klucze_;                   // the bases, ISO-8859-2
    std::unordered_map<std::string, int32_t> numerKlucza_;
    std::vector<int32_t> rodzinaOd_, rodzina_;          // base -> its words (CSR)
    std::vector<int32_t> kluczeSlowaOd_, kluczeSlowa_;  // word -> its bases (CSR), words 1..W
    mutable std::unique_ptr<Hunspell> hunspell_;        // loaded when first needed
};
