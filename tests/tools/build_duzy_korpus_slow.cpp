// A corpus large enough to leave the word image on disk by itself, with a word list that needs
// tekst.aux: phrase search in both modes against the documents' own words.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <unordered_map>

#include "Analiza.h"
#include "BudowaKorpusu.h"
#include "FabrykaDanych.h"
#include "GeneratorProbki.h"
#include "Zapytanie.h"
#include "cp1250.h"
#include "mLib.h"

namespace fs = std::filesystem;

namespace {

TEST(DuzyKorpus, ObrazNaDyskuIWPamieciDajeTeSameDokumentyCoTekst) {
    TTymczasowyKatalog k;
    TOpcjeProbki o;
    o.Dokumenty = 30000;
    o.Slownictwo = 100000;
    o.Ziarno = 3;
    GenerowanieProbki(k.Plik("zrodlo"), o);
    const TWynikBudowy w = BudowaKorpusu(k.Plik("zrodlo"), k.Plik("dane"));
    ASSERT_EQ(w.Dokumenty, 30000);
    ASSERT_GT(fs::file_size(k.Plik("dane/tekst.img")), 20000000u);

    // The documents' words as numbers of our own, in document-number (name) order.
    std::vector<std::string> nazwy;
    for (const auto& e : fs::directory_iterator(k.Plik("zrodlo/documents"))) nazwy.push_back(e.path().filename());
    std::sort(nazwy.begin(), nazwy.end());
    std::unordered_map<std::string, uint32_t> numery;
    std::vector<std::vector<uint32_t>> dokumenty;
    for (const auto& n : nazwy) {
        std::ifstream f(k.Plik("zrodlo/documents/" + n), std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        const std::string t = cp1250::upper(mHtmlToText(s.str()));
        auto& d = dokumenty.emplace_back();
        PodzialTekstu(t, kZnakiIndeksu, [&](std::string_view x) {
            d.push_back(numery.emplace(std::string(x), uint32_t(numery.size() + 1)).first->second);
        });
    }
    ASSERT_GE(numery.size(), 65535u);
    std::vector<std::string> slowa(numery.size() + 1);
    for (const auto& [s, n] : numery) slowa[n] = s;

    TOpcjeLadowania dysk{k.Plik("dane")}, pamiec{k.Plik("dane")};
    pamiec.ProgPamieci = int64_t(1) << 40;
    TcZapytanie qd(dysk), qp(pamiec);
    ASSERT_TRUE(qd.NaDysku);
    ASSERT_FALSE(qp.NaDysku);
    ASSERT_TRUE(qd.Magazyn().Rozszerzone());

    std::mt19937 rng(77);
    TcTablicaLogiczna wd(qd.LiczbaDokumentow() + 1), wp(qp.LiczbaDokumentow() + 1);
    for (int i = 0; i < 60; ++i) {
        const auto& zrodlowy = dokumenty[rng() % dokumenty.size()];
        const size_t dl = 1 + rng() % 4, p = rng() % (zrodlowy.size() - dl);
        std::vector<uint32_t> fraza(zrodlowy.begin() + long(p), zrodlowy.begin() + long(p + dl));
        std::string tekst;
        for (uint32_t s : fraza) tekst += (tekst.empty() ? "" : " ") + slowa[s];
        qd.SzukanieFrazy(tekst, wd);
        qp.SzukanieFrazy(tekst, wp);
        for (size_t d = 0; d < dokumenty.size(); ++d) {
            const auto& x = dokumenty[d];
            const bool jest = std::search(x.begin(), x.end(), fraza.begin(), fraza.end()) != x.end();
            ASSERT_EQ(bool(wd[d + 1]), jest) << cp1250::toUtf8(tekst) << " " << nazwy[d];
            ASSERT_EQ(bool(wp[d + 1]), jest) << cp1250::toUtf8(tekst) << " " << nazwy[d];
        }
    }
}

}  // namespace
