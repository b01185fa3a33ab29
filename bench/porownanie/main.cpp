// belvastrona-bench-compare DATA CACHE: our engine, SQLite FTS5 and Xapian on the same corpus
// and query mix, in this process, one thread. DATA is a built data directory; CACHE keeps the
// other engines' indexes between runs (built here when missing) and the build times.
//
// Every query must select the same documents in all three engines; the program prints one
// table and exits with 1 when any set differs. Its last two lines are
//   cold worst ratio: ours/FTS5 C1, ours/Xapian C2     (the first query after a fresh open)
//   worst ratio: ours/FTS5 R1, ours/Xapian R2          (warm)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>

#include "Budowa.h"
#include "ListyKrotkie.h"
#include "ParySlow.h"
#include "RodzinyWyrazow.h"
#include "SumyList.h"
#include "Sesja.h"
#include "Mieszanka.h"
#include "Pomiar.h"
#include "Silniki.h"

namespace fs = std::filesystem;

namespace {

constexpr int PrzebiegiMierzone = 10;

struct TWynikKlasy {
    double Mediana = 0, P95 = 0, Zimny = -1;
};

std::string Odczyt(const std::string& plik) {
    std::ifstream f(plik);
    std::string s;
    std::getline(f, s);
    return s;
}

// Time of one run of a class: per query for searches, per batch for a recount. Warm runs
// count the thread's CPU time: everything is in memory, and other processes on the machine
// then do not inflate the figures.
double Przebieg(TSilnik& s, const TKlasa& k, std::vector<int32_t>& bufor) {
    const double t0 = CzasCpu();
    for (const PWarunek& w : k.Zapytania) {
        if (k.Liczenie) s.Zliczanie(*w);
        else s.Szukanie(*w, bufor);
    }
    const double t = CzasCpu() - t0;
    return k.Liczenie ? t : t / double(k.Zapytania.size());
}

std::string Ms(double s) {
    char b[32];
    std::snprintf(b, sizeof b, "%.3f", s * 1000);
    return b;
}
std::string Stosunek(double a, double b) {
    char t[32];
    std::snprintf(t, sizeof t, "%.2f", b > 0 ? a / b : 0.0);
    return t;
}
std::string MB(int64_t bajty) {
    char t[32];
    std::snprintf(t, sizeof t, "%.1f MB", double(bajty) / 1e6);
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: belvastrona-bench-compare DATA_DIRECTORY CACHE_DIRECTORY\n");
        return 2;
    }
    const std::string dane = argv[1], cache = argv[2];
    const std::string plikFts5 = cache + "/fts5.db", katalogXapian = cache + "/xapian", slowniki = cache + "/slowniki";
    try {
        fs::create_directories(cache);
        if (!fs::exists(slowniki + "/izby.ini")) {
            TOpcjeLadowania o;
            o.Katalog = dane;
            o.WymusDysk = true;
            ZapisSlownikow(OdczytanieGrup(TcMagazynIndeksu(o)), slowniki);
        }
        const bool brakFts5 = !fs::exists(plikFts5), brakXapian = !fs::exists(katalogXapian);
        if (brakFts5 || brakXapian) {
            std::fprintf(stderr, "building the FTS5 and Xapian indexes of %s ...\n", dane.c_str());
            TCzasBudowy cf, cx;
            BudowaObcych(dane, brakFts5 ? plikFts5 : "", brakXapian ? katalogXapian : "", cf, cx);
            if (brakFts5) std::ofstream(cache + "/fts5.czas") << cf.Sekundy << " " << cf.SekundyCpu << "\n";
            if (brakXapian) std::ofstream(cache + "/xapian.czas") << cx.Sekundy << " " << cx.SekundyCpu << "\n";
        }

        // Open one engine at a time and run the mix once on it, so that each engine's resident
        // memory is its own.
        std::vector<std::unique_ptr<TSilnik>> silniki(3);
        std::vector<int64_t> pamiec(3);
        std::vector<double> otwarcie(3);
        std::function<std::unique_ptr<TSilnik>()> otworz[3] = {
            [&] { return OtwarcieWlasnego(dane, slowniki); },
            [&] { return OtwarcieFts5(plikFts5); },
            [&] { return OtwarcieXapian(katalogXapian); },
        };
        std::vector<TKlasa> klasy;
        std::vector<int32_t> bufor;
        // Warm: each engine's files in the page cache first. BELV_BENCH_PAMIEC_ZIMNA=1 drops the
        // cache instead, for the resident memory of a first pass after a cold start (an engine
        // that maps its files holds more of them when they are cached).
        const std::string plikiSilnika[3] = {dane, plikFts5, katalogXapian};
        const bool pamiecZimna = std::getenv("BELV_BENCH_PAMIEC_ZIMNA") != nullptr;
        for (int e = 0; e < 3; ++e) {
            if (pamiecZimna) OproznienieBuforow();
            else WczytanieDoPamieci(plikiSilnika[e]);
            const int64_t r0 = PamiecRezydentna();
            const double t0 = Teraz();
            silniki[e] = otworz[e]();
            otwarcie[e] = Teraz() - t0;
            if (e == 0) {
                const TcMagazynIndeksu& m = MagazynWlasnego(*silniki[0]);
                klasy = WyborZapytan(m, dane, OdczytanieGrup(m));
                if (std::getenv("BELV_BENCH_ZAPYTANIA"))   // list the mix on stderr
                    for (const TKlasa& k : klasy)
                        for (const PWarunek& w : k.Zapytania) std::fprintf(stderr, "%s: %s\n", k.Nazwa.c_str(), Opis(*w).c_str());
            }
            for (const TKlasa& k : klasy) Przebieg(*silniki[e], k, bufor);
            pamiec[e] = PamiecRezydentna() - r0;
        }
        // The warm open: the median of that first one and five more, each a fresh open of the
        // cached files (one open alone swings with the machine's memory).
        for (int e = 0; e < 3; ++e) {
            std::vector<double> czasy{otwarcie[e]};
            for (int i = 0; i < 5; ++i) {
                const double t0 = Teraz();
                std::unique_ptr<TSilnik> s = otworz[e]();
                czasy.push_back(Teraz() - t0);
            }
            otwarcie[e] = Percentyl(czasy, 50);
        }
        const TcMagazynIndeksu& magazyn = MagazynWlasnego(*silniki[0]);

        // Identical sets everywhere (and, for the recount, identical counts).
        int rozne = 0;
        for (const TKlasa& k : klasy)
            for (const PWarunek& w : k.Zapytania) {
                TSkrot s[3];
                int64_t liczby[3];
                for (int e = 0; e < 3; ++e) {
                    silniki[e]->Szukanie(*w, bufor);
                    s[e] = Skrot(bufor);
                    liczby[e] = silniki[e]->Zliczanie(*w);
                }
                const bool zgodne = s[0] == s[1] && s[0] == s[2] && liczby[0] == s[0].Liczba &&
                                    liczby[1] == s[0].Liczba && liczby[2] == s[0].Liczba;
                if (!zgodne) {
                    ++rozne;
                    std::fprintf(stderr, "RESULT SETS DIFFER for %s: ours %lld/%016llx (count %lld), FTS5 %lld/%016llx (count %lld), Xapian %lld/%016llx (count %lld)\n",
                                 Opis(*w).c_str(), (long long)s[0].Liczba, (unsigned long long)s[0].Hash, (long long)liczby[0],
                                 (long long)s[1].Liczba, (unsigned long long)s[1].Hash, (long long)liczby[1],
                                 (long long)s[2].Liczba, (unsigned long long)s[2].Hash, (long long)liczby[2]);
                }
            }

        // Warm: one pass, then the timed runs.
        std::map<std::string, TWynikKlasy> wyniki[3];
        for (const TKlasa& k : klasy)
            for (int e = 0; e < 3; ++e) {
                Przebieg(*silniki[e], k, bufor);
                std::vector<double> czasy;
                for (int i = 0; i < PrzebiegiMierzone; ++i) czasy.push_back(Przebieg(*silniki[e], k, bufor));
                wyniki[e][k.Nazwa] = {Percentyl(czasy, 50), Percentyl(czasy, 95), -1};
            }

        // All forms of words, ours only: the same classes with each word standing for its family,
        // the grouping made afresh (timed) and then read back as the next start would.
        std::map<std::string, double> formy;
        double grupowanie = -1, odczytGrupowania = -1;
        {
            setenv("BELVASTRONA_KONFIGURACJA", cache.c_str(), 1);
            fs::remove(cache + "/" + PlikRodzin);
            const double t0 = Teraz();
            if (FormyWlasnego(*silniki[0], true)) {
                grupowanie = Teraz() - t0;
                const TcMagazynIndeksu& m = MagazynWlasnego(*silniki[0]);
                const double t1 = Teraz();
                const auto r = TcRodzinyWyrazow::Wczytanie(cache + "/" + PlikRodzin, TcRodzinyWyrazow::Odcisk(m.Slowa, m.W),
                                                           TcRodzinyWyrazow::SlownikDomyslny);
                if (r) odczytGrupowania = Teraz() - t1;
                for (const TKlasa& k : klasy) {
                    if (k.Nazwa.find("chamber") != std::string::npos || k.Nazwa.find("provision") != std::string::npos) continue;
                    Przebieg(*silniki[0], k, bufor);
                    std::vector<double> czasy;
                    for (int i = 0; i < PrzebiegiMierzone; ++i) czasy.push_back(Przebieg(*silniki[0], k, bufor));
                    formy[k.Nazwa] = Percentyl(czasy, 50);
                }
                FormyWlasnego(*silniki[0], false);
            }
        }

        // The floor of memory mode: one read-only pass over the image.
        double podloga = 0;
        if (!magazyn.NaDysku) {
            std::vector<double> czasy;
            volatile uint64_t suma = 0;
            for (int i = 0; i < PrzebiegiMierzone; ++i) {
                const double t0 = CzasCpu();
                uint64_t s = 0;
                for (uint16_t v : magazyn.Obraz) s += v;
                suma = suma + s;
                czasy.push_back(CzasCpu() - t0);
            }
            podloga = Percentyl(czasy, 50);
        }
        const bool naDysku = magazyn.NaDysku;
        const int32_t N = magazyn.N;
        const int64_t obraz = magazyn.DlugoscObrazu * 2;

        // Cold: the first query of each class after a fresh open, with the page cache dropped;
        // the three engines one after another for each class, so that they meet the disk in the
        // same mood, and the median of three such rounds.
        constexpr int RundyZimne = 3;
        bool oproznione = true;
        std::vector<double> otwarciaZimne[3];
        std::map<std::string, std::vector<double>> zimne[3];
        silniki.clear();
        for (int r = 0; r < RundyZimne; ++r)
            for (const TKlasa& k : klasy)
                for (int e = 0; e < 3; ++e) {
                    oproznione = OproznienieBuforow() && oproznione;
                    const double t0 = Teraz();
                    std::unique_ptr<TSilnik> s = otworz[e]();
                    otwarciaZimne[e].push_back(Teraz() - t0);
                    const double t1 = Teraz();
                    if (k.Liczenie) {
                        for (const PWarunek& w : k.Zapytania) s->Zliczanie(*w);
                    } else {
                        s->Szukanie(*k.Zapytania.front(), bufor);
                    }
                    zimne[e][k.Nazwa].push_back(Teraz() - t1);
                }
        double otwarcieZimne[3], otwarcieZimneMaks[3];
        for (int e = 0; e < 3; ++e) {
            for (auto& [nazwa, czasy] : zimne[e]) wyniki[e][nazwa].Zimny = Percentyl(czasy, 50);
            otwarcieZimne[e] = Percentyl(otwarciaZimne[e], 50);
            otwarcieZimneMaks[e] = Percentyl(otwarciaZimne[e], 100);
        }

        // The table.
        std::printf("corpus: %d documents, image %lld bytes, %s mode; %zu query classes, %d timed runs each\n", N,
                    (long long)obraz, naDysku ? "disk" : "memory", klasy.size(), PrzebiegiMierzone);
        std::printf("times in ms per query (recount: per batch of six counts); warm: CPU time of this thread, median and "
                    "p95; cold: wall time of the first query after opening%s, median of three rounds\n",
                    oproznione ? " with the page cache dropped" : " (page cache NOT dropped: not allowed here)");
        std::printf("%-34s %3s | %9s %9s | %9s %9s | %9s %9s | %7s %7s | %9s %9s %9s\n", "class", "n", "ours med",
                    "ours p95", "FTS5 med", "FTS5 p95", "Xap med", "Xap p95", "o/FTS5", "o/Xap", "cold ours",
                    "cold FTS5", "cold Xap");
        double najgorszyF = 0, najgorszyX = 0, zimnyF = 0, zimnyX = 0;
        for (const TKlasa& k : klasy) {
            const TWynikKlasy &o = wyniki[0][k.Nazwa], &f = wyniki[1][k.Nazwa], &x = wyniki[2][k.Nazwa];
            najgorszyF = std::max(najgorszyF, f.Mediana > 0 ? o.Mediana / f.Mediana : 0);
            najgorszyX = std::max(najgorszyX, x.Mediana > 0 ? o.Mediana / x.Mediana : 0);
            zimnyF = std::max(zimnyF, f.Zimny > 0 ? o.Zimny / f.Zimny : 0);
            zimnyX = std::max(zimnyX, x.Zimny > 0 ? o.Zimny / x.Zimny : 0);
            std::printf("%-34s %3zu | %9s %9s | %9s %9s | %9s %9s | %7s %7s | %9s %9s %9s\n", k.Nazwa.c_str(),
                        k.Zapytania.size(), Ms(o.Mediana).c_str(), Ms(o.P95).c_str(), Ms(f.Mediana).c_str(),
                        Ms(f.P95).c_str(), Ms(x.Mediana).c_str(), Ms(x.P95).c_str(),
                        Stosunek(o.Mediana, f.Mediana).c_str(), Stosunek(o.Mediana, x.Mediana).c_str(),
                        Ms(o.Zimny).c_str(), Ms(f.Zimny).c_str(), Ms(x.Zimny).c_str());
        }
        if (!naDysku) {
            const TWynikKlasy& fc = wyniki[0]["phrase of frequent words"];
            std::printf("memory-mode floor: one read-only pass over the image %s ms; frequent phrase %s ms = %s x floor\n",
                        Ms(podloga).c_str(), Ms(fc.Mediana).c_str(), Stosunek(fc.Mediana, podloga).c_str());
        }
        std::printf("recount of six conditions (ours, warm median): %s ms\n",
                    Ms(wyniki[0]["live recount (6 counts)"].Mediana).c_str());
        std::printf("open: ours (store load) %.3f s warm, %.3f s cold (slowest %.3f), medians; FTS5 %.3f s / %.3f s (%.3f); "
                    "Xapian %.3f s / %.3f s (%.3f)\n",
                    otwarcie[0], otwarcieZimne[0], otwarcieZimneMaks[0], otwarcie[1], otwarcieZimne[1], otwarcieZimneMaks[1],
                    otwarcie[2], otwarcieZimne[2], otwarcieZimneMaks[2]);
        const std::string cd = Odczyt(cache + "/dane.czas"), cf = Odczyt(cache + "/fts5.czas"),
                          cx = Odczyt(cache + "/xapian.czas");
        double fw = 0, fc = 0, xw = 0, xc = 0;
        std::sscanf(cf.c_str(), "%lf %lf", &fw, &fc);
        std::sscanf(cx.c_str(), "%lf %lf", &xw, &xc);
        std::printf("build: ours %s s (belvastrona-build, from the sample source); FTS5 %.1f s wall / %.1f s CPU; "
                    "Xapian %.1f s wall / %.1f s CPU (each reading the records itself, side by side; Xapian in shards of 16384 documents built by two threads, then merged)\n",
                    cd.empty() ? "?" : cd.c_str(), fw, fc, xw, xc);
        int64_t indeks = 0;
        for (const char* p : {"plik.dat", "plik.ref", "slowo.dat", "slowo.ref", "slowo.idx", "tekst.img", "tekst.aux",
                              "przepisy.mix", "izby.mix"})
            indeks += RozmiarNaDysku(dane + "/" + p);
        const int64_t wlasne = RozmiarNaDysku(dane + "/" + PlikSumList) + RozmiarNaDysku(dane + "/" + PlikParSlow) +
                               RozmiarNaDysku(dane + "/" + PlikListKrotkich);
        const int64_t rekordy = RozmiarNaDysku(dane + "/scalony.xtm") + RozmiarNaDysku(dane + "/scalony.ref");
        std::printf("on disk: ours %s index + %s list checksums, word pairs and short lists + %s records; FTS5 %s (index and text); Xapian %s\n",
                    MB(indeks).c_str(), MB(wlasne).c_str(), MB(rekordy).c_str(), MB(RozmiarNaDysku(plikFts5)).c_str(),
                    MB(RozmiarNaDysku(katalogXapian)).c_str());
        std::printf("resident memory after open and one pass (%s): ours %s, FTS5 %s, Xapian %s\n",
                    pamiecZimna ? "from a cold start" : "files cached", MB(pamiec[0]).c_str(), MB(pamiec[1]).c_str(),
                    MB(pamiec[2]).c_str());
        if (grupowanie < 0) {
            std::printf("all forms of words: not measured (the words could not be grouped: is hunspell-pl installed?)\n");
        } else {
            std::printf("all forms of words (ours only; the other engines have no such mode, their exact-form times "
                        "beside), warm medians in ms:\n");
            std::printf("%-34s | %10s %10s %7s | %9s %9s\n", "class", "ours exact", "ours forms", "f/exact", "FTS5",
                        "Xapian");
            double najgorszy = 0;
            for (const TKlasa& k : klasy) {
                if (!formy.count(k.Nazwa)) continue;
                const double e = wyniki[0][k.Nazwa].Mediana, f = formy[k.Nazwa];
                najgorszy = std::max(najgorszy, e > 0 ? f / e : 0);
                std::printf("%-34s | %10s %10s %7s | %9s %9s\n", k.Nazwa.c_str(), Ms(e).c_str(), Ms(f).c_str(),
                            Stosunek(f, e).c_str(), Ms(wyniki[1][k.Nazwa].Mediana).c_str(),
                            Ms(wyniki[2][k.Nazwa].Mediana).c_str());
            }
            std::printf("grouping of the words into families: %.3f s made with hunspell, %.3f s read from the saved "
                        "grouping; worst all-forms/exact ratio %.2f\n",
                        grupowanie, odczytGrupowania, najgorszy);
        }
        if (rozne) std::printf("RESULT SETS DIFFER: %d queries (see above)\n", rozne);
        else std::printf("result sets: identical in all three engines for every query\n");
        std::printf("cold worst ratio: ours/FTS5 %.2f, ours/Xapian %.2f\n", zimnyF, zimnyX);
        std::printf("worst ratio: ours/FTS5 %.2f, ours/Xapian %.2f\n", najgorszyF, najgorszyX);
        return rozne ? 1 : 0;
    } catch (const Xapian::Error& e) {
        std::fprintf(stderr, "belvastrona-bench-compare: Xapian: %s\n", e.get_description().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "belvastrona-bench-compare: %s\n", e.what());
    }
    return 2;
}
