// What the fuzz targets share: the entry point libFuzzer calls, splitting one input into the
// files of a multi-file format, and a scratch folder for them.
//
// An input for two files is: a 2-byte little-endian length n, then n bytes of the first file,
// then the rest as the second.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar);

inline std::pair<std::string, std::string> PodzialNaDwa(const uint8_t* dane, size_t rozmiar) {
    if (rozmiar < 2) return {std::string(reinterpret_cast<const char*>(dane), rozmiar), {}};
    const size_t n = std::min<size_t>(size_t(dane[0]) | size_t(dane[1]) << 8, rozmiar - 2);
    const char* p = reinterpret_cast<const char*>(dane) + 2;
    return {std::string(p, n), std::string(p + n, rozmiar - 2 - n)};
}

// One folder under the system's temp folder for the whole run, emptied of the named files by
// each write.
const std::string& FolderRoboczy();
void ZapisPlikuRoboczego(const std::string& nazwa, std::string_view bajty);
