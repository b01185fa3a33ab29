// The template table: made on first start, identifiers, descriptions unique without regard to
// letter case, copies' descriptions, and an index rebuilt at every start.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "Bledy.h"
#include "FabrykaDanych.h"
#include "cp1250.h"
#include "d_Szablon.h"

namespace fs = std::filesystem;

namespace {

void Dopisz(TcTabelaDbf& t, int32_t id, const std::string& opis, std::optional<int64_t> izba = std::nullopt) {
    t.Dopisanie();
    t.ZapisanieLiczby("ID_SZABL", id);
    t.ZapisaniePola("OPIS", opis);
    t.ZapisanieLiczby("ID_PRZEP", 0);
    t.ZapisanieLiczby("ID_IZBY", izba);
    t.ZapisaniePola("WARUNEK", "\"" + opis + "\"");
    t.Zatwierdzenie();
}

std::vector<std::string> Opisy(TcTabelaDbf& t) {
    std::vector<std::string> o;
    for (t.PrzejscieNaPierwszy(); !t.Pusta() && !t.Koniec(); t.PrzejscieNaNastepny())
        o.push_back(*t.OdczytaniePola("OPIS"));
    return o;
}

}  // namespace

TEST(SzablonyTabela, FirstStartMakesTheEmptyTableWhoseFirstTemplateIsOne) {
    TTymczasowyKatalog k;
    Tdm_Szablon dm(k.Sciezka());
    std::vector<std::string> pliki;
    for (const auto& e : fs::directory_iterator(k.Sciezka())) pliki.push_back(cp1250::lower(e.path().filename().string()));
    std::sort(pliki.begin(), pliki.end());
    EXPECT_EQ(pliki, (std::vector<std::string>{"i_opis.ndx", "szablon.dbf", "szablon.dbt"}));
    EXPECT_TRUE(dm.tb_Szablon.Pusta());
    EXPECT_EQ(AutoInkrementacja(dm.tb_Szablon), 1);
    // The command-line tool never creates it.
    TTymczasowyKatalog pusty;
    EXPECT_THROW(Tdm_Szablon(pusty.Sciezka(), true), EInOutError);
    EXPECT_TRUE(fs::is_empty(pusty.Sciezka()));
}

TEST(SzablonyTabela, TheNextIdentifierFollowsTheLastDescriptionAndPassesTheCount) {
    TTymczasowyKatalog k;
    Tdm_Szablon dm(k.Sciezka());
    TcTabelaDbf& t = dm.tb_Szablon;
    Dopisz(t, 1, "A");
    Dopisz(t, 5, "B");
    Dopisz(t, 2, "C");
    ASSERT_TRUE(t.Odszukanie("OPIS", "B"));
    // C is last by description: 2 + 1 = 3 is free, but 3 templates make it at least 4.
    EXPECT_EQ(AutoInkrementacja(t), 4);
    EXPECT_EQ(t.OdczytaniePola("OPIS"), "B") << "the current template stays current";
    // Z (6) is last by description and 7 is in use: 8.
    Dopisz(t, 3, "0");
    Dopisz(t, 7, "M");
    Dopisz(t, 6, "Z");
    EXPECT_EQ(AutoInkrementacja(t), 8);
}

TEST(SzablonyTabela, DescriptionsAreUniqueWithoutRegardToPolishLetterCase) {
    TTymczasowyKatalog k;
    Tdm_Szablon dm(k.Sciezka());
    TcTabelaDbf& t = dm.tb_Szablon;
    Dopisz(t, 1, "Podatek");
    Dopisz(t, 2, PL(u8"Zażółć"));
    EXPECT_FALSE(UnikalnyOpis(t, "PODATEK", 1));
    EXPECT_FALSE(UnikalnyOpis(t, PL(u8"ZAŻÓŁĆ"), 1));
    EXPECT_TRUE(UnikalnyOpis(t, "Podatek ", 1)) << "windows trim first: a trailing space differs";
    // Editing Podatek may keep its own description, not take another's.
    ASSERT_TRUE(t.Odszukanie("OPIS", "Podatek"));
    EXPECT_TRUE(UnikalnyOpis(t, "podatek", 2));
    EXPECT_FALSE(UnikalnyOpis(t, PL(u8"zażółć"), 2));
    EXPECT_EQ(t.OdczytaniePola("OPIS"), "Podatek");
    // A deleted template frees its description.
    ASSERT_TRUE(t.Odszukanie("OPIS", PL(u8"Zażółć")));
    t.Usuniecie();
    EXPECT_TRUE(UnikalnyOpis(t, PL(u8"ZAŻÓŁĆ"), 1));
}

TEST(SzablonyTabela, ACopyIsDescribedWithTheFirstFreeNumberWithinFiftyCharacters) {
    TTymczasowyKatalog k;
    Tdm_Szablon dm(k.Sciezka());
    TcTabelaDbf& t = dm.tb_Szablon;
    Dopisz(t, 1, "Ulga");
    EXPECT_EQ(OpisKopii(t, "Ulga"), "Ulga (1)");
    Dopisz(t, 2, "Ulga (1)");
    EXPECT_EQ(OpisKopii(t, "Ulga"), "Ulga (2)");
    EXPECT_EQ(OpisKopii(t, "Ulga (1)"), "Ulga (1) (1)");

    const std::string dlugi(50, 'x');
    Dopisz(t, 3, dlugi);
    EXPECT_EQ(OpisKopii(t, dlugi), std::string(46, 'x') + " (1)");
    for (int n = 1; n <= 9; ++n) Dopisz(t, 3 + n, OpisKopii(t, dlugi));
    const std::string dziesiaty = OpisKopii(t, dlugi);
    EXPECT_EQ(dziesiaty, std::string(45, 'x') + " (10)");
    EXPECT_EQ(dziesiaty.size(), 50u);
}

TEST(SzablonyTabela, TheIndexIsRebuiltAtEveryStart) {
    TTymczasowyKatalog k;
    {
        Tdm_Szablon dm(k.Sciezka());
        for (const char* o : {"Najem", "Akcyza", "Zwolnienie", "darowizna"}) Dopisz(dm.tb_Szablon, AutoInkrementacja(dm.tb_Szablon), o);
    }
    Tdm_Szablon przed(k.Sciezka(), true);
    const std::vector<std::string> kolejnosc = Opisy(przed.tb_Szablon);
    ASSERT_EQ(kolejnosc.size(), 4u);
    EXPECT_EQ(kolejnosc.front(), "Akcyza");

    fs::remove(k.Plik("I_OPIS.NDX"));
    {
        Tdm_Szablon tylkoOdczyt(k.Sciezka(), true);
        EXPECT_EQ(Opisy(tylkoOdczyt.tb_Szablon), kolejnosc);
    }
    EXPECT_FALSE(fs::exists(k.Plik("I_OPIS.NDX"))) << "reading alone writes nothing";
    Tdm_Szablon po(k.Sciezka());
    EXPECT_TRUE(fs::exists(k.Plik("I_OPIS.NDX")));
    EXPECT_EQ(BiezacySzablon(po.tb_Szablon).Opis, "Akcyza") << "the first template is current";
    EXPECT_EQ(Opisy(po.tb_Szablon), kolejnosc);
}

TEST(SzablonyTabela, AnEmptyNumberReadsAsNone) {
    TTymczasowyKatalog k;
    Tdm_Szablon dm(k.Sciezka());
    Dopisz(dm.tb_Szablon, 1, "Bez izby");
    const TSzablon s = BiezacySzablon(dm.tb_Szablon);
    EXPECT_EQ(s.IdIzby, 0);
    EXPECT_EQ(s.Warunek, "\"Bez izby\"");
    EXPECT_EQ(*dm.tb_Szablon.OdczytaniePola("ID_PRZEP"), "0");
    EXPECT_FALSE(dm.tb_Szablon.OdczytaniePola("ID_IZBY").has_value());
}
