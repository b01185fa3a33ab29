// The working folder: a data directory that can be written keeps the reports and templates; one
// that cannot (an installed corpus) sends them to the user's own folder, made on first use,
// with the shipped template table copied there once. Each case runs in a child process with
// its own environment, as an ordinary user when the tests run as root (root writes anywhere).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "Bledy.h"
#include "FabrykaDanych.h"
#include "KatalogRoboczy.h"
#include "Sesja.h"
#include "cp1250.h"
#include "d_Szablon.h"

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNikt = 65534;

// What f returns, computed in a child process (as the user nobody when we are root), with
// HOME and XDG_DATA_HOME as given ("" unsets). An exception becomes "exception: <what>".
std::string WPotomku(const std::string& home, const std::string& xdg, const std::function<std::string()>& f) {
    int rura[2];
    if (pipe(rura) != 0) return "pipe failed";
    const pid_t pid = fork();
    if (pid == 0) {
        close(rura[0]);
        std::string wynik;
        if (getuid() == 0 && (setgid(kNikt) != 0 || setuid(kNikt) != 0)) wynik = "setuid failed";
        if (home.empty()) unsetenv("HOME");
        else setenv("HOME", home.c_str(), 1);
        if (xdg.empty()) unsetenv("XDG_DATA_HOME");
        else setenv("XDG_DATA_HOME", xdg.c_str(), 1);
        if (wynik.empty()) {
            try {
                wynik = f();
            } catch (const std::exception& e) {
                wynik = std::string("exception: ") + cp1250::toUtf8(e.what());
            }
        }
        const ssize_t zapisane = write(rura[1], wynik.data(), wynik.size());
        _exit(zapisane == ssize_t(wynik.size()) ? 0 : 1);
    }
    close(rura[1]);
    std::string wynik;
    char bufor[4096];
    for (ssize_t n; (n = read(rura[0], bufor, sizeof bufor)) > 0;) wynik.append(bufor, size_t(n));
    close(rura[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return wynik;
}

std::string Opis(const TKatalogRoboczy& r) { return r.Sciezka + (r.WDanych ? " (data)" : " (own)"); }

class KatalogRoboczyTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Open to the child, whoever it runs as; the data directory shut to it unless said.
        for (const std::string& k : {dane.Sciezka(), uzytkownik.Sciezka()}) chmod(k.c_str(), 0777);
        ZapisPliku(dane.Plik(PlikSzablonow), "table");
        ZapisPliku(dane.Plik("szablon.DBT"), "memo");
    }
    void Zamkniecie() { chmod(dane.Sciezka().c_str(), 0555); }
    TTymczasowyKatalog dane, uzytkownik;
};

TEST_F(KatalogRoboczyTest, AWritableDataDirectoryIsItsOwnWorkingFolder) {
    for (const std::string& podany : {dane.Sciezka(), dane.Sciezka() + "/.", dane.Sciezka() + "/"}) {
        const std::string w = WPotomku(uzytkownik.Sciezka(), uzytkownik.Sciezka(), [&] { return Opis(KatalogRoboczy(podany)); });
        EXPECT_EQ(w, dane.Sciezka() + " (data)") << podany;
    }
    EXPECT_TRUE(fs::is_empty(uzytkownik.Sciezka()));   // nothing made for the user
}

TEST_F(KatalogRoboczyTest, AnUnwritableOneSendsTheUserToTheirOwnFolderWithTheShippedTemplatesCopiedOnce) {
    Zamkniecie();
    const std::string wlasny = uzytkownik.Sciezka() + "/xdg/Belvastrona";
    // $XDG_DATA_HOME wins over $HOME; the folder is made with its parents.
    EXPECT_EQ(WPotomku(uzytkownik.Sciezka(), uzytkownik.Sciezka() + "/xdg", [&] { return Opis(KatalogRoboczy(dane.Sciezka())); }),
              wlasny + " (own)");
    EXPECT_TRUE(fs::is_directory(wlasny + "/Raporty"));   // a report save never makes it
    EXPECT_EQ(OdczytPliku(wlasny + "/" + PlikSzablonow), "table");
    EXPECT_EQ(OdczytPliku(wlasny + "/szablon.DBT"), "memo");
    // The copy is the user's from now on: a second start does not overwrite it.
    ZapisPliku(wlasny + "/" + PlikSzablonow, "changed by the user");
    WPotomku(uzytkownik.Sciezka(), uzytkownik.Sciezka() + "/xdg", [&] { return Opis(KatalogRoboczy(dane.Sciezka())); });
    EXPECT_EQ(OdczytPliku(wlasny + "/" + PlikSzablonow), "changed by the user");
    // Without $XDG_DATA_HOME (or with a relative one, which the standard says to ignore): $HOME.
    for (const std::string xdg : {"", "relative"})
        EXPECT_EQ(WPotomku(uzytkownik.Sciezka(), xdg, [&] { return Opis(KatalogRoboczy(dane.Sciezka())); }),
                  uzytkownik.Sciezka() + "/.local/share/Belvastrona (own)")
            << xdg;
}

TEST_F(KatalogRoboczyTest, AFolderThatCannotBeMadeIsAPolishErrorAndNothingIsCopied) {
    Zamkniecie();
    ZapisPliku(uzytkownik.Plik("plik"), "x");   // a file where the folder's parent should be
    EXPECT_EQ(WPotomku(uzytkownik.Sciezka(), uzytkownik.Plik("plik"), [&] { return Opis(KatalogRoboczy(dane.Sciezka())); }),
              "exception: Nie można utworzyć folderu '" + uzytkownik.Plik("plik") + "/Belvastrona'.");
    EXPECT_EQ(WPotomku("", "", [&] { return Opis(KatalogRoboczy(dane.Sciezka())); }).rfind("exception: Folderu danych nie można zapisywać", 0),
              0u);
}

// The session opens (or makes) its template table in the working folder it is given.
TEST_F(KatalogRoboczyTest, TheSessionKeepsItsTemplateTableInTheWorkingFolder) {
    TTymczasowyKatalog korpus, roboczy;
    BudowaKatalogu(korpus.Sciezka(), {{"0000001.htm", "podatek"}});
    fs::remove(korpus.Plik(PlikSzablonow));
    TOpcjeSesji o;
    o.Ladowanie.Katalog = korpus.Sciezka();
    o.KatalogRoboczy = roboczy.Sciezka();
    o.SlownikiWymagane = false;
    o.OdczytKonfiguracji = false;
    TcSesja s(o);
    s.OtwarcieSzablonow();
    EXPECT_TRUE(fs::exists(roboczy.Plik(PlikSzablonow)));
    EXPECT_FALSE(fs::exists(korpus.Plik(PlikSzablonow)));
}

}  // namespace
