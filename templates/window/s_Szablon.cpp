#include "s_Szablon.h"

#include <QAction>

#include "Bezczynnosc.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "TabelaDbf.h"
#include "Tekst.h"
#include "Zapytanie.h"
#include "d_Szablon.h"

TsSzablon::TsSzablon(TcSesja& sesja, TcTabelaDbf& tabela, QWidget* rodzic)
    : TOknoSzablonow(sesja, tabela, "TsSzablon", PLq("Wybierz szablon"), rodzic) {
    acWybierz = Akcja("acWybierz", "&Wybierz", "Wybranie bieżącego szablonu");
    connect(acWybierz, &QAction::triggered, this, &TsSzablon::acWybierzExecute);
    sbWybierz = Przycisk("sbWybierz", TGlif::Wybierz, acWybierz);
    sbWybierz->UstawienieDomyslnego(true);
    Zakonczenie("Zamknięcie słownika");

    mBezczynnosc::Rejestracja(this, [this] { acWybierzUpdate(); });
    acWybierzUpdate();
}

TsSzablon::~TsSzablon() = default;

void TsSzablon::acWybierzUpdate() { acWybierz->setEnabled(!tabela_.Pusta()); }

void TsSzablon::acWybierzExecute() {
    if (tabela_.Pusta()) return;
    const TSzablon s = BiezacySzablon(tabela_);
    TcZapytanie& q = sesja_.Zapytanie();
    q.Warunek = s.Warunek;
    q.WarunekDodatkowy = s.WarunDod;
    q.Przepis = s.IdPrzep;
    q.Izba = s.IdIzby;
    done(1);
}

void TsSzablon::gr_SzablonDblClick() {
    if (acWybierz->isEnabled() && !tabela_.Pusta()) acWybierzExecute();
}
