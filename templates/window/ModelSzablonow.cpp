#include "ModelSzablonow.h"

#include "TabelaDbf.h"
#include "Tekst.h"

TcModelSzablonow::TcModelSzablonow(TcTabelaDbf& tabela, QObject* rodzic)
    : QAbstractTableModel(rodzic), tabela_(tabela) {
    Odczytanie();
}

int TcModelSzablonow::rowCount(const QModelIndex& rodzic) const {
    return rodzic.isValid() ? 0 : static_cast<int>(wiersze_.size());
}

int TcModelSzablonow::columnCount(const QModelIndex& rodzic) const { return rodzic.isValid() ? 0 : 1; }

QVariant TcModelSzablonow::data(const QModelIndex& indeks, int rola) const {
    if (!indeks.isValid() || indeks.column() != 0 || indeks.row() < 0 ||
        indeks.row() >= static_cast<int>(wiersze_.size()))
        return {};
    if (rola == Qt::DisplayRole || rola == Qt::ToolTipRole) return wiersze_[static_cast<size_t>(indeks.row())].Opis;
    return {};
}

QVariant TcModelSzablonow::headerData(int sekcja, Qt::Orientation orientacja, int rola) const {
    if (orientacja == Qt::Horizontal && sekcja == 0 && rola == Qt::DisplayRole) return QStringLiteral("Opis");
    return QAbstractTableModel::headerData(sekcja, orientacja, rola);
}

Qt::ItemFlags TcModelSzablonow::flags(const QModelIndex& indeks) const {
    if (!indeks.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void TcModelSzablonow::Odswiezenie() {
    beginResetModel();
    Odczytanie();
    endResetModel();
}

void TcModelSzablonow::Odczytanie() {
    wiersze_.clear();
    const int32_t biezacy = tabela_.NumerRekordu();
    wiersze_.reserve(static_cast<size_t>(tabela_.LiczbaRekordow()));
    for (tabela_.PrzejscieNaPierwszy(); !tabela_.Koniec(); tabela_.PrzejscieNaNastepny())
        wiersze_.push_back({tabela_.NumerRekordu(), qs(tabela_.OdczytaniePola("OPIS").value_or(std::string()))});
    // Back to the record that was current: the walk ended on the last one.
    if (wiersze_.empty()) return;
    int miejsce = 0;
    for (size_t i = 0; i < wiersze_.size(); ++i)
        if (wiersze_[i].Numer == biezacy) miejsce = static_cast<int>(i);
    tabela_.PrzejscieNaOstatni();
    for (int i = static_cast<int>(wiersze_.size()) - 1; i > miejsce; --i) tabela_.PrzejscieNaPoprzedni();
}

int TcModelSzablonow::BiezacyWiersz() const {
    const int32_t numer = tabela_.NumerRekordu();
    if (numer == 0) return -1;
    for (size_t i = 0; i < wiersze_.size(); ++i)
        if (wiersze_[i].Numer == numer) return static_cast<int>(i);
    return -1;
}

void TcModelSzablonow::UstawienieBiezacego(int wiersz) {
    if (wiersz < 0 || wiersz >= static_cast<int>(wiersze_.size())) return;
    int od = BiezacyWiersz();
    if (od == wiersz) return;
    if (od < 0) {
        tabela_.PrzejscieNaPierwszy();
        od = 0;
    }
    for (; od < wiersz; ++od) tabela_.PrzejscieNaNastepny();
    for (; od > wiersz; --od) tabela_.PrzejscieNaPoprzedni();
}
