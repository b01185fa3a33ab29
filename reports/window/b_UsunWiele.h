// TbUsunWiele: bulk report deletion in progress. Deletes, from the catalogue's list, the reports
// written within a range of days, at most five per timer tick 100 ms apart, so that the window
// repaints and "Przerwij" (Esc, the close box) is answered between ticks; it closes by itself
// with 1 once the list is walked or the user gave up after a failed deletion. Reports deleted
// until then stay deleted and leave the list.
//
//   TbUsunWiele okno(*lista, od, do_, lista->ZliczenieWZakresie(od, do_), this);
//   okno.exec();
//   okno.LiczbaUsunietych, okno.RozmiarUsunietych      // reports and kilobytes gone
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class TcListPlikRaportu;

// The path of a report file: "Raporty/" + nazwaPliku.
std::string SciezkaRaportu(const std::string& nazwaPliku);
// Deletes the report file "Raporty/" + nazwaPliku; false when it could not be deleted.
bool UsuniecieRaportu(const std::string& nazwaPliku);

class TbUsunWiele : public QDialog {
    Q_OBJECT
public:
    static constexpr int OdstepTimera = 100;   // ms between ticks
    static constexpr int NaTakt = 5;           // reports tried per tick

    // `dataOd`, `dataDo`: the first and last day, BrakDaty for an open bound; the progress bar
    // runs to `liczbaDoUsuniecia`. The list must outlive the window. The timer starts at once.
    TbUsunWiele(TcListPlikRaportu& lista, double dataOd, double dataDo, int32_t liczbaDoUsuniecia,
                QWidget* rodzic = nullptr);

    int32_t Indeks = 0;              // the next entry of the list to look at
    int32_t LiczbaUsunietych = 0;
    int32_t RozmiarUsunietych = 0;   // kilobytes

    QLabel* lbLiczbaUsunietych = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* bbAnuluj = nullptr;
    QTimer* Timer = nullptr;

    // One tick: up to five reports of the range deleted (or failed to), then the timer again,
    // or the window closed with 1 at the end of the list or after "Nie" to a failure.
    void TimerTimer();

    // Every way of closing stops the timer first; Esc and the close box are "Przerwij" (2).
    void done(int wynik) override;
    void reject() override;

private:
    TcListPlikRaportu& lista_;
    const double dataOd_;
    const double dataDo_;
};
