// The result list of the main window: the result table shown 50 documents a page in the
// check-box list clvRaport, a summary row on top, the paging and check-all actions.
// Only the rows of the page on show exist; their records are read when the page is listed.
//
//   lista.PrzygotowanieRaportu(zapytanie.Wynik);   // all checked, page 0
//   lista.PokazanieStrony();
//   lista.ZapamietanieZaznaczen();                 // before reading TablicaRaportu's marks
#pragma once

#include <QObject>
#include <string>

#include "TablicaRaportu.h"

class QAction;
class QLabel;
class QToolButton;
class QWidget;
class TListaZaznaczen;
class TcSesja;

class TcListaWynikow : public QObject {
    Q_OBJECT
public:
    // Builds the list and its buttons into `kolumna`; `tcDane` gives the widths.
    TcListaWynikow(QWidget* kolumna, QWidget* tcDane, TcSesja& sesja);

    TcTablicaRaportu TablicaRaportu;

    void PrzygotowanieRaportu(const TcTablicaLogiczna& zbior) { TablicaRaportu.PrzygotowanieRaportu(zbior); }
    void PokazanieStrony();
    void ZapamietanieZaznaczen();
    // Clearing the query and the report: the list emptied, its column reset, the count 0.
    void Wyczyszczenie();

    void acPierwszyExecute();
    void acPoprzedniExecute();
    void acNastepnyExecute();
    void acOstatniExecute();
    void acZaznaczWszystkieExecute();
    void acOdznaczWszystkieExecute();
    void AktualizacjaAkcji();          // the four paging actions' update handlers
    void clvRaportResize();

    // The document number of the selected row, 0 when none or the summary row.
    int32_t WybranyDokument() const;

    QLabel* lbRaport = nullptr;
    TListaZaznaczen* clvRaport = nullptr;
    QAction* acPierwszy = nullptr;
    QAction* acPoprzedni = nullptr;
    QAction* acNastepny = nullptr;
    QAction* acOstatni = nullptr;
    QAction* acZaznaczWszystkie = nullptr;
    QAction* acOdznaczWszystkie = nullptr;
    QToolButton* sbPierwszy = nullptr;
    QToolButton* sbPoprzedni = nullptr;
    QToolButton* sbNastepny = nullptr;
    QToolButton* sbOstatni = nullptr;
    QToolButton* sbZaznaczWszystkie = nullptr;
    QToolButton* sbOdznaczWszystkie = nullptr;

    // Colour of the summary row (213, 204, 187).
    static const unsigned KolorPodsumowania = 12307669;

signals:
    void Pokaz();                      // Enter or a double click on a row

private:
    void Strona(int32_t strona);
    int SzerokoscDanych() const;

    QWidget* tcDane_;
    TcSesja& sesja_;
    bool listowanie_ = false;
};
