// Loading a data directory: kind boundaries, indexed punctuation, the two image modes, the
// high-bits file, and the reads of the open files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "FabrykaDanych.h"
#include "MagazynIndeksu.h"
#include "ZapisDanych.h"
#include "cp1250.h"
#include "mLib.h"

namespace {

TOpcjeLadowania Opcje(const TTymczasowyKatalog& k, bool dysk = false) {
    TOpcjeLadowania o;
    o.Katalog = k.Sciezka();
    o.WymusDysk = dysk;
    return o;
}

// Word number of a word, by the word list.
int32_t Numer(const TcMagazynIndeksu& m, const std::string& slowo) {
    auto it = std::find(m.Slowa.begin() + 1, m.Slowa.begin() + 1 + m.W, slowo);
    return it == m.Slowa.begin() + 1 + m.W ? 0 : int32_t(it - m.Slowa.begin());
}

// Distinct words "A", "B", ..., "AA", ... (letters only, so no digit splits them).
std::vector<std::string> RozneSlowa(int ile) {
    std::vector<std::string> s;
    for (int i = 0; i < ile; ++i) {
        std::string w;
        for (int v = i + 1; v > 0; v = (v - 1) / 26) w.insert(w.begin(), char('A' + (v - 1) % 26));
        s.push_back(w);
    }
    return s;
}

}  // namespace

TEST(StoreLadowanie, KindBoundariesFromTheSixNamedDocuments) {
    TTymczasowyKatalog k;
    BudowaKatalogu(k.Sciezka(), {{"0049999.htm", "A"}, {"0050000.htm", "B"}, {"0056999.htm", "C"},
                                 {"0057000.htm", "D"}, {"0063999.htm", "E"}, {"0064000.htm", "F"}});
    TcMagazynIndeksu m(Opcje(k));
    EXPECT_EQ(m.N, 6);
    EXPECT_EQ(m.PoczatekPism, 2);
    EXPECT_EQ(m.PoczatekTez, 4);
    EXPECT_EQ(m.KoniecTez, 5);
}

TEST(StoreLadowanie, BoundariesStayZeroBelowTheFirstBoundaryName) {
    TTymczasowyKatalog k;
    BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "A"}, {"0049999.htm", "B"}, {"0049999.htmx", "C"}});
    TcMagazynIndeksu m(Opcje(k));
    EXPECT_EQ(m.PoczatekPism, 0);
    EXPECT_EQ(m.PoczatekTez, 0);
    EXPECT_EQ(m.KoniecTez, 0);

    // A list that starts above every boundary name sets all three to its first document.
    TTymczasowyKatalog k2;
    BudowaKatalogu(k2.Sciezka(), {{"0070000.htm", "A"}, {"0080000.htm", "B"}});
    TcMagazynIndeksu m2(Opcje(k2));
    EXPECT_EQ(m2.PoczatekPism, 1);
    EXPECT_EQ(m2.PoczatekTez, 1);
    EXPECT_EQ(m2.KoniecTez, 1);
}

TEST(StoreLadowanie, OneCharacterWordsOtherThanLettersDigitsAndHyphenArePunctuation) {
    TTymczasowyKatalog k;
    BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "§ A 7 Ż - . , PODATEK Ą Ś"}});
    TcMagazynIndeksu m(Opcje(k));
    // In word-list order: ',' (0x2C) < '.' (0x2E) < '§' (0xA7).
    EXPECT_EQ(m.Znaki, ",.\xA7");
    EXPECT_EQ(m.Slowa[size_t(m.W) + 1], "\377\377\377");
    EXPECT_EQ(m.Slowa.size(), size_t(m.W) + 2);
}

TEST(StoreLadowanie, WordImageHoldsEachDocumentsWordNumbersAndSeparator) {
    TTymczasowyKatalog k;
    BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "PODATEK VAT PODATEK"}, {"0000002.htm", "VAT"}});
    TcMagazynIndeksu m(Opcje(k));
    ASSERT_FALSE(m.NaDysku);
    const uint32_t p = uint32_t(Numer(m, "PODATEK")), v = uint32_t(Numer(m, "VAT"));
    std::vector<uint32_t> obraz;
    for (int64_t i = 0; i < m.DlugoscObrazu; ++i) obraz.push_back(m.NumerSlowa(i));
    EXPECT_EQ(obraz, (std::vector<uint32_t>{p, v, p, 0, v, 0}));
    EXPECT_EQ(std::vector<int32_t>(m.PlikRef.begin(), m.PlikRef.end()), (std::vector<int32_t>{0, 0, 8, 12}));
}

TEST(StoreLadowanie, ImageModeFollowsTheThreshold) {
    TTymczasowyKatalog k;
    // 9 words and the separator: a 20-byte image.
    BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "A B C D E F G H I"}});
    ASSERT_EQ(std::filesystem::file_size(k.Plik("tekst.img")), 20u);
    TOpcjeLadowania o = Opcje(k);
    o.ProgPamieci = 20;
    {
        TcMagazynIndeksu m(o);
        EXPECT_FALSE(m.NaDysku);
        EXPECT_EQ(m.Obraz.size(), 10u);
        EXPECT_FALSE(m.TekstImg.Otwarty());
        EXPECT_FALSE(m.SlowoIdx.Otwarty());
    }
    o.ProgPamieci = 19;
    {
        TcMagazynIndeksu m(o);
        EXPECT_TRUE(m.NaDysku);
        EXPECT_TRUE(m.Obraz.empty());
        EXPECT_TRUE(m.TekstImg.Otwarty());
        EXPECT_TRUE(m.SlowoIdx.Otwarty());
        EXPECT_EQ(m.SlowoRef.size(), size_t(m.W) + 2);
    }
    // In memory mode the posting files are not needed at all.
    std::filesystem::remove(k.Plik("slowo.idx"));
    std::filesystem::remove(k.Plik("slowo.ref"));
    o.ProgPamieci = 20;
    EXPECT_NO_THROW(TcMagazynIndeksu{o});
}

TEST(StoreLadowanie, HighBitsFileNeededFrom65535Words) {
    for (int w : {65534, 65535}) {
        TTymczasowyKatalog k;
        std::string tekst;
        for (const auto& s : RozneSlowa(w)) tekst += s + " ";
        BudowaKatalogu(k.Sciezka(), {{"0000001.htm", tekst}});
        EXPECT_EQ(std::filesystem::exists(k.Plik("tekst.aux")), w == 65535) << w;
        TcMagazynIndeksu m(Opcje(k));
        EXPECT_EQ(m.W, w);
        EXPECT_EQ(m.Rozszerzone(), w == 65535);
        EXPECT_EQ(m.Aux.empty(), w == 65534);
        if (w == 65535) {
            std::filesystem::remove(k.Plik("tekst.aux"));
            EXPECT_THROW(TcMagazynIndeksu{Opcje(k)}, EInOutError);
        }
    }
}

TEST(StoreLadowanie, WordNumbersAbove65535DecodeThroughHighBitsInBothModes) {
    TTymczasowyKatalog k;
    const auto slowa = RozneSlowa(200000);
    std::string t1, t2;
    for (size_t i = 0; i < slowa.size(); ++i) (i % 2 ? t2 : t1) += slowa[i] + " ";
    t2 += slowa[199999] + " " + slowa[0];
    BudowaKatalogu(k.Sciezka(), {{"0000001.htm", t1}, {"0000002.htm", t2}});
    TcMagazynIndeksu pam(Opcje(k)), dysk(Opcje(k, true));
    ASSERT_EQ(pam.W, 200000);
    ASSERT_FALSE(pam.NaDysku);
    ASSERT_TRUE(dysk.NaDysku);

    // Every image value names the word written at that place.
    std::vector<std::string> oczekiwane;
    for (size_t i = 0; i < slowa.size(); i += 2) oczekiwane.push_back(slowa[i]);
    oczekiwane.push_back("");
    for (size_t i = 1; i < slowa.size(); i += 2) oczekiwane.push_back(slowa[i]);
    oczekiwane.push_back(slowa[199999]);
    oczekiwane.push_back(slowa[0]);
    oczekiwane.push_back("");
    ASSERT_EQ(pam.DlugoscObrazu, int64_t(oczekiwane.size()));
    uint32_t najwiekszy = 0;
    for (int64_t p = 0; p < pam.DlugoscObrazu; ++p) {
        const uint32_t w = pam.NumerSlowa(p);
        najwiekszy = std::max(najwiekszy, w);
        ASSERT_EQ(w == 0 ? std::string() : pam.Slowa[w], oczekiwane[size_t(p)]) << p;
    }
    EXPECT_EQ(najwiekszy, 200000u);

    // Disk mode: the document's run gives the low bits, the high bits come from the position.
    for (int32_t d = 1; d <= 2; ++d) {
        std::vector<uint16_t> run;
        dysk.CzytajObrazDokumentu(d, run);
        const int64_t a = dysk.PlikRef[size_t(d)] / 2;
        ASSERT_EQ(int64_t(run.size()), (dysk.PlikRef[size_t(d) + 1] - dysk.PlikRef[size_t(d)]) / 2 - 1);
        for (size_t j = 0; j < run.size(); ++j)
            ASSERT_EQ(dysk.WysokieBity(a + int64_t(j)) << 16 | run[j], pam.NumerSlowa(a + int64_t(j)));
    }
}

TEST(StoreLadowanie, PostingListsNameEachDocumentOnceInWordOrder) {
    TTymczasowyKatalog k;
    BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "PODATEK PODATEK VAT"},
                                 {"0000002.htm", "ULGA"},
                                 {"0000003.htm", "VAT PODATKOWY PODATEK"}});
    TcMagazynIndeksu m(Opcje(k, true));
    auto lista = [&m](const std::string& s) {
        std::vector<int32_t> out;
        const int32_t w = Numer(m, s);
        m.CzytajPostingi(w, w, out);
        std::sort(out.begin(), out.end());
        return out;
    };
    EXPECT_EQ(lista("PODATEK"), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(lista("VAT"), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(lista("ULGA"), (std::vector<int32_t>{2}));

    // A word range is one contiguous run: PODATEK..PODATKOWY.
    std::vector<int32_t> run;
    m.CzytajPostingi(Numer(m, "PODATEK"), Numer(m, "PODATKOWY"), run);
    std::sort(run.begin(), run.end());
    EXPECT_EQ(run, (std::vector<int32_t>{1, 3, 3}));
    EXPECT_THROW(m.CzytajPostingi(0, 1, run), EInternalError);
    EXPECT_THROW(m.CzytajPostingi(1, m.W + 1, run), EInternalError);
}

TEST(StoreLadowanie, PostingsAreReadInChunksOfAtMost65536Numbers) {
    TTymczasowyKatalog k;
    std::vector<TDokumentTestowy> d;
    for (int i = 1; i <= 70000; ++i) {
        char nazwa[16];
        std::snprintf(nazwa, sizeof nazwa, "%07d.htm", i);
        d.push_back({nazwa, "VAT"});
    }
    BudowaKatalogu(k.Sciezka(), d, [] { TOpcjeKatalogu o; o.Slowniki = false; return o; }());
    TcMagazynIndeksu m(Opcje(k, true));
    std::vector<size_t> porcje;
    int64_t suma = 0;
    m.CzytajPostingi(1, 1, [&](const int32_t* p, size_t n) {
        porcje.push_back(n);
        for (size_t i = 0; i < n; ++i) suma += p[i];
    });
    EXPECT_EQ(porcje, (std::vector<size_t>{65536, 70000 - 65536}));
    EXPECT_EQ(suma, int64_t(70000) * 70001 / 2);
}

TEST(StoreLadowanie, RecordsComeBackWithTheirDateAndText) {
    TTymczasowyKatalog k;
    TDokumentTestowy a{"0000001.htm", "Łódź & podatek = 5%"};
    a.Data = SpakowanieDaty(2002, 4, 15, 11, 17, 2);
    BudowaKatalogu(k.Sciezka(), {a, {"0000002.htm", "drugi"}});
    TcMagazynIndeksu m(Opcje(k));
    std::string r;
    m.CzytajRekord(1, r);
    TZbiorZnakow zachowane = TZbiorZnakow::Zakres(0, 31);
    zachowane += TZbiorZnakow("&=");
    const std::string jawny = mScramble(r, "KR52MV", zachowane);
    ASSERT_GE(jawny.size(), 4u);
    uint32_t data = 0;
    for (int i = 3; i >= 0; --i) data = data << 8 | static_cast<unsigned char>(jawny[size_t(i)]);
    EXPECT_EQ(data, 0x2C8F5A21u);
    EXPECT_NE(jawny.find(cp1250::utf8ToIso88592("Łódź &amp; podatek = 5%")), std::string::npos);
    // The last record ends at the last scalony.ref entry.
    m.CzytajRekord(2, r);
    EXPECT_EQ(int64_t(m.ScalonyRef[2]) + int64_t(r.size()), m.ScalonyXtm.Rozmiar());
    EXPECT_THROW(m.CzytajRekord(0, r), EInternalError);
    EXPECT_THROW(m.CzytajRekord(3, r), EInternalError);
}

TEST(StoreLadowanie, GroupsFillTheirDocumentsAndRefuseAWrongOffset) {
    TTymczasowyKatalog k;
    TOpcjeKatalogu o;
    o.Izby = {{12, "Izba Skarbowa w Krakowie"}, {30, "Pusta"}};
    const auto poz = BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "A", 12, {7, 9}},
                                                 {"0000002.htm", "B", 0, {7}},
                                                 {"0000003.htm", "C", 12, {}}}, o);
    TcMagazynIndeksu m(Opcje(k));
    TcTablicaLogiczna z(m.N + 1);
    ASSERT_TRUE(m.WypelnienieGrupy(m.IzbyMix, poz.Izby.at(12), 12, z));
    EXPECT_EQ(z.Bajty(), (TDaneZbioru{0, 1, 0, 1}));
    z.Wypelnienie(false);
    ASSERT_TRUE(m.WypelnienieGrupy(m.PrzepisyMix, poz.Przepisy.at(7), 7, z));
    EXPECT_EQ(z.Bajty(), (TDaneZbioru{0, 1, 1, 0}));
    z.Wypelnienie(false);
    ASSERT_TRUE(m.WypelnienieGrupy(m.IzbyMix, poz.Izby.at(30), 30, z));
    EXPECT_EQ(z.Liczba(), 0);
    // Offsets of another group, inside a word, or past the end are refused.
    EXPECT_FALSE(m.WypelnienieGrupy(m.IzbyMix, poz.Izby.at(12), 30, z));
    EXPECT_FALSE(m.WypelnienieGrupy(m.IzbyMix, 2, 12, z));
    EXPECT_FALSE(m.WypelnienieGrupy(m.IzbyMix, int32_t(m.IzbyMix.size()) * 4, 0, z));
    EXPECT_FALSE(m.WypelnienieGrupy(m.IzbyMix, -4, 12, z));
    EXPECT_EQ(z.Liczba(), 0);
}

TEST(StoreLadowanie, GroupWithoutItsEndingZeroStopsAtTheEndOfTheTable) {
    TTymczasowyKatalog k;
    BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "A"}, {"0000002.htm", "B"}});
    ZapisInt32(k.Plik("izby.mix"), {5, 2, 99, -3});
    TcMagazynIndeksu m(Opcje(k));
    TcTablicaLogiczna z(m.N + 1);
    ASSERT_TRUE(m.WypelnienieGrupy(m.IzbyMix, 0, 5, z));
    EXPECT_EQ(z.Bajty(), (TDaneZbioru{0, 0, 1}));
}

TEST(StoreLadowanie, EmptyDirectoryOfNoDocumentsLoads) {
    TTymczasowyKatalog k;
    BudowaKatalogu(k.Sciezka(), {});
    for (bool dysk : {false, true}) {
        TcMagazynIndeksu m(Opcje(k, dysk));
        EXPECT_EQ(m.N, 0);
        EXPECT_EQ(m.W, 0);
        EXPECT_EQ(m.Slowa.size(), 2u);
    }
}

TEST(StoreLadowanie, CurrentFolderIsTheDefaultDataDirectory) {
    TTymczasowyKatalog k;
    BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "A"}});
    TBiezacyKatalog biezacy(k.Sciezka());
    TcMagazynIndeksu m;
    EXPECT_EQ(m.N, 1);
    EXPECT_EQ(m.Sciezka("plik.dat"), "plik.dat");
}
