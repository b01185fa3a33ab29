// Reading the four dictionary files: line forms, conversions, lookups and read errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "Bledy.h"
#include "SlownikTxt.h"
#include "ZapisSlownikow.h"
#include "bSlownikTxt.h"
#include "cp1250.h"

namespace fs = std::filesystem;

namespace {

const std::string S = "\xFE";  // field separator

class Slowniki : public ::testing::Test {
protected:
    void SetUp() override {
        katalog_ = fs::temp_directory_path() /
                   ("belv_slowniki_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(katalog_);
    }
    void TearDown() override { fs::remove_all(katalog_); }

    // Writes the bytes as they are and returns the path.
    std::string Plik(const std::string& nazwa, const std::string& bajty) {
        const std::string sciezka = (katalog_ / nazwa).string();
        std::ofstream(sciezka, std::ios::binary) << bajty;
        return sciezka;
    }
    fs::path katalog_;
};

std::string Blad(const std::string& plik) { return PL(u8"Błąd odczytu słownika '") + plik + "'."; }

}  // namespace

TEST_F(Slowniki, HeaderBlankLinesAndCommentsGiveEmptyDictionaries) {
    const std::string tresc = "[Izby]\r\n\r\n; komentarz\r\n   \r\n";
    TcSlownikTxt dzialy(Plik("dzialy.ini", tresc), true);
    TcSlownikTxtIzba izby(Plik("izby.ini", tresc), true);
    TcSlownikTxtAkt akty(Plik("akty.ini", tresc), true);
    TcSlownikTxtPrzepis przepisy(Plik("przepisy.ini", tresc), true);
    EXPECT_TRUE(dzialy.Wpisy.empty());
    EXPECT_TRUE(izby.Wpisy.empty());
    EXPECT_TRUE(akty.Nazwy.empty());
    EXPECT_TRUE(przepisy.Nazwy.empty());
    EXPECT_EQ(akty.PlikWgNumeru(1), "");
}

TEST_F(Slowniki, ChamberLineGivesNameAndPosition) {
    TcSlownikTxtIzba izby(Plik("izby.ini", "[Izby]\r\n12=\"Izba Skarbowa w Krakowie\"" + S + "\"408\"\r\n"), true);
    ASSERT_EQ(izby.Wpisy.size(), 1u);
    ASSERT_EQ(izby.Nazwy.size(), 1u);
    EXPECT_EQ(izby.Nazwy[0], "Izba Skarbowa w Krakowie");
    EXPECT_EQ(izby.Wpisy[0]->Numer, 12);
    EXPECT_EQ(izby.PozycjaWgNumeru(12), 408);
    EXPECT_EQ(izby.NumerWgNazwy("izba skarbowa w KRAKOWIE"), 12);
    EXPECT_EQ(izby.NazwaWgNumeru(12), "Izba Skarbowa w Krakowie");
    EXPECT_EQ(izby.NumerWgNazwy("Wszystkie izby skarbowe"), -1);
    EXPECT_EQ(izby.PozycjaWgNumeru(13), -1);
    EXPECT_EQ(izby.PozycjaWgNumeru(0), -1);
    EXPECT_EQ(izby.PozycjaWgNumeru(-12), -1);
}

TEST_F(Slowniki, LineEndingsAndLastLineWithoutBreakReadAlike) {
    const std::string w1 = "1=\"Pierwsza\"" + S + "\"4\"";
    const std::string w2 = "2=\"Druga\"" + S + "\"8\"";
    for (const std::string& tresc : {w1 + "\r\n" + w2 + "\r\n", w1 + "\n" + w2 + "\n", w1 + "\r\n" + w2,
                                     w1 + "\n" + w2 + "\r"}) {
        TcSlownikTxtIzba izby(Plik("izby.ini", tresc), true);
        ASSERT_EQ(izby.Nazwy.size(), 2u);
        EXPECT_EQ(izby.Nazwy[1], "Druga");
        EXPECT_EQ(izby.PozycjaWgNumeru(2), 8);
    }
}

TEST_F(Slowniki, ProvisionSectionDigitCodeAndPosition) {
    const std::string tresc = "[Przepisy]\r\n"
                              "1=\"A3art. 1\"" + S + "\"16\"\r\n"
                              "2=\"B0art. 2\"" + S + "\"32\"\r\n"
                              "3=\"Cxart. 3\"" + S + "\"48\"\r\n"
                              "4=\"D9art. 4\"" + S + "\"-4\"\r\n";
    TcSlownikTxtPrzepis p(Plik("przepisy.ini", tresc), true);
    ASSERT_EQ(p.Nazwy.size(), 4u);
    EXPECT_EQ(p.Nazwy[0], "art. 1");
    EXPECT_EQ(p.DzialWgNazwy("ART. 1"), 3);
    EXPECT_EQ(p.DzialWgNazwy("art. 2"), 0);
    EXPECT_EQ(p.DzialWgNazwy("art. 3"), 0);
    EXPECT_EQ(p.DzialWgNazwy("art. 4"), 9);
    EXPECT_EQ(p.DzialWgNazwy("art. 5"), -1);
    EXPECT_EQ(p.PozycjaWgNumeru(3), 48);
    EXPECT_EQ(p.PozycjaWgNumeru(4), -4);
    EXPECT_EQ(p.PozycjaWgNumeru(0), -1);
    EXPECT_EQ(p.NumerWgNazwy("art. 2"), 2);
}

TEST_F(Slowniki, IsoLettersBecomeWindows1250) {
    // "Świętokrzyska śląska ąź" in ISO-8859-2: Ś A6, ś B6, ą B1, ź BC.
    const std::string iso = "\xA6wi\xEAtokrzyska \xB6l\xB1ska \xB1\xBC";
    const std::string win = "\x8Cwi\xEAtokrzyska \x9Cl\xB9ska \xB9\x9F";
    TcSlownikTxtIzba izby(Plik("izby.ini", "5=\"" + iso + "\"" + S + "\"0\"\r\n"), true);
    TcSlownikTxtAkt akty(Plik("akty.ini", "5=\"" + iso + "\"" + S + "\"\xB6wiadczenia\"\r\n"), true);
    TcSlownikTxt dzialy(Plik("dzialy.ini", "5=" + iso + "\r\n"), true);
    EXPECT_EQ(izby.NazwaWgNumeru(5), win);
    EXPECT_EQ(akty.NazwaWgNumeru(5), win);
    EXPECT_EQ(akty.PlikWgNumeru(5), "\x9Cwiadczenia");
    EXPECT_EQ(dzialy.NazwaWgNumeru(5), win);
    // Upper-case Polish letters match the name too.
    EXPECT_EQ(izby.NumerWgNazwy(cp1250::upper(win)), 5);
}

TEST_F(Slowniki, LinesThatAreNotEntriesAreSkipped) {
    const std::string tresc = "bez znaku rownosci\r\n"
                              "x1=\"Litera\"" + S + "\"4\"\r\n"
                              "1 =\"Spacja\"" + S + "\"4\"\r\n"
                              "=\"Pusty klucz\"" + S + "\"4\"\r\n"
                              "99999999999=\"Za duzy\"" + S + "\"4\"\r\n"
                              "7=\"ab\r\n"       // three characters after "=": too short
                              "-3=\"Ujemna\"" + S + "\"12\"\r\n"
                              "+8=\"Plus\"" + S + "\"16\"\r\n";
    TcSlownikTxtIzba izby(Plik("izby.ini", tresc), true);
    ASSERT_EQ(izby.Nazwy.size(), 2u);
    EXPECT_EQ(izby.NumerWgNazwy("Ujemna"), -3);
    EXPECT_EQ(izby.NazwaWgNumeru(-3), "");  // negative numbers are never looked up
    EXPECT_EQ(izby.NazwaWgNumeru(8), "Plus");
    EXPECT_EQ(izby.NazwaWgNumeru(0), "");
}

TEST_F(Slowniki, DuplicatesAnswerWithTheFirstEntry) {
    const std::string tresc = "4=\"A1Ulga\"" + S + "\"8\"\r\n"
                              "5=\"B2ulga\"" + S + "\"12\"\r\n"
                              "4=\"C3Inna\"" + S + "\"16\"\r\n";
    TcSlownikTxtPrzepis p(Plik("przepisy.ini", tresc), true);
    EXPECT_EQ(p.NumerWgNazwy("ULGA"), 4);
    EXPECT_EQ(p.DzialWgNazwy("ulga"), 1);
    EXPECT_EQ(p.PozycjaWgNumeru(4), 8);
    EXPECT_EQ(p.NazwaWgNumeru(4), "Ulga");
    ASSERT_EQ(p.Nazwy.size(), 3u);
    EXPECT_EQ(p.Nazwy[2], "Inna");
}

TEST_F(Slowniki, EmptyNameOrStemIsPassedOverByNumberLookups) {
    const std::string tresc = "3=\"\"" + S + "\"\"\r\n"
                              "3=\"Ustawa\"" + S + "\"ustawa\"\r\n"
                              "4=\"Bez separatora\"\r\n";
    TcSlownikTxtAkt akty(Plik("akty.ini", tresc), true);
    ASSERT_EQ(akty.Nazwy.size(), 3u);
    EXPECT_EQ(akty.Nazwy[0], "");
    EXPECT_EQ(akty.NazwaWgNumeru(3), "Ustawa");
    EXPECT_EQ(akty.PlikWgNumeru(3), "ustawa");
    // A line without the separator is kept with an empty name.
    EXPECT_EQ(akty.Wpisy[2]->Numer, 4);
    EXPECT_EQ(akty.Nazwy[2], "");
    EXPECT_EQ(akty.NazwaWgNumeru(4), "");
    EXPECT_EQ(akty.PlikWgNumeru(0), "");
    EXPECT_EQ(akty.PlikWgNumeru(-5), "");
}

TEST_F(Slowniki, SectionNamesAreTrimmedAndDequoted) {
    const std::string tresc = "[Dzialy]\r\n"
                              "3=\"Podatek dochodowy\"\r\n"
                              "4=   \"Ulgi \"\"i\"\" zwolnienia\"  \r\n"
                              "5=\"\"\r\n"
                              "6=Bez cudzyslowu" + S + "drugie pole\r\n"
                              "7=\t \r\n"
                              "8=" + S + "tylko drugie\r\n"
                              "9=\"Niedomkniety\r\n"
                              "10=\"Uciety\" po cudzyslowie\r\n";
    TcSlownikTxt d(Plik("dzialy.ini", tresc), true);
    EXPECT_EQ(d.NazwaWgNumeru(3), "Podatek dochodowy");
    EXPECT_EQ(d.NazwaWgNumeru(4), "Ulgi \"i\" zwolnienia");
    EXPECT_EQ(d.NazwaWgNumeru(5), "\"\"");
    EXPECT_EQ(d.NazwaWgNumeru(6), "Bez cudzyslowu");
    EXPECT_EQ(d.NazwaWgNumeru(9), "Niedomkniety");
    EXPECT_EQ(d.NazwaWgNumeru(10), "Uciety");
    // Blank first fields are no entries.
    EXPECT_EQ(d.Nazwy.size(), 6u);
    EXPECT_EQ(d.NumerWgNazwy("podatek DOCHODOWY"), 3);
}

TEST_F(Slowniki, ReadErrorsNameTheFileAndKeepEarlierEntries) {
    const std::string brak = (katalog_ / "brak.ini").string();
    try {
        TcSlownikTxt d(brak, true);
        FAIL() << "a missing file must not read";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.what(), Blad(brak));
    }

    struct Przypadek { std::string plik, tresc; };
    const Przypadek zle[] = {
        {"izby.ini", "1=\"Dobra\"" + S + "\"4\"\r\n2=\"Bez separatora 408\"\r\n3=\"Po\"" + S + "\"8\"\r\n"},
        {"przepisy.ini", "1=\"A1Dobry\"" + S + "\"4\"\r\n2=\"B2Bez separatora\"\r\n"},
        {"przepisy.ini", "1=\"A1Dobry\"" + S + "\"4\"\r\n2=\"B2Zla pozycja\"" + S + "\"4x\"\r\n"},
        {"izby.ini", "1=\"Dobra\"" + S + "\"4\"\r\n2=\"Pusta pozycja\"" + S + "\"\"\r\n"},
        {"izby.ini", "1=\"Dobra\"" + S + "\"4\"\r\n2=\"Za duza\"" + S + "\"4294967296\"\r\n"},
    };
    for (const auto& z : zle) {
        const std::string sciezka = Plik(z.plik, z.tresc);
        std::unique_ptr<TcSlownikTxt> slownik;
        if (z.plik == "izby.ini")
            slownik = std::make_unique<TcSlownikTxtIzba>(sciezka, false);
        else
            slownik = std::make_unique<TcSlownikTxtPrzepis>(sciezka, false);
        try {
            slownik->OdczytanieSlownika();
            ADD_FAILURE() << z.tresc;
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.what(), Blad(sciezka));
        }
        ASSERT_EQ(slownik->Nazwy.size(), 1u) << z.tresc;
        EXPECT_EQ(slownik->NazwaWgNumeru(1).substr(0, 4), "Dobr");
    }
    // From the constructor the error leaves it.
    EXPECT_THROW(TcSlownikTxtIzba(Plik("izby.ini", "2=\"Bez separatora\"\r\n"), true), EInOutError);
}

TEST_F(Slowniki, RereadingReplacesTheContent) {
    const std::string sciezka = Plik("izby.ini", "1=\"Stara\"" + S + "\"4\"\r\n");
    TcSlownikTxtIzba izby(sciezka, false);
    EXPECT_TRUE(izby.Nazwy.empty());
    izby.OdczytanieSlownika();
    Plik("izby.ini", "2=\"Nowa\"" + S + "\"8\"\r\n");
    izby.OdczytanieSlownika();
    ASSERT_EQ(izby.Nazwy.size(), 1u);
    EXPECT_EQ(izby.NumerWgNazwy("Stara"), -1);
    EXPECT_EQ(izby.PozycjaWgNumeru(2), 8);
    izby.CzyszczenieSlownika();
    EXPECT_TRUE(izby.Wpisy.empty());
}
