// The query mix, drawn from the corpus itself with a fixed seed so that every run asks the same:
// single words in three frequency bands, phrases lifted from documents, prefixes, phrases ending
// in a prefix, conditions with NOT, and the six conditions of a full live recount.
#pragma once

#include <string>
#include <vector>

#include "Budowa.h"
#include "Zapytania.h"

struct TKlasa {
    std::string Nazwa;
    std::vector<PWarunek> Zapytania;
    bool Liczenie = false;   // evaluated as counts on the counting copy, as one batch
};

std::vector<TKlasa> WyborZapytan(const TcMagazynIndeksu& m, const std::string& katalogDanych, const TGrupy& grupy,
                                 unsigned ziarno = 20261209);
