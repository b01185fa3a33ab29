#include "f_NazwaRaportu.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "EditNew.h"
#include "Pomoc.h"
#include "Tekst.h"
#include "ZapisRaportu.h"
#include "mDialog.h"

TfNazwaRaportu::TfNazwaRaportu(const std::string& raport, QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      raport_(raport) {
    setObjectName(QStringLiteral("TfNazwaRaportu"));
    setWindowTitle(PLq("Podaj nazwę raportu"));
    setFixedSize(362, 98);

    lbNazwa = new QLabel(PLq("&Nazwa raportu:"), this);
    lbNazwa->setObjectName(QStringLiteral("lbNazwa"));
    lbNazwa->move(8, 10);
    lbNazwa->adjustSize();
    enNazwa = new TEditN(this, "enNazwa");
    enNazwa->EditType = TEditN::etString;
    enNazwa->setMaxLength0(DlugoscNazwyRaportu);
    enNazwa->setGeometry(8, 28, 346, 23);
    enNazwa->setToolTip(PLq("Nazwa pod którą ma być zapisany raport"));
    lbNazwa->setBuddy(enNazwa);

    const auto przycisk = [this](QPushButton*& b, const char* nazwa, const char* napis, int x) {
        b = new QPushButton(PLq(napis), this);
        b->setObjectName(QString::fromLatin1(nazwa));
        b->setGeometry(x, 64, 90, 26);
        b->setAutoDefault(false);
    };
    przycisk(bbZatwierdz, "bbZatwierdz", "Zatwierdź", 74);
    przycisk(bbAnuluj, "bbAnuluj", "Anuluj", 170);
    przycisk(bbPomoc, "bbPomoc", "Pomoc", 264);
    bbZatwierdz->setDefault(true);

    connect(enNazwa, &TEditN::OnExit, this, &TfNazwaRaportu::enNazwaExit);
    connect(bbZatwierdz, &QPushButton::clicked, this, &TfNazwaRaportu::bbZatwierdzClick);
    connect(bbAnuluj, &QPushButton::clicked, this, &QDialog::reject);
    connect(bbPomoc, &QPushButton::clicked, this, [] { mPomoc(KontekstPomocy); });
    enNazwa->setFocus();
}

void TfNazwaRaportu::enNazwaExit() { enNazwa->setText(enNazwa->text().trimmed()); }

bool TfNazwaRaportu::KontrolaNazwy() {
    const TNazwaRaportu n = ::KontrolaNazwy(cp(enNazwa->text()));
    if (n.Pusta()) {
        enNazwa->setFocus();
        QApplication::beep();
        return false;
    }
    if (!n.Poprawna()) {
        Ostrzezenie(qs(TytulBlednejNazwy()), qs(n.Ostrzezenie));
        enNazwa->setFocus();
        return false;
    }
    return true;
}

void TfNazwaRaportu::bbZatwierdzClick() {
    // Leaving the field trims the name before it is checked.
    bbZatwierdz->setFocus();
    enNazwaExit();
    if (!KontrolaNazwy()) return;
    const TMiejsceRaportu miejsce = MiejsceRaportu(::KontrolaNazwy(cp(enNazwa->text())).Nazwa);
    if (miejsce.Istnieje) {
        const TKomunikat k = KomunikatNadpisania();
        if (!Pytanie(qs(k.Tytul), qs(k.Tekst), 0)) {
            enNazwa->setFocus();
            return;
        }
    }
    if (!ZapisanieRaportu(miejsce.Sciezka, raport_)) {
        const TKomunikat k = KomunikatBleduZapisu();
        Ostrzezenie(qs(k.Tytul), qs(k.Tekst));
        return;
    }
    Zapisany = miejsce.Sciezka;
    accept();
}
