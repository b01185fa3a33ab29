// belvastrona-sample --documents N [--seed S] [--vocabulary V] SOURCE
// Writes a sample source folder for belvastrona-build. Progress and the summary go to standard
// error. Exit status: 0 written, 1 the folder could not be written, 64 (EX_USAGE) a wrong
// command line (an unknown option, a missing or extra argument, a number out of its range).
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "Bledy.h"
#include "GeneratorProbki.h"
#include "Wywolanie.h"
#include "cp1250.h"

namespace {

constexpr const char* kProgram = "belvastrona-sample";
constexpr long long kMaksDokumentow = 262142;
constexpr long long kMaksSlownictwa = 250000;

const char* const kPomoc =
    "Użycie: belvastrona-sample --documents N [--seed S] [--vocabulary V] FOLDER\n"
    "        belvastrona-sample --help | --version\n"
    "Zapisuje w folderze FOLDER przykładowe źródło korpusu dla programu belvastrona-build:\n"
    "dokumenty trzech rodzajów, documents.tsv, słowniki i teksty aktów. Te same opcje dają\n"
    "te same pliki.\n"
    "Opcje:\n"
    "  --documents N   liczba dokumentów (1..262142)\n"
    "  --seed S        ziarno losowania (liczba całkowita nieujemna, domyślnie 1)\n"
    "  --vocabulary V  liczba słów syntetycznych (1..250000, domyślnie 20000; powyżej ok. 65000\n"
    "                  powstaje tekst.aux)\n"
    "  -h, --help      ten opis\n"
    "  --version       nazwa i wersja programu\n"
    "FOLDER musi być pusty albo zawierać wcześniejszą próbkę. Postęp idzie na standardowe\n"
    "wyjście błędów.\n"
    "Kod wyjścia: 0 zapisano, 1 błąd zapisu, 64 błędne wywołanie.\n";

int BladWywolania(const std::string& komunikat) { return mBladWywolania(kProgram, komunikat); }

bool Liczba(const char* s, long long& wynik) {
    char* koniec = nullptr;
    errno = 0;
    wynik = std::strtoll(s, &koniec, 10);
    return koniec && *koniec == '\0' && koniec != s && errno == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int kod = mPomocAlboWersja({argv + 1, argv + argc}, kProgram, kPomoc); kod >= 0) return kod;
    TOpcjeProbki o;
    std::string katalog;
    bool sa = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--documents" || a == "--seed" || a == "--vocabulary") {
            if (i + 1 >= argc) return BladWywolania("Opcja " + a + " wymaga wartości.");
            const std::string tekst = argv[++i];
            long long v = 0;
            if (!Liczba(tekst.c_str(), v) || v < 0)
                return BladWywolania("Opcja " + a + " wymaga liczby całkowitej nieujemnej, podano '" + tekst + "'.");
            if (a == "--documents") {
                if (v < 1 || v > kMaksDokumentow) return BladWywolania("Liczba dokumentów musi wynosić od 1 do 262142.");
                o.Dokumenty = int32_t(v);
                sa = true;
            } else if (a == "--seed") {
                o.Ziarno = uint64_t(v);
            } else {
                if (v < 1 || v > kMaksSlownictwa)
                    return BladWywolania("Liczba słów syntetycznych musi wynosić od 1 do 250000.");
                o.Slownictwo = int32_t(v);
            }
        } else if (a.size() > 1 && a[0] == '-') {
            return BladWywolania("Nieznana opcja '" + a + "'.");
        } else if (katalog.empty() && !a.empty()) {
            katalog = a;
        } else {
            return BladWywolania("Nadmiarowy argument '" + a + "'.");
        }
    }
    if (!sa) return BladWywolania("Nie podano liczby dokumentów (--documents N).");
    if (katalog.empty()) return BladWywolania("Nie podano folderu.");

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
