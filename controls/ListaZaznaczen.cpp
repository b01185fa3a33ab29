#include "ListaZaznaczen.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <numeric>
#include <vector>

#include "Bledy.h"

namespace {

enum Rola { RolaKlucza = Qt::UserRole, RolaDanych, RolaLinii, RolaBezPola };

constexpr int Margines = 2;   // pixels above and below a row's text

// Draws the rows top-aligned with a grid line under each and leaves the box out of rows
// that have none.
class TDelegatWierszy : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& opcja, const QModelIndex& i) const override {
        QStyledItemDelegate::paint(p, opcja, i);
        p->save();
        p->setPen(opcja.palette.color(QPalette::Active, QPalette::Button));
        p->drawLine(opcja.rect.bottomLeft(), opcja.rect.bottomRight());
        p->restore();
    }

protected:
    void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& i) const override {
        QStyledItemDelegate::initStyleOption(o, i);
        if (i.data(RolaBezPola).toBool()) o->features &= ~QStyleOptionViewItem::HasCheckIndicator;
        o->displayAlignment = Qt::AlignLeft | Qt::AlignTop;
        // A row shows as many whole text lines as its height holds, and no half-cut line below them.
        int linii = i.data(RolaLinii).toInt();
        if (o->rect.height() > 0)
            linii = std::min(linii, std::max(1, (o->rect.height() - 2 * Margines) / o->fontMetrics.lineSpacing()));
        // The item view has turned the line feeds into line separators by now.
        const QChar koniecLinii(QChar::LineSeparator);
        if (linii > 0 && o->text.count(koniecLinii) >= linii) o->text = o->text.section(koniecLinii, 0, linii - 1);
    }
};

}  // namespace

TListaZaznaczen::TListaZaznaczen(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setRootIsDecorated(false);
    setUniformRowHeights(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setAllColumnsShowFocus(true);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    setItemDelegate(new TDelegatWierszy(this));
    // The selection is not shown while the list has no focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Base));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::Text));
    setPalette(pal);

    connect(this, &QTreeWidget::itemDoubleClicked, this, [this] { emit PodwojneKlikniecie(); });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* it, int) {
        emit ZmianaZaznaczenia(indexOfTopLevelItem(it));
    });
}

QTreeWidgetItem* TListaZaznaczen::Wiersz(int wiersz) const {
    QTreeWidgetItem* it = topLevelItem(wiersz);
    if (!it) mBladWewnetrzny("TListaZaznaczen.Wiersz", 1);
    return it;
}

void TListaZaznaczen::Wyczyszczenie() { clear(); }

int TListaZaznaczen::DodanieWiersza() { return WstawienieWiersza(topLevelItemCount()); }

int TListaZaznaczen::WstawienieWiersza(int pozycja) {
    pozycja = std::clamp(pozycja, 0, topLevelItemCount());
    auto* it = new QTreeWidgetItem;
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren);
    it->setCheckState(0, Qt::Unchecked);
    it->setData(0, RolaLinii, 1);
    UstawienieRozmiaru(it);
    insertTopLevelItem(pozycja, it);
    return pozycja;
}

void TListaZaznaczen::WstrzymanieOdswiezania() {
    if (wstrzymanie_++ == 0) {
        setUpdatesEnabled(false);
        blockSignals(true);
    }
}

void TListaZaznaczen::WznowienieOdswiezania() {
    if (wstrzymanie_ > 0 && --wstrzymanie_ == 0) {
        blockSignals(false);
        setUpdatesEnabled(true);
        viewport()->update();
    }
}

void TListaZaznaczen::UstawienieTekstu(int wiersz, const QString& tekst) {
    QString t = tekst;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Wiersz(wiersz)->setText(0, t);
}

QString TListaZaznaczen::Tekst(int wiersz) const {
    QString t = Wiersz(wiersz)->text(0);
    t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return t;
}

int TListaZaznaczen::WysokoscLinii() const { return fontMetrics().lineSpacing(); }

void TListaZaznaczen::UstawienieRozmiaru(QTreeWidgetItem* it) {
    const int linii = std::max(1, it->data(0, RolaLinii).toInt());
    it->setSizeHint(0, QSize(0, linii * WysokoscLinii() + 2 * Margines));   // an invalid size is dropped
}

void TListaZaznaczen::UstawienieWysokosci(int wiersz, int linii) {
    QTreeWidgetItem* it = Wiersz(wiersz);
    it->setData(0, RolaLinii, std::max(1, linii));
    UstawienieRozmiaru(it);
}

int TListaZaznaczen::Wysokosc(int wiersz) const { return Wiersz(wiersz)->data(0, RolaLinii).toInt(); }

void TListaZaznaczen::UstawieniePolaWyboru(int wiersz, bool widoczne) {
    QTreeWidgetItem* it = Wiersz(wiersz);
    it->setData(0, RolaBezPola, !widoczne);
    Qt::ItemFlags f = it->flags();
    it->setFlags(widoczne ? f | Qt::ItemIsUserCheckable : f & ~Qt::ItemIsUserCheckable);
}

bool TListaZaznaczen::PoleWyboru(int wiersz) const { return !Wiersz(wiersz)->data(0, RolaBezPola).toBool(); }

void TListaZaznaczen::UstawienieZaznaczenia(int wiersz, bool zaznaczony) {
    Wiersz(wiersz)->setCheckState(0, zaznaczony ? Qt::Checked : Qt::Unchecked);
}

bool TListaZaznaczen::Zaznaczony(int wiersz) const { return Wiersz(wiersz)->checkState(0) == Qt::Checked; }

void TListaZaznaczen::UstawienieTla(int wiersz, const QColor& kolor) { Wiersz(wiersz)->setBackground(0, kolor); }

QColor TListaZaznaczen::Tlo(int wiersz) const { return Wiersz(wiersz)->background(0).color(); }

void TListaZaznaczen::UstawienieKlucza(int wiersz, const QString& klucz) { Wiersz(wiersz)->setData(0, RolaKlucza, klucz); }

QString TListaZaznaczen::Klucz(int wiersz) const { return Wiersz(wiersz)->data(0, RolaKlucza).toString(); }

void TListaZaznaczen::UstawienieDanych(int wiersz, const QString& dane) { Wiersz(wiersz)->setData(0, RolaDanych, dane); }

QString TListaZaznaczen::Dane(int wiersz) const { return Wiersz(wiersz)->data(0, RolaDanych).toString(); }

void TListaZaznaczen::Sortowanie(const std::function<int(int, int)>& porownanie) {
    const int n = topLevelItemCount();
    if (n < 2) return;
    std::vector<int> kolejnosc(static_cast<size_t>(n));
    std::iota(kolejnosc.begin(), kolejnosc.end(), 0);
    std::stable_sort(kolejnosc.begin(), kolejnosc.end(), [&](int a, int b) { return porownanie(a, b) < 0; });
    WstrzymanieOdswiezania();
    QList<QTreeWidgetItem*> wiersze = takeTopLevelItems();
    QList<QTreeWidgetItem*> nowe;
    nowe.reserve(n);
    for (int i : kolejnosc) nowe.append(wiersze[i]);
    addTopLevelItems(nowe);
    WznowienieOdswiezania();
}

QList<QTreeWidgetItem*> TListaZaznaczen::takeTopLevelItems() {
    QList<QTreeWidgetItem*> wiersze;
    while (topLevelItemCount() > 0) wiersze.append(takeTopLevelItem(0));
    return wiersze;
}

int TListaZaznaczen::WybranyWiersz() const {
    const QList<QTreeWidgetItem*> wybrane = selectedItems();
    return wybrane.isEmpty() ? -1 : indexOfTopLevelItem(wybrane.first());
}

void TListaZaznaczen::UstawienieWybranego(int wiersz) {
    QTreeWidgetItem* it = Wiersz(wiersz);
    setCurrentItem(it);
    it->setSelected(true);
}

int TListaZaznaczen::LiczbaWidocznych() const {
    const int wysokosc = viewport()->height();
    int n = 0;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QRect r = visualItemRect(topLevelItem(i));
        if (r.isValid() && r.top() >= 0 && r.bottom() < wysokosc) ++n;
        else if (r.top() >= wysokosc) break;
    }
    return n;
}

void TListaZaznaczen::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        emit Enter();
        return;
    }
    QTreeWidget::keyPressEvent(e);
}

void TListaZaznaczen::resizeEvent(QResizeEvent* e) {
    QTreeWidget::resizeEvent(e);
    // This also runs when only the viewport changes (a scroll bar coming or going); the rows
    // are wrapped to the list's own width, so only that counts as a resize.
    if (size() == rozmiar_) return;
    rozmiar_ = size();
    emit ZmianaRozmiaru();
}

TListowanie::TListowanie(TListaZaznaczen* lista) : lista_(lista) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    lista_->WstrzymanieOdswiezania();
}

TListowanie::~TListowanie() {
    lista_->WznowienieOdswiezania();
    QApplication::restoreOverrideCursor();
}

void TListaZaznaczen::DopasowanieCzcionki(double pikseliNaZnak) {
    QFont f = font();
    f.setStretch(QFont::Condensed);
    const QString wzor = QString::fromUtf8("Dyrektor Izby Skarbowej w Szczecinie stwierdza, że stanowisko ");
    for (int px = 11; px > 8; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).horizontalAdvance(wzor) <= pikseliNaZnak * double(wzor.size())) break;
    }
    setFont(f);
}
