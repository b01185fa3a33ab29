// Text dictionaries: acts ("akty.ini"), sections ("dzialy.ini"), chambers ("izby.ini") and
// provisions ("przepisy.ini"), mapping numbers to names and back, with names in file order
// for lists. Files are ISO-8859-2 lines "number=value" (fields separated by the byte 0xFE);
// names are held in Windows-1250.
//
//   TcSlownikTxtIzba izby("izby.ini", true);
//   izby.NumerWgNazwy("izba skarbowa w krakowie") -> 12   (letter case ignored, -1 when none)
//   izby.PozycjaWgNumeru(12)                      -> 408  (byte offset of its group in izby.mix)
//
// A file that cannot be read, or a chamber/provision line whose position is not an integer,
// throws EInOutError("Błąd odczytu słownika '<file>'.").
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mLib.h"

struct TrSlownikTxt {
    virtual ~TrSlownikTxt() = default;
    int32_t Numer = 0;
    std::string Nazwa;
};

class TcSlownikTxt {
public:
    TcSlownikTxt(std::string nazwaPliku, bool wczytaj);
    virtual ~TcSlownikTxt();

    TListaTekstow Nazwy;                                  // parallel to Wpisy
    std::vector<std::unique_ptr<TrSlownikTxt>> Wpisy;
    std::string NazwaPliku;

    void OdczytanieSlownika();
    void CzyszczenieSlownika();

    int32_t NumerWgNazwy(const std::string& nazwa) const;
    std::string NazwaWgNumeru(int32_t numer) const;

protected:
    virtual void AnalizaWiersza(const std::string& wiersz);
    // Call after the most derived constructor when reading at construction.
    void WczytajJesli(bool wczytaj) { if (wczytaj) OdczytanieSlownika(); }
};
