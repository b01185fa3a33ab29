#include "bPlik.h"

#include <algorithm>
#include <limits>

int32_t KilobajtyPliku(int64_t bajtow) {
    int64_t k = bajtow / 1024;
    const int64_t reszta = bajtow % 1024;
    if (reszta > 512 || (reszta == 512 && k % 2 != 0)) ++k;
    return int32_t(std::min<int64_t>(k, std::numeric_limits<int32_t>::max()));
}

std::string NazwaRaportuPliku(const std::string& nazwaPliku) {
    const size_t p = nazwaPliku.rfind('.');
    return p == std::string::npos ? std::string() : TekstNazwyPliku(std::string_view(nazwaPliku).substr(0, p));
}

TcListPlikRaportu::TcListPlikRaportu(std::string maska, int32_t atrybuty)
    : TcListPlik(std::move(maska), atrybuty, TBezOdczytu{}) {
    // Read here, not in the base, so that this class's DodaniePliku builds the entries.
    OdczytanieKatalogu();
}

int32_t TcListPlikRaportu::DodaniePliku(const TWpisKatalogu& wpis) {
    auto p = std::make_unique<TrPlikRaportu>();
    p->Nazwa = wpis.Nazwa;
    p->Data = wpis.Data;
    p->Rozmiar = KilobajtyPliku(wpis.Rozmiar);
    p->NazwaRaportu = NazwaRaportuPliku(wpis.Nazwa);
    return Dodanie(std::move(p));
}
