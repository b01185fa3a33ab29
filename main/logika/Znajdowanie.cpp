#include "Znajdowanie.h"

#include <algorithm>

#include "cp1250.h"

namespace {

bool ZnakWyrazu(unsigned char c) {
    if (c >= '0' && c <= '9') return true;
    // Letters are the bytes with two cases, and the few letters of the page that have one.
    return cp1250::upper(c) != cp1250::lower(c) || c == 0xDF || c == 0xB5;
}

}  // namespace

std::optional<int32_t> TcZnajdowanie::SzukanieTekstu(bool kontynuacja, std::string_view tekst,
                                                     int32_t poczatekZaznaczenia, int32_t dlugoscZaznaczenia) {
    if (SzukanyTekst.empty()) return std::nullopt;
    int64_t start = poczatekZaznaczenia;
    if (kontynuacja && OstatniaPozycja != -1) start += dlugoscZaznaczenia;
    start = std::clamp<int64_t>(start, 0, int64_t(tekst.size()));
    const std::string wzor = cp1250::upper(SzukanyTekst);
    const std::string duze = cp1250::upper(tekst);
    OstatniaPozycja = -1;
    for (size_t p = duze.find(wzor, size_t(start)); p != std::string::npos; p = duze.find(wzor, p + 1)) {
        if (CaleWyrazy) {
            const size_t koniec = p + wzor.size();
            if (p > 0 && ZnakWyrazu(static_cast<unsigned char>(duze[p - 1]))) continue;
            if (koniec < duze.size() && ZnakWyrazu(static_cast<unsigned char>(duze[koniec]))) continue;
        }
        OstatniaPozycja = int32_t(p);
        break;
    }
    return OstatniaPozycja;
}
