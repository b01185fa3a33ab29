#include "f_Znajdz.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "EditNew.h"
#include "Pomoc.h"
#include "Tekst.h"
#include "Znajdowanie.h"

TfZnajdz::TfZnajdz(TcZnajdowanie& znajdowanie, std::function<void()> szukanie, QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      znajdowanie_(znajdowanie), szukanie_(std::move(szukanie)) {
    setObjectName(QStringLiteral("TfZnajdz"));
    setWindowTitle(PLq("Podaj szukany tekst"));
    setFixedSize(424, 123);

    lbSzukanyTekst = new QLabel(PLq("&Szukany tekst:"), this);
    lbSzukanyTekst->setObjectName(QStringLiteral("lbSzukanyTekst"));
    lbSzukanyTekst->move(10, 10);
    lbSzukanyTekst->adjustSize();
    enSzukanyTekst = new TEditN(this, "enSzukanyTekst");
    enSzukanyTekst->EditType = TEditN::etString;
    enSzukanyTekst->setMaxLength0(DlugoscTekstu);
    enSzukanyTekst->setGeometry(10, 28, 300, 23);
    enSzukanyTekst->setToolTip(PLq("Szukany tekst"));
    lbSzukanyTekst->setBuddy(enSzukanyTekst);

    cbCaleWyrazy = new QCheckBox(PLq("Uwzględnij tylko całe wyrazy"), this);
    cbCaleWyrazy->setObjectName(QStringLiteral("cbCaleWyrazy"));
    cbCaleWyrazy->setGeometry(10, 62, 300, 20);
    cbCaleWyrazy->setToolTip(PLq("Czy uwzględniać tylko całe wyrazy przy wyszukiwaniu?"));

    lbNastepny = new QLabel(PLq("F5 - Znajdź następny"), this);
    lbNastepny->setObjectName(QStringLiteral("lbNastepny"));
    QFont gruba = lbNastepny->font();
    gruba.setBold(true);
    lbNastepny->setFont(gruba);
    lbNastepny->move(10, 96);
    lbNastepny->adjustSize();

    const auto przycisk = [this](const char* nazwa, const char* napis, int y) {
        auto* b = new QPushButton(PLq(napis), this);
        b->setObjectName(QString::fromLatin1(nazwa));
        b->setGeometry(324, y, 92, 27);
        b->setAutoDefault(false);
        return b;
    };
    bbZatwierdz = przycisk("bbZatwierdz", "Zatwierdź", 8);
    bbAnuluj = przycisk("bbAnuluj", "Anuluj", 46);
    bbPomoc = przycisk("bbPomoc", "Pomoc", 88);
    bbZatwierdz->setDefault(true);

    // The finder's text and switch of the last find come back.
    enSzukanyTekst->setText(qs(znajdowanie_.SzukanyTekst));
    cbCaleWyrazy->setChecked(znajdowanie_.CaleWyrazy);

    connect(enSzukanyTekst, &TEditN::OnExit, this, &TfZnajdz::enSzukanyTekstExit);
    connect(bbZatwierdz, &QPushButton::clicked, this, &TfZnajdz::bbZatwierdzClick);
    connect(bbAnuluj, &QPushButton::clicked, this, &QDialog::reject);
    connect(bbPomoc, &QPushButton::clicked, this, [] { mPomoc(KontekstPomocy); });
    enSzukanyTekst->setFocus();
}

void TfZnajdz::enSzukanyTekstExit() {
    const QString t = enSzukanyTekst->text().trimmed();
    if (t != enSzukanyTekst->text()) enSzukanyTekst->setText(t);
}

bool TfZnajdz::KontrolaTekstu() {
    if (!enSzukanyTekst->text().isEmpty()) return true;
    enSzukanyTekst->setFocus();
    QApplication::beep();
    return false;
}

void TfZnajdz::bbZatwierdzClick() {
    bbZatwierdz->setFocus();
    enSzukanyTekstExit();
    if (!KontrolaTekstu()) return;
    znajdowanie_.SzukanyTekst = cp(enSzukanyTekst->text());
    znajdowanie_.CaleWyrazy = cbCaleWyrazy->isChecked();
    if (szukanie_) szukanie_();
    accept();
}
