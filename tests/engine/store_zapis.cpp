// Writers of the data directory: packed dates, records, word order, and what the streaming
// index writer puts in the files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "FabrykaDanych.h"
#include "MagazynIndeksu.h"
#include "ZapisDanych.h"
#include "cp1250.h"
#include "mLib.h"

namespace {

std::vector<int32_t> Int32(const std::string& sciezka) {
    std::vector<int32_t> v;
    mReadFile(sciezka, v, 0, TrybBledu::Wyjatek);
    return v;
}

}  // namespace

TEST(StoreZapis, PackedDateTimeRoundTrips) {
    EXPECT_EQ(SpakowanieDaty(2002, 4, 15, 11, 17, 2), 0x2C8F5A21u);
    const TDataCzas t = RozpakowanieDaty(0x2C8F5A21u);
    EXPECT_EQ(t.Rok, 2002);
    EXPECT_EQ(t.Miesiac, 4);
    EXPECT_EQ(t.Dzien, 15);
    EXPECT_EQ(t.Godzina, 11);
    EXPECT_EQ(t.Minuta, 17);
    EXPECT_EQ(t.Sekunda, 2);
    // The extremes of the format: 1980-01-01 00:00:00 and 2107-12-31 23:59:58.
    EXPECT_EQ(SpakowanieDaty(1980, 1, 1, 0, 0, 0), 0x00210000u);
    const TDataCzas k = RozpakowanieDaty(SpakowanieDaty(2107, 12, 31, 23, 59, 58));
    EXPECT_EQ(std::vector<int>({k.Rok, k.Miesiac, k.Dzien, k.Godzina, k.Minuta, k.Sekunda}),
              std::vector<int>({2107, 12, 31, 23, 59, 58}));
}

TEST(StoreZapis, RecordUnscramblesToDateAndExactBytes) {
    std::string html = "<P>A&amp;B = C\r\n";
    for (int c = 0; c < 256; ++c) html += char(c);
    const std::string r = ZapisRekordu(0x2C8F5A21u, html);
    ASSERT_EQ(r.size(), html.size() + 4);
    TZbiorZnakow zachowane = TZbiorZnakow::Zakres(0, 31);
    zachowane += TZbiorZnakow("&=");
    const std::string jawny = mScramble(r, "KR52MV", zachowane);
    EXPECT_EQ(jawny.substr(0, 4), std::string("\x21\x5A\x8F\x2C"));
    EXPECT_EQ(jawny.substr(4), html);
    // Control characters, '&' and '=' are the same bytes in the stored record.
    for (size_t i = 4; i < r.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(html[i - 4]);
        if (c < 32 || c == '&' || c == '=') {
            EXPECT_EQ(r[i], html[i - 4]) << i;
        }
    }
    EXPECT_NE(r.substr(4, 3), html.substr(0, 3));
}

TEST(StoreZapis, WordComparisonFoldsOnlyAsciiLetters) {
    EXPECT_EQ(PorownanieSlow("podatek", "PODATEK"), 0);
    EXPECT_LT(PorownanieSlow("PODATEK", "PODATKI"), 0);
    EXPECT_LT(PorownanieSlow("AB", "ABC"), 0);
    EXPECT_GT(PorownanieSlow("ABC", "AB"), 0);
    EXPECT_LT(PorownanieSlow("Z", "\xA5"), 0);          // Polish letters sort by their codes
    EXPECT_LT(PorownanieSlow("a", "["), 0);             // 'a' folds to 'A' (0x41) < '[' (0x5B)
    EXPECT_NE(PorownanieSlow("\xB9", "\xA5"), 0);       // ą and Ą are not folded
    EXPECT_LT(PorownanieSlow("\xFF\xFF", "\377\377\377"), 0);
}

TEST(StoreZapis, NameListRefusesNamesOver255Bytes) {
    TTymczasowyKatalog k;
    EXPECT_NO_THROW(ZapisListyNazw(k.Plik("a.dtf"), {std::string(255, 'x'), "", "b"}));
    EXPECT_EQ(std::filesystem::file_size(k.Plik("a.dtf")), 1u + 255 + 1 + 2);
    EXPECT_THROW(ZapisListyNazw(k.Plik("b.dtf"), {std::string(256, 'x')}), EInOutError);
    EXPECT_THROW(ZapisInt32(k.Plik("brak/c.ref"), {1}), EInOutError);
}

TEST(StoreZapis, IndexWriterFillsEveryFileConsistently) {
    TTymczasowyKatalog k;
    TZapisIndeksu z(k.Sciezka());
    EXPECT_EQ(z.DodanieDokumentu("0000001.htm", 1, "<P>a</P>", {"VAT", "podatek", "VAT", ""}, 12, {7, 7, 9}), 1);
    EXPECT_EQ(z.DodanieDokumentu("0000002.htm", 2, "<P>b</P>", {}, 0, {}), 2);
    EXPECT_EQ(z.DodanieDokumentu("0000003.htm", 3, "<P>c</P>", {"PODATEK"}, 12, {9}), 3);
    EXPECT_THROW(z.DodanieDokumentu("0000003.htm", 3, "", {}, 0, {}), EInOutError);   // names must ascend
    EXPECT_EQ(z.LiczbaDokumentow(), 3);
    const auto poz = z.Zakonczenie({5, 12}, {8});

    // Lower-case tokens are the same word; empty tokens are dropped.
    std::vector<int32_t> slowaRef;
    EXPECT_EQ(OdczytPliku(k.Plik("slowo.dat")), std::string("\x07PODATEK\x03VAT"));
    EXPECT_EQ(Int32(k.Plik("plik.ref")), (std::vector<int32_t>{0, 8, 10, 14}));
    EXPECT_EQ(Int32(k.Plik("slowo.ref")), (std::vector<int32_t>{0, 8, 12}));
    EXPECT_EQ(Int32(k.Plik("slowo.idx")), (std::vector<int32_t>{1, 3, 1}));
    std::vector<uint16_t> img;
    mReadFile(k.Plik("tekst.img"), img, 0, TrybBledu::Wyjatek);
    EXPECT_EQ(img, (std::vector<uint16_t>{2, 1, 2, 0, 0, 1, 0}));
    EXPECT_FALSE(std::filesystem::exists(k.Plik("tekst.aux")));

    // Groups in ascending number order, empty ones for the numbers asked for.
    EXPECT_EQ(Int32(k.Plik("izby.mix")), (std::vector<int32_t>{5, 0, 12, 1, 3, 0}));
    EXPECT_EQ(poz.Izby, (std::map<int32_t, int32_t>{{5, 0}, {12, 8}}));
    EXPECT_EQ(Int32(k.Plik("przepisy.mix")), (std::vector<int32_t>{7, 1, 0, 8, 0, 9, 1, 3, 0}));
    EXPECT_EQ(poz.Przepisy, (std::map<int32_t, int32_t>{{7, 0}, {8, 12}, {9, 20}}));

    // Records follow one another.
    const auto xref = Int32(k.Plik("scalony.ref"));
    ASSERT_EQ(xref.size(), 4u);
    EXPECT_EQ(xref[3], int32_t(std::filesystem::file_size(k.Plik("scalony.xtm"))));
    EXPECT_EQ(xref[1] - xref[0], 12);

    TOpcjeLadowania o;
    o.Katalog = k.Sciezka();
    TcMagazynIndeksu m(o);
    EXPECT_EQ(m.N, 3);
    EXPECT_EQ(m.W, 2);
}

TEST(StoreZapis, BuiltDirectoryHasDictionariesWithTrueGroupOffsets) {
    TTymczasowyKatalog k;
    TOpcjeKatalogu o;
    o.Izby = {{12, "Izba Skarbowa w Krakowie"}};
    o.Przepisy = {{7, {"art. 15 ust. 1", 2}}};
    o.Akty = {{5, "Ustawa o podatku od towarów", "vat", {"PODATEK|VAT"}, {0, 100}, "Art. 1."}};
    const auto poz = BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "A", 12, {7, 5}}, {"0000002.htm", "B", 14, {}}}, o);
    const std::string izby = OdczytPliku(k.Plik("izby.ini"));
    EXPECT_NE(izby.find("12=\"Izba Skarbowa w Krakowie\"\xFE\"" + std::to_string(poz.Izby.at(12)) + "\"\r\n"),
              std::string::npos);
    EXPECT_NE(izby.find("14=\"Izba 14\"\xFE\"" + std::to_string(poz.Izby.at(14)) + "\""), std::string::npos);
    const std::string przepisy = OdczytPliku(k.Plik("przepisy.ini"));
    EXPECT_NE(przepisy.find("7=\""), std::string::npos);
    EXPECT_NE(przepisy.find("art. 15 ust. 1\"\xFE\"" + std::to_string(poz.Przepisy.at(7)) + "\""), std::string::npos);
    EXPECT_NE(OdczytPliku(k.Plik("akty.ini")).find("5=\"Ustawa o podatku od towar\xF3w\"\xFE\"vat\""), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(k.Plik("vat.rtf")));

    TOpcjeLadowania ol;
    ol.Katalog = k.Sciezka();
    TcMagazynIndeksu m(ol);
    TcTablicaLogiczna z(m.N + 1);
    EXPECT_TRUE(m.WypelnienieGrupy(m.PrzepisyMix, poz.Przepisy.at(5), 5, z));
    EXPECT_TRUE(m.WypelnienieGrupy(m.IzbyMix, poz.Izby.at(14), 14, z));
    EXPECT_EQ(z.Bajty(), (TDaneZbioru{0, 1, 1}));
    m.WczytanieAktu("vat");
    EXPECT_EQ(m.OdczytanieFraz(50), "PODATEK|VAT");
}
