// A private profile (INI) file read and written key by key. Sections and keys are found
// ignoring letter case; every write rewrites the whole file, keeping all other lines (comments,
// blank and unreadable lines too) byte for byte, and replaces it in one step, so a crash leaves
// either the previous file or the new one; a missing file or key reads as the default.
//
//   [Glowne Okno]
//   Szerokosc=790
//
//   TcPlikIni ini("/home/u/.config/Belvastrona/Belvastrona.ini");
//   ini.OdczytanieLiczby("Glowne Okno", "szerokosc", 790)   -> 790 also when the value is "abc"
//   ini.ZapisanieLiczby("Glowne Okno", "X", 18);
//
// Plain C++; texts are bytes. New lines end with CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class TcPlikIni {
public:
    explicit TcPlikIni(std::string sciezka) : sciezka_(std::move(sciezka)) {}

    const std::string& Sciezka() const { return sciezka_; }

    // The value with blanks around it removed; nullopt when the file, section or key is missing.
    std::optional<std::string> OdczytanieTekstu(const std::string& sekcja, const std::string& klucz) const;
    // A decimal integer (optional sign) within 32 bits; anything else gives the default.
    int32_t OdczytanieLiczby(const std::string& sekcja, const std::string& klucz, int32_t domyslna) const;
    // Any integer other than 0 is true; a non-integer gives the default.
    bool OdczytanieLogiczne(const std::string& sekcja, const std::string& klucz, bool domyslna) const;

    // Write failures (no folder, no rights) throw EInOutError.
    void ZapisanieTekstu(const std::string& sekcja, const std::string& klucz, const std::string& wartosc);
    void ZapisanieLiczby(const std::string& sekcja, const std::string& klucz, int32_t wartosc);
    void ZapisanieLogiczne(const std::string& sekcja, const std::string& klucz, bool wartosc);

private:
    std::string sciezka_;
};
