// TfNazwaRaportu: asks for the name under which the main window's result is saved and writes
// the report. The name is trimmed when the field is left and checked by KontrolaNazwy; an
// existing report of that name (letter case ignored) is overwritten only after a question;
// a failed save says so and keeps the window open, so the user can change the name or cancel.
//
//   TfNazwaRaportu okno(zapytanie.Raport, this);   // the composed report text
//   okno.exec();                                   // 1 once the report is saved
#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QPushButton;
class TEditN;

class TfNazwaRaportu : public QDialog {
    Q_OBJECT
public:
    static constexpr int KontekstPomocy = 160;

    // `raport` is written exactly as given; it must outlive the window.
    explicit TfNazwaRaportu(const std::string& raport, QWidget* rodzic = nullptr);

    QLabel* lbNazwa = nullptr;
    TEditN* enNazwa = nullptr;
    QPushButton* bbZatwierdz = nullptr;
    QPushButton* bbAnuluj = nullptr;
    QPushButton* bbPomoc = nullptr;

    void bbZatwierdzClick();
    void enNazwaExit();
    // False when no name is entered (focus on the name and a beep) or the name is refused
    // (a warning naming the reason, focus on the name).
    bool KontrolaNazwy();

    // The file written by the last successful save (Windows-1250 path), for the caller.
    std::string Zapisany;

private:
    const std::string& raport_;
};
