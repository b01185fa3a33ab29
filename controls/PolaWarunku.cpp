#include "PolaWarunku.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>
#include <QPushButton>

#include "Bledy.h"
#include "Tekst.h"
#include "WarunekStandardowy.h"
#include "mDialog.h"

std::string TPolaWarunku::Warunek() const {
    TSlowaWarunku slowa;
    TOperatoryWarunku operatory;
    for (size_t n = 0; n < Slowa.size(); ++n) slowa[n] = cp(Slowa[n]->text());
    for (size_t n = 0; n < Operatory.size(); ++n) operatory[n] = cp(Operatory[n]->text());
    return PrzygotowanieWarunku(slowa, operatory);
}

bool TPolaWarunku::Wczytanie(const std::string& warunek) const {
    const TOdczytanyWarunek w = OdczytanieWarunku(warunek);
    if (w.PominietyOstatni)
        Ostrzezenie(PLq("Pominięcie ostatniego warunku"),
                    PLq("W aktualnej wersji aplikacji liczba standardowych warunków została ograniczona do 4.\n"
                        "Dlatego ostatni warunek jest pominięty. Przepraszamy."));
    for (size_t n = 0; n < Slowa.size(); ++n) Slowa[n]->setText(qs(w.Slowa[n]));
    for (size_t n = 0; n < Operatory.size(); ++n) Operatory[n]->setText(qs(w.Operatory[n]));
    switch (w.Koniec) {
    case TKoniecOdczytu::Caly:
        return true;
    case TKoniecOdczytu::LubNie:
        Ostrzezenie(PLq("Niemożliwe pobranie całego zapytania"),
                    PLq("Całe zapytanie nie może być pobrane, ponieważ w aktualnej wersji aplikacji\n"
                        "nie jest obsługiwany operator standardowy 'LUB NIE'. Przepraszamy."));
        return false;
    case TKoniecOdczytu::BlednyOperator:
        break;
    }
    mBladWewnetrzny("TfGlowne.OdczytanieWarunku", 2, '\r');
}

void TPolaWarunku::NastepnyOperator(QPushButton* przycisk) {
    if (!przycisk) mBladWewnetrzny("TfZapytanie.NastepnyOperator", 1, '\r');
    przycisk->setText(qs(::NastepnyOperator(cp(przycisk->text()))));
}

void PrzygotowanieWarunkuDodatkowego(QPlainTextEdit* memo, int dlugosc) {
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setTabChangesFocus(true);
    memo->setToolTip(PLq("Dodatkowy warunek wpisywany według ustalonego formatu (słowa lub frazy w "
                         "cudzysłowach łączone operatorami AND, OR, NOT)"));
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, dlugosc] {
        const QString t = memo->toPlainText();
        if (t.size() <= dlugosc) return;
        QTextCursor c = memo->textCursor();
        const int poz = std::min<int>(c.position(), dlugosc);
        memo->setPlainText(t.left(dlugosc));
        c = memo->textCursor();
        c.setPosition(poz);
        memo->setTextCursor(c);
    });
}

bool TPolaWarunku::ZnakOdrzucony(QChar znak) {
    if (znak != QLatin1Char('"')) return false;
    QApplication::beep();
    return true;
}

QPlainTextEdit* NowePolePrzepisu(QWidget* rodzic, int x, int y, int szerokosc, int wysokosc) {
    auto* me = new QPlainTextEdit(rodzic);
    me->setObjectName(QStringLiteral("mePrzepis"));
    me->setGeometry(x, y, szerokosc, wysokosc);
    me->setReadOnly(true);
    me->setFocusPolicy(Qt::NoFocus);
    me->setToolTip(PLq("Przepis wybrany do zapytania"));
    QPalette p = me->palette();
    p.setColor(QPalette::Base, QColor(213, 204, 187));
    me->setPalette(p);
    return me;
}
