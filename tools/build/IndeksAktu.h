// The phrase index of an act's text: for each word, the stretch of text from that word's first
// character up to the next word's first character, and as its fragment the word followed by up
// to four further words of the same sentence, separated by "|", in the act's own letter case.
//
//   text "Art. 5. Podatnik płaci podatek."   (Windows-1250, as RtfNaTekst gives it)
//   fragments: "Art|5", "5", "Podatnik|płaci|podatek", "płaci|podatek", "podatek"
//   starts:     0, 5, 8, 17, 23, then the end bound 32 (text length + 1, past every caret position)
//
// Words are the tokens of PodzialTekstu on the upper-cased text; punctuation tokens are not
// words. A sentence ends at a line break, at ";", ":", "!" or "?", and at "." followed by a
// blank and a capital letter or digit, unless the word before the "." is a common legal
// abbreviation (art., ust., pkt, lit., poz., nr, r., Dz., U., zm., tj., np., m.in.).
// A fragment longer than 255 bytes loses its last candidates.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TIndeksAktu {
    std::vector<std::string> Fragmenty;   // one per word, fragment k at index k - 1
    std::vector<int32_t> Poczatki;        // Fragmenty.size() + 1 entries, the last the end bound
};

// `tekst`: the act's text (Windows-1250); `znaki`: the punctuation the index holds as words.
TIndeksAktu BudowaIndeksuAktu(std::string_view tekst, std::string_view znaki);
