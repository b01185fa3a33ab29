// The command line of the search tool through its entry point: help and version, usage errors
// (exit status 64, checked before anything loads), the data directory from BELVASTRONA_DANE,
// and the working folder that holds reports, templates and mail attachments.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "PoleceniaCli.h"
#include "ZastepczaPoczta.h"
#include "cp1250.h"
#include "d_Szablon.h"

namespace fs = std::filesystem;

namespace {

// Sets (or, with nullptr, removes) an environment variable for the life of the object.
class TZmienna {
public:
    TZmienna(const char* nazwa, const char* wartosc) : nazwa_(nazwa) {
        if (const char* p = std::getenv(nazwa)) poprzednia_ = p;
        if (wartosc) ::setenv(nazwa, wartosc, 1);
        else ::unsetenv(nazwa);
    }
    ~TZmienna() {
        if (poprzednia_) ::setenv(nazwa_.c_str(), poprzednia_->c_str(), 1);
        else ::unsetenv(nazwa_.c_str());
    }
    TZmienna(const TZmienna&) = delete;
    TZmienna& operator=(const TZmienna&) = delete;

private:
    std::string nazwa_;
    std::optional<std::string> poprzednia_;
};

struct TWynik {
    int status = -1;
    std::string out, err;
};

TWynik Uruchom(const std::vector<std::string>& a) {
    std::ostringstream out, err;
    TWynik w;
    w.status = WykonaniePolecenia(a, out, err);
    w.out = out.str();
    w.err = err.str();
    return w;
}

// Two data directories told apart by their document counts; the current folder is a third,
// empty one, and the user's folder is a temporary one.
class CliWywolanie : public ::testing::Test {
protected:
    void SetUp() override {
        BudowaKatalogu(dane.Sciezka(), {{"0000001.htm", "podatek ulga"}, {"0000002.htm", "podatek vat"}});
        BudowaKatalogu(inne.Sciezka(), {{"0000001.htm", "akcyza"}});
    }
    TTymczasowyKatalog dane, inne, gdzieIndziej, uzytkownik;
    TZmienna xdg{"XDG_DATA_HOME", uzytkownik.Sciezka().c_str()};
    TZmienna zmienna{"BELVASTRONA_DANE", nullptr};
    TBiezacyKatalog biezacy{gdzieIndziej.Sciezka()};
};

TEST_F(CliWywolanie, HelpAndVersionGoToStandardOutputWithStatusZero) {
    for (const std::vector<std::string>& a : std::vector<std::vector<std::string>>{
             {"--help"}, {"-h"}, {"query", "--help"}, {"frobnicate", "-h"}, {"--data", "brak", "--help"}}) {
        const TWynik w = Uruchom(a);
        EXPECT_EQ(w.status, 0) << a.front();
        EXPECT_EQ(w.out.rfind("Użycie: belvastrona-cli ", 0), 0u) << w.out;
        EXPECT_NE(w.out.find("BELVASTRONA_DANE"), std::string::npos);
        EXPECT_EQ(w.err, "");
    }
    const TWynik v = Uruchom({"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out, std::string("belvastrona-cli ") + BELVASTRONA_WERSJA + "\n");
    EXPECT_EQ(v.err, "");

    // As the value of an option it is that value: here a data directory that does not exist.
    const TWynik d = Uruchom({"--data", "--version", "info"});
    EXPECT_EQ(d.status, 1);
    EXPECT_EQ(d.out, "");
    EXPECT_EQ(d.err.rfind("Nie można wczytać katalogu danych '--version'", 0), 0u) << d.err;
}

// Every wrong command line: status 64, its message and the hint on standard error, nothing on
// standard output, and nothing loaded first (the data directory here does not exist).
TEST_F(CliWywolanie, UsageErrorsAreStatus64WithMessageAndHintOnStandardError) {
    const std::string brak = dane.Plik("brak");
    const std::vector<std::pair<std::vector<std::string>, std::string>> przypadki = {
        {{}, "Nie podano polecenia."},
        {{"frobnicate"}, "Nieznane polecenie 'frobnicate'."},
        {{"-x", "info"}, "Nieznana opcja '-x'."},
        {{"--data"}, "Opcja --data wymaga nazwy katalogu."},
        {{"info", "zbędny"}, "Nieznany argument polecenia info: 'zbędny'."},
        {{"query", "--bogus"}, "Nieznana opcja polecenia query: '--bogus'."},
        {{"query", "--condition"}, "Opcja --condition wymaga wartości."},
        {{"query", "--chamber", "12x"}, "Opcja --chamber wymaga liczby całkowitej, podano '12x'."},
        {{"query", "--provision", "99999999999"}, "Opcja --provision wymaga liczby całkowitej, podano '99999999999'."},
        {{"show"}, "Polecenie show wymaga numeru dokumentu."},
        {{"show", "pierwszy"}, "Numer dokumentu polecenia show musi być liczbą całkowitą, podano 'pierwszy'."},
        {{"show", "1", "2"}, "Nieznany argument polecenia show: '2'."},
        {{"count", "--forms"}, "Polecenie count wymaga co najmniej jednego tekstu."},
        {{"report"}, "Polecenie report wymaga save, list albo show."},
        {{"report", "save", "--force"}, "Polecenie report save wymaga nazwy raportu."},
        {{"report", "show", "a", "--force"}, "Nieznany argument polecenia report show: '--force'."},
        {{"report", "list", "a"}, "Nieznany argument polecenia report list: 'a'."},
        {{"template", "delete"}, "Polecenie template wymaga list albo show."},
        {{"template", "show"}, "Polecenie template show wymaga opisu szablonu."},
        {{"template", "list", "--json"}, "Nieznany argument polecenia template list: '--json'."},
        {{"mail", "--report"}, "Opcja --report wymaga wartości."},
        {{"mail", "--report", "a", "--condition", "\"vat\""}, "Polecenie mail --report nie przyjmuje opcji warunku."},
        {{"mail", "--report", "a", "--report", "b"}, "Opcja --report polecenia mail może wystąpić tylko raz."},
        {{"mail", "--json"}, "Nieznana opcja polecenia mail: '--json'."},
    };
    for (const auto& [argumenty, komunikat] : przypadki) {
        std::vector<std::string> a = argumenty;
        if (a.empty() || a.front() != "--data") a.insert(a.begin(), {"--data", brak});
        const TWynik w = Uruchom(a);
        EXPECT_EQ(w.status, 64) << komunikat;
        EXPECT_EQ(w.out, "") << komunikat;
        EXPECT_EQ(w.err, komunikat + "\nPomoc: belvastrona-cli --help\n");
    }
}

// What was understood but cannot be done keeps its own status, without the hint.
TEST_F(CliWywolanie, ErrorsOfTheDataKeepTheirStatus) {
    TWynik w = Uruchom({"--data", dane.Sciezka(), "show", "3"});
    EXPECT_EQ(w.status, 1);
    EXPECT_EQ(w.err, "Nie ma dokumentu numer 3 (dokumenty 1-2).\n");
    w = Uruchom({"--data", dane.Sciezka(), "query", "--extra", "\"a\" AND"});
    EXPECT_EQ(w.status, 2);
    EXPECT_EQ(w.err.find("Pomoc:"), std::string::npos) << w.err;
    // Reports and templates need a data directory that exists, though not its index.
    for (const std::vector<std::string>& a : std::vector<std::vector<std::string>>{{"report", "list"}, {"template", "list"}}) {
        std::vector<std::string> b = {"--data", dane.Plik("brak")};
        b.insert(b.end(), a.begin(), a.end());
        w = Uruchom(b);
        EXPECT_EQ(w.status, 1) << a.front();
        EXPECT_EQ(w.err, "Nie ma katalogu danych '" + dane.Plik("brak") + "'.\n");
    }
    EXPECT_TRUE(fs::is_empty(uzytkownik.Sciezka())) << "a missing data directory sends nothing to the user's folder";
}

TEST_F(CliWywolanie, TheDataDirectoryComesFromBelvastronaDaneUnlessDataIsGiven) {
    {
        TZmienna z("BELVASTRONA_DANE", dane.Sciezka().c_str());
        TWynik w = Uruchom({"query", "--condition", "\"podatek\"", "--count"});
        EXPECT_EQ(w.status, 0) << w.err;
        EXPECT_EQ(w.out, "2\n");
        w = Uruchom({"--data", inne.Sciezka(), "query", "--condition", "\"akcyza\"", "--count"});
        EXPECT_EQ(w.status, 0) << w.err;
        EXPECT_EQ(w.out, "1\n");
        // The reports follow it too.
        fs::create_directory(dane.Plik("Raporty"));
        w = Uruchom({"report", "save", "Klient", "--condition", "\"podatek\""});
        EXPECT_EQ(w.status, 0) << w.err;
        EXPECT_TRUE(fs::exists(dane.Plik("Raporty/Klient.rap")));
    }
    {
        TZmienna z("BELVASTRONA_DANE", dane.Plik("brak").c_str());
        const TWynik w = Uruchom({"info"});
        EXPECT_EQ(w.status, 1);
        EXPECT_EQ(w.err.rfind("Nie można wczytać katalogu danych '" + dane.Plik("brak") + "'", 0), 0u) << w.err;
        EXPECT_EQ(Uruchom({"--data", dane.Sciezka(), "info"}).status, 0);
    }
    {
        TZmienna z("BELVASTRONA_DANE", "");   // empty: as if unset
        TBiezacyKatalog tutaj(inne.Sciezka());
        const TWynik w = Uruchom({"info"});
        EXPECT_EQ(w.status, 0) << w.err;
        EXPECT_EQ(w.out.rfind("documents 1\n", 0), 0u) << w.out;
        EXPECT_NE(w.out.find("\nFolder roboczy (raporty i szablony): " + inne.Sciezka() + "\n"), std::string::npos) << w.out;
    }
}

// A data directory that can be written is its own working folder, wherever the tool runs;
// the current folder gets nothing and is current again afterwards.
TEST_F(CliWywolanie, ReportsTemplatesAndMailUseTheWorkingFolderNotTheCurrentOne) {
    const auto uruchom = [&](std::vector<std::string> a) {
        a.insert(a.begin(), {"--data", dane.Sciezka()});
        return Uruchom(a);
    };
    TWynik w = uruchom({"info"});
    ASSERT_EQ(w.status, 0) << w.err;
    EXPECT_NE(w.out.find("\nFolder roboczy (raporty i szablony): " + dane.Sciezka() + "\n"), std::string::npos) << w.out;

    fs::create_directory(dane.Plik("Raporty"));
    w = uruchom({"report", "save", "Klient", "--condition", "\"vat\""});
    ASSERT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(OdczytPliku(dane.Plik("Raporty/Klient.rap")), "warunek=\"vat\"\nizba=0\nprzepis=0\nplik=2");
    w = uruchom({"report", "list"});
    EXPECT_EQ(w.out.rfind("Klient\t", 0), 0u) << w.out;
    w = uruchom({"report", "show", "klient"});
    EXPECT_EQ(w.out, "2\n") << w.err;

    {
        Tdm_Szablon dm(dane.Sciezka());
        TcTabelaDbf& t = dm.tb_Szablon;
        t.Dopisanie();
        t.ZapisanieLiczby("ID_SZABL", 3);
        t.ZapisaniePola("OPIS", PL(u8"Ulga"));
        t.ZapisaniePola("WARUNEK", "\"ulga\"");
        t.Zatwierdzenie();
    }
    w = uruchom({"template", "list"});
    EXPECT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(w.out, "3\tUlga\n");

    TZastepczaPoczta poczta;
    w = uruchom({"mail", "--condition", "\"podatek\""});
    ASSERT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(w.out, "w1.htm\t2\nw2.htm\t1\n");
    EXPECT_TRUE(fs::exists(dane.Plik("w2.htm")));
    w = uruchom({"mail", "--report", "Klient"});
    ASSERT_EQ(w.status, 0) << w.err;
    const auto wywolania = poczta.Wywolania();
    ASSERT_EQ(wywolania.size(), 2u);
    EXPECT_EQ(wywolania[0].Katalog, dane.Sciezka());
    EXPECT_EQ(wywolania[1].Argumenty.at(4), dane.Plik("Raporty/Klient.rap"));

    EXPECT_TRUE(fs::is_empty(gdzieIndziej.Sciezka()));
    EXPECT_TRUE(fs::is_empty(uzytkownik.Sciezka()));
    EXPECT_EQ(fs::current_path().string(), gdzieIndziej.Sciezka());
}

}  // namespace
