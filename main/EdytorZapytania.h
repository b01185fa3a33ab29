// The query editor: the left column of the main window in conditions mode. Four word fields
// joined by three operator buttons, the chamber, the provision, the additional condition, the
// three document-kind switches and the switch restricting a search to the current report.
//
// The operations on words, operators and the provision take the window whose controls they
// work on and find them by name (enSlowo1..4, btOperator1..3, mePrzepis), so the template
// editor uses them on its own controls:
//
//   std::string w = edytor.PrzygotowanieWarunku(okno);     // « "podatek" AND_NOT "VAT*"»
//   edytor.OdczytanieWarunku(w, okno);                      // back into the fields
//
// Counting beside the fields is the search part's (TcWyszukiwanie); the editor calls it on the
// events that trigger it.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QWidget;
class TcParserBool;
class TcSlownikTxt;
class TcSlownikTxtAkt;
class TcSlownikTxtIzba;
class TcSlownikTxtPrzepis;
class TcWyszukiwanie;
class TcZapytanie;

// The long-lived objects of the main window that its parts use; the window owns them.
struct TObiektyGlowne {
    TcZapytanie* Zapytanie = nullptr;        // runs the user's searches, owns the index store
    TcZapytanie* Zliczajace = nullptr;       // the counting copy
    TcParserBool* Parser = nullptr;
    const TcSlownikTxt* Dzialy = nullptr;
    const TcSlownikTxtIzba* Izby = nullptr;
    const TcSlownikTxtPrzepis* Przepisy = nullptr;
    const TcSlownikTxtAkt* Akty = nullptr;
    bool* Zliczanie = nullptr;               // live counting on (the configuration's switch)
    int32_t* Izba = nullptr;                 // the chosen chamber, -1 for none
    std::function<bool()> TrybAktow;         // acts mode is on show; unset: never
    QWidget* Okno = nullptr;                 // the main window (owner of dialogs)
};

class TcEdytorZapytania : public QObject {
    Q_OBJECT
public:
    // Builds the editor's controls into `kolumna`.
    TcEdytorZapytania(QWidget* kolumna, TObiektyGlowne& obiekty);

    void Polaczenie(TcWyszukiwanie* wyszukiwanie) { wyszukiwanie_ = wyszukiwanie; }

    // ---- Operations on any query window ----
    std::string PrzygotowanieWarunku(QWidget& okno) const;
    // False when the load was abandoned (an OR_NOT in the string): the caller stops there.
    bool OdczytanieWarunku(const std::string& warunek, QWidget& okno);
    static void NastepnyOperator(QPushButton* przycisk);
    // True when a provision was chosen (the window closed with OK).
    bool UstawieniePrzepisu(QPlainTextEdit* memo);
    static void SkasowaniePrzepisu(QPlainTextEdit* memo);
    // The provision number in a provision memo's tag, 0 for none.
    static int32_t NumerPrzepisu(const QPlainTextEdit* memo);
    static void UstawienieNumeruPrzepisu(QPlainTextEdit* memo, int32_t numer);

    // ---- The main window's own editor ----
    void CzyszczenieWarunkow();
    void ObciecieSpacji(QLineEdit* pole);
    // True when the typed character is refused (a double quote, with a beep).
    static bool KontrolaWprowadzonegoZnaku(QLineEdit& pole, QChar znak);

    // The chosen chamber, -1 for none (all chambers).
    int32_t Izba() const { return obiekty_.Izba ? *obiekty_.Izba : izba_; }
    void UstawienieIzby(int32_t numer) { (obiekty_.Izba ? *obiekty_.Izba : izba_) = numer; }
    int32_t Przepis() const;                 // chosen provision, 0 for none
    // Sets the provision of the main window's editor (a loaded template); 0 empties it.
    void UstawieniePrzepisuWgNumeru(int32_t numer);
    // Selects a chamber by number (-1 or an unknown number: "Wszystkie izby skarbowe").
    void UstawienieIzbyWgNumeru(int32_t numer);

    // Handlers.
    void btOperatorClick(int n);
    void cxIzbaChange();
    void bbPrzepisClick();
    void acUsunieciePrzepisuExecute();
    void acUsunieciePrzepisuUpdate();
    void meWarunekDodatkowyExit();
    void bbCzyscWarunkiClick() { CzyszczenieWarunkow(); }
    void PrzelacznikClick();                 // any of the four switches

    // The controls.
    QWidget* Kolumna = nullptr;
    QLabel* lbWarunek = nullptr;
    std::array<QLineEdit*, 4> enSlowo{};
    std::array<QPushButton*, 3> btOperator{};
    std::array<QLabel*, 6> lbLiczba{};
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
    QPushButton* bbSzukaj = nullptr;
    QPushButton* bbCzyscWarunki = nullptr;
    QPushButton* bbZapisz = nullptr;
    QPushButton* bbOdczytaj = nullptr;

    static constexpr int DlugoscWarunkuDodatkowego = 500;

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;

private:
    void UtworzenieKontrolek();
    void Zliczanie(QWidget* kontrolka);
    void ZliczanieWszystkich();

    TObiektyGlowne& obiekty_;
    TcWyszukiwanie* wyszukiwanie_ = nullptr;
    int32_t izba_ = -1;
};
