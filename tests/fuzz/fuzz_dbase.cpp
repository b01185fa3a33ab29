// The dBase table reader: a DBF file and its DBT memo file made of the input open and walk
// whole, in record order and in the order of a text or number field, every field and memo read;
// or the table is refused with a message naming the file.
#include <cstdlib>

#include "Bledy.h"
#include "TabelaDbf.h"
#include "Wspolne.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const auto [dbf, dbt] = PodzialNaDwa(dane, rozmiar);
    ZapisPlikuRoboczego("t.DBF", dbf);
    ZapisPlikuRoboczego("t.DBT", dbt);
    try {
        TcTabelaDbf t;
        t.Otwarcie(FolderRoboczy() + "/t.DBF");
        const auto przejscie = [&t] {
            for (t.PrzejscieNaPierwszy(); !t.Koniec(); t.PrzejscieNaNastepny())
                for (size_t i = 0; i < t.Pola().size(); ++i) (void)t.OdczytaniePola(int(i));
        };
        przejscie();
        for (const TPoleDbf& p : t.Pola())
            if (p.Typ == 'C' || p.Typ == 'N') {
                t.UstawieniePorzadku(p.Nazwa);
                przejscie();
                break;
            }
    } catch (const EInOutError& b) {
        if (std::string_view(b.what()).empty()) std::abort();
    }
    return 0;
}
