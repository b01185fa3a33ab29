// Showing a document: its HTML, with the query's phrases marked when the query joins them with
// one kind of operator, is written to "tmp.htm" in the working folder and handed to the shell,
// which opens it in the user's browser.
//
//   pokazanie.WarunekWyroznienia = zapytanie.WarunekPelny;   // after each search
//   pokazanie.acPokazExecute();                              // the selected row's document
//
// The desktop's "open" goes through mOtwarcie (Powloka.h), which tests replace.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

class QAction;
class QToolButton;
class QWidget;
class TcListaWynikow;
class TcZapytanie;
class TcSesja;

class TcPokazanie : public QObject {
    Q_OBJECT
public:
    TcPokazanie(QWidget* rodzic, TcSesja& sesja, TcListaWynikow& lista);

    // The condition whose phrases are marked: the combined condition of the last search, or
    // the condition of an opened report.
    std::string WarunekWyroznienia;

    void acPokazUpdate();
    void acPokazExecute();

    QAction* acPokaz = nullptr;
    QToolButton* bbPokaz = nullptr;

    // Writes document `numer` highlighted by `warunek` to "tmp.htm" and asks the desktop to
    // open it (mOtwarcie); nothing happens for an empty text.
    static void PokazanieDokumentu(const TcZapytanie& zapytanie, int32_t numer, const std::string& warunek);

private:
    TcSesja& sesja_;
    TcListaWynikow& lista_;
};
