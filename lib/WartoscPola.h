// Values of the typed edit fields: numbers, dates and times read from the text a user typed
// or pasted, and the completion of a short date or time. Plain bytes in, plain values out, so
// that the field (controls/EditNew) only moves text between itself and these functions.
//
//   OdczytLiczby("-12", false)                 -> Dobra, -12
//   OdczytLiczby("99999999999", false)         -> ZaDuzaCalkowita
//   UzupelnionaData("1204", {2003, 3, 21})      -> "12-04-2003"
//   OdczytDaty("31-02-2005")                   -> nothing (no such day)
//   UzupelnionyCzas("123", false)              -> "12:03"
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mWartosc {

struct Liczba {
    enum Wynik {
        Pusta,             // "" or a lone "-": no value yet, no warning
        Dobra,
        ZaDuzaCalkowita,   // an integer beyond -2147483647..2147483647
        Bledna,            // not a number, or beyond the range of a float
    };
    Wynik wynik = Pusta;
    int calkowita = 0;     // the integer part of a float too, 0 when it does not fit
    double rzeczywista = 0;
};

// The text with only what a number field keeps: digits, '-' and, in a float field, ',' '.'.
std::string OczyszczonaLiczba(std::string_view tekst, bool rzeczywista);
// "12-" and "1-2" both read as -12: a minus that is not first goes to the front.
std::string MinusNaPoczatek(std::string_view tekst);
// Reads a cleaned text (see OczyszczonaLiczba) of an integer or a float field.
Liczba OdczytLiczby(std::string_view tekst, bool rzeczywista);

struct Data {
    int rok = 0, miesiac = 0, dzien = 0;
};

// The date text a date field shows when left: the digits of the text completed with today's
// month and year ("5" -> "05-MM-RRRR"), or the digits alone when there are too many.
std::string UzupelnionaData(std::string_view tekst, Data dzis);
// "DD-MM-RRRR" exactly, a day that exists (years 1 to 9999).
std::optional<Data> OdczytDaty(std::string_view tekst);
// Days from 30 December 1899, the program's date values.
long DniOd1899(Data data);

// The same for a time field: "9" -> "09:00" ("09:00:00" with seconds).
std::string UzupelnionyCzas(std::string_view tekst, bool sekundy);
// "GG:MM" or "GG:MM:SS" exactly: the seconds since midnight.
std::optional<int> OdczytCzasu(std::string_view tekst, bool sekundy);

}  // namespace mWartosc
