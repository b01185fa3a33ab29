// The query object: phrase search over the word image (memory mode) or the posting lists and
// candidate documents (disk mode), the chamber and provision filters, the document records,
// and the run of a whole query.
#include "Zapytanie.h"

#include <algorithm>
#include <cstring>

#include "Analiza.h"
#include "ParserBool.h"
#include "ZapisDanych.h"
#include "SzybkieSkanowanie.h"
#include "bSlownikTxt.h"
#include "cp1250.h"
#include "mLib.h"

namespace {

constexpr int32_t kMaksSlowFrazy = 16;
constexpr int32_t kKoniecZbioru = 0x3ffff;   // Wyzerowanie's "up to the last entry"
constexpr int kBlok = 64;                   // image values tested per step of the vectorised scan
constexpr int64_t kPorcjaObrazu = 1 << 20;  // bytes of tekst.img per read in disk mode
constexpr int64_t kPrzerwaObrazu = 16384;    // non-candidate bytes worth reading to save a read
constexpr int32_t kPrzedPobranie = 16;      // documents ahead whose start is prefetched after a match

// Is any of the kBlok values at `x` inside [lo, lo + rozpietosc] (16-bit wrap-around)? Written
// without branches so that the compiler turns it into vector compares.
inline bool BlokZawiera(const uint16_t* x, uint16_t lo, uint16_t rozpietosc) {
    unsigned jest = 0;
    for (int i = 0; i < kBlok; ++i) jest |= static_cast<uint16_t>(x[i] - lo) <= rozpietosc;
    return jest != 0;
}

}  // namespace

// ---- Construction ----

TcZapytanie::TcZapytanie(const TOpcjeLadowania& opcje)
    : TcZapytanie(std::make_shared<TcMagazynIndeksu>(opcje), nullptr) {}

TcZapytanie::TcZapytanie(const TcZapytanie& zrodlo) : TcZapytanie(zrodlo.magazyn_, &zrodlo) {}

TcZapytanie::TcZapytanie(std::shared_ptr<TcMagazynIndeksu> magazyn, const TcZapytanie* zrodlo)
    : Wynik(zrodlo ? zrodlo->Wynik.Dlugosc() : magazyn->N + 1),
      ZbiorPrzepisu(Wynik.Dlugosc()),
      ZbiorIzby(Wynik.Dlugosc()),
      ZbiorRaportu(Wynik.Dlugosc()),
      magazyn_(std::move(magazyn)) {
    if (zrodlo) {
        Znaki = zrodlo->Znaki;
        NaDysku = zrodlo->NaDysku;
        PoczatekPism = zrodlo->PoczatekPism;
        PoczatekTez = zrodlo->PoczatekTez;
        KoniecTez = zrodlo->KoniecTez;
        Kopia = true;
        ladujacy_ = zrodlo->ladujacy_;
    } else {
        Znaki = magazyn_->Znaki;
        NaDysku = magazyn_->NaDysku;
        PoczatekPism = magazyn_->PoczatekPism;
        PoczatekTez = magazyn_->PoczatekTez;
        KoniecTez = magazyn_->KoniecTez;
        ladujacy_ = this;
    }
}

// The store's files close with the store, when its last holder goes; the counting copy is
// destroyed first and so never closes them under the loading object.
TcZapytanie::~TcZapytanie() = default;

int32_t TcZapytanie::LiczbaDokumentow() const { return magazyn_->N; }

// ---- Word look-up ----

int32_t TcZapytanie::SzukanieSlowa(const std::string& tekst, int tryb) const {
    const std::vector<std::string>& slowa = magazyn_->Slowa;
    int32_t lo = 1, hi = magazyn_->W + 1, mid = 0;
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
        (wynik > magazyn_->W + 1 || !cp1250::startsWithNoCase(slowa[size_t(wynik)], tekst)))
        wynik = 0;
    return wynik;
}

void TcZapytanie::DodanieSlowaFrazy(const std::string& token) {
    if (LiczbaSlow == -1) return;
    if (LiczbaSlow >= kMaksSlowFrazy) {   // Zakresy has no room: the phrase is refused
        frazaZaDluga_ = true;
        LiczbaSlow = -1;
        return;
    }
    const size_t gwiazdka = token.find('*');
    ++LiczbaSlow;
    TZakres& z = Zakresy[size_t(LiczbaSlow)];
    if (gwiazdka != std::string::npos) {
        const std::string prefiks = token.substr(0, gwiazdka);
        z.Od = SzukanieSlowa(prefiks, 1);
        z.Do = SzukanieSlowa(prefiks + '\xFF', -1);
        if (z.Od == 0) LiczbaSlow = -1;
    } else {
        z.Od = z.Do = SzukanieSlowa(token, 0);
        if (z.Od == 0) LiczbaSlow = -1;
    }
}

uint32_t TcZapytanie::NumerSlowa(int64_t pozycja) const { return magazyn_->NumerSlowa(pozycja); }

uint32_t TcZapytanie::NumerSlowaNaDysku(int32_t indeksBufora, int64_t pozycja) const {
    return uint32_t(buforDokumentu_[size_t(indeksBufora)]) | (magazyn_->WysokieBity(pozycja) << 16);
}

// ---- Phrase search ----

void TcZapytanie::SzukanieFrazy(const std::string& fraza, TcTablicaLogiczna& wynik) {
    LiczbaSlow = 0;
    frazaZaDluga_ = false;
    const std::string duza = cp1250::upper(fraza);
    int32_t tokeny = 0;
    PodzialTekstu(duza, magazyn_->Znaki, [&](std::string_view t) {
        if (++tokeny > kMaksSlowFrazy) {
            frazaZaDluga_ = true;
            LiczbaSlow = -1;
            return;
        }
        DodanieSlowaFrazy(std::string(t));
    });
    wynik.Wypelnienie(false);
    // Posting lists narrow a phrase to its candidate documents: built once from the image in
    // memory mode, mapped with the image from slowo.idx and tekst.img in disk mode. They
    // decline (and the plain search runs) when the image disagrees with plik.ref, which the
    // plain search then reports, or when the files cannot be mapped.
    if (ListyWPamieci && LiczbaSlow >= 1) {
        if (!szybkie_) szybkie_ = std::make_unique<TSzybkieSzukanie>(*magazyn_);
        if (szybkie_->Szukanie(Zakresy.data(), LiczbaSlow, wynik)) return;
    }
    if (magazyn_->NaDysku) {
        SzukanieNaDysku(wynik);
        return;
    }
    if (LiczbaSlow < 1) return;
    SzukanieWPamieci(wynik);
}

// Do the image's separators stand exactly where plik.ref puts the document ends? Then the
// memory scan may take document boundaries from plik.ref and skip the rest of a document once
// it matched; otherwise the scan walks the image value by value, as the separators say.
bool TcZapytanie::ObrazZgodny() {
    if (stanObrazu_ >= 0) return stanObrazu_ == 1;
    const TcMagazynIndeksu& m = *magazyn_;
    const int64_t L = int64_t(m.Obraz.size());
    const std::vector<int32_t>& ref = m.PlikRef;
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

void TcZapytanie::SzukanieWPamieci(TcTablicaLogiczna& wynik) {
    const TcMagazynIndeksu& m = *magazyn_;
    const int32_t n = LiczbaSlow;
    const int64_t L = int64_t(m.Obraz.size());
    if (L - n < 0) return;
    if (!ObrazZgodny()) {
        SzukanieWPamieciDoslowne(wynik);
        return;
    }
    for (int32_t k = 1; k <= n; ++k)
        if (Zakresy[size_t(k)].Od > Zakresy[size_t(k)].Do) return;   // an empty range matches nothing

    const uint16_t* obraz = m.Obraz.data();
    const bool rozszerzone = !m.Aux.empty();
    const int32_t* ref = m.PlikRef.data();
    const int32_t N = m.N;
    const int64_t ostatni = L - n;   // last position where the phrase may start

    auto wZakresie = [&](int64_t p, int32_t k) {
        const uint32_t w = rozszerzone ? m.NumerSlowa(p) : obraz[p];
        return w - uint32_t(Zakresy[size_t(k)].Od) <= uint32_t(Zakresy[size_t(k)].Do - Zakresy[size_t(k)].Od);
    };

    // The first word is searched on the low 16 bits; with tekst.aux a range of 65535 words or
    // more covers every low value, and each position is tested in full instead.
    const uint32_t rozpietosc = uint32_t(Zakresy[1].Do - Zakresy[1].Od);
    const bool filtr = !rozszerzone || rozpietosc < 65535;
    const uint16_t lo16 = uint16_t(Zakresy[1].Od & 0xFFFF);
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
        wynik.Dane[size_t(d)] = 1;
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
void TcZapytanie::SzukanieWPamieciDoslowne(TcTablicaLogiczna& wynik) {
    const TcMagazynIndeksu& m = *magazyn_;
    const int32_t n = LiczbaSlow;
    const int64_t L = int64_t(m.Obraz.size());
    if (!m.Aux.empty() && int64_t(m.Aux.size()) * 4 < L) mBladWewnetrzny("TfGlowne.SzukanieFrazy", 1);
    auto wZakresie = [&](uint32_t w, int32_t k) {
        return int64_t(w) >= Zakresy[size_t(k)].Od && int64_t(w) <= Zakresy[size_t(k)].Do;
    };
    int32_t d = 1;
    for (int64_t p = 0; p <= L - n; ++p) {
        const uint32_t w = m.NumerSlowa(p);
        if (w == 0) {
            ++d;
            if (d > m.N + 1 || int64_t(m.PlikRef[size_t(d)]) != 2 * (p + 1))
                mBladWewnetrzny("TfGlowne.SzukanieFrazy", 1);
        } else if (wZakresie(w, 1)) {
            bool traf = true;
            for (int32_t k = 2; traf && k <= n; ++k) traf = wZakresie(m.NumerSlowa(p + k - 1), k);
            if (traf) {
                if (d <= m.N) wynik.Dane[size_t(d)] = 1;
                p += n - 1;
            }
        }
    }
}

void TcZapytanie::SzukanieNaDysku(TcTablicaLogiczna& wynik) {
    const TcMagazynIndeksu& m = *magazyn_;
    const int32_t n = LiczbaSlow;
    // The result (all false on entry) counts, per document, how many of the phrase's ranges in
    // a row it has been found in: range k lifts exactly the documents already at k - 1, so after
    // the last range the candidates are the entries equal to n. One byte per document suffices
    // (n <= 16), and no temporary set nor a pass per range is needed.
    uint8_t* t = wynik.Dane.data();
    const int32_t dl = wynik.Dlugosc();
    for (int32_t k = 1; k <= n; ++k) {
        const int32_t od = Zakresy[size_t(k)].Od, do_ = std::min(Zakresy[size_t(k)].Do, m.W);
        if (od < 1 || od > do_) {
            wynik.Wypelnienie(false);
            return;
        }
        const uint8_t przed = uint8_t(k - 1), po = uint8_t(k);
        m.CzytajPostingi(od, do_, [&](const int32_t* numery, size_t ile) {
            for (size_t i = 0; i < ile; ++i) {
                const int32_t d = numery[i];
                if (d > 0 && d < dl && t[d] == przed) t[d] = po;
            }
        });
    }
    if (n > 1)
        for (int32_t d = 1; d < dl; ++d) t[d] = t[d] == n;
    if (n <= 1) return;

    // Candidates are read in batches: a run of candidate documents, with the short stretches
    // of other documents between them, comes in one read of tekst.img.
    const int32_t ostatni = std::min(wynik.Dlugosc() - 1, m.N);
    const int32_t* ref = m.PlikRef.data();
    int32_t d = 1;
    while (d <= ostatni) {
        if (!wynik.Dane[size_t(d)]) {
            ++d;
            continue;
        }
        int32_t e = d;   // last candidate of the batch
        for (int32_t x = d + 1; x <= ostatni && int64_t(ref[x]) - ref[d] < kPorcjaObrazu; ++x) {
            if (!wynik.Dane[size_t(x)]) continue;
            if (int64_t(ref[x]) - ref[e + 1] > kPrzerwaObrazu) break;
            e = x;
        }
        const int64_t od = ref[d], dl = int64_t(ref[e + 1]) - od;
        buforDokumentu_.resize(size_t(dl / 2));
        if (dl > 0) m.TekstImg.Czytaj(od, buforDokumentu_.data(), size_t(dl / 2) * 2);
        for (int32_t x = d; x <= e; ++x) {
            if (!wynik.Dane[size_t(x)]) continue;
            wynik.Dane[size_t(x)] = 0;
            const int64_t a = ref[x] / 2;                      // image position of the document
            const int32_t i0 = int32_t((ref[x] - od) / 2);     // its place in the buffer
            const int64_t c1 = (int64_t(ref[x + 1]) - ref[x]) / 2 - 1;   // values without the separator
            for (int64_t j = 0; j <= c1 - n; ++j) {
                const uint32_t w = NumerSlowaNaDysku(i0 + int32_t(j), a + j);
                if (w == 0) mBladWewnetrzny("TfGlowne.SzukanieNaDysku", 1);
                bool traf = int64_t(w) >= Zakresy[1].Od && int64_t(w) <= Zakresy[1].Do;
                for (int32_t k = 2; traf && k <= n; ++k) {
                    const int64_t v = NumerSlowaNaDysku(i0 + int32_t(j + k - 1), a + j + k - 1);
                    traf = v >= Zakresy[size_t(k)].Od && v <= Zakresy[size_t(k)].Do;
                }
                if (traf) {
                    wynik.Dane[size_t(x)] = 1;
                    break;
                }
            }
        }
        d = e + 1;
    }
}

// ---- Filters ----

void TcZapytanie::SzukanieGrupy(const std::vector<int32_t>& mix, int32_t pozycja, int32_t numer,
                                const char* gdzie, TcTablicaLogiczna& zbior) {
    zbior.Wypelnienie(false);
    if (pozycja == -1) return;
    if (!magazyn_->WypelnienieGrupy(mix, pozycja, numer, zbior)) mBladWewnetrzny(gdzie, 1, '\r');
}

void TcZapytanie::SzukanieIzby(int32_t numer, TcTablicaLogiczna& zbior) {
    const int32_t pozycja = SlownikIzb ? SlownikIzb->PozycjaWgNumeru(numer) : -1;
    SzukanieGrupy(magazyn_->IzbyMix, pozycja, numer, "TcZapytanie.SzukanieIzby", zbior);
}

void TcZapytanie::SzukaniePrzepisu(int32_t numer, TcTablicaLogiczna& zbior) {
    const int32_t pozycja = SlownikPrzepisow ? SlownikPrzepisow->PozycjaWgNumeru(numer) : -1;
    SzukanieGrupy(magazyn_->PrzepisyMix, pozycja, numer, "TcZapytanie.SzukaniePrzepisu", zbior);
}

// ---- The query ----

bool TcZapytanie::WykonanieZapytania() {
    if (!Parser) mBladWewnetrzny("TcZapytanie.WykonanieZapytania", 1);
    const int32_t dl = Wynik.Dlugosc();

    // The additional condition is checked alone, into a scratch set: a wrong one leaves the
    // current result exactly as it was. The scratch is kept between queries (every evaluation
    // writes all its entries), so a query allocates nothing of the set's size.
    TcTablicaLogiczna& roboczy = roboczy_;
    if (roboczy.Dlugosc() != dl) roboczy.Dane.assign(size_t(dl), 0);
    if (!WarunekDodatkowy.empty() && !Parser->AnalizaWarunku(WarunekDodatkowy, roboczy)) return false;

    std::string pelny;
    if (!Warunek.empty()) {
        size_t a = 0, b = Warunek.size();
        while (a < b && static_cast<unsigned char>(Warunek[a]) <= ' ') ++a;
        while (b > a && static_cast<unsigned char>(Warunek[b - 1]) <= ' ') --b;
        pelny = Warunek.substr(a, b - a);
        if (!WarunekDodatkowy.empty()) {
            // An unclosed quote makes the additional condition's last phrase run to its end. Joined
            // as it is, that phrase would swallow the closing parenthesis and turn a condition that
            // passed the check into an internal error; closed here, it keeps the same phrase.
            std::string dodatkowy = WarunekDodatkowy;
            if (std::count(dodatkowy.begin(), dodatkowy.end(), '"') % 2 != 0) dodatkowy += '"';
            pelny = "( " + pelny + " ) AND ( " + dodatkowy + " )";
        }
    } else {
        pelny = WarunekDodatkowy;
    }
    pelny = mControlToSpaces(pelny);

    if (!pelny.empty()) {
        if (!Parser->AnalizaWarunku(pelny, roboczy)) {
            // Only the standard condition can be wrong here; a phrase too long for the search is
            // the user's error, anything else the program's.
            if (ladujacy_ && ladujacy_->FrazaZaDluga()) return false;
            mBladWewnetrznyTekst(PL("bebłąd !!!"));
        }
    } else {
        roboczy.Wypelnienie(true);
    }

    // A filter of "every document" is filled with true once and stays so until a chamber or
    // provision fills it otherwise; it changes nothing, so its pass over the set is skipped too.
    // The report restriction is taken only when the search is restricted to the report.
    const auto Wszystkie = [](TcTablicaLogiczna& zbior, bool& pelny) {
        if (!pelny) zbior.Wypelnienie(true);
        pelny = true;
    };
    if (Izba != 0) {
        SzukanieIzby(Izba, ZbiorIzby);
        izbyWszystkie_ = false;
        roboczy.Iloczyn(ZbiorIzby);
    } else {
        Wszystkie(ZbiorIzby, izbyWszystkie_);
    }
    if (Przepis != 0) {
        SzukaniePrzepisu(Przepis, ZbiorPrzepisu);
        przepisyWszystkie_ = false;
        roboczy.Iloczyn(ZbiorPrzepisu);
    } else {
        Wszystkie(ZbiorPrzepisu, przepisyWszystkie_);
    }
    if (TylkoDoRaportu) {
        if (!Raport.empty()) {
            ZbiorRaportu.Dane = Wynik.Dane;
            raportWszystkie_ = false;
            roboczy.Iloczyn(ZbiorRaportu);
        } else {
            Wszystkie(ZbiorRaportu, raportWszystkie_);
        }
    }
    if (!Interpretacja) {
        roboczy.Wyzerowanie(1, PoczatekPism - 1);
        roboczy.Wyzerowanie(KoniecTez + 1, kKoniecZbioru);
    }
    if (!PismoMinisterstwa) roboczy.Wyzerowanie(PoczatekPism, PoczatekTez - 1);
    if (!TezaOrzeczenia) roboczy.Wyzerowanie(PoczatekTez, KoniecTez);

    WarunekPelny = std::move(pelny);
    Wynik.Dane.swap(roboczy.Dane);
    Raport.assign(1, 'X');
    return true;
}

// ---- Records and acts ----

TDokument TcZapytanie::OdczytanieDokumentu(int32_t numer) const {
    if (numer < 1 || numer > magazyn_->N) mBladWewnetrzny("TcZapytanie.OdczytanieDokumentu", 1);
    std::string rekord;
    magazyn_->CzytajRekord(numer, rekord);
    if (rekord.size() < 4) mBladWewnetrzny("TcZapytanie.OdczytanieDokumentu", 2);
    SzyfrowanieRekordu(rekord.data(), rekord.size());
    TDokument dok;
    for (int i = 3; i >= 0; --i) dok.Data = (dok.Data << 8) | static_cast<unsigned char>(rekord[size_t(i)]);
    dok.Tekst.assign(rekord, 4, std::string::npos);
    return dok;
}

void TcZapytanie::WczytanieAktu(const std::string& stem) { magazyn_->WczytanieAktu(stem); }

std::string TcZapytanie::OdczytanieFraz(int32_t pozycja) const { return magazyn_->OdczytanieFraz(pozycja); }
