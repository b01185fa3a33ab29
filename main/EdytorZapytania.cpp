#include "EdytorZapytania.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>
#include <functional>

#include "Bledy.h"
#include "Bezczynnosc.h"
#include "EditNew.h"
#include "PolaWarunku.h"
#include "Tekst.h"
#include "WarunekStandardowy.h"
#include "Konfiguracja.h"
#include "Sesja.h"
#include "bSlownikTxt.h"
#include "mDialog.h"
#include "s_Przepis.h"

namespace {

QLabel* Etykieta(QWidget* rodzic, const QString& nazwa, const QString& tekst, int x, int y, int w = 120) {
    auto* l = new QLabel(tekst, rodzic);
    l->setObjectName(nazwa);
    l->setGeometry(x, y, w, 16);
    return l;
}

QLabel* NowaEtykietaLiczby(QWidget* rodzic, int n, int x, int y) {
    auto* l = Etykieta(rodzic, QStringLiteral("lbLiczba%1").arg(n), QString(), x, y, 232 - x);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(p);
    return l;
}

}  // namespace

TcEdytorZapytania::TcEdytorZapytania(QWidget* kolumna, TcSesja& sesja, QWidget* okno)
    : QObject(kolumna), Kolumna(kolumna), sesja_(sesja), okno_(okno) {
    UtworzenieKontrolek();
    WypelnienieIzb();
}

void TcEdytorZapytania::WypelnienieIzb() {
    // Filling the list is not a choice of the user: no change notifications.
    const QSignalBlocker blokada(cxIzba);
    cxIzba->clear();
    for (const std::string& n : sesja_.Izby().Nazwy) cxIzba->addItem(qs(n));
    cxIzba->addItem(QStringLiteral("Wszystkie izby skarbowe"));
    cxIzba->setCurrentIndex(cxIzba->count() - 1);
    izba_ = -1;
}

void TcEdytorZapytania::UtworzenieKontrolek() {
    QWidget* k = Kolumna;
    lbWarunek = Etykieta(k, QStringLiteral("lbWarunek"), PLq("&Warunek:"), 4, 4);

    const QString podpowiedzSlowa = PLq("Szukane słowo lub fraza (* zastępuje dowolny ciąg liter)");
    const QString podpowiedzOperatora =
        PLq("Operator logiczny łączący szukane słowa/frazy (kliknięcie powoduje zmianę operatora)");
    QFont czcionkaOperatora(QStringLiteral("Courier New"), 9);
    czcionkaOperatora.setBold(true);
    for (int n = 0; n < 4; ++n) {
        auto* e = new TEditN(k);
        e->setObjectName(QStringLiteral("enSlowo%1").arg(n + 1));
        e->setGeometry(4, 22 + n * 50, 148, 21);
        e->setMaxLength(40);
        e->setToolTip(podpowiedzSlowa);
        // The query's fields keep the window's colours while focused.
        const QPalette okna = QApplication::palette();
        e->setColorOnFocus(okna.color(QPalette::Base));
        e->setColorOnNotFocus(okna.color(QPalette::Base));
        e->setFontColorOnFocus(okna.color(QPalette::Text));
        e->setFontColorOnNotFocus(okna.color(QPalette::Text));
        e->OnKeyPress = [](TEditN&, QChar& znak) {
            if (KontrolaWprowadzonegoZnaku(znak)) znak = QChar();
        };
        connect(e, &TEditN::OnExit, this, [this, e] { ObciecieSpacji(e); });
        enSlowo[size_t(n)] = e;
        lbLiczba[size_t(TPoleLiczby::Slowo1) + size_t(n)] = NowaEtykietaLiczby(k, n + 1, 158, 25 + n * 50);
        if (n < 3) {
            auto* b = new QPushButton(QStringLiteral("I"), k);
            b->setObjectName(QStringLiteral("btOperator%1").arg(n + 1));
            b->setGeometry(54, 46 + n * 50, 46, 23);
            b->setFont(czcionkaOperatora);
            b->setToolTip(podpowiedzOperatora);
            b->setFocusPolicy(Qt::TabFocus);
            connect(b, &QPushButton::clicked, this, [this, n] { btOperatorClick(n + 1); });
            btOperator[size_t(n)] = b;
        }
    }
    enSlowo[0]->setText(qs(TekstZastepczy()));
    lbWarunek->setBuddy(enSlowo[0]);

    cxIzba = new QComboBox(k);
    cxIzba->setObjectName(QStringLiteral("cxIzba"));
    cxIzba->setGeometry(4, 222, 170, 22);
    cxIzba->setToolTip(PLq("Izba skarbowa, która wydała interpretację"));
    connect(cxIzba, &QComboBox::activated, this, [this] { cxIzbaChange(); });
    lbLiczba[size_t(TPoleLiczby::Izba)] = NowaEtykietaLiczby(k, 5, 178, 225);

    lbPrzepis = Etykieta(k, QStringLiteral("lbPrzepis"), PLq("Przepi&s:"), 4, 254, 56);
    bbPrzepis = new QPushButton(QStringLiteral("..."), k);
    bbPrzepis->setObjectName(QStringLiteral("bbPrzepis"));
    bbPrzepis->setGeometry(60, 250, 28, 23);
    bbPrzepis->setToolTip(PLq("Wywołanie słownika przepisów"));
    lbPrzepis->setBuddy(bbPrzepis);
    connect(bbPrzepis, &QPushButton::clicked, this, [this] { bbPrzepisClick(); });
    acUsunieciePrzepisu = new QAction(QStringLiteral("X"), k);
    acUsunieciePrzepisu->setObjectName(QStringLiteral("acUsunieciePrzepisu"));
    acUsunieciePrzepisu->setToolTip(PLq("Usunięcie przepisu z zapytania"));
    connect(acUsunieciePrzepisu, &QAction::triggered, this, [this] { acUsunieciePrzepisuExecute(); });
    bbUsunieciePrzepisu = new QToolButton(k);
    bbUsunieciePrzepisu->setObjectName(QStringLiteral("bbUsunieciePrzepisu"));
    bbUsunieciePrzepisu->setDefaultAction(acUsunieciePrzepisu);
    bbUsunieciePrzepisu->setGeometry(92, 250, 28, 23);
    lbLiczba[size_t(TPoleLiczby::Przepis)] = NowaEtykietaLiczby(k, 6, 130, 254);

    mePrzepis = NowePolePrzepisu(k, 4, 276, 228, 44);

    lbWarunekDodatkowy = Etykieta(k, QStringLiteral("lbWarunekDodatkowy"), PLq("Warun&ek dodatkowy:"), 4, 326);
    meWarunekDodatkowy = new QPlainTextEdit(k);
    meWarunekDodatkowy->setObjectName(QStringLiteral("meWarunekDodatkowy"));
    meWarunekDodatkowy->setGeometry(4, 344, 228, 56);
    PrzygotowanieWarunkuDodatkowego(meWarunekDodatkowy, DlugoscWarunkuDodatkowego);
    meWarunekDodatkowy->installEventFilter(this);
    lbWarunekDodatkowy->setBuddy(meWarunekDodatkowy);

    auto przelacznik = [&](QCheckBox*& cb, const char* nazwa, const char* tekst, const char* podpowiedz, int y,
                           bool stan, std::function<void()> klik = {}) {
        cb = new QCheckBox(PLq(tekst), k);
        cb->setObjectName(QString::fromLatin1(nazwa));
        cb->setGeometry(2, y, 236, 18);
        // The longest caption is wider than the column in the window's font: narrow letters keep it whole.
        QFont czcionka = cb->font();
        czcionka.setStretch(QFont::Condensed);
        cb->setFont(czcionka);
        cb->setChecked(stan);
        cb->setToolTip(PLq(podpowiedz));
        connect(cb, &QCheckBox::clicked, this, [this, klik] {
            if (klik) klik();
            else PrzelacznikClick();
        });
    };
    przelacznik(cbInterpretacja, "cbInterpretacja", "&Interpretacje Urzędów i Izb Skarbowych",
                "Czy wyszukiwanie wśród interpretacji urzędów i izb skarbowych?", 406, true);
    przelacznik(cbPismoMinisterstwa, "cbPismoMinisterstwa", "Pisma Ministerstwa &Finansów",
                "Czy wyszukiwanie wśród pism ministerstwa finansów (przepis nie może być zadany)?", 424, true);
    przelacznik(cbTezaOrzeczenia, "cbTezaOrzeczenia", "Tez&y orzeczeń",
                "Czy wyszukiwanie wśród tez orzeczeń (przepis nie może być zadany)?", 442, true);
    przelacznik(cbTylkoDoRaportu, "cbTylkoDoRaportu", "Tylko wy&jaśnienia z bieżącego raportu",
                "Czy warunek ma dotyczyć tylko wyjaśnień z bieżącego raportu?", 460, false);
    // Under the word fields: it changes what each of them finds.
    przelacznik(cbWszystkieFormy, "cbWszystkieFormy", "Wszystkie for&my wyrazów",
                "Czy szukać wszystkich form wyrazów (np. „podatek” znajduje też „podatku”, „podatków”)?", 198, false,
                [this] { cbWszystkieFormyClick(); });
    if (sesja_.Konfiguracja().WszystkieFormy) {
        cbWszystkieFormy->setChecked(sesja_.PrzygotowanieRodzin());
        if (!sesja_.Rodziny()) cbWszystkieFormy->setToolTip(qs(sesja_.BladRodzin()));
    }

    auto przycisk = [&](const char* nazwa, const char* tekst, const char* podpowiedz, int x, int y, int w) {
        auto* b = new QPushButton(PLq(tekst), k);
        b->setObjectName(QString::fromLatin1(nazwa));
        b->setGeometry(x, y, w, 25);
        if (podpowiedz) b->setToolTip(PLq(podpowiedz));
        return b;
    };
    bbSzukaj = przycisk("bbSzukaj", "Sz&ukaj", "Wykonanie zapytania do bazy i stworzenie raportu z wynikami", 4, 484, 80);
    bbSzukaj->setDefault(true);
    bbCzyscWarunki = przycisk("bbCzyscWarunki", "Czyść waru&nki", "Wyczyszczenie warunków zapytania", 88, 484, 100);
    connect(bbCzyscWarunki, &QPushButton::clicked, this, [this] { bbCzyscWarunkiClick(); });
    bbZapisz = przycisk("bbZapisz", "&Zapisz", nullptr, 4, 512, 80);
    bbOdczytaj = przycisk("bbOdczytaj", "&Odczytaj", nullptr, 88, 512, 80);
    // Saving and loading templates arrive with the template table.

    // Enter anywhere in the editor but a memo runs the search, as the window's default button.
    Kolumna->installEventFilter(this);
    mBezczynnosc::Rejestracja(Kolumna, [this] { acUsunieciePrzepisuUpdate(); });
}

// ---- The standard condition ----

std::string TcEdytorZapytania::PrzygotowanieWarunku() const { return Pola().Warunek(); }

bool TcEdytorZapytania::OdczytanieWarunku(const std::string& warunek) {
    CzyszczenieWarunkow();
    return Pola().Wczytanie(warunek);
}

void TcEdytorZapytania::NastepnyOperator(QPushButton* przycisk) { TPolaWarunku::NastepnyOperator(przycisk); }

TPolaWarunku TcEdytorZapytania::Pola() const { return {enSlowo, btOperator}; }

TParametryZapytania TcEdytorZapytania::Parametry() const {
    TParametryZapytania p;
    for (size_t n = 0; n < enSlowo.size(); ++n) p.Slowa[n] = cp(enSlowo[n]->text());
    for (size_t n = 0; n < btOperator.size(); ++n) p.Operatory[n] = cp(btOperator[n]->text());
    p.WarunekDodatkowy = cp(meWarunekDodatkowy->toPlainText());
    p.Izba = izba_;
    p.Przepis = przepis_;
    p.Interpretacja = cbInterpretacja->isChecked();
    p.PismoMinisterstwa = cbPismoMinisterstwa->isChecked();
    p.TezaOrzeczenia = cbTezaOrzeczenia->isChecked();
    p.TylkoDoRaportu = cbTylkoDoRaportu->isChecked();
    p.WszystkieFormy = cbWszystkieFormy->isChecked() && sesja_.Rodziny() != nullptr;
    return p;
}

// ---- The editor's fields ----

void TcEdytorZapytania::UstawieniePrzepisu(int32_t numer) {
    przepis_ = numer;
    if (numer == 0) mePrzepis->clear();
    else mePrzepis->setPlainText(qs(sesja_.Przepisy().NazwaWgNumeru(numer)));
}

void TcEdytorZapytania::UstawieniePrzepisuWgNumeru(int32_t numer) { UstawieniePrzepisu(numer); }

void TcEdytorZapytania::UstawienieIzbyWgNumeru(int32_t numer) {
    const std::string nazwa = numer > 0 ? sesja_.Izby().NazwaWgNumeru(numer) : std::string();
    const int i = nazwa.empty() ? -1 : cxIzba->findText(qs(nazwa));
    if (i < 0) {
        cxIzba->setCurrentIndex(cxIzba->count() - 1);
        izba_ = -1;
    } else {
        cxIzba->setCurrentIndex(i);
        izba_ = numer;
    }
}

void TcEdytorZapytania::WczytanieIzby(int32_t numer) {
    if (numer == 0) {
        UstawienieIzbyWgNumeru(-1);
        return;
    }
    const std::string nazwa = sesja_.Izby().NazwaWgNumeru(numer);
    cxIzba->setCurrentIndex(nazwa.empty() ? -1 : cxIzba->findText(qs(nazwa)));
    izba_ = numer;
}

void TcEdytorZapytania::CzyszczenieWarunkow() {
    for (QLineEdit* e : enSlowo) e->clear();
    for (QPushButton* b : btOperator) b->setText(QStringLiteral("I"));
    izba_ = -1;
    cxIzba->setCurrentIndex(cxIzba->count() - 1);
    UstawieniePrzepisu(0);
    meWarunekDodatkowy->clear();
    emit ZliczanieWszystkich();
}

void TcEdytorZapytania::ObciecieSpacji(QLineEdit* pole) {
    const QString t = qs(::ObciecieSpacji(cp(pole->text())));
    if (t != pole->text()) pole->setText(t);
    for (size_t n = 0; n < enSlowo.size(); ++n)
        if (enSlowo[n] == pole) emit Zliczanie(TPoleLiczby(n));
}

bool TcEdytorZapytania::KontrolaWprowadzonegoZnaku(QChar znak) { return TPolaWarunku::ZnakOdrzucony(znak); }

void TcEdytorZapytania::btOperatorClick(int n) { NastepnyOperator(btOperator[size_t(n - 1)]); }

void TcEdytorZapytania::cxIzbaChange() {
    izba_ = sesja_.Izby().NumerWgNazwy(cp(cxIzba->currentText()));
    emit Zliczanie(TPoleLiczby::Izba);
}

void TcEdytorZapytania::bbPrzepisClick() {
    TsPrzepis okno(sesja_.Dzialy(), sesja_.Przepisy(), okno_);
    if (okno.exec() == 1) UstawieniePrzepisu(okno.WybranyPrzepis);
    emit Zliczanie(TPoleLiczby::Przepis);
}

void TcEdytorZapytania::acUsunieciePrzepisuExecute() {
    UstawieniePrzepisu(0);
    emit Zliczanie(TPoleLiczby::Przepis);
}

void TcEdytorZapytania::acUsunieciePrzepisuUpdate() {
    const bool przepis = Przepis() != 0;
    acUsunieciePrzepisu->setEnabled(przepis);
    const bool rodzaje = !przepis && Izba() < 0;
    cbPismoMinisterstwa->setEnabled(rodzaje);
    cbTezaOrzeczenia->setEnabled(rodzaje);
}

void TcEdytorZapytania::meWarunekDodatkowyExit() {
    const QString t = meWarunekDodatkowy->toPlainText();
    qsizetype a = 0, b = t.size();
    while (a < b && t[a].unicode() <= ' ') ++a;
    while (b > a && t[b - 1].unicode() <= ' ') --b;
    if (a > 0 || b < t.size()) meWarunekDodatkowy->setPlainText(t.mid(a, b - a));
}

void TcEdytorZapytania::PrzelacznikClick() { emit ZliczanieWszystkich(); }

// Checked for the first time, the words are grouped (read from the saved grouping, or made:
// about a second for 30,000 words, with the wait cursor). Without the dictionary the box
// unchecks itself with the reason.
void TcEdytorZapytania::cbWszystkieFormyClick() {
    if (cbWszystkieFormy->isChecked() && !sesja_.Rodziny()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool sa = sesja_.PrzygotowanieRodzin();
        QApplication::restoreOverrideCursor();
        if (!sa) {
            cbWszystkieFormy->setChecked(false);
            Ostrzezenie(PLq("Wszystkie formy wyrazów"), qs(sesja_.BladRodzin()));
            return;
        }
    }
    sesja_.Konfiguracja().WszystkieFormy = cbWszystkieFormy->isChecked();
    emit ZliczanieWszystkich();
}

bool TcEdytorZapytania::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    const auto typ = zdarzenie->type();
    if (obiekt == Kolumna) {
        if (typ == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(zdarzenie);
            if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && bbSzukaj->isEnabled() &&
                bbSzukaj->isVisible()) {
                bbSzukaj->click();
                return true;
            }
        }
        return false;
    }
    // Focus leaving for another window (a message, a dialog) is not leaving the field.
    if (typ == QEvent::FocusOut) {
        const auto powod = static_cast<QFocusEvent*>(zdarzenie)->reason();
        if (powod == Qt::ActiveWindowFocusReason || powod == Qt::PopupFocusReason) return false;
    }
    if (obiekt == meWarunekDodatkowy) {
        if (typ == QEvent::FocusOut) meWarunekDodatkowyExit();
        return false;
    }
    return false;
}
