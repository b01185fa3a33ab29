#include "f_Raport.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <algorithm>
#include <map>

#include "Bezczynnosc.h"
#include "DokumentDoPokazania.h"
#include "ListaZaznaczen.h"
#include "Pomoc.h"
#include "Powloka.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "TablicaRaportu.h"
#include "Tekst.h"
#include "TekstRaportu.h"
#include "WierszRaportu.h"
#include "Zapytanie.h"
#include "bSlownikTxt.h"
#include "cp1250.h"
#include "mDialog.h"

namespace {

constexpr int WielkoscStrony = TcTablicaRaportu::WielkoscStrony;
constexpr int SzerokoscKolumny = 513;             // the list's whole width inside its frame
constexpr int SzerokoscKolumnyZPaskiem = 497;     // room left for the vertical scroll bar
constexpr int WierszyBezPaska = 3;                // more documents than this need the scroll bar



}  // namespace

TfRaport::TfRaport(TcSesja& sesja, QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      sesja_(sesja) {
    setObjectName(QStringLiteral("TfRaport"));
    setFixedSize(638, 506);

    lbRaport = new QLabel(PLq("&Raport:"), this);
    lbRaport->setObjectName(QStringLiteral("lbRaport"));
    lbRaport->move(8, 28);
    lbRaport->adjustSize();

    clvRaport = new TListaZaznaczen(this);
    clvRaport->setObjectName(QStringLiteral("clvRaport"));
    clvRaport->setGeometry(8, 47, 517, 451);
    clvRaport->setHeaderLabel(PLq("Wyjaśnienia z datą wpisu do bazy"));
    clvRaport->UstawienieSzerokosciKolumny(SzerokoscKolumny);
    // Rows are wrapped at 90 characters whatever the font: 90 of them fit into the column left
    // beside the scroll bar.
    clvRaport->DopasowanieCzcionki(double(SzerokoscKolumnyZPaskiem - 10) / ZnakowLinii);
    lbRaport->setBuddy(clvRaport);

    // The paging buttons stand above the list's right end.
    int x = clvRaport->geometry().right() + 1 - 4 * 25;
    auto akcja = [&](QAction*& a, QToolButton*& sb, const char* nazwa, const char* przycisk, const char* podpis,
                     const char* podpowiedz, const QKeySequence& skrot) {
        a = new QAction(PLq(podpis), this);
        a->setObjectName(QString::fromLatin1(nazwa));
        a->setToolTip(PLq(podpowiedz));
        a->setStatusTip(a->toolTip());
        a->setShortcut(skrot);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        sb = new QToolButton(this);
        sb->setObjectName(QString::fromLatin1(przycisk));
        sb->setDefaultAction(a);
        sb->setAutoRaise(true);
        sb->setGeometry(x, 21, 25, 25);
        x += 25;
    };
    akcja(acPierwszy, sbPierwszy, "acPierwszy", "sbPierwszy", "|<", "Idź do pierwszej strony raportu",
          QKeySequence(Qt::CTRL | Qt::Key_Home));
    akcja(acPoprzedni, sbPoprzedni, "acPoprzedni", "sbPoprzedni", "<", "Idź do poprzedniej strony raportu",
          QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    akcja(acNastepny, sbNastepny, "acNastepny", "sbNastepny", ">", "Idź do następnej strony raportu",
          QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    akcja(acOstatni, sbOstatni, "acOstatni", "sbOstatni", ">|", "Idź do ostatniej strony raportu",
          QKeySequence(Qt::CTRL | Qt::Key_End));

    acPokaz = new QAction(PLq("&Pokaż"), this);
    acPokaz->setObjectName(QStringLiteral("acPokaz"));
    acPokaz->setToolTip(PLq("Pokazanie bieżącego wyjaśnienia z raportu"));
    acPokaz->setStatusTip(acPokaz->toolTip());

    // The command column right of the list: help on top, showing and closing at the bottom.
    const int xPrzyciskow = width() - 8 - TPrzyciskObrazkowy::Szerokosc;
    pbPomoc = new TPrzyciskObrazkowy(this, "pbPomoc", TGlif::Pomoc);
    pbPomoc->move(xPrzyciskow, 8);
    pbPomoc->UstawienieNapisu(PLq("Pomoc"), PLq("Szukanie w indeksie pomocy"));

    pbPokaz = new TPrzyciskObrazkowy(this, "pbPokaz", TGlif::Pokaz);
    pbPokaz->move(xPrzyciskow, height() - 8 - 2 * TPrzyciskObrazkowy::Wysokosc - 4);
    pbPokaz->UstawienieAkcji(acPokaz);
    pbPokaz->UstawienieDomyslnego(true);

    pbZamknij = new TPrzyciskObrazkowy(this, "pbZamknij", TGlif::Zamknij);
    pbZamknij->move(xPrzyciskow, height() - 8 - TPrzyciskObrazkowy::Wysokosc);
    pbZamknij->UstawienieNapisu(PLq("&Zamknij"), PLq("Zamknięcie okna raportu (Esc)"));
    pbZamknij->UstawienieAnulujacego(true);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);

    setTabOrder(clvRaport, pbPokaz);
    setTabOrder(pbPokaz, pbZamknij);
    setTabOrder(pbZamknij, pbPomoc);

    connect(acPierwszy, &QAction::triggered, this, [this] { acPierwszyExecute(); });
    connect(acPoprzedni, &QAction::triggered, this, [this] { acPoprzedniExecute(); });
    connect(acNastepny, &QAction::triggered, this, [this] { acNastepnyExecute(); });
    connect(acOstatni, &QAction::triggered, this, [this] { acOstatniExecute(); });
    connect(acPokaz, &QAction::triggered, this, [this] { acPokazExecute(); });
    connect(clvRaport, &TListaZaznaczen::Enter, this, [this] { acPokazExecute(); });
    connect(clvRaport, &TListaZaznaczen::PodwojneKlikniecie, this, [this] { acPokazExecute(); });
    connect(pbPomoc, &QToolButton::clicked, this, [] { mPomoc(KontekstPomocy); });
    connect(f1, &QShortcut::activated, this, [] { mPomoc(KontekstPomocy); });
    connect(pbZamknij, &QToolButton::clicked, this, [this] { done(2); });
    mBezczynnosc::Rejestracja(this, [this] {
        AktualizacjaAkcji();
        acPokazUpdate();
    });
    AktualizacjaAkcji();
    acPokazUpdate();
    clvRaport->setFocus();

    if (QScreen* ekran = QGuiApplication::primaryScreen()) {
        const QRect r = ekran->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
}

TfRaport::~TfRaport() = default;

int TfRaport::exec() {
    const TcZapytanie& z = sesja_.Zapytanie();
    TRaport r;
    try {
        r = OdczytanieRaportu(Raport, Plik, z.LiczbaDokumentow());
    } catch (const EBladRaportu& b) {
        Ostrzezenie(PLq("Błąd odczytu raportu"), qs(b.what()));
        return 2;
    }
    const std::array<std::string, 3> naglowki = NaglowkiRaportu(r, sesja_.Izby(), sesja_.Przepisy());
    LiniaWarunku = naglowki[0];
    LiniaIzby = naglowki[1];
    LiniaPrzepisu = naglowki[2];
    WarunekWyroznienia = r.Warunek;
    Dokumenty = std::move(r.Dokumenty);
    LiczbaDokumentow = int32_t(Dokumenty.size());
    BiezacaStrona = 0;
    OstatniaStrona = (LiczbaDokumentow - 1) / WielkoscStrony;

    const std::string pominiete = KomunikatPominietych(r);
    if (!pominiete.empty()) Informacja(PLq("Odczyt raportu"), qs(pominiete));
    PokazanieStrony();
    return QDialog::exec();
}

void TfRaport::PokazanieStrony() {
    if (listowanie_) return;
    listowanie_ = true;
    struct TKoniec {
        bool& f;
        ~TKoniec() { f = false; }
    } koniec{listowanie_};

    const TcZapytanie& z = sesja_.Zapytanie();
    const int32_t n = z.LiczbaDokumentow();
    const int32_t liczba = std::clamp(LiczbaDokumentow, 0, int32_t(Dokumenty.size()));
    {
        TListowanie listowanie(clvRaport);
        clvRaport->Wyczyszczenie();
        // Each record is read once: the row order needs its date, the row its text.
        std::map<int32_t, TDokument> odczytane;
        const auto odczyt = [&](int32_t d) -> const TDokument& {
            auto it = odczytane.find(d);
            if (it == odczytane.end()) it = odczytane.emplace(d, z.OdczytanieDokumentu(d)).first;
            return it->second;
        };
        std::vector<int32_t> czesc;
        if (size_t(liczba) < Dokumenty.size()) czesc.assign(Dokumenty.begin(), Dokumenty.begin() + liczba);
        const std::vector<int32_t>& lista = size_t(liczba) < Dokumenty.size() ? czesc : Dokumenty;
        // Only documents of the record store are read: the reader keeps no others, and a
        // number put into Dokumenty by other means is left out of its page.
        const std::vector<int32_t> strona = DokumentyStrony(lista, BiezacaStrona, [&](int32_t d) {
            return d >= 1 && d <= n ? odczyt(d).Data : 0u;
        });
        for (int32_t d : strona) {
            if (d < 1 || d > n) continue;
            const TDokument& dok = odczyt(d);
            const int w = clvRaport->DodanieWiersza();
            clvRaport->UstawienieTekstu(w, qs(TekstWiersza(dok.Data, dok.Tekst, ZnakowLinii, DlugoscTekstu)));
            clvRaport->UstawieniePolaWyboru(w, false);
            clvRaport->UstawienieWysokosci(w, LiniiWiersza);
            clvRaport->UstawienieKlucza(w, QString::fromLatin1(KluczSortowania(dok.Data)));
            clvRaport->UstawienieDanych(w, QString::number(d));
        }
        const int wierszy = clvRaport->LiczbaWierszy();
        const TWierszPodsumowania s = WierszPodsumowania(PodsumowanieStrony(liczba, BiezacaStrona, wierszy),
                                                         {LiniaWarunku, LiniaIzby, LiniaPrzepisu},
                                                         BiezacaStrona == 0, ZnakowLinii);
        clvRaport->WstawienieWiersza(0);
        clvRaport->UstawienieTekstu(0, qs(s.Tekst));
        clvRaport->UstawienieWysokosci(0, s.Wysokosc);
        clvRaport->UstawienieTla(0, QColor(213, 204, 187));
        clvRaport->UstawieniePolaWyboru(0, false);
        clvRaport->UstawienieSzerokosciKolumny(liczba > WierszyBezPaska ? SzerokoscKolumnyZPaskiem
                                                                         : SzerokoscKolumny);
    }
    AktualizacjaAkcji();
    acPokazUpdate();
}

void TfRaport::Strona(int32_t strona) {
    BiezacaStrona = strona;
    PokazanieStrony();
}

void TfRaport::acPierwszyExecute() { Strona(0); }
void TfRaport::acPoprzedniExecute() { Strona(BiezacaStrona - 1); }
void TfRaport::acNastepnyExecute() { Strona(BiezacaStrona + 1); }
void TfRaport::acOstatniExecute() { Strona(OstatniaStrona); }

void TfRaport::AktualizacjaAkcji() {
    const bool saDokumenty = LiczbaDokumentow > 0;
    acPierwszy->setEnabled(saDokumenty && BiezacaStrona > 0);
    acPoprzedni->setEnabled(saDokumenty && BiezacaStrona > 0);
    acNastepny->setEnabled(saDokumenty && BiezacaStrona < OstatniaStrona);
    acOstatni->setEnabled(saDokumenty && BiezacaStrona != OstatniaStrona);
}

void TfRaport::acPokazUpdate() { acPokaz->setEnabled(clvRaport->WybranyWiersz() > 0); }

void TfRaport::acPokazExecute() {
    // Enter and a double click reach here directly: the summary row shows nothing.
    acPokazUpdate();
    if (!pbPokaz->isEnabled()) return;
    const int32_t numer = clvRaport->Dane(clvRaport->WybranyWiersz()).toInt();
    if (!ZapisanieDoPokazania(sesja_.Zapytanie(), numer, WarunekWyroznienia)) return;
    if (!mOtwarcie(QString::fromLatin1(PlikPokazania)))
        Ostrzezenie(PLq("Błąd pokazania wyjaśnienia"),
                    PLq("Nieudana próba otwarcia przeglądarki dla wyjaśnienia z raportu."));
}

void TfRaport::reject() { done(2); }
