// Writes a sample source folder for the corpus builder: documents of the three kinds in Polish
// tax language, their index lines, the four dictionaries and the texts of the acts they cite.
//
//   TOpcjeProbki o;  o.Dokumenty = 3000;  o.Ziarno = 7;
//   GenerowanieProbki("sample-src", o);    // then: belvastrona-build sample-src data
//
// The same options give the same folder, byte for byte, however many threads write it.
//
// Document names place the kinds by the boundaries the engine derives from the names:
// interpretations are named from 0000001.htm up (at most 49999 of them), then ministry letters
// from 0050000.htm (at most 7000), court theses ending exactly at 0063999.htm (at most 7000),
// and the remaining interpretations from 0064000.htm on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TOpcjeProbki {
    int32_t Dokumenty = 3000;      // 1 .. 262142
    uint64_t Ziarno = 1;
    int32_t Slownictwo = 20000;    // synthetic proper names on top of the tax vocabulary
    int Watki = 0;                 // 0: as many as the machine has
    std::function<void(int32_t gotowe, int32_t razem)> Postep;
};

enum class TRodzajProbki { Interpretacja, Pismo, Teza };

struct TDokumentProbki {
    std::string Nazwa;             // "0050012.htm"
    TRodzajProbki Rodzaj = TRodzajProbki::Interpretacja;
};

// Names and kinds of the documents of a sample with n documents, in name order.
std::vector<TDokumentProbki> PlanDokumentow(int32_t n);

// Writes the folder (created when missing). An existing folder must be empty or an earlier
// sample (it holds "documents.tsv"); its documents and acts are replaced.
// Throws EInOutError with a Polish message (Windows-1250) on bad options or write errors.
void GenerowanieProbki(const std::string& katalog, const TOpcjeProbki& opcje);
