// TcModelSzablonow: the templates of a template table as a one-column list ("Opis") in the
// table's active order (description order), for the grids of the template windows.
//
//   TcModelSzablonow model(tabela);
//   gr_Szablon->setModel(&model);
//   gr_Szablon->setCurrentIndex(model.index(model.BiezacyWiersz(), 0));   // the current record
//   model.UstawienieBiezacego(wiersz);      // the row the user chose becomes the current record
//   model.Odswiezenie();                    // after the table changed (added, edited, deleted)
//
// The rows are read from the table when the model is made and at every Odswiezenie; the
// table's current record stays where it was. Reading and moving need the table in the
// Przegladanie state.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <vector>

class TcTabelaDbf;

class TcModelSzablonow : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TcModelSzablonow(TcTabelaDbf& tabela, QObject* rodzic = nullptr);

    int rowCount(const QModelIndex& rodzic = {}) const override;
    int columnCount(const QModelIndex& rodzic = {}) const override;
    QVariant data(const QModelIndex& indeks, int rola = Qt::DisplayRole) const override;
    QVariant headerData(int sekcja, Qt::Orientation orientacja, int rola = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indeks) const override;

    // Reads the rows anew (a model reset).
    void Odswiezenie();
    // The row of the table's current record; -1 when the table has none (empty).
    int BiezacyWiersz() const;
    // Makes the record of row `wiersz` the table's current record; a row out of range does nothing.
    void UstawienieBiezacego(int wiersz);

private:
    struct TWiersz {
        int32_t Numer;   // the record's physical number
        QString Opis;
    };
    void Odczytanie();

    TcTabelaDbf& tabela_;
    std::vector<TWiersz> wiersze_;
};
