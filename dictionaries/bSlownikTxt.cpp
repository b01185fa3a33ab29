#include "bSlownikTxt.h"

#include <stdexcept>

#include "cp1250.h"

namespace {

constexpr char Separator = '\xFE';

// Position (from 1) of the first field separator in the line, 0 when there is none.
int PozycjaSeparatora(const std::string& wiersz) {
    const size_t s = wiersz.find(Separator);
    return s == std::string::npos ? 0 : static_cast<int>(s) + 1;
}

}  // namespace

// ---- Provisions: number="<code><section digit>name"þ"position" ----

TcSlownikTxtPrzepis::TcSlownikTxtPrzepis(std::string nazwaPliku, bool wczytaj)
    : TcSlownikTxt(std::move(nazwaPliku), false) {
    WczytajJesli(wczytaj);
}

void TcSlownikTxtPrzepis::AnalizaWiersza(const std::string& wiersz) {
    int e;
    int32_t numer;
    if (!KluczDwuPol(wiersz, e, numer)) return;
    auto wpis = std::make_unique<TrPrzepis>();
    wpis->Numer = numer;
    const int s = PozycjaSeparatora(wiersz);
    const int L = static_cast<int>(wiersz.size());
    // Character e+2 is a code nobody reads; e+3 is the section digit.
    const char dzial = wiersz[static_cast<size_t>(e + 2)];
    wpis->Dzial = (dzial >= '1' && dzial <= '9') ? dzial - '0' : 0;
    wpis->Nazwa = mIsoToWin(Znaki(wiersz, e + 4, s - 2));
    if (!LiczbaCalkowita(Znaki(wiersz, s + 2, L - 1), wpis->Pozycja))
        throw std::runtime_error("provision position is not an integer");
    Dodanie(std::move(wpis));
}

int32_t TcSlownikTxtPrzepis::DzialWgNazwy(const std::string& nazwa) const {
    for (const auto& w : Wpisy)
        if (cp1250::equalsNoCase(w->Nazwa, nazwa)) {
            const auto* p = dynamic_cast<const TrPrzepis*>(w.get());
            return p ? p->Dzial : -1;
        }
    return -1;
}

int32_t TcSlownikTxtPrzepis::PozycjaWgNumeru(int32_t numer) const {
    if (numer <= 0) return -1;
    for (const auto& w : Wpisy)
        if (w->Numer == numer) {
            const auto* p = dynamic_cast<const TrPrzepis*>(w.get());
            return p ? p->Pozycja : -1;
        }
    return -1;
}

// ---- Chambers: number="name"þ"position" ----

TcSlownikTxtIzba::TcSlownikTxtIzba(std::string nazwaPliku, bool wczytaj)
    : TcSlownikTxt(std::move(nazwaPliku), false) {
    WczytajJesli(wczytaj);
}

void TcSlownikTxtIzba::AnalizaWiersza(const std::string& wiersz) {
    int e;
    int32_t numer;
    if (!KluczDwuPol(wiersz, e, numer)) return;
    auto wpis = std::make_unique<TrIzba>();
    wpis->Numer = numer;
    const int s = PozycjaSeparatora(wiersz);
    const int L = static_cast<int>(wiersz.size());
    wpis->Nazwa = mIsoToWin(Znaki(wiersz, e + 2, s - 2));
    if (!LiczbaCalkowita(Znaki(wiersz, s + 2, L - 1), wpis->Pozycja))
        throw std::runtime_error("chamber position is not an integer");
    Dodanie(std::move(wpis));
}

int32_t TcSlownikTxtIzba::PozycjaWgNumeru(int32_t numer) const {
    if (numer <= 0) return -1;
    for (const auto& w : Wpisy)
        if (w->Numer == numer) {
            const auto* p = dynamic_cast<const TrIzba*>(w.get());
            return p ? p->Pozycja : -1;
        }
    return -1;
}

// ---- Acts: number="name"þ"file stem" ----

TcSlownikTxtAkt::TcSlownikTxtAkt(std::string nazwaPliku, bool wczytaj)
    : TcSlownikTxt(std::move(nazwaPliku), false) {
    WczytajJesli(wczytaj);
}

void TcSlownikTxtAkt::AnalizaWiersza(const std::string& wiersz) {
    int e;
    int32_t numer;
    if (!KluczDwuPol(wiersz, e, numer)) return;
    auto wpis = std::make_unique<TrAkt>();
    wpis->Numer = numer;
    const int s = PozycjaSeparatora(wiersz);
    const int L = static_cast<int>(wiersz.size());
    // Without a separator the name comes out empty and the stem is most of the line; the line
    // is kept all the same: only positions are checked.
    wpis->Nazwa = mIsoToWin(Znaki(wiersz, e + 2, s - 2));
    wpis->Plik = mIsoToWin(Znaki(wiersz, s + 2, L - 1));
    Dodanie(std::move(wpis));
}

std::string TcSlownikTxtAkt::PlikWgNumeru(int32_t numer) const {
    if (numer <= 0) return {};
    for (const auto& w : Wpisy)
        if (w->Numer == numer) {
            const auto* p = dynamic_cast<const TrAkt*>(w.get());
            if (p && !p->Plik.empty()) return p->Plik;
        }
    return {};
}
