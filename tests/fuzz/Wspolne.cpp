#include "Wspolne.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

const std::string& FolderRoboczy() {
    static const std::string folder = [] {
        std::string wzor = "/tmp/belv_fuzz_XXXXXX";
        if (::mkdtemp(wzor.data()) == nullptr) std::abort();
        return wzor;
    }();
    // Removed when the run ends.
    static const bool sprzatanie = [] {
        std::atexit([] {
            std::error_code e;
            std::filesystem::remove_all(folder, e);
        });
        return true;
    }();
    (void)sprzatanie;
    return folder;
}

void ZapisPlikuRoboczego(const std::string& nazwa, std::string_view bajty) {
    std::ofstream f(FolderRoboczy() + "/" + nazwa, std::ios::binary | std::ios::trunc);
    f.write(bajty.data(), std::streamsize(bajty.size()));
}
