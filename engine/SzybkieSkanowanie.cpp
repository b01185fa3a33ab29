#include "SzybkieSkanowanie.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "MagazynIndeksu.h"
#include "ParySlow.h"
#include "SumyList.h"
#include "TablicaLogiczna.h"
#include "cp1250.h"
#include "mLib.h"

namespace {

inline uint32_t Slowo(const TWidokIndeksu& v, int64_t p) {
    uint32_t w = v.Obraz[p];
    if (v.Aux) w |= uint32_t((v.Aux[p >> 2] >> (2 * (p & 3))) & 3) << 16;
    return w;
}

constexpr int kBlok = 32;   // image values tested per step of the vectorised scan
// Prefetching: candidates ahead, and cache lines from the start and from the end of each.
constexpr size_t kPrzedPobranie = 16;
constexpr int64_t kLiniePobrane = 12;       // at most, from the start: as many as searches read lately
constexpr int kLiniePobraneZKonca = 2;      // the last block spans two lines
// Disk mode, a dense phrase (candidates over an eighth of the documents): the image is mapped
// ahead of the candidates this many bytes at a time, most of its pages being read anyway.
constexpr int64_t kPorcjaZapelnienia = int64_t(1) << 20;

// Bit i set when place i of the kBlok places at x holds the anchor, a word in [lo, lo + rozp].
// SSE2 (every x86-64) tests eight places per compare, a single word with one compare; elsewhere a
// plain loop. The rest of the phrase is tested only at the places found.
inline uint32_t MaskaKotwicy(const uint16_t* x, uint16_t lo, uint16_t rozp) {
#if defined(__SSE2__)
    const __m128i vlo = _mm_set1_epi16(short(lo));
    __m128i c[kBlok / 8];
    if (rozp == 0) {
        for (int i = 0; i < kBlok / 8; ++i)
            c[i] = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(x + 8 * i)), vlo);
    } else {
        // (a - lo) <= rozp, unsigned: the saturating difference (a - lo) - rozp is zero.
        const __m128i vrozp = _mm_set1_epi16(short(rozp)), zero = _mm_setzero_si128();
        for (int i = 0; i < kBlok / 8; ++i) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + 8 * i));
            c[i] = _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(a, vlo), vrozp), zero);
        }
    }
    uint32_t maska = 0;
    for (int i = 0; i < kBlok / 8; i += 2)
        maska |= uint32_t(_mm_movemask_epi8(_mm_packs_epi16(c[i], c[i + 1]))) << (8 * i);
    return maska;
#else
    uint32_t maska = 0;
    for (int i = 0; i < kBlok; ++i) maska |= uint32_t(uint16_t(x[i] - lo) <= rozp) << i;
    return maska;
#endif
}

struct TOdcinekPostingow {
    int64_t Poczatek = 0, Dlugosc = 0;
};

struct TPrzebieg {   // the postings of one word of the phrase
    int64_t Poczatek = 0, Dlugosc = 0;   // one run (a range), or Dlugosc the total of the runs below
    int Pozycja = 0;   // the word's place in the phrase, from 0
    const std::vector<TOdcinekPostingow>* Odcinki = nullptr;   // all forms: a run per run of words
};

// Out of the posting loops, so that their check stays a compare and a branch.
[[noreturn]] __attribute__((noinline, cold)) void ZlyNumerDokumentu() {
    ZgloszenieUszkodzenia("slowo.idx", PL("zawiera numer dokumentu spoza listy"));
}

// What a candidate must be in: a word's lists, or the lists of pairs of slowo.par.
struct TFiltr {
    const TPrzebieg* Slowo = nullptr;
    std::vector<int64_t> Pary;
    int64_t Dlugosc = 0;   // documents listed, with repeats
};

// A pair of the phrase filters by slowo.par only when its first word stands for at most this
// many words (a word's forms, a long prefix): each is a block of the file to look up.
constexpr int64_t kMaksPierwszychPary = 256;

// A single word's lists up to this many postings are read into memory, not mapped.
constexpr int64_t kListaCzytana = 16384;

// Calls f(i) for every posting index of the word.
template <class F>
inline void DlaPostingow(const TPrzebieg& z, F&& f) {
    // Bounds in locals: f stores bytes, which the compiler must assume may change any memory,
    // and would otherwise read the bounds again after every store.
    if (!z.Odcinki) {
        const int64_t od = z.Poczatek, do_ = z.Poczatek + z.Dlugosc;
        for (int64_t i = od; i < do_; ++i) f(i);
        return;
    }
    for (const TOdcinekPostingow& o : *z.Odcinki) {
        const int64_t od = o.Poczatek, do_ = o.Poczatek + o.Dlugosc;
        for (int64_t i = od; i < do_; ++i) f(i);
    }
}

// Is there a place j in [od, do_] where the anchor (the phrase's rarest word, standing at its
// place r in the phrase) occurs with every other word around it? Without tekst.aux the image is
// tested a block of 32 values at a time for the anchor, and only the places that hold it go to
// the full test. `czytane` is set to the values read from the start.
//
// The last block goes first, then the rest from the start. A search stops at the first place
// found, and many phrases close the documents that hold them (a court's name ends a thesis):
// read from the start only, "sądu administracyjnego" reads nearly the whole image before its
// first places.
bool Wystepuje(const TWidokIndeksu& v, int64_t od, int64_t do_, const TFraza& fraza, const TPrzebieg& kotwica,
               int64_t& czytane) {
    const int r = kotwica.Pozycja;
    const int n = fraza.LiczbaSlow;
    auto pasuje = [&](int64_t j) {
        const int64_t p = j - r;
        for (int k = 0; k < n; ++k)
            if (!fraza.Zawiera(k + 1, Slowo(v, p + k))) return false;
        return true;
    };
    if (!v.Aux) {
        // Word numbers fit 16 bits: every range does too.
        const TZakres& z = fraza.Zakresy[size_t(r) + 1];
        const uint16_t lo = uint16_t(z.Od), rozp = uint16_t(z.Rozpietosc);
        const uint16_t* x = v.Obraz;
        // Places [j0, j1), at most one block.
        auto blok = [&](int64_t j0, int64_t j1) {
            if (j1 - j0 == kBlok) {
                for (uint32_t m = MaskaKotwicy(x + j0, lo, rozp); m != 0; m &= m - 1)
                    if (pasuje(j0 + __builtin_ctz(m))) return true;
                return false;
            }
            for (int64_t j = j0; j < j1; ++j)
                if (uint16_t(x[j] - lo) <= rozp && pasuje(j)) return true;
            return false;
        };
        int64_t tyl = do_ + 1;   // places still untested: [od, tyl)
        if (tyl - od > kBlok) {
            if (blok(tyl - kBlok, tyl)) return true;
            tyl -= kBlok;
        }
        for (int64_t j = od; j < tyl; j += kBlok) {
            czytane = j + kBlok - od;
            if (blok(j, std::min(j + kBlok, tyl))) return true;
        }
        return false;
    }
    for (int64_t j = od; j <= do_; ++j)
        if (fraza.Zawiera(r + 1, Slowo(v, j)) && pasuje(j)) return true;
    return false;
}

// Does document d hold the phrase? `sprawdzone` as TRoboczeSzukania::Sprawdzone.
// `czytane`: how many values from the start the search read.
bool DokumentZawiera(const TWidokIndeksu& v, int32_t d, const TFraza& fraza, const TPrzebieg& kotwica,
                     uint64_t* sprawdzone, int64_t& czytane) {
    const int64_t a = v.PlikRef[d] / 2, b = v.PlikRef[d + 1] / 2 - 1;   // [a, b): the run without its separator
    if (v.SprawdzanieRuchu && !(sprawdzone[d >> 6] >> (d & 63) & 1)) {
        if (b >= v.DlugoscObrazu || Slowo(v, b) != 0)
            ZgloszenieUszkodzenia("tekst.img", PL("nie zgadza się z plikiem 'plik.ref'"));
        sprawdzone[d >> 6] |= uint64_t(1) << (d & 63);
    }
    const int n = fraza.LiczbaSlow;
    if (b - a < n) return false;
    czytane = 0;
    return Wystepuje(v, a + kotwica.Pozycja, b - n + kotwica.Pozycja, fraza, kotwica, czytane);
}

// A single word's lists, when short: from slowo.krt when it keeps them all, else with one read
// call into scratch memory rather than through the mapping. The first touch of a mapped region
// costs more than the read itself (the kernel sets up its page tables and maps the pages around
// it), and a rare word's search is little else; once the pages are in the cache, the call costs
// what the announcement of the mapped run did.
void CzytanieSlowa(const TWidokIndeksu& v, const TZakres& slowa, const TPrzebieg& z, uint8_t* wynik,
                   TRoboczeSzukania& roboczy) {
    const int32_t a = slowa.Od, b = slowa.Do();
    if (v.Krotkie)
        if (const int32_t* p = v.Krotkie->Listy(a, b, z.Dlugosc)) {
            for (int64_t i = 0; i < z.Dlugosc; ++i) wynik[p[i]] = 1;   // numbers checked at opening
            roboczy.Ustawione = p;
            roboczy.LiczbaUstawionych = size_t(z.Dlugosc);
            return;
        }
    std::vector<int32_t>& lista = roboczy.Lista;
    lista.resize(size_t(z.Dlugosc));
    v.PlikList->Czytaj(z.Poczatek * 4, lista.data(), size_t(z.Dlugosc) * 4);
    if (v.SumyList) {
        const size_t slowaBitow = size_t(v.W) / 64 + 1;
        if (roboczy.ListySprawdzone.size() < slowaBitow) roboczy.ListySprawdzone.assign(slowaBitow, 0);
        uint64_t* sprawdzone = roboczy.ListySprawdzone.data();
        for (int32_t w = a; w <= b; ++w) {
            if (sprawdzone[w >> 6] >> (w & 63) & 1) continue;
            const int64_t od = v.SlowoRef[w] / 4 - z.Poczatek, ile = v.SlowoRef[w + 1] / 4 - v.SlowoRef[w] / 4;
            if (SumaListy(lista.data() + od, size_t(ile)) != v.SumyList[w]) throw EListaNiezgodna(w);
            sprawdzone[w >> 6] |= uint64_t(1) << (w & 63);
        }
    }
    const int32_t N = v.N;
    for (const int32_t d : lista) {
        if (d < 1 || d > N) [[unlikely]]
            ZlyNumerDokumentu();
        wynik[d] = 1;
    }
    roboczy.Ustawione = lista.data();
    roboczy.LiczbaUstawionych = lista.size();
}

}  // namespace

bool SzukanieFrazyWIndeksie(const TWidokIndeksu& v, const TFraza& fraza, uint8_t* wynik, TRoboczeSzukania& roboczy) {
    roboczy.Ustawione = nullptr;
    roboczy.LiczbaUstawionych = 0;
    const int n = fraza.LiczbaSlow;
    if (n < 1 || n > kMaksSlowFrazy) return false;
    // The ranges cut to the words of the list, whose posting lists exist. A word standing for
    // chosen words of its span (all forms) has a run of postings per run of those words.
    TFraza f = fraza;
    std::array<TPrzebieg, kMaksSlowFrazy> zakresy{};
    std::array<std::vector<TOdcinekPostingow>, kMaksSlowFrazy> odcinki;
    for (int k = 0; k < n; ++k) {
        TZakres& zk = f.Zakresy[size_t(k) + 1];
        TPrzebieg& z = zakresy[size_t(k)];
        z.Pozycja = k;
        if (!f.Wybrane[size_t(k) + 1].empty()) {
            if (zk.Od < 1 || zk.Do() > v.W) return false;   // chosen words are words of the list
            fraza.Odcinki(k + 1, [&](int32_t a, int32_t b) {
                const TOdcinekPostingow o{v.SlowoRef[a] / 4, v.SlowoRef[b + 1] / 4 - v.SlowoRef[a] / 4};
                odcinki[size_t(k)].push_back(o);
                z.Dlugosc += o.Dlugosc;
            });
            z.Odcinki = &odcinki[size_t(k)];
            continue;
        }
        const int32_t a = std::max(zk.Od, 1), b = std::min(zk.Do(), v.W);
        if (a > b) return true;   // a word no document holds
        zk = TZakres{a, uint32_t(b - a)};
        z.Poczatek = v.SlowoRef[a] / 4;
        z.Dlugosc = v.SlowoRef[b + 1] / 4 - z.Poczatek;
    }
    if (n == 1 && v.PlikList && !zakresy[0].Odcinki && zakresy[0].Dlugosc <= kListaCzytana) {
        CzytanieSlowa(v, f.Zakresy[1], zakresy[0], wynik, roboczy);
        return true;
    }
    // Filters: a candidate is in each. A pair of neighbouring words whose first word stands
    // for few enough words filters by slowo.par, the documents where the two stand together;
    // each word in no such pair filters by its own lists, which are then the only lists read
    // (and announced, and checked). A document listed twice in one filter (a prefix's words, a
    // word's forms) climbs only once: it must stand at k to reach k + 1.
    std::vector<TFiltr> filtry(n >= 2 ? size_t(2 * n) : 0);   // a single word reads its lists only
    size_t ileFiltrow = 0;
    std::array<bool, kMaksSlowFrazy> wParze{};
    const auto odcinkiSlowa = [&](int k, auto&& g) {
        if (zakresy[size_t(k)].Odcinki) fraza.Odcinki(k + 1, g);
        else g(f.Zakresy[size_t(k) + 1].Od, f.Zakresy[size_t(k) + 1].Do());
    };
    if (v.Pary) {
        TParySlow& pary = *v.Pary;
        for (int k = 0; k + 1 < n; ++k) {
            int64_t pierwszych = 0;
            odcinkiSlowa(k, [&](int32_t a, int32_t b) { pierwszych += b - a + 1; });
            if (pierwszych > kMaksPierwszychPary) continue;
            TFiltr& fl = filtry[ileFiltrow++];
            odcinkiSlowa(k, [&](int32_t a, int32_t b) {
                for (int32_t w1 = a; w1 <= b; ++w1) {
                    pary.SprawdzenieBloku(w1);
                    const int64_t koniec = pary.Od(w1 + 1);
                    odcinkiSlowa(k + 1, [&](int32_t c, int32_t e) {
                        for (int64_t p = pary.Szukaj(w1, uint32_t(c)); p < koniec && pary.Drugie(p) <= uint32_t(e); ++p) {
                            fl.Pary.push_back(p);
                            fl.Dlugosc += pary.Df(p);
                        }
                    });
                }
            });
            wParze[size_t(k)] = wParze[size_t(k) + 1] = true;
        }
        for (size_t i = 0; i < ileFiltrow; ++i)
            for (int64_t p : filtry[i].Pary) Zapowiedz(pary.Lista(p), pary.BajtyListy(p));
        for (size_t i = 0; i < ileFiltrow; ++i)
            for (int64_t p : filtry[i].Pary) pary.SprawdzenieListy(p);
    }
    const bool tylkoPary = ileFiltrow > 0 && n == 2;   // the pair's documents are the answer
    const auto zListy = [&](int k) { return !tylkoPary && !wParze[size_t(k)]; };
    if (v.ZapowiadanieList) {
        // Every list the search will read, asked for at once: a cold start then waits for one
        // round of reads instead of a page fault per page of each list.
        for (int k = 0; k < n; ++k) {
            if (!zListy(k)) continue;
            const TPrzebieg& z = zakresy[size_t(k)];
            if (!z.Odcinki) Zapowiedz(v.Postingi + z.Poczatek, size_t(z.Dlugosc) * 4);
            else
                for (const TOdcinekPostingow& o : *z.Odcinki) Zapowiedz(v.Postingi + o.Poczatek, size_t(o.Dlugosc) * 4);
        }
    }
    if (v.SumyList) {
        // Each list read from slowo.idx is checked against its checksum the first time.
        if (roboczy.ListySprawdzone.size() < size_t(v.W) / 64 + 1) roboczy.ListySprawdzone.assign(size_t(v.W) / 64 + 1, 0);
        uint64_t* bity = roboczy.ListySprawdzone.data();
        const auto sprawdzenie = [&](int32_t a, int32_t b) {
            for (int32_t w = a; w <= b; ++w) {
                if (bity[w >> 6] >> (w & 63) & 1) continue;
                const int64_t od = v.SlowoRef[w] / 4, ile = v.SlowoRef[w + 1] / 4 - od;
                if (SumaListy(v.Postingi + od, size_t(ile)) != v.SumyList[w]) throw EListaNiezgodna(w);
                bity[w >> 6] |= uint64_t(1) << (w & 63);
            }
        };
        for (int k = 0; k < n; ++k)
            if (zListy(k)) odcinkiSlowa(k, sprawdzenie);
    }
    const int32_t N = v.N;
    const int32_t* const postingi = v.Postingi;
    auto numer = [postingi, N](int64_t i) {
        const int32_t d = postingi[i];
        if (d < 1 || d > N) [[unlikely]]
            ZlyNumerDokumentu();
        return d;
    };
    if (n == 1) {
        DlaPostingow(zakresy[0], [&](int64_t i) { wynik[numer(i)] = 1; });
        return true;
    }

    for (int k = 0; k < n && !tylkoPary; ++k) {
        if (wParze[size_t(k)]) continue;
        TFiltr& fl = filtry[ileFiltrow++];
        fl.Slowo = &zakresy[size_t(k)];
        fl.Dlugosc = zakresy[size_t(k)].Dlugosc;
    }
    std::sort(filtry.begin(), filtry.begin() + ptrdiff_t(ileFiltrow),
              [](const TFiltr& x, const TFiltr& y) { return x.Dlugosc < y.Dlugosc; });
    const auto dokumenty = [&](const TFiltr& fl, auto&& g) {
        if (fl.Slowo) DlaPostingow(*fl.Slowo, [&](int64_t i) { g(numer(i)); });
        else
            for (int64_t p : fl.Pary) v.Pary->Dokumenty(p, g);
    };
    if (tylkoPary) {
        dokumenty(filtry[0], [&](int32_t d) { wynik[d] = 1; });
        return true;
    }

    // Confirmed in the image from the rarest word of the phrase.
    std::array<TPrzebieg, kMaksSlowFrazy> kolejne = zakresy;
    std::sort(kolejne.begin(), kolejne.begin() + n,
              [](const TPrzebieg& x, const TPrzebieg& y) { return x.Dlugosc < y.Dlugosc; });
    if (roboczy.Poziomy.size() < size_t(N) + 1) roboczy.Poziomy.assign(size_t(N) + 1, 0);
    if (v.SprawdzanieRuchu && roboczy.Sprawdzone.size() < size_t(N) / 64 + 1)
        roboczy.Sprawdzone.assign(size_t(N) / 64 + 1, 0);
    uint8_t* c = roboczy.Poziomy.data();
    const TPrzebieg& kotwica = kolejne[0];
    dokumenty(filtry[0], [&](int32_t d) { c[d] = 1; });
    for (size_t k = 1; k < ileFiltrow; ++k) {
        dokumenty(filtry[k], [&](int32_t d) {
            uint8_t& s = c[d];
            if (s == k) s = uint8_t(k + 1);
        });
    }
    // The candidates, each once; the scratch is left zero.
    std::vector<int32_t>& kandydaci = roboczy.Kandydaci;
    kandydaci.clear();
    dokumenty(filtry[0], [&](int32_t d) {
        if (c[d] == ileFiltrow) kandydaci.push_back(d);
        c[d] = 0;
    });
    // Confirm adjacency in the candidates only. When most documents are candidates the search
    // waits on memory, one document after another: both ends of the candidate kPrzedPobranie
    // ahead are requested early, so that the fetches overlap, the start as far as searches
    // have lately had to read. Requested only for the candidate after next, the lines come
    // too late to overlap much.
    const size_t ile = kandydaci.size();
    int64_t srednio = 8 * 64;   // values read from a start, a running mean (times 8)
    // Disk mode: the image's pages mapped are kept within the limit, and a dense phrase maps
    // them ahead in stretches, before the candidates reach them (each list of the shortest
    // filter ascends).
    const bool gesto = v.Limit && int64_t(ile) * 8 > N;
    int64_t zapelnioneDo = 0;   // bytes of the image mapped ahead
    for (size_t i = 0; i < ile; ++i) {
        if (i + kPrzedPobranie < ile) {
            const int32_t d = kandydaci[i + kPrzedPobranie];
            const char* poczatek = reinterpret_cast<const char*>(v.Obraz + v.PlikRef[d] / 2);
            const char* koniec = reinterpret_cast<const char*>(v.Obraz + v.PlikRef[d + 1] / 2) - 1;
            const int64_t linie = std::min<int64_t>(kLiniePobrane, (srednio / 8 * 2 + 63) / 64 + 1);
            for (int64_t k = 0; k < linie; ++k) __builtin_prefetch(poczatek + 64 * k);
            for (int k = 0; k < kLiniePobraneZKonca; ++k) __builtin_prefetch(koniec - 64 * k);
        }
        int64_t czytane = 0;
        const int32_t d = kandydaci[i];
        if (gesto && v.PlikRef[d + 1] > zapelnioneDo) {
            const int64_t od = v.PlikRef[d] & ~int64_t(0xFFFF);
            zapelnioneDo = std::min<int64_t>(od + kPorcjaZapelnienia, 2 * v.DlugoscObrazu);
            zapelnioneDo = std::max<int64_t>(zapelnioneDo, v.PlikRef[d + 1]);
            v.Limit->Zapelnienie(od, zapelnioneDo);
        }
        if (DokumentZawiera(v, d, f, kotwica, roboczy.Sprawdzone.data(), czytane)) wynik[d] = 1;
        srednio += czytane - srednio / 8;
        if (v.Limit) v.Limit->Odczyt(v.PlikRef[d], v.PlikRef[d + 1]);
    }
    return true;
}

TSzybkieSzukanie::TSzybkieSzukanie(const TcMagazynIndeksu& m) {
    v_.N = m.N;
    v_.W = m.W;
    v_.PlikRef = m.PlikRef.data();
    if (int64_t(m.PlikRef.size()) != int64_t(m.N) + 2) return;
    if (!m.Aux.empty()) {
        v_.Aux = m.Aux.data();
        v_.DlugoscAux = int64_t(m.Aux.size());
    }
    if (m.NaDysku) {
        // The lists and the image stay in the files; only the touched pages are read.
        if (!img_.Wczytaj(m.Sciezka("tekst.img"), 0, TrybBledu::Cichy, TOdczytTablicy::NaZadanie)) return;
        if (!idx_.Wczytaj(m.Sciezka("slowo.idx"), 0, TrybBledu::Cichy, TOdczytTablicy::Losowo) && m.W > 0) return;
        v_.ZapowiadanieList = true;
        v_.Obraz = img_.data();
        v_.DlugoscObrazu = int64_t(img_.size());
        limit_.Poczatek(&img_, m.ProgPamieci);
        v_.Limit = &limit_;
        v_.SprawdzanieRuchu = true;
        v_.SlowoRef = m.SlowoRef.data();
        liczbaRef_ = m.SlowoRef.size();
        v_.Postingi = idx_.data();
        v_.LiczbaPostingow = int64_t(idx_.size());
        if (m.SlowoIdx.Otwarty()) v_.PlikList = &m.SlowoIdx;   // the store's, open for its own reads
        OtwarcieKrotkich(m);
    } else {
        v_.Obraz = m.Obraz.data();
        v_.DlugoscObrazu = int64_t(m.Obraz.size());
        if (!Struktura()) return;
        if (!ListyZeSlowoIdx(m) && !PrzejscieNaListyZObrazu()) return;
    }
    gotowe_ = Struktura() && Listy();
    magazyn_ = &m;
}

void TLimitObrazu::Poczatek(TTablicaPliku<uint16_t>* obraz, int64_t prog) {
    obraz_ = obraz;
    prog_ = prog;
    bloki_.assign(size_t(((int64_t(obraz->size()) * 2) >> kBitBloku) / 64 + 1), 0);
    zmapowane_ = 0;
}

void TLimitObrazu::Zapelnienie(int64_t od, int64_t do_) {
    Odczyt(od, do_);
    Zmapowanie(reinterpret_cast<const char*>(obraz_->data()) + od, size_t(do_ - od));
}

void TLimitObrazu::Zwolnienie() {
    obraz_->ZwolnienieStron();
    std::fill(bloki_.begin(), bloki_.end(), 0);
    zmapowane_ = 0;
}

// slowo.par, when it was made for this index; in memory mode also for this very image, which
// the store has hashed when it read slowo.spr.
void TSzybkieSzukanie::OtwarciePar() {
    paryOtwarte_ = true;
    const TcMagazynIndeksu& m = *magazyn_;
    TObrazSlow o;
    o.Obraz = v_.Obraz;
    o.Aux = v_.Aux;
    o.Dlugosc = v_.DlugoscObrazu;
    o.PlikRef = v_.PlikRef;
    o.SlowoRef = int64_t(m.SlowoRef.size()) == int64_t(m.W) + 2 ? m.SlowoRef.data() : nullptr;
    o.N = v_.N;
    o.W = v_.W;
    const uint64_t skrot = m.NaDysku ? 0 : m.SkrotObrazu();
    std::string powod;
    if (pary_.Otwarcie(m.Sciezka(PlikParSlow), o, skrot, powod)) v_.Pary = &pary_;
    else if (!powod.empty())
        std::fprintf(stderr, "%s: %s; phrases are searched without it\n", m.Sciezka(PlikParSlow).c_str(), powod.c_str());
}

// slowo.krt, read whole now, when the lists come from slowo.idx and it was made for this index;
// in memory mode its lists also match their checksums in slowo.spr.
void TSzybkieSzukanie::OtwarcieKrotkich(const TcMagazynIndeksu& m) {
    if (!v_.PlikList || int64_t(m.SlowoRef.size()) != int64_t(m.W) + 2) return;
    std::string powod;
    if (krotkie_.Otwarcie(m.Sciezka(PlikListKrotkich), v_.PlikRef, m.SlowoRef.data(), m.N, m.W, v_.SumyList, powod))
        v_.Krotkie = &krotkie_;
    else if (!powod.empty())
        std::fprintf(stderr, "%s: %s; rare words are read from slowo.idx\n", m.Sciezka(PlikListKrotkich).c_str(),
                     powod.c_str());
}

// Memory mode with slowo.spr: the lists mapped from slowo.idx, each checked when first read.
bool TSzybkieSzukanie::ListyZeSlowoIdx(const TcMagazynIndeksu& m) {
    if (m.SumyList.empty() || int64_t(m.SumyList.size()) != int64_t(m.W) + 1) return false;
    if (!idx_.Wczytaj(m.Sciezka("slowo.idx"), 0, TrybBledu::Cichy, TOdczytTablicy::Losowo) ||
        int64_t(idx_.size()) * 4 != m.SlowoRef[size_t(m.W) + 1])
        return false;
    v_.Postingi = idx_.data();
    v_.LiczbaPostingow = int64_t(idx_.size());
    v_.SlowoRef = m.SlowoRef.data();
    liczbaRef_ = m.SlowoRef.size();
    v_.ZapowiadanieList = true;
    v_.SumyList = m.SumyList.data();
    if (plikIdx_.Otworz(m.Sciezka("slowo.idx"))) v_.PlikList = &plikIdx_;
    OtwarcieKrotkich(m);
    return true;
}

bool TSzybkieSzukanie::PrzejscieNaListyZObrazu() {
    v_.SumyList = nullptr;
    v_.PlikList = nullptr;
    v_.Krotkie = nullptr;
    v_.ZapowiadanieList = false;
    if (!ListyZObrazu()) return false;
    v_.Postingi = postingi_.data();
    v_.LiczbaPostingow = int64_t(postingi_.size());
    v_.SlowoRef = slowoRef_.data();
    liczbaRef_ = slowoRef_.size();
    return true;
}

// The store checked every document run at load (ascending, even, at least a separator long,
// the last at the image's end, and in memory mode each ended by its separator) and every list
// offset (ascending, whole numbers): only what the mappings made since could change is checked
// here, so that the first search after opening does not walk a quarter of a million entries.
bool TSzybkieSzukanie::Struktura() const {
    const TWidokIndeksu& v = v_;
    const int64_t L = v.DlugoscObrazu;
    if (v.PlikRef[1] != 0 || int64_t(v.PlikRef[v.N + 1]) != 2 * L) return false;
    if (v.Aux && v.DlugoscAux * 4 < L) return false;
    return v.Aux || v.W < 65535;
}

bool TSzybkieSzukanie::Listy() const {
    const TWidokIndeksu& v = v_;
    return int64_t(liczbaRef_) == int64_t(v.W) + 2 && v.SlowoRef[1] == 0 &&
           int64_t(v.SlowoRef[v.W + 1]) == 4 * v.LiczbaPostingow;
}

// Memory mode builds its lists from the image it holds (one pass to count, one to fill), so
// they agree with the image by construction, whatever slowo.idx says. Each list ascends.
bool TSzybkieSzukanie::ListyZObrazu() {
    const TWidokIndeksu& v = v_;
    std::vector<int32_t> ostatni(size_t(v.W) + 2, 0);
    std::vector<int64_t> poczatek(size_t(v.W) + 2, 0);
    for (int pass = 0; pass < 2; ++pass) {
        for (int32_t d = 1; d <= v.N; ++d) {
            const int64_t a = v.PlikRef[d] / 2, b = v.PlikRef[d + 1] / 2 - 1;
            for (int64_t p = a; p < b; ++p) {
                const uint32_t w = Slowo(v, p);
                if (w == 0 || w > uint32_t(v.W)) return false;
                if (ostatni[w] == d) continue;
                ostatni[w] = d;
                if (pass == 0) ++poczatek[w + 1];
                else postingi_[size_t(poczatek[w]++)] = d;
            }
        }
        if (pass == 0) {
            // poczatek[w] becomes the start of word w's list, poczatek[W + 1] the total.
            for (int32_t w = 1; w <= v.W + 1; ++w) poczatek[size_t(w)] += poczatek[size_t(w) - 1];
            if (poczatek[size_t(v.W) + 1] * 4 > INT32_MAX) return false;
            postingi_.assign(size_t(poczatek[size_t(v.W) + 1]), 0);
            slowoRef_.assign(size_t(v.W) + 2, 0);
            for (int32_t w = 1; w <= v.W + 1; ++w) slowoRef_[size_t(w)] = int32_t(4 * poczatek[size_t(w)]);
            std::fill(ostatni.begin(), ostatni.end(), 0);
        }
    }
    return true;
}

bool TSzybkieSzukanie::Szukanie(const TFraza& fraza, TcTablicaLogiczna& wynik) {
    const int n = fraza.LiczbaSlow;
    if (!gotowe_ || n < 1 || n > kMaksSlowFrazy || wynik.Dlugosc() < v_.N + 1) return false;
    if (n >= 2 && !paryOtwarte_) OtwarciePar();
    try {
        return Wpisanie(fraza, wynik);
    } catch (const EParyUszkodzone& e) {
        // Nothing was set: phrases are searched from now on as without the file.
        std::fprintf(stderr, "%s: %s; phrases are searched without it\n", PlikParSlow, e.what());
        v_.Pary = nullptr;
        return Szukanie(fraza, wynik);
    } catch (const EListaNiezgodna& e) {
        // Nothing was set: the lists are built from the image, as without slowo.spr, and the
        // search runs again on them.
        std::fprintf(stderr, "slowo.idx: the list of word %d disagrees with %s; the posting lists are built from the image\n",
                     int(e.Slowo), PlikSumList);
        gotowe_ = PrzejscieNaListyZObrazu() && Listy();
        return gotowe_ && Wpisanie(fraza, wynik);
    }
}

// A set known to be empty, given only a short list's documents, learns where they are: a rare
// word's result is then cleared and listed in the time of its documents.
bool TSzybkieSzukanie::Wpisanie(const TFraza& fraza, TcTablicaLogiczna& wynik) {
    const bool ok = SzukanieFrazyWIndeksie(v_, fraza, wynik.Zapis(), roboczy_);
    if (ok && roboczy_.Ustawione) wynik.Miejsca(roboczy_.Ustawione, roboczy_.LiczbaUstawionych);
    return ok;
}
