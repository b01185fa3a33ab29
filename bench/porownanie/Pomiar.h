// Measuring helpers: clocks, order statistics, set digests, resident memory, bytes on disk and
// dropping the page cache for cold runs.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

inline double Teraz() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// CPU time of the calling thread, seconds.
double CzasCpu();

// Nearest-rank percentile (p in 0..100) of the samples; 0 for none.
double Percentyl(std::vector<double> probki, double p);

// Count and FNV-1a digest of an ascending list of document numbers.
struct TSkrot {
    int64_t Liczba = 0;
    uint64_t Hash = 0;
    bool operator==(const TSkrot&) const = default;
};
TSkrot Skrot(const std::vector<int32_t>& dokumenty);

int64_t PamiecRezydentna();                    // bytes (VmRSS)
int64_t RozmiarNaDysku(const std::string& sciezka);   // a file, or a folder's files together
void WczytanieDoPamieci(const std::string& sciezka);  // reads a file, or a folder's files, once

// Writes 3 to /proc/sys/vm/drop_caches after a sync; false when not allowed.
bool OproznienieBuforow();
