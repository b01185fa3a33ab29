// The typed edit field: key filters, completion and checks when the field is left, values,
// alignment, focus colours and widths, Esc and the next-field key. Today is 21 March 2003.
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "EditNew.h"
#include "PrzyciskObrazkowy.h"
#include "TestyOkien.h"
#include "Zegar.h"

namespace {

constexpr double Dzien21Marca2003 = 37701;   // days from 30-12-1899

class TEditNTest : public ::testing::Test {
protected:
    void SetUp() override {
        mZegar::UstawienieTeraz(Dzien21Marca2003 + 0.5);
        okno.resize(300, 200);
        auto* uklad = new QVBoxLayout(&okno);
        auto* start = new QLineEdit(&okno);
        uklad->addWidget(start);
        pole = new TEditN(&okno, "pole");
        inne = new TEditN(&okno, "inne");
        uklad->addWidget(pole);
        uklad->addWidget(inne);
        okno.show();
        okno.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
        start->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(start->hasFocus());
    }
    void TearDown() override { mZegar::Przywrocenie(); }

    // Enters the field, types the text and leaves the field for the other one.
    QString Wpisanie(const QString& tekst) {
        pole->setFocus(Qt::TabFocusReason);
        Wpisz(pole, tekst);
        inne->setFocus(Qt::TabFocusReason);
        return pole->text();
    }

    TOdpowiedziDialogow dialogi;
    QWidget okno;
    TEditN* pole = nullptr;
    TEditN* inne = nullptr;
};

}  // namespace

TEST_F(TEditNTest, DateCompletionUsesTodaysMonthAndYear) {
    pole->EditType = TEditN::etDate;
    EXPECT_EQ(Wpisanie(QStringLiteral("5")), QStringLiteral("05-03-2003"));
    EXPECT_DOUBLE_EQ(pole->ValueDate, Dzien21Marca2003 - 16);
    EXPECT_EQ(pole->ValueInteger, static_cast<int>(Dzien21Marca2003) - 16);
    pole->clear();
    EXPECT_EQ(Wpisanie(QStringLiteral("1204")), QStringLiteral("12-04-2003"));
    pole->clear();
    EXPECT_EQ(Wpisanie(QStringLiteral("120405")), QStringLiteral("12-04-2005"));
    pole->clear();
    EXPECT_EQ(Wpisanie(QStringLiteral("123")), QStringLiteral("12-03-2003"));
    pole->clear();
    EXPECT_EQ(Wpisanie(QStringLiteral("12045")), QStringLiteral("12-04-2005"));
    pole->clear();
    EXPECT_EQ(Wpisanie(QStringLiteral("1204199")), QStringLiteral("12-04-2199"));
    pole->clear();
    // Separators typed as "." or "/" become "-"; letters are not taken.
    EXPECT_EQ(Wpisanie(QStringLiteral("12.04/2005x")), QStringLiteral("12-04-2005"));
    EXPECT_DOUBLE_EQ(pole->ValueFloat, Dzien21Marca2003 + 753);
    EXPECT_EQ(dialogi.Liczba(), 0u);
    EXPECT_FALSE(pole->BlednaWartosc);
}

TEST_F(TEditNTest, WrongDatesWarnKeepTheTextAndTakeTheFocusBack) {
    pole->EditType = TEditN::etDate;
    for (const char* zly : {"12.4.2005", "31022005", "00012003", "12345678901"}) {
        pole->clear();
        dialogi.Czyszczenie();
        Wpisanie(QString::fromLatin1(zly));
        ASSERT_EQ(dialogi.Liczba(), 1u) << zly;
        EXPECT_EQ(dialogi.Ostatni().Tytul, QStringLiteral("Błędny format"));
        EXPECT_EQ(dialogi.Ostatni().Tekst, QStringLiteral("Błąd w formacie daty."));
        EXPECT_EQ(dialogi.Ostatni().Rodzaj, 0);
        EXPECT_TRUE(pole->BlednaWartosc) << zly;
        EXPECT_EQ(pole->ValueDate, 0);
        EXPECT_TRUE(pole->hasFocus()) << zly;
    }
    EXPECT_EQ(pole->text().size(), 10);   // the typed text stays (cut by the 10-character limit)
    // An empty date is no error and has the value 0; the mark is cleared.
    pole->clear();
    dialogi.Czyszczenie();
    Wpisanie(QString());
    EXPECT_EQ(dialogi.Liczba(), 0u);
    EXPECT_FALSE(pole->BlednaWartosc);
    EXPECT_EQ(pole->ValueDate, 0);
}

TEST_F(TEditNTest, TimeCompletionFillsZeros) {
    pole->EditType = TEditN::etTime;
    EXPECT_EQ(Wpisanie(QStringLiteral("9")), QStringLiteral("09:00"));
    pole->clear();
    EXPECT_EQ(Wpisanie(QStringLiteral("123")), QStringLiteral("12:03"));
    pole->clear();
    EXPECT_EQ(Wpisanie(QStringLiteral("0930")), QStringLiteral("09:30"));
    EXPECT_DOUBLE_EQ(pole->ValueTime, 9.5 / 24);
    EXPECT_EQ(dialogi.Liczba(), 0u);
    for (const char* zly : {"930", "2500"}) {
        pole->clear();
        dialogi.Czyszczenie();
        Wpisanie(QString::fromLatin1(zly));
        ASSERT_EQ(dialogi.Liczba(), 1u) << zly;
        EXPECT_EQ(dialogi.Ostatni().Tekst, QStringLiteral("Błąd w formacie czasu."));
        EXPECT_EQ(pole->text(), QString::fromLatin1(zly));
        EXPECT_TRUE(pole->BlednaWartosc);
    }
    pole->clear();
    inne->setFocus(Qt::TabFocusReason);
    pole->TimeSeconds = true;
    EXPECT_EQ(Wpisanie(QStringLiteral("12345")), QStringLiteral("12:34:05"));
    pole->clear();
    EXPECT_EQ(Wpisanie(QStringLiteral("1a:2")), QStringLiteral("12:00:00"));
}

TEST_F(TEditNTest, IntegerFieldTakesOneMinusAnywhereAndChecksTheRange) {
    pole->EditType = TEditN::etInteger;
    pole->setFocus(Qt::TabFocusReason);
    Wpisz(pole, QStringLiteral("1-2-x"));
    EXPECT_EQ(pole->text(), QStringLiteral("1-2"));
    EXPECT_EQ(pole->ValueInteger, -12);
    EXPECT_EQ(pole->MaxLength(), 11);
    inne->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(pole->text(), QStringLiteral("-12"));

    pole->clear();
    EXPECT_EQ(Wpisanie(QStringLiteral("2147483647")), QStringLiteral("2147483647"));
    EXPECT_EQ(pole->ValueInteger, 2147483647);
    EXPECT_EQ(dialogi.Liczba(), 0u);
    for (const char* poza : {"2147483648", "-2147483648"}) {
        pole->clear();
        dialogi.Czyszczenie();
        pole->setText(QString::fromLatin1(poza));
        ASSERT_GE(dialogi.Liczba(), 1u) << poza;
        EXPECT_EQ(dialogi.Ostatni().Tytul, QStringLiteral("Błąd zakresu"));
        EXPECT_EQ(dialogi.Ostatni().Tekst, QStringLiteral("Zakres : -2147483647 <-> 2147483647"));
        EXPECT_EQ(pole->ValueInteger, 0);
        EXPECT_TRUE(pole->BlednaWartosc);
    }
    // Pasted text loses every character but digits and "-"; two minus signs are no number.
    dialogi.Czyszczenie();
    pole->setText(QStringLiteral("4a2 "));
    EXPECT_EQ(pole->text(), QStringLiteral("42"));
    EXPECT_EQ(pole->ValueInteger, 42);
    EXPECT_FALSE(pole->BlednaWartosc);
    pole->setText(QStringLiteral("-4-2"));
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tekst,
              QStringLiteral("Zakres:\r\n - Integer : -2147483647 <-> 2147483647\r\n - Float   : 5.0e-324 <-> 1.7e+308"));
    EXPECT_TRUE(pole->BlednaWartosc);
}

TEST_F(TEditNTest, CardinalAndValueAlignment) {
    pole->EditType = TEditN::etCardinal;
    pole->EditAlign = TEditN::etAlignValue;
    pole->EditLengthAlign = 5;
    EXPECT_EQ(Wpisanie(QStringLiteral("-4a2")), QStringLiteral("00042"));
    EXPECT_EQ(pole->MaxLength(), 11);
    EXPECT_EQ(pole->ValueInteger, 42);
}

TEST_F(TEditNTest, FloatFieldSeparatorAndPrecision) {
    pole->EditType = TEditN::etFloat;
    pole->EditPrecision = 2;
    EXPECT_EQ(Wpisanie(QStringLiteral("3")), QStringLiteral("3.00"));
    pole->clear();
    EXPECT_EQ(Wpisanie(QStringLiteral("3,14159")), QStringLiteral("3.14"));
    EXPECT_DOUBLE_EQ(pole->ValueFloat, 3.14);
    pole->clear();
    EXPECT_EQ(Wpisanie(QString()), QStringLiteral("0.00"));
    pole->clear();
    // A second separator is not taken; the minus moves to the front when the field is left.
    EXPECT_EQ(Wpisanie(QStringLiteral("2.5.1-")), QStringLiteral("-2.51"));
    EXPECT_DOUBLE_EQ(pole->ValueFloat, -2.51);
    EXPECT_EQ(pole->ValueInteger, -2);
    EXPECT_EQ(pole->MaxLength(), 16);
    EXPECT_EQ(dialogi.Liczba(), 0u);
    pole->setText(QStringLiteral("1,5"));   // pasted with a comma: not a number
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(pole->ValueFloat, 0);
    EXPECT_TRUE(pole->BlednaWartosc);
}

TEST_F(TEditNTest, TextCapitalsAndPadding) {
    pole->FirstCharUpper = true;
    pole->setFocus(Qt::TabFocusReason);
    Wpisz(pole, QStringLiteral("jan (kowal żółw"));
    EXPECT_EQ(pole->text(), QStringLiteral("Jan (Kowal Żółw"));
    // AltGr letters (Ctrl+Alt) are text; Alt+letter is an accelerator and types nothing.
    pole->clear();
    QTest::keyClick(pole, Qt::Key_X, Qt::AltModifier);
    QKeyEvent altGr(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("ą"));
    QApplication::sendEvent(pole, &altGr);
    EXPECT_EQ(pole->text(), QStringLiteral("Ą"));
    pole->setText(QStringLiteral("ala"));
    inne->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(pole->text(), QStringLiteral("Ala"));
    pole->setText(QStringLiteral("ćma"));
    Wpisanie(QString());
    EXPECT_EQ(pole->text(), QStringLiteral("Ćma"));

    pole->FirstCharUpper = false;
    pole->EditLengthAlign = 10;
    struct TPrzypadek { TEditN::TEditAlign wyr; const char* przed; const char* po; };
    const TPrzypadek przypadki[] = {
        {TEditN::etAlignCenter, "abc", "    abc   "},
        {TEditN::etAlignCenter, "abcdefghi", "abcdefghi "},        // 1 missing: none before
        {TEditN::etAlignCenter, "abcdefg", "  abcdefg "},          // 3 missing: 2 before
        {TEditN::etAlignCenter, "abcde", "  abcde   "},            // 5 missing: 2 before
        {TEditN::etAlignRight, "abc", "       abc"},
        {TEditN::etAlignLeft, "  ab", "ab        "},
        {TEditN::etAlignValue, "abc", "abc"},
        {TEditN::etAlignNone, "abc", "abc"},
    };
    for (const TPrzypadek& p : przypadki) {
        pole->EditAlign = p.wyr;
        pole->setText(QString::fromLatin1(p.przed));
        EXPECT_EQ(Wpisanie(QString()), QString::fromLatin1(p.po)) << p.przed;
    }
}

TEST_F(TEditNTest, FocusColoursWidthAndEvents) {
    int wejscia = 0, wyjscia = 0;
    QObject::connect(pole, &TEditN::OnEnter, [&] { ++wejscia; });
    QObject::connect(pole, &TEditN::OnExit, [&] { ++wyjscia; });
    pole->WidthOnFocus = 250;
    const int szerokosc = pole->width();
    EXPECT_EQ(pole->palette().color(QPalette::Base), QColor(192, 192, 192));
    pole->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(pole->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(pole->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(pole->width(), 250);
    inne->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(pole->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(pole->palette().color(QPalette::Text), QColor(0, 0, 0));
    EXPECT_EQ(pole->width(), szerokosc);
    EXPECT_EQ(wejscia, 1);
    EXPECT_EQ(wyjscia, 1);
}

TEST_F(TEditNTest, EscRestoresTheEntryTextAndTheNextFieldKeyMoves) {
    pole->setText(QStringLiteral("przed"));
    pole->setFocus(Qt::TabFocusReason);
    Wpisz(pole, QStringLiteral("xyz"));
    QTest::keyClick(pole, Qt::Key_Escape);
    EXPECT_EQ(pole->text(), QStringLiteral("przed"));

    pole->EditKeyByTab = QChar(13);
    QTest::keyClick(pole, Qt::Key_Return);
    EXPECT_TRUE(inne->hasFocus());
}

TEST_F(TEditNTest, EscBelongsToTheWindowsCancelButton) {
    auto* anuluj = new TPrzyciskObrazkowy(&okno, "pbZamknij");
    anuluj->UstawienieAnulujacego(true);
    anuluj->show();
    int klikniecia = 0;
    QObject::connect(anuluj, &QToolButton::clicked, [&] { ++klikniecia; });
    pole->setFocus(Qt::TabFocusReason);
    Wpisz(pole, QStringLiteral("abc"));
    QTest::keyClick(pole, Qt::Key_Escape);
    EXPECT_EQ(klikniecia, 1);
    EXPECT_EQ(pole->text(), QStringLiteral("abc"));
}

TEST_F(TEditNTest, RealWarningWindowOnLeavingGivesTheFocusBack) {
    mDialogTest::Wylaczenie();   // the warning is shown for real and answered with Enter
    pole->EditType = TEditN::etTime;
    pole->setFocus(Qt::TabFocusReason);
    Wpisz(pole, QStringLiteral("2500"));
    QString komunikat;
    ModalnyPo([&komunikat](QWidget* okno) {
        komunikat = okno->windowTitle();
        QTest::keyClick(okno->focusWidget(), Qt::Key_Return);
    });
    inne->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(komunikat, QStringLiteral("Błędny format"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeModalWidget() == nullptr; }, 1000));
    // The field is the window's focus when the window is active again.
    okno.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
    EXPECT_EQ(okno.focusWidget(), pole);
    EXPECT_TRUE(pole->hasFocus());
    EXPECT_TRUE(pole->BlednaWartosc);
    mDialogTest::Wlaczenie();
}
