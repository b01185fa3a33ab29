// Messages and confirmations of the program. Every text the user reads in a box comes
// through these four functions; the platform's message boxes are never used.
//
//   Ostrzezenie(PLq("Błąd zapisu raportu"), PLq("Podczas zapisu raportu wystąpił błąd."));
//   if (Pytanie(PLq("Potwierdź"), PLq("Czy na pewno zakończyć pracę programu?"), 0)) ...
//   switch (PytanieZAnulowaniem(PLq("Zapisz zmiany"), ..., 3)) { case 6: case 7: case 2: }
//
// Tests answer the dialogs without showing them: mDialogTest::Wlaczenie() records every
// call and answers it from a queue (or with its default button when the queue is empty).
#pragma once

#include <QString>
#include <vector>

class QWidget;

void Informacja(const QString& tytul, const QString& tekst);
void Ostrzezenie(const QString& tytul, const QString& tekst);
// True exactly when "Tak" was pressed. Default 0 focuses "Tak", 1 "Nie"; other values act as 0.
bool Pytanie(const QString& tytul, const QString& tekst, int domyslny);
// 6 "Tak", 7 "Nie", 2 "Anuluj" or the close box. Default 0, 1 or 3; other values act as 3.
int PytanieZAnulowaniem(const QString& tytul, const QString& tekst, int domyslny);

namespace mDialogTest {

struct TWywolanie {
    int Rodzaj;        // 0 warning, 2 information, 3 question, 4 question with cancel
    int Domyslny;      // the default-button code passed to the window
    QString Tytul;
    QString Tekst;
};

// From now on no dialog is shown: calls are recorded and answered from the queue.
void Wlaczenie();
// Back to real dialogs; forgets the queue and the record.
void Wylaczenie();
bool Wlaczone();
// The next call gets this result (1, 2, 6 or 7).
void Odpowiedz(int wynik);
std::vector<TWywolanie>& Historia();

}  // namespace mDialogTest
