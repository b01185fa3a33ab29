// The report-file reader: any text is a report or a refusal with its Polish message, never
// more documents than it may hold and never a number outside the store.
#include <cstdlib>

#include "TekstRaportu.h"
#include "Wspolne.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const std::string_view tekst(reinterpret_cast<const char*>(dane), rozmiar);
    try {
        const TRaport r = OdczytanieRaportu(tekst, "Raporty/x.rap", 1000);
        if (r.Dokumenty.size() > size_t(PojemnoscRaportu)) std::abort();
        for (int32_t d : r.Dokumenty)
            if (d < 1 || d > 1000) std::abort();
        (void)KomunikatPominietych(r);
    } catch (const EBladRaportu& b) {
        if (std::string_view(b.what()).empty()) std::abort();
    }
    return 0;
}
