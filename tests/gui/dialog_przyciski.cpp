// The image button (action binding, default and cancel roles, accelerator), the idle-time
// update handlers and the window checksum.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "Bezczynnosc.h"
#include "EditNew.h"
#include "PrzyciskObrazkowy.h"
#include "Tekst.h"
#include "TestyOkien.h"
#include "mFormCrc.h"
#include "mLib.h"

namespace {

class TOknoPrzyciskow : public ::testing::Test {
protected:
    void SetUp() override {
        okno.resize(400, 300);
        pole = new TEditN(&okno, "pole");
        pole->setGeometry(8, 8, 150, 22);
        inny = new QPushButton(QStringLiteral("Inny"), &okno);
        inny->setGeometry(8, 40, 75, 23);
        akcja = new QAction(QStringLiteral("&Wybierz"), &okno);
        akcja->setToolTip(QStringLiteral("Wybranie (Enter)"));
        QObject::connect(akcja, &QAction::triggered, [this] { ++wybrania; });
        wybierz = new TPrzyciskObrazkowy(&okno, "pbWybierz", TGlif::Wybierz);
        wybierz->move(300, 180);
        wybierz->UstawienieAkcji(akcja);
        wybierz->UstawienieDomyslnego(true);
        zamknij = new TPrzyciskObrazkowy(&okno, "pbZamknij", TGlif::Zamknij);
        zamknij->move(300, 240);
        zamknij->UstawienieNapisu(QStringLiteral("&Zamknij"), QStringLiteral("Zamknięcie"));
        zamknij->UstawienieAnulujacego(true);
        QObject::connect(zamknij, &QToolButton::clicked, [this] { ++zamkniecia; });
        QObject::connect(inny, &QPushButton::clicked, [this] { ++inne; });
        okno.show();
        okno.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
        pole->setFocus();
    }

    QWidget okno;
    TEditN* pole = nullptr;
    QPushButton* inny = nullptr;
    QAction* akcja = nullptr;
    TPrzyciskObrazkowy* wybierz = nullptr;
    TPrzyciskObrazkowy* zamknij = nullptr;
    int wybrania = 0, zamkniecia = 0, inne = 0;
};

}  // namespace

TEST_F(TOknoPrzyciskow, ButtonFollowsItsAction) {
    EXPECT_EQ(wybierz->size(), QSize(80, 52));
    EXPECT_EQ(wybierz->text(), QStringLiteral("&Wybierz"));
    EXPECT_EQ(wybierz->toolTip(), QStringLiteral("Wybranie (Enter)"));
    akcja->setEnabled(false);
    EXPECT_FALSE(wybierz->isEnabled());
    QTest::mouseClick(wybierz, Qt::LeftButton);
    EXPECT_EQ(wybrania, 0);
    akcja->setEnabled(true);
    akcja->setText(QStringLiteral("&Dalej"));
    EXPECT_EQ(wybierz->text(), QStringLiteral("&Dalej"));
    QTest::mouseClick(wybierz, Qt::LeftButton);
    EXPECT_EQ(wybrania, 1);
}

TEST_F(TOknoPrzyciskow, EnterPressesTheDefaultOrTheFocusedButtonAndEscTheCancelButton) {
    QTest::keyClick(pole, Qt::Key_Return);
    EXPECT_EQ(wybrania, 1);
    inny->setFocus();
    QTest::keyClick(inny, Qt::Key_Return);
    EXPECT_EQ(inne, 1);
    EXPECT_EQ(wybrania, 1);
    pole->setFocus();
    QTest::keyClick(pole, Qt::Key_Escape);
    EXPECT_EQ(zamkniecia, 1);
    // A disabled default button is not pressed; a hidden cancel button neither.
    akcja->setEnabled(false);
    QTest::keyClick(pole, Qt::Key_Return);
    EXPECT_EQ(wybrania, 1);
    zamknij->hide();
    pole->setText(QStringLiteral("x"));
    QTest::keyClick(pole, Qt::Key_Escape);
    EXPECT_EQ(zamkniecia, 1);
}

TEST_F(TOknoPrzyciskow, AcceleratorLetterPressesTheButton) {
    EXPECT_EQ(zamknij->shortcut(), QKeySequence(QStringLiteral("Alt+Z")));
    QTest::keyClick(&okno, Qt::Key_Z, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return zamkniecia == 1; }, 1000));   // an animated click
    QTest::keyClick(&okno, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return wybrania == 1; }, 1000));
}

TEST_F(TOknoPrzyciskow, IdleHandlersRunWhileTheLoopWaitsAndEndWithTheirWidget) {
    int wywolania = 0;
    auto* pomocniczy = new QWidget(&okno);
    mBezczynnosc::Rejestracja(pomocniczy, [&] {
        ++wywolania;
        akcja->setEnabled(!pole->text().isEmpty());
    });
    CzekanieWPetli(30);
    EXPECT_GT(wywolania, 0);
    EXPECT_FALSE(wybierz->isEnabled());
    pole->setText(QStringLiteral("abc"));
    CzekanieWPetli(30);
    EXPECT_TRUE(wybierz->isEnabled());
    delete pomocniczy;
    const int przed = wywolania;
    mBezczynnosc::Wykonanie();
    EXPECT_EQ(wywolania, przed);
}

TEST(mFormCrc, ChainsTheValuesOfEditableControlsInOrder) {
    QWidget okno;
    auto* pole = new TEditN(&okno);
    auto* znacznik = new QCheckBox(&okno);
    auto* memo = new QPlainTextEdit(&okno);
    auto* lista = new QComboBox(&okno);
    lista->addItems({QStringLiteral("a"), QStringLiteral("b")});
    new QPushButton(QStringLiteral("nie liczy się"), &okno);
    pole->setText(QStringLiteral("  Zażółć "));
    znacznik->setChecked(true);
    memo->setPlainText(QStringLiteral("x\ny"));
    lista->setCurrentIndex(1);

    uint16_t oczekiwana = 0xFFFF;
    for (const QString& w : {QStringLiteral("Zażółć"), QStringLiteral("-1"), QStringLiteral("x\r\ny"), QStringLiteral("1")})
        oczekiwana = mCrc16(cp(w), oczekiwana);
    const uint16_t suma = mFormCrc(okno);
    EXPECT_EQ(suma, oczekiwana);

    // Blanks around the text do not count; every other change does, and undoing it restores the sum.
    pole->setText(QStringLiteral("Zażółć"));
    EXPECT_EQ(mFormCrc(okno), suma);
    znacznik->setChecked(false);
    EXPECT_NE(mFormCrc(okno), suma);
    znacznik->setChecked(true);
    lista->setCurrentIndex(0);
    EXPECT_NE(mFormCrc(okno), suma);
    lista->setCurrentIndex(1);
    memo->setPlainText(QStringLiteral("x\ny "));
    EXPECT_NE(mFormCrc(okno), suma);
}
