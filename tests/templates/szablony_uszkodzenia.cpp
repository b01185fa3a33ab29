// A damaged template table: the table and its memo file cut at every length and at each block
// boundary and its neighbours, and with bytes flipped. Opening either works (every template
// then reads) or stops with a Polish message naming the damaged file; never a crash, and a
// read-only opening writes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "Bledy.h"
#include "FabrykaDanych.h"
#include "Straznik.h"
#include "cp1250.h"
#include "d_Szablon.h"

namespace fs = std::filesystem;

namespace {

class SzablonyUszkodzone : public ::testing::Test {
protected:
    void SetUp() override {
        Tdm_Szablon dm(k.Sciezka());
        TcTabelaDbf& t = dm.tb_Szablon;
        std::string dlugi;
        while (dlugi.size() < 1500) dlugi += PL(u8"\"środki trwałe\" OR ");
        for (int i = 1; i <= 3; ++i) {
            t.Dopisanie();
            t.ZapisanieLiczby("ID_SZABL", i);
            t.ZapisaniePola("OPIS", PL(u8"Szablon ") + std::to_string(i));
            t.ZapisanieLiczby("ID_PRZEP", 7);
            t.ZapisaniePola("WARUNEK", i == 2 ? dlugi : "\"vat\"");
            t.ZapisaniePola("WARUN_DOD", "\"ulga\"");
            t.Zatwierdzenie();
        }
        dbf = OdczytPliku(k.Plik("szablon.DBF"));
        dbt = OdczytPliku(k.Plik("szablon.DBT"));
    }

    // Opens the folder read-only as the command-line tool does; "" when it opened and every
    // template read, else the message.
    std::string Otwarcie() {
        try {
            Tdm_Szablon dm(k.Sciezka(), true);
            TcTabelaDbf& t = dm.tb_Szablon;
            for (t.PrzejscieNaPierwszy(); !t.Pusta() && !t.Koniec(); t.PrzejscieNaNastepny()) (void)BiezacySzablon(t);
            return "";
        } catch (const EInOutError& b) {
            return b.what();
        }
    }
    void Sprawdzenie(const std::string& plik, const std::string& tresc, const std::string& opis) {
        straznik.Przypadek(opis);
        ZapisPliku(k.Plik(plik), tresc);
        const auto przed = fs::last_write_time(k.Plik(plik));
        const std::string komunikat = Otwarcie();
        if (!komunikat.empty()) {
            EXPECT_NE(komunikat.find("szablon."), std::string::npos) << opis << ": " << cp1250::toUtf8(komunikat);
        }
        EXPECT_EQ(fs::last_write_time(k.Plik(plik)), przed) << opis;
        EXPECT_EQ(OdczytPliku(k.Plik(plik)), tresc) << opis;
    }

    TTymczasowyKatalog k;
    std::string dbf, dbt;
    TStraznik straznik;
};

}  // namespace

TEST_F(SzablonyUszkodzone, TheTableCutAnywhereOpensOrIsNamed) {
    ASSERT_EQ(Otwarcie(), "");
    for (size_t n = 0; n < dbf.size(); ++n) Sprawdzenie("szablon.DBF", dbf.substr(0, n), "DBF cut at " + std::to_string(n));
    ZapisPliku(k.Plik("szablon.DBF"), dbf);
    for (size_t granica = 0; granica <= dbt.size(); granica += 512)
        for (size_t n : {granica - 1, granica, granica + 1})
            if (n <= dbt.size()) Sprawdzenie("szablon.DBT", dbt.substr(0, n), "DBT cut at " + std::to_string(n));
    ZapisPliku(k.Plik("szablon.DBT"), dbt);
    EXPECT_EQ(Otwarcie(), "");
}

TEST_F(SzablonyUszkodzone, FlippedBytesOpenOrAreNamed) {
    std::mt19937 los(2026);
    for (int proba = 0; proba < 400; ++proba) {
        const bool tabela = proba % 2 == 0;
        std::string uszkodzony = tabela ? dbf : dbt;
        for (int i = 0; i < 1 + proba % 4; ++i)
            uszkodzony[los() % uszkodzony.size()] ^= char(1 << (los() % 8));
        Sprawdzenie(tabela ? "szablon.DBF" : "szablon.DBT", uszkodzony, "mutant " + std::to_string(proba));
        ZapisPliku(k.Plik("szablon.DBF"), dbf);
        ZapisPliku(k.Plik("szablon.DBT"), dbt);
    }
}
