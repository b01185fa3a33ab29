// belvastrona-pomoc-sciezka PLIK_POMOCY TEMAT: prints the page the help window would open for
// the topic (the lookup of lib/dialog/Pomoc.cpp), or nothing with exit status 1. The install
// test copies it beside the installed programs and into folders laid out like a build folder, so
// that the lookup is seen from where the program itself runs.
#include <QCoreApplication>
#include <QString>
#include <cstdio>

#include "Pomoc.h"

int main(int argc, char** argv) {
    QCoreApplication aplikacja(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: belvastrona-pomoc-sciezka HELP_FILE TOPIC\n");
        return 64;
    }
    const QString sciezka = mSciezkaTematu(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]).toInt());
    if (sciezka.isEmpty()) return 1;
    std::printf("%s\n", sciezka.toLocal8Bit().constData());
    return 0;
}
