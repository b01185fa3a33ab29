// Reading the builder's source folder: the document index "documents.tsv", the dictionaries
// whose group positions the builder fills in, and the documents' encoding.
//
// Every error is an EInOutError whose Windows-1250 message names the file and, where there is
// one, the line: "Plik 'src/documents.tsv', wiersz 12: data '2005-02-30 10:00:00' nie istnieje."
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One line of "documents.tsv":
//   name TAB "YYYY-MM-DD HH:MM:SS" TAB chamber TAB provisions
// Provisions are numbers separated by commas (may be empty, the last tab may then be left out).
// Lines starting with "#" and blank lines are skipped; CR LF and LF both end a line.
struct TWpisDokumentu {
    std::string Nazwa;
    uint32_t Data = 0;                 // packed MS-DOS date-time (seconds kept to 2-second steps)
    int32_t Izba = 0;                  // 0: none
    std::vector<int32_t> Przepisy;
    int Wiersz = 0;                    // line number in the file, from 1
};

// Parses the file's text; `sciezka` only names the file in messages. Names must be unique.
std::vector<TWpisDokumentu> OdczytanieIndeksuDokumentow(std::string_view tekst, const std::string& sciezka);

// Does the date exist and fit the packed format (years 1980 to 2107)?
bool PoprawnaData(int rok, int miesiac, int dzien, int godzina, int minuta, int sekunda);

// A dictionary file kept as its lines, so that the copy written into the data directory
// differs from the source only in the group positions.
struct TSlownikZrodlowy {
    struct TWpis {
        int Wiersz = 0;                // line number, from 1
        int32_t Numer = 0;
        std::string Nazwa;             // as in the file (ISO-8859-2)
        std::string Drugie;            // second field: position (chambers, provisions) or stem (acts)
        size_t PoczatekDrugiego = 0;   // byte range of the second field in the line
        size_t KoniecDrugiego = 0;
    };
    std::string Sciezka;
    std::vector<std::string> Wiersze;  // without line ends
    std::vector<TWpis> Wpisy;          // entry lines, in file order
};

// Reads "izby.ini", "przepisy.ini" or "akty.ini" (the two-field quoted form). An entry line
// without the 0xFE separator or without its closing field is an error naming the line.
TSlownikZrodlowy OdczytanieSlownika(const std::string& sciezka);

// The dictionary's text with every entry's second field replaced by the position of the
// entry's group (entries with numbers of no group get 0); lines end with CR LF.
std::string SlownikZPozycjami(const TSlownikZrodlowy& s, const std::vector<std::pair<int32_t, int32_t>>& pozycje);

// The document as the record store keeps it: ISO-8859-2 HTML. A text with a UTF-8 byte-order
// mark, a meta charset naming UTF-8, or valid UTF-8 with non-ASCII bytes is converted (its BOM
// dropped, its charset declaration renamed to iso-8859-2, characters outside ISO-8859-2 becoming
// "?"); anything else is kept byte for byte.
std::string HtmlWIso(std::string html);
