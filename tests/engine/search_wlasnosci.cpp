// Phrase search against a brute-force check over the documents' word lists, on generated
// corpora: memory mode, disk mode and the plain scan must agree for every phrase, with the
// word pair file and without it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "ZapisDanych.h"
#include "Zapytanie.h"

namespace {

struct TKorpus {
    std::vector<std::string> Slownictwo;              // upper-case Windows-1250 words
    std::vector<std::vector<std::string>> Dokumenty;  // tokens per document
};

std::string Nazwa(size_t i) {
    std::string n = std::to_string(i);
    return std::string(7 - n.size(), '0') + n + ".htm";
}

// A letters-only word from a number: distinct numbers give distinct words.
std::string Slowo(size_t i, std::mt19937& los) {
    static const std::string litery[] = {"A", "B", "C", "D", "E", "K", "O", "P", "R", "S", "T", "Z",
                                         "\xA5", "\xA3", "\xAF", "\xD3"};   // Ą Ł Ż Ó
    std::string s;
    do {
        s += litery[i % 16];
        i /= 16;
    } while (i > 0);
    return s + litery[los() % 12];   // a tail letter so that prefixes are shared unevenly
}

TKorpus Generowanie(size_t slownictwo, size_t dokumenty, size_t minSlow, size_t maxSlow, unsigned ziarno) {
    std::mt19937 los(ziarno);
    TKorpus k;
    std::set<std::string> bylo;
    for (size_t i = 0; k.Slownictwo.size() < slownictwo; ++i) {
        std::string s = Slowo(i, los);
        if (bylo.insert(s).second) k.Slownictwo.push_back(s);
    }
    for (const char* s : {"15", "2004", "\xA7", "."}) k.Slownictwo.push_back(s);
    // A small common core so that documents share words and phrases, the rest spread evenly,
    // so that every word occurs somewhere.
    size_t kolejne = 0;
    for (size_t d = 0; d < dokumenty; ++d) {
        std::vector<std::string> t;
        const size_t n = minSlow + los() % (maxSlow - minSlow + 1);
        for (size_t j = 0; j < n; ++j) {
            const unsigned r = los() % 10;
            if (r < 5) t.push_back(k.Slownictwo[los() % std::min<size_t>(40, k.Slownictwo.size())]);
            else if (r < 7) t.push_back(k.Slownictwo[kolejne++ % k.Slownictwo.size()]);
            else t.push_back(k.Slownictwo[los() % k.Slownictwo.size()]);
        }
        if (d % 7 == 3) t.clear();                     // some documents without words
        k.Dokumenty.push_back(std::move(t));
    }
    for (size_t i = kolejne; i < k.Slownictwo.size(); ++i)   // the words no document took yet
        k.Dokumenty.back().push_back(k.Slownictwo[i]);
    return k;
}

void Zapis(const TKorpus& k, const std::string& katalog) {
    TZapisIndeksu z(katalog);
    for (size_t d = 0; d < k.Dokumenty.size(); ++d)
        z.DodanieDokumentu(Nazwa(d + 1), 0x30A15000, "<P>x</P>", k.Dokumenty[d], 0, {});
    z.Zakonczenie();
}

// One phrase word: an exact word, or a prefix when it ends in "*".
bool Pasuje(const std::string& wzor, const std::string& slowo) {
    if (!wzor.empty() && wzor.back() == '*') return slowo.compare(0, wzor.size() - 1, wzor, 0, wzor.size() - 1) == 0;
    return slowo == wzor;
}

std::vector<int32_t> Sila(const TKorpus& k, const std::vector<std::string>& fraza) {
    std::vector<int32_t> wynik;
    for (size_t d = 0; d < k.Dokumenty.size(); ++d) {
        const auto& t = k.Dokumenty[d];
        bool jest = false;
        for (size_t p = 0; !jest && p + fraza.size() <= t.size(); ++p) {
            jest = true;
            for (size_t j = 0; jest && j < fraza.size(); ++j) jest = Pasuje(fraza[j], t[p + j]);
        }
        if (jest) wynik.push_back(int32_t(d + 1));
    }
    return wynik;
}

// Random phrases: words, prefixes, stretches of real documents (some ending in a prefix),
// random word pairs and absent words.
std::vector<std::vector<std::string>> Frazy(const TKorpus& k, size_t ile, unsigned ziarno) {
    std::mt19937 los(ziarno);
    std::vector<std::vector<std::string>> frazy;
    while (frazy.size() < ile) {
        const unsigned r = los() % 6;
        const std::string& s = k.Slownictwo[los() % k.Slownictwo.size()];
        if (r == 0) {
            frazy.push_back({s});
        } else if (r == 1) {
            if (s.size() < 2 || (s[0] >= '0' && s[0] <= '9')) continue;   // "§*", "1*": two tokens each
            frazy.push_back({s.substr(0, 1 + los() % 3) + "*"});
        } else if (r <= 3) {
            const auto& t = k.Dokumenty[los() % k.Dokumenty.size()];
            if (t.size() < 5) continue;
            const size_t n = 2 + los() % 4, p = los() % (t.size() - n + 1);
            std::vector<std::string> f(t.begin() + long(p), t.begin() + long(p + n));
            if (los() % 3 == 0 && f.back().size() > 1 && f.back() != "15" && f.back() != "2004")
                f.back() = f.back().substr(0, 1 + los() % (f.back().size() - 1)) + "*";
            frazy.push_back(f);
        } else if (r == 4) {
            frazy.push_back({s, k.Slownictwo[los() % k.Slownictwo.size()]});
        } else {
            frazy.push_back({s + "QX"});
        }
    }
    return frazy;
}

void Porownanie(const TKorpus& k, const std::string& katalog, size_t ileFraz);

// With slowo.par, then without it: a phrase filters its candidates by word pairs, or by words.
void Porownanie(const TKorpus& k, size_t ileFraz) {
    TTymczasowyKatalog dir;
    Zapis(k, dir.Sciezka());
    for (bool pary : {true, false}) {
        SCOPED_TRACE(pary ? "with slowo.par" : "without slowo.par");
        if (!pary) {
            ASSERT_EQ(std::remove((dir.Sciezka() + "/slowo.par").c_str()), 0);
        }
        Porownanie(k, dir.Sciezka(), ileFraz);
    }
}

void Porownanie(const TKorpus& k, const std::string& katalog, size_t ileFraz) {
    TOpcjeLadowania pamiec{katalog}, dysk{katalog};
    dysk.WymusDysk = true;
    TcZapytanie qp(pamiec), qs(pamiec), qd(dysk);
    qs.ListyWPamieci = false;   // the plain scan of the whole image
    ASSERT_FALSE(qp.NaDysku);
    ASSERT_TRUE(qd.NaDysku);
    size_t niepuste = 0;
    for (const auto& f : Frazy(k, ileFraz, 7)) {
        std::string tekst;
        for (const auto& s : f) tekst += s + " ";
        const auto oczekiwane = Sila(k, f);
        niepuste += !oczekiwane.empty();
        ASSERT_EQ(DokumentyFrazy(qp, tekst), oczekiwane) << "memory: " << tekst;
        ASSERT_EQ(DokumentyFrazy(qs, tekst), oczekiwane) << "memory scan: " << tekst;
        ASSERT_EQ(DokumentyFrazy(qd, tekst), oczekiwane) << "disk: " << tekst;
    }
    EXPECT_GT(niepuste, ileFraz / 3);   // the phrases mostly find something
}

TEST(SzukanieFrazyWlasnosci, MemoryDiskAndBruteForceAgree) {
    const TKorpus k = Generowanie(400, 300, 5, 60, 1);
    Porownanie(k, 3000);
}

// 70000 words: word numbers need tekst.aux in both modes.
TEST(SzukanieFrazyWlasnosci, EighteenBitWordNumbers) {
    const TKorpus k = Generowanie(70000, 300, 200, 400, 2);
    TTymczasowyKatalog dir;
    Zapis(k, dir.Sciezka());
    TcZapytanie q(TOpcjeLadowania{dir.Sciezka()});
    ASSERT_GT(q.Magazyn().W, 65535);
    ASSERT_FALSE(q.Magazyn().Aux.empty());
    Porownanie(k, 1500);
}

}  // namespace
