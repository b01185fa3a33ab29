// The typed edit field's values: any text reads as a number, a date or a time, or is refused;
// a value that is read gives back its own text, and completing a complete date or time
// changes nothing.
#include <cmath>
#include <cstdlib>
#include <string>

#include "WartoscPola.h"

namespace {

void Sprawdzenie(bool warunek) {
    if (!warunek) std::abort();
}

std::string Dwie(int v) { return std::string{char('0' + v / 10), char('0' + v % 10)}; }

void Liczby(std::string_view tekst) {
    for (bool rzeczywista : {false, true}) {
        const std::string czysty = mWartosc::OczyszczonaLiczba(tekst, rzeczywista);
        Sprawdzenie(mWartosc::OczyszczonaLiczba(czysty, rzeczywista) == czysty);
        const mWartosc::Liczba l = mWartosc::OdczytLiczby(czysty, rzeczywista);
        if (l.wynik != mWartosc::Liczba::Dobra) continue;
        Sprawdzenie(std::isfinite(l.rzeczywista));
        if (!rzeczywista) {
            const mWartosc::Liczba znowu = mWartosc::OdczytLiczby(std::to_string(l.calkowita), false);
            Sprawdzenie(znowu.wynik == mWartosc::Liczba::Dobra && znowu.calkowita == l.calkowita);
        }
    }
}

void Daty(std::string_view tekst) {
    for (const mWartosc::Data dzis : {mWartosc::Data{2003, 3, 21}, mWartosc::Data{9999, 12, 31}}) {
        const std::string u = mWartosc::UzupelnionaData(tekst, dzis);
        const auto d = mWartosc::OdczytDaty(u);
        if (!d) continue;
        Sprawdzenie(Dwie(d->dzien) + '-' + Dwie(d->miesiac) + '-' + Dwie(d->rok / 100) + Dwie(d->rok % 100) == u);
        Sprawdzenie(mWartosc::UzupelnionaData(u, dzis) == u);
        const long dni = mWartosc::DniOd1899(*d);
        Sprawdzenie(dni >= mWartosc::DniOd1899({1, 1, 1}) && dni <= mWartosc::DniOd1899({9999, 12, 31}));
    }
    (void)mWartosc::OdczytDaty(tekst);
}

void Czasy(std::string_view tekst) {
    for (bool sekundy : {false, true}) {
        const std::string u = mWartosc::UzupelnionyCzas(tekst, sekundy);
        const auto s = mWartosc::OdczytCzasu(u, sekundy);
        if (!s) continue;
        Sprawdzenie(*s >= 0 && *s < 86400);
        std::string z = Dwie(*s / 3600) + ':' + Dwie(*s / 60 % 60);
        if (sekundy) z += ':' + Dwie(*s % 60);
        Sprawdzenie(z == u && mWartosc::UzupelnionyCzas(u, sekundy) == u);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const std::string_view tekst(reinterpret_cast<const char*>(dane), rozmiar);
    Liczby(tekst);
    Daty(tekst);
    Czasy(tekst);
    return 0;
}
