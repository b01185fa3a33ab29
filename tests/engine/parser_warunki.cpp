// The condition parser over a phrase source held in memory: the operators, their precedence,
// the errors and their positions, with no index behind the phrases.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ParserBool.h"
#include "ZrodloFraz.h"
#include "cp1250.h"

namespace {

// Phrases and the documents holding them. A phrase comes as the parser cut it, quotes
// included; it is looked up without them. A phrase of more than 16 words is refused, as the
// index's search refuses it; any phrase not listed is in no document.
class TFrazyWPamieci : public IZrodloFraz {
public:
    TFrazyWPamieci(int32_t liczbaDokumentow, std::map<std::string, std::set<int32_t>> frazy)
        : Frazy(std::move(frazy)), n_(liczbaDokumentow) {}
    int32_t LiczbaDokumentow() const { return n_; }

    void SzukanieFrazy(const std::string& fraza, TcTablicaLogiczna& wynik) override {
        ++Wyszukiwan;
        std::string bez;
        for (char c : fraza)
            if (c != '"') bez += c;
        const size_t a = bez.find_first_not_of(' '), b = bez.find_last_not_of(' ');
        bez = a == std::string::npos ? std::string() : bez.substr(a, b - a + 1);
        int slowa = 0;
        for (size_t i = 0; i < bez.size(); ++i) slowa += bez[i] != ' ' && (i == 0 || bez[i - 1] == ' ');
        zaDluga_ = slowa > 16;
        wynik.Wypelnienie(false);
        const auto it = Frazy.find(bez);
        if (zaDluga_ || it == Frazy.end()) return;
        for (int32_t d : it->second) wynik.Zapis()[size_t(d)] = 1;
    }
    bool FrazaZaDluga() const override { return zaDluga_; }

    int Wyszukiwan = 0;
    std::map<std::string, std::set<int32_t>> Frazy;

private:
    int32_t n_;
    bool zaDluga_ = false;
};

// Six documents: 1 "podatek dochodowy ryczałt", 2 "podatek dochodowy", 3 "a b", 4 "b c",
// 5 "a c", 6 "vat podatek".
class ParserBool : public ::testing::Test {
protected:
    TFrazyWPamieci zrodlo{6,
                          {{"podatek dochodowy", {1, 2}},
                           {cp1250::fromUtf8("ryczałt"), {1}},
                           {"podatek", {1, 2, 6}},
                           {"vat", {6}},
                           {"a", {3, 5}},
                           {"b", {3, 4}},
                           {"c", {4, 5}}}};
    TcParserBool p{zrodlo};

    // Documents of the condition, or {-1} when the analysis failed.
    std::vector<int32_t> Zbior(const std::string& utf8) {
        TcTablicaLogiczna z(zrodlo.LiczbaDokumentow() + 1);
        if (!p.AnalizaWarunku(cp1250::fromUtf8(utf8), z)) return {-1};
        EXPECT_TRUE(p.Blad.empty());
        std::vector<int32_t> w;
        for (int32_t d = 1; d < z.Dlugosc(); ++d)
            if (z[size_t(d)]) w.push_back(d);
        return w;
    }
    void Blad(const std::string& utf8, const std::string& komunikat, int32_t pozycja, int32_t dlugosc) {
        SCOPED_TRACE(utf8);
        EXPECT_EQ(Zbior(utf8), std::vector<int32_t>({-1}));
        EXPECT_EQ(cp1250::toUtf8(p.Blad), komunikat);
        EXPECT_EQ(p.PozycjaBledu, pozycja);
        EXPECT_EQ(p.DlugoscBledu, dlugosc);
    }
};

using V = std::vector<int32_t>;

std::string FrazaSlow(int ile) {
    std::string f = "\"";
    for (int i = 0; i < ile; ++i) f += "a ";
    return f + "\"";
}

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

// Several operators of one level in a row, each combining with what came before; and a right
// operand with operators of its own, which needs a scratch set other than its caller's.
TEST_F(ParserBool, ChainsAndParenthesisedOperands) {
    EXPECT_EQ(Zbior("\"a\" OR \"b\" OR \"vat\""), V({3, 4, 5, 6}));
    EXPECT_EQ(Zbior("\"podatek\" AND NOT \"vat\" AND NOT \"ryczałt\""), V({2}));
    EXPECT_EQ(Zbior("\"a\" AND \"b\" OR \"c\" AND \"b\" OR \"vat\""), V({3, 4, 6}));   // (a AND b) OR (c AND b) OR vat
    EXPECT_EQ(Zbior("\"vat\" OR (\"a\" AND NOT \"c\")"), V({3, 6}));
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

// Deep nesting recurses once per parenthesis: 1000 levels work, deeper is refused at the first
// parenthesis too many (a typed 60,000 used to overflow the stack).
TEST_F(ParserBool, ParenthesesNestAtMostAThousandDeep) {
    const auto zagniezdzony = [](int n, const std::string& srodek) {
        return std::string(size_t(n), '(') + srodek + std::string(size_t(n), ')');
    };
    EXPECT_EQ(Zbior(zagniezdzony(1000, "\"a\" AND \"b\"")), V({3}));
    std::string prawy = "\"a\"";   // "a" OR ("b" OR (... right-nested, a set pending per level
    for (int i = 0; i < 999; ++i) prawy = "\"b\" OR (" + prawy + ")";
    EXPECT_EQ(Zbior(prawy), Zbior("\"a\" OR \"b\""));
    Blad(zagniezdzony(1001, "\"a\""), "Nawiasy zagnieżdżone zbyt głęboko (najwyżej 1000 poziomów).", 1001, 1);
    Blad(zagniezdzony(300000, "\"a\""), "Nawiasy zagnieżdżone zbyt głęboko (najwyżej 1000 poziomów).", 1001, 1);
    EXPECT_EQ(Zbior("(\"a\") AND (\"b\")"), V({3})) << "the depth starts afresh";
}

// A pasted condition of 100 kB repeating one phrase searches it once; the sets kept for that
// are the condition's own, so the next condition sees the index as it is then.
TEST_F(ParserBool, APhraseRepeatedInOneConditionIsSearchedOnce) {
    std::string warunek = "\"a\"";
    while (warunek.size() < 100000) warunek += " AND (\"a\" OR NOT \"a\") AND NOT (NOT \"a\")";
    zrodlo.Wyszukiwan = 0;
    EXPECT_EQ(Zbior(warunek), V({3, 5}));
    EXPECT_EQ(zrodlo.Wyszukiwan, 1);
    EXPECT_EQ(Zbior("NOT \"a\" OR \"c\" AND NOT \"a\""), V({1, 2, 4, 6}));
    zrodlo.Frazy["a"] = {1};
    EXPECT_EQ(Zbior("\"a\" OR \"a\""), V({1}));
}

TEST_F(ParserBool, PhraseOfMoreThanSixteenWords) {
    const std::string dluga = FrazaSlow(17);
    Blad("\"b\" OR " + dluga, "Fraza może mieć najwyżej 16 słów.", 8, int32_t(dluga.size()));
    EXPECT_EQ(Zbior("\"b\" OR \"a a a a a a a a a a a a a a a a\""), V({3, 4}));
    // Refused where it stands, although the phrase after it is fine.
    Blad(dluga + " OR \"b\"", "Fraza może mieć najwyżej 16 słów.", 1, int32_t(dluga.size()));
}

TEST_F(ParserBool, SuccessClearsThePreviousError) {
    Blad("\"a\" \"b\"", "Brak operatora działania.", 5, 3);
    EXPECT_EQ(Zbior("\"a\""), V({3, 5}));
    EXPECT_EQ(p.PozycjaBledu, 0);
}

}  // namespace
