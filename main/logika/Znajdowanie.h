// The finder of the act reader: the text to find, whether only whole words count, and where
// the last match was. It searches the text the reader shows (Windows-1250, one byte per
// caret position) forward from the caret, never wrapping round to the start.
//
//   TcZnajdowanie z;  z.SzukanyTekst = "podatnik";
//   auto p = z.SzukanieTekstu(false, tekst, kursor, 0);     // first match at or after the caret
//   p = z.SzukanieTekstu(true, tekst, *p, 8);               // F5: the next one after it
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TcZnajdowanie {
public:
    std::string SzukanyTekst;        // Windows-1250; empty until the first find
    bool CaleWyrazy = false;
    int32_t OstatniaPozycja = -1;    // position of the last match, -1 after a failed find

    // The match's position, -1 when there is none from the start position to the end of the
    // text (OstatniaPozycja becomes the result); nothing when there is no text to find. The
    // search starts at the selection's start, or at its end when continuing after a match.
    // Letters compare without regard to Polish letter case; with CaleWyrazy a match must not
    // have a letter or digit right before or after it.
    std::optional<int32_t> SzukanieTekstu(bool kontynuacja, std::string_view tekst, int32_t poczatekZaznaczenia,
                                          int32_t dlugoscZaznaczenia);
};
