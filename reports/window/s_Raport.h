// TsRaport: the report selection window. Lists the saved reports like the catalogue (k_Raport.h)
// and hands the chosen one's text to the main window through the session's query.
//
//   TsRaport okno(sesja, this);
//   if (okno.exec() == 1) ...   // sesja.Zapytanie().Raport holds the file's text,
//                               // okno.WybranyPlik names the file ("Raporty/x.rap")
//
// An empty file is not a choice: the window stays open and Raport keeps its previous text.
#pragma once

#include <string>

#include "k_Raport.h"

class TsRaport : public TOknoListyRaportow {
    Q_OBJECT
public:
    explicit TsRaport(TcSesja& sesja, QWidget* rodzic = nullptr);
    ~TsRaport() override;

    // The chosen file for messages: "Raporty/" + its name as Windows-1250 text.
    std::string WybranyPlik;

    QAction* acWybierz = nullptr;
    TPrzyciskObrazkowy* pbWybierz = nullptr;

    // Reads the selected report (EInOutError when it cannot be read, nothing changed then);
    // a text that is not empty goes to the query's Raport and closes the window with 1.
    void acWybierzExecute();
    void acWybierzUpdate();
};
