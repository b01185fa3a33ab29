// The saved grouping of words into families ("Belvastrona.formy"): any bytes are refused or
// read into families of words of the list, never a word outside it. The seed is the grouping
// of the list below; a file made for another list is refused before anything else is read.
// The dictionary's stamp (bytes 16-23) is set to this machine's, so that the seed gets past it
// wherever the dictionary was installed.
#include <cstdlib>
#include <string>

#include "RodzinyWyrazow.h"
#include "Wspolne.h"

namespace {

const std::vector<std::string>& Slowa() {
    static const std::vector<std::string> s = {"", "PODATEK", "PODATKI", "PODATKU", "SP\xD3\xA3KA", "SP\xD3\xA3" "EK",
                                               "VAT", "VAT-U", "XYZZY"};
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    std::string bajty(reinterpret_cast<const char*>(dane), rozmiar);
    if (bajty.size() >= 24) {
        const uint64_t stempel = TcRodzinyWyrazow::Stempel(TcRodzinyWyrazow::SlownikDomyslny);
        bajty.replace(16, 8, reinterpret_cast<const char*>(&stempel), 8);
    }
    ZapisPlikuRoboczego("Belvastrona.formy", bajty);
    const int32_t W = int32_t(Slowa().size()) - 1;
    const auto r = TcRodzinyWyrazow::Wczytanie(FolderRoboczy() + "/Belvastrona.formy", TcRodzinyWyrazow::Odcisk(Slowa(), W),
                                               TcRodzinyWyrazow::SlownikDomyslny);
    if (!r) return 0;
    for (int32_t w = -1; w <= W + 1; ++w)
        for (int32_t f : r->Formy(w))
            if (f < 1 || f > W) std::abort();
    return 0;
}
