#include "SumyList.h"

#include <cstring>

#include "Skrot.h"

namespace {

constexpr char kZnak[8] = {'B', 'E', 'L', 'V', 'S', 'P', 'R', '1'};
constexpr size_t kNaglowek = 8 + 4 + 4 + 8 + 8 + 8;

template <class T>
void Dopisz(std::string& s, T v) {
    s.append(reinterpret_cast<const char*>(&v), sizeof v);
}
template <class T>
T Wez(const std::string& s, size_t& p) {
    T v;
    std::memcpy(&v, s.data() + p, sizeof v);
    p += sizeof v;
    return v;
}

}  // namespace

uint32_t SumaListy(const int32_t* numery, size_t ile) { return uint32_t(mSkrot64(numery, ile * 4, ile)); }

std::string ZapisSumList(const TSumyList& s) {
    std::string b(kZnak, sizeof kZnak);
    Dopisz(b, uint32_t(s.N));
    Dopisz(b, uint32_t(s.W));
    Dopisz(b, uint64_t(s.BajtyObrazu));
    Dopisz(b, s.SkrotObrazu);
    Dopisz(b, uint64_t(s.BajtyList));
    for (int32_t w = 1; w <= s.W; ++w) Dopisz(b, s.Sumy[size_t(w)]);
    Dopisz(b, mSkrot64(b.data(), b.size()));
    return b;
}

bool OdczytSumList(const std::string& b, TSumyList& s, std::string& powod) {
    if (b.size() < kNaglowek + 8 || std::memcmp(b.data(), kZnak, sizeof kZnak) != 0) {
        powod = "not a list check file";
        return false;
    }
    size_t p = sizeof kZnak;
    s.N = int32_t(Wez<uint32_t>(b, p));
    s.W = int32_t(Wez<uint32_t>(b, p));
    s.BajtyObrazu = int64_t(Wez<uint64_t>(b, p));
    s.SkrotObrazu = Wez<uint64_t>(b, p);
    s.BajtyList = int64_t(Wez<uint64_t>(b, p));
    if (s.N < 0 || s.W < 0 || b.size() != kNaglowek + 4 * size_t(s.W) + 8) {
        powod = "its size does not match its word count";
        return false;
    }
    size_t k = b.size() - 8;
    if (Wez<uint64_t>(b, k) != mSkrot64(b.data(), b.size() - 8)) {
        powod = "it is damaged";
        return false;
    }
    s.Sumy.assign(size_t(s.W) + 1, 0);
    std::memcpy(s.Sumy.data() + 1, b.data() + kNaglowek, 4 * size_t(s.W));
    return true;
}
