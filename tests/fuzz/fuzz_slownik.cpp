// The dictionary readers (acts, sections, chambers, provisions): any file is read or refused
// with the read message; every entry read can be looked up by its name and number.
#include <cstdlib>

#include "Bledy.h"
#include "SlownikTxt.h"
#include "Wspolne.h"
#include "bSlownikTxt.h"

namespace {

template <class TSlownik>
void Odczyt(const std::string& sciezka) {
    try {
        TSlownik s(sciezka, true);
        for (const std::string& n : s.Nazwy) (void)s.NumerWgNazwy(n);
        for (const auto& w : s.Wpisy) (void)s.NazwaWgNumeru(w->Numer);
    } catch (const EInOutError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    ZapisPlikuRoboczego("slownik.ini", std::string_view(reinterpret_cast<const char*>(dane), rozmiar));
    const std::string sciezka = FolderRoboczy() + "/slownik.ini";
    Odczyt<TcSlownikTxt>(sciezka);
    Odczyt<TcSlownikTxtAkt>(sciezka);
    Odczyt<TcSlownikTxtIzba>(sciezka);
    Odczyt<TcSlownikTxtPrzepis>(sciezka);
    return 0;
}
