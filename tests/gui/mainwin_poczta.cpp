// Mailing the checked documents of the result from the main window: at most 10, in result
// order, written unchanged as w1.htm .. w10.htm of the working folder and handed to the mail
// client with the documents' subject.
#include <QAction>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <set>

#include "Bezczynnosc.h"
#include "Mail.h"
#include "Zapytanie.h"
#include "ZastepczaPoczta.h"
#include "mainwin_korpus.h"

namespace fs = std::filesystem;

namespace {

class TOknoPoczty : public TOknoGlowneTest {
protected:
    // "alfa": documents 51 down to 1 in the result table, 50 on page 0 and one on page 1;
    // every check mark removed.
    void Wynik() {
        Slowo(1, QStringLiteral("alfa"));
        Szukaj();
        ASSERT_EQ(Lista().TablicaRaportu.Liczba, 51);
        Lista().acOdznaczWszystkie->trigger();
    }
    // Checks the listed rows of the documents `numery` (of the page on screen).
    void Zaznacz(const std::set<int>& numery) {
        for (int i = 1; i < Wiersze().LiczbaWierszy(); ++i)
            if (numery.count(Wiersze().Dane(i).toInt())) Wiersze().UstawienieZaznaczenia(i, true);
    }
    std::vector<std::string> Oczekiwane(std::vector<int> numery) {
        std::sort(numery.rbegin(), numery.rend());   // result order: highest document first
        std::vector<std::string> a = {"--utf8", "--subject", TcMail::TematDokumentow};
        for (size_t k = 1; k <= numery.size(); ++k) {
            a.push_back("--attach");
            a.push_back(fs::current_path().string() + "/w" + std::to_string(k) + ".htm");
            EXPECT_EQ(OdczytPliku("w" + std::to_string(k) + ".htm"),
                      okno->Sesja().Zapytanie().OdczytanieDokumentu(numery[k - 1]).Tekst)
                << "w" << k << ".htm holds document " << numery[k - 1];
        }
        return a;
    }
    void Wyslij() { QTest::mouseClick(okno->bbWyslij, Qt::LeftButton); }

    TZastepczaPoczta poczta;
};

}  // namespace

TEST_F(TOknoPoczty, TenCheckedDocumentsAreMailedWithoutAQuestion) {
    mBezczynnosc::Wykonanie();
    EXPECT_FALSE(okno->bbWyslij->isEnabled()) << "no result list";
    Wynik();
    mBezczynnosc::Wykonanie();
    EXPECT_TRUE(okno->bbWyslij->isEnabled());
    EXPECT_EQ(okno->acWyslij->toolTip(), PLq("Wysyłanie zaznaczonych dokumentów pocztą elektroniczną"));
    EXPECT_EQ(okno->bbWyslij->toolTip(), PLq("Wysłanie zaznaczonych dokumentów pocztą elektroniczną"));

    // No check mark: the message, no file, no mail client.
    const std::string katalog = fs::current_path().string();
    Wyslij();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Brak zaznaczonych dokumentów"));
    EXPECT_EQ(dialogi.Ostatni().Tekst, PLq("Nie zaznaczono dokumentów do wysłania."));
    EXPECT_FALSE(fs::exists("w1.htm"));
    EXPECT_TRUE(poczta.Wywolania().empty());

    const std::vector<int> dziesiec = {3, 5, 7, 11, 13, 17, 19, 23, 29, 31};
    Zaznacz({dziesiec.begin(), dziesiec.end()});
    Wyslij();
    EXPECT_EQ(dialogi.Liczba(), 1u) << "exactly ten: no question";
    const auto w = poczta.Wywolania();
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].Argumenty, Oczekiwane(dziesiec));
    EXPECT_EQ(w[0].Katalog, katalog);
    EXPECT_EQ(fs::current_path().string(), katalog);
}

TEST_F(TOknoPoczty, CheckMarksOfEveryPageCountAndTheEleventhAsks) {
    Wynik();
    // Nine on page 0 and document 1 on page 1, mailed from page 0: ten, no question.
    const std::vector<int> dziewiec = {40, 41, 42, 43, 44, 45, 46, 47, 48};
    Zaznacz({dziewiec.begin(), dziewiec.end()});
    Lista().acNastepny->trigger();
    Zaznacz({1});
    Lista().acPierwszy->trigger();
    Wyslij();
    EXPECT_EQ(dialogi.Liczba(), 0u);
    std::vector<int> oczekiwane = dziewiec;
    oczekiwane.push_back(1);
    ASSERT_EQ(poczta.Wywolania().size(), 1u);
    EXPECT_EQ(poczta.Wywolania()[0].Argumenty, Oczekiwane(oczekiwane));

    // An eleventh: the question; "Nie" mails nothing, "Tak" the first ten in result order.
    Zaznacz({50});
    dialogi.Odpowiedz(7);
    Wyslij();
    ASSERT_EQ(dialogi.Liczba(), 1u);
    EXPECT_EQ(dialogi.Ostatni().Tytul, PLq("Zaznaczono więcej niż 10 dokumentów"));
    EXPECT_EQ(dialogi.Ostatni().Tekst,
              PLq("Możliwe jest wysłanie maksymalnie 10 dokumentów.\r\nCzy wysłać pierwszych 10 dokumentów?"));
    EXPECT_EQ(dialogi.Ostatni().Rodzaj, 3);
    EXPECT_EQ(dialogi.Ostatni().Domyslny, 0);
    EXPECT_EQ(poczta.Wywolania().size(), 1u);
    dialogi.Odpowiedz(6);
    Wyslij();
    ASSERT_EQ(poczta.Wywolania().size(), 2u);
    std::vector<int> pierwsze = dziewiec;
    pierwsze.push_back(50);
    EXPECT_EQ(poczta.Wywolania()[1].Argumenty, Oczekiwane(pierwsze)) << "document 1 comes last and stays out";
}

TEST_F(TOknoPoczty, FewerDocumentsLeaveOlderAttachmentsAloneAndFailuresStaySilent) {
    Wynik();
    ZapisPliku("w4.htm", "poprzednia wysyłka");
    Zaznacz({2, 4, 6});
    Wyslij();
    ASSERT_EQ(poczta.Wywolania().size(), 1u);
    EXPECT_EQ(poczta.Wywolania()[0].Argumenty, Oczekiwane({2, 4, 6}));
    EXPECT_EQ(OdczytPliku("w4.htm"), "poprzednia wysyłka");

    // A mail client that fails: nothing is shown, the files stay.
    {
        TZastepczaPoczta bledna(3);
        Wyslij();
        EXPECT_EQ(bledna.Wywolania().size(), 1u);
    }
    EXPECT_EQ(dialogi.Liczba(), 0u);
    EXPECT_EQ(OdczytPliku("w1.htm"), okno->Sesja().Zapytanie().OdczytanieDokumentu(6).Tekst);
}
