// TfZnajdz: asks for the text to find in the act reader ("Podaj szukany tekst") and whether
// only whole words count. "Zatwierdź" with a text hands both to the finder, runs the find
// from the caret and closes; an empty text beeps and keeps the window open.
//
//   TfZnajdz okno(sesja.Znajdowanie(), [&] { akty.SzukanieTekstu(false); }, this);
//   okno.exec();
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class TcZnajdowanie;
class TEditN;

class TfZnajdz : public QDialog {
    Q_OBJECT
public:
    static constexpr int KontekstPomocy = 160;
    static constexpr int DlugoscTekstu = 40;

    TfZnajdz(TcZnajdowanie& znajdowanie, std::function<void()> szukanie, QWidget* rodzic = nullptr);

    QLabel* lbSzukanyTekst = nullptr;
    TEditN* enSzukanyTekst = nullptr;
    QCheckBox* cbCaleWyrazy = nullptr;
    QLabel* lbNastepny = nullptr;
    QPushButton* bbZatwierdz = nullptr;
    QPushButton* bbAnuluj = nullptr;
    QPushButton* bbPomoc = nullptr;

    void enSzukanyTekstExit();
    void bbZatwierdzClick();
    // False (focus, beep) when no text is given.
    bool KontrolaTekstu();

private:
    TcZnajdowanie& znajdowanie_;
    std::function<void()> szukanie_;
};
