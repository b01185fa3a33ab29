// The word fields and operator buttons of a standard condition, as the main window's query
// editor and the template editor both show them: four fields joined by three buttons
// captioned "I", "LUB", "I NIE" (and "LUB NIE" when a stored string has one).
//
//   TPolaWarunku pola{{e1, e2, e3, e4}, {b1, b2, b3}};
//   std::string w = pola.Warunek();          // « "podatek" AND_NOT "VAT*"»
//   pola.Wczytanie(w);                       // back into the fields, with the load's warnings
//   TPolaWarunku::NastepnyOperator(b1);      // I -> LUB -> I NIE -> I
#pragma once

#include <QChar>
#include <array>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

struct TPolaWarunku {
    std::array<QLineEdit*, 4> Slowa;
    std::array<QPushButton*, 3> Operatory;

    // The standard condition string of the fields and captions (Windows-1250), words as typed.
    std::string Warunek() const;
    // Fills the fields and captions from a stored string (the fields it does not reach are
    // emptied, their buttons read "I"). A fifth word is dropped with the warning
    // "Pominięcie ostatniego warunku"; an OR_NOT stops the load with the warning
    // "Niemożliwe pobranie całego zapytania" and gives false, what came before it filled.
    bool Wczytanie(const std::string& warunek) const;
    // A clicked operator button takes its next caption.
    static void NastepnyOperator(QPushButton* przycisk);
    // True (with a beep) for a character a word field refuses: the double quote, which would
    // end the word inside the condition string.
    static bool ZnakOdrzucony(QChar znak);
};

// The provision memo of both editors: read-only, never focused, on its beige ground.
QPlainTextEdit* NowePolePrzepisu(QWidget* rodzic, int x, int y, int szerokosc, int wysokosc);

// The additional condition's memo as both editors show it: a vertical scroll bar, Tab leaves
// it, its hint, and at most `dlugosc` characters (what goes over is cut off at the end).
void PrzygotowanieWarunkuDodatkowego(QPlainTextEdit* memo, int dlugosc);
