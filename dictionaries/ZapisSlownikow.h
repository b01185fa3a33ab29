// Writers of the four dictionary files, for the corpus builder and for tests. Entries are
// given in Windows-1250 and written in ISO-8859-2 with CR LF line ends, one entry a line
// under a section header, in the forms the dictionaries read back:
//
//   dzialy.ini    3="Podatek dochodowy"            (quotes inside a name are doubled)
//   izby.ini      12="Izba Skarbowa w Krakowie"þ"408"
//   akty.ini      5="Ustawa o VAT"þ"vat"
//   przepisy.ini  7="*2art. 15 ust. 1"þ"96"        (code character, section digit, name)
//
// þ is the byte 0xFE. A text holding 0xFE, CR or LF cannot be written (EInternalError);
// a file that cannot be written throws EInOutError("Błąd zapisu pliku '<name>'.").
#pragma once

#include <string>
#include <vector>

#include "bSlownikTxt.h"

void ZapisSlownikaDzialow(const std::string& plik, const std::vector<TrSlownikTxt>& dzialy);
void ZapisSlownikaIzb(const std::string& plik, const std::vector<TrIzba>& izby);
void ZapisSlownikaAktow(const std::string& plik, const std::vector<TrAkt>& akty);
// `Dzial` outside 1 to 9 is written as "0" (no section).
void ZapisSlownikaPrzepisow(const std::string& plik, const std::vector<TrPrzepis>& przepisy);
