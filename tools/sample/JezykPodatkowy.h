// The language of the sample corpus: Polish tax prose assembled from sentence patterns, the
// acts it cites with their articles, the provisions taken from those articles, and a synthetic
// vocabulary of plausible proper names (companies, places, products) that lets a sample reach
// any number of distinct words.
//
//   TJezykPodatkowy jezyk(20000, 7);              // 20000 synthetic words, seed 7
//   TLosowanie rng(42);
//   std::string tekst;
//   jezyk.Zdanie(rng, TJezykPodatkowy::TKontekst{...}, tekst);   // appends one sentence
//
// Every text it hands out is ISO-8859-2, the encoding of the corpus's HTML and dictionaries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Deterministic random numbers (xoshiro256** seeded through splitmix64): the same seed gives the
// same sample on every machine.
class TLosowanie {
public:
    explicit TLosowanie(uint64_t ziarno);
    uint64_t Nastepna();
    uint32_t Do(uint32_t n);                 // 0 .. n - 1 (n > 0)
    int32_t Zakres(int32_t od, int32_t do_); // od .. do_ inclusive
    bool Szansa(int procent);                // true with the given percentage
    double Ulamek();                         // [0, 1)
    template <class T>
    const T& Wybor(const std::vector<T>& v) { return v[Do(uint32_t(v.size()))]; }

private:
    uint64_t s_[4];
};

// A deterministic stream key: mixes a seed with a number (document, act) into a new seed.
uint64_t MieszanieZiarna(uint64_t ziarno, uint64_t numer);

struct TAktProbki {
    int32_t Numer = 0;            // act number, also its provision number
    std::string Plik;             // file stem of the act's text
    std::string Nazwa;            // "Ustawa o podatku od towarów i usług"
    std::string Cytat;            // "ustawy o podatku od towarów i usług" (as cited after "art. 5")
    std::string Tytul;            // "o podatku od towarów i usług" (the heading of the act's text)
    std::string DataUchwalenia;   // "11 marca 2004 r."
    int32_t Dzial = 0;            // section of its provisions
    bool Paragrafy = false;       // units are "§ n" instead of "ust. n"
    std::vector<int32_t> Ustepy;  // per article (index 0 = art. 1): number of units
};

struct TPrzepisProbki {
    int32_t Numer = 0;
    int32_t Akt = 0;              // index into Akty()
    int32_t Artykul = 0;
    int32_t Ustep = 0;            // 0: the article as a whole
    std::string Cytat;            // "art. 15 ust. 1 ustawy o podatku dochodowym od osób prawnych"
};

class TJezykPodatkowy {
public:
    // What a sentence may refer to: the document's provisions and the chamber it comes from.
    struct TKontekst {
        int32_t Temat = 0;                        // index of the main act (0-based), -1: none
        const std::vector<int32_t>* Przepisy = nullptr;  // indices into Przepisy()
        int32_t Izba = 0;                         // 1..16, 0: none
        bool Akt = false;                         // legal style only (text of an act)
        int Rodzaj = -1;                          // 0 interpretation, 1 letter, 2 ruling, -1 any
        std::vector<size_t>* Uzyte = nullptr;     // patterns used so far, to avoid repeating them
    };

    TJezykPodatkowy(int32_t slownictwo, uint64_t ziarno);

    // Appends one sentence (with its final full stop and a trailing space); returns the
    // number of words appended.
    int Zdanie(TLosowanie& rng, const TKontekst& k, std::string& out) const;

    const std::vector<TAktProbki>& Akty() const { return akty_; }
    const std::vector<TPrzepisProbki>& Przepisy() const { return przepisy_; }
    const std::vector<std::string>& SlowaSyntetyczne() const { return syntetyczne_; }
    // Rank-weighted pick of a synthetic word: the first words are the most frequent.
    const std::string& SlowoSyntetyczne(TLosowanie& rng) const;

    static const std::vector<std::string>& Dzialy();            // sections 1..9 (index 0 = 1)
    static const std::vector<std::string>& IzbyMianownik();     // "Izba Skarbowa w Warszawie"
    static const std::vector<std::string>& IzbyDopelniacz();    // "Izby Skarbowej w Warszawie"
    static const std::vector<std::string>& Miasta();            // locative: "Warszawie"

    // Pieces used by the document layouts.
    std::string Data(TLosowanie& rng, int rokOd, int rokDo) const;   // "15 marca 2004 r."
    std::string Kwota(TLosowanie& rng) const;                        // "12 500 zł"
    std::string Czynnosc(TLosowanie& rng, int32_t temat, bool dopelniacz) const;
    std::string PodatekDopelniacz(int32_t temat) const;

private:
    struct TSegment { int slot; std::string tekst; int slowa; };
    struct TWzor { int32_t temat; bool przepis; int rodzaje; std::vector<TSegment> segmenty; };

    void Wypelnienie(int slot, TLosowanie& rng, const TKontekst& k, std::string& out) const;

    std::vector<TWzor> wzoryDokumentu_, wzoryAktu_;
    std::vector<std::vector<size_t>> wgTematu_;   // document patterns per act (index 0 = general)
    std::vector<std::vector<size_t>> aktWgTematu_;
    std::vector<TAktProbki> akty_;
    std::vector<TPrzepisProbki> przepisy_;
    std::vector<std::string> syntetyczne_;
    std::vector<std::vector<std::string>> listy_;   // filler lists by slot
};
