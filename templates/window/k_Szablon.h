// TkSzablon: the template catalogue ("Kartoteka szablonów"). Lists the templates of the
// template table in description order and adds, changes (in the editor TfSzablon), deletes
// and copies them. Every change is in the table at once; nothing is saved on closing.
//
//   Tdm_Szablon dm;
//   TkSzablon okno(sesja, dm.tb_Szablon, this);
//   okno.exec();
//
// TOknoSzablonow is what the catalogue and the selection window (s_Szablon.h) share: the top
// panel with the navigator and the action buttons, and the grid gr_Szablon over the table.
// The grid's current row is the table's current record, both ways: choosing a row moves the
// table, and the windows show the record the table moved to after every action.
#pragma once

#include <QDialog>
#include <memory>

#include "Glify.h"

class QAction;
class QHBoxLayout;
class QKeyEvent;
class QTableView;
class QToolButton;
class TcModelSzablonow;
class TcSesja;
class TcTabelaDbf;
class TPrzyciskObrazkowy;

class TOknoSzablonow : public QDialog {
    Q_OBJECT
public:
    static constexpr int KontekstPomocy = 170;
    static constexpr int SzerokoscOpisu = 542;
    static constexpr int SzerokoscPrzycisku = 55;

    ~TOknoSzablonow() override;

    QWidget* paGora = nullptr;
    QWidget* nvSzablon = nullptr;   // the navigator
    QToolButton* nbPierwszy = nullptr;
    QToolButton* nbPoprzedni = nullptr;
    QToolButton* nbNastepny = nullptr;
    QToolButton* nbOstatni = nullptr;
    QTableView* gr_Szablon = nullptr;
    TPrzyciskObrazkowy* sbPomoc = nullptr;
    TPrzyciskObrazkowy* sbZamknij = nullptr;
    QAction* acZamknij = nullptr;

    TcModelSzablonow& Model() const { return *model_; }

    // The table moves to its first record.
    void FormShow();
    void acZamknijExecute();
    void sbZamknijClick() { acZamknijExecute(); }
    void sbPomocClick();
    // The grid's row follows the table's current record (after the table was changed,
    // Odswiezenie reads the rows anew first).
    void PokazanieBiezacego();
    void Odswiezenie();

protected:
    TOknoSzablonow(TcSesja& sesja, TcTabelaDbf& tabela, const char* nazwa, const QString& tytul, QWidget* rodzic);
    // An action and its button, added to the top panel's row after the buttons before it.
    QAction* Akcja(const char* nazwa, const char* napis, const char* podpowiedz);
    TPrzyciskObrazkowy* Przycisk(const char* nazwa, TGlif glif, QAction* akcja);
    // The help and close buttons close the row; `podpowiedzZamkniecia` is the close hint.
    void Zakonczenie(const char* podpowiedzZamkniecia);
    // Enter and a double click on the grid.
    virtual void gr_SzablonDblClick() = 0;
    // Keys of the grid; true when the key was handled.
    virtual bool gr_SzablonKeyDown(QKeyEvent* klawisz);
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obiekt, QEvent* e) override;
    // Navigator buttons enabled where they can move.
    void NawigatorUpdate();

    TcSesja& sesja_;
    TcTabelaDbf& tabela_;

private:
    std::unique_ptr<TcModelSzablonow> model_;
    QHBoxLayout* przyciski_ = nullptr;
    bool pokazywanie_ = false;
    bool pokazane_ = false;
};

class TkSzablon : public TOknoSzablonow {
    Q_OBJECT
public:
    explicit TkSzablon(TcSesja& sesja, TcTabelaDbf& tabela, QWidget* rodzic = nullptr);
    ~TkSzablon() override;

    QAction* acDopiszSzablon = nullptr;
    QAction* acPoprawSzablon = nullptr;
    QAction* acUsunSzablon = nullptr;
    QAction* acKopiujSzablon = nullptr;
    TPrzyciskObrazkowy* sbDopisz = nullptr;
    TPrzyciskObrazkowy* sbPopraw = nullptr;
    TPrzyciskObrazkowy* sbUsun = nullptr;
    TPrzyciskObrazkowy* sbKopiuj = nullptr;

    void acDopiszSzablonExecute();
    void acPoprawSzablonExecute();
    void acPoprawSzablonUpdate();
    // Asks, then deletes the current template; the following one becomes current.
    void acUsunSzablonExecute();
    void acUsunSzablonUpdate();
    // A copy of the current template under the first free description "<opis> (n)" and a new
    // identifier; it becomes the current template.
    void acKopiujSzablonExecute();
    void acKopiujSzablonUpdate();
    // The template editor in mode 1 (a new template) or 2 (the current one).
    void EdycjaSzablonu(int tryb);

protected:
    void gr_SzablonDblClick() override;
    // Ctrl+Del is swallowed: templates are deleted only through "Usuń" and its question.
    bool gr_SzablonKeyDown(QKeyEvent* klawisz) override;
};

