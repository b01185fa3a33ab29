// Rich text (RTF) to the plain text an act is shown and indexed as, and plain paragraphs to
// simple RTF. Our own small reader: it keeps the characters a reader sees and drops the rest.
//
// The returned text is Windows-1250, one byte per character, so a plain-text view that shows
// it gives caret positions equal to byte offsets in it. Conventions:
//   \par, \line, \sect, \row      -> "\n" (every paragraph mark, the last one included)
//   \tab, \cell                    -> "\t"
//   \~ -> " ",  \- -> nothing,  \_ -> "-",  \emdash \endash \bullet and the typographic
//   quotes -> their Windows-1250 characters
//   \'hh -> the byte in the code page of the current font (its \fcharset or \cpg) or of the
//          document (\ansicpg, default 1250; plain \ansi is 1252); pages other than 1250 go
//          through Unicode, characters Windows-1250 lacks become "?"
//   \uN  -> the character (N may be negative), then \ucN (default 1) fallback characters skipped
// Skipped entirely: the font, colour and style tables, \info, \pict, \object, headers,
// footers, footnotes, field instructions, every {\* ...} destination and hidden text (\v).
// Field results and the fallback numbers of lists (\listtext, \pntext) are kept as text.
//
//   RtfNaTekst("{\\rtf1\\ansi\\ansicpg1250 Zaj\\'b9c\\par drugi\\tab x}") -> "Zaj\xB9" "c\ndrugi\tx"
//
// Input that does not begin with "{\rtf" is taken as plain text (CR LF and CR become "\n").
//
// RtfNaTekstZFormatem reads the same text together with what a formatted view needs: the
// character format of every character and the alignment of every line, each as in force where
// the reader writes it. Formaty lists where the format changes (the first entry at 0), Wyrownania
// holds one alignment per "\n" (the paragraph's, as in force at its \par) and one for the text
// after the last "\n" (as in force at the end). Plain text has the default format, left aligned.
//   \b \i \ul (\uld, \uldb, \ulw... too) and their ...0 forms, \ulnone, \fsN (half-points,
//   default 24), \plain back to the default; \ql \qc \qr \qj, \pard back to left
//
//   RtfNaTekstZFormatem("{\\rtf1 \\qc{\\b Tytu\\'b3}\\par\\pard\\fs20 tekst}")
//     -> Tekst "Tytu\xB3\ntekst", Formaty {0: bold 24, 5: 24, 6: 20}, Wyrownania {Srodek, Lewo}
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

std::string RtfNaTekst(std::string_view rtf);

struct TFormatRtf {
    bool Pogrubienie = false, Kursywa = false, Podkreslenie = false;
    int RozmiarPolpunktow = 24;
    bool operator==(const TFormatRtf&) const = default;
};
enum class TWyrownanieRtf : unsigned char { Lewo, Srodek, Prawo, Obustronnie };
struct TTekstRtf {
    std::string Tekst;                                   // exactly RtfNaTekst(rtf)
    std::vector<std::pair<size_t, TFormatRtf>> Formaty;  // the character format from this offset on, offsets ascending, first at 0
    std::vector<TWyrownanieRtf> Wyrownania;              // one per line of Tekst: per "\n" and one for the text after the last "\n"
};
TTekstRtf RtfNaTekstZFormatem(std::string_view rtf);

// Paragraphs (Windows-1250) as an RTF document in code page 1250: bytes from 0x80 as \'hh,
// "\t" as \tab, "\n" inside a paragraph as \line, each paragraph closed by \par. Paragraph i
// is a bold heading, centred at 12 points, when pogrubione[i] is true; the others are justified
// at 10 points. RtfNaTekst of the result gives the paragraphs, each followed by "\n".
std::string TekstNaRtf(const std::vector<std::string>& akapity, const std::vector<bool>& pogrubione = {});
