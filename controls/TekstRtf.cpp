#include "TekstRtf.h"

#include <QSizeF>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <array>
#include <cstring>

#include "Tekst.h"

namespace {

// The character of every Windows-1250 byte, through qs(). A byte that would not give exactly
// one QChar becomes U+FFFD, so that document positions stay byte offsets.
const std::array<QChar, 256>& ZnakiBajtow() {
    static const std::array<QChar, 256> znaki = [] {
        std::array<QChar, 256> z{};
        for (int b = 0; b < 256; ++b) {
            const QString s = qs(std::string(1, static_cast<char>(b)));
            z[static_cast<size_t>(b)] = s.size() == 1 ? s[0] : QChar(QChar::ReplacementCharacter);
        }
        return z;
    }();
    return znaki;
}

QTextCharFormat FormatZnakow(const TFormatRtf& f) {
    QTextCharFormat z;
    z.setFontWeight(f.Pogrubienie ? QFont::Bold : QFont::Normal);
    z.setFontItalic(f.Kursywa);
    z.setFontUnderline(f.Podkreslenie);
    z.setFontPointSize(f.RozmiarPolpunktow / 2.0);
    return z;
}

QTextBlockFormat FormatBloku(const TTekstRtf& t, size_t linia) {
    QTextBlockFormat b;
    switch (linia < t.Wyrownania.size() ? t.Wyrownania[linia] : TWyrownanieRtf::Lewo) {
    case TWyrownanieRtf::Lewo: b.setAlignment(Qt::AlignLeft); break;
    case TWyrownanieRtf::Srodek: b.setAlignment(Qt::AlignHCenter); break;
    case TWyrownanieRtf::Prawo: b.setAlignment(Qt::AlignRight); break;
    case TWyrownanieRtf::Obustronnie: b.setAlignment(Qt::AlignJustify); break;
    }
    return b;
}

// Index in t.Formaty of the format in force at offset k, searching on from index `od`.
size_t IndeksFormatu(const TTekstRtf& t, size_t k, size_t od) {
    while (od + 1 < t.Formaty.size() && t.Formaty[od + 1].first <= k) ++od;
    return od;
}

}  // namespace

void WczytanieTekstuRtf(QTextEdit* widok, const TTekstRtf& t) {
    const std::string& tekst = t.Tekst;
    const size_t n = tekst.size();
    const auto& znaki = ZnakiBajtow();
    QString calosc(static_cast<qsizetype>(n), Qt::Uninitialized);
    QChar* cel = calosc.data();
    for (size_t k = 0; k < n; ++k) cel[k] = znaki[static_cast<unsigned char>(tekst[k])];

    const TFormatRtf domyslny;
    const auto formatW = [&](size_t indeks) -> const TFormatRtf& {
        return indeks < t.Formaty.size() ? t.Formaty[indeks].second : domyslny;
    };

    QTextDocument* dokument = widok->document();
    const bool cofanie = dokument->isUndoRedoEnabled();
    dokument->setUndoRedoEnabled(false);
    widok->clear();
    // Without a page size the document is not laid out while it is filled and the caret put back
    // (the widget's caret, moved along by the insertions, would otherwise have the whole text laid
    // out at once); once the size is back the view lays the text out bit by bit, as for setPlainText.
    const QSizeF strona = dokument->pageSize();
    dokument->setPageSize(QSizeF(0, 0));
    QTextCursor kursor(dokument);
    kursor.beginEditBlock();
    size_t f = IndeksFormatu(t, 0, 0);
    size_t linia = 0;
    kursor.setBlockFormat(FormatBloku(t, linia));
    kursor.setBlockCharFormat(FormatZnakow(formatW(f)));
    for (size_t k = 0; k < n;) {
        f = IndeksFormatu(t, k, f);
        if (tekst[k] == '\n') {
            // A block's own character format is that of its first character (or of its paragraph
            // mark when it is empty): it sets the height of an empty line.
            kursor.insertBlock(FormatBloku(t, ++linia), FormatZnakow(formatW(IndeksFormatu(t, k + 1, f))));
            ++k;
            continue;
        }
        size_t koniec = n;
        if (const void* nl = std::memchr(tekst.data() + k, '\n', n - k)) koniec = static_cast<size_t>(static_cast<const char*>(nl) - tekst.data());
        if (f + 1 < t.Formaty.size()) koniec = std::min(koniec, t.Formaty[f + 1].first);
        kursor.insertText(calosc.sliced(static_cast<qsizetype>(k), static_cast<qsizetype>(koniec - k)), FormatZnakow(formatW(f)));
        k = koniec;
    }
    kursor.endEditBlock();
    dokument->setUndoRedoEnabled(cofanie);  // switching it off dropped whatever was on the stack
    dokument->setModified(false);

    widok->setTextCursor(QTextCursor(dokument));
    dokument->setPageSize(strona);
    widok->ensureCursorVisible();
}
