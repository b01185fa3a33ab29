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

void TcTablicaLogiczna::Rozmiar(int32_t dlugosc) {
    zapisDoPustego_ = false;
    dane_.assign(dlugosc > 0 ? std::size_t(dlugosc) : 0, 0);
    miejsca_.clear();
    znaneMiejsca_ = true;
}

void TcTablicaLogiczna::Wypelnienie(bool value) {
    zapisDoPustego_ = false;
    if (!value && znaneMiejsca_) {
        for (const int32_t d : miejsca_) dane_[std::size_t(d)] = 0;
    } else if (dane_.size() > 1) {
        std::memset(dane_.data() + 1, value ? 1 : 0, dane_.size() - 1);
    }
    miejsca_.clear();
    znaneMiejsca_ = !value || dane_.size() <= 1;
}

void TcTablicaLogiczna::Miejsca(const int32_t* d, std::size_t n) {
    const bool zaraz = zapisDoPustego_;
    zapisDoPustego_ = false;
    if (!zaraz || n > std::max<std::size_t>(dane_.size() / 16, 64)) return;
    miejsca_.assign(d, d + n);
    if (!std::is_sorted(miejsca_.begin(), miejsca_.end())) std::sort(miejsca_.begin(), miejsca_.end());
    miejsca_.erase(std::unique(miejsca_.begin(), miejsca_.end()), miejsca_.end());
    if (!miejsca_.empty() && (miejsca_.front() < 1 || std::size_t(miejsca_.back()) >= dane_.size())) {
        miejsca_.clear();
        znaneMiejsca_ = false;   // not entries of this set: no promise kept
        return;
    }
    znaneMiejsca_ = true;
}

// Clearing entries keeps the known places a superset of the true ones.
void TcTablicaLogiczna::Iloczyn(const TcTablicaLogiczna& other) {
    zapisDoPustego_ = false;
    const size_t n = std::min(dane_.size(), other.dane_.size());
    uint8_t* a = dane_.data();
    const uint8_t* b = other.dane_.data();
    ::Iloczyn(a, b, n);
    // An other set shorter than this one (never within one query) holds false beyond its end.
    for (size_t d = std::max<size_t>(n, 1); d < dane_.size(); ++d) a[d] = 0;
}

void TcTablicaLogiczna::Suma(const TcTablicaLogiczna& other) {
    zapisDoPustego_ = false;
    const size_t n = std::min(dane_.size(), other.dane_.size());
    ::Suma(dane_.data(), other.dane_.data(), n);
    if (!other.ZnanyPusty()) {
        miejsca_.clear();
        znaneMiejsca_ = false;
    }
}

void TcTablicaLogiczna::Negacja() {
    zapisDoPustego_ = false;
    ::Negacja(dane_.data(), dane_.size());
    miejsca_.clear();
    znaneMiejsca_ = false;
}

void TcTablicaLogiczna::Wyzerowanie(int32_t first, int32_t last) {
    zapisDoPustego_ = false;
    const int32_t highest = int32_t(dane_.size()) - 1;
    if (first < 1) first = 1;   // entry 0 is never a document
    if (last > highest) last = highest;
    if (first > last) return;
    std::memset(dane_.data() + first, 0, size_t(last - first + 1));
}

int32_t TcTablicaLogiczna::Liczba() const {
    if (znaneMiejsca_) {
        int32_t n = 0;
        for (const int32_t d : miejsca_) n += dane_[std::size_t(d)] != 0;
        return n;
    }
    return int32_t(LiczbaNiezerowych(dane_.data(), dane_.size()));
}

void TcTablicaLogiczna::Numery(std::vector<int32_t>& numery) const {
    numery.clear();
    if (znaneMiejsca_) {
        for (const int32_t d : miejsca_)
            if (dane_[std::size_t(d)]) numery.push_back(d);
        return;
    }
    NumeryNiezerowych(dane_.data(), dane_.size(), numery);
}
