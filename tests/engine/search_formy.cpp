// All forms of words on real Polish forms, in memory mode with and without posting lists and in
// disk mode; the grouping saved and read back, refused when stale or damaged.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "RodzinyWyrazow.h"
#include "Straznik.h"
#include "Zapytanie.h"
#include "cp1250.h"

namespace {

enum class Tryb { Listy, Skan, Dysk };

// 12 holds "podatkowy", an adjective that sorts among the forms of "podatek" without being one,
// beside a form that is one.
const std::vector<std::string> Teksty = {
    "podatek dochodowy",       "zwrot podatku dochodowego", "z podatkiem od spadków", "wysokość podatków",
    "spółka cywilna",          "wspólnicy spółek",          "przychód z najmu",       "kwota przychodu",
    "stawka VAT",              "zwrot VAT-u",               "rozliczenie PIT-em",     "podatkowy obowiązek podatku",
    "podatki lokalne"};

class FormyWyrazow : public ::testing::TestWithParam<Tryb> {
protected:
    void SetUp() override {
        std::vector<TDokumentTestowy> dok;
        for (size_t i = 0; i < Teksty.size(); ++i) dok.push_back({Nazwa(int(i) + 1), Teksty[i]});
        TOpcjeKatalogu opcje;
        opcje.PodzialSilnika = true;
        BudowaKatalogu(dir.Sciezka(), dok, opcje);
        TOpcjeLadowania l;
        l.Katalog = dir.Sciezka();
        l.WymusDysk = GetParam() == Tryb::Dysk;
        q = std::make_unique<TcZapytanie>(l);
        q->ListyWPamieci = GetParam() == Tryb::Listy;
        rodziny = std::make_unique<TcRodzinyWyrazow>(q->Magazyn().Slowa, q->Magazyn().W);
        q->Rodziny = rodziny.get();
    }
    std::vector<int32_t> Szukaj(const std::string& frazaUtf8, bool formy = true) {
        q->WszystkieFormy = formy;
        TcTablicaLogiczna z(q->LiczbaDokumentow() + 1);
        q->SzukanieFrazy(cp1250::fromUtf8(frazaUtf8), z);
        return Dokumenty(z);
    }
    TTymczasowyKatalog dir;
    std::unique_ptr<TcZapytanie> q;
    std::unique_ptr<TcRodzinyWyrazow> rodziny;
};

using V = std::vector<int32_t>;

TEST_P(FormyWyrazow, EveryFormOfAWordIsFoundWhicheverFormIsTyped) {
    const V podatek{1, 2, 3, 4, 12, 13};
    for (const char* forma : {"podatek", "podatku", "podatkiem", "podatków", "PODATKI", "podatkami"})
        EXPECT_EQ(Szukaj(forma), podatek) << forma;   // "podatkami" is in no document, its forms are
    EXPECT_EQ(Szukaj("podatkowy"), V({12}));
    EXPECT_EQ(Szukaj("spółek"), V({5, 6}));
    EXPECT_EQ(Szukaj("spółka"), V({5, 6}));
    EXPECT_EQ(Szukaj("przychodu"), V({7, 8}));
    EXPECT_EQ(Szukaj("VAT"), V({9, 10}));
    EXPECT_EQ(Szukaj("VAT-u"), V({9, 10}));
    EXPECT_EQ(Szukaj("PIT"), V({11}));
    EXPECT_EQ(Szukaj("xyzzy"), V{});
    // Exact forms stay as they were.
    EXPECT_EQ(Szukaj("podatek", false), V({1}));
    EXPECT_EQ(Szukaj("VAT", false), V({9}));
    EXPECT_EQ(Szukaj("podatkami", false), V{});
}

TEST_P(FormyWyrazow, PhrasesTakeFormsWordByWordAndPrefixesStayPrefixes) {
    EXPECT_EQ(Szukaj("podatek dochodowy"), V({1, 2}));
    EXPECT_EQ(Szukaj("podatek dochodowy", false), V({1}));
    EXPECT_EQ(Szukaj("zwrot VAT"), V({10}));
    EXPECT_EQ(Szukaj("kwota przychód"), V({8}));
    EXPECT_EQ(Szukaj("dochodowy podatek"), V{});   // still in order
    EXPECT_EQ(Szukaj("podatek obowiązek"), V{});   // "podatkowy" is no form of it
    EXPECT_EQ(Szukaj("obowiązek podatek"), V({12}));
    EXPECT_EQ(Szukaj("podatk*"), Szukaj("podatk*", false));
    EXPECT_EQ(Szukaj("podatk*"), V({2, 3, 4, 12, 13}));
    EXPECT_EQ(Szukaj("podatkiem od spadk*"), V({3}));
}

INSTANTIATE_TEST_SUITE_P(Tryby, FormyWyrazow, ::testing::Values(Tryb::Listy, Tryb::Skan, Tryb::Dysk),
                         [](const auto& i) {
                             return std::string(i.param == Tryb::Listy ? "Lists" : i.param == Tryb::Skan ? "Scan" : "Disk");
                         });

class RodzinyZapisane : public ::testing::Test {
protected:
    void SetUp() override {
        slowa = {"", "PODATEK", "PODATKI", "PODATKU", "SP\xD3\xA3KA", "SP\xD3\xA3" "EK", "VAT", "VAT-U", "XYZZY"};
        r = std::make_unique<TcRodzinyWyrazow>(slowa, W);
        plik = dir.Plik(PlikRodzinTestu);
        ASSERT_TRUE(r->Zapis(plik));
    }
    static constexpr const char* PlikRodzinTestu = "Belvastrona.formy";
    static constexpr int32_t W = 8;
    TTymczasowyKatalog dir;
    std::vector<std::string> slowa;
    std::unique_ptr<TcRodzinyWyrazow> r;
    std::string plik;
};

TEST_F(RodzinyZapisane, ReadBackForTheSameListOnly) {
    std::string powod;
    const auto z = TcRodzinyWyrazow::Wczytanie(plik, TcRodzinyWyrazow::Odcisk(slowa, W), TcRodzinyWyrazow::SlownikDomyslny, &powod);
    ASSERT_TRUE(z) << powod;
    for (int32_t w = 1; w <= W; ++w) EXPECT_EQ(z->Formy(w), r->Formy(w)) << slowa[size_t(w)];
    EXPECT_EQ(z->Formy(1), V({1, 2, 3}));
    EXPECT_EQ(z->Formy(7), V({6, 7}));
    EXPECT_EQ(z->FormyTekstu("PODATKAMI"), V({1, 2, 3}));   // hunspell asked for a word not listed
    std::vector<std::string> inne = slowa;
    inne[8] = "XYZZZ";
    EXPECT_FALSE(TcRodzinyWyrazow::Wczytanie(plik, TcRodzinyWyrazow::Odcisk(inne, W), TcRodzinyWyrazow::SlownikDomyslny));
    EXPECT_FALSE(TcRodzinyWyrazow::Wczytanie(plik, TcRodzinyWyrazow::Odcisk(slowa, W), "/nonexistent/pl_PL"));
}

// A damaged saved grouping is refused or reads words within the list: never a read outside it.
TEST_F(RodzinyZapisane, ACutOrChangedFileIsRefusedOrStaysInsideTheList) {
    const std::string dobry = OdczytPliku(plik);
    const uint64_t odcisk = TcRodzinyWyrazow::Odcisk(slowa, W);
    TStraznik straznik;
    const auto proba = [&](const std::string& b, const std::string& opis) {
        straznik.Przypadek(opis);
        ZapisBajtow(plik, b);
        const auto z = TcRodzinyWyrazow::Wczytanie(plik, odcisk, TcRodzinyWyrazow::SlownikDomyslny);
        if (!z) return;
        for (int32_t w = 0; w <= W + 1; ++w)
            for (int32_t f : z->Formy(w)) EXPECT_TRUE(f >= 1 && f <= W) << opis;
    };
    for (size_t n = 0; n < dobry.size(); ++n) proba(dobry.substr(0, n), "cut at " + std::to_string(n));
    std::mt19937 los(2026);
    for (int m = 0; m < 500; ++m) {
        std::string b = dobry;
        for (int i = 0; i < 1 + m % 3; ++i) b[los() % b.size()] ^= char(1 << (los() % 8));
        proba(b, "mutant " + std::to_string(m));
    }
}

}  // namespace
