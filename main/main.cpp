// belvastrona [DATA_DIR]: the program. The data directory (default: the current folder)
// becomes the working folder, as the dictionaries, act texts and reports are found there.
#include <QDir>
#include <QStringList>
#include <cstdio>

#include "Aplikacja.h"
#include "ZrzutyEkranu.h"
#include "mDialog.h"

int main(int argc, char** argv) {
    TAplikacja aplikacja(argc, argv);
    QStringList argumenty = TAplikacja::arguments().mid(1);

    QString zrzuty;   // --zrzuty-ekranu OUTDIR: the windows as PNG files (tools/screenshots)
    if (argumenty.size() >= 2 && argumenty.front() == QStringLiteral("--zrzuty-ekranu")) {
        zrzuty = argumenty.at(1);
        argumenty = argumenty.mid(2);
        zrzuty = QDir(zrzuty).absolutePath();
    }
    if (!argumenty.isEmpty() && !QDir::setCurrent(argumenty.front())) {
        std::fprintf(stderr, "belvastrona: cannot change to the data directory %s\n",
                     argumenty.front().toLocal8Bit().constData());
        Ostrzezenie(TAplikacja::Tytul(), QStringLiteral("Brak folderu danych ") + argumenty.front() + QLatin1Char('.'));
        return 2;
    }
    if (!zrzuty.isEmpty()) return ZrzutyEkranu(zrzuty);
    return aplikacja.Uruchomienie();
}
