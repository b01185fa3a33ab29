#include "f_UsunWiele.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "EditNew.h"
#include "Plik.h"
#include "Tekst.h"
#include "Zegar.h"
#include "mDialog.h"
#include "mKalendarz.h"

double DzienPola(const TEditN& pole) {
    const QString tekst = pole.text();
    if (tekst.isEmpty()) return BrakDaty;
    // The text as the field completed it; a text not yet completed (the field was not left)
    // counts by the field's last value.
    QDate d = QDate::fromString(tekst, QStringLiteral("dd-MM-yyyy"));
    if (!d.isValid()) d = mZegar::Data(std::floor(pole.ValueDate));
    return KodowanieDaty(d.year(), d.month(), d.day());
}

TfUsunWiele::TfUsunWiele(QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("TfUsunWiele"));
    setWindowTitle(PLq("Usunięcie raportów"));

    constexpr int Margines = 8, WysokoscPola = 23, SzerokoscPola = 70, Przycisk = 90, WysokoscPrzycisku = 26;

    lbDataOd = new QLabel(PLq("&Data początkowa:"), this);
    lbDataOd->setObjectName(QStringLiteral("lbDataOd"));
    lbDataOd->adjustSize();
    lbDataDo = new QLabel(PLq("Data &końcowa:"), this);
    lbDataDo->setObjectName(QStringLiteral("lbDataDo"));
    lbDataDo->adjustSize();
    // The fields stand after the longer label.
    const int xPola = Margines + std::max(lbDataOd->width(), lbDataDo->width()) + Margines;

    const auto pole = [&](TEditN*& en, const char* nazwa, QLabel* etykieta, int y, const char* podpowiedz) {
        en = new TEditN(this, nazwa);
        en->EditType = TEditN::etDate;
        en->setGeometry(xPola, y, SzerokoscPola, WysokoscPola);
        en->setToolTip(PLq(podpowiedz));
        etykieta->move(Margines, y + (WysokoscPola - etykieta->height()) / 2);
        etykieta->setBuddy(en);
    };
    pole(enDataOd, "enDataOd", lbDataOd, Margines,
         "Data utworzenia raportu od której raporty będą usuwane, jeśli pusta to bez ograniczenia (format dd-mm-rrrr)");
    pole(enDataDo, "enDataDo", lbDataDo, Margines + WysokoscPola + 6,
         "Data utworzenia raportu do której raporty będą usuwane, jeśli pusta to bez ograniczenia (format dd-mm-rrrr)");

    const auto kalendarz = [&](QPushButton*& bb, const char* nazwa, const TEditN* en) {
        bb = new QPushButton(QStringLiteral("..."), this);
        bb->setObjectName(QString::fromLatin1(nazwa));
        bb->setGeometry(en->geometry().right() + 3, en->y(), WysokoscPola, WysokoscPola);
        bb->setToolTip(PLq("Wywołanie kalendarza"));
        bb->setAutoDefault(false);
    };
    kalendarz(bbKalendarzOd, "bbKalendarzOd", enDataOd);
    kalendarz(bbKalendarzDo, "bbKalendarzDo", enDataDo);

    const int yPrzyciskow = enDataDo->geometry().bottom() + 1 + 14;
    const auto przycisk = [&](QPushButton*& b, const char* nazwa, const char* napis, int x) {
        b = new QPushButton(PLq(napis), this);
        b->setObjectName(QString::fromLatin1(nazwa));
        b->setGeometry(x, yPrzyciskow, Przycisk, WysokoscPrzycisku);
        b->setAutoDefault(false);
    };
    przycisk(bbZatwierdz, "bbZatwierdz", "Zatwierdź", Margines);
    przycisk(bbAnuluj, "bbAnuluj", "Anuluj", Margines + Przycisk + 6);
    przycisk(bbPomoc, "bbPomoc", "Pomoc", Margines + 2 * (Przycisk + 6));
    bbZatwierdz->setDefault(true);

    const int szerokosc = std::max(bbPomoc->geometry().right(), bbKalendarzOd->geometry().right()) + 1 + Margines;
    setFixedSize(szerokosc, yPrzyciskow + WysokoscPrzycisku + Margines);
    // The fields and their calendar buttons stand in the middle above the buttons.
    const int przesuniecie = (szerokosc - Margines - (bbKalendarzOd->geometry().right() + 1)) / 2;
    for (QWidget* w : std::initializer_list<QWidget*>{lbDataOd, enDataOd, bbKalendarzOd, lbDataDo, enDataDo, bbKalendarzDo})
        w->move(w->x() + przesuniecie, w->y());

    setTabOrder(enDataOd, bbKalendarzOd);
    setTabOrder(bbKalendarzOd, enDataDo);
    setTabOrder(enDataDo, bbKalendarzDo);
    setTabOrder(bbKalendarzDo, bbZatwierdz);
    setTabOrder(bbZatwierdz, bbAnuluj);
    setTabOrder(bbAnuluj, bbPomoc);

    connect(bbZatwierdz, &QPushButton::clicked, this, &TfUsunWiele::bbZatwierdzClick);
    connect(bbAnuluj, &QPushButton::clicked, this, &QDialog::reject);
    connect(bbKalendarzOd, &QPushButton::clicked, this, &TfUsunWiele::bbKalendarzOdClick);
    connect(bbKalendarzDo, &QPushButton::clicked, this, &TfUsunWiele::bbKalendarzDoClick);
    // "Pomoc" has no topic of its own.

    enDataOd->setFocus();
    if (QScreen* ekran = QGuiApplication::primaryScreen()) {
        const QRect r = ekran->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
}

void TfUsunWiele::bbZatwierdzClick() {
    // Leaving a date field completes and checks its text.
    bbZatwierdz->setFocus();
    if (!KontrolaDat()) return;
    accept();
}

void TfUsunWiele::bbKalendarzOdClick() { WybranieDaty(enDataOd); }

void TfUsunWiele::bbKalendarzDoClick() { WybranieDaty(enDataDo); }

bool TfUsunWiele::KontrolaDat() {
    if (enDataOd->BlednaWartosc || enDataDo->BlednaWartosc) return false;
    const bool odPusta = enDataOd->text().isEmpty(), doPusta = enDataDo->text().isEmpty();
    if (!odPusta && !doPusta && DzienPola(*enDataOd) > DzienPola(*enDataDo)) {
        enDataOd->setFocus();
        Ostrzezenie(PLq("Błędny zakres dat"), PLq("Początkowa data nie może być późniejsza od końcowej."));
        return false;
    }
    if (odPusta && doPusta)
        return Pytanie(PLq("Potwierdź usuwanie"),
                       PLq("Puste daty oznaczają usunięcie wszystkich raportów.\rCzy na pewno usunąć wszystkie raporty?"), 0);
    return Pytanie(PLq("Potwierdź usuwanie"), PLq("Czy na pewno usunąć raporty?"), 0);
}
