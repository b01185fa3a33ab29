// The list of report files: TcListPlik whose entries also carry the report name and the size in
// kilobytes. The catalogue and the selection window read "Raporty/*.rap" with the mask 33 (the
// regular readable files, Plik.h) and sort it newest first:
//
//   TcListPlikRaportu lista;                       // MaskaRaportow, AtrybutyRaportow
//   lista.Sortowanie(1, 1);
//   lista.PlikRaportu(0).NazwaRaportu              // "Łódź" of "Łódź.rap", Windows-1250
//   lista.PlikRaportu(0).Rozmiar                   // kilobytes: 512 bytes -> 0, 1536 -> 2
//
// Every report lives in the one folder "Raporty" of the working folder, as "<name>.rap".
#pragma once

#include "Plik.h"

inline constexpr const char* KatalogRaportow = "Raporty";
inline constexpr const char* RozszerzenieRaportu = ".rap";
inline constexpr const char* MaskaRaportow = "Raporty/*.rap";
inline constexpr int32_t AtrybutyRaportow = atTylkoDoOdczytu | atArchiwalny;   // 33

// Rozmiar holds kilobytes here (KilobajtyPliku).
struct TrPlikRaportu : TrPlik {
    std::string NazwaRaportu;   // NazwaRaportuPliku(Nazwa): what the lists show
};

// Bytes to kilobytes as the lists show them: to the nearest, halves to the even neighbour.
int32_t KilobajtyPliku(int64_t bajtow);
// The report name of a file name: the name up to, not including, its last "." as Windows-1250
// text (TekstNazwyPliku); empty when the name has no ".".
std::string NazwaRaportuPliku(const std::string& nazwaPliku);

class TcListPlikRaportu : public TcListPlik {
public:
    explicit TcListPlikRaportu(std::string maska = MaskaRaportow, int32_t atrybuty = AtrybutyRaportow);
    int32_t DodaniePliku(const TWpisKatalogu& wpis) override;
    const TrPlikRaportu& PlikRaportu(int32_t i) const { return static_cast<const TrPlikRaportu&>(Plik(i)); }
};
