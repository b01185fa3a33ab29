// The act reader below the windows: phrase buttons from the candidates at the caret, the query
// of an acts-mode search and of its counts, and find in the act text.
#include <gtest/gtest.h>

#include "FabrykaDanych.h"
#include "ParametryZapytania.h"
#include "Znajdowanie.h"
#include "Zapytanie.h"
#include "cp1250.h"

namespace {

std::array<std::string, LiczbaFraz> Napisy(std::initializer_list<const char*> n) {
    std::array<std::string, LiczbaFraz> a;
    size_t i = 0;
    for (const char* s : n) a[i++] = s;
    return a;
}

}  // namespace

TEST(UstawienieFraz, ButtonsGrowByAWordAndTheChoiceStaysWithinThem) {
    TFrazyAktu f = UstawienieFraz("Podatnik|płaci|podatek|od|dochodu", -1);
    EXPECT_EQ(f.Napisy, Napisy({"Podatnik", "Podatnik płaci", "Podatnik płaci podatek", "Podatnik płaci podatek od",
                                "Podatnik płaci podatek od dochodu"}));
    EXPECT_EQ(f.Wybrana, 4) << "no choice: the longest phrase";
    // From five candidates to two: the first or second stays chosen, a later one moves back.
    EXPECT_EQ(UstawienieFraz("a|b", 0).Wybrana, 0);
    EXPECT_EQ(UstawienieFraz("a|b", 1).Wybrana, 1);
    EXPECT_EQ(UstawienieFraz("a|b", 3).Wybrana, 1);
    EXPECT_EQ(UstawienieFraz("a|b", 3).Napisy, Napisy({"a", "a b"}));
    // No candidates: every button empty, nothing chosen; the first-tick marker is no candidate list.
    EXPECT_EQ(UstawienieFraz("", 2).Wybrana, -1);
    EXPECT_EQ(UstawienieFraz("", 2).Napisy, Napisy({}));
    // More than five fields: the sixth is never offered; an empty field disables its button only.
    EXPECT_EQ(UstawienieFraz("a|b|c|d|e|f", 4).Napisy[4], "a b c d e");
    EXPECT_EQ(UstawienieFraz("a||c", -1).Napisy, Napisy({"a", "", "a c"}));
}

TEST(ZapytanieAktu, SearchAndCountsTakeTheActAndThePhrase) {
    TParametryZapytania p;
    p.Akt = 4;
    p.Frazy = Napisy({"Organ", "Organ podatkowy"});
    p.WybranaFraza = 1;
    p.TylkoDoRaportu = true;
    p.Izba = 12;
    p.WarunekDodatkowy = "\"x\"";
    TTymczasowyKatalog k;
    BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "organ podatkowy"}});
    TOpcjeLadowania o;
    o.Katalog = k.Sciezka();
    TcZapytanie z(o);
    TcZapytanie glowne(z);
    z.Warunek = "\"stare\"";
    UstawienieZapytaniaAktu(p, z);
    EXPECT_EQ(z.Warunek, "\"Organ podatkowy\"");
    EXPECT_EQ(z.Przepis, 4);
    EXPECT_EQ(z.Izba, 0);
    EXPECT_EQ(z.WarunekDodatkowy, "");
    EXPECT_TRUE(z.Interpretacja);
    EXPECT_FALSE(z.PismoMinisterstwa);
    EXPECT_FALSE(z.TezaOrzeczenia);
    EXPECT_TRUE(z.TylkoDoRaportu);
    // No phrase chosen: the act alone, never the condition of an earlier search.
    p.WybranaFraza = -1;
    UstawienieZapytaniaAktu(p, z);
    EXPECT_EQ(z.Warunek, "");

    // Counts keep the editor's kinds; a phrase counts among the act's documents.
    p.PismoMinisterstwa = false;
    ASSERT_TRUE(UstawienieLiczenia(p, TPoleLiczby::Fraza2, z, glowne));
    EXPECT_EQ(z.Warunek, "\"Organ podatkowy\"");
    EXPECT_EQ(z.Przepis, 4);
    EXPECT_EQ(z.Izba, 0);
    EXPECT_FALSE(z.PismoMinisterstwa);
    EXPECT_TRUE(z.TezaOrzeczenia);
    ASSERT_TRUE(UstawienieLiczenia(p, TPoleLiczby::Akt, z, glowne));
    EXPECT_EQ(z.Warunek, "");
    EXPECT_EQ(z.Przepis, 4);
    EXPECT_FALSE(UstawienieLiczenia(p, TPoleLiczby::Fraza3, z, glowne)) << "a disabled button";
    p.Akt = 0;
    EXPECT_FALSE(UstawienieLiczenia(p, TPoleLiczby::Akt, z, glowne));
}

TEST(Znajdowanie, FindsForwardWithoutCaseAndOnlyWholeWordsWhenAsked) {
    const std::string tekst = PL("Podatnik płaci. PODATNICY płacą; podatnik-osoba i Podatnik.");
    TcZnajdowanie z;
    EXPECT_FALSE(z.SzukanieTekstu(false, tekst, 0, 0)) << "nothing to find";
    z.SzukanyTekst = PL("PŁACI");
    EXPECT_EQ(z.SzukanieTekstu(false, tekst, 0, 0), 9);
    z.SzukanyTekst = "podatni";
    EXPECT_EQ(z.SzukanieTekstu(false, tekst, 0, 0), 0);
    // Continuing starts after the selected match; a fresh find starts at the caret.
    EXPECT_EQ(z.SzukanieTekstu(true, tekst, 0, 7), 16);
    EXPECT_EQ(z.SzukanieTekstu(false, tekst, 16, 7), 16);
    EXPECT_EQ(z.SzukanieTekstu(true, tekst, 16, 7), 33);
    EXPECT_EQ(z.SzukanieTekstu(true, tekst, 33, 7), 50);
    // Past the last one: none, and no wrapping round. The window then leaves the caret at the
    // last match's start, and the next find starts there: the same match again.
    EXPECT_EQ(z.SzukanieTekstu(true, tekst, 50, 7), -1);
    EXPECT_EQ(z.OstatniaPozycja, -1);
    EXPECT_EQ(z.SzukanieTekstu(true, tekst, 50, 0), 50);
    // Whole words: not inside longer words; a hyphen or the end of the text ends a word.
    z.CaleWyrazy = true;
    EXPECT_EQ(z.SzukanieTekstu(false, tekst, 0, 0), -1);
    z.SzukanyTekst = "podatnik";
    EXPECT_EQ(z.SzukanieTekstu(false, tekst, 1, 0), 33);
    EXPECT_EQ(z.SzukanieTekstu(true, tekst, 33, 8), 50);
    z.SzukanyTekst = PL("płac");
    EXPECT_EQ(z.SzukanieTekstu(false, tekst, 0, 0), -1) << "Polish letters belong to words";
}
