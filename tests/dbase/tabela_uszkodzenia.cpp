// Damaged tables: each kind of damage is refused at opening with a Polish message naming the
// damaged file, and no byte of the table, its memos or its index changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "Bledy.h"
#include "FabrykaDanych.h"
#include "NarzedziaDbf.h"
#include "TabelaDbf.h"
#include "cp1250.h"

namespace {

struct TUszkodzenie {
    const char* Nazwa;
    std::function<void(std::string& dbf, std::string& dbt)> Zmiana;
    const char* Plik;       // the file the message must name
    const char8_t* Opis;    // words the message must hold
};

// Field WARUNEK of record `r` (from 1) of the template table: header 225 bytes, records of 88,
// the field at offset 68.
size_t Warunek(int r) { return 225 + 88 * static_cast<size_t>(r - 1) + 68; }

}  // namespace

TEST(TabelaUszkodzona, EachDamageIsNamedAndNothingIsWritten) {
    const std::vector<TUszkodzenie> uszkodzenia = {
        {"header cut at 20 bytes", [](std::string& dbf, std::string&) { dbf.resize(20); }, "szablon.dbf",
         u8"nagłówek jest krótszy niż 32 bajty"},
        {"unknown version", [](std::string& dbf, std::string&) { dbf[0] = 0x8B; }, "szablon.dbf",
         u8"nieznana wersja pliku (0x8B)"},
        {"header length one descriptor too long", [](std::string& dbf, std::string&) { dbf[8] = 1, dbf[9] = 1; },
         "szablon.dbf", u8"długość nagłówka 257 nie zgadza się z opisami pól (225)"},
        {"header length one byte short", [](std::string& dbf, std::string&) { dbf[8] = static_cast<char>(224); },
         "szablon.dbf", u8"długość nagłówka 224 nie zgadza się"},
        {"descriptors without their end", [](std::string& dbf, std::string&) { dbf[224] = 'X'; }, "szablon.dbf",
         u8"opisy pól nie kończą się znakiem 0x0D"},
        {"record length", [](std::string& dbf, std::string&) { dbf[10] = 87; }, "szablon.dbf",
         u8"długość rekordu 87 nie zgadza się z opisami pól (88)"},
        {"field length against the record length", [](std::string& dbf, std::string&) { dbf[64 + 16] = 49; },
         "szablon.dbf", u8"długość rekordu 88 nie zgadza się z opisami pól (87)"},
        {"record count past the end", [](std::string& dbf, std::string&) { dbf[4] = 4; }, "szablon.dbf",
         u8"liczba rekordów 4 przekracza rozmiar pliku"},
        {"last record cut short", [](std::string& dbf, std::string&) { dbf.resize(dbf.size() - 10); }, "szablon.dbf",
         u8"liczba rekordów 3 przekracza rozmiar pliku"},
        {"memo block past the memo file",
         [](std::string& dbf, std::string&) { dbf.replace(Warunek(2), 10, "        99"); }, "szablon.dbf",
         u8"rekord 2 wskazuje notatkę w bloku 99, poza plikiem notatek"},
        {"memo field not a number", [](std::string& dbf, std::string&) { dbf.replace(Warunek(1), 10, "      1x  "); },
         "szablon.dbf", u8"pole WARUNEK rekordu 1 nie zawiera numeru bloku notatki"},
        {"deletion flag", [](std::string& dbf, std::string&) { dbf[225 + 88] = 'X'; }, "szablon.dbf",
         u8"rekord 2 ma błędny znacznik usunięcia"},
        {"unknown field type", [](std::string& dbf, std::string&) { dbf[64 + 11] = 'Q'; }, "szablon.dbf",
         u8"pole OPIS ma nieznany typ"},
        {"memo without its end", [](std::string&, std::string& dbt) { dbt.resize(dbt.size() - 512 + 100); },
         "szablon.dbt", u8"notatka w bloku"},
    };

    for (const TUszkodzenie& u : uszkodzenia) {
        SCOPED_TRACE(u.Nazwa);
        const TTymczasowyKatalog katalog;
        const std::string dbf = katalog.Plik("szablon.dbf"), dbt = katalog.Plik("szablon.dbt"), ndx = katalog.Plik("i_opis.ndx");
        {
            TcTabelaDbf t;
            t.Utworzenie(dbf, PolaSzablonu(), ndx, "OPIS");
            for (int i = 1; i <= 3; ++i)
                Dopisanie(t, {i, PL(u8"szablon ż"), std::nullopt, std::nullopt, std::string(300 * static_cast<size_t>(i), 'w')});
        }
        std::string bajtyDbf = OdczytPliku(dbf), bajtyDbt = OdczytPliku(dbt);
        u.Zmiana(bajtyDbf, bajtyDbt);
        ZapisPliku(dbf, bajtyDbf);
        ZapisPliku(dbt, bajtyDbt);
        const std::string bajtyNdx = OdczytPliku(ndx);
        const auto czas = std::filesystem::last_write_time(dbf);

        TcTabelaDbf t;
        try {
            t.Otwarcie(dbf);
            ADD_FAILURE() << "opened";
        } catch (const EInOutError& e) {
            const std::string komunikat = e.what();
            EXPECT_NE(komunikat.find(katalog.Plik(u.Plik) + "'"), std::string::npos) << cp1250::toUtf8(komunikat);
            EXPECT_NE(komunikat.find(PL(u.Opis)), std::string::npos) << cp1250::toUtf8(komunikat);
        }
        EXPECT_EQ(t.Stan(), TStanTabeli::Zamknieta);
        EXPECT_EQ(OdczytPliku(dbf), bajtyDbf);
        EXPECT_EQ(OdczytPliku(dbt), bajtyDbt);
        EXPECT_EQ(OdczytPliku(ndx), bajtyNdx);
        EXPECT_EQ(std::filesystem::last_write_time(dbf), czas);
    }
}

TEST(TabelaUszkodzona, AMissingMemoFileIsNamedAndNothingIsCreated) {
    const TTymczasowyKatalog katalog;
    const std::string dbf = katalog.Plik("szablon.dbf");
    {
        TcTabelaDbf t;
        t.Utworzenie(dbf, PolaSzablonu(), katalog.Plik("i_opis.ndx"), "OPIS");
    }
    std::filesystem::remove(katalog.Plik("szablon.dbt"));
    const std::string bajty = OdczytPliku(dbf);
    TcTabelaDbf t;
    try {
        t.Otwarcie(dbf);
        ADD_FAILURE() << "opened";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.what(), PL(u8"Brak pliku notatek '") + katalog.Plik("szablon.dbt") + PL(u8"' tabeli '") + dbf + "'.");
    }
    EXPECT_EQ(OdczytPliku(dbf), bajty);
    EXPECT_FALSE(std::filesystem::exists(katalog.Plik("szablon.dbt")));

    // A table without memo fields needs no memo file.
    t.Utworzenie(katalog.Plik("bez.dbf"), {{"ID", 'N', 4, 0}}, katalog.Plik("bez.ndx"), "ID");
    EXPECT_FALSE(std::filesystem::exists(katalog.Plik("bez.dbt")));
    EXPECT_EQ(OdczytPliku(katalog.Plik("bez.dbf"))[0], '\x03');
    t.Otwarcie(katalog.Plik("bez.dbf"));
    EXPECT_TRUE(t.Pusta());
}

// A header ending in 0x0D 0x00 (one byte longer) is whole; any other byte there is damage.
TEST(TabelaUszkodzona, AZeroAfterTheDescriptorsEndIsPartOfTheHeader) {
    const TTymczasowyKatalog katalog;
    const std::string dbf = katalog.Plik("szablon.dbf");
    {
        TcTabelaDbf t;
        t.Utworzenie(dbf, PolaSzablonu(), katalog.Plik("i_opis.ndx"), "OPIS");
        Dopisanie(t, {1, PL(u8"żółw"), std::nullopt, std::nullopt, "w"});
    }
    std::string bajty = OdczytPliku(dbf);
    bajty.insert(225, 1, '\0');
    bajty[8] = static_cast<char>(226);
    ZapisPliku(dbf, bajty);
    TcTabelaDbf t;
    t.Otwarcie(dbf);
    EXPECT_EQ(t.OdczytaniePola("OPIS"), PL(u8"żółw"));
    EXPECT_EQ(t.OdczytaniePola("WARUNEK"), "w");

    bajty[225] = ' ';
    ZapisPliku(dbf, bajty);
    EXPECT_THROW(t.Otwarcie(dbf), EInOutError);
}
