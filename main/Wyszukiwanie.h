// The main window's side of evaluating queries: the search run behind "Szukaj", and the live
// counts beside each condition control, evaluated on the counting copy of the query object so
// that the user sees how selective each word, chamber, provision, act or phrase is.
//
//   wyszukiwanie.ZliczanieWyjasnien(enSlowo2);   // lbLiczba2 := documents holding the word
//   wyszukiwanie.bbSzukajClick();                // search, fill the result table, list page 0
#pragma once

#include <QObject>
#include <string>

class QWidget;
class TcEdytorZapytania;
class TcListaWynikow;
class TcPokazanie;
struct TObiektyGlowne;

class TcWyszukiwanie : public QObject {
    Q_OBJECT
public:
    TcWyszukiwanie(TObiektyGlowne& obiekty, TcEdytorZapytania& edytor, TcListaWynikow& lista, TcPokazanie& pokazanie,
                   QObject* rodzic);

    // Whether the main window's query has a condition; shows "Brak warunków zapytania" when not.
    bool KontrolaWarunkow();
    void bbSzukajClick();
    void ZliczanieWyjasnien(QWidget* kontrolka);
    void ZliczanieWszystkichWarunkow();
    void pbWlaczZliczanieClick();
    void pbWylaczZliczanieClick();

private:
    void SzukanieWarunkow();
    void SzukanieAktow();
    void Zakonczenie();                  // result table, page 0, highlight condition
    int32_t NumerAktu() const;           // of the act selected in cxAkt, -1 for none
    QWidget* Okno() const;

    TObiektyGlowne& obiekty_;
    TcEdytorZapytania& edytor_;
    TcListaWynikow& lista_;
    TcPokazanie& pokazanie_;
};
