// The template editor: storing a new template, reading one back for editing, the checks before
// storing, and the question when closing after a change.
#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

#include "EditNew.h"
#include "FabrykaDanych.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "Tekst.h"
#include "TestyOkien.h"
#include "d_Szablon.h"
#include "Zapytanie.h"
#include "f_Szablon.h"
#include "f_ZapiszZapytanie.h"
#include "s_Przepis.h"

namespace {

class TfSzablonTest : public ::testing::Test {
protected:
    void SetUp() override {
        TOpcjeKatalogu opcje;
        opcje.Izby = {{12, "Izba Skarbowa w Krakowie"}};
        opcje.Przepisy = {{7, {"art. 15", 2}}};
        BudowaKatalogu(dir.Sciezka(), {{"0000001.htm", "podatek vat", 12, {7}}}, opcje);
        TOpcjeSesji o;
        o.Ladowanie.Katalog = dir.Sciezka();
        o.OdczytKonfiguracji = false;
        sesja = std::make_unique<TcSesja>(o);
        dm = std::make_unique<Tdm_Szablon>(dir.Sciezka());
    }

    TcTabelaDbf& T() { return dm->tb_Szablon; }

    void Dodanie(int32_t id, const char8_t* opis, const std::string& warunek = " \"x\"", int32_t przepis = 0,
                 int32_t izba = 0, const std::string& dodatkowy = "") {
        T().Dopisanie();
        T().ZapisanieLiczby("ID_SZABL", id);
        T().ZapisaniePola("OPIS", cp(PLq(reinterpret_cast<const char*>(opis))));
        if (przepis) T().ZapisanieLiczby("ID_PRZEP", przepis);
        if (izba) T().ZapisanieLiczby("ID_IZBY", izba);
        T().ZapisaniePola("WARUNEK", warunek);
        T().ZapisaniePola("WARUN_DOD", dodatkowy);
        T().Zatwierdzenie();
    }

    // Opens the editor on the template described `opis` (mode 2) or on a new one (mode 1).
    void Otwarcie(int tryb, const char8_t* opis = nullptr) {
        if (opis) {
            ASSERT_TRUE(T().Odszukanie("OPIS", cp(PLq(reinterpret_cast<const char*>(opis)))));
        }
        okno = std::make_unique<TfSzablon>(*sesja, T(), tryb);
        okno->show();
        okno->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    }

    TSzablon Szablon(const char8_t* opis) {
        EXPECT_TRUE(T().Odszukanie("OPIS", cp(PLq(reinterpret_cast<const char*>(opis)))));
        return BiezacySzablon(T());
    }

    TOdpowiedziDialogow dialogi;
    TTymczasowyKatalog dir;
    std::unique_ptr<TcSesja> sesja;
    std::unique_ptr<Tdm_Szablon> dm;
    std::unique_ptr<TfSzablon> okno;
};

TEST_F(TfSzablonTest, NewTemplateKeepsWordsOperatorsAndProvision) {
    Dodanie(1, u8"A");
    Dodanie(5, u8"B");
    Dodanie(2, u8"C");
    Otwarcie(1);
    EXPECT_EQ(okno->windowTitle(), QStringLiteral("Nowy szablon"));
    okno->enOpis->setText(PLq("  Ulgi ulgowe  "));
    okno->enSlowo[0]->setText(QStringLiteral("  a b"));   // kept with its spaces
    okno->enSlowo[1]->setFocus();
    Wpisz(okno->enSlowo[1], QStringLiteral("\"c\""));          // the quotes are refused
    EXPECT_EQ(okno->enSlowo[1]->text(), QStringLiteral("c"));
    okno->enSlowo[2]->setText(QStringLiteral("d*"));
    okno->btOperator[0]->click();                          // LUB
    okno->btOperator[1]->click();
    okno->btOperator[1]->click();                          // I NIE
    okno->btOperator[2]->click();                          // LUB, before an empty word: ignored
    EXPECT_EQ(okno->btOperator[1]->text(), QStringLiteral("I NIE"));
    okno->UstawieniePrzepisu(7);
    okno->meWarunekDodatkowy->setPlainText(QStringLiteral("\"x\" AND\n\"y\""));
    okno->pbZatwierdz->click();

    EXPECT_EQ(okno->result(), 1);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_EQ(dialogi.Liczba(), 0u);
    EXPECT_EQ(T().LiczbaRekordow(), 4);
    const TSzablon s = Szablon(u8"Ulgi ulgowe");
    EXPECT_EQ(s.Id, 4);   // after C (2): 3, raised to the record count + 1
    EXPECT_EQ(s.Warunek, " \"  a b\" OR \"c\" AND_NOT \"d*\"");
    EXPECT_EQ(s.IdPrzep, 7);
    EXPECT_EQ(s.WarunDod, "\"x\" AND\r\n\"y\"");
    EXPECT_FALSE(T().OdczytanieLiczby("ID_IZBY").has_value());
}

TEST_F(TfSzablonTest, AProvisionAloneIsAConditionAnEmptyDescriptionOnlyBeeps) {
    Otwarcie(1);
    okno->UstawieniePrzepisu(7);
    okno->pbZatwierdz->click();
    // No description: the focus goes to it, no message, nothing stored.
    EXPECT_EQ(dialogi.Liczba(), 0u);
    EXPECT_TRUE(okno->isVisible());
    EXPECT_TRUE(okno->enOpis->hasFocus());
    EXPECT_TRUE(T().Pusta());

    okno->enOpis->setText(QStringLiteral("Przepis"));
    okno->pbZatwierdz->click();
    EXPECT_EQ(okno->result(), 1);
    const TSzablon s = Szablon(u8"Przepis");
    EXPECT_EQ(s.Id, 1);
    EXPECT_EQ(s.IdPrzep, 7);
    EXPECT_EQ(s.Warunek, "");
    EXPECT_EQ(s.WarunDod, "");
}

TEST_F(TfSzablonTest, ProvisionIsChosenFromTheDictionaryAndRemoved) {
    Otwarcie(1);
    EXPECT_FALSE(okno->acUsunieciePrzepisu->isEnabled());
    ModalnyPo([](QWidget* w) {
        auto* s = qobject_cast<TsPrzepis*>(w);
        ASSERT_NE(s, nullptr);
        const QList<QTreeWidgetItem*> p = s->lvPrzepis->findItems(QStringLiteral("art. 15"), Qt::MatchExactly);
        ASSERT_FALSE(p.isEmpty());
        s->lvPrzepis->setCurrentItem(p.first());
        s->acWybierzExecute();
    });
    okno->bbPrzepis->click();
    EXPECT_EQ(okno->Przepis(), 7);
    EXPECT_EQ(okno->mePrzepis->toPlainText(), QStringLiteral("art. 15"));
    EXPECT_TRUE(okno->acUsunieciePrzepisu->isEnabled());
    okno->bbUsunieciePrzepisu->click();
    EXPECT_EQ(okno->Przepis(), 0);
    EXPECT_EQ(okno->mePrzepis->toPlainText(), QString());
}

TEST_F(TfSzablonTest, NoConditionIsWarned) {
    Otwarcie(1);
    okno->enOpis->setText(QStringLiteral("Pusty"));
    okno->enSlowo[1]->setText(QString());
    okno->pbZatwierdz->click();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Brak warunków zapytania"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Nie podano warunków zapytania."));
    EXPECT_TRUE(okno->isVisible());
    EXPECT_TRUE(T().Pusta());

    // The additional condition alone is enough.
    okno->meWarunekDodatkowy->setPlainText(QStringLiteral("\"z\""));
    okno->pbZatwierdz->click();
    EXPECT_EQ(okno->result(), 1);
    EXPECT_EQ(Szablon(u8"Pusty").WarunDod, "\"z\"");
}

TEST_F(TfSzablonTest, AnotherTemplatesDescriptionIsRefused) {
    Dodanie(1, u8"Podatek");
    Dodanie(2, u8"Ulgi");
    // A new template may not take a description in other letter case.
    Otwarcie(1);
    okno->enOpis->setText(QStringLiteral("PODATEK "));
    okno->enSlowo[0]->setText(QStringLiteral("vat"));
    okno->pbZatwierdz->click();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Duplikacja opisu"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Istnieje już szablon o podanym opisie."));
    EXPECT_TRUE(okno->isVisible());
    EXPECT_TRUE(okno->enOpis->hasFocus());
    EXPECT_EQ(T().LiczbaRekordow(), 2);
    okno.reset();
    dialogi.Czyszczenie();

    // Editing: its own description in other case passes, another template's does not.
    Otwarcie(2, u8"Ulgi");
    okno->enOpis->setText(QStringLiteral("podatek"));
    okno->pbZatwierdz->click();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Duplikacja opisu"));
    EXPECT_TRUE(okno->isVisible());
    okno->enOpis->setText(QStringLiteral("ULGI"));
    okno->pbZatwierdz->click();
    EXPECT_EQ(okno->result(), 1);
    EXPECT_EQ(dialogi.Liczba(), 1u);
    const TSzablon s = Szablon(u8"ULGI");
    EXPECT_EQ(s.Id, 2);
    EXPECT_EQ(T().LiczbaRekordow(), 2);
}

TEST_F(TfSzablonTest, EditingReadsTheTemplateAndKeepsItsIdentifierAndChamber) {
    Dodanie(3, u8"Podatek", " \"a\" OR \"b c\" AND_NOT \"d\"", 7, 12, "\"x\"\r\n\"y\"");
    Dodanie(4, u8"Inny");
    Otwarcie(2, u8"Podatek");
    EXPECT_EQ(okno->windowTitle(), QStringLiteral("Szablon 'Podatek'"));
    EXPECT_EQ(okno->enOpis->text(), QStringLiteral("Podatek"));
    EXPECT_EQ(okno->enSlowo[0]->text(), QStringLiteral("a"));
    EXPECT_EQ(okno->enSlowo[1]->text(), QStringLiteral("b c"));
    EXPECT_EQ(okno->enSlowo[2]->text(), QStringLiteral("d"));
    EXPECT_EQ(okno->enSlowo[3]->text(), QString());
    EXPECT_EQ(okno->btOperator[0]->text(), QStringLiteral("LUB"));
    EXPECT_EQ(okno->btOperator[1]->text(), QStringLiteral("I NIE"));
    EXPECT_EQ(okno->meWarunekDodatkowy->toPlainText(), QStringLiteral("\"x\"\n\"y\""));
    EXPECT_EQ(okno->Przepis(), 7);
    EXPECT_EQ(okno->mePrzepis->toPlainText(), QStringLiteral("art. 15"));
    EXPECT_TRUE(okno->acUsunieciePrzepisu->isEnabled());

    okno->enSlowo[3]->setText(QStringLiteral("e"));
    okno->pbZatwierdz->click();
    EXPECT_EQ(okno->result(), 1);
    EXPECT_EQ(T().LiczbaRekordow(), 2);
    const TSzablon s = Szablon(u8"Podatek");
    EXPECT_EQ(s.Id, 3);
    EXPECT_EQ(s.IdIzby, 12);
    EXPECT_EQ(s.IdPrzep, 7);
    EXPECT_EQ(s.Warunek, " \"a\" OR \"b c\" AND_NOT \"d\" AND \"e\"");
    EXPECT_EQ(s.WarunDod, "\"x\"\r\n\"y\"");
}

TEST_F(TfSzablonTest, ClosingUnchangedAsksNothing) {
    Dodanie(1, u8"Podatek", " \"a\" OR \"b\"", 7);
    Otwarcie(2, u8"Podatek");
    okno->reject();   // Esc and the close box
    EXPECT_EQ(dialogi.Liczba(), 0u);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_EQ(okno->result(), 2);

    // A provision chosen and removed again is no change either.
    Otwarcie(1);
    okno->UstawieniePrzepisu(7);
    EXPECT_TRUE(okno->acUsunieciePrzepisu->isEnabled());
    okno->acUsunieciePrzepisu->trigger();
    EXPECT_FALSE(okno->acUsunieciePrzepisu->isEnabled());
    okno->pbAnuluj->click();
    EXPECT_EQ(dialogi.Liczba(), 0u);
    EXPECT_FALSE(okno->isVisible());
}

TEST_F(TfSzablonTest, ClosingAfterAChangeAsksWhetherToSave) {
    Dodanie(1, u8"Podatek", " \"a\" OR \"b\"");
    const auto Zmiana = [this] {
        Otwarcie(2, u8"Podatek");
        okno->enSlowo[1]->setText(QStringLiteral("bb"));
    };

    // "Anuluj": the editor stays open.
    Zmiana();
    dialogi.Odpowiedz(2);
    okno->reject();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Rodzaj, 4);
    EXPECT_EQ(dialogi.Ostatni().Domyslny, 3);
    EXPECT_EQ(dialogi.Ostatni().Tytul, QStringLiteral("Zapisz zmiany"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Czy chcesz zapisać wprowadzone zmiany?"));
    EXPECT_TRUE(okno->isVisible());

    // "Nie": closed, nothing stored.
    dialogi.Odpowiedz(7);
    okno->pbAnuluj->click();
    EXPECT_FALSE(okno->isVisible());
    EXPECT_EQ(okno->result(), 2);
    EXPECT_EQ(Szablon(u8"Podatek").Warunek, " \"a\" OR \"b\"");

    // "Tak" with an emptied description: no message beyond the question, the editor stays.
    Zmiana();
    dialogi.Czyszczenie();
    okno->enOpis->setText(QString());
    dialogi.Odpowiedz(6);
    okno->reject();
    EXPECT_EQ(dialogi.Liczba(), 1u);
    EXPECT_TRUE(okno->isVisible());

    // "Tak" with a description: stored and closed.
    okno->enOpis->setText(QStringLiteral("Podatek"));
    dialogi.Odpowiedz(6);
    okno->reject();
    EXPECT_FALSE(okno->isVisible());
    EXPECT_EQ(okno->result(), 1);
    EXPECT_EQ(Szablon(u8"Podatek").Warunek, " \"a\" OR \"bb\"");
    EXPECT_EQ(T().LiczbaRekordow(), 1);
}

TEST_F(TfSzablonTest, ConditionsTheEditorCannotShowAreWarned) {
    // Five words: the first four and a warning; the rebuilt condition differs, so closing asks.
    Dodanie(1, u8"Pięć", " \"a\" AND \"b\" OR \"c\" AND \"d\" OR \"e\"");
    Otwarcie(2, u8"Pięć");
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Pominięcie ostatniego warunku"));
    EXPECT_EQ(okno->enSlowo[3]->text(), QStringLiteral("d"));
    EXPECT_EQ(okno->btOperator[1]->text(), QStringLiteral("LUB"));
    dialogi.Odpowiedz(7);
    okno->reject();
    EXPECT_EQ(dialogi.Liczba(), 2u);
    EXPECT_EQ(dialogi.Ostatni().Rodzaj, 4);
    EXPECT_FALSE(okno->isVisible());
    dialogi.Czyszczenie();

    // OR_NOT stops the load after what came before it.
    Dodanie(2, u8"Lub nie", " \"a\" OR_NOT \"b\" AND \"c\"");
    Otwarcie(2, u8"Lub nie");
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Niemożliwe pobranie całego zapytania"));
    EXPECT_EQ(okno->enSlowo[0]->text(), QStringLiteral("a"));
    EXPECT_EQ(okno->enSlowo[1]->text(), QString());
    EXPECT_EQ(okno->enOpis->text(), QStringLiteral("Lub nie"));
}

}  // namespace

// ---- Saving the session's query as a new template ----

namespace {

class TfZapiszZapytanieTest : public TfSzablonTest {
protected:
    void Otwarcie() {
        zapis = std::make_unique<TfZapiszZapytanie>(*sesja, T());
        zapis->show();
        zapis->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(zapis.get()));
    }
    std::unique_ptr<TfZapiszZapytanie> zapis;
};

TEST_F(TfZapiszZapytanieTest, SavingKeepsTheChamberAndChecksTheDescription) {
    Dodanie(1, u8"ULGI");
    TcZapytanie& q = sesja->Zapytanie();
    q.Warunek = " \"vat\" OR \"akcyza\"";
    q.WarunekDodatkowy = "\"x\"";
    q.Przepis = 7;
    q.Izba = 12;
    Otwarcie();
    EXPECT_EQ(zapis->windowTitle(), QStringLiteral("Zapis zapytania do nowego szablonu"));

    // Empty: focus and no message.
    zapis->enOpis->setText(QStringLiteral("   "));
    zapis->bbZatwierdz->click();
    EXPECT_EQ(dialogi.Liczba(), 0u);
    EXPECT_TRUE(zapis->isVisible());
    EXPECT_TRUE(zapis->enOpis->hasFocus());

    // Another case and a trailing space: still the same description.
    zapis->enOpis->setText(QStringLiteral("Ulgi "));
    zapis->bbZatwierdz->click();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Duplikacja opisu"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Istnieje już szablon o podanym opisie."));
    EXPECT_TRUE(zapis->isVisible());
    EXPECT_EQ(T().LiczbaRekordow(), 1);

    zapis->enOpis->setText(QStringLiteral(" Vat i akcyza "));
    zapis->bbZatwierdz->click();
    EXPECT_EQ(zapis->result(), 1);
    EXPECT_FALSE(zapis->isVisible());
    // The new template is current.
    const TSzablon biezacy = BiezacySzablon(T());
    EXPECT_EQ(biezacy.Opis, "Vat i akcyza");
    EXPECT_EQ(biezacy.Id, 2);
    EXPECT_EQ(biezacy.Warunek, q.Warunek);
    EXPECT_EQ(biezacy.WarunDod, "\"x\"");
    EXPECT_EQ(biezacy.IdPrzep, 7);
    EXPECT_EQ(biezacy.IdIzby, 12);
}

TEST_F(TfZapiszZapytanieTest, ChamberOnlyQueryAndNoChamberStoreZero) {
    TcZapytanie& q = sesja->Zapytanie();
    q.Warunek.clear();
    q.WarunekDodatkowy.clear();
    q.Przepis = 0;
    q.Izba = -1;   // no chamber chosen
    Otwarcie();
    zapis->enOpis->setText(QStringLiteral("Bez izby"));
    zapis->bbZatwierdz->click();
    EXPECT_EQ(zapis->result(), 1);
    EXPECT_EQ(T().OdczytanieLiczby("ID_IZBY"), std::optional<int64_t>(0));
    EXPECT_EQ(T().OdczytanieLiczby("ID_PRZEP"), std::optional<int64_t>(0));
    EXPECT_EQ(BiezacySzablon(T()).Warunek, "");

    // Cancelling stores nothing.
    Otwarcie();
    zapis->enOpis->setText(QStringLiteral("Inny"));
    zapis->bbAnuluj->click();
    EXPECT_FALSE(zapis->isVisible());
    EXPECT_EQ(T().LiczbaRekordow(), 1);
}

}  // namespace
