// TsSzablon: the template selection window ("Wybierz szablon"). Lists the templates like the
// catalogue (k_Szablon.h) and copies the chosen one into the session's query.
//
//   TsSzablon okno(sesja, dm.tb_Szablon, this);
//   if (okno.exec() == 1) ...   // Warunek, WarunekDodatkowy, Przepis and Izba of
//                               // sesja.Zapytanie() hold the template's
//
// Closing without a choice (Esc, "Zamknij", the close box) leaves the query as it was.
#pragma once

#include "k_Szablon.h"

class TsSzablon : public TOknoSzablonow {
    Q_OBJECT
public:
    explicit TsSzablon(TcSesja& sesja, TcTabelaDbf& tabela, QWidget* rodzic = nullptr);
    ~TsSzablon() override;

    QAction* acWybierz = nullptr;
    TPrzyciskObrazkowy* sbWybierz = nullptr;

    // The current template into the query (an empty number gives 0); closes with 1.
    void acWybierzExecute();
    void acWybierzUpdate();

protected:
    void gr_SzablonDblClick() override;
};
