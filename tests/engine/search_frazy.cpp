// Phrase search on small data directories, every case in memory and in disk mode.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "SkanowanieFraz.h"
#include "Zapytanie.h"
#include "cp1250.h"

namespace {

// Memory mode with posting lists, memory mode scanning the image, disk mode.
enum class Tryb { Listy, Skan, Dysk };

class SzukanieFrazy : public ::testing::TestWithParam<Tryb> {
protected:
    void Budowa(const std::vector<std::string>& teksty) {
        std::vector<TDokumentTestowy> dok;
        for (size_t i = 0; i < teksty.size(); ++i) dok.push_back({Nazwa(int(i) + 1), teksty[i]});
        TOpcjeKatalogu opcje;
        opcje.PodzialSilnika = true;
        opcje.Znaki = "\xA7.";
        BudowaKatalogu(dir.Sciezka(), dok, opcje);
        TOpcjeLadowania l;
        l.Katalog = dir.Sciezka();
        l.WymusDysk = GetParam() == Tryb::Dysk;
        q = std::make_unique<TcZapytanie>(l);
        q->ListyWPamieci = GetParam() == Tryb::Listy;
    }
    std::vector<int32_t> Szukaj(const std::string& frazaUtf8) {
        TcTablicaLogiczna z(q->LiczbaDokumentow() + 1);
        q->SzukanieFrazy(cp1250::fromUtf8(frazaUtf8), z);
        return Dokumenty(z);
    }
    TTymczasowyKatalog dir;
    std::unique_ptr<TcZapytanie> q;
};

using V = std::vector<int32_t>;

TEST_P(SzukanieFrazy, WordsMustBeAdjacentAndInOneDocument) {
    Budowa({"podatek od towarów", "podatek dochodowy od osób", "dochodowy zysk podatek", "stawka podatek",
            "dochodowy koszt"});
    ASSERT_EQ(q->NaDysku, GetParam() == Tryb::Dysk);
    EXPECT_EQ(Szukaj("podatek dochodowy"), V({2}));      // 3 has both words, not next to each other
    EXPECT_EQ(Szukaj("\"Podatek  DOCHODOWY\""), V({2})); // quotes, case and blanks do not matter
    EXPECT_EQ(Szukaj("podatek dochodowy od osób"), V({2}));
    EXPECT_EQ(Szukaj("podatek"), V({1, 2, 3, 4}));
    EXPECT_EQ(Szukaj("podatek dochodowy zysk"), V{});
    // Last word of document 4 followed by the first of document 5 is no phrase.
    EXPECT_EQ(Szukaj("podatek dochodowy koszt"), V{});
    EXPECT_EQ(Szukaj("towarów podatek"), V{});
    EXPECT_EQ(Szukaj("towary"), V{});                     // absent word: the phrase fails
    EXPECT_EQ(Szukaj("podatek towary"), V{});
}

TEST_P(SzukanieFrazy, Wildcards) {
    Budowa({"podatek dochodowy", "podatkowy obowiązek", "opodatkowanie", "zwolnienie podmiotowe", "  , ;"});
    EXPECT_EQ(Szukaj("podat*"), V({1, 2}));
    EXPECT_EQ(Szukaj("po*dat"), V({1, 2, 4}));            // same as PO*
    EXPECT_EQ(Szukaj("*"), V({1, 2, 3, 4}));              // every document with a word
    EXPECT_EQ(Szukaj("qqq*"), V{});
    EXPECT_EQ(Szukaj("podat* dochod*"), V({1}));
    EXPECT_EQ(Szukaj("podatkowy obow*"), V({2}));
    EXPECT_EQ(Szukaj("z* p*"), V({4}));
    EXPECT_EQ(Szukaj(""), V{});
    EXPECT_EQ(Szukaj(" ,;()"), V{});
}

TEST_P(SzukanieFrazy, RepeatedWordsPunctuationAndNumbers) {
    Budowa({"a a a", "b a", "art.15 ust. 2", "§ 5 pkt 15a", "spółka-matka płaci", "spółka matka"});
    EXPECT_EQ(Szukaj("a a"), V({1}));
    EXPECT_EQ(Szukaj("a a a"), V({1}));
    EXPECT_EQ(Szukaj("a a a a"), V{});
    EXPECT_EQ(Szukaj("art. 15"), V({3}));
    EXPECT_EQ(Szukaj("ART.15"), V({3}));
    EXPECT_EQ(Szukaj("art 15"), V{});                     // the dot is an indexed word
    EXPECT_EQ(Szukaj("§5"), V({4}));
    EXPECT_EQ(Szukaj("15 a"), V({4}));
    EXPECT_EQ(Szukaj("Spółka-Matka"), V({5}));
    EXPECT_EQ(Szukaj("spółka matka"), V({6}));
}

TEST_P(SzukanieFrazy, SixteenWordsAtMost) {
    std::string tekst;
    auto slowo = [](int i) { return std::string{'s', char('a' + i), ' '}; };
    for (int i = 0; i < 20; ++i) tekst += slowo(i);
    Budowa({tekst, "sa sb"});
    std::string fraza16, fraza17;
    for (int i = 0; i < 17; ++i) (i < 16 ? fraza16 : fraza17) += slowo(i);
    fraza17 = fraza16 + fraza17;
    EXPECT_EQ(Szukaj(fraza16), V({1}));
    EXPECT_FALSE(q->FrazaZaDluga());
    EXPECT_EQ(Szukaj(fraza17), V{});
    EXPECT_TRUE(q->FrazaZaDluga());
    std::string zNieznanym = "qq ";
    zNieznanym += fraza17;
    EXPECT_EQ(Szukaj(zNieznanym), V{});                  // refused even when a word is absent
    EXPECT_TRUE(q->FrazaZaDluga());
    EXPECT_EQ(Szukaj("sa sb"), V({1, 2}));
    EXPECT_FALSE(q->FrazaZaDluga());
}

INSTANTIATE_TEST_SUITE_P(Tryby, SzukanieFrazy, ::testing::Values(Tryb::Listy, Tryb::Skan, Tryb::Dysk),
                         [](const auto& i) {
                             return std::string(i.param == Tryb::Listy ? "Listy" : i.param == Tryb::Skan ? "Skan" : "Dysk");
                         });

TEST(SzukanieSlowa, HalvingModes) {
    TTymczasowyKatalog dir;
    BudowaKatalogu(dir.Sciezka(), {{"0000001.htm", "bbb ddd dda ff"}});
    const TcMagazynIndeksu m(TOpcjeLadowania{dir.Sciezka()});
    // Words: BBB(1) DDA(2) DDD(3) FF(4).
    ASSERT_EQ(m.W, 4);
    EXPECT_EQ(SzukanieSlowa(m, "DDD", 0), 3);
    EXPECT_EQ(SzukanieSlowa(m, "ddd", 0), 3);             // ASCII letters fold
    EXPECT_EQ(SzukanieSlowa(m, "DDC", 0), 0);
    EXPECT_EQ(SzukanieSlowa(m, "DD", 1), 2);
    EXPECT_EQ(SzukanieSlowa(m, "DD\xFF", -1), 3);
    EXPECT_EQ(SzukanieSlowa(m, "C", 1), 0);               // DDA does not begin with C
    EXPECT_EQ(SzukanieSlowa(m, "A", -1), 0);
    EXPECT_EQ(SzukanieSlowa(m, "ZZ", -1), 4);
    EXPECT_EQ(SzukanieSlowa(m, "", 1), 1);
}

// A prefix can have crossed bounds: "A*" begins at "A˙˙" but ends before it, at the last word
// not after "A˙" (˙ is the highest byte). Such a range holds no word; read as a span from its
// first bound it would hold every word.
TEST(SzukanieFrazyZakresy, PrefixWithCrossedBoundsMatchesNoOtherDocument) {
    TTymczasowyKatalog dir;
    BudowaKatalogu(dir.Sciezka(), {{"0000001.htm", "a˙˙"}, {"0000002.htm", "b c"}});
    for (bool dysk : {false, true})
        for (bool listy : {false, true}) {
            TOpcjeLadowania l;
            l.Katalog = dir.Sciezka();
            l.WymusDysk = dysk;
            TcZapytanie q(l);
            ASSERT_EQ(q.Magazyn().Slowa[1], "A\xFF\xFF");
            q.ListyWPamieci = listy;
            TcTablicaLogiczna z(q.LiczbaDokumentow() + 1);
            q.SzukanieFrazy("A*", z);
            EXPECT_FALSE(z[2]) << (dysk ? "disk" : "memory") << (listy ? ", lists" : "");
        }
}

// An image whose separators disagree with plik.ref is the program's error, not an empty result.
TEST(SzukanieFrazyObraz, StraySeparatorIsAnInternalError) {
    TTymczasowyKatalog dir;
    BudowaKatalogu(dir.Sciezka(), {{"0000001.htm", "aa bb cc"}, {"0000002.htm", "dd ee"}});
    TcZapytanie q(TOpcjeLadowania{dir.Sciezka()});
    ASSERT_FALSE(q.NaDysku);
    q.WspolnyMagazyn()->Obraz.DoZmiany()[1] = 0;                     // "aa 0 cc 0 dd ee 0"
    q.ListyWPamieci = false;   // the posting lists trust the check made at load, which this change follows
    TcTablicaLogiczna z(q.LiczbaDokumentow() + 1);
    try {
        q.SzukanieFrazy("ee", z);
        FAIL() << "no error";
    } catch (const EInternalError& e) {
        EXPECT_EQ(std::string(e.what()), cp1250::fromUtf8("Nieoczekiwany błąd: TfGlowne.SzukanieFrazy.1.\n"));
    }
}

}  // namespace
