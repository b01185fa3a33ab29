// The report catalogue and the report selection window: the list newest first with its column
// widths and selected row, showing, mailing and deleting the selected report, the actions
// without rows, files gone behind the window's back, and the choice handed to the query.
#include <QAction>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <utime.h>

#include "Bezczynnosc.h"
#include "FabrykaDanych.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "Tekst.h"
#include "TestyOkien.h"
#include "Mail.h"
#include "ZastepczaPoczta.h"
#include "Zapytanie.h"
#include "bPlik.h"
#include "cp1250.h"
#include "f_Raport.h"
#include "k_Raport.h"
#include "s_Raport.h"

namespace {

namespace fs = std::filesystem;

const std::string TekstA = "warunek=\"podatek\"\nizba=0\nprzepis=0\nplik=1";
const std::string TekstB = "warunek=\"vat\"\nizba=0\nprzepis=0\nplik=2|1";
const std::string Lodz = "\xC5\x81\xC3\xB3" "d\xC5\xBA";   // "Łódź" as a UTF-8 file name

// Notes and closes at once every modal window opened while it lives, so that a window that
// should not open never hangs a test.
class TOknaModalne {
public:
    struct TOkno { QString Tytul; std::string Raport, Plik; };
    std::vector<TOkno> Otwarte;
    TOknaModalne() {
        QObject::connect(&zegar_, &QTimer::timeout, &zegar_, [this] {
            auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (w == nullptr || !w->isVisible()) return;
            auto* r = qobject_cast<TfRaport*>(w);
            Otwarte.push_back({w->windowTitle(), r ? r->Raport : "?", r ? r->Plik : "?"});
            w->done(2);
        });
        zegar_.start(10);
    }
private:
    QTimer zegar_;
};

class KartotekaTest : public ::testing::Test {
protected:
    void SetUp() override {
        BudowaKatalogu(dane.Sciezka(), {{"0000001.htm", "podatek dochodowy"}, {"0000002.htm", "podatek vat"}});
        TOpcjeSesji o;
        o.Ladowanie.Katalog = dane.Sciezka();
        o.OdczytKonfiguracji = false;
        sesja = std::make_unique<TcSesja>(o);
        fs::create_directory("Raporty");
    }
    // "Raporty/<nazwa>.rap" last written on the given day of 2005 at the given local time.
    static void Raport(const std::string& nazwa, const std::string& tekst, int miesiac, int dzien, int godzina = 12,
                       int minuta = 0, int sekunda = 0) {
        const std::string sciezka = "Raporty/" + nazwa + ".rap";
        ZapisPliku(sciezka, tekst);
        std::tm t{};
        t.tm_year = 105, t.tm_mon = miesiac - 1, t.tm_mday = dzien;
        t.tm_hour = godzina, t.tm_min = minuta, t.tm_sec = sekunda, t.tm_isdst = -1;
        const std::time_t czas = std::mktime(&t);
        const utimbuf u{czas, czas};
        ASSERT_EQ(::utime(sciezka.c_str(), &u), 0);
    }
    template <class T>
    T& Otwarcie() {
        auto* o = new T(*sesja);
        okno.reset(o);
        o->show();
        Aktywacja();
        return *o;
    }
    // The offscreen platform activates no window when a modal one closes.
    void Aktywacja() const {
        okno->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    }
    QTreeWidget* Lista() const { return okno->lvPlikRaportu; }
    QStringList Kolumna(int k) const {
        QStringList w;
        for (int i = 0; i < Lista()->topLevelItemCount(); ++i) w << Lista()->topLevelItem(i)->text(k);
        return w;
    }
    int Wybrany() const {
        const QList<QTreeWidgetItem*> z = Lista()->selectedItems();
        return z.size() == 1 ? Lista()->indexOfTopLevelItem(z.first()) : -1 - int(z.size());
    }
    void Wybor(int i) const { Lista()->setCurrentItem(Lista()->topLevelItem(i)); }
    void Klawisz(Qt::Key k) const { QTest::keyClick(Lista(), k); }
    void Dwuklik(int i) const { ::Dwuklik(Lista()->viewport(), Lista()->visualItemRect(Lista()->topLevelItem(i)).center()); }

    TTymczasowyKatalog dane, roboczy;
    TBiezacyKatalog biezacy{roboczy.Sciezka()};
    TOdpowiedziDialogow dialogi;
    std::unique_ptr<TcSesja> sesja;
    std::unique_ptr<TOknoListyRaportow> okno;
};

}  // namespace

TEST_F(KartotekaTest, ListsReportsNewestFirstAndAlwaysKeepsARowSelected) {
    Raport("Luty", TekstA, 2, 10, 9, 30);
    Raport("Marzec", TekstA, 3, 1, 14, 5);
    Raport("beta", TekstA, 1, 5, 10, 0, 1);   // the same 2-second unit: by name
    Raport("alfa", TekstA, 1, 5, 10, 0, 0);
    Raport(Lodz, TekstA, 1, 4, 23, 59);
    ZapisPliku("Raporty/notatka.txt", "x");
    Otwarcie<TkRaport>();
    EXPECT_EQ(Kolumna(0), QStringList({QStringLiteral("Marzec"), QStringLiteral("Luty"), QStringLiteral("alfa"),
                                       QStringLiteral("beta"), PLq("Łódź")}));
    EXPECT_EQ(Kolumna(1), QStringList({QStringLiteral("01-03-2005 14:05"), QStringLiteral("10-02-2005 09:30"),
                                       QStringLiteral("05-01-2005 10:00"), QStringLiteral("05-01-2005 10:00"),
                                       QStringLiteral("04-01-2005 23:59")}));
    EXPECT_EQ(TOknoListyRaportow::NazwaPliku(Lista()->topLevelItem(4)), Lodz + ".rap");
    EXPECT_EQ(Lista()->columnWidth(0), 401);
    EXPECT_EQ(Wybrany(), 0);
    EXPECT_TRUE(Lista()->hasFocus());
    // The date fits its column whole.
    QStyleOptionViewItem opcje;
    opcje.initFrom(Lista());
    opcje.font = Lista()->font();
    EXPECT_LE(Lista()->itemDelegate()->sizeHint(opcje, Lista()->model()->index(0, 1)).width(), 96);
    // Clearing the selection leaves the focused row selected.
    Wybor(2);
    Lista()->topLevelItem(2)->setSelected(false);
    EXPECT_EQ(Wybrany(), 2);
}

TEST_F(KartotekaTest, TwentyReportsNarrowTheNameColumnUntilDeletionLeavesSeventeen) {
    for (int i = 1; i <= 20; ++i) Raport(std::to_string(100 + i).insert(0, 1, 'r'), TekstA, 3, i);
    Otwarcie<TkRaport>();
    EXPECT_EQ(Lista()->columnWidth(0), 385);
    EXPECT_TRUE(QTest::qWaitFor([this] { return Lista()->verticalScrollBar()->isVisible(); }, 2000));
    Wybor(4);   // r116
    Klawisz(Qt::Key_Delete);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Czy usunąć raport?"));
    EXPECT_EQ(dialogi.Ostatni().Domyslny, 0);
    EXPECT_FALSE(fs::exists("Raporty/r116.rap"));
    EXPECT_EQ(Wybrany(), 4);   // the row that took its place
    EXPECT_EQ(Kolumna(0)[4], QStringLiteral("r115"));
    Klawisz(Qt::Key_Delete);
    okno->PokazanieListy();   // 18 rows
    EXPECT_EQ(Lista()->columnWidth(0), 385);
    Wybor(4);
    Klawisz(Qt::Key_Delete);
    EXPECT_EQ(Lista()->topLevelItemCount(), 17);
    EXPECT_EQ(Lista()->columnWidth(0), 401);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Lista()->verticalScrollBar()->isVisible(); }, 2000));
    okno->PokazanieListy();
    EXPECT_EQ(Lista()->columnWidth(0), 401);
    EXPECT_EQ(Wybrany(), 0);
    EXPECT_EQ(Kolumna(0).first(), QStringLiteral("r120"));
    EXPECT_EQ(Kolumna(0).size(), 17);
}

TEST_F(KartotekaTest, DeletingTheLastRowSelectsTheNewLastAndAnEmptyListDoesNothing) {
    Raport("a", TekstA, 3, 3);
    Raport("b", TekstA, 3, 2);
    Raport("c", TekstA, 3, 1);
    TkRaport& k = Otwarcie<TkRaport>();
    Wybor(2);
    k.acUsunExecute();
    EXPECT_EQ(Kolumna(0), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(Wybrany(), 1);
    k.acUsunExecute();
    k.acUsunExecute();
    EXPECT_EQ(Lista()->topLevelItemCount(), 0);
    EXPECT_TRUE(fs::is_empty("Raporty"));

    TZastepczaPoczta poczta;
    mBezczynnosc::Wykonanie();
    for (QAction* a : {k.acPokaz, k.acWyslij, k.acUsun, k.acUsunWiele}) EXPECT_FALSE(a->isEnabled());
    for (QWidget* b : std::initializer_list<QWidget*>{k.pbPokaz, k.pbWyslij, k.pbUsun, k.pbUsunWiele})
        EXPECT_FALSE(b->isEnabled());
    const size_t komunikaty = dialogi.Liczba();
    TOknaModalne modalne;
    Klawisz(Qt::Key_Delete);
    Klawisz(Qt::Key_Return);
    ::Dwuklik(Lista()->viewport(), QPoint(40, 10));
    k.acPokazExecute();
    k.acWyslijExecute();
    k.acUsunExecute();
    k.acUsunWieleExecute();
    CzekanieWPetli(30);
    EXPECT_TRUE(poczta.Wywolania().empty()) << "nothing selected, nothing mailed";
    EXPECT_EQ(dialogi.Liczba(), komunikaty);
    EXPECT_TRUE(modalne.Otwarte.empty());
}

TEST_F(KartotekaTest, EnterAndDoubleClickShowTheReportDelAsksAndEscCloses) {
    Raport("pusty", "", 3, 3);
    Raport("nowy", TekstB, 3, 2);
    Raport("stary", TekstA, 3, 1);
    TkRaport& k = Otwarcie<TkRaport>();
    {
        TOknaModalne modalne;
        Klawisz(Qt::Key_Return);   // a zero-byte report shows nothing
        Wybor(2);
        Klawisz(Qt::Key_Return);
        Dwuklik(1);
        ASSERT_EQ(modalne.Otwarte.size(), 2u);
        EXPECT_EQ(modalne.Otwarte[0].Tytul, QStringLiteral("Raport - stary"));
        EXPECT_EQ(modalne.Otwarte[0].Raport, TekstA);
        EXPECT_EQ(modalne.Otwarte[0].Plik, "Raporty/stary.rap");
        EXPECT_EQ(modalne.Otwarte[1].Tytul, QStringLiteral("Raport - nowy"));
        EXPECT_EQ(modalne.Otwarte[1].Raport, TekstB);
    }
    EXPECT_EQ(dialogi.Liczba(), 0u);
    Aktywacja();
    dialogi.Odpowiedz(7);
    Klawisz(Qt::Key_Delete);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_TRUE(fs::exists("Raporty/nowy.rap"));
    EXPECT_EQ(Lista()->topLevelItemCount(), 3);
    Klawisz(Qt::Key_Escape);
    EXPECT_FALSE(k.isVisible());
    EXPECT_EQ(k.result(), 2);
}

TEST_F(KartotekaTest, AReportRemovedMeanwhileCannotBeShownOrDeletedAndTheListStays) {
    Raport("inny", TekstA, 3, 2);
    Raport(Lodz, TekstA, 3, 1);
    TkRaport& k = Otwarcie<TkRaport>();
    Wybor(1);
    fs::remove("Raporty/" + Lodz + ".rap");
    try {
        k.acPokazExecute();
        ADD_FAILURE() << "no read error";
    } catch (const EInOutError& b) {
        EXPECT_EQ(std::string(b.what()), PL(u8"Błąd odczytu pliku 'Raporty/Łódź.rap'."));
    }
    k.acUsunExecute();
    ASSERT_EQ(dialogi.Liczba(), 2u);
    EXPECT_EQ(dialogi.Ostatni().Rodzaj, 0);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Błąd usuwania"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Nie udało się usunąć raportu."));
    EXPECT_EQ(Kolumna(0), QStringList({QStringLiteral("inny"), PLq("Łódź")}));
    EXPECT_EQ(Wybrany(), 1);
    EXPECT_EQ(k.ListaRaportow->Liczba(), 2);
}

TEST_F(KartotekaTest, MailingHandsTheSelectedFileToTheMailClient) {
    Raport("nowy", TekstB, 3, 2);
    Raport("stary", TekstA, 3, 1);
    TkRaport& k = Otwarcie<TkRaport>();
    TZastepczaPoczta poczta;
    Wybor(1);
    mBezczynnosc::Wykonanie();
    const std::string katalog = fs::current_path().string();
    QTest::mouseClick(k.pbWyslij, Qt::LeftButton);
    const auto w = poczta.Wywolania();
    ASSERT_EQ(w.size(), 1u);
    ASSERT_EQ(w[0].Argumenty.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(w[0].Argumenty.begin(), w[0].Argumenty.begin() + 5),
              (std::vector<std::string>{"--utf8", "--subject", "Plik raportu programu Belvastrona", "--attach",
                                        katalog + "/Raporty/stary.rap"}));
    EXPECT_EQ(w[0].Argumenty[5].rfind("mailto:?body=UWAGA%3A%0D%0AAby%20plik", 0), 0u) << "the notice";
    EXPECT_EQ(fs::current_path().string(), katalog);
    EXPECT_EQ(dialogi.Liczba(), 0u) << "the hand-over's outcome is not shown";
}

TEST_F(KartotekaTest, ChoosingAReportPutsItsTextIntoTheQueryAndCloses) {
    Raport("nowy", TekstB, 3, 2);
    Raport(Lodz, TekstA, 3, 1);
    TsRaport& s = Otwarcie<TsRaport>();
    Wybor(1);
    Klawisz(Qt::Key_Return);
    EXPECT_EQ(s.result(), 1);
    EXPECT_EQ(sesja->Zapytanie().Raport, TekstA);
    EXPECT_EQ(s.WybranyPlik, PL(u8"Raporty/Łódź.rap"));
    TsRaport& d = Otwarcie<TsRaport>();
    Dwuklik(0);
    EXPECT_EQ(d.result(), 1);
    EXPECT_EQ(sesja->Zapytanie().Raport, TekstB);
}

TEST_F(KartotekaTest, EscAnEmptyFileAndAMissingFileLeaveTheQueryAlone) {
    Raport("pusty", "", 3, 2);
    Raport("zniknie", TekstA, 3, 1);
    sesja->Zapytanie().Raport = TekstB;
    TsRaport& s = Otwarcie<TsRaport>();
    Klawisz(Qt::Key_Return);
    EXPECT_TRUE(s.isVisible());
    Wybor(1);
    fs::remove("Raporty/zniknie.rap");
    EXPECT_THROW(s.acWybierzExecute(), EInOutError);
    EXPECT_TRUE(s.isVisible());
    Klawisz(Qt::Key_Escape);
    EXPECT_EQ(s.result(), 2);
    EXPECT_EQ(sesja->Zapytanie().Raport, TekstB);

    fs::remove_all("Raporty");
    TsRaport& p = Otwarcie<TsRaport>();
    mBezczynnosc::Wykonanie();
    EXPECT_FALSE(p.pbWybierz->isEnabled());
    p.acWybierzExecute();
    EXPECT_TRUE(p.isVisible());
}
