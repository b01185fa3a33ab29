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

// The counted conditions, in the order of their labels lbLiczba1..lbLiczba6.
enum class TPoleLiczby { Slowo1, Slowo2, Slowo3, Slowo4, Izba, Przepis };
inline constexpr int LiczbaPolLiczby = 6;

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
};

// The whole query: standard condition from the words, the additional condition, chamber,
// provision, the three kinds and the report restriction.
void UstawienieZapytania(const TParametryZapytania& p, TcZapytanie& zapytanie);

// One counted condition alone on the counting copy, with the editor's kinds and report
// restriction (restricted to the loading query's latest result, also before the first search).
// False when there is nothing to count (an empty field, no chamber, no provision).
bool UstawienieLiczenia(const TParametryZapytania& p, TPoleLiczby pole, TcZapytanie& liczace,
                        const TcZapytanie& glowne);

// The first word field (0..3) whose phrase has more words than a phrase search takes, -1 when
// none; `znaki` is the store's indexed punctuation.
int PoleZaDlugiejFrazy(const TParametryZapytania& p, std::string_view znaki);
