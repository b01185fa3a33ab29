#include "TablicaLogiczna.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "TablicaPliku.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void* PamiecZerowa(std::size_t bajty) {
    void* p = std::calloc(bajty, 1);
    if (!p) throw std::bad_alloc();
    if (bajty >= 64 * 1024) Zamieszkanie(p, bajty);
    return p;
}

namespace {

// The passes that read a whole set are written so that the compiler vectorises them; on x86-64
// they are built twice, for AVX2 and for any processor, and the loader picks one.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_ADDRESS__)
#define WEKTOROWO __attribute__((target_clones("avx2", "default")))
#else
#define WEKTOROWO
#endif

constexpr size_t kPas = 64;   // entries per vector step

// Nonzero entries of p[1..n): per-lane byte counters, widened every 255 steps.
WEKTOROWO int64_t LiczbaNiezerowych(const uint8_t* p, size_t n) {
    int64_t wynik = 0;
    size_t i = 1;
    while (i + kPas <= n) {
        uint8_t licz[kPas] = {};
        const size_t kroki = std::min<size_t>(255, (n - i) / kPas);
        for (size_t k = 0; k < kroki; ++k, i += kPas)
            for (size_t j = 0; j < kPas; ++j) licz[j] += p[i + j] != 0;
        for (size_t j = 0; j < kPas; ++j) wynik += licz[j];
    }
    for (; i < n; ++i) wynik += p[i] != 0;
    return wynik;
}

// Bit i set when p[i] is nonzero, i < kPas.
inline uint64_t MaskaNiezerowych(const uint8_t* p) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    uint64_t maska = 0;
    for (size_t i = 0; i < kPas; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        maska |= uint64_t(uint32_t(~_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)) & 0xFFFF)) << i;
    }
    return maska;
#else
    uint64_t maska = 0;
    for (size_t i = 0; i < kPas; ++i) maska |= uint64_t(p[i] != 0) << i;
    return maska;
#endif
}

// Are the kPas entries at p all zero?
inline bool Pusty(const uint8_t* p) {
#if defined(__SSE2__)
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    for (size_t i = 16; i < kPas; i += 16) v = _mm_or_si128(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)));
    return _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128())) == 0xFFFF;
#else
    uint64_t slowa[kPas / 8];
    std::memcpy(slowa, p, kPas);
    uint64_t jest = 0;
    for (uint64_t s : slowa) jest |= s;
    return jest == 0;
#endif
}

// Ascending indexes of the nonzero entries of p[1..n), appended to `numery`: a block of kPas
// entries is tested at once, so an empty stretch costs a few vector operations per block.
WEKTOROWO void NumeryNiezerowych(const uint8_t* p, size_t n, std::vector<int32_t>& numery) {
    size_t i = 1;
    for (; i < n && (i % kPas) != 0; ++i)
        if (p[i]) numery.push_back(int32_t(i));
    for (; i + kPas <= n; i += kPas) {
        if (Pusty(p + i)) continue;
        for (uint64_t m = MaskaNiezerowych(p + i); m != 0; m &= m - 1)
            numery.push_back(int32_t(i + size_t(__builtin_ctzll(m))));
    }
    for (; i < n; ++i)
        if (p[i]) numery.push_back(int32_t(i));
}

WEKTOROWO void Iloczyn(uint8_t* a, const uint8_t* b, size_t n) {
    for (size_t d = 1; d < n; ++d) a[d] &= b[d];
}
WEKTOROWO void Suma(uint8_t* a, const uint8_t* b, size_t n) {
    for (size_t d = 1; d < n; ++d) a[d] |= b[d];
}
WEKTOROWO void Negacja(uint8_t* a, size_t n) {
    for (size_t d = 1; d < n; ++d) a[d] ^= 1;
}

}  // namespace

void TcTablicaLogiczna::Wypelnienie(bool value) {
    if (Dane.size() > 1) std::memset(Dane.data() + 1, value ? 1 : 0, Dane.size() - 1);
}

void TcTablicaLogiczna::Iloczyn(const TcTablicaLogiczna& other) {
    const size_t n = std::min(Dane.size(), other.Dane.size());
    uint8_t* a = Dane.data();
    const uint8_t* b = other.Dane.data();
    ::Iloczyn(a, b, n);
    // An other set shorter than this one (never within one query) holds false beyond its end.
    for (size_t d = std::max<size_t>(n, 1); d < Dane.size(); ++d) a[d] = 0;
}

void TcTablicaLogiczna::Suma(const TcTablicaLogiczna& other) {
    const size_t n = std::min(Dane.size(), other.Dane.size());
    uint8_t* a = Dane.data();
    ::Suma(a, other.Dane.data(), n);
}

void TcTablicaLogiczna::Negacja() {
    ::Negacja(Dane.data(), Dane.size());
}

void TcTablicaLogiczna::Wyzerowanie(int32_t first, int32_t last) {
    const int32_t highest = int32_t(Dane.size()) - 1;
    if (first < 1) first = 1;   // entry 0 is never a document
    if (last > highest) last = highest;
    if (first > last) return;
    std::memset(Dane.data() + first, 0, size_t(last - first + 1));
}

int32_t TcTablicaLogiczna::Liczba() const { return int32_t(LiczbaNiezerowych(Dane.data(), Dane.size())); }

void TcTablicaLogiczna::Numery(std::vector<int32_t>& numery) const {
    numery.clear();
    NumeryNiezerowych(Dane.data(), Dane.size(), numery);
}
