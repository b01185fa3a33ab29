#include "OknoNazwy.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "EditNew.h"
#include "Pomoc.h"
#include "Tekst.h"

TKontrolkiNazwy UtworzenieKontrolekNazwy(QDialog* okno, const char* nazwaEtykiety, const QString& etykieta,
                                         const char* nazwaPola, int dlugosc, const QString& podpowiedz,
                                         int kontekstPomocy) {
    okno->setFixedSize(362, 98);
    TKontrolkiNazwy k;
    k.Etykieta = new QLabel(etykieta, okno);
    k.Etykieta->setObjectName(QString::fromLatin1(nazwaEtykiety));
    k.Etykieta->move(8, 10);
    k.Etykieta->adjustSize();
    k.Pole = new TEditN(okno, nazwaPola);
    k.Pole->EditType = TEditN::etString;
    k.Pole->setMaxLength0(dlugosc);
    k.Pole->setGeometry(8, 28, 346, 23);
    k.Pole->setToolTip(podpowiedz);
    k.Etykieta->setBuddy(k.Pole);

    const auto przycisk = [okno](const char* nazwa, const char* napis, int x) {
        auto* b = new QPushButton(PLq(napis), okno);
        b->setObjectName(QString::fromLatin1(nazwa));
        b->setGeometry(x, 64, 90, 26);
        b->setAutoDefault(false);
        return b;
    };
    k.Zatwierdz = przycisk("bbZatwierdz", "Zatwierdź", 74);
    k.Anuluj = przycisk("bbAnuluj", "Anuluj", 170);
    k.Pomoc = przycisk("bbPomoc", "Pomoc", 264);
    k.Zatwierdz->setDefault(true);
    QObject::connect(k.Anuluj, &QPushButton::clicked, okno, &QDialog::reject);
    QObject::connect(k.Pomoc, &QPushButton::clicked, okno, [kontekstPomocy] { mPomoc(kontekstPomocy); });
    k.Pole->setFocus();
    return k;
}
