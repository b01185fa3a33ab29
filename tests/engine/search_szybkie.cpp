// The fast phrase search (posting lists, then adjacency in the image) against the plain scan:
// same sets on a random corpus in memory and disk mode; memory mode takes slowo.idx's lists
// only as far as slowo.spr vouches for them, and otherwise builds its own from the image.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "SzybkieSkanowanie.h"
#include "Zapytanie.h"
#include "cp1250.h"

namespace {

// Short documents over a small vocabulary, so that phrases of two and three words occur often,
// words repeat inside a document and some words share prefixes.
const std::vector<std::string> kSlownik = {"podatek", "podatnik", "podatkowy", "dochód", "dochodowy", "od",
                                           "osób", "vat", "stawka", "zwolnienie", "spółka-matka", "§", "art",
                                           "15", "ulga", "ulgowy", "koszt", "przychód"};

class SzybkieSzukanie : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        std::mt19937 los(7);
        std::vector<TDokumentTestowy> dok;
        for (int i = 1; i <= 120; ++i) {
            std::string t;
            const int dl = 1 + int(los() % 12);
            for (int j = 0; j < dl; ++j) t += kSlownik[los() % kSlownik.size()] + " ";
            dok.push_back({Nazwa(i), t});
        }
        TOpcjeKatalogu opcje;
        opcje.PodzialSilnika = true;
        BudowaKatalogu(dir.Sciezka(), dok, opcje);
        TOpcjeLadowania l;
        l.Katalog = dir.Sciezka();
        l.WymusDysk = GetParam();
        q = std::make_unique<TcZapytanie>(l);
        q->ListyWPamieci = false;   // the object's own search is the plain one to compare with
    }
    // The plain search's set and the fast search's set for one phrase.
    std::pair<std::vector<int32_t>, std::vector<int32_t>> Oba(TSzybkieSzukanie& s, const std::string& frazaUtf8) {
        TcTablicaLogiczna zwykly(q->LiczbaDokumentow() + 1), szybki(q->LiczbaDokumentow() + 1);
        q->SzukanieFrazy(cp1250::fromUtf8(frazaUtf8), zwykly);
        if (q->OstatniaFraza().LiczbaSlow >= 1) {
            if (s.Szukanie(q->OstatniaFraza(), szybki)) ++obsluzone;
            else q->SzukanieFrazy(cp1250::fromUtf8(frazaUtf8), szybki);   // left to the plain scan
        }
        return {Dokumenty(zwykly), Dokumenty(szybki)};
    }
    TTymczasowyKatalog dir;
    std::unique_ptr<TcZapytanie> q;
    int obsluzone = 0;   // phrases the fast search answered itself
};

TEST_P(SzybkieSzukanie, GivesThePlainSearchsSetsForWordsPrefixesAndPhrases) {
    TSzybkieSzukanie s(q->Magazyn());
    ASSERT_TRUE(s.Gotowe());
    std::vector<std::string> frazy;
    for (const std::string& a : kSlownik) {
        frazy.push_back(a);
        frazy.push_back(a.substr(0, 3) + "*");
        for (const std::string& b : kSlownik) {
            frazy.push_back(a + " " + b);
            frazy.push_back(a + " " + b.substr(0, 2) + "*");
            frazy.push_back(a + " " + b + " " + kSlownik[(a.size() + b.size()) % kSlownik.size()]);
        }
    }
    frazy.insert(frazy.end(), {"*", "po*", "qqq*", "podatek podatek", "od od od", "art § 15", "nieznane słowo"});
    int trafione = 0;
    for (const std::string& f : frazy) {
        const auto [zwykly, szybki] = Oba(s, f);
        ASSERT_EQ(zwykly, szybki) << f;
        trafione += !zwykly.empty();
    }
    EXPECT_GT(trafione, 300);    // the corpus really exercises matches, not only empty sets
    EXPECT_GT(obsluzone, 500);   // and the fast search answered most phrases itself
}

TEST_P(SzybkieSzukanie, PhraseNeverSpansTwoDocuments) {
    TSzybkieSzukanie s(q->Magazyn());
    ASSERT_TRUE(s.Gotowe());
    // Every adjacent pair of documents: last word of one, first word of the next.
    for (int32_t d = 1; d < q->LiczbaDokumentow(); ++d) {
        const TcMagazynIndeksu& m = q->Magazyn();
        std::vector<uint16_t> a, b;
        m.CzytajObrazDokumentu(d, a);
        m.CzytajObrazDokumentu(d + 1, b);
        const std::string fraza = cp1250::toUtf8(m.Slowa[a.back()] + " " + m.Slowa[b.front()]);
        const auto [zwykly, szybki] = Oba(s, fraza);
        ASSERT_EQ(zwykly, szybki) << fraza;
    }
}

INSTANTIATE_TEST_SUITE_P(PamiecIDysk, SzybkieSzukanie, ::testing::Bool());

// Documents longer than the scan's blocks: the fast search tests the last block first, then the
// rest from the start a block at a time, so a phrase at either end, across a block edge or
// in a short last stretch must be found as the plain search finds it.
TEST(SzybkieSzukanieDlugie, LongDocumentsGiveThePlainSearchsSetsWhereverThePhraseStands) {
    std::vector<std::string> slowa;
    for (int i = 0; i < 40; ++i) slowa.push_back(std::string("w") + char('a' + i % 20) + char('a' + i / 20));
    std::mt19937 los(11);
    std::vector<TDokumentTestowy> dok;
    const int dlugosci[] = {1, 2, 31, 32, 33, 34, 63, 64, 65, 66, 97, 250};
    for (int i = 1; i <= 90; ++i) {
        const int dl = i <= 12 ? dlugosci[i - 1] : 1 + int(los() % 200);
        std::string tekst;
        for (int j = 0; j < dl; ++j) tekst += slowa[los() % slowa.size()] + " ";
        dok.push_back({Nazwa(i), tekst});
    }
    for (bool dysk : {false, true}) {
        TTymczasowyKatalog dir;
        TOpcjeKatalogu opcje;
        opcje.PodzialSilnika = true;
        BudowaKatalogu(dir.Sciezka(), dok, opcje);
        TOpcjeLadowania l;
        l.Katalog = dir.Sciezka();
        l.WymusDysk = dysk;
        TcZapytanie q(l);
        q.ListyWPamieci = false;
        TSzybkieSzukanie s(q.Magazyn());
        ASSERT_TRUE(s.Gotowe());
        // Phrases lifted from every place of interest of every document's run in the image, and
        // random pairs.
        std::vector<std::string> frazy;
        const TcMagazynIndeksu& m = q.Magazyn();
        for (int32_t d = 1; d <= q.LiczbaDokumentow(); ++d) {
            std::vector<uint16_t> t;
            m.CzytajObrazDokumentu(d, t);
            const int dl = int(t.size()) - 1;   // without the separator
            for (int p : {0, 1, 29, 30, 31, 32, 33, 62, 63, 64, dl - 36, dl - 35, dl - 34, dl - 33, dl - 4, dl - 3, dl - 2})
                for (int n : {2, 3})
                    if (p >= 0 && p + n <= dl) {
                        std::string f;
                        for (int k = 0; k < n; ++k) {
                            if (k) f += ' ';
                            f += cp1250::toUtf8(m.Slowa[t[size_t(p + k)]]);
                        }
                        frazy.push_back(f);
                    }
        }
        for (int i = 0; i < 300; ++i) frazy.push_back(slowa[los() % slowa.size()] + " " + slowa[los() % slowa.size()]);
        frazy.push_back("wb* wcb");   // prefixes: ranges of words
        frazy.push_back("wdb wc*");
        frazy.push_back("wa* wb*");   // both ranges: the anchor is a range too
        frazy.push_back("wa* wa* wa*");
        int trafione = 0;
        for (const std::string& f : frazy) {
            TcTablicaLogiczna zwykly(q.LiczbaDokumentow() + 1), szybki(q.LiczbaDokumentow() + 1);
            q.SzukanieFrazy(f, zwykly);
            ASSERT_TRUE(s.Szukanie(q.OstatniaFraza(), szybki)) << f;
            ASSERT_EQ(Dokumenty(zwykly), Dokumenty(szybki)) << f << (dysk ? " (disk)" : " (memory)");
            trafione += !Dokumenty(zwykly).empty();
        }
        EXPECT_GT(trafione, 800);
    }
}

TEST(SzybkieSzukanieListy, MemoryModeTakesItsListsFromTheImageNotFromSlowoIdx) {
    TTymczasowyKatalog dir;
    BudowaKatalogu(dir.Sciezka(), {{"0000001.htm", "podatek vat"}, {"0000002.htm", "podatek dochodowy"},
                                   {"0000003.htm", "vat dochodowy"}});
    // Every number in slowo.idx becomes document 1: the lists now lie about documents 2 and 3.
    std::string idx = OdczytPliku(dir.Plik("slowo.idx"));
    for (size_t i = 0; i + 4 <= idx.size(); i += 4) idx.replace(i, 4, std::string("\x01\0\0\0", 4));
    ZapisPliku(dir.Plik("slowo.idx"), idx);
    std::remove(dir.Plik("slowo.krt").c_str());   // with it, a single word reads no list of slowo.idx

    TcZapytanie q(TOpcjeLadowania{dir.Sciezka()});
    ASSERT_FALSE(q.NaDysku);
    TSzybkieSzukanie s(q.Magazyn());
    ASSERT_TRUE(s.Gotowe());
    ASSERT_TRUE(s.ListyZPliku());   // slowo.spr is sound: only the lists' checksums can tell
    ::testing::internal::CaptureStderr();
    for (const char* fraza : {"vat", "dochodowy", "podatek", "vat dochodowy", "podatek vat"}) {
        TcTablicaLogiczna zwykly(4), szybki(4);
        q.SzukanieFrazy(fraza, zwykly);
        if (!s.Szukanie(q.OstatniaFraza(), szybki)) continue;
        EXPECT_EQ(Dokumenty(zwykly), Dokumenty(szybki)) << fraza;
    }
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("disagrees with slowo.spr"), std::string::npos);
    EXPECT_FALSE(s.ListyZPliku());
}

// slowo.spr missing, cut, changed, or made for another corpus: the lists come from the image and
// every search gives the plain search's set; only a file that is there and wrong is noted.
TEST(SzybkieSzukanieListy, MemoryModeBuildsItsListsWhenSlowoSprIsMissingDamagedOrForeign) {
    TTymczasowyKatalog dir, inny;
    const std::vector<TDokumentTestowy> dok = {{"0000001.htm", "podatek vat"}, {"0000002.htm", "podatek dochodowy"},
                                               {"0000003.htm", "vat dochodowy podatek"}};
    BudowaKatalogu(dir.Sciezka(), dok);
    std::vector<TDokumentTestowy> podobne = dok;
    podobne[0].Tekst = "vat podatek";   // the same words, N and W: only the image differs
    BudowaKatalogu(inny.Sciezka(), podobne);
    const std::string spr = OdczytPliku(dir.Plik("slowo.spr"));
    std::string zmieniony = spr;
    zmieniony[30] = char(zmieniony[30] ^ 0x10);
    const struct {
        const char* Opis;
        std::string Bajty;   // empty: no file
        const char* Uwaga;   // on standard error; nullptr: none
    } przypadki[] = {
        {"missing", "", nullptr},
        {"cut", spr.substr(0, spr.size() - 1), "does not match its word count"},
        {"changed", zmieniony, "it is damaged"},
        {"another image", OdczytPliku(inny.Plik("slowo.spr")), "made for another image"},
    };
    for (const auto& p : przypadki) {
        if (p.Bajty.empty()) std::remove(dir.Plik("slowo.spr").c_str());
        else ZapisPliku(dir.Plik("slowo.spr"), p.Bajty);
        ::testing::internal::CaptureStderr();
        TcZapytanie q(TOpcjeLadowania{dir.Sciezka()});
        const std::string uwaga = ::testing::internal::GetCapturedStderr();
        if (p.Uwaga) EXPECT_NE(uwaga.find(p.Uwaga), std::string::npos) << p.Opis << ": " << uwaga;
        else EXPECT_EQ(uwaga, "") << p.Opis;
        TSzybkieSzukanie s(q.Magazyn());
        ASSERT_TRUE(s.Gotowe()) << p.Opis;
        EXPECT_FALSE(s.ListyZPliku()) << p.Opis;
        for (const char* fraza : {"vat", "podatek", "vat dochodowy", "podatek vat", "dochodowy podatek"}) {
            TcTablicaLogiczna zwykly(4), szybki(4);
            q.ListyWPamieci = false;
            q.SzukanieFrazy(fraza, zwykly);
            ASSERT_TRUE(s.Szukanie(q.OstatniaFraza(), szybki));
            EXPECT_EQ(Dokumenty(zwykly), Dokumenty(szybki)) << p.Opis << ": " << fraza;
        }
    }
    ZapisPliku(dir.Plik("slowo.spr"), spr);
    TcZapytanie q(TOpcjeLadowania{dir.Sciezka()});
    EXPECT_TRUE(TSzybkieSzukanie(q.Magazyn()).ListyZPliku());
}

// Disk mode reads the lists and the runs only as a search reaches them: damage found there is
// the store's damage, reported as a damaged file.
TEST(SzybkieSzukanieListy, DiskModeReportsDamagedListsAndRunsAsTheStoreDoes) {
    TTymczasowyKatalog dir;
    BudowaKatalogu(dir.Sciezka(), {{"0000001.htm", "podatek vat"}, {"0000002.htm", "podatek dochodowy"},
                                   {"0000003.htm", "vat dochodowy"}});
    TOpcjeLadowania l;
    l.Katalog = dir.Sciezka();
    l.WymusDysk = true;
    std::remove(dir.Plik("slowo.par").c_str());   // with it, "podatek vat" reads neither the lists nor the image
    std::remove(dir.Plik("slowo.krt").c_str());   // with it, "vat" reads no list of slowo.idx
    const std::string img = OdczytPliku(dir.Plik("tekst.img")), idx = OdczytPliku(dir.Plik("slowo.idx"));
    auto Blad = [&](const char* fraza) {
        TcZapytanie q(l);
        TcTablicaLogiczna z(q.LiczbaDokumentow() + 1);
        try {
            q.SzukanieFrazy(fraza, z);
        } catch (const ECorruptIndex& e) {
            return cp1250::toUtf8(e.what());
        }
        return std::string("no error");
    };
    // Document 1 "podatek vat" loses its separator: the only candidate of the phrase.
    std::string zly = img;
    zly.replace(4, 2, std::string("\x01\0", 2));
    ZapisPliku(dir.Plik("tekst.img"), zly);
    EXPECT_EQ(Blad("podatek vat"), "Uszkodzony indeks: plik 'tekst.img' nie zgadza się z plikiem 'plik.ref'.");
    ZapisPliku(dir.Plik("tekst.img"), img);
    // Every posting names document 4, past the last of the three.
    zly = idx;
    for (size_t i = 0; i + 4 <= zly.size(); i += 4) zly.replace(i, 4, std::string("\x04\0\0\0", 4));
    ZapisPliku(dir.Plik("slowo.idx"), zly);
    for (const char* fraza : {"vat", "podatek vat"})
        EXPECT_EQ(Blad(fraza), "Uszkodzony indeks: plik 'slowo.idx' zawiera numer dokumentu spoza listy.") << fraza;
}

}  // namespace
