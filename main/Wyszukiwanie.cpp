#include "Wyszukiwanie.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QWidget>

#include "Bledy.h"
#include "EdytorZapytania.h"
#include "ListaWynikow.h"
#include "ParserBool.h"
#include "Pokazanie.h"
#include "Tekst.h"
#include "Zapytanie.h"
#include "bSlownikTxt.h"
#include "mDialog.h"

TcWyszukiwanie::TcWyszukiwanie(TObiektyGlowne& obiekty, TcEdytorZapytania& edytor, TcListaWynikow& lista,
                               TcPokazanie& pokazanie, QObject* rodzic)
    : QObject(rodzic), obiekty_(obiekty), edytor_(edytor), lista_(lista), pokazanie_(pokazanie) {
    connect(edytor_.bbSzukaj, &QPushButton::clicked, this, [this] { bbSzukajClick(); });
}

QWidget* TcWyszukiwanie::Okno() const { return obiekty_.Okno ? obiekty_.Okno : edytor_.Kolumna->window(); }

bool TcWyszukiwanie::KontrolaWarunkow() {
    if (!edytor_.PrzygotowanieWarunku(*edytor_.Kolumna).empty()) return true;
    if (edytor_.meWarunekDodatkowy->toPlainText().isEmpty() && edytor_.Przepis() == 0 && edytor_.Izba() < 0) {
        Ostrzezenie(PLq("Brak warunków zapytania"), PLq("Nie podano warunków zapytania."));
        return false;
    }
    return true;
}

void TcWyszukiwanie::bbSzukajClick() {
    if (obiekty_.TrybAktow && obiekty_.TrybAktow()) SzukanieAktow();
    else SzukanieWarunkow();
}

void TcWyszukiwanie::SzukanieWarunkow() {
    // The field being left trims itself (and counts) before the query is read.
    edytor_.bbSzukaj->setFocus(Qt::OtherFocusReason);
    if (!KontrolaWarunkow()) return;
    TcZapytanie& z = *obiekty_.Zapytanie;
    z.Warunek = edytor_.PrzygotowanieWarunku(*edytor_.Kolumna);
    z.WarunekDodatkowy = cp(edytor_.meWarunekDodatkowy->toPlainText());
    z.Przepis = edytor_.Przepis();
    z.Izba = edytor_.Izba() < 0 ? 0 : edytor_.Izba();
    z.Interpretacja = edytor_.cbInterpretacja->isChecked();
    z.PismoMinisterstwa = edytor_.cbPismoMinisterstwa->isChecked();
    z.TezaOrzeczenia = edytor_.cbTezaOrzeczenia->isChecked();
    z.TylkoDoRaportu = edytor_.cbTylkoDoRaportu->isChecked();
    if (z.WykonanieZapytania()) {
        Zakonczenie();
        return;
    }
    const TcParserBool& p = *obiekty_.Parser;
    Ostrzezenie(PLq("Błąd w warunku dodatkowym"), qs(p.Blad));
    if (p.PozycjaBledu > 0) {
        QPlainTextEdit* me = edytor_.meWarunekDodatkowy;
        me->setFocus(Qt::OtherFocusReason);
        QTextCursor c = me->textCursor();
        const int koniec = me->toPlainText().size();
        c.setPosition(std::min(p.PozycjaBledu - 1, koniec));
        c.setPosition(std::min(p.PozycjaBledu - 1 + p.DlugoscBledu, koniec), QTextCursor::KeepAnchor);
        me->setTextCursor(c);
    }
}

int32_t TcWyszukiwanie::NumerAktu() const {
    auto* cx = Okno()->findChild<QComboBox*>(QStringLiteral("cxAkt"));
    if (!cx || !obiekty_.Akty || cx->currentIndex() < 0) return -1;
    return obiekty_.Akty->NumerWgNazwy(cp(cx->currentText()));
}

void TcWyszukiwanie::SzukanieAktow() {
    TcZapytanie& z = *obiekty_.Zapytanie;
    for (int n = 1; n <= 5; ++n) {
        auto* rb = Okno()->findChild<QRadioButton*>(QStringLiteral("rbFraza%1").arg(n));
        if (rb && rb->isChecked()) z.Warunek = "\"" + cp(rb->text()) + "\"";
    }
    z.Przepis = NumerAktu();
    z.Izba = 0;
    z.WarunekDodatkowy.clear();
    z.Interpretacja = true;
    z.PismoMinisterstwa = false;
    z.TezaOrzeczenia = false;
    z.TylkoDoRaportu = edytor_.cbTylkoDoRaportu->isChecked();
    if (!z.WykonanieZapytania()) mBladWewnetrznyTekst("Assertion failure");
    Zakonczenie();
}

void TcWyszukiwanie::Zakonczenie() {
    lista_.PrzygotowanieRaportu(obiekty_.Zapytanie->Wynik);
    lista_.PokazanieStrony();
    pokazanie_.WarunekWyroznienia = obiekty_.Zapytanie->WarunekPelny;
}

void TcWyszukiwanie::ZliczanieWyjasnien(QWidget* kontrolka) {
    bool pominiecie = !(obiekty_.Zliczanie && *obiekty_.Zliczanie);
    TcZapytanie& z = *obiekty_.Zliczajace;
    z.Przepis = 0;
    z.Izba = 0;
    z.Warunek.clear();
    z.WarunekDodatkowy.clear();

    QLabel* etykieta = nullptr;
    auto etykietaWgNazwy = [&](int numer) {
        return Okno()->findChild<QLabel*>(QStringLiteral("lbLiczba%1").arg(numer));
    };
    const QString nazwa = kontrolka ? kontrolka->objectName() : QString();
    if (auto* pole = qobject_cast<QLineEdit*>(kontrolka)) {
        if (!pole->text().isEmpty()) z.Warunek = "\"" + cp(pole->text()) + "\"";
        else pominiecie = true;
        etykieta = etykietaWgNazwy(nazwa.right(1).toInt());
    } else if (auto* lista = qobject_cast<QComboBox*>(kontrolka)) {
        if (obiekty_.TrybAktow && obiekty_.TrybAktow()) {
            z.Przepis = NumerAktu();
            etykieta = etykietaWgNazwy(7);
        } else {
            if (edytor_.Izba() >= 0) z.Izba = edytor_.Izba();
            else pominiecie = true;
            etykieta = etykietaWgNazwy(5);
        }
        (void)lista;
    } else if (auto* radio = qobject_cast<QRadioButton*>(kontrolka)) {
        if (!radio->text().isEmpty()) {
            z.Warunek = "\"" + cp(radio->text()) + "\"";
            z.Przepis = NumerAktu();
        } else {
            pominiecie = true;
        }
        etykieta = etykietaWgNazwy(nazwa.right(1).toInt() + 7);
    } else if (qobject_cast<QPushButton*>(kontrolka)) {
        z.Przepis = edytor_.Przepis();
        if (z.Przepis == 0) pominiecie = true;
        etykieta = etykietaWgNazwy(6);
    } else {
        mBladWewnetrzny("TfGlowne.ZliczanieWyjasnien", 1, '\r');
    }
    if (!etykieta) mBladWewnetrzny("TfGlowne.ZliczanieWyjasnien", 2, '\r');
    if (pominiecie) {
        etykieta->clear();
        return;
    }

    z.Interpretacja = edytor_.cbInterpretacja->isChecked();
    z.PismoMinisterstwa = edytor_.cbPismoMinisterstwa->isChecked();
    z.TezaOrzeczenia = edytor_.cbTezaOrzeczenia->isChecked();
    z.TylkoDoRaportu = edytor_.cbTylkoDoRaportu->isChecked();
    if (z.TylkoDoRaportu) {
        // Restricted to the search's most recent result, also before the first search.
        z.Wynik.Dane = obiekty_.Zapytanie->Wynik.Dane;
        z.Raport = "X";
    }
    if (!z.WykonanieZapytania()) {
        etykieta->clear();
        return;
    }
    etykieta->setText(QString::number(z.Wynik.Liczba()));
}

void TcWyszukiwanie::ZliczanieWszystkichWarunkow() {
    Okno()->repaint();
    if (obiekty_.TrybAktow && obiekty_.TrybAktow()) {
        if (auto* cx = Okno()->findChild<QComboBox*>(QStringLiteral("cxAkt"))) ZliczanieWyjasnien(cx);
        for (int n = 1; n <= 5; ++n)
            if (auto* rb = Okno()->findChild<QRadioButton*>(QStringLiteral("rbFraza%1").arg(n))) ZliczanieWyjasnien(rb);
        return;
    }
    for (QLineEdit* e : edytor_.enSlowo) ZliczanieWyjasnien(e);
    ZliczanieWyjasnien(edytor_.cxIzba);
    ZliczanieWyjasnien(edytor_.bbPrzepis);
}

void TcWyszukiwanie::pbWlaczZliczanieClick() {
    if (obiekty_.Zliczanie) *obiekty_.Zliczanie = true;
    if (auto* b = Okno()->findChild<QWidget*>(QStringLiteral("pbWlaczZliczanie"))) b->hide();
    if (auto* b = Okno()->findChild<QWidget*>(QStringLiteral("pbWylaczZliczanie"))) b->show();
    ZliczanieWszystkichWarunkow();
}

void TcWyszukiwanie::pbWylaczZliczanieClick() {
    if (obiekty_.Zliczanie) *obiekty_.Zliczanie = false;
    if (auto* b = Okno()->findChild<QWidget*>(QStringLiteral("pbWlaczZliczanie"))) b->show();
    if (auto* b = Okno()->findChild<QWidget*>(QStringLiteral("pbWylaczZliczanie"))) b->hide();
    ZliczanieWszystkichWarunkow();
}
