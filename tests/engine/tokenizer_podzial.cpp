#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Analiza.h"
#include "cp1250.h"

namespace {

std::vector<std::string> Tokeny(const std::string& utf8, const std::string& znaki = "\xA7.") {
    std::vector<std::string> t;
    PodzialTekstu(cp1250::fromUtf8(utf8), znaki, [&](std::string_view s) { t.push_back(cp1250::toUtf8(s)); });
    return t;
}

using V = std::vector<std::string>;

TEST(PodzialTekstu, WordsNumbersAndIndexedPunctuation) {
    EXPECT_EQ(Tokeny("PODATEK DOCHODOWY"), V({"PODATEK", "DOCHODOWY"}));
    EXPECT_EQ(Tokeny("ART.15"), V({"ART", ".", "15"}));
    EXPECT_EQ(Tokeny("ART15"), V({"ART", "15"}));
    EXPECT_EQ(Tokeny("15A"), V({"15", "A"}));
    EXPECT_EQ(Tokeny("§ 5"), V({"§", "5"}));
    EXPECT_EQ(Tokeny("(VAT)"), V({"VAT"}));
    EXPECT_EQ(Tokeny("ŚĆŻ ĄĘŁŃÓŹ"), V({"ŚĆŻ", "ĄĘŁŃÓŹ"}));
    EXPECT_EQ(Tokeny("A..B"), V({"A", ".", ".", "B"}));
    EXPECT_EQ(Tokeny("ART.15", ""), V({"ART", "15"}));     // the dot is not indexed here
}

TEST(PodzialTekstu, HyphensBetweenLettersOnly) {
    EXPECT_EQ(Tokeny("SPÓŁKA-MATKA"), V({"SPÓŁKA-MATKA"}));
    EXPECT_EQ(Tokeny("A-1"), V({"A", "1"}));
    EXPECT_EQ(Tokeny("-A"), V({"A"}));
    EXPECT_EQ(Tokeny("A-"), V({"A"}));
    EXPECT_EQ(Tokeny("A--B"), V({"A", "B"}));
    EXPECT_EQ(Tokeny("A-B-C"), V({"A-B-C"}));
    EXPECT_EQ(Tokeny("1-2"), V({"1", "2"}));
}

TEST(PodzialTekstu, Asterisk) {
    EXPECT_EQ(Tokeny("PODAT*"), V({"PODAT*"}));
    EXPECT_EQ(Tokeny("12*"), V({"12", "*"}));
    EXPECT_EQ(Tokeny("A-*"), V({"A-*"}));
    EXPECT_EQ(Tokeny("*"), V({"*"}));
}

TEST(PodzialTekstu, NothingToCut) {
    EXPECT_EQ(Tokeny(""), V{});
    EXPECT_EQ(Tokeny("  , ; ! ( )\t\r\n"), V{});
    EXPECT_EQ(Tokeny("abc ąę"), V{});                     // lower case: callers upper-case first
}

}  // namespace
