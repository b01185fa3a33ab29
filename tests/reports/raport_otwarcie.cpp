// Opening a report in the main window: its documents become the result table and the query's
// result, so that the next search can be restricted to them; a refused report changes nothing.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "Sesja.h"
#include "TablicaRaportu.h"
#include "TekstRaportu.h"
#include "ZapisRaportu.h"
#include "Zapytanie.h"
#include "bSlownikTxt.h"
#include "cp1250.h"
#include "mLib.h"

namespace {

using V = std::vector<int32_t>;

class OtwarcieRaportuTest : public ::testing::Test {
protected:
    void SetUp() override {
        TOpcjeKatalogu opcje;
        opcje.Izby = {{12, "Izba Skarbowa w Krakowie"}};
        opcje.Przepisy = {{7, {"art. 15", 2}}};
        BudowaKatalogu(dir.Sciezka(),
                       {
                           {"0049999.htm", "vat stawka", 12, {7}},
                           {"0050000.htm", "vat zwolnienie", 12, {}},
                           {"0056999.htm", "vat", 0, {7}},
                           {"0057000.htm", "podatek stawka", 12, {7}},
                           {"0063999.htm", "podatek", 0, {}},
                           {"0064000.htm", "vat zwolnienie stawka", 0, {7}},
                       },
                       opcje);
        TOpcjeSesji o;
        o.Ladowanie.Katalog = dir.Sciezka();
        o.OdczytKonfiguracji = false;
        sesja = std::make_unique<TcSesja>(o);
        q = &sesja->Zapytanie();
        q->Interpretacja = q->PismoMinisterstwa = q->TezaOrzeczenia = true;
        przepis = sesja->Przepisy().NazwaWgNumeru(7);
        ASSERT_FALSE(przepis.empty());
    }
    // A search as the window runs it: the result table from the result set, all checked.
    void Szukanie(const std::string& warunek, int32_t izba, int32_t przepis_) {
        q->Warunek = warunek;
        q->Izba = izba;
        q->Przepis = przepis_;
        ASSERT_TRUE(sesja->Wykonanie(*q));
        tablica.PrzygotowanieRaportu(q->Wynik);
    }
    TRaport Otwarcie() { return OtwarcieRaportu("Raporty/klient.rap", sesja->Izby(), sesja->Przepisy(), tablica, *q); }
    V Tablica() const {
        V v;
        for (int32_t i = 1; i <= tablica.Liczba; ++i) {
            EXPECT_TRUE(tablica.Pozycje[size_t(i)].Zaznaczony) << i;
            v.push_back(tablica.Pozycje[size_t(i)].NrDokumentu);
        }
        return v;
    }

    TTymczasowyKatalog dir;
    std::unique_ptr<TcSesja> sesja;
    TcZapytanie* q = nullptr;
    TcTablicaRaportu tablica;
    std::string przepis;
};

}  // namespace

TEST_F(OtwarcieRaportuTest, SavedCheckedDocumentsComeBackAsTheCurrentResultAndRestrictTheNextSearch) {
    Szukanie("\"vat\"", 0, 7);
    ASSERT_EQ(Dokumenty(q->Wynik), V({1, 3, 6}));
    tablica.UstawienieZaznaczenia(3, false);
    const std::string tekst = TekstRaportu(tablica, *q);
    EXPECT_EQ(tekst, "warunek=\"vat\"\nizba=0\nprzepis=7\nplik=6|1");

    const TMiejsceRaportu m = MiejsceRaportu("klient", dir.Sciezka());
    ASSERT_TRUE(ZapisanieRaportu(m.Sciezka, tekst));

    // Whatever the window showed before: another search, page 3, other header lines.
    Szukanie("\"podatek\"", 12, 0);
    tablica.BiezacaStrona = 3;
    tablica.Naglowki = {"x", "y", "z"};
    // The selection window puts the file's text into the query.
    ASSERT_TRUE(mReadString(m.Sciezka, q->Raport, TrybBledu::Wyjatek));
    const TRaport r = Otwarcie();
    EXPECT_EQ(r.Warunek, "\"vat\"");   // the highlight condition
    EXPECT_EQ(Tablica(), V({6, 1}));
    EXPECT_EQ(tablica.BiezacaStrona, 0);
    EXPECT_EQ(tablica.Naglowki, (std::array<std::string, 3>{"WARUNEK: \"vat\"", "", "PRZEPIS: " + przepis}));
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 6}));
    EXPECT_EQ(q->WarunekPelny, "");
    // The query's chamber and provision are those of its last search, not the report's.
    EXPECT_EQ(q->Izba, 12);
    EXPECT_EQ(q->Przepis, 0);

    // Saved again at once under another name: an empty condition, the same documents in the same
    // order, the chamber and provision the query holds.
    EXPECT_EQ(TekstRaportu(tablica, *q), "warunek=\nizba=12\nprzepis=0\nplik=6|1");

    // "Tylko wyjaśnienia z bieżącego raportu": the next search keeps to the report's documents.
    q->TylkoDoRaportu = true;
    Szukanie("\"vat\" OR \"podatek\"", 0, 0);
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 6}));
    q->TylkoDoRaportu = false;
    Szukanie("\"vat\" OR \"podatek\"", 0, 0);
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 2, 3, 4, 5, 6}));
}

TEST_F(OtwarcieRaportuTest, HeaderLinesNameTheChamberAndProvisionOrAreEmpty) {
    q->Raport = "warunek=\nizba=12\nprzepis=0\nplik=";
    Otwarcie();
    EXPECT_EQ(tablica.Naglowki, (std::array<std::string, 3>{"", "IZBA: Izba Skarbowa w Krakowie", ""}));
    EXPECT_EQ(tablica.Liczba, 0);
    EXPECT_EQ(tablica.Podsumowanie(0), PL(u8"LICZBA WYJAŚNIEŃ: 0/0"));
    EXPECT_EQ(Dokumenty(q->Wynik), V({}));

    // Numbers the dictionaries do not hold give no line at all.
    q->Raport = "warunek=\"a\"\nizba=99\nprzepis=-7\nplik=2";
    Otwarcie();
    EXPECT_EQ(tablica.Naglowki, (std::array<std::string, 3>{"WARUNEK: \"a\"", "", ""}));
}

TEST_F(OtwarcieRaportuTest, NumbersOutsideTheStoreNeverReachTheTableOrTheResult) {
    q->Raport = "warunek=\nizba=0\nprzepis=0\nplik=7|2|0|6|-1|2147483647";
    const TRaport r = Otwarcie();
    EXPECT_EQ(r.PozaMagazynem, 4);
    EXPECT_EQ(Tablica(), V({2, 6}));
    EXPECT_EQ(Dokumenty(q->Wynik), V({2, 6}));
    EXPECT_EQ(q->Wynik.Dlugosc(), 7);
}

TEST_F(OtwarcieRaportuTest, ARefusedReportChangesNothing) {
    Szukanie("\"vat\"", 0, 0);
    tablica.BiezacaStrona = 0;
    tablica.Naglowki = {"", "IZBA: x", ""};
    const V przed = Tablica();
    const std::string warunek = q->WarunekPelny;

    for (const std::string& zly : {std::string("warunek=\r\nizba=7\r\nprzepis=0\r\nplik=1|2"), std::string("plik=1\0", 7),
                                  std::string("warunek=\nizba=0\nprzepis=0")}) {
        q->Raport = zly;
        EXPECT_THROW(Otwarcie(), EBladRaportu);
        EXPECT_EQ(Tablica(), przed);
        EXPECT_EQ(tablica.Naglowki[1], "IZBA: x");
        EXPECT_EQ(Dokumenty(q->Wynik), V({1, 2, 3, 6}));
        EXPECT_EQ(q->WarunekPelny, warunek);
    }

    // A report read against a larger store than the query's is the program's own error.
    TRaport obcy;
    obcy.Dokumenty = {1, 7};
    EXPECT_THROW(PrzejecieRaportu(obcy, sesja->Izby(), sesja->Przepisy(), tablica, *q), EInternalError);
    EXPECT_EQ(Tablica(), przed);
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 2, 3, 6}));
}
