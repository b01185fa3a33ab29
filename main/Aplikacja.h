// The application object: the program's look (font, style, icon), its help file and title,
// and the default error handler. An error that escapes an event handler (a file that could
// not be read, "Nieoczekiwany błąd: ..." of an internal check) is shown with Ostrzezenie and
// the operation it interrupted is abandoned; the windows stay usable.
#pragma once

#include <QApplication>
#include <exception>

#include "MagazynIndeksu.h"

class TAplikacja : public QApplication {
    Q_OBJECT
public:
    TAplikacja(int& argc, char** argv);

    bool notify(QObject* odbiorca, QEvent* e) override;

    static QString Tytul() { return QStringLiteral("Belvastrona"); }
    static QString PlikPomocy() { return QStringLiteral("Belvastrona.HLP"); }

    // The default error handler's message.
    static void PokazanieBledu(const std::exception& blad);

    // Creates the main window over the data directory and runs the message loop until it
    // closes. A directory that cannot be loaded shows its error and gives 1; no window opens.
    int Uruchomienie(const TOpcjeLadowania& opcje = {});
};
