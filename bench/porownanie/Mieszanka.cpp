#include "Mieszanka.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <set>
#include <stdexcept>

#include "mLib.h"

namespace {

bool Litera(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return true;
    for (unsigned char p : {0x8C, 0x8F, 0xA3, 0xA5, 0xAF, 0xC6, 0xCA, 0xD1, 0xD3})
        if (c == p) return true;
    return false;
}
// Words made of letters only: they read the same in every engine's query language.
bool SlowoLiterowe(const std::string& s, size_t minimum) {
    if (s.size() < minimum) return false;
    for (unsigned char c : s)
        if (!Litera(c)) return false;
    return true;
}

class TKorpus {
public:
    TKorpus(const TcMagazynIndeksu& m, const std::string& katalog) : m_(m) {
        std::vector<int32_t> ref;
        mReadFile(katalog + "/slowo.ref", ref, 1, TrybBledu::Wyjatek);
        df_.assign(size_t(m.W) + 2, 0);
        for (int32_t w = 1; w <= m.W && size_t(w) + 1 < ref.size(); ++w) df_[w] = (ref[w + 1] - ref[w]) / 4;
    }
    int32_t Df(uint32_t w) const { return w < df_.size() ? df_[w] : 0; }
    const std::string& Slowo(uint32_t w) const { return m_.Slowa[w]; }
    int32_t W() const { return m_.W; }
    int32_t N() const { return m_.N; }

    // Word numbers of document d in reading order.
    void Dokument(int32_t d, std::vector<uint32_t>& slowa) const {
        slowa.clear();
        const int64_t a = m_.PlikRef[d] / 2, b = m_.PlikRef[d + 1] / 2 - 1;   // without the separator
        if (!m_.NaDysku) {
            for (int64_t p = a; p < b; ++p) slowa.push_back(m_.NumerSlowa(p));
            return;
        }
        std::vector<uint16_t> bufor;
        m_.CzytajObrazDokumentu(d, bufor);
        for (size_t j = 0; j < bufor.size(); ++j) slowa.push_back(bufor[j] | (m_.WysokieBity(a + int64_t(j)) << 16));
    }

private:
    const TcMagazynIndeksu& m_;
    std::vector<int32_t> df_;
};

}  // namespace

std::vector<TKlasa> WyborZapytan(const TcMagazynIndeksu& m, const std::string& katalogDanych, const TGrupy& grupy,
                                 unsigned ziarno) {
    TKorpus k(m, katalogDanych);
    std::mt19937 los(ziarno);
    const int32_t N = k.N();
    auto slowo = [&](uint32_t w, bool prefiks = false) { return TSlowo{k.Slowo(w), prefiks}; };

    // Words of letters only, by document frequency.
    std::vector<uint32_t> wszystkie;
    for (int32_t w = 1; w <= k.W(); ++w)
        if (k.Df(w) > 0 && SlowoLiterowe(k.Slowo(w), 3)) wszystkie.push_back(uint32_t(w));
    std::sort(wszystkie.begin(), wszystkie.end(), [&](uint32_t a, uint32_t b) { return k.Df(a) > k.Df(b); });
    if (wszystkie.size() < 100) throw std::runtime_error("the corpus has too few words for the query mix");
    auto pasmo = [&](double od, double do_) {
        std::vector<uint32_t> v;
        for (uint32_t w : wszystkie)
            if (k.Df(w) >= od && k.Df(w) <= do_) v.push_back(w);
        return v;
    };
    auto losuj = [&](std::vector<uint32_t> v, size_t ile) {
        std::shuffle(v.begin(), v.end(), los);
        if (v.size() > ile) v.resize(ile);
        return v;
    };
    // Bands: the 40 most frequent words; words in 0.5-3% of the documents (or, when the corpus
    // has none, the 200 nearest to 1%); the rarest 200 words found in two documents or more.
    std::vector<uint32_t> czeste(wszystkie.begin(), wszystkie.begin() + 40);
    std::vector<uint32_t> srednie = pasmo(std::max(2.0, N * 0.005), std::max(3.0, N * 0.03));
    if (srednie.size() < 6) {
        srednie = wszystkie;
        const double cel = N * 0.01;
        std::sort(srednie.begin(), srednie.end(),
                  [&](uint32_t a, uint32_t b) { return std::abs(k.Df(a) - cel) < std::abs(k.Df(b) - cel); });
        srednie.resize(200);
    }
    std::vector<uint32_t> rzadkie;
    for (auto it = wszystkie.rbegin(); it != wszystkie.rend() && rzadkie.size() < 200; ++it)
        if (k.Df(*it) >= 2) rzadkie.push_back(*it);
    if (rzadkie.size() < 6) throw std::runtime_error("the corpus lacks words found in two documents or more");
    auto zakresDf = [&](const std::vector<uint32_t>& v) {
        int32_t a = INT32_MAX, b = 0;
        for (uint32_t w : v) a = std::min(a, k.Df(w)), b = std::max(b, k.Df(w));
        return " (df " + std::to_string(a) + "-" + std::to_string(b) + ")";
    };

    std::vector<TKlasa> klasy;
    auto klasaSlow = [&](const std::string& nazwa, const std::vector<uint32_t>& v) {
        TKlasa kl{nazwa, {}, false};
        for (uint32_t w : losuj(v, 6)) kl.Zapytania.push_back(Fraza({slowo(w)}));
        klasy.push_back(std::move(kl));
    };
    klasaSlow("word, rare" + zakresDf(rzadkie), rzadkie);
    klasaSlow("word, mid" + zakresDf(srednie), srednie);
    klasaSlow("word, frequent" + zakresDf(czeste), czeste);

    // Phrases lifted from random places of random documents, so that they occur.
    const std::set<uint32_t> czesteZbior(wszystkie.begin(), wszystkie.begin() + std::min<size_t>(300, wszystkie.size()));
    std::vector<uint32_t> dok;
    auto fraza = [&](size_t dlugosc, bool tylkoCzeste, std::vector<uint32_t>& wynik) {
        for (int proba = 0; proba < 20000; ++proba) {
            k.Dokument(int32_t(los() % uint32_t(N)) + 1, dok);
            if (dok.size() < dlugosc) continue;
            const size_t p = los() % (dok.size() - dlugosc + 1);
            wynik.assign(dok.begin() + p, dok.begin() + p + dlugosc);
            bool dobra = true;
            for (size_t i = 0; i < wynik.size() && dobra; ++i) {
                dobra = SlowoLiterowe(k.Slowo(wynik[i]), 2) && (!tylkoCzeste || czesteZbior.count(wynik[i]));
                for (size_t j = 0; j < i && dobra; ++j) dobra = wynik[j] != wynik[i];
            }
            if (dobra) return true;
        }
        return false;
    };
    std::vector<uint32_t> f;
    TKlasa frazy{"phrase, 2-5 words", {}, false};
    for (size_t dl : {2, 2, 3, 3, 4, 5})
        if (fraza(dl, false, f)) {
            std::vector<TSlowo> s;
            for (uint32_t w : f) s.push_back(slowo(w));
            frazy.Zapytania.push_back(Fraza(s));
        }
    klasy.push_back(frazy);
    TKlasa frazyCzeste{"phrase of frequent words", {}, false};
    for (size_t dl : {2, 2, 2, 3, 3, 4})
        if (fraza(dl, true, f)) {
            std::vector<TSlowo> s;
            for (uint32_t w : f) s.push_back(slowo(w));
            frazyCzeste.Zapytania.push_back(Fraza(s));
        }
    klasy.push_back(frazyCzeste);

    // Prefixes of words long enough to cut, drawn from the frequent and middle bands.
    std::vector<uint32_t> dlugie;
    for (uint32_t w : wszystkie)
        if (k.Slowo(w).size() >= 7 && k.Df(w) >= 2) dlugie.push_back(w);
    for (size_t dl : {2, 3, 5}) {
        TKlasa kl{"prefix, " + std::to_string(dl) + " letters", {}, false};
        std::set<std::string> byly;
        for (uint32_t w : losuj(dlugie, 200)) {
            std::string p = k.Slowo(w).substr(0, dl);
            if (byly.insert(p).second) kl.Zapytania.push_back(Fraza({TSlowo{p, true}}));
            if (kl.Zapytania.size() == 4) break;
        }
        klasy.push_back(kl);
    }

    TKlasa frazyPrefiks{"phrase ending in a prefix", {}, false};
    for (size_t dl : {2, 2, 3, 3}) {
        for (int proba = 0; proba < 200; ++proba) {
            if (!fraza(dl, false, f)) break;
            const std::string ostatnie = k.Slowo(f.back());
            if (ostatnie.size() < 5) continue;
            std::vector<TSlowo> s;
            for (size_t i = 0; i + 1 < f.size(); ++i) s.push_back(slowo(f[i]));
            s.push_back(TSlowo{ostatnie.substr(0, 3 + los() % 2), true});
            frazyPrefiks.Zapytania.push_back(Fraza(s));
            break;
        }
    }
    klasy.push_back(frazyPrefiks);

    using R = TWarunek::Rodzaj;
    TKlasa logiczne{"boolean with NOT", {}, false};
    {
        auto c = losuj(czeste, 6);
        auto s = losuj(srednie, 6);
        auto jedno = [&](uint32_t w) { return Fraza({slowo(w)}); };
        logiczne.Zapytania.push_back(Polaczenie(R::INie, jedno(c[0]), jedno(s[0])));
        logiczne.Zapytania.push_back(
            Polaczenie(R::INie, Polaczenie(R::Lub, jedno(s[1]), jedno(s[2])), jedno(c[1])));
        if (fraza(2, false, f))
            logiczne.Zapytania.push_back(
                Polaczenie(R::INie, Fraza({slowo(f[0]), slowo(f[1])}),
                           Fraza({TSlowo{k.Slowo(s[3]).substr(0, 3), true}})));
        logiczne.Zapytania.push_back(
            Polaczenie(R::INie, Polaczenie(R::I, jedno(c[2]), jedno(c[3])), jedno(s[4])));
    }
    klasy.push_back(logiczne);

    // A full recount: four word fields, the chamber and the provision.
    TKlasa liczenie{"live recount (6 counts)", {}, true};
    {
        liczenie.Zapytania.push_back(Fraza({slowo(losuj(czeste, 1)[0])}));
        liczenie.Zapytania.push_back(Fraza({slowo(losuj(srednie, 1)[0])}));
        if (fraza(2, false, f)) liczenie.Zapytania.push_back(Fraza({slowo(f[0]), slowo(f[1])}));
        liczenie.Zapytania.push_back(Fraza({TSlowo{k.Slowo(losuj(dlugie, 1)[0]).substr(0, 3), true}}));
        auto najwieksza = [](const std::map<int32_t, std::vector<int32_t>>& g) {
            int32_t numer = 0;
            size_t ile = 0;
            for (auto& [n, d] : g)
                if (n > 0 && d.size() >= ile) { numer = n; ile = d.size(); }
            return numer;
        };
        if (int32_t i = najwieksza(grupy.Izby)) liczenie.Zapytania.push_back(Grupa(R::Izba, i));
        if (int32_t p = najwieksza(grupy.Przepisy)) liczenie.Zapytania.push_back(Grupa(R::Przepis, p));
    }
    klasy.push_back(liczenie);
    return klasy;
}
