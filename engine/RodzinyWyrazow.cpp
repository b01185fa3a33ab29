// The grouping asks hunspell for the bases of every word of the list once; the families are
// then two compressed tables (base -> words, word -> bases). The saved grouping is the same
// tables with a header naming the list and the dictionary they were made from.
#include "RodzinyWyrazow.h"

#include <hunspell/hunspell.hxx>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "Bledy.h"
#include "ZapisBezpieczny.h"
#include "cp1250.h"
#include "mLib.h"

const char* const TcRodzinyWyrazow::SlownikDomyslny = "/usr/share/hunspell/pl_PL";

namespace {

// Windows-1250 to ISO-8859-2, hunspell-pl's encoding: the two differ in sixteen places.
constexpr std::array<unsigned char, 256> TablicaIso() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[size_t(i)] = (unsigned char)i;
    const unsigned char pary[][2] = {{0x8A, 0xA9}, {0x8C, 0xA6}, {0x8D, 0xAB}, {0x8E, 0xAE}, {0x8F, 0xAC},
                                     {0x9A, 0xB9}, {0x9C, 0xB6}, {0x9D, 0xBB}, {0x9E, 0xBE}, {0x9F, 0xBC},
                                     {0xA5, 0xA1}, {0xB9, 0xB1}, {0xBC, 0xA5}, {0xBE, 0xB5}, {0xA1, 0xB7},
                                     {0xB5, 0xB5}};
    for (const auto& p : pary) t[p[0]] = p[1];
    return t;
}
constexpr std::array<unsigned char, 256> NaIso = TablicaIso();

std::string Iso(std::string_view cp) {
    std::string s(cp);
    for (char& c : s) c = char(NaIso[(unsigned char)c]);
    return s;
}

// "VAT-U" -> "VAT": a hyphen followed by one to three letters of a case ending.
std::string PodstawaSkrotu(const std::string& slowo) {
    const size_t m = slowo.rfind('-');
    if (m == std::string::npos || m < 2 || slowo.size() - m - 1 < 1 || slowo.size() - m - 1 > 3) return {};
    return slowo.substr(0, m);
}

uint64_t Fnv(uint64_t h, const void* dane, size_t n) {
    const auto* b = static_cast<const unsigned char*>(dane);
    for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ULL;
    return h;
}

uint64_t StempelSlownika(const std::string& slownik) {
    struct stat st {};
    uint64_t h = Fnv(14695981039346656037ULL, slownik.data(), slownik.size());
    if (stat((slownik + ".dic").c_str(), &st) == 0) {
        const int64_t v[2] = {int64_t(st.st_size), int64_t(st.st_mtime)};
        h = Fnv(h, v, sizeof v);
    }
    return h;
}

constexpr char Sygnatura[8] = {'B', 'E', 'L', 'V', 'F', 'R', 'M', '1'};

class TCzytnik {
public:
    explicit TCzytnik(const std::string& b) : b_(b) {}
    template <class T>
    bool Liczba(T& v) {
        if (b_.size() - p_ < sizeof v) return false;
        std::memcpy(&v, b_.data() + p_, sizeof v);
        p_ += sizeof v;
        return true;
    }
    bool Tekst(std::string& s) {
        uint16_t n = 0;
        if (!Liczba(n) || b_.size() - p_ < n) return false;
        s.assign(b_.data() + p_, n);
        p_ += n;
        return true;
    }
    bool Tablica(std::vector<int32_t>& v, size_t n) {
        if ((b_.size() - p_) / 4 < n) return false;
        v.resize(n);
        if (n) std::memcpy(v.data(), b_.data() + p_, n * 4);
        p_ += n * 4;
        return true;
    }
    bool Koniec() const { return p_ == b_.size(); }

private:
    const std::string& b_;
    size_t p_ = 0;
};

// A compressed table: offsets ascending from 0 to the size, every value in [0, gorna).
bool Poprawna(const std::vector<int32_t>& od, const std::vector<int32_t>& wart, int32_t dolna, int32_t gorna) {
    if (od.empty() || od.front() != 0 || od.back() != int32_t(wart.size())) return false;
    for (size_t i = 1; i < od.size(); ++i)
        if (od[i] < od[i - 1]) return false;
    for (int32_t x : wart)
        if (x < dolna || x >= gorna) return false;
    return true;
}

}  // namespace

TcRodzinyWyrazow::~TcRodzinyWyrazow() = default;

Hunspell& TcRodzinyWyrazow::Slownik() const {
    if (!hunspell_) {
        struct stat st {};
        if (stat((slownik_ + ".aff").c_str(), &st) != 0 || stat((slownik_ + ".dic").c_str(), &st) != 0)
            throw EInOutError(PL(u8"Brak słownika form wyrazów '") + slownik_ + PL(u8".dic' (pakiet hunspell-pl)."));
        hunspell_ = std::make_unique<Hunspell>((slownik_ + ".aff").c_str(), (slownik_ + ".dic").c_str());
    }
    return *hunspell_;
}

std::vector<std::string> TcRodzinyWyrazow::Bazy(const std::string& slowo) const {
    std::vector<std::string> b = Slownik().stem(Iso(slowo));
    if (b.empty()) {
        const std::string podstawa = PodstawaSkrotu(slowo);
        if (!podstawa.empty()) {
            b = Slownik().stem(Iso(podstawa));
            if (b.empty()) b.push_back(Iso(podstawa));
        }
    }
    if (b.empty()) b.push_back(Iso(slowo));
    std::sort(b.begin(), b.end());
    b.erase(std::unique(b.begin(), b.end()), b.end());
    return b;
}

TcRodzinyWyrazow::TcRodzinyWyrazow(const std::vector<std::string>& slowa, int32_t W, const std::string& slownik)
    : slownik_(slownik), odcisk_(Odcisk(slowa, W)), w_(W) {
    kluczeSlowaOd_.assign(size_t(W) + 2, 0);
    for (int32_t w = 1; w <= W; ++w) {
        for (const std::string& b : Bazy(slowa[size_t(w)])) {
            const auto [it, nowy] = numerKlucza_.emplace(b, int32_t(klucze_.size()));
            if (nowy) klucze_.push_back(b);
            kluczeSlowa_.push_back(it->second);
        }
        kluczeSlowaOd_[size_t(w) + 1] = int32_t(kluczeSlowa_.size());
    }
    Indeks();
}

// Base -> words from word -> bases; words come ascending because they are visited so.
void TcRodzinyWyrazow::Indeks() {
    rodzinaOd_.assign(klucze_.size() + 1, 0);
    for (int32_t k : kluczeSlowa_) ++rodzinaOd_[size_t(k) + 1];
    for (size_t k = 1; k < rodzinaOd_.size(); ++k) rodzinaOd_[k] += rodzinaOd_[k - 1];
    rodzina_.assign(kluczeSlowa_.size(), 0);
    std::vector<int32_t> wolne(rodzinaOd_.begin(), rodzinaOd_.end() - 1);
    for (int32_t w = 1; w <= w_; ++w)
        for (int32_t i = kluczeSlowaOd_[size_t(w)]; i < kluczeSlowaOd_[size_t(w) + 1]; ++i)
            rodzina_[size_t(wolne[size_t(kluczeSlowa_[size_t(i)])]++)] = w;
    if (numerKlucza_.empty())
        for (size_t k = 0; k < klucze_.size(); ++k) numerKlucza_.emplace(klucze_[k], int32_t(k));
}

std::vector<int32_t> TcRodzinyWyrazow::Czlonkowie(const std::vector<int32_t>& klucze) const {
    std::vector<int32_t> w;
    for (int32_t k : klucze) w.insert(w.end(), rodzina_.begin() + rodzinaOd_[size_t(k)], rodzina_.begin() + rodzinaOd_[size_t(k) + 1]);
    std::sort(w.begin(), w.end());
    w.erase(std::unique(w.begin(), w.end()), w.end());
    return w;
}

std::vector<int32_t> TcRodzinyWyrazow::Formy(int32_t numer) const {
    if (numer < 1 || numer > w_) return {};
    return Czlonkowie(std::vector<int32_t>(kluczeSlowa_.begin() + kluczeSlowaOd_[size_t(numer)],
                                           kluczeSlowa_.begin() + kluczeSlowaOd_[size_t(numer) + 1]));
}

std::vector<int32_t> TcRodzinyWyrazow::FormyTekstu(const std::string& slowo) const {
    std::vector<int32_t> klucze;
    for (const std::string& b : Bazy(slowo))
        if (const auto it = numerKlucza_.find(b); it != numerKlucza_.end()) klucze.push_back(it->second);
    return Czlonkowie(klucze);
}

uint64_t TcRodzinyWyrazow::Stempel(const std::string& slownik) { return StempelSlownika(slownik); }

uint64_t TcRodzinyWyrazow::Odcisk(const std::vector<std::string>& slowa, int32_t W) {
    uint64_t h = Fnv(14695981039346656037ULL, &W, sizeof W);
    for (int32_t w = 1; w <= W && size_t(w) < slowa.size(); ++w) {
        h = Fnv(h, slowa[size_t(w)].data(), slowa[size_t(w)].size());
        h = Fnv(h, "\n", 1);
    }
    return h;
}

bool TcRodzinyWyrazow::Zapis(const std::string& plik) const {
    std::string b(Sygnatura, sizeof Sygnatura);
    const auto liczba = [&](auto v) { b.append(reinterpret_cast<const char*>(&v), sizeof v); };
    const auto tablica = [&](const std::vector<int32_t>& v) {
        b.append(reinterpret_cast<const char*>(v.data()), v.size() * 4);
    };
    liczba(odcisk_);
    liczba(StempelSlownika(slownik_));
    liczba(w_);
    liczba(int32_t(klucze_.size()));
    liczba(int32_t(kluczeSlowa_.size()));
    for (const std::string& k : klucze_) {
        liczba(uint16_t(std::min<size_t>(k.size(), 65535)));
        b.append(k, 0, std::min<size_t>(k.size(), 65535));
    }
    tablica(kluczeSlowaOd_);
    tablica(kluczeSlowa_);
    return mZapisBezpieczny(plik, b.data(), b.size()).Udany();
}

std::unique_ptr<TcRodzinyWyrazow> TcRodzinyWyrazow::Wczytanie(const std::string& plik, uint64_t odcisk,
                                                              const std::string& slownik, std::string* powod) {
    std::string b;
    if (!mReadString(plik, b, TrybBledu::Cichy)) return nullptr;
    const auto odmowa = [&](const char* dlaczego) {
        if (powod) *powod = dlaczego;
        return nullptr;
    };
    if (b.size() < sizeof Sygnatura || std::memcmp(b.data(), Sygnatura, sizeof Sygnatura) != 0)
        return odmowa("not a saved grouping");
    TCzytnik c(b);
    uint64_t odciskPliku = 0, stempel = 0;
    int32_t W = 0, K = 0, P = 0;
    char s[sizeof Sygnatura];
    for (char& z : s) c.Liczba(z);
    if (!c.Liczba(odciskPliku) || !c.Liczba(stempel) || !c.Liczba(W) || !c.Liczba(K) || !c.Liczba(P))
        return odmowa("cut short");
    if (odciskPliku != odcisk || stempel != StempelSlownika(slownik)) return odmowa("made for another word list or dictionary");
    if (W < 0 || K < 0 || P < W || size_t(K) > b.size() || size_t(P) > b.size() / 4) return odmowa("damaged");
    std::unique_ptr<TcRodzinyWyrazow> r(new TcRodzinyWyrazow());
    r->slownik_ = slownik;
    r->odcisk_ = odcisk;
    r->w_ = W;
    r->klucze_.resize(size_t(K));
    for (std::string& k : r->klucze_)
        if (!c.Tekst(k)) return odmowa("cut short");
    if (!c.Tablica(r->kluczeSlowaOd_, size_t(W) + 2) || !c.Tablica(r->kluczeSlowa_, size_t(P)) || !c.Koniec())
        return odmowa("cut short or too long");
    // Word 0 has no bases; every word of the list has at least one.
    if (r->kluczeSlowaOd_[1] != 0 || !Poprawna(std::vector<int32_t>(r->kluczeSlowaOd_.begin() + 1, r->kluczeSlowaOd_.end()),
                                               r->kluczeSlowa_, 0, K))
        return odmowa("damaged");
    for (int32_t w = 1; w <= W; ++w)
        if (r->kluczeSlowaOd_[size_t(w) + 1] == r->kluczeSlowaOd_[size_t(w)]) return odmowa("damaged");
    r->Indeks();
    if (r->numerKlucza_.size() != r->klucze_.size()) return odmowa("damaged");
    return r;
}
