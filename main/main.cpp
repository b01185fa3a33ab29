// belvastrona [DATA_DIR]: the program. The data directory (default: the current folder)
// becomes the working folder, as the dictionaries, act texts and reports are found there.
#include <QDir>
#include <QStringList>
#include <cstdio>

#include "Aplikacja.h"
#include "mDialog.h"

int main(int argc, char** argv) {
    TAplikacja aplikacja(argc, argv);
    const QStringList argumenty = TAplikacja::arguments().mid(1);
    if (!argumenty.isEmpty() && !QDir::setCurrent(argumenty.front())) {
        std::fprintf(stderr, "belvastrona: cannot change to the data directory %s\n",
                     argumenty.front().toLocal8Bit().constData());
        Ostrzezenie(TAplikacja::Tytul(), QStringLiteral("Brak folderu danych ") + argumenty.front() + QLatin1Char('.'));
        return 2;
    }
    return aplikacja.Uruchomienie();
}
