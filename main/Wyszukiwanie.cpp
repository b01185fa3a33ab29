#include "Wyszukiwanie.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QWidget>

#include "EdytorZapytania.h"
#include "Konfiguracja.h"
#include "ListaWynikow.h"
#include "ParserBool.h"
#include "Bledy.h"
#include "Pokazanie.h"
#include "Sesja.h"
#include "TrybAktow.h"
#include "Tekst.h"
#include "Zapytanie.h"
#include "mDialog.h"

TcWyszukiwanie::TcWyszukiwanie(TcSesja& sesja, TcEdytorZapytania& edytor, TcTrybAktow& akty, TcListaWynikow& lista,
                               TcPokazanie& pokazanie, QWidget* okno)
    : QObject(okno), sesja_(sesja), edytor_(edytor), akty_(akty), lista_(lista), pokazanie_(pokazanie), okno_(okno) {
    connect(edytor_.bbSzukaj, &QPushButton::clicked, this, [this] { bbSzukajClick(); });
    connect(&edytor_, &TcEdytorZapytania::Zliczanie, this, [this](TPoleLiczby pole) { ZliczanieWyjasnien(pole); });
    connect(&edytor_, &TcEdytorZapytania::ZliczanieWszystkich, this, [this] { ZliczanieWszystkichWarunkow(); });
    connect(&akty_, &TcTrybAktow::ZliczanieWszystkich, this, [this] { ZliczanieWszystkichWarunkow(); });
}

TParametryZapytania TcWyszukiwanie::Parametry() const {
    TParametryZapytania p = edytor_.Parametry();
    akty_.UzupelnienieParametrow(p);
    return p;
}

bool TcWyszukiwanie::KontrolaWarunkow() {
    if (!edytor_.PrzygotowanieWarunku().empty()) return true;
    if (edytor_.meWarunekDodatkowy->toPlainText().isEmpty() && edytor_.Przepis() == 0 && edytor_.Izba() < 0) {
        Ostrzezenie(PLq("Brak warunków zapytania"), PLq("Nie podano warunków zapytania."));
        return false;
    }
    return true;
}

void TcWyszukiwanie::bbSzukajClick() {
    // The field being left trims itself (and counts) before the query is read.
    edytor_.bbSzukaj->setFocus(Qt::OtherFocusReason);
    TcZapytanie& z = sesja_.Zapytanie();
    if (akty_.Wlaczony()) {
        // The chosen phrase among the documents citing the act; a phrase the act's own index
        // offers is always a valid condition.
        UstawienieZapytaniaAktu(Parametry(), z);
        if (!sesja_.Wykonanie(z)) mBladWewnetrznyTekst("Assertion failure");
        Zakonczenie();
        return;
    }
    if (!KontrolaWarunkow()) return;
    UstawienieZapytania(edytor_.Parametry(), z);
    if (sesja_.Wykonanie(z)) Zakonczenie();
    else BladWarunku();
}

void TcWyszukiwanie::BladWarunku() {
    const TcParserBool& p = sesja_.Parser();
    if (sesja_.Zapytanie().BladWarunkuStandardowego()) {
        // A word field's phrase: the parser's position is one of the joined condition, which
        // the user never sees; the field itself is what to mend.
        Ostrzezenie(PLq("Błąd w szukanym słowie lub frazie"), qs(p.Blad));
        const int pole = PoleZaDlugiejFrazy(edytor_.Parametry(), sesja_.Zapytanie().Znaki);
        if (pole >= 0) {
            QLineEdit* e = edytor_.enSlowo[size_t(pole)];
            e->setFocus(Qt::OtherFocusReason);
            e->selectAll();
        }
        return;
    }
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

void TcWyszukiwanie::Zakonczenie() {
    const TcZapytanie& z = sesja_.Zapytanie();
    lista_.PrzygotowanieRaportu(z.Wynik);
    lista_.PokazanieStrony();
    pokazanie_.WarunekWyroznienia = z.WarunekPelny;
}

void TcWyszukiwanie::ZliczanieWyjasnien(TPoleLiczby pole) {
    QLabel* etykieta = int(pole) < LiczbaPolWarunkow ? edytor_.EtykietaLiczby(pole) : akty_.EtykietaLiczby(pole);
    TcZapytanie& z = sesja_.Liczace();
    if (!sesja_.Konfiguracja().Zliczanie || !UstawienieLiczenia(Parametry(), pole, z, sesja_.Zapytanie()) ||
        !sesja_.Wykonanie(z)) {
        etykieta->clear();
        return;
    }
    etykieta->setText(QString::number(z.Wynik.Liczba()));
}

void TcWyszukiwanie::ZliczanieWszystkichWarunkow() {
    okno_->repaint();
    const bool akty = akty_.Wlaczony();
    for (int n = akty ? LiczbaPolWarunkow : 0; n < (akty ? LiczbaPolLiczby : LiczbaPolWarunkow); ++n)
        ZliczanieWyjasnien(TPoleLiczby(n));
}
