// Saving the edited query as a template and loading a template back into the query editor.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "EditNew.h"
#include "TabelaDbf.h"
#include "Zapytanie.h"
#include "d_Szablon.h"
#include "mainwin_korpus.h"
#include "s_Szablon.h"

namespace {

class TOknoSzablonowGlowne : public TOknoGlowneTest {
protected:
    void SetUp() override {
        TOknoGlowneTest::SetUp();
        // The first word field starts with a hint of what to type.
        QTest::mouseClick(E().bbCzyscWarunki, Qt::LeftButton);
    }
    TcEdytorZapytania& E() { return okno->Edytor(); }
    TcTabelaDbf& T() { return okno->Sesja().Szablony().tb_Szablon; }

    // Saves the edited query under `opis` as the user would; `poZatwierdzeniu` sees the
    // description window after "Zatwierdź", which is cancelled when it stayed open.
    void Zapisz(const QString& opis, std::function<void(QWidget*)> poZatwierdzeniu = nullptr) {
        ModalnyPo([&](QWidget* w) {
            EXPECT_EQ(w->windowTitle(), PLq("Zapis zapytania do nowego szablonu"));
            auto* pole = w->findChild<TEditN*>(QStringLiteral("enOpis"));
            ASSERT_NE(pole, nullptr);
            Wpisz(pole, opis);
            QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("bbZatwierdz")), Qt::LeftButton);
            if (poZatwierdzeniu) poZatwierdzeniu(w);
            if (w->isVisible()) QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("bbAnuluj")), Qt::LeftButton);
        });
        QTest::mouseClick(E().bbZapisz, Qt::LeftButton);
    }

    // Loads the template described `opis` through the selection window.
    void Odczytaj(const QString& opis) {
        ModalnyPo([&](QWidget* w) {
            auto* s = qobject_cast<TsSzablon*>(w);
            ASSERT_NE(s, nullptr);
            QAbstractItemModel* m = s->gr_Szablon->model();
            const QModelIndexList i = m->match(m->index(0, 0), Qt::DisplayRole, opis, 1, Qt::MatchExactly);
            ASSERT_EQ(i.size(), 1) << opis.toStdString();
            s->gr_Szablon->setCurrentIndex(i.front());
            QTest::keyClick(s->gr_Szablon, Qt::Key_Return);
        });
        QTest::mouseClick(E().bbOdczytaj, Qt::LeftButton);
    }

    // A template written straight into the table; a number of -1 leaves its field empty.
    void Szablon(const std::string& opis, int izba, const std::string& warunek) {
        const int32_t id = AutoInkrementacja(T());
        T().Dopisanie();
        T().ZapisanieLiczby("ID_SZABL", id);
        T().ZapisaniePola("OPIS", opis);
        T().ZapisanieLiczby("ID_PRZEP", 0);
        if (izba >= 0) T().ZapisanieLiczby("ID_IZBY", izba);
        T().ZapisaniePola("WARUNEK", warunek);
        T().Zatwierdzenie();
    }

    QStringList Slowa() {
        QStringList s;
        for (QLineEdit* e : E().enSlowo) s << e->text();
        return s;
    }
    QStringList Liczby() {
        QStringList s;
        for (int n = 1; n <= LiczbaPolWarunkow; ++n) s << Liczba(n);
        return s;
    }
    QString Izba() { return E().cxIzba->currentText(); }
};

}  // namespace

TEST_F(TOknoSzablonowGlowne, SavedQueryComesBackWithEveryPartAndItsCounts) {
    // No condition: the warning of the search, and no window.
    QTest::mouseClick(E().bbZapisz, Qt::LeftButton);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Brak warunków zapytania"));
    EXPECT_TRUE(T().Pusta());

    Slowo(1, QStringLiteral("alfa"));
    Slowo(2, QStringLiteral("beta"));
    E().btOperator[0]->click();
    E().UstawieniePrzepisuWgNumeru(7);
    E().UstawienieIzbyWgNumeru(12);
    E().meWarunekDodatkowy->setPlainText(QStringLiteral("dokument"));
    okno->Wyszukiwanie().ZliczanieWszystkichWarunkow();
    const QStringList liczby = Liczby();
    const std::string warunek = E().PrzygotowanieWarunku();
    Zapisz(QStringLiteral("  Miesięczny VAT "));
    ASSERT_EQ(dialogi.Liczba(), 1u);

    // The new template is the current record, its description trimmed.
    const TSzablon s = BiezacySzablon(T());
    EXPECT_EQ(s.Opis, cp(PLq("Miesięczny VAT")));
    EXPECT_EQ(s.Warunek, warunek);
    EXPECT_EQ(s.WarunDod, "dokument");
    EXPECT_EQ(s.IdPrzep, 7);
    EXPECT_EQ(s.IdIzby, 12);

    // Another query in the editor; loading replaces all of it and recounts.
    E().CzyszczenieWarunkow();
    Slowo(3, QStringLiteral("gamma"));
    E().UstawieniePrzepisuWgNumeru(0);
    E().UstawienieIzbyWgNumeru(-1);
    E().meWarunekDodatkowy->clear();
    okno->Wyszukiwanie().ZliczanieWszystkichWarunkow();
    ASSERT_NE(Liczby(), liczby);
    Odczytaj(PLq("Miesięczny VAT"));
    EXPECT_EQ(Slowa(), (QStringList{QStringLiteral("alfa"), QStringLiteral("beta"), QString(), QString()}));
    EXPECT_EQ(E().PrzygotowanieWarunku(), warunek);
    EXPECT_EQ(E().meWarunekDodatkowy->toPlainText(), QStringLiteral("dokument"));
    EXPECT_EQ(E().Przepis(), 7);
    EXPECT_EQ(E().mePrzepis->toPlainText(), QStringLiteral("art. 7 ust. 1"));
    EXPECT_EQ(E().Izba(), 12);
    EXPECT_EQ(Izba(), QStringLiteral("Izba Skarbowa w Krakowie"));
    EXPECT_EQ(Liczby(), liczby);
    EXPECT_EQ(dialogi.Liczba(), 1u);
}

TEST_F(TOknoSzablonowGlowne, ChamberOnlyQueryIsATemplateAndDescriptionsMustDiffer) {
    E().UstawienieIzbyWgNumeru(12);
    Zapisz(QStringLiteral("ULGI"));
    TSzablon s = BiezacySzablon(T());
    EXPECT_EQ(s.Warunek, "");
    EXPECT_EQ(s.WarunDod, "");
    EXPECT_EQ(s.IdPrzep, 0);
    EXPECT_EQ(s.IdIzby, 12);

    // Other letter case, a space more at the end, nothing at all: refused, the window stays.
    for (const QString& opis : {QStringLiteral("Ulgi"), QStringLiteral("ULGI "), QStringLiteral("   ")}) {
        const size_t przed = dialogi.Liczba();
        bool otwarte = false;
        Zapisz(opis, [&](QWidget* w) { otwarte = w->isVisible(); });
        EXPECT_TRUE(otwarte) << opis.toStdString();
        if (opis.trimmed().isEmpty()) {
            EXPECT_EQ(dialogi.Liczba(), przed);
        } else {
            ASSERT_EQ(dialogi.Liczba(), przed + 1);
            EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Duplikacja opisu"));
            EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Istnieje już szablon o podanym opisie."));
        }
    }
    EXPECT_EQ(T().LiczbaRekordow(), 1);

    // Cancelling saves nothing.
    Slowo(1, QStringLiteral("alfa"));
    ModalnyPo([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    QTest::mouseClick(E().bbZapisz, Qt::LeftButton);
    EXPECT_EQ(T().LiczbaRekordow(), 1);

    // Loading the chamber-only template empties the word fields and chooses the chamber.
    E().UstawienieIzbyWgNumeru(-1);
    Odczytaj(QStringLiteral("ULGI"));
    EXPECT_EQ(Slowa(), QStringList(4, QString()));
    EXPECT_EQ(E().Izba(), 12);
    EXPECT_EQ(Izba(), QStringLiteral("Izba Skarbowa w Krakowie"));
}

TEST_F(TOknoSzablonowGlowne, LoadingCopesWithEmptyTablesChambersAndTooManyWords) {
    QTest::mouseClick(E().bbOdczytaj, Qt::LeftButton);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Brak szablonów"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Nie zdefiniowano żadnego szablonu."));

    Szablon("bez izby", -1, "\"alfa\"");
    Szablon("izba usunieta", 99, "\"beta\"");
    Szablon("piec slow", 0, "\"a1\" AND \"a2\" AND \"a3\" AND \"a4\" AND \"a5\"");

    E().UstawienieIzbyWgNumeru(12);
    Odczytaj(QStringLiteral("bez izby"));
    EXPECT_EQ(E().Izba(), -1);
    EXPECT_EQ(Izba(), PLq("Wszystkie izby skarbowe"));
    EXPECT_EQ(Slowa().front(), QStringLiteral("alfa"));

    // A chamber the dictionary no longer names is still chosen, with no item shown.
    Odczytaj(QStringLiteral("izba usunieta"));
    EXPECT_EQ(E().Izba(), 99);
    EXPECT_EQ(E().cxIzba->currentIndex(), -1);
    EXPECT_EQ(Slowa().front(), QStringLiteral("beta"));

    const size_t przed = dialogi.Liczba();
    Odczytaj(QStringLiteral("piec slow"));
    ASSERT_EQ(dialogi.Liczba(), przed + 1);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Pominięcie ostatniego warunku"));
    EXPECT_EQ(Slowa(), (QStringList{QStringLiteral("a1"), QStringLiteral("a2"), QStringLiteral("a3"),
                                   QStringLiteral("a4")}));
    EXPECT_EQ(E().Izba(), -1);
}
