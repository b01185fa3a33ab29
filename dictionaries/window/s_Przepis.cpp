#include "s_Przepis.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QTreeWidget>

#include "Bezczynnosc.h"
#include "Pomoc.h"
#include "PrzyciskObrazkowy.h"
#include "Tekst.h"
#include "bSlownikTxt.h"

TsPrzepis::TsPrzepis(const TcSlownikTxt& dzialy, const TcSlownikTxtPrzepis& przepisy, QWidget* rodzic)
    : QDialog(rodzic, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      dzialy_(dzialy),
      przepisy_(przepisy) {
    setObjectName(QStringLiteral("TsPrzepis"));
    setWindowTitle(QStringLiteral("Słownik przepisów"));
    setFixedSize(771, 392);

    tcDane = new QFrame(this);
    tcDane->setObjectName(QStringLiteral("tcDane"));
    tcDane->setFrameShape(QFrame::StyledPanel);
    tcDane->setGeometry(8, 8, 667, 377);

    lbDzial = new QLabel(QStringLiteral("&Dział:"), tcDane);
    lbDzial->setObjectName(QStringLiteral("lbDzial"));
    lbDzial->move(8, 12);
    lbDzial->adjustSize();
    cbDzial = new QComboBox(tcDane);
    cbDzial->setObjectName(QStringLiteral("cbDzial"));
    cbDzial->setGeometry(48, 8, 210, cbDzial->sizeHint().height());
    cbDzial->setToolTip(QStringLiteral("Dział, którego przepisy są pokazywane na liście"));
    lbDzial->setBuddy(cbDzial);

    lbPrzepis = new QLabel(QStringLiteral("&Przepisy:"), tcDane);
    lbPrzepis->setObjectName(QStringLiteral("lbPrzepis"));
    lbPrzepis->move(8, 38);
    lbPrzepis->adjustSize();

    lvPrzepis = new QTreeWidget(tcDane);
    lvPrzepis->setObjectName(QStringLiteral("lvPrzepis"));
    lvPrzepis->setGeometry(8, 56, 651, 261);
    lvPrzepis->setColumnCount(2);
    lvPrzepis->setHeaderLabels({QStringLiteral("Przepis"), QStringLiteral("Dział")});
    lvPrzepis->setRootIsDecorated(false);
    lvPrzepis->setUniformRowHeights(true);
    lvPrzepis->setSelectionMode(QAbstractItemView::SingleSelection);
    lvPrzepis->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvPrzepis->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvPrzepis->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lvPrzepis->header()->setSectionsClickable(false);
    lvPrzepis->header()->setSectionsMovable(false);
    lvPrzepis->header()->setStretchLastSection(false);
    lvPrzepis->header()->setMinimumSectionSize(0);
    lvPrzepis->setColumnWidth(0, 485);
    lvPrzepis->setColumnWidth(1, 170);
    {   // The selection stays visible when the list loses the focus.
        QPalette p = lvPrzepis->palette();
        p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
        lvPrzepis->setPalette(p);
    }
    lbPrzepis->setBuddy(lvPrzepis);

    mePrzepis = new QPlainTextEdit(tcDane);
    mePrzepis->setObjectName(QStringLiteral("mePrzepis"));
    mePrzepis->setGeometry(8, 322, 651, 47);
    mePrzepis->setReadOnly(true);
    mePrzepis->setFocusPolicy(Qt::NoFocus);
    {
        QPalette p = mePrzepis->palette();
        p.setColor(QPalette::Base, QColor(213, 204, 187));
        mePrzepis->setPalette(p);
    }

    acWybierz = new QAction(QStringLiteral("&Wybierz"), this);
    acWybierz->setObjectName(QStringLiteral("acWybierz"));
    acWybierz->setToolTip(QStringLiteral("Wybranie bieżącego przepisu (Enter)"));
    acWybierz->setStatusTip(acWybierz->toolTip());
    connect(acWybierz, &QAction::triggered, this, &TsPrzepis::acWybierzExecute);

    pbPomoc = new TPrzyciskObrazkowy(this, "pbPomoc", TGlif::Pomoc);
    pbPomoc->move(684, 8);
    pbPomoc->UstawienieNapisu(QStringLiteral("Pomoc"), QStringLiteral("Pomoc"));
    pbPomoc->setFocusPolicy(Qt::TabFocus);
    connect(pbPomoc, &QToolButton::clicked, this, [] { mPomoc(KontekstPomocy); });

    pbWybierz = new TPrzyciskObrazkowy(this, "pbWybierz", TGlif::Wybierz);
    pbWybierz->move(684, 277);
    pbWybierz->UstawienieAkcji(acWybierz);
    pbWybierz->UstawienieDomyslnego(true);

    pbZamknij = new TPrzyciskObrazkowy(this, "pbZamknij", TGlif::Zamknij);
    pbZamknij->move(684, 333);
    pbZamknij->UstawienieNapisu(QStringLiteral("&Zamknij"), QStringLiteral("Zamknięcie okna bez wyboru przepisu"));
    pbZamknij->UstawienieAnulujacego(true);
    connect(pbZamknij, &QToolButton::clicked, this, [this] { done(2); });

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [] { mPomoc(KontekstPomocy); });

    setTabOrder(lvPrzepis, cbDzial);
    setTabOrder(cbDzial, pbWybierz);
    setTabOrder(pbWybierz, pbZamknij);
    setTabOrder(pbZamknij, pbPomoc);

    connect(cbDzial, &QComboBox::activated, this, [this] { cbDzialChange(); });
    connect(lvPrzepis, &QTreeWidget::itemSelectionChanged, this, &TsPrzepis::lvPrzepisSelectItem);
    connect(lvPrzepis, &QTreeWidget::currentItemChanged, this, &TsPrzepis::lvPrzepisSelectItem);
    connect(lvPrzepis, &QTreeWidget::itemDoubleClicked, this, [this] { acWybierzExecute(); });
    mBezczynnosc::Rejestracja(this, [this] { acWybierzUpdate(); });

    // FormCreate
    WybranyDzial = -1;
    for (const std::string& n : dzialy_.Nazwy) cbDzial->addItem(qs(n));
    cbDzial->addItem(QStringLiteral("Wszystkie"));
    cbDzial->setCurrentIndex(cbDzial->count() - 1);
    WypelnienieListy();
    lvPrzepis->setFocus();
    acWybierzUpdate();

    if (QScreen* ekran = QGuiApplication::primaryScreen()) {
        const QRect r = ekran->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
}

void TsPrzepis::WypelnienieListy() {
    lvPrzepis->setUpdatesEnabled(false);
    {
        const QSignalBlocker blokada(lvPrzepis);
        lvPrzepis->clear();
    }
    QList<QTreeWidgetItem*> wiersze;
    for (const std::string& nazwa : przepisy_.Nazwy) {
        const int32_t d = przepisy_.DzialWgNazwy(nazwa);
        if (WybranyDzial == -1 || WybranyDzial == d)
            wiersze << new QTreeWidgetItem(QStringList{qs(nazwa), qs(dzialy_.NazwaWgNumeru(d))});
    }
    lvPrzepis->addTopLevelItems(wiersze);
    const bool pionowyPasek = wiersze.size() >= 18;
    if (WybranyDzial == -1) {
        lvPrzepis->setColumnWidth(0, pionowyPasek ? 485 : 501);
        lvPrzepis->setColumnWidth(1, 146);
    } else {
        lvPrzepis->setColumnWidth(0, pionowyPasek ? 631 : 647);
        lvPrzepis->setColumnWidth(1, 0);
    }
    lvPrzepis->setUpdatesEnabled(true);
    if (!wiersze.isEmpty()) {
        lvPrzepis->setCurrentItem(wiersze.first());
        wiersze.first()->setSelected(true);
    }
}

void TsPrzepis::cbDzialChange() {
    WybranyDzial = dzialy_.NumerWgNazwy(cp(cbDzial->currentText()));
    WypelnienieListy();
}

void TsPrzepis::lvPrzepisSelectItem() {
    QTreeWidgetItem* fokus = lvPrzepis->currentItem();
    if (fokus == nullptr) return;
    QList<QTreeWidgetItem*> zaznaczone = lvPrzepis->selectedItems();
    if (zaznaczone.isEmpty()) {
        const QSignalBlocker blokada(lvPrzepis);
        fokus->setSelected(true);
        zaznaczone = {fokus};
    }
    mePrzepis->setPlainText(zaznaczone.first()->text(0));
}

void TsPrzepis::acWybierzUpdate() { acWybierz->setEnabled(!lvPrzepis->selectedItems().isEmpty()); }

void TsPrzepis::acWybierzExecute() {
    const QList<QTreeWidgetItem*> zaznaczone = lvPrzepis->selectedItems();
    if (zaznaczone.isEmpty()) return;
    WybranyPrzepis = przepisy_.NumerWgNazwy(cp(zaznaczone.first()->text(0)));
    done(1);
}

void TsPrzepis::reject() { done(2); }
