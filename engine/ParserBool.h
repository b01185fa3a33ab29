// The condition parser: analyses a condition in the AND / OR / NOT language and evaluates it,
// in the same pass, into a document set.
//
//   «"podatek dochodowy" AND NOT "ryczałt"»   phrase with the word excluded
//   «"a" OR "b" AND "c"»                      = «"a" OR ("b" AND "c")»
//   «podatek and vat»                         operators in any case, quotes optional
//   «"a" "b"»                                 fails: "Brak operatora działania.", position 5, length 3
//
// Parentheses nest at most MaksZagniezdzenia deep (the analysis recurses once per level and
// keeps a document set per pending operator): deeper fails with "Nawiasy zagnieżdżone zbyt
// głęboko (najwyżej 1000 poziomów)." at the first parenthesis too many.
//
// A phrase that comes back in one condition is searched once: its documents are kept for the
// analysis, up to PamiecFraz bytes of sets, so a pasted condition repeating one frequent word
// thousands of times costs one search of it.
//
// After a failed analysis Blad holds the Polish message and PozycjaBledu / DlugoscBledu the
// 1-based position and length of the offending token in the text as typed (0 / 1 when none).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "TablicaLogiczna.h"
#include "ZrodloFraz.h"

class EBladWarunku : public std::runtime_error {
public:
    explicit EBladWarunku(const std::string& m) : std::runtime_error(m) {}
};

class TcParserBool {
public:
    static constexpr int32_t MaksZagniezdzenia = 1000;
    static constexpr size_t PamiecFraz = size_t(16) << 20;

    // Phrases are searched in `zrodlo` (in the program, the loading query object).
    explicit TcParserBool(IZrodloFraz& zrodlo);

    std::string Blad;
    int32_t PozycjaBledu = 0;
    int32_t DlugoscBledu = 1;
    std::vector<std::string> Skladniki;
    int32_t Biezacy = 0;
    std::string Tekst;

    bool AnalizaWarunku(const std::string& warunek, TcTablicaLogiczna& wynik);

private:
    void PodzialNaSkladniki();
    void AnalizaWyrazenia(int poziom, TcTablicaLogiczna& zbior);
    void AnalizaSkladnika(TcTablicaLogiczna& zbior);
    bool AnalizaNawiasu(TcTablicaLogiczna& zbior);
    const char* RozpoznanieOperatora(int poziom);
    [[noreturn]] void ZgloszenieBledu(int32_t indeks, const std::string& komunikat);

    IZrodloFraz& zrodlo_;
    int32_t glebokosc_ = 0;   // parentheses open at the current token
    std::unordered_map<std::string, TcTablicaLogiczna> znalezione_;   // phrases of this analysis
    std::unordered_set<std::string_view> powtorzone_;   // tokens of Skladniki named more than once
    size_t bajtyZnalezionych_ = 0;
};
