#include "SzybkieSkanowanie.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>

#include "MagazynIndeksu.h"
#include "TablicaLogiczna.h"
#include "Zapytanie.h"
#include "cp1250.h"
#include "mLib.h"

TPlikZmapowany::~TPlikZmapowany() {
    if (dane_) munmap(dane_, size_t(rozmiar_));
}

bool TPlikZmapowany::Mapuj(const std::string& sciezka) {
    const int fd = open(sciezka.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = fstat(fd, &st) == 0;
    if (ok && st.st_size > 0) {
        void* p = mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_SHARED, fd, 0);
        ok = p != MAP_FAILED;
        if (ok) {
            dane_ = p;
            rozmiar_ = st.st_size;
        }
    }
    close(fd);
    return ok;
}

namespace {

inline uint32_t Slowo(const TWidokIndeksu& v, int64_t p) {
    uint32_t w = v.Obraz[p];
    if (v.Aux) w |= uint32_t((v.Aux[p >> 2] >> (2 * (p & 3))) & 3) << 16;
    return w;
}

constexpr int kBlok = 32;   // image values tested per step of the vectorised scan

// Does any of the kBlok places hold the anchor (x) with its neighbour (y) both in range? A
// 16-bit OR-reduction, so that the compiler vectorises it.
inline bool BlokPary(const uint16_t* x, const uint16_t* y, uint16_t lo, uint16_t rozp, uint16_t lo2,
                     uint16_t rozp2) {
    uint16_t jest = 0;
    for (int i = 0; i < kBlok; ++i)
        jest |= uint16_t(uint16_t(uint16_t(x[i] - lo) <= rozp) & uint16_t(uint16_t(y[i] - lo2) <= rozp2));
    return jest != 0;
}

struct TPrzebieg {   // one word range and its run of postings
    uint32_t Od = 0, Rozpietosc = 0;
    int64_t Poczatek = 0, Dlugosc = 0;
    int Pozycja = 0;   // the word's place in the phrase
};

// The first place j in [od, do_] where the anchor (the phrase's rarest word, standing at its
// place r in the phrase) occurs with every other word around it; -1 when none. Without
// tekst.aux the image is tested 32 values at a time for the anchor together with its
// neighbour in the phrase, which vectorises and lets few places through to the full test.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("avx2", "default")))
#endif
int64_t PierwszeWystapienie(const TWidokIndeksu& v, int64_t od, int64_t do_, const TPrzebieg* zakresy, int n,
                            const TPrzebieg& kotwica) {
    const int r = kotwica.Pozycja;
    auto pasuje = [&](int64_t j) {
        const int64_t p = j - r;
        for (int k = 0; k < n; ++k)
            if (Slowo(v, p + k) - zakresy[k].Od > zakresy[k].Rozpietosc) return false;
        return true;
    };
    if (!v.Aux) {
        // Word numbers fit 16 bits: every range does too.
        const int s = n == 1 ? 0 : (r + 1 < n ? 1 : -1);   // the neighbour's offset from the anchor
        const TPrzebieg& sasiad = zakresy[r + s];
        const uint16_t lo = uint16_t(kotwica.Od), rozp = uint16_t(kotwica.Rozpietosc);
        const uint16_t lo2 = uint16_t(sasiad.Od), rozp2 = uint16_t(sasiad.Rozpietosc);
        const uint16_t* x = v.Obraz;
        const uint16_t* y = v.Obraz + s;   // stays inside the image: j + s is a place of the phrase
        int64_t j = od;
        while (j <= do_) {
            if (j + kBlok <= do_ + 1) {
                if (!BlokPary(x + j, y + j, lo, rozp, lo2, rozp2)) {
                    j += kBlok;
                    continue;
                }
            }
            const int64_t koniec = std::min(j + kBlok, do_ + 1);
            for (; j < koniec; ++j)
                if (uint16_t(x[j] - lo) <= rozp && uint16_t(y[j] - lo2) <= rozp2 && pasuje(j)) return j;
        }
        return -1;
    }
    for (int64_t j = od; j <= do_; ++j)
        if (Slowo(v, j) - kotwica.Od <= kotwica.Rozpietosc && pasuje(j)) return j;
    return -1;
}

// Does document d hold the phrase?
bool DokumentZawiera(const TWidokIndeksu& v, int32_t d, const TPrzebieg* zakresy, int n, const TPrzebieg& kotwica) {
    const int64_t a = v.PlikRef[d] / 2, b = v.PlikRef[d + 1] / 2 - 1;   // [a, b): the run without its separator
    if (v.SprawdzanieRuchu && (b >= v.DlugoscObrazu || Slowo(v, b) != 0))
        throw ECorruptIndex(PL("Uszkodzony plik indeksu 'tekst.img'."));
    if (b - a < n) return false;
    return PierwszeWystapienie(v, a + kotwica.Pozycja, b - n + kotwica.Pozycja, zakresy, n, kotwica) >= 0;
}

}  // namespace

bool SzukanieFrazyWIndeksie(const TWidokIndeksu& v, const int32_t* od, const int32_t* do_, int n, uint8_t* wynik,
                            std::vector<uint8_t>& roboczy) {
    if (n < 1 || n > 16) return false;
    std::array<TPrzebieg, 16> zakresy{};
    for (int k = 0; k < n; ++k) {
        const int32_t a = std::max(od[k], 1), b = std::min(do_[k], v.W);
        if (a > b) return true;   // a word no document holds
        TPrzebieg& z = zakresy[size_t(k)];
        z.Od = uint32_t(a);
        z.Rozpietosc = uint32_t(b - a);
        z.Poczatek = v.SlowoRef[a] / 4;
        z.Dlugosc = v.SlowoRef[b + 1] / 4 - z.Poczatek;
        z.Pozycja = k;
    }
    const int32_t N = v.N;
    auto numer = [&](int64_t i) {
        const int32_t d = v.Postingi[i];
        if (d < 1 || d > N) throw ECorruptIndex(PL("Uszkodzony plik indeksu 'slowo.idx'."));
        return d;
    };
    if (n == 1) {
        const TPrzebieg& z = zakresy[0];
        for (int64_t i = z.Poczatek; i < z.Poczatek + z.Dlugosc; ++i) wynik[numer(i)] = 1;
        return true;
    }

    // Candidates: documents in the lists of every word, the rarest list first. A document
    // listed twice in one range (a prefix's words) climbs only once: it must stand at k to
    // reach k + 1.
    std::array<TPrzebieg, 16> kolejne = zakresy;
    std::sort(kolejne.begin(), kolejne.begin() + n,
              [](const TPrzebieg& x, const TPrzebieg& y) { return x.Dlugosc < y.Dlugosc; });
    if (roboczy.size() < size_t(N) + 1) roboczy.assign(size_t(N) + 1, 0);
    uint8_t* c = roboczy.data();
    const TPrzebieg& kotwica = kolejne[0];
    for (int64_t i = kotwica.Poczatek; i < kotwica.Poczatek + kotwica.Dlugosc; ++i) c[numer(i)] = 1;
    for (int k = 1; k < n; ++k) {
        const TPrzebieg& z = kolejne[size_t(k)];
        for (int64_t i = z.Poczatek; i < z.Poczatek + z.Dlugosc; ++i) {
            uint8_t& s = c[numer(i)];
            if (s == k) s = uint8_t(k + 1);
        }
    }
    // The candidates, each once; the scratch is left zero.
    std::vector<int32_t> kandydaci;
    for (int64_t i = kotwica.Poczatek; i < kotwica.Poczatek + kotwica.Dlugosc; ++i) {
        const int32_t d = v.Postingi[i];
        if (c[d] == n) kandydaci.push_back(d);
        c[d] = 0;
    }
    // Confirm adjacency in the candidates only, the start of the candidate after next already on
    // its way into the cache. Even when the candidates are most of the image this beats one
    // pass over all of it: each candidate's run is read only up to the phrase's first place.
    const size_t ile = kandydaci.size();
    for (size_t i = 0; i < ile; ++i) {
        if (i + 2 < ile) {
            const char* nastepny = reinterpret_cast<const char*>(v.Obraz + v.PlikRef[kandydaci[i + 2]] / 2);
            for (int k = 0; k < 4; ++k) __builtin_prefetch(nastepny + 64 * k);
        }
        if (DokumentZawiera(v, kandydaci[i], zakresy.data(), n, kotwica)) wynik[kandydaci[i]] = 1;
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
        if (!img_.Mapuj(m.Sciezka("tekst.img"))) return;
        if (!idx_.Mapuj(m.Sciezka("slowo.idx")) && m.W > 0) return;
        v_.Obraz = static_cast<const uint16_t*>(img_.Dane());
        v_.DlugoscObrazu = img_.Rozmiar() / 2;
        v_.SprawdzanieRuchu = true;
        slowoRef_ = m.SlowoRef;
        v_.Postingi = static_cast<const int32_t*>(idx_.Dane());
        v_.LiczbaPostingow = idx_.Rozmiar() / 4;
    } else {
        v_.Obraz = m.Obraz.data();
        v_.DlugoscObrazu = int64_t(m.Obraz.size());
        if (!Struktura() || !ListyZObrazu()) return;
        v_.Postingi = postingi_.data();
        v_.LiczbaPostingow = int64_t(postingi_.size());
    }
    v_.SlowoRef = slowoRef_.data();
    gotowe_ = Struktura() && Listy();
}

// Document runs: ascending, even, the last at the image's end; in memory mode each ended by
// its separator (disk mode checks a candidate's separator when it reads the run).
bool TSzybkieSzukanie::Struktura() const {
    const TWidokIndeksu& v = v_;
    const int64_t L = v.DlugoscObrazu;
    if (v.PlikRef[1] != 0 || int64_t(v.PlikRef[v.N + 1]) != 2 * L) return false;
    if (v.Aux && v.DlugoscAux * 4 < L) return false;
    if (!v.Aux && v.W >= 65535) return false;
    for (int32_t d = 1; d <= v.N; ++d) {
        const int64_t a = v.PlikRef[d], b = v.PlikRef[d + 1];
        if ((b & 1) || b <= a || (!v.SprawdzanieRuchu && Slowo(v, b / 2 - 1) != 0)) return false;
    }
    return true;
}

// Word lists: ascending offsets, whole numbers, the last at the end of the postings.
bool TSzybkieSzukanie::Listy() const {
    const TWidokIndeksu& v = v_;
    if (int64_t(slowoRef_.size()) != int64_t(v.W) + 2 || v.SlowoRef[1] != 0 ||
        int64_t(v.SlowoRef[v.W + 1]) != 4 * v.LiczbaPostingow)
        return false;
    for (int32_t w = 1; w <= v.W; ++w)
        if (v.SlowoRef[w + 1] < v.SlowoRef[w] || (v.SlowoRef[w] & 3)) return false;
    return true;
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

bool TSzybkieSzukanie::Szukanie(const TZakres* zakresy, int n, TcTablicaLogiczna& wynik) {
    std::array<int32_t, 16> od{}, do_{};
    for (int k = 0; k < n && k < 16; ++k) {
        od[size_t(k)] = zakresy[k + 1].Od;
        do_[size_t(k)] = zakresy[k + 1].Do;
    }
    if (!gotowe_ || n < 1 || n > 16 || wynik.Dlugosc() < v_.N + 1) return false;
    return SzukanieFrazyWIndeksie(v_, od.data(), do_.data(), n, wynik.Dane.data(), roboczy_);
}
