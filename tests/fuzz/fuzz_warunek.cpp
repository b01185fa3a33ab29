// The condition parser with phrase search on a tiny store: any typed condition is evaluated
// or refused with a message and its position inside the condition.
#include <cstdlib>

#include "Bledy.h"
#include "FabrykaDanych.h"
#include "ParserBool.h"
#include "Wspolne.h"
#include "Zapytanie.h"

namespace {

struct TStan {
    TcZapytanie Zapytanie;
    TcParserBool Parser{Zapytanie};
    explicit TStan(const TOpcjeLadowania& o) : Zapytanie(o) {}
};

TStan& Stan() {
    static TStan* s = [] {
        BudowaKatalogu(FolderRoboczy(), {{"0000001.htm", "podatek dochodowy od osób fizycznych"},
                                         {"0000002.htm", "podatek VAT 23% art. 15 ust. 2"},
                                         {"0000003.htm", "spółka-matka § 5 ulga"}});
        TOpcjeLadowania o;
        o.Katalog = FolderRoboczy();
        return new TStan(o);
    }();
    return *s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    TStan& s = Stan();
    const std::string warunek(reinterpret_cast<const char*>(dane), rozmiar);
    TcTablicaLogiczna wynik(s.Zapytanie.LiczbaDokumentow() + 1);
    try {
        if (!s.Parser.AnalizaWarunku(warunek, wynik)) {
            if (s.Parser.Blad.empty()) std::abort();
            if (s.Parser.PozycjaBledu < 0 || size_t(s.Parser.PozycjaBledu) > warunek.size() + 1) std::abort();
        }
    } catch (const EBladWarunku&) {
    }
    return 0;
}
