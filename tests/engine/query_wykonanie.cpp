// Running whole queries: the full condition, filters, kinds, the report restriction, a wrong
// additional condition, the counting copy and the document records.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "ParserBool.h"
#include "Sesja.h"
#include "ZapisDanych.h"
#include "Zapytanie.h"
#include "bSlownikTxt.h"
#include "cp1250.h"

namespace {

// Documents 1..6: 1 and 6 interpretations, 2 and 3 letters, 4 and 5 theses.
class Zapytanie : public ::testing::Test {
protected:
    void SetUp() override {
        TOpcjeKatalogu opcje;
        opcje.Izby = {{12, "Izba Skarbowa w Krakowie"}, {13, "Izba pusta"}};
        BudowaKatalogu(dir.Sciezka(),
                       {
                           {"0049999.htm", "vat stawka", 12, {7}},
                           {"0050000.htm", "vat zwolnienie", 12, {}},
                           {"0056999.htm", "vat", 0, {7}},
                           {"0057000.htm", "podatek stawka", 12, {7}},
                           {"0063999.htm", "podatek", 0, {}},
                           {"0064000.htm", "vat zwolnienie stawka", 0, {7, 8}, 0x2C8F5A21},
                       },
                       opcje);
        TOpcjeSesji o;
        o.Ladowanie.Katalog = dir.Sciezka();
        o.OdczytKonfiguracji = false;
        sesja = std::make_unique<TcSesja>(o);
        q = &sesja->Zapytanie();
        parser = &sesja->Parser();
        izby = &sesja->Izby();
        WszystkieRodzaje(*q);
    }
    static void WszystkieRodzaje(TcZapytanie& z) { z.Interpretacja = z.PismoMinisterstwa = z.TezaOrzeczenia = true; }
    bool Wykonanie() { return q->WykonanieZapytania(*parser); }
    TTymczasowyKatalog dir;
    std::unique_ptr<TcSesja> sesja;   // the dictionaries, the query and the parser, wired as the program wires them
    TcZapytanie* q = nullptr;
    TcParserBool* parser = nullptr;
    const TcSlownikTxtIzba* izby = nullptr;
};

using V = std::vector<int32_t>;

TEST_F(Zapytanie, FullConditionIsComposedFromBothConditions) {
    q->Warunek = " \"vat\"\t";
    q->WarunekDodatkowy = "\"stawka\" OR \"zwolnienie\"";
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(q->WarunekPelny, "( \"vat\" ) AND ( \"stawka\" OR \"zwolnienie\" )");
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 2, 6}));
    EXPECT_EQ(q->Raport, "X");

    q->Warunek.clear();
    q->WarunekDodatkowy = "\"podatek\"\r\nOR \"vat\"";
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(q->WarunekPelny, "\"podatek\"  OR \"vat\"");
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 2, 3, 4, 5, 6}));

    q->Warunek = "\"podatek\" AND_NOT \"stawka\"";
    q->WarunekDodatkowy.clear();
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(q->WarunekPelny, q->Warunek);
    EXPECT_EQ(Dokumenty(q->Wynik), V({5}));

    q->Warunek.clear();   // no condition at all: every document that passes the filters
    q->Izba = 12;
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(q->WarunekPelny, "");
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 2, 4}));
}

TEST_F(Zapytanie, UnclosedQuoteInTheAdditionalConditionJoinsSafely) {
    // Alone, «"vat" OR "stawka» is valid: the open quote runs to the end. Joined with a standard
    // condition it must not swallow the closing parenthesis.
    q->Warunek = "\"zwolnienie\"";
    q->WarunekDodatkowy = "\"podatek\" OR \"stawka";
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(q->WarunekPelny, "( \"zwolnienie\" ) AND ( \"podatek\" OR \"stawka\" )");
    EXPECT_EQ(Dokumenty(q->Wynik), V({6}));

    q->Warunek.clear();   // alone it stays as typed
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(q->WarunekPelny, "\"podatek\" OR \"stawka");
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 4, 5, 6}));
}

TEST_F(Zapytanie, KindsAreClearedByTheirBoundaries) {
    EXPECT_EQ(q->PoczatekPism, 2);
    EXPECT_EQ(q->PoczatekTez, 4);
    EXPECT_EQ(q->KoniecTez, 5);
    q->Warunek = "\"*\"";
    struct { bool i, p, t; V wynik; } przypadki[] = {
        {true, true, true, {1, 2, 3, 4, 5, 6}}, {false, false, false, {}}, {true, false, false, {1, 6}},
        {false, true, false, {2, 3}},           {false, false, true, {4, 5}}, {false, true, true, {2, 3, 4, 5}},
    };
    for (const auto& p : przypadki) {
        q->Interpretacja = p.i;
        q->PismoMinisterstwa = p.p;
        q->TezaOrzeczenia = p.t;
        ASSERT_TRUE(Wykonanie());
        EXPECT_EQ(Dokumenty(q->Wynik), p.wynik) << p.i << p.p << p.t;
    }
}

TEST_F(Zapytanie, ChamberAndProvisionFilters) {
    q->Warunek = "\"vat\" OR \"podatek\"";
    q->Przepis = 7;
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 3, 4, 6}));
    q->Izba = 12;
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 4}));
    q->Izba = 13;   // a group without documents
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(Dokumenty(q->Wynik), V{});
    q->Izba = 7;    // not in the dictionary: empty whatever the condition
    q->Przepis = 0;
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(Dokumenty(q->Wynik), V{});
    TcTablicaLogiczna izba7(q->LiczbaDokumentow() + 1);
    q->SzukanieIzby(7, izba7);
    EXPECT_EQ(Dokumenty(izba7), V{});
}

TEST_F(Zapytanie, GroupThatDisagreesWithTheDictionaryIsAnInternalError) {
    // Point chamber 12 at the group of chamber 13.
    const int32_t poz13 = izby->PozycjaWgNumeru(13);
    ASSERT_GE(poz13, 0);
    q->WspolnyMagazyn()->IzbyMix.DoZmiany()[size_t(izby->PozycjaWgNumeru(12)) / 4] = 99;
    TcTablicaLogiczna z(q->LiczbaDokumentow() + 1);
    try {
        q->SzukanieIzby(12, z);
        FAIL();
    } catch (const EInternalError& e) {
        EXPECT_EQ(cp1250::toUtf8(e.what()), "Nieoczekiwany błąd: TcZapytanie.SzukanieIzby.1.\r");
    }
    q->SzukanieIzby(13, z);
    EXPECT_EQ(Dokumenty(z), V{});
}

TEST_F(Zapytanie, ReportRestriction) {
    q->Warunek = "\"vat\"";
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 2, 3, 6}));
    q->Warunek = "\"stawka\"";
    q->TylkoDoRaportu = true;
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 6}));
    q->Raport.clear();   // no current result: nothing to restrict to
    ASSERT_TRUE(Wykonanie());
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 4, 6}));
}

TEST_F(Zapytanie, WrongAdditionalConditionChangesNothing) {
    q->Warunek = "\"vat\"";
    ASSERT_TRUE(Wykonanie());
    const std::string pelny = q->WarunekPelny;
    q->Raport = "raport";
    q->Warunek = "\"podatek\"";
    q->WarunekDodatkowy = "\"stawka\" \"vat\"";
    EXPECT_FALSE(Wykonanie());
    EXPECT_FALSE(q->BladWarunkuStandardowego());
    EXPECT_EQ(cp1250::toUtf8(parser->Blad), "Brak operatora działania.");
    EXPECT_EQ(parser->PozycjaBledu, 10);
    EXPECT_EQ(q->Raport, "raport");
    EXPECT_EQ(q->WarunekPelny, pelny);
    EXPECT_EQ(Dokumenty(q->Wynik), V({1, 2, 3, 6}));
}

TEST_F(Zapytanie, MalformedStandardConditionIsAnInternalError) {
    q->Warunek = "\"vat\" \"podatek\"";
    try {
        Wykonanie();
        FAIL();
    } catch (const EInternalError& e) {
        EXPECT_EQ(cp1250::toUtf8(e.what()), "bebłąd !!!");
    }
}

TEST_F(Zapytanie, TooLongPhraseIsTheUsersError) {
    std::string dluga = "\"";
    for (int i = 0; i < 17; ++i) dluga += "vat ";
    dluga += "\"";
    q->Warunek = dluga;   // in the standard condition too: no internal error
    EXPECT_FALSE(Wykonanie());
    EXPECT_EQ(cp1250::toUtf8(parser->Blad), "Fraza może mieć najwyżej 16 słów.");
    EXPECT_TRUE(q->BladWarunkuStandardowego());
    EXPECT_TRUE(q->Raport.empty());
    q->Warunek = "\"vat\"";
    q->WarunekDodatkowy = "\"stawka\" OR " + dluga;
    EXPECT_FALSE(Wykonanie());
    EXPECT_FALSE(q->BladWarunkuStandardowego());
    EXPECT_EQ(parser->PozycjaBledu, 13);
    EXPECT_EQ(parser->DlugoscBledu, int32_t(dluga.size()));
    // Joined with a correct additional condition, the standard one is still the one at fault.
    q->Warunek = dluga;
    q->WarunekDodatkowy = "\"stawka\"";
    EXPECT_FALSE(Wykonanie());
    EXPECT_TRUE(q->BladWarunkuStandardowego());
}

TEST_F(Zapytanie, CountingCopySharesTheStore) {
    TcZapytanie kopia(*q);
    WszystkieRodzaje(kopia);
    EXPECT_TRUE(kopia.Kopia());
    EXPECT_FALSE(q->Kopia());
    EXPECT_EQ(kopia.Wynik.Dlugosc(), q->Wynik.Dlugosc());
    EXPECT_EQ(kopia.PoczatekTez, 4);
    EXPECT_EQ(kopia.WspolnyMagazyn(), q->WspolnyMagazyn());
    kopia.Warunek = "\"zwolnienie\"";
    ASSERT_TRUE(kopia.WykonanieZapytania(*parser));
    EXPECT_EQ(kopia.Wynik.Liczba(), 2);
    EXPECT_TRUE(q->Raport.empty());   // the loading object's result is untouched
    // The dictionaries come with the store: the copy filters by chamber and provision.
    kopia.Warunek = "\"vat\"";
    kopia.Izba = 12;
    kopia.Przepis = 7;
    ASSERT_TRUE(kopia.WykonanieZapytania(*parser));
    EXPECT_EQ(Dokumenty(kopia.Wynik), V({1}));
}

TEST_F(Zapytanie, DocumentRecords) {
    const TDokument d = q->OdczytanieDokumentu(6);
    EXPECT_EQ(d.Data, 0x2C8F5A21u);
    const TDataCzas c = RozpakowanieDaty(d.Data);
    EXPECT_EQ(c.Rok, 2002);
    EXPECT_EQ(c.Miesiac, 4);
    EXPECT_EQ(c.Dzien, 15);
    EXPECT_EQ(c.Godzina, 11);
    EXPECT_EQ(c.Minuta, 17);
    EXPECT_EQ(c.Sekunda, 2);
    EXPECT_EQ(d.Tekst, "<HTML><BODY><P>vat zwolnienie stawka</P></BODY></HTML>");
    EXPECT_EQ(q->OdczytanieDokumentu(1).Tekst, "<HTML><BODY><P>vat stawka</P></BODY></HTML>");
    EXPECT_THROW(q->OdczytanieDokumentu(0), EInternalError);
    EXPECT_THROW(q->OdczytanieDokumentu(7), EInternalError);
}

// Records keep "&", "=" and line breaks through scrambling, byte for byte.
TEST(ZapytanieRekordy, KeptCharactersSurvive) {
    TTymczasowyKatalog dir;
    const std::string html = "<P>a&amp;b=c\r\nd\x01\xB1\xE6</P>";
    {
        TZapisIndeksu z(dir.Sciezka());
        z.DodanieDokumentu("0000001.htm", 0x30A15000, html, {"A"}, 0, {});
        z.Zakonczenie();
    }
    TcZapytanie q(TOpcjeLadowania{dir.Sciezka()});
    EXPECT_EQ(q.OdczytanieDokumentu(1).Tekst, html);
}

}  // namespace
