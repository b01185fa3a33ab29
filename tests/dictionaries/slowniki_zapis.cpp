// The dictionary writers: what they write reads back unchanged, in the files' own encoding.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "Bledy.h"
#include "ZapisSlownikow.h"
#include "bSlownikTxt.h"

namespace fs = std::filesystem;

namespace {

std::string Bajty(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class ZapisSlownikow : public ::testing::Test {
protected:
    void SetUp() override {
        katalog_ = fs::temp_directory_path() / ("belv_zapis_slownikow_" + std::to_string(::getpid()));
        fs::create_directories(katalog_);
    }
    void TearDown() override { fs::remove_all(katalog_); }
    std::string Sciezka(const char* n) const { return (katalog_ / n).string(); }
    fs::path katalog_;
};

const std::string Slask = "\x8Cl\xB9sk";  // "Śląsk" in Windows-1250

}  // namespace

TEST_F(ZapisSlownikow, EveryDictionaryReadsBackWhatWasWritten) {
    TrIzba izba;
    izba.Numer = 12; izba.Nazwa = "Izba Skarbowa w Krakowie"; izba.Pozycja = 408;
    TrIzba izba2;
    izba2.Numer = 3; izba2.Nazwa = "Izba " + Slask; izba2.Pozycja = 0;
    ZapisSlownikaIzb(Sciezka("izby.ini"), {izba, izba2});

    TrAkt akt;
    akt.Numer = 5; akt.Nazwa = "Ustawa \"o VAT\""; akt.Plik = "vat_" + Slask;
    ZapisSlownikaAktow(Sciezka("akty.ini"), {akt});

    TrPrzepis p1, p2;
    p1.Numer = 7; p1.Nazwa = "art. 15 " + Slask; p1.Dzial = 2; p1.Pozycja = 96;
    p2.Numer = 8; p2.Nazwa = "art. 16"; p2.Dzial = 12; p2.Pozycja = 100;
    ZapisSlownikaPrzepisow(Sciezka("przepisy.ini"), {p1, p2});

    TrSlownikTxt d1, d2;
    d1.Numer = 4; d1.Nazwa = "Ulgi \"i\" zwolnienia";
    d2.Numer = 5; d2.Nazwa = Slask;
    ZapisSlownikaDzialow(Sciezka("dzialy.ini"), {d1, d2});

    TcSlownikTxtIzba izby(Sciezka("izby.ini"), true);
    EXPECT_EQ(izby.Nazwy, (TListaTekstow{"Izba Skarbowa w Krakowie", "Izba " + Slask}));
    EXPECT_EQ(izby.PozycjaWgNumeru(12), 408);
    EXPECT_EQ(izby.PozycjaWgNumeru(3), 0);

    TcSlownikTxtAkt akty(Sciezka("akty.ini"), true);
    EXPECT_EQ(akty.NazwaWgNumeru(5), akt.Nazwa);
    EXPECT_EQ(akty.PlikWgNumeru(5), akt.Plik);

    TcSlownikTxtPrzepis przepisy(Sciezka("przepisy.ini"), true);
    EXPECT_EQ(przepisy.Nazwy, (TListaTekstow{p1.Nazwa, "art. 16"}));
    EXPECT_EQ(przepisy.DzialWgNazwy(p1.Nazwa), 2);
    EXPECT_EQ(przepisy.DzialWgNazwy("art. 16"), 0);
    EXPECT_EQ(przepisy.PozycjaWgNumeru(8), 100);

    TcSlownikTxt dzialy(Sciezka("dzialy.ini"), true);
    EXPECT_EQ(dzialy.Nazwy, (TListaTekstow{d1.Nazwa, Slask}));

    // On disk: ISO-8859-2 letters and CR LF line ends.
    const std::string izbyNaDysku = Bajty(katalog_ / "izby.ini");
    EXPECT_NE(izbyNaDysku.find("3=\"Izba \xA6l\xB1sk\"\xFE\"0\"\r\n"), std::string::npos) << izbyNaDysku;
    EXPECT_EQ(izbyNaDysku.find('\x8C'), std::string::npos);
}

TEST_F(ZapisSlownikow, TextsThatWouldBreakALineAreRefused) {
    TrIzba izba;
    izba.Numer = 1; izba.Nazwa = "z\xFE" "separatorem";
    EXPECT_THROW(ZapisSlownikaIzb(Sciezka("izby.ini"), {izba}), EInternalError);
    TrAkt akt;
    akt.Numer = 1; akt.Nazwa = "Akt"; akt.Plik = "a\r\nb";
    EXPECT_THROW(ZapisSlownikaAktow(Sciezka("akty.ini"), {akt}), EInternalError);
    EXPECT_THROW(ZapisSlownikaDzialow((katalog_ / "brak" / "dzialy.ini").string(), {}), EInOutError);
}
