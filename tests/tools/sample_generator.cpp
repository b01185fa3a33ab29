// The sample generator: reproducible for a seed, kinds placed by the name boundaries, and a
// source whose parts agree with each other.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "Analiza.h"
#include "Bledy.h"
#include "BudowaKorpusu.h"
#include "FabrykaDanych.h"
#include "GeneratorProbki.h"
#include "bSlownikTxt.h"
#include "cp1250.h"
#include "mLib.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::vector<std::string>> Tsv(const fs::path& p) {
    std::vector<std::vector<std::string>> w;
    std::istringstream in(OdczytPliku(p));
    std::string l;
    while (std::getline(in, l)) {
        if (l.empty() || l[0] == '#') continue;
        std::vector<std::string> pola;
        std::istringstream ls(l);
        std::string x;
        while (std::getline(ls, x, '\t')) pola.push_back(x);
        pola.resize(4);
        w.push_back(pola);
    }
    return w;
}

TEST(GeneratorProbki, TeSameOpcjeDajaTeSamePliki) {
    TTymczasowyKatalog k;
    TOpcjeProbki o;
    o.Dokumenty = 120;
    o.Ziarno = 42;
    o.Slownictwo = 1000;
    GenerowanieProbki(k.Plik("a"), o);
    o.Watki = 1;
    GenerowanieProbki(k.Plik("b"), o);
    o.Ziarno = 43;
    GenerowanieProbki(k.Plik("c"), o);
    for (const char* f : {"documents.tsv", "przepisy.ini", "akty.ini", "izby.ini", "dzialy.ini", "acts/vat.rtf",
                          "documents/0000001.htm", "documents/0050000.htm", "documents/0063999.htm"})
        EXPECT_EQ(OdczytPliku(k.Plik(std::string("a/") + f)), OdczytPliku(k.Plik(std::string("b/") + f))) << f;
    EXPECT_NE(OdczytPliku(k.Plik("a/documents.tsv")), OdczytPliku(k.Plik("c/documents.tsv")));
    EXPECT_NE(OdczytPliku(k.Plik("a/documents/0000001.htm")), OdczytPliku(k.Plik("c/documents/0000001.htm")));
}

// The boundaries as the program finds them from the names.
void SprawdzeniePlanu(int32_t n) {
    const auto plan = PlanDokumentow(n);
    ASSERT_EQ(plan.size(), size_t(n));
    int32_t pism = 0, tez = 0, koniecTez = 0;
    for (int32_t d = 1; d <= n; ++d) {
        const std::string& nazwa = plan[size_t(d) - 1].Nazwa;
        if (d > 1) {
            ASSERT_LT(plan[size_t(d) - 2].Nazwa, nazwa);
        }
        if (!pism && nazwa >= "0050000.htm") pism = d;
        if (!tez && nazwa >= "0057000.htm") tez = d;
        if (!koniecTez && nazwa >= "0063999.htm") koniecTez = d;
    }
    int32_t liczby[3] = {};
    for (int32_t d = 1; d <= n; ++d) {
        const TRodzajProbki r = plan[size_t(d) - 1].Rodzaj;
        ++liczby[int(r)];
        const bool pismo = pism && d >= pism && (!tez || d < tez);
        const bool teza = tez && d >= tez && d <= koniecTez;
        ASSERT_EQ(pismo, r == TRodzajProbki::Pismo) << n << " " << plan[size_t(d) - 1].Nazwa;
        ASSERT_EQ(teza, r == TRodzajProbki::Teza) << n << " " << plan[size_t(d) - 1].Nazwa;
    }
    if (n >= 3) {
        for (int c : liczby) EXPECT_GT(c, 0) << n;
    }
}

TEST(GeneratorProbki, RodzajeWynikajaZGranicNazw) {
    for (int32_t n : {1, 2, 3, 10, 1000, 50000, 99999, 262142}) SprawdzeniePlanu(n);
    const auto plan = PlanDokumentow(262142);
    EXPECT_EQ(plan.back().Nazwa.size(), 11u);
}

TEST(GeneratorProbki, ZrodloJestSpojne) {
    TTymczasowyKatalog k;
    TOpcjeProbki o;
    o.Dokumenty = 200;
    o.Slownictwo = 600;   // three key words a document, as in a full-size sample
    GenerowanieProbki(k.Plik("z"), o);
    TcSlownikTxtAkt akty(k.Plik("z/akty.ini"), true);
    TcSlownikTxtIzba izby(k.Plik("z/izby.ini"), true);
    TcSlownikTxtPrzepis przepisy(k.Plik("z/przepisy.ini"), true);
    TcSlownikTxt dzialy(k.Plik("z/dzialy.ini"), true);
    EXPECT_EQ(izby.Wpisy.size(), 16u);
    EXPECT_EQ(izby.NumerWgNazwy(PL(u8"Izba Skarbowa w Zielonej Górze")), 16);
    EXPECT_EQ(dzialy.Wpisy.size(), 9u);
    EXPECT_GE(akty.Wpisy.size(), 5u);
    EXPECT_LE(akty.Wpisy.size(), 10u);
    EXPECT_GE(przepisy.Wpisy.size(), 200u);
    std::set<int32_t> numeryAktow;
    for (const auto& a : akty.Wpisy) {
        numeryAktow.insert(a->Numer);
        // An act is also a provision, and its text exists.
        EXPECT_EQ(przepisy.NazwaWgNumeru(a->Numer), a->Nazwa);
        EXPECT_TRUE(fs::exists(k.Plik("z/acts/" + static_cast<const TrAkt&>(*a).Plik + ".rtf")));
    }
    for (const auto& p : przepisy.Wpisy) EXPECT_GT(static_cast<const TrPrzepis&>(*p).Dzial, 0) << p->Nazwa;

    const auto tsv = Tsv(k.Plik("z/documents.tsv"));
    ASSERT_EQ(tsv.size(), 200u);
    int64_t slowa = 0;
    int zPrzepisami = 0, zIzba = 0;
    for (const auto& w : tsv) {
        const std::string html = OdczytPliku(k.Plik("z/documents/" + w[0]));
        ASSERT_FALSE(html.empty()) << w[0];
        EXPECT_NE(html.find("charset=iso-8859-2"), std::string::npos);
        const std::string tekst = cp1250::upper(mHtmlToText(html));
        PodzialTekstu(tekst, kZnakiIndeksu, [&slowa](std::string_view) { ++slowa; });
        const int32_t izba = std::stoi(w[1].empty() ? "x" : w[2]);
        EXPECT_TRUE(izba == 0 || izby.NazwaWgNumeru(izba) != "") << w[0];
        zIzba += izba != 0;
        // An article cited is listed with its act.
        std::istringstream ps(w[3]);
        std::string p;
        std::set<int32_t> numery;
        while (std::getline(ps, p, ',')) numery.insert(std::stoi(p));
        for (int32_t n : numery) {
            EXPECT_NE(przepisy.NazwaWgNumeru(n), "") << w[0] << " " << n;
            if (!numeryAktow.count(n)) {
                EXPECT_TRUE(numery.count(n / 100)) << w[0] << " " << n;
            }
        }
        zPrzepisami += !numery.empty();
    }
    // About 380 words a document, most citing provisions, interpretations from chambers.
    EXPECT_GT(slowa / 200, 300);
    EXPECT_LT(slowa / 200, 470);
    EXPECT_GT(zPrzepisami, 150);
    EXPECT_GT(zIzba, 80);
}

TEST(GeneratorProbki, ZleOpcjeIObcyFolder) {
    TTymczasowyKatalog k;
    TOpcjeProbki o;
    o.Dokumenty = 0;
    EXPECT_THROW(GenerowanieProbki(k.Plik("a"), o), EInOutError);
    o.Dokumenty = 262143;
    EXPECT_THROW(GenerowanieProbki(k.Plik("a"), o), EInOutError);
    fs::create_directories(k.Plik("obcy"));
    std::ofstream(k.Plik("obcy/list.txt")) << "nie moje";
    o.Dokumenty = 5;
    EXPECT_THROW(GenerowanieProbki(k.Plik("obcy"), o), EInOutError);
    EXPECT_TRUE(fs::exists(k.Plik("obcy/list.txt")));
}

}  // namespace
