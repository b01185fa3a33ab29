// TfSzablon: the template editor. Mode 1 writes a new template, mode 2 changes the table's
// current one; "Zatwierdź" checks the entries and stores them, closing another way after a
// change asks whether to save.
//
//   TfSzablon okno(sesja, tabela, 2, this);   // the current record is the template
//   okno.exec();                               // 1 when the template was stored
//
// The words, operators and the standard condition string are those of the main window's
// query editor (WarunekStandardowy.h); the words are kept exactly as typed.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>


class QAction;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TcSesja;
struct TPolaWarunku;
class TcTabelaDbf;
class TEditN;
class TPrzyciskObrazkowy;

class TfSzablon : public QDialog {
    Q_OBJECT
public:
    static constexpr int KontekstPomocy = 170;
    static constexpr int DlugoscSlowa = 40;
    static constexpr int DlugoscWarunkuDodatkowego = 500;

    TfSzablon(TcSesja& sesja, TcTabelaDbf& tabela, int tryb, QWidget* rodzic = nullptr);
    ~TfSzablon() override;

    int Tryb() const { return tryb_; }

    // The standard condition string of the window's words and operators (Windows-1250).
    std::string PrzygotowanieWarunku() const;
    // Fills the words and operators from a standard condition string, with the warnings of a
    // condition that cannot be shown whole; false when an OR_NOT stopped the load.
    bool OdczytanieWarunku(const std::string& warunek);
    int32_t Przepis() const { return przepis_; }   // the chosen provision, 0 for none
    void UstawieniePrzepisu(int32_t numer);

    // True when the entries may be stored: a description, some condition, and a description
    // no other template has. Otherwise the focus, a beep or a warning says why.
    bool KontrolaSzablonu();

    // Handlers.
    void FormShow();
    void pbZatwierdzClick();
    void pbAnulujClick();
    void enOpisExit();
    void btOperatorClick(int n);
    void bbPrzepisClick();
    void acUsunieciePrzepisuExecute();
    void acUsunieciePrzepisuUpdate();

    // Every way of closing but a stored template: asks whether to save after a change.
    void reject() override;

    QFrame* tcDane = nullptr;
    QLabel* lbOpis = nullptr;
    TEditN* enOpis = nullptr;
    QLabel* lbWarunek = nullptr;
    std::array<TEditN*, 4> enSlowo{};
    std::array<QPushButton*, 3> btOperator{};
    QLabel* lbPrzepis = nullptr;
    QPushButton* bbPrzepis = nullptr;
    QToolButton* bbUsunieciePrzepisu = nullptr;
    QAction* acUsunieciePrzepisu = nullptr;
    QPlainTextEdit* mePrzepis = nullptr;
    QLabel* lbWarunekDodatkowy = nullptr;
    QPlainTextEdit* meWarunekDodatkowy = nullptr;
    TPrzyciskObrazkowy* pbPomoc = nullptr;
    TPrzyciskObrazkowy* pbZatwierdz = nullptr;
    TPrzyciskObrazkowy* pbAnuluj = nullptr;

protected:
    void showEvent(QShowEvent* zdarzenie) override;

private:
    TPolaWarunku Pola() const;
    uint16_t SumaKontrolna(const std::string& warunek) const;

    TcSesja& sesja_;
    TcTabelaDbf& tabela_;
    int tryb_;
    std::string zapamietanyWarunek_;   // WARUNEK as read in mode 2
    uint16_t odcisk_ = 0;              // the contents' checksum when shown
    int32_t przepis_ = 0;
    bool pokazane_ = false;
};
