// The main window's side of evaluating queries: the search run behind "Szukaj", and the live
// counts beside each condition of the editor (or, in acts mode, beside the act and its phrase
// buttons), evaluated on the counting copy of the query so that the user sees how selective
// each word, chamber, provision, act and phrase is.
//
//   wyszukiwanie.ZliczanieWyjasnien(TPoleLiczby::Slowo2);   // lbLiczba2 := documents holding the word
//   wyszukiwanie.bbSzukajClick();                           // search, fill the result table, list page 0
#pragma once

#include <QObject>

#include "ParametryZapytania.h"

class QWidget;
class TcEdytorZapytania;
class TcListaWynikow;
class TcPokazanie;
class TcSesja;
class TcTrybAktow;

class TcWyszukiwanie : public QObject {
    Q_OBJECT
public:
    // Listens to the editor's changes and its search button; `okno` owns the messages.
    TcWyszukiwanie(TcSesja& sesja, TcEdytorZapytania& edytor, TcTrybAktow& akty, TcListaWynikow& lista,
                   TcPokazanie& pokazanie, QWidget* okno);

    // Whether the main window's query has a condition; shows "Brak warunków zapytania" when not.
    bool KontrolaWarunkow();
    void bbSzukajClick();
    void ZliczanieWyjasnien(TPoleLiczby pole);
    void ZliczanieWszystkichWarunkow();

private:
    TParametryZapytania Parametry() const;
    void BladWarunku();                  // the failed search's message, the field focused
    void Zakonczenie();                  // result table, page 0, highlight condition

    TcSesja& sesja_;
    TcEdytorZapytania& edytor_;
    TcTrybAktow& akty_;
    TcListaWynikow& lista_;
    TcPokazanie& pokazanie_;
    QWidget* okno_;
};
