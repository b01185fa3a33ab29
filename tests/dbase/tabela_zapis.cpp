// The template table written and read back by our own module: values, empty fields, memos,
// the index order, navigation, locating and deleted records.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "Bledy.h"
#include "FabrykaDanych.h"
#include "NarzedziaDbf.h"
#include "TabelaDbf.h"
#include "cp1250.h"

namespace {

std::vector<int64_t> Kolejnosc(TcTabelaDbf& t, bool wstecz = false) {
    std::vector<int64_t> w;
    if (wstecz)
        for (t.PrzejscieNaOstatni(); !t.Poczatek(); t.PrzejscieNaPoprzedni()) w.push_back(*t.OdczytanieLiczby("ID_SZABL"));
    else
        for (t.PrzejscieNaPierwszy(); !t.Koniec(); t.PrzejscieNaNastepny()) w.push_back(*t.OdczytanieLiczby("ID_SZABL"));
    return w;
}

std::string DlugaNotatka() {   // three blocks
    std::string t;
    for (int i = 0; t.size() < 1300; ++i) t += PL(u8"\"podatek\" AND \"środki trwałe\" wiersz ") + std::to_string(i) + "\r\n";
    return t;
}

class TabelaDbf : public ::testing::Test {
protected:
    TTymczasowyKatalog katalog;
    std::string Dbf() const { return katalog.Plik("szablon.dbf"); }
    std::string Dbt() const { return katalog.Plik("szablon.dbt"); }
    std::string Ndx() const { return katalog.Plik("i_opis.ndx"); }
    void Utworzenie(TcTabelaDbf& t) const { t.Utworzenie(Dbf(), PolaSzablonu(), Ndx(), "OPIS"); }
    std::vector<std::string> Pliki() const {
        std::vector<std::string> w;
        for (const auto& e : std::filesystem::directory_iterator(katalog.Sciezka())) w.push_back(e.path().filename());
        std::sort(w.begin(), w.end());
        return w;
    }
};

}  // namespace

TEST_F(TabelaDbf, ValuesIndexOrderAndDeletionsSurviveReopening) {
    // Byte order is not alphabetical: Z (5A) < a (61) < Ś (8C) < Ł (A3) < Ż (AF) < ą (B9) < ć (E6).
    std::vector<TSzablon> szablony = {
        {1, PL(u8"Żółty podatek"), 12, std::nullopt, PL(u8"\"żółw\" OR \"źdźbło\"")},
        {2, PL(u8"ąbc"), 0, 0, PL(u8"\"ćma\""), PL(u8"\"Ęta\"")},
        {3, PL(u8"Łódź"), std::nullopt, 7, DlugaNotatka()},
        {4, PL(u8"ćma nocna"), 3, 14, PL(u8"\"ńaaa\""), PL(u8"dodatkowy ŃÓ")},
        {5, PL(u8"Zażółć gęślą jaźń"), 1, 2, PL(u8"\"zażółć\"")},
        {6, PL(u8"ŚRODKI TRWAŁE"), 9999, 9999, PL(u8"\"środki\" AND \"trwałe\""), DlugaNotatka()},
        {7, "abc"},
        {8, "abc", 5, std::nullopt, "\"abc\""},
    };
    std::string dbtPrzedZmiana;
    {
        TcTabelaDbf t;
        Utworzenie(t);
        for (const TSzablon& s : szablony) Dopisanie(t, s);
        ASSERT_EQ(Kolejnosc(t), (std::vector<int64_t>{5, 7, 8, 6, 3, 1, 2, 4}));

        // A changed memo goes to new blocks at the end; nothing written before moves.
        dbtPrzedZmiana = OdczytPliku(Dbt());
        ASSERT_TRUE(t.Odszukanie("ID_SZABL", "6"));
        t.Edycja();
        szablony[5].Warunek = PL(u8"\"środki\" AND NOT \"trwałe\"");
        szablony[5].Dodatkowy = std::nullopt;
        t.ZapisaniePola("WARUNEK", szablony[5].Warunek);
        t.ZapisaniePola("WARUN_DOD", "");
        t.Zatwierdzenie();

        ASSERT_TRUE(t.Odszukanie("OPIS", PL(u8"Łódź")));
        t.Usuniecie();
        EXPECT_EQ(t.OdczytanieLiczby("ID_SZABL"), 1) << "the next record in order becomes current";
        szablony.erase(szablony.begin() + 2);
    }
    const std::string dbt = OdczytPliku(Dbt());
    ASSERT_GT(dbt.size(), dbtPrzedZmiana.size());
    EXPECT_EQ(dbt.substr(4, dbtPrzedZmiana.size() - 4), dbtPrzedZmiana.substr(4));
    EXPECT_EQ(static_cast<unsigned char>(dbt[0]) + 256 * static_cast<unsigned char>(dbt[1]), dbt.size() / 512)
        << "the next free block follows the last memo";
    EXPECT_EQ(OdczytPliku(Dbf())[4], 8) << "the deleted record stays in the file";

    // Reopened under other letter case: the same files, the index rebuilt.
    TcTabelaDbf t;
    t.Otwarcie(katalog.Plik("SZABLON.DBF"));
    t.DodanieIndeksu(katalog.Plik("I_OPIS.NDX"), "opis");
    EXPECT_EQ(Pliki(), (std::vector<std::string>{"i_opis.ndx", "szablon.dbf", "szablon.dbt"}));
    EXPECT_EQ(t.LiczbaRekordow(), 7);
    EXPECT_EQ(Kolejnosc(t), (std::vector<int64_t>{5, 7, 8, 6, 1, 2, 4}));
    EXPECT_EQ(Kolejnosc(t, true), (std::vector<int64_t>{4, 2, 1, 6, 8, 7, 5}));
    for (const TSzablon& s : szablony) {
        ASSERT_TRUE(t.Odszukanie("ID_SZABL", std::to_string(s.Id)));
        EXPECT_TRUE(Biezacy(t) == s) << s.Id;
    }
    ASSERT_TRUE(t.Odszukanie("ID_SZABL", "2"));
    EXPECT_EQ(t.OdczytaniePola("ID_IZBY"), "0") << "0 is a value, unlike an empty field";

    // Locating: the first in index order, by any field; deleted records are never found.
    EXPECT_TRUE(t.Odszukanie("OPIS", "abc"));
    EXPECT_EQ(t.NumerRekordu(), 7);
    EXPECT_TRUE(t.Odszukanie("ID_IZBY", ""));
    EXPECT_EQ(t.OdczytanieLiczby("ID_SZABL"), 7);
    EXPECT_TRUE(t.Odszukanie("WARUNEK", PL(u8"\"ćma\"")));
    EXPECT_EQ(t.OdczytanieLiczby("ID_SZABL"), 2);
    EXPECT_TRUE(t.Odszukanie("opis", PL(u8"ZAŻÓŁĆ GĘŚLĄ JAŹŃ"), true));
    EXPECT_EQ(t.OdczytanieLiczby("ID_SZABL"), 5);
    EXPECT_FALSE(t.Odszukanie("OPIS", PL(u8"ZAŻÓŁĆ GĘŚLĄ JAŹŃ")));
    EXPECT_EQ(t.OdczytanieLiczby("ID_SZABL"), 5) << "a failed search leaves the current record";
    EXPECT_FALSE(t.Odszukanie("OPIS", PL(u8"Łódź")));
    EXPECT_FALSE(t.Odszukanie("WARUNEK", DlugaNotatka()));
}

TEST_F(TabelaDbf, NavigationFlagsAndStatesAtTheEnds) {
    TcTabelaDbf t;
    Utworzenie(t);
    EXPECT_TRUE(t.Pusta() && t.Poczatek() && t.Koniec());
    EXPECT_EQ(t.OdczytaniePola("OPIS"), std::nullopt);
    EXPECT_THROW(t.Edycja(), EInvalidOperation);

    Dopisanie(t, {1, "b"});
    Dopisanie(t, {2, "a"});
    t.PrzejscieNaPierwszy();
    EXPECT_TRUE(t.Poczatek() && !t.Koniec());
    t.PrzejscieNaPoprzedni();
    EXPECT_TRUE(t.Poczatek());
    EXPECT_EQ(t.OdczytanieLiczby("ID_SZABL"), 2);
    t.PrzejscieNaNastepny();
    t.PrzejscieNaNastepny();
    EXPECT_TRUE(!t.Poczatek() && t.Koniec());
    EXPECT_EQ(t.OdczytanieLiczby("ID_SZABL"), 1) << "stepping past the last stays on it";

    // While a record is changed the table does not move; cancelling drops the change unwritten.
    const std::string dbf = OdczytPliku(Dbf()), dbt = OdczytPliku(Dbt());
    t.PrzejscieNaPierwszy();
    t.Dopisanie();
    t.ZapisaniePola("WARUNEK", "x");
    EXPECT_EQ(t.OdczytaniePola("WARUNEK"), "x");
    EXPECT_THROW(t.PrzejscieNaNastepny(), EInvalidOperation);
    t.Usuniecie();   // a record being appended is only dropped
    t.Edycja();
    t.ZapisaniePola("OPIS", "z");
    t.Anulowanie();
    EXPECT_EQ(t.Stan(), TStanTabeli::Przegladanie);
    EXPECT_EQ(t.LiczbaRekordow(), 2);
    EXPECT_EQ(t.OdczytaniePola("OPIS"), "a");
    EXPECT_EQ(OdczytPliku(Dbf()), dbf);
    EXPECT_EQ(OdczytPliku(Dbt()), dbt);
    EXPECT_THROW(t.ZapisaniePola("OPIS", "z"), EInvalidOperation);

    // Deleting the last record in order leaves the one before it current, at the end.
    t.PrzejscieNaOstatni();
    t.Usuniecie();
    EXPECT_EQ(t.OdczytanieLiczby("ID_SZABL"), 2);
    EXPECT_TRUE(t.Koniec());
    t.Usuniecie();
    EXPECT_TRUE(t.Pusta() && t.Koniec());
}

TEST_F(TabelaDbf, ValuesAFieldCannotHoldAreRefused) {
    TcTabelaDbf t;
    t.Utworzenie(Dbf(), {{"KWOTA", 'N', 8, 2}, {"OPIS", 'C', 5, 0}, {"NOTATKA", 'M', 10, 0}, {"JEST", 'L', 1, 0}},
                 Ndx(), "KWOTA");
    t.Dopisanie();
    EXPECT_THROW(t.ZapisaniePola("OPIS", "123456"), EInvalidOperation);
    EXPECT_THROW(t.ZapisaniePola("KWOTA", "12a"), EInvalidOperation);
    EXPECT_THROW(t.ZapisaniePola("KWOTA", "1.234"), EInvalidOperation);
    EXPECT_THROW(t.ZapisaniePola("KWOTA", "123456"), EInvalidOperation) << "123456.00 needs 9 places";
    EXPECT_THROW(t.ZapisaniePola("NOTATKA", std::string("a\x1A" "b")), EInvalidOperation);
    EXPECT_THROW(t.ZapisaniePola("JEST", "X"), EInvalidOperation);
    // Numbers are kept with the field's decimals, without leading zeros.
    t.ZapisaniePola("KWOTA", "-0.000");
    EXPECT_EQ(t.OdczytaniePola("KWOTA"), "0.00");
    t.ZapisaniePola("KWOTA", " 0012345.1 ");
    t.Zatwierdzenie();
    EXPECT_EQ(t.OdczytaniePola("KWOTA"), "12345.10");
    EXPECT_TRUE(t.Odszukanie("KWOTA", "12345.100"));
    EXPECT_THROW(t.OdczytanieLiczby("KWOTA"), EInOutError) << "12345.10 is not an integer";
}

TEST_F(TabelaDbf, NumericIndexOrdersByValue) {
    TcTabelaDbf t;
    Utworzenie(t);
    const std::vector<std::optional<int64_t>> izby = {10, 9, -1, 100, std::nullopt, 9};
    for (size_t i = 0; i < izby.size(); ++i) Dopisanie(t, {static_cast<int64_t>(i + 1), "x", std::nullopt, izby[i]});
    t.DodanieIndeksu(katalog.Plik("i_izby.ndx"), "ID_IZBY");
    EXPECT_EQ(Kolejnosc(t), (std::vector<int64_t>{3, 5, 2, 6, 1, 4})) << "an empty number sorts as 0";
    ASSERT_TRUE(t.Odszukanie("ID_SZABL", "4"));
    t.Edycja();
    t.ZapisanieLiczby("ID_IZBY", -5);
    t.Zatwierdzenie();
    EXPECT_EQ(Kolejnosc(t), (std::vector<int64_t>{4, 3, 5, 2, 6, 1}));
    EXPECT_THROW(t.DodanieIndeksu(katalog.Plik("i_war.ndx"), "WARUNEK"), EInvalidOperation);
}

TEST_F(TabelaDbf, NamesAreFoundWithoutRegardToLetterCase) {
    const std::vector<std::string> pliki = {"I_OPIS.NDX", "Szablon.DBF", "Szablon.DBT"};
    TcTabelaDbf t;
    t.Utworzenie(katalog.Plik("Szablon.DBF"), PolaSzablonu(), katalog.Plik("I_OPIS.NDX"), "OPIS");
    EXPECT_EQ(Pliki(), pliki);
    t.Otwarcie(Dbf());
    t.DodanieIndeksu(Ndx(), "OPIS");
    Dopisanie(t, {2, "b", std::nullopt, std::nullopt, "v"});
    EXPECT_EQ(t.SciezkaNotatek(), katalog.Plik("Szablon.DBT"));
    EXPECT_EQ(Pliki(), pliki);
    // Creating again under another spelling replaces the same files.
    t.Utworzenie(katalog.Plik("SZABLON.dbf"), PolaSzablonu(), katalog.Plik("i_opis.NDX"), "OPIS");
    EXPECT_TRUE(t.Pusta());
    EXPECT_EQ(Pliki(), pliki);
}

// Another writer's memo file whose next free block lags behind its memos: new memos still go
// past the end and those already there stay whole.
TEST_F(TabelaDbf, AStaleNextFreeBlockNeverLeadsToOverwritingMemos) {
    const TSzablon pierwszy(1, "a", std::nullopt, std::nullopt, DlugaNotatka(), PL(u8"druga ż"));
    const TSzablon drugi(2, "b", std::nullopt, std::nullopt, PL(u8"nowa ą"));
    TcTabelaDbf t;
    Utworzenie(t);
    Dopisanie(t, pierwszy);
    std::string dbt = OdczytPliku(Dbt());
    dbt[0] = 1;
    ZapisPliku(Dbt(), dbt);
    t.Otwarcie(Dbf());
    Dopisanie(t, drugi);
    t.Otwarcie(Dbf());
    EXPECT_TRUE(Biezacy(t) == pierwszy);
    t.PrzejscieNaNastepny();
    EXPECT_TRUE(Biezacy(t) == drugi);
}

// A memo far past one block, as a pasted condition may be, comes back whole after reopening.
TEST_F(TabelaDbf, AMemoOfSixtyFourKilobytesComesBackWhole) {
    std::string duza;
    while (duza.size() < 64 * 1024) duza += PL(u8"\"ulga\" OR \"zwolnienie z podatku\" AND NOT \"ryczałt\" ");
    const TSzablon pierwszy(1, "a", std::nullopt, std::nullopt, duza, DlugaNotatka());
    const TSzablon drugi(2, "b", 7, 12, "krotka");
    TcTabelaDbf t;
    Utworzenie(t);
    Dopisanie(t, pierwszy);
    Dopisanie(t, drugi);
    TcTabelaDbf u;
    u.Otwarcie(Dbf());
    u.PrzejscieNaPierwszy();
    EXPECT_TRUE(Biezacy(u) == pierwszy);
    u.PrzejscieNaNastepny();
    EXPECT_TRUE(Biezacy(u) == drugi);
}
