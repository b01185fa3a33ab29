// What the query editor holds, as plain values, and how it becomes a query: the search run
// applies all of it to the loading query, a live count applies one field of it to the
// counting copy. The editor fills the struct from its widgets; nothing here knows a widget.
//
//   TParametryZapytania p = edytor.Parametry();
//   UstawienieZapytania(p, sesja.Zapytanie());                          // "Szukaj"
//   if (UstawienieLiczenia(p, TPoleLiczby::Slowo2, liczace, glowne))    // the count beside field 2
//       sesja.Wykonanie(liczace);
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "WarunekStandardowy.h"

class TcZapytanie;

// The counted conditions, in the order of their labels lbLiczba1..lbLiczba12: the query
// editor's six, then the act reader's act and five phrase buttons.
enum class TPoleLiczby { Slowo1, Slowo2, Slowo3, Slowo4, Izba, Przepis, Akt, Fraza1, Fraza2, Fraza3, Fraza4, Fraza5 };
inline constexpr int LiczbaPolLiczby = 12;
inline constexpr int LiczbaPolWarunkow = 6;   // Slowo1..Przepis, counted in conditions mode
inline constexpr int LiczbaFraz = 5;

struct TParametryZapytania {
    TSlowaWarunku Slowa;                         // the four word fields as typed
    TOperatoryWarunku Operatory{"I", "I", "I"};  // the three operator captions
    std::string WarunekDodatkowy;
    int32_t Izba = -1;                           // chosen chamber, -1 for all chambers
    int32_t Przepis = 0;                         // chosen provision, 0 for none
    bool Interpretacja = true;
    bool PismoMinisterstwa = true;
    bool TezaOrzeczenia = true;
    bool TylkoDoRaportu = false;
    bool WszystkieFormy = false;                 // every form of the phrases' words

    // The act reader.
    int32_t Akt = 0;                             // the act chosen in cxAkt (its number), 0 for none
    std::array<std::string, LiczbaFraz> Frazy;   // captions of the phrase buttons, "" when disabled
    int WybranaFraza = -1;                       // 0..4, -1 when no phrase button is chosen
};

// The whole query: standard condition from the words, the additional condition, chamber,
// provision, the three kinds and the report restriction.
void UstawienieZapytania(const TParametryZapytania& p, TcZapytanie& zapytanie);

// The act reader's search: the chosen phrase in double quotes among the documents citing the
// act, interpretations only, no chamber and no additional condition. With no phrase chosen the
// act alone is searched (the condition is emptied, never left from an earlier search).
void UstawienieZapytaniaAktu(const TParametryZapytania& p, TcZapytanie& zapytanie);

// One counted condition alone on the counting copy, with the editor's kinds and report
// restriction (restricted to the loading query's latest result, also before the first search).
// False when there is nothing to count (an empty field, no chamber, no provision, no act, a
// disabled phrase button). A phrase counts among the documents citing the act.
bool UstawienieLiczenia(const TParametryZapytania& p, TPoleLiczby pole, TcZapytanie& liczace,
                        const TcZapytanie& glowne);

// The phrase buttons for the candidates at the caret ("PODATNIK|PŁACI|PODATEK", fields
// separated by "|"): button n reads the first n words and is enabled while field n is not
// empty. The choice (-1 for none) is kept unless it lies after the last enabled button or none
// was chosen; then the longest phrase is chosen. With no button enabled nothing is chosen.
struct TFrazyAktu {
    std::array<std::string, LiczbaFraz> Napisy;
    int Wybrana = -1;
};
TFrazyAktu UstawienieFraz(std::string_view kandydaci, int wybrana);

// The candidates' value before the first lookup: differs from every lookup's result.
inline const std::string KandydaciNieznani(1, '\xFE');

// The first word field (0..3) whose phrase has more words than a phrase search takes, -1 when
// none; `znaki` is the store's indexed punctuation.
int PoleZaDlugiejFrazy(const TParametryZapytania& p, std::string_view znaki);
