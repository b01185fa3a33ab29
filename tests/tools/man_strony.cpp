// The manual pages: each formats with man without a single warning, has the sections a reader
// looks for, and names every option its program's --help names.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "FabrykaDanych.h"

namespace fs = std::filesystem;

namespace {

const std::string kKatalog = BELV_KATALOG_MAN;

struct TStrona {
    std::string plik, program;   // program: "" for the window program, which has no --help
};

const std::vector<TStrona>& Strony() {
    static const std::vector<TStrona> s = {
        {"belvastrona.1", ""},
        {"belvastrona-cli.1", BELV_PROGRAM_CLI},
        {"belvastrona-build.1", BELV_PROGRAM_BUILD},
        {"belvastrona-sample.1", BELV_PROGRAM_SAMPLE},
    };
    return s;
}

// What a shell command prints on standard output, and its status.
std::pair<int, std::string> Wyjscie(const std::string& polecenie) {
    std::string w;
    FILE* f = ::popen(polecenie.c_str(), "r");
    if (f == nullptr) return {-1, w};
    char b[4096];
    for (size_t n; (n = std::fread(b, 1, sizeof b, f)) > 0;) w.append(b, n);
    const int status = ::pclose(f);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, w};
}

std::string Cytat(const std::string& s) { return "'" + s + "'"; }

TEST(ManStrony, FormatWithoutWarnings) {
    if (std::system("command -v man >/dev/null 2>&1") != 0) GTEST_SKIP() << "man is not installed (apt-get install man-db)";
    for (const TStrona& s : Strony()) {
        const std::string strona = kKatalog + "/" + s.plik;
        ASSERT_TRUE(fs::exists(strona)) << strona;
        // Standard error only: the formatted page goes to /dev/null.
        const auto [status, ostrzezenia] =
            Wyjscie("LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l " + Cytat(strona) + " 2>&1 >/dev/null");
        EXPECT_EQ(status, 0) << s.plik;
        EXPECT_EQ(ostrzezenia, "") << s.plik;
    }
}

TEST(ManStrony, HaveTheirSectionsAndDeclareTheirEncoding) {
    const std::vector<std::string> sekcje = {"NAZWA", "SKŁADNIA", "OPIS", "OPCJE", "ŚRODOWISKO", "STATUS ZAKOŃCZENIA",
                                             "PLIKI", "PRZYKŁADY", "ZOBACZ TAKŻE"};
    for (const TStrona& s : Strony()) {
        const std::string tekst = OdczytPliku(kKatalog + "/" + s.plik);
        EXPECT_EQ(tekst.rfind(".\\\" -*- coding: UTF-8 -*-\n", 0), 0u) << s.plik;
        size_t poprzednia = 0;
        for (const std::string& sekcja : sekcje) {
            const size_t p = tekst.find("\n.SH " + sekcja + "\n");
            EXPECT_NE(p, std::string::npos) << s.plik << ": " << sekcja;
            if (p == std::string::npos) continue;
            EXPECT_GT(p, poprzednia) << s.plik << ": " << sekcja << " out of order";
            poprzednia = p;
        }
    }
}

// Every option the program's --help lists is described on its page (written "\-\-name").
TEST(ManStrony, DescribeEveryOptionOfTheirProgram) {
    const std::regex opcja("(^|[ \\[|,])(--?[a-z][a-z-]*)");
    for (const TStrona& s : Strony()) {
        if (s.program.empty()) continue;
        const auto [status, pomoc] = Wyjscie(Cytat(s.program) + " --help");
        ASSERT_EQ(status, 0) << s.program;
        std::set<std::string> opcje;
        for (std::sregex_iterator i(pomoc.begin(), pomoc.end(), opcja), koniec; i != koniec; ++i) opcje.insert((*i)[2]);
        ASSERT_GE(opcje.size(), 3u) << pomoc;
        const std::string tekst = OdczytPliku(kKatalog + "/" + s.plik);
        for (const std::string& o : opcje) {
            std::string zapis;
            for (char c : o) zapis += c == '-' ? "\\-" : std::string(1, c);
            EXPECT_NE(tekst.find(zapis), std::string::npos) << s.plik << " does not describe " << o;
        }
    }
}

}  // namespace
