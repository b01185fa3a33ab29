#include "ZastepczaPoczta.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

TZastepczaPoczta::TZastepczaPoczta(int status) {
    const std::string skrypt = katalog_.Plik("xdg-email");
    {
        std::ofstream s(skrypt);
        // One record per call: its working folder, then the arguments, each ended by NUL; the
        // record ends with an empty field.
        s << "#!/bin/sh\n"
             "log='" << katalog_.Plik("wywolania") << "'\n"
             "printf '%s\\000' \"$(pwd -P)\" >> \"$log\"\n"
             "for a in \"$@\"; do printf '%s\\000' \"$a\" >> \"$log\"; done\n"
             "printf '\\000' >> \"$log\"\n"
             "exit " << status << "\n";
    }
    ::chmod(skrypt.c_str(), 0755);
    const char* p = std::getenv("PATH");
    sciezka_ = p ? p : "";
    ::setenv("PATH", (katalog_.Sciezka() + ":" + sciezka_).c_str(), 1);
}

TZastepczaPoczta::~TZastepczaPoczta() { ::setenv("PATH", sciezka_.c_str(), 1); }

std::vector<TZastepczaPoczta::TWywolanie> TZastepczaPoczta::Wywolania() const {
    std::ifstream f(katalog_.Plik("wywolania"), std::ios::binary);
    std::stringstream b;
    b << f.rdbuf();
    const std::string log = b.str();
    std::vector<TWywolanie> w;
    TWywolanie biezace;
    bool katalog = true;
    size_t i = 0;
    while (i < log.size()) {
        const size_t koniec = log.find('\0', i);
        if (koniec == std::string::npos) break;
        const std::string pole = log.substr(i, koniec - i);
        i = koniec + 1;
        if (katalog) {
            biezace.Katalog = pole;
            katalog = false;
        } else if (pole.empty()) {
            w.push_back(biezace);
            biezace = {};
            katalog = true;
        } else {
            biezace.Argumenty.push_back(pole);
        }
    }
    return w;
}
