// The query editor: the left column of the main window in conditions mode. Four word fields
// joined by three operator buttons, the chamber, the provision, the additional condition, the
// three document-kind switches and the switch restricting a search to the current report.
//
//   std::string w = edytor.PrzygotowanieWarunku();     // « "podatek" AND_NOT "VAT*"»
//   edytor.OdczytanieWarunku(w);                       // back into the fields
//   TParametryZapytania p = edytor.Parametry();        // everything, as plain values
//
// The editor does not count: it says which counted condition changed (Zliczanie) or that all
// of them may have (ZliczanieWszystkich), and the search part counts and fills lbLiczba.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "ParametryZapytania.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QWidget;
class TcSesja;
struct TPolaWarunku;

class TcEdytorZapytania : public QObject {
    Q_OBJECT
public:
    // Builds the editor's controls into `kolumna` and fills the chamber list from the session's
    // dictionary; `okno` owns the dialogs the editor opens.
    TcEdytorZapytania(QWidget* kolumna, TcSesja& sesja, QWidget* okno);

    // ---- The standard condition ----
    std::string PrzygotowanieWarunku() const;
    // False when the load was abandoned (an OR_NOT in the string): the caller stops there.
    bool OdczytanieWarunku(const std::string& warunek);
    static void NastepnyOperator(QPushButton* przycisk);

    // Everything the editor holds, as plain values.
    TParametryZapytania Parametry() const;

    void CzyszczenieWarunkow();
    void ObciecieSpacji(QLineEdit* pole);
    // True when the typed character is refused (a double quote, with a beep).
    static bool KontrolaWprowadzonegoZnaku(QChar znak);

    // The chosen chamber, -1 for none (all chambers).
    int32_t Izba() const { return izba_; }
    int32_t Przepis() const { return przepis_; }   // chosen provision, 0 for none
    // Sets the provision (a loaded template); 0 empties it.
    void UstawieniePrzepisuWgNumeru(int32_t numer);
    // Selects a chamber by number (-1 or an unknown number: "Wszystkie izby skarbowe").
    void UstawienieIzbyWgNumeru(int32_t numer);
    // A loaded template's chamber: 0 is none ("Wszystkie izby skarbowe"); a number the
    // dictionary no longer names is still the chosen chamber, with no item of the list shown.
    void WczytanieIzby(int32_t numer);

    // The label beside a counted condition.
    QLabel* EtykietaLiczby(TPoleLiczby pole) const { return lbLiczba[size_t(pole)]; }

    // Handlers.
    void btOperatorClick(int n);
    void cxIzbaChange();
    void bbPrzepisClick();
    void acUsunieciePrzepisuExecute();
    void acUsunieciePrzepisuUpdate();
    void meWarunekDodatkowyExit();
    void bbCzyscWarunkiClick() { CzyszczenieWarunkow(); }
    void PrzelacznikClick();                 // any of the four switches
    void cbWszystkieFormyClick();

    // The controls.
    QWidget* Kolumna = nullptr;
    QLabel* lbWarunek = nullptr;
    std::array<QLineEdit*, 4> enSlowo{};
    std::array<QPushButton*, 3> btOperator{};
    std::array<QLabel*, LiczbaPolWarunkow> lbLiczba{};   // indexed by TPoleLiczby (the editor's six)
    QComboBox* cxIzba = nullptr;
    QLabel* lbPrzepis = nullptr;
    QPushButton* bbPrzepis = nullptr;
    QToolButton* bbUsunieciePrzepisu = nullptr;
    QAction* acUsunieciePrzepisu = nullptr;
    QPlainTextEdit* mePrzepis = nullptr;
    QLabel* lbWarunekDodatkowy = nullptr;
    QPlainTextEdit* meWarunekDodatkowy = nullptr;
    QCheckBox* cbInterpretacja = nullptr;
    QCheckBox* cbPismoMinisterstwa = nullptr;
    QCheckBox* cbTezaOrzeczenia = nullptr;
    QCheckBox* cbTylkoDoRaportu = nullptr;
    // Every form of the words ("podatek" finds "podatku"); the first use groups the words.
    QCheckBox* cbWszystkieFormy = nullptr;
    QPushButton* bbSzukaj = nullptr;
    QPushButton* bbCzyscWarunki = nullptr;
    QPushButton* bbZapisz = nullptr;
    QPushButton* bbOdczytaj = nullptr;

    static constexpr int DlugoscWarunkuDodatkowego = 500;

signals:
    void Zliczanie(TPoleLiczby pole);        // one counted condition changed
    void ZliczanieWszystkich();              // every count may have changed

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;

private:
    TPolaWarunku Pola() const;
    void UtworzenieKontrolek();
    void WypelnienieIzb();
    void UstawieniePrzepisu(int32_t numer);

    TcSesja& sesja_;
    QWidget* okno_;
    int32_t izba_ = -1;
    int32_t przepis_ = 0;
};
