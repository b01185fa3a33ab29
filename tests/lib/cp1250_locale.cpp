// Windows-1250 case mapping, Polish collation and the code-page conversions.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "cp1250.h"

namespace {

std::string wszystkieBajty() {
    std::string s;
    for (int c = 0; c < 256; ++c) s += static_cast<char>(c);
    return s;
}

}  // namespace

TEST(Cp1250Litery, PolishLettersChangeCase) {
    const std::string male = PL(u8"ąćęłńóśźż");
    const std::string duze = PL(u8"ĄĆĘŁŃÓŚŹŻ");
    EXPECT_EQ(male, "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF");
    EXPECT_EQ(duze, "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    EXPECT_EQ(cp1250::upper(male), duze);
    EXPECT_EQ(cp1250::lower(duze), male);
    EXPECT_EQ(cp1250::upper(PL(u8"zażółć gęślą jaźń 1.")), PL(u8"ZAŻÓŁĆ GĘŚLĄ JAŹŃ 1."));
    // Other Latin-2 letters follow Windows; signs and letters without a pair stay.
    EXPECT_EQ(cp1250::upper(PL(u8"šťžľşřčďňůéüöä")), PL(u8"ŠŤŽĽŞŘČĎŇŮÉÜÖÄ"));
    EXPECT_EQ(cp1250::upper(PL(u8"ß÷µ˙")), PL(u8"ß÷µ˙"));
    EXPECT_EQ(cp1250::lower(PL(u8"×§")), PL(u8"×§"));
}

TEST(Cp1250Litery, CaseMappingIsConsistentOverAllBytes) {
    for (int c = 0; c < 256; ++c) {
        auto b = static_cast<unsigned char>(c);
        unsigned char u = cp1250::upper(b), l = cp1250::lower(b);
        EXPECT_EQ(cp1250::upper(u), u) << c;
        EXPECT_EQ(cp1250::lower(l), l) << c;
        // A letter that changes case comes back.
        if (u != b) { EXPECT_EQ(cp1250::lower(u), b) << c; }
        if (l != b) { EXPECT_EQ(cp1250::upper(l), b) << c; }
    }
}

TEST(Cp1250Porownanie, EqualityAndPrefixIgnoreCase) {
    EXPECT_TRUE(cp1250::equalsNoCase(PL(u8"Łódź"), PL(u8"ŁÓDŹ")));
    EXPECT_FALSE(cp1250::equalsNoCase(PL(u8"Łódź"), PL(u8"Lodz")));
    EXPECT_FALSE(cp1250::equalsNoCase("ab", "abc"));
    EXPECT_TRUE(cp1250::startsWithNoCase(PL(u8"Żółw"), PL(u8"żÓ")));
    EXPECT_FALSE(cp1250::startsWithNoCase(PL(u8"Żó"), PL(u8"żółw")));
    EXPECT_TRUE(cp1250::startsWithNoCase("abc", ""));
}

TEST(Cp1250Porownanie, PolishAlphabeticalOrder) {
    const char8_t* alfabet[] = {u8"a", u8"ą", u8"b", u8"c", u8"ć", u8"d", u8"e", u8"ę", u8"f", u8"g", u8"h",
                                u8"i", u8"j", u8"k", u8"l", u8"ł", u8"m", u8"n", u8"ń", u8"o", u8"ó", u8"p",
                                u8"q", u8"r", u8"s", u8"ś", u8"t", u8"u", u8"v", u8"w", u8"x", u8"y", u8"z",
                                u8"ź", u8"ż"};
    std::vector<std::string> litery;
    for (auto l : alfabet) litery.push_back(PL(l));
    for (size_t i = 0; i + 1 < litery.size(); ++i) {
        EXPECT_LT(cp1250::compareNoCase(litery[i], litery[i + 1]), 0) << i;
        EXPECT_GT(cp1250::compareNoCase(cp1250::upper(litery[i + 1]), litery[i]), 0) << i;
        EXPECT_EQ(cp1250::compareNoCase(litery[i], cp1250::upper(litery[i])), 0) << i;
    }

    std::vector<std::string> nazwy = {PL(u8"Żyrardów"), PL(u8"łódź"), PL(u8"Zabrze"), PL(u8"Łomża"), PL(u8"lublin"),
                                      PL(u8"Śrem"), PL(u8"Sopot"), PL(u8"Ząbki"), PL(u8"zabki"), "1 Maja", "Lu"};
    std::sort(nazwy.begin(), nazwy.end(),
              [](const std::string& a, const std::string& b) { return cp1250::compareNoCase(a, b) < 0; });
    EXPECT_EQ(nazwy, (std::vector<std::string>{"1 Maja", "Lu", PL(u8"lublin"), PL(u8"Łomża"), PL(u8"łódź"),
                                               PL(u8"Sopot"), PL(u8"Śrem"), PL(u8"zabki"), PL(u8"Zabrze"),
                                               PL(u8"Ząbki"), PL(u8"Żyrardów")}));
    // A foreign diacritic sorts with its base letter but is not equal to it.
    EXPECT_LT(cp1250::compareNoCase(PL(u8"á"), "b"), 0);
    EXPECT_NE(cp1250::compareNoCase(PL(u8"á"), "a"), 0);
}

TEST(Cp1250Konwersje, EveryByteSurvivesUtf8AndKnownCodesAgree) {
    const std::string bajty = wszystkieBajty();
    std::string utf8 = cp1250::toUtf8(bajty);
    EXPECT_TRUE(cp1250::isValidUtf8(utf8));
    EXPECT_EQ(cp1250::fromUtf8(utf8), bajty);

    EXPECT_EQ(cp1250::toUtf8("\x80\x8C\x9F\xA5\xB9\xFF"), std::string(reinterpret_cast<const char*>(u8"€ŚźĄą˙")));
    EXPECT_EQ(PL(u8"„cytat” – §"), "\x84" "cytat\x94 \x96 \xA7");
}

TEST(Cp1250Konwersje, Iso88592RoundTripsAndAgreesWithWindows1250) {
    const std::string bajty = wszystkieBajty();
    std::string utf8 = cp1250::iso88592ToUtf8(bajty);
    EXPECT_TRUE(cp1250::isValidUtf8(utf8));
    EXPECT_EQ(cp1250::utf8ToIso88592(utf8), bajty);

    // The same character in both code pages.
    const std::string win = cp1250::toIso88592(bajty);
    for (int c = 0; c < 256; ++c) {
        if (win[c] == '?' && c != '?') {
            // No ISO-8859-2 code: typographic signs of Windows-1250 such as the euro sign.
            EXPECT_EQ(cp1250::utf8ToIso88592(cp1250::toUtf8(std::string(1, static_cast<char>(c)))), "?") << c;
        } else {
            EXPECT_EQ(cp1250::iso88592ToUtf8(std::string(1, win[c])), cp1250::toUtf8(std::string(1, static_cast<char>(c)))) << c;
        }
    }
    EXPECT_EQ(cp1250::toIso88592(PL(u8"ąśźĄŚŹ")), "\xB1\xB6\xBC\xA1\xA6\xAC");
}

TEST(Cp1250Konwersje, InvalidAndUnmappableUtf8) {
    EXPECT_FALSE(cp1250::isValidUtf8("\xC0\x80"));          // overlong
    EXPECT_FALSE(cp1250::isValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(cp1250::isValidUtf8("\xC4"));              // cut short
    EXPECT_FALSE(cp1250::isValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_TRUE(cp1250::isValidUtf8("\xF0\x9F\x98\x80"));
    EXPECT_EQ(cp1250::fromUtf8("a\xC4z"), "a?z");
    EXPECT_EQ(cp1250::fromUtf8("\xF0\x9F\x98\x80|\xE4\xB8\xAD", '_'), "_|_");
}
