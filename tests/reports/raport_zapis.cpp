// Saving a report under a name: the name check, finding a report of that name whatever its
// letter case, and the write into the reports folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "ZapisRaportu.h"
#include "cp1250.h"

namespace fs = std::filesystem;

namespace {

std::string U(const char8_t* tekst) { return reinterpret_cast<const char*>(tekst); }

std::vector<std::string> Pliki(const std::string& katalog) {
    std::vector<std::string> p;
    for (const auto& e : fs::directory_iterator(katalog)) p.push_back(e.path().filename().string());
    std::sort(p.begin(), p.end());
    return p;
}

const std::string kZnaki = PL(u8"Nazwa raportu nie może zawierać znaków \"/\", \"\\\" ani \":\".");
const std::string kKropka = PL(u8"Nazwa raportu nie może zaczynać się od kropki.");
const std::string kSterujace = PL(u8"Nazwa raportu nie może zawierać znaków sterujących.");
const std::string kDluga = PL(u8"Nazwa raportu może mieć najwyżej 40 znaków.");

}  // namespace

TEST(RaportZapis, TheNameIsTrimmedAndRefusedWhenItCouldLeaveTheFolder) {
    TNazwaRaportu n = KontrolaNazwy("  Klient Kowalski \t");
    EXPECT_TRUE(n.Poprawna());
    EXPECT_EQ(n.Nazwa, "Klient Kowalski");

    for (const char* pusta : {"", "   ", " \t "}) {
        n = KontrolaNazwy(pusta);
        EXPECT_TRUE(n.Pusta()) << pusta;
        EXPECT_FALSE(n.Poprawna());
        EXPECT_EQ(n.Ostrzezenie, "");   // an empty name only beeps
    }

    // 40 characters, Polish letters being one each.
    const std::string czterdziesci = PL(u8"Łódź ") + std::string(35, 'x');
    EXPECT_TRUE(KontrolaNazwy(" " + czterdziesci + " ").Poprawna());
    n = KontrolaNazwy(czterdziesci + "y");
    EXPECT_FALSE(n.Poprawna());
    EXPECT_EQ(n.Ostrzezenie, kDluga);

    for (const char* zla : {"../etc/passwd", "a/b", "a\\b", "C:raport", "/tmp/x"}) {
        n = KontrolaNazwy(zla);
        EXPECT_FALSE(n.Poprawna()) << zla;
        EXPECT_EQ(n.Ostrzezenie, kZnaki) << zla;
    }
    for (const char* zla : {".", "..", " .ukryty", ".rap"}) EXPECT_EQ(KontrolaNazwy(zla).Ostrzezenie, kKropka) << zla;
    EXPECT_EQ(KontrolaNazwy("a\nb").Ostrzezenie, kSterujace);
    EXPECT_EQ(KontrolaNazwy(std::string("a\0b", 3)).Ostrzezenie, kSterujace);
    // Dots elsewhere are fine: "a.b" is listed as the report "a.b".
    EXPECT_TRUE(KontrolaNazwy("raport 1.2").Poprawna());
}

TEST(RaportZapis, AReportOfTheSameNameInAnotherLetterCaseIsTheSameReport) {
    TTymczasowyKatalog dir;
    const std::string k = dir.Sciezka();
    ZapisPliku(k + "/Klient.rap", "x");
    ZapisPliku(k + "/" + U(u8"łódź.rap"), "x");
    ZapisPliku(k + "/inny.rap.bak", "x");
    ZapisPliku(k + "/duze.RAP", "x");
    fs::create_directory(k + "/folder.rap");

    TMiejsceRaportu m = MiejsceRaportu("KLIENT", k);
    EXPECT_TRUE(m.Istnieje);
    EXPECT_EQ(m.NazwaPliku, "Klient.rap");
    EXPECT_EQ(m.Sciezka, k + "/Klient.rap");

    m = MiejsceRaportu(PL(u8"ŁÓDŹ"), k);
    EXPECT_TRUE(m.Istnieje);
    EXPECT_EQ(m.NazwaPliku, U(u8"łódź.rap"));

    // New names are written as UTF-8 file names.
    m = MiejsceRaportu(PL(u8"Żółw"), k);
    EXPECT_FALSE(m.Istnieje);
    EXPECT_EQ(m.Sciezka, k + "/" + U(u8"Żółw.rap"));

    for (const char* nie : {"inny", "duze", "folder", "Klient.rap", "Klien"}) {
        m = MiejsceRaportu(nie, k);
        EXPECT_FALSE(m.Istnieje) << nie;
        EXPECT_EQ(m.NazwaPliku, std::string(nie) + ".rap");
    }

    // Of several spellings the exact one wins, else the first in byte order.
    ZapisPliku(k + "/klient.rap", "x");
    ZapisPliku(k + "/KLIENT.rap", "x");
    EXPECT_EQ(MiejsceRaportu("klient", k).NazwaPliku, "klient.rap");
    EXPECT_EQ(MiejsceRaportu("Klient", k).NazwaPliku, "Klient.rap");
    EXPECT_EQ(MiejsceRaportu("kLIENT", k).NazwaPliku, "KLIENT.rap");

    m = MiejsceRaportu("x", k + "/brak");
    EXPECT_FALSE(m.Istnieje);
    EXPECT_EQ(m.Sciezka, k + "/brak/x.rap");
}

TEST(RaportZapis, WritesTheWholeTextAndOverwritesTheFileOfThatName) {
    TTymczasowyKatalog dir;
    const std::string k = dir.Sciezka();
    const std::string dlugi = "warunek=\"podatek\"\nizba=0\nprzepis=0\nplik=" + std::string(5000, '1');
    const std::string krotki = "warunek=\nizba=7\nprzepis=0\nplik=812|577|36";

    TMiejsceRaportu m = MiejsceRaportu("Klient", k);
    ASSERT_TRUE(ZapisanieRaportu(m.Sciezka, dlugi));
    m = MiejsceRaportu(KontrolaNazwy(" kLIENT ").Nazwa, k);
    ASSERT_TRUE(m.Istnieje);
    ASSERT_TRUE(ZapisanieRaportu(m.Sciezka, krotki));
    // The shorter report leaves nothing of the longer one, and no second file appears.
    EXPECT_EQ(OdczytPliku(k + "/Klient.rap"), krotki);
    EXPECT_EQ(Pliki(k), (std::vector<std::string>{"Klient.rap"}));

    const std::string polski = PL(u8"warunek=\"zażółć\"\nizba=0\nprzepis=0\nplik=");
    ASSERT_TRUE(ZapisanieRaportu(MiejsceRaportu(PL(u8"Gęś"), k).Sciezka, polski));
    EXPECT_EQ(OdczytPliku(k + "/" + U(u8"Gęś.rap")), polski);   // the text stays Windows-1250
}

TEST(RaportZapis, WithoutTheFolderTheSaveFailsAndCreatesNothing) {
    TTymczasowyKatalog dir;
    const std::string k = dir.Sciezka() + "/Raporty";
    errno = 0;
    EXPECT_FALSE(ZapisanieRaportu(MiejsceRaportu("Klient", k).Sciezka, "warunek=\nizba=0\nprzepis=0\nplik="));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(fs::exists(k));
    EXPECT_TRUE(Pliki(dir.Sciezka()).empty());
}

TEST(RaportZapis, AReadOnlyReportIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes every file";
    TTymczasowyKatalog dir;
    const std::string plik = dir.Plik("chroniony.rap");
    ZapisPliku(plik, "stary");
    ::chmod(plik.c_str(), 0444);
    EXPECT_FALSE(ZapisanieRaportu(plik, "nowy"));
    EXPECT_EQ(OdczytPliku(plik), "stary");
    EXPECT_EQ(Pliki(dir.Sciezka()), (std::vector<std::string>{"chroniony.rap"}));
}
