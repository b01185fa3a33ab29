// The section tables of a legal act and the phrase candidates at a caret position.
#include <gtest/gtest.h>

#include <random>

#include "FabrykaDanych.h"
#include "MagazynIndeksu.h"
#include "Straznik.h"
#include "ZapisDanych.h"

namespace {

struct StoreAkt : ::testing::Test {
    TTymczasowyKatalog k;
    std::unique_ptr<TcMagazynIndeksu> m;
    void SetUp() override {
        BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "A"}});
        ZapisIndeksuAktu(k.Sciezka(), "vat", {"PODATEK|VAT", "STAWKA"}, {100, 250, 900});
        ZapisIndeksuAktu(k.Sciezka(), "cit", {"DOCH\xD3" "D"}, {0, 10});
        TOpcjeLadowania o;
        o.Katalog = k.Sciezka();
        m = std::make_unique<TcMagazynIndeksu>(o);
    }
};

}  // namespace

TEST_F(StoreAkt, CaretPositionSelectsItsFragment) {
    m->WczytanieAktu("vat");
    EXPECT_EQ(m->Fragmenty.size(), 3u);
    EXPECT_EQ(m->PoczatkiFragmentow, (std::vector<int32_t>{0, 100, 250, 900}));
    EXPECT_EQ(m->OdczytanieFraz(99), "");
    EXPECT_EQ(m->OdczytanieFraz(-1), "");
    EXPECT_EQ(m->OdczytanieFraz(100), "PODATEK|VAT");
    EXPECT_EQ(m->OdczytanieFraz(249), "PODATEK|VAT");
    EXPECT_EQ(m->OdczytanieFraz(250), "STAWKA");
    EXPECT_EQ(m->OdczytanieFraz(899), "STAWKA");
    // The last entry is the end bound: at or after it there is no fragment.
    EXPECT_EQ(m->OdczytanieFraz(900), "");
    EXPECT_EQ(m->OdczytanieFraz(2000000000), "");
}

TEST_F(StoreAkt, AnotherActReplacesTheTables) {
    m->WczytanieAktu("vat");
    m->WczytanieAktu("cit");
    EXPECT_EQ(m->OdczytanieFraz(0), "DOCH\xD3" "D");
    EXPECT_EQ(m->OdczytanieFraz(100), "");
}

TEST_F(StoreAkt, MoreEntriesThanFragmentsGiveEmptyTextPastTheLastFragment) {
    ZapisIndeksuAktu(k.Sciezka(), "pit", {"A"}, {0, 10, 20, 30});
    m->WczytanieAktu("pit");
    EXPECT_EQ(m->OdczytanieFraz(5), "A");
    EXPECT_EQ(m->OdczytanieFraz(15), "");
    EXPECT_EQ(m->OdczytanieFraz(25), "");
}

TEST_F(StoreAkt, DamagedOrMissingTablesAreRefusedAndKeepThePreviousAct) {
    m->WczytanieAktu("vat");
    // Fewer start positions than fragments + 1.
    ZapisListyNazw(k.Plik("zle.dtf"), {"A", "B", "C"});
    ZapisInt32(k.Plik("zle.itf"), {0, 10, 20});
    EXPECT_THROW(m->WczytanieAktu("zle"), ECorruptIndex);
    EXPECT_EQ(m->OdczytanieFraz(150), "PODATEK|VAT");
    // Positions that do not ascend.
    ZapisInt32(k.Plik("zle.itf"), {0, 30, 20, 40});
    EXPECT_THROW(m->WczytanieAktu("zle"), ECorruptIndex);
    // A fragment running past the end of its file.
    ZapisBajtow(k.Plik("zle.dtf"), std::string("\x01" "A" "\x05" "BC", 5));
    ZapisInt32(k.Plik("zle.itf"), {0, 10, 20});
    EXPECT_THROW(m->WczytanieAktu("zle"), ECorruptIndex);
    // Missing files give the read error naming the file.
    try {
        m->WczytanieAktu("brak");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("brak.dtf"), std::string::npos);
    }
    EXPECT_EQ(m->OdczytanieFraz(150), "PODATEK|VAT");
    EXPECT_EQ(m->PoczatkiFragmentow, (std::vector<int32_t>{0, 100, 250, 900}));
}

TEST_F(StoreAkt, EntryStartingAtTheLastByteIsNotRead) {
    // Two fragments "AB" and "" : the empty one begins at the file's last byte.
    ZapisBajtow(k.Plik("x.dtf"), std::string("\x02" "AB" "\x00", 4));
    ZapisInt32(k.Plik("x.itf"), {0, 10, 20});
    m->WczytanieAktu("x");
    EXPECT_EQ(m->Fragmenty.size(), 2u);
    EXPECT_EQ(m->OdczytanieFraz(5), "AB");
    EXPECT_EQ(m->OdczytanieFraz(15), "");
}

// A phrase index cut anywhere loads or is refused naming the file, and a refused one leaves
// the act shown before; what loads answers every caret position.
TEST_F(StoreAkt, AnIndexCutAnywhereLoadsOrKeepsThePreviousAct) {
    ZapisIndeksuAktu(k.Sciezka(), "pelny", {"PODATNIK|P\xB3" "aci|podatek", "p\xB3" "aci|podatek", "podatek"},
                     {0, 9, 15, 23});
    const std::string dtf = OdczytPliku(k.Plik("pelny.dtf")), itf = OdczytPliku(k.Plik("pelny.itf"));
    TStraznik straznik;
    const auto proba = [&](const std::string& d, const std::string& i, const std::string& opis) {
        straznik.Przypadek(opis);
        m->WczytanieAktu("vat");
        ZapisBajtow(k.Plik("ciety.dtf"), d);
        ZapisBajtow(k.Plik("ciety.itf"), i);
        try {
            m->WczytanieAktu("ciety");
        } catch (const EInOutError& e) {
            EXPECT_NE(std::string(e.what()).find("ciety."), std::string::npos) << opis;
            EXPECT_EQ(m->OdczytanieFraz(150), "PODATEK|VAT") << opis;
            return;
        }
        for (int32_t p = -1; p < 40; ++p) (void)m->OdczytanieFraz(p);
    };
    for (size_t n = 0; n <= dtf.size(); ++n) proba(dtf.substr(0, n), itf, "dtf cut at " + std::to_string(n));
    for (size_t n = 0; n <= itf.size(); ++n) proba(dtf, itf.substr(0, n), "itf cut at " + std::to_string(n));
    std::mt19937 los(2026);
    for (int mutant = 0; mutant < 400; ++mutant) {
        std::string d = dtf, i = itf;
        std::string& zmieniany = mutant % 2 ? i : d;
        for (int b = 0; b < 1 + mutant % 3; ++b) zmieniany[los() % zmieniany.size()] ^= char(1 << (los() % 8));
        proba(d, i, "mutant " + std::to_string(mutant));
    }
}
