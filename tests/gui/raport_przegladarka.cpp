// The report viewer over a small generated corpus: its pages and summary row, the rows it
// lists, showing a document with the report's phrases marked, and the reports it refuses.
//
// Documents (names 0000001.htm ...):
//   1..51   "alfa beta dokument numer d", entry dates spread over a week (a page is reordered)
//   52      "Podatek dochodowy oraz VAT" followed by 600 characters of filler
//   53      "podatek od spadków" from chamber 12 ("Izba Skarbowa w Krakowie"), provision 7
//   54      "gamma"
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "Bezczynnosc.h"
#include "FabrykaDanych.h"
#include "ListaZaznaczen.h"
#include "Powloka.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "Tekst.h"
#include "TestyOkien.h"
#include "Zapytanie.h"
#include "f_Raport.h"

namespace {

uint32_t DataSpakowana(int rok, int miesiac, int dzien, int godzina, int minuta, int sekunda = 0) {
    return uint32_t(rok - 1980) << 25 | uint32_t(miesiac) << 21 | uint32_t(dzien) << 16 | uint32_t(godzina) << 11 |
           uint32_t(minuta) << 5 | uint32_t(sekunda / 2);
}

// 60 words of ten characters after the first 27: the text runs well past 530 characters.
std::string DlugiTekst() {
    std::string t = "Podatek dochodowy oraz VAT ";
    for (int i = 0; i < 60; ++i) t += "slowo" + std::to_string(1000 + i) + " ";
    return t;
}

std::string Plik(const char* nazwa) {
    QFile f(QString::fromLatin1(nazwa));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}

size_t Wystapienia(const std::string& tekst, const std::string& czego) {
    size_t n = 0;
    for (size_t p = tekst.find(czego); p != std::string::npos; p = tekst.find(czego, p + 1)) ++n;
    return n;
}

std::string Raport(const std::string& warunek, int izba, int przepis, const std::string& pliki) {
    return "warunek=" + warunek + "\nizba=" + std::to_string(izba) + "\nprzepis=" + std::to_string(przepis) +
           "\nplik=" + pliki;
}

std::string Kolejne(int od, int do_) {
    std::string t;
    for (int d = od; d <= do_; ++d) t += (t.empty() ? "" : "|") + std::to_string(d);
    return t;
}

class TfRaportTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<TDokumentTestowy> dokumenty;
        for (int d = 1; d <= 51; ++d) {
            TDokumentTestowy t{Nazwa(d), "alfa beta dokument numer " + std::to_string(d)};
            t.Data = DataSpakowana(2004, 5, 1 + d % 7, 10, 0, (d % 30) * 2);
            dokumenty.push_back(t);
        }
        dokumenty.push_back({Nazwa(52), DlugiTekst()});
        dokumenty.push_back({Nazwa(53), "podatek od spadków", 12, {7}});
        dokumenty.push_back({Nazwa(54), "gamma"});
        TOpcjeKatalogu opcje;
        opcje.Izby = {{12, "Izba Skarbowa w Krakowie"}};
        opcje.Przepisy = {{7, {"art. 7 ust. 1", 1}}};
        opcje.Dzialy = {{1, "Podatek dochodowy"}};
        BudowaKatalogu(katalog.Sciezka(), dokumenty, opcje);
        biezacy = std::make_unique<TBiezacyKatalog>(katalog.Sciezka());
        TOpcjeSesji o;
        o.Ladowanie.Katalog = katalog.Sciezka();
        o.OdczytKonfiguracji = false;
        sesja = std::make_unique<TcSesja>(o);
        mUstawienieOtwierania([this](const QString& plik) {
            otwarte << plik;
            return wynikOtwarcia;
        });
    }

    void TearDown() override {
        mUstawienieOtwierania(nullptr);
        sesja.reset();
        biezacy.reset();
    }

    // Shows the viewer for a report text and runs `dzialanie` on it once it is open; the
    // window is closed afterwards whatever the checks found. Returns exec()'s result.
    int Przegladanie(const std::string& tekst, const std::function<void(TfRaport&)>& dzialanie) {
        TfRaport okno(*sesja);
        okno.Raport = tekst;
        okno.Plik = "Raporty/test.rap";
        okno.setWindowTitle(QStringLiteral("Raport - test"));
        bool pokazane = false;
        ModalnyPo([&](QWidget* w) {
            pokazane = true;
            struct TZamkniecie {
                TfRaport& o;
                ~TZamkniecie() {
                    if (o.isVisible()) o.done(2);
                }
            } zamkniecie{okno};
            EXPECT_EQ(w, &okno);
            QApplication::processEvents();
            dzialanie(okno);
        });
        const int wynik = okno.exec();
        EXPECT_TRUE(pokazane);
        return wynik;
    }

    // The summary row's lines.
    static QStringList Podsumowanie(TfRaport& o) { return o.clvRaport->Tekst(0).split(QStringLiteral("\r\n")); }

    // Selects document row `wiersz` and shows it in the given way: 0 Enter, 1 double click,
    // 2 the button.
    static void Pokazanie(TfRaport& o, int wiersz, int sposob) {
        TListaZaznaczen& l = *o.clvRaport;
        l.setFocus();
        l.UstawienieWybranego(wiersz);
        mBezczynnosc::Wykonanie();
        if (sposob == 0) {
            QTest::keyClick(&l, Qt::Key_Return);
        } else if (sposob == 1) {
            Dwuklik(l.viewport(), l.visualItemRect(l.topLevelItem(wiersz)).center());
        } else {
            QTest::mouseClick(o.pbPokaz, Qt::LeftButton);
        }
    }

    TTymczasowyKatalog katalog;
    std::unique_ptr<TBiezacyKatalog> biezacy;
    std::unique_ptr<TcSesja> sesja;
    TOdpowiedziDialogow dialogi;
    QStringList otwarte;
    bool wynikOtwarcia = true;
};

}  // namespace

TEST_F(TfRaportTest, WindowKeepsEveryControlInsideAndWhole) {
    const int wynik = Przegladanie(Raport("", 0, 0, "1"), [](TfRaport& o) {
        EXPECT_EQ(o.size(), QSize(638, 506));
        EXPECT_EQ(o.minimumSize(), o.maximumSize());
        EXPECT_EQ(o.windowTitle(), QStringLiteral("Raport - test"));
        EXPECT_EQ(o.clvRaport->size(), QSize(517, 451));
        EXPECT_EQ(o.clvRaport->headerItem()->text(0), PLq("Wyjaśnienia z datą wpisu do bazy"));
        EXPECT_EQ(o.lbRaport->buddy(), o.clvRaport);

        const QList<QWidget*> kontrolki = {o.lbRaport,  o.clvRaport, o.sbPierwszy, o.sbPoprzedni, o.sbNastepny,
                                          o.sbOstatni, o.pbPokaz,   o.pbPomoc,    o.pbZamknij};
        for (QWidget* k : kontrolki) {
            EXPECT_EQ(o.findChild<QWidget*>(k->objectName()), k);
            EXPECT_TRUE(QRect(QPoint(0, 0), o.size()).contains(k->geometry())) << k->objectName().toStdString();
            for (QWidget* inna : kontrolki) {
                if (inna == k) continue;
                EXPECT_FALSE(k->geometry().intersects(inna->geometry()))
                    << k->objectName().toStdString() << " " << inna->objectName().toStdString();
            }
        }
        // The paging buttons stand above the list's right end, in their order.
        const QRect lista = o.clvRaport->geometry();
        EXPECT_LE(o.sbOstatni->geometry().bottom(), lista.top());
        EXPECT_GE(o.sbOstatni->geometry().right(), lista.right() - 10);
        EXPECT_GT(o.sbPierwszy->x(), o.lbRaport->geometry().right());
        EXPECT_LT(o.sbPierwszy->x(), o.sbPoprzedni->x());
        EXPECT_LT(o.sbPoprzedni->x(), o.sbNastepny->x());
        EXPECT_LT(o.sbNastepny->x(), o.sbOstatni->x());
        // The image buttons right of the list, their captions whole.
        for (TPrzyciskObrazkowy* b : {o.pbPokaz, o.pbPomoc, o.pbZamknij}) {
            EXPECT_GT(b->x(), lista.right()) << b->objectName().toStdString();
            const QString napis = b->text().remove(QLatin1Char('&'));
            EXPECT_LE(b->fontMetrics().horizontalAdvance(napis), b->width() - 4) << napis.toStdString();
        }
        EXPECT_EQ(o.pbPokaz->text(), PLq("&Pokaż"));
        EXPECT_EQ(o.pbPokaz->toolTip(), PLq("Pokazanie bieżącego wyjaśnienia z raportu"));
        EXPECT_EQ(o.pbPomoc->toolTip(), PLq("Szukanie w indeksie pomocy"));
        EXPECT_TRUE(o.pbPokaz->Domyslny());
        EXPECT_TRUE(o.pbZamknij->Anulujacy());
        o.close();   // the close box closes as "Zamknij" does
    });
    EXPECT_EQ(wynik, 2);
}

TEST_F(TfRaportTest, FiftyTheFirstPageWithTheHeaderLinesAndTheLastWithoutThem) {
    // A condition long enough to take two lines of 90 characters.
    const std::string warunek = "\"alfa\" AND \"beta\" AND \"dokument\" AND \"numer\" AND \"alfa beta\" AND "
                                "\"beta dokument\" AND \"x\"";
    ASSERT_GT(warunek.size() + 9, 91u);
    ASSERT_LT(warunek.size() + 9, 182u);
    const int wynik = Przegladanie(Raport(warunek, 12, 7, Kolejne(1, 51)), [&](TfRaport& o) {
        TListaZaznaczen& l = *o.clvRaport;
        QStringList s = Podsumowanie(o);
        ASSERT_GE(s.size(), 4);
        EXPECT_EQ(s[0], PLq("LICZBA WYJAŚNIEŃ: [ 1 - 50 ] / 51"));
        EXPECT_EQ(s.mid(1).join(QString()), QStringLiteral("WARUNEK: ") + qs(warunek) +
                                                QStringLiteral("IZBA: Izba Skarbowa w Krakowie") +
                                                QStringLiteral("PRZEPIS: art. 7 ust. 1"));
        EXPECT_EQ(s.size(), 5);
        for (const QString& linia : s) EXPECT_LE(linia.size(), TfRaport::ZnakowLinii);
        EXPECT_EQ(l.Wysokosc(0), 1 + 2 + 1 + 1);
        EXPECT_EQ(l.Tlo(0), QColor(213, 204, 187));
        ASSERT_EQ(l.LiczbaWierszy(), 51);
        // Documents 1..50, later entries first; no row has a check box.
        QList<int> numery;
        for (int w = 0; w < l.LiczbaWierszy(); ++w) {
            EXPECT_FALSE(l.PoleWyboru(w)) << w;
            if (w == 0) continue;
            numery << l.Dane(w).toInt();
            if (w > 1) {
                EXPECT_GE(l.Klucz(w - 1), l.Klucz(w)) << w;
            }
        }
        std::sort(numery.begin(), numery.end());
        EXPECT_EQ(numery.front(), 1);
        EXPECT_EQ(numery.back(), 50);
        EXPECT_EQ(numery.size(), 50);
        EXPECT_EQ(l.Klucz(1), QStringLiteral("2004-05-07 10:00"));
        EXPECT_TRUE(l.Tekst(1).startsWith(QStringLiteral("[ 07-05-2004 ] alfa beta dokument numer ")));

        mBezczynnosc::Wykonanie();
        EXPECT_FALSE(o.acPierwszy->isEnabled() || o.acPoprzedni->isEnabled());
        EXPECT_TRUE(o.acNastepny->isEnabled() && o.acOstatni->isEnabled());
        EXPECT_TRUE(o.sbOstatni->isEnabled());

        QTest::keyClick(&l, Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(l.Tekst(0), PLq("LICZBA WYJAŚNIEŃ: [ 51 - 51 ] / 51"));
        EXPECT_EQ(l.Wysokosc(0), 1);
        ASSERT_EQ(l.LiczbaWierszy(), 2);
        EXPECT_EQ(l.Dane(1), QStringLiteral("51"));
        mBezczynnosc::Wykonanie();
        EXPECT_TRUE(o.acPierwszy->isEnabled() && o.acPoprzedni->isEnabled());
        EXPECT_FALSE(o.acNastepny->isEnabled() || o.acOstatni->isEnabled());

        QTest::keyClick(&l, Qt::Key_PageUp, Qt::ControlModifier);
        EXPECT_EQ(Podsumowanie(o).size(), 5);
        QTest::keyClick(&l, Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(l.Tekst(0), PLq("LICZBA WYJAŚNIEŃ: [ 51 - 51 ] / 51"));
        QTest::keyClick(&l, Qt::Key_Home, Qt::ControlModifier);
        EXPECT_EQ(Podsumowanie(o)[0], PLq("LICZBA WYJAŚNIEŃ: [ 1 - 50 ] / 51"));
        EXPECT_EQ(dialogi.Liczba(), 0u);

        // Esc closes the window.
        QTest::keyClick(&o, Qt::Key_Escape);
        EXPECT_FALSE(o.isVisible());
    });
    EXPECT_EQ(wynik, 2);
}

TEST_F(TfRaportTest, ColumnLeavesRoomForTheScrollBarAboveThreeDocuments) {
    Przegladanie(Raport("", 0, 0, "52|53|54"), [](TfRaport& o) {
        EXPECT_EQ(o.clvRaport->SzerokoscKolumny(), 513);
        EXPECT_EQ(o.clvRaport->Tekst(0), PLq("LICZBA WYJAŚNIEŃ: 3/3"));
    });
    Przegladanie(Raport("", 0, 0, "52|53|54|1"), [](TfRaport& o) {
        EXPECT_EQ(o.clvRaport->SzerokoscKolumny(), 497);
        EXPECT_EQ(o.clvRaport->Tekst(0), PLq("LICZBA WYJAŚNIEŃ: 4/4"));
    });
    // No documents at all: the summary alone, every paging action off.
    Przegladanie(Raport("", 0, 0, ""), [](TfRaport& o) {
        EXPECT_EQ(o.clvRaport->LiczbaWierszy(), 1);
        EXPECT_EQ(o.clvRaport->Tekst(0), PLq("LICZBA WYJAŚNIEŃ: 0/0"));
        mBezczynnosc::Wykonanie();
        for (QAction* a : {o.acPierwszy, o.acPoprzedni, o.acNastepny, o.acOstatni, o.acPokaz})
            EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    });
}

TEST_F(TfRaportTest, RowsShowTheFirst530CharactersWrappedAt90AndSixLinesHigh) {
    Przegladanie(Raport("", 0, 0, "52|54"), [](TfRaport& o) {
        TListaZaznaczen& l = *o.clvRaport;
        ASSERT_EQ(l.LiczbaWierszy(), 3);
        const int dlugi = l.Dane(1) == QStringLiteral("52") ? 1 : 2;
        const QStringList linie = l.Tekst(dlugi).split(QStringLiteral("\r\n"));
        // Lines break after a space, so joined again they give the row's text back. The plain
        // text opens with the paragraph's line feed, one of the 530 characters kept.
        EXPECT_EQ(linie.join(QString()).toStdString(), "[ 01-05-2004 ] " + DlugiTekst().substr(0, 529));
        EXPECT_GT(linie.size(), 6);
        for (const QString& linia : linie) EXPECT_LE(linia.size(), 90) << linia.toStdString();
        EXPECT_GT(linie[1].size(), 80);   // wrapped at 90, not narrower
        EXPECT_EQ(l.Wysokosc(dlugi), 6);
        EXPECT_EQ(l.Tekst(3 - dlugi), QStringLiteral("[ 01-05-2004 ] gamma"));
        EXPECT_EQ(l.Wysokosc(3 - dlugi), 6);
        // The list shows six whole lines of a row.
        EXPECT_GE(l.visualItemRect(l.topLevelItem(dlugi)).height(), 6 * l.fontMetrics().lineSpacing());
    });
}

TEST_F(TfRaportTest, ShownDocumentMarksThePhrasesOfOneKindOfOperatorOnly) {
    const std::string znacznik = "<SPAN CLASS=wyroznienie>";
    struct TPrzypadek {
        std::string Warunek;
        std::vector<std::string> Wyroznione;
    };
    const std::vector<TPrzypadek> przypadki = {
        {"\"podatek\" AND \"VAT\"", {"Podatek", "VAT"}},
        {"\"podatek\" AND \"dochodowy\" OR \"VAT\"", {}},
        {"\"VAT\"", {"VAT"}},
        {"", {}},
        {"( \"podatek\" AND \"dochodowy\" ) AND ( \"VAT\" )", {"Podatek", "dochodowy", "VAT"}},
        {"\"podatek\" AND_NOT \"VAT\"", {}},
    };
    int sposob = 0;
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(p.Warunek);
        QFile::remove(QStringLiteral("tmp.htm"));
        otwarte.clear();
        Przegladanie(Raport(p.Warunek, 0, 0, "54|52"), [&](TfRaport& o) {
            const int wiersz = o.clvRaport->Dane(1) == QStringLiteral("52") ? 1 : 2;
            Pokazanie(o, wiersz, sposob++ % 3);
            ASSERT_EQ(otwarte, QStringList{QStringLiteral("tmp.htm")});
            const std::string html = Plik("tmp.htm");
            ASSERT_NE(html.find("slowo1000"), std::string::npos) << html;   // document 52
            EXPECT_EQ(Wystapienia(html, znacznik), p.Wyroznione.size()) << html;
            for (const std::string& w : p.Wyroznione)
                EXPECT_NE(html.find(znacznik + w + "</SPAN>"), std::string::npos) << w << "\n" << html;
            EXPECT_TRUE(o.isVisible());
        });
    }
    EXPECT_EQ(dialogi.Liczba(), 0u);
}

TEST_F(TfRaportTest, SummaryRowShowsNothingAndABrowserThatWillNotOpenIsReported) {
    Przegladanie(Raport("\"gamma\"", 0, 0, "54"), [&](TfRaport& o) {
        TListaZaznaczen& l = *o.clvRaport;
        EXPECT_FALSE(o.acPokaz->isEnabled());   // nothing selected yet
        for (int sposob : {0, 1, 2}) {
            Pokazanie(o, 0, sposob);
            EXPECT_FALSE(o.pbPokaz->isEnabled());
        }
        EXPECT_TRUE(otwarte.isEmpty());
        EXPECT_FALSE(QFile::exists(QStringLiteral("tmp.htm")));
        // Selecting a document enables it at the next idle moment.
        l.UstawienieWybranego(1);
        mBezczynnosc::Wykonanie();
        EXPECT_TRUE(o.pbPokaz->isEnabled());

        wynikOtwarcia = false;
        Pokazanie(o, 1, 0);
        EXPECT_EQ(otwarte.size(), 1);
        ASSERT_EQ(dialogi.Liczba(), 1u);
        EXPECT_EQ(dialogi.Ostatni().Rodzaj, 0);
        EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Błąd pokazania wyjaśnienia"));
        EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Nieudana próba otwarcia przeglądarki dla wyjaśnienia z raportu."));
        EXPECT_TRUE(QFile::exists(QStringLiteral("tmp.htm")));
        EXPECT_TRUE(o.isVisible());
    });
}

TEST_F(TfRaportTest, RefusedReportIsAWarningAndNothingIsShown) {
    const std::pair<std::string, const char*> przypadki[] = {
        {"warunek=\r\nizba=7\r\nprzepis=0\r\nplik=1|2",
         "Plik raportu 'Raporty/test.rap' jest uszkodzony: numer izby '7\\r' nie jest liczbą całkowitą."},
        {"", "Plik raportu 'Raporty/test.rap' jest pusty."},
    };
    for (const auto& [tekst, komunikat] : przypadki) {
        dialogi.Czyszczenie();
        TfRaport okno(*sesja);
        okno.Raport = tekst;
        okno.Plik = "Raporty/test.rap";
        // Should the window open after all, it is recorded and closed at once.
        bool pokazane = false;
        QTimer straz;
        QObject::connect(&straz, &QTimer::timeout, &okno, [&] {
            if (!okno.isVisible()) return;
            pokazane = true;
            okno.done(1);
        });
        straz.start(10);
        EXPECT_EQ(okno.exec(), 2);
        EXPECT_FALSE(pokazane);
        EXPECT_EQ(okno.clvRaport->LiczbaWierszy(), 0);
        ASSERT_EQ(dialogi.Liczba(), 1u);
        EXPECT_EQ(dialogi.Ostatni().Rodzaj, 0);
        EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Błąd odczytu raportu"));
        EXPECT_EQ(dialogi.Ostatni().Tekst, PLq(komunikat));
    }
}

TEST_F(TfRaportTest, DocumentsOutsideTheStoreAreLeftOutAndSaidOnce) {
    Przegladanie(Raport("", 0, 0, "54|0|99|2|-3|55"), [&](TfRaport& o) {
        ASSERT_EQ(dialogi.Liczba(), 1u);
        EXPECT_EQ(dialogi.Ostatni().Rodzaj, 2);
        EXPECT_TRUE(dialogi.Ostatni().Tekst.contains(QStringLiteral(": 4."))) << dialogi.Ostatni().Tekst.toStdString();
        EXPECT_EQ(o.clvRaport->Tekst(0), PLq("LICZBA WYJAŚNIEŃ: 2/2"));
        EXPECT_EQ(o.LiczbaDokumentow, 2);
        QTest::keyClick(o.clvRaport, Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(dialogi.Liczba(), 1u);
    });

    // A list filled by other means: a number the store does not hold is never read.
    TfRaport okno(*sesja);
    okno.Dokumenty = {2, 999, 0};
    okno.LiczbaDokumentow = 3;
    EXPECT_NO_THROW(okno.PokazanieStrony());
    ASSERT_EQ(okno.clvRaport->LiczbaWierszy(), 2);
    EXPECT_EQ(okno.clvRaport->Dane(1), QStringLiteral("2"));
}

TEST_F(TfRaportTest, ViewingLeavesTheSessionsQueryAsItWas) {
    TcZapytanie& q = sesja->Zapytanie();
    q.Interpretacja = q.PismoMinisterstwa = q.TezaOrzeczenia = true;
    q.Warunek = "\"alfa\"";
    ASSERT_TRUE(sesja->Wykonanie(q));
    q.Raport = "warunek=\"alfa\"\nizba=0\nprzepis=0\nplik=1";
    const std::string warunekPelny = q.WarunekPelny, raport = q.Raport;
    const TcTablicaLogiczna wynik = q.Wynik;
    ASSERT_FALSE(warunekPelny.empty());

    Przegladanie(Raport("\"gamma\"", 12, 7, "53|54|52"), [&](TfRaport& o) {
        Pokazanie(o, 1, 0);
        EXPECT_EQ(otwarte.size(), 1);
        QTest::keyClick(o.clvRaport, Qt::Key_End, Qt::ControlModifier);
    });
    EXPECT_EQ(q.Warunek, "\"alfa\"");
    EXPECT_EQ(q.WarunekPelny, warunekPelny);
    EXPECT_EQ(q.Raport, raport);
    EXPECT_EQ(q.Izba, 0);
    EXPECT_EQ(q.Przepis, 0);
    EXPECT_EQ(Dokumenty(q.Wynik), Dokumenty(wynik));
}
