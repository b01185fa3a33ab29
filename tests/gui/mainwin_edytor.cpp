// The query editor of the main window and the live counts beside its fields.
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "Bezczynnosc.h"
#include "DokumentDoPokazania.h"
#include "EdytorZapytania.h"
#include "Zapytanie.h"
#include "mainwin_korpus.h"
#include "s_Przepis.h"

namespace {

using TOknoEdytora = TOknoGlowneTest;

void KlikniecieOperatora(TcEdytorZapytania& e, int n, int razy) {
    for (int i = 0; i < razy; ++i) QTest::mouseClick(e.btOperator[size_t(n - 1)], Qt::LeftButton);
}

}  // namespace

TEST_F(TOknoEdytora, ConditionStringFromTheFieldsAndBackIntoThem) {
    TcEdytorZapytania& e = okno->Edytor();
    EXPECT_EQ(e.enSlowo[0]->text(), PLq("słowo/fraza - * dowolne litery"));
    EXPECT_TRUE(e.cbInterpretacja->isChecked() && e.cbPismoMinisterstwa->isChecked() && e.cbTezaOrzeczenia->isChecked());
    EXPECT_FALSE(e.cbTylkoDoRaportu->isChecked());

    e.enSlowo[0]->setText(QStringLiteral("podatek"));
    e.enSlowo[2]->setText(QStringLiteral("VAT*"));
    KlikniecieOperatora(e, 1, 1);   // LUB, ignored: the second field is empty
    KlikniecieOperatora(e, 2, 2);   // I NIE
    EXPECT_EQ(e.btOperator[1]->text(), QStringLiteral("I NIE"));
    EXPECT_EQ(e.PrzygotowanieWarunku(), " \"podatek\" AND_NOT \"VAT*\"");
    KlikniecieOperatora(e, 2, 1);
    EXPECT_EQ(e.btOperator[1]->text(), QStringLiteral("I"));

    // Reading back closes the gap and keeps a phrase in one field.
    e.meWarunekDodatkowy->setPlainText(QStringLiteral("\"x\""));
    EXPECT_TRUE(e.OdczytanieWarunku(" \"podatek dochodowy\" OR \"VAT*\""));
    EXPECT_EQ(e.enSlowo[0]->text(), QStringLiteral("podatek dochodowy"));
    EXPECT_EQ(e.enSlowo[1]->text(), QStringLiteral("VAT*"));
    EXPECT_EQ(e.enSlowo[2]->text(), QString());
    EXPECT_EQ(e.btOperator[0]->text(), QStringLiteral("LUB"));
    EXPECT_EQ(e.btOperator[1]->text(), QStringLiteral("I"));
    EXPECT_EQ(e.meWarunekDodatkowy->toPlainText(), QString());   // the editor was emptied first
    EXPECT_EQ(Liczba(1), QString());                              // and recounted while empty
    EXPECT_EQ(dialogi.Liczba(), 0u);
}

TEST_F(TOknoEdytora, FiveWordsAndOrNotWarnWhenReadBack) {
    TcEdytorZapytania& e = okno->Edytor();
    EXPECT_TRUE(e.OdczytanieWarunku(" \"a\" OR \"b\" AND_NOT \"c\" AND \"d\" OR \"e\""));
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Pominięcie ostatniego warunku"));
    EXPECT_EQ(dialogi.Ostatni().Rodzaj, 0);
    EXPECT_EQ(e.enSlowo[3]->text(), QStringLiteral("d"));
    EXPECT_EQ(e.btOperator[2]->text(), QStringLiteral("I"));
    EXPECT_EQ(e.btOperator[1]->text(), QStringLiteral("I NIE"));

    dialogi.Czyszczenie();
    EXPECT_FALSE(e.OdczytanieWarunku(" \"a\" AND \"b\" OR_NOT \"c\""));
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Niemożliwe pobranie całego zapytania"));
    EXPECT_EQ(dialogi.Ostatni().Tekst,
              PLq("Całe zapytanie nie może być pobrane, ponieważ w aktualnej wersji aplikacji\n"
                  "nie jest obsługiwany operator standardowy 'LUB NIE'. Przepraszamy."));
    EXPECT_EQ(e.enSlowo[0]->text(), QStringLiteral("a"));
    EXPECT_EQ(e.enSlowo[1]->text(), QStringLiteral("b"));
    EXPECT_EQ(e.enSlowo[2]->text(), QString());
}

TEST_F(TOknoEdytora, WordFieldsTrimRefuseQuotesAndCountWhenLeft) {
    TcEdytorZapytania& e = okno->Edytor();
    // The untouched placeholder goes when the field is left, and its label stays empty.
    e.enSlowo[0]->setFocus(Qt::MouseFocusReason);
    e.bbSzukaj->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(e.enSlowo[0]->text(), QString());
    EXPECT_EQ(Liczba(1), QString());

    Slowo(2, QStringLiteral("  alfa "));
    EXPECT_EQ(e.enSlowo[1]->text(), QStringLiteral("alfa"));
    EXPECT_EQ(Liczba(2), QStringLiteral("51"));
    Slowo(3, QStringLiteral("nigdzie"));
    EXPECT_EQ(Liczba(3), QStringLiteral("0"));
    Slowo(4, QStringLiteral("be\"ta"));
    EXPECT_EQ(e.enSlowo[3]->text(), QStringLiteral("beta"));
    EXPECT_EQ(Liczba(4), QStringLiteral("50"));
    Slowo(1, QStringLiteral("podatek dochodowy"));
    EXPECT_EQ(Liczba(1), QStringLiteral("1"));
    // Typing alone does not count; an emptied field shows nothing rather than 0.
    e.enSlowo[2]->setFocus(Qt::MouseFocusReason);
    Wpisz(e.enSlowo[2], QStringLiteral("x"));
    EXPECT_EQ(Liczba(3), QStringLiteral("0"));
    Slowo(3, QString());
    EXPECT_EQ(Liczba(3), QString());
    // An operator change does not recount either.
    Kontrolka<QLabel>("lbLiczba2")->setText(QStringLiteral("?"));
    KlikniecieOperatora(e, 1, 1);
    EXPECT_EQ(Liczba(2), QStringLiteral("?"));
}

TEST_F(TOknoEdytora, ProvisionAndChamberDisableTheOtherKindsButKeepTheirMarks) {
    TcEdytorZapytania& e = okno->Edytor();
    ModalnyPo([](QWidget* w) {
        auto* p = qobject_cast<TsPrzepis*>(w);
        ASSERT_NE(p, nullptr);
        ASSERT_GT(p->lvPrzepis->topLevelItemCount(), 0);
        p->lvPrzepis->setCurrentItem(p->lvPrzepis->topLevelItem(0));
        mBezczynnosc::Wykonanie();
        p->acWybierz->trigger();
    });
    QTest::mouseClick(e.bbPrzepis, Qt::LeftButton);
    EXPECT_EQ(e.Przepis(), 7);
    EXPECT_EQ(e.mePrzepis->toPlainText(), QStringLiteral("art. 7 ust. 1"));
    EXPECT_EQ(Liczba(6), QStringLiteral("2"));
    mBezczynnosc::Wykonanie();
    EXPECT_TRUE(e.acUsunieciePrzepisu->isEnabled());
    EXPECT_FALSE(e.cbPismoMinisterstwa->isEnabled());
    EXPECT_FALSE(e.cbTezaOrzeczenia->isEnabled());
    EXPECT_TRUE(e.cbPismoMinisterstwa->isChecked() && e.cbTezaOrzeczenia->isChecked());

    const int krakow = e.cxIzba->findText(QStringLiteral("Izba Skarbowa w Krakowie"));
    ASSERT_GE(krakow, 0);
    e.cxIzba->setCurrentIndex(krakow);
    emit e.cxIzba->activated(krakow);
    EXPECT_EQ(e.Izba(), 12);
    EXPECT_EQ(okno->Edytor().Izba(), 12);
    EXPECT_EQ(Liczba(5), QStringLiteral("1"));

    QTest::mouseClick(e.bbUsunieciePrzepisu, Qt::LeftButton);
    EXPECT_EQ(e.Przepis(), 0);
    EXPECT_EQ(e.mePrzepis->toPlainText(), QString());
    EXPECT_EQ(Liczba(6), QString());
    mBezczynnosc::Wykonanie();
    EXPECT_FALSE(e.acUsunieciePrzepisu->isEnabled());
    EXPECT_FALSE(e.cbPismoMinisterstwa->isEnabled());   // the chamber is still chosen

    const int wszystkie = e.cxIzba->count() - 1;
    EXPECT_EQ(e.cxIzba->itemText(wszystkie), QStringLiteral("Wszystkie izby skarbowe"));
    e.cxIzba->setCurrentIndex(wszystkie);
    emit e.cxIzba->activated(wszystkie);
    EXPECT_EQ(e.Izba(), -1);
    EXPECT_EQ(Liczba(5), QString());
    mBezczynnosc::Wykonanie();
    EXPECT_TRUE(e.cbPismoMinisterstwa->isEnabled() && e.cbTezaOrzeczenia->isEnabled());
}

TEST_F(TOknoEdytora, CountsFollowTheSwitchesTheCountingButtonsAndTheCurrentReport) {
    TcEdytorZapytania& e = okno->Edytor();
    Slowo(1, QStringLiteral("alfa"));
    Slowo(2, QStringLiteral("beta"));
    EXPECT_EQ(Liczba(1), QStringLiteral("51"));

    QTest::mouseClick(okno->pbWylaczZliczanie, Qt::LeftButton);
    EXPECT_EQ(Liczba(1), QString());
    EXPECT_EQ(Liczba(2), QString());
    Slowo(3, QStringLiteral("gamma"));
    EXPECT_EQ(Liczba(3), QString());
    QTest::mouseClick(okno->pbWlaczZliczanie, Qt::LeftButton);
    EXPECT_EQ(Liczba(1), QStringLiteral("51"));
    EXPECT_EQ(Liczba(2), QStringLiteral("50"));
    EXPECT_EQ(Liczba(3), QStringLiteral("1"));

    // Every document is an interpretation.
    QTest::mouseClick(e.cbInterpretacja, Qt::LeftButton);
    EXPECT_EQ(Liczba(1), QStringLiteral("0"));
    QTest::mouseClick(e.cbInterpretacja, Qt::LeftButton);
    EXPECT_EQ(Liczba(1), QStringLiteral("51"));

    // Restricted to the current report: nothing before the first search.
    QTest::mouseClick(e.cbTylkoDoRaportu, Qt::LeftButton);
    EXPECT_EQ(Liczba(1), QStringLiteral("0"));
    EXPECT_EQ(Liczba(3), QStringLiteral("0"));
    QTest::mouseClick(e.cbTylkoDoRaportu, Qt::LeftButton);
    Slowo(1, QString());
    Slowo(3, QString());
    Szukaj();   // beta: 50 documents
    EXPECT_EQ(Lista().TablicaRaportu.Liczba, 50);
    Slowo(1, QStringLiteral("alfa"));
    QTest::mouseClick(e.cbTylkoDoRaportu, Qt::LeftButton);
    EXPECT_EQ(Liczba(1), QStringLiteral("50"));

    // Clearing the conditions empties fields and labels, the switches stay.
    QTest::mouseClick(e.bbCzyscWarunki, Qt::LeftButton);
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(Liczba(n), QString()) << n;
    for (QLineEdit* pole : e.enSlowo) EXPECT_EQ(pole->text(), QString());
    EXPECT_TRUE(e.cbTylkoDoRaportu->isChecked());
    EXPECT_EQ(dialogi.Liczba(), 0u);
}

// All forms: the switch recounts the fields in the new mode, a search finds every form, the
// marked page marks them, and the switch is remembered for the next start.
TEST_F(TOknoEdytora, AllFormsOfWordsCountSearchMarkAndAreRemembered) {
    TcEdytorZapytania& e = okno->Edytor();
    Slowo(1, QStringLiteral("podatku"));
    EXPECT_EQ(Liczba(1), QStringLiteral("0"));
    QTest::mouseClick(e.cbWszystkieFormy, Qt::LeftButton);
    ASSERT_TRUE(e.cbWszystkieFormy->isChecked()) << dialogi.Ostatni().Tekst.toStdString();
    EXPECT_EQ(Liczba(1), QStringLiteral("2"));   // "Podatek dochodowy ...", "podatek od spadków"
    Szukaj();
    EXPECT_EQ(Lista().TablicaRaportu.Liczba, 2);
    Wiersze().setFocus();
    Wiersze().UstawienieWybranego(1);
    QTest::keyClick(&Wiersze(), Qt::Key_Return);
    ASSERT_EQ(otwarte, QStringList{QStringLiteral("tmp.htm")});
    const std::string html = OdczytPliku(PlikPokazania);
    EXPECT_TRUE(html.find("<SPAN CLASS=wyroznienie>Podatek</SPAN>") != std::string::npos ||
                html.find("<SPAN CLASS=wyroznienie>podatek</SPAN>") != std::string::npos) << html;
    okno.reset();
    EXPECT_NE(konfiguracja.Zawartosc().find("WszystkieFormy=1"), std::string::npos) << konfiguracja.Zawartosc();
    okno = std::make_unique<TfGlowne>();
    EXPECT_TRUE(okno->Edytor().cbWszystkieFormy->isChecked());
    EXPECT_EQ(dialogi.Liczba(), 0u);
}
