// The search run, the result list with its pages and check marks, and showing a document.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "Bezczynnosc.h"
#include "EdytorZapytania.h"
#include "ParserBool.h"
#include "Zapytanie.h"
#include "mainwin_korpus.h"

namespace {

using TOknoWynikow = TOknoGlowneTest;

std::string Plik(const char* nazwa) {
    QFile f(QString::fromLatin1(nazwa));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}

}  // namespace

TEST_F(TOknoWynikow, SearchNeedsAConditionKindSwitchesAreNone) {
    TcEdytorZapytania& e = okno->Edytor();
    QTest::mouseClick(e.bbCzyscWarunki, Qt::LeftButton);
    QTest::mouseClick(e.cbTezaOrzeczenia, Qt::LeftButton);
    Szukaj();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Brak warunków zapytania"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Nie podano warunków zapytania."));
    EXPECT_EQ(Wiersze().LiczbaWierszy(), 0);

    // A provision alone is a condition.
    e.UstawieniePrzepisuWgNumeru(7);
    Szukaj();
    EXPECT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: 2/2"));
    EXPECT_EQ(Wiersze().Dane(1), QStringLiteral("54"));
    EXPECT_EQ(Wiersze().Dane(2), QStringLiteral("53"));
}

TEST_F(TOknoWynikow, WrongAdditionalConditionIsSelectedAndTheListKept) {
    TcEdytorZapytania& e = okno->Edytor();
    Slowo(1, QStringLiteral("beta"));
    Szukaj();
    ASSERT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: 50/50"));

    e.meWarunekDodatkowy->setPlainText(QStringLiteral("\"alfa\" \"beta\""));
    Szukaj();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Błąd w warunku dodatkowym"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, qs(okno->Sesja().Parser().Blad));
    EXPECT_FALSE(dialogi.Ostatni().Tekst.isEmpty());
    EXPECT_TRUE(e.meWarunekDodatkowy->hasFocus());
    EXPECT_EQ(e.meWarunekDodatkowy->textCursor().selectedText(), QStringLiteral("\"beta\""));
    EXPECT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: 50/50"));

    e.meWarunekDodatkowy->clear();
    Slowo(1, QStringLiteral("alfa"));
    Szukaj();
    EXPECT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: [ 1 - 50 ] / 51"));
}

TEST_F(TOknoWynikow, TooLongPhraseInAWordFieldFocusesThatFieldNotTheAdditionalCondition) {
    TcEdytorZapytania& e = okno->Edytor();
    Slowo(1, QStringLiteral("beta"));
    Szukaj();
    ASSERT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: 50/50"));

    // Seventeen words in the second field (typed whole: the field takes 40 characters).
    e.enSlowo[1]->setText(QStringLiteral("a b c d e f g h i j k l m n o p q"));
    e.meWarunekDodatkowy->setPlainText(QStringLiteral("\"alfa\""));
    Szukaj();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Rodzaj, 0);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Błąd w szukanym słowie lub frazie"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Fraza może mieć najwyżej 16 słów."));
    EXPECT_TRUE(e.enSlowo[1]->hasFocus());
    EXPECT_FALSE(e.meWarunekDodatkowy->hasFocus());
    EXPECT_FALSE(e.meWarunekDodatkowy->textCursor().hasSelection());
    EXPECT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: 50/50"));   // the result is kept

    // The same phrase in the additional condition is that condition's error.
    e.enSlowo[1]->clear();
    e.meWarunekDodatkowy->setPlainText(QStringLiteral("\"a b c d e f g h i j k l m n o p q\""));
    Szukaj();
    ASSERT_EQ(dialogi.Liczba(), 2u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Błąd w warunku dodatkowym"));
    EXPECT_TRUE(e.meWarunekDodatkowy->hasFocus());
}

TEST_F(TOknoWynikow, SummariesAndPagingAt50_51And0) {
    Slowo(1, QStringLiteral("beta"));
    Szukaj();
    EXPECT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: 50/50"));
    EXPECT_EQ(Wiersze().LiczbaWierszy(), 51);
    EXPECT_FALSE(Wiersze().PoleWyboru(0));
    EXPECT_EQ(Wiersze().Tlo(0), QColor(213, 204, 187));
    mBezczynnosc::Wykonanie();
    EXPECT_FALSE(Lista().acNastepny->isEnabled() || Lista().acOstatni->isEnabled());
    EXPECT_FALSE(Lista().acPierwszy->isEnabled() || Lista().acPoprzedni->isEnabled());

    Slowo(1, QStringLiteral("alfa"));
    Szukaj();
    EXPECT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: [ 1 - 50 ] / 51"));
    mBezczynnosc::Wykonanie();
    EXPECT_TRUE(Lista().acNastepny->isEnabled() && Lista().acOstatni->isEnabled());
    QTest::keyClick(&Wiersze(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: [ 51 - 51 ] / 51"));
    EXPECT_EQ(Wiersze().LiczbaWierszy(), 2);
    EXPECT_EQ(Wiersze().Dane(1), QStringLiteral("1"));   // the lowest document comes last
    mBezczynnosc::Wykonanie();
    EXPECT_FALSE(Lista().acNastepny->isEnabled() || Lista().acOstatni->isEnabled());
    EXPECT_TRUE(Lista().acPierwszy->isEnabled() && Lista().acPoprzedni->isEnabled());
    QTest::keyClick(&Wiersze(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: [ 1 - 50 ] / 51"));

    Slowo(1, QStringLiteral("nigdzie"));
    Szukaj();
    EXPECT_EQ(Wiersze().LiczbaWierszy(), 1);
    EXPECT_EQ(Wiersze().Tekst(0), PLq("LICZBA WYJAŚNIEŃ: 0/0"));
    mBezczynnosc::Wykonanie();
    EXPECT_FALSE(Lista().acNastepny->isEnabled() || Lista().acPierwszy->isEnabled());
}

TEST_F(TOknoWynikow, RowsByDateTiesInTableOrderMarksKeptAcrossPagesAndResizes) {
    Slowo(1, QStringLiteral("alfa"));
    Szukaj();
    TListaZaznaczen& w = Wiersze();
    ASSERT_EQ(w.LiczbaWierszy(), 51);
    // Later entry first; documents of the same minute in descending number.
    for (int i = 2; i < w.LiczbaWierszy(); ++i) {
        ASSERT_GE(w.Klucz(i - 1), w.Klucz(i));
        if (w.Klucz(i - 1) == w.Klucz(i)) {
            EXPECT_GT(w.Dane(i - 1).toInt(), w.Dane(i).toInt());
        }
    }
    EXPECT_EQ(w.Klucz(1), QStringLiteral("2004-05-07 10:00"));
    EXPECT_TRUE(w.Tekst(1).startsWith(QStringLiteral("[ 07-05-2004 ] alfa beta dokument numer ")));
    EXPECT_EQ(w.Dane(1), QStringLiteral("48"));   // the highest d with d % 7 == 6

    const QString zmieniony = w.Dane(5);
    w.UstawienieZaznaczenia(5, false);
    Lista().acNastepny->trigger();
    Lista().acPierwszy->trigger();
    auto znacznik = [&](const QString& dokument) {
        for (int i = 1; i < w.LiczbaWierszy(); ++i)
            if (w.Dane(i) == dokument) return w.Zaznaczony(i);
        ADD_FAILURE() << "no row of document " << dokument.toStdString();
        return true;
    };
    EXPECT_FALSE(znacznik(zmieniony));
    EXPECT_TRUE(znacznik(w.Dane(5) == zmieniony ? w.Dane(6) : w.Dane(5)));

    // A wider window wraps the rows anew and keeps the marks.
    const int linii = w.Wysokosc(1);
    okno->resize(okno->width() + 300, okno->height());
    QApplication::processEvents();
    EXPECT_LT(w.Wysokosc(1), linii);
    EXPECT_FALSE(znacznik(zmieniony));
    const int c = w.width() / 6;
    for (const QString& l : w.Tekst(1).split(QStringLiteral("\r\n"))) EXPECT_LE(l.size(), c);

    // Unchecking all reaches the other page too.
    QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Lista().TablicaRaportu.LiczbaZaznaczonych(), 0);
    for (int i = 1; i < w.LiczbaWierszy(); ++i) EXPECT_FALSE(w.Zaznaczony(i));
    Lista().acZaznaczWszystkie->trigger();
    EXPECT_EQ(Lista().TablicaRaportu.LiczbaZaznaczonych(), 51);
    EXPECT_TRUE(znacznik(zmieniony));
}

TEST_F(TOknoWynikow, ShownDocumentMarksPhrasesOfOneKindOfOperatorOnly) {
    TcEdytorZapytania& e = okno->Edytor();
    Slowo(1, QStringLiteral("podatek dochodowy"));
    Slowo(2, QStringLiteral("VAT"));
    Szukaj();
    ASSERT_EQ(Lista().TablicaRaportu.Liczba, 1);
    EXPECT_EQ(okno->Pokazanie().WarunekWyroznienia, "\"podatek dochodowy\" AND \"VAT\"");

    // Enter on the summary row does nothing.
    Wiersze().setFocus();
    Wiersze().UstawienieWybranego(0);
    mBezczynnosc::Wykonanie();
    EXPECT_FALSE(okno->Pokazanie().bbPokaz->isEnabled());
    QTest::keyClick(&Wiersze(), Qt::Key_Return);
    EXPECT_TRUE(otwarte.isEmpty());
    EXPECT_FALSE(QFile::exists(QStringLiteral("tmp.htm")));

    Wiersze().UstawienieWybranego(1);
    QTest::keyClick(&Wiersze(), Qt::Key_Return);
    ASSERT_EQ(otwarte, QStringList{QStringLiteral("tmp.htm")});
    const std::string html = Plik("tmp.htm");
    EXPECT_NE(html.find("<SPAN CLASS=wyroznienie>Podatek dochodowy</SPAN>"), std::string::npos) << html;
    EXPECT_NE(html.find("<SPAN CLASS=wyroznienie>VAT</SPAN>"), std::string::npos) << html;

    // OR joined with the additional condition's AND: mixed, the document is written as read.
    QTest::mouseClick(e.btOperator[0], Qt::LeftButton);
    e.meWarunekDodatkowy->setPlainText(QStringLiteral("\"VAT\""));
    Szukaj();
    ASSERT_EQ(Lista().TablicaRaportu.Liczba, 1);
    QApplication::processEvents();
    const QRect r = Wiersze().visualItemRect(Wiersze().topLevelItem(1));
    QTest::mouseClick(Wiersze().viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QTest::mouseDClick(Wiersze().viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    EXPECT_EQ(otwarte.size(), 2);
    EXPECT_EQ(Plik("tmp.htm"), okno->Sesja().Zapytanie().OdczytanieDokumentu(52).Tekst);

    // The shell refusing to open the file is reported; the file stays written.
    wynikOtwarcia = false;
    QTest::mouseClick(okno->Pokazanie().bbPokaz, Qt::LeftButton);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Błąd pokazania wyjaśnienia"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Nieudana próba otwarcia przeglądarki dla wyjaśnienia z raportu."));
    EXPECT_TRUE(QFile::exists(QStringLiteral("tmp.htm")));
}

TEST_F(TOknoWynikow, ClearingAsksThenEmptiesQueryAndList) {
    Slowo(1, QStringLiteral("alfa"));
    Szukaj();
    dialogi.Odpowiedz(7);
    QTest::mouseClick(okno->pbCzysc, Qt::LeftButton);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Potwierdź czyszczenie"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Czy na pewno wyczyścić pola warunku i raport?"));
    EXPECT_EQ(Wiersze().LiczbaWierszy(), 51);

    dialogi.Odpowiedz(6);
    QTest::mouseClick(okno->pbCzysc, Qt::LeftButton);
    EXPECT_EQ(Wiersze().LiczbaWierszy(), 0);
    EXPECT_EQ(Lista().TablicaRaportu.Liczba, 0);
    EXPECT_TRUE(okno->Sesja().Zapytanie().Raport.empty());
    EXPECT_EQ(okno->Edytor().enSlowo[0]->text(), QString());
    mBezczynnosc::Wykonanie();
    EXPECT_FALSE(Lista().acNastepny->isEnabled() || Lista().acOstatni->isEnabled());
    // The next search lists again from page 0.
    Slowo(1, QStringLiteral("alfa"));
    Szukaj();
    EXPECT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: [ 1 - 50 ] / 51"));
}

TEST_F(TOknoWynikow, EnterInAWordFieldSearchesAsTheDefaultButton) {
    QLineEdit* pole = okno->Edytor().enSlowo[0];
    pole->setFocus(Qt::MouseFocusReason);
    pole->selectAll();
    Wpisz(pole, QStringLiteral(" beta "));
    QTest::keyClick(pole, Qt::Key_Return);
    EXPECT_EQ(pole->text(), QStringLiteral("beta"));   // left for the button first: trimmed
    EXPECT_EQ(Liczba(1), QStringLiteral("50"));
    EXPECT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: 50/50"));
    // Enter in the additional condition is a new line, not a search.
    auto* me = okno->Edytor().meWarunekDodatkowy;
    me->setFocus(Qt::MouseFocusReason);
    Slowo(1, QStringLiteral("alfa"));
    me->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(me, Qt::Key_Return);
    EXPECT_EQ(Podsumowanie(), PLq("LICZBA WYJAŚNIEŃ: 50/50"));
}
