#include "TablicaLogiczna.h"

#include <algorithm>
#include <cstring>

void TcTablicaLogiczna::Wypelnienie(bool value) {
    if (Dane.size() > 1) std::memset(Dane.data() + 1, value ? 1 : 0, Dane.size() - 1);
}

void TcTablicaLogiczna::Iloczyn(const TcTablicaLogiczna& other) {
    const size_t n = std::min(Dane.size(), other.Dane.size());
    uint8_t* a = Dane.data();
    const uint8_t* b = other.Dane.data();
    for (size_t d = 1; d < n; ++d) a[d] &= b[d];
    // An other set shorter than this one (never within one query) holds false beyond its end.
    for (size_t d = std::max<size_t>(n, 1); d < Dane.size(); ++d) a[d] = 0;
}

void TcTablicaLogiczna::Suma(const TcTablicaLogiczna& other) {
    const size_t n = std::min(Dane.size(), other.Dane.size());
    uint8_t* a = Dane.data();
    const uint8_t* b = other.Dane.data();
    for (size_t d = 1; d < n; ++d) a[d] |= b[d];
}

void TcTablicaLogiczna::Negacja() {
    uint8_t* a = Dane.data();
    for (size_t d = 1; d < Dane.size(); ++d) a[d] ^= 1;
}

void TcTablicaLogiczna::Wyzerowanie(int32_t first, int32_t last) {
    const int32_t highest = int32_t(Dane.size()) - 1;
    if (first < 1) first = 1;   // entry 0 is never a document
    if (last > highest) last = highest;
    if (first > last) return;
    std::memset(Dane.data() + first, 0, size_t(last - first + 1));
}

int32_t TcTablicaLogiczna::Liczba() const {
    int32_t n = 0;
    for (size_t d = 1; d < Dane.size(); ++d) n += Dane[d];
    return n;
}
