#include "Pomiar.h"

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

double CzasCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double Percentyl(std::vector<double> probki, double p) {
    if (probki.empty()) return 0;
    std::sort(probki.begin(), probki.end());
    size_t r = size_t(std::ceil(p / 100.0 * double(probki.size())));
    r = std::clamp<size_t>(r, 1, probki.size());
    return probki[r - 1];
}

TSkrot Skrot(const std::vector<int32_t>& dokumenty) {
    TSkrot s;
    s.Liczba = int64_t(dokumenty.size());
    uint64_t h = 1469598103934665603ull;
    for (int32_t d : dokumenty)
        for (int i = 0; i < 4; ++i) {
            h ^= (uint32_t(d) >> (8 * i)) & 0xFF;
            h *= 1099511628211ull;
        }
    s.Hash = h;
    return s;
}

int64_t PamiecRezydentna() {
    std::ifstream f("/proc/self/status");
    std::string slowo;
    while (f >> slowo)
        if (slowo == "VmRSS:") {
            int64_t kb = 0;
            f >> kb;
            return kb * 1024;
        }
    return 0;
}

int64_t RozmiarNaDysku(const std::string& sciezka) {
    std::error_code ec;
    if (fs::is_regular_file(sciezka, ec)) return int64_t(fs::file_size(sciezka, ec));
    int64_t suma = 0;
    if (fs::is_directory(sciezka, ec))
        for (const auto& e : fs::recursive_directory_iterator(sciezka, ec))
            if (e.is_regular_file(ec)) suma += int64_t(e.file_size(ec));
    return suma;
}

void WczytanieDoPamieci(const std::string& sciezka) {
    std::vector<char> bufor(1 << 20);
    const auto czytaj = [&](const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        while (f.read(bufor.data(), std::streamsize(bufor.size())) || f.gcount() > 0) {
        }
    };
    std::error_code ec;
    if (fs::is_regular_file(sciezka, ec)) return czytaj(sciezka);
    if (fs::is_directory(sciezka, ec))
        for (const auto& e : fs::recursive_directory_iterator(sciezka, ec))
            if (e.is_regular_file(ec)) czytaj(e.path());
}

bool OproznienieBuforow() {
    sync();
    std::ofstream f("/proc/sys/vm/drop_caches");
    if (!f) return false;
    f << "3\n";
    f.flush();
    return bool(f);
}
