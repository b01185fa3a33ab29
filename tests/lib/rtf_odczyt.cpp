// The RTF reader and writer: paragraphs round-trip, the reader's treatment of escapes, code
// pages and skipped groups, documents written by other programs (tests/lib/data), and the
// formatted read: the same text with its character formats and line alignments.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Rtf.h"
#include "cp1250.h"

namespace {

std::string Dane(const char* plik) {
    const auto sciezka = std::filesystem::path(__FILE__).parent_path() / "data" / plik;
    std::ifstream f(sciezka, std::ios::binary);
    EXPECT_TRUE(f.good()) << sciezka;
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Expected texts are written in UTF-8 here and compared as Windows-1250.
std::string W(const char* utf8) { return cp1250::fromUtf8(utf8); }

std::string Rtf(const std::string& tresc) { return RtfNaTekst("{\\rtf1\\ansi\\ansicpg1250\\deff0 " + tresc + "}"); }

}  // namespace

TEST(Rtf, ParagraphsSurviveTheRoundTrip) {
    std::string wszystkieBajty;
    for (int b = 0x20; b < 0x100; ++b) wszystkieBajty += static_cast<char>(b);
    const std::vector<std::string> akapity = {
        W("Art. 1. Zażółć gęślą jaźń"),
        "",
        " spacja na początku i {klamry} \\ \\par \\'b9 na koncu ",
        "tab\tw\nlinii",
        wszystkieBajty,
        "1234 zaczyna sie cyfra",
    };
    const std::string rtf = TekstNaRtf(akapity, {true, false, true});
    for (unsigned char c : rtf) ASSERT_LT(c, 0x80) << "the RTF is 7-bit";
    std::string oczekiwany;
    for (const auto& a : akapity) oczekiwany += a + "\n";
    EXPECT_EQ(RtfNaTekst(rtf), oczekiwany);
    EXPECT_EQ(RtfNaTekst(TekstNaRtf({})), "");
    // Control characters other than tab and line feed cannot be written.
    EXPECT_EQ(RtfNaTekst(TekstNaRtf({std::string("a\rb\x01" "c")})), "abc\n");
}

TEST(Rtf, UnicodeAndFallbackCharacters) {
    // \uN takes the place of the \uc fallback characters that follow it.
    EXPECT_EQ(Rtf("Za\\u380?\\u243\\'f3\\u322 ?"), W("Zażół"));
    EXPECT_EQ(Rtf("\\uc2 \\u261\\'61\\'62x\\uc0\\u347 y"), W("ąxśy"));
    EXPECT_EQ(Rtf("{\\uc3 \\u8211 ab}c"), W("–c")) << "a group end cuts the fallback short";
    EXPECT_EQ(Rtf("\\u-3913 ?"), "?") << "negative N counts from 65536 (U+F0B7 has no Windows-1250 code)";
    EXPECT_EQ(Rtf("\\u-32768?"), "?");
    EXPECT_EQ(Rtf("\\u55357?\\u56832?z"), "?z") << "a surrogate pair is one character";
    EXPECT_EQ(Rtf("\\u-10179?\\u-8704?z"), "?z") << "the same pair as writers give it, negative";
    EXPECT_EQ(Rtf("\\u261{x}"), W("ąx")) << "a group start cuts the fallback short too";
    EXPECT_EQ(Rtf("\\u8364?\\u8222?\\u8221?"), "\x80\x84\x94");
    EXPECT_EQ(Rtf("\\u8211-"), W("–")) << "the fallback may be any character";
}

TEST(Rtf, CodePagesOfTheDocumentAndOfFonts) {
    EXPECT_EQ(RtfNaTekst("{\\rtf1 \\'b9\\'9c\\'9f}"), W("ąśź")) << "1250 when nothing is said";
    EXPECT_EQ(Rtf("\\'b9\\'9c\\'9f\\'a5\\'8c\\'8f"), W("ąśźĄŚŹ"));
    EXPECT_EQ(RtfNaTekst("{\\rtf1\\ansi\\ansicpg1252 \\'e9\\'f3\\'80\\'b9\\'9c\\'d7}"), W("éó€??×"));
    EXPECT_EQ(RtfNaTekst("{\\rtf1\\ansi caf\\'e9 \\'b3}"), W("café ?")) << "plain \\ansi is 1252";
    EXPECT_EQ(RtfNaTekst("{\\rtf1\\ansi\\ansicpg1251 \\'e0b}"), "?b");
    // A font's character set overrides the document's page; 0 (ANSI) keeps it.
    const std::string czcionki = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                                 "{\\f1\\fswiss\\fcharset238 Arial CE;}{\\f2\\fnil\\cpg28592 Iso;}}";
    EXPECT_EQ(RtfNaTekst(czcionki + "\\'e9{\\f1 \\'b9\\'9c}\\f2 \\'b1\\'b6\\plain \\'e9}"), W("éąśąśé"));
    // 8-bit text without escapes is read in the same page.
    EXPECT_EQ(Rtf("\xB9\x9C"), "\xB9\x9C");
}

TEST(Rtf, ControlSymbolsAndTextControlWords) {
    EXPECT_EQ(Rtf("a\\\\b\\{c\\}d"), "a\\b{c}d");
    EXPECT_EQ(Rtf("nie\\~łamliwa po\\-dział i\\_myślnik"), "nie łamliwa podział i-myślnik");
    EXPECT_EQ(Rtf("a\\tab b\\line c\\par d\\par"), "a\tb\nc\nd\n");
    EXPECT_EQ(Rtf("a\\\r\nb"), "a\nb") << "a backslash before a line break ends the paragraph";
    EXPECT_EQ(Rtf("x\r\ny\nz"), "xyz") << "line breaks of the source are not text";
    EXPECT_EQ(Rtf("\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote"), "\x97\x96\x95\x91\x92\x93\x94");
    EXPECT_EQ(Rtf("A\\cell B\\cell\\row C"), "A\tB\t\nC");
    EXPECT_EQ(Rtf("{\\b pogrubione} {\\i\\fs28 kursywa}\\b0  zwykly"), "pogrubione kursywa zwykly");
    EXPECT_EQ(Rtf("jawny{\\v ukryty\\par}\\v tez\\v0  znowu"), "jawny znowu");
}

TEST(Rtf, DestinationsThatAreNotShownAreSkipped) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
        "{\\stylesheet{\\s1 Heading 1;}}{\\info{\\title Tytul}{\\upr{\\author A}{\\*\\ud{\\author B}}}}"
        "{\\header\\pard Naglowek\\par}{\\footer\\pard\\chpgn\\par}{\\footerl x}"
        "{\\*\\generator Program;}{\\*\\nieznany {zagniezdzony {gleboko}} tekst}"
        "Przed{\\pict\\wmetafile8\\picw10 0102{\\*\\blipuid 00}ff}obrazkiem "
        "{\\object\\objemb{\\*\\objdata 0102}{\\result wynik}}"
        "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt odnosnik}} "
        "przypis{\\footnote\\pard tresc przypisu} "
        "{\\*\\bkmkstart z}zakladka{\\*\\bkmkend z} "
        "{\\upr{nazwa ansi}{\\*\\ud{nazwa unicode}}}"
        "{\\*\\binarne\\bin4 {}{} x}koniec}";
    EXPECT_EQ(RtfNaTekst(rtf), "Przedobrazkiem odnosnik przypis zakladka nazwa unicodekoniec");
    // \bin data is skipped by its length, braces included, also outside skipped groups.
    EXPECT_EQ(Rtf("a{\\bin3 }{x}b"), "ab");
}

TEST(Rtf, DamagedOrPlainInputStaysWithinBounds) {
    EXPECT_EQ(RtfNaTekst("{\\rtf1 abc{\\b def"), "abcdef");
    EXPECT_EQ(RtfNaTekst("{\\rtf1 abc}} po koncu"), "abc");
    EXPECT_EQ(RtfNaTekst("{\\rtf1 a\\'4"), "a");
    EXPECT_EQ(RtfNaTekst("{\\rtf1 a\\'zzb\\"), "azzb");
    EXPECT_EQ(RtfNaTekst("{\\rtf1 a\\bin99999 b}"), "a");
    EXPECT_EQ(RtfNaTekst("{\\rtf1 \\u99999999999999999 x\\uc-5\\u261 y}"), "?\xB9y");
    EXPECT_EQ(RtfNaTekst(std::string("{\\rtf1 ") + std::string(200000, '{') + "x"), "x");
    EXPECT_EQ(RtfNaTekst(""), "");
    EXPECT_EQ(RtfNaTekst("zwykly\r\ntekst\rbez\nRTF"), "zwykly\ntekst\nbez\nRTF");
}

TEST(Rtf, DocumentsWrittenByOtherPrograms) {
    EXPECT_EQ(RtfNaTekst(Dane("rtf_libreoffice.rtf")),
              W("Ustawa o podatku od towarów i usług\n"
                "Art. 1. Zażółć gęślą jaźń – ŻÓŁW, ŚWIERSZCZ, ŹDŹBŁO.\n"
                "Art. 2. Podatnikami są osoby prawne, jednostki organizacyjne niemające osobowości prawnej "
                "oraz osoby fizyczne.\n"
                "§ 3. Stawka podatku wynosi 22% „z zastrzeżeniem” ust. 2.\n"));
    EXPECT_EQ(RtfNaTekst(Dane("rtf_libreoffice_tabela.rtf")),
              W("Rozporządzenie Ministra Finansów\n"
                "§ 1. Zwalnia się od podatku dostawę towarów.\n"
                "Stawka\t22%\t\n"
                "Ulga\tźdźbło\t\n"
                "§ 2. Rozporządzenie wchodzi w życie z dniem ogłoszenia.\n"));
    EXPECT_EQ(RtfNaTekst(Dane("rtf_latex2rtf.rtf")),
              W("Ordynacja podatkowa\n"
                "Art. 1. Zażółć gęślą jaźń, ŻÓŁW, ŚWIERSZCZ, ŹDŹBŁO.\n"
                "Art. 2. Organami podatkowymi są naczelnik urzędu skarbowego i dyrektor izby skarbowej. \n"));
    EXPECT_EQ(RtfNaTekst(Dane("rtf_pandoc.rtf")),
              W("Ustawa o podatku dochodowym\n"
                "Art. 1. Zażółć gęślą jaźń – ŻÓŁW, ŚWIERSZCZ, ŹDŹBŁO.\n"
                "Art. 2. Przychodem są otrzymane pieniądze i wartości pieniężne.\n"));
}

namespace {

// Formats as "offset:flags+size" (b bold, i italic, u underline), alignments as L C R J.
std::string Formaty(const TTekstRtf& t) {
    std::string s;
    for (const auto& [od, f] : t.Formaty)
        s += (s.empty() ? "" : " ") + std::to_string(od) + ':' + (f.Pogrubienie ? "b" : "") + (f.Kursywa ? "i" : "") +
             (f.Podkreslenie ? "u" : "") + std::to_string(f.RozmiarPolpunktow);
    return s;
}
std::string Wyrownania(const TTekstRtf& t) {
    std::string s;
    for (const TWyrownanieRtf w : t.Wyrownania) s += "LCRJ"[static_cast<int>(w)];
    return s;
}

}  // namespace

TEST(Rtf, FormattedReadGivesTheSameTextWithFormatsAndAlignments) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0 \\pard\\qc\\fs28{\\b Tytu\\'b3}\\par\r\n"
        "\\pard a{\\i b{\\ul c}d}e\\b f\\b0\\uldb g\\ulnone h\\plain\\b\\i i{\\plain j}{\\v ukryty}k\\par"
        "\\qj\\fs20 l\\tab m\\line\\qr n}";
    const TTekstRtf t = RtfNaTekstZFormatem(rtf);
    EXPECT_EQ(t.Tekst, RtfNaTekst(rtf));
    EXPECT_EQ(t.Tekst, W("Tytuł\nabcdefghijk\nl\tm\nn"));
    // A paragraph mark takes the format in force at it; hidden text and a format that changes
    // back before the next character leave no entry.
    EXPECT_EQ(Formaty(t), "0:b28 5:28 7:i28 8:iu28 9:i28 10:28 11:b28 12:u28 13:28 14:bi24 15:24 16:bi24 18:bi20");
    // Each line has the alignment in force at its break, the last one that at the document's end.
    EXPECT_EQ(Wyrownania(t), "CLJR");
    EXPECT_EQ(Formaty(RtfNaTekstZFormatem("{\\rtf1 {\\b}\\i\\fs x\\i0\\fs30\\i }")), "0:i24");
    EXPECT_EQ(Wyrownania(RtfNaTekstZFormatem("{\\rtf1 a\\qc{\\qr\\par b}")), "RC") << "a group end restores the alignment";
    EXPECT_EQ(Formaty(RtfNaTekstZFormatem("{\\rtf1 {\\b}}")) + Wyrownania(RtfNaTekstZFormatem("{\\rtf1 {\\b}}")), "0:24L");
    const TTekstRtf zwykly = RtfNaTekstZFormatem("bez\r\nRTF\n");
    EXPECT_EQ(zwykly.Tekst + Formaty(zwykly) + Wyrownania(zwykly), "bez\nRTF\n0:24LLL");
    for (const char* plik : {"rtf_libreoffice.rtf", "rtf_libreoffice_tabela.rtf", "rtf_latex2rtf.rtf", "rtf_pandoc.rtf"})
        EXPECT_EQ(RtfNaTekstZFormatem(Dane(plik)).Tekst, RtfNaTekst(Dane(plik))) << plik;
    EXPECT_EQ(Formaty(RtfNaTekstZFormatem(Dane("rtf_pandoc.rtf"))), "0:b36 28:24 103:b24 112:24") << "a bold title and word";
}

TEST(Rtf, WrittenDocumentsReadBackWithCentredBoldHeadings) {
    const TTekstRtf t = RtfNaTekstZFormatem(TekstNaRtf({W("Rozdział 1"), "Art. 1. Tekst\ttab\nlinia", "Art. 2."}, {true}));
    EXPECT_EQ(t.Tekst, W("Rozdział 1\nArt. 1. Tekst\ttab\nlinia\nArt. 2.\n"));
    EXPECT_EQ(Formaty(t), "0:b24 10:24 11:20");
    EXPECT_EQ(Wyrownania(t), "CJJJJ");
}
