// Writers of the data directory's files, for the corpus builder and for tests that need
// small data directories. The formats are those read by TcMagazynIndeksu (MagazynIndeksu.h).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Low-level writers; each throws EInOutError("Błąd zapisu pliku '<path>'.") on failure.
void ZapisListyNazw(const std::string& path, const std::vector<std::string>& entries);  // entries in order, no slot 0
void ZapisInt32(const std::string& path, const std::vector<int32_t>& values);
void ZapisBajtow(const std::string& path, std::string_view bytes);

// MS-DOS packed date-time: time in the low half, date in the high half.
uint32_t SpakowanieDaty(int rok, int miesiac, int dzien, int godzina, int minuta, int sekunda);
struct TDataCzas { int Rok, Miesiac, Dzien, Godzina, Minuta, Sekunda; };
TDataCzas RozpakowanieDaty(uint32_t packed);

// A record as stored in scalony.xtm: packed date (4 bytes LE) + HTML, scrambled.
std::string ZapisRekordu(uint32_t spakowanaData, std::string_view htmlIso);
// Scrambles a record in place with the records' fixed key and kept set; the same call
// unscrambles it (the reader uses it too).
void SzyfrowanieRekordu(char* dane, size_t dlugosc);

// The look-up comparison of slowo.dat: bytes, ASCII a-z folded to upper case.
int PorownanieSlow(std::string_view a, std::string_view b);

// Streaming writer of a whole data directory.
//
//   TZapisIndeksu z("data");
//   z.DodanieDokumentu("0000001.htm", SpakowanieDaty(2004,5,1,10,0,0), html, {"PODATEK","VAT"}, 3, {12});
//   ...                                   // in ascending byte order of names
//   auto poz = z.Zakonczenie();           // writes plik.*, slowo.*, tekst.*, scalony.*, *.mix
//
// Tokens are upper-case Windows-1250 words in reading order (the engine's tokenizer output).
// Documents' records go to scalony.xtm as they arrive; the word list is sorted and the image,
// tekst.aux (when W >= 65535), postings and groups are written at the end. Memory is about
// 4 bytes per token, plus 4 bytes per (document, distinct word) pair at the end, plus the
// distinct words (262142 documents of 100 million tokens: about 0.6 GB).
// Empty tokens are skipped; ASCII a-z in a token are upper-cased and a token longer than 255
// bytes is cut to 255, so that every word fits the word list. More than 262143 distinct words,
// more than 262142 documents, names that do not ascend or files past 2 GB raise EInOutError.
class TZapisIndeksu {
public:
    explicit TZapisIndeksu(std::string katalog);
    ~TZapisIndeksu();
    // Returns the new document's number. Names must ascend (byte order).
    int32_t DodanieDokumentu(const std::string& nazwa, uint32_t spakowanaData, std::string_view htmlIso,
                             const std::vector<std::string>& tokeny, int32_t izba,
                             const std::vector<int32_t>& przepisy);
    // Group offsets (bytes, multiples of 4) for izby.ini and przepisy.ini.
    struct TPozycjeGrup {
        std::map<int32_t, int32_t> Izby;      // chamber number -> offset in izby.mix
        std::map<int32_t, int32_t> Przepisy;  // provision number -> offset in przepisy.mix
    };
    // Writes every remaining file. `wszystkieIzby`/`wszystkiePrzepisy` name groups to write
    // even when no document has them (an empty group: number, 0).
    TPozycjeGrup Zakonczenie(const std::vector<int32_t>& wszystkieIzby = {},
                             const std::vector<int32_t>& wszystkiePrzepisy = {});
    int32_t LiczbaDokumentow() const;
private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Act phrase index files: STEM.dtf (fragments) and STEM.itf (start positions, one more entry
// than fragments: the last is the end bound).
void ZapisIndeksuAktu(const std::string& katalog, const std::string& stem,
                      const std::vector<std::string>& fragmenty, const std::vector<int32_t>& poczatki);
