// Disk mode keeps no more of the image mapped than the loading threshold, however much of it
// the phrases read, and finds what memory mode finds while it releases the pages.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "ZapisDanych.h"
#include "Zapytanie.h"

namespace {

// Kilobytes of this process's memory that map `plik` (the Rss of its mappings).
int64_t ZmapowaneKb(const std::string& plik) {
    std::ifstream smaps("/proc/self/smaps");
    std::string linia;
    bool nasz = false;
    int64_t kb = 0;
    while (std::getline(smaps, linia)) {
        if (linia.find('-') < 17 && linia.find(' ') > linia.find('-')) {   // a mapping's header line
            nasz = linia.size() >= plik.size() && linia.compare(linia.size() - plik.size(), plik.size(), plik) == 0;
        } else if (nasz && linia.rfind("Rss:", 0) == 0) {
            std::istringstream(linia.substr(4)) >> linia;
            kb += std::stoll(linia);
        }
    }
    return kb;
}

std::string Slowo(size_t i) {
    static const char* litery[] = {"A", "B", "C", "D", "E", "K", "O", "P", "R", "S", "T", "Z", "\xA5", "\xA3", "\xAF", "\xD3"};
    std::string s = "W";
    do {
        s += litery[i % 16];
        i /= 16;
    } while (i > 0);
    return s;
}

// 6000 documents of 300-500 words, about 5 MB of image: "KOSZTY UZYSKANIA PRZYCHODU" in
// about half of them, "ULGA PRORODZINNA" in one in fifty, the rest drawn from 3000 words.
void Korpus(const std::string& katalog) {
    std::mt19937 los(5);
    TZapisIndeksu z(katalog);
    for (int d = 1; d <= 6000; ++d) {
        std::vector<std::string> t;
        const int n = 300 + int(los() % 201);
        while (int(t.size()) < n) {
            const unsigned r = los() % 1000;
            if (r < 3) {
                for (const char* s : {"KOSZTY", "UZYSKANIA", "PRZYCHODU"}) t.push_back(s);
            } else if (r < 4 && d % 50 == 0) {
                t.push_back("ULGA");
                t.push_back("PRORODZINNA");
            } else {
                t.push_back(Slowo(los() % 3000));
            }
        }
        char nazwa[16];
        std::snprintf(nazwa, sizeof nazwa, "%07d.htm", d);
        z.DodanieDokumentu(nazwa, 0x30A15000, "<P>x</P>", t, 0, {});
    }
    z.Zakonczenie();
}

TEST(SzukanieNaDyskuMapowanie, ImageMappedStaysWithinTheThresholdAndResultsAgree) {
    TTymczasowyKatalog dir;
    Korpus(dir.Sciezka());
    const std::string obraz = dir.Plik("tekst.img");
    const int64_t prog = int64_t(1) << 20;
    TOpcjeLadowania pamiec{dir.Sciezka()}, dysk{dir.Sciezka()};
    dysk.WymusDysk = true;
    dysk.ProgPamieci = prog;
    TcZapytanie qp(pamiec), qd(dysk);
    ASSERT_FALSE(qp.NaDysku);
    ASSERT_TRUE(qd.NaDysku);
    ASSERT_GT(qd.Magazyn().DlugoscObrazu * 2, 4 * prog);

    // A dense phrase (its candidates mapped ahead in stretches), a rare one, a prefix ending
    // one, and each again once the pages have been released under it.
    const std::vector<std::string> frazy = {"KOSZTY UZYSKANIA PRZYCHODU", "ULGA PRORODZINNA", "KOSZTY UZYSKANIA PRZY*",
                                            Slowo(7) + " " + Slowo(8), "KOSZTY UZYSKANIA PRZYCHODU"};
    size_t geste = 0;
    for (int runda = 0; runda < 2; ++runda)
        for (const std::string& f : frazy) {
            const std::vector<int32_t> oczekiwane = DokumentyFrazy(qp, f);
            EXPECT_EQ(DokumentyFrazy(qd, f), oczekiwane) << f;
            geste += oczekiwane.size() > 6000 / 8;
            // The threshold, a stretch mapped ahead, and the 64 kB blocks the kernel maps
            // around the last touched pages.
            EXPECT_LE(ZmapowaneKb(obraz), (prog + (int64_t(1) << 20) + (int64_t(1) << 17)) / 1024) << f;
        }
    EXPECT_GE(geste, 4u);   // the dense phrase and the prefix, twice each
}

}  // namespace
