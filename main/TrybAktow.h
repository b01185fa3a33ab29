// The act reader: the left part of the main window in acts mode. The act's text with its
// formatting across the top of the panel (reAkt), the act list, and five phrase buttons that
// offer the phrases the act's phrase index holds at the caret, one to five words long, each
// with the count of documents citing the act that contain it. Find in the act text (Ctrl+F,
// F5) goes through the session's finder.
//
//   TcTrybAktow akty(tcDane, pnWarunki, sesja, okno);   // the first act chosen, its phrase index loaded
//   akty.Ustawienie(true);                              // shown; the caret is watched every 100 ms
//   akty.UzupelnienieParametrow(p);                     // act and phrases into the query parameters
//
// The main window moves its other controls; this part shows and hides only its own.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "ParametryZapytania.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QTimer;
class QWidget;
class TcSesja;

class TcTrybAktow : public QObject {
    Q_OBJECT
public:
    static constexpr int WysokoscTekstu = 200;   // reAkt
    static constexpr int Przesuniecie = 208;     // how far the result list moves down

    // `panel` holds reAkt across its width, `kolumna` the other controls (below reAkt). Fills
    // cxAkt from the acts dictionary and chooses the first act, loading its phrase index.
    TcTrybAktow(QWidget* panel, QWidget* kolumna, TcSesja& sesja, QWidget* okno);

    bool Wlaczony() const { return wlaczony_; }
    // Shows or hides the part, starts or stops the timer. Entering loads the act text the
    // first time and resets the candidates, so that the first tick fills the phrase buttons.
    void Ustawienie(bool wlaczony);
    // reAkt across the panel's width.
    void Polozenie();

    // The act chosen in cxAkt (its number in the acts dictionary, 0 for none) and the caption
    // of the chosen phrase button ("" for none).
    int32_t NumerAktu() const;
    QString WybranaFraza() const;
    void UzupelnienieParametrow(TParametryZapytania& p) const;
    QLabel* EtykietaLiczby(TPoleLiczby pole) const;

    // Handlers.
    void cxAktChange();
    void TimerTimer();
    void UstawienieFraz();
    void bbZnajdzClick();
    // Finds the finder's text from the caret (or after the last match when continuing).
    void SzukanieTekstu(bool kontynuacja);

    // The act whose text and phrase index are shown (file stem, "" when there are no acts).
    std::string BiezacyAkt;
    // The last phrase lookup at the caret.
    std::string Kandydaci = KandydaciNieznani;

    QTextEdit* reAkt = nullptr;
    QLabel* lbAkt = nullptr;
    QComboBox* cxAkt = nullptr;
    QGroupBox* gbSzukanaFraza = nullptr;
    std::array<QRadioButton*, LiczbaFraz> rbFraza{};
    std::array<QLabel*, 1 + LiczbaFraz> lbLiczba{};   // lbLiczba7 (the act), lbLiczba8..12
    QCheckBox* cbPrzeniesienieWarunku = nullptr;
    QPushButton* bbZnajdz = nullptr;
    QTimer* Timer = nullptr;

signals:
    void ZliczanieWszystkich();

private:
    void UtworzenieKontrolek(QWidget* panel, QWidget* kolumna);
    // Loads the act's text into reAkt; false (with a warning naming the file) when it cannot be read.
    bool WczytanieTekstu(const std::string& stem);
    int WybranyPrzycisk() const;

    TcSesja& sesja_;
    QWidget* okno_;
    QWidget* panel_;
    bool wlaczony_ = false;
    bool tekstWczytany_ = false;
    int indeksAktu_ = -1;   // the cxAkt item shown in reAkt
};
