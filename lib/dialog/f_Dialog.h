// The one small modal window behind every message of the program. Its width is fitted to
// the message: one button gives a client width of 99, two 179, three 261, and a message
// wider than the buttons widens the window and moves the buttons right by half the excess.
//
// Kinds: 0 warning (OK), 2 information (OK), 3 question (Tak, Nie), 4 question with cancel
// (Tak, Nie, Anuluj). Default-button codes: 0 Tak, 1 Nie, 2 OK, 3 Anuluj.
// Results: 1 OK, 2 Anuluj or the close box, 6 Tak, 7 Nie. Esc does nothing.
// Use the functions of mDialog.h rather than this class.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TfDialog : public QDialog {
    Q_OBJECT
public:
    TfDialog(const QString& tytul, const QString& komunikat, int rodzaj, int domyslny,
             QWidget* parent = nullptr);

    QLabel* lbKomunikat = nullptr;
    QLabel* imIkonka = nullptr;
    QPushButton* btTak = nullptr;
    QPushButton* btNie = nullptr;
    QPushButton* btAnuluj = nullptr;
    QPushButton* btOk = nullptr;

    // Result of the window when it was closed without a button.
    static constexpr int WynikZamkniecia = 2;

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
};
