// Bad source folders stop the builder with a message naming the place, and never touch an
// existing data directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "Bledy.h"
#include "BudowaKorpusu.h"
#include "FabrykaDanych.h"
#include "GeneratorProbki.h"
#include "Zapytanie.h"
#include "cp1250.h"

namespace fs = std::filesystem;

namespace {

void Zapis(const fs::path& p, const std::string& tekst) { std::ofstream(p, std::ios::binary) << tekst; }

// Replaces line n (from 1) of a file.
void ZamianaWiersza(const fs::path& p, int n, const std::string& nowy) {
    std::istringstream in(OdczytPliku(p));
    std::string l, out;
    for (int i = 1; std::getline(in, l); ++i) out += (i == n ? nowy : l) + "\n";
    Zapis(p, out);
}

// Name, date, chamber and provisions of line n of documents.tsv.
std::string Wiersz(const fs::path& p, int n) {
    std::istringstream in(OdczytPliku(p));
    std::string l;
    for (int i = 1; i <= n; ++i) std::getline(in, l);
    return l;
}

std::map<std::string, std::string> Zawartosc(const fs::path& katalog) {
    std::map<std::string, std::string> m;
    for (const auto& e : fs::directory_iterator(katalog))
        m[e.path().filename().string()] = e.is_directory() ? "<folder>" : OdczytPliku(e.path());
    return m;
}

struct TPrzypadek {
    const char* nazwa;
    std::function<void(const fs::path&)> psucie;
    std::vector<std::string> wMeldunku;   // UTF-8 pieces the message must contain
};

void PrintTo(const TPrzypadek& p, std::ostream* os) { *os << p.nazwa; }

class BledneZrodlo : public ::testing::TestWithParam<TPrzypadek> {
protected:
    static void SetUpTestSuite() {
        katalog_ = new TTymczasowyKatalog;
        TOpcjeProbki o;
        o.Dokumenty = 40;
        o.Slownictwo = 500;
        GenerowanieProbki(katalog_->Plik("wzor"), o);
    }
    static void TearDownTestSuite() { delete katalog_; }
    static TTymczasowyKatalog* katalog_;
};
TTymczasowyKatalog* BledneZrodlo::katalog_ = nullptr;

TEST_P(BledneZrodlo, BudowaStajeZMeldunkiemIZostawiaDane) {
    const TPrzypadek& p = GetParam();
    const fs::path zrodlo = katalog_->Plik(std::string("zrodlo-") + p.nazwa);
    const fs::path dane = katalog_->Plik(std::string("dane-") + p.nazwa);
    fs::copy(katalog_->Plik("wzor"), zrodlo, fs::copy_options::recursive);
    BudowaKorpusu(zrodlo.string(), dane.string());
    const auto przed = Zawartosc(dane);

    p.psucie(zrodlo);
    try {
        BudowaKorpusu(zrodlo.string(), dane.string());
        FAIL() << "budowa nie zgłosiła błędu";
    } catch (const EInOutError& e) {
        const std::string meldunek = cp1250::toUtf8(e.what());
        for (const auto& kawalek : p.wMeldunku) EXPECT_NE(meldunek.find(kawalek), std::string::npos) << meldunek;
    }
    EXPECT_EQ(Zawartosc(dane), przed);
    for (const auto& e : fs::directory_iterator(katalog_->Sciezka()))
        EXPECT_EQ(e.path().filename().string().find(dane.filename().string() + "."), std::string::npos)
            << "pozostał folder " << e.path();
}

const fs::path kTsv = "documents.tsv";

INSTANTIATE_TEST_SUITE_P(
    Przypadki, BledneZrodlo,
    ::testing::Values(
        TPrzypadek{"BrakSlownika", [](const fs::path& z) { fs::remove(z / "izby.ini"); }, {"izby.ini"}},
        TPrzypadek{"ZaMaloPol",
                   [](const fs::path& z) { ZamianaWiersza(z / kTsv, 3, "0000002.htm\t2004-01-01 10:00:00"); },
                   {"documents.tsv", "wiersz 3"}},
        TPrzypadek{"DataNieistniejaca",
                   [](const fs::path& z) {
                       std::string w = Wiersz(z / kTsv, 5);
                       w.replace(w.find('\t') + 1, 10, "2005-02-29");
                       ZamianaWiersza(z / kTsv, 5, w);
                   },
                   {"documents.tsv", "wiersz 5", "2005-02-29"}},
        TPrzypadek{"ZlaGodzina",
                   [](const fs::path& z) {
                       std::string w = Wiersz(z / kTsv, 6);
                       w.replace(w.find('\t') + 12, 2, "24");
                       ZamianaWiersza(z / kTsv, 6, w);
                   },
                   {"wiersz 6"}},
        TPrzypadek{"NieznanaIzba",
                   [](const fs::path& z) {
                       std::string w = Wiersz(z / kTsv, 2);
                       const size_t a = w.find('\t', w.find('\t') + 1) + 1;
                       w.replace(a, w.find('\t', a) - a, "17");
                       ZamianaWiersza(z / kTsv, 2, w);
                   },
                   {"wiersz 2", "17", "izby.ini"}},
        TPrzypadek{"BrakTekstuAktu", [](const fs::path& z) { fs::remove(z / "acts" / "vat.rtf"); },
                   {"akty.ini", "wiersz 4", "vat.rtf"}},
        TPrzypadek{"DokumentBezWiersza",
                   [](const fs::path& z) { Zapis(z / "documents" / "0049999.htm", "<P>x</P>"); },
                   {"0049999.htm", "documents.tsv"}},
        TPrzypadek{"WierszBezDokumentu", [](const fs::path& z) { fs::remove(z / "documents" / "0000003.htm"); },
                   {"0000003.htm", "documents.tsv", "wiersz 4"}},
        TPrzypadek{"IzbaBezSeparatora",
                   [](const fs::path& z) { ZamianaWiersza(z / "izby.ini", 3, "2=\"Izba Skarbowa w Krakowie\"\r"); },
                   {"izby.ini", "wiersz 3"}},
        TPrzypadek{"AktBezPrzepisu",
                   [](const fs::path& z) { ZamianaWiersza(z / "przepisy.ini", 4, "; akt 3 usunięty\r"); },
                   {"akty.ini", "wiersz 4", "przepisy.ini"}},
        TPrzypadek{"PowtorzonyDokument",
                   [](const fs::path& z) {
                       std::ofstream(z / kTsv, std::ios::app) << Wiersz(z / kTsv, 2) << "\n";
                   },
                   {"0000001.htm", "wierszu 2"}}),
    [](const auto& i) { return std::string(i.param.nazwa); });

TEST(BudowaKorpusu, NieudanaBudowaNieTworzyFolderuDanych) {
    TTymczasowyKatalog k;
    TOpcjeProbki o;
    o.Dokumenty = 10;
    o.Slownictwo = 100;
    GenerowanieProbki(k.Plik("zrodlo"), o);
    fs::remove(k.Plik("zrodlo/przepisy.ini"));
    EXPECT_THROW(BudowaKorpusu(k.Plik("zrodlo"), k.Plik("dane")), EInOutError);
    EXPECT_FALSE(fs::exists(k.Plik("dane")));
}

TEST(BudowaKorpusu, UdanaBudowaZastepujeFolderDanychZachowujacRaporty) {
    TTymczasowyKatalog k;
    TOpcjeProbki o;
    o.Dokumenty = 10;
    o.Slownictwo = 100;
    GenerowanieProbki(k.Plik("zrodlo"), o);
    fs::create_directories(k.Plik("dane"));
    Zapis(k.Plik("dane/tekst.aux"), "stary");   // left from a larger corpus: must not survive
    fs::create_directories(k.Plik("dane/Raporty"));
    Zapis(k.Plik("dane/Raporty/klient.rap"), "warunek=\nizba=0\nprzepis=0\nplik=1");   // the user's: must survive
    const TWynikBudowy w = BudowaKorpusu(k.Plik("zrodlo"), k.Plik("dane"));
    EXPECT_EQ(w.Dokumenty, 10);
    EXPECT_FALSE(fs::exists(k.Plik("dane/tekst.aux")));
    EXPECT_EQ(OdczytPliku(k.Plik("dane/Raporty/klient.rap")), "warunek=\nizba=0\nprzepis=0\nplik=1");
    BudowaKorpusu(k.Plik("zrodlo"), k.Plik("nowe"));
    EXPECT_TRUE(fs::is_directory(k.Plik("nowe/Raporty"))) << "a new data folder has its reports folder";
    for (const char* f : {"plik.dat", "plik.ref", "slowo.dat", "slowo.ref", "slowo.idx", "tekst.img", "scalony.xtm",
                          "scalony.ref", "przepisy.mix", "izby.mix", "akty.ini", "dzialy.ini", "izby.ini",
                          "przepisy.ini", "vat.rtf", "vat.dtf", "vat.itf"})
        EXPECT_TRUE(fs::exists(k.Plik(std::string("dane/") + f))) << f;
}

TEST(BudowaKorpusu, DokumentWUtf8JestZapisanyWIsoIPrzeszukiwalny) {
    TTymczasowyKatalog k;
    TOpcjeProbki o;
    o.Dokumenty = 10;
    o.Slownictwo = 100;
    GenerowanieProbki(k.Plik("zrodlo"), o);
    Zapis(k.Plik("zrodlo/documents/0000002.htm"),
          "\xEF\xBB\xBF<HTML><HEAD><META charset=\"utf-8\"></HEAD><P>Zażółć gęślą jaźń: 5 €.</P></HTML>");
    BudowaKorpusu(k.Plik("zrodlo"), k.Plik("dane"));

    TcZapytanie q(TOpcjeLadowania{k.Plik("dane")});
    EXPECT_EQ(q.OdczytanieDokumentu(2).Tekst,
              cp1250::utf8ToIso88592("<HTML><HEAD><META charset=\"iso-8859-2\"></HEAD><P>Zażółć gęślą jaźń: 5 ?.</P></HTML>"));
    TcTablicaLogiczna wynik(q.LiczbaDokumentow() + 1);
    q.SzukanieFrazy(PL(u8"\"gęślą jaźń\""), wynik);
    EXPECT_EQ(wynik.Liczba(), 1);
    EXPECT_TRUE(wynik[2]);
}

}  // namespace
