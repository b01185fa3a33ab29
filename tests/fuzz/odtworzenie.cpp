// Replays inputs through a fuzz target without libFuzzer: every file of the folders given (the
// seed corpus and the saved findings), in name order. Any crash or sanitizer report fails.
//
//   fuzz_rtf_odtworzenie tests/fuzz/korpus/rtf tests/fuzz/znaleziska/rtf
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Wspolne.h"

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> pliki;
    for (int i = 1; i < argc; ++i) {
        if (!std::filesystem::is_directory(argv[i])) continue;
        for (const auto& w : std::filesystem::directory_iterator(argv[i]))
            if (w.is_regular_file()) pliki.push_back(w.path());
    }
    std::sort(pliki.begin(), pliki.end());
    for (const auto& p : pliki) {
        std::ifstream f(p, std::ios::binary);
        const std::string bajty((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bajty.data()), bajty.size());
    }
    std::printf("%zu inputs replayed\n", pliki.size());
    return pliki.empty() ? 1 : 0;
}
