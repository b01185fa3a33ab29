// The configuration store: the main window's geometry and the live-counting switch, kept in
// "Belvastrona.ini" in the user's configuration folder. Read once at start-up, written once
// at shut-down.
//
//   [Dane]          Zliczanie=1           (default on)
//   [Glowne Okno]   Szerokosc, Wysokosc, X, Y (defaults: the window's design bounds),
//                   Maksymalne=0
//
// The folder is $BELVASTRONA_KONFIGURACJA when set (tests), else $XDG_CONFIG_HOME/Belvastrona,
// else ~/.config/Belvastrona.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "PlikIni.h"

struct TGeometriaOkna {
    int32_t X = 18, Y = 3, Szerokosc = 790, Wysokosc = 570;
};

class TcKonfiguracja {
public:
    TcKonfiguracja();   // no file access until a read or write
    ~TcKonfiguracja();

    bool Zliczanie = true;
    bool WszystkieFormy = false;   // search every form of the words, [Dane] WszystkieFormy
    int32_t Wysokosc = 570;
    int32_t Szerokosc = 790;
    int32_t X = 18;
    int32_t Y = 3;
    bool Maksymalne = false;

    // Reads the keys; `domyslna` is the window's current (design) bounds.
    void OdczytanieKonfiguracji(const TGeometriaOkna& domyslna);
    // Writes the six keys, and WszystkieFormy once it was ever on: the switches from the fields,
    // the geometry from the window now.
    void ZapisanieKonfiguracji(const TGeometriaOkna& biezaca, bool maksymalne);

    const TcPlikIni& Ini() const { return *ini_; }

    static std::string NazwaPliku() { return "Belvastrona.ini"; }
    static std::string Katalog();

private:
    std::unique_ptr<TcPlikIni> ini_;
};
