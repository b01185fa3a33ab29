#include <gtest/gtest.h>

#include <string>

#include "Analiza.h"
#include "cp1250.h"

namespace {

const std::string O = "<SPAN CLASS=wyroznienie>";
const std::string Z = "</SPAN>";

std::string Fraza(const std::string& frazaUtf8, const std::string& html, const std::string& znaki = "") {
    return WyroznienieFrazy(cp1250::fromUtf8(frazaUtf8), html, "wyroznienie", znaki);
}

TEST(WyroznienieFrazy, WholeWordsAndPhrases) {
    EXPECT_EQ(Fraza("podatek", "<P>Podatek dochodowy</P>"), "<P>" + O + "Podatek" + Z + " dochodowy</P>");
    EXPECT_EQ(Fraza("podatek dochodowy", "Podatek<BR>dochodowy"), O + "Podatek<BR>dochodowy" + Z);
    EXPECT_EQ(Fraza("podatek", "podatkowy podatek"), "podatkowy " + O + "podatek" + Z);
    EXPECT_EQ(Fraza("podat*", "Podatek i podatkowy"), O + "Podatek" + Z + " i " + O + "podatkowy" + Z);
    EXPECT_EQ(Fraza("a a", "a a a"), O + "a a" + Z + " a");           // left to right, no overlap
    EXPECT_EQ(Fraza("dochodowy", "podatek dochodowy"), "podatek " + O + "dochodowy" + Z);
    EXPECT_EQ(Fraza("podatek dochodowy", "podatek  od dochodowy"), "podatek  od dochodowy");
    EXPECT_EQ(Fraza("pod", "podatek"), "podatek");
}

TEST(WyroznienieFrazy, PositionsMapBackIntoTheHtml) {
    EXPECT_EQ(Fraza("b", "A&amp;B"), "A&amp;" + O + "B" + Z);
    EXPECT_EQ(Fraza("b", "A1B2"), "A1" + O + "B" + Z + "2");
    EXPECT_EQ(Fraza("ąb", "<P>x \xB1" "b</P>"), "<P>x " + O + "\xB1" "b" + Z + "</P>");   // ISO-8859-2 ą
    EXPECT_EQ(Fraza("podatek", "<TITLE>podatek</TITLE><P>podatek</P>"),
              "<TITLE>podatek</TITLE><P>" + O + "podatek" + Z + "</P>");
    EXPECT_EQ(Fraza("art. 15", "<B>Art</B>.&nbsp;15 ust", "."), "<B>" + O + "Art</B>.&nbsp;15" + Z + " ust");
}

TEST(WyroznienieFrazy, NothingToMark) {
    EXPECT_EQ(Fraza("   ", "<P>podatek</P>"), "<P>podatek</P>");
    EXPECT_EQ(Fraza(", ;", "<P>podatek</P>"), "<P>podatek</P>");
    EXPECT_EQ(Fraza("podatek", ""), "");
}

std::string Warunek(const std::string& warunekUtf8, const std::string& html) {
    return WyroznienieWarunku(cp1250::fromUtf8(warunekUtf8), html, "");
}

TEST(WyroznienieWarunku, OneKindOfOperatorMarksEveryPhrase) {
    const std::string html = "<P>podatek dochodowy stawka vat podatek</P>";
    EXPECT_EQ(Warunek("\"podatek dochodowy\"", html),
              "<P>" + O + "podatek dochodowy" + Z + " stawka vat podatek</P>");
    EXPECT_EQ(Warunek("\"stawka\" OR \"vat\" OR \"dochodowy\"", html),
              "<P>podatek " + O + "dochodowy" + Z + " " + O + "stawka" + Z + " " + O + "vat" + Z + " podatek</P>");
    EXPECT_EQ(Warunek("( \"stawka\" AND \"vat\" ) AND ( \"dochodowy\" )", html),
              "<P>podatek " + O + "dochodowy" + Z + " " + O + "stawka" + Z + " " + O + "vat" + Z + " podatek</P>");
    EXPECT_EQ(Warunek("\"stawka\" and \"vat\"", html), "<P>podatek dochodowy " + O + "stawka" + Z + " " + O + "vat" + Z + " podatek</P>");
    EXPECT_EQ(Warunek("\"vat\"", "<P>VAT</P>"), "<P>" + O + "VAT" + Z + "</P>");
    EXPECT_EQ(Warunek("\"vat", "<P>VAT</P>"), "<P>" + O + "VAT" + Z + "</P>");   // unclosed quote
    // A phrase named again is marked once: ten thousand repeats leave one mark, not nested ones.
    std::string powtorzony = "\"vat\"";
    for (int i = 0; i < 10000; ++i) powtorzony += " OR \"vat\"";
    EXPECT_EQ(Warunek(powtorzony, html), "<P>podatek dochodowy stawka " + O + "vat" + Z + " podatek</P>");
}

// Searching all forms, each phrase word marks the words given as its forms, across markup.
TEST(WyroznienieWarunku, AllFormsMarkEveryFormThatMatched) {
    const TFormySlowa formy = [](const std::string& s) -> std::vector<std::string> {
        if (s == "PODATEK") return {"PODATEK", "PODATKU", "PODATKIEM"};
        if (s == "DOCHODOWY") return {"DOCHODOWY", "DOCHODOWEGO"};
        return {};
    };
    const std::string html = "<P>zwrot <B>podatku</B> dochodowego, podatkowy obowiazek, z podatkiem</P>";
    // The marks go where the exact marking puts them: at the first and after the last letter.
    EXPECT_EQ(WyroznienieWarunku("\"podatek dochodowy\"", html, "", "wyroznienie", formy),
              "<P>zwrot <B>" + O + "podatku</B> dochodowego" + Z + ", podatkowy obowiazek, z podatkiem</P>");
    EXPECT_EQ(WyroznienieWarunku("\"podatek\" OR \"obowi*\"", html, "", "wyroznienie", formy),
              "<P>zwrot <B>" + O + "podatku" + Z + "</B> dochodowego, podatkowy " + O + "obowiazek" + Z + ", z " + O +
                  "podatkiem" + Z + "</P>");
    EXPECT_EQ(WyroznienieWarunku("\"vat\"", "<P>VAT</P>", "", "wyroznienie", formy), "<P>" + O + "VAT" + Z + "</P>");
    EXPECT_EQ(WyroznienieWarunku("\"podatek\" AND NOT \"vat\"", html, "", "wyroznienie", formy), html);
}

TEST(WyroznienieWarunku, MixedConditionsMarkNothing) {
    const std::string html = "<P>podatek dochodowy stawka vat</P>";
    for (const char* w : {"\"stawka\" OR \"vat\" AND \"podatek\"", "\"stawka\" AND NOT \"vat\"", "NOT \"vat\"",
                          "\"stawka\" AND_NOT \"vat\"", "\"stawka\" OR_NOT \"vat\"", "\"stawka\" AND vat",
                          "\"stawka\" XOR \"vat\"", "\"stawka\" and \"vat\" AND \"podatek\"",
                          "( \"stawka\" AND \"vat\" ) AND ( \"podatek\" OR \"vat\" )"})
        EXPECT_EQ(Warunek(w, html), html) << w;
    EXPECT_EQ(Warunek("", html), html);
}

}  // namespace
