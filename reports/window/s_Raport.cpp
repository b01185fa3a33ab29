#include "s_Raport.h"

#include <QAction>
#include <QTreeWidget>

#include "Bezczynnosc.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "Tekst.h"
#include "Zapytanie.h"
#include "bPlik.h"

TsRaport::TsRaport(TcSesja& sesja, QWidget* rodzic) : TOknoListyRaportow(sesja, "TsRaport", 3, rodzic) {
    acWybierz = new QAction(PLq("&Wybierz"), this);
    acWybierz->setObjectName(QStringLiteral("acWybierz"));
    acWybierz->setToolTip(PLq("Wybranie bieżącego raportu (Enter)"));
    acWybierz->setStatusTip(acWybierz->toolTip());
    addAction(acWybierz);
    connect(acWybierz, &QAction::triggered, this, &TsRaport::acWybierzExecute);

    pbWybierz = new TPrzyciskObrazkowy(this, "pbWybierz", TGlif::Wybierz);
    pbWybierz->move(MiejscePrzycisku(1));
    pbWybierz->UstawienieAkcji(acWybierz);
    pbWybierz->UstawienieDomyslnego(true);

    pbZamknij->UstawienieNapisu(PLq("&Zamknij"), PLq("Zamknięcie okna bez wyboru raportu"));

    setTabOrder(lvPlikRaportu, pbWybierz);
    setTabOrder(pbWybierz, pbZamknij);
    setTabOrder(pbZamknij, pbPomoc);

    connect(lvPlikRaportu, &QTreeWidget::itemDoubleClicked, this, [this] { acWybierzExecute(); });
    mBezczynnosc::Rejestracja(this, [this] { acWybierzUpdate(); });
    acWybierzUpdate();
    Zakonczenie();
}

TsRaport::~TsRaport() = default;

void TsRaport::acWybierzUpdate() { acWybierz->setEnabled(WybranyWiersz() != nullptr); }

void TsRaport::acWybierzExecute() {
    const QTreeWidgetItem* wiersz = WybranyWiersz();
    if (wiersz == nullptr) return;
    const std::string nazwa = NazwaPliku(wiersz);
    std::string tekst = OdczytRaportu(nazwa);
    if (tekst.empty()) return;
    WybranyPlik = TekstNazwyPliku(std::string(KatalogRaportow) + "/" + nazwa);
    sesja_.Zapytanie().Raport = std::move(tekst);
    done(1);
}
