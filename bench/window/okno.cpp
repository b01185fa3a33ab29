// belvastrona-bench-window DATA_DIR [--memory | --force-disk] [--repeat N]
//
// First the start-up as the user meets it: the program started afresh on the data directory
// (libraries, Qt, the session and the store loaded, the main window shown) until its event loop
// runs with the window up, warm and then cold (page cache dropped, when run as root); the
// store's own mode follows the image's size, as in the program. Then it drives the main window
// offscreen over the data directory and prints how long the user waits: leaving a word field (one count), a full recount of the six conditions (also searching all
// forms of words), a search with the listing of page 0, and moving to the next page; in acts mode, entering it, choosing another
// act, the caret moving into another phrase stretch and find in the act text. Without a mode
// option it measures the word image in memory and then on disk. The configuration goes to a
// temporary folder.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Aplikacja.h"
#include "EdytorZapytania.h"
#include "Konfiguracja.h"
#include "ListaWynikow.h"
#include "PrzyciskObrazkowy.h"
#include "TrybAktow.h"
#include "Znajdowanie.h"
#include "Sesja.h"
#include "Tekst.h"
#include "Wyszukiwanie.h"
#include "Zapytanie.h"
#include "bSlownikTxt.h"
#include "f_Glowne.h"
#include "mDialog.h"

namespace {

struct TPomiar {
    double Min = 0, Mediana = 0;
};

TPomiar Pomiar(int powtorzen, const std::function<void()>& przygotowanie, const std::function<void()>& dzialanie) {
    std::vector<double> ms;
    for (int i = 0; i < powtorzen; ++i) {
        przygotowanie();
        const auto t0 = std::chrono::steady_clock::now();
        dzialanie();
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

void Wypisz(const char* tryb, const char* co, const TPomiar& p) {
    std::printf("%-7s %-44s min %8.1f ms   median %8.1f ms\n", tryb, co, p.Min, p.Mediana);
}

void Akty(TfGlowne& okno, const char* tryb, int powtorzen);

constexpr const char* kStartDziecka = "--start-child";   // the started copy: DATA_DIR, then the pipe's descriptor

// The started copy: the program's own start (TAplikacja in the data directory), one byte down
// the pipe once the event loop runs and the window has had its first events, then it ends at once.
int StartDziecka(const std::string& katalog, int rura) {
    if (!QDir::setCurrent(QString::fromLocal8Bit(katalog.c_str()))) return 2;
    int argc = 1;
    char nazwa[] = "belvastrona";
    char* argv[] = {nazwa, nullptr};
    TAplikacja aplikacja(argc, argv);
    mDialogTest::Wlaczenie();   // a message at start would wait for a click: recorded and shown instead
    QTimer::singleShot(0, &aplikacja, [&] {
        QApplication::processEvents();
        const char c = 1;
        if (::write(rura, &c, 1) != 1) std::perror("write");
        for (const auto& d : mDialogTest::Historia())
            std::fprintf(stderr, "start: message: %s: %s\n", d.Tytul.toUtf8().constData(), d.Tekst.toUtf8().constData());
        std::fflush(stderr);
        std::_Exit(0);   // measured: closing would only ask whether to end the program
    });
    return aplikacja.Uruchomienie();
}

// Wall time from starting a copy of this program until it reports its window up, ms; negative
// when it did not.
double Start(const std::string& katalog, bool zimny) {
    int rura[2];
    if (::pipe(rura) != 0) return -1;
    if (zimny) {
        ::sync();
        std::ofstream("/proc/sys/vm/drop_caches") << "3\n";
    }
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(rura[0]);
        const std::string fd = std::to_string(rura[1]);
        ::execl("/proc/self/exe", "belvastrona-bench-window", kStartDziecka, katalog.c_str(), fd.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(rura[1]);
    char c = 0;
    const bool gotowe = pid > 0 && ::read(rura[0], &c, 1) == 1;
    const auto t1 = std::chrono::steady_clock::now();
    ::close(rura[0]);
    int status = 0;
    if (pid > 0) ::waitpid(pid, &status, 0);
    return gotowe ? std::chrono::duration<double, std::milli>(t1 - t0).count() : -1;
}

void Starty(const std::string& katalog, int powtorzen) {
    Start(katalog, false);   // the template table is made on the first start, outside the figures
    const bool root = ::geteuid() == 0;
    for (bool zimny : {false, true}) {
        std::vector<double> ms;
        for (int i = 0; i < (zimny ? std::max(1, powtorzen / 2) : powtorzen); ++i) ms.push_back(Start(katalog, zimny && root));
        std::sort(ms.begin(), ms.end());
        std::printf("%-7s %-44s min %8.1f ms   median %8.1f ms%s\n", "start",
                    zimny ? "program to a usable main window, cold" : "program to a usable main window, warm",
                    ms.front(), ms[ms.size() / 2], zimny && !root ? "  (page cache NOT dropped: not root)" : "");
    }
}

int Przebieg(const std::string& katalog, bool dysk, int powtorzen) {
    TOpcjeLadowania opcje;
    opcje.Katalog = katalog;
    if (dysk) opcje.WymusDysk = true;
    else opcje.ProgPamieci = INT64_MAX;   // the whole image in memory, whatever its size
    const char* tryb = dysk ? "disk" : "memory";

    const auto t0 = std::chrono::steady_clock::now();
    TfGlowne okno(opcje);
    const auto t1 = std::chrono::steady_clock::now();
    okno.show();
    QApplication::processEvents();
    std::printf("%-7s %-44s %8.1f ms  (%d documents, image %s)\n", tryb, "start (load the data directory)",
                std::chrono::duration<double, std::milli>(t1 - t0).count(), okno.Sesja().Zapytanie().LiczbaDokumentow(),
                okno.Sesja().Zapytanie().Magazyn().NaDysku ? "on disk" : "in memory");

    TcSesja& sesja = okno.Sesja();
    TcEdytorZapytania& e = okno.Edytor();
    TcWyszukiwanie& w = okno.Wyszukiwanie();
    TcListaWynikow& lista = okno.Lista();
    sesja.Konfiguracja().Zliczanie = true;

    auto slowo = [&](const char* tekst) {
        Wypisz(tryb, (std::string("leave word field: ") + tekst).c_str(),
               Pomiar(powtorzen, [&] { e.enSlowo[0]->setText(QString::fromUtf8(tekst)); },
                      [&] { e.ObciecieSpacji(e.enSlowo[0]); }));
    };
    slowo("podatek");
    slowo("podatek dochodowy");
    slowo("podat*");
    slowo("nieistniejące");

    // Six conditions: a word, a phrase, a prefix and a rare word, a chamber and a provision.
    const QString slowa[4] = {QStringLiteral("podatek"), QStringLiteral("podatek dochodowy"), QStringLiteral("podat*"),
                              QStringLiteral("interpretacja")};
    for (int n = 0; n < 4; ++n) e.enSlowo[size_t(n)]->setText(slowa[n]);
    if (!sesja.Izby().Wpisy.empty()) e.UstawienieIzbyWgNumeru(sesja.Izby().Wpisy.front()->Numer);
    if (!sesja.Przepisy().Wpisy.empty()) e.UstawieniePrzepisuWgNumeru(sesja.Przepisy().Wpisy.front()->Numer);
    Wypisz(tryb, "full recount (4 fields, chamber, provision)", Pomiar(powtorzen, [] {}, [&] { w.ZliczanieWszystkichWarunkow(); }));
    // The same six evaluations on the counting copy without the window, to tell the window's
    // share (labels, repaint) from the engine's.
    Wypisz(tryb, "  of which the six evaluations alone", Pomiar(powtorzen, [] {}, [&] {
        TcZapytanie& z = sesja.Liczace();
        z.TylkoDoRaportu = false;
        z.Interpretacja = z.PismoMinisterstwa = z.TezaOrzeczenia = true;
        z.WarunekDodatkowy.clear();
        for (int n = 0; n < 6; ++n) {
            z.Warunek = n < 4 ? "\"" + cp(slowa[n]) + "\"" : std::string();
            z.Izba = n == 4 ? e.Izba() : 0;
            z.Przepis = n == 5 ? e.Przepis() : 0;
            if (n >= 4 && z.Izba <= 0 && z.Przepis == 0) continue;
            sesja.Wykonanie(z);
        }
    }));

    // The same recount searching all forms of words; the first time groups the words.
    Wypisz(tryb, "all forms: grouping the words (first use)", Pomiar(1, [] {}, [&] { sesja.PrzygotowanieRodzin(); }));
    if (sesja.Rodziny()) {
        e.cbWszystkieFormy->setChecked(true);
        Wypisz(tryb, "full recount, all forms of words", Pomiar(powtorzen, [] {}, [&] { w.ZliczanieWszystkichWarunkow(); }));
        e.cbWszystkieFormy->setChecked(false);
    }

    // A search of one frequent word, all kinds, then its page 0.
    e.CzyszczenieWarunkow();
    e.enSlowo[0]->setText(QStringLiteral("podatek"));
    Wypisz(tryb, "search \"podatek\" + page 0", Pomiar(powtorzen, [] {}, [&] { w.bbSzukajClick(); }));
    std::printf("%-7s %-44s %8d\n", tryb, "  documents found", lista.TablicaRaportu.Liczba);
    if (sesja.Rodziny()) {
        e.cbWszystkieFormy->setChecked(true);
        Wypisz(tryb, "search \"podatek\" + page 0, all forms", Pomiar(powtorzen, [] {}, [&] { w.bbSzukajClick(); }));
        std::printf("%-7s %-44s %8d\n", tryb, "  documents found", lista.TablicaRaportu.Liczba);
        e.cbWszystkieFormy->setChecked(false);
    }
    e.enSlowo[1]->setText(QStringLiteral("dochodowy"));
    e.btOperator[0]->setText(QStringLiteral("LUB"));
    Wypisz(tryb, "search \"podatek\" OR \"dochodowy\" + page 0", Pomiar(powtorzen, [] {}, [&] { w.bbSzukajClick(); }));

    e.CzyszczenieWarunkow();
    e.enSlowo[0]->setText(QStringLiteral("podatek dochodowy"));
    Wypisz(tryb, "search \"podatek dochodowy\" + page 0", Pomiar(powtorzen, [] {}, [&] { w.bbSzukajClick(); }));
    std::printf("%-7s %-44s %8d\n", tryb, "  documents found", lista.TablicaRaportu.Liczba);

    if (lista.TablicaRaportu.OstatniaStrona() > 0) {
        Wypisz(tryb, "next page (50 records read and wrapped)",
               Pomiar(powtorzen, [&] { lista.TablicaRaportu.BiezacaStrona = 0; lista.PokazanieStrony(); },
                      [&] { lista.acNastepnyExecute(); }));
        Wypisz(tryb, "last page",
               Pomiar(powtorzen, [&] { lista.TablicaRaportu.BiezacaStrona = 0; }, [&] { lista.acOstatniExecute(); }));
    }
    if (!okno.pbAktyWarunki->isHidden()) Akty(okno, tryb, powtorzen);
    return 0;
}

void Akty(TfGlowne& okno, const char* tryb, int powtorzen) {
    TcTrybAktow& a = okno.Akty();
    bool pierwszy = true;
    Wypisz(tryb, "acts mode on (the first time: act text read)", Pomiar(1, [] {}, [&] { okno.pbAktyWarunkiClick(); }));
    Wypisz(tryb, "acts mode off and on again", Pomiar(powtorzen, [&] { if (!pierwszy) okno.pbAktyWarunkiClick(); pierwszy = false; },
                                                         [&] { okno.pbAktyWarunkiClick(); }));
    std::printf("%-7s %-44s %8zu characters\n", tryb, "  act text shown", size_t(a.reAkt->toPlainText().size()));
    if (a.cxAkt->count() > 1)
        Wypisz(tryb, "another act (text, phrase index, 6 counts)",
               Pomiar(powtorzen, [&] { a.cxAkt->setCurrentIndex(a.cxAkt->currentIndex() == 0 ? 1 : 0); },
                      [&] { a.cxAktChange(); }));
    // Two carets in different phrase stretches, taken in turn.
    const int pozycje[2] = {1, int(a.reAkt->toPlainText().size()) / 2};
    int n = 0;
    const auto kursor = [&](int p) {
        QTextCursor c = a.reAkt->textCursor();
        c.setPosition(p);
        a.reAkt->setTextCursor(c);
    };
    Wypisz(tryb, "caret into another phrase (buttons, 6 counts)",
           Pomiar(powtorzen, [&] { kursor(pozycje[n++ % 2]); }, [&] { a.TimerTimer(); }));
    Wypisz(tryb, "timer tick, caret in the same phrase", Pomiar(powtorzen, [] {}, [&] { a.TimerTimer(); }));
    okno.Sesja().Znajdowanie().SzukanyTekst = "podatnik";
    Wypisz(tryb, "find \"podatnik\" from the start of the act",
           Pomiar(powtorzen, [&] { kursor(0); okno.Sesja().Znajdowanie().OstatniaPozycja = -1; },
                  [&] { a.SzukanieTekstu(false); }));
    okno.pbAktyWarunkiClick();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && !std::strcmp(argv[1], kStartDziecka)) return StartDziecka(argv[2], std::atoi(argv[3]));
    QTemporaryDir konfiguracja;
    qputenv("BELVASTRONA_KONFIGURACJA", konfiguracja.path().toLocal8Bit());
    QApplication aplikacja(argc, argv);

    std::string katalog;
    int powtorzen = 5;
    bool pamiec = true, dysk = true;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--force-disk")) pamiec = false;
        else if (!std::strcmp(argv[i], "--memory")) dysk = false;
        else if (!std::strcmp(argv[i], "--repeat") && i + 1 < argc) powtorzen = std::max(1, std::atoi(argv[++i]));
        else katalog = argv[i];
    }
    if (katalog.empty()) {
        std::fprintf(stderr, "usage: belvastrona-bench-window DATA_DIR [--memory | --force-disk] [--repeat N]\n");
        return 2;
    }
    katalog = QDir(QString::fromLocal8Bit(katalog.c_str())).absolutePath().toStdString();
    // Shown documents and other files of the working folder stay out of the data directory.
    QDir::setCurrent(konfiguracja.path());
    Starty(katalog, powtorzen);
    mDialogTest::Wlaczenie();   // a message would wait for a click; record it instead
    try {
        if (pamiec) Przebieg(katalog, false, powtorzen);
        if (dysk) Przebieg(katalog, true, powtorzen);
    } catch (const std::exception& b) {
        std::fprintf(stderr, "error: %s\n", cp1250::toUtf8(b.what()).c_str());
        return 1;
    }
    for (const auto& d : mDialogTest::Historia())
        std::fprintf(stderr, "message: %s: %s\n", d.Tytul.toUtf8().constData(), d.Tekst.toUtf8().constData());
    return 0;
}
