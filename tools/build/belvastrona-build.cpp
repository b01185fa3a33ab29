// belvastrona-build [-q] SOURCE DATA
// Builds the program's data directory DATA from the source folder SOURCE.
//
// Progress and the summary go to standard error: on a terminal as one line rewritten in place
// and ended by the summary, elsewhere (a log) a line a stage, and a line every tenth of the
// documents. --quiet prints errors only. Exit status: 0 built, 1 the build failed (DATA as it
// was), 64 (EX_USAGE) a wrong command line.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BudowaKorpusu.h"
#include "Bledy.h"
#include "Wywolanie.h"
#include "cp1250.h"

namespace {

constexpr const char* kProgram = "belvastrona-build";

const char* const kPomoc =
    "Użycie: belvastrona-build [-q] [--] ŹRÓDŁO DANE\n"
    "        belvastrona-build --help | --version\n"
    "Buduje folder danych programu DANE z folderu źródłowego ŹRÓDŁO.\n"
    "  ŹRÓDŁO: folder z documents/, documents.tsv, akty.ini, dzialy.ini, izby.ini,\n"
    "          przepisy.ini i acts/;\n"
    "  DANE:   folder danych programu (zastępowany dopiero po udanej budowie; jego raporty\n"
    "          przechodzą do nowego folderu).\n"
    "Wyrazy dokumentów i aktów dzieli silnik; jako wyrazy indeksowane są też znaki § i \".\".\n"
    "Opcje:\n"
    "  -q, --quiet  bez postępu i podsumowania, tylko błędy\n"
    "  -h, --help   ten opis\n"
    "  --version    nazwa i wersja programu\n"
    "  --           dalsze argumenty to foldery, także gdy zaczynają się od \"-\"\n"
    "Postęp i podsumowanie idą na standardowe wyjście błędów; na terminalu postęp zajmuje\n"
    "jeden wiersz.\n"
    "Kod wyjścia: 0 zbudowano, 1 błąd budowy (DANE bez zmian), 64 błędne wywołanie.\n";

int BladWywolania(const std::string& komunikat) { return mBladWywolania(kProgram, komunikat); }

// Characters of UTF-8 text (every character of the messages takes one column).
size_t Znaki(const std::string& utf8) {
    size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

// The progress report on standard error.
class TPostep {
public:
    TPostep(bool terminal, bool cichy) : terminal_(terminal), cichy_(cichy) {}

    void Etap(const char* etap, int64_t gotowe, int64_t razem, double sekundy) {
        if (cichy_) return;
        const int procent = razem > 0 ? int(gotowe * 100 / razem) : 100;
        if (etap == ostatniEtap_ && (procent == ostatniProcent_ || (!terminal_ && procent / 10 == ostatniProcent_ / 10)))
            return;
        ostatniEtap_ = etap;
        ostatniProcent_ = procent;
        char b[256];
        if (std::strcmp(etap, "Dokumenty") == 0)
            std::snprintf(b, sizeof b, "%s: %lld z %lld (%.0f s)", etap, static_cast<long long>(gotowe),
                          static_cast<long long>(razem), sekundy);
        else
            std::snprintf(b, sizeof b, "%s... (%.0f s)", etap, sekundy);
        Wiersz(b);
    }

    // The summary: on a terminal it takes the progress line's place.
    void Podsumowanie(const std::string& tekst) {
        if (cichy_) return;
        Wiersz(tekst);
        if (terminal_) Zakonczenie();
    }

    // Ends the progress line, so that an error starts a line of its own.
    void Zakonczenie() {
        if (terminal_ && szerokosc_ > 0) std::fputc('\n', stderr);
        szerokosc_ = 0;
    }

private:
    void Wiersz(const std::string& tekst) {
        if (!terminal_) {
            std::fprintf(stderr, "%s\n", tekst.c_str());
            return;
        }
        // Blanks cover what is left of a longer line before.
        const size_t znaki = Znaki(tekst);
        std::fprintf(stderr, "\r%s%*s", tekst.c_str(), int(szerokosc_ > znaki ? szerokosc_ - znaki : 0), "");
        std::fflush(stderr);
        szerokosc_ = znaki;
    }

    const bool terminal_, cichy_;
    std::string ostatniEtap_;
    int ostatniProcent_ = -1;
    size_t szerokosc_ = 0;   // characters on the progress line now
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> a(argv + 1, argv + argc);
    // Past "--" everything is a folder, even "--help".
    const std::vector<std::string> przedKreskami(a.begin(), std::find(a.begin(), a.end(), "--"));
    if (const int kod = mPomocAlboWersja(przedKreskami, kProgram, kPomoc); kod >= 0) return kod;
    bool cichy = false, opcje = true;
    std::vector<std::string> foldery;
    for (const std::string& s : a) {
        if (opcje && s == "--") opcje = false;
        else if (opcje && (s == "--quiet" || s == "-q")) cichy = true;
        else if (opcje && s.size() > 1 && s[0] == '-') return BladWywolania("Nieznana opcja '" + s + "'.");
        else foldery.push_back(s);
    }
    if (foldery.size() < 2) return BladWywolania("Podaj folder źródłowy i folder danych.");
    if (foldery.size() > 2) return BladWywolania("Nadmiarowy argument '" + foldery[2] + "'.");
    const std::string& zrodlo = foldery[0];
    const std::string& dane = foldery[1];

    TPostep postep(isatty(STDERR_FILENO) == 1, cichy);
    const auto start = std::chrono::steady_clock::now();
    const auto sekundy = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    TOpcjeBudowy o;
    o.Postep = [&](const char* etap, int64_t gotowe, int64_t razem) { postep.Etap(etap, gotowe, razem, sekundy()); };
    try {
        const TWynikBudowy w = BudowaKorpusu(zrodlo, dane, o);
        char czas[32];
        std::snprintf(czas, sizeof czas, "%.1f", sekundy());
        postep.Podsumowanie("Gotowe: " + std::to_string(w.Dokumenty) + " dokumentów, " + std::to_string(w.Slowa) +
                            " wyrazów, " + std::to_string(w.Akty) + " aktów w '" + dane + "' (" + czas + " s).");
    } catch (const std::exception& e) {
        postep.Zakonczenie();
        std::fprintf(stderr, "Błąd: %s\n", cp1250::toUtf8(e.what()).c_str());
        return 1;
    }
    return 0;
}
