// The check-box list view of the result lists: row heights in lines, hidden boxes, sorting,
// the count of fully visible rows, and the Enter signal.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "ListaZaznaczen.h"

namespace {

class TListaZaznaczenTest : public ::testing::Test {
protected:
    void SetUp() override {
        lista.resize(300, 200);
        lista.show();
        lista.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&lista));
    }
    int Dodanie(const QString& tekst, int linii, const QString& klucz = QString()) {
        const int w = lista.DodanieWiersza();
        lista.UstawienieTekstu(w, tekst);
        lista.UstawienieWysokosci(w, linii);
        lista.UstawienieKlucza(w, klucz);
        lista.UstawienieDanych(w, QString::number(w));
        return w;
    }
    int WysokoscPikseli(int w) {
        QApplication::processEvents();
        return lista.visualItemRect(lista.topLevelItem(w)).height();
    }
    TListaZaznaczen lista;
};

}  // namespace

TEST_F(TListaZaznaczenTest, RowsTakeTheirHeightInLinesAndKeepMultiLineCaptions) {
    Dodanie(QStringLiteral("a\r\nb\r\nc"), 3);
    Dodanie(QStringLiteral("x"), 1);
    Dodanie(QStringLiteral("y"), 6);
    const int jedna = WysokoscPikseli(1);
    EXPECT_GE(jedna, lista.WysokoscLinii());
    EXPECT_EQ(WysokoscPikseli(0) - jedna, 2 * lista.WysokoscLinii());
    EXPECT_EQ(WysokoscPikseli(2) - jedna, 5 * lista.WysokoscLinii());
    EXPECT_EQ(lista.Tekst(0), QStringLiteral("a\r\nb\r\nc"));
    // 130 pixels hold the header, the first two rows and not the six-line one.
    lista.resize(300, 130);
    QApplication::processEvents();
    EXPECT_EQ(lista.LiczbaWidocznych(), 2);
    lista.resize(300, 600);
    QApplication::processEvents();
    EXPECT_EQ(lista.LiczbaWidocznych(), 3);
}

TEST_F(TListaZaznaczenTest, HiddenBoxCannotBeToggledByTheUser) {
    Dodanie(QStringLiteral("podsumowanie"), 1);
    Dodanie(QStringLiteral("dokument"), 1);
    lista.UstawieniePolaWyboru(0, false);
    lista.UstawienieZaznaczenia(1, true);
    QApplication::processEvents();
    for (int w : {0, 1}) {
        const QRect r = lista.visualItemRect(lista.topLevelItem(w));
        QTest::mouseClick(lista.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(r.left() + 10, r.center().y()));
    }
    EXPECT_FALSE(lista.Zaznaczony(0));
    EXPECT_FALSE(lista.PoleWyboru(0));
    EXPECT_FALSE(lista.Zaznaczony(1));   // the user unchecked the document's box
}

TEST_F(TListaZaznaczenTest, SortingIsStableAndCarriesTheRowsData) {
    const QStringList klucze{QStringLiteral("2004-05-01 10:00"), QStringLiteral("2004-05-03 10:00"),
                             QStringLiteral("2004-05-01 10:00"), QStringLiteral("2004-05-03 10:00")};
    for (const QString& k : klucze) Dodanie(k, 1, k);
    lista.UstawienieZaznaczenia(2, true);
    lista.Sortowanie([&](int a, int b) {
        const QString ka = lista.Klucz(a), kb = lista.Klucz(b);
        return ka > kb ? -1 : (ka < kb ? 1 : 0);
    });
    QStringList dane;
    for (int w = 0; w < lista.LiczbaWierszy(); ++w) dane << lista.Dane(w);
    EXPECT_EQ(dane, (QStringList{QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("2")}));
    EXPECT_TRUE(lista.Zaznaczony(3));
    EXPECT_FALSE(lista.Zaznaczony(2));

    lista.WstawienieWiersza(0);
    EXPECT_EQ(lista.LiczbaWierszy(), 5);
    EXPECT_EQ(lista.Dane(1), QStringLiteral("1"));
}

TEST_F(TListaZaznaczenTest, EnterIsSignalledAndSelectionRead) {
    Dodanie(QStringLiteral("a"), 1);
    Dodanie(QStringLiteral("b"), 1);
    EXPECT_EQ(lista.WybranyWiersz(), -1);
    QSignalSpy enter(&lista, &TListaZaznaczen::Enter);
    lista.UstawienieWybranego(1);
    QTest::keyClick(&lista, Qt::Key_Return);
    EXPECT_EQ(enter.count(), 1);
    EXPECT_EQ(lista.WybranyWiersz(), 1);
    lista.Wyczyszczenie();
    EXPECT_EQ(lista.WybranyWiersz(), -1);
}
