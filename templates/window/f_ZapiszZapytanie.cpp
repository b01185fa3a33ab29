#include "f_ZapiszZapytanie.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "EditNew.h"
#include "OknoNazwy.h"
#include "Pomoc.h"
#include "Sesja.h"
#include "TabelaDbf.h"
#include "Tekst.h"
#include "Zapytanie.h"
#include "d_Szablon.h"
#include "mDialog.h"

TfZapiszZapytanie::TfZapiszZapytanie(TcSesja& sesja, TcTabelaDbf& tabela, QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      sesja_(sesja), tabela_(tabela) {
    setObjectName(QStringLiteral("TfZapiszZapytanie"));
    setWindowTitle(PLq("Zapis zapytania do nowego szablonu"));

    const TKontrolkiNazwy k =
        UtworzenieKontrolekNazwy(this, "lbOpis", PLq("&Opis szablonu:"), "enOpis", DlugoscOpisuSzablonu,
                                 PLq("Opis nowego szablonu do którego ma być zapisane zapytanie"), KontekstPomocy);
    lbOpis = k.Etykieta;
    enOpis = k.Pole;
    bbZatwierdz = k.Zatwierdz;
    bbAnuluj = k.Anuluj;
    bbPomoc = k.Pomoc;
    connect(enOpis, &TEditN::OnExit, this, &TfZapiszZapytanie::enOpisExit);
    connect(bbZatwierdz, &QPushButton::clicked, this, &TfZapiszZapytanie::bbZatwierdzClick);
}

void TfZapiszZapytanie::enOpisExit() {
    const QString t = enOpis->text().trimmed();
    if (t != enOpis->text()) enOpis->setText(t);
}

bool TfZapiszZapytanie::KontrolaOpisu() {
    const QString opis = enOpis->text();
    if (opis.isEmpty()) {
        enOpis->setFocus();
        QApplication::beep();
        return false;
    }
    if (!UnikalnyOpis(tabela_, cp(opis), 1)) {
        enOpis->setFocus();
        Ostrzezenie(PLq("Duplikacja opisu"), PLq("Istnieje już szablon o podanym opisie."));
        return false;
    }
    return true;
}

void TfZapiszZapytanie::bbZatwierdzClick() {
    // Leaving the description trims it before the check.
    bbZatwierdz->setFocus();
    enOpisExit();
    if (!KontrolaOpisu()) return;
    const TcZapytanie& q = sesja_.Zapytanie();
    const int32_t id = AutoInkrementacja(tabela_);
    tabela_.Dopisanie();
    try {
        tabela_.ZapisanieLiczby("ID_SZABL", id);
        tabela_.ZapisaniePola("OPIS", cp(enOpis->text()));
        tabela_.ZapisanieLiczby("ID_PRZEP", q.Przepis > 0 ? q.Przepis : 0);
        tabela_.ZapisanieLiczby("ID_IZBY", q.Izba > 0 ? q.Izba : 0);   // the editor's "no chamber" is -1
        tabela_.ZapisaniePola("WARUNEK", q.Warunek);
        tabela_.ZapisaniePola("WARUN_DOD", q.WarunekDodatkowy);
        tabela_.Zatwierdzenie();
    } catch (...) {
        // The table is shared by every template window: it must not stay half changed.
        tabela_.Anulowanie();
        throw;
    }
    accept();
}
