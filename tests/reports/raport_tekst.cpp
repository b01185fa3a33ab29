// The report text: composing it from the result table and reading it back with the one reader
// both windows use, including files changed by hand or not reports at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TablicaRaportu.h"
#include "Straznik.h"
#include "TekstRaportu.h"
#include "cp1250.h"

namespace {

const std::string kPlik = "Raporty/klient.rap";

TcTablicaRaportu Tablica(std::initializer_list<std::pair<int32_t, bool>> pozycje) {
    TcTablicaRaportu t;
    for (const auto& [d, z] : pozycje) t.Dodanie(d, z);
    return t;
}

TRaport Czytaj(const std::string& tekst, int32_t n = 1000) { return OdczytanieRaportu(tekst, kPlik, n); }

// The message of the refusal, or "" when the text was read.
std::string Odmowa(const std::string& tekst, int32_t n = 1000) {
    try {
        OdczytanieRaportu(tekst, kPlik, n);
    } catch (const EBladRaportu& e) {
        return e.what();
    }
    return "";
}

std::string Uszkodzony(std::u8string_view opis) {
    return PL(u8"Plik raportu 'Raporty/klient.rap' jest uszkodzony: ") + PL(opis) + ".";
}

}  // namespace

TEST(RaportTekst, ComposesTheFourLinesFromTheCheckedEntriesInTableOrder) {
    // A search by chamber 7 alone that kept 812, 577 and 36 checked: 41 bytes.
    const TcTablicaRaportu t = Tablica({{900, false}, {812, true}, {700, false}, {577, true}, {36, true}, {5, false}});
    const std::string tekst = TekstRaportu(t, "", 7, 0);
    EXPECT_EQ(tekst, "warunek=\nizba=7\nprzepis=0\nplik=812|577|36");
    EXPECT_EQ(tekst.size(), 41u);

    // Entries past Liczba are not the result's, even when marked.
    TcTablicaRaportu stara = Tablica({{3, true}, {2, true}});
    stara.Liczba = 1;
    EXPECT_EQ(TekstRaportu(stara, "\"vat\"", 0, 15), "warunek=\"vat\"\nizba=0\nprzepis=15\nplik=3");

    // Nothing checked: the line "plik=" ends the file.
    EXPECT_EQ(TekstRaportu(Tablica({{4, false}}), "( \"a\" ) AND ( \"b\" )", 0, 0),
              "warunek=( \"a\" ) AND ( \"b\" )\nizba=0\nprzepis=0\nplik=");
    EXPECT_EQ(TekstRaportu(TcTablicaRaportu(), "", 0, 0), "warunek=\nizba=0\nprzepis=0\nplik=");

    // A line break in a condition would make a fifth line.
    EXPECT_EQ(TekstRaportu(Tablica({{1, true}}), "\"a\"\n\r\"b\"\t", 0, 0), "warunek=\"a\"  \"b\" \nizba=0\nprzepis=0\nplik=1");
}

TEST(RaportTekst, ReadsBackWhatWasComposed) {
    const TRaport a = Czytaj("warunek=\nizba=7\nprzepis=0\nplik=812|577|36");
    EXPECT_EQ(a.Warunek, "");
    EXPECT_EQ(a.Izba, 7);
    EXPECT_EQ(a.Przepis, 0);
    EXPECT_EQ(a.Dokumenty, (std::vector<int32_t>{812, 577, 36}));
    EXPECT_EQ(a.PozaMagazynem + a.PonadPojemnosc + a.NieLiczby, 0);

    // A condition holding "=" and Polish letters comes back whole; the order of the documents stays.
    const std::string warunek = PL(u8"( \"a=b\" ) AND ( \"zażółć\" OR \"x == y\" )");
    const TRaport b = Czytaj(TekstRaportu(Tablica({{3, true}, {999, true}, {1, true}}), warunek, 12, 4096));
    EXPECT_EQ(b.Warunek, warunek);
    EXPECT_EQ(b.Izba, 12);
    EXPECT_EQ(b.Przepis, 4096);
    EXPECT_EQ(b.Dokumenty, (std::vector<int32_t>{3, 999, 1}));

    // No checked document: an empty list, not a refusal.
    EXPECT_TRUE(Czytaj("warunek=\nizba=0\nprzepis=0\nplik=").Dokumenty.empty());
}

TEST(RaportTekst, KeysIgnoreLetterCaseTheFirstLineCountsOthersAreIgnored) {
    const TRaport r = Czytaj(
        "Komentarz bez znaku rownosci\n"
        "PLIK=5|6\n"
        "Izba=3\n"
        "izba=4\n"
        "plik =9\n"          // the key is the text before "=", blank included
        "plikx=8\n"
        "WaRuNeK=\"x\"=\"y\"\n"
        "\n\n"               // empty lines vanish
        "warunek=drugi\n"
        "pRZEPIS=-0\n"
        "plik=7");
    EXPECT_EQ(r.Warunek, "\"x\"=\"y\"");
    EXPECT_EQ(r.Izba, 3);
    EXPECT_EQ(r.Przepis, 0);
    EXPECT_EQ(r.Dokumenty, (std::vector<int32_t>{5, 6}));
}

TEST(RaportTekst, DocumentPiecesThatAreNoIntegersAreSkippedSilently) {
    TRaport r = Czytaj("warunek=\nizba=0\nprzepis=0\nplik=12||x|13");
    EXPECT_EQ(r.Dokumenty, (std::vector<int32_t>{12, 13}));
    EXPECT_EQ(r.NieLiczby, 1);   // the empty piece is not counted
    EXPECT_EQ(r.PozaMagazynem, 0);

    r = Czytaj("warunek=\nizba=0\nprzepis=0\nplik=|1 |+2|0x3|4.0|5|99999999999|+6|-|");
    EXPECT_EQ(r.Dokumenty, (std::vector<int32_t>{2, 5, 6}));
    EXPECT_EQ(r.NieLiczby, 5);
}

TEST(RaportTekst, NumbersOutsideTheStoreAreLeftOutAndCounted) {
    const TRaport r = Czytaj("warunek=\nizba=0\nprzepis=0\nplik=0|1|-4|10|11|2147483647|10", 10);
    EXPECT_EQ(r.Dokumenty, (std::vector<int32_t>{1, 10, 10}));
    EXPECT_EQ(r.PozaMagazynem, 4);
    EXPECT_EQ(KomunikatPominietych(r), PL(u8"Pominięto numery dokumentów spoza bazy: 4."));
    EXPECT_EQ(KomunikatPominietych(Czytaj("warunek=\nizba=0\nprzepis=0\nplik=1|x", 10)), "")
        << "pieces that are no numbers are left out silently";
}

TEST(RaportTekst, MoreNumbersThanTheResultTableHoldsAreCutAtItsCapacity) {
    std::string plik = "plik=";
    const int32_t ponad = 7;
    for (int32_t i = 0; i < PojemnoscRaportu + ponad; ++i) {
        plik += std::to_string(i % 5 + 1);
        plik += '|';
    }
    plik += "0|x";   // left out before the cut is counted
    const TRaport r = Czytaj("warunek=\nizba=0\nprzepis=0\n" + plik, 5);
    ASSERT_EQ(r.Dokumenty.size(), size_t(PojemnoscRaportu));
    EXPECT_EQ(r.Dokumenty.back(), (PojemnoscRaportu - 1) % 5 + 1);
    EXPECT_EQ(r.PonadPojemnosc, ponad);
    EXPECT_EQ(r.PozaMagazynem, 1);
    EXPECT_EQ(r.NieLiczby, 1);
    EXPECT_EQ(KomunikatPominietych(r), PL(u8"Pominięto numery dokumentów spoza bazy: 1.\n"
                                          u8"Raport zawiera więcej dokumentów, niż mieści wynik (262143); "
                                          u8"pominięto ostatnie: 7."));
}

TEST(RaportTekst, ChamberAndProvisionMustBeWholeIntegers) {
    // Saved with CR LF: the chamber's value ends in a carriage return.
    EXPECT_EQ(Odmowa("warunek=\r\nizba=7\r\nprzepis=0\r\nplik=812|577|36"),
              Uszkodzony(u8"numer izby '7\\r' nie jest liczbą całkowitą"));
    EXPECT_EQ(Odmowa("warunek=\nizba=\nprzepis=0\nplik="), Uszkodzony(u8"numer izby '' nie jest liczbą całkowitą"));
    EXPECT_EQ(Odmowa("warunek=\nizba= 7\nprzepis=0\nplik="), Uszkodzony(u8"numer izby ' 7' nie jest liczbą całkowitą"));
    EXPECT_EQ(Odmowa("warunek=\nizba=0\nprzepis=2147483648\nplik="),
              Uszkodzony(u8"numer przepisu '2147483648' nie jest liczbą całkowitą"));
    EXPECT_EQ(Odmowa("warunek=\nizba=0\nprzepis=+-1\nplik="),
              Uszkodzony(u8"numer przepisu '+-1' nie jest liczbą całkowitą"));
    EXPECT_EQ(Odmowa("warunek=\nizba=0\nprzepis=1\t\nplik="),
              Uszkodzony(u8"numer przepisu '1\\t' nie jest liczbą całkowitą"));
    // A long value is cut in the message.
    EXPECT_EQ(Odmowa("warunek=\nizba=" + std::string(100, '9') + "\nprzepis=0\nplik="),
              PL(u8"Plik raportu 'Raporty/klient.rap' jest uszkodzony: numer izby '") + std::string(40, '9') +
                  PL(u8"...' nie jest liczbą całkowitą."));

    const TRaport r = Czytaj("warunek=\nizba=-2147483648\nprzepis=+0012\nplik=");
    EXPECT_EQ(r.Izba, INT32_MIN);
    EXPECT_EQ(r.Przepis, 12);
}

TEST(RaportTekst, AFileThatIsNotAReportIsRefusedNamingIt) {
    EXPECT_EQ(Odmowa(""), PL(u8"Plik raportu 'Raporty/klient.rap' jest pusty."));
    EXPECT_EQ(Odmowa(std::string("warunek=\nizba=0\nprzepis=0\nplik=1\0", 34)), Uszkodzony(u8"zawiera znaki binarne"));
    EXPECT_EQ(Odmowa("\x89PNG\r\n\x1A\n"), Uszkodzony(u8"zawiera znaki binarne"));
    EXPECT_EQ(Odmowa("\n\n"), Uszkodzony(u8"brak wiersza 'warunek='"));
    EXPECT_EQ(Odmowa("warunek=\nizba=0\nprzepis=0"), Uszkodzony(u8"brak wiersza 'plik='"));
    EXPECT_EQ(Odmowa("warunek=\nizba=0\nplik=1"), Uszkodzony(u8"brak wiersza 'przepis='"));
    EXPECT_EQ(Odmowa("izba=0\nprzepis=0\nplik=1"), Uszkodzony(u8"brak wiersza 'warunek='"));
    EXPECT_EQ(Odmowa("warunek\nizba\nprzepis\nplik"), Uszkodzony(u8"brak wiersza 'warunek='"));
    // A tab and Windows-1250 letters are text.
    EXPECT_EQ(Odmowa(PL(u8"warunek=\t\"źdźbło\"\nizba=0\nprzepis=0\nplik=")), "");
}

// A report cut anywhere, or with a byte changed anywhere, is read or refused naming the file;
// what is read never holds a number outside the store.
TEST(RaportTekst, ACutOrChangedFileIsReadOrRefusedNamingIt) {
    const std::string tekst = "warunek= \"podatek\" AND \"VAT\"\nizba=12\nprzepis=7\nplik=5,17,999,3";
    TStraznik straznik;
    const auto sprawdzenie = [&straznik](const std::string& t, const std::string& opis) {
        straznik.Przypadek(opis);
        const std::string m = Odmowa(t, 100);
        if (!m.empty()) {
            EXPECT_NE(m.find("Raporty/klient.rap"), std::string::npos) << opis;
            return;
        }
        for (int32_t d : Czytaj(t, 100).Dokumenty) EXPECT_TRUE(d >= 1 && d <= 100) << opis;
    };
    for (size_t n = 0; n <= tekst.size(); ++n) sprawdzenie(tekst.substr(0, n), "cut at " + std::to_string(n));
    for (size_t i = 0; i < tekst.size(); ++i)
        for (const char c : {'\0', '\n', '\r', '=', ',', '-', '9', '\xFF'}) {
            std::string t = tekst;
            t[i] = c;
            sprawdzenie(t, "byte " + std::to_string(i));
        }
}

TEST(RaportTekst, TheViewerListsEachPageByEntryMinuteLaterFirst) {
    // Packed date-times: day d of May 2004 at hh:mm, seconds s.
    auto data = [](int dzien, int godzina, int minuta, int sekundy) {
        return uint32_t((2004 - 1980) << 25 | 5 << 21 | dzien << 16 | godzina << 11 | minuta << 5 | sekundy / 2);
    };
    std::vector<int32_t> dokumenty;
    for (int32_t d = 1; d <= 53; ++d) dokumenty.push_back(d);
    auto dataWpisu = [&](int32_t d) -> uint32_t {
        if (d == 7) return data(20, 8, 0, 0);
        if (d == 3) return data(20, 8, 0, 58);   // the same minute as 7: report order stays
        if (d == 40) return data(20, 8, 1, 0);
        if (d == 52) return data(31, 0, 0, 0);
        return data(1, 10, 0, 0);
    };
    const std::vector<int32_t> strona0 = DokumentyStrony(dokumenty, 0, dataWpisu);
    ASSERT_EQ(strona0.size(), 50u);
    EXPECT_EQ((std::vector<int32_t>(strona0.begin(), strona0.begin() + 5)), (std::vector<int32_t>{40, 3, 7, 1, 2}));
    EXPECT_EQ(strona0.back(), 50);
    EXPECT_EQ(DokumentyStrony(dokumenty, 1, dataWpisu), (std::vector<int32_t>{52, 51, 53}));
    EXPECT_TRUE(DokumentyStrony(dokumenty, 2, dataWpisu).empty());
    EXPECT_TRUE(DokumentyStrony({}, 0, dataWpisu).empty());
}
