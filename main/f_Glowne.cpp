#include "f_Glowne.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QMenu>
#include <QPainter>
#include <QShortcut>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "EdytorZapytania.h"
#include "TrybAktow.h"
#include "WysylanieDokumentow.h"
#include "Bezczynnosc.h"
#include "Znajdowanie.h"
#include "ListaZaznaczen.h"
#include "Konfiguracja.h"
#include "ListaWynikow.h"
#include "Pokazanie.h"
#include "Pomoc.h"
#include "Powloka.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "Tekst.h"
#include "Wyszukiwanie.h"
#include "Zapytanie.h"
#include "bSlownikTxt.h"
#include "d_Szablon.h"
#include "f_ZapiszZapytanie.h"
#include "k_Szablon.h"
#include "s_Szablon.h"
#include "TekstRaportu.h"
#include "f_NazwaRaportu.h"
#include "f_Winieta.h"
#include "KatalogRoboczy.h"
#include "k_Raport.h"
#include "s_Raport.h"
#include "mDialog.h"

namespace {

// The separator between the query editor and the result list.
class TPaintBox : public QWidget {
public:
    TPaintBox(QWidget* rodzic, QWidget* panel) : QWidget(rodzic), panel_(panel) {
        setObjectName(QStringLiteral("PaintBox"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {   // PaintBoxPaint
        QPainter p(this);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(1, 1, 1, panel_->height() - 16 - y());
    }

private:
    QWidget* panel_;
};

constexpr int OdstepPrzyciskow = 56;

}  // namespace

QString TfGlowne::AdresProducenta() { return QStringLiteral("https://www.belvastrona.example/"); }

TfGlowne::TfGlowne(const TOpcjeLadowania& opcje, QWidget* rodzic) : QWidget(rodzic) {
    UtworzenieRamki();
    TOpcjeSesji o;
    o.Ladowanie = opcje;
    o.KatalogRoboczy = KatalogRoboczy(opcje.Katalog).Sciezka;
    sesja_ = std::make_unique<TcSesja>(o);
    UtworzenieCzesci();
    // The template table comes after the window: a table that cannot be opened or made ends
    // the start like a data file that does not load.
    sesja_->OtwarcieSzablonow();
}

void TfGlowne::UtworzenieRamki() {
    setObjectName(QStringLiteral("TfGlowne"));
    setWindowTitle(QStringLiteral("Belvastrona"));
    setMinimumSize(SzerokoscProjektu, WysokoscProjektu);
    resize(SzerokoscProjektu, WysokoscProjektu);
    move(18, 3);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("tcDane"));
    panel->setFrameShape(QFrame::StyledPanel);
    tcDane = panel;
    PaintBox = new TPaintBox(tcDane, tcDane);
    PaintBox->setGeometry(240, 0, 4, tcDane->height());

    struct TOpis {
        TPrzyciskObrazkowy** pole;
        const char* nazwa;
        TGlif glif;
        const char* napis;
        const char* podpowiedz;
    };
    const TOpis opisy[] = {
        {&pbPomoc, "pbPomoc", TGlif::Pomoc, "Pomoc", "Szukanie w indeksie pomocy"},
        {&pbCzysc, "pbCzysc", TGlif::Czysc, "&Czyść", "Wyczyszczenie warunków zapytania i raportu"},
        {&pbAktyWarunki, "pbAktyWarunki", TGlif::AktyWarunki, "Akty &/ Warunki",
         "Przełącznik aktów prawnych na warunki i odwrotnie"},
        {&pbWylaczZliczanie, "pbWylaczZliczanie", TGlif::BezZliczania, "Wyłącz z&liczanie",
         "Wyłączenie zliczania \"w locie\" liczby dokumentów dla poszczególnych warunków zapytania"},
        {&pbWlaczZliczanie, "pbWlaczZliczanie", TGlif::Zliczanie, "Włącz z&liczanie",
         "Włączenie zliczania \"w locie\" liczby dokumentów dla poszczególnych warunków zapytania"},
        {&pbSzablony, "pbSzablony", TGlif::Szablony, "Sza&blony", "Kartoteka szablonów"},
        {&pbRaporty, "pbRaporty", TGlif::Raporty, "&Raporty", "Kartoteka raportów z wynikami"},
        {&pbInformacje, "pbInformacje", TGlif::Informacje, "Infor&macje", "Menu informacji dodatkowych do programu"},
        {&pbKoniec, "pbKoniec", TGlif::Koniec, "&Koniec", "Zakończenie programu"},
    };
    for (const TOpis& o : opisy) {
        auto* b = new TPrzyciskObrazkowy(this, o.nazwa, o.glif);
        b->UstawienieNapisu(QString::fromUtf8(o.napis), QString::fromUtf8(o.podpowiedz));
        *o.pole = b;
    }
    for (TPrzyciskObrazkowy* b : {pbWylaczZliczanie, pbWlaczZliczanie}) b->setFixedSize(82, TPrzyciskObrazkowy::Wysokosc);

    connect(pbPomoc, &QToolButton::clicked, this, &TfGlowne::pbPomocClick);
    connect(pbCzysc, &QToolButton::clicked, this, &TfGlowne::pbCzyscClick);
    connect(pbWylaczZliczanie, &QToolButton::clicked, this, &TfGlowne::pbWylaczZliczanieClick);
    connect(pbWlaczZliczanie, &QToolButton::clicked, this, &TfGlowne::pbWlaczZliczanieClick);
    connect(pbAktyWarunki, &QToolButton::clicked, this, &TfGlowne::pbAktyWarunkiClick);
    connect(pbSzablony, &QToolButton::clicked, this, &TfGlowne::pbSzablonyClick);
    connect(pbRaporty, &QToolButton::clicked, this, &TfGlowne::pbRaportyClick);
    connect(pbInformacje, &QToolButton::clicked, this, &TfGlowne::pbInformacjeClick);
    connect(pbKoniec, &QToolButton::clicked, this, &QWidget::close);

    pmInformacje = new QMenu(this);
    pmInformacje->setObjectName(QStringLiteral("pmInformacje"));
    pmInformacje->setToolTipsVisible(true);
    const auto pozycja = [this](const char* nazwa, const char* napis, const char* podpowiedz) {
        auto* a = new QAction(QString::fromUtf8(napis), this);
        a->setObjectName(QString::fromLatin1(nazwa));
        a->setToolTip(QString::fromUtf8(podpowiedz));
        a->setStatusTip(a->toolTip());
        pmInformacje->addAction(a);
        return a;
    };
    PomocDoProgramu = pozycja("PomocDoProgramu", "&Witryna producenta", "Połączenie i otwarcie witryny producenta");
    InneProdukty = pozycja("InneProdukty", "&Inne produkty", "Informacja o innych produktach");
    OProgramie = pozycja("OProgramie", "&O programie...", "Informacje o programie");
    connect(PomocDoProgramu, &QAction::triggered, this, &TfGlowne::PomocDoProgramuClick);
    connect(InneProdukty, &QAction::triggered, this, &TfGlowne::InneProduktyClick);
    connect(OProgramie, &QAction::triggered, this, &TfGlowne::OProgramieClick);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TfGlowne::pbPomocClick);

    PolozenieKolumny();
}

void TfGlowne::PolozenieKolumny() {
    const int w = width(), h = height();
    // The panel keeps 8 pixels to the window's edges and 10 to the button column.
    const int kolumna = w - 96;
    tcDane->setGeometry(8, 8, kolumna - 10 - 8, h - 16);
    // In acts mode the act text spans the panel above the separator.
    const int przesuniecie = akty_ != nullptr && akty_->Wlaczony() ? TcTrybAktow::Przesuniecie : 0;
    PaintBox->setGeometry(240, przesuniecie, 4, std::max(0, tcDane->height() - przesuniecie));
    if (pnWarunki != nullptr) {
        // The editor keeps to the left of the separator, the result list takes the rest; in
        // acts mode the list stands below the act text.
        const int wysokosc = std::max(0, tcDane->height() - 4);
        pnWarunki->setGeometry(2, 2, 236, wysokosc);
        pnRaport->setGeometry(248, 2 + przesuniecie, std::max(0, tcDane->width() - 252), std::max(0, wysokosc - przesuniecie));
        if (akty_ != nullptr) akty_->Polozenie();
    }
    // Upper buttons keep to the top right corner, lower ones to the bottom right corner.
    pbPomoc->move(kolumna, 8);
    pbCzysc->move(kolumna, 8 + OdstepPrzyciskow);
    pbAktyWarunki->move(kolumna, 8 + 2 * OdstepPrzyciskow);
    pbWylaczZliczanie->move(kolumna - 1, 8 + 3 * OdstepPrzyciskow);
    pbWlaczZliczanie->move(kolumna - 1, 8 + 3 * OdstepPrzyciskow);
    pbKoniec->move(kolumna, h - 8 - TPrzyciskObrazkowy::Wysokosc);
    pbInformacje->move(kolumna, pbKoniec->y() - OdstepPrzyciskow);
    pbRaporty->move(kolumna, pbInformacje->y() - OdstepPrzyciskow);
    pbSzablony->move(kolumna, pbRaporty->y() - OdstepPrzyciskow);
}

void TfGlowne::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    PolozenieKolumny();
}

void TfGlowne::UtworzenieCzesci() {
    pnWarunki = new QWidget(tcDane);
    pnWarunki->setObjectName(QStringLiteral("pnWarunki"));
    pnRaport = new QWidget(tcDane);
    pnRaport->setObjectName(QStringLiteral("pnRaport"));
    TcSesja& s = *sesja_;
    edytor_ = new TcEdytorZapytania(pnWarunki, s, this);
    lista_ = new TcListaWynikow(pnRaport, tcDane, s);
    pokazanie_ = new TcPokazanie(pnRaport, s, *lista_);
    {
        const auto przycisk = [this](const char* nazwa, const char* napis, const char* podpowiedz) {
            auto* b = new QToolButton(pnRaport);
            b->setObjectName(QString::fromLatin1(nazwa));
            b->setText(PLq(napis));
            b->setToolTip(PLq(podpowiedz));
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
            b->setMinimumSize(96, 25);
            return b;
        };
        acWyslij = new QAction(PLq("Wyślij"), this);
        acWyslij->setObjectName(QStringLiteral("acWyslij"));
        acWyslij->setToolTip(PLq("Wysyłanie zaznaczonych dokumentów pocztą elektroniczną"));
        connect(acWyslij, &QAction::triggered, this, &TfGlowne::acWyslijExecute);
        bbWyslij = przycisk("bbWyslij", "Wyślij", "Wysłanie zaznaczonych dokumentów pocztą elektroniczną");
        bbWyslij->setMinimumSize(80, 25);
        connect(bbWyslij, &QToolButton::clicked, acWyslij, &QAction::trigger);
        mBezczynnosc::Rejestracja(pnRaport, [this] { acWyslijUpdate(); });
        bbZapiszRaport = przycisk("bbZapiszRaport", "Z&apisz raport", "Zapisanie zaznaczonych dokumentów do postaci raportu");
        bbOdczytajRaport = przycisk("bbOdczytajRaport", "O&dczytaj raport", "Odczytanie istniejącego raportu");
        connect(bbZapiszRaport, &QToolButton::clicked, this, &TfGlowne::bbZapiszRaportClick);
        connect(bbOdczytajRaport, &QToolButton::clicked, this, &TfGlowne::bbOdczytajRaportClick);
        auto* rzad = new QHBoxLayout;
        rzad->setSpacing(6);
        rzad->addWidget(pokazanie_->bbPokaz);
        rzad->addWidget(bbWyslij);
        rzad->addWidget(bbZapiszRaport);
        rzad->addWidget(bbOdczytajRaport);
        rzad->addStretch(1);
        static_cast<QVBoxLayout*>(pnRaport->layout())->addLayout(rzad);
    }
    // Everything the editor put in its column gives way to the act reader, but the report
    // switch and the search button, which serve both modes.
    for (QWidget* w : pnWarunki->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != edytor_->cbTylkoDoRaportu && w != edytor_->bbSzukaj) kontrolkiWarunkow_.push_back(w);
    akty_ = new TcTrybAktow(tcDane, pnWarunki, s, this);
    wyszukiwanie_ = new TcWyszukiwanie(s, *edytor_, *akty_, *lista_, *pokazanie_, this);
    skrotZnajdz_ = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    skrotNastepny_ = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(skrotZnajdz_, &QShortcut::activated, akty_, &TcTrybAktow::bbZnajdzClick);
    connect(skrotNastepny_, &QShortcut::activated, this, [this] {
        // F5 finds the next occurrence, or asks for the text when there is none yet.
        if (sesja_->Znajdowanie().SzukanyTekst.empty()) akty_->bbZnajdzClick();
        else akty_->SzukanieTekstu(true);
    });
    for (QShortcut* k : {skrotZnajdz_, skrotNastepny_}) k->setEnabled(false);
    connect(edytor_->bbZapisz, &QPushButton::clicked, this, &TfGlowne::bbZapiszClick);
    connect(edytor_->bbOdczytaj, &QPushButton::clicked, this, &TfGlowne::bbOdczytajClick);
    PolozenieKolumny();

    setWindowTitle(windowTitle() + QStringLiteral(" 3.00"));
    if (s.Konfiguracja().Zliczanie) pbWlaczZliczanie->hide();
    else pbWylaczZliczanie->hide();

    // Without acts there is no act reader to switch to.
    if (s.Akty().Nazwy.empty()) pbAktyWarunki->hide();
}

void TfGlowne::acWyslijUpdate() {
    acWyslij->setEnabled(lista_->clvRaport->LiczbaWierszy() > 0);
    bbWyslij->setEnabled(acWyslij->isEnabled());
}

void TfGlowne::acWyslijExecute() {
    acWyslijUpdate();
    if (!acWyslij->isEnabled()) return;
    lista_->ZapamietanieZaznaczen();
    TDokumentyDoWyslania d = DokumentyDoWyslania(lista_->TablicaRaportu);
    if (d.Wiecej && !Pytanie(PLq("Zaznaczono więcej niż 10 dokumentów"),
                             PLq("Możliwe jest wysłanie maksymalnie 10 dokumentów.\r\nCzy wysłać pierwszych 10 dokumentów?"), 0))
        return;
    if (d.Numery.empty()) {
        Informacja(PLq("Brak zaznaczonych dokumentów"), PLq("Nie zaznaczono dokumentów do wysłania."));
        return;
    }
    WyslanieDokumentow(*sesja_, d.Numery);
}

void TfGlowne::pbAktyWarunkiClick() {
    const bool akty = !akty_->Wlaczony();
    for (QWidget* w : kontrolkiWarunkow_) w->setVisible(!akty);
    akty_->Ustawienie(akty);
    for (QShortcut* k : {skrotZnajdz_, skrotNastepny_}) k->setEnabled(akty);
    PolozenieKolumny();
    if (akty || !akty_->cbPrzeniesienieWarunku->isChecked()) return;
    // The act becomes the provision (acts and provisions share numbers) and the chosen phrase
    // the first word; the rest of the query stays.
    edytor_->UstawieniePrzepisuWgNumeru(akty_->NumerAktu());
    const QString fraza = akty_->WybranaFraza();
    if (!fraza.isEmpty()) edytor_->enSlowo[0]->setText(fraza);
    wyszukiwanie_->ZliczanieWszystkichWarunkow();
}

void TfGlowne::setVisible(bool widoczne) {
    if (widoczne && !pokazane_) {
        pokazane_ = true;
        FormShow();
    }
    QWidget::setVisible(widoczne);
}

void TfGlowne::FormShow() {
    const TcKonfiguracja& k = sesja_->Konfiguracja();
    if (k.Maksymalne) {
        setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        move(k.X, k.Y);
        resize(k.Szerokosc, k.Wysokosc);
    }
}

void TfGlowne::closeEvent(QCloseEvent* e) {   // FormCloseQuery
    if (Pytanie(QStringLiteral("Potwierdź"), QStringLiteral("Czy na pewno zakończyć pracę programu?"), 0))
        e->accept();
    else
        e->ignore();
}

TfGlowne::~TfGlowne() { FormDestroy(); }

void TfGlowne::FormDestroy() {
    // The parts first, while the objects they call into still exist.
    delete wyszukiwanie_;
    delete akty_;
    akty_ = nullptr;
    delete pnWarunki;
    delete pnRaport;
    wyszukiwanie_ = nullptr;
    pnWarunki = pnRaport = nullptr;
    if (!sesja_) return;
    sesja_->Zwolnienie();
    try {
        sesja_->Konfiguracja().ZapisanieKonfiguracji({x(), y(), width(), height()}, isMaximized());
    } catch (const EInOutError& e) {
        Ostrzezenie(QStringLiteral("Belvastrona"), qs(e.what()));
    }
    sesja_.reset();
}

void TfGlowne::pbPomocClick() { mPomoc(KontekstPomocy); }

void TfGlowne::pbInformacjeClick() {
    pmInformacje->popup(QPoint(x() + pbInformacje->x(), y() + pbInformacje->y() + pbInformacje->height() + 20));
}

void TfGlowne::pbCzyscClick() {
    if (!Pytanie(PLq("Potwierdź czyszczenie"), PLq("Czy na pewno wyczyścić pola warunku i raport?"), 0)) return;
    edytor_->CzyszczenieWarunkow();
    sesja_->Zapytanie().Raport.clear();
    lista_->Wyczyszczenie();
}

void TfGlowne::pbWlaczZliczanieClick() {
    sesja_->Konfiguracja().Zliczanie = true;
    pbWlaczZliczanie->hide();
    pbWylaczZliczanie->show();
    wyszukiwanie_->ZliczanieWszystkichWarunkow();
}

void TfGlowne::pbWylaczZliczanieClick() {
    sesja_->Konfiguracja().Zliczanie = false;
    pbWlaczZliczanie->show();
    pbWylaczZliczanie->hide();
    wyszukiwanie_->ZliczanieWszystkichWarunkow();
}

void TfGlowne::InneProduktyClick() {
    const QString plikProgramu = mPlikPomocy();
    mUstawieniePlikuPomocy(QStringLiteral("inneprodukty.hlp"));
    mPomoc(100);
    mUstawieniePlikuPomocy(plikProgramu);
}

void TfGlowne::PomocDoProgramuClick() {
    if (!mOtwarcie(AdresProducenta()))
        Ostrzezenie(QStringLiteral("Błąd otwarcia witryny"),
                    QStringLiteral("Nieudana próba otwarcia przeglądarki dla witryny producenta."));
}

void TfGlowne::OProgramieClick() {
    TfWinieta okno(this, QFile::decodeName(QByteArray::fromStdString(sesja_->KatalogRoboczy())));
    okno.exec();
}

void TfGlowne::pbRaportyClick() {
    TkRaport okno(*sesja_, this);
    okno.exec();
}

void TfGlowne::bbZapiszRaportClick() {
    if (lista_->clvRaport->LiczbaWierszy() == 0) {
        Ostrzezenie(PLq("Brak raportu"), PLq("Brak raportu do zapisania."));
        return;
    }
    lista_->ZapamietanieZaznaczen();
    TcZapytanie& z = sesja_->Zapytanie();
    z.Raport = TekstRaportu(lista_->TablicaRaportu, z);
    TfNazwaRaportu okno(z.Raport, this);
    okno.exec();
}

void TfGlowne::bbOdczytajRaportClick() {
    TcZapytanie& z = sesja_->Zapytanie();
    // The selection window puts the chosen file's text into Raport; a text that turns out not
    // to be a report must not become the current result.
    const std::string poprzedni = z.Raport;
    TsRaport okno(*sesja_, this);
    if (okno.exec() != QDialog::Accepted) return;
    repaint();
    TRaport raport;
    try {
        raport = OtwarcieRaportu(okno.WybranyPlik, sesja_->Izby(), sesja_->Przepisy(), lista_->TablicaRaportu, z);
    } catch (const EBladRaportu& b) {
        z.Raport = poprzedni;
        Ostrzezenie(PLq("Błąd odczytu raportu"), qs(b.what()));
        return;
    }
    pokazanie_->WarunekWyroznienia = raport.Warunek;
    lista_->PokazanieStrony();
    const std::string pominiete = KomunikatPominietych(raport);
    if (!pominiete.empty()) Informacja(PLq("Odczyt raportu"), qs(pominiete));
}

void TfGlowne::pbSzablonyClick() {
    TkSzablon okno(*sesja_, sesja_->Szablony().tb_Szablon, this);
    okno.exec();
}

void TfGlowne::bbZapiszClick() {
    edytor_->bbZapisz->setFocus();
    if (!wyszukiwanie_->KontrolaWarunkow()) return;
    TcZapytanie& z = sesja_->Zapytanie();
    z.Warunek = edytor_->PrzygotowanieWarunku();
    z.WarunekDodatkowy = cp(edytor_->meWarunekDodatkowy->toPlainText());
    z.Przepis = edytor_->Przepis();
    z.Izba = std::max(edytor_->Izba(), 0);
    TfZapiszZapytanie okno(*sesja_, sesja_->Szablony().tb_Szablon, this);
    okno.exec();
}

void TfGlowne::bbOdczytajClick() {
    TcTabelaDbf& tabela = sesja_->Szablony().tb_Szablon;
    if (tabela.Pusta()) {
        Informacja(PLq("Brak szablonów"), PLq("Nie zdefiniowano żadnego szablonu."));
        return;
    }
    TsSzablon okno(*sesja_, tabela, this);
    if (okno.exec() != QDialog::Accepted) return;
    const TcZapytanie& z = sesja_->Zapytanie();
    if (!edytor_->OdczytanieWarunku(z.Warunek)) return;
    edytor_->meWarunekDodatkowy->setPlainText(qs(z.WarunekDodatkowy));
    edytor_->UstawieniePrzepisuWgNumeru(z.Przepis);
    edytor_->WczytanieIzby(z.Izba);
    wyszukiwanie_->ZliczanieWszystkichWarunkow();
}
