#include "TrybAktow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include "Bledy.h"
#include "Rtf.h"
#include "Sesja.h"
#include "Tekst.h"
#include "TekstRtf.h"
#include "Zapytanie.h"
#include "Znajdowanie.h"
#include "bSlownikTxt.h"
#include "f_Znajdz.h"
#include "mDialog.h"
#include "mLib.h"

namespace {

QLabel* EtykietaLiczby(QWidget* rodzic, int n, int x, int y, int w) {
    auto* l = new QLabel(rodzic);
    l->setObjectName(QStringLiteral("lbLiczba%1").arg(n));
    l->setGeometry(x, y, w, 16);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(p);
    return l;
}

}  // namespace

TcTrybAktow::TcTrybAktow(QWidget* panel, QWidget* kolumna, TcSesja& sesja, QWidget* okno)
    : QObject(kolumna), sesja_(sesja), okno_(okno), panel_(panel) {
    UtworzenieKontrolek(panel, kolumna);
    const TcSlownikTxtAkt& akty = sesja_.Akty();
    {
        // Filling the list is not a choice of the user.
        const QSignalBlocker blokada(cxAkt);
        for (const std::string& n : akty.Nazwy) cxAkt->addItem(qs(n));
    }
    if (!akty.Nazwy.empty()) {
        // The first act is the current one; its text is read when the reader is first shown.
        cxAkt->setCurrentIndex(0);
        indeksAktu_ = 0;
        BiezacyAkt = akty.PlikWgNumeru(akty.NumerWgNazwy(akty.Nazwy.front()));
        sesja_.Zapytanie().WczytanieAktu(BiezacyAkt);
    }
    Ustawienie(false);
}

void TcTrybAktow::UtworzenieKontrolek(QWidget* panel, QWidget* k) {
    reAkt = new QTextEdit(panel);
    reAkt->setObjectName(QStringLiteral("reAkt"));
    reAkt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reAkt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reAkt->setLineWrapMode(QTextEdit::WidgetWidth);
    reAkt->setAcceptRichText(false);
    reAkt->setTabChangesFocus(true);
    Polozenie();

    lbAkt = new QLabel(PLq("Akt:"), k);
    lbAkt->setObjectName(QStringLiteral("lbAkt"));
    lbAkt->setGeometry(4, 212, 60, 16);
    cxAkt = new QComboBox(k);
    cxAkt->setObjectName(QStringLiteral("cxAkt"));
    cxAkt->setGeometry(4, 230, 170, 22);
    cxAkt->setToolTip(PLq("Pokazywany akt prawny"));
    lbAkt->setBuddy(cxAkt);
    connect(cxAkt, &QComboBox::activated, this, [this] { cxAktChange(); });
    lbLiczba[0] = ::EtykietaLiczby(k, 7, 178, 233, 54);

    gbSzukanaFraza = new QGroupBox(PLq("&Szukana fraza"), k);
    gbSzukanaFraza->setObjectName(QStringLiteral("gbSzukanaFraza"));
    gbSzukanaFraza->setGeometry(4, 258, 228, 140);
    for (int n = 0; n < LiczbaFraz; ++n) {
        auto* r = new QRadioButton(gbSzukanaFraza);
        r->setObjectName(QStringLiteral("rbFraza%1").arg(n + 1));
        r->setGeometry(8, 20 + n * 23, 160, 20);
        r->setEnabled(false);
        rbFraza[size_t(n)] = r;
        lbLiczba[size_t(n) + 1] = ::EtykietaLiczby(gbSzukanaFraza, n + 8, 170, 22 + n * 23, 54);
    }

    cbPrzeniesienieWarunku = new QCheckBox(PLq("Przeniesienie zapytania do trybu &warunki"), k);
    cbPrzeniesienieWarunku->setObjectName(QStringLiteral("cbPrzeniesienieWarunku"));
    cbPrzeniesienieWarunku->setGeometry(2, 406, 236, 18);
    QFont waska = cbPrzeniesienieWarunku->font();
    waska.setStretch(QFont::Condensed);
    cbPrzeniesienieWarunku->setFont(waska);
    cbPrzeniesienieWarunku->setToolTip(PLq("Czy przenieść zapytanie do trybu warunki?"));

    bbZnajdz = new QPushButton(PLq("Z&najdź w tekście aktu (CTRL+F)"), k);
    bbZnajdz->setObjectName(QStringLiteral("bbZnajdz"));
    bbZnajdz->setGeometry(4, 512, 228, 25);
    bbZnajdz->setToolTip(PLq("Szukanie frazy w tekście aktu"));
    connect(bbZnajdz, &QPushButton::clicked, this, [this] { bbZnajdzClick(); });

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(100);
    connect(Timer, &QTimer::timeout, this, [this] { TimerTimer(); });
}

void TcTrybAktow::Polozenie() { reAkt->setGeometry(4, 4, std::max(0, panel_->width() - 8), WysokoscTekstu); }

void TcTrybAktow::Ustawienie(bool wlaczony) {
    wlaczony_ = wlaczony;
    for (QWidget* w : {static_cast<QWidget*>(reAkt), static_cast<QWidget*>(lbAkt), static_cast<QWidget*>(cxAkt),
                       static_cast<QWidget*>(lbLiczba[0]), static_cast<QWidget*>(gbSzukanaFraza),
                       static_cast<QWidget*>(cbPrzeniesienieWarunku), static_cast<QWidget*>(bbZnajdz)})
        w->setVisible(wlaczony);
    if (!wlaczony) {
        Timer->stop();
        return;
    }
    reAkt->raise();
    if (!tekstWczytany_ && !BiezacyAkt.empty()) tekstWczytany_ = WczytanieTekstu(BiezacyAkt);
    Kandydaci = KandydaciNieznani;
    Timer->start();
}

bool TcTrybAktow::WczytanieTekstu(const std::string& stem) {
    std::string rtf;
    try {
        mReadString(sesja_.SciezkaDanych(stem + ".rtf"), rtf, TrybBledu::Wyjatek);
    } catch (const EInOutError& b) {
        Ostrzezenie(PLq("Błąd odczytu aktu"), qs(b.what()));
        return false;
    }
    WczytanieTekstuRtf(reAkt, RtfNaTekstZFormatem(rtf));
    return true;
}

int32_t TcTrybAktow::NumerAktu() const {
    if (cxAkt->currentIndex() < 0) return 0;
    return std::max(0, sesja_.Akty().NumerWgNazwy(cp(cxAkt->currentText())));
}

int TcTrybAktow::WybranyPrzycisk() const {
    for (int n = 0; n < LiczbaFraz; ++n)
        if (rbFraza[size_t(n)]->isChecked()) return n;
    return -1;
}

QString TcTrybAktow::WybranaFraza() const {
    const int n = WybranyPrzycisk();
    return n < 0 ? QString() : rbFraza[size_t(n)]->text();
}

void TcTrybAktow::UzupelnienieParametrow(TParametryZapytania& p) const {
    p.Akt = NumerAktu();
    for (int n = 0; n < LiczbaFraz; ++n) p.Frazy[size_t(n)] = cp(rbFraza[size_t(n)]->text());
    p.WybranaFraza = WybranyPrzycisk();
}

QLabel* TcTrybAktow::EtykietaLiczby(TPoleLiczby pole) const {
    return lbLiczba[size_t(pole) - size_t(TPoleLiczby::Akt)];
}

void TcTrybAktow::cxAktChange() {
    const int indeks = cxAkt->currentIndex();
    if (indeks == indeksAktu_ || indeks < 0) return;
    const TcSlownikTxtAkt& akty = sesja_.Akty();
    const std::string stem = akty.PlikWgNumeru(akty.NumerWgNazwy(cp(cxAkt->currentText())));
    // The text and the phrase index change together or not at all: what is shown is what the
    // caret looks up.
    bool wczytany = false;
    std::string rtf;
    try {
        mReadString(sesja_.SciezkaDanych(stem + ".rtf"), rtf, TrybBledu::Wyjatek);
        sesja_.Zapytanie().WczytanieAktu(stem);
        wczytany = true;
    } catch (const std::exception& b) {
        Ostrzezenie(PLq("Błąd odczytu aktu"), qs(b.what()));
    }
    if (!wczytany) {
        const QSignalBlocker blokada(cxAkt);
        cxAkt->setCurrentIndex(indeksAktu_);
        return;
    }
    WczytanieTekstuRtf(reAkt, RtfNaTekstZFormatem(rtf));
    tekstWczytany_ = true;
    indeksAktu_ = indeks;
    BiezacyAkt = stem;
    emit ZliczanieWszystkich();
}

void TcTrybAktow::TimerTimer() {
    std::string k = sesja_.Zapytanie().OdczytanieFraz(reAkt->textCursor().selectionStart());
    if (k == Kandydaci) return;
    Kandydaci = std::move(k);
    UstawienieFraz();
    emit ZliczanieWszystkich();
}

void TcTrybAktow::UstawienieFraz() {
    const TFrazyAktu f = ::UstawienieFraz(Kandydaci, WybranyPrzycisk());
    for (int n = 0; n < LiczbaFraz; ++n) {
        QRadioButton* r = rbFraza[size_t(n)];
        r->setText(qs(f.Napisy[size_t(n)]));
        r->setToolTip(r->text());   // a long phrase does not fit beside its count
        r->setEnabled(!f.Napisy[size_t(n)].empty());
    }
    if (f.Wybrana >= 0) {
        rbFraza[size_t(f.Wybrana)]->setChecked(true);
    } else {
        // An exclusive group never un-chooses its last button by itself.
        for (QRadioButton* r : rbFraza) {
            r->setAutoExclusive(false);
            r->setChecked(false);
            r->setAutoExclusive(true);
        }
    }
}

void TcTrybAktow::bbZnajdzClick() {
    TfZnajdz okno(sesja_.Znajdowanie(), [this] { SzukanieTekstu(false); }, okno_);
    okno.exec();
}

void TcTrybAktow::SzukanieTekstu(bool kontynuacja) {
    TcZnajdowanie& z = sesja_.Znajdowanie();
    QTextCursor c = reAkt->textCursor();
    const int poczatek = c.selectionStart();
    const auto p = z.SzukanieTekstu(kontynuacja, cp(reAkt->toPlainText()), poczatek, c.selectionEnd() - poczatek);
    if (!p) return;
    if (*p < 0) {
        c.setPosition(poczatek);
        reAkt->setTextCursor(c);
        QApplication::beep();
        Informacja(PLq("Nie znaleziono"), PLq("Szukany tekst:\r\n") + qs(z.SzukanyTekst));
    } else {
        reAkt->setFocus();
        c.setPosition(*p);
        c.setPosition(*p + int(z.SzukanyTekst.size()), QTextCursor::KeepAnchor);
        reAkt->setTextCursor(c);
    }
    reAkt->ensureCursorVisible();
}
