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
#include <string_view>
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

    // Line helpers shared by the subclasses. Positions count from 1.
    // Characters `od` to `do_` inclusive, clipped to the line; empty when do_ < od.
    static std::string Znaki(const std::string& wiersz, int od, int do_);
    // A decimal integer with an optional sign and nothing else, within 32 bits.
    static bool LiczbaCalkowita(std::string_view tekst, int32_t& wynik);
    // The line's key: e is the position of the first "=" (0 when none) and the text before it
    // must be an integer. False for lines that are not entries.
    static bool Klucz(const std::string& wiersz, int& e, int32_t& numer);
    // The same for the quoted two-field lines, which also need four characters after "=".
    static bool KluczDwuPol(const std::string& wiersz, int& e, int32_t& numer);
    void Dodanie(std::unique_ptr<TrSlownikTxt> wpis);
};
