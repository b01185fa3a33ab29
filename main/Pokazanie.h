// Showing a document: its HTML, with the query's phrases marked when the query joins them with
// one kind of operator, is written to "tmp.htm" in the working folder and handed to the shell,
// which opens it in the user's browser.
//
//   pokazanie.WarunekWyroznienia = zapytanie.WarunekPelny;   // after each search
//   pokazanie.acPokazExecute();                              // the selected row's document
//
// The shell's "open" goes through mOtwarcie; tests replace it here or there.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
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

    // Writes document `numer` highlighted by `warunek` to "tmp.htm" and opens it; the report
    // viewer shows its documents the same way. Nothing happens for an empty text.
    static void PokazanieDokumentu(const TcZapytanie& zapytanie, int32_t numer, const std::string& warunek);

    // The shell's "open" of a file in the working folder; answers whether it worked.
    static std::function<bool(const QString& plik)> OtwarciePliku;

private:
    TcSesja& sesja_;
    TcListaWynikow& lista_;
};
