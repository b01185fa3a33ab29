#include <gtest/gtest.h>

#include "TablicaRaportu.h"
#include "WierszRaportu.h"
#include "cp1250.h"

namespace {

TcTablicaLogiczna Zbior(int32_t n, std::initializer_list<int32_t> dokumenty) {
    TcTablicaLogiczna z(n + 1);
    for (int32_t d : dokumenty) z.Zapis()[size_t(d)] = 1;
    return z;
}

TcTablicaLogiczna Pierwsze(int32_t n, int32_t ile) {
    TcTablicaLogiczna z(n + 1);
    for (int32_t d = 1; d <= ile; ++d) z.Zapis()[size_t(d)] = 1;
    return z;
}

}  // namespace

TEST(TablicaRaportu, FilledHighestFirstAllCheckedHeadersCleared) {
    TcTablicaRaportu t;
    t.Naglowki = {"WARUNEK: x", "", "PRZEPIS: y"};
    t.BiezacaStrona = 3;
    t.PrzygotowanieRaportu(Zbior(20, {3, 17, 20, 1}));
    ASSERT_EQ(t.Liczba, 4);
    EXPECT_EQ(t.Pozycje[1].NrDokumentu, 20);
    EXPECT_EQ(t.Pozycje[2].NrDokumentu, 17);
    EXPECT_EQ(t.Pozycje[3].NrDokumentu, 3);
    EXPECT_EQ(t.Pozycje[4].NrDokumentu, 1);
    EXPECT_EQ(t.LiczbaZaznaczonych(), 4);
    EXPECT_EQ(t.BiezacaStrona, 0);
    for (const auto& n : t.Naglowki) EXPECT_EQ(n, "");
    // Slot 0 of a set is never a document.
    TcTablicaLogiczna z(5);
    z.Zapis()[0] = 1;
    t.PrzygotowanieRaportu(z);
    EXPECT_EQ(t.Liczba, 0);
}

TEST(TablicaRaportu, SummariesAndPagingAt0_50_51) {
    TcTablicaRaportu t;
    t.PrzygotowanieRaportu(Pierwsze(100, 0));
    EXPECT_EQ(t.OstatniaStrona(), 0);
    EXPECT_EQ(t.Podsumowanie(0), PL(u8"LICZBA WYJAŚNIEŃ: 0/0"));
    EXPECT_FALSE(t.MoznaNaPoczatek() || t.MoznaDalej() || t.MoznaNaKoniec());

    t.PrzygotowanieRaportu(Pierwsze(100, 50));
    EXPECT_EQ(t.OstatniaStrona(), 0);
    EXPECT_EQ(t.OstatniaNaStronie(), 50);
    EXPECT_EQ(t.Podsumowanie(50), PL(u8"LICZBA WYJAŚNIEŃ: 50/50"));
    EXPECT_FALSE(t.MoznaDalej() || t.MoznaNaKoniec() || t.MoznaNaPoczatek());

    t.PrzygotowanieRaportu(Pierwsze(100, 51));
    EXPECT_EQ(t.OstatniaStrona(), 1);
    EXPECT_EQ(t.Podsumowanie(50), PL(u8"LICZBA WYJAŚNIEŃ: [ 1 - 50 ] / 51"));
    EXPECT_TRUE(t.MoznaDalej() && t.MoznaNaKoniec());
    EXPECT_FALSE(t.MoznaNaPoczatek());
    t.BiezacaStrona = 1;
    EXPECT_EQ(t.PierwszaNaStronie(), 51);
    EXPECT_EQ(t.OstatniaNaStronie(), 51);
    EXPECT_EQ(t.Podsumowanie(1), PL(u8"LICZBA WYJAŚNIEŃ: [ 51 - 51 ] / 51"));
    EXPECT_TRUE(t.MoznaNaPoczatek());
    EXPECT_FALSE(t.MoznaDalej() || t.MoznaNaKoniec());
}

TEST(TablicaRaportu, CheckMarksFollowTheDocumentNotThePosition) {
    TcTablicaRaportu t;
    t.PrzygotowanieRaportu(Pierwsze(200, 120));   // entries 1..120 hold 120..1
    t.BiezacaStrona = 1;
    t.UstawienieZaznaczenia(65, false);            // entry 56, on this page
    t.UstawienieZaznaczenia(119, false);           // entry 2, another page
    EXPECT_FALSE(t.Pozycje[56].Zaznaczony);
    EXPECT_FALSE(t.Pozycje[2].Zaznaczony);
    EXPECT_EQ(t.LiczbaZaznaczonych(), 118);
    t.ZaznaczenieWszystkich(false);
    EXPECT_EQ(t.LiczbaZaznaczonych(), 0);
    t.ZaznaczenieWszystkich(true);
    EXPECT_EQ(t.LiczbaZaznaczonych(), 120);
    EXPECT_FALSE(t.Pozycje[121].Zaznaczony);       // beyond the count untouched
}

TEST(WierszRaportu, PackedDatesFormatBothWays) {
    EXPECT_EQ(DataDzienMiesiacRok(0x2C8F5A21), "15-04-2002");
    EXPECT_EQ(KluczSortowania(0x2C8F5A21), "2002-04-15 11:17");
    const auto d = RozpakowanieDatyWpisu(0x2C8F5A21);
    EXPECT_EQ(d.Sekunda, 2);
    // The sort key orders by time too, and ignores seconds.
    EXPECT_TRUE(WczesniejWLiscie(KluczSortowania(0x2C8F5A40), KluczSortowania(0x2C8F5A21)));
    EXPECT_FALSE(WczesniejWLiscie(KluczSortowania(0x2C8F5A3F), KluczSortowania(0x2C8F5A21)));
}

TEST(WierszRaportu, WrappingBreaksAfterBlanksAndHyphensOnly) {
    const std::string t = "ala ma kota, a kot-ma \"ale i psa\" oraz 'rybki w akwarium'";
    const std::string z = ZawijanieTekstu(t, 10);
    size_t od = 0;
    std::string sklejony;
    for (size_t p; (p = z.find("\r\n", od)) != std::string::npos; od = p + 2) {
        EXPECT_LE(p - od, 10u) << z;
        const char ostatni = z[p - 1];
        EXPECT_TRUE(ostatni == ' ' || ostatni == '-') << z;
        sklejony += z.substr(od, p - od);
    }
    sklejony += z.substr(od);
    EXPECT_EQ(sklejony, t);   // nothing lost or added but the breaks
    EXPECT_EQ(ZawijanieTekstu("abc-defgh-ij", 6), "abc-\r\ndefgh-\r\nij");
    // Quotes do not hold a break back.
    EXPECT_EQ(ZawijanieTekstu("x \"ab cd\" 'ef gh'", 4), "x \r\n\"ab \r\ncd\" \r\n'ef \r\ngh'");
    // A word longer than a line stays whole.
    EXPECT_EQ(ZawijanieTekstu("a konstantynopolitanczykowianeczka b", 8), "a \r\nkonstantynopolitanczykowianeczka \r\nb");
    EXPECT_EQ(ZawijanieTekstu("krotki", 40), "krotki");
    EXPECT_EQ(LiczbaLinii("a\r\nb\r\nc"), 3);
}

TEST(WierszRaportu, ABreakPlaceJustPastTheWidthDoesNotWidenTheLine) {
    // The hyphen or blank is the sixth character: taking it would make a line of six.
    EXPECT_EQ(ZawijanieTekstu("ab cd-ef", 5), "ab \r\ncd-ef");
    EXPECT_EQ(ZawijanieTekstu("ab cd ef", 5), "ab \r\ncd ef");
}

TEST(WierszRaportu, RowTextStartsWithDateAndKeeps480Characters) {
    std::string html = "<HTML><TITLE>tytul</TITLE><P>   Podatek\ndochodowy ";
    html += std::string(600, 'x');
    const std::string w = TekstWiersza(0x2C8F5A21, html, 1000);
    EXPECT_EQ(w.rfind("[ 15-04-2002 ] Podatek dochodowy x", 0), 0u) << w;
    // The cut comes before the line feed of <P> and the blank after it are removed.
    EXPECT_EQ(w.size(), std::string("[ 15-04-2002 ] ").size() + 480 - 2);
    EXPECT_EQ(PoczatekTekstu("<P><P>  \n a"), "a");
    EXPECT_EQ(WysokoscWiersza(68), 8);    // 480 / 68 rounded up
    EXPECT_EQ(WysokoscWiersza(48), 10);
    EXPECT_EQ(ZnakowWLinii(413), 68);
}

TEST(WierszRaportu, SummaryRowCarriesHeaderLinesOnFirstPageOnly) {
    const std::array<std::string, 3> n{"WARUNEK: " + std::string(30, 'w'), "", "PRZEPIS: art. 15"};
    auto w = WierszPodsumowania("S", n, true, 19);
    EXPECT_EQ(w.Wysokosc, 1 + (1 + 39 / 20) + (1 + 16 / 20));
    EXPECT_EQ(w.Tekst.rfind("S\r\nWARUNEK: \r\n", 0), 0u) << w.Tekst;
    EXPECT_NE(w.Tekst.find("\r\nPRZEPIS: art. 15"), std::string::npos);
    w = WierszPodsumowania("S", n, false, 19);
    EXPECT_EQ(w.Tekst, "S");
    EXPECT_EQ(w.Wysokosc, 1);
}
