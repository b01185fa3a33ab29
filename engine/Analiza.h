// Tokenizer and highlighting: the one place that cuts text into the index's words, used on the
// query side (phrase search) and the document side (highlighting), so both cut identically.
//
// PodzialTekstu("ART.15 SPÓŁKA-MATKA", "§.", cb)  -> "ART", ".", "15", "SPÓŁKA-MATKA"
// (the text is upper-cased Windows-1250; lower-case letters are not word characters).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Calls `callback(token)` for every token as it ends. Template so the hot paths inline it.
template <class Callback>
void PodzialTekstu(std::string_view tekst, std::string_view znaki, Callback&& callback);

bool CzyZnakSlowa(unsigned char c);   // word character: * 0-9 A-Z and the nine Polish capitals
bool CzyLitera(unsigned char c);      // word character other than a digit

// HTML -> plain text with the position map (1-based HTML positions), blanks merged.
std::string TekstZHtml(std::string_view html, std::vector<int32_t>& mapa);

// The HTML with every whole-word occurrence of the phrase (without its quotes) wrapped in
// "<SPAN CLASS=" + klasa + ">" ... "</SPAN>". `znaki`: the store's indexed punctuation.
std::string WyroznienieFrazy(const std::string& fraza, const std::string& html, const std::string& klasa,
                             std::string_view znaki);

// What the main window and the report viewer do before writing "tmp.htm": split the highlight
// condition, check that it joins its phrases with one kind of operator (AND or OR), and mark
// every quoted phrase. A mixed condition (other operators, NOT, AND_NOT, OR_NOT, bare words)
// marks nothing and returns the HTML unchanged.
//
// With `formy` (searching all forms of words) each word of a phrase marks every word of the
// text that is one of its forms: formy(word) gives them, upper-cased; a word ending in "*"
// marks words beginning with what precedes the star.
using TFormySlowa = std::function<std::vector<std::string>(const std::string& slowoDuze)>;
std::string WyroznienieWarunku(const std::string& warunek, const std::string& html, std::string_view znaki,
                               const std::string& klasa = "wyroznienie", const TFormySlowa& formy = {});

#include "Analiza_impl.h"
