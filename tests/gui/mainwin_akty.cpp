// Acts mode of the main window over a generated sample corpus: the act reader, the phrase
// buttons at the caret with their counts, the acts-mode search, carrying the query over to the
// query editor, and find in the act text.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "Analiza.h"
#include "BudowaKorpusu.h"
#include "EditNew.h"
#include "GeneratorProbki.h"
#include "PoleceniaCli.h"
#include "Rtf.h"
#include "TrybAktow.h"
#include "Zapytanie.h"
#include "Znajdowanie.h"
#include "bSlownikTxt.h"
#include "cp1250.h"
#include "mLib.h"
#include "mainwin_korpus.h"

namespace fs = std::filesystem;

namespace {

// One sample corpus for the whole file: building it is the slow part.
class TAktyTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        katalog_ = new TTymczasowyKatalog;
        TOpcjeProbki o;
        o.Dokumenty = 600;
        o.Ziarno = 7;
        o.Watki = 1;
        GenerowanieProbki(katalog_->Plik("zrodlo"), o);
        BudowaKorpusu(katalog_->Plik("zrodlo"), katalog_->Plik("dane"));
    }
    static void TearDownTestSuite() {
        delete katalog_;
        katalog_ = nullptr;
    }

    void SetUp() override {
        dane = katalog_->Plik("dane");
        biezacy = std::make_unique<TBiezacyKatalog>(dane);
        okno = std::make_unique<TfGlowne>();
        okno->show();
        okno->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    }
    void TearDown() override {
        okno.reset();
        biezacy.reset();
    }

    TcTrybAktow& A() { return okno->Akty(); }
    TcEdytorZapytania& E() { return okno->Edytor(); }
    void Przelaczenie() { QTest::mouseClick(okno->pbAktyWarunki, Qt::LeftButton); }
    // Puts the caret at `p` and lets the timer look the candidates up.
    void Kursor(int p) {
        QTextCursor c = A().reAkt->textCursor();
        c.setPosition(p);
        A().reAkt->setTextCursor(c);
        A().TimerTimer();
    }
    std::string Tekst() { return cp(A().reAkt->toPlainText()); }
    // A key as the user presses it in the act text: the main window is the active one.
    void Klawisz(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        okno->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
        QTest::keyClick(A().reAkt, k, m);
    }
    QString Liczba(int n) {
        auto* l = okno->tcDane->findChild<QLabel*>(QStringLiteral("lbLiczba%1").arg(n));
        EXPECT_NE(l, nullptr) << n;
        return l ? l->text() : QString();
    }
    QStringList Napisy() {
        QStringList n;
        for (QRadioButton* r : A().rbFraza) n << r->text();
        return n;
    }
    int Wybrany() {
        for (int n = 0; n < LiczbaFraz; ++n)
            if (A().rbFraza[size_t(n)]->isChecked()) return n;
        return -1;
    }
    // The first caret position whose candidates have exactly `slow` words.
    int Miejsce(int slow) {
        const std::string t = Tekst();
        for (int p = 0; p < int(t.size()); ++p) {
            const std::string k = okno->Sesja().Zapytanie().OdczytanieFraz(p);
            if (!k.empty() && int(std::count(k.begin(), k.end(), '|')) == slow - 1) return p;
        }
        return -1;
    }
    // What the command-line tool counts for the same query.
    std::string Cli(std::vector<std::string> a) {
        std::ostringstream out, err;
        a.insert(a.begin(), {"--data", dane, "query"});
        a.push_back("--count");
        EXPECT_EQ(WykonaniePolecenia(a, out, err), 0) << err.str();
        std::string s = out.str();
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
        return s;
    }

    static TTymczasowyKatalog* katalog_;
    std::string dane;
    std::unique_ptr<TBiezacyKatalog> biezacy;
    TKonfiguracjaTestowa konfiguracja;
    TOdpowiedziDialogow dialogi;
    std::unique_ptr<TfGlowne> okno;
};

TTymczasowyKatalog* TAktyTest::katalog_ = nullptr;

// Every named control of the panel: visible or not, and where.
std::vector<std::string> Stan(QWidget* panel) {
    std::vector<std::string> s;
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QStringLiteral("qt_"))) continue;
        const QRect g = w->geometry();
        s.push_back(w->objectName().toStdString() + (w->isVisibleTo(panel) ? " shown " : " hidden ") +
                    std::to_string(g.x()) + "," + std::to_string(g.y()) + " " + std::to_string(g.width()) + "x" +
                    std::to_string(g.height()));
    }
    std::sort(s.begin(), s.end());
    return s;
}

}  // namespace

TEST_F(TAktyTest, SwitchingModesSwapsTheEditorForTheReaderAndBack) {
    E().enSlowo[1]->setText(QStringLiteral("podatek"));
    E().meWarunekDodatkowy->setPlainText(QStringLiteral("\"zwrot\""));
    const auto przed = Stan(okno->tcDane);
    const QRect lista = okno->pnRaport->geometry();

    Przelaczenie();
    EXPECT_TRUE(A().Wlaczony());
    EXPECT_TRUE(A().Timer->isActive());
    for (const char* n : {"reAkt", "lbAkt", "cxAkt", "lbLiczba7", "gbSzukanaFraza", "cbPrzeniesienieWarunku",
                          "cbTylkoDoRaportu", "bbSzukaj", "bbZnajdz"})
        EXPECT_TRUE(okno->tcDane->findChild<QWidget*>(QString::fromLatin1(n))->isVisible()) << n;
    for (const char* n : {"enSlowo1", "btOperator1", "lbLiczba1", "cxIzba", "bbPrzepis", "mePrzepis",
                          "meWarunekDodatkowy", "cbInterpretacja", "cbTezaOrzeczenia", "bbCzyscWarunki", "bbZapisz",
                          "bbOdczytaj"})
        EXPECT_FALSE(okno->tcDane->findChild<QWidget*>(QString::fromLatin1(n))->isVisible()) << n;
    EXPECT_EQ(okno->pnRaport->geometry(), lista.adjusted(0, TcTrybAktow::Przesuniecie, 0, 0));
    EXPECT_EQ(A().reAkt->width(), okno->tcDane->width() - 8);
    EXPECT_EQ(A().reAkt->height(), TcTrybAktow::WysokoscTekstu);
    EXPECT_FALSE(A().reAkt->toPlainText().isEmpty()) << "the first act's text";
    EXPECT_EQ(A().cxAkt->currentIndex(), 0);

    // The window's resizing keeps the reader across the panel and the list below it.
    okno->resize(1000, 700);
    EXPECT_EQ(A().reAkt->width(), okno->tcDane->width() - 8);
    EXPECT_EQ(okno->pnRaport->y(), lista.y() + TcTrybAktow::Przesuniecie);
    okno->resize(790, 570);

    Przelaczenie();
    EXPECT_FALSE(A().Wlaczony());
    EXPECT_FALSE(A().Timer->isActive());
    const auto po = Stan(okno->tcDane);
    ASSERT_EQ(po.size(), przed.size());
    for (size_t i = 0; i < po.size(); ++i) EXPECT_EQ(po[i], przed[i]);
    EXPECT_EQ(okno->pnRaport->geometry(), lista);
    EXPECT_EQ(E().enSlowo[1]->text(), QStringLiteral("podatek"));
    EXPECT_EQ(E().meWarunekDodatkowy->toPlainText(), QStringLiteral("\"zwrot\""));
    EXPECT_EQ(E().Przepis(), 0) << "no transfer while the switch is off";
}

TEST_F(TAktyTest, PhraseButtonsFollowTheCaretAndCountLikeTheCommandLine) {
    Przelaczenie();
    const int piec = Miejsce(5), dwa = Miejsce(2);
    ASSERT_GE(piec, 0);
    ASSERT_GE(dwa, 0);

    Kursor(piec);
    const std::string k = okno->Sesja().Zapytanie().OdczytanieFraz(piec);
    EXPECT_EQ(A().Kandydaci, k);
    EXPECT_EQ(Napisy().front(), qs(mField(k, '|', 1).tekst));
    EXPECT_EQ(Napisy().back().count(QLatin1Char(' ')), 4);
    EXPECT_EQ(Wybrany(), 4) << "the longest phrase";
    // Counts: documents citing the act that contain the phrase, with the kind switches as they stand.
    E().cbTezaOrzeczenia->setChecked(false);
    okno->Wyszukiwanie().ZliczanieWszystkichWarunkow();
    const std::string akt = std::to_string(A().NumerAktu());
    EXPECT_EQ(Liczba(7), QString::fromStdString(Cli({"--provision", akt, "--no-theses"})));
    for (int n = 0; n < LiczbaFraz; ++n)
        EXPECT_EQ(Liczba(8 + n), QString::fromStdString(Cli({"--condition", "\"" + Napisy()[n].toStdString() + "\"",
                                                             "--provision", akt, "--no-theses"})))
            << Napisy()[n].toStdString();

    // From five candidates to two: the first or second stays, a later one moves to the second.
    A().rbFraza[1]->setChecked(true);
    Kursor(dwa);
    EXPECT_EQ(Wybrany(), 1);
    EXPECT_TRUE(Napisy()[2].isEmpty());
    EXPECT_FALSE(A().rbFraza[2]->isEnabled());
    EXPECT_TRUE(Liczba(10).isEmpty());
    Kursor(piec);
    A().rbFraza[0]->setChecked(true);
    Kursor(dwa);
    EXPECT_EQ(Wybrany(), 0);
    Kursor(piec);
    A().rbFraza[3]->setChecked(true);
    Kursor(dwa);
    EXPECT_EQ(Wybrany(), 1);

    // Text typed past the end of the act lies in no stretch: no buttons, no choice, no counts.
    QTextCursor c = A().reAkt->textCursor();
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("   "));
    A().reAkt->setTextCursor(c);
    A().TimerTimer();
    EXPECT_EQ(A().Kandydaci, "");
    EXPECT_EQ(Napisy(), QStringList(LiczbaFraz, QString()));
    for (QRadioButton* r : A().rbFraza) EXPECT_FALSE(r->isEnabled());
    EXPECT_EQ(Wybrany(), -1);
    for (int n = 8; n <= 12; ++n) EXPECT_TRUE(Liczba(n).isEmpty()) << n;
    EXPECT_FALSE(Liczba(7).isEmpty()) << "the act alone is still counted";
}

TEST_F(TAktyTest, SearchFindsThePhraseAmongInterpretationsCitingTheAct) {
    Przelaczenie();
    Kursor(Miejsce(3));
    A().rbFraza[1]->setChecked(true);
    const std::string fraza = A().rbFraza[1]->text().toStdString();
    const std::string akt = std::to_string(A().NumerAktu());
    QTest::mouseClick(E().bbSzukaj, Qt::LeftButton);
    const std::string oczekiwana =
        Cli({"--condition", "\"" + fraza + "\"", "--provision", akt, "--no-letters", "--no-theses"});
    EXPECT_EQ(okno->Sesja().Zapytanie().Wynik.Liczba(), std::stol(oczekiwana));
    EXPECT_EQ(okno->Sesja().Zapytanie().Warunek, cp(QString::fromStdString("\"" + fraza + "\"")));

    // No phrase chosen: the act alone, not the phrase of the search before.
    for (QRadioButton* r : A().rbFraza) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
    QTest::mouseClick(E().bbSzukaj, Qt::LeftButton);
    EXPECT_EQ(okno->Sesja().Zapytanie().Warunek, "");
    EXPECT_EQ(okno->Sesja().Zapytanie().Wynik.Liczba(), std::stol(Cli({"--provision", akt, "--no-letters", "--no-theses"})));
    EXPECT_EQ(dialogi.Liczba(), 0u);
}

TEST_F(TAktyTest, LeavingWithTransferCarriesTheActAndThePhrase) {
    E().enSlowo[1]->setText(QStringLiteral("zwrot"));
    Przelaczenie();
    A().cxAkt->setCurrentIndex(3);
    A().cxAktChange();
    Kursor(Miejsce(2));
    A().rbFraza[1]->setChecked(true);
    const QString fraza = A().rbFraza[1]->text();
    A().cbPrzeniesienieWarunku->setChecked(true);
    Przelaczenie();
    EXPECT_EQ(E().Przepis(), A().NumerAktu());
    EXPECT_EQ(E().mePrzepis->toPlainText(), qs(okno->Sesja().Przepisy().NazwaWgNumeru(A().NumerAktu())));
    EXPECT_EQ(E().enSlowo[0]->text(), fraza);
    EXPECT_EQ(E().enSlowo[1]->text(), QStringLiteral("zwrot"));
    EXPECT_FALSE(Liczba(1).isEmpty()) << "recounted";
    EXPECT_EQ(Liczba(6), QString::fromStdString(Cli({"--provision", std::to_string(A().NumerAktu())})));
    // The switch keeps its state for the next time.
    Przelaczenie();
    EXPECT_TRUE(A().cbPrzeniesienieWarunku->isChecked());
}

TEST_F(TAktyTest, EveryWordStartOfEveryActOffersThatWordFirst) {
    Przelaczenie();
    const TcSlownikTxtAkt& akty = okno->Sesja().Akty();
    ASSERT_EQ(A().cxAkt->count(), int(akty.Nazwy.size()));
    size_t sprawdzone = 0;
    for (int i = 0; i < A().cxAkt->count(); ++i) {
        A().cxAkt->setCurrentIndex(i);
        A().cxAktChange();
        ASSERT_EQ(A().cxAkt->currentIndex(), i);
        std::string rtf;
        mReadString(dane + "/" + A().BiezacyAkt + ".rtf", rtf, TrybBledu::Wyjatek);
        const std::string tekst = RtfNaTekst(rtf);
        ASSERT_EQ(cp(A().reAkt->toPlainText()).substr(0, tekst.size()), tekst.substr(0, tekst.size()))
            << A().BiezacyAkt;
        const std::string duze = cp1250::upper(tekst);
        QTextCursor c = A().reAkt->textCursor();
        PodzialTekstu(duze, kZnakiIndeksu, [&](std::string_view t) {
            if (t.size() == 1 && std::string_view(kZnakiIndeksu).find(t[0]) != std::string_view::npos) return;
            const int p = int(t.data() - duze.data());
            c.setPosition(p);
            A().reAkt->setTextCursor(c);
            const std::string k = okno->Sesja().Zapytanie().OdczytanieFraz(A().reAkt->textCursor().selectionStart());
            EXPECT_EQ(mField(k, '|', 1).tekst, tekst.substr(size_t(p), t.size())) << A().BiezacyAkt << " at " << p;
            ++sprawdzone;
        });
    }
    EXPECT_GT(sprawdzone, 1000u);
}

TEST_F(TAktyTest, AnActThatCannotBeReadLeavesTheShownOne) {
    Przelaczenie();
    const QString tekst = A().reAkt->toPlainText();
    const std::string k = okno->Sesja().Zapytanie().OdczytanieFraz(40);
    const std::string stem = A().BiezacyAkt;
    const TcSlownikTxtAkt& akty = okno->Sesja().Akty();
    const std::string drugi = akty.PlikWgNumeru(akty.NumerWgNazwy(akty.Nazwy[1]));
    struct TSchowanie {   // the file comes back whatever the checks say
        fs::path z, do_;
        ~TSchowanie() { fs::rename(do_, z); }
    };
    {
        TSchowanie s{dane + "/" + drugi + ".rtf", dane + "/schowany"};
        fs::rename(s.z, s.do_);
        A().cxAkt->setCurrentIndex(1);
        A().cxAktChange();
        ASSERT_EQ(dialogi.Liczba(), 1u);
        EXPECT_NE(dialogi.Ostatni().Tekst.indexOf(QString::fromStdString(drugi + ".rtf")), -1)
            << dialogi.Ostatni().Tekst.toStdString();
        EXPECT_EQ(A().cxAkt->currentIndex(), 0);
        EXPECT_EQ(A().BiezacyAkt, stem);
        EXPECT_EQ(A().reAkt->toPlainText(), tekst);
        EXPECT_EQ(okno->Sesja().Zapytanie().OdczytanieFraz(40), k);
    }
    {
        // The text reads but its phrase index does not: neither changes.
        TSchowanie s{dane + "/" + drugi + ".itf", dane + "/schowany"};
        fs::rename(s.z, s.do_);
        A().cxAkt->setCurrentIndex(1);
        A().cxAktChange();
        ASSERT_EQ(dialogi.Liczba(), 2u);
        EXPECT_NE(dialogi.Ostatni().Tekst.indexOf(QString::fromStdString(drugi + ".itf")), -1);
        EXPECT_EQ(A().cxAkt->currentIndex(), 0);
        EXPECT_EQ(A().reAkt->toPlainText(), tekst);
        EXPECT_EQ(okno->Sesja().Zapytanie().OdczytanieFraz(40), k);
    }
    A().cxAkt->setCurrentIndex(1);
    A().cxAktChange();
    EXPECT_EQ(A().BiezacyAkt, drugi);
    EXPECT_NE(A().reAkt->toPlainText(), tekst);
}

TEST_F(TAktyTest, FindAndF5WalkTheActTextForward) {
    Przelaczenie();
    QTextEdit* re = A().reAkt;
    // Conditions mode ignores the keys; so does Ctrl+Shift+F in acts mode.
    Przelaczenie();
    QTest::keyClick(okno.get(), Qt::Key_F5);
    QTest::keyClick(okno.get(), Qt::Key_F, Qt::ControlModifier);
    Przelaczenie();
    Klawisz(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialogi.Liczba(), 0u);

    // F5 before any find opens the find window.
    const std::string tekst = cp1250::upper(Tekst());
    const std::string slowo = "PODAT";
    ModalnyPo([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), PLq("Podaj szukany tekst"));
        auto* pole = w->findChild<TEditN*>(QStringLiteral("enSzukanyTekst"));
        ASSERT_NE(pole, nullptr);
        // An empty text keeps the window open.
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("bbZatwierdz")), Qt::LeftButton);
        EXPECT_TRUE(w->isVisible());
        Wpisz(pole, QStringLiteral("  podat "));
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("bbZatwierdz")), Qt::LeftButton);
    });
    Klawisz(Qt::Key_F5);
    EXPECT_EQ(okno->Sesja().Znajdowanie().SzukanyTekst, "podat");
    const size_t pierwszy = tekst.find(slowo);
    ASSERT_NE(pierwszy, std::string::npos);
    EXPECT_EQ(re->textCursor().selectionStart(), int(pierwszy));
    EXPECT_EQ(re->textCursor().selectedText().toUpper(), QStringLiteral("PODAT"));

    // F5 after a find selects the next occurrence, up to the last one.
    size_t ostatni = pierwszy;
    for (size_t p = tekst.find(slowo, pierwszy + 1); p != std::string::npos; p = tekst.find(slowo, p + 1)) {
        Klawisz(Qt::Key_F5);
        ASSERT_EQ(re->textCursor().selectionStart(), int(p));
        ostatni = p;
    }
    EXPECT_EQ(dialogi.Liczba(), 0u);
    Klawisz(Qt::Key_F5);
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Nie znaleziono"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Szukany tekst:\r\npodat"));
    EXPECT_FALSE(re->textCursor().hasSelection());
    // The next F5 starts at the caret, the last match's start, and finds that match again.
    Klawisz(Qt::Key_F5);
    EXPECT_EQ(re->textCursor().selectionStart(), int(ostatni));
    EXPECT_TRUE(re->textCursor().hasSelection());

    // Whole words only: "podat" lies inside longer words only.
    ModalnyPo([](QWidget* w) {
        auto* pole = w->findChild<TEditN*>(QStringLiteral("enSzukanyTekst"));
        EXPECT_EQ(pole->text(), QStringLiteral("podat")) << "the last find's text comes back";
        w->findChild<QCheckBox*>(QStringLiteral("cbCaleWyrazy"))->setChecked(true);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("bbZatwierdz")), Qt::LeftButton);
    });
    QTextCursor c = re->textCursor();
    c.setPosition(0);
    re->setTextCursor(c);
    Klawisz(Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(dialogi.Liczba(), 2u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Nie znaleziono"));
}
