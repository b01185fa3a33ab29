#include "ListyKrotkie.h"

#include <cstring>
#include <vector>

#include "ParySlow.h"
#include "Skrot.h"
#include "SumyList.h"

namespace {

constexpr char kZnak[8] = {'B', 'E', 'L', 'V', 'K', 'R', 'T', '1'};
constexpr uint32_t kMaksK = 64;
constexpr uint64_t kBudzet = uint64_t(1) << 20;   // documents kept, about 4 MB

struct TNaglowek {
    char Znak[8];
    uint32_t N, W, K, Zero;
    uint64_t P, SkrotPlikRef, SkrotSlowoRef, SkrotDanych, Skrot;
};
static_assert(sizeof(TNaglowek) == 64);
constexpr size_t kPokryteNaglowkiem = offsetof(TNaglowek, Skrot);

int64_t Dlugosc(const int32_t* slowoRef, int32_t w) { return (int64_t(slowoRef[w + 1]) - slowoRef[w]) / 4; }

}  // namespace

std::string ZapisListKrotkich(const int32_t* postingi, const int32_t* slowoRef, const int32_t* plikRef, int32_t N,
                              int32_t W) {
    // K: the largest that keeps the file within its budget.
    std::vector<uint64_t> ile(kMaksK + 1, 0);
    for (int32_t w = 1; w <= W; ++w)
        if (const int64_t l = Dlugosc(slowoRef, w); l <= int64_t(kMaksK)) ile[size_t(l)] += uint64_t(l);
    uint32_t K = 0;
    for (uint64_t razem = 0; K < kMaksK && razem + ile[K + 1] <= kBudzet; ++K) razem += ile[K + 1];

    std::vector<uint32_t> od(size_t(W) + 2, 0);
    std::vector<int32_t> listy;
    for (int32_t w = 1; w <= W; ++w) {
        const int64_t l = Dlugosc(slowoRef, w);
        if (l <= int64_t(K)) listy.insert(listy.end(), postingi + slowoRef[w] / 4, postingi + slowoRef[w] / 4 + l);
        od[size_t(w) + 1] = uint32_t(listy.size());
    }
    std::string dane(od.size() * 4 + listy.size() * 4, '\0');
    std::memcpy(dane.data(), od.data(), od.size() * 4);
    if (!listy.empty()) std::memcpy(dane.data() + od.size() * 4, listy.data(), listy.size() * 4);

    TNaglowek h{};
    std::memcpy(h.Znak, kZnak, sizeof kZnak);
    h.N = uint32_t(N);
    h.W = uint32_t(W);
    h.K = K;
    h.P = listy.size();
    h.SkrotPlikRef = SkrotPrzesuniec(plikRef, N + 1);
    h.SkrotSlowoRef = SkrotPrzesuniec(slowoRef, W + 1);
    h.SkrotDanych = mSkrot64(dane.data(), dane.size());
    h.Skrot = mSkrot64(&h, kPokryteNaglowkiem);
    return std::string(reinterpret_cast<const char*>(&h), sizeof h) + dane;
}

bool TListyKrotkie::Otwarcie(const std::string& plik, const int32_t* plikRef, const int32_t* slowoRef, int32_t N,
                             int32_t W, const uint32_t* sumy, std::string& powod) {
    od_ = nullptr;
    listy_ = nullptr;
    TNaglowek h{};
    // None: rare words are read from slowo.idx.
    if (!OtwarciePlikuWlasnego(plik_, plik, TOdczytTablicy::Zapelnienie, kZnak, &h, sizeof h, "a short list file", powod))
        return false;
    const auto odrzucenie = [&](const char* p) {
        powod = p;
        plik_.Zwolnienie();
        kopia_ = {};
        return false;
    };
    const uint64_t rozmiar = plik_.size();
    if (mSkrot64(&h, kPokryteNaglowkiem) != h.Skrot) return odrzucenie("it is damaged");
    if (int64_t(h.N) != N || int64_t(h.W) != W || h.SkrotPlikRef != SkrotPrzesuniec(plikRef, N + 1) ||
        h.SkrotSlowoRef != SkrotPrzesuniec(slowoRef, W + 1))
        return odrzucenie("it was made for another index");
    if (h.K > kMaksK || h.Zero != 0 || h.P > uint64_t(W) * kMaksK) return odrzucenie("it is damaged");
    const uint64_t bajtyOd = (uint64_t(W) + 2) * 4;
    if (sizeof h + bajtyOd + h.P * 4 != rozmiar) return odrzucenie("its size does not match its header");
    // Checked and then searched in memory of our own: the file changed on disk while the program
    // runs cannot change the numbers once checked (searches trust them to lie within 1..N).
    kopia_.resize(rozmiar / 4);
    std::memcpy(kopia_.data(), plik_.data(), rozmiar);
    plik_.Zwolnienie();
    const auto* b = reinterpret_cast<const uint8_t*>(kopia_.data());
    if (mSkrot64(b + sizeof h, rozmiar - sizeof h) != h.SkrotDanych) return odrzucenie("it is damaged");

    // Only what the hashes cannot tell: that the writer kept what it should.
    const auto* od = reinterpret_cast<const uint32_t*>(b + sizeof h);
    const auto* listy = reinterpret_cast<const int32_t*>(b + sizeof h + bajtyOd);
    if (od[0] != 0 || od[1] != 0 || od[W + 1] != h.P) return odrzucenie("it is damaged");
    for (int32_t w = 1; w <= W; ++w) {
        const int64_t l = Dlugosc(slowoRef, w);
        if (od[w + 1] < od[w] || int64_t(od[w + 1] - od[w]) != (l <= int64_t(h.K) ? l : 0))
            return odrzucenie("it disagrees with slowo.ref");
        if (l > int64_t(h.K)) continue;
        const int32_t* p = listy + od[w];
        for (int64_t i = 0; i < l; ++i)
            if (p[i] < 1 || p[i] > N || (i > 0 && p[i] <= p[i - 1])) return odrzucenie("it is damaged");
        if (sumy && SumaListy(p, size_t(l)) != sumy[w]) return odrzucenie("it disagrees with slowo.spr");
    }
    od_ = od;
    listy_ = listy;
    return true;
}
