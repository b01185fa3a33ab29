#include "Glify.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

struct TOpis {
    const char* znak;   // UTF-8 symbol drawn on the disc
    QColor kolor;
};

TOpis Opis(TGlif g) {
    switch (g) {
    case TGlif::Pomoc: return {"?", QColor(40, 110, 190)};
    case TGlif::Czysc: return {"\xE2\x9C\x97", QColor(200, 120, 30)};          // ✗
    case TGlif::AktyWarunki: return {"\xE2\x87\x84", QColor(60, 140, 90)};      // ⇄
    case TGlif::Zliczanie: return {"\xCE\xA3", QColor(150, 60, 150)};          // Σ
    case TGlif::BezZliczania: return {"\xCE\xA3", QColor(140, 140, 140)};
    case TGlif::Szablony: return {"\xE2\x96\xA4", QColor(70, 100, 160)};        // ▤
    case TGlif::Raporty: return {"\xE2\x98\xB0", QColor(30, 130, 130)};         // ☰
    case TGlif::Informacje: return {"i", QColor(40, 110, 190)};
    case TGlif::Koniec: return {"\xE2\x86\x92", QColor(180, 40, 40)};           // →
    case TGlif::Wybierz: return {"\xE2\x9C\x94", QColor(40, 140, 60)};          // ✔
    case TGlif::Zamknij: return {"\xE2\x9C\x95", QColor(180, 40, 40)};          // ✕
    case TGlif::Zapisz: return {"\xE2\x86\x93", QColor(70, 100, 160)};          // ↓
    case TGlif::Otworz: return {"\xE2\x86\x91", QColor(70, 100, 160)};          // ↑
    case TGlif::Usun: return {"\xE2\x88\x92", QColor(180, 40, 40)};             // −
    case TGlif::UsunWiele: return {"\xE2\x89\xA1", QColor(180, 40, 40)};        // ≡
    case TGlif::Pokaz: return {"\xE2\x97\x89", QColor(40, 110, 190)};           // ◉
    case TGlif::Poczta: return {"\xE2\x9C\x89", QColor(200, 120, 30)};          // ✉
    case TGlif::Dodaj: return {"+", QColor(40, 140, 60)};
    case TGlif::Edycja: return {"\xE2\x9C\x8E", QColor(70, 100, 160)};          // ✎
    case TGlif::Kopiuj: return {"\xE2\x9D\x90", QColor(70, 100, 160)};          // ❐
    case TGlif::Brak: break;
    }
    return {"", QColor(128, 128, 128)};
}

QPixmap Rysunek(TGlif g, int bok, bool wylaczony) {
    const TOpis o = Opis(g);
    QPixmap p(bok, bok);
    p.fill(Qt::transparent);
    QPainter m(&p);
    m.setRenderHint(QPainter::Antialiasing);
    QColor kolor = wylaczony ? QColor(170, 170, 170) : o.kolor;
    m.setPen(Qt::NoPen);
    m.setBrush(kolor);
    m.drawEllipse(QRectF(1, 1, bok - 2, bok - 2));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(bok * 6 / 10);
    f.setBold(true);
    m.setFont(f);
    m.setPen(Qt::white);
    m.drawText(QRect(0, 0, bok, bok), Qt::AlignCenter, QString::fromUtf8(o.znak));
    return p;
}

}  // namespace

QIcon mGlif(TGlif glif) {
    QIcon ikona;
    for (int bok : {20, 24, 32}) {
        ikona.addPixmap(Rysunek(glif, bok, false), QIcon::Normal);
        ikona.addPixmap(Rysunek(glif, bok, true), QIcon::Disabled);
    }
    return ikona;
}

QIcon mIkonaProgramu() {
    QIcon ikona;
    for (int bok : {16, 32, 48, 64}) {
        QPixmap p(bok, bok);
        p.fill(Qt::transparent);
        QPainter m(&p);
        m.setRenderHint(QPainter::Antialiasing);
        m.setBrush(QColor(120, 30, 40));
        m.setPen(Qt::NoPen);
        m.drawRoundedRect(QRectF(0, 0, bok, bok), bok / 6.0, bok / 6.0);
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPixelSize(bok * 7 / 10);
        f.setBold(true);
        m.setFont(f);
        m.setPen(QColor(240, 220, 160));
        m.drawText(QRect(0, 0, bok, bok), Qt::AlignCenter, QStringLiteral("B"));
        ikona.addPixmap(p);
    }
    return ikona;
}
