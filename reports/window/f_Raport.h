// TfRaport: the report viewer. Shows one saved report without touching the main window's
// result: its documents 50 a page with their entry dates and the beginning of their texts
// (530 characters, wrapped at 90, every row six lines high), the report's condition, chamber
// and provision above page 0, and a chosen document in the browser with the report's phrases
// marked. It reads documents through the session's query and changes nothing in it.
//
//   TfRaport okno(sesja, this);
//   okno.Raport = bytes of "Raporty/x.rap";       // Windows-1250, as read
//   okno.Plik = "Raporty/x.rap";                  // names the file in messages
//   okno.setWindowTitle("Raport - x");
//   okno.exec();    // a text that is not a report: a warning naming it, nothing shown, result 2
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QToolButton;
class TListaZaznaczen;
class TPrzyciskObrazkowy;
class TcSesja;

class TfRaport : public QDialog {
    Q_OBJECT
public:
    static constexpr int KontekstPomocy = 160;

    explicit TfRaport(TcSesja& sesja, QWidget* rodzic = nullptr);
    ~TfRaport() override;

    // Set by the caller before exec().
    std::string Raport;   // the report file's text
    std::string Plik;     // its name for messages (Windows-1250)

    // Reads the report (a refused text: the warning, result 2 without showing), then lists
    // page 0 and runs the window.
    int exec() override;

    void PokazanieStrony();
    void acPokazExecute();
    void acPokazUpdate();
    void AktualizacjaAkcji();   // the paging actions' update handlers
    void acPierwszyExecute();
    void acPoprzedniExecute();
    void acNastepnyExecute();
    void acOstatniExecute();

    // Rows of the list: 90 characters a line, the first 530 characters of a text, six lines.
    static constexpr int ZnakowLinii = 90;
    static constexpr int DlugoscTekstu = 530;
    static constexpr int LiniiWiersza = 6;

    // The window's state, as listed.
    int32_t LiczbaDokumentow = 0;
    int32_t BiezacaStrona = 0;
    int32_t OstatniaStrona = 0;
    std::string LiniaWarunku, LiniaPrzepisu, LiniaIzby;
    std::string WarunekWyroznienia;
    std::vector<int32_t> Dokumenty;   // the report's documents in report order

    QLabel* lbRaport = nullptr;
    TListaZaznaczen* clvRaport = nullptr;
    QAction* acPierwszy = nullptr;
    QAction* acPoprzedni = nullptr;
    QAction* acNastepny = nullptr;
    QAction* acOstatni = nullptr;
    QAction* acPokaz = nullptr;
    QToolButton* sbPierwszy = nullptr;
    QToolButton* sbPoprzedni = nullptr;
    QToolButton* sbNastepny = nullptr;
    QToolButton* sbOstatni = nullptr;
    TPrzyciskObrazkowy* pbPokaz = nullptr;
    TPrzyciskObrazkowy* pbPomoc = nullptr;
    TPrzyciskObrazkowy* pbZamknij = nullptr;

protected:
    void reject() override;   // the close box and Esc close as pbZamknij does

private:
    void Strona(int32_t strona);

    TcSesja& sesja_;
    bool listowanie_ = false;
};
