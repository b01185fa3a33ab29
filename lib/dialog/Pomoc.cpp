#include "Pomoc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

#include "Tekst.h"
#include "mDialog.h"

namespace {

QString& PlikPomocy() {
    static QString plik;
    return plik;
}

QPointer<QTextBrowser>& Okno() {
    static QPointer<QTextBrowser> okno;
    return okno;
}

// Where the topic folders are looked up, in this order: $BELVASTRONA_POMOC; help/ next to the
// program (a build folder); share/belvastrona/help beside the program's bin/ (an installed copy,
// wherever its prefix is); the source tree's help/.
QStringList KatalogiPomocy() {
    QStringList k;
    const QString zmienna = qEnvironmentVariable("BELVASTRONA_POMOC");
    if (!zmienna.isEmpty()) k << zmienna;
    const QString program = QCoreApplication::applicationDirPath();
    k << program + QStringLiteral("/help");
    k << QDir::cleanPath(program + QStringLiteral("/../share/belvastrona/help"));
#ifdef BELVASTRONA_KATALOG_POMOCY
    k << QStringLiteral(BELVASTRONA_KATALOG_POMOCY);
#endif
    return k;
}

}  // namespace

void mUstawieniePlikuPomocy(const QString& plik) { PlikPomocy() = plik; }

QString mPlikPomocy() { return PlikPomocy(); }

QString mSciezkaTematu(const QString& plikPomocy, int kontekst) {
    const QString nazwa = QFileInfo(plikPomocy).completeBaseName().toLower();
    for (const QString& katalog : KatalogiPomocy()) {
        const QString sciezka = QDir(katalog).filePath(nazwa + QLatin1Char('/') + QString::number(kontekst) +
                                                      QStringLiteral(".html"));
        if (QFileInfo::exists(sciezka)) return sciezka;
    }
    return {};
}

void mPomoc(int kontekst) {
    const QString sciezka = mSciezkaTematu(PlikPomocy(), kontekst);
    if (sciezka.isEmpty()) {
        Ostrzezenie(PLq("Pomoc"), PLq("Brak tematu pomocy nr ") + QString::number(kontekst) +
                                      PLq(" w pliku ") + PlikPomocy() + QLatin1Char('.'));
        return;
    }
    QPointer<QTextBrowser>& okno = Okno();
    if (okno.isNull()) {
        okno = new QTextBrowser;
        okno->setObjectName(QStringLiteral("OknoPomocy"));
        okno->setAttribute(Qt::WA_DeleteOnClose);
        okno->setAttribute(Qt::WA_QuitOnClose, false);
        okno->setOpenLinks(true);
        okno->resize(560, 420);
    }
    okno->setSource(QUrl::fromLocalFile(sciezka));
    okno->setWindowTitle(PLq("Pomoc - ") + okno->documentTitle());
    okno->show();
    okno->raise();
    okno->activateWindow();
}

QTextBrowser* mOknoPomocy() { return Okno().data(); }
