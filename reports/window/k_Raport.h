// TkRaport: the report catalogue. Lists the saved reports of "Raporty" newest first, by name
// and date, and shows, mails or deletes the selected one, or deletes every report written
// within a range of days (TfUsunWiele asks for the days, TbUsunWiele deletes).
//
//   TkRaport okno(sesja, this);
//   okno.exec();                           // 2 after "Zamknij", Esc or the close box
//
// TOknoListyRaportow is what the catalogue and the selection window (s_Raport.h) share: the
// report list read once when the window is created, its list view, and the help and close
// buttons. Every row shows the report name and the file's date; the file name itself is the
// row's data (DanaPliku). A list with rows always has a selected row.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>
#include <string>

class QAction;
class QTreeWidget;
class QTreeWidgetItem;
class TcListPlikRaportu;
class TcSesja;
class TPrzyciskObrazkowy;

// The text of the report file "Raporty/" + nazwaPliku; a file that cannot be read is
// EInOutError "Błąd odczytu pliku 'Raporty/x.rap'." naming it in Windows-1250.
std::string OdczytRaportu(const std::string& nazwaPliku);

class TOknoListyRaportow : public QDialog {
    Q_OBJECT
public:
    static constexpr int KontekstPomocy = 160;
    // Widths of the "Nazwa" column: with the vertical scroll bar (18 rows and more), without it.
    static constexpr int SzerokoscNazwy = 385;
    static constexpr int SzerokoscNazwyBezPaska = 401;
    static constexpr int SzerokoscDaty = 96;
    static constexpr int WierszyBezPaska = 17;
    // The item data role that holds a row's file name (bytes as the folder gives them).
    static constexpr int DanaPliku = Qt::UserRole;

    ~TOknoListyRaportow() override;

    std::unique_ptr<TcListPlikRaportu> ListaRaportow;   // "Raporty/*.rap", mask 33, newest first

    QTreeWidget* lvPlikRaportu = nullptr;
    TPrzyciskObrazkowy* pbPomoc = nullptr;
    TPrzyciskObrazkowy* pbZamknij = nullptr;

    // Rebuilds the rows from ListaRaportow and selects the first.
    void PokazanieListy();
    // A focused row without a selected one becomes selected.
    void lvPlikRaportuSelectItem();
    void pbPomocClick();
    void pbZamknijClick();
    // Esc and the close box are "Zamknij" (result 2).
    void reject() override;

    // The selected row, nullptr when there is none.
    QTreeWidgetItem* WybranyWiersz() const;
    // The file name a row stands for ("x.rap", without the folder).
    static std::string NazwaPliku(const QTreeWidgetItem* wiersz);

protected:
    // Builds the list and its rows, the help button at the top and the close button at the
    // bottom of the button column; `liczbaPrzyciskow` image buttons fill the column.
    TOknoListyRaportow(TcSesja& sesja, const char* nazwa, int liczbaPrzyciskow, QWidget* rodzic);
    // Where the i-th of the column's buttons goes (0 is "Pomoc").
    QPoint MiejscePrzycisku(int i) const;
    // Centred on the desktop, the list focused.
    void Zakonczenie();
    TcSesja& sesja_;

private:
    int liczbaPrzyciskow_;
};

class TkRaport : public TOknoListyRaportow {
    Q_OBJECT
public:
    explicit TkRaport(TcSesja& sesja, QWidget* rodzic = nullptr);
    ~TkRaport() override;

    // Bulk deletion: the range of days (BrakDaty for an open bound) and the number of listed
    // reports within it.
    double DataDo = 0;
    double DataOd = 0;
    int32_t LiczbaDoUsuniecia = 0;

    QAction* acPokaz = nullptr;
    QAction* acWyslij = nullptr;
    QAction* acUsun = nullptr;
    QAction* acUsunWiele = nullptr;
    TPrzyciskObrazkowy* pbPokaz = nullptr;
    TPrzyciskObrazkowy* pbWyslij = nullptr;
    TPrzyciskObrazkowy* pbUsun = nullptr;
    TPrzyciskObrazkowy* pbUsunWiele = nullptr;

    // Reads the selected report (EInOutError when it cannot be read) and shows it in the
    // report viewer; an empty file shows nothing.
    void acPokazExecute();
    void acPokazUpdate();
    void acWyslijExecute();
    void acWyslijUpdate();
    // Asks, deletes the selected report's file and its row; a failure is a warning.
    void acUsunExecute();
    void acUsunUpdate();
    void acUsunWieleExecute();
    void acUsunWieleUpdate();
};
