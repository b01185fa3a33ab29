// belvastrona-sample --documents N [--seed S] [--vocabulary V] SOURCE
// Writes a sample source folder for belvastrona-build.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "Bledy.h"
#include "GeneratorProbki.h"
#include "cp1250.h"

namespace {

int Uzycie() {
    std::fprintf(stderr,
                 "Użycie: belvastrona-sample --documents N [--seed S] [--vocabulary V] FOLDER\n"
                 "  N: liczba dokumentów (1..262142), S: ziarno losowania (domyślnie 1),\n"
                 "  V: liczba słów syntetycznych (domyślnie 20000; powyżej ok. 65000 powstaje tekst.aux).\n");
    return 2;
}

bool Liczba(const char* s, long long& wynik) {
    char* koniec = nullptr;
    wynik = std::strtoll(s, &koniec, 10);
    return koniec && *koniec == '\0' && koniec != s;
}

}  // namespace

int main(int argc, char** argv) {
    TOpcjeProbki o;
    std::string katalog;
    bool sa = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        long long v = 0;
        if ((a == "--documents" || a == "--seed" || a == "--vocabulary") && i + 1 < argc) {
            if (!Liczba(argv[++i], v) || v < 0) return Uzycie();
            if (a == "--documents") o.Dokumenty = int32_t(std::min(v, 1LL << 30)), sa = true;
            else if (a == "--seed") o.Ziarno = uint64_t(v);
            else o.Slownictwo = int32_t(std::min(v, 1LL << 30));
        } else if (!a.empty() && a[0] != '-' && katalog.empty()) {
            katalog = a;
        } else {
            return Uzycie();
        }
    }
    if (!sa || katalog.empty()) return Uzycie();

    const bool terminal = isatty(2);
    const auto start = std::chrono::steady_clock::now();
    int32_t ostatnio = -1;
    o.Postep = [&](int32_t gotowe, int32_t razem) {
        if (terminal) {
            std::fprintf(stderr, "\rDokumenty: %d z %d", gotowe, razem);
        } else if (gotowe * 10 / razem != ostatnio) {
            ostatnio = gotowe * 10 / razem;
            std::fprintf(stderr, "Dokumenty: %d z %d\n", gotowe, razem);
        }
    };
    try {
        GenerowanieProbki(katalog, o);
    } catch (const std::exception& e) {
        if (terminal) std::fprintf(stderr, "\n");
        std::fprintf(stderr, "Błąd: %s\n", cp1250::toUtf8(e.what()).c_str());
        return 1;
    }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (terminal) std::fprintf(stderr, "\n");
    std::fprintf(stderr, "Próbka gotowa: %d dokumentów w '%s' (%.1f s).\n", o.Dokumenty, katalog.c_str(), s);
    return 0;
}
