#include "b_UsunWiele.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <cstdio>

#include "Bledy.h"
#include "Tekst.h"
#include "bPlik.h"
#include "cp1250.h"
#include "mDialog.h"

std::string SciezkaRaportu(const std::string& nazwaPliku) { return std::string(KatalogRaportow) + "/" + nazwaPliku; }

bool UsuniecieRaportu(const std::string& nazwaPliku) { return std::remove(SciezkaRaportu(nazwaPliku).c_str()) == 0; }

namespace {

// Whole days at both ends, as TcListPlik::ZliczenieWZakresie counts them.
bool WZakresie(double data, double od, double do_) {
    return (od == BrakDaty || std::trunc(od) <= data) && (do_ == BrakDaty || std::trunc(data) <= do_);
}

QString NapisLiczby(int32_t liczba) { return PLq("Liczba usuniętych: %1").arg(liczba); }

}  // namespace

TbUsunWiele::TbUsunWiele(TcListPlikRaportu& lista, double dataOd, double dataDo, int32_t liczbaDoUsuniecia,
                         QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      lista_(lista),
      dataOd_(dataOd),
      dataDo_(dataDo) {
    setObjectName(QStringLiteral("TbUsunWiele"));
    setWindowTitle(PLq("Usuwanie raportów"));
    setFixedSize(300, 104);

    lbLiczbaUsunietych = new QLabel(NapisLiczby(0), this);
    lbLiczbaUsunietych->setObjectName(QStringLiteral("lbLiczbaUsunietych"));
    {
        QFont f = lbLiczbaUsunietych->font();
        f.setBold(true);
        lbLiczbaUsunietych->setFont(f);
    }
    lbLiczbaUsunietych->setGeometry(8, 10, 284, lbLiczbaUsunietych->sizeHint().height());

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(8, 34, 284, 18);
    ProgressBar->setTextVisible(false);
    ProgressBar->setRange(0, liczbaDoUsuniecia);
    ProgressBar->setValue(0);

    bbAnuluj = new QPushButton(QStringLiteral("Przerwij"), this);
    bbAnuluj->setObjectName(QStringLiteral("bbAnuluj"));
    bbAnuluj->setGeometry((300 - 90) / 2, 68, 90, 26);
    bbAnuluj->setAutoDefault(false);
    connect(bbAnuluj, &QPushButton::clicked, this, &TbUsunWiele::reject);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(OdstepTimera);
    connect(Timer, &QTimer::timeout, this, &TbUsunWiele::TimerTimer);

    if (QScreen* ekran = QGuiApplication::primaryScreen()) {
        const QRect r = ekran->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
    Timer->start();
}

void TbUsunWiele::TimerTimer() {
    Timer->stop();
    int wykonane = 0;
    bool koniec = false;
    while (Indeks < lista_.Liczba() && wykonane < NaTakt && !koniec) {
        const TrPlikRaportu& p = lista_.PlikRaportu(Indeks);
        if (WZakresie(p.Data, dataOd_, dataDo_)) {
            if (UsuniecieRaportu(p.Nazwa)) {
                ++LiczbaUsunietych;
                RozmiarUsunietych += p.Rozmiar;
                const std::string nazwa = p.Nazwa;   // the entry goes with the next line
                if (!lista_.UsunieciePliku(nazwa)) {
                    done(1);
                    mBladWewnetrznyTekst(PL(u8"Nieoczekiwany błąd: TbUsunWiele.TimerTimer.1.\r") +
                                         TekstNazwyPliku(nazwa) + "\r");
                }
                --Indeks;   // the next entry has moved into this place
                ProgressBar->setValue(ProgressBar->value() + 1);
                lbLiczbaUsunietych->setText(NapisLiczby(LiczbaUsunietych));
            } else {
                koniec = !Pytanie(PLq("Błąd usuwania"),
                                  PLq("Nie udało się usunąć raportu ") + qs(p.NazwaRaportu) +
                                      PLq(".\rCzy kontynuować usuwanie?"),
                                  0);
            }
            ++wykonane;
        }
        ++Indeks;
    }
    if (Indeks >= lista_.Liczba() || koniec) done(1);
    else Timer->start();
}

void TbUsunWiele::done(int wynik) {
    Timer->stop();
    QDialog::done(wynik);
}

void TbUsunWiele::reject() { done(2); }
