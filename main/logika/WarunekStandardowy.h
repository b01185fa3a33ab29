// The standard condition string: the query editor's four words and three operators written as
// double-quoted pieces joined by AND, OR, AND_NOT and OR_NOT, and read back into fields.
//
//   words {"podatek", "", "VAT*", ""}, operators {"LUB", "I NIE", "I"}
//     -> « "podatek" AND_NOT "VAT*"»        (the button before an empty field is ignored)
//   words {"", "", "akcyza", ""}             -> « "akcyza"»  (no code for the first piece)
//   « "a b" OR "c"»  read back               -> words {"a b", "c", "", ""}, operators {"LUB", "I", "I"}
//
// The windows keep the words as typed; texts here are Windows-1250 bytes.
#pragma once

#include <array>
#include <string>
#include <string_view>

using TSlowaWarunku = std::array<std::string, 4>;
using TOperatoryWarunku = std::array<std::string, 3>;   // button captions "I", "LUB", "I NIE", "LUB NIE"

// Builds the string; a caption outside the four is the internal error
// "Nieoczekiwany błąd: TfGlowne.PrzygotowanieWarunku.1.\r".
std::string PrzygotowanieWarunku(const TSlowaWarunku& slowa, const TOperatoryWarunku& operatory);

// How reading a string back ended.
enum class TKoniecOdczytu {
    Caly,            // every token used
    LubNie,          // an OR_NOT stopped the load; what came before it is filled
    BlednyOperator,  // another token in an operator position: internal error after filling
};

struct TOdczytanyWarunek {
    TSlowaWarunku Slowa;                           // unfilled fields stay empty
    TOperatoryWarunku Operatory{"I", "I", "I"};   // unfilled buttons read "I"
    bool PominietyOstatni = false;                 // a fifth word was dropped (more than 7 tokens)
    TKoniecOdczytu Koniec = TKoniecOdczytu::Caly;
};

// Splits the string and maps its tokens to fields and captions. More than 9 tokens is the
// internal error "Nieoczekiwany błąd: TfGlowne.OdczytanieWarunku.1.\r", raised at once.
TOdczytanyWarunek OdczytanieWarunku(std::string_view warunek);

// The caption an operator button takes when clicked: I -> LUB -> I NIE -> I ("LUB NIE" -> "I").
std::string NastepnyOperator(std::string_view podpis);

// A word field's text when the field is left: leading and trailing blanks and control
// characters removed; the untouched placeholder becomes empty.
std::string ObciecieSpacji(std::string_view tekst);

// "słowo/fraza - * dowolne litery" in Windows-1250: the first word field's text at start.
const std::string& TekstZastepczy();
