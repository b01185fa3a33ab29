#include "WartoscPola.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>

namespace mWartosc {
namespace {

constexpr long long NajwiekszaCalkowita = 2147483647LL;

bool Cyfra(char c) { return c >= '0' && c <= '9'; }

std::string Cyfry(std::string_view t) {
    std::string c;
    for (char z : t)
        if (Cyfra(z)) c += z;
    return c;
}

std::string DwieCyfry(int v) {
    return std::string{static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
}

std::string CzteryCyfry(int v) { return DwieCyfry(v / 100) + DwieCyfry(v % 100); }

// The value of `ile` digits at `od`; the caller has checked they are digits.
int Wartosc(std::string_view t, size_t od, size_t ile) {
    int v = 0;
    for (size_t i = od; i < od + ile; ++i) v = v * 10 + (t[i] - '0');
    return v;
}

// Digits at the given places, `znak` at every other: the shape of "DD-MM-RRRR" and "GG:MM:SS".
bool Ksztalt(std::string_view t, std::string_view wzor, char znak) {
    if (t.size() != wzor.size()) return false;
    for (size_t i = 0; i < t.size(); ++i)
        if (wzor[i] == '9' ? !Cyfra(t[i]) : t[i] != znak) return false;
    return true;
}

}  // namespace

std::string OczyszczonaLiczba(std::string_view tekst, bool rzeczywista) {
    std::string c;
    for (char z : tekst)
        if (Cyfra(z) || z == '-' || (rzeczywista && (z == ',' || z == '.'))) c += z;
    return c;
}

std::string MinusNaPoczatek(std::string_view tekst) {
    const size_t p = tekst.size() > 1 ? tekst.find('-', 1) : std::string_view::npos;
    if (p == std::string_view::npos) return std::string(tekst);
    std::string w(tekst);
    w.erase(p, 1);
    return '-' + w;
}

Liczba OdczytLiczby(std::string_view tekst, bool rzeczywista) {
    Liczba l;
    if (tekst.empty() || tekst == "-") return l;
    const std::string w = MinusNaPoczatek(tekst);
    if (rzeczywista) {
        double v = 0;
        const auto [koniec, blad] = std::from_chars(w.data(), w.data() + w.size(), v, std::chars_format::fixed);
        if (blad != std::errc() || koniec != w.data() + w.size() || !std::isfinite(v)) {
            l.wynik = Liczba::Bledna;
            return l;
        }
        l.wynik = Liczba::Dobra;
        l.rzeczywista = v;
        const double calkowita = std::trunc(v);
        l.calkowita = std::fabs(calkowita) <= NajwiekszaCalkowita ? static_cast<int>(calkowita) : 0;
        return l;
    }
    const bool ujemna = w[0] == '-';
    const std::string_view cyfry = std::string_view(w).substr(ujemna ? 1 : 0);
    if (cyfry.empty() || Cyfry(cyfry).size() != cyfry.size()) {
        l.wynik = Liczba::Bledna;
        return l;
    }
    long long v = 0;
    for (char z : cyfry) {
        v = v * 10 + (z - '0');
        if (v > NajwiekszaCalkowita) {
            l.wynik = Liczba::ZaDuzaCalkowita;
            return l;
        }
    }
    l.wynik = Liczba::Dobra;
    l.calkowita = static_cast<int>(ujemna ? -v : v);
    l.rzeczywista = l.calkowita;
    return l;
}

std::string UzupelnionaData(std::string_view tekst, Data dzis) {
    const std::string c = Cyfry(tekst);
    const size_t n = c.size();
    const std::string mm = DwieCyfry(dzis.miesiac), rrrr = CzteryCyfry(dzis.rok);
    if (n == 0) return {};
    if (n == 1) return '0' + c + '-' + mm + '-' + rrrr;
    if (n == 2) return c + '-' + mm + '-' + rrrr;
    if (n == 3) return c.substr(0, 2) + "-0" + c.substr(2, 1) + '-' + rrrr;
    if (n == 4) return c.substr(0, 2) + '-' + c.substr(2, 2) + '-' + rrrr;
    // 5 to 7 digits: the year's missing leading digits are today's ("12040" -> 2000 + ...).
    if (n <= 7) return c.substr(0, 2) + '-' + c.substr(2, 2) + '-' + rrrr.substr(0, 8 - n) + c.substr(4);
    if (n <= 10) return c.substr(0, 2) + '-' + c.substr(2, 2) + '-' + c.substr(4, 4);
    return c;
}

std::optional<Data> OdczytDaty(std::string_view tekst) {
    if (!Ksztalt(tekst, "99-99-9999", '-')) return std::nullopt;
    const Data d{Wartosc(tekst, 6, 4), Wartosc(tekst, 3, 2), Wartosc(tekst, 0, 2)};
    const std::chrono::year_month_day ymd{std::chrono::year(d.rok), std::chrono::month(static_cast<unsigned>(d.miesiac)),
                                          std::chrono::day(static_cast<unsigned>(d.dzien))};
    if (d.rok < 1 || !ymd.ok()) return std::nullopt;
    return d;
}

long DniOd1899(Data data) {
    using namespace std::chrono;
    const sys_days dzien{year_month_day{year(data.rok), month(static_cast<unsigned>(data.miesiac)),
                                        day(static_cast<unsigned>(data.dzien))}};
    const sys_days poczatek{year_month_day{year(1899), December, day(30)}};
    return static_cast<long>((dzien - poczatek).count());
}

std::string UzupelnionyCzas(std::string_view tekst, bool sekundy) {
    const std::string c = Cyfry(tekst);
    const size_t n = c.size();
    if (n == 0) return {};
    if (sekundy) {
        if (n == 1) return '0' + c + ":00:00";
        if (n == 2) return c + ":00:00";
        if (n == 3) return c.substr(0, 2) + ":0" + c.substr(2, 1) + ":00";
        if (n == 4) return c.substr(0, 2) + ':' + c.substr(2, 2) + ":00";
        if (n == 5) return c.substr(0, 2) + ':' + c.substr(2, 2) + ":0" + c.substr(4, 1);
        if (n <= 8) return c.substr(0, 2) + ':' + c.substr(2, 2) + ':' + c.substr(4, 2);
        return c;
    }
    if (n == 1) return '0' + c + ":00";
    if (n == 2) return c + ":00";
    if (n == 3) return c.substr(0, 2) + ":0" + c.substr(2, 1);
    if (n <= 5) return c.substr(0, 2) + ':' + c.substr(2, 2);
    return c;
}

std::optional<int> OdczytCzasu(std::string_view tekst, bool sekundy) {
    if (!Ksztalt(tekst, sekundy ? "99:99:99" : "99:99", ':')) return std::nullopt;
    const int g = Wartosc(tekst, 0, 2), m = Wartosc(tekst, 3, 2), s = sekundy ? Wartosc(tekst, 6, 2) : 0;
    if (g > 23 || m > 59 || s > 59) return std::nullopt;
    return g * 3600 + m * 60 + s;
}

}  // namespace mWartosc
