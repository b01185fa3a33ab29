// Body of the tokenizer template (included at the end of Analiza.h). The character classes are
// a 256-entry table so that the per-character test is one load.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace analiza_detail {

enum : uint8_t { ZnakSlowa = 1, Litera = 2, Cyfra = 4 };

constexpr std::array<uint8_t, 256> TablicaKlas() {
    std::array<uint8_t, 256> t{};
    for (int c = '0'; c <= '9'; ++c) t[c] = ZnakSlowa | Cyfra;
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = ZnakSlowa | Litera;
    t['*'] = ZnakSlowa | Litera;
    // Ś Ź Ł Ą Ż Ć Ę Ń Ó in Windows-1250.
    for (int c : {0x8C, 0x8F, 0xA3, 0xA5, 0xAF, 0xC6, 0xCA, 0xD1, 0xD3}) t[c] = ZnakSlowa | Litera;
    return t;
}

inline constexpr std::array<uint8_t, 256> Klasy = TablicaKlas();

inline uint8_t Klasa(char c) { return Klasy[static_cast<unsigned char>(c)]; }

}  // namespace analiza_detail

// Walks the text once; each token is a view into `tekst`, handed over as soon as it ends.
template <class Callback>
void PodzialTekstu(std::string_view tekst, std::string_view znaki, Callback&& callback) {
    using namespace analiza_detail;
    bool ograniczniki[256] = {};
    for (unsigned char c : znaki) ograniczniki[c] = true;

    const char* s = tekst.data();
    const size_t dl = tekst.size();
    size_t poczatek = 0, n = 0;
    bool liczbowy = false;
    for (size_t i = 0; i < dl; ++i) {
        const char c = s[i];
        uint8_t k = Klasa(c);
        if (!(k & ZnakSlowa) && c == '-' && i > 0 && i + 1 < dl && (Klasa(s[i - 1]) & Litera) &&
            (Klasa(s[i + 1]) & Litera))
            k = ZnakSlowa;   // a hyphen between two letters stays inside the word
        if (k & ZnakSlowa) {
            if (n == 0) {
                poczatek = i; n = 1; liczbowy = (k & Cyfra) != 0;
            } else if ((liczbowy && (k & Litera)) || (!liczbowy && (k & Cyfra))) {
                callback(std::string_view(s + poczatek, n));
                poczatek = i; n = 1; liczbowy = (k & Cyfra) != 0;
            } else {
                ++n;
            }
        } else {
            if (n > 0) {
                callback(std::string_view(s + poczatek, n));
                n = 0;
            }
            if (ograniczniki[static_cast<unsigned char>(c)]) callback(std::string_view(s + i, 1));
        }
    }
    if (n > 0) callback(std::string_view(s + poczatek, n));
}
