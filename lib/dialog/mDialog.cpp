#include "mDialog.h"

#include <QApplication>
#include <deque>
#include <memory>

#include "f_Dialog.h"

namespace {

struct TStanTestu {
    bool wlaczony = false;
    std::deque<int> odpowiedzi;
    std::vector<mDialogTest::TWywolanie> historia;
};

TStanTestu& StanTestu() {
    static TStanTestu stan;
    return stan;
}

int WynikDomyslny(int rodzaj, int domyslny) {
    if (rodzaj == 0 || rodzaj == 2) return 1;
    if (domyslny == 1) return 7;
    if (domyslny == 3) return 2;
    return 6;
}

int Pokazanie(const QString& tytul, const QString& tekst, int rodzaj, int domyslny) {
    TStanTestu& t = StanTestu();
    if (t.wlaczony) {
        t.historia.push_back({rodzaj, domyslny, tytul, tekst});
        if (t.odpowiedzi.empty()) return WynikDomyslny(rodzaj, domyslny);
        const int wynik = t.odpowiedzi.front();
        t.odpowiedzi.pop_front();
        return wynik;
    }
    // Released also when showing fails.
    std::unique_ptr<TfDialog> okno =
        std::make_unique<TfDialog>(tytul, tekst, rodzaj, domyslny, QApplication::activeWindow());
    return okno->exec();
}

}  // namespace

void Informacja(const QString& tytul, const QString& tekst) { Pokazanie(tytul, tekst, 2, 2); }

void Ostrzezenie(const QString& tytul, const QString& tekst) { Pokazanie(tytul, tekst, 0, 2); }

bool Pytanie(const QString& tytul, const QString& tekst, int domyslny) {
    if (domyslny != 0 && domyslny != 1) domyslny = 0;
    return Pokazanie(tytul, tekst, 3, domyslny) == 6;
}

int PytanieZAnulowaniem(const QString& tytul, const QString& tekst, int domyslny) {
    if (domyslny != 0 && domyslny != 1 && domyslny != 3) domyslny = 3;
    return Pokazanie(tytul, tekst, 4, domyslny);
}

namespace mDialogTest {

void Wlaczenie() {
    StanTestu() = TStanTestu{};
    StanTestu().wlaczony = true;
}

void Wylaczenie() { StanTestu() = TStanTestu{}; }

bool Wlaczone() { return StanTestu().wlaczony; }

void Odpowiedz(int wynik) { StanTestu().odpowiedzi.push_back(wynik); }

std::vector<TWywolanie>& Historia() { return StanTestu().historia; }

}  // namespace mDialogTest
