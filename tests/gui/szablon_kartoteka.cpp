// The template catalogue and the template selection window: the grid in description order
// following the table's current record, the actions on an empty table, deleting with its
// question, copying under a free description, and the choice handed to the query.
#include <QAction>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <set>

#include "Bezczynnosc.h"
#include "FabrykaDanych.h"
#include "ModelSzablonow.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "Tekst.h"
#include "TestyOkien.h"
#include "Zapytanie.h"
#include "d_Szablon.h"
#include "f_Szablon.h"
#include "k_Szablon.h"
#include "s_Szablon.h"

namespace {

class SzablonyTest : public ::testing::Test {
protected:
    void SetUp() override {
        BudowaKatalogu(dane.Sciezka(), {{"0000001.htm", "podatek dochodowy"}});
        TOpcjeSesji o;
        o.Ladowanie.Katalog = dane.Sciezka();
        o.OdczytKonfiguracji = false;
        sesja = std::make_unique<TcSesja>(o);
        dm = std::make_unique<Tdm_Szablon>();
    }
    TcTabelaDbf& T() const { return dm->tb_Szablon; }
    // A template; a number of -1 leaves its field empty.
    void Szablon(const std::string& opis, int przepis = 0, int izba = 0, const std::string& warunek = "",
                 const std::string& dodatkowy = "") const {
        const int32_t id = AutoInkrementacja(T());
        T().Dopisanie();
        T().ZapisanieLiczby("ID_SZABL", id);
        T().ZapisaniePola("OPIS", opis);
        if (przepis >= 0) T().ZapisanieLiczby("ID_PRZEP", przepis);
        if (izba >= 0) T().ZapisanieLiczby("ID_IZBY", izba);
        T().ZapisaniePola("WARUNEK", warunek);
        T().ZapisaniePola("WARUN_DOD", dodatkowy);
        T().Zatwierdzenie();
    }
    template <class O>
    O& Otwarcie() {
        auto* o = new O(*sesja, T());
        okno.reset(o);
        o->show();
        okno->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(okno.get()));
        mBezczynnosc::Wykonanie();
        return *o;
    }
    QTableView* Siatka() const { return okno->gr_Szablon; }
    QStringList Opisy() const {
        QStringList w;
        for (int i = 0; i < Siatka()->model()->rowCount(); ++i) w << Siatka()->model()->index(i, 0).data().toString();
        return w;
    }
    int Wiersz() const { return Siatka()->currentIndex().isValid() ? Siatka()->currentIndex().row() : -1; }
    std::string Biezacy() const { return T().OdczytaniePola("OPIS").value_or("<brak>"); }
    void Klawisz(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) const { QTest::keyClick(Siatka(), k, m); }

    TTymczasowyKatalog dane, roboczy;
    TBiezacyKatalog biezacy{roboczy.Sciezka()};
    TOdpowiedziDialogow dialogi;
    std::unique_ptr<TcSesja> sesja;
    std::unique_ptr<Tdm_Szablon> dm;
    std::unique_ptr<TOknoSzablonow> okno;
};

}  // namespace

TEST_F(SzablonyTest, GridListsDescriptionsInOrderAndFollowsTheCurrentRecord) {
    Szablon("Vat");
    Szablon("akcyza");
    Szablon("Ulga");
    Otwarcie<TkSzablon>();
    EXPECT_EQ(Siatka()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Opis"));
    EXPECT_EQ(Opisy(), QStringList({QStringLiteral("Ulga"), QStringLiteral("Vat"), QStringLiteral("akcyza")}));
    // Showing the window moves the table to its first record.
    EXPECT_EQ(Wiersz(), 0);
    EXPECT_EQ(Biezacy(), "Ulga");
    EXPECT_TRUE(Siatka()->hasFocus());
    okno->nbOstatni->click();
    EXPECT_EQ(Wiersz(), 2);
    EXPECT_EQ(Biezacy(), "akcyza");
    okno->nbPoprzedni->click();
    EXPECT_EQ(Wiersz(), 1);
    EXPECT_EQ(Biezacy(), "Vat");
    // Moving in the grid moves the table.
    Klawisz(Qt::Key_Up);
    EXPECT_EQ(Biezacy(), "Ulga");
    Siatka()->setCurrentIndex(Siatka()->model()->index(2, 0));
    EXPECT_EQ(Biezacy(), "akcyza");
    Klawisz(Qt::Key_Up);
    EXPECT_EQ(Biezacy(), "Vat");
    okno->nbPierwszy->click();
    EXPECT_EQ(Wiersz(), 0);
    EXPECT_EQ(Biezacy(), "Ulga");
    mBezczynnosc::Wykonanie();
    EXPECT_FALSE(okno->nbPoprzedni->isEnabled());
    EXPECT_TRUE(okno->nbNastepny->isEnabled());
    okno->nbNastepny->click();
    EXPECT_EQ(Biezacy(), "Vat");
}

TEST_F(SzablonyTest, EmptyTableLeavesOnlyAddingClosingAndHelp) {
    TkSzablon& k = Otwarcie<TkSzablon>();
    EXPECT_EQ(Siatka()->model()->rowCount(), 0);
    EXPECT_FALSE(k.acPoprawSzablon->isEnabled());
    EXPECT_FALSE(k.acUsunSzablon->isEnabled());
    EXPECT_FALSE(k.acKopiujSzablon->isEnabled());
    EXPECT_FALSE(k.sbPopraw->isEnabled());
    EXPECT_TRUE(k.acDopiszSzablon->isEnabled());
    EXPECT_TRUE(k.sbZamknij->isEnabled());
    EXPECT_TRUE(k.sbPomoc->isEnabled());
    // Nothing opens and nothing is asked from the keys or direct calls; Ins opens the editor
    // for a new template.
    int tryb = 0;
    ModalnyPo([&tryb](QWidget* w) {
        auto* f = qobject_cast<TfSzablon*>(w);
        tryb = f != nullptr ? f->Tryb() : -1;
        static_cast<QDialog*>(w)->reject();
    });
    Klawisz(Qt::Key_Delete);
    Klawisz(Qt::Key_Return);
    Dwuklik(Siatka()->viewport(), QPoint(40, 10));
    k.acPoprawSzablonExecute();
    k.acUsunSzablonExecute();
    k.acKopiujSzablonExecute();
    CzekanieWPetli(50);
    EXPECT_EQ(tryb, 0);
    EXPECT_EQ(dialogi.Liczba(), 0u);
    EXPECT_TRUE(T().Pusta());
    Klawisz(Qt::Key_Insert);
    EXPECT_EQ(tryb, 1);
}

TEST_F(SzablonyTest, EditingTheCurrentTemplateAndAddingOneShowTheTableAsTheEditorLeftIt) {
    Szablon("B");
    Szablon("C");
    Otwarcie<TkSzablon>();
    // The editor renames the current template so that it moves to the end.
    int tryb = 0;
    std::string zmieniany;
    ModalnyPo([this, &tryb, &zmieniany](QWidget* w) {
        tryb = qobject_cast<TfSzablon*>(w) != nullptr ? qobject_cast<TfSzablon*>(w)->Tryb() : -1;
        zmieniany = Biezacy();
        T().Edycja();
        T().ZapisaniePola("OPIS", "D");
        T().Zatwierdzenie();
        static_cast<QDialog*>(w)->accept();
    });
    Dwuklik(Siatka()->viewport(), Siatka()->visualRect(Siatka()->model()->index(0, 0)).center());
    EXPECT_EQ(tryb, 2);
    EXPECT_EQ(zmieniany, "B");
    EXPECT_EQ(Opisy(), QStringList({QStringLiteral("C"), QStringLiteral("D")}));
    EXPECT_EQ(Wiersz(), 1);
    // Enter: the editor appends a template that sorts first.
    tryb = 0;
    ModalnyPo([this, &tryb](QWidget* w) {
        tryb = qobject_cast<TfSzablon*>(w) != nullptr ? qobject_cast<TfSzablon*>(w)->Tryb() : -1;
        Szablon("A");
        static_cast<QDialog*>(w)->accept();
    });
    Klawisz(Qt::Key_Return);
    EXPECT_EQ(tryb, 2);
    EXPECT_EQ(Opisy(), QStringList({QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("D")}));
    EXPECT_EQ(Wiersz(), 0);
    EXPECT_EQ(Biezacy(), "A");
}

TEST_F(SzablonyTest, DeletingAsksAndTheFollowingTemplateBecomesCurrent) {
    Szablon("A");
    Szablon("B");
    Szablon("C");
    TkSzablon& k = Otwarcie<TkSzablon>();
    okno->nbNastepny->click();   // B
    dialogi.Odpowiedz(7);
    Klawisz(Qt::Key_Delete);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Potwierdź usuwanie"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Czy usunąć szablon?"));
    EXPECT_EQ(dialogi.Ostatni().Domyslny, 0);
    EXPECT_EQ(T().LiczbaRekordow(), 3);
    EXPECT_EQ(Biezacy(), "B");
    // Ctrl+Del does not delete and asks nothing.
    Klawisz(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(T().LiczbaRekordow(), 3);
    Klawisz(Qt::Key_Delete);
    EXPECT_EQ(dialogi.Liczba(), 2u);
    EXPECT_EQ(Opisy(), QStringList({QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_EQ(T().LiczbaRekordow(), 2);
    EXPECT_EQ(Wiersz(), 1);
    EXPECT_EQ(Biezacy(), "C");
    // The last one: the new last becomes current.
    k.acUsunSzablonExecute();
    EXPECT_EQ(Opisy(), QStringList({QStringLiteral("A")}));
    EXPECT_EQ(Wiersz(), 0);
    EXPECT_EQ(Biezacy(), "A");
}

TEST_F(SzablonyTest, CopyingTakesAFreeDescriptionKeepsTheFieldsAndBecomesCurrent) {
    Szablon("Ulga", 12, -1, "\"ulga\" AND \"podatek\"", "dodatkowy");
    Szablon("Zwolnienie", 3, 7);
    TkSzablon& k = Otwarcie<TkSzablon>();
    const int32_t idZrodla = BiezacySzablon(T()).Id;
    k.acKopiujSzablonExecute();
    EXPECT_EQ(Biezacy(), "Ulga (1)");
    EXPECT_EQ(Opisy()[Wiersz()], QStringLiteral("Ulga (1)"));
    const TSzablon kopia = BiezacySzablon(T());
    EXPECT_EQ(kopia.Warunek, "\"ulga\" AND \"podatek\"");
    EXPECT_EQ(kopia.WarunDod, "dodatkowy");
    EXPECT_EQ(kopia.IdPrzep, 12);
    EXPECT_FALSE(T().OdczytaniePola("ID_IZBY").has_value());   // an empty chamber stays empty
    EXPECT_NE(kopia.Id, idZrodla);
    okno->nbPierwszy->click();
    k.acKopiujSzablonExecute();
    EXPECT_EQ(Biezacy(), "Ulga (2)");
    k.acKopiujSzablonExecute();   // from the copy
    EXPECT_EQ(Biezacy(), "Ulga (2) (1)");
    EXPECT_EQ(Opisy(), QStringList({QStringLiteral("Ulga"), QStringLiteral("Ulga (1)"), QStringLiteral("Ulga (2)"),
                                    QStringLiteral("Ulga (2) (1)"), QStringLiteral("Zwolnienie")}));
    EXPECT_EQ(Wiersz(), 3);
    // Identifiers stay unique.
    std::set<int32_t> id;
    for (T().PrzejscieNaPierwszy(); !T().Koniec(); T().PrzejscieNaNastepny()) id.insert(BiezacySzablon(T()).Id);
    EXPECT_EQ(id.size(), 5u);
    okno->nbOstatni->click();
    k.acKopiujSzablonExecute();
    EXPECT_EQ(BiezacySzablon(T()).IdIzby, 7);
    EXPECT_EQ(BiezacySzablon(T()).IdPrzep, 3);
}

TEST_F(SzablonyTest, CopyOfAFullLengthDescriptionIsCutToFit) {
    const std::string dlugi(50, 'x');
    Szablon(dlugi);
    TkSzablon& k = Otwarcie<TkSzablon>();
    k.acKopiujSzablonExecute();
    EXPECT_EQ(Biezacy(), std::string(46, 'x') + " (1)");
}

TEST_F(SzablonyTest, ChoosingCopiesTheTemplateIntoTheQuery) {
    Szablon("Izba", -1, 5);
    Szablon("Pelny", 9, -1, "\"vat\"", "dod");
    TcZapytanie& q = sesja->Zapytanie();
    q.Warunek = "stary";
    q.WarunekDodatkowy = "stary dod";
    q.Przepis = 77;
    q.Izba = 88;
    // Esc leaves the query as it was.
    Otwarcie<TsSzablon>();
    Klawisz(Qt::Key_Escape);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_NE(okno->result(), 1);
    EXPECT_EQ(q.Warunek, "stary");
    EXPECT_EQ(q.WarunekDodatkowy, "stary dod");
    EXPECT_EQ(q.Przepis, 77);
    EXPECT_EQ(q.Izba, 88);
    // A chamber-only template: an empty provision gives 0.
    TsSzablon& s = Otwarcie<TsSzablon>();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("Wybierz szablon"));
    Klawisz(Qt::Key_Return);
    EXPECT_EQ(okno->result(), 1);
    EXPECT_EQ(q.Warunek, "");
    EXPECT_EQ(q.WarunekDodatkowy, "");
    EXPECT_EQ(q.Przepis, 0);
    EXPECT_EQ(q.Izba, 5);
    TsSzablon& s2 = Otwarcie<TsSzablon>();
    okno->nbOstatni->click();
    s2.acWybierzExecute();
    EXPECT_EQ(okno->result(), 1);
    EXPECT_EQ(q.Warunek, "\"vat\"");
    EXPECT_EQ(q.WarunekDodatkowy, "dod");
    EXPECT_EQ(q.Przepis, 9);
    EXPECT_EQ(q.Izba, 0);   // an empty chamber
}
