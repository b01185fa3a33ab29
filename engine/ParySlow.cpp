#include "ParySlow.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "Skrot.h"

namespace {

constexpr char kZnak[8] = {'B', 'E', 'L', 'V', 'P', 'A', 'R', '1'};
constexpr size_t kNaglowek = 72;
constexpr size_t kPokryteNaglowkiem = 64;   // the header's bytes its own hash covers

struct TNaglowek {
    char Znak[8];
    uint32_t N, W;
    uint64_t P, BajtyObrazu, SkrotObrazu, SkrotPlikRef, SkrotSlowoRef, BajtyDanych, Skrot;
};
static_assert(sizeof(TNaglowek) == kNaglowek);

constexpr uint64_t Do8(uint64_t x) { return (x + 7) / 8 * 8; }

// Where each section starts, for W words and P pairs.
struct TUklad {
    uint64_t Od, SumyBlokow, Drugie, Df, Sumy, Przes, Dane;
    TUklad(uint64_t W, uint64_t P) {
        Od = kNaglowek;
        SumyBlokow = Od + 8 * (W + 2);
        Drugie = SumyBlokow + 8 * (W + 1);
        Df = Drugie + Do8(4 * P);
        Sumy = Df + Do8(4 * P);
        Przes = Sumy + Do8(4 * P);
        Dane = Przes + 8 * (P + 1);
    }
};

// A block's hash covers where it lies (its entries of Od) as well as its entries, so that Od
// is checked a block at a time as searches reach it.
uint64_t SkrotBloku(const uint64_t* od, const uint32_t* drugie, const uint32_t* df, const uint32_t* sumy,
                    const uint64_t* przes, uint64_t w1) {
    const uint64_t p0 = od[w1], p1 = od[w1 + 1];
    uint64_t h = mSkrot64(od + w1, 16, w1);
    h = mSkrot64(drugie + p0, 4 * (p1 - p0), h);
    h = mSkrot64(df + p0, 4 * (p1 - p0), h);
    h = mSkrot64(sumy + p0, 4 * (p1 - p0), h);
    return mSkrot64(przes + p0, 8 * (p1 - p0 + 1), h);
}

uint32_t SumaListy(const uint8_t* lista, size_t bajty, uint32_t df) { return uint32_t(mSkrot64(lista, bajty, df)); }

// A set of pairs as 64-bit keys (first word above, second below; never 0, as no word is 0),
// each with a 32-bit value and the last document that met it: open addressing, linear probing,
// doubled at half full. All share a slot, so that a lookup costs one cache miss.
class TMapaPar {
public:
    struct TMiejsce {
        uint64_t Klucz = 0;
        uint32_t Wartosc = 0;
        int32_t Ostatni = 0;
    };
    TMapaPar() { Rozmiar(1 << 16); }
    TMiejsce& operator[](uint64_t klucz) {
        TMiejsce* m = Miejsce(klucz);
        if (m->Klucz == 0) {
            if (2 * (ile_ + 1) > miejsca_.size()) {
                Rozmiar(2 * miejsca_.size());
                m = Miejsce(klucz);
            }
            *m = TMiejsce{klucz, 0, 0};
            ++ile_;
        }
        return *m;
    }
    template <class F>
    void Kazdy(F&& f) {
        for (TMiejsce& m : miejsca_)
            if (m.Klucz != 0) f(m);
    }
    size_t Ile() const { return ile_; }

private:
    TMiejsce* Miejsce(uint64_t k) {
        const size_t maska = miejsca_.size() - 1;
        size_t i = size_t((k * 0x9E3779B97F4A7C15ull) >> 20) & maska;
        while (miejsca_[i].Klucz != 0 && miejsca_[i].Klucz != k) i = (i + 1) & maska;
        return &miejsca_[i];
    }
    void Rozmiar(size_t n) {
        std::vector<TMiejsce> stare(n);
        stare.swap(miejsca_);
        for (const TMiejsce& m : stare)
            if (m.Klucz != 0) *Miejsce(m.Klucz) = m;
    }
    std::vector<TMiejsce> miejsca_;
    size_t ile_ = 0;
};

// Calls f(d, key) for each pair of neighbouring words of each document, in document order.
template <class F>
void ParyDokumentow(const TObrazSlow& o, F&& f) {
    for (int32_t d = 1; d <= o.N; ++d) {
        const int64_t a = o.PlikRef[d] / 2, b = o.PlikRef[d + 1] / 2 - 1;   // [a, b): the run without its separator
        uint64_t poprzednie = a < b ? o.Slowo(a) : 0;
        for (int64_t j = a + 1; j < b; ++j) {
            const uint64_t w = o.Slowo(j);
            f(d, poprzednie << 32 | w);
            poprzednie = w;
        }
    }
}

}  // namespace

uint64_t SkrotPrzesuniec(const int32_t* ref, int32_t ile) { return mSkrot64(ref + 1, 4 * size_t(ile), 1); }

std::string ZapisParSlow(const TObrazSlow& o, uint64_t skrotObrazu) {
    // First pass: each pair's documents counted, each document once.
    TMapaPar mapa;
    ParyDokumentow(o, [&](int32_t d, uint64_t k) {
        TMapaPar::TMiejsce& m = mapa[k];
        if (m.Ostatni != d) {
            m.Ostatni = d;
            ++m.Wartosc;
        }
    });
    std::vector<std::pair<uint64_t, uint32_t>> pary;
    pary.reserve(mapa.Ile());
    mapa.Kazdy([&](const TMapaPar::TMiejsce& m) { pary.emplace_back(m.Klucz, m.Wartosc); });
    std::sort(pary.begin(), pary.end());
    const uint64_t P = pary.size(), W = uint64_t(o.W);
    for (uint64_t i = 0; i < P; ++i) mapa[pary[i].first] = TMapaPar::TMiejsce{pary[i].first, uint32_t(i), 0};

    const TUklad u(W, P);
    std::vector<uint64_t> przes(P + 1, 0);
    for (uint64_t i = 0; i < P; ++i) przes[i + 1] = przes[i] + BajtyListyPary(pary[i].second, o.N);
    const uint64_t bajtyDanych = przes[P];
    std::string b(u.Dane + bajtyDanych, '\0');
    char* const baza = b.data();
    uint8_t* const dane = reinterpret_cast<uint8_t*>(baza + u.Dane);

    // Second pass: the documents into their lists.
    std::vector<uint64_t> kursor(przes.begin(), przes.end() - 1);
    ParyDokumentow(o, [&](int32_t d, uint64_t k) {
        TMapaPar::TMiejsce& m = mapa[k];
        if (m.Ostatni == d) return;
        m.Ostatni = d;
        const uint32_t i = m.Wartosc;
        if (ListaParyJakoMapa(pary[i].second, o.N)) {
            uint64_t* bity = reinterpret_cast<uint64_t*>(dane + przes[i]);
            bity[d >> 6] |= uint64_t(1) << (d & 63);
        } else {
            const uint32_t v = uint32_t(d);
            std::memcpy(dane + kursor[i], &v, 4);
            kursor[i] += 4;
        }
    });

    uint64_t* od = reinterpret_cast<uint64_t*>(baza + u.Od);
    uint64_t* sumyBlokow = reinterpret_cast<uint64_t*>(baza + u.SumyBlokow);
    uint32_t* drugie = reinterpret_cast<uint32_t*>(baza + u.Drugie);
    uint32_t* df = reinterpret_cast<uint32_t*>(baza + u.Df);
    uint32_t* sumy = reinterpret_cast<uint32_t*>(baza + u.Sumy);
    std::memcpy(baza + u.Przes, przes.data(), 8 * (P + 1));
    const uint64_t* przesPliku = reinterpret_cast<const uint64_t*>(baza + u.Przes);
    for (uint64_t i = 0; i < P; ++i) {
        const uint64_t w1 = pary[i].first >> 32;
        drugie[i] = uint32_t(pary[i].first);
        df[i] = pary[i].second;
        sumy[i] = SumaListy(dane + przes[i], size_t(przes[i + 1] - przes[i]), df[i]);
        ++od[w1 + 1];
    }
    for (uint64_t w = 1; w <= W + 1; ++w) od[w] += od[w - 1];
    for (uint64_t w = 1; w <= W; ++w) sumyBlokow[w] = SkrotBloku(od, drugie, df, sumy, przesPliku, w);

    TNaglowek h{};
    std::memcpy(h.Znak, kZnak, sizeof kZnak);
    h.N = uint32_t(o.N);
    h.W = uint32_t(o.W);
    h.P = P;
    h.BajtyObrazu = uint64_t(o.Dlugosc) * 2;
    h.SkrotObrazu = skrotObrazu;
    h.SkrotPlikRef = SkrotPrzesuniec(o.PlikRef, o.N + 1);
    h.SkrotSlowoRef = SkrotPrzesuniec(o.SlowoRef, o.W + 1);
    h.BajtyDanych = bajtyDanych;
    h.Skrot = mSkrot64(&h, kPokryteNaglowkiem);
    std::memcpy(baza, &h, sizeof h);
    return b;
}

bool OtwarciePlikuWlasnego(TTablicaPliku<uint8_t>& plik, const std::string& sciezka, TOdczytTablicy odczyt,
                           const char* znak, void* naglowek, size_t bajty, const char* rodzaj, std::string& powod) {
    powod.clear();
    struct stat st {};
    if (::stat(sciezka.c_str(), &st) != 0) return false;
    if (!plik.Wczytaj(sciezka, 0, TrybBledu::Cichy, odczyt)) {
        powod = "it cannot be read";
        return false;
    }
    if (plik.size() < bajty || std::memcmp(plik.data(), znak, 8) != 0) {
        powod = std::string("not ") + rodzaj;
        plik.Zwolnienie();
        return false;
    }
    std::memcpy(naglowek, plik.data(), bajty);
    return true;
}

bool TParySlow::Otwarcie(const std::string& plik, const TObrazSlow& o, uint64_t skrotObrazu, std::string& powod) {
    TNaglowek h{};
    // None: phrases read more of the image.
    if (!OtwarciePlikuWlasnego(plik_, plik, TOdczytTablicy::Losowo, kZnak, &h, sizeof h, "a word pair file", powod))
        return false;
    const auto odrzucenie = [&](const char* p) {
        powod = p;
        plik_.Zwolnienie();
        return false;
    };
    const uint8_t* b = plik_.data();
    const uint64_t rozmiar = plik_.size();
    if (mSkrot64(&h, kPokryteNaglowkiem) != h.Skrot) return odrzucenie("it is damaged");
    if (int64_t(h.N) != o.N || int64_t(h.W) != o.W || h.BajtyObrazu != uint64_t(o.Dlugosc) * 2)
        return odrzucenie("it was made for another index");
    const uint64_t W = h.W;
    if (h.P >= (uint64_t(1) << 40) || h.BajtyDanych >= (uint64_t(1) << 48)) return odrzucenie("it is damaged");
    const TUklad u(W, h.P);
    if (u.Dane + h.BajtyDanych != rozmiar) return odrzucenie("its size does not match its header");
    od_ = reinterpret_cast<const uint64_t*>(b + u.Od);
    sumyBlokow_ = reinterpret_cast<const uint64_t*>(b + u.SumyBlokow);
    if (h.SkrotPlikRef != SkrotPrzesuniec(o.PlikRef, o.N + 1) ||
        (o.SlowoRef && h.SkrotSlowoRef != SkrotPrzesuniec(o.SlowoRef, o.W + 1)))
        return odrzucenie("it was made for another index");
    if (skrotObrazu != 0 && h.SkrotObrazu != skrotObrazu) return odrzucenie("it was made for another image");
    N_ = o.N;
    W_ = o.W;
    P_ = h.P;
    bajtyDanych_ = h.BajtyDanych;
    drugie_ = reinterpret_cast<const uint32_t*>(b + u.Drugie);
    df_ = reinterpret_cast<const uint32_t*>(b + u.Df);
    sumy_ = reinterpret_cast<const uint32_t*>(b + u.Sumy);
    przes_ = reinterpret_cast<const uint64_t*>(b + u.Przes);
    dane_ = b + u.Dane;
    bloki_.assign(W / 64 + 1, 0);
    listy_.assign(h.P / 64 + 1, 0);
    return true;
}

void TParySlow::SprawdzenieBloku(int32_t w1) {
    if (bloki_[size_t(w1) >> 6] >> (w1 & 63) & 1) return;
    const uint64_t p0 = od_[w1], p1 = od_[w1 + 1];
    if (p0 <= p1 && p1 <= P_) {
        // The block's parts lie in four tables: asked for together, a cold start waits for one
        // round of reads rather than one after another.
        Zapowiedz(sumyBlokow_ + w1, 8);
        Zapowiedz(drugie_ + p0, 4 * (p1 - p0));
        Zapowiedz(df_ + p0, 4 * (p1 - p0));
        Zapowiedz(sumy_ + p0, 4 * (p1 - p0));
        Zapowiedz(przes_ + p0, 8 * (p1 - p0 + 1));
    }
    if (p0 > p1 || p1 > P_ || SkrotBloku(od_, drugie_, df_, sumy_, przes_, uint64_t(w1)) != sumyBlokow_[w1])
        throw EParyUszkodzone("the pairs of word " + std::to_string(w1) + " disagree with their hash");
    for (uint64_t p = p0; p < p1; ++p) {
        const bool dobra = drugie_[p] >= 1 && drugie_[p] <= uint32_t(W_) && (p == p0 || drugie_[p] > drugie_[p - 1]) &&
                           df_[p] >= 1 && df_[p] <= uint32_t(N_) && przes_[p + 1] >= przes_[p] &&
                           przes_[p + 1] - przes_[p] == BajtyListyPary(df_[p], N_) && przes_[p + 1] <= bajtyDanych_ &&
                           przes_[p] % 8 == 0;
        if (!dobra) throw EParyUszkodzone("the pairs of word " + std::to_string(w1) + " are out of order");
    }
    bloki_[size_t(w1) >> 6] |= uint64_t(1) << (w1 & 63);
}

int64_t TParySlow::Szukaj(int32_t w1, uint32_t w2) const {
    return std::lower_bound(drugie_ + od_[w1], drugie_ + od_[w1 + 1], w2) - drugie_;
}

void TParySlow::SprawdzenieListy(int64_t p) {
    if (listy_[size_t(p) >> 6] >> (p & 63) & 1) return;
    const uint8_t* l = Lista(p);
    if (SumaListy(l, BajtyListy(p), df_[p]) != sumy_[p])
        throw EParyUszkodzone("the list of pair " + std::to_string(p) + " disagrees with its checksum");
    bool dobra = true;
    if (Mapa(p)) {
        const uint64_t* m = reinterpret_cast<const uint64_t*>(l);
        const size_t slowa = SlowaMapyPar(N_);
        uint64_t ile = 0;
        for (size_t i = 0; i < slowa; ++i) ile += uint64_t(__builtin_popcountll(m[i]));
        const int reszta = (N_ + 1) & 63;   // bits of the last word in use
        dobra = ile == df_[p] && (m[0] & 1) == 0 && (reszta == 0 || (m[slowa - 1] >> reszta) == 0);
    } else {
        const uint32_t* d = reinterpret_cast<const uint32_t*>(l);
        for (uint32_t i = 0; dobra && i < df_[p]; ++i) dobra = d[i] >= 1 && d[i] <= uint32_t(N_) && (i == 0 || d[i] > d[i - 1]);
    }
    if (!dobra) throw EParyUszkodzone("the list of pair " + std::to_string(p) + " is out of order");
    listy_[size_t(p) >> 6] |= uint64_t(1) << (p & 63);
}
