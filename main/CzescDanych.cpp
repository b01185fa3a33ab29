#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

#include "Bledy.h"
#include "DaneGlowne.h"
#include "Konfiguracja.h"
#include "ListaWynikow.h"
#include "ListaZaznaczen.h"
#include "Pokazanie.h"
#include "Tekst.h"
#include "Wyszukiwanie.h"
#include "ZrzutyEkranu.h"
#include "Zapytanie.h"
#include "f_Glowne.h"
#include "mDialog.h"

TcDaneGlowne::TcDaneGlowne(QWidget* tcDane, QWidget* okno) : tcDane_(tcDane), okno_(okno) {
    Obiekty.Okno = okno;
    pnWarunki = new QWidget(tcDane);
    pnWarunki->setObjectName(QStringLiteral("pnWarunki"));
    pnRaport = new QWidget(tcDane);
    pnRaport->setObjectName(QStringLiteral("pnRaport"));

    edytor_ = new TcEdytorZapytania(pnWarunki, Obiekty);
    lista_ = new TcListaWynikow(pnRaport, tcDane, Obiekty);
    pokazanie_ = new TcPokazanie(pnRaport, Obiekty, *lista_);
    static_cast<QVBoxLayout*>(pnRaport->layout())->addWidget(pokazanie_->bbPokaz, 0, Qt::AlignLeft);
    wyszukiwanie_ = new TcWyszukiwanie(Obiekty, *edytor_, *lista_, *pokazanie_, this);
    edytor_->Polaczenie(wyszukiwanie_);

    // Acts mode lives in the same panel; until it has its own controls the frame still finds
    // the act list and the act text it fills.
    if (!tcDane->findChild<QComboBox*>(QStringLiteral("cxAkt"))) {
        auto* cxAkt = new QComboBox(tcDane);
        cxAkt->setObjectName(QStringLiteral("cxAkt"));
        cxAkt->hide();
    }
    if (!tcDane->findChild<QTextEdit*>(QStringLiteral("reAkt"))) {
        auto* reAkt = new QTextEdit(tcDane);
        reAkt->setObjectName(QStringLiteral("reAkt"));
        reAkt->hide();
    }
    tcDane->installEventFilter(this);
    Rozmieszczenie();
}

TcDaneGlowne::~TcDaneGlowne() {
    tcDane_->removeEventFilter(this);
    // The columns go first, while the parts they call into still exist.
    delete pnWarunki;
    delete pnRaport;
}

void TcDaneGlowne::Rozmieszczenie() {
    // The separator of the frame stands at x 240 of the panel.
    const int h = tcDane_->height();
    pnWarunki->setGeometry(2, 2, 236, std::max(0, h - 4));
    pnRaport->setGeometry(248, 2, std::max(0, tcDane_->width() - 252), std::max(0, h - 4));
}

bool TcDaneGlowne::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    if (obiekt == tcDane_ && zdarzenie->type() == QEvent::Resize) Rozmieszczenie();
    return false;
}

void TcDaneGlowne::PoUtworzeniuObiektow() {}

void TcDaneGlowne::pbCzyscClick() {
    const bool akty = Obiekty.TrybAktow && Obiekty.TrybAktow();
    if (!Pytanie(PLq("Potwierdź czyszczenie"),
                 akty ? PLq("Czy na pewno wyczyścić raport?") : PLq("Czy na pewno wyczyścić pola warunku i raport?"), 0))
        return;
    edytor_->CzyszczenieWarunkow();
    Obiekty.Zapytanie->Raport.clear();
    lista_->Wyczyszczenie();
}

void TcDaneGlowne::ZliczanieWszystkichWarunkow() { wyszukiwanie_->ZliczanieWszystkichWarunkow(); }

namespace {

// The main window as the data part sees it: its long-lived objects come from the frame.
class TcDaneOkna : public TcDaneGlowne {
public:
    explicit TcDaneOkna(TfGlowne& okno) : TcDaneGlowne(okno.tcDane, &okno), okno_(okno) {}

    void PoUtworzeniuObiektow() override {
        Obiekty.Zapytanie = &okno_.Zapytanie();
        Obiekty.Zliczajace = &okno_.ZapytanieLiczace();
        Obiekty.Parser = &okno_.Parser();
        Obiekty.Dzialy = &okno_.SlownikDzialow();
        Obiekty.Izby = &okno_.SlownikIzb();
        Obiekty.Przepisy = &okno_.SlownikPrzepisow();
        Obiekty.Akty = &okno_.SlownikAktow();
        Obiekty.Zliczanie = &okno_.Konfiguracja().Zliczanie;
        Obiekty.Izba = &okno_.WybranaIzba;
    }

private:
    TfGlowne& okno_;
};

}  // namespace

std::unique_ptr<TCzescDanych> UtworzenieDanych(TfGlowne& okno) { return std::make_unique<TcDaneOkna>(okno); }

// ---- Pictures of the data part's states ----

void TcDaneGlowne::ZrzutyEkranu(const QString& katalog) {
    QWidget& okno = *okno_;
    const bool bylyDialogi = mDialogTest::Wlaczone();
    if (!bylyDialogi) mDialogTest::Wlaczenie();
    edytor_->CzyszczenieWarunkow();
    edytor_->enSlowo[0]->setText(PLq("podatek"));
    edytor_->ObciecieSpacji(edytor_->enSlowo[0]);
    ZapisanieZrzutu(okno, katalog, QStringLiteral("TfGlowne-przed-wyszukaniem"));

    // A word common enough to fill more than one page.
    for (const char* slowo : {"podatek", "podatku", "VAT", "w"}) {
        edytor_->enSlowo[0]->setText(QString::fromLatin1(slowo));
        edytor_->ObciecieSpacji(edytor_->enSlowo[0]);
        wyszukiwanie_->bbSzukajClick();
        if (lista_->TablicaRaportu.Liczba > 50) break;
    }
    ZapisanieZrzutu(okno, katalog, QStringLiteral("TfGlowne-wynik-strona-1"));
    if (lista_->acNastepny->isEnabled() || lista_->TablicaRaportu.MoznaDalej()) {
        lista_->acNastepnyExecute();
        ZapisanieZrzutu(okno, katalog, QStringLiteral("TfGlowne-wynik-strona-2"));
        lista_->acPierwszyExecute();
    }

    // The first document as the browser shows it, phrases marked.
    if (lista_->clvRaport->LiczbaWierszy() > 1) {
        lista_->clvRaport->UstawienieWybranego(1);
        const auto otwarcie = TcPokazanie::OtwarciePliku;
        QString zapisany;
        TcPokazanie::OtwarciePliku = [&](const QString& plik) {
            zapisany = QDir::current().absoluteFilePath(plik);
            return true;
        };
        pokazanie_->acPokazExecute();
        TcPokazanie::OtwarciePliku = otwarcie;
        QString przegladarka;
        for (const char* p : {"chromium", "chromium-browser", "google-chrome"})
            if (przegladarka.isEmpty()) przegladarka = QStandardPaths::findExecutable(QString::fromLatin1(p));
        if (!zapisany.isEmpty() && !przegladarka.isEmpty()) {
            // The corpus carries no style for the marked phrases; the picture's copy gets one so
            // that the marks can be seen.
            QFile plik(zapisany);
            QByteArray html;
            if (plik.open(QIODevice::ReadOnly)) html = plik.readAll();
            html.prepend("<STYLE>.wyroznienie { background: yellow; }</STYLE>\r\n");
            const QString kopia = QDir(katalog).absoluteFilePath(QStringLiteral("tmp-htm-wyroznienie.htm"));
            QFile wyjscie(kopia);
            if (wyjscie.open(QIODevice::WriteOnly)) wyjscie.write(html);
            wyjscie.close();
            zapisany = kopia;
            const QString png = QDir(katalog).absoluteFilePath(QStringLiteral("tmp-htm-wyroznienie.png"));
            QProcess::execute(przegladarka, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                                             QStringLiteral("--disable-gpu"), QStringLiteral("--window-size=900,700"),
                                             QStringLiteral("--screenshot=") + png, QUrl::fromLocalFile(zapisany).toString()});
            std::fprintf(stderr, "%s %s\n", QFile::exists(png) ? "saved" : "FAILED", png.toLocal8Bit().constData());
        }
    }
    if (!bylyDialogi) mDialogTest::Wylaczenie();
}
