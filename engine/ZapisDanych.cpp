#include "ZapisDanych.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <unordered_map>

#include "Bledy.h"
#include "ListyKrotkie.h"
#include "ParySlow.h"
#include "Skrot.h"
#include "SumyList.h"
#include "TablicaPliku.h"
#include "cp1250.h"
#include "mLib.h"

namespace {

constexpr int32_t kMaksDokumentow = 262142;
constexpr int32_t kMaksSlow = 262143;
constexpr size_t kMaksNazwy = 255;

std::string Sciezka(const std::string& katalog, const std::string& nazwa) {
    if (katalog.empty()) return nazwa;
    if (katalog.back() == '/') return katalog + nazwa;
    return katalog + "/" + nazwa;
}

[[noreturn]] void BladZapisu(const std::string& path) {
    throw EInOutError(PL("Błąd zapisu pliku '") + NazwaPlikuWKomunikacie(path) + "'.");
}

// A file written sequentially through a large buffer; every failure is the write error.
class TPlikZapisu {
public:
    explicit TPlikZapisu(std::string path) : path_(std::move(path)) {
        f_ = std::fopen(path_.c_str(), "wb");
        if (!f_) BladZapisu(path_);
        std::setvbuf(f_, nullptr, _IOFBF, 1 << 20);
    }
    ~TPlikZapisu() {
        if (f_) std::fclose(f_);
    }
    TPlikZapisu(const TPlikZapisu&) = delete;
    TPlikZapisu& operator=(const TPlikZapisu&) = delete;
    void Zapis(const void* data, size_t n) {
        if (n && std::fwrite(data, 1, n, f_) != n) BladZapisu(path_);
        rozmiar_ += int64_t(n);
    }
    void Zapis(std::string_view s) { Zapis(s.data(), s.size()); }
    void Zamkniecie() {
        std::FILE* f = f_;
        f_ = nullptr;
        if (std::fclose(f) != 0) BladZapisu(path_);
    }
    int64_t Rozmiar() const { return rozmiar_; }

private:
    std::string path_;
    std::FILE* f_ = nullptr;
    int64_t rozmiar_ = 0;
};

// Offsets are 32-bit signed in every offset table.
int32_t Przesuniecie(int64_t v, const std::string& path) {
    if (v > std::numeric_limits<int32_t>::max())
        throw EInOutError(PL("Plik '") + NazwaPlikuWKomunikacie(path) + PL("' przekracza 2 GB."));
    return int32_t(v);
}

std::string ListaNazw(const std::vector<std::string>& entries, const std::string& path) {
    std::string out;
    for (const auto& e : entries) {
        if (e.size() > kMaksNazwy)
            throw EInOutError(PL("Wpis dłuższy niż 255 znaków w pliku '") + NazwaPlikuWKomunikacie(path) + "'.");
        out += char(static_cast<unsigned char>(e.size()));
        out += e;
    }
    return out;
}

const TZbiorZnakow& ZnakiZachowane() {
    static const TZbiorZnakow z = [] {
        TZbiorZnakow s = TZbiorZnakow::Zakres(0, 31);
        s += TZbiorZnakow("&=");
        return s;
    }();
    return z;
}

}  // namespace

void ZapisListyNazw(const std::string& path, const std::vector<std::string>& entries) {
    ZapisBajtow(path, ListaNazw(entries, path));
}

void ZapisInt32(const std::string& path, const std::vector<int32_t>& values) {
    TPlikZapisu f(path);
    f.Zapis(values.data(), values.size() * 4);
    f.Zamkniecie();
}

void ZapisBajtow(const std::string& path, std::string_view bytes) {
    TPlikZapisu f(path);
    f.Zapis(bytes);
    f.Zamkniecie();
}

uint32_t SpakowanieDaty(int rok, int miesiac, int dzien, int godzina, int minuta, int sekunda) {
    return uint32_t(rok - 1980) << 25 | uint32_t(miesiac & 15) << 21 | uint32_t(dzien & 31) << 16 |
           uint32_t(godzina & 31) << 11 | uint32_t(minuta & 63) << 5 | uint32_t((sekunda / 2) & 31);
}

TDataCzas RozpakowanieDaty(uint32_t p) {
    return TDataCzas{int(p >> 25) + 1980, int(p >> 21 & 15), int(p >> 16 & 31),
                     int(p >> 11 & 31),   int(p >> 5 & 63),  int(p & 31) * 2};
}

std::string ZapisRekordu(uint32_t data, std::string_view html) {
    std::string r(4 + html.size(), '\0');
    for (int i = 0; i < 4; ++i) r[size_t(i)] = char(data >> (8 * i) & 0xFF);
    std::memcpy(r.data() + 4, html.data(), html.size());
    SzyfrowanieRekordu(r.data(), r.size());
    return r;
}

void SzyfrowanieRekordu(char* dane, size_t dlugosc) { mScrambleInPlace(dane, dlugosc, "KR52MV", ZnakiZachowane()); }

int PorownanieSlow(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x -= 32;
        if (y >= 'a' && y <= 'z') y -= 32;
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

void ZapisIndeksuAktu(const std::string& katalog, const std::string& stem,
                      const std::vector<std::string>& fragmenty, const std::vector<int32_t>& poczatki) {
    if (fragmenty.size() > 65535 || poczatki.size() < fragmenty.size() + 1)
        mBladWewnetrzny("ZapisIndeksuAktu", 1);
    ZapisListyNazw(Sciezka(katalog, stem + ".dtf"), fragmenty);
    ZapisInt32(Sciezka(katalog, stem + ".itf"), poczatki);
}

// ---- TZapisIndeksu ----
//
// Tokens are interned into temporary word ids (1..) in arrival order, their texts kept in an
// arena and looked up through string_views. The token stream is kept as temporary ids with 0
// after each document, in blocks, 4 bytes a token. Each word's document count is kept while
// documents arrive, so that the posting lists are filled in one pass over the stream at the end,
// once the words are sorted and the final numbers known.

struct TZapisIndeksu::Impl {
    static constexpr size_t kBlokStrumienia = size_t(1) << 20;
    static constexpr size_t kBlokAreny = size_t(1) << 20;

    std::string katalog;
    TPlikZapisu xtm;
    std::vector<int64_t> poczatkiRekordow;    // record d starts at entry d - 1
    std::vector<int64_t> dlugosci{0};         // values of each document, separator included
    std::vector<std::string> nazwy;
    bool zakonczony = false;

    std::vector<std::unique_ptr<char[]>> arena;
    size_t wolneWArenie = 0;
    std::unordered_map<std::string_view, uint32_t> ids;
    std::vector<std::string_view> slowa{std::string_view()};  // temp id -> text
    std::vector<int32_t> ostatniDokument{0};                  // temp id -> last document seen
    std::vector<int32_t> liczbaDokumentow{0};                 // temp id -> documents holding it

    std::vector<std::unique_ptr<uint32_t[]>> strumien;
    size_t wBloku = kBlokStrumienia;
    int64_t dlugoscStrumienia = 0;

    std::map<int32_t, std::vector<int32_t>> izby, przepisy;
    std::string bufor;

    explicit Impl(std::string k) : katalog(std::move(k)), xtm(Sciezka(katalog, "scalony.xtm")) {
        ids.reserve(1 << 18);
    }

    void Dopisz(uint32_t v) {
        if (wBloku == kBlokStrumienia) {
            strumien.emplace_back(new uint32_t[kBlokStrumienia]);
            wBloku = 0;
        }
        strumien.back()[wBloku++] = v;
        ++dlugoscStrumienia;
    }

    std::string_view Zachowaj(std::string_view s) {
        if (s.size() > wolneWArenie) {
            arena.emplace_back(new char[kBlokAreny]);
            wolneWArenie = kBlokAreny;
        }
        char* p = arena.back().get() + (kBlokAreny - wolneWArenie);
        std::memcpy(p, s.data(), s.size());
        wolneWArenie -= s.size();
        return std::string_view(p, s.size());
    }

    uint32_t Identyfikator(std::string_view t, int32_t d) {
        if (t.size() > kMaksNazwy) t = t.substr(0, kMaksNazwy);
        // Words are kept in upper case: a lower-case ASCII letter would make two entries
        // that the look-up comparison cannot tell apart.
        if (std::any_of(t.begin(), t.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
            bufor.assign(t);
            for (char& c : bufor)
                if (c >= 'a' && c <= 'z') c = char(c - 32);
            t = bufor;
        }
        auto it = ids.find(t);
        uint32_t id;
        if (it == ids.end()) {
            id = uint32_t(slowa.size());
            const std::string_view z = Zachowaj(t);
            ids.emplace(z, id);
            slowa.push_back(z);
            ostatniDokument.push_back(0);
            liczbaDokumentow.push_back(0);
        } else {
            id = it->second;
        }
        if (ostatniDokument[id] != d) {
            ostatniDokument[id] = d;
            ++liczbaDokumentow[id];
        }
        return id;
    }
};

TZapisIndeksu::TZapisIndeksu(std::string katalog) : d_(std::make_unique<Impl>(std::move(katalog))) {}

TZapisIndeksu::~TZapisIndeksu() = default;

int32_t TZapisIndeksu::LiczbaDokumentow() const { return int32_t(d_->nazwy.size()); }

int32_t TZapisIndeksu::DodanieDokumentu(const std::string& nazwa, uint32_t data, std::string_view html,
                                        const std::vector<std::string>& tokeny, int32_t izba,
                                        const std::vector<int32_t>& przepisy) {
    Impl& m = *d_;
    if (m.zakonczony) mBladWewnetrzny("TZapisIndeksu.DodanieDokumentu", 1);
    if (m.nazwy.size() >= size_t(kMaksDokumentow))
        throw EInOutError(PL("Za dużo dokumentów: najwyżej 262142."));
    if (nazwa.size() > kMaksNazwy || (!m.nazwy.empty() && nazwa <= m.nazwy.back()))
        throw EInOutError(PL("Błędna nazwa dokumentu '") + nazwa + PL("': nazwy muszą rosnąć i mieć najwyżej 255 znaków."));
    m.nazwy.push_back(nazwa);
    const int32_t d = int32_t(m.nazwy.size());

    m.poczatkiRekordow.push_back(m.xtm.Rozmiar());
    m.xtm.Zapis(ZapisRekordu(data, html));

    int64_t n = 0;
    for (const auto& t : tokeny) {
        if (t.empty()) continue;
        m.Dopisz(m.Identyfikator(t, d));
        ++n;
    }
    m.Dopisz(0);
    m.dlugosci.push_back(n + 1);

    if (izba > 0) m.izby[izba].push_back(d);
    for (int32_t p : przepisy) {
        if (p <= 0) continue;
        auto& g = m.przepisy[p];
        if (g.empty() || g.back() != d) g.push_back(d);
    }
    return d;
}

TZapisIndeksu::TPozycjeGrup TZapisIndeksu::Zakonczenie(const std::vector<int32_t>& wszystkieIzby,
                                                      const std::vector<int32_t>& wszystkiePrzepisy) {
    Impl& m = *d_;
    if (m.zakonczony) mBladWewnetrzny("TZapisIndeksu.Zakonczenie", 1);
    m.zakonczony = true;
    const auto sciezka = [&m](const char* nazwa) { return Sciezka(m.katalog, nazwa); };
    const int32_t n = int32_t(m.nazwy.size());

    // Records.
    m.xtm.Zamkniecie();
    {
        std::vector<int32_t> ref(size_t(n) + 1);
        for (int32_t d = 1; d <= n; ++d)
            ref[size_t(d) - 1] = Przesuniecie(m.poczatkiRekordow[size_t(d) - 1], sciezka("scalony.xtm"));
        ref[size_t(n)] = Przesuniecie(m.xtm.Rozmiar(), sciezka("scalony.xtm"));
        ZapisInt32(sciezka("scalony.ref"), ref);
    }

    // Document list and image offsets.
    ZapisListyNazw(sciezka("plik.dat"), m.nazwy);
    std::vector<int32_t> plikRef(size_t(n) + 2, 0);   // as the store holds plik.ref: [0..N+1]
    {
        std::vector<int32_t> ref(size_t(n) + 1);
        int64_t poz = 0;
        for (int32_t d = 1; d <= n; ++d) {
            ref[size_t(d) - 1] = Przesuniecie(poz, sciezka("tekst.img"));
            poz += 2 * m.dlugosci[size_t(d)];
        }
        ref[size_t(n)] = Przesuniecie(poz, sciezka("tekst.img"));
        ZapisInt32(sciezka("plik.ref"), ref);
        std::copy(ref.begin(), ref.end(), plikRef.begin() + 1);
    }

    // Sorted word list: temporary id -> word number.
    const int32_t w = int32_t(m.slowa.size()) - 1;
    if (w > kMaksSlow) throw EInOutError(PL("Za dużo różnych słów: najwyżej 262143."));
    std::vector<uint32_t> porzadek(static_cast<size_t>(w));
    for (int32_t i = 0; i < w; ++i) porzadek[size_t(i)] = uint32_t(i + 1);
    std::sort(porzadek.begin(), porzadek.end(),
              [&m](uint32_t a, uint32_t b) { return PorownanieSlow(m.slowa[a], m.slowa[b]) < 0; });
    std::vector<uint32_t> numer(size_t(w) + 1, 0);
    {
        TPlikZapisu f(sciezka("slowo.dat"));
        for (int32_t k = 0; k < w; ++k) {
            const uint32_t id = porzadek[size_t(k)];
            numer[id] = uint32_t(k + 1);
            const std::string_view s = m.slowa[id];
            const char l = char(static_cast<unsigned char>(s.size()));
            f.Zapis(&l, 1);
            f.Zapis(s);
        }
        f.Zamkniecie();
    }

    // Posting offsets in word order.
    std::vector<int64_t> kursor(size_t(w) + 1, 0);   // word number -> next free slot of its list
    int64_t razem = 0;
    std::vector<int32_t> slowoRef(size_t(w) + 2, 0);   // as the store holds slowo.ref: [0..W+1]
    {
        std::vector<int32_t> ref(size_t(w) + 1);
        for (int32_t k = 1; k <= w; ++k) {
            ref[size_t(k) - 1] = Przesuniecie(4 * razem, sciezka("slowo.idx"));
            kursor[size_t(k)] = razem;
            razem += m.liczbaDokumentow[porzadek[size_t(k) - 1]];
        }
        ref[size_t(w)] = Przesuniecie(4 * razem, sciezka("slowo.idx"));
        ZapisInt32(sciezka("slowo.ref"), ref);
        std::copy(ref.begin(), ref.end(), slowoRef.begin() + 1);
        m.liczbaDokumentow = {};
        m.ostatniDokument = {};
        m.ids = {};
        porzadek = {};
    }

    // One pass over the stream: the image, its high bits and the postings.
    const bool rozszerzone = w + 1 > 65535;
    std::vector<int32_t> postingi(static_cast<size_t>(razem));
    std::vector<int32_t> ostatni(size_t(w) + 1, 0);
    std::vector<uint8_t> aux;
    if (rozszerzone) aux.assign(size_t((m.dlugoscStrumienia + 3) / 4), 0);
    {
        TPlikZapisu img(sciezka("tekst.img"));
        std::vector<uint16_t> porcja(Impl::kBlokStrumienia);
        int64_t p = 0;
        int32_t d = 1;
        for (size_t b = 0; b < m.strumien.size(); ++b) {
            const size_t ile = b + 1 == m.strumien.size() ? m.wBloku : Impl::kBlokStrumienia;
            const uint32_t* blok = m.strumien[b].get();
            for (size_t i = 0; i < ile; ++i, ++p) {
                const uint32_t t = blok[i];
                if (t == 0) {
                    porcja[i] = 0;
                    ++d;
                    continue;
                }
                const uint32_t k = numer[t];
                porcja[i] = uint16_t(k & 0xFFFF);
                if (k > 0xFFFF) aux[size_t(p >> 2)] |= uint8_t((k >> 16) << (2 * (p & 3)));
                if (ostatni[k] != d) {
                    ostatni[k] = d;
                    postingi[size_t(kursor[k]++)] = d;
                }
            }
            img.Zapis(porcja.data(), ile * 2);
            m.strumien[b].reset();
        }
        img.Zamkniecie();
    }
    m.strumien.clear();
    ZapisInt32(sciezka("slowo.idx"), postingi);
    {
        // The lists' checksums and the image's hash, so that memory mode can take its lists
        // from slowo.idx and know they are the image's. kursor[k] is now the end of list k.
        TSumyList sumy;
        sumy.N = n;
        sumy.W = w;
        sumy.BajtyList = 4 * razem;
        sumy.Sumy.assign(size_t(w) + 1, 0);
        for (int32_t k = 1; k <= w; ++k) {
            const int64_t od = k == 1 ? 0 : kursor[size_t(k) - 1];
            sumy.Sumy[size_t(k)] = SumaListy(postingi.data() + od, size_t(kursor[size_t(k)] - od));
        }
        TTablicaPliku<uint8_t> obraz;
        obraz.Wczytaj(sciezka("tekst.img"), 0, TrybBledu::Wyjatek, TOdczytTablicy::Zapelnienie);
        sumy.BajtyObrazu = int64_t(obraz.size());
        sumy.SkrotObrazu = mSkrot64(obraz.data(), obraz.size());
        ZapisBajtow(sciezka(PlikSumList), ZapisSumList(sumy));

        // The documents of each pair of neighbouring words, for phrases.
        TObrazSlow o;
        o.Obraz = reinterpret_cast<const uint16_t*>(obraz.data());
        o.Aux = rozszerzone ? aux.data() : nullptr;
        o.Dlugosc = int64_t(obraz.size()) / 2;
        o.PlikRef = plikRef.data();
        o.SlowoRef = slowoRef.data();
        o.N = n;
        o.W = w;
        ZapisBajtow(sciezka(PlikParSlow), ZapisParSlow(o, sumy.SkrotObrazu));
        // The lists of the rarest words together, read whole at opening.
        ZapisBajtow(sciezka(PlikListKrotkich), ZapisListKrotkich(postingi.data(), slowoRef.data(), plikRef.data(), n, w));
    }
    postingi = {};
    if (rozszerzone) {
        ZapisBajtow(sciezka("tekst.aux"), std::string_view(reinterpret_cast<const char*>(aux.data()), aux.size()));
    } else {
        // A high-bits file left from an earlier, larger word list no longer belongs here.
        std::error_code ec;
        std::filesystem::remove(sciezka("tekst.aux"), ec);
    }

    // Groups: number, documents..., 0; ascending numbers.
    TPozycjeGrup pozycje;
    const auto grupy = [&](std::map<int32_t, std::vector<int32_t>>& mapa, const std::vector<int32_t>& wszystkie,
                           std::map<int32_t, int32_t>& wynik, const std::string& path) {
        for (int32_t g : wszystkie)
            if (g > 0) mapa[g];
        std::vector<int32_t> plik;
        for (const auto& [g, dokumenty] : mapa) {
            wynik[g] = Przesuniecie(4 * int64_t(plik.size()), path);
            plik.push_back(g);
            plik.insert(plik.end(), dokumenty.begin(), dokumenty.end());
            plik.push_back(0);
        }
        ZapisInt32(path, plik);
    };
    grupy(m.izby, wszystkieIzby, pozycje.Izby, sciezka("izby.mix"));
    grupy(m.przepisy, wszystkiePrzepisy, pozycje.Przepisy, sciezka("przepisy.mix"));
    return pozycje;
}
