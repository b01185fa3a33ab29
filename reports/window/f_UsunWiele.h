// TfUsunWiele: the criteria of bulk report deletion. Asks for the first and the last day of
// the range (either may stay empty: no bound) and for confirmation; closes with 1 when both
// are given. The catalogue reads the days with DzienPola.
//
//   TfUsunWiele okno(this);
//   if (okno.exec() == QDialog::Accepted) od = DzienPola(*okno.enDataOd); ...
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TEditN;

// The day of a date field as a day count from 30 December 1899; BrakDaty when it is empty.
double DzienPola(const TEditN& pole);

class TfUsunWiele : public QDialog {
    Q_OBJECT
public:
    explicit TfUsunWiele(QWidget* rodzic = nullptr);

    QLabel* lbDataOd = nullptr;
    TEditN* enDataOd = nullptr;
    QPushButton* bbKalendarzOd = nullptr;
    QLabel* lbDataDo = nullptr;
    TEditN* enDataDo = nullptr;
    QPushButton* bbKalendarzDo = nullptr;
    QPushButton* bbZatwierdz = nullptr;
    QPushButton* bbAnuluj = nullptr;
    QPushButton* bbPomoc = nullptr;

    // Leaves the date field being edited (which checks it) and closes with 1 once KontrolaDat
    // agrees.
    void bbZatwierdzClick();
    void bbKalendarzOdClick();
    void bbKalendarzDoClick();
    // False for a field whose text failed its check (it has warned already), for a first day
    // after the last (a warning, the focus on the first day) and when the question of
    // confirmation is answered "Nie".
    bool KontrolaDat();
};
