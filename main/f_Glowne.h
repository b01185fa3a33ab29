// TfGlowne: the main window and owner of every long-lived object of the program: the
// configuration store, the four dictionaries, the loading query and its counting copy, and
// the condition parser. The frame holds the panel `tcDane` (filled by the data part, see
// CzescDanych.h) and the column of image buttons on the right; it asks before closing and
// writes the configuration when it is destroyed.
//
//   TfGlowne okno;                 // loads the data directory (the current folder by default)
//   okno.show();                   // geometry from Belvastrona.ini
//
// Loading errors leave the constructor (EInOutError, ECorruptIndex, EBladOtwarcia): no window
// exists then and nothing is written.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "MagazynIndeksu.h"

class QAction;
class QMenu;
class TCzescDanych;
class TcKonfiguracja;
class TcParserBool;
class TcSlownikTxt;
class TcSlownikTxtAkt;
class TcSlownikTxtIzba;
class TcSlownikTxtPrzepis;
class TcZapytanie;
class TPrzyciskObrazkowy;

class TfGlowne : public QWidget {
    Q_OBJECT
public:
    explicit TfGlowne(const TOpcjeLadowania& opcje = {}, QWidget* rodzic = nullptr);
    ~TfGlowne() override;

    static constexpr int SzerokoscProjektu = 790;
    static constexpr int WysokoscProjektu = 570;
    static constexpr int KontekstPomocy = 150;

    // The panel of the query editor and the result list (anchored on all four sides).
    QWidget* tcDane = nullptr;
    QWidget* PaintBox = nullptr;   // the separator line at the left of the result list

    TPrzyciskObrazkowy* pbPomoc = nullptr;
    TPrzyciskObrazkowy* pbCzysc = nullptr;
    TPrzyciskObrazkowy* pbAktyWarunki = nullptr;
    TPrzyciskObrazkowy* pbWylaczZliczanie = nullptr;
    TPrzyciskObrazkowy* pbWlaczZliczanie = nullptr;
    TPrzyciskObrazkowy* pbSzablony = nullptr;
    TPrzyciskObrazkowy* pbRaporty = nullptr;
    TPrzyciskObrazkowy* pbInformacje = nullptr;
    TPrzyciskObrazkowy* pbKoniec = nullptr;

    QMenu* pmInformacje = nullptr;
    QAction* PomocDoProgramu = nullptr;
    QAction* InneProdukty = nullptr;
    QAction* OProgramie = nullptr;

    // The long-lived objects.
    TcKonfiguracja& Konfiguracja() { return *konfiguracja_; }
    TcSlownikTxtAkt& SlownikAktow() { return *akty_; }
    TcSlownikTxt& SlownikDzialow() { return *dzialy_; }
    TcSlownikTxtIzba& SlownikIzb() { return *izby_; }
    TcSlownikTxtPrzepis& SlownikPrzepisow() { return *przepisy_; }
    TcZapytanie& Zapytanie() { return *zapytanie_; }
    TcZapytanie& ZapytanieLiczace() { return *liczace_; }
    TcParserBool& Parser() { return *parser_; }
    TCzescDanych& Dane() { return *dane_; }

    // The data directory ("" = the current folder): dictionaries and act texts live there.
    const std::string& Katalog() const { return katalog_; }
    std::string SciezkaDanych(const std::string& nazwa) const;

    // Query state the frame sets at start: the chosen chamber (-1 none) and the current act.
    int32_t WybranaIzba = -1;
    std::string BiezacyAkt;

    // Idle-time update handlers ("...Update") of this window.
    void RejestracjaAktualizacji(std::function<void()> obsluga);

    // Handlers of the frame.
    void pbPomocClick();
    void pbInformacjeClick();
    void pbWlaczZliczanieClick();
    void pbWylaczZliczanieClick();
    void InneProduktyClick();
    void PomocDoProgramuClick();
    void OProgramieClick();

    // The maker's site.
    static QString AdresProducenta();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* obiekt, QEvent* e) override;

public:
    void setVisible(bool widoczne) override;

private:
    void UtworzenieRamki();
    void FormCreate(const TOpcjeLadowania& opcje);
    void FormShow();
    void FormDestroy();
    void PolozenieKolumny();

    std::string katalog_;
    bool pokazane_ = false;
    std::unique_ptr<TcKonfiguracja> konfiguracja_;
    std::unique_ptr<TcSlownikTxtAkt> akty_;
    std::unique_ptr<TcSlownikTxt> dzialy_;
    std::unique_ptr<TcSlownikTxtIzba> izby_;
    std::unique_ptr<TcSlownikTxtPrzepis> przepisy_;
    std::unique_ptr<TcZapytanie> zapytanie_;
    std::unique_ptr<TcZapytanie> liczace_;
    std::unique_ptr<TcParserBool> parser_;
    std::unique_ptr<TCzescDanych> dane_;
};
