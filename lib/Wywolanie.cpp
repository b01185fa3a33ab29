#include "Wywolanie.h"

#include <sysexits.h>

#include <cstdio>

int mPomocAlboWersja(const std::vector<std::string>& argumenty, const char* program, const char* pomoc) {
    for (const std::string& a : argumenty) {
        if (a == "--help" || a == "-h") {
            std::fputs(pomoc, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("%s %s\n", program, BELVASTRONA_WERSJA);
            return 0;
        }
    }
    return -1;
}

int mBladWywolania(const char* program, const std::string& komunikat) {
    std::fprintf(stderr, "%s\nPomoc: %s --help\n", komunikat.c_str(), program);
    return EX_USAGE;
}
