#include "TablicaRaportu.h"

#include <algorithm>

#include "cp1250.h"

TcTablicaRaportu::TcTablicaRaportu() : Pozycje(size_t(Pojemnosc) + 1) {}

void TcTablicaRaportu::PrzygotowanieRaportu(const TcTablicaLogiczna& zbior) {
    for (auto& n : Naglowki) n.clear();
    Liczba = 0;
    // Newest (highest number) first.
    std::vector<int32_t> numery;
    zbior.Numery(numery);
    for (auto d = numery.rbegin(); d != numery.rend(); ++d) Dodanie(*d, true);
    BiezacaStrona = 0;
}

void TcTablicaRaportu::Dodanie(int32_t nrDokumentu, bool zaznaczony) {
    if (Liczba >= Pojemnosc) return;   // a document set never holds more
    ++Liczba;
    Pozycje[size_t(Liczba)] = {nrDokumentu, zaznaczony};
}

int32_t TcTablicaRaportu::OstatniaNaStronie() const {
    return std::min(Liczba, (BiezacaStrona + 1) * WielkoscStrony);
}

void TcTablicaRaportu::UstawienieZaznaczenia(int32_t nrDokumentu, bool zaznaczony) {
    const int32_t od = std::max(1, PierwszaNaStronie()), do_ = OstatniaNaStronie();
    for (int32_t i = od; i <= do_; ++i)
        if (Pozycje[size_t(i)].NrDokumentu == nrDokumentu) { Pozycje[size_t(i)].Zaznaczony = zaznaczony; return; }
    for (int32_t i = 1; i <= Liczba; ++i)
        if (Pozycje[size_t(i)].NrDokumentu == nrDokumentu) { Pozycje[size_t(i)].Zaznaczony = zaznaczony; return; }
}

void TcTablicaRaportu::ZaznaczenieWszystkich(bool zaznaczony) {
    for (int32_t i = 1; i <= Liczba; ++i) Pozycje[size_t(i)].Zaznaczony = zaznaczony;
}

int32_t TcTablicaRaportu::LiczbaZaznaczonych() const {
    int32_t n = 0;
    for (int32_t i = 1; i <= Liczba; ++i) n += Pozycje[size_t(i)].Zaznaczony;
    return n;
}

std::string PodsumowanieStrony(int32_t liczba, int32_t strona, int32_t wierszy) {
    std::string t = PL(u8"LICZBA WYJAŚNIEŃ: ");
    if (liczba > TcTablicaRaportu::WielkoscStrony) {
        const int32_t od = strona * TcTablicaRaportu::WielkoscStrony;
        t += "[ " + std::to_string(od + 1) + " - " + std::to_string(od + wierszy) + " ] / " + std::to_string(liczba);
    } else {
        t += std::to_string(wierszy) + "/" + std::to_string(liczba);
    }
    return t;
}

std::string TcTablicaRaportu::Podsumowanie(int32_t wierszy) const {
    return PodsumowanieStrony(Liczba, BiezacaStrona, wierszy);
}
