#include "f_Dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "Bledy.h"
#include "Tekst.h"

namespace {

constexpr int MaksymalnaDlugosc = 300;
constexpr int WysokoscWiersza = 13;

QPushButton* Przycisk(QWidget* okno, const char* nazwa, const QString& napis, int lewa, int wynik,
                      TfDialog* dialog) {
    auto* b = new QPushButton(napis, okno);
    b->setObjectName(QString::fromLatin1(nazwa));
    b->setGeometry(lewa, 60, 75, 23);
    b->setAutoDefault(true);
    b->hide();
    QObject::connect(b, &QPushButton::clicked, dialog, [dialog, wynik] { dialog->done(wynik); });
    return b;
}

// CR, LF and CR LF each end a line.
QStringList Wiersze(const QString& tekst) {
    QString t = tekst;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

}  // namespace

TfDialog::TfDialog(const QString& tytul, const QString& komunikat, int rodzaj, int domyslny,
                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TfDialog"));
    setModal(true);
    const int szerokoscProjektu = 179;
    setFixedSize(szerokoscProjektu, 94);

    imIkonka = new QLabel(this);
    imIkonka->setObjectName(QStringLiteral("imIkonka"));
    imIkonka->setGeometry(12, 12, 37, 41);
    imIkonka->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lbKomunikat = new QLabel(this);
    lbKomunikat->setObjectName(QStringLiteral("lbKomunikat"));
    lbKomunikat->setWordWrap(false);
    lbKomunikat->setTextFormat(Qt::PlainText);
    lbKomunikat->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    btTak = Przycisk(this, "btTak", PLq("&Tak"), 12, 6, this);
    btNie = Przycisk(this, "btNie", PLq("&Nie"), 94, 7, this);
    btAnuluj = Przycisk(this, "btAnuluj", PLq("&Anuluj"), 176, 2, this);
    btOk = Przycisk(this, "btOk", PLq("OK"), 14, 1, this);

    setWindowTitle(tytul.left(MaksymalnaDlugosc));

    // The label sizes itself to the message; lines break only where the message breaks them.
    const QString tekst = komunikat.left(MaksymalnaDlugosc);
    const QStringList wiersze = Wiersze(tekst);
    const QFontMetrics fm(lbKomunikat->font());
    int szerokoscTekstu = 0;
    for (const QString& w : wiersze) szerokoscTekstu = std::max(szerokoscTekstu, fm.horizontalAdvance(w));
    lbKomunikat->setText(wiersze.join(QLatin1Char('\n')));
    const int wysokoscWiersza = std::max(WysokoscWiersza, fm.lineSpacing());
    const bool wielewierszy = tekst.contains(QLatin1Char('\r')) || tekst.contains(QLatin1Char('\n'));
    lbKomunikat->setGeometry(54, wielewierszy ? 14 : 24, szerokoscTekstu,
                             static_cast<int>(wiersze.size()) * wysokoscWiersza);

    QStyle::StandardPixmap ikona;
    int w;
    switch (rodzaj) {
    case 0:
        ikona = QStyle::SP_MessageBoxWarning;
        btOk->show();
        w = 26;
        QApplication::beep();
        break;
    case 2:
        ikona = QStyle::SP_MessageBoxInformation;
        btOk->show();
        w = 26;
        break;
    case 3:
        ikona = QStyle::SP_MessageBoxQuestion;
        btTak->show();
        btNie->show();
        w = 106;
        break;
    case 4:
        ikona = QStyle::SP_MessageBoxQuestion;
        btTak->show();
        btNie->show();
        btAnuluj->show();
        w = 188;
        break;
    default:
        mBladWewnetrzny("TfDialog.Create", 1);
    }
    imIkonka->setPixmap(style()->standardIcon(ikona, nullptr, this).pixmap(32, 32));

    // Tab order, and the button that has the focus when the window opens.
    QPushButton* fokus = nullptr;
    switch (domyslny) {
    case 1:
        setTabOrder(btNie, btAnuluj);
        setTabOrder(btAnuluj, btTak);
        setTabOrder(btTak, btOk);
        fokus = btNie;
        break;
    case 3:
        setTabOrder(btAnuluj, btTak);
        setTabOrder(btTak, btNie);
        setTabOrder(btNie, btOk);
        fokus = btAnuluj;
        break;
    default:
        setTabOrder(btTak, btNie);
        setTabOrder(btNie, btAnuluj);
        setTabOrder(btAnuluj, btOk);
        break;
    }
    if (fokus == nullptr || fokus->isHidden()) {
        for (QPushButton* b : {btTak, btNie, btAnuluj, btOk}) {
            if (!b->isHidden()) { fokus = b; break; }
        }
    }
    if (fokus == btTak && btTak->isHidden()) fokus = btOk;

    int szerokosc = szerokoscProjektu + w - 106;
    const int d = lbKomunikat->width() - w;
    if (d > 0) {
        szerokosc += d;
        for (QPushButton* b : {btTak, btNie, btAnuluj, btOk}) b->move(b->x() + d / 2, b->y());
    }
    setFixedSize(szerokosc, 94);
    if (fokus != nullptr) {
        fokus->setDefault(true);
        fokus->setFocus();
    }

    if (QScreen* ekran = QGuiApplication::primaryScreen()) {
        const QRect r = ekran->availableGeometry();
        move(r.x() + (r.width() - szerokosc) / 2, r.y() + (r.height() - 94) / 2);
    }
}

void TfDialog::reject() { done(WynikZamkniecia); }

void TfDialog::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {  // no cancel button: Esc does nothing
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
