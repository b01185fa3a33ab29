// The main window's frame: start-up over a data directory, the command column, the chamber
// and act lists, Belvastrona.ini on the first and later runs, the closing question, help,
// the information menu and the default error handler.
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "Bezczynnosc.h"
#include "EdytorZapytania.h"
#include "FabrykaDanych.h"
#include "Konfiguracja.h"
#include "Pomoc.h"
#include "Powloka.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "TrybAktow.h"
#include "TestyOkien.h"
#include "Zapytanie.h"
#include "f_Glowne.h"
#include "f_Winieta.h"

namespace {

class TfGlowneTest : public ::testing::Test {
protected:
    void SetUp() override { Budowa(true, true); }

    void Budowa(bool zIzbami, bool zAktami) {
        TOpcjeKatalogu opcje;
        if (zIzbami) opcje.Izby = {{12, "Izba Skarbowa w Krakowie"}, {14, "Izba Skarbowa w Łodzi"}};
        if (zAktami) {
            TAktTestowy akt;
            akt.Numer = 7;
            akt.Nazwa = "Ustawa o podatku dochodowym";
            akt.Stem = "updof";
            akt.Fragmenty = {"podatek|podatek dochodowy"};
            akt.Poczatki = {0, 100};
            akt.TekstRtf = "Art. 1. Podatek dochodowy.";
            opcje.Akty = {akt};
        }
        BudowaKatalogu(dane.Sciezka(), {{"0000001.htm", "podatek dochodowy", zIzbami ? 12 : 0, {7}}}, opcje);
    }

    std::unique_ptr<TfGlowne> Otwarcie() {
        auto okno = std::make_unique<TfGlowne>(TOpcjeLadowania{dane.Sciezka()});
        okno->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(okno.get()));
        return okno;
    }

    static QComboBox* Lista(TfGlowne& okno, const char* nazwa) {
        return okno.tcDane->findChild<QComboBox*>(QString::fromLatin1(nazwa));
    }

    TTymczasowyKatalog dane;
    TBiezacyKatalog biezacy{dane.Sciezka()};
    TKonfiguracjaTestowa konfiguracja;
    TOdpowiedziDialogow dialogi;
};

}  // namespace

TEST_F(TfGlowneTest, FirstRunOpensAtTheDesignBoundsWithCountingOn) {
    auto okno = Otwarcie();
    EXPECT_EQ(okno->windowTitle(), QStringLiteral("Belvastrona 3.00"));
    EXPECT_EQ(okno->pos(), QPoint(18, 3));
    EXPECT_EQ(okno->size(), QSize(790, 570));
    EXPECT_EQ(okno->minimumSize(), QSize(790, 570));
    EXPECT_TRUE(okno->pbWylaczZliczanie->isVisible());
    EXPECT_FALSE(okno->pbWlaczZliczanie->isVisible());
    EXPECT_FALSE(konfiguracja.Istnieje());   // nothing is written before shut-down
    ASSERT_NE(okno->findChild<QWidget*>(QStringLiteral("tcDane")), nullptr);
}

TEST_F(TfGlowneTest, CommandColumnCaptionsHintsAndAnchors) {
    auto okno = Otwarcie();
    struct TOpis { TPrzyciskObrazkowy* b; const char* napis; const char* podpowiedz; };
    const TOpis opisy[] = {
        {okno->pbPomoc, "Pomoc", "Szukanie w indeksie pomocy"},
        {okno->pbCzysc, "&Czyść", "Wyczyszczenie warunków zapytania i raportu"},
        {okno->pbAktyWarunki, "Akty &/ Warunki", "Przełącznik aktów prawnych na warunki i odwrotnie"},
        {okno->pbWylaczZliczanie, "Wyłącz z&liczanie",
         "Wyłączenie zliczania \"w locie\" liczby dokumentów dla poszczególnych warunków zapytania"},
        {okno->pbWlaczZliczanie, "Włącz z&liczanie",
         "Włączenie zliczania \"w locie\" liczby dokumentów dla poszczególnych warunków zapytania"},
        {okno->pbSzablony, "Sza&blony", "Kartoteka szablonów"},
        {okno->pbRaporty, "&Raporty", "Kartoteka raportów z wynikami"},
        {okno->pbInformacje, "Infor&macje", "Menu informacji dodatkowych do programu"},
        {okno->pbKoniec, "&Koniec", "Zakończenie programu"},
    };
    for (const TOpis& o : opisy) {
        ASSERT_NE(o.b, nullptr);
        EXPECT_EQ(o.b->text(), QString::fromUtf8(o.napis));
        EXPECT_EQ(o.b->toolTip(), QString::fromUtf8(o.podpowiedz));
        const bool zliczanie = o.b == okno->pbWylaczZliczanie || o.b == okno->pbWlaczZliczanie;
        EXPECT_EQ(o.b->size(), QSize(zliczanie ? 82 : 80, 52)) << o.napis;
        EXPECT_GE(o.b->x(), okno->tcDane->geometry().right()) << o.napis;   // outside the panel
        EXPECT_EQ(o.b->cursor().shape(), Qt::PointingHandCursor);
    }
    // Captions fit their buttons whole.
    for (const TOpis& o : opisy) {
        const QString bez = QString(o.b->text()).remove(QLatin1Char('&'));
        EXPECT_LE(o.b->fontMetrics().horizontalAdvance(bez), o.b->width() - 4) << o.napis;
    }
    std::map<QWidget*, QPoint> przed;
    for (const TOpis& o : opisy) przed[o.b] = o.b->pos();
    const QRect panel = okno->tcDane->geometry();
    okno->resize(1000, 700);
    for (TPrzyciskObrazkowy* b : {okno->pbPomoc, okno->pbCzysc, okno->pbAktyWarunki, okno->pbWylaczZliczanie})
        EXPECT_EQ(b->pos(), przed[b] + QPoint(210, 0)) << b->objectName().toStdString();
    for (TPrzyciskObrazkowy* b : {okno->pbSzablony, okno->pbRaporty, okno->pbInformacje, okno->pbKoniec})
        EXPECT_EQ(b->pos(), przed[b] + QPoint(210, 130)) << b->objectName().toStdString();
    EXPECT_EQ(okno->tcDane->geometry(), panel.adjusted(0, 0, 210, 130));
}

TEST_F(TfGlowneTest, ChamberListEndsWithAllChambersAndTheFirstActIsLoaded) {
    {
        auto okno = Otwarcie();
        QComboBox* cxIzba = Lista(*okno, "cxIzba");
        ASSERT_NE(cxIzba, nullptr);
        ASSERT_EQ(cxIzba->count(), 3);
        EXPECT_EQ(cxIzba->itemText(1), QStringLiteral("Izba Skarbowa w Łodzi"));
        EXPECT_EQ(cxIzba->itemText(2), QStringLiteral("Wszystkie izby skarbowe"));
        EXPECT_EQ(cxIzba->currentIndex(), 2);
        EXPECT_EQ(okno->Edytor().Izba(), -1);
        EXPECT_EQ(okno->Akty().BiezacyAkt, "updof");
        // The act's phrase index is loaded: its first section's candidate phrases are there.
        EXPECT_EQ(okno->Sesja().Zapytanie().OdczytanieFraz(50), "podatek|podatek dochodowy");
        EXPECT_FALSE(okno->pbAktyWarunki->isHidden());
    }
    Budowa(false, false);
    auto okno = Otwarcie();
    QComboBox* cxIzba = Lista(*okno, "cxIzba");
    ASSERT_EQ(cxIzba->count(), 1);
    EXPECT_EQ(cxIzba->itemText(0), QStringLiteral("Wszystkie izby skarbowe"));
    EXPECT_TRUE(okno->Akty().BiezacyAkt.empty());
    EXPECT_TRUE(okno->pbAktyWarunki->isHidden());
}

TEST_F(TfGlowneTest, EveryCommandButtonIsEnabled) {
    auto okno = Otwarcie();
    for (TPrzyciskObrazkowy* b : {okno->pbPomoc, okno->pbCzysc, okno->pbAktyWarunki, okno->pbSzablony, okno->pbRaporty,
                                  okno->pbInformacje, okno->pbKoniec})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
}

TEST_F(TfGlowneTest, AnsweringNoKeepsTheWindowAndWritesNothing) {
    auto okno = Otwarcie();
    dialogi.Odpowiedz(7);
    okno->pbKoniec->click();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, QStringLiteral("Potwierdź"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, QStringLiteral("Czy na pewno zakończyć pracę programu?"));
    EXPECT_EQ(dialogi.Ostatni().Rodzaj, 3);
    EXPECT_EQ(dialogi.Ostatni().Domyslny, 0);
    EXPECT_TRUE(okno->isVisible());
    EXPECT_FALSE(konfiguracja.Istnieje());
}

TEST_F(TfGlowneTest, ClosingWritesTheIniFileOnceAtDestruction) {
    auto okno = Otwarcie();
    dialogi.Odpowiedz(6);
    okno->pbWylaczZliczanie->click();
    EXPECT_TRUE(okno->pbWlaczZliczanie->isVisible());
    EXPECT_FALSE(okno->pbWylaczZliczanie->isVisible());
    EXPECT_TRUE(okno->close());
    EXPECT_FALSE(okno->isVisible());
    okno.reset();
    EXPECT_EQ(konfiguracja.Zawartosc(),
              "[Dane]\r\nZliczanie=0\r\n"
              "[Glowne Okno]\r\nSzerokosc=790\r\nWysokosc=570\r\nX=18\r\nY=3\r\nMaksymalne=0\r\n");

    // The next start reads it: counting off shows the other button.
    okno = Otwarcie();
    EXPECT_TRUE(okno->pbWlaczZliczanie->isVisible());
    EXPECT_FALSE(okno->Sesja().Konfiguracja().Zliczanie);
}

TEST_F(TfGlowneTest, IniKeepsOtherContentIgnoresCaseAndFallsBackOnNonIntegers) {
    konfiguracja.Zapisanie("; moje\r\n[glowne okno]\r\nszerokosc=abc\r\nWYSOKOSC = 600\r\nx=40\r\ny=12x\r\n"
                           "[Inne]\r\nklucz=wartosc\r\n");
    auto okno = Otwarcie();
    EXPECT_EQ(okno->size(), QSize(790, 600));
    EXPECT_EQ(okno->pos(), QPoint(40, 3));
    EXPECT_TRUE(okno->Sesja().Konfiguracja().Zliczanie);
    okno.reset();
    EXPECT_EQ(konfiguracja.Zawartosc(),
              "; moje\r\n[glowne okno]\r\nszerokosc=790\r\nWYSOKOSC =600\r\nx=40\r\ny=3\r\n"
              "Maksymalne=0\r\n[Inne]\r\nklucz=wartosc\r\n[Dane]\r\nZliczanie=1\r\n");
}

TEST_F(TfGlowneTest, MaximisedWindowIsRememberedWithItsBounds) {
    konfiguracja.Zapisanie("[Glowne Okno]\r\nMaksymalne=1\r\n");
    auto okno = Otwarcie();
    EXPECT_TRUE(okno->isMaximized());
    CzekanieWPetli(50);
    const QSize maks = okno->size();
    okno.reset();
    TcKonfiguracja odczyt;
    odczyt.OdczytanieKonfiguracji({});
    EXPECT_TRUE(odczyt.Maksymalne);
    EXPECT_EQ(odczyt.Szerokosc, maks.width());
    EXPECT_EQ(odczyt.Wysokosc, maks.height());
}

TEST_F(TfGlowneTest, HelpOpensTopicsAndOtherProductsGivesTheOwnHelpFileBack) {
    auto okno = Otwarcie();
    okno->pbPomoc->click();
    ASSERT_NE(mOknoPomocy(), nullptr);
    EXPECT_TRUE(mOknoPomocy()->source().toLocalFile().endsWith(QStringLiteral("belvastrona/150.html")));
    EXPECT_TRUE(mOknoPomocy()->toPlainText().contains(QStringLiteral("Okno główne")));
    okno->InneProdukty->trigger();
    EXPECT_TRUE(mOknoPomocy()->source().toLocalFile().endsWith(QStringLiteral("inneprodukty/100.html")));
    EXPECT_EQ(mPlikPomocy(), QStringLiteral("Belvastrona.HLP"));
    okno->activateWindow();
    QTest::keyClick(okno.get(), Qt::Key_F1);
    EXPECT_TRUE(mOknoPomocy()->source().toLocalFile().endsWith(QStringLiteral("belvastrona/150.html")));
    for (int temat : {100, 160, 170}) EXPECT_FALSE(mSciezkaTematu(mPlikPomocy(), temat).isEmpty()) << temat;
    EXPECT_EQ(dialogi.Liczba(), 0u);
    mOknoPomocy()->close();
}

TEST_F(TfGlowneTest, MakersSiteFailureWarns) {
    auto okno = Otwarcie();
    QString otwarty;
    mUstawienieOtwierania([&otwarty](const QString& a) { otwarty = a; return true; });
    okno->PomocDoProgramu->trigger();
    EXPECT_EQ(otwarty, TfGlowne::AdresProducenta());
    EXPECT_EQ(dialogi.Liczba(), 0u);
    mUstawienieOtwierania([](const QString&) { return false; });
    okno->PomocDoProgramu->trigger();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Rodzaj, 0);
    EXPECT_EQ(dialogi.Ostatni().Tytul, QStringLiteral("Błąd otwarcia witryny"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, QStringLiteral("Nieudana próba otwarcia przeglądarki dla witryny producenta."));
    mUstawienieOtwierania(nullptr);
}

TEST_F(TfGlowneTest, InformationMenuAndAboutWindow) {
    auto okno = Otwarcie();
    const QList<QAction*> pozycje = okno->pmInformacje->actions();
    ASSERT_EQ(pozycje.size(), 3);
    EXPECT_EQ(pozycje[0]->text(), QStringLiteral("&Witryna producenta"));
    EXPECT_EQ(pozycje[1]->text(), QStringLiteral("&Inne produkty"));
    EXPECT_EQ(pozycje[2]->text(), QStringLiteral("&O programie..."));
    EXPECT_EQ(pozycje[2]->toolTip(), QStringLiteral("Informacje o programie"));

    QString tytul;
    ModalnyPo([&tytul](QWidget* w) {
        tytul = w->windowTitle();
        EXPECT_NE(qobject_cast<TfWinieta*>(w), nullptr);
        QTest::keyClick(w, Qt::Key_Return);
    });
    okno->OProgramie->trigger();
    EXPECT_EQ(tytul, QStringLiteral("O programie"));
    EXPECT_EQ(okno->findChildren<TfWinieta*>().size(), 0);   // released after closing
}

TEST_F(TfGlowneTest, ErrorsEscapingHandlersAreShownAndTheWindowStays) {
    auto okno = Otwarcie();
    auto* przycisk = new QPushButton(okno->tcDane);
    przycisk->show();
    QObject::connect(przycisk, &QPushButton::clicked, [] { mBladWewnetrzny("TfGlowne.Proba", 3); });
    QTest::mouseClick(przycisk, Qt::LeftButton);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Rodzaj, 0);
    EXPECT_EQ(dialogi.Ostatni().Tekst, QStringLiteral("Nieoczekiwany błąd: TfGlowne.Proba.3.\n"));
    EXPECT_TRUE(okno->isVisible());
}

TEST_F(TfGlowneTest, DataDirectoryThatFailsToLoadOpensNoWindow) {
    TTymczasowyKatalog pusty;
    TBiezacyKatalog tam(pusty.Sciezka());
    auto* aplikacja = static_cast<TAplikacja*>(qApp);
    EXPECT_EQ(aplikacja->Uruchomienie(TOpcjeLadowania{pusty.Sciezka()}), 1);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Rodzaj, 0);
    EXPECT_TRUE(dialogi.Ostatni().Tekst.startsWith(QStringLiteral("Błąd odczytu")));
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_FALSE(konfiguracja.Istnieje());
}
