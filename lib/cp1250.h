// Polish text in Windows-1250: upper-casing, case-insensitive comparison and ordering,
// and conversion to and from UTF-8 / ISO-8859-2. Table-driven; the one place where the
// program knows the code page.
//
//   cp1250::upper("zażółć")               -> "ZAŻÓŁĆ" (as Windows-1250 bytes)
//   cp1250::equalsNoCase("Łódź", "ŁÓDŹ")  -> true
//   cp1250::compareNoCase("ą", "b") < 0, compareNoCase("a", "ą") < 0, compareNoCase("z", "ź") < 0
//   cp1250::fromUtf8(u8"Błąd")            -> "B\xB3\xB9" "d"
#pragma once

#include <string>
#include <string_view>

namespace cp1250 {

unsigned char upper(unsigned char c);
unsigned char lower(unsigned char c);
std::string upper(std::string_view text);
std::string lower(std::string_view text);

// Equality ignoring letter case, Polish letters included.
bool equalsNoCase(std::string_view a, std::string_view b);
// Ordering as Polish users expect it, ignoring letter case: a < ą < b < c < ć < ... < z < ź < ż.
// Returns <0, 0 or >0. Texts equal ignoring case compare 0.
int compareNoCase(std::string_view a, std::string_view b);
// Does text begin with prefix, ignoring case.
bool startsWithNoCase(std::string_view text, std::string_view prefix);

// UTF-8 -> Windows-1250; characters without a Windows-1250 code become `replacement`.
// Invalid UTF-8 bytes are replaced too.
std::string fromUtf8(std::string_view utf8, char replacement = '?');
std::string toUtf8(std::string_view cp1250Text);

// ISO-8859-2 <-> UTF-8 (the corpus's HTML and the dictionary files are ISO-8859-2).
std::string iso88592ToUtf8(std::string_view isoText);
std::string utf8ToIso88592(std::string_view utf8, char replacement = '?');
// Windows-1250 -> ISO-8859-2 (inverse of the full code-page mapping; unmappable -> '?').
std::string toIso88592(std::string_view cp1250Text);

// True when the bytes are valid UTF-8.
bool isValidUtf8(std::string_view bytes);

}  // namespace cp1250

// Polish literals of the engine: source files are UTF-8, the engine speaks Windows-1250.
// PL(u8"Błąd odczytu pliku '") gives the Windows-1250 bytes.
std::string PL(std::string_view utf8);
inline std::string PL(std::u8string_view utf8) {
    return PL(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}
