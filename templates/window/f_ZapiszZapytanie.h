// TfZapiszZapytanie: asks for the description under which the session's query (its Warunek,
// WarunekDodatkowy, Przepis and Izba, set by the main window beforehand) is appended to the
// template table as a new template. The description is trimmed when the field is left and must
// be given and free (letter case ignored); otherwise the window stays open.
//
//   TfZapiszZapytanie okno(sesja, sesja.Szablony().tb_Szablon, this);
//   okno.exec();                      // 1 once the template is appended (and current)
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TcSesja;
class TcTabelaDbf;
class TEditN;

class TfZapiszZapytanie : public QDialog {
    Q_OBJECT
public:
    static constexpr int KontekstPomocy = 170;

    TfZapiszZapytanie(TcSesja& sesja, TcTabelaDbf& tabela, QWidget* rodzic = nullptr);

    QLabel* lbOpis = nullptr;
    TEditN* enOpis = nullptr;
    QPushButton* bbZatwierdz = nullptr;
    QPushButton* bbAnuluj = nullptr;
    QPushButton* bbPomoc = nullptr;

    void bbZatwierdzClick();
    void enOpisExit();
    // False when no description is given (focus and a beep) or another template has it
    // (focus and a warning).
    bool KontrolaOpisu();

private:
    TcSesja& sesja_;
    TcTabelaDbf& tabela_;
};
