// The small window that asks for one name or description: a label over a typed edit field and,
// below them, "Zatwierdź" (the default button), "Anuluj" (closes with cancel) and "Pomoc"
// (the window's help topic). 362 by 98 pixels, focus in the field. The window connects
// "Zatwierdź" and the field's exit itself.
//
//   const TKontrolkiNazwy k = UtworzenieKontrolekNazwy(this, "lbNazwa", PLq("&Nazwa raportu:"),
//                                                       "enNazwa", 100, PLq("Nazwa ..."), 140);
#pragma once

#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class TEditN;

struct TKontrolkiNazwy {
    QLabel* Etykieta = nullptr;
    TEditN* Pole = nullptr;
    QPushButton* Zatwierdz = nullptr;
    QPushButton* Anuluj = nullptr;
    QPushButton* Pomoc = nullptr;
};

TKontrolkiNazwy UtworzenieKontrolekNazwy(QDialog* okno, const char* nazwaEtykiety, const QString& etykieta,
                                         const char* nazwaPola, int dlugosc, const QString& podpowiedz,
                                         int kontekstPomocy);
