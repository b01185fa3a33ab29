#include "f_Szablon.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTextCursor>
#include <QToolButton>

#include "Bezczynnosc.h"
#include "Bledy.h"
#include "EditNew.h"
#include "PolaWarunku.h"
#include "Pomoc.h"
#include "PrzyciskObrazkowy.h"
#include "Sesja.h"
#include "bSlownikTxt.h"
#include "Tekst.h"
#include "TabelaDbf.h"
#include "d_Szablon.h"
#include "mDialog.h"
#include "mFormCrc.h"
#include "mLib.h"
#include "s_Przepis.h"

namespace {

QLabel* Etykieta(QWidget* rodzic, const char* nazwa, const char* tekst, int x, int y) {
    auto* l = new QLabel(PLq(tekst), rodzic);
    l->setObjectName(QString::fromLatin1(nazwa));
    l->move(x, y);
    l->adjustSize();
    return l;
}

// The table keeps a memo's lines separated by CR LF, the memo control by LF.
std::string TekstDoTabeli(const QString& t) {
    QString w = t;
    w.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return cp(w);
}

QString TekstZTabeli(const std::string& t) {
    QString w = qs(t);
    w.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return w;
}

}  // namespace

TfSzablon::TfSzablon(TcSesja& sesja, TcTabelaDbf& tabela, int tryb, QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      sesja_(sesja), tabela_(tabela), tryb_(tryb) {
    setObjectName(QStringLiteral("TfSzablon"));
    setWindowTitle(PLq("Nowy szablon"));
    setFixedSize(448, 440);

    tcDane = new QFrame(this);
    tcDane->setObjectName(QStringLiteral("tcDane"));
    tcDane->setFrameShape(QFrame::StyledPanel);
    tcDane->setGeometry(8, 8, 344, 424);
    QWidget* k = tcDane;

    lbOpis = Etykieta(k, "lbOpis", "&Opis:", 8, 8);
    enOpis = new TEditN(k, "enOpis");
    enOpis->EditType = TEditN::etString;
    enOpis->setMaxLength0(DlugoscOpisuSzablonu);
    enOpis->setGeometry(8, 26, 326, 21);
    enOpis->setToolTip(PLq("Opis szablonu"));
    lbOpis->setBuddy(enOpis);
    connect(enOpis, &TEditN::OnExit, this, &TfSzablon::enOpisExit);

    lbWarunek = Etykieta(k, "lbWarunek", "&Warunek:", 8, 56);
    const QString podpowiedzSlowa = PLq("Szukane słowo lub fraza");
    const QString podpowiedzOperatora =
        PLq("Operator logiczny łączący szukane słowa/frazy (kliknięcie powoduje zmianę operatora)");
    QFont czcionkaOperatora(QStringLiteral("Courier New"), 9);
    czcionkaOperatora.setBold(true);
    for (int n = 0; n < 4; ++n) {
        const int y = 74 + n * 44;
        if (n > 0) {
            // The operator stands left of the word it joins to the one above.
            auto* b = new QPushButton(QStringLiteral("I"), k);
            b->setObjectName(QStringLiteral("btOperator%1").arg(n));
            b->setGeometry(8, y - 1, 46, 23);
            b->setFont(czcionkaOperatora);
            b->setToolTip(podpowiedzOperatora);
            b->setFocusPolicy(Qt::TabFocus);
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, [this, n] { btOperatorClick(n); });
            btOperator[size_t(n - 1)] = b;
        }
        auto* e = new TEditN(k);
        e->setObjectName(QStringLiteral("enSlowo%1").arg(n + 1));
        e->EditType = TEditN::etString;
        e->setGeometry(60, y, 274, 21);
        e->setMaxLength(DlugoscSlowa);
        e->setToolTip(podpowiedzSlowa);
        // Words keep their spaces; a double quote would end the word inside the condition.
        e->OnKeyPress = [](TEditN&, QChar& znak) {
            if (TPolaWarunku::ZnakOdrzucony(znak)) znak = QChar();
        };
        enSlowo[size_t(n)] = e;
    }
    lbWarunek->setBuddy(enSlowo[0]);

    lbPrzepis = Etykieta(k, "lbPrzepis", "&Przepis:", 8, 258);
    bbPrzepis = new QPushButton(QStringLiteral("..."), k);
    bbPrzepis->setObjectName(QStringLiteral("bbPrzepis"));
    bbPrzepis->setGeometry(70, 254, 28, 23);
    bbPrzepis->setAutoDefault(false);
    bbPrzepis->setToolTip(PLq("Wywołanie słownika przepisów"));
    lbPrzepis->setBuddy(bbPrzepis);
    connect(bbPrzepis, &QPushButton::clicked, this, &TfSzablon::bbPrzepisClick);
    acUsunieciePrzepisu = new QAction(QStringLiteral("X"), this);
    acUsunieciePrzepisu->setObjectName(QStringLiteral("acUsunieciePrzepisu"));
    acUsunieciePrzepisu->setToolTip(PLq("Usunięcie przepisu z zapytania"));
    connect(acUsunieciePrzepisu, &QAction::triggered, this, &TfSzablon::acUsunieciePrzepisuExecute);
    bbUsunieciePrzepisu = new QToolButton(k);
    bbUsunieciePrzepisu->setObjectName(QStringLiteral("bbUsunieciePrzepisu"));
    bbUsunieciePrzepisu->setDefaultAction(acUsunieciePrzepisu);
    bbUsunieciePrzepisu->setGeometry(102, 254, 28, 23);

    mePrzepis = NowePolePrzepisu(k, 8, 282, 326, 44);

    lbWarunekDodatkowy = Etykieta(k, "lbWarunekDodatkowy", "W&arunek dodatkowy:", 8, 334);
    meWarunekDodatkowy = new QPlainTextEdit(k);
    meWarunekDodatkowy->setObjectName(QStringLiteral("meWarunekDodatkowy"));
    meWarunekDodatkowy->setGeometry(8, 352, 326, 64);
    PrzygotowanieWarunkuDodatkowego(meWarunekDodatkowy, DlugoscWarunkuDodatkowego);
    lbWarunekDodatkowy->setBuddy(meWarunekDodatkowy);

    pbPomoc = new TPrzyciskObrazkowy(this, "pbPomoc", TGlif::Pomoc);
    pbPomoc->move(360, 8);
    pbPomoc->UstawienieNapisu(QStringLiteral("Pomoc"), QStringLiteral("Pomoc"));
    pbPomoc->setFocusPolicy(Qt::TabFocus);
    connect(pbPomoc, &QToolButton::clicked, this, [] { mPomoc(KontekstPomocy); });

    pbZatwierdz = new TPrzyciskObrazkowy(this, "pbZatwierdz", TGlif::Wybierz);
    pbZatwierdz->move(360, 322);
    pbZatwierdz->UstawienieNapisu(PLq("Zatwierdź"), PLq("Zatwierdź"));
    pbZatwierdz->UstawienieDomyslnego(true);
    connect(pbZatwierdz, &QToolButton::clicked, this, &TfSzablon::pbZatwierdzClick);

    pbAnuluj = new TPrzyciskObrazkowy(this, "pbAnuluj", TGlif::Zamknij);
    pbAnuluj->move(360, 380);
    pbAnuluj->UstawienieNapisu(QStringLiteral("Anuluj"), QStringLiteral("Anuluj"));
    pbAnuluj->UstawienieAnulujacego(true);
    connect(pbAnuluj, &QToolButton::clicked, this, &TfSzablon::pbAnulujClick);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [] { mPomoc(KontekstPomocy); });

    QWidget* poprzedni = enOpis;
    for (size_t n = 0; n < enSlowo.size(); ++n) {
        if (n > 0) {
            setTabOrder(poprzedni, btOperator[n - 1]);
            poprzedni = btOperator[n - 1];
        }
        setTabOrder(poprzedni, enSlowo[n]);
        poprzedni = enSlowo[n];
    }
    setTabOrder(poprzedni, bbPrzepis);
    setTabOrder(bbPrzepis, bbUsunieciePrzepisu);
    setTabOrder(bbUsunieciePrzepisu, meWarunekDodatkowy);
    setTabOrder(meWarunekDodatkowy, pbZatwierdz);
    setTabOrder(pbZatwierdz, pbAnuluj);
    setTabOrder(pbAnuluj, pbPomoc);

    mBezczynnosc::Rejestracja(this, [this] { acUsunieciePrzepisuUpdate(); });
    acUsunieciePrzepisuUpdate();
    enOpis->setFocus();
}

TfSzablon::~TfSzablon() = default;

void TfSzablon::showEvent(QShowEvent* zdarzenie) {
    QDialog::showEvent(zdarzenie);
    if (pokazane_ || zdarzenie->spontaneous()) return;
    pokazane_ = true;
    FormShow();
}

// ---- The condition ----

TPolaWarunku TfSzablon::Pola() const {
    return {{enSlowo[0], enSlowo[1], enSlowo[2], enSlowo[3]}, btOperator};
}

std::string TfSzablon::PrzygotowanieWarunku() const { return Pola().Warunek(); }

bool TfSzablon::OdczytanieWarunku(const std::string& warunek) { return Pola().Wczytanie(warunek); }

void TfSzablon::UstawieniePrzepisu(int32_t numer) {
    przepis_ = numer;
    if (numer == 0) mePrzepis->clear();
    else mePrzepis->setPlainText(qs(sesja_.Przepisy().NazwaWgNumeru(numer)));
    acUsunieciePrzepisuUpdate();
}

uint16_t TfSzablon::SumaKontrolna(const std::string& warunek) const { return mCrc16(warunek, mFormCrc(*this)); }

// ---- Handlers ----

void TfSzablon::FormShow() {
    if (tryb_ == 2) {
        const TSzablon s = BiezacySzablon(tabela_);
        enOpis->setText(qs(s.Opis));
        setWindowTitle(PLq("Szablon '") + qs(s.Opis) + QStringLiteral("'"));
        zapamietanyWarunek_ = s.Warunek;
        OdczytanieWarunku(zapamietanyWarunek_);
        meWarunekDodatkowy->setPlainText(TekstZTabeli(s.WarunDod));
        UstawieniePrzepisu(s.IdPrzep);
    }
    odcisk_ = SumaKontrolna(zapamietanyWarunek_);
}

void TfSzablon::enOpisExit() {
    const QString t = enOpis->text().trimmed();
    if (t != enOpis->text()) enOpis->setText(t);
}

bool TfSzablon::KontrolaSzablonu() {
    const QString opis = enOpis->text();
    if (opis.isEmpty()) {
        enOpis->setFocus();
        QApplication::beep();
        return false;
    }
    if (PrzygotowanieWarunku().empty() && meWarunekDodatkowy->toPlainText().isEmpty() && przepis_ == 0) {
        Ostrzezenie(PLq("Brak warunków zapytania"), PLq("Nie podano warunków zapytania."));
        return false;
    }
    if (!UnikalnyOpis(tabela_, cp(opis), tryb_)) {
        enOpis->setFocus();
        Ostrzezenie(PLq("Duplikacja opisu"), PLq("Istnieje już szablon o podanym opisie."));
        return false;
    }
    return true;
}

void TfSzablon::pbZatwierdzClick() {
    // Leaving the description trims it before the check.
    pbZatwierdz->setFocus();
    enOpisExit();
    if (!KontrolaSzablonu()) return;
    if (tryb_ == 1) {
        const int32_t id = AutoInkrementacja(tabela_);
        tabela_.Dopisanie();
        tabela_.ZapisanieLiczby("ID_SZABL", id);
    } else {
        tabela_.Edycja();
    }
    try {
        tabela_.ZapisaniePola("OPIS", cp(enOpis->text()));
        tabela_.ZapisanieLiczby("ID_PRZEP", przepis_);
        tabela_.ZapisaniePola("WARUNEK", PrzygotowanieWarunku());
        tabela_.ZapisaniePola("WARUN_DOD", TekstDoTabeli(meWarunekDodatkowy->toPlainText()));
        tabela_.Zatwierdzenie();
    } catch (...) {
        // The table is shared by every template window: it must not stay half changed.
        tabela_.Anulowanie();
        throw;
    }
    done(1);
}

void TfSzablon::pbAnulujClick() { reject(); }

void TfSzablon::reject() {
    if (SumaKontrolna(PrzygotowanieWarunku()) == odcisk_) {
        done(2);
        return;
    }
    switch (PytanieZAnulowaniem(PLq("Zapisz zmiany"), PLq("Czy chcesz zapisać wprowadzone zmiany?"), 3)) {
    case 6:
        pbZatwierdzClick();   // closes only when the template was stored
        return;
    case 7:
        done(2);
        return;
    default:
        return;
    }
}

void TfSzablon::btOperatorClick(int n) { TPolaWarunku::NastepnyOperator(btOperator[size_t(n - 1)]); }

void TfSzablon::bbPrzepisClick() {
    TsPrzepis okno(sesja_.Dzialy(), sesja_.Przepisy(), this);
    if (okno.exec() == 1) UstawieniePrzepisu(okno.WybranyPrzepis);
}

void TfSzablon::acUsunieciePrzepisuExecute() { UstawieniePrzepisu(0); }

void TfSzablon::acUsunieciePrzepisuUpdate() { acUsunieciePrzepisu->setEnabled(przepis_ != 0); }
