// Phrase search timings on a data directory, memory and disk mode.
//
//   belvastrona-bench-szukanie DIR [--word W] [--rare W] [--prefix P*] [--phrase "A B"] [--query COND] [--runs 10]
//
// Without the options the words are chosen from the corpus itself: the most frequent word of
// at least four letters, the rarest such word, its first three letters as a prefix, the most frequent pair of such
// words as a phrase, and a four-phrase condition mixing them. Prints the median of the runs
// and the number of documents found (the modes must agree).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "Analiza.h"
#include "ParserBool.h"
#include "Sesja.h"
#include "Zapytanie.h"
#include "cp1250.h"

namespace {

bool Slowne(const std::string& s) {
    if (s.size() < 4) return false;
    for (unsigned char c : s)
        if (!CzyLitera(c) || c == '*') return false;
    return true;
}

struct TWybor {
    std::string slowo, rzadkie, prefiks, fraza, warunek;
};

// Frequencies from the first documents' image runs (enough for a representative choice).
TWybor Wybor(const TcZapytanie& q) {
    const TcMagazynIndeksu& m = q.Magazyn();
    std::unordered_map<uint32_t, int64_t> czestosc;
    std::map<std::pair<uint32_t, uint32_t>, int64_t> pary;
    std::vector<uint16_t> bufor;
    const int32_t ile = std::min<int32_t>(m.N, 2000);
    for (int32_t d = 1; d <= ile; ++d) {
        m.CzytajObrazDokumentu(d, bufor);
        const int64_t a = m.PlikRef[size_t(d)] / 2;
        uint32_t poprzedni = 0;
        for (size_t j = 0; j < bufor.size(); ++j) {
            const uint32_t w = bufor[j] | (m.WysokieBity(a + int64_t(j)) << 16);
            if (!Slowne(m.Slowa[w])) {
                poprzedni = 0;
                continue;
            }
            ++czestosc[w];
            if (poprzedni) ++pary[{poprzedni, w}];
            poprzedni = w;
        }
    }
    std::vector<std::pair<int64_t, uint32_t>> lista;
    for (auto [w, c] : czestosc) lista.push_back({c, w});
    std::sort(lista.rbegin(), lista.rend());
    TWybor t;
    if (lista.size() < 4) return t;
    t.slowo = m.Slowa[lista[0].second];
    t.rzadkie = m.Slowa[lista.back().second];
    t.prefiks = t.slowo.substr(0, 3) + "*";
    std::pair<uint32_t, uint32_t> najPara{lista[0].second, lista[1].second};
    int64_t naj = -1;
    for (const auto& [p, c] : pary)
        if (c > naj && p.first != p.second) naj = c, najPara = p;
    t.fraza = m.Slowa[najPara.first] + " " + m.Slowa[najPara.second];
    t.warunek = "\"" + m.Slowa[lista[1].second] + "\" AND \"" + t.fraza + "\" OR \"" +
                m.Slowa[lista[2].second].substr(0, 4) + "*\" AND_NOT \"" + m.Slowa[lista[3].second] + "\"";
    return t;
}

template <class F>
double Mediana(int ile, F&& f) {
    std::vector<double> czasy;
    for (int i = 0; i < ile; ++i) {
        const auto a = std::chrono::steady_clock::now();
        f();
        czasy.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count());
    }
    std::sort(czasy.begin(), czasy.end());
    return czasy[czasy.size() / 2];
}

struct TWynik {
    double ms = 0;
    int32_t dokumenty = 0;
};

TWynik Fraza(TcZapytanie& q, const std::string& f, int ile) {
    TcTablicaLogiczna z(q.LiczbaDokumentow() + 1);
    TWynik w;
    w.ms = Mediana(ile, [&] { q.SzukanieFrazy(f, z); });
    w.dokumenty = z.Liczba();
    return w;
}

TWynik Warunek(TcSesja& s, const std::string& c, int ile) {
    TcZapytanie& q = s.Zapytanie();
    q.Interpretacja = q.PismoMinisterstwa = q.TezaOrzeczenia = true;
    q.Warunek = c;
    TWynik w;
    w.ms = Mediana(ile, [&] {
        if (!s.Wykonanie(q)) std::fprintf(stderr, "condition error: %s\n", cp1250::toUtf8(s.Parser().Blad).c_str());
    });
    w.dokumenty = q.Wynik.Liczba();
    return w;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [--word W] [--rare W] [--prefix P*] [--phrase \"A B\"] [--query COND] [--runs N]\n",
                     argv[0]);
        return 1;
    }
    const std::string katalog = argv[1];
    TWybor t;
    int ile = 10;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string o = argv[i], v = cp1250::fromUtf8(argv[i + 1]);
        if (o == "--word") t.slowo = v;
        else if (o == "--rare") t.rzadkie = v;
        else if (o == "--prefix") t.prefiks = v;
        else if (o == "--phrase") t.fraza = v;
        else if (o == "--query") t.warunek = v;
        else if (o == "--runs") ile = std::max(1, std::atoi(argv[i + 1]));
    }

    try {
        auto sesja = [&](TOpcjeLadowania ladowanie) {
            TOpcjeSesji o;
            o.Ladowanie = std::move(ladowanie);
            o.SlownikiWymagane = false;
            o.OdczytKonfiguracji = false;
            return std::make_unique<TcSesja>(o);
        };
        const auto l0 = std::chrono::steady_clock::now();
        const auto sPamiec = sesja(TOpcjeLadowania{katalog, int64_t(1) << 40, false});
        const double ladowanie = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - l0).count();
        const auto sDysk = sesja(TOpcjeLadowania{katalog, 20000000, true});
        const auto sSkan = sesja(TOpcjeLadowania{katalog, int64_t(1) << 40, false});
        TcZapytanie& pamiec = sPamiec->Zapytanie();
        TcZapytanie& dysk = sDysk->Zapytanie();
        TcZapytanie& skan = sSkan->Zapytanie();
        skan.ListyWPamieci = false;
        const TWybor auto_ = Wybor(pamiec);
        if (t.slowo.empty()) t.slowo = auto_.slowo;
        if (t.rzadkie.empty()) t.rzadkie = auto_.rzadkie;
        if (t.prefiks.empty()) t.prefiks = auto_.prefiks;
        if (t.fraza.empty()) t.fraza = auto_.fraza;
        if (t.warunek.empty()) t.warunek = auto_.warunek;

        const TcMagazynIndeksu& m = pamiec.Magazyn();
        std::printf("data: %s\ndocuments %d, words %d, image %lld values (%.1f MB), load %.0f ms (memory mode)\n",
                    katalog.c_str(), m.N, m.W, (long long)m.Obraz.size(), m.Obraz.size() * 2 / 1e6, ladowanie);
        {
            TcTablicaLogiczna z(pamiec.LiczbaDokumentow() + 1);
            const auto a = std::chrono::steady_clock::now();
            pamiec.SzukanieFrazy(t.slowo, z);
            std::printf("first memory-mode search, building the posting lists from the image: %.0f ms\n",
                        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count());
        }
        std::printf("median of %d runs, milliseconds; \"scan\" is memory mode without the lists\n\n", ile);
        std::printf("%-16s %-44s %10s %10s %10s %10s\n", "search", "text", "memory", "scan", "disk", "documents");
        struct { const char* nazwa; std::string tekst; bool warunek; } przypadki[] = {
            {"single word", t.slowo, false},
            {"rare word", t.rzadkie, false},
            {"prefix", t.prefiks, false},
            {"two-word phrase", t.fraza, false},
            {"four conditions", t.warunek, true},
        };
        bool zgodne = true;
        for (const auto& p : przypadki) {
            const TWynik a = p.warunek ? Warunek(*sPamiec, p.tekst, ile) : Fraza(pamiec, p.tekst, ile);
            const TWynik b = p.warunek ? Warunek(*sDysk, p.tekst, ile) : Fraza(dysk, p.tekst, ile);
            const TWynik c = p.warunek ? Warunek(*sSkan, p.tekst, ile) : Fraza(skan, p.tekst, ile);
            std::string pokaz = cp1250::toUtf8(p.tekst);
            if (pokaz.size() > 44) pokaz = pokaz.substr(0, 41) + "...";
            const bool rowne = a.dokumenty == b.dokumenty && a.dokumenty == c.dokumenty;
            std::printf("%-16s %-44s %10.3f %10.3f %10.3f %10d%s\n", p.nazwa, pokaz.c_str(), a.ms, c.ms, b.ms,
                        a.dokumenty, rowne ? "" : "  (modes differ!)");
            zgodne = zgodne && rowne;
        }
        return zgodne ? 0 : 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", cp1250::toUtf8(e.what()).c_str());
        return 1;
    }
}
