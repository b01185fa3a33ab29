// The result table: the documents of the current result with a check mark each, listed
// 50 to a page. Filled by a search (from a document set, highest document first) or by an
// opened report (in the report's order); read by saving a report and by mailing, which take
// the checked entries 1..Liczba.
//
//   TcTablicaRaportu t;
//   t.PrzygotowanieRaportu(wynik);            // all checked, page 0
//   t.PierwszaNaStronie() .. t.OstatniaNaStronie()   // entries listed now
//   t.Podsumowanie(50)   -> "LICZBA WYJAŚNIEŃ: [ 1 - 50 ] / 51"
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "TablicaLogiczna.h"

struct TPozycjaRaportu {
    int32_t NrDokumentu = 0;
    bool Zaznaczony = false;
};

class TcTablicaRaportu {
public:
    static constexpr int32_t Pojemnosc = 262143;   // as many as there can be documents
    static constexpr int32_t WielkoscStrony = 50;

    TcTablicaRaportu();

    // Entries 1..Pojemnosc; slot 0 holds nothing.
    std::vector<TPozycjaRaportu> Pozycje;
    int32_t Liczba = 0;
    int32_t BiezacaStrona = 0;
    // Header lines shown above page 0: "WARUNEK: ...", "IZBA: ...", "PRZEPIS: ...", each empty
    // when absent. An opened report sets them; a search empties them.
    std::array<std::string, 3> Naglowki;

    int32_t OstatniaStrona() const { return (Liczba - 1) / WielkoscStrony; }

    // From the highest document of the set down to 1, every member checked; page 0.
    void PrzygotowanieRaportu(const TcTablicaLogiczna& zbior);
    // Appends one entry (an opened report fills the table this way after Liczba = 0).
    void Dodanie(int32_t nrDokumentu, bool zaznaczony);

    int32_t PierwszaNaStronie() const { return BiezacaStrona * WielkoscStrony + 1; }
    // The last entry of the current page (smaller than the first when the page is empty).
    int32_t OstatniaNaStronie() const;

    // Stores a listed row's check mark into the entry holding that document; the current page
    // is looked at first, as that is where the listed rows come from.
    void UstawienieZaznaczenia(int32_t nrDokumentu, bool zaznaczony);
    // Entries 1..Liczba.
    void ZaznaczenieWszystkich(bool zaznaczony);
    int32_t LiczbaZaznaczonych() const;

    // When the paging actions are enabled.
    bool MoznaNaPoczatek() const { return Liczba > 0 && BiezacaStrona > 0; }
    bool MoznaDalej() const { return Liczba > 0 && BiezacaStrona < OstatniaStrona(); }
    bool MoznaNaKoniec() const { return Liczba > 0 && BiezacaStrona != OstatniaStrona(); }

    // The summary row's first line for a page holding `wierszy` document rows (Windows-1250):
    // "LICZBA WYJAŚNIEŃ: [ 51 - 51 ] / 51" above 50 results, "LICZBA WYJAŚNIEŃ: 50/50" otherwise.
    std::string Podsumowanie(int32_t wierszy) const;
};

// The same for `liczba` documents on page `strona` (the report viewer keeps no result table).
std::string PodsumowanieStrony(int32_t liczba, int32_t strona, int32_t wierszy);
