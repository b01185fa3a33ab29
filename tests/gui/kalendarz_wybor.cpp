// The date picker over a date field: it opens on the clock's today whatever the field holds,
// "Zatwierdź" and Enter write the picked day into the field's text and values, "Anuluj", Esc
// and the close box leave the field as it was, a missing field is refused, the window's layout,
// and the window being gone once WybranieDaty returns. Today is 21 March 2003; the field holds
// 1 January 2001 (day 36892) when the picker opens.
#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QFrame>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

#include "EditNew.h"
#include "PrzyciskObrazkowy.h"
#include "Tekst.h"
#include "TestyOkien.h"
#include "Zegar.h"
#include "f_Kalendarz.h"
#include "mKalendarz.h"

namespace {

constexpr int Dzien1Stycznia2001 = 36892;
constexpr int Dzien5Marca2005 = 38416;

template <class T>
T* Kontrolka(QWidget* okno, const char* nazwa) {
    T* k = okno->findChild<T*>(QString::fromLatin1(nazwa));
    if (k == nullptr) ADD_FAILURE() << "missing control " << nazwa;
    return k;
}

QAbstractItemView* WidokDni(QCalendarWidget* kalendarz) { return kalendarz->findChild<QAbstractItemView*>(); }

// Clicks the given day of the month the calendar shows. Small numbers first met in the grid
// belong to that month: the leading days of the month before are all above 20.
void KlikniecieDnia(QCalendarWidget* kalendarz, int dzien) {
    QAbstractItemView* widok = WidokDni(kalendarz);
    ASSERT_NE(widok, nullptr);
    const QAbstractItemModel* model = widok->model();
    for (int w = 1; w < model->rowCount(); ++w) {
        for (int k = 0; k < model->columnCount(); ++k) {
            const QModelIndex i = model->index(w, k);
            if (i.data().toString() != QString::number(dzien)) continue;
            QTest::mouseClick(widok->viewport(), Qt::LeftButton, Qt::NoModifier, widok->visualRect(i).center());
            return;
        }
    }
    ADD_FAILURE() << "day " << dzien << " not shown";
}

// Whatever stays of picker windows among the application's windows.
int LiczbaOkienKalendarza() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TfKalendarz*>(w) != nullptr) ++n;
    return n;
}

class TfKalendarzTest : public ::testing::Test {
protected:
    void SetUp() override {
        mZegar::UstawienieTeraz(mZegar::DataCzas(QDate(2003, 3, 21), QTime(12, 0)));
        okno.resize(300, 120);
        auto* uklad = new QVBoxLayout(&okno);
        pole = new TEditN(&okno, "enDataOd");
        pole->EditType = TEditN::etDate;
        inne = new TEditN(&okno, "enDataDo");
        uklad->addWidget(pole);
        uklad->addWidget(inne);
        okno.show();
        okno.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
        pole->setFocus(Qt::TabFocusReason);
        Wpisz(pole, QStringLiteral("01012001"));
        inne->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(pole->text(), QStringLiteral("01-01-2001"));
        ASSERT_EQ(pole->ValueInteger, Dzien1Stycznia2001);
        pole->setFocus(Qt::TabFocusReason);
        QObject::connect(pole, &TEditN::OnChange, [this] { ++zmiany; });
    }
    void TearDown() override { mZegar::Przywrocenie(); }

    // Opens the picker for the field through WybranieDaty and lets `dzialanie` drive it; a
    // window that `dzialanie` left open is closed with 0, so a failing test does not hang.
    int32_t Wybranie(const std::function<void(QWidget*)>& dzialanie) {
        bool otwarte = false;
        ModalnyPo([&](QWidget* kalendarz) {
            otwarte = true;
            EXPECT_EQ(kalendarz->objectName(), QStringLiteral("TfKalendarz"));
            // Keys go to the focused control once the window has become the active one.
            EXPECT_TRUE(QTest::qWaitFor([kalendarz] {
                QWidget* f = QApplication::focusWidget();
                return f != nullptr && f->window() == kalendarz;
            }, 1000));
            dzialanie(kalendarz);
            if (kalendarz->isVisible()) {
                ADD_FAILURE() << "the picker stayed open";
                if (auto* d = qobject_cast<QDialog*>(kalendarz)) d->done(0);
            }
        });
        const int32_t wynik = WybranieDaty(pole);
        EXPECT_TRUE(otwarte);
        return wynik;
    }

    // Moves the calendar to March 2005 and clicks the 5th, as the user would.
    static void Wybor5Marca2005(QWidget* kalendarz) {
        auto* mc = Kontrolka<QCalendarWidget>(kalendarz, "mcKalendarz");
        ASSERT_NE(mc, nullptr);
        mc->setCurrentPage(2005, 3);
        KlikniecieDnia(mc, 5);
        ASSERT_EQ(mc->selectedDate(), QDate(2005, 3, 5));
    }

    void OczekiwanePoleBezZmian() {
        EXPECT_EQ(pole->text(), QStringLiteral("01-01-2001"));
        EXPECT_EQ(pole->ValueInteger, Dzien1Stycznia2001);
        EXPECT_DOUBLE_EQ(pole->ValueDate, Dzien1Stycznia2001);
        EXPECT_DOUBLE_EQ(pole->ValueFloat, Dzien1Stycznia2001);
        EXPECT_EQ(zmiany, 0);
    }

    TOdpowiedziDialogow dialogi;
    QWidget okno;
    TEditN* pole = nullptr;
    TEditN* inne = nullptr;
    int zmiany = 0;
};

}  // namespace

TEST_F(TfKalendarzTest, OpensOnTheClocksTodayNotOnTheFieldsDate) {
    QDate wybrana, strona;
    bool fokus = false;
    const int32_t wynik = Wybranie([&](QWidget* kalendarz) {
        auto* mc = Kontrolka<QCalendarWidget>(kalendarz, "mcKalendarz");
        ASSERT_NE(mc, nullptr);
        wybrana = mc->selectedDate();
        strona = QDate(mc->yearShown(), mc->monthShown(), 1);
        fokus = mc->hasFocus();
        QTest::mouseClick(Kontrolka<QWidget>(kalendarz, "pbAnuluj"), Qt::LeftButton);
    });
    EXPECT_EQ(wynik, 2);
    EXPECT_EQ(wybrana, QDate(2003, 3, 21));
    EXPECT_EQ(strona, QDate(2003, 3, 1));
    EXPECT_TRUE(fokus);
}

TEST_F(TfKalendarzTest, ConfirmWritesThePickedDayAndLeavingTheFieldKeepsIt) {
    const int32_t wynik = Wybranie([](QWidget* kalendarz) {
        Wybor5Marca2005(kalendarz);
        QTest::mouseClick(Kontrolka<QWidget>(kalendarz, "pbZatwierdz"), Qt::LeftButton);
    });
    EXPECT_EQ(wynik, 1);
    EXPECT_EQ(pole->text(), QStringLiteral("05-03-2005"));
    EXPECT_EQ(pole->ValueInteger, Dzien5Marca2005);
    EXPECT_DOUBLE_EQ(pole->ValueDate, Dzien5Marca2005);
    EXPECT_DOUBLE_EQ(pole->ValueFloat, Dzien5Marca2005);
    EXPECT_GE(zmiany, 1);   // the field's change handling saw the new text

    // Date completion takes the written text as it is: no warning, same text and values.
    pole->setFocus(Qt::TabFocusReason);
    inne->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(pole->text(), QStringLiteral("05-03-2005"));
    EXPECT_EQ(pole->ValueInteger, Dzien5Marca2005);
    EXPECT_DOUBLE_EQ(pole->ValueDate, Dzien5Marca2005);
    EXPECT_FALSE(pole->BlednaWartosc);
    EXPECT_EQ(dialogi.Liczba(), 0u);
}

TEST_F(TfKalendarzTest, EnterInTheCalendarConfirms) {
    const int32_t wynik = Wybranie([](QWidget* kalendarz) {
        Wybor5Marca2005(kalendarz);
        QWidget* fokus = QApplication::focusWidget();
        ASSERT_NE(fokus, nullptr);
        QTest::keyClick(fokus, Qt::Key_Return);
    });
    EXPECT_EQ(wynik, 1);
    EXPECT_EQ(pole->text(), QStringLiteral("05-03-2005"));
    EXPECT_EQ(pole->ValueInteger, Dzien5Marca2005);
}

TEST_F(TfKalendarzTest, CancelEscAndTheCloseBoxLeaveTheFieldAsItWas) {
    EXPECT_EQ(Wybranie([](QWidget* kalendarz) {
                  Wybor5Marca2005(kalendarz);
                  QTest::mouseClick(Kontrolka<QWidget>(kalendarz, "pbAnuluj"), Qt::LeftButton);
              }),
              2);
    OczekiwanePoleBezZmian();

    EXPECT_EQ(Wybranie([](QWidget* kalendarz) {
                  Wybor5Marca2005(kalendarz);
                  QWidget* fokus = QApplication::focusWidget();
                  ASSERT_NE(fokus, nullptr);
                  QTest::keyClick(fokus, Qt::Key_Escape);
              }),
              2);
    OczekiwanePoleBezZmian();

    EXPECT_EQ(Wybranie([](QWidget* kalendarz) {
                  Wybor5Marca2005(kalendarz);
                  kalendarz->close();
              }),
              2);
    OczekiwanePoleBezZmian();
}

TEST_F(TfKalendarzTest, MissingFieldIsRefused) {
    const QString komunikat = QStringLiteral("Wskaźnik do kontrolki daty jest pusty. ");
    try {
        TfKalendarz kalendarz(nullptr, &okno);
        ADD_FAILURE() << "no error for a missing field";
    } catch (const EInvalidOperation& b) {
        EXPECT_EQ(qs(b.what()), komunikat);
    }
    try {
        WybranieDaty(nullptr);
        ADD_FAILURE() << "no error for a missing field";
    } catch (const EInvalidOperation& b) {
        EXPECT_EQ(qs(b.what()), komunikat);
    }
    EXPECT_EQ(LiczbaOkienKalendarza(), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(TfKalendarzTest, LayoutCaptionsAndKeys) {
    TfKalendarz kalendarz(pole, &okno);
    kalendarz.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&kalendarz));
    EXPECT_EQ(kalendarz.windowTitle(), QStringLiteral("Wybierz datę"));
    EXPECT_EQ(kalendarz.size(), QSize(320, 185));
    EXPECT_EQ(kalendarz.minimumSize(), kalendarz.maximumSize());
    EXPECT_TRUE(kalendarz.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(kalendarz.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    auto* tc = Kontrolka<QFrame>(&kalendarz, "tcKalendarz");
    auto* mc = Kontrolka<QCalendarWidget>(&kalendarz, "mcKalendarz");
    auto* zatwierdz = Kontrolka<TPrzyciskObrazkowy>(&kalendarz, "pbZatwierdz");
    auto* anuluj = Kontrolka<TPrzyciskObrazkowy>(&kalendarz, "pbAnuluj");
    ASSERT_TRUE(tc && mc && zatwierdz && anuluj);
    EXPECT_EQ(tc->geometry(), QRect(8, 8, 213, 169));
    EXPECT_EQ(tc->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(mc->parentWidget(), tc);
    EXPECT_EQ(mc->geometry(), QRect(8, 8, 197, 154));
    EXPECT_TRUE(mc->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(zatwierdz->geometry(), QRect(232, 69, 80, 52));
    EXPECT_EQ(anuluj->geometry(), QRect(232, 125, 80, 52));
    EXPECT_EQ(zatwierdz->text(), QStringLiteral("Zatwierdź"));
    EXPECT_EQ(anuluj->text(), QStringLiteral("Anuluj"));
    EXPECT_TRUE(zatwierdz->Domyslny());
    EXPECT_TRUE(anuluj->Anulujacy());
    EXPECT_FALSE(zatwierdz->icon().isNull());
    EXPECT_FALSE(anuluj->icon().isNull());

    // The whole month shows in the calendar's place: it needs no more room than it has, and
    // every row of six weeks and the weekday row lies inside the view.
    const QSize potrzebne = mc->minimumSizeHint();
    EXPECT_LE(potrzebne.width(), 197);
    EXPECT_LE(potrzebne.height(), 154);
    QAbstractItemView* widok = WidokDni(mc);
    ASSERT_NE(widok, nullptr);
    const QAbstractItemModel* model = widok->model();
    const QModelIndex ostatni = model->index(model->rowCount() - 1, model->columnCount() - 1);
    EXPECT_TRUE(widok->viewport()->rect().contains(widok->visualRect(ostatni)));

    // Tab goes from the calendar to the two buttons.
    EXPECT_TRUE(mc->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(zatwierdz->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(anuluj->hasFocus());
}

TEST_F(TfKalendarzTest, WindowIsReleasedAfterClosingAndWhenShowingFails) {
    Wybranie([](QWidget* kalendarz) { kalendarz->close(); });
    EXPECT_EQ(LiczbaOkienKalendarza(), 0);

    // A failure while the window is being shown reaches the caller, and the window goes.
    struct TBladPokazania : QObject {
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Show && qobject_cast<TfKalendarz*>(o) != nullptr)
                throw std::runtime_error("show");
            return false;
        }
    } blad;
    qApp->installEventFilter(&blad);
    EXPECT_THROW(WybranieDaty(pole), std::runtime_error);
    qApp->removeEventFilter(&blad);
    EXPECT_EQ(LiczbaOkienKalendarza(), 0);
    EXPECT_EQ(pole->text(), QStringLiteral("01-01-2001"));
}
