// The provision window: sections, rows and column widths, the memo, the choice by Enter or
// double click, and closing without a choice.
#include <QComboBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "Bezczynnosc.h"
#include "FabrykaDanych.h"
#include "PrzyciskObrazkowy.h"
#include "TestyOkien.h"
#include "ZapisSlownikow.h"
#include "cp1250.h"
#include "s_Przepis.h"

namespace {

TrSlownikTxt Dzial(int32_t numer, const char8_t* nazwa) {
    TrSlownikTxt d;
    d.Numer = numer;
    d.Nazwa = PL(nazwa);
    return d;
}

TrPrzepis Przepis(int32_t numer, const std::string& nazwa, int32_t dzial) {
    TrPrzepis p;
    p.Numer = numer;
    p.Nazwa = nazwa;
    p.Dzial = dzial;
    p.Pozycja = 0;
    return p;
}

class TsPrzepisTest : public ::testing::Test {
protected:
    // Sections 1 and 2 (and 3 without provisions); provisions: `wDziale1` of section 1, one of
    // section 2, one without a section, and one of section 2 named like the first of section 1,
    // which therefore lists under section 1 too.
    void Zapisanie(bool zDzialami = true, int wDziale1 = 17) {
        std::vector<TrSlownikTxt> dzialy;
        if (zDzialami) dzialy = {Dzial(1, u8"Podatek dochodowy"), Dzial(2, u8"VAT"), Dzial(3, u8"Akcyza")};
        std::vector<TrPrzepis> przepisy;
        for (int i = 1; i <= wDziale1; ++i) przepisy.push_back(Przepis(100 + i, "art. " + std::to_string(i) + " updof", 1));
        przepisy.push_back(Przepis(200, PL(u8"art. 86 ust. 1 ustawy o podatku od towarów"), 2));
        przepisy.push_back(Przepis(300, "art. 1 ordynacji", 0));
        przepisy.push_back(Przepis(400, "art. 1 updof", 2));   // same name as 101
        ZapisSlownikaDzialow(katalog.Plik("dzialy.ini"), dzialy);
        ZapisSlownikaPrzepisow(katalog.Plik("przepisy.ini"), przepisy);
        slDzialy = std::make_unique<TcSlownikTxt>(katalog.Plik("dzialy.ini"), true);
        slPrzepisy = std::make_unique<TcSlownikTxtPrzepis>(katalog.Plik("przepisy.ini"), true);
        okno = std::make_unique<TsPrzepis>(*slDzialy, *slPrzepisy);
        okno->show();
        okno->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    }

    void WyborDzialu(const QString& nazwa) {
        const int i = okno->cbDzial->findText(nazwa);
        ASSERT_GE(i, 0);
        okno->cbDzial->setCurrentIndex(i);
        emit okno->cbDzial->activated(i);
    }

    QStringList Kolumna(int k) const {
        QStringList w;
        for (int i = 0; i < okno->lvPrzepis->topLevelItemCount(); ++i) w << okno->lvPrzepis->topLevelItem(i)->text(k);
        return w;
    }

    TTymczasowyKatalog katalog;
    std::unique_ptr<TcSlownikTxt> slDzialy;
    std::unique_ptr<TcSlownikTxtPrzepis> slPrzepisy;
    std::unique_ptr<TsPrzepis> okno;
};

}  // namespace

TEST_F(TsPrzepisTest, OpensWithAllSectionsAndTheFirstRowChosen) {
    Zapisanie();
    EXPECT_EQ(okno->windowTitle(), QStringLiteral("Słownik przepisów"));
    EXPECT_EQ(okno->size(), QSize(771, 392));
    EXPECT_EQ(okno->cbDzial->count(), 4);
    EXPECT_EQ(okno->cbDzial->currentText(), QStringLiteral("Wszystkie"));
    EXPECT_EQ(okno->WybranyDzial, -1);
    EXPECT_EQ(okno->lvPrzepis->topLevelItemCount(), 20);
    EXPECT_EQ(Kolumna(1).at(17), QStringLiteral("VAT"));
    EXPECT_EQ(Kolumna(1).at(18), QString());          // no section
    EXPECT_EQ(Kolumna(1).at(19), QStringLiteral("Podatek dochodowy"));   // the first of that name's section
    EXPECT_EQ(okno->lvPrzepis->columnWidth(0), 485);
    EXPECT_EQ(okno->lvPrzepis->columnWidth(1), 146);
    EXPECT_EQ(okno->lvPrzepis->currentItem(), okno->lvPrzepis->topLevelItem(0));
    EXPECT_EQ(okno->mePrzepis->toPlainText(), QStringLiteral("art. 1 updof"));
    EXPECT_TRUE(okno->lvPrzepis->hasFocus());
    EXPECT_TRUE(okno->pbWybierz->isEnabled());
    EXPECT_EQ(okno->pbWybierz->text(), QStringLiteral("&Wybierz"));
    EXPECT_EQ(okno->pbWybierz->toolTip(), QStringLiteral("Wybranie bieżącego przepisu (Enter)"));
}

TEST_F(TsPrzepisTest, OneSectionHidesTheSectionColumnAndWidthFollowsTheScrollBar) {
    Zapisanie(true, 16);
    WyborDzialu(QStringLiteral("Podatek dochodowy"));
    EXPECT_EQ(okno->WybranyDzial, 1);
    EXPECT_EQ(okno->lvPrzepis->topLevelItemCount(), 17);
    EXPECT_EQ(okno->lvPrzepis->columnWidth(0), 647);
    EXPECT_EQ(okno->lvPrzepis->columnWidth(1), 0);
    EXPECT_FALSE(Kolumna(0).contains(QStringLiteral("art. 1 ordynacji")));   // section 0 only under all

    okno.reset();
    Zapisanie(true, 17);
    WyborDzialu(QStringLiteral("Podatek dochodowy"));
    EXPECT_EQ(okno->lvPrzepis->columnWidth(0), 631);
    WyborDzialu(QStringLiteral("Wszystkie"));
    EXPECT_EQ(okno->WybranyDzial, -1);
    EXPECT_EQ(okno->lvPrzepis->columnWidth(0), 485);
}

TEST_F(TsPrzepisTest, FewRowsWithoutSectionsGiveTheWideFirstColumn) {
    Zapisanie(false, 2);
    EXPECT_EQ(okno->cbDzial->count(), 1);
    EXPECT_EQ(okno->lvPrzepis->topLevelItemCount(), 5);
    EXPECT_EQ(okno->lvPrzepis->columnWidth(0), 501);
    EXPECT_EQ(Kolumna(1), QStringList(5, QString()));
}

TEST_F(TsPrzepisTest, EmptySectionDisablesTheChoiceAndKeepsTheMemo) {
    Zapisanie();
    okno->lvPrzepis->setCurrentItem(okno->lvPrzepis->topLevelItem(17));
    EXPECT_TRUE(okno->mePrzepis->toPlainText().startsWith(QStringLiteral("art. 86")));
    WyborDzialu(QStringLiteral("Akcyza"));
    EXPECT_EQ(okno->lvPrzepis->topLevelItemCount(), 0);
    mBezczynnosc::Wykonanie();
    EXPECT_FALSE(okno->acWybierz->isEnabled());
    EXPECT_FALSE(okno->pbWybierz->isEnabled());
    EXPECT_TRUE(okno->mePrzepis->toPlainText().startsWith(QStringLiteral("art. 86")));
    QTest::keyClick(okno->lvPrzepis, Qt::Key_Return);
    EXPECT_TRUE(okno->isVisible());
    // The idle hook re-enables the button once a row is selected again.
    WyborDzialu(QStringLiteral("VAT"));
    CzekanieWPetli(30);
    EXPECT_TRUE(okno->pbWybierz->isEnabled());
}

TEST_F(TsPrzepisTest, EnterChoosesTheSelectedRowAndDuplicatesGiveTheFirstNumber) {
    Zapisanie();
    okno->lvPrzepis->setCurrentItem(okno->lvPrzepis->topLevelItem(19));   // the duplicate "art. 1 updof"
    QTest::keyClick(okno->lvPrzepis, Qt::Key_Return);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_EQ(okno->result(), 1);
    EXPECT_EQ(okno->WybranyPrzepis, 101);

    okno.reset();
    Zapisanie();
    const QRect r = okno->lvPrzepis->visualItemRect(okno->lvPrzepis->topLevelItem(2));
    Dwuklik(okno->lvPrzepis->viewport(), r.center());
    EXPECT_EQ(okno->result(), 1);
    EXPECT_EQ(okno->WybranyPrzepis, 103);
}

TEST_F(TsPrzepisTest, EscAndTheCloseButtonCloseWithoutAChoice) {
    Zapisanie();
    QTest::keyClick(okno->lvPrzepis, Qt::Key_Escape);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_EQ(okno->result(), 2);
    EXPECT_EQ(okno->WybranyPrzepis, 0);

    okno.reset();
    Zapisanie();
    okno->close();
    EXPECT_EQ(okno->result(), 2);

    okno.reset();
    Zapisanie();
    WyborDzialu(QStringLiteral("Akcyza"));
    // A double click into the empty list leaves the window open.
    Dwuklik(okno->lvPrzepis->viewport(), QPoint(50, 50));
    EXPECT_TRUE(okno->isVisible());
    QTest::mouseClick(okno->pbZamknij, Qt::LeftButton);
    EXPECT_EQ(okno->result(), 2);
}
