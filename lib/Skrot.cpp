#include "Skrot.h"

#include <cstring>
#include <initializer_list>

namespace {

constexpr uint64_t P1 = 0x9E3779B185EBCA87ull, P2 = 0xC2B2AE3D27D4EB4Full, P3 = 0x165667B19E3779F9ull,
                   P4 = 0x85EBCA77C2B2AE63ull, P5 = 0x27D4EB2F165667C5ull;

inline uint64_t Obrot(uint64_t x, int r) { return (x << r) | (x >> (64 - r)); }
inline uint64_t Runda(uint64_t a, uint64_t x) { return Obrot(a + x * P2, 31) * P1; }
inline uint64_t Czytaj8(const unsigned char* p) {
    uint64_t x;
    std::memcpy(&x, p, 8);
    return x;
}

}  // namespace

uint64_t mSkrot64(const void* dane, size_t bajty, uint64_t ziarno) {
    const auto* p = static_cast<const unsigned char*>(dane);
    const unsigned char* const koniec = p + bajty;
    uint64_t h;
    if (bajty >= 32) {
        uint64_t a = ziarno + P1 + P2, b = ziarno + P2, c = ziarno, d = ziarno - P1;
        for (; p + 32 <= koniec; p += 32) {
            a = Runda(a, Czytaj8(p));
            b = Runda(b, Czytaj8(p + 8));
            c = Runda(c, Czytaj8(p + 16));
            d = Runda(d, Czytaj8(p + 24));
        }
        h = Obrot(a, 1) + Obrot(b, 7) + Obrot(c, 12) + Obrot(d, 18);
        for (uint64_t l : {a, b, c, d}) h = (h ^ Runda(0, l)) * P1 + P4;
    } else {
        h = ziarno + P5;
    }
    h += uint64_t(bajty);
    for (; p + 8 <= koniec; p += 8) h = Obrot(h ^ Runda(0, Czytaj8(p)), 27) * P1 + P4;
    for (; p < koniec; ++p) h = Obrot(h ^ (uint64_t(*p) * P5), 11) * P1;
    h ^= h >> 33;
    h *= P2;
    h ^= h >> 29;
    h *= P3;
    h ^= h >> 32;
    return h;
}
