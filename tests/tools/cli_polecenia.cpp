// The command-line search on a small data directory, through its entry point.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "PoleceniaCli.h"
#include "cp1250.h"
#include "d_Szablon.h"

namespace {

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        TOpcjeKatalogu opcje;
        opcje.Izby = {{12, "Izba Skarbowa w Krakowie"}};
        std::string dlugi;
        for (int i = 0; i < 100; ++i) dlugi += "słowo ";
        BudowaKatalogu(dir.Sciezka(),
                       {
                           {"0000001.htm", "Podatek dochodowy od osób \"prawnych\" \\ <x>", 12, {7}, 0x2C8F5A21},
                           {"0050000.htm", "podatek VAT stawka"},
                           {"0057000.htm", "teza podatek " + dlugi},
                           {"0063999.htm", "teza VAT"},
                       },
                       opcje);
    }
    int Uruchom(std::vector<std::string> a) {
        out.str("");
        err.str("");
        a.insert(a.begin(), {"--data", dir.Sciezka()});
        return WykonaniePolecenia(a, out, err);
    }
    TTymczasowyKatalog dir;
    std::ostringstream out, err;
};

TEST_F(Cli, Info) {
    ASSERT_EQ(Uruchom({"info"}), 0);
    std::string oczekiwane = "documents 4\nwords 11\nmode memory\nletters 2-2\ntheses 3-4\n"
                             "Folder roboczy (raporty i szablony): ";
    oczekiwane += dir.Sciezka();
    oczekiwane += '\n';
    EXPECT_EQ(out.str(), oczekiwane);
    ASSERT_EQ(Uruchom({"--force-disk", "info"}), 0);
    EXPECT_NE(out.str().find("mode disk\n"), std::string::npos);
}

TEST_F(Cli, QueryListsDocumentsDescending) {
    ASSERT_EQ(Uruchom({"query", "--condition", "\"podatek\" OR \"vat\""}), 0);
    EXPECT_EQ(out.str(), "4\n3\n2\n1\n");
    ASSERT_EQ(Uruchom({"query", "--condition", "\"podatek\"", "--no-letters", "--no-theses"}), 0);
    EXPECT_EQ(out.str(), "1\n");
    ASSERT_EQ(Uruchom({"query", "--condition", "\"vat\"", "--no-theses"}), 0);
    EXPECT_EQ(out.str(), "2\n");
    ASSERT_EQ(Uruchom({"query", "--condition", "\"podatek\"", "--no-interpretations"}), 0);
    EXPECT_EQ(out.str(), "3\n2\n");
    ASSERT_EQ(Uruchom({"query", "--condition", "\"podatek\"", "--chamber", "12"}), 0);
    EXPECT_EQ(out.str(), "1\n");
    ASSERT_EQ(Uruchom({"query", "--condition", "\"podatek\"", "--provision", "7", "--count"}), 0);
    EXPECT_EQ(out.str(), "1\n");
    ASSERT_EQ(Uruchom({"query", "--condition", "\"osób\"", "--count"}), 0);   // UTF-8 in, Polish letters
    EXPECT_EQ(out.str(), "1\n");
    ASSERT_EQ(Uruchom({"query", "--condition", "\"podatek\"", "--extra", "\"stawka\" OR \"teza\"", "--count"}), 0);
    EXPECT_EQ(out.str(), "2\n");
}

TEST_F(Cli, QueryJson) {
    ASSERT_EQ(Uruchom({"query", "--condition", "\"podatek\"", "--extra", "\"osób\" OR \"słowo\"", "--json"}), 0);
    const std::string j = out.str();
    EXPECT_EQ(j.rfind("{\"count\": 2, \"condition\": \"( \\\"podatek\\\" ) AND ( \\\"osób\\\" OR \\\"słowo\\\" )\", "
                      "\"documents\": [{\"number\": 3, ",
                      0),
              0u)
        << j;
    EXPECT_NE(j.find("{\"number\": 1, \"date\": \"2002-04-15 11:17\", \"text\": \"\\nPodatek dochodowy od osób "
                     "\\\"prawnych\\\" \\\\ <x>\"}]}\n"),
              std::string::npos)
        << j;
    // Document 3's text is cut at 480 characters: the line feed, "teza podatek " and 466 more.
    const size_t a = j.find("teza podatek ");
    const size_t b = j.find('"', a);
    ASSERT_NE(a, std::string::npos);
    const std::string tekst = j.substr(a, b - a);
    size_t znaki = 0;
    for (unsigned char c : tekst) znaki += (c & 0xC0) != 0x80;
    EXPECT_EQ(znaki, 479u);
}

TEST_F(Cli, ErrorsAndExitCodes) {
    EXPECT_EQ(Uruchom({"query", "--condition", "\"podatek\"", "--extra", "\"a\" \"b\""}), 2);
    EXPECT_EQ(err.str(), "Błąd w warunku dodatkowym: Brak operatora działania. (pozycja 5, długość 3)\n");
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(Uruchom({"query", "--extra", "\"a\" AND"}), 2);
    EXPECT_EQ(err.str(), "Błąd w warunku dodatkowym: Brak składnika wyrażenia.\n");
    EXPECT_EQ(Uruchom({"show", "5"}), 1);
    EXPECT_NE(err.str().find("Nie ma dokumentu numer 5"), std::string::npos);
    EXPECT_EQ(Uruchom({"query", "--chamber", "x"}), 64);
    EXPECT_EQ(Uruchom({"frobnicate"}), 64);

    std::ostringstream o, e;
    EXPECT_EQ(WykonaniePolecenia({"--data", dir.Plik("brak"), "info"}, o, e), 1);
    EXPECT_EQ(e.str().rfind("Nie można wczytać katalogu danych", 0), 0u) << e.str();
    EXPECT_NE(e.str().find("plik.dat"), std::string::npos);
}

TEST_F(Cli, ShowWritesHighlightedIsoBytes) {
    ASSERT_EQ(Uruchom({"show", "1", "--highlight", "\"osób\" OR \"podatek dochodowy\""}), 0);
    EXPECT_EQ(out.str(),
              "<HTML><BODY><P><SPAN CLASS=wyroznienie>Podatek dochodowy</SPAN> od <SPAN CLASS=wyroznienie>os\xF3"
              "b</SPAN> \"prawnych\" \\ &lt;x&gt;</P></BODY></HTML>");
    ASSERT_EQ(Uruchom({"show", "1", "--highlight", "\"osób\" OR \"podatek\" AND \"x\""}), 0);   // mixed
    EXPECT_EQ(out.str().find("SPAN"), std::string::npos);
}

TEST_F(Cli, CountEachText) {
    ASSERT_EQ(Uruchom({"count", "podatek", "podatek vat", "vat", "nic"}), 0);
    EXPECT_EQ(out.str(), "3\n1\n2\n0\n");
}

// Reports live in "Raporty" of the working folder: the data directory, which can be written
// here, whatever the current folder is.
class CliRaporty : public Cli {
protected:
    void SetUp() override {
        Cli::SetUp();
        std::filesystem::create_directory(praca.Plik("Raporty"));
    }
    std::string Raport(const std::string& nazwa) const { return OdczytPliku(praca.Plik("Raporty/" + nazwa)); }
    void Czas(const std::string& nazwa, int rok, int miesiac, int dzien, int godzina, int minuta) const {
        struct tm t {};
        t.tm_year = rok - 1900;
        t.tm_mon = miesiac - 1;
        t.tm_mday = dzien;
        t.tm_hour = godzina;
        t.tm_min = minuta;
        t.tm_isdst = -1;
        const std::time_t czas = std::mktime(&t);
        const struct timespec czasy[2] = {{czas, 0}, {czas, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, praca.Plik("Raporty/" + nazwa).c_str(), czasy, 0), 0);
    }
    TTymczasowyKatalog& praca = dir;
    TTymczasowyKatalog gdzieIndziej;
    TBiezacyKatalog biezacy{gdzieIndziej.Sciezka()};
};

TEST_F(CliRaporty, SaveRunsTheQueryAndReplacesAReportOnlyWhenForced) {
    ASSERT_EQ(Uruchom({"report", "save", "Klient", "--condition", "\"podatek\" OR \"vat\""}), 0) << err.str();
    EXPECT_EQ(out.str(), "4\n");
    EXPECT_EQ(Raport("Klient.rap"), "warunek=\"podatek\" OR \"vat\"\nizba=0\nprzepis=0\nplik=4|3|2|1");

    // The same name in another letter case is the same report.
    EXPECT_EQ(Uruchom({"report", "save", "KLIENT", "--condition", "\"vat\""}), 1);
    EXPECT_EQ(err.str(), "Istnieje raport o podanej nazwie ('Klient'); --force go nadpisuje.\n");
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(Raport("Klient.rap"), "warunek=\"podatek\" OR \"vat\"\nizba=0\nprzepis=0\nplik=4|3|2|1");

    ASSERT_EQ(Uruchom({"report", "save", "--condition", "\"podatek\"", "--extra", "\"osób\"", "KLIENT", "--chamber",
                       "12", "--provision", "7", "--force"}),
              0)
        << err.str();
    EXPECT_EQ(out.str(), "1\n");
    EXPECT_EQ(Raport("Klient.rap"), "warunek=( \"podatek\" ) AND ( \"os\xF3" "b\" )\nizba=12\nprzepis=7\nplik=1");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(praca.Plik("Raporty")), {}), 1);

    // A search without results is still a report; the kind switches of query apply.
    ASSERT_EQ(Uruchom({"report", "save", "Pusty", "--condition", "\"vat\"", "--no-letters", "--no-theses"}), 0);
    EXPECT_EQ(out.str(), "0\n");
    EXPECT_EQ(Raport("Pusty.rap"), "warunek=\"vat\"\nizba=0\nprzepis=0\nplik=");

    // A wrong condition saves nothing.
    EXPECT_EQ(Uruchom({"report", "save", "Zly", "--extra", "\"a\" AND"}), 2);
    EXPECT_FALSE(std::filesystem::exists(praca.Plik("Raporty/Zly.rap")));
}

TEST_F(CliRaporty, ListIsNewestFirstWithNamesAndDates) {
    ASSERT_EQ(Uruchom({"report", "save", "b", "--condition", "\"vat\""}), 0);
    ASSERT_EQ(Uruchom({"report", "save", "Łódź", "--condition", "\"vat\""}), 0);
    ASSERT_EQ(Uruchom({"report", "save", "a", "--condition", "\"vat\""}), 0);
    EXPECT_TRUE(std::filesystem::exists(praca.Plik("Raporty/Łódź.rap")));
    Czas("b.rap", 2005, 3, 5, 10, 0);
    Czas("a.rap", 2005, 3, 5, 10, 0);
    Czas("Łódź.rap", 2006, 1, 2, 23, 59);
    ZapisPliku(praca.Plik("Raporty/notatka.txt"), "x");

    // Without an index too.
    std::filesystem::remove(dir.Plik("plik.dat"));
    std::ostringstream o, e;
    ASSERT_EQ(WykonaniePolecenia({"--data", dir.Sciezka(), "report", "list"}, o, e), 0) << e.str();
    EXPECT_EQ(o.str(), "Łódź\t2006-01-02 23:59\na\t2005-03-05 10:00\nb\t2005-03-05 10:00\n");

    std::filesystem::remove_all(praca.Plik("Raporty"));
    ASSERT_EQ(Uruchom({"report", "list"}), 0);
    EXPECT_EQ(out.str(), "");
}

TEST_F(CliRaporty, ShowListsTheNumbersInTheViewersOrder) {
    // Documents 2 to 4 were entered on 2004-05-01, document 1 on 2002-04-15.
    ZapisPliku(praca.Plik("Raporty/Ręczny.rap"), "WARUNEK=\"vat\" OR \"x=y\"\nizba=12\nprzepis=0\nplik=1|3||x|2|9|0");
    ASSERT_EQ(Uruchom({"report", "show", "RĘCZNY"}), 0) << err.str();
    EXPECT_EQ(out.str(), "3\n2\n1\n");
    EXPECT_EQ(err.str(), "Pominięte numery spoza dokumentów 1-4: 2\n");

    ASSERT_EQ(Uruchom({"report", "show", "Ręczny", "--json"}), 0);
    EXPECT_EQ(out.str(),
              "{\"condition\": \"\\\"vat\\\" OR \\\"x=y\\\"\", \"chamber\": 12, \"provision\": 0, "
              "\"documents\": [3, 2, 1], \"skipped\": 2, \"cut\": 0}\n");

    // Saved from a search, the report shows what the search found.
    ASSERT_EQ(Uruchom({"report", "save", "Klient", "--condition", "\"podatek\" OR \"vat\""}), 0);
    ASSERT_EQ(Uruchom({"report", "show", "klient"}), 0);
    EXPECT_EQ(out.str(), "4\n3\n2\n1\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(CliRaporty, RefusedNamesUnreadableReportsAndFailedSaves) {
    EXPECT_EQ(Uruchom({"report", "save", "../poza", "--condition", "\"vat\""}), 1);
    EXPECT_EQ(err.str(), "Nazwa raportu nie może zawierać znaków \"/\", \"\\\" ani \":\".\n");
    EXPECT_FALSE(std::filesystem::exists(praca.Plik("poza.rap")));
    EXPECT_EQ(Uruchom({"report", "save", ".ukryty"}), 1);
    EXPECT_EQ(err.str(), "Nazwa raportu nie może zaczynać się od kropki.\n");
    EXPECT_EQ(Uruchom({"report", "save", "   "}), 1);
    EXPECT_EQ(err.str(), "Nazwa raportu jest pusta.\n");
    EXPECT_EQ(Uruchom({"report", "save"}), 64);
    EXPECT_EQ(Uruchom({"report", "show", "a", "b"}), 64);
    EXPECT_EQ(Uruchom({"report"}), 64);
    EXPECT_EQ(Uruchom({"report", "delete", "a"}), 64);
    EXPECT_EQ(Uruchom({"report", "save", "a", "--count"}), 64);

    EXPECT_EQ(Uruchom({"report", "show", "brak"}), 1);
    EXPECT_EQ(err.str(), "Nie ma raportu 'brak' (Raporty/brak.rap).\n");

    ZapisPliku(praca.Plik("Raporty/crlf.rap"), "warunek=\r\nizba=7\r\nprzepis=0\r\nplik=812|577|36");
    EXPECT_EQ(Uruchom({"report", "show", "crlf"}), 1);
    EXPECT_EQ(err.str(), "Plik raportu 'Raporty/crlf.rap' jest uszkodzony: numer izby '7\\r' nie jest liczbą całkowitą.\n");
    EXPECT_EQ(out.str(), "");
    ZapisPliku(praca.Plik("Raporty/pusty.rap"), "");
    EXPECT_EQ(Uruchom({"report", "show", "pusty"}), 1);
    EXPECT_EQ(err.str(), "Plik raportu 'Raporty/pusty.rap' jest pusty.\n");

    // The folder is never created: without it the save fails.
    std::filesystem::remove_all(praca.Plik("Raporty"));
    EXPECT_EQ(Uruchom({"report", "save", "Klient", "--condition", "\"vat\""}), 1);
    EXPECT_EQ(err.str().rfind("Podczas zapisu raportu wystąpił błąd. (Raporty/Klient.rap: ", 0), 0u) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_FALSE(std::filesystem::exists(praca.Plik("Raporty")));
}

}  // namespace

// Templates are read from the table of the working folder, in description order, never written.
TEST_F(CliRaporty, TemplatesAreListedAndShownWithoutChangingTheTable) {
    EXPECT_EQ(Uruchom({"template", "list"}), 1) << "no table: nothing is created";
    EXPECT_FALSE(std::filesystem::exists(praca.Plik("szablon.DBF")));
    {
        Tdm_Szablon dm(praca.Sciezka());
        TcTabelaDbf& t = dm.tb_Szablon;
        for (const auto& [id, opis] : std::vector<std::pair<int, std::string>>{{2, PL(u8"Ulga rehabilitacyjna")}, {7, PL(u8"Akcyza")}}) {
            t.Dopisanie();
            t.ZapisanieLiczby("ID_SZABL", id);
            t.ZapisaniePola("OPIS", opis);
            t.ZapisanieLiczby("ID_PRZEP", id == 2 ? 7 : 0);
            t.ZapisaniePola("WARUNEK", "\"ulga\" AND \"" + PL(u8"osób") + "\"");
            t.Zatwierdzenie();
        }
    }
    std::filesystem::rename(praca.Plik("szablon.DBF"), praca.Plik("szablon.dbf"));
    const auto przed = OdczytPliku(praca.Plik("szablon.dbf"));
    ASSERT_EQ(Uruchom({"template", "list"}), 0) << err.str();
    EXPECT_EQ(out.str(), "7\tAkcyza\n2\tUlga rehabilitacyjna\n");
    ASSERT_EQ(Uruchom({"template", "show", "ULGA REHABILITACYJNA", "--json"}), 0) << err.str();
    EXPECT_EQ(out.str(), "{\"id\": 2, \"opis\": \"Ulga rehabilitacyjna\", \"id_przep\": 7, \"id_izby\": 0, "
                         "\"warunek\": \"\\\"ulga\\\" AND \\\"osób\\\"\", \"warun_dod\": \"\"}\n");
    EXPECT_EQ(Uruchom({"template", "show", "Brak"}), 1);
    EXPECT_EQ(OdczytPliku(praca.Plik("szablon.dbf")), przed);
}
