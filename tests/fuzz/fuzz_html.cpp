// HTML to text with its position map, and the phrase marking: the map has one position per
// character of the text, every (1-based) position inside the HTML; marking a document with a condition
// made of the input's first part never fails.
#include <cstdlib>

#include "Analiza.h"
#include "Wspolne.h"
#include "mLib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const auto [warunek, html] = PodzialNaDwa(dane, rozmiar);
    std::vector<int32_t> pozycje;
    const std::string tekst = mHtmlToText(html, pozycje);
    if (tekst != mHtmlToText(html)) std::abort();
    if (pozycje.size() != tekst.size()) std::abort();
    for (int32_t p : pozycje)
        if (p < 1 || size_t(p) > html.size()) std::abort();
    (void)WyroznienieWarunku(warunek, html, "\xA7.");
    (void)WyroznienieFrazy(warunek, html, "wyroznienie", "\xA7.");
    return 0;
}
