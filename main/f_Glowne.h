// TfGlowne: the main window. It creates the session (the long-lived objects below the windows:
// configuration, dictionaries, the loading query and its counting copy, the parser) and the
// window's parts, each given the session: the query editor and the result list in the panel
// `tcDane`, the search run with its live counts, and showing a document; the column of image
// buttons stands on the right. It asks before closing; when destroyed it releases the parts,
// then the session's objects, and writes the configuration last.
//
//   TfGlowne okno;                 // loads the data directory (the current folder by default)
//   okno.show();                   // geometry from Belvastrona.ini
//
// Loading errors leave the constructor (EInOutError, ECorruptIndex, EBladOtwarcia, a template
// table that cannot be opened or made): no window exists then and nothing is written.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "MagazynIndeksu.h"

class QAction;
class QMenu;
class QShortcut;
class QToolButton;
class TcEdytorZapytania;
class TcListaWynikow;
class TcPokazanie;
class TcSesja;
class TcTrybAktow;
class TcWyszukiwanie;
class TPrzyciskObrazkowy;

class TfGlowne : public QWidget {
    Q_OBJECT
public:
    explicit TfGlowne(const TOpcjeLadowania& opcje = {}, QWidget* rodzic = nullptr);
    ~TfGlowne() override;

    static constexpr int SzerokoscProjektu = 790;
    static constexpr int WysokoscProjektu = 570;
    static constexpr int KontekstPomocy = 150;

    // The panel of the query editor and the result list (anchored on all four sides), and its
    // two columns: the editor on the left of the separator, the result list on the right.
    QWidget* tcDane = nullptr;
    QWidget* PaintBox = nullptr;   // the separator line at the left of the result list
    QWidget* pnWarunki = nullptr;
    QWidget* pnRaport = nullptr;

    TPrzyciskObrazkowy* pbPomoc = nullptr;
    TPrzyciskObrazkowy* pbCzysc = nullptr;
    TPrzyciskObrazkowy* pbAktyWarunki = nullptr;
    TPrzyciskObrazkowy* pbWylaczZliczanie = nullptr;
    TPrzyciskObrazkowy* pbWlaczZliczanie = nullptr;
    TPrzyciskObrazkowy* pbSzablony = nullptr;
    TPrzyciskObrazkowy* pbRaporty = nullptr;
    TPrzyciskObrazkowy* pbInformacje = nullptr;
    TPrzyciskObrazkowy* pbKoniec = nullptr;

    // Under the result list, beside "Pokaż".
    QAction* acWyslij = nullptr;
    QToolButton* bbWyslij = nullptr;
    QToolButton* bbZapiszRaport = nullptr;
    QToolButton* bbOdczytajRaport = nullptr;

    QMenu* pmInformacje = nullptr;
    QAction* PomocDoProgramu = nullptr;
    QAction* InneProdukty = nullptr;
    QAction* OProgramie = nullptr;

    TcSesja& Sesja() { return *sesja_; }
    TcEdytorZapytania& Edytor() { return *edytor_; }
    TcListaWynikow& Lista() { return *lista_; }
    TcPokazanie& Pokazanie() { return *pokazanie_; }
    TcWyszukiwanie& Wyszukiwanie() { return *wyszukiwanie_; }
    TcTrybAktow& Akty() { return *akty_; }

    // Handlers of the frame.
    void pbPomocClick();
    void pbCzyscClick();
    void pbInformacjeClick();
    void pbWlaczZliczanieClick();
    void pbWylaczZliczanieClick();
    void InneProduktyClick();
    void PomocDoProgramuClick();
    void OProgramieClick();
    void pbRaportyClick();
    // Saving the checked documents of the result as a report, and making a saved report the
    // result (the next search may then be restricted to its documents).
    void bbZapiszRaportClick();
    void bbOdczytajRaportClick();
    void pbSzablonyClick();
    // Mailing the checked documents of the result (all pages), at most 10.
    void acWyslijExecute();
    void acWyslijUpdate();
    // Acts mode on or off: the query editor gives its place to the act reader and the result
    // list moves down below the act text, or the reverse; leaving with "Przeniesienie zapytania
    // do trybu warunki" on carries the act and the chosen phrase into the query editor.
    void pbAktyWarunkiClick();
    // The query being edited stored as a new template, and a template loaded into the editor.
    void bbZapiszClick();
    void bbOdczytajClick();

    // The maker's site.
    static QString AdresProducenta();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

public:
    void setVisible(bool widoczne) override;

private:
    void UtworzenieRamki();
    void UtworzenieCzesci();
    void FormShow();
    void FormDestroy();
    void PolozenieKolumny();

    bool pokazane_ = false;
    std::unique_ptr<TcSesja> sesja_;
    // The parts are children of their columns; the columns go before the session.
    TcEdytorZapytania* edytor_ = nullptr;
    TcListaWynikow* lista_ = nullptr;
    TcPokazanie* pokazanie_ = nullptr;
    TcWyszukiwanie* wyszukiwanie_ = nullptr;
    TcTrybAktow* akty_ = nullptr;
    // The query editor's controls that give way to the act reader.
    std::vector<QWidget*> kontrolkiWarunkow_;
    QShortcut* skrotZnajdz_ = nullptr;
    QShortcut* skrotNastepny_ = nullptr;
};
