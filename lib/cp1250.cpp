// Windows-1250 tables: case mapping, Polish collation weights and the code point of every byte.
#include "cp1250.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Code points of bytes 0x80..0xFF. The five bytes Windows leaves unassigned (0x81, 0x83, 0x88,
// 0x90, 0x98) map to the C1 control of the same number, as Windows' own conversion does, so
// every byte survives a round trip through UTF-8.
constexpr char16_t kGora1250[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// ISO-8859-2 differs from Windows-1250 only in 0x80..0xBF: 0x80..0x9F are the C1 controls,
// 0xA0..0xBF are listed here; 0xC0..0xFF are the same letters in both.
constexpr char16_t kIsoA0[32] = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7,  // A0
    0x00A8, 0x0160, 0x015E, 0x0164, 0x0179, 0x00AD, 0x017D, 0x017B,  // A8
    0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,  // B0
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C,  // B8
};

char16_t kodWin(unsigned char c) { return c < 0x80 ? c : kGora1250[c - 0x80]; }
char16_t kodIso(unsigned char c) {
    if (c < 0xA0) return c;
    if (c < 0xC0) return kIsoA0[c - 0xA0];
    return kGora1250[c - 0x80];
}

// Pairs (lower, upper) of the letters beyond ASCII; 0xE0..0xFE pair with 0xC0..0xDE below.
constexpr unsigned char kParyLiter[][2] = {
    {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F},
    {0xB3, 0xA3}, {0xB9, 0xA5}, {0xBA, 0xAA}, {0xBE, 0xBC}, {0xBF, 0xAF},
};

struct Tablice {
    unsigned char gora[256];
    unsigned char dol[256];
    // Primary collation weight: non-letters by their byte value, letters from 0x100 up in Polish
    // alphabetical order; a letter with a diacritic foreign to Polish shares its base letter's weight.
    uint16_t waga[256];
    unsigned char doIso[256];

    Tablice() {
        for (int c = 0; c < 256; ++c) { gora[c] = dol[c] = static_cast<unsigned char>(c); }
        for (int c = 'a'; c <= 'z'; ++c) { gora[c] = static_cast<unsigned char>(c - 32); dol[c - 32] = static_cast<unsigned char>(c); }
        for (int c = 0xE0; c <= 0xFE; ++c) {
            if (c == 0xF7) continue;  // division sign; 0xD7 is the multiplication sign
            gora[c] = static_cast<unsigned char>(c - 32);
            dol[c - 32] = static_cast<unsigned char>(c);
        }
        for (auto& p : kParyLiter) { gora[p[0]] = p[1]; dol[p[1]] = p[0]; }

        // Upper-case letters in collation order; each string is one primary weight.
        static const char* const kAlfabet[] = {
            "A\xC1\xC2\xC3\xC4", "\xA5",            // a á â ă ä, ą
            "B", "C\xC7\xC8", "\xC6",               // b, c ç č, ć
            "D\xCF\xD0", "E\xC9\xCB\xCC", "\xCA",   // d ď đ, e é ë ě, ę
            "F", "G", "H", "I\xCD\xCE", "J", "K",
            "L\xC5\xBC", "\xA3",                    // l ĺ ľ, ł
            "M", "N\xD2", "\xD1",                   // m, n ň, ń
            "O\xD4\xD5\xD6", "\xD3",                // o ô ő ö, ó
            "P", "Q", "R\xC0\xD8", "S\x8A\xAA\xDF", "\x8C",  // r ŕ ř, s š ş ß, ś
            "T\x8D\xDE", "U\xD9\xDA\xDB\xDC", "V", "W", "X", "Y\xDD",
            "Z\x8E", "\x8F", "\xAF",                // z ž, ź, ż
        };
        for (int c = 0; c < 256; ++c) waga[c] = static_cast<uint16_t>(c);
        uint16_t w = 0x100;
        for (const char* grupa : kAlfabet) {
            for (const char* p = grupa; *p; ++p) {
                auto g = static_cast<unsigned char>(*p);
                waga[g] = w;
                waga[dol[g]] = w;
            }
            ++w;
        }
        waga[0xFF] = 0xFF;  // dot above: not a letter despite sitting among them

        for (int c = 0; c < 256; ++c) doIso[c] = '?';
        for (int iso = 0; iso < 256; ++iso) {
            char16_t u = kodIso(static_cast<unsigned char>(iso));
            for (int win = 0; win < 256; ++win)
                if (kodWin(static_cast<unsigned char>(win)) == u) { doIso[win] = static_cast<unsigned char>(iso); break; }
        }
    }
};

const Tablice& tablice() {
    static const Tablice t;
    return t;
}

// Code point -> byte of an 8-bit code page, by binary search over the code page's upper half.
class OdwrotnaTablica {
public:
    explicit OdwrotnaTablica(char16_t (*kod)(unsigned char)) {
        for (int c = 0x80; c < 256; ++c) pary_[c - 0x80] = {kod(static_cast<unsigned char>(c)), static_cast<unsigned char>(c)};
        std::sort(pary_.begin(), pary_.end());
    }
    // -1 when the code page has no such character.
    int bajt(char32_t u) const {
        if (u < 0x80) return static_cast<int>(u);
        auto it = std::lower_bound(pary_.begin(), pary_.end(), std::pair<char16_t, unsigned char>(static_cast<char16_t>(u), 0));
        if (u > 0xFFFF || it == pary_.end() || it->first != u) return -1;
        return it->second;
    }
private:
    std::array<std::pair<char16_t, unsigned char>, 128> pary_{};
};

void dopiszUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when the bytes there are not
// a valid sequence (overlong forms and surrogates included).
size_t dekodujUtf8(std::string_view text, size_t i, char32_t& u) {
    auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) { u = b0; return 1; }
    size_t len;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) { len = 2; u = b0 & 0x1F; min = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { len = 3; u = b0 & 0x0F; min = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { len = 4; u = b0 & 0x07; min = 0x10000; }
    else return 0;
    if (i + len > text.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        u = (u << 6) | (b & 0x3F);
    }
    if (u < min || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return 0;
    return len;
}

std::string zUtf8(std::string_view utf8, const OdwrotnaTablica& tablica, char replacement) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t u;
        size_t len = dekodujUtf8(utf8, i, u);
        if (len == 0) { out += replacement; ++i; continue; }
        int b = tablica.bajt(u);
        out += b < 0 ? replacement : static_cast<char>(b);
        i += len;
    }
    return out;
}

const OdwrotnaTablica& odwrotnaWin() { static const OdwrotnaTablica t(kodWin); return t; }
const OdwrotnaTablica& odwrotnaIso() { static const OdwrotnaTablica t(kodIso); return t; }

}  // namespace

namespace cp1250 {

unsigned char upper(unsigned char c) { return tablice().gora[c]; }
unsigned char lower(unsigned char c) { return tablice().dol[c]; }

std::string upper(std::string_view text) {
    const auto& t = tablice();
    std::string out(text);
    for (char& c : out) c = static_cast<char>(t.gora[static_cast<unsigned char>(c)]);
    return out;
}

std::string lower(std::string_view text) {
    const auto& t = tablice();
    std::string out(text);
    for (char& c : out) c = static_cast<char>(t.dol[static_cast<unsigned char>(c)]);
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto& t = tablice();
    for (size_t i = 0; i < a.size(); ++i)
        if (t.gora[static_cast<unsigned char>(a[i])] != t.gora[static_cast<unsigned char>(b[i])]) return false;
    return true;
}

int compareNoCase(std::string_view a, std::string_view b) {
    const auto& t = tablice();
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int wa = t.waga[static_cast<unsigned char>(a[i])];
        int wb = t.waga[static_cast<unsigned char>(b[i])];
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    // Same primary letters: letters differing only by a foreign diacritic (a, á) are still
    // ordered, so that only texts equal ignoring case compare equal.
    for (size_t i = 0; i < n; ++i) {
        int ga = t.gora[static_cast<unsigned char>(a[i])];
        int gb = t.gora[static_cast<unsigned char>(b[i])];
        if (ga != gb) return ga < gb ? -1 : 1;
    }
    return 0;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string fromUtf8(std::string_view utf8, char replacement) { return zUtf8(utf8, odwrotnaWin(), replacement); }

std::string toUtf8(std::string_view cp1250Text) {
    std::string out;
    out.reserve(cp1250Text.size() + cp1250Text.size() / 4);
    for (unsigned char c : cp1250Text) dopiszUtf8(out, kodWin(c));
    return out;
}

std::string iso88592ToUtf8(std::string_view isoText) {
    std::string out;
    out.reserve(isoText.size() + isoText.size() / 4);
    for (unsigned char c : isoText) dopiszUtf8(out, kodIso(c));
    return out;
}

std::string utf8ToIso88592(std::string_view utf8, char replacement) { return zUtf8(utf8, odwrotnaIso(), replacement); }

std::string toIso88592(std::string_view cp1250Text) {
    const auto& t = tablice();
    std::string out(cp1250Text);
    for (char& c : out) c = static_cast<char>(t.doIso[static_cast<unsigned char>(c)]);
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        char32_t u;
        size_t len = dekodujUtf8(bytes, i, u);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

}  // namespace cp1250

std::string PL(std::string_view utf8) { return cp1250::fromUtf8(utf8); }
