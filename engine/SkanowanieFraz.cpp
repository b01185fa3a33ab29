#include "SkanowanieFraz.h"

#include <algorithm>
#include <climits>

#include "Analiza.h"
#include "MagazynIndeksu.h"
#include "RodzinyWyrazow.h"
#include "TablicaLogiczna.h"
#include "ZapisDanych.h"
#include "cp1250.h"
#include "mLib.h"

namespace {

constexpr int kBlok = 64;                   // image values tested per step of the vectorised scan
constexpr int64_t kPorcjaObrazu = 1 << 20;  // bytes of tekst.img per read in disk mode
constexpr int64_t kPrzerwaObrazu = 16384;    // non-candidate bytes worth reading to save a read
constexpr int32_t kPrzedPobranie = 16;      // documents ahead whose start is prefetched after a match
// A word number no list reaches (they have 18 bits): the range of a prefix with no word.
constexpr int32_t kPozaLista = INT32_MAX;

// Is any of the kBlok values at `x` inside [lo, lo + rozpietosc] (16-bit wrap-around)? Written
// without branches so that the compiler turns it into vector compares.
inline bool BlokZawiera(const uint16_t* x, uint16_t lo, uint16_t rozpietosc) {
    unsigned jest = 0;
    for (int i = 0; i < kBlok; ++i) jest |= static_cast<uint16_t>(x[i] - lo) <= rozpietosc;
    return jest != 0;
}

// All forms: the word stands for the words of its families, a span with the chosen ones marked.
bool DodanieForm(const TcMagazynIndeksu& m, const TcRodzinyWyrazow& rodziny, const std::string& token, TFraza& f) {
    const std::vector<int32_t> formy = FormySlowa(m, rodziny, token);
    if (formy.empty()) return false;
    const int32_t od = formy.front(), do_ = formy.back();
    const int32_t k = ++f.LiczbaSlow;
    f.Zakresy[size_t(k)] = TZakres{od, uint32_t(do_ - od)};
    if (formy.size() == size_t(do_ - od) + 1) return true;   // a run of neighbours: the range says it all
    std::vector<uint64_t>& b = f.Wybrane[size_t(k)];
    b.assign(size_t(do_ - od) / 64 + 1, 0);
    for (int32_t w : formy) b[size_t(w - od) >> 6] |= uint64_t(1) << ((w - od) & 63);
    return true;
}

void DodanieSlowa(const TcMagazynIndeksu& m, const std::string& token, TFraza& f, const TcRodzinyWyrazow* rodziny) {
    if (f.LiczbaSlow == -1) return;
    if (f.LiczbaSlow >= kMaksSlowFrazy) {   // no room for another range: the phrase is refused
        f.ZaDluga = true;
        f.LiczbaSlow = -1;
        return;
    }
    const size_t gwiazdka = token.find('*');
    if (rodziny && gwiazdka == std::string::npos && rodziny->LiczbaSlow() == m.W) {
        if (!DodanieForm(m, *rodziny, token, f)) f.LiczbaSlow = -1;   // no form in the list
        return;
    }
    int32_t od, do_;
    if (gwiazdka != std::string::npos) {
        const std::string prefiks = token.substr(0, gwiazdka);
        od = SzukanieSlowa(m, prefiks, 1);
        do_ = SzukanieSlowa(m, prefiks + '\xFF', -1);
    } else {
        od = do_ = SzukanieSlowa(m, token, 0);
    }
    if (od == 0) {   // no word of the list: the phrase matches nothing
        f.LiczbaSlow = -1;
        return;
    }
    if (od > do_) od = do_ = kPozaLista;
    f.Zakresy[size_t(++f.LiczbaSlow)] = TZakres{od, uint32_t(do_ - od)};
}

}  // namespace

// ---- Words of a phrase ----

int32_t SzukanieSlowa(const TcMagazynIndeksu& m, const std::string& tekst, int tryb) {
    const std::vector<std::string>& slowa = m.Slowa;
    int32_t lo = 1, hi = m.W + 1, mid = 0;
    int c = 0;
    do {
        mid = (lo + hi) / 2;
        c = PorownanieSlow(slowa[size_t(mid)], tekst);   // the order of slowo.dat
        if (c == -1) lo = mid + 1;
        else if (c == 1) hi = mid - 1;
    } while (hi >= lo && c != 0);

    int32_t wynik;
    if (c == 0 || c == tryb) wynik = mid;
    else if (tryb != 0) wynik = mid + tryb;
    else wynik = 0;
    if (tryb == 1 && wynik != 0 &&
        (wynik > m.W + 1 || !cp1250::startsWithNoCase(slowa[size_t(wynik)], tekst)))
        wynik = 0;
    return wynik;
}

std::vector<int32_t> FormySlowa(const TcMagazynIndeksu& m, const TcRodzinyWyrazow& rodziny, const std::string& slowo) {
    const int32_t numer = SzukanieSlowa(m, slowo, 0);
    return numer ? rodziny.Formy(numer) : rodziny.FormyTekstu(slowo);
}

// A phrase of more than kMaksSlowFrazy words is refused whatever its words: counted before
// any is looked up, so that an absent word does not hide the length.
TFraza AnalizaFrazy(const TcMagazynIndeksu& m, const std::string& fraza, const TcRodzinyWyrazow* rodziny) {
    TFraza f;
    const std::string duza = cp1250::upper(fraza);
    int32_t tokeny = 0;
    PodzialTekstu(duza, m.Znaki, [&](std::string_view t) {
        if (++tokeny > kMaksSlowFrazy) {
            f.ZaDluga = true;
            f.LiczbaSlow = -1;
            return;
        }
        DodanieSlowa(m, std::string(t), f, rodziny);
    });
    return f;
}

// ---- Memory mode ----

// Do the image's separators stand exactly where plik.ref puts the document ends? Then the
// memory scan may take document boundaries from plik.ref and skip the rest of a document once
// it matched; otherwise the scan walks the image value by value, as the separators say.
bool TSkanowanieFraz::ObrazZgodny() {
    if (stanObrazu_ >= 0) return stanObrazu_ == 1;
    const TcMagazynIndeksu& m = m_;
    const int64_t L = int64_t(m.Obraz.size());
    const TTablicaPliku<int32_t>& ref = m.PlikRef;
    bool zgodny = int64_t(ref.size()) == int64_t(m.N) + 2 && ref[1] == 0 && int64_t(ref[size_t(m.N) + 1]) == 2 * L &&
                  (m.Aux.empty() || int64_t(m.Aux.size()) * 4 >= L);
    for (int32_t d = 1; zgodny && d <= m.N; ++d) {
        const int64_t a = ref[size_t(d)], b = ref[size_t(d) + 1];
        zgodny = (b & 1) == 0 && b > a && b / 2 <= L && m.NumerSlowa(b / 2 - 1) == 0;
    }
    if (zgodny) {
        int64_t zera = 0;
        const uint16_t* obraz = m.Obraz.data();
        for (int64_t p = 0; p < L; ++p) zera += obraz[p] == 0;
        if (!m.Aux.empty() && zera != m.N) {
            zera = 0;
            for (int64_t p = 0; p < L; ++p) zera += obraz[p] == 0 && m.WysokieBity(p) == 0;
        }
        zgodny = zera == m.N;
    }
    stanObrazu_ = zgodny ? 1 : 0;
    return zgodny;
}

void TSkanowanieFraz::SzukanieWPamieci(const TFraza& fraza, TcTablicaLogiczna& wynik) {
    const TcMagazynIndeksu& m = m_;
    const int32_t n = fraza.LiczbaSlow;
    const int64_t L = int64_t(m.Obraz.size());
    if (L - n < 0) return;
    if (!ObrazZgodny()) {
        SzukanieWPamieciDoslowne(fraza, wynik);
        return;
    }
    for (int32_t k = 1; k <= n; ++k)
        if (fraza.Zakresy[size_t(k)].Od > m.W) return;   // a range past the list matches nothing
    uint8_t* const zapis = wynik.Zapis();

    const uint16_t* obraz = m.Obraz.data();
    const bool rozszerzone = !m.Aux.empty();
    const int32_t* ref = m.PlikRef.data();
    const int32_t N = m.N;
    const int64_t ostatni = L - n;   // last position where the phrase may start

    auto wZakresie = [&](int64_t p, int32_t k) {
        return fraza.Zawiera(k, rozszerzone ? m.NumerSlowa(p) : obraz[p]);
    };

    // The first word is searched on the low 16 bits; with tekst.aux a range of 65535 words or
    // more covers every low value, and each position is tested in full instead.
    const uint32_t rozpietosc = fraza.Zakresy[1].Rozpietosc;
    const bool filtr = !rozszerzone || rozpietosc < 65535;
    const uint16_t lo16 = uint16_t(fraza.Zakresy[1].Od & 0xFFFF);
    const uint16_t rozp16 = uint16_t(rozpietosc);

    int32_t d = 1;
    int64_t p = 0;
    while (p <= ostatni) {
        if (filtr) {
            while (p + kBlok <= ostatni + 1 && !BlokZawiera(obraz + p, lo16, rozp16)) p += kBlok;
            while (p <= ostatni && static_cast<uint16_t>(obraz[p] - lo16) > rozp16) ++p;
            if (p > ostatni) break;
        }
        bool traf = wZakresie(p, 1);
        for (int32_t k = 2; traf && k <= n; ++k) traf = wZakresie(p + k - 1, k);
        if (!traf) {
            ++p;
            continue;
        }
        // The document holding p: the last d with ref[d] <= 2p. Matches come in ascending order,
        // so d only moves forward; walking plik.ref costs at most N steps over the whole scan,
        // a sequential read, where halving would miss the cache on every match.
        while (d < N && int64_t(ref[d + 1]) <= 2 * p) ++d;
        zapis[size_t(d)] = 1;
        p = ref[d + 1] / 2;   // the rest of the document cannot add anything
        // Jumping from document to document defeats the hardware prefetcher: ask for the start
        // of a document a few ahead, which frequent words reach next.
        if (d + kPrzedPobranie <= N) {
            const char* przod = reinterpret_cast<const char*>(obraz + ref[d + kPrzedPobranie] / 2);
            __builtin_prefetch(przod);
            __builtin_prefetch(przod + 64);
            __builtin_prefetch(przod + 128);
            __builtin_prefetch(przod + 192);
        }
    }
}

// Value by value, counting separators: used when the image and plik.ref disagree, so that the
// disagreement is reported where the scan meets it.
void TSkanowanieFraz::SzukanieWPamieciDoslowne(const TFraza& fraza, TcTablicaLogiczna& wynik) {
    const TcMagazynIndeksu& m = m_;
    const int32_t n = fraza.LiczbaSlow;
    const int64_t L = int64_t(m.Obraz.size());
    if (!m.Aux.empty() && int64_t(m.Aux.size()) * 4 < L) mBladWewnetrzny("TfGlowne.SzukanieFrazy", 1);
    uint8_t* const zapis = wynik.Zapis();
    int32_t d = 1;
    for (int64_t p = 0; p <= L - n; ++p) {
        const uint32_t w = m.NumerSlowa(p);
        if (w == 0) {
            ++d;
            if (d > m.N + 1 || int64_t(m.PlikRef[size_t(d)]) != 2 * (p + 1))
                mBladWewnetrzny("TfGlowne.SzukanieFrazy", 1);
        } else if (fraza.Zawiera(1, w)) {
            bool traf = true;
            for (int32_t k = 2; traf && k <= n; ++k) traf = fraza.Zawiera(k, m.NumerSlowa(p + k - 1));
            if (traf) {
                if (d <= m.N) zapis[size_t(d)] = 1;
                p += n - 1;
            }
        }
    }
}

// ---- Disk mode ----

void TSkanowanieFraz::SzukanieNaDysku(const TFraza& fraza, TcTablicaLogiczna& wynik) {
    const TcMagazynIndeksu& m = m_;
    const int32_t n = fraza.LiczbaSlow;
    // The result (all false on entry) counts, per document, how many of the phrase's ranges in
    // a row it has been found in: range k lifts exactly the documents already at k - 1, so after
    // the last range the candidates are the entries equal to n. One byte per document suffices
    // (n <= 16), and no temporary set nor a pass per range is needed.
    uint8_t* t = wynik.Zapis();
    const int32_t dl = wynik.Dlugosc();
    for (int32_t k = 1; k <= n; ++k) {
        const int32_t od = fraza.Zakresy[size_t(k)].Od, do_ = std::min(fraza.Zakresy[size_t(k)].Do(), m.W);
        if (od < 1 || od > do_) {
            wynik.Wypelnienie(false);
            return;
        }
        const uint8_t przed = uint8_t(k - 1), po = uint8_t(k);
        fraza.Odcinki(k, [&](int32_t a, int32_t b) {
            a = std::max(a, od);
            b = std::min(b, do_);
            if (a > b) return;
            m.CzytajPostingi(a, b, [&](const int32_t* numery, size_t ile) {
                for (size_t i = 0; i < ile; ++i) {
                    const int32_t d = numery[i];
                    if (d > 0 && d < dl && t[d] == przed) t[d] = po;
                }
            });
        });
    }
    if (n > 1)
        for (int32_t d = 1; d < dl; ++d) t[d] = t[d] == n;
    if (n <= 1) return;

    // The image value at buffer index i, image position p: the low bits from the buffer, the
    // high bits from tekst.aux.
    const std::vector<uint16_t>& bufor = buforDokumentu_;
    auto numerSlowa = [&](int32_t i, int64_t p) { return uint32_t(bufor[size_t(i)]) | (m.WysokieBity(p) << 16); };

    // Candidates are read in batches: a run of candidate documents, with the short stretches
    // of other documents between them, comes in one read of tekst.img.
    const int32_t ostatni = std::min(wynik.Dlugosc() - 1, m.N);
    const int32_t* ref = m.PlikRef.data();
    int32_t d = 1;
    while (d <= ostatni) {
        if (!t[d]) {
            ++d;
            continue;
        }
        int32_t e = d;   // last candidate of the batch
        for (int32_t x = d + 1; x <= ostatni && int64_t(ref[x]) - ref[d] < kPorcjaObrazu; ++x) {
            if (!t[x]) continue;
            if (int64_t(ref[x]) - ref[e + 1] > kPrzerwaObrazu) break;
            e = x;
        }
        const int64_t od = ref[d], dl = int64_t(ref[e + 1]) - od;
        buforDokumentu_.resize(size_t(dl / 2));
        if (dl > 0) m.TekstImg.Czytaj(od, buforDokumentu_.data(), size_t(dl / 2) * 2);
        for (int32_t x = d; x <= e; ++x) {
            if (!t[x]) continue;
            t[x] = 0;
            const int64_t a = ref[x] / 2;                      // image position of the document
            const int32_t i0 = int32_t((ref[x] - od) / 2);     // its place in the buffer
            const int64_t c1 = (int64_t(ref[x + 1]) - ref[x]) / 2 - 1;   // values without the separator
            for (int64_t j = 0; j <= c1 - n; ++j) {
                const uint32_t w = numerSlowa(i0 + int32_t(j), a + j);
                if (w == 0) mBladWewnetrzny("TfGlowne.SzukanieNaDysku", 1);
                bool traf = fraza.Zawiera(1, w);
                for (int32_t k = 2; traf && k <= n; ++k)
                    traf = fraza.Zawiera(k, numerSlowa(i0 + int32_t(j + k - 1), a + j + k - 1));
                if (traf) {
                    t[x] = 1;
                    break;
                }
            }
        }
        d = e + 1;
    }
}
