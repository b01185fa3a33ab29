// slowo.krt, the lists of the rarest words read whole at opening: a single word or prefix
// answered from it gives the plain scan's set without reading slowo.idx, and a file that cannot
// be trusted (cut, changed, made for another index, or in memory mode disagreeing with the
// lists' checksums) is noted on standard error and left alone, the lists then coming from
// slowo.idx as before.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "ListyKrotkie.h"
#include "SkanowanieFraz.h"
#include "SzybkieSkanowanie.h"
#include "Zapytanie.h"
#include "cp1250.h"

namespace {

const std::vector<TDokumentTestowy> kDokumenty = {
    {"0000001.htm", "podatek vat od towarów"}, {"0000002.htm", "podatek dochodowy od osób"},
    {"0000003.htm", "vat od podatek dochodowy"}, {"0000004.htm", "od towarów podatek"},
    {"0000005.htm", "osób vat towarów od"}};
const std::vector<std::string> kSlowa = {"podatek", "vat", "od", "towarów", "dochodowy", "osób", "pod*", "to*", "o*"};

class SzybkieSzukanieKrotkie : public ::testing::TestWithParam<bool> {
protected:
    std::unique_ptr<TcZapytanie> Otwarcie() {
        TOpcjeLadowania l;
        l.Katalog = dir.Sciezka();
        l.WymusDysk = GetParam();
        auto q = std::make_unique<TcZapytanie>(l);
        q->ListyWPamieci = false;   // the object's own search is the plain one
        return q;
    }
    // The plain scan's set of every word of kSlowa, while the index is sound.
    void Wzorzec() {
        const std::unique_ptr<TcZapytanie> q = Otwarcie();
        for (const std::string& slowo : kSlowa) {
            TcTablicaLogiczna zwykly(q->LiczbaDokumentow() + 1);
            q->SzukanieFrazy(cp1250::fromUtf8(slowo), zwykly);
            wzorzec.push_back(Dokumenty(zwykly));
        }
    }
    // Every word of kSlowa by the fast search against the plain scan's set; the note left on
    // standard error.
    std::string Porownanie(const std::string& opis) {
        const std::unique_ptr<TcZapytanie> q = Otwarcie();
        ::testing::internal::CaptureStderr();
        TSzybkieSzukanie s(q->Magazyn());
        EXPECT_TRUE(s.Gotowe()) << opis;
        for (size_t i = 0; i < kSlowa.size(); ++i) {
            TcTablicaLogiczna szybki(q->LiczbaDokumentow() + 1);
            EXPECT_TRUE(s.Szukanie(AnalizaFrazy(q->Magazyn(), cp1250::fromUtf8(kSlowa[i])), szybki)) << opis;
            EXPECT_EQ(wzorzec[i], Dokumenty(szybki)) << opis << ": " << kSlowa[i];
            // The set knows where the list put its documents: its own count and listing agree.
            std::vector<int32_t> numery;
            szybki.Numery(numery);
            EXPECT_EQ(wzorzec[i], numery) << opis << ": " << kSlowa[i];
            EXPECT_EQ(szybki.Liczba(), int32_t(wzorzec[i].size())) << opis << ": " << kSlowa[i];
        }
        return ::testing::internal::GetCapturedStderr();
    }
    TTymczasowyKatalog dir;
    std::vector<std::vector<int32_t>> wzorzec;
};

TEST_P(SzybkieSzukanieKrotkie, WordsGiveThePlainScansSetsWithSlowoKrtSoundMissingOrDamaged) {
    BudowaKatalogu(dir.Sciezka(), kDokumenty);
    Wzorzec();
    const std::string krt = OdczytPliku(dir.Plik(PlikListKrotkich)), idx = OdczytPliku(dir.Plik("slowo.idx"));
    ASSERT_GT(krt.size(), 64u);

    // A file that binds to this index by its hashes but lists document 1 for every word: a
    // writer's fault only slowo.spr can tell, in memory mode.
    TTablicaPliku<int32_t> plikRef, slowoRef, postingi;
    plikRef.Wczytaj(dir.Plik("plik.ref"), 1, TrybBledu::Wyjatek, TOdczytTablicy::Zapelnienie);
    slowoRef.Wczytaj(dir.Plik("slowo.ref"), 1, TrybBledu::Wyjatek, TOdczytTablicy::Zapelnienie);
    const int32_t N = int32_t(plikRef.size()) - 2, W = int32_t(slowoRef.size()) - 2;
    std::vector<int32_t> jedynki(idx.size() / 4, 1);
    for (int32_t w = 1; w <= W; ++w)   // each list stays ascending: 1, 2, ... as long as it is
        std::iota(jedynki.begin() + slowoRef[w] / 4, jedynki.begin() + slowoRef[w + 1] / 4, 1);
    const std::string przestawiony = ZapisListKrotkich(jedynki.data(), slowoRef.data(), plikRef.data(), N, W);
    ASSERT_NE(przestawiony, krt);

    TTymczasowyKatalog inny;
    std::vector<TDokumentTestowy> dok = kDokumenty;
    dok[4].Tekst = "osób vat towarów od vat";
    BudowaKatalogu(inny.Sciezka(), dok);

    std::string naglowek = krt, lista = krt;
    naglowek[16] = char(naglowek[16] ^ 0x01);            // K
    lista[lista.size() - 4] = char(lista[lista.size() - 4] ^ 0x02);   // a document of the last list
    struct TPrzypadek {
        const char* Opis;
        std::string Bajty;   // empty: no file
        const char* Uwaga;   // on standard error; nullptr: none
    };
    std::vector<TPrzypadek> przypadki = {
        {"missing", "", nullptr},
        {"cut", krt.substr(0, krt.size() - 4), "does not match its header"},
        {"changed header", naglowek, "it is damaged"},
        {"changed list", lista, "it is damaged"},
        {"another index", OdczytPliku(inny.Plik(PlikListKrotkich)), "made for another index"},
    };
    // Disk mode trusts slowo.idx as far as plik.ref and slowo.ref vouch for it, and so this file.
    if (!GetParam()) przypadki.push_back({"lists not slowo.idx's", przestawiony, "disagrees with slowo.spr"});
    for (const TPrzypadek& p : przypadki) {
        if (p.Bajty.empty()) std::remove(dir.Plik(PlikListKrotkich).c_str());
        else ZapisPliku(dir.Plik(PlikListKrotkich), p.Bajty);
        const std::string uwaga = Porownanie(p.Opis);
        if (!p.Uwaga) {
            EXPECT_EQ(uwaga, "") << p.Opis;
        } else {
            EXPECT_NE(uwaga.find(p.Uwaga), std::string::npos) << p.Opis << ": " << uwaga;
            EXPECT_NE(uwaga.find("rare words are read from slowo.idx"), std::string::npos) << p.Opis;
        }
    }

    // Sound, with slowo.idx lying about every document: the words come from slowo.krt alone.
    ZapisPliku(dir.Plik(PlikListKrotkich), krt);
    std::string zly = idx;
    for (size_t i = 0; i + 4 <= zly.size(); i += 4) zly.replace(i, 4, std::string("\x01\0\0\0", 4));
    ZapisPliku(dir.Plik("slowo.idx"), zly);
    EXPECT_EQ(Porownanie("sound"), "");
}

INSTANTIATE_TEST_SUITE_P(PamiecIDysk, SzybkieSzukanieKrotkie, ::testing::Bool(),
                         [](const auto& i) { return i.param ? "Disk" : "Memory"; });

// The writer keeps a list when it has at most K documents, K the largest up to 64 that keeps
// about a million documents in all: twenty thousand lists of 64 leave K below 64 and keep only
// the short one.
TEST(ListyKrotkie, TheWriterKeepsTheShortListsWithinItsBudget) {
    const int32_t N = 64;
    for (const int32_t dlugie : {10, 20000}) {
        const int32_t W = dlugie + 2;   // `dlugie` lists of 64, one of 65, one of 3
        std::vector<int32_t> ref(size_t(W) + 2, 0), postingi;
        for (int32_t w = 1; w <= W; ++w) {
            const int32_t l = w <= dlugie ? 64 : w == dlugie + 1 ? 65 : 3;
            for (int32_t d = 1; d <= std::min(l, N); ++d) postingi.push_back(d);
            for (int32_t d = N + 1; d <= l; ++d) postingi.push_back(d);   // past N: the file must not keep it
            ref[size_t(w) + 1] = int32_t(4 * postingi.size());
        }
        std::vector<int32_t> plikRef(size_t(N) + 2);
        for (int32_t d = 1; d <= N + 1; ++d) plikRef[size_t(d)] = 4 * (d - 1);
        TTymczasowyKatalog dir;
        ZapisPliku(dir.Plik(PlikListKrotkich), ZapisListKrotkich(postingi.data(), ref.data(), plikRef.data(), N, W));
        TListyKrotkie k;
        std::string powod;
        ASSERT_TRUE(k.Otwarcie(dir.Plik(PlikListKrotkich), plikRef.data(), ref.data(), N, W, nullptr, powod)) << powod;
        const bool dlugieZachowane = dlugie == 10;
        EXPECT_EQ(k.Listy(1, dlugie, int64_t(64) * dlugie) != nullptr, dlugieZachowane) << dlugie;
        EXPECT_EQ(k.Listy(dlugie + 1, dlugie + 1, 65), nullptr) << dlugie;
        const int32_t* krotka = k.Listy(W, W, 3);
        ASSERT_NE(krotka, nullptr) << dlugie;
        EXPECT_EQ(std::vector<int32_t>(krotka, krotka + 3), (std::vector<int32_t>{1, 2, 3}));
        EXPECT_EQ(k.Listy(dlugie, W, 64 + 65 + 3), nullptr) << "a range with a list left out";
        if (dlugie != 10) continue;

        // The file overwritten in place after opening (the same inode): what was checked stays.
        {
            std::fstream f(dir.Plik(PlikListKrotkich), std::ios::in | std::ios::out | std::ios::binary);
            f.seekp(-4, std::ios::end);
            const int32_t poza = N + 1000;
            f.write(reinterpret_cast<const char*>(&poza), 4);
        }
        const int32_t* po = k.Listy(W, W, 3);
        ASSERT_NE(po, nullptr);
        EXPECT_EQ(std::vector<int32_t>(po, po + 3), (std::vector<int32_t>{1, 2, 3}));
    }
}

}  // namespace
