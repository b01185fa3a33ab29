#include "f_NazwaRaportu.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "EditNew.h"
#include "OknoNazwy.h"
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

    const TKontrolkiNazwy k = UtworzenieKontrolekNazwy(this, "lbNazwa", PLq("&Nazwa raportu:"), "enNazwa",
                                                       DlugoscNazwyRaportu, PLq("Nazwa pod którą ma być zapisany raport"),
                                                       KontekstPomocy);
    lbNazwa = k.Etykieta;
    enNazwa = k.Pole;
    bbZatwierdz = k.Zatwierdz;
    bbAnuluj = k.Anuluj;
    bbPomoc = k.Pomoc;
    connect(enNazwa, &TEditN::OnExit, this, &TfNazwaRaportu::enNazwaExit);
    connect(bbZatwierdz, &QPushButton::clicked, this, &TfNazwaRaportu::bbZatwierdzClick);
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
