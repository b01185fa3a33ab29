// The warnings shown when a stored standard condition is read back into word fields (the
// main window's query editor and the template editor say the same). UTF-8 literals.
#pragma once

namespace KomunikatyWarunku {

inline constexpr const char* TytulPominiecia = "Pominięcie ostatniego warunku";
inline constexpr const char* TekstPominiecia =
    "W aktualnej wersji aplikacji liczba standardowych warunków została ograniczona do 4.\n"
    "Dlatego ostatni warunek jest pominięty. Przepraszamy.";
inline constexpr const char* TytulLubNie = "Niemożliwe pobranie całego zapytania";
inline constexpr const char* TekstLubNie =
    "Całe zapytanie nie może być pobrane, ponieważ w aktualnej wersji aplikacji\n"
    "nie jest obsługiwany operator standardowy 'LUB NIE'. Przepraszamy.";

}  // namespace KomunikatyWarunku
