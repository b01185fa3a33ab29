// Mailing from the windows and the command-line tool. Documents of the result: the checked entries of the result table in table order, at
// most 10, written unchanged (their HTML as stored) to w1.htm .. w10.htm of the working folder
// and handed to the session's mail sender. Older attachment files past the count stay as they
// are and are not attached.
//
//   const TDokumentyDoWyslania d = DokumentyDoWyslania(tablica);   // d.Wiecej: an 11th is checked
//   WyslanieDokumentow(sesja, d.Numery);
//   WyslaniePlikuRaportu(sesja, "Kowalski.rap");                    // Raporty/Kowalski.rap
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TcSesja;
class TcTablicaRaportu;

struct TDokumentyDoWyslania {
    std::vector<int32_t> Numery;   // document numbers, at most 10, in table order
    bool Wiecej = false;           // more than 10 are checked
};

TDokumentyDoWyslania DokumentyDoWyslania(const TcTablicaRaportu& tablica);

// Writes the documents `numery` (1 to 10 of them) as w1.htm, w2.htm, ... and mails them; the
// working folder is current again afterwards. A file that cannot be written raises the write
// error (EInOutError) before anything is mailed; the files written before it stay. The result is
// the hand-over's, which the windows do not show.
bool WyslanieDokumentow(TcSesja& sesja, const std::vector<int32_t>& numery);

// Mails the report file `nazwaPliku` of the folder "Raporty" of the working folder, by its full
// path; the working folder is current again afterwards.
bool WyslaniePlikuRaportu(TcSesja& sesja, const std::string& nazwaPliku);
