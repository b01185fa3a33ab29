// belvastrona [DATA_DIR]: the program. The data directory (default: the current folder, or, when
// that holds no index, the sample corpus installed beside the program) holds the index, the
// dictionaries and the act texts. The working folder, where reports, templates, "tmp.htm" and
// mail attachments are written, is the data directory when it can be written, otherwise the
// user's own folder (KatalogRoboczy.h); the program runs in it.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <exception>

#include "Aplikacja.h"
#include "KatalogRoboczy.h"
#include "mDialog.h"

namespace {

// No folder given and none here: the sample corpus of an installed copy, if there is one.
QString DomyslnyKatalogDanych() {
    if (QFileInfo::exists(QStringLiteral("plik.dat"))) return QDir::currentPath();
    const QString zainstalowany = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/belvastrona/dane");
    if (QFileInfo::exists(zainstalowany + QStringLiteral("/plik.dat"))) return QDir::cleanPath(zainstalowany);
    return QDir::currentPath();
}

}  // namespace

int main(int argc, char** argv) {
    TAplikacja aplikacja(argc, argv);
    const QStringList argumenty = TAplikacja::arguments().mid(1);
    const QString dane = argumenty.isEmpty() ? DomyslnyKatalogDanych() : QFileInfo(argumenty.front()).absoluteFilePath();
    if (!QFileInfo(dane).isDir()) {
        std::fprintf(stderr, "belvastrona: cannot change to the data directory %s\n", dane.toLocal8Bit().constData());
        Ostrzezenie(TAplikacja::Tytul(), QStringLiteral("Brak folderu danych ") + dane + QLatin1Char('.'));
        return 2;
    }
    TOpcjeLadowania opcje;
    opcje.Katalog = QFile::encodeName(dane).toStdString();
    try {
        const TKatalogRoboczy roboczy = KatalogRoboczy(opcje.Katalog);
        if (!QDir::setCurrent(QFile::decodeName(QByteArray::fromStdString(roboczy.Sciezka)))) {
            std::fprintf(stderr, "belvastrona: cannot change to the working folder %s\n", roboczy.Sciezka.c_str());
            Ostrzezenie(TAplikacja::Tytul(), QStringLiteral("Brak folderu roboczego ") +
                                                 QFile::decodeName(QByteArray::fromStdString(roboczy.Sciezka)) + QLatin1Char('.'));
            return 2;
        }
    } catch (const std::exception& b) {
        TAplikacja::PokazanieBledu(b);
        return 2;
    }
    return aplikacja.Uruchomienie(opcje);
}
