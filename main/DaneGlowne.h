// The main window's data part in conditions mode: the query editor on the left of `tcDane`,
// the result list on the right, the search run with its live counts, and showing a document.
// Windows that work with the main window's query or result reach the parts through it:
//
//   auto& dane = static_cast<TcDaneGlowne&>(okno.Dane());
//   dane.Edytor().PrzygotowanieWarunku(okno);             // the standard condition string
//   dane.Lista().ZapamietanieZaznaczen();                 // then Lista().TablicaRaportu
//   dane.Pokazanie().WarunekWyroznienia = warunekRaportu;
#pragma once

#include <QObject>
#include <memory>

#include "CzescDanych.h"
#include "EdytorZapytania.h"

class QWidget;
class TcListaWynikow;
class TcPokazanie;
class TcWyszukiwanie;

class TcDaneGlowne : public QObject, public TCzescDanych {
public:
    // Builds the controls into `tcDane`; `okno` is the main window (owner of the dialogs).
    // The objects are handed over once they exist (PoUtworzeniuObiektow, or at once in tests).
    TcDaneGlowne(QWidget* tcDane, QWidget* okno);
    ~TcDaneGlowne() override;

    TObiektyGlowne Obiekty;

    TcEdytorZapytania& Edytor() { return *edytor_; }
    TcWyszukiwanie& Wyszukiwanie() { return *wyszukiwanie_; }
    TcListaWynikow& Lista() { return *lista_; }
    TcPokazanie& Pokazanie() { return *pokazanie_; }

    void PoUtworzeniuObiektow() override;
    void pbCzyscClick() override;
    void ZliczanieWszystkichWarunkow() override;
    void ZrzutyEkranu(const QString& katalog) override;

    // The columns inside tcDane: the editor (hidden in acts mode) and the result list.
    QWidget* pnWarunki = nullptr;
    QWidget* pnRaport = nullptr;

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;

private:
    void Rozmieszczenie();

    QWidget* tcDane_;
    QWidget* okno_;
    TcEdytorZapytania* edytor_ = nullptr;
    TcListaWynikow* lista_ = nullptr;
    TcPokazanie* pokazanie_ = nullptr;
    TcWyszukiwanie* wyszukiwanie_ = nullptr;
};
