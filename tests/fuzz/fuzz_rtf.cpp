// The RTF reader, plain and formatted: any bytes give a text, formats within it, one alignment
// per line, and both reads the same text.
#include <cstdlib>

#include "Rtf.h"
#include "Wspolne.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const std::string_view rtf(reinterpret_cast<const char*>(dane), rozmiar);
    const std::string tekst = RtfNaTekst(rtf);
    const TTekstRtf t = RtfNaTekstZFormatem(rtf);
    if (t.Tekst != tekst) std::abort();
    size_t poprzedni = 0;
    for (const auto& [od, format] : t.Formaty) {
        if (od < poprzedni || od > t.Tekst.size()) std::abort();
        poprzedni = od;
    }
    size_t linii = 1;
    for (char c : t.Tekst) linii += c == '\n';
    if (t.Wyrownania.size() != linii) std::abort();
    return 0;
}
