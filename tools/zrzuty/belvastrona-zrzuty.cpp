// belvastrona-zrzuty OUTDIR [DATA_DIR]: pictures of the program's windows, one PNG per window
// and state, for checking the layout by eye (tools/screenshots runs it on a virtual display):
// TfGlowne.png, TfDialog-Informacja.png, ..., TsPrzepis.png, TfWinieta.png, the main
// window's data part before a search, on two result pages, and the report windows (TkRaport,
// TsRaport, TfRaport, TfNazwaRaportu, TfUsunWiele, TfKalendarz, TbUsunWiele) and the template
// windows (TkSzablon, TsSzablon, TfSzablon, TfZapiszZapytanie), acts mode with the phrase
// buttons at a caret (TfGlowne-akty) and the find window (TfZnajdz). It also leaves
// tmp-htm-wyroznienie.htm, the first document as "Pokaż" writes it, with a style that makes
// the marked phrases visible, for a browser to render.
//
// The windows are driven by their objects' names, as the tests drive them; message dialogs
// are answered, not shown. The configuration goes to a temporary folder, so the user's
// Belvastrona.ini is not touched.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <utime.h>

#include "Aplikacja.h"
#include "Bezczynnosc.h"
#include "EditNew.h"
#include "ListaWynikow.h"
#include "Plik.h"
#include "TekstRaportu.h"
#include "Zapytanie.h"
#include "cp1250.h"
#include "ZapisRaportu.h"
#include "b_UsunWiele.h"
#include "f_Kalendarz.h"
#include "f_NazwaRaportu.h"
#include "f_Raport.h"
#include "f_UsunWiele.h"
#include "k_Raport.h"
#include "s_Raport.h"
#include "ListaZaznaczen.h"
#include "Pokazanie.h"
#include "Powloka.h"
#include "Sesja.h"
#include "f_Dialog.h"
#include "f_Glowne.h"
#include "f_Winieta.h"
#include "mDialog.h"
#include "s_Przepis.h"
#include "PrzyciskObrazkowy.h"
#include "Tekst.h"
#include "TrybAktow.h"
#include "Wyszukiwanie.h"
#include "f_Znajdz.h"
#include <QRadioButton>
#include <QTextEdit>
#include "TabelaDbf.h"
#include "d_Szablon.h"
#include "f_Szablon.h"
#include "f_ZapiszZapytanie.h"
#include "k_Szablon.h"
#include "s_Szablon.h"

namespace {

void Odczekanie(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
    mBezczynnosc::Wykonanie();   // the loop above never waits, so run the update handlers here
    QApplication::processEvents();
}

bool Zapisanie(QWidget& okno, const QString& katalog, const QString& nazwa) {
    okno.show();
    okno.raise();
    okno.activateWindow();
    Odczekanie(400);
    const QString plik = QDir(katalog).filePath(nazwa + QStringLiteral(".png"));
    const bool ok = okno.grab().save(plik);
    std::fprintf(stderr, "%s %s\n", ok ? "saved" : "FAILED", plik.toLocal8Bit().constData());
    return ok;
}

template <class T>
T* Kontrolka(QWidget& okno, const char* nazwa) {
    T* k = okno.findChild<T*>(QString::fromLatin1(nazwa));
    if (k == nullptr) std::fprintf(stderr, "missing control %s\n", nazwa);
    return k;
}

// Types a word into the first field and leaves it, as the user would.
void Slowo(QWidget& okno, const QString& tekst) {
    auto* pole = Kontrolka<QLineEdit>(okno, "enSlowo1");
    auto* szukaj = Kontrolka<QPushButton>(okno, "bbSzukaj");
    if (!pole || !szukaj) return;
    pole->setFocus(Qt::MouseFocusReason);
    pole->setText(tekst);
    szukaj->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

bool StanyDanych(TfGlowne& okno, const QString& katalog) {
    bool ok = true;
    Slowo(okno, QString::fromUtf8("podatek"));
    ok = Zapisanie(okno, katalog, QStringLiteral("TfGlowne-przed-wyszukaniem")) && ok;

    auto* szukaj = Kontrolka<QPushButton>(okno, "bbSzukaj");
    auto* lista = Kontrolka<TListaZaznaczen>(okno, "clvRaport");
    auto* nastepny = Kontrolka<QAction>(okno, "acNastepny");
    auto* pierwszy = Kontrolka<QAction>(okno, "acPierwszy");
    auto* pokaz = Kontrolka<QAction>(okno, "acPokaz");
    if (!szukaj || !lista || !nastepny || !pierwszy || !pokaz) return false;
    // A word common enough to fill more than one page.
    for (const char* slowo : {"podatek", "podatku", "VAT", "w"}) {
        Slowo(okno, QString::fromLatin1(slowo));
        szukaj->click();
        QApplication::processEvents();
        if (nastepny->isEnabled()) break;
    }
    ok = Zapisanie(okno, katalog, QStringLiteral("TfGlowne-wynik-strona-1")) && ok;
    if (nastepny->isEnabled()) {
        nastepny->trigger();
        ok = Zapisanie(okno, katalog, QStringLiteral("TfGlowne-wynik-strona-2")) && ok;
        pierwszy->trigger();
    }

    // The first document as "Pokaż" writes it; the corpus carries no style for the marked
    // phrases, so the picture's copy gets one.
    if (lista->LiczbaWierszy() > 1) {
        lista->UstawienieWybranego(1);
        QString zapisany;
        mUstawienieOtwierania([&](const QString& plik) {
            zapisany = QDir::current().absoluteFilePath(plik);
            return true;
        });
        QApplication::processEvents();
        pokaz->setEnabled(true);
        pokaz->trigger();
        mUstawienieOtwierania(nullptr);
        QFile plik(zapisany);
        if (zapisany.isEmpty() || !plik.open(QIODevice::ReadOnly)) return false;
        QByteArray html = plik.readAll();
        html.prepend("<STYLE>.wyroznienie { background: yellow; }</STYLE>\r\n");
        QFile kopia(QDir(katalog).absoluteFilePath(QStringLiteral("tmp-htm-wyroznienie.htm")));
        ok = kopia.open(QIODevice::WriteOnly) && kopia.write(html) == html.size() && ok;
    }
    return ok;
}

// A modal window as it stands while its exec() runs; `przed` may select or type first.
bool ZapisanieModalnego(QDialog& okno, const QString& katalog, const QString& nazwa,
                        const std::function<void()>& przed = {}) {
    bool ok = false;
    QTimer::singleShot(0, &okno, [&] {
        if (przed) przed();
        okno.raise();
        okno.activateWindow();
        Odczekanie(400);
        const QString plik = QDir(katalog).filePath(nazwa + QStringLiteral(".png"));
        ok = okno.grab().save(plik);
        std::fprintf(stderr, "%s %s\n", ok ? "saved" : "FAILED", plik.toLocal8Bit().constData());
        okno.done(2);
    });
    okno.exec();
    return ok;
}

// The report windows over a few reports made from the result on show. They live in a folder
// of their own, so the data folder gets no reports from the pictures.
bool OknaRaportow(TfGlowne& glowne, const QString& katalog) {
    QTemporaryDir folder;
    struct TPowrot {   // back to the data folder before the reports' folder goes
        QString folder = QDir::currentPath();
        ~TPowrot() { QDir::setCurrent(folder); }
    } powrot;
    if (!folder.isValid() || !QDir::setCurrent(folder.path()) || !QDir().mkdir(QStringLiteral("Raporty"))) return false;
    TcSesja& sesja = glowne.Sesja();
    glowne.Lista().ZapamietanieZaznaczen();
    const std::string tekst = TekstRaportu(glowne.Lista().TablicaRaportu, sesja.Zapytanie());
    const char* nazwy[] = {"Kowalski - ulga mieszkaniowa", "Nowak sp. z o.o. - VAT od zaliczek",
                           "Zielińska - darowizna od rodziców", "Spadki 2004", "Wspólnota mieszkaniowa Słoneczna",
                           "Leasing samochodu osobowego", "Jabłoński - najem prywatny"};
    const std::time_t teraz = std::time(nullptr);
    int i = 0;
    for (const char* n : nazwy) {
        const std::string sciezka = MiejsceRaportu(PL(n)).Sciezka;
        if (!ZapisanieRaportu(sciezka, tekst)) return false;
        const utimbuf czas{teraz - i * 86400 * 3 - i * 3700, teraz - i * 86400 * 3 - i * 3700};
        utime(sciezka.c_str(), &czas);
        ++i;
    }
    bool ok = true;
    {
        TkRaport okno(sesja, &glowne);
        ok = ZapisanieModalnego(okno, katalog, QStringLiteral("TkRaport")) && ok;
    }
    {
        TsRaport okno(sesja, &glowne);
        ok = ZapisanieModalnego(okno, katalog, QStringLiteral("TsRaport")) && ok;
    }
    {
        TfRaport okno(sesja, &glowne);
        okno.Raport = tekst;
        okno.Plik = PL("Raporty/Kowalski - ulga mieszkaniowa.rap");
        okno.setWindowTitle(QString::fromUtf8("Raport - Kowalski - ulga mieszkaniowa"));
        ok = ZapisanieModalnego(okno, katalog, QStringLiteral("TfRaport"), [&okno] {
            if (okno.clvRaport->LiczbaWierszy() > 1) okno.clvRaport->UstawienieWybranego(1);
            okno.clvRaport->setFocus();
        }) && ok;
    }
    {
        std::string raport = tekst;
        TfNazwaRaportu okno(raport, &glowne);
        okno.enNazwa->setText(QString::fromUtf8("Kowalski - ulga mieszkaniowa"));
        ok = Zapisanie(okno, katalog, QStringLiteral("TfNazwaRaportu")) && ok;
    }
    {
        TfUsunWiele okno(&glowne);
        okno.enDataOd->setText(QStringLiteral("01-03-2005"));
        ok = Zapisanie(okno, katalog, QStringLiteral("TfUsunWiele")) && ok;
        TfKalendarz kalendarz(okno.enDataDo, &okno);
        ok = Zapisanie(kalendarz, katalog, QStringLiteral("TfKalendarz")) && ok;
    }
    {
        TcListPlikRaportu lista;
        TbUsunWiele okno(lista, BrakDaty, BrakDaty, lista.Liczba(), &glowne);
        okno.Timer->stop();   // a picture of the window, not a deletion
        okno.ProgressBar->setValue(3);
        okno.lbLiczbaUsunietych->setText(QString::fromUtf8("Liczba usuniętych: 3"));
        ok = Zapisanie(okno, katalog, QStringLiteral("TbUsunWiele")) && ok;
    }
    return ok;
}

// The template windows over a table of a few templates in a folder of their own, so the data
// folder's table gets none of them.
bool OknaSzablonow(TfGlowne& glowne, const QString& katalog) {
    QTemporaryDir folder;
    if (!folder.isValid()) return false;
    TcSesja& sesja = glowne.Sesja();
    Tdm_Szablon dm(folder.path().toStdString());
    TcTabelaDbf& t = dm.tb_Szablon;
    struct TPrzyklad {
        const char* opis;
        int przepis, izba;
        const char* warunek;
        const char* dodatkowy;
    };
    const TPrzyklad przyklady[] = {
        {"Ulga mieszkaniowa - zmiany miesięczne", 0, 0, "\"ulga mieszkaniowa\" AND \"remont*\"", ""},
        {"VAT od zaliczek", 0, 0, "\"zaliczk*\" AND \"podatek od towarów\" AND_NOT \"eksport\"", ""},
        {"Darowizny w rodzinie", 0, 0, "\"darowizn*\" OR \"spadk*\"", "rodzic*"},
        {"Najem prywatny", 0, 0, "\"najem\" AND \"ryczałt\"", ""},
        {"Leasing samochodu osobowego", 0, 0, "\"leasing*\" AND \"samoch*\"", ""},
    };
    for (const TPrzyklad& p : przyklady) {
        const int32_t id = AutoInkrementacja(t);
        t.Dopisanie();
        t.ZapisanieLiczby("ID_SZABL", id);
        t.ZapisaniePola("OPIS", PL(p.opis));
        t.ZapisanieLiczby("ID_PRZEP", p.przepis);
        t.ZapisanieLiczby("ID_IZBY", p.izba);
        t.ZapisaniePola("WARUNEK", PL(p.warunek));
        t.ZapisaniePola("WARUN_DOD", PL(p.dodatkowy));
        t.Zatwierdzenie();
    }
    t.PrzejscieNaPierwszy();
    bool ok = true;
    {
        TkSzablon okno(sesja, t, &glowne);
        ok = ZapisanieModalnego(okno, katalog, QStringLiteral("TkSzablon")) && ok;
    }
    {
        TsSzablon okno(sesja, t, &glowne);
        ok = ZapisanieModalnego(okno, katalog, QStringLiteral("TsSzablon")) && ok;
    }
    {
        TfSzablon okno(sesja, t, 2, &glowne);
        ok = ZapisanieModalnego(okno, katalog, QStringLiteral("TfSzablon")) && ok;
    }
    {
        TfZapiszZapytanie okno(sesja, t, &glowne);
        okno.enOpis->setText(QString::fromUtf8("Ulga termomodernizacyjna"));
        ok = Zapisanie(okno, katalog, QStringLiteral("TfZapiszZapytanie")) && ok;
    }
    return ok;
}

// Acts mode with the caret on a word that offers five phrases, the third chosen, and the find
// window over it. Leaves the window in conditions mode.
bool TrybAktow(TfGlowne& glowne, const QString& katalog) {
    if (glowne.pbAktyWarunki->isHidden()) return true;
    TcTrybAktow& a = glowne.Akty();
    glowne.pbAktyWarunki->click();
    QApplication::processEvents();
    const std::string tekst = cp(a.reAkt->toPlainText());
    for (int p = 200; p < int(tekst.size()); ++p) {
        const std::string k = glowne.Sesja().Zapytanie().OdczytanieFraz(p);
        if (std::count(k.begin(), k.end(), '|') == 4) {
            QTextCursor c = a.reAkt->textCursor();
            c.setPosition(p);
            a.reAkt->setTextCursor(c);
            break;
        }
    }
    a.TimerTimer();
    a.rbFraza[2]->setChecked(true);
    a.reAkt->setFocus();
    bool ok = Zapisanie(glowne, katalog, QStringLiteral("TfGlowne-akty"));
    {
        TfZnajdz okno(glowne.Sesja().Znajdowanie(), nullptr, &glowne);
        okno.enSzukanyTekst->setText(QString::fromUtf8("podatnik"));
        ok = Zapisanie(okno, katalog, QStringLiteral("TfZnajdz")) && ok;
    }
    glowne.pbAktyWarunki->click();
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    TAplikacja aplikacja(argc, argv);
    const QStringList argumenty = TAplikacja::arguments().mid(1);
    if (argumenty.isEmpty() || argumenty.size() > 2) {
        std::fprintf(stderr, "usage: belvastrona-zrzuty OUTDIR [DATA_DIR]\n");
        return 2;
    }
    const QString katalog = QDir(argumenty.at(0)).absolutePath();
    QDir().mkpath(katalog);
    if (argumenty.size() == 2 && !QDir::setCurrent(argumenty.at(1))) {
        std::fprintf(stderr, "belvastrona-zrzuty: no data directory %s\n", argumenty.at(1).toLocal8Bit().constData());
        return 2;
    }
    QTemporaryDir konfiguracja;
    qputenv("BELVASTRONA_KONFIGURACJA", konfiguracja.path().toLocal8Bit());
    mDialogTest::Wlaczenie();

    std::unique_ptr<TfGlowne> glowne;
    try {
        glowne = std::make_unique<TfGlowne>();
    } catch (const std::exception& b) {
        std::fprintf(stderr, "belvastrona-zrzuty: %s\n", b.what());
        return 1;
    }
    bool ok = Zapisanie(*glowne, katalog, QStringLiteral("TfGlowne"));

    struct TDialog {
        const char* nazwa;
        int rodzaj, domyslny;
        const char* tytul;
        const char* tekst;
    };
    const TDialog dialogi[] = {
        {"TfDialog-Informacja", 2, 2, "Nie znaleziono", "Nie znaleziono dokumentów spełniających warunki zapytania."},
        {"TfDialog-Ostrzezenie", 0, 2, "Błąd otwarcia witryny", "Nieudana próba otwarcia przeglądarki dla witryny producenta."},
        {"TfDialog-Pytanie", 3, 0, "Potwierdź", "Czy na pewno zakończyć pracę programu?"},
        {"TfDialog-PytanieZAnulowaniem", 4, 3, "Zapisz zmiany", "Czy chcesz zapisać wprowadzone zmiany?"},
    };
    for (const TDialog& d : dialogi) {
        TfDialog okno(QString::fromUtf8(d.tytul), QString::fromUtf8(d.tekst), d.rodzaj, d.domyslny, glowne.get());
        ok = Zapisanie(okno, katalog, QString::fromLatin1(d.nazwa)) && ok;
    }
    {
        TsPrzepis okno(glowne->Sesja().Dzialy(), glowne->Sesja().Przepisy(), glowne.get());
        ok = Zapisanie(okno, katalog, QStringLiteral("TsPrzepis")) && ok;
    }
    {
        // A long working folder, as an installed corpus gives one: the label keeps its end.
        TfWinieta okno(glowne.get(), QStringLiteral("/home/uzytkownik-z-dluga-nazwa/.local/share/Belvastrona"));
        ok = Zapisanie(okno, katalog, QStringLiteral("TfWinieta")) && ok;
    }
    ok = StanyDanych(*glowne, katalog) && ok;
    ok = OknaRaportow(*glowne, katalog) && ok;
    ok = OknaSzablonow(*glowne, katalog) && ok;
    ok = TrybAktow(*glowne, katalog) && ok;

    // Closing without the question: the pictures are not a working session.
    glowne.reset();
    mDialogTest::Wylaczenie();
    return ok ? 0 : 1;
}
