// Fixtures shared by the tests: a temporary folder and small data directories.
//
//   TTymczasowyKatalog dir;                       // removed with everything in it at scope end
//   TOpcjeKatalogu opcje;
//   opcje.Izby = {{12, "Izba Skarbowa w Krakowie"}};
//   auto poz = BudowaKatalogu(dir.Sciezka(), {
//       {"0000001.htm", "PODATEK DOCHODOWY OD OSÓB", 12, {7}},
//       {"0050000.htm", "podatek od towarów i usług"},
//   }, opcje);
//   TcMagazynIndeksu m({dir.Sciezka()});          // or TcZapytanie q(TOpcjeLadowania{dir.Sciezka()})
//
// Texts are given in UTF-8 as plain text. By default a document's words are its text cut at
// blanks and upper-cased (Windows-1250); with `PodzialSilnika` they are cut by the engine's
// tokenizer (PodzialTekstu) with `Znaki` as the indexed punctuation. The record holds trivial
// HTML of the text in ISO-8859-2 and the document's date.
//
// The four dictionaries are written (ISO-8859-2, CR LF) with the true group offsets of the
// index: every chamber or provision a document names gets an entry, named by `Izby`/`Przepisy`
// or "Izba <n>" / "Przepis <n>" when not named there; every chamber and provision named in the
// options gets a group, empty when no document has it. Acts listed in `Akty` get their
// STEM.dtf, STEM.itf and a small STEM.rtf.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "TablicaLogiczna.h"
#include "ZapisDanych.h"

class TcZapytanie;

class TTymczasowyKatalog {
public:
    TTymczasowyKatalog();                 // a fresh empty folder under the system's temp folder
    ~TTymczasowyKatalog();                // removes it with its content
    TTymczasowyKatalog(const TTymczasowyKatalog&) = delete;
    TTymczasowyKatalog& operator=(const TTymczasowyKatalog&) = delete;
    const std::string& Sciezka() const { return sciezka_; }
    std::string Plik(const std::string& nazwa) const { return sciezka_ + "/" + nazwa; }
private:
    std::string sciezka_;
};

// Makes a folder the current one for the life of the object (the program opens its data files
// by bare name from the current folder).
class TBiezacyKatalog {
public:
    explicit TBiezacyKatalog(const std::string& katalog);
    ~TBiezacyKatalog();
private:
    std::filesystem::path poprzedni_;
};

struct TDokumentTestowy {
    TDokumentTestowy(std::string nazwa, std::string tekst, int32_t izba = 0, std::vector<int32_t> przepisy = {},
                     uint32_t data = 0x30A15000)
        : Nazwa(std::move(nazwa)), Tekst(std::move(tekst)), Izba(izba), Przepisy(std::move(przepisy)), Data(data) {}
    std::string Nazwa;                    // "0000001.htm"; documents must ascend by name
    std::string Tekst;                    // UTF-8 plain text
    int32_t Izba = 0;                     // 0: no chamber
    std::vector<int32_t> Przepisy;        // provision (and act) numbers
    uint32_t Data = 0x30A15000;           // packed date-time; default 2004-05-01 10:00:00
};

struct TAktTestowy {
    int32_t Numer = 0;                    // also a provision number
    std::string Nazwa;                    // UTF-8
    std::string Stem;                     // file stem: STEM.rtf, STEM.dtf, STEM.itf
    std::vector<std::string> Fragmenty;   // UTF-8 "|"-separated phrase candidates
    std::vector<int32_t> Poczatki;        // fragments + 1 entries (the last is the end bound)
    std::string TekstRtf;                 // plain UTF-8 text put into a minimal rich-text file
};

struct TOpcjeKatalogu {
    std::map<int32_t, std::string> Izby;                         // number -> name (UTF-8)
    std::map<int32_t, std::pair<std::string, int32_t>> Przepisy; // number -> (name, section 0..9)
    std::map<int32_t, std::string> Dzialy;                       // number -> name
    std::vector<TAktTestowy> Akty;
    bool Slowniki = true;                 // write izby.ini, przepisy.ini, akty.ini, dzialy.ini
    bool PodzialSilnika = false;          // cut words with PodzialTekstu instead of at blanks
    std::string Znaki = "\xA7";           // indexed punctuation for PodzialSilnika ("§")
};

// Writes a whole data directory into `katalog` (which must exist) and returns the group
// offsets written to izby.ini and przepisy.ini.
TZapisIndeksu::TPozycjeGrup BudowaKatalogu(const std::string& katalog, const std::vector<TDokumentTestowy>& dokumenty,
                                           const TOpcjeKatalogu& opcje = {});

// Words of a text as BudowaKatalogu indexes them (Windows-1250, upper case).
std::vector<std::string> SlowaDokumentu(const std::string& tekstUtf8, const TOpcjeKatalogu& opcje = {});

// Whole-file helpers for tests that damage a directory on purpose.
std::string OdczytPliku(const std::filesystem::path& sciezka);
void ZapisPliku(const std::string& sciezka, const std::string& bajty);
void ObcieciePliku(const std::string& sciezka, std::size_t rozmiar);

// The numbers of a set's documents, ascending.
std::vector<int32_t> Dokumenty(const TcTablicaLogiczna& zbior);
// The documents the query's phrase search finds for `fraza` (Windows-1250).
std::vector<int32_t> DokumentyFrazy(TcZapytanie& q, const std::string& fraza);
// Document name of number i: 1 -> "0000001.htm".
std::string Nazwa(int i);
