// The check-box list view with multi-line rows: one column of rows, each with a caption of
// several lines, a check box that can be hidden, its own background, a hidden sort key and a
// hidden data text (the document number in the result lists). The result list of the main
// window and the report viewer list one page of documents in it, with a summary row on top.
//
//   TListaZaznaczen lista;
//   lista.WstrzymanieOdswiezania();
//   int w = lista.DodanieWiersza();
//   lista.UstawienieTekstu(w, u"[ 15-04-2002 ] Podatek\r\ndochodowy"_s);
//   lista.UstawienieWysokosci(w, 2);
//   lista.UstawienieZaznaczenia(w, true);
//   lista.UstawienieDanych(w, u"1734"_s);
//   lista.WznowienieOdswiezania();
//
// Rows are addressed by their position, 0 at the top. The user toggles a check mark by clicking
// its box; Enter and a double click on a row are signalled.
#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <QTreeWidget>
#include <functional>

class TListaZaznaczen;

// The hourglass and suspended painting while a page is listed, undone also when reading a
// record fails.
class TListowanie {
public:
    explicit TListowanie(TListaZaznaczen* lista);
    ~TListowanie();
    TListowanie(const TListowanie&) = delete;
    TListowanie& operator=(const TListowanie&) = delete;

private:
    TListaZaznaczen* lista_;
};

class TListaZaznaczen : public QTreeWidget {
    Q_OBJECT
public:
    explicit TListaZaznaczen(QWidget* parent = nullptr);

    void Wyczyszczenie();
    int DodanieWiersza();                      // at the end; gives its position
    int WstawienieWiersza(int pozycja);        // before the row now at `pozycja`
    int LiczbaWierszy() const { return topLevelItemCount(); }

    // Bulk changes: nothing is painted between these two calls (they nest).
    void WstrzymanieOdswiezania();
    void WznowienieOdswiezania();

    void UstawienieTekstu(int wiersz, const QString& tekst);   // lines separated by "\r\n" or "\n"
    QString Tekst(int wiersz) const;                           // lines separated by "\r\n"
    void UstawienieWysokosci(int wiersz, int linii);
    int Wysokosc(int wiersz) const;                            // in text lines
    void UstawieniePolaWyboru(int wiersz, bool widoczne);
    bool PoleWyboru(int wiersz) const;
    void UstawienieZaznaczenia(int wiersz, bool zaznaczony);
    bool Zaznaczony(int wiersz) const;
    void UstawienieTla(int wiersz, const QColor& kolor);
    QColor Tlo(int wiersz) const;
    void UstawienieKlucza(int wiersz, const QString& klucz);
    QString Klucz(int wiersz) const;
    void UstawienieDanych(int wiersz, const QString& dane);
    QString Dane(int wiersz) const;

    // Orders the rows by a comparison of two row positions (taken before the sort): negative
    // puts the first before the second. Rows comparing equal keep their order.
    void Sortowanie(const std::function<int(int, int)>& porownanie);

    int WybranyWiersz() const;                 // -1 when no row is selected
    void UstawienieWybranego(int wiersz);

    // Rows wholly inside the visible area, counted from the current scroll position.
    int LiczbaWidocznych() const;

    void UstawienieSzerokosciKolumny(int szerokosc) { setColumnWidth(0, szerokosc); }
    int SzerokoscKolumny() const { return columnWidth(0); }

    // Pixel height of one text line of a row.
    int WysokoscLinii() const;

    // Rows are wrapped at a count of characters, not pixels: takes the largest condensed size
    // of the font, 11 pixels down to 9, whose ordinary Polish text needs at most
    // `pikseliNaZnak` pixels a character.
    void DopasowanieCzcionki(double pikseliNaZnak);

signals:
    void Enter();
    void PodwojneKlikniecie();
    void ZmianaRozmiaru();
    void ZmianaZaznaczenia(int wiersz);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QTreeWidgetItem* Wiersz(int wiersz) const;
    void UstawienieRozmiaru(QTreeWidgetItem* it);
    QList<QTreeWidgetItem*> takeTopLevelItems();
    int wstrzymanie_ = 0;
    QSize rozmiar_;
};
