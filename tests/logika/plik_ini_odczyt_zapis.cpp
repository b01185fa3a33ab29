// The INI file reader and writer against real files: where a key is found, what a value
// reads as, and that a write changes one line and nothing else.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Bledy.h"
#include "PlikIni.h"
#include "cp1250.h"

namespace fs = std::filesystem;

namespace {

class PlikIni : public ::testing::Test {
protected:
    void SetUp() override {
        katalog_ = fs::temp_directory_path() /
                   ("belv_plik_ini_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(katalog_);
        fs::create_directories(katalog_);
        sciezka_ = (katalog_ / "Belvastrona.ini").string();
    }
    void TearDown() override { fs::remove_all(katalog_); }

    void Zapisz(const std::string& bajty) const {
        std::ofstream f(sciezka_, std::ios::binary | std::ios::trunc);
        f << bajty;
    }
    std::string Bajty(const std::string& sciezka) const {
        std::ifstream f(sciezka, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    std::string Bajty() const { return Bajty(sciezka_); }

    fs::path katalog_;
    std::string sciezka_;
};

}  // namespace

TEST_F(PlikIni, SectionWithABlankIsWrittenIntoANewFolderAndReadBack) {
    const std::string sciezka = (katalog_ / "nowy" / "Belvastrona" / "Belvastrona.ini").string();
    TcPlikIni ini(sciezka);
    ini.ZapisanieLiczby("Glowne Okno", "Szerokosc", 790);
    EXPECT_EQ(Bajty(sciezka), "[Glowne Okno]\r\nSzerokosc=790\r\n");
    EXPECT_EQ(ini.OdczytanieLiczby("Glowne Okno", "Szerokosc", 1), 790);
    // The section name is the whole name, not its first word.
    EXPECT_EQ(ini.OdczytanieLiczby("Glowne", "Szerokosc", 1), 1);
}

TEST_F(PlikIni, SectionsAndKeysAreFoundIgnoringLetterCase) {
    Zapisz("[glowne okno]\r\nSZEROKOSC=5\r\n[Okno G\xB3\xF3wne]\r\nX=9\r\n");
    TcPlikIni ini(sciezka_);
    EXPECT_EQ(ini.OdczytanieLiczby("Glowne Okno", "Szerokosc", 0), 5);
    EXPECT_EQ(ini.OdczytanieLiczby("GLOWNE OKNO", "szerokosc", 0), 5);
    // Polish letters in Windows-1250: "OKNO GŁÓWNE", "x".
    EXPECT_EQ(ini.OdczytanieLiczby("OKNO G\xA3\xD3WNE", "x", 0), 9);

    // The line found is rewritten in place, keeping the key as the file spells it.
    ini.ZapisanieLiczby("GLOWNE OKNO", "szerokosc", 7);
    ini.ZapisanieLiczby("okno g\xB3\xF3wne", "X", 10);
    EXPECT_EQ(Bajty(), "[glowne okno]\r\nSZEROKOSC=7\r\n[Okno G\xB3\xF3wne]\r\nX=10\r\n");
}

TEST_F(PlikIni, AKeyBelongsToItsOwnSectionOnly) {
    Zapisz("X=1\r\n[A]\r\nY=2\r\n[B]\r\nZ=3\r\n");
    TcPlikIni ini(sciezka_);
    EXPECT_EQ(ini.OdczytanieTekstu("A", "Y"), "2");
    EXPECT_EQ(ini.OdczytanieTekstu("B", "Y"), std::nullopt);
    EXPECT_EQ(ini.OdczytanieTekstu("A", "Z"), std::nullopt);
    // A key before the first section is in none.
    EXPECT_EQ(ini.OdczytanieTekstu("A", "X"), std::nullopt);

    ini.ZapisanieTekstu("B", "Y", "4");
    EXPECT_EQ(Bajty(), "X=1\r\n[A]\r\nY=2\r\n[B]\r\nZ=3\r\nY=4\r\n");
    EXPECT_EQ(ini.OdczytanieTekstu("A", "Y"), "2");
    EXPECT_EQ(ini.OdczytanieTekstu("B", "Y"), "4");
}

TEST_F(PlikIni, AWriteChangesOneValueAndKeepsEveryOtherByte) {
    const std::string przed =
        "; ustawienia\r\n"
        "\r\n"
        "[Inne]\n"
        "Klucz = wartosc ; z komentarzem\n"
        "bez znaku rownosci\r\n"
        "  [ Glowne Okno ]  \r\n"
        "  Szerokosc =  790  \r\n"
        "; Wysokosc=1 w komentarzu\r\n"
        "\tWysokosc\t=570\r\n"
        "\r\n"
        "[Dane]\r\n"
        "Zliczanie=1";
    Zapisz(przed);
    TcPlikIni ini(sciezka_);

    ini.ZapisanieLiczby("Glowne Okno", "Szerokosc", 1024);
    std::string po = przed;
    po.replace(po.find("  Szerokosc =  790  "), 20, "  Szerokosc =1024");
    EXPECT_EQ(Bajty(), po);

    // The commented-out key is not the key.
    ini.ZapisanieLiczby("Glowne Okno", "Wysokosc", 600);
    po.replace(po.find("\tWysokosc\t=570"), 14, "\tWysokosc\t=600");
    EXPECT_EQ(Bajty(), po);
    EXPECT_EQ(ini.OdczytanieTekstu("Inne", "Klucz"), "wartosc ; z komentarzem");
}

TEST_F(PlikIni, ANewKeyFollowsTheLastEntryOfItsSection) {
    const std::string przed =
        "[Glowne Okno]\r\n"
        "Szerokosc=790\r\n"
        "; X=1 w komentarzu\r\n"
        "Wysokosc=570\r\n"
        "\r\n"
        "; o danych\r\n"
        "[Dane]\r\n"
        "Zliczanie=1\r\n";
    Zapisz(przed);
    TcPlikIni ini(sciezka_);
    ini.ZapisanieLiczby("Glowne Okno", "X", 18);
    std::string po = przed;
    po.insert(po.find("\r\n; o danych"), "X=18\r\n");
    EXPECT_EQ(Bajty(), po);
    EXPECT_EQ(ini.OdczytanieLiczby("Glowne Okno", "X", 0), 18);

    // A section with no entries yet takes the key right after its name.
    Zapisz("[Glowne Okno]\r\n; pusta\r\n[Dane]\r\n");
    ini.ZapisanieLogiczne("Glowne Okno", "Maksymalne", true);
    EXPECT_EQ(Bajty(), "[Glowne Okno]\r\nMaksymalne=1\r\n; pusta\r\n[Dane]\r\n");
}

TEST_F(PlikIni, ANewSectionIsAppendedAfterALastLineWithoutItsEnd) {
    Zapisz("[Dane]\r\nZliczanie=1");
    TcPlikIni ini(sciezka_);
    ini.ZapisanieLogiczne("Glowne Okno", "Maksymalne", false);
    EXPECT_EQ(Bajty(), "[Dane]\r\nZliczanie=1\r\n[Glowne Okno]\r\nMaksymalne=0\r\n");
    EXPECT_TRUE(ini.OdczytanieLogiczne("Dane", "Zliczanie", false));
    EXPECT_FALSE(ini.OdczytanieLogiczne("Glowne Okno", "Maksymalne", true));
}

TEST_F(PlikIni, AMissingFileReadsAsDefaultsAndIsNotCreatedByReading) {
    TcPlikIni ini((katalog_ / "brak" / "Belvastrona.ini").string());
    EXPECT_EQ(ini.OdczytanieTekstu("Dane", "Zliczanie"), std::nullopt);
    EXPECT_EQ(ini.OdczytanieLiczby("Glowne Okno", "X", 18), 18);
    EXPECT_TRUE(ini.OdczytanieLogiczne("Dane", "Zliczanie", true));
    EXPECT_FALSE(ini.OdczytanieLogiczne("Dane", "Zliczanie", false));
    EXPECT_FALSE(fs::exists(katalog_ / "brak"));
}

TEST_F(PlikIni, ValuesAreTrimmedAndBadNumbersGiveTheDefault) {
    Zapisz("[S]\r\n"
           "  a =  790 \t\r\n"
           "b=+5\r\n"
           "c=-7\r\n"
           "d=abc\r\n"
           "e=12x\r\n"
           "f=\r\n"
           "g=2147483648\r\n"
           "h=\"  w cudzyslowie \"\r\n"
           "i=2\r\n"
           "j=0\r\n"
           "k=tak\r\n"
           "l=2147483647\r\n"
           "m=+\r\n");
    TcPlikIni ini(sciezka_);
    EXPECT_EQ(ini.OdczytanieTekstu("S", "a"), "790");
    EXPECT_EQ(ini.OdczytanieTekstu("S", "h"), "  w cudzyslowie ");
    EXPECT_EQ(ini.OdczytanieTekstu("S", "f"), "");
    EXPECT_EQ(ini.OdczytanieLiczby("S", "a", 42), 790);
    EXPECT_EQ(ini.OdczytanieLiczby("S", "b", 42), 5);
    EXPECT_EQ(ini.OdczytanieLiczby("S", "c", 42), -7);
    EXPECT_EQ(ini.OdczytanieLiczby("S", "l", 42), 2147483647);
    for (const char* zla : {"d", "e", "f", "g", "h", "m"}) EXPECT_EQ(ini.OdczytanieLiczby("S", zla, 42), 42) << zla;
    EXPECT_TRUE(ini.OdczytanieLogiczne("S", "i", false));
    EXPECT_FALSE(ini.OdczytanieLogiczne("S", "j", true));
    EXPECT_TRUE(ini.OdczytanieLogiczne("S", "k", true));
    EXPECT_FALSE(ini.OdczytanieLogiczne("S", "k", false));
}

TEST_F(PlikIni, AFileThatCannotBeWrittenRaisesWithItsName) {
    Zapisz("[Dane]\r\n");
    const std::string sciezka = sciezka_ + "/Belvastrona.ini";   // under a regular file
    TcPlikIni ini(sciezka);
    try {
        ini.ZapisanieLiczby("Dane", "Zliczanie", 1);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.what(), PL(u8"Błąd zapisu pliku '") + sciezka + "'.");
    }
    EXPECT_EQ(Bajty(), "[Dane]\r\n");
}
