#include "Konfiguracja.h"

#include <cstdlib>

namespace {
const std::string Dane = "Dane";
const std::string GlowneOkno = "Glowne Okno";
}  // namespace

std::string TcKonfiguracja::Katalog() {
    if (const char* k = std::getenv("BELVASTRONA_KONFIGURACJA"); k != nullptr && *k != '\0') return k;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x != nullptr && *x != '\0') return std::string(x) + "/Belvastrona";
    if (const char* h = std::getenv("HOME"); h != nullptr && *h != '\0') return std::string(h) + "/.config/Belvastrona";
    return ".";
}

TcKonfiguracja::TcKonfiguracja() : ini_(std::make_unique<TcPlikIni>(Katalog() + "/" + NazwaPliku())) {}

TcKonfiguracja::~TcKonfiguracja() = default;

void TcKonfiguracja::OdczytanieKonfiguracji(const TGeometriaOkna& domyslna) {
    Zliczanie = ini_->OdczytanieLogiczne(Dane, "Zliczanie", true);
    WszystkieFormy = ini_->OdczytanieLogiczne(Dane, "WszystkieFormy", false);
    Szerokosc = ini_->OdczytanieLiczby(GlowneOkno, "Szerokosc", domyslna.Szerokosc);
    Wysokosc = ini_->OdczytanieLiczby(GlowneOkno, "Wysokosc", domyslna.Wysokosc);
    X = ini_->OdczytanieLiczby(GlowneOkno, "X", domyslna.X);
    Y = ini_->OdczytanieLiczby(GlowneOkno, "Y", domyslna.Y);
    Maksymalne = ini_->OdczytanieLogiczne(GlowneOkno, "Maksymalne", false);
}

void TcKonfiguracja::ZapisanieKonfiguracji(const TGeometriaOkna& biezaca, bool maksymalne) {
    ini_->ZapisanieLogiczne(Dane, "Zliczanie", Zliczanie);
    // Written once the switch was ever on: until then the file holds only the six keys.
    if (WszystkieFormy || ini_->OdczytanieTekstu(Dane, "WszystkieFormy"))
        ini_->ZapisanieLogiczne(Dane, "WszystkieFormy", WszystkieFormy);
    ini_->ZapisanieLiczby(GlowneOkno, "Szerokosc", biezaca.Szerokosc);
    ini_->ZapisanieLiczby(GlowneOkno, "Wysokosc", biezaca.Wysokosc);
    ini_->ZapisanieLiczby(GlowneOkno, "X", biezaca.X);
    ini_->ZapisanieLiczby(GlowneOkno, "Y", biezaca.Y);
    ini_->ZapisanieLogiczne(GlowneOkno, "Maksymalne", maksymalne);
}
