// The report text: what a report file holds, how the main window composes it, and the one reader
// that the main window and the report viewer share.
//
// A report file ("Raporty/<name>.rap") is Windows-1250 text without a byte order mark or header,
// always exactly four lines in this order, each line but the last ending in one line feed (0x0A,
// never CR LF), the last without one:
//
//   warunek=<condition>    the combined condition of the search (WarunekPelny), control
//                          characters made spaces, so never a line break; may be empty
//   izba=<n>               the chamber number, 0 for none
//   przepis=<n>            the provision number, 0 for none
//   plik=<d>|<d>|...|<d>   the checked documents of the result table in table order; nothing
//                          after "=" when none is checked
//
// Numbers are decimal, without sign, spaces or leading zeros. A search by chamber 7 alone that
// kept documents 812, 577 and 36 gives these 41 bytes:
//
//   "warunek=\nizba=7\nprzepis=0\nplik=812|577|36"
//
// Reading. The text is cut into lines at line feeds (empty lines vanish; a carriage return stays
// part of its line). A line belongs to the key its text before the first "=" equals, letter case
// ignored ("PLIK=", "Izba="); the first such line counts, its value is everything after that "="
// (further "=" included). Lines of other keys and lines without "=" are ignored.
//   - izba and przepis must be whole integers (an optional sign and decimal digits within 32
//     bits, nothing else): a file saved with CR LF ends them in a carriage return and is refused.
//   - plik: the pieces between "|" that are integers are the documents, in order; other pieces
//     (an empty one included) are left out silently: "plik=12||x|13" gives 12 and 13. Integers
//     outside 1..N (N documents in the store) are left out, and past PojemnoscRaportu numbers
//     the rest are; TRaport counts both, so the window can say so.
//   - A text that is empty, holds a control byte other than tab, line feed and carriage return
//     (a binary file), or lacks one of the four lines is not a report.
// Every refusal is EBladRaportu, whose Polish message names the file; nothing has changed then.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Bledy.h"

class TcSlownikTxt;
class TcTablicaRaportu;
class TcZapytanie;

// As many numbers as the result table holds.
constexpr int32_t PojemnoscRaportu = 262143;

// A report text that cannot be read, with the message the window shows (Windows-1250):
//   "Plik raportu 'X' jest pusty."
//   "Plik raportu 'X' jest uszkodzony: zawiera znaki binarne."
//   "Plik raportu 'X' jest uszkodzony: brak wiersza 'plik='."
//   "Plik raportu 'X' jest uszkodzony: numer izby '7\r' nie jest liczbą całkowitą."
//   ("numer przepisu ..." for przepis; control characters of the value are written as \r, \t,
//   a value longer than 40 characters is cut and ends in "...").
class EBladRaportu : public EInOutError {
public:
    explicit EBladRaportu(const std::string& cp1250Message) : EInOutError(cp1250Message) {}
};

struct TRaport {
    std::string Warunek;              // the condition as stored: header line and highlighting
    int32_t Izba = 0;
    int32_t Przepis = 0;
    std::vector<int32_t> Dokumenty;   // in file order, each 1..N, at most PojemnoscRaportu
    int32_t PozaMagazynem = 0;        // integers outside 1..N left out
    int32_t PonadPojemnosc = 0;       // documents past PojemnoscRaportu left out
    int32_t NieLiczby = 0;            // non-empty pieces of plik= that are not integers
};

// What the windows say when a report listed fewer documents than its file names (Windows-1250),
// empty when nothing was left out:
//   "Pominięto numery dokumentów spoza bazy: 3."
//   "Raport zawiera więcej dokumentów, niż mieści wynik (262143); pominięto ostatnie: 12."
std::string KomunikatPominietych(const TRaport& raport);

// Composes the text of a report from the checked entries 1..Liczba of the result table.
std::string TekstRaportu(const TcTablicaRaportu& tablica, std::string_view warunekPelny, int32_t izba,
                         int32_t przepis);
// The same with the query's WarunekPelny, Izba and Przepis.
std::string TekstRaportu(const TcTablicaRaportu& tablica, const TcZapytanie& zapytanie);

// Reads a report text; `plik` names the file in messages (Windows-1250, such as
// "Raporty/" + TekstNazwyPliku(name)); `liczbaDokumentow` is N. Throws EBladRaportu.
TRaport OdczytanieRaportu(std::string_view tekst, const std::string& plik, int32_t liczbaDokumentow);

// The header lines above page 0, in the order of TcTablicaRaportu::Naglowki: "WARUNEK: " and the
// condition, "IZBA: " and the chamber's name, "PRZEPIS: " and the provision's name; each empty
// when the condition is empty or the dictionary has no name for the number (0 included).
std::array<std::string, 3> NaglowkiRaportu(const TRaport& raport, const TcSlownikTxt& izby,
                                            const TcSlownikTxt& przepisy);

// The main window takes a read report over as its current result: the result table holds the
// report's documents in report order, all checked, page 0, with the report's header lines; the
// query's WarunekPelny is empty and Wynik holds exactly the report's documents. The query's
// Izba, Przepis and Raport are not touched; the window highlights with raport.Warunek.
// A document outside the query's store is the internal error "Nieoczekiwany błąd:
// PrzejecieRaportu.1.\n", raised before anything changes.
void PrzejecieRaportu(const TRaport& raport, const TcSlownikTxt& izby, const TcSlownikTxt& przepisy,
                      TcTablicaRaportu& tablica, TcZapytanie& zapytanie);
// The main window's whole reading of the report text it holds in zapytanie.Raport: reads it
// against the query's store, then PrzejecieRaportu. A refused text (EBladRaportu) changes
// nothing. Returns the report read (its condition is the new highlight condition).
TRaport OtwarcieRaportu(const std::string& plik, const TcSlownikTxt& izby, const TcSlownikTxt& przepisy,
                        TcTablicaRaportu& tablica, TcZapytanie& zapytanie);

// The documents the viewer lists on page `strona` (50 a page in report order), in its row order:
// entry date and time to the minute, later first, equal minutes in report order. `dataWpisu`
// gives a document's packed entry date-time (TDokument::Data).
std::vector<int32_t> DokumentyStrony(const std::vector<int32_t>& dokumenty, int32_t strona,
                                     const std::function<uint32_t(int32_t)>& dataWpisu);
