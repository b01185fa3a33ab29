// A generated source folder built into a data directory and read back through the engine:
// phrase search against the documents' own words, records, groups, kinds and act indexes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>

#include "Analiza.h"
#include "BudowaKorpusu.h"
#include "FabrykaDanych.h"
#include "GeneratorProbki.h"
#include "Rtf.h"
#include "Zapytanie.h"
#include "ZapisDanych.h"
#include "bSlownikTxt.h"
#include "cp1250.h"
#include "mLib.h"

namespace fs = std::filesystem;

namespace {

std::string Plik(const std::string& sciezka) {
    std::ifstream f(sciezka, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::vector<std::string> Slowa(std::string_view html) {
    std::vector<std::string> w;
    const std::string t = cp1250::upper(mHtmlToText(html));
    PodzialTekstu(t, kZnakiIndeksu, [&w](std::string_view s) { w.emplace_back(s); });
    return w;
}

// A sample source built into a data directory, with everything the checks compare against
// taken straight from the source files.
struct TKorpus {
    TTymczasowyKatalog katalog;
    std::string zrodlo, dane;
    std::vector<std::string> nazwy, html;
    std::vector<std::vector<std::string>> slowa;
    std::vector<uint32_t> daty;
    std::vector<int32_t> izby;
    std::vector<std::vector<int32_t>> przepisy;

    TKorpus(int32_t dokumenty, int32_t slownictwo, uint64_t ziarno) {
        zrodlo = katalog.Plik("zrodlo");
        dane = katalog.Plik("dane");
        TOpcjeProbki o;
        o.Dokumenty = dokumenty;
        o.Slownictwo = slownictwo;
        o.Ziarno = ziarno;
        GenerowanieProbki(zrodlo, o);
        BudowaKorpusu(zrodlo, dane);

        std::istringstream tsv(Plik(zrodlo + "/documents.tsv"));
        std::string l;
        while (std::getline(tsv, l)) {
            if (l.empty() || l[0] == '#') continue;
            std::vector<std::string> pola;
            std::istringstream ls(l);
            std::string p;
            while (std::getline(ls, p, '\t')) pola.push_back(p);
            pola.resize(4);
            nazwy.push_back(pola[0]);
            int r, m, d, g, mi, s;
            std::sscanf(pola[1].c_str(), "%d-%d-%d %d:%d:%d", &r, &m, &d, &g, &mi, &s);
            daty.push_back(SpakowanieDaty(r, m, d, g, mi, s));
            izby.push_back(std::stoi(pola[2]));
            std::vector<int32_t> pr;
            std::istringstream ps(pola[3]);
            while (std::getline(ps, p, ',')) pr.push_back(std::stoi(p));
            przepisy.push_back(pr);
        }
        // Document numbers follow the byte order of the names.
        std::vector<size_t> k(nazwy.size());
        for (size_t i = 0; i < k.size(); ++i) k[i] = i;
        std::sort(k.begin(), k.end(), [&](size_t a, size_t b) { return nazwy[a] < nazwy[b]; });
        const auto uloz = [&k](auto& v) {
            auto kopia = v;
            for (size_t i = 0; i < k.size(); ++i) v[i] = kopia[k[i]];
        };
        uloz(nazwy), uloz(daty), uloz(izby), uloz(przepisy);
        for (const auto& n : nazwy) {
            html.push_back(Plik(zrodlo + "/documents/" + n));
            slowa.push_back(Slowa(html.back()));
        }
    }
};

// One small and one large vocabulary (the second needs tekst.aux), built once each.
TKorpus& Korpus(bool duzy) {
    static std::unique_ptr<TKorpus> k[2];
    if (!k[duzy]) k[duzy] = duzy ? std::make_unique<TKorpus>(300, 70000, 5) : std::make_unique<TKorpus>(400, 3000, 9);
    return *k[duzy];
}

bool Pasuje(const std::string& slowo, const std::string& wzor) {
    const size_t gw = wzor.find('*');
    if (gw == std::string::npos) return slowo == wzor;
    return slowo.compare(0, gw, wzor, 0, gw) == 0;
}

std::vector<int32_t> Oczekiwane(const TKorpus& k, const std::vector<std::string>& fraza) {
    std::vector<int32_t> wynik;
    for (size_t d = 0; d < k.slowa.size(); ++d) {
        const auto& w = k.slowa[d];
        bool jest = false;
        for (size_t p = 0; !jest && p + fraza.size() <= w.size(); ++p) {
            jest = true;
            for (size_t j = 0; j < fraza.size() && jest; ++j) jest = Pasuje(w[p + j], fraza[j]);
        }
        if (jest) wynik.push_back(int32_t(d) + 1);
    }
    return wynik;
}

// Words and phrases of the documents themselves, prefixes, and words of no document.
std::vector<std::vector<std::string>> Frazy(const TKorpus& k, unsigned ziarno, int ile) {
    std::mt19937 rng(ziarno);
    std::vector<std::vector<std::string>> f;
    for (int i = 0; i < ile; ++i) {
        const auto& w = k.slowa[rng() % k.slowa.size()];
        const size_t dl = 1 + rng() % 4;
        const size_t p = rng() % (w.size() - dl);
        std::vector<std::string> fraza(w.begin() + long(p), w.begin() + long(p + dl));
        // A prefix of a word ("PODAT*"); after digits "*" would be a word of its own.
        if (i % 10 == 7 && fraza[0].size() > 3 && !(fraza[0][0] >= '0' && fraza[0][0] <= '9'))
            fraza[0] = fraza[0].substr(0, 3) + "*";
        if (i % 25 == 3) fraza.back() = "QXQWYZ";
        f.push_back(fraza);
    }
    f.push_back({"PODAT*"});
    f.push_back({"PODATEK", "OD", PL(u8"TOWARÓW")});
    f.push_back({"ART", ".", "15"});
    f.push_back({"\xA7", "1"});
    return f;
}

class FrazyKorpusu : public ::testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(FrazyKorpusu, WynikSzukaniaToDokumentyZawierajaceFraze) {
    const auto [duzy, dysk] = GetParam();
    TKorpus& k = Korpus(duzy);
    EXPECT_EQ(fs::exists(k.dane + "/tekst.aux"), duzy);

    TOpcjeLadowania o;
    o.Katalog = k.dane;
    o.WymusDysk = dysk;
    TcZapytanie q(o);
    ASSERT_EQ(q.LiczbaDokumentow(), int32_t(k.nazwy.size()));
    EXPECT_EQ(q.Magazyn().Rozszerzone(), duzy);
    EXPECT_EQ(q.NaDysku, dysk);

    TcTablicaLogiczna wynik(q.LiczbaDokumentow() + 1);
    int niepuste = 0;
    for (const auto& fraza : Frazy(k, duzy ? 17 : 23, 300)) {
        std::string tekst;
        for (const auto& s : fraza) tekst += (tekst.empty() ? "" : " ") + s;
        q.SzukanieFrazy(tekst, wynik);
        std::vector<int32_t> znalezione;
        for (int32_t d = 1; d < wynik.Dlugosc(); ++d)
            if (wynik[size_t(d)]) znalezione.push_back(d);
        const auto oczekiwane = Oczekiwane(k, fraza);
        niepuste += !oczekiwane.empty();
        ASSERT_EQ(znalezione, oczekiwane) << "fraza: " << cp1250::toUtf8(tekst);
    }
    EXPECT_GT(niepuste, 250);
}

INSTANTIATE_TEST_SUITE_P(PamiecIDysk, FrazyKorpusu,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const auto& p) {
                             return std::string(std::get<0>(p.param) ? "ZTekstAux" : "BezTekstAux") +
                                    (std::get<1>(p.param) ? "NaDysku" : "WPamieci");
                         });

TEST(KorpusZProbki, RekordyToZrodloweHtmlIDatyWpisu) {
    TKorpus& k = Korpus(false);
    TcZapytanie q(TOpcjeLadowania{k.dane});
    for (int32_t d = 1; d <= q.LiczbaDokumentow(); ++d) {
        const TDokument dok = q.OdczytanieDokumentu(d);
        ASSERT_EQ(dok.Tekst, k.html[size_t(d) - 1]) << k.nazwy[size_t(d) - 1];
        ASSERT_EQ(dok.Data, k.daty[size_t(d) - 1]) << k.nazwy[size_t(d) - 1];
    }
}

TEST(KorpusZProbki, RodzajeDokumentowWynikajaZNazw) {
    TKorpus& k = Korpus(false);
    TcZapytanie q(TOpcjeLadowania{k.dane});
    const auto plan = PlanDokumentow(int32_t(k.nazwy.size()));
    ASSERT_EQ(plan.size(), k.nazwy.size());
    for (int32_t d = 1; d <= q.LiczbaDokumentow(); ++d) {
        const auto& p = plan[size_t(d) - 1];
        ASSERT_EQ(p.Nazwa, k.nazwy[size_t(d) - 1]);
        const bool pismo = d >= q.PoczatekPism && d < q.PoczatekTez;
        const bool teza = d >= q.PoczatekTez && d <= q.KoniecTez;
        EXPECT_EQ(pismo, p.Rodzaj == TRodzajProbki::Pismo) << p.Nazwa;
        EXPECT_EQ(teza, p.Rodzaj == TRodzajProbki::Teza) << p.Nazwa;
    }
}

TEST(KorpusZProbki, GrupyIzbIPrzepisowToDokumentyZIndeksu) {
    TKorpus& k = Korpus(false);
    TcSlownikTxtIzba izby(k.dane + "/izby.ini", true);
    TcSlownikTxtPrzepis przepisy(k.dane + "/przepisy.ini", true);
    TcZapytanie q(TOpcjeLadowania{k.dane}, &izby, &przepisy);
    ASSERT_EQ(izby.Wpisy.size(), 16u);
    ASSERT_GT(przepisy.Wpisy.size(), 200u);

    TcTablicaLogiczna zbior(q.LiczbaDokumentow() + 1);
    const auto sprawdz = [&](int32_t numer, bool izba) {
        izba ? q.SzukanieIzby(numer, zbior) : q.SzukaniePrzepisu(numer, zbior);
        for (size_t d = 0; d < k.nazwy.size(); ++d) {
            const bool ma = izba ? k.izby[d] == numer
                                 : std::count(k.przepisy[d].begin(), k.przepisy[d].end(), numer) > 0;
            ASSERT_EQ(bool(zbior[d + 1]), ma) << (izba ? "izba " : "przepis ") << numer << ", " << k.nazwy[d];
        }
    };
    for (const auto& w : izby.Wpisy) sprawdz(w->Numer, true);
    for (const auto& w : przepisy.Wpisy) sprawdz(w->Numer, false);
}

TEST(KorpusZProbki, PoczatkiFragmentowAktuWskazujaPierwszeZnakiWyrazow) {
    TKorpus& k = Korpus(false);
    TcZapytanie q(TOpcjeLadowania{k.dane});
    TcSlownikTxtAkt akty(k.dane + "/akty.ini", true);
    ASSERT_GE(akty.Wpisy.size(), 5u);
    for (const auto& w : akty.Wpisy) {
        const std::string stem = static_cast<const TrAkt&>(*w).Plik;
        const std::string tekst = RtfNaTekst(Plik(k.dane + "/" + stem + ".rtf"));
        const std::string duze = cp1250::upper(tekst);
        std::map<int32_t, std::string> wyrazy;   // start -> word in the act's own case
        PodzialTekstu(duze, kZnakiIndeksu, [&](std::string_view t) {
            if (t.size() == 1 && std::string_view(kZnakiIndeksu).find(t[0]) != std::string_view::npos) return;
            const size_t p = size_t(t.data() - duze.data());
            wyrazy[int32_t(p)] = tekst.substr(p, t.size());
        });

        std::vector<int32_t> itf;
        mReadFile(k.dane + "/" + stem + ".itf", itf, 1, TrybBledu::Wyjatek);
        ASSERT_EQ(itf.size(), wyrazy.size() + 2) << stem;
        EXPECT_GT(itf.back(), int32_t(tekst.size())) << stem;
        q.WczytanieAktu(stem);
        size_t i = 1;
        for (const auto& [poczatek, wyraz] : wyrazy) {
            ASSERT_EQ(itf[i], poczatek) << stem << " fragment " << i;
            const std::string frazy = q.OdczytanieFraz(poczatek);
            EXPECT_EQ(mField(frazy, '|', 1).tekst, wyraz) << stem << " " << poczatek;
            EXPECT_EQ(q.OdczytanieFraz(itf[i + 1] - 1), frazy) << stem << " " << poczatek;
            ++i;
        }
    }
}

}  // namespace
