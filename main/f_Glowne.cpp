#include "f_Glowne.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QShortcut>

#include "Bezczynnosc.h"
#include "CzescDanych.h"
#include "Aplikacja.h"
#include "Konfiguracja.h"
#include "ParserBool.h"
#include "Pomoc.h"
#include "Powloka.h"
#include "PrzyciskObrazkowy.h"
#include "Tekst.h"
#include "Zapytanie.h"
#include "bSlownikTxt.h"
#include "f_Winieta.h"
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
        p.drawLine(1, 1, 1, panel_->height() - 16);
    }

private:
    QWidget* panel_;
};

constexpr int OdstepPrzyciskow = 56;

}  // namespace

QString TfGlowne::AdresProducenta() { return QStringLiteral("https://www.belvastrona.example/"); }

TfGlowne::TfGlowne(const TOpcjeLadowania& opcje, QWidget* rodzic) : QWidget(rodzic), katalog_(opcje.Katalog) {
    UtworzenieRamki();
    dane_ = UtworzenieDanych(*this);
    FormCreate(opcje);
}

std::string TfGlowne::SciezkaDanych(const std::string& nazwa) const {
    if (katalog_.empty()) return nazwa;
    std::string sciezka = katalog_;
    sciezka.push_back('/');
    sciezka.append(nazwa);
    return sciezka;
}

void TfGlowne::RejestracjaAktualizacji(std::function<void()> obsluga) {
    mBezczynnosc::Rejestracja(this, std::move(obsluga));
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
    connect(pbCzysc, &QToolButton::clicked, this, [this] { dane_->pbCzyscClick(); });
    connect(pbAktyWarunki, &QToolButton::clicked, this, [this] { dane_->pbAktyWarunkiClick(); });
    connect(pbWylaczZliczanie, &QToolButton::clicked, this, &TfGlowne::pbWylaczZliczanieClick);
    connect(pbWlaczZliczanie, &QToolButton::clicked, this, &TfGlowne::pbWlaczZliczanieClick);
    connect(pbSzablony, &QToolButton::clicked, this, [this] { dane_->pbSzablonyClick(); });
    connect(pbRaporty, &QToolButton::clicked, this, [this] { dane_->pbRaportyClick(); });
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

    // Key preview: the window sees key presses before its controls.
    qApp->installEventFilter(this);
    PolozenieKolumny();
}

void TfGlowne::PolozenieKolumny() {
    const int w = width(), h = height();
    // The panel keeps 8 pixels to the window's edges and 10 to the button column.
    const int kolumna = w - 96;
    tcDane->setGeometry(8, 8, kolumna - 10 - 8, h - 16);
    PaintBox->setGeometry(240, 0, 4, tcDane->height());
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

void TfGlowne::FormCreate(const TOpcjeLadowania& opcje) {
    konfiguracja_ = std::make_unique<TcKonfiguracja>();
    konfiguracja_->OdczytanieKonfiguracji({x(), y(), width(), height()});

    akty_ = std::make_unique<TcSlownikTxtAkt>(SciezkaDanych("akty.ini"), true);
    dzialy_ = std::make_unique<TcSlownikTxt>(SciezkaDanych("dzialy.ini"), true);
    izby_ = std::make_unique<TcSlownikTxtIzba>(SciezkaDanych("izby.ini"), true);
    przepisy_ = std::make_unique<TcSlownikTxtPrzepis>(SciezkaDanych("przepisy.ini"), true);
    if (akty_->Nazwy.empty()) pbAktyWarunki->hide();

    zapytanie_ = std::make_unique<TcZapytanie>(opcje);
    liczace_ = std::make_unique<TcZapytanie>(*zapytanie_);
    parser_ = std::make_unique<TcParserBool>(*zapytanie_);
    for (TcZapytanie* q : {zapytanie_.get(), liczace_.get()}) {
        q->Parser = parser_.get();
        q->SlownikIzb = izby_.get();
        q->SlownikPrzepisow = przepisy_.get();
    }

    dane_->PoUtworzeniuObiektow();

    setWindowTitle(windowTitle() + QStringLiteral(" 3.00"));
    if (konfiguracja_->Zliczanie) pbWlaczZliczanie->hide();
    else pbWylaczZliczanie->hide();

    auto* cxIzba = tcDane->findChild<QComboBox*>(QStringLiteral("cxIzba"));
    auto* cxAkt = tcDane->findChild<QComboBox*>(QStringLiteral("cxAkt"));
    if (cxIzba == nullptr || cxAkt == nullptr) mBladWewnetrzny("TfGlowne.FormCreate", 1);

    // Filling the lists is not a choice of the user: no change notifications.
    WybranaIzba = -1;
    {
        const QSignalBlocker blokada(cxIzba);
        cxIzba->clear();
        for (const std::string& n : izby_->Nazwy) cxIzba->addItem(qs(n));
        cxIzba->addItem(QStringLiteral("Wszystkie izby skarbowe"));
        cxIzba->setCurrentIndex(cxIzba->count() - 1);
    }
    {
        const QSignalBlocker blokada(cxAkt);
        cxAkt->clear();
        for (const std::string& n : akty_->Nazwy) cxAkt->addItem(qs(n));
        if (cxAkt->count() > 0) {
            cxAkt->setCurrentIndex(0);
            BiezacyAkt = akty_->PlikWgNumeru(akty_->NumerWgNazwy(akty_->Nazwy.front()));
            zapytanie_->WczytanieAktu(BiezacyAkt);   // the store finds it in its own folder
        }
    }
}

void TfGlowne::setVisible(bool widoczne) {
    if (widoczne && !pokazane_) {
        pokazane_ = true;
        FormShow();
    }
    QWidget::setVisible(widoczne);
}

void TfGlowne::FormShow() {
    if (konfiguracja_->Maksymalne) {
        setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        move(konfiguracja_->X, konfiguracja_->Y);
        resize(konfiguracja_->Szerokosc, konfiguracja_->Wysokosc);
    }
    dane_->PrzyPokazaniu();
}

void TfGlowne::closeEvent(QCloseEvent* e) {   // FormCloseQuery
    if (Pytanie(QStringLiteral("Potwierdź"), QStringLiteral("Czy na pewno zakończyć pracę programu?"), 0))
        e->accept();
    else
        e->ignore();
}

TfGlowne::~TfGlowne() {
    qApp->removeEventFilter(this);
    FormDestroy();
}

void TfGlowne::FormDestroy() {
    dane_.reset();
    parser_.reset();
    liczace_.reset();
    zapytanie_.reset();
    akty_.reset();
    przepisy_.reset();
    izby_.reset();
    dzialy_.reset();
    try {
        konfiguracja_->ZapisanieKonfiguracji({x(), y(), width(), height()}, isMaximized());
    } catch (const EInOutError& e) {
        Ostrzezenie(QStringLiteral("Belvastrona"), qs(e.what()));
    }
    konfiguracja_.reset();
}

bool TfGlowne::eventFilter(QObject* obiekt, QEvent* e) {
    if (e->type() != QEvent::KeyPress || dane_ == nullptr) return false;
    // Only the first delivery, to the focused control (or to the window itself).
    QWidget* fokus = QApplication::focusWidget();
    if (obiekt != fokus && !(fokus == nullptr && obiekt == this)) return false;
    auto* w = qobject_cast<QWidget*>(obiekt);
    if (w == nullptr || w->window() != this) return false;
    return dane_->FormKeyDown(static_cast<QKeyEvent*>(e));
}

void TfGlowne::pbPomocClick() { mPomoc(KontekstPomocy); }

void TfGlowne::pbInformacjeClick() {
    pmInformacje->popup(QPoint(x() + pbInformacje->x(), y() + pbInformacje->y() + pbInformacje->height() + 20));
}

void TfGlowne::pbWlaczZliczanieClick() {
    konfiguracja_->Zliczanie = true;
    pbWlaczZliczanie->hide();
    pbWylaczZliczanie->show();
    dane_->ZliczanieWszystkichWarunkow();
}

void TfGlowne::pbWylaczZliczanieClick() {
    konfiguracja_->Zliczanie = false;
    pbWlaczZliczanie->show();
    pbWylaczZliczanie->hide();
    dane_->ZliczanieWszystkichWarunkow();
}

void TfGlowne::InneProduktyClick() {
    mUstawieniePlikuPomocy(QStringLiteral("inneprodukty.hlp"));
    mPomoc(100);
    mUstawieniePlikuPomocy(TAplikacja::PlikPomocy());
}

void TfGlowne::PomocDoProgramuClick() {
    if (!mOtwarcie(AdresProducenta()))
        Ostrzezenie(QStringLiteral("Błąd otwarcia witryny"),
                    QStringLiteral("Nieudana próba otwarcia przeglądarki dla witryny producenta."));
}

void TfGlowne::OProgramieClick() {
    TfWinieta okno(this);
    okno.exec();
}
