#include "Pokazanie.h"

#include <QAction>
#include <QToolButton>
#include <QWidget>

#include "Analiza.h"
#include "Bezczynnosc.h"
#include "ListaWynikow.h"
#include "ListaZaznaczen.h"
#include "Sesja.h"
#include "Tekst.h"
#include "Zapytanie.h"
#include "Powloka.h"
#include "mDialog.h"
#include "mLib.h"

std::function<bool(const QString&)> TcPokazanie::OtwarciePliku = [](const QString& plik) { return mOtwarcie(plik); };

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
    const TDokument d = zapytanie.OdczytanieDokumentu(numer);
    if (d.Tekst.empty()) return;
    const std::string html = WyroznienieWarunku(warunek, d.Tekst, zapytanie.Magazyn().Znaki);
    mWriteString("tmp.htm", html, TrybBledu::Wyjatek);
    if (!OtwarciePliku(QStringLiteral("tmp.htm")))
        Ostrzezenie(PLq("Błąd pokazania wyjaśnienia"),
                    PLq("Nieudana próba otwarcia przeglądarki dla wyjaśnienia z raportu."));
}
