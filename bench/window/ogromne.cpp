// belvastrona-bench-huge DATA_DIR [--acts-only]
//
// Huge input in the main window, offscreen: how long the window stays busy (nothing is drawn
// and no key is taken meanwhile) when a user pastes 100 kB into a word field and into the
// additional condition, reads a template whose memos hold 100 kB conditions, opens a report
// of 262,143 numbers with a 100 kB condition in the main window and in the report viewer and
// shows a document marked by it, and works in acts mode on the largest act. Each action is
// timed once and marked "over 1 s" when the window stays busy longer. bench/huge makes a data
// directory with a 10 MB act for it.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "EdytorZapytania.h"
#include "Konfiguracja.h"
#include "ListaWynikow.h"
#include "Pokazanie.h"
#include "Powloka.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "TablicaRaportu.h"
#include "Tekst.h"
#include "TekstRaportu.h"
#include "TrybAktow.h"
#include "Wyszukiwanie.h"
#include "ZapisRaportu.h"
#include "Zapytanie.h"
#include "Znajdowanie.h"
#include "bPlik.h"
#include "bSlownikTxt.h"
#include "d_Szablon.h"
#include "f_Glowne.h"
#include "f_Raport.h"
#include "mDialog.h"
#include "mLib.h"

namespace {

int ponadSekunde = 0;

// Times one action of the window; the messages it showed and an error it ended with (which the
// program shows as a message) are printed below it.
double Czas(const char* co, const std::function<void()>& dzialanie) {
    const size_t komunikaty = mDialogTest::Historia().size();
    std::string blad;
    const auto t0 = std::chrono::steady_clock::now();
    try {
        dzialanie();
    } catch (const std::exception& b) {
        blad = cp1250::toUtf8(b.what());
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    ponadSekunde += ms > 1000;
    std::printf("%-62s %9.1f ms%s\n", co, ms, ms > 1000 ? "  over 1 s" : "");
    for (size_t i = komunikaty; i < mDialogTest::Historia().size(); ++i) {
        const auto& d = mDialogTest::Historia()[i];
        std::printf("    message \"%s\": %.100s\n", d.Tytul.toUtf8().constData(), d.Tekst.toUtf8().constData());
    }
    if (!blad.empty()) std::printf("    error: %s\n", blad.c_str());
    std::fflush(stdout);
    return ms;
}

// About 100 kB of condition: the same frequent word ten thousand times, or 10,000 phrases
// of which most are different.
std::string Powtorzony() {
    std::string w = "\"podatek\"";
    while (w.size() < 100000) w += " OR \"podatek\"";
    return w;
}

std::string Rozne(const TcMagazynIndeksu& m) {
    std::string w;
    for (int32_t i = 0; w.size() < 100000; i = (i + 7) % m.W) {
        const std::string& s = m.Slowa[size_t(i)];
        if (s.size() < 4 || s.find('"') != std::string::npos) continue;
        w += (w.empty() ? "\"" : " OR \"") + s + "\"";
    }
    return w;
}

void Akty(TfGlowne& okno);

void Przebieg(TfGlowne& okno) {
    TcSesja& sesja = okno.Sesja();
    TcZapytanie& z = sesja.Zapytanie();
    TcEdytorZapytania& e = okno.Edytor();
    TcWyszukiwanie& w = okno.Wyszukiwanie();
    TcListaWynikow& lista = okno.Lista();
    sesja.Konfiguracja().Zliczanie = true;
    const std::string powtorzony = Powtorzony(), rozne = Rozne(z.Magazyn());
    std::printf("data: %d documents, %s mode\n\n", z.LiczbaDokumentow(), z.NaDysku ? "disk" : "memory");

    Czas("word field: 100 kB pasted and left (kept to 40, one count)", [&] {
        e.enSlowo[0]->setText(QString(100000, QLatin1Char('a')));
        e.ObciecieSpacji(e.enSlowo[0]);
    });
    e.CzyszczenieWarunkow();
    e.enSlowo[0]->setText(QStringLiteral("podatek"));
    Czas("additional condition: 100 kB pasted (kept to 500) and search", [&] {
        e.meWarunekDodatkowy->setPlainText(qs(rozne));
        w.bbSzukajClick();
    });

    // Templates whose memos hold 100 kB conditions, as read after the selection window: four
    // words of 25 kB each, then ten thousand phrases, which no field editor writes.
    const auto szablon = [&](const std::string& warunek) {
        z.Warunek = warunek;
        z.WarunekDodatkowy = rozne;
        z.Przepis = z.Izba = 0;
        if (e.OdczytanieWarunku(z.Warunek)) {
            e.meWarunekDodatkowy->setPlainText(qs(z.WarunekDodatkowy));
            e.UstawieniePrzepisuWgNumeru(z.Przepis);
            e.WczytanieIzby(z.Izba);
            w.ZliczanieWszystkichWarunkow();
        }
    };
    const std::string slowo(25000, 'a');
    Czas("template of four 25 kB words and 100 kB additional, read", [&] {
        szablon("\"" + slowo + "\" AND \"" + slowo + "\" OR \"" + slowo + "\" AND_NOT \"" + slowo + "\"");
    });
    Czas("template of 10,000 phrases and 100 kB additional, read", [&] { szablon(powtorzony); });
    e.CzyszczenieWarunkow();

    // A report of every number the result can hold, its condition 100 kB of one word repeated.
    TcTablicaRaportu pelna;
    pelna.Liczba = 0;
    for (int32_t i = 0; i < TcTablicaRaportu::Pojemnosc; ++i) pelna.Dodanie(1 + i % z.LiczbaDokumentow(), true);
    const std::string tekst = TekstRaportu(pelna, powtorzony, 0, 0);
    QDir().mkpath(QString::fromLatin1(KatalogRaportow));
    const std::string plik = std::string(KatalogRaportow) + "/ogromny.rap";
    if (!ZapisanieRaportu(plik, tekst)) throw std::runtime_error("cannot write " + plik);
    std::printf("report: %d numbers, %zu bytes, condition %zu bytes\n", pelna.Liczba, tekst.size(), powtorzony.size());
    TRaport raport;
    Czas("report opened in the main window (read, taken over, page 0)", [&] {
        z.Raport = tekst;
        raport = OtwarcieRaportu(plik, sesja.Izby(), sesja.Przepisy(), lista.TablicaRaportu, z);
        okno.Pokazanie().WarunekWyroznienia = raport.Warunek;
        lista.PokazanieStrony();
    });
    Czas("  last page", [&] { lista.acOstatniExecute(); });
    Czas("  a document shown, the report's phrases marked", [&] {
        TcPokazanie::PokazanieDokumentu(z, lista.TablicaRaportu.Pozycje[1].NrDokumentu, raport.Warunek);
    });
    {
        TfRaport przegladarka(sesja, &okno);
        przegladarka.Raport = tekst;
        przegladarka.Plik = plik;
        // The viewer is modal: the time until its event loop runs is the time it keeps the user
        // waiting; it is closed from there.
        const auto t0 = std::chrono::steady_clock::now();
        double ms = 0;
        QTimer::singleShot(0, &przegladarka, [&] {
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
            przegladarka.close();
        });
        przegladarka.exec();
        ponadSekunde += ms > 1000;
        std::printf("%-62s %9.1f ms%s\n", "report viewer opened on it (read, page 0 listed)", ms, ms > 1000 ? "  over 1 s" : "");
    }
    Akty(okno);
}

void Akty(TfGlowne& okno) {
    if (okno.pbAktyWarunki->isHidden()) return;
    TcSesja& sesja = okno.Sesja();
    TcTrybAktow& a = okno.Akty();
    okno.pbAktyWarunkiClick();
    int najwiekszy = 0;
    qint64 rozmiar = -1;
    for (int i = 0; i < a.cxAkt->count(); ++i) {
        a.cxAkt->setCurrentIndex(i);
        a.cxAktChange();
        if (a.reAkt->document()->characterCount() > rozmiar) rozmiar = a.reAkt->document()->characterCount(), najwiekszy = i;
    }
    a.cxAkt->setCurrentIndex(najwiekszy == 0 ? 1 : 0);
    a.cxAktChange();
    a.cxAkt->setCurrentIndex(najwiekszy);
    Czas("acts mode: the largest act chosen (text, phrase index, counts)", [&] { a.cxAktChange(); });
    std::printf("%-62s %9lld characters\n", "  act text shown", static_cast<long long>(a.reAkt->document()->characterCount()));
    const auto kursor = [&](int p) {
        QTextCursor c = a.reAkt->textCursor();
        c.setPosition(p);
        a.reAkt->setTextCursor(c);
    };
    kursor(int(rozmiar) - 100);
    Czas("  caret near its end: phrase buttons and counts", [&] { a.TimerTimer(); });
    sesja.Znajdowanie().SzukanyTekst = "nieistniejacyciag";
    sesja.Znajdowanie().OstatniaPozycja = -1;
    kursor(0);
    Czas("  find a text that is not there, through the whole act", [&] { a.SzukanieTekstu(false); });
    okno.pbAktyWarunkiClick();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir konfiguracja;
    qputenv("BELVASTRONA_KONFIGURACJA", konfiguracja.path().toLocal8Bit());
    QApplication aplikacja(argc, argv);
    const bool tylkoAkty = argc == 3 && std::string(argv[2]) == "--acts-only";
    if (argc != 2 && !tylkoAkty) {
        std::fprintf(stderr, "usage: belvastrona-bench-huge DATA_DIR [--acts-only]\n");
        return 2;
    }
    TOpcjeLadowania opcje;
    opcje.Katalog = QDir(QString::fromLocal8Bit(argv[1])).absolutePath().toStdString();
    QDir::setCurrent(konfiguracja.path());   // reports, templates and the shown page go here
    mDialogTest::Wlaczenie();
    mUstawienieOtwierania([](const QString&) { return true; });
    try {
        TfGlowne okno(opcje);
        okno.show();
        QApplication::processEvents();
        if (tylkoAkty) Akty(okno);
        else Przebieg(okno);
    } catch (const std::exception& b) {
        std::fprintf(stderr, "error: %s\n", cp1250::toUtf8(b.what()).c_str());
        return 1;
    }
    std::printf("\nactions over 1 s: %d\n", ponadSekunde);
    return 0;
}
