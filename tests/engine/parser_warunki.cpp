#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "ParserBool.h"
#include "Zapytanie.h"
#include "cp1250.h"

namespace {

class ParserBool : public ::testing::Test {
protected:
    void SetUp() override {
        BudowaKatalogu(dir.Sciezka(), {
                                          {"0000001.htm", "podatek dochodowy ryczałt"},
                                          {"0000002.htm", "podatek dochodowy"},
                                          {"0000003.htm", "a b"},
                                          {"0000004.htm", "b c"},
                                          {"0000005.htm", "a c"},
                                          {"0000006.htm", "vat podatek"},
                                      });
        q = std::make_unique<TcZapytanie>(TOpcjeLadowania{dir.Sciezka()});
        p = std::make_unique<TcParserBool>(*q);
    }
    // Documents of the condition, or {-1} when the analysis failed.
    std::vector<int32_t> Zbior(const std::string& utf8) {
        TcTablicaLogiczna z(q->LiczbaDokumentow() + 1);
        if (!p->AnalizaWarunku(cp1250::fromUtf8(utf8), z)) return {-1};
        EXPECT_TRUE(p->Blad.empty());
        std::vector<int32_t> w;
        for (int32_t d = 1; d < z.Dlugosc(); ++d)
            if (z.Dane[size_t(d)]) w.push_back(d);
        return w;
    }
    void Blad(const std::string& utf8, const std::string& komunikat, int32_t pozycja, int32_t dlugosc) {
        SCOPED_TRACE(utf8);
        EXPECT_EQ(Zbior(utf8), std::vector<int32_t>({-1}));
        EXPECT_EQ(cp1250::toUtf8(p->Blad), komunikat);
        EXPECT_EQ(p->PozycjaBledu, pozycja);
        EXPECT_EQ(p->DlugoscBledu, dlugosc);
    }
    TTymczasowyKatalog dir;
    std::unique_ptr<TcZapytanie> q;
    std::unique_ptr<TcParserBool> p;
};

using V = std::vector<int32_t>;

TEST_F(ParserBool, OperatorsAndPrecedence) {
    EXPECT_EQ(Zbior("\"podatek dochodowy\" AND NOT \"ryczałt\""), V({2}));
    EXPECT_EQ(Zbior("\"a\" OR \"b\" AND \"c\""), V({3, 4, 5}));          // a OR (b AND c)
    EXPECT_EQ(Zbior("(\"a\" OR \"b\") AND \"c\""), V({4, 5}));
    EXPECT_EQ(Zbior("NOT \"a\" AND \"b\""), V({4}));                     // (NOT a) AND b
    EXPECT_EQ(Zbior("NOT (\"a\" OR \"b\")"), V({1, 2, 6}));
    EXPECT_EQ(Zbior("\"a\" AND_NOT \"b\""), Zbior("\"a\" AND NOT \"b\""));
    EXPECT_EQ(Zbior("\"a\" AND_NOT \"b\""), V({5}));
    EXPECT_EQ(Zbior("\"a\" OR_NOT \"b\""), V({1, 2, 3, 5, 6}));
    EXPECT_EQ(Zbior("podatek and vat"), V({6}));                        // bare words, any case
    EXPECT_EQ(Zbior("a Or c aNd b"), V({3, 4, 5}));
    EXPECT_EQ(Zbior("\"a\" AND )"), V{});                               // ")" is taken as a phrase
    EXPECT_EQ(Zbior("\"abc"), Zbior("\"abc\""));                         // unclosed quote
    EXPECT_EQ(Zbior("\"a\"\tAND\n\"b\""), V({3}));                        // control characters are blanks
}

TEST_F(ParserBool, ErrorsPointAtTheToken) {
    Blad("\"a\" \"b\"", "Brak operatora działania.", 5, 3);
    Blad("(\"a\")AND_NOT\"b\"", "Brak operatora działania.", 6, 7);   // not normalised without spaces
    Blad("\"a\" AND", "Brak składnika wyrażenia.", 0, 1);
    Blad("(\"a\" OR \"b\"", "Brak nawiasu zamykającego.", 9, 3);
    Blad("(\"a\" \"b\")", "Brak nawiasu zamykającego.", 6, 3);
    Blad("", "Nie podano warunku.", 0, 1);
    Blad("   ", "Nie podano warunku.", 0, 1);
    Blad("NOT", "Brak składnika wyrażenia.", 0, 1);
    // A repeated token is found in order: the error lands on the second "a".
    Blad("a OR a a", "Brak operatora działania.", 8, 1);
    // The position counts in the text as typed, AND_NOT included.
    Blad("\"a\" AND_NOT \"b\" \"c\"", "Brak operatora działania.", 17, 3);
}

TEST_F(ParserBool, PhraseOfMoreThanSixteenWords) {
    std::string dluga = "\"";
    for (int i = 0; i < 17; ++i) dluga += "a ";
    dluga += "\"";
    Blad("\"b\" OR " + dluga, "Fraza może mieć najwyżej 16 słów.", 8, int32_t(dluga.size()));
    EXPECT_EQ(Zbior("\"b\" OR \"a a a a a a a a a a a a a a a a\""), V({3, 4}));
}

TEST_F(ParserBool, SuccessClearsThePreviousError) {
    Blad("\"a\" \"b\"", "Brak operatora działania.", 5, 3);
    EXPECT_EQ(Zbior("\"a\""), V({3, 5}));
    EXPECT_EQ(p->PozycjaBledu, 0);
}

}  // namespace
