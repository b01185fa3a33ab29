// The command-line search on a small data directory, through its entry point.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "PoleceniaCli.h"

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
    EXPECT_EQ(out.str(), "documents 4\nwords 11\nmode memory\nletters 2-2\ntheses 3-4\n");
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
    EXPECT_EQ(Uruchom({"query", "--chamber", "x"}), 1);
    EXPECT_EQ(Uruchom({"frobnicate"}), 1);

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

}  // namespace
