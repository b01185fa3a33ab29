// The message window: fitted width, centred buttons, the 300-character cut, focus of the
// default button, Enter, Esc and the close box.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "Bledy.h"
#include "TestyOkien.h"
#include "cp1250.h"
#include "f_Dialog.h"
#include "mDialog.h"

namespace {

std::vector<QPushButton*> Widoczne(const TfDialog& d) {
    std::vector<QPushButton*> w;
    for (QPushButton* b : {d.btTak, d.btNie, d.btAnuluj, d.btOk})
        if (!b->isHidden()) w.push_back(b);
    return w;
}

}  // namespace

TEST(TfDialog, ShortMessagesGiveTheBareWidthOfEachKind) {
    TfDialog info(QStringLiteral("T"), QStringLiteral("."), 2, 2);
    EXPECT_EQ(info.width(), 99);
    EXPECT_EQ(info.height(), 94);
    EXPECT_EQ(Widoczne(info), std::vector<QPushButton*>{info.btOk});
    EXPECT_EQ(info.btOk->x(), 14);
    EXPECT_EQ(info.btOk->y(), 60);
    EXPECT_EQ(info.lbKomunikat->y(), 24);

    TfDialog ostrz(QStringLiteral("T"), QStringLiteral("."), 0, 2);
    EXPECT_EQ(ostrz.width(), 99);
    EXPECT_EQ(Widoczne(ostrz), std::vector<QPushButton*>{ostrz.btOk});

    TfDialog pyt(QStringLiteral("T"), QStringLiteral("."), 3, 0);
    EXPECT_EQ(pyt.width(), 179);
    EXPECT_EQ(Widoczne(pyt), (std::vector<QPushButton*>{pyt.btTak, pyt.btNie}));
    EXPECT_EQ(pyt.btTak->x(), 12);
    EXPECT_EQ(pyt.btNie->x(), 94);

    TfDialog pytA(QStringLiteral("T"), QStringLiteral("."), 4, 3);
    EXPECT_EQ(pytA.width(), 261);
    EXPECT_EQ(Widoczne(pytA), (std::vector<QPushButton*>{pytA.btTak, pytA.btNie, pytA.btAnuluj}));
    EXPECT_EQ(pytA.btAnuluj->x(), 176);
}

TEST(TfDialog, LongMessageWidensTheWindowAndShiftsButtonsByHalfTheExcess) {
    bool nieparzyste = false;
    QString tekst = QStringLiteral("Czy na pewno usunąć wszystkie raporty z wybranego okresu");
    // Lengthen the message until the excess is odd, so that the halving is exercised too.
    for (int i = 0; i < 40 && !nieparzyste; ++i) {
        tekst += QLatin1Char(i % 2 ? 'i' : 'W');
        TfDialog d(QStringLiteral("Potwierdź"), tekst, 3, 0);
        const int szer = d.lbKomunikat->width();
        const int nadmiar = szer - 106;
        ASSERT_GT(nadmiar, 0);
        EXPECT_EQ(d.width(), 179 + nadmiar);
        EXPECT_EQ(d.btTak->x(), 12 + nadmiar / 2);
        EXPECT_EQ(d.btNie->x(), 94 + nadmiar / 2);
        nieparzyste = nadmiar % 2 == 1;
    }
    EXPECT_TRUE(nieparzyste);
}

TEST(TfDialog, CaptionAndMessageAreCutTo300Characters) {
    const QString dlugi = QString(350, QLatin1Char('x'));
    TfDialog d(dlugi, dlugi, 2, 2);
    EXPECT_EQ(d.windowTitle().size(), 300);
    EXPECT_EQ(d.lbKomunikat->text().size(), 300);
}

TEST(TfDialog, LineBreaksRaiseTheLabelAndGrowItByLines) {
    TfDialog jeden(QStringLiteral("T"), QStringLiteral("Jeden wiersz"), 2, 2);
    TfDialog cr(QStringLiteral("T"),
                QStringLiteral("Puste daty oznaczają usunięcie wszystkich raportów.\r"
                               "Czy na pewno usunąć wszystkie raporty?"),
                3, 0);
    EXPECT_EQ(cr.lbKomunikat->y(), 14);
    EXPECT_EQ(cr.lbKomunikat->text().count(QLatin1Char('\n')), 1);
    EXPECT_EQ(cr.lbKomunikat->height(), 2 * jeden.lbKomunikat->height());
    TfDialog trzy(QStringLiteral("T"), QStringLiteral("a\r\nb\nc"), 2, 2);
    EXPECT_EQ(trzy.lbKomunikat->y(), 14);
    EXPECT_EQ(trzy.lbKomunikat->height(), 3 * jeden.lbKomunikat->height());
    // Three lines still end above the buttons.
    EXPECT_LE(trzy.lbKomunikat->y() + trzy.lbKomunikat->height(), 60);
    // The width is that of the longest line, not of the whole text.
    TfDialog dwa(QStringLiteral("T"), QStringLiteral("abc\nabc"), 2, 2);
    TfDialog raz(QStringLiteral("T"), QStringLiteral("abc"), 2, 2);
    EXPECT_EQ(dwa.lbKomunikat->width(), raz.lbKomunikat->width());
}

TEST(TfDialog, UnknownKindIsAnInternalError) {
    try {
        TfDialog d(QStringLiteral("T"), QStringLiteral("x"), 1, 2);
        FAIL() << "kind 1 accepted";
    } catch (const EInternalError& e) {
        EXPECT_EQ(std::string(e.what()), PL(u8"Nieoczekiwany błąd: TfDialog.Create.1.\n"));
    }
}

TEST(mDialog, DefaultButtonHasTheFocusAndEnterPressesIt) {
    struct TPrzypadek {
        int rodzaj, domyslny;
        const char* fokus;
        int wynik;
    };
    // Question default 2 acts as 0; question with cancel default 2 acts as 3.
    const TPrzypadek przypadki[] = {
        {3, 0, "btTak", 6}, {3, 1, "btNie", 7}, {3, 2, "btTak", 6},
        {4, 0, "btTak", 6}, {4, 1, "btNie", 7}, {4, 3, "btAnuluj", 2}, {4, 2, "btAnuluj", 2},
        {2, 2, "btOk", 1}, {0, 2, "btOk", 1},
    };
    for (const TPrzypadek& p : przypadki) {
        QString fokus;
        ModalnyPo([&fokus](QWidget* okno) {
            QWidget* f = okno->focusWidget();
            fokus = f ? f->objectName() : QString();
            QTest::keyClick(f ? f : okno, Qt::Key_Return);
        });
        int wynik = 0;
        switch (p.rodzaj) {
        case 3: wynik = Pytanie(QStringLiteral("Potwierdź"), QStringLiteral("Czy?"), p.domyslny) ? 6 : 7; break;
        case 4: wynik = PytanieZAnulowaniem(QStringLiteral("Zapisz zmiany"), QStringLiteral("Czy?"), p.domyslny); break;
        case 2: Informacja(QStringLiteral("I"), QStringLiteral("x")); wynik = 1; break;
        default: Ostrzezenie(QStringLiteral("O"), QStringLiteral("x")); wynik = 1; break;
        }
        EXPECT_EQ(fokus, QString::fromLatin1(p.fokus)) << p.rodzaj << "/" << p.domyslny;
        EXPECT_EQ(wynik, p.wynik) << p.rodzaj << "/" << p.domyslny;
    }
}

TEST(mDialog, EscLeavesTheDialogOpenAndTheCloseBoxCancels) {
    bool otwartyPoEsc = false;
    ModalnyPo([&otwartyPoEsc](QWidget* okno) {
        QTest::keyClick(okno, Qt::Key_Escape);
        QTest::keyClick(okno->focusWidget(), Qt::Key_Escape);
        QApplication::processEvents();
        otwartyPoEsc = okno->isVisible();
        okno->close();
    });
    EXPECT_FALSE(Pytanie(QStringLiteral("Potwierdź"), QStringLiteral("Czy?"), 0));
    EXPECT_TRUE(otwartyPoEsc);

    ModalnyPo([](QWidget* okno) { okno->close(); });
    EXPECT_EQ(PytanieZAnulowaniem(QStringLiteral("Zapisz zmiany"), QStringLiteral("Czy?"), 0), 2);

    ModalnyPo([](QWidget* okno) { QTest::keyClick(okno, Qt::Key_N, Qt::AltModifier); });
    EXPECT_EQ(PytanieZAnulowaniem(QStringLiteral("Zapisz zmiany"), QStringLiteral("Czy?"), 0), 7);
}

TEST(mDialog, TestModeRecordsTheCallsAndAnswersFromTheQueue) {
    TOdpowiedziDialogow dialogi;
    dialogi.Odpowiedz(7);
    EXPECT_FALSE(Pytanie(QStringLiteral("A"), QStringLiteral("B"), 5));
    EXPECT_EQ(dialogi.Ostatni().Domyslny, 0);
    EXPECT_EQ(PytanieZAnulowaniem(QStringLiteral("A"), QStringLiteral("B"), 2), 2);
    EXPECT_EQ(dialogi.Ostatni().Domyslny, 3);
    Ostrzezenie(QStringLiteral("C"), QStringLiteral("D"));
    EXPECT_EQ(dialogi.Ostatni().Rodzaj, 0);
    EXPECT_EQ(dialogi.Liczba(), 3u);
}
