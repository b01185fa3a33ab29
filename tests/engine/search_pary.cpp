// slowo.par, the documents of each pair of neighbouring words: a search that reads it gives the
// plain scan's sets, and one that cannot trust it (missing, cut, changed, made for another
// index or image) gives them too, noting on standard error any file that is there and wrong.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "ParySlow.h"
#include "SzybkieSkanowanie.h"
#include "Zapytanie.h"
#include "cp1250.h"

namespace {

const std::vector<TDokumentTestowy> kDokumenty = {
    {"0000001.htm", "podatek vat od towarów"}, {"0000002.htm", "podatek dochodowy od osób"},
    {"0000003.htm", "vat od podatek dochodowy"}, {"0000004.htm", "od towarów podatek"},
    {"0000005.htm", "osób vat towarów od"}};
const std::vector<std::string> kSlowa = {"podatek", "vat", "od", "towarów", "dochodowy", "osób", "pod*", "to*"};

// Where the sections of slowo.par start, as its header describes them.
struct TUkladPliku {
    size_t Drugie, Dane;
};
TUkladPliku Uklad(const std::string& b) {
    uint32_t W;
    uint64_t P;
    std::memcpy(&W, b.data() + 12, 4);
    std::memcpy(&P, b.data() + 16, 8);
    const size_t drugie = 72 + 8 * (size_t(W) + 2) + 8 * (size_t(W) + 1);
    const size_t tabela = (4 * P + 7) / 8 * 8;
    return {drugie, drugie + 3 * tabela + 8 * (size_t(P) + 1)};
}

class SzybkieSzukaniePary : public ::testing::TestWithParam<bool> {
protected:
    std::unique_ptr<TcZapytanie> Otwarcie() {
        TOpcjeLadowania l;
        l.Katalog = dir.Sciezka();
        l.WymusDysk = GetParam();
        return std::make_unique<TcZapytanie>(l);
    }
    // Every phrase of two and three words from kSlowa against the plain scan; the note left on
    // standard error.
    std::string Porownanie(const std::string& opis, bool& zParami) {
        const std::unique_ptr<TcZapytanie> z = Otwarcie();
        TcZapytanie& q = *z;
        q.ListyWPamieci = false;   // the object's own search is the plain one to compare with
        ::testing::internal::CaptureStderr();
        TSzybkieSzukanie s(q.Magazyn());
        EXPECT_TRUE(s.Gotowe()) << opis;
        bool zawszeZParami = true;
        for (const std::string& a : kSlowa)
            for (const std::string& b : kSlowa)
                for (const std::string& c : {std::string(), std::string("od"), std::string("podatek")}) {
                    const std::string fraza = a + " " + b + " " + c;
                    TcTablicaLogiczna zwykly(q.LiczbaDokumentow() + 1), szybki(q.LiczbaDokumentow() + 1);
                    q.SzukanieFrazy(cp1250::fromUtf8(fraza), zwykly);
                    EXPECT_TRUE(s.Szukanie(q.OstatniaFraza(), szybki)) << opis << ": " << fraza;
                    EXPECT_EQ(Dokumenty(zwykly), Dokumenty(szybki)) << opis << ": " << fraza;
                    zawszeZParami = zawszeZParami && s.ZParami();
                }
        zParami = zawszeZParami;
        return ::testing::internal::GetCapturedStderr();
    }
    TTymczasowyKatalog dir;
};

TEST_P(SzybkieSzukaniePary, PhrasesGiveThePlainScansSetsWithSlowoParSoundMissingOrDamaged) {
    BudowaKatalogu(dir.Sciezka(), kDokumenty);
    const std::string par = OdczytPliku(dir.Plik(PlikParSlow));
    const TUkladPliku u = Uklad(par);
    ASSERT_LT(u.Dane, par.size());

    // Other corpora of the same size: another word count, and (memory mode) only another image.
    TTymczasowyKatalog inny, przestawiony;
    std::vector<TDokumentTestowy> dok = kDokumenty;
    dok[4].Tekst = "osób vat towarów od vat";
    BudowaKatalogu(inny.Sciezka(), dok);
    dok = kDokumenty;
    dok[0].Tekst = "vat podatek od towarów";   // the same words and lengths, in another order
    BudowaKatalogu(przestawiony.Sciezka(), dok);

    std::string naglowek = par, blok = par, lista = par;
    naglowek[20] = char(naglowek[20] ^ 0x01);        // the pair count
    blok[u.Drugie] = char(blok[u.Drugie] ^ 0x01);    // the first pair's second word
    lista[u.Dane] = char(lista[u.Dane] ^ 0x02);      // a document of the first pair's list
    struct TPrzypadek {
        const char* Opis;
        std::string Bajty;   // empty: no file
        const char* Uwaga;   // on standard error; nullptr: none, and the file is read throughout
    };
    std::vector<TPrzypadek> przypadki = {
        {"sound", par, nullptr},
        {"missing", "", ""},
        {"cut", par.substr(0, par.size() - 8), "does not match its header"},
        {"changed header", naglowek, "it is damaged"},
        {"changed block", blok, "disagree with their hash"},
        {"changed list", lista, "disagrees with its checksum"},
        {"another index", OdczytPliku(inny.Plik(PlikParSlow)), "made for another index"},
    };
    // Disk mode does not read the image as it opens: a file of the same document lengths and
    // word counts is told apart in memory mode only.
    if (!GetParam()) przypadki.push_back({"another image", OdczytPliku(przestawiony.Plik(PlikParSlow)), "made for another image"});
    for (const TPrzypadek& p : przypadki) {
        if (p.Bajty.empty()) std::remove(dir.Plik(PlikParSlow).c_str());
        else ZapisPliku(dir.Plik(PlikParSlow), p.Bajty);
        bool zParami = false;
        const std::string uwaga = Porownanie(p.Opis, zParami);
        if (!p.Uwaga) {
            EXPECT_EQ(uwaga, "") << p.Opis;
            EXPECT_TRUE(zParami) << p.Opis;
        } else if (!*p.Uwaga) {
            EXPECT_EQ(uwaga, "") << p.Opis;
            EXPECT_FALSE(zParami) << p.Opis;
        } else {
            EXPECT_NE(uwaga.find(p.Uwaga), std::string::npos) << p.Opis << ": " << uwaga;
            EXPECT_NE(uwaga.find("phrases are searched without it"), std::string::npos) << p.Opis;
            EXPECT_FALSE(zParami) << p.Opis;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PamiecIDysk, SzybkieSzukaniePary, ::testing::Bool(),
                         [](const auto& i) { return i.param ? "Disk" : "Memory"; });

}  // namespace
