// HTML to plain text and the map from every text character back to its HTML position.
#include <gtest/gtest.h>

#include "mLib.h"

namespace {

struct Wynik {
    std::string tekst;
    std::vector<int32_t> pozycje;
};

Wynik zMapa(std::string_view html) {
    Wynik w;
    w.tekst = mHtmlToText(html, w.pozycje);
    // Both forms give the same text.
    EXPECT_EQ(w.tekst, mHtmlToText(html));
    EXPECT_EQ(w.pozycje.size(), w.tekst.size());
    return w;
}

}  // namespace

TEST(HtmlNaTekst, TagsEntitiesAndDroppedElements) {
    EXPECT_EQ(mHtmlToText("<P>A&amp;B</P><SCRIPT>x</SCRIPT>C  D"), "\nA&BC D");
    EXPECT_EQ(mHtmlToText("<style type=x>p{}</STYLE>a<title>t</title>b"), "ab");
    EXPECT_EQ(mHtmlToText("a<br>b</div>c</h1>d"), "a\nb\nc\n\nd");
    EXPECT_EQ(mHtmlToText("<HR>"), "\n" + std::string(80, '-') + "\n");
    // Tag outputs happen also while dropping; entities do not.
    EXPECT_EQ(mHtmlToText("<script><br>&amp;x</script>"), "\n");
    EXPECT_EQ(mHtmlToText("&lt;&GT;&Nbsp;&copy;x"), "<> x");
    // Entity names longer than 8 characters are cut, and so unknown.
    EXPECT_EQ(mHtmlToText("&ampampampamp;x"), "x");
    // A tag name is at most 20 characters: the 21st completes it.
    EXPECT_EQ(mHtmlToText("<BRxxxxxxxxxxxxxxxxxxY>a"), "a");
    EXPECT_EQ(mHtmlToText("< BR class=a>a"), "\na");
}

TEST(HtmlNaTekst, BlanksMergeButEntitySpacesAndTagLineFeedsDoNot) {
    EXPECT_EQ(mHtmlToText("a &nbsp;b"), "a  b");
    EXPECT_EQ(mHtmlToText("a&nbsp; b"), "a b");
    EXPECT_EQ(mHtmlToText("a\t\n b"), "a b");
    EXPECT_EQ(mHtmlToText("a<P> b"), "a\n b");
    // A lone carriage return is a space even after a space; before a line feed or at the end, nothing.
    EXPECT_EQ(mHtmlToText("a \rb"), "a  b");
    EXPECT_EQ(mHtmlToText("a\r\nb\r"), "a b");
}

TEST(HtmlNaTekst, StrayGreaterThanClosesTheLastTagAgain) {
    EXPECT_EQ(mHtmlToText("<BR>a>b"), "\na\nb");
    EXPECT_EQ(mHtmlToText("a>b"), "ab");
}

TEST(HtmlNaTekst, IsoLettersBecomeWindows1250) {
    EXPECT_EQ(mHtmlToText("\xB1\xB6\xBC<p>\xA1\xA6\xAC\xF3"), "\xB9\x9C\x9F\n\xA5\x8C\x8F\xF3");
}

TEST(MapaPozycji, TextCharactersPointAtThemselves) {
    Wynik w = zMapa("ab  c");
    EXPECT_EQ(w.tekst, "ab c");
    EXPECT_EQ(w.pozycje, (std::vector<int32_t>{1, 2, 3, 5}));
}

TEST(MapaPozycji, EntityCharacterPointsAtItsAmpersand) {
    Wynik w = zMapa("A&amp;B &nbsp;&ampampampampamp;C");
    EXPECT_EQ(w.tekst, "A&B  C");
    EXPECT_EQ(w.pozycje, (std::vector<int32_t>{1, 2, 7, 8, 9, 32}));
}

TEST(MapaPozycji, TagOutputPointsAtTheClosingBracket) {
    Wynik w = zMapa("a<P class=x>b</H1>");
    EXPECT_EQ(w.tekst, "a\nb\n\n");
    EXPECT_EQ(w.pozycje, (std::vector<int32_t>{1, 12, 13, 18, 18}));

    Wynik hr = zMapa("<HR>");
    ASSERT_EQ(hr.pozycje.size(), 82u);
    for (int32_t p : hr.pozycje) EXPECT_EQ(p, 4);
}

TEST(MapaPozycji, LoneCarriageReturnSpacePointsAtTheReturn) {
    Wynik w = zMapa("a\rb\r\nc");
    EXPECT_EQ(w.tekst, "a b c");
    EXPECT_EQ(w.pozycje, (std::vector<int32_t>{1, 2, 3, 5, 6}));
}
