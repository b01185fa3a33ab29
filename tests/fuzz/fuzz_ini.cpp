// The INI reader: any file reads a value or the default, and a write keeps every other line.
#include <cstdlib>

#include "PlikIni.h"
#include "Wspolne.h"
#include "mLib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const std::string_view bajty(reinterpret_cast<const char*>(dane), rozmiar);
    ZapisPlikuRoboczego("Belvastrona.ini", bajty);
    TcPlikIni ini(FolderRoboczy() + "/Belvastrona.ini");
    (void)ini.OdczytanieTekstu("Glowne Okno", "X");
    (void)ini.OdczytanieLiczby("Glowne Okno", "Szerokosc", 790);
    (void)ini.OdczytanieLogiczne("Glowne Okno", "Zliczanie", true);
    ini.ZapisanieLiczby("Glowne Okno", "X", 18);
    if (ini.OdczytanieLiczby("Glowne Okno", "X", 0) != 18) std::abort();
    return 0;
}
