// belvastrona-build SOURCE DATA
// Builds the program's data directory DATA from the source folder SOURCE.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "BudowaKorpusu.h"
#include "Bledy.h"
#include "cp1250.h"

int main(int argc, char** argv) {
    if (argc != 3 || argv[1][0] == '-') {
        std::fprintf(stderr,
                     "Użycie: belvastrona-build ŹRÓDŁO DANE\n"
                     "  ŹRÓDŁO: folder z documents/, documents.tsv, akty.ini, dzialy.ini, izby.ini,\n"
                     "          przepisy.ini i acts/;\n"
                     "  DANE:   folder danych programu (zastępowany dopiero po udanej budowie).\n"
                     "Wyrazy dokumentów i aktów dzieli silnik; jako wyrazy indeksowane są też znaki § i \".\".\n");
        return 2;
    }
    const bool terminal = isatty(2);
    const auto start = std::chrono::steady_clock::now();
    const auto sekundy = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    std::string ostatniEtap;
    int ostatniProcent = -1;
    TOpcjeBudowy o;
    o.Postep = [&](const char* etap, int64_t gotowe, int64_t razem) {
        const int procent = razem > 0 ? int(gotowe * 100 / razem) : 100;
        if (etap == ostatniEtap && (procent == ostatniProcent || (!terminal && procent / 10 == ostatniProcent / 10)))
            return;
        if (terminal && etap != ostatniEtap && !ostatniEtap.empty()) std::fprintf(stderr, "\n");
        ostatniEtap = etap;
        ostatniProcent = procent;
        if (std::strcmp(etap, "Dokumenty") == 0)
            std::fprintf(stderr, terminal ? "\r%s: %lld z %lld (%.0f s)" : "%s: %lld z %lld (%.0f s)\n", etap,
                         static_cast<long long>(gotowe), static_cast<long long>(razem), sekundy());
        else
            std::fprintf(stderr, terminal ? "\r%s... (%.0f s)" : "%s... (%.0f s)\n", etap, sekundy());
    };
    try {
        const TWynikBudowy w = BudowaKorpusu(argv[1], argv[2], o);
        if (terminal) std::fprintf(stderr, "\n");
        std::fprintf(stderr, "Gotowe: %d dokumentów, %lld wyrazów, %d aktów w '%s' (%.1f s).\n", w.Dokumenty,
                     static_cast<long long>(w.Slowa), w.Akty, argv[2], sekundy());
    } catch (const std::exception& e) {
        if (terminal) std::fprintf(stderr, "\n");
        std::fprintf(stderr, "Błąd: %s\n", cp1250::toUtf8(e.what()).c_str());
        return 1;
    }
    return 0;
}
