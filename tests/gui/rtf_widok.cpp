// The formatted act view: every character read from an act's RTF sits at the document position
// equal to its byte offset, whatever the byte, and the formats and alignments reach the document.
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "Rtf.h"
#include "Tekst.h"
#include "TekstRtf.h"
#include "cp1250.h"

namespace {

// Line breaks, tabs, \u and \'hh characters, bold, italic and underlined runs, sizes, and the
// five bytes Windows-1250 leaves unassigned.
const std::string kAkt =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}\r\n"
    "\\pard\\qc\\fs28{\\b Ustawa o podatku}\\par\r\n"
    "\\pard\\qj\\fs20 Art. 1.\\tab Zdanie {\\i kursyw\\u261?}\\line dalej {\\b\\ul pogrubione} "
    "\\'81\\'83\\'88\\'90\\'98 \\'b9\\'9c\\par\r\n\\qr {\\fs40 prawy}}";

QTextCharFormat FormatZnaku(QTextDocument* d, size_t k) {
    QTextCursor c(d);
    c.setPosition(static_cast<int>(k) + 1);
    return c.charFormat();  // of the character before the cursor
}

}  // namespace

TEST(WidokRtf, EveryCharacterSitsAtItsByteOffset) {
    std::string bajty;  // as plain text every byte but CR stays, control bytes too
    for (int b = 0; b < 0x100; ++b)
        if (b != '\r') bajty += static_cast<char>(b);
    const std::string polski = cp1250::fromUtf8("Rozdział 1. Zażółć gęślą jaźń\nArt. 1.\tPodatnik płaci – § 2. „ŹDŹBŁO”");
    QTextEdit widok;
    for (const std::string& rtf : {kAkt, TekstNaRtf({polski, "", bajty}, {true, false, true}), bajty}) {
        widok.textCursor().insertText(QStringLiteral("poprzedni"));  // an edit the new text must not keep
        const TTekstRtf t = RtfNaTekstZFormatem(rtf);
        WczytanieTekstuRtf(&widok, t);
        const QTextDocument* d = widok.document();
        const QString znaki = qs(t.Tekst);
        ASSERT_EQ(znaki.size(), static_cast<qsizetype>(t.Tekst.size())) << "qs() gives one character per byte";
        ASSERT_EQ(d->characterCount() - 1, static_cast<int>(t.Tekst.size()));
        for (size_t k = 0; k < t.Tekst.size(); ++k) {
            const QChar z = t.Tekst[k] == '\n' ? QChar(QChar::ParagraphSeparator) : znaki[static_cast<qsizetype>(k)];
            ASSERT_EQ(d->characterAt(static_cast<int>(k)), z) << "offset " << k;
        }
        EXPECT_EQ(d->blockCount(), static_cast<int>(t.Wyrownania.size()));
        EXPECT_EQ(widok.textCursor().position(), 0);
        EXPECT_FALSE(d->isUndoAvailable());
    }
}

TEST(WidokRtf, FormatsAndAlignmentsReachTheDocument) {
    QTextEdit widok;
    widok.resize(400, 300);
    widok.show();
    const QSizeF strona = widok.document()->pageSize();
    const TTekstRtf t = RtfNaTekstZFormatem(kAkt);
    WczytanieTekstuRtf(&widok, t);
    QTextDocument* d = widok.document();
    EXPECT_EQ(d->pageSize(), strona);
    EXPECT_GT(d->documentLayout()->blockBoundingRect(d->begin()).height(), 0) << "the text is laid out for the view";

    const size_t tytul = t.Tekst.find("Ustawa"), kursywa = t.Tekst.find("kursyw"), gruby = t.Tekst.find("pogrubione"),
                 zwykly = t.Tekst.find("dalej"), prawy = t.Tekst.find("prawy");
    EXPECT_TRUE(FormatZnaku(d, tytul).font().bold());
    EXPECT_EQ(FormatZnaku(d, tytul).fontPointSize(), 14.0);
    EXPECT_TRUE(FormatZnaku(d, kursywa + 6).fontItalic()) << "the \\u character of the italic run";
    EXPECT_TRUE(FormatZnaku(d, gruby + 9).font().bold() && FormatZnaku(d, gruby + 9).fontUnderline());
    const QTextCharFormat z = FormatZnaku(d, zwykly);
    EXPECT_FALSE(z.font().bold() || z.fontItalic() || z.fontUnderline());
    EXPECT_EQ(z.fontPointSize(), 10.0);
    EXPECT_EQ(z.font().family(), widok.font().family());
    EXPECT_EQ(d->findBlock(static_cast<int>(tytul)).blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(d->findBlock(static_cast<int>(zwykly)).blockFormat().alignment(), Qt::AlignJustify) << "after a \\line too";
    EXPECT_EQ(d->findBlock(static_cast<int>(prawy)).blockFormat().alignment(), Qt::AlignRight);
}
