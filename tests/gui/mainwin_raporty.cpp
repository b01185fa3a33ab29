// Saving the result as a report and opening a saved report from the main window.
#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>

#include "EdytorZapytania.h"
#include "EditNew.h"
#include "Zapytanie.h"
#include "mainwin_korpus.h"

namespace fs = std::filesystem;

namespace {

class TOknoRaportow : public TOknoGlowneTest {
protected:
    void SetUp() override {
        TOknoGlowneTest::SetUp();
        fs::create_directory("Raporty");
    }

    // Saves the result under `nazwa` as the user would; `poZatwierdzeniu` sees the name window
    // after "Zatwierdź" and closes it when it stayed open.
    void Zapisz(const QString& nazwa, std::function<void(QWidget*)> poZatwierdzeniu = nullptr) {
        ModalnyPo([&](QWidget* w) {
            auto* pole = w->findChild<TEditN*>(QStringLiteral("enNazwa"));
            ASSERT_NE(pole, nullptr);
            pole->setFocus();
            Wpisz(pole, nazwa);
            QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("bbZatwierdz")), Qt::LeftButton);
            if (poZatwierdzeniu) poZatwierdzeniu(w);
            if (w->isVisible()) QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("bbAnuluj")), Qt::LeftButton);
        });
        QTest::mouseClick(okno->bbZapiszRaport, Qt::LeftButton);
    }

    // Opens the report listed as `nazwa` through the selection window; an empty name declines.
    void Odczytaj(const QString& nazwa) {
        ModalnyPo([&](QWidget* w) {
            auto* lista = w->findChild<QTreeWidget*>(QStringLiteral("lvPlikRaportu"));
            ASSERT_NE(lista, nullptr);
            const auto wiersze = lista->findItems(nazwa, Qt::MatchExactly, 0);
            if (nazwa.isEmpty() || wiersze.isEmpty()) {
                QTest::keyClick(w, Qt::Key_Escape);
                return;
            }
            lista->setCurrentItem(wiersze.front());
            QTest::keyClick(lista, Qt::Key_Return);
        });
        QTest::mouseClick(okno->bbOdczytajRaport, Qt::LeftButton);
    }

    QStringList Dokumenty() {
        QStringList d;
        for (int i = 1; i < Wiersze().LiczbaWierszy(); ++i) d << Wiersze().Dane(i);
        return d;
    }
};

}  // namespace

TEST_F(TOknoRaportow, SavingNeedsAListAndWritesTheCheckedDocumentsWithTheirQuery) {
    QTest::mouseClick(okno->bbZapiszRaport, Qt::LeftButton);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Brak raportu"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Brak raportu do zapisania."));

    okno->Edytor().UstawienieIzbyWgNumeru(12);
    Slowo(1, QStringLiteral("gamma"));
    Szukaj();
    okno->Edytor().UstawienieIzbyWgNumeru(0);
    ASSERT_EQ(Dokumenty(), QStringList{QStringLiteral("54")});
    Zapisz(QStringLiteral("  Klient Kowalski "));
    EXPECT_EQ(OdczytPliku("Raporty/Klient Kowalski.rap"),
              "warunek=" + okno->Sesja().Zapytanie().WarunekPelny + "\nizba=12\nprzepis=0\nplik=54");
    EXPECT_NE(okno->Sesja().Zapytanie().WarunekPelny.find("\"gamma\""), std::string::npos);

    // Unchecked documents stay out; the rest keep the table order, also past the listed page.
    Slowo(1, QStringLiteral("alfa"));
    Szukaj();
    Wiersze().UstawienieZaznaczenia(2, false);
    const QString pominiety = Wiersze().Dane(2);
    Zapisz(QStringLiteral("alfa"));
    const std::string tekst = OdczytPliku("Raporty/alfa.rap");
    const std::string plik = tekst.substr(tekst.find("plik=") + 5);
    EXPECT_EQ(std::count(plik.begin(), plik.end(), '|'), 49);
    EXPECT_EQ(plik.substr(0, 3), "51|");
    EXPECT_EQ(("|" + plik + "|").find("|" + pominiety.toStdString() + "|"), std::string::npos);

    // A search without results gives a report without documents.
    Slowo(1, QStringLiteral("omega"));
    Szukaj();
    ASSERT_EQ(Wiersze().LiczbaWierszy(), 1);
    Zapisz(QStringLiteral("pusty"));
    const std::string pusty = OdczytPliku("Raporty/pusty.rap");
    EXPECT_EQ(pusty.substr(pusty.rfind('\n') + 1), "plik=");
}

TEST_F(TOknoRaportow, TheNameIsCheckedAndAnExistingReportReplacedOnlyAfterAsking) {
    Slowo(1, QStringLiteral("alfa"));
    Szukaj();
    Zapisz(QStringLiteral("Klient"));
    const std::string pierwszy = OdczytPliku("Raporty/Klient.rap");
    ASSERT_FALSE(pierwszy.empty());
    dialogi.Czyszczenie();

    // Spaces only: a beep and the name again, no message, nothing written.
    bool otwarte = false;
    Zapisz(QStringLiteral("   "), [&](QWidget* w) { otwarte = w->isVisible(); });
    EXPECT_TRUE(otwarte);
    EXPECT_EQ(dialogi.Liczba(), 0u);

    // Esc in the name field gives up, as "Anuluj" does.
    ModalnyPo([&](QWidget* w) {
        auto* pole = w->findChild<TEditN*>(QStringLiteral("enNazwa"));
        pole->setFocus();
        Wpisz(pole, QStringLiteral("porzucony"));
        QTest::keyClick(pole, Qt::Key_Escape);
        otwarte = w->isVisible();
        if (otwarte) w->close();
    });
    QTest::mouseClick(okno->bbZapiszRaport, Qt::LeftButton);
    EXPECT_FALSE(otwarte);
    EXPECT_FALSE(fs::exists("Raporty/porzucony.rap"));

    // A name that would leave the folder.
    Zapisz(QStringLiteral("../poza"), [&](QWidget* w) { otwarte = w->isVisible(); });
    EXPECT_TRUE(otwarte);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Błędna nazwa raportu"));
    EXPECT_FALSE(fs::exists("poza.rap"));

    // The same name in other letters is the same report: "Nie" keeps it and the window open.
    Slowo(1, QStringLiteral("gamma"));
    Szukaj();
    dialogi.Czyszczenie();
    dialogi.Odpowiedz(7);
    Zapisz(QStringLiteral("KLIENT"), [&](QWidget* w) { otwarte = w->isVisible(); });
    EXPECT_TRUE(otwarte);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Potwierdź nadpisanie"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Istnieje raport o podanej nazwie.\nCzy nadpisać istniejący raport?"));
    EXPECT_EQ(OdczytPliku("Raporty/Klient.rap"), pierwszy);

    // "Tak" replaces it whole, under its own name: no trace of the longer report is left.
    dialogi.Odpowiedz(6);
    Zapisz(QStringLiteral("KLIENT"));
    EXPECT_EQ(OdczytPliku("Raporty/Klient.rap"),
              "warunek=" + okno->Sesja().Zapytanie().WarunekPelny + "\nizba=0\nprzepis=0\nplik=54");
    EXPECT_FALSE(fs::exists("Raporty/KLIENT.rap"));

    // A save that fails says so and leaves the window for another name or "Anuluj".
    fs::remove_all("Raporty");
    dialogi.Czyszczenie();
    Zapisz(QStringLiteral("Nowy"), [&](QWidget* w) { otwarte = w->isVisible(); });
    EXPECT_TRUE(otwarte);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Błąd zapisu raportu"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Podczas zapisu raportu wystąpił błąd."));
}

TEST_F(TOknoRaportow, AnOpenedReportIsTheResultAndRestrictsTheNextSearchToItsDocuments) {
    ZapisPliku("Raporty/spadki.rap", "warunek=\"gamma\"\nizba=12\nprzepis=7\nplik=54|53|1");
    Odczytaj(QStringLiteral("spadki"));
    // The table keeps the report's order; the page lists later entries first (1 is the newest).
    const TcTablicaRaportu& t = Lista().TablicaRaportu;
    ASSERT_EQ(t.Liczba, 3);
    EXPECT_EQ(t.Pozycje[1].NrDokumentu, 54);
    EXPECT_EQ(t.Pozycje[2].NrDokumentu, 53);
    EXPECT_EQ(t.Pozycje[3].NrDokumentu, 1);
    ASSERT_EQ(Dokumenty(), (QStringList{QStringLiteral("1"), QStringLiteral("54"), QStringLiteral("53")}));
    const QStringList naglowek = Wiersze().Tekst(0).split(QStringLiteral("\r\n"));
    EXPECT_EQ(naglowek.value(0), PLq("LICZBA WYJAŚNIEŃ: 3/3"));
    EXPECT_EQ(naglowek.value(1), QStringLiteral("WARUNEK: \"gamma\""));
    EXPECT_EQ(naglowek.value(2), PLq("IZBA: Izba Skarbowa w Krakowie"));
    EXPECT_EQ(naglowek.value(3), QStringLiteral("PRZEPIS: art. 7 ust. 1"));
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(Wiersze().Zaznaczony(i)) << i;
    EXPECT_TRUE(okno->Sesja().Zapytanie().WarunekPelny.empty());

    // Saved again at once: the same documents in the same order and an empty condition.
    Zapisz(QStringLiteral("kopia"));
    EXPECT_EQ(OdczytPliku("Raporty/kopia.rap"), "warunek=\nizba=0\nprzepis=0\nplik=54|53|1");

    // "podatek" alone finds 52 and 53; within the report only 53.
    Slowo(1, QStringLiteral("podatek"));
    QTest::mouseClick(okno->Edytor().cbTylkoDoRaportu, Qt::LeftButton);
    ASSERT_TRUE(okno->Edytor().cbTylkoDoRaportu->isChecked());
    Szukaj();
    EXPECT_EQ(Dokumenty(), QStringList{QStringLiteral("53")});
}

TEST_F(TOknoRaportow, AReportThatCannotBeOpenedChangesNothing) {
    Slowo(1, QStringLiteral("gamma"));
    Szukaj();
    const std::string raport = okno->Sesja().Zapytanie().Raport;
    ZapisPliku("Raporty/windows.rap", "warunek=\r\nizba=0\r\nprzepis=0\r\nplik=1|2");
    Odczytaj(QStringLiteral("windows"));
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_TRUE(dialogi.Ostatni().Tekst.contains(QStringLiteral("windows.rap"))) << dialogi.Ostatni().Tekst.toStdString();
    EXPECT_EQ(Dokumenty(), QStringList{QStringLiteral("54")});
    EXPECT_EQ(okno->Sesja().Zapytanie().Raport, raport);

    // Declining the selection window leaves the list and the query as they were.
    Odczytaj(QString());
    EXPECT_EQ(Dokumenty(), QStringList{QStringLiteral("54")});
    EXPECT_EQ(okno->Sesja().Zapytanie().Raport, raport);

    // An empty report opens as an empty result.
    ZapisPliku("Raporty/pusty.rap", "warunek=\nizba=0\nprzepis=0\nplik=");
    Odczytaj(QStringLiteral("pusty"));
    EXPECT_EQ(Wiersze().LiczbaWierszy(), 1);
    EXPECT_TRUE(Podsumowanie().startsWith(PLq("LICZBA WYJAŚNIEŃ: 0")));
}

TEST_F(TOknoRaportow, TheReportsButtonOpensTheCatalogue) {
    ASSERT_TRUE(okno->pbRaporty->isEnabled());
    QString tytul;
    ModalnyPo([&](QWidget* w) {
        tytul = w->windowTitle();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    QTest::mouseClick(okno->pbRaporty, Qt::LeftButton);
    EXPECT_EQ(tytul, PLq("Kartoteka raportów"));
}
