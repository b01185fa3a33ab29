#include "Pokazanie.h"

#include <QAction>
#include <QToolButton>
#include <QWidget>

#include "Bezczynnosc.h"
#include "DokumentDoPokazania.h"
#include "ListaWynikow.h"
#include "ListaZaznaczen.h"
#include "Sesja.h"
#include "Tekst.h"
#include "Zapytanie.h"
#include "Powloka.h"
#include "mDialog.h"

TcPokazanie::TcPokazanie(QWidget* rodzic, TcSesja& sesja, TcListaWynikow& lista)
    : QObject(rodzic), sesja_(sesja), lista_(lista) {
    acPokaz = new QAction(PLq("&Pokaż"), rodzic);
    acPokaz->setObjectName(QStringLiteral("acPokaz"));
    acPokaz->setToolTip(PLq("Pokazanie bieżącego wyjaśnienia z raportu"));
    bbPokaz = new QToolButton(rodzic);
    bbPokaz->setObjectName(QStringLiteral("bbPokaz"));
    bbPokaz->setDefaultAction(acPokaz);
    bbPokaz->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bbPokaz->setMinimumSize(80, 25);
    connect(acPokaz, &QAction::triggered, this, [this] { acPokazExecute(); });
    connect(&lista_, &TcListaWynikow::Pokaz, this, [this] { acPokazExecute(); });
    mBezczynnosc::Rejestracja(rodzic, [this] { acPokazUpdate(); });
    acPokazUpdate();
}

void TcPokazanie::acPokazUpdate() { acPokaz->setEnabled(lista_.clvRaport->WybranyWiersz() > 0); }

void TcPokazanie::acPokazExecute() {
    // A double click or Enter reaches here directly: the summary row shows nothing.
    acPokazUpdate();
    if (!bbPokaz->isEnabled()) return;
    PokazanieDokumentu(sesja_.Zapytanie(), lista_.WybranyDokument(), WarunekWyroznienia);
}

void TcPokazanie::PokazanieDokumentu(const TcZapytanie& zapytanie, int32_t numer, const std::string& warunek) {
    if (!ZapisanieDoPokazania(zapytanie, numer, warunek)) return;
    if (!mOtwarcie(QString::fromLatin1(PlikPokazania)))
        Ostrzezenie(PLq("Błąd pokazania wyjaśnienia"),
                    PLq("Nieudana próba otwarcia przeglądarki dla wyjaśnienia z raportu."));
}
