// The three command-line programs run as child processes, as a shell runs them: help and
// version on standard output, usage errors as exit status 64 on standard error only, the corpus
// builder's progress on a terminal and elsewhere and its --quiet, and the search tool on a data
// directory it cannot write.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <grp.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "GeneratorProbki.h"
#include "cp1250.h"
#include "d_Szablon.h"

namespace fs = std::filesystem;

namespace {

const std::string kCli = BELV_PROGRAM_CLI;
const std::string kBudowa = BELV_PROGRAM_BUILD;
const std::string kProbka = BELV_PROGRAM_SAMPLE;

constexpr int kZapisywalny = 77;   // the child's answer when the folder it must not write is writable
constexpr int kNiedostepny = 78;   // ... when, as nobody, it cannot reach the program or its folders

struct TWynik {
    int status = -1;
    std::string out, err;
};

struct TWarunki {
    std::vector<std::string> zmienne;   // "NAME=value" set, "NAME" removed
    std::string katalog;                // the child's current folder; "" = the test's
    bool bezUprawnien = false;          // as the user nobody when the test runs as root
    std::string tylkoDoOdczytu;         // a folder the child must not be able to write
};

TWarunki WKatalogu(const std::string& katalog) {
    TWarunki w;
    w.katalog = katalog;
    return w;
}

int Status(int w) { return WIFEXITED(w) ? WEXITSTATUS(w) : 128 + WTERMSIG(w); }

// In the child: the environment, the user, the folder, then the program.
[[noreturn]] void Program(const std::string& program, const std::vector<std::string>& argumenty, const TWarunki& w) {
    for (const std::string& z : w.zmienne) {
        const size_t r = z.find('=');
        if (r == std::string::npos) ::unsetenv(z.c_str());
        else ::setenv(z.substr(0, r).c_str(), z.substr(r + 1).c_str(), 1);
    }
    if (w.bezUprawnien && ::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(126);
    if (::access(program.c_str(), X_OK) != 0 || (!w.katalog.empty() && ::access(w.katalog.c_str(), W_OK | X_OK) != 0) ||
        (!w.tylkoDoOdczytu.empty() && ::access(w.tylkoDoOdczytu.c_str(), R_OK | X_OK) != 0))
        ::_exit(kNiedostepny);
    if (!w.tylkoDoOdczytu.empty() && ::access(w.tylkoDoOdczytu.c_str(), W_OK) == 0) ::_exit(kZapisywalny);
    if (!w.katalog.empty() && ::chdir(w.katalog.c_str()) != 0) ::_exit(126);
    std::vector<char*> a;
    a.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& s : argumenty) a.push_back(const_cast<char*>(s.c_str()));
    a.push_back(nullptr);
    ::execv(program.c_str(), a.data());
    ::_exit(127);
}

// Standard output and standard error go to files, standard input is /dev/null: no terminal.
TWynik Uruchomienie(const std::string& program, const std::vector<std::string>& argumenty, const TWarunki& w = {}) {
    TTymczasowyKatalog pliki;
    const int out = ::open(pliki.Plik("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(pliki.Plik("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int nic = ::open("/dev/null", O_RDONLY);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(nic, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        Program(program, argumenty, w);
    }
    ::close(out);
    ::close(err);
    ::close(nic);
    TWynik wynik;
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid) wynik.status = Status(status);
    wynik.out = OdczytPliku(pliki.Plik("out"));
    wynik.err = OdczytPliku(pliki.Plik("err"));
    return wynik;
}

// All three standard streams on one terminal; what the terminal got, byte for byte (raw mode:
// a line feed stays a line feed).
TWynik NaTerminalu(const std::string& program, const std::vector<std::string>& argumenty) {
    struct termios t {};
    ::cfmakeraw(&t);
    struct winsize okno {};
    okno.ws_row = 24;
    okno.ws_col = 120;
    int terminal = -1;
    const pid_t pid = ::forkpty(&terminal, nullptr, &t, &okno);
    if (pid == 0) Program(program, argumenty, {});
    TWynik wynik;
    if (pid < 0) return wynik;
    char b[4096];
    for (;;) {
        const ssize_t n = ::read(terminal, b, sizeof b);
        if (n > 0) wynik.out.append(b, size_t(n));
        else if (n < 0 && errno == EINTR) continue;
        else break;   // EIO once the program has closed its side
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) == pid) wynik.status = Status(status);
    ::close(terminal);
    return wynik;
}

struct TProgram {
    std::string sciezka, nazwa;
};

const std::vector<TProgram>& Programy() {
    static const std::vector<TProgram> p = {
        {kCli, "belvastrona-cli"}, {kBudowa, "belvastrona-build"}, {kProbka, "belvastrona-sample"}};
    return p;
}

TEST(ProgramyWywolanie, HelpAndVersionGoToStandardOutputWithStatusZero) {
    for (const TProgram& p : Programy()) {
        for (const char* pomoc : {"--help", "-h"}) {
            const TWynik w = Uruchomienie(p.sciezka, {pomoc});
            EXPECT_EQ(w.status, 0) << p.nazwa << " " << pomoc;
            EXPECT_EQ(w.out.rfind("Użycie: " + p.nazwa + " ", 0), 0u) << w.out;
            EXPECT_EQ(w.err, "") << p.nazwa;
        }
        const TWynik w = Uruchomienie(p.sciezka, {"--version"});
        EXPECT_EQ(w.status, 0) << p.nazwa;
        EXPECT_EQ(w.out, p.nazwa + " " + BELVASTRONA_WERSJA + "\n");
        EXPECT_EQ(w.err, "") << p.nazwa;
    }
}

// Status 64, the message and the hint on standard error, nothing on standard output and
// nothing written (each runs in an empty folder that stays empty).
TEST(ProgramyWywolanie, UsageErrorsAreStatus64OnStandardErrorOnly) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> przypadki = {
        {kCli, {}},
        {kCli, {"frobnicate"}},
        {kCli, {"--data", ".", "query", "--chamber", "x"}},
        {kCli, {"report", "save", "Klient", "--condition"}},
        {kBudowa, {}},
        {kBudowa, {"zrodlo"}},
        {kBudowa, {"zrodlo", "dane", "zbedny"}},
        {kBudowa, {"--bogus", "zrodlo", "dane"}},
        {kBudowa, {"zrodlo", "dane", "-x"}},
        {kProbka, {}},
        {kProbka, {"--documents"}},
        {kProbka, {"--documents", "x", "zrodlo"}},
        {kProbka, {"--documents", "-1", "zrodlo"}},
        {kProbka, {"--documents", "0", "zrodlo"}},
        {kProbka, {"--documents", "262143", "zrodlo"}},
        {kProbka, {"--documents", "99999999999999999999", "zrodlo"}},
        {kProbka, {"--documents", "5", "--vocabulary", "0", "zrodlo"}},
        {kProbka, {"--documents", "5", "--vocabulary", "250001", "zrodlo"}},
        {kProbka, {"--documents", "5", "--seed", "1x", "zrodlo"}},
        {kProbka, {"--documents", "5"}},
        {kProbka, {"--seed", "1", "zrodlo"}},
        {kProbka, {"--documents", "5", "zrodlo", "zbedny"}},
        {kProbka, {"--documents", "5", "--bogus", "zrodlo"}},
    };
    for (const auto& [program, argumenty] : przypadki) {
        TTymczasowyKatalog tutaj;
        const std::string nazwa = fs::path(program).filename().string();
        std::string opis = nazwa;
        for (const std::string& a : argumenty) opis += " " + a;
        const TWynik w = Uruchomienie(program, argumenty, WKatalogu(tutaj.Sciezka()));
        EXPECT_EQ(w.status, 64) << opis << "\n" << w.err;
        EXPECT_EQ(w.out, "") << opis;
        const std::string wskazowka = "\nPomoc: " + nazwa + " --help\n";
        ASSERT_GT(w.err.size(), wskazowka.size() + 2) << opis;
        EXPECT_EQ(w.err.substr(w.err.size() - wskazowka.size()), wskazowka) << opis << "\n" << w.err;
        EXPECT_EQ(std::count(w.err.begin(), w.err.end(), '\n'), 2) << "one message line: " << w.err;
        EXPECT_TRUE(fs::is_empty(tutaj.Sciezka())) << opis;
    }
}

// Failures that are not the command line's keep status 1, also with --quiet.
TEST(ProgramyWywolanie, FailuresKeepStatusOne) {
    TTymczasowyKatalog tutaj;
    TWynik w = Uruchomienie(kBudowa, {"-q", "brak", "dane"}, WKatalogu(tutaj.Sciezka()));
    EXPECT_EQ(w.status, 1);
    EXPECT_EQ(w.out, "");
    EXPECT_EQ(w.err.rfind("Błąd: ", 0), 0u) << w.err;
    // After "--" a name that starts with "-" is a folder.
    w = Uruchomienie(kBudowa, {"--", "-zrodlo", "dane"}, WKatalogu(tutaj.Sciezka()));
    EXPECT_EQ(w.status, 1) << w.err;
    EXPECT_NE(w.err.find("-zrodlo"), std::string::npos) << w.err;

    ZapisPliku(tutaj.Plik("cudzy.txt"), "x");
    w = Uruchomienie(kProbka, {"--documents", "5", tutaj.Sciezka()});
    EXPECT_EQ(w.status, 1);
    EXPECT_NE(w.err.find("nie jest pusty"), std::string::npos) << w.err;
}

// A small sample source, made once for the builder's runs.
class Budowa : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        katalog_ = new TTymczasowyKatalog;
        TOpcjeProbki o;
        o.Dokumenty = 600;
        o.Slownictwo = 2000;
        GenerowanieProbki(katalog_->Plik("zrodlo"), o);
    }
    static void TearDownTestSuite() {
        delete katalog_;
        katalog_ = nullptr;
    }
    static std::string Zrodlo() { return katalog_->Plik("zrodlo"); }
    TTymczasowyKatalog tutaj;
    const std::string dane = tutaj.Plik("dane");

private:
    static TTymczasowyKatalog* katalog_;
};

TTymczasowyKatalog* Budowa::katalog_ = nullptr;

// Not on a terminal (a log): a line a stage and a line every tenth of the documents, then the
// summary, all on standard error.
TEST_F(Budowa, NotOnATerminalEachStageHasALineOfItsOwn) {
    const TWynik w = Uruchomienie(kBudowa, {Zrodlo(), dane});
    ASSERT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(w.out, "");
    EXPECT_EQ(w.err.find('\r'), std::string::npos);
    std::vector<std::string> wiersze;
    std::istringstream s(w.err);
    for (std::string l; std::getline(s, l);) wiersze.push_back(l);
    ASSERT_GE(wiersze.size(), 4u) << w.err;
    EXPECT_TRUE(std::regex_match(wiersze.front(), std::regex("Sprawdzanie źródła\\.\\.\\. \\(\\d+ s\\)"))) << wiersze.front();
    EXPECT_TRUE(std::regex_match(wiersze.back(), std::regex("Gotowe: 600 dokumentów, \\d+ wyrazów, \\d+ aktów w '" + dane +
                                                            "' \\(\\d+\\.\\d s\\)\\.")))
        << wiersze.back();
    const std::regex dokumenty("Dokumenty: (\\d+) z 600 \\(\\d+ s\\)");
    std::vector<int> gotowe;
    size_t zapis = 0;
    for (size_t i = 1; i + 1 < wiersze.size(); ++i) {
        std::smatch m;
        if (std::regex_match(wiersze[i], m, dokumenty)) gotowe.push_back(std::stoi(m[1]));
        else if (std::regex_match(wiersze[i], std::regex("Zapis indeksu\\.\\.\\. \\(\\d+ s\\)"))) ++zapis;
        else ADD_FAILURE() << "unexpected line: " << wiersze[i];
    }
    // 256 documents a batch: 42 %, 85 % and 100 %, each in a tenth of its own.
    EXPECT_EQ(gotowe, (std::vector<int>{256, 512, 600}));
    EXPECT_GE(zapis, 1u);
    EXPECT_TRUE(fs::exists(dane + "/plik.dat"));
}

// On a terminal: one line, each state written over the one before (blanks cover a longer
// one), the summary last, one line feed at the very end.
TEST_F(Budowa, OnATerminalTheProgressIsOneLineRewrittenInPlace) {
    const TWynik w = NaTerminalu(kBudowa, {Zrodlo(), dane});
    ASSERT_EQ(w.status, 0) << w.out;
    ASSERT_FALSE(w.out.empty());
    EXPECT_EQ(std::count(w.out.begin(), w.out.end(), '\n'), 1) << w.out;
    EXPECT_EQ(w.out.back(), '\n');
    ASSERT_EQ(w.out.front(), '\r') << w.out;
    std::vector<std::string> stany;
    for (size_t i = 1; i < w.out.size();) {
        const size_t j = std::min(w.out.find('\r', i), w.out.size() - 1);
        stany.push_back(w.out.substr(i, j - i));
        i = j + 1;
    }
    const auto znaki = [](const std::string& s) {
        return size_t(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    };
    const auto bezOdstepow = [](std::string s) {
        while (!s.empty() && s.back() == ' ') s.pop_back();
        return s;
    };
    ASSERT_GE(stany.size(), 4u) << w.out;
    EXPECT_TRUE(std::regex_match(bezOdstepow(stany.front()), std::regex("Sprawdzanie źródła\\.\\.\\. \\(\\d+ s\\)")))
        << stany.front();
    EXPECT_EQ(bezOdstepow(stany.back()).rfind("Gotowe: 600 dokumentów, ", 0), 0u) << stany.back();
    bool wszystkie = false;
    for (size_t i = 1; i < stany.size(); ++i) {
        EXPECT_GE(znaki(stany[i]), znaki(bezOdstepow(stany[i - 1]))) << "'" << stany[i] << "' leaves characters of '" << stany[i - 1] << "'";
        if (std::regex_match(bezOdstepow(stany[i]), std::regex("Dokumenty: 600 z 600 \\(\\d+ s\\)"))) wszystkie = true;
    }
    EXPECT_TRUE(wszystkie) << w.out;
    EXPECT_TRUE(fs::exists(dane + "/plik.dat"));
}

TEST_F(Budowa, QuietPrintsNothingButErrors) {
    TWynik w = Uruchomienie(kBudowa, {"--quiet", Zrodlo(), dane});
    ASSERT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(w.out, "");
    EXPECT_EQ(w.err, "");
    EXPECT_TRUE(fs::exists(dane + "/plik.dat"));

    w = NaTerminalu(kBudowa, {Zrodlo(), dane, "-q"});
    EXPECT_EQ(w.status, 0);
    EXPECT_EQ(w.out, "");

    w = NaTerminalu(kBudowa, {"-q", tutaj.Plik("brak"), dane});
    EXPECT_EQ(w.status, 1);
    EXPECT_EQ(w.out.rfind("Błąd: ", 0), 0u) << w.out;
    EXPECT_TRUE(fs::exists(dane + "/plik.dat")) << "a failed build leaves the data as it was";
}

// A data directory that cannot be written (an installed corpus): reports and templates go to
// the user's $XDG_DATA_HOME/Belvastrona, which the first use makes with a copy of the shipped
// template table. Run as the user nobody when the tests run as root, whom file modes do not stop.
TEST(CliFolderRoboczy, AReadOnlyDataDirectoryWorksInTheUsersFolder) {
    TTymczasowyKatalog dane, uzytkownik, tutaj;
    BudowaKatalogu(dane.Sciezka(), {{"0000001.htm", "podatek vat"}, {"0000002.htm", "podatek"}});
    fs::create_directory(dane.Plik("Raporty"));
    ZapisPliku(dane.Plik("Raporty/Dostarczony.rap"), "warunek=\"vat\"\nizba=0\nprzepis=0\nplik=1");
    {
        Tdm_Szablon dm(dane.Sciezka());
        TcTabelaDbf& t = dm.tb_Szablon;
        t.Dopisanie();
        t.ZapisanieLiczby("ID_SZABL", 4);
        t.ZapisaniePola("OPIS", PL(u8"Ulga rehabilitacyjna"));
        t.ZapisaniePola("WARUNEK", "\"ulga\"");
        t.Zatwierdzenie();
    }
    for (const auto& [sciezka, tryb] : std::vector<std::pair<std::string, fs::perms>>{
             {dane.Plik("Raporty"), fs::perms(0555)}, {dane.Sciezka(), fs::perms(0555)},
             {uzytkownik.Sciezka(), fs::perms(0777)}, {tutaj.Sciezka(), fs::perms(0777)}})
        fs::permissions(sciezka, tryb);
    struct TPrzywrocenie {
        std::string a, b;
        ~TPrzywrocenie() {
            std::error_code e;
            fs::permissions(a, fs::perms(0755), e);
            fs::permissions(b, fs::perms(0755), e);
        }
    } przywrocenie{dane.Sciezka(), dane.Plik("Raporty")};

    const std::string roboczy = uzytkownik.Plik("Belvastrona");
    TWarunki warunki{.zmienne = {"XDG_DATA_HOME=" + uzytkownik.Sciezka(), "HOME=" + uzytkownik.Sciezka(), "BELVASTRONA_DANE"},
                     .katalog = tutaj.Sciezka(),
                     .bezUprawnien = true,
                     .tylkoDoOdczytu = dane.Sciezka()};
    const auto cli = [&](std::vector<std::string> a) {
        a.insert(a.begin(), {"--data", dane.Sciezka()});
        return Uruchomienie(kCli, a, warunki);
    };

    TWynik w = cli({"info"});
    if (w.status == kZapisywalny) GTEST_SKIP() << "the data directory stays writable for this user";
    if (w.status == kNiedostepny) GTEST_SKIP() << "the user nobody cannot reach the program or the temporary folders";
    ASSERT_EQ(w.status, 0) << w.err;
    EXPECT_NE(w.out.find("\nFolder roboczy (raporty i szablony): " + roboczy + "\n"), std::string::npos) << w.out;
    EXPECT_TRUE(fs::is_directory(roboczy));
    EXPECT_TRUE(fs::exists(roboczy + "/szablon.DBF")) << "the shipped templates come along";

    w = cli({"template", "show", "ulga rehabilitacyjna"});
    EXPECT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(w.out.rfind("Ulga rehabilitacyjna\nwarunek: \"ulga\"\n", 0), 0u) << w.out;

    w = cli({"report", "save", "Klient", "--condition", "\"podatek\""});
    EXPECT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(w.out, "2\n");
    EXPECT_EQ(OdczytPliku(roboczy + "/Raporty/Klient.rap"), "warunek=\"podatek\"\nizba=0\nprzepis=0\nplik=2|1");
    EXPECT_FALSE(fs::exists(dane.Plik("Raporty/Klient.rap")));
    w = cli({"report", "list"});
    EXPECT_EQ(w.out.rfind("Klient\t", 0), 0u) << w.out;
    EXPECT_EQ(std::count(w.out.begin(), w.out.end(), '\n'), 1) << w.out;
    w = cli({"report", "show", "KLIENT"});
    EXPECT_EQ(w.out, "2\n1\n") << w.err;

    // The same through BELVASTRONA_DANE.
    warunki.zmienne.back() = "BELVASTRONA_DANE=" + dane.Sciezka();
    w = Uruchomienie(kCli, {"report", "list"}, warunki);
    EXPECT_EQ(w.out.rfind("Klient\t", 0), 0u) << w.out;
    EXPECT_TRUE(fs::is_empty(tutaj.Sciezka()));

    // Without a user's folder there is no working folder: said on standard error.
    warunki.zmienne = {"XDG_DATA_HOME", "HOME", "BELVASTRONA_DANE"};
    w = cli({"info"});
    EXPECT_EQ(w.status, 1);
    EXPECT_EQ(w.out, "");
    EXPECT_NE(w.err.find("XDG_DATA_HOME"), std::string::npos) << w.err;
}

}  // namespace
