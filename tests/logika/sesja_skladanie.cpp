// The session: what it builds from a data directory, how it hands the dictionaries and the
// parser to the queries, and what it does with dictionaries that are missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "Bledy.h"
#include "FabrykaDanych.h"
#include "ParserBool.h"
#include "Sesja.h"
#include "Zapytanie.h"
#include "bSlownikTxt.h"

namespace {

class Sesja : public ::testing::Test {
protected:
    void SetUp() override {
        TOpcjeKatalogu opcje;
        opcje.Izby = {{12, "Izba Skarbowa w Krakowie"}};
        opcje.Przepisy = {{7, {"art. 7 ust. 1", 1}}};
        BudowaKatalogu(dir.Sciezka(),
                       {{"0000001.htm", "podatek dochodowy", 12, {7}},
                        {"0000002.htm", "podatek od spadków", 0, {7}},
                        {"0000003.htm", "VAT", 0, {}}},
                       opcje);
    }
    TOpcjeSesji Opcje() const {
        TOpcjeSesji o;
        o.Ladowanie.Katalog = dir.Sciezka();
        o.OdczytKonfiguracji = false;
        return o;
    }
    static void WszystkieRodzaje(TcZapytanie& z) { z.Interpretacja = z.PismoMinisterstwa = z.TezaOrzeczenia = true; }
    TTymczasowyKatalog dir;
};

}  // namespace

TEST_F(Sesja, BothQueriesShareTheStoreAndFilterThroughTheSessionsDictionaries) {
    TcSesja s(Opcje());
    EXPECT_EQ(s.Zapytanie().WspolnyMagazyn(), s.Liczace().WspolnyMagazyn());
    EXPECT_TRUE(s.Liczace().Kopia());
    ASSERT_EQ(s.Izby().NazwaWgNumeru(12), "Izba Skarbowa w Krakowie");

    // The counting copy filters by chamber and provision with the dictionaries it was given.
    for (TcZapytanie* z : {&s.Zapytanie(), &s.Liczace()}) {
        WszystkieRodzaje(*z);
        z->Izba = 12;
        ASSERT_TRUE(s.Wykonanie(*z));
        EXPECT_EQ(z->Wynik.Liczba(), 1);
        z->Izba = 0;
        z->Przepis = 7;
        ASSERT_TRUE(s.Wykonanie(*z));
        EXPECT_EQ(z->Wynik.Liczba(), 2);
    }

    // The parser searches phrases on the loading query and reports through the session.
    TcZapytanie& l = s.Liczace();
    l.Przepis = 0;
    l.WarunekDodatkowy = "\"podatek\" \"vat\"";
    EXPECT_FALSE(s.Wykonanie(l));
    EXPECT_FALSE(l.BladWarunkuStandardowego());
    EXPECT_FALSE(s.Parser().Blad.empty());
    l.WarunekDodatkowy = "\"podatek\" AND NOT \"dochodowy\"";
    ASSERT_TRUE(s.Wykonanie(l));
    EXPECT_EQ(l.Wynik.Liczba(), 1);
}

TEST_F(Sesja, AMissingDictionaryIsAnErrorOnlyWhenTheDictionariesAreRequired) {
    std::filesystem::remove(dir.Plik("akty.ini"));
    std::filesystem::remove(dir.Plik("izby.ini"));
    EXPECT_THROW(TcSesja s(Opcje()), EInOutError);

    TOpcjeSesji o = Opcje();
    o.SlownikiWymagane = false;
    TcSesja s(o);
    EXPECT_TRUE(s.Akty().Nazwy.empty());
    EXPECT_TRUE(s.Izby().Nazwy.empty());
    EXPECT_EQ(s.Przepisy().NazwaWgNumeru(7), "art. 7 ust. 1");   // the ones present are read
    TcZapytanie& z = s.Zapytanie();
    WszystkieRodzaje(z);
    z.Warunek = "\"podatek\"";
    ASSERT_TRUE(s.Wykonanie(z));
    EXPECT_EQ(z.Wynik.Liczba(), 2);
}

TEST_F(Sesja, DictionariesMayLieInAFolderOfTheirOwn) {
    TTymczasowyKatalog slowniki;
    for (const char* plik : {"akty.ini", "dzialy.ini", "izby.ini", "przepisy.ini"})
        std::filesystem::rename(dir.Plik(plik), slowniki.Plik(plik));
    EXPECT_THROW(TcSesja s(Opcje()), EInOutError);
    TOpcjeSesji o = Opcje();
    o.KatalogSlownikow = slowniki.Sciezka();
    TcSesja s(o);
    EXPECT_EQ(s.Izby().NazwaWgNumeru(12), "Izba Skarbowa w Krakowie");
}

TEST_F(Sesja, TheTemplateTableIsOpenedOnlyWhenAskedAndADamagedOneIsNamed) {
    {
        TcSesja s(Opcje());
        EXPECT_FALSE(s.MaSzablony());
        EXPECT_FALSE(std::filesystem::exists(dir.Plik("szablon.DBF"))) << "the command-line tool makes no table";
        s.OtwarcieSzablonow();
        ASSERT_TRUE(s.MaSzablony());
        EXPECT_TRUE(std::filesystem::exists(dir.Plik("szablon.DBF")));
    }
    ZapisPliku(dir.Plik("szablon.DBF"), "nie tabela");
    TcSesja s(Opcje());
    try {
        s.OtwarcieSzablonow();
        FAIL() << "a damaged table was opened";
    } catch (const EInOutError& b) {
        EXPECT_NE(std::string(b.what()).find("szablon.DBF"), std::string::npos) << b.what();
    }
    EXPECT_EQ(OdczytPliku(dir.Plik("szablon.DBF")), "nie tabela");
}

// The families are grouped once and saved in the configuration folder; each query runs its
// phrases in its own mode, the live counts beside the fields too. Without the dictionary the
// session still searches exact forms and says what is missing.
TEST_F(Sesja, WordFamiliesAreSavedOnceAndEachQueryKeepsItsOwnMode) {
    TTymczasowyKatalog konfiguracja;
    const char* byla = std::getenv("BELVASTRONA_KONFIGURACJA");
    const std::string poprzednia = byla ? byla : "";
    setenv("BELVASTRONA_KONFIGURACJA", konfiguracja.Sciezka().c_str(), 1);
    TOpcjeSesji o = Opcje();
    o.RodzinyWyrazow = true;
    {
        TcSesja s(o);
        ASSERT_TRUE(s.Rodziny()) << s.BladRodzin();
        ASSERT_TRUE(std::filesystem::exists(konfiguracja.Plik(PlikRodzin)));
    }
    const auto zapisany = std::filesystem::last_write_time(konfiguracja.Plik(PlikRodzin));
    TcSesja s(o);
    ASSERT_TRUE(s.Rodziny());
    EXPECT_EQ(std::filesystem::last_write_time(konfiguracja.Plik(PlikRodzin)), zapisany) << "read, not made again";
    TcZapytanie& q = s.Zapytanie();
    TcZapytanie& k = s.Liczace();
    WszystkieRodzaje(q);
    WszystkieRodzaje(k);
    q.WarunekDodatkowy = k.WarunekDodatkowy = "\"podatkiem\"";
    k.WszystkieFormy = true;
    ASSERT_TRUE(s.Wykonanie(k));
    EXPECT_EQ(k.Wynik.Liczba(), 2);
    ASSERT_TRUE(s.Wykonanie(q));
    EXPECT_EQ(q.Wynik.Liczba(), 0) << "the loading query searches exact forms";

    o.SlownikForm = dir.Plik("brak_pl_PL");
    std::filesystem::remove(konfiguracja.Plik(PlikRodzin));
    TcSesja bez(o);
    EXPECT_FALSE(bez.Rodziny());
    EXPECT_NE(bez.BladRodzin().find("brak_pl_PL.dic"), std::string::npos) << bez.BladRodzin();
    WszystkieRodzaje(bez.Zapytanie());
    bez.Zapytanie().WszystkieFormy = true;
    bez.Zapytanie().WarunekDodatkowy = "\"podatek\"";
    ASSERT_TRUE(bez.Wykonanie(bez.Zapytanie()));
    EXPECT_EQ(bez.Zapytanie().Wynik.Liczba(), 2);
    if (byla) setenv("BELVASTRONA_KONFIGURACJA", poprzednia.c_str(), 1);
    else unsetenv("BELVASTRONA_KONFIGURACJA");
}
