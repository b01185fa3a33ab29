// Bulk report deletion: the criteria window's checks and calendar buttons, whole days at both
// ends of the range, ticks of five, stopping, failed deletions, and what the catalogue lists
// and reports afterwards. Today is 21 March 2005; report N of a test is N kilobytes.
#include <QCalendarWidget>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <ctime>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <utime.h>

#include "EditNew.h"
#include "FabrykaDanych.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "Tekst.h"
#include "TestyOkien.h"
#include "Zegar.h"
#include "b_UsunWiele.h"
#include "bPlik.h"
#include "f_Kalendarz.h"
#include "f_UsunWiele.h"
#include "k_Raport.h"

namespace {

namespace fs = std::filesystem;
using VS = std::vector<std::string>;

// Stops the timer of every progress window as it opens: the test gives the ticks itself.
class TZatrzymanieTimera : public QObject {
public:
    TZatrzymanieTimera() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* obiekt, QEvent* e) override {
        if (auto* b = qobject_cast<TbUsunWiele*>(obiekt); b != nullptr && e->type() == QEvent::Show) b->Timer->stop();
        return false;
    }
};

// The modal window `T` once it opens; any other is closed as a failure.
template <class T>
void Modalny(std::function<void(T&)> dzialanie) {
    ModalnyPo([dzialanie](QWidget* w) {
        if (auto* o = qobject_cast<T*>(w)) return dzialanie(*o);
        ADD_FAILURE() << "opened " << w->objectName().toStdString();
        static_cast<QDialog*>(w)->done(0);
    });
}

class UsuwanieTest : public ::testing::Test {
protected:
    void SetUp() override {
        mZegar::UstawienieTeraz(mZegar::DataCzas(QDate(2005, 3, 21), QTime(12, 0)));
        fs::create_directory("Raporty");
    }
    void TearDown() override { mZegar::Przywrocenie(); }

    // "Raporty/<nazwa>.rap" of `kb` kilobytes, last written on a day of March 2005.
    static void Raport(const std::string& nazwa, int kb, int dzien, int godzina = 12, int minuta = 0, int sekunda = 0) {
        const std::string sciezka = "Raporty/" + nazwa + ".rap";
        ZapisPliku(sciezka, std::string(size_t(kb) * 1024, 'x'));
        std::tm t{};
        t.tm_year = 105, t.tm_mon = 2, t.tm_mday = dzien;
        t.tm_hour = godzina, t.tm_min = minuta, t.tm_sec = sekunda, t.tm_isdst = -1;
        const std::time_t czas = std::mktime(&t);
        const utimbuf u{czas, czas};
        ASSERT_EQ(::utime(sciezka.c_str(), &u), 0);
    }
    static std::string R(int n) { return std::to_string(100 + n).insert(0, 1, 'r'); }
    static VS Posortowane(VS w) {
        std::sort(w.begin(), w.end());
        return w;
    }
    static VS NaDysku() {
        VS w;
        for (const auto& p : fs::directory_iterator("Raporty")) w.push_back(p.path().stem().string());
        return Posortowane(w);
    }
    static VS Nazwy(const TcListPlikRaportu& lista) {
        VS w;
        for (int32_t i = 0; i < lista.Liczba(); ++i) w.push_back(lista.PlikRaportu(i).NazwaRaportu);
        return w;
    }

    void Kartoteka() {
        if (!sesja) {
            BudowaKatalogu(dane.Sciezka(), {{"0000001.htm", "podatek"}});
            TOpcjeSesji o;
            o.Ladowanie.Katalog = dane.Sciezka();
            o.OdczytKonfiguracji = false;
            sesja = std::make_unique<TcSesja>(o);
        }
        kartoteka = std::make_unique<TkRaport>(*sesja);
        kartoteka->show();
    }
    VS Wiersze() const {
        VS w;
        for (int i = 0; i < kartoteka->lvPlikRaportu->topLevelItemCount(); ++i)
            w.push_back(kartoteka->lvPlikRaportu->topLevelItem(i)->text(0).toStdString());
        return w;
    }
    TfUsunWiele& Kryteria() {
        kryteria = std::make_unique<TfUsunWiele>();
        kryteria->show();
        kryteria->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(kryteria.get()));
        return *kryteria;
    }
    // "Usuń wiele" with these texts in the date fields. `postep`, when given, drives the
    // progress window; otherwise it runs by its timer to its end.
    void UsuniecieWiele(const QString& od, const QString& do_, std::function<void(TbUsunWiele&)> postep = {}) {
        std::optional<TZatrzymanieTimera> zatrzymanie;
        if (postep) zatrzymanie.emplace();
        Modalny<TfUsunWiele>([&](TfUsunWiele& f) {
            f.enDataOd->setText(od);
            f.enDataDo->setText(do_);
            if (postep) Modalny<TbUsunWiele>([&](TbUsunWiele& b) { postep(b); });
            f.bbZatwierdz->click();
        });
        kartoteka->acUsunWieleExecute();
    }
    QString Podsumowanie(int liczba, int kb) const {
        return PLq("Liczba usuniętych raportów: %1.\rOrientacyjny rozmiar: %2 KB.").arg(liczba).arg(kb);
    }

    TTymczasowyKatalog dane, roboczy;
    TBiezacyKatalog biezacy{roboczy.Sciezka()};
    TOdpowiedziDialogow dialogi;
    std::unique_ptr<TcSesja> sesja;
    std::unique_ptr<TkRaport> kartoteka;
    std::unique_ptr<TfUsunWiele> kryteria;
};

}  // namespace

TEST_F(UsuwanieTest, KontrolaDatRefusesAReversedRangeAndAsksBeforeDeleting) {
    TfUsunWiele& f = Kryteria();
    f.enDataOd->setText(QStringLiteral("10-03-2005"));
    f.enDataDo->setText(QStringLiteral("09-03-2005"));
    f.enDataDo->setFocus();
    EXPECT_FALSE(f.KontrolaDat());
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Błędny zakres dat"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Początkowa data nie może być późniejsza od końcowej."));
    EXPECT_TRUE(f.enDataOd->hasFocus());

    f.enDataDo->setText(QStringLiteral("10-03-2005"));   // one day is a range
    dialogi.Odpowiedz(7);
    EXPECT_FALSE(f.KontrolaDat());
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Czy na pewno usunąć raporty?"));
    EXPECT_EQ(dialogi.Ostatni().Domyslny, 0);
    f.enDataOd->clear();
    EXPECT_TRUE(f.KontrolaDat());
    f.enDataDo->clear();
    dialogi.Odpowiedz(7);
    EXPECT_FALSE(f.KontrolaDat());
    EXPECT_EQ(dialogi.Ostatni().Tekst,
              PLq("Puste daty oznaczają usunięcie wszystkich raportów.\rCzy na pewno usunąć wszystkie raporty?"));
    EXPECT_TRUE(f.KontrolaDat());
    EXPECT_EQ(dialogi.Liczba(), 5u);
}

TEST_F(UsuwanieTest, AnInvalidDateKeepsTheWindowOpenWithTheFieldsWarningAloneAndEscGivesUp) {
    TfUsunWiele& f = Kryteria();
    Wpisz(f.enDataOd, QStringLiteral("31022005"));
    QTest::keyClick(f.enDataOd, Qt::Key_Return);   // "Zatwierdź", which leaves the field
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialogi.Liczba() > 0; }, 2000));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Błąd w formacie daty."));
    EXPECT_FALSE(f.KontrolaDat());
    EXPECT_EQ(dialogi.Liczba(), 1u);
    EXPECT_TRUE(f.isVisible());

    f.enDataOd->selectAll();
    Wpisz(f.enDataOd, QStringLiteral("5"));
    QTest::keyClick(f.enDataOd, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&f] { return !f.isVisible(); }, 2000));
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(DzienPola(*f.enDataOd), KodowanieDaty(2005, 3, 5));
    EXPECT_EQ(DzienPola(*f.enDataDo), BrakDaty);

    TfUsunWiele& g = Kryteria();
    Wpisz(g.enDataOd, QStringLiteral("99"));
    QTest::keyClick(g.enDataOd, Qt::Key_Escape);
    EXPECT_FALSE(g.isVisible());
    EXPECT_EQ(g.result(), QDialog::Rejected);
    EXPECT_EQ(dialogi.Liczba(), 2u);
}

TEST_F(UsuwanieTest, CalendarButtonsOpenThePickerOnTodayForTheirOwnField) {
    TfUsunWiele& f = Kryteria();
    f.enDataOd->setText(QStringLiteral("01-01-2001"));
    std::vector<QDate> otwarte;
    const auto wybor = [&](QDate dzien) {
        Modalny<TfKalendarz>([&otwarte, dzien](TfKalendarz& k) {
            otwarte.push_back(k.mcKalendarz->selectedDate());
            k.mcKalendarz->setSelectedDate(dzien);
            k.pbZatwierdz->click();
        });
    };
    wybor(QDate(2005, 3, 21));
    f.bbKalendarzDo->click();
    EXPECT_EQ(f.enDataDo->text(), QStringLiteral("21-03-2005"));
    EXPECT_EQ(f.enDataOd->text(), QStringLiteral("01-01-2001"));
    wybor(QDate(2005, 3, 5));
    f.bbKalendarzOd->click();
    EXPECT_EQ(f.enDataOd->text(), QStringLiteral("05-03-2005"));
    EXPECT_EQ(f.enDataDo->text(), QStringLiteral("21-03-2005"));
    EXPECT_EQ(otwarte, std::vector<QDate>(2, QDate(2005, 3, 21)));
}

TEST_F(UsuwanieTest, BothEndsAreWholeDays) {
    struct TPrzypadek { const char *od, *do_; VS zostaja; int usuniete, kb; };
    for (const TPrzypadek& p : std::vector<TPrzypadek>{{"10-03-2005", "", {"przed"}, 4, 2 + 3 + 4 + 5},
                                                       {"", "10-03-2005", {"po"}, 4, 1 + 2 + 3 + 4},
                                                       {"10-03-2005", "10-03-2005", {"po", "przed"}, 3, 2 + 3 + 4},
                                                       {"", "", {}, 5, 15}}) {
        SCOPED_TRACE(std::string(p.od) + " .. " + p.do_);
        fs::remove_all("Raporty");
        fs::create_directory("Raporty");
        Raport("przed", 1, 9, 23, 59, 58);
        Raport("poczatek", 2, 10, 0, 0, 0);
        Raport("poludnie", 3, 10, 12, 0, 0);
        Raport("koniec", 4, 10, 23, 59, 58);
        Raport("po", 5, 11, 0, 0, 0);
        Kartoteka();
        dialogi.Czyszczenie();
        UsuniecieWiele(QString::fromLatin1(p.od), QString::fromLatin1(p.do_));
        ASSERT_EQ(dialogi.Liczba(), 2u);
        EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Informacja o usuniętych raportach"));
        EXPECT_EQ(dialogi.Ostatni().Tekst, Podsumowanie(p.usuniete, p.kb));
        EXPECT_EQ(Wiersze(), p.zostaja);
        EXPECT_EQ(NaDysku(), Posortowane(p.zostaja));
    }
}

TEST_F(UsuwanieTest, NoMatchingReportOrCancellingDeletesNothing) {
    Raport("a", 1, 2);
    Raport("b", 1, 1);
    Kartoteka();
    UsuniecieWiele(QStringLiteral("03-03-2005"), QString());
    ASSERT_EQ(dialogi.Liczba(), 2u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Brak raportów do usunięcia"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Brak raportów spełniających podane kryteria."));
    EXPECT_EQ(kartoteka->DataOd, KodowanieDaty(2005, 3, 3));
    EXPECT_EQ(kartoteka->DataDo, BrakDaty);
    Modalny<TfUsunWiele>([](TfUsunWiele& f) { f.bbAnuluj->click(); });
    kartoteka->acUsunWieleExecute();
    EXPECT_EQ(dialogi.Liczba(), 2u);
    EXPECT_EQ(NaDysku(), VS({"a", "b"}));
}

TEST_F(UsuwanieTest, PrzerwijAfterTheFirstTickKeepsFiveDeletedAndListsTheRest) {
    for (int d = 1; d <= 12; ++d) Raport(R(d), d, d);
    Kartoteka();
    UsuniecieWiele(QString(), QString(), [](TbUsunWiele& b) {
        b.TimerTimer();
        EXPECT_TRUE(b.isVisible());
        QTest::mouseClick(b.bbAnuluj, Qt::LeftButton);
        EXPECT_FALSE(b.isVisible());
    });
    EXPECT_EQ(dialogi.Ostatni().Tekst, Podsumowanie(5, 12 + 11 + 10 + 9 + 8));
    EXPECT_EQ(Wiersze(), VS({"r107", "r106", "r105", "r104", "r103", "r102", "r101"}));
    EXPECT_EQ(NaDysku(), Posortowane(Wiersze()));
}

TEST_F(UsuwanieTest, AFailureAnsweredNieAtTheFirstReportDeletesNothing) {
    Raport("c", 1, 3);
    Raport("b", 1, 2);
    Raport("a", 1, 1);
    Kartoteka();
    fs::remove("Raporty/c.rap");   // gone behind the catalogue's back
    dialogi.Odpowiedz(6);          // "Czy na pewno usunąć raporty?"
    dialogi.Odpowiedz(7);          // do not go on
    UsuniecieWiele(QStringLiteral("01-03-2005"), QStringLiteral("03-03-2005"));
    ASSERT_EQ(dialogi.Liczba(), 3u);
    EXPECT_EQ(dialogi.Historia()[1].Tytul, PLq("Błąd usuwania"));
    EXPECT_EQ(dialogi.Historia()[1].Tekst, PLq("Nie udało się usunąć raportu c.\rCzy kontynuować usuwanie?"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Nie usunięto żadnego raportu."));
    EXPECT_EQ(NaDysku(), VS({"a", "b"}));
    EXPECT_EQ(Wiersze(), VS({"c", "b", "a"}));
}

TEST_F(UsuwanieTest, TwelveReportsGoInTicksOfFiveFiveAndTwoAndTheWindowClosesItself) {
    Raport("nowszy", 1, 20);
    for (int d = 5; d <= 16; ++d) Raport(R(d), 2, d);
    Raport("starszy", 1, 1);
    TcListPlikRaportu lista;
    lista.Sortowanie(1, 1);
    TbUsunWiele b(lista, KodowanieDaty(2005, 3, 2), KodowanieDaty(2005, 3, 19), 12);
    b.show();
    EXPECT_TRUE(b.Timer->isActive());
    b.TimerTimer();
    EXPECT_EQ(b.lbLiczbaUsunietych->text(), PLq("Liczba usuniętych: 5"));
    EXPECT_EQ(b.ProgressBar->value(), 5);
    EXPECT_EQ(Nazwy(lista), VS({"nowszy", "r111", "r110", "r109", "r108", "r107", "r106", "r105", "starszy"}));
    EXPECT_TRUE(b.Timer->isActive());
    b.TimerTimer();
    EXPECT_EQ(Nazwy(lista), VS({"nowszy", "r106", "r105", "starszy"}));
    EXPECT_TRUE(b.isVisible());
    b.TimerTimer();
    EXPECT_EQ(b.LiczbaUsunietych, 12);
    EXPECT_EQ(b.RozmiarUsunietych, 24);
    EXPECT_EQ(b.ProgressBar->value(), b.ProgressBar->maximum());
    EXPECT_FALSE(b.isVisible());
    EXPECT_EQ(b.result(), 1);
    EXPECT_FALSE(b.Timer->isActive());
    EXPECT_EQ(NaDysku(), VS({"nowszy", "starszy"}));
}

TEST_F(UsuwanieTest, AFailureAnsweredTakCountsAsTriedAndTheWalkGoesOn) {
    for (int d = 1; d <= 7; ++d) Raport(R(d), 1, d);
    TcListPlikRaportu lista;
    lista.Sortowanie(1, 1);
    fs::remove("Raporty/r106.rap");
    TbUsunWiele b(lista, BrakDaty, BrakDaty, 7);
    b.TimerTimer();
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Nie udało się usunąć raportu r106.\rCzy kontynuować usuwanie?"));
    EXPECT_EQ(b.LiczbaUsunietych, 4);
    EXPECT_EQ(Nazwy(lista), VS({"r106", "r102", "r101"}));
    b.TimerTimer();
    EXPECT_EQ(b.LiczbaUsunietych, 6);
    EXPECT_EQ(b.result(), 1);
    EXPECT_EQ(Nazwy(lista), VS({"r106"}));
}

TEST_F(UsuwanieTest, EscAndTheCloseBoxStopTheTicks) {
    for (int d = 1; d <= 3; ++d) Raport(R(d), 1, d);
    TcListPlikRaportu lista;
    for (int i = 0; i < 2; ++i) {
        TbUsunWiele b(lista, BrakDaty, BrakDaty, 3);
        b.show();
        if (i == 0) QTest::keyClick(&b, Qt::Key_Escape);
        else b.close();
        EXPECT_FALSE(b.isVisible());
        EXPECT_EQ(b.result(), 2);
        CzekanieWPetli(2 * TbUsunWiele::OdstepTimera);   // a tick that was due never comes
        EXPECT_EQ(b.LiczbaUsunietych, 0);
    }
    EXPECT_EQ(NaDysku().size(), 3u);
}
