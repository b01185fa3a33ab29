// What a result-list row shows: the document's entry date and the beginning of its text,
// wrapped to the list's width; and the summary row with the report's header lines.
// Shared by the main window's result list and the report viewer. Texts are Windows-1250.
//
//   TekstWiersza(0x2C8F5A21, "<P>Podatek dochodowy ...", 40)
//     -> "[ 15-04-2002 ] Podatek dochodowy ...\r\n..." (lines of at most 40 characters)
//   KluczSortowania(0x2C8F5A21) -> "2002-04-15 11:17"
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// A packed entry date-time as the record store keeps it (seconds in 2-second steps).
struct TDataWpisu {
    int Rok = 1980, Miesiac = 0, Dzien = 0, Godzina = 0, Minuta = 0, Sekunda = 0;
};
TDataWpisu RozpakowanieDatyWpisu(uint32_t spakowana);
std::string DataDzienMiesiacRok(uint32_t spakowana);   // "dd-mm-yyyy"
std::string KluczSortowania(uint32_t spakowana);       // "yyyy-mm-dd hh:mm"

constexpr int DlugoscPoczatku = 480;   // characters of a document's text shown in its row

// The plain text of the HTML cut to its first `dlugosc` characters, line feeds made spaces,
// leading spaces removed. The report viewer shows 530 characters.
std::string PoczatekTekstu(std::string_view html, int dlugosc = DlugoscPoczatku);

// Lines of at most `znakow` characters, broken after a space, hyphen or tab ("\r\n" between
// lines); a word longer than a line stays whole. Line breaks already in the text are kept.
std::string ZawijanieTekstu(std::string_view tekst, int znakow);
int LiczbaLinii(std::string_view zawiniety);

// Characters per line for a list `szerokosc` pixels wide (6 pixels a character).
int ZnakowWLinii(int szerokosc);
// Height of every document row in text lines: 480 characters wrapped at `znakow`.
int WysokoscWiersza(int znakow);

// The document row's caption: "[ dd-mm-yyyy ] " and the first `dlugosc` characters of the
// text, wrapped.
std::string TekstWiersza(uint32_t data, std::string_view html, int znakow, int dlugosc = DlugoscPoczatku);

// The summary row: `podsumowanie` followed, on page 0 only, by the non-empty header lines,
// each wrapped; `wysokosc` grows by 1 + length / (znakow + 1) lines per header line.
struct TWierszPodsumowania {
    std::string Tekst;
    int Wysokosc = 1;
};
TWierszPodsumowania WierszPodsumowania(const std::string& podsumowanie, const std::array<std::string, 3>& naglowki,
                                       bool pierwszaStrona, int znakow);

// Row order of the result list: later entry first; equal keys keep their order.
// Answers true when row a goes before row b.
inline bool WczesniejWLiscie(const std::string& kluczA, const std::string& kluczB) { return kluczA > kluczB; }
