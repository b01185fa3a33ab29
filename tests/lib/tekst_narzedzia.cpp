// Tokens, fields, joining, character mapping, CRC-16, the scrambler and internal errors.
#include <gtest/gtest.h>

#include <random>

#include "cp1250.h"
#include "mLib.h"

namespace {

TListaTekstow parsuj(std::string_view text, bool keep) {
    TListaTekstow l;
    mStringParser(text, TZbiorZnakow(" ()"), TZbiorZnakow("\""), keep, l);
    return l;
}

}  // namespace

TEST(StringParser, QuotesGroupAndKeepDecidesWhatSurvives) {
    EXPECT_EQ(parsuj(R"(a (b "c d"))", true), (TListaTekstow{"a", "(", "b", "\"c d\"", ")"}));
    EXPECT_EQ(parsuj(R"(a (b "c d"))", false), (TListaTekstow{"a", "b", "c d"}));
    EXPECT_EQ(parsuj(R"(x"y"z)", true), (TListaTekstow{"x", "\"y\"", "z"}));
    EXPECT_EQ(parsuj(R"(x"y"z)", false), (TListaTekstow{"x", "y", "z"}));
    // An empty quoted text is a token without keep; an unclosed quote runs to the end.
    EXPECT_EQ(parsuj(R"(a "" b)", false), (TListaTekstow{"a", "", "b"}));
    EXPECT_EQ(parsuj(R"(a "b c)", true), (TListaTekstow{"a", "\"b c"}));
    EXPECT_EQ(parsuj(R"(a "b c)", false), (TListaTekstow{"a", "b c"}));
}

TEST(StringParser, AppendsToTheListAndRejectsSharedSeparatorAndQuote) {
    TListaTekstow l{"stary"};
    mSplit("1|2||3", l, TZbiorZnakow("|"));
    EXPECT_EQ(l, (TListaTekstow{"stary", "1", "2", "3"}));

    try {
        mStringParser("a", TZbiorZnakow(" \""), TZbiorZnakow("\""), false, l);
        FAIL();
    } catch (const EInternalError& e) {
        EXPECT_EQ(e.what(), PL(u8"Nieoczekiwany błąd: mStringParser.1.\n"));
    }
}

TEST(Pola, FieldsAreCountedFromOne) {
    auto pole = [](std::string_view t, int n) { return mField(t, '|', n); };
    EXPECT_EQ(pole("a|b|c", 1).tekst, "a");
    EXPECT_EQ(pole("a|b|c", 2).tekst, "b");
    EXPECT_TRUE(pole("a|b|c", 2).znalezione);
    EXPECT_EQ(pole("a|b|c", 3).tekst, "c");
    EXPECT_TRUE(pole("a|b|c", 3).znalezione);
    EXPECT_FALSE(pole("a|b|c", 4).znalezione);
    EXPECT_EQ(pole("a|b|c", 4).tekst, "");
    EXPECT_FALSE(pole("a|b|c", 0).znalezione);
    EXPECT_TRUE(pole("", 1).znalezione);
    EXPECT_EQ(pole("a||c", 2).tekst, "");
    EXPECT_TRUE(pole("a||c", 2).znalezione);
    EXPECT_EQ(pole("a|", 2).tekst, "");
    EXPECT_TRUE(pole("a|", 2).znalezione);
}

TEST(Laczenie, AnEmptyFirstTextTakesNoSeparator) {
    EXPECT_EQ(mJoin("", ", ", "b"), "b");
    EXPECT_EQ(mJoin("a", ", ", ""), "a, ");
    EXPECT_EQ(mJoin("a", ", ", "b"), "a, b");
    EXPECT_EQ(mJoinList({}, ";"), "");
    EXPECT_EQ(mJoinList({"", "a", "", "b"}, ";"), "a;;b");
}

TEST(Znaki, ControlCharactersAndCodePageMapping) {
    EXPECT_EQ(mControlToSpaces(std::string("a\tb\r\n\x1F\x20\x7F", 8)), "a b    \x7F");
    EXPECT_EQ(mControlToSpaces("a\tb\n", TZbiorZnakow("\n")), "a b\n");

    // The first occurrence in "from" decides; a "to" too short leaves the character.
    EXPECT_EQ(mCharMap("abcab", "aba", "xy"), "xycxy");
    EXPECT_EQ(mCharMap("abc", "c", ""), "abc");

    // Only ą ś ź Ą Ś Ź differ between the two code pages.
    std::string iso, win;
    for (int c = 0; c < 256; ++c) iso += static_cast<char>(c);
    win = mIsoToWin(iso);
    for (int c = 0; c < 256; ++c) {
        unsigned char w = static_cast<unsigned char>(win[c]);
        switch (c) {
            case 0xB1: EXPECT_EQ(w, 0xB9); break;
            case 0xB6: EXPECT_EQ(w, 0x9C); break;
            case 0xBC: EXPECT_EQ(w, 0x9F); break;
            case 0xA1: EXPECT_EQ(w, 0xA5); break;
            case 0xA6: EXPECT_EQ(w, 0x8C); break;
            case 0xAC: EXPECT_EQ(w, 0x8F); break;
            default: EXPECT_EQ(w, c) << c;
        }
    }
    // Every Polish letter of ISO-8859-2 lands on the same letter in Windows-1250.
    std::string polskie = cp1250::toIso88592(PL(u8"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ"));
    EXPECT_EQ(mIsoToWin(polskie), PL(u8"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ"));
}

TEST(Crc16, KnownValuesAndSwappedStart) {
    EXPECT_EQ(mCrc16("abc", 0), 0x9738);
    EXPECT_EQ(mCrc16("abc", 0xFFFF), 0x5749);
    EXPECT_EQ(mCrc16("abc", 0x1234), 0x528E);
    EXPECT_EQ(mCrc16("123456789", 0), 0xBB3D);  // CRC-16/ARC check value
    EXPECT_EQ(mCrc16("", 0x1234), 0x3412);

    // The byte step agrees with the whole-text form.
    uint16_t crc = 0;
    for (char c : std::string("abc")) crc = mCrc16Byte(static_cast<uint8_t>(c), crc);
    EXPECT_EQ(crc, 0x9738);
    // Chaining swaps the intermediate value, so it differs from one pass.
    EXPECT_NE(mCrc16("c", mCrc16("ab", 0)), mCrc16("abc", 0));
}

TEST(Scramble, TwiceRestoresAndNeverProducesAKeptCharacter) {
    TZbiorZnakow kept = TZbiorZnakow::Zakres(0, 31);
    kept += TZbiorZnakow("<>&\"");
    std::mt19937 los(7);
    std::string tekst;
    for (int i = 0; i < 5000; ++i) tekst += static_cast<char>(los() & 0xFF);
    const std::string klucz = "Klucz\x7F\xC3";

    std::string raz = mScramble(tekst, klucz, kept);
    EXPECT_NE(raz, tekst);
    EXPECT_EQ(mScramble(raz, klucz, kept), tekst);
    for (size_t i = 0; i < tekst.size(); ++i) {
        auto a = static_cast<unsigned char>(tekst[i]), b = static_cast<unsigned char>(raz[i]);
        // A kept character stays, and no other character becomes one.
        EXPECT_EQ(kept.zawiera(a), kept.zawiera(b)) << i;
        if (kept.zawiera(a)) { EXPECT_EQ(a, b); }
    }
    // The key advances over kept characters too: "a" is scrambled with the key's second byte.
    EXPECT_EQ(mScramble("<a", "\x01\x02", kept), std::string("<") + static_cast<char>('a' ^ 2));

    std::string wMiejscu = tekst;
    mScrambleInPlace(wMiejscu.data(), wMiejscu.size(), klucz, kept);
    EXPECT_EQ(wMiejscu, raz);
    EXPECT_EQ(mScramble(tekst, "", kept), tekst);
}

TEST(Bledy, InternalErrorMessageForm) {
    try {
        mBladWewnetrzny("TfGlowne.SzukanieFrazy", 12, '\r');
        FAIL();
    } catch (const EInternalError& e) {
        EXPECT_EQ(e.what(), PL(u8"Nieoczekiwany błąd: TfGlowne.SzukanieFrazy.12.\r"));
    }
    EXPECT_THROW(mBladWewnetrznyTekst("x"), EInternalError);
}
