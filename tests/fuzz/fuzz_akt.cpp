// An act's phrase index (".dtf" fragments, ".itf" start positions) made of the input: it loads
// or is refused with a message, and then every caret position gives a fragment of the table
// or nothing; a refused act leaves the act loaded before.
#include <cstdlib>

#include "Bledy.h"
#include "FabrykaDanych.h"
#include "MagazynIndeksu.h"
#include "ZapisDanych.h"
#include "Wspolne.h"

namespace {

TcMagazynIndeksu& Magazyn() {
    static TcMagazynIndeksu* m = [] {
        BudowaKatalogu(FolderRoboczy(), {{"0000001.htm", "podatek"}});
        ZapisIndeksuAktu(FolderRoboczy(), "dobry", {"PODATEK|VAT", "VAT"}, {0, 10, 20});
        TOpcjeLadowania o;
        o.Katalog = FolderRoboczy();
        return new TcMagazynIndeksu(o);
    }();
    return *m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    TcMagazynIndeksu& m = Magazyn();
    m.WczytanieAktu("dobry");
    const auto [dtf, itf] = PodzialNaDwa(dane, rozmiar);
    ZapisPlikuRoboczego("zly.dtf", dtf);
    ZapisPlikuRoboczego("zly.itf", itf);
    try {
        m.WczytanieAktu("zly");
    } catch (const EInOutError&) {
        if (m.OdczytanieFraz(5) != "PODATEK|VAT") std::abort();
        return 0;
    }
    const int32_t koniec = m.PoczatkiFragmentow.empty() ? 0 : m.PoczatkiFragmentow.back();
    for (int32_t p : {-1, 0, 1, koniec - 1, koniec, koniec + 1, 1 << 30}) (void)m.OdczytanieFraz(p);
    for (size_t k = 0; k < m.PoczatkiFragmentow.size() && k < 64; ++k) (void)m.OdczytanieFraz(m.PoczatkiFragmentow[k]);
    return 0;
}
