// Text utilities: tokens and fields, code-page mapping, HTML to text, CRC-16, the scrambler.
#include <array>

#include "mLib.h"

// ---- Tokens, fields, joining ----

void mStringParser(std::string_view text, const TZbiorZnakow& separators, const TZbiorZnakow& quotes,
                   bool keepSeparators, TListaTekstow& list) {
    for (int c = 0; c < 256; ++c)
        if (separators.zawiera(static_cast<unsigned char>(c)) && quotes.zawiera(static_cast<unsigned char>(c)))
            mBladWewnetrzny("mStringParser", 1);

    // The pending token is always the n characters just before position i.
    size_t n = 0;
    bool wCudzyslowie = false;
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (separators.zawiera(c) && !wCudzyslowie) {
            if (n > 0) { list.emplace_back(text.substr(i - n, n)); n = 0; }
            if (keepSeparators && c != ' ') list.emplace_back(1, static_cast<char>(c));
        } else if (quotes.zawiera(c)) {
            wCudzyslowie = !wCudzyslowie;
            if (wCudzyslowie && n > 0) { list.emplace_back(text.substr(i - n, n)); n = 0; }
            if (keepSeparators) ++n;
            if (!wCudzyslowie) {
                // With keep the token runs up to and including this quote.
                list.emplace_back(keepSeparators ? text.substr(i + 1 - n, n) : text.substr(i - n, n));
                n = 0;
            }
        } else {
            ++n;
        }
    }
    if (n > 0) list.emplace_back(text.substr(text.size() - n, n));
}

void mSplit(std::string_view text, TListaTekstow& list, const TZbiorZnakow& separators) {
    mStringParser(text, separators, TZbiorZnakow(), false, list);
}

std::string mJoin(std::string_view first, std::string_view separator, std::string_view second) {
    if (first.empty()) return std::string(second);
    std::string out;
    out.reserve(first.size() + separator.size() + second.size());
    out.append(first).append(separator).append(second);
    return out;
}

std::string mJoinList(const TListaTekstow& list, std::string_view separator) {
    std::string out;
    for (const auto& s : list) {
        if (out.empty()) out = s;
        else out.append(separator).append(s);
    }
    return out;
}

TPole mField(std::string_view text, char separator, int n) {
    if (n < 1) return {std::string(), false};
    // Positions are 1-based; 0 stands before the first character.
    size_t pozycja = 0;
    for (int k = 1; k < n; ++k) {
        size_t p = text.find(separator, pozycja);
        if (p == std::string_view::npos) return {std::string(), false};
        pozycja = p + 1;
    }
    size_t p = text.find(separator, pozycja);
    size_t koniec = p == std::string_view::npos ? text.size() + 1 : p + 1;
    return {std::string(text.substr(pozycja, koniec - pozycja - 1)), true};
}

// ---- Character mapping ----

std::string mControlToSpaces(std::string_view text, const TZbiorZnakow& kept) {
    std::string out(text);
    for (char& c : out) {
        auto b = static_cast<unsigned char>(c);
        if (b < 32 && !kept.zawiera(b)) c = ' ';
    }
    return out;
}

namespace {

struct MapaZnakow {
    std::array<unsigned char, 256> t{};
    MapaZnakow(std::string_view from, std::string_view to) {
        for (int c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(c);
        std::array<bool, 256> zajete{};
        for (size_t k = 0; k < from.size(); ++k) {
            auto c = static_cast<unsigned char>(from[k]);
            if (zajete[c]) continue;  // the first occurrence decides
            zajete[c] = true;
            if (k < to.size()) t[c] = static_cast<unsigned char>(to[k]);
        }
    }
    void zastosuj(std::string& s) const {
        for (char& c : s) c = static_cast<char>(t[static_cast<unsigned char>(c)]);
    }
};

// The Polish letters of ISO-8859-2 and their Windows-1250 codes (ą ć ę ł ń ó ś ź ż, then capitals).
const MapaZnakow& mapaIsoWin() {
    static const MapaZnakow m("\xB1\xE6\xEA\xB3\xF1\xF3\xB6\xBC\xBF\xA1\xC6\xCA\xA3\xD1\xD3\xA6\xAC\xAF",
                              "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    return m;
}

}  // namespace

std::string mCharMap(std::string_view text, std::string_view from, std::string_view to) {
    std::string out(text);
    MapaZnakow(from, to).zastosuj(out);
    return out;
}

std::string mIsoToWin(std::string_view text) {
    std::string out(text);
    mapaIsoWin().zastosuj(out);
    return out;
}

// ---- HTML to text ----

namespace {

bool rowneAscii(std::string_view a, std::string_view upperB) {
    if (a.size() != upperB.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        if (c != upperB[i]) return false;
    }
    return true;
}

// One pass over the HTML; `positions`, when given, receives the 1-based source position of
// every output character.
std::string htmlNaTekst(std::string_view html, std::vector<int32_t>* positions) {
    std::string out;
    out.reserve(html.size());
    if (positions) { positions->clear(); positions->reserve(html.size()); }
    auto wyjscie = [&](char c, size_t zrodlo) {
        out += c;
        if (positions) positions->push_back(static_cast<int32_t>(zrodlo + 1));
    };

    bool wZnaczniku = false, nazwaKompletna = false, wEncji = false, pomijanie = false;
    // The tag name outlives its tag: a stray '>' closes the last tag once more.
    std::string znacznik, encja;
    size_t poczatekEncji = 0;

    for (size_t i = 0; i < html.size(); ++i) {
        char c = html[i];
        auto b = static_cast<unsigned char>(c);
        if (c == '&') {
            wEncji = true;
            encja.clear();
            poczatekEncji = i;
        } else if (c == '<') {
            wZnaczniku = true;
            nazwaKompletna = false;
            znacznik.clear();
        } else if (c == '>') {
            wZnaczniku = false;
            if (rowneAscii(znacznik, "STYLE") || rowneAscii(znacznik, "TITLE") || rowneAscii(znacznik, "SCRIPT")) {
                pomijanie = true;
            } else if (rowneAscii(znacznik, "/STYLE") || rowneAscii(znacznik, "/TITLE") || rowneAscii(znacznik, "/SCRIPT")) {
                pomijanie = false;
            } else if (rowneAscii(znacznik, "P") || rowneAscii(znacznik, "BR") || rowneAscii(znacznik, "/DIV")) {
                wyjscie('\n', i);
            } else if (rowneAscii(znacznik, "/H1")) {
                wyjscie('\n', i);
                wyjscie('\n', i);
            } else if (rowneAscii(znacznik, "HR")) {
                wyjscie('\n', i);
                for (int k = 0; k < 80; ++k) wyjscie('-', i);
                wyjscie('\n', i);
            }
        } else if (wEncji) {
            if (c == ';') {
                wEncji = false;
                if (!pomijanie) {
                    char z = 0;
                    if (rowneAscii(encja, "GT")) z = '>';
                    else if (rowneAscii(encja, "LT")) z = '<';
                    else if (rowneAscii(encja, "AMP")) z = '&';
                    else if (rowneAscii(encja, "NBSP")) z = ' ';
                    // The entity's character stands where its '&' stood.
                    if (z) wyjscie(z, poczatekEncji);
                }
            } else if (encja.size() < 8) {
                encja += c;
            }
        } else if (wZnaczniku) {
            if (!nazwaKompletna) {
                if (b <= ' ') {
                    if (!znacznik.empty()) nazwaKompletna = true;
                } else if (znacznik.size() < 20) {
                    znacznik += c;
                } else {
                    nazwaKompletna = true;
                }
            }
        } else if (pomijanie) {
            // content of STYLE, TITLE, SCRIPT
        } else if (c == '\r') {
            if (i + 1 < html.size() && html[i + 1] != '\n') wyjscie(' ', i);
        } else if (b <= ' ') {
            if (out.empty() || out.back() != ' ') wyjscie(' ', i);
        } else {
            wyjscie(c, i);
        }
    }
    mapaIsoWin().zastosuj(out);
    return out;
}

}  // namespace

std::string mHtmlToText(std::string_view html) { return htmlNaTekst(html, nullptr); }

std::string mHtmlToText(std::string_view html, std::vector<int32_t>& positions) { return htmlNaTekst(html, &positions); }

// ---- CRC-16 ----

namespace {

constexpr std::array<uint16_t, 256> tablicaCrc() {
    std::array<uint16_t, 256> t{};
    for (int b = 0; b < 256; ++b) {
        uint16_t crc = static_cast<uint16_t>(b);
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
        t[b] = crc;
    }
    return t;
}

constexpr std::array<uint16_t, 256> kCrc = tablicaCrc();

}  // namespace

uint16_t mCrc16Byte(uint8_t byte, uint16_t checksum) {
    checksum ^= byte;
    for (int k = 0; k < 8; ++k)
        checksum = (checksum & 1) ? static_cast<uint16_t>((checksum >> 1) ^ 0xA001) : static_cast<uint16_t>(checksum >> 1);
    return checksum;
}

uint16_t mCrc16(std::string_view text, uint16_t start) {
    // The start value arrives with its bytes swapped; the result is not swapped back.
    auto crc = static_cast<uint16_t>((start << 8) | (start >> 8));
    for (unsigned char b : text) crc = static_cast<uint16_t>((crc >> 8) ^ kCrc[(crc ^ b) & 0xFF]);
    return crc;
}

// ---- Scrambler ----

void mScrambleInPlace(char* data, size_t length, std::string_view key, const TZbiorZnakow& kept) {
    if (key.empty()) return;
    // The key advances with every position, kept or not; a counter that wraps avoids a division.
    const size_t dlugoscKlucza = key.size();
    size_t k = 0;
    for (size_t i = 0; i < length; ++i) {
        auto c = static_cast<unsigned char>(data[i]);
        auto x = static_cast<unsigned char>(c ^ static_cast<unsigned char>(key[k]));
        if (!kept.zawiera(c) && !kept.zawiera(x)) data[i] = static_cast<char>(x);
        if (++k == dlugoscKlucza) k = 0;
    }
}

std::string mScramble(std::string_view text, std::string_view key, const TZbiorZnakow& kept) {
    std::string out(text);
    mScrambleInPlace(out.data(), out.size(), key, kept);
    return out;
}
