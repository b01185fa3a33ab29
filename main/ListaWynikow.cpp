#include "ListaWynikow.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include "Bezczynnosc.h"
#include "ListaZaznaczen.h"
#include "Sesja.h"
#include "Tekst.h"
#include "WierszRaportu.h"
#include "Zapytanie.h"


TcListaWynikow::TcListaWynikow(QWidget* kolumna, QWidget* tcDane, TcSesja& sesja)
    : QObject(kolumna), tcDane_(tcDane), sesja_(sesja) {
    auto* uklad = new QVBoxLayout(kolumna);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->setSpacing(2);
    auto* gora = new QHBoxLayout;
    gora->setSpacing(1);
    lbRaport = new QLabel(PLq("Rapor&t:"), kolumna);
    lbRaport->setObjectName(QStringLiteral("lbRaport"));
    gora->addWidget(lbRaport, 0, Qt::AlignBottom);
    gora->addStretch(1);

    auto akcja = [&](QAction*& a, QToolButton*& sb, const char* nazwa, const char* przycisk, const char* podpis,
                     const char* podpowiedz, const QKeySequence& skrot) {
        a = new QAction(PLq(podpis), kolumna);
        a->setObjectName(QString::fromLatin1(nazwa));
        a->setToolTip(PLq(podpowiedz));
        a->setShortcut(skrot);
        a->setShortcutContext(Qt::WindowShortcut);
        tcDane_->addAction(a);
        sb = new QToolButton(kolumna);
        sb->setObjectName(QString::fromLatin1(przycisk));
        sb->setDefaultAction(a);
        sb->setAutoRaise(true);
        sb->setFixedSize(25, 25);
        gora->addWidget(sb);
    };
    akcja(acPierwszy, sbPierwszy, "acPierwszy", "sbPierwszy", "|<", "Idź do pierwszej strony raportu",
          QKeySequence(Qt::CTRL | Qt::Key_Home));
    akcja(acPoprzedni, sbPoprzedni, "acPoprzedni", "sbPoprzedni", "<", "Idź do poprzedniej strony raportu",
          QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    akcja(acNastepny, sbNastepny, "acNastepny", "sbNastepny", ">", "Idź do następnej strony raportu",
          QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    akcja(acOstatni, sbOstatni, "acOstatni", "sbOstatni", ">|", "Idź do ostatniej strony raportu",
          QKeySequence(Qt::CTRL | Qt::Key_End));
    akcja(acZaznaczWszystkie, sbZaznaczWszystkie, "acZaznaczWszystkie", "sbZaznaczWszystkie", "+",
          "Zaznaczenie wszystkich wyjaśnień w raporcie", QKeySequence(Qt::CTRL | Qt::Key_Equal));
    akcja(acOdznaczWszystkie, sbOdznaczWszystkie, "acOdznaczWszystkie", "sbOdznaczWszystkie", "-",
          "Anulowanie zaznaczenia wszystkich wyjaśnień w raporcie", QKeySequence(Qt::CTRL | Qt::Key_Minus));
    // The same key with Shift reads "+" on the main keyboard.
    acZaznaczWszystkie->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    uklad->addLayout(gora);

    clvRaport = new TListaZaznaczen(kolumna);
    clvRaport->setObjectName(QStringLiteral("clvRaport"));
    clvRaport->setHeaderLabel(PLq("Znalezione wyjaśnienia z datą wpisu do bazy"));
    clvRaport->UstawienieSzerokosciKolumny(413);
    // Rows are wrapped at a sixth of the list's width in characters; the check box takes part of
    // that width, so the rows want a font a little narrower than 6 pixels.
    clvRaport->DopasowanieCzcionki(5.3);
    lbRaport->setBuddy(clvRaport);
    uklad->addWidget(clvRaport, 1);

    connect(acPierwszy, &QAction::triggered, this, [this] { acPierwszyExecute(); });
    connect(acPoprzedni, &QAction::triggered, this, [this] { acPoprzedniExecute(); });
    connect(acNastepny, &QAction::triggered, this, [this] { acNastepnyExecute(); });
    connect(acOstatni, &QAction::triggered, this, [this] { acOstatniExecute(); });
    connect(acZaznaczWszystkie, &QAction::triggered, this, [this] { acZaznaczWszystkieExecute(); });
    connect(acOdznaczWszystkie, &QAction::triggered, this, [this] { acOdznaczWszystkieExecute(); });
    connect(clvRaport, &TListaZaznaczen::ZmianaRozmiaru, this, [this] { clvRaportResize(); });
    connect(clvRaport, &TListaZaznaczen::Enter, this, &TcListaWynikow::Pokaz);
    connect(clvRaport, &TListaZaznaczen::PodwojneKlikniecie, this, &TcListaWynikow::Pokaz);
    mBezczynnosc::Rejestracja(kolumna, [this] { AktualizacjaAkcji(); });
    AktualizacjaAkcji();
}

int TcListaWynikow::SzerokoscDanych() const { return tcDane_->width(); }

void TcListaWynikow::PokazanieStrony() {
    if (listowanie_) return;
    const TcZapytanie& z = sesja_.Zapytanie();
    if (z.Raport.empty()) {
        clvRaport->UstawienieSzerokosciKolumny(SzerokoscDanych() - 263);
        return;
    }
    listowanie_ = true;
    struct TKoniec { bool& f; ~TKoniec() { f = false; } } koniec{listowanie_};

    clvRaport->UstawienieSzerokosciKolumny(SzerokoscDanych() - 279);
    {
        TListowanie listowanie(clvRaport);
        clvRaport->Wyczyszczenie();
        const int c = ZnakowWLinii(clvRaport->width());
        const int wysokosc = WysokoscWiersza(c);
        const TcTablicaRaportu& t = TablicaRaportu;
        for (int32_t i = t.PierwszaNaStronie(); clvRaport->LiczbaWierszy() < TcTablicaRaportu::WielkoscStrony &&
                                                 i <= t.Liczba;
             ++i) {
            const TPozycjaRaportu& p = t.Pozycje[size_t(i)];
            const TDokument d = z.OdczytanieDokumentu(p.NrDokumentu);
            const int w = clvRaport->DodanieWiersza();
            clvRaport->UstawienieTekstu(w, qs(TekstWiersza(d.Data, d.Tekst, c)));
            clvRaport->UstawienieZaznaczenia(w, p.Zaznaczony);
            clvRaport->UstawienieWysokosci(w, wysokosc);
            clvRaport->UstawienieKlucza(w, QString::fromLatin1(KluczSortowania(d.Data)));
            clvRaport->UstawienieDanych(w, QString::number(p.NrDokumentu));
        }
        // clvRaportCompare: later entry first, equal minutes in table order.
        clvRaport->Sortowanie([this](int a, int b) {
            const QString ka = clvRaport->Klucz(a), kb = clvRaport->Klucz(b);
            return ka > kb ? -1 : (ka < kb ? 1 : 0);
        });
        const int wierszy = clvRaport->LiczbaWierszy();
        const TWierszPodsumowania s =
            WierszPodsumowania(t.Podsumowanie(wierszy), t.Naglowki, t.BiezacaStrona == 0, c);
        clvRaport->WstawienieWiersza(0);
        clvRaport->UstawienieTekstu(0, qs(s.Tekst));
        clvRaport->UstawienieWysokosci(0, s.Wysokosc);
        clvRaport->UstawienieTla(0, QColor(213, 204, 187));
        clvRaport->UstawieniePolaWyboru(0, false);
    }
    if (clvRaport->LiczbaWidocznych() >= TablicaRaportu.Liczba)
        clvRaport->UstawienieSzerokosciKolumny(SzerokoscDanych() - 263);
    AktualizacjaAkcji();
}

void TcListaWynikow::ZapamietanieZaznaczen() {
    const int n = clvRaport->LiczbaWierszy();
    if (n <= 1) return;
    for (int w = 1; w < n; ++w)
        TablicaRaportu.UstawienieZaznaczenia(clvRaport->Dane(w).toInt(), clvRaport->Zaznaczony(w));
}

void TcListaWynikow::Wyczyszczenie() {
    clvRaport->Wyczyszczenie();
    clvRaport->UstawienieSzerokosciKolumny(SzerokoscDanych() - 263);
    TablicaRaportu.Liczba = 0;
    AktualizacjaAkcji();
}

void TcListaWynikow::Strona(int32_t strona) {
    ZapamietanieZaznaczen();
    TablicaRaportu.BiezacaStrona = strona;
    PokazanieStrony();
}

void TcListaWynikow::acPierwszyExecute() { Strona(0); }
void TcListaWynikow::acPoprzedniExecute() { Strona(TablicaRaportu.BiezacaStrona - 1); }
void TcListaWynikow::acNastepnyExecute() { Strona(TablicaRaportu.BiezacaStrona + 1); }
void TcListaWynikow::acOstatniExecute() { Strona(TablicaRaportu.OstatniaStrona()); }

void TcListaWynikow::acZaznaczWszystkieExecute() {
    for (int w = 1; w < clvRaport->LiczbaWierszy(); ++w)
        if (!clvRaport->Zaznaczony(w)) clvRaport->UstawienieZaznaczenia(w, true);
    TablicaRaportu.ZaznaczenieWszystkich(true);
}

void TcListaWynikow::acOdznaczWszystkieExecute() {
    for (int w = 1; w < clvRaport->LiczbaWierszy(); ++w)
        if (clvRaport->Zaznaczony(w)) clvRaport->UstawienieZaznaczenia(w, false);
    TablicaRaportu.ZaznaczenieWszystkich(false);
}

void TcListaWynikow::AktualizacjaAkcji() {
    acPierwszy->setEnabled(TablicaRaportu.MoznaNaPoczatek());
    acPoprzedni->setEnabled(TablicaRaportu.MoznaNaPoczatek());
    acNastepny->setEnabled(TablicaRaportu.MoznaDalej());
    acOstatni->setEnabled(TablicaRaportu.MoznaNaKoniec());
}

void TcListaWynikow::clvRaportResize() {
    if (listowanie_) return;
    ZapamietanieZaznaczen();
    PokazanieStrony();
}

int32_t TcListaWynikow::WybranyDokument() const {
    const int w = clvRaport->WybranyWiersz();
    return w > 0 ? clvRaport->Dane(w).toInt() : 0;
}
