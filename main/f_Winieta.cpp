#include "f_Winieta.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "Glify.h"

TfWinieta::TfWinieta(QWidget* rodzic, const QString& folderRoboczy)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("TfWinieta"));
    setWindowTitle(QStringLiteral("O programie"));
    setFixedSize(380, 250);

    auto* ikona = new QLabel(this);
    ikona->setObjectName(QStringLiteral("imIkona"));
    ikona->setPixmap(mIkonaProgramu().pixmap(48, 48));
    ikona->setGeometry(16, 16, 48, 48);

    auto* tytul = new QLabel(QStringLiteral("Belvastrona 3.00"), this);
    tytul->setObjectName(QStringLiteral("lbTytul"));
    QFont f = tytul->font();
    f.setPixelSize(20);
    f.setBold(true);
    tytul->setFont(f);
    tytul->setGeometry(80, 16, 284, 28);

    auto* opis = new QLabel(QStringLiteral("Wyszukiwanie w orzecznictwie, pismach i interpretacjach podatkowych"), this);
    opis->setObjectName(QStringLiteral("lbOpis"));
    opis->setWordWrap(true);
    opis->setGeometry(80, 46, 284, 32);

    auto* linia = new QFrame(this);
    linia->setFrameShape(QFrame::HLine);
    linia->setFrameShadow(QFrame::Sunken);
    linia->setGeometry(16, 86, 348, 4);

    auto* producent = new QLabel(QStringLiteral("P\nR\nO\nD\nU\nC\nE\nN\nT"), this);
    producent->setObjectName(QStringLiteral("lbProducent"));
    producent->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont fp = producent->font();
    fp.setBold(true);
    fp.setPixelSize(10);
    producent->setFont(fp);
    producent->setGeometry(16, 96, 16, 140);

    auto* adres = new QLabel(QStringLiteral("Belvastrona sp. z o.o.\n"
                                            "ul. Przykładowa 12\n"
                                            "00-950 Warszawa\n"
                                            "tel. (22) 000 00 00\n"
                                            "www.belvastrona.example"),
                             this);
    adres->setObjectName(QStringLiteral("lbAdres"));
    adres->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    adres->setGeometry(44, 108, 230, 90);

    if (!folderRoboczy.isEmpty()) {
        // Where reports and templates are kept: the data directory, or the user's own folder
        // when the data directory cannot be written. A long path loses its middle, not its end.
        auto* folder = new QLabel(this);
        folder->setObjectName(QStringLiteral("lbFolderRoboczy"));
        QFont ff = folder->font();
        ff.setPixelSize(10);
        folder->setFont(ff);
        folder->setGeometry(44, 200, 236, 40);
        folder->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const QString sciezka = QFontMetrics(ff).elidedText(folderRoboczy, Qt::ElideMiddle, 236);
        folder->setText(QStringLiteral("Raporty i szablony:\n") + sciezka);
        folder->setToolTip(folderRoboczy);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btOk"));
    ok->setGeometry(288, 210, 75, 23);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
