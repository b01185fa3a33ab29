// The query object. The main window holds two: the loading object, whose constructor loads
// the index store and which runs the user's searches, and the counting copy, which shares the
// store and runs the live counts beside each field.
//
//   TcZapytanie q;                          // loads the current folder's data directory
//   TcParserBool parser(q);                 // phrases are always searched on the loading object
//   q.Parser = &parser; q.SlownikIzb = &izby; q.SlownikPrzepisow = &przepisy;
//   q.Warunek = "\"podatek\" AND_NOT \"VAT*\"";
//   if (!q.WykonanieZapytania()) show Ostrzezenie("Błąd w warunku dodatkowym", parser.Blad);
//   q.Wynik.Dane[d] ...                     // the result
//
// Texts are Windows-1250.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MagazynIndeksu.h"
#include "TablicaLogiczna.h"

class TcParserBool;
class TSzybkieSzukanie;
class TcSlownikTxtIzba;
class TcSlownikTxtPrzepis;

struct TZakres { int32_t Od = 0; int32_t Do = 0; };

struct TDokument {
    uint32_t Data = 0;      // packed MS-DOS date-time
    std::string Tekst;      // HTML, ISO-8859-2
};

class TcZapytanie {
public:
    // Loading constructor: loads the index store (see TcMagazynIndeksu for the errors).
    explicit TcZapytanie(const TOpcjeLadowania& opcje = {});
    // Counting copy: shares the store of `zrodlo`, never closes its files.
    explicit TcZapytanie(const TcZapytanie& zrodlo);
    ~TcZapytanie();
    TcZapytanie& operator=(const TcZapytanie&) = delete;

    // Query fields.
    std::string Warunek;
    std::string WarunekDodatkowy;
    std::string WarunekPelny;
    int32_t Izba = 0;
    int32_t Przepis = 0;
    bool TylkoDoRaportu = false;
    bool PismoMinisterstwa = false;
    bool Interpretacja = false;
    bool TezaOrzeczenia = false;

    // Narrow phrases through posting lists (memory mode: built from the image on first use;
    // disk mode: slowo.idx and tekst.img mapped); off, memory mode scans the whole image and
    // disk mode reads each candidate's run. All give the same sets.
    bool ListyWPamieci = true;

    // Store fields copied into the counting copy.
    std::string Znaki;
    bool NaDysku = false;

    TcTablicaLogiczna Wynik;
    std::string Raport;      // non-empty: Wynik is the current result

    int32_t PoczatekPism = 0, PoczatekTez = 0, KoniecTez = 0;

    // Phrase-search scratch (meaningful only on the loading object).
    std::array<TZakres, 17> Zakresy{};   // entries 1..16
    int32_t LiczbaSlow = 0;

    TcTablicaLogiczna ZbiorPrzepisu, ZbiorIzby, ZbiorRaportu;
    bool Kopia = false;

    // Collaborators, set by the owner after construction.
    TcParserBool* Parser = nullptr;
    const TcSlownikTxtIzba* SlownikIzb = nullptr;
    const TcSlownikTxtPrzepis* SlownikPrzepisow = nullptr;

    // Runs the query described by the fields. Returns false when the additional condition is
    // wrong: nothing changes (Wynik, Raport and WarunekPelny keep their values) and the parser's
    // Blad / PozycjaBledu / DlugoscBledu describe the error; the caller shows
    // Ostrzezenie("Błąd w warunku dodatkowym", Blad). A phrase of more than 16 words in the
    // standard condition fails the same way ("Fraza może mieć najwyżej 16 słów."); any other
    // error of the standard condition is the internal error "bebłąd !!!".
    bool WykonanieZapytania();

    void SzukanieIzby(int32_t numer, TcTablicaLogiczna& zbior);
    void SzukaniePrzepisu(int32_t numer, TcTablicaLogiczna& zbior);

    // Phrase search (always on the loading object).
    void SzukanieFrazy(const std::string& fraza, TcTablicaLogiczna& wynik);
    void SzukanieNaDysku(TcTablicaLogiczna& wynik);
    int32_t SzukanieSlowa(const std::string& tekst, int tryb) const;
    void DodanieSlowaFrazy(const std::string& token);
    uint32_t NumerSlowa(int64_t pozycja) const;
    uint32_t NumerSlowaNaDysku(int32_t indeksBufora, int64_t pozycja) const;

    // Record store.
    TDokument OdczytanieDokumentu(int32_t numer) const;

    // Act section tables.
    void WczytanieAktu(const std::string& stem);
    std::string OdczytanieFraz(int32_t pozycja) const;

    int32_t LiczbaDokumentow() const;                 // N
    // True after a phrase search refused its phrase for having more than 16 words (the result
    // is then empty); the condition parser turns it into an error of the condition.
    bool FrazaZaDluga() const { return frazaZaDluga_; }
    const TcMagazynIndeksu& Magazyn() const { return *magazyn_; }
    std::shared_ptr<TcMagazynIndeksu> WspolnyMagazyn() const { return magazyn_; }

private:
    TcZapytanie(std::shared_ptr<TcMagazynIndeksu> magazyn, const TcZapytanie* zrodlo);
    void SzukanieWPamieci(TcTablicaLogiczna& wynik);
    void SzukanieWPamieciDoslowne(TcTablicaLogiczna& wynik);
    bool ObrazZgodny();
    void SzukanieGrupy(const std::vector<int32_t>& mix, int32_t pozycja, int32_t numer, const char* gdzie,
                       TcTablicaLogiczna& zbior);

    std::shared_ptr<TcMagazynIndeksu> magazyn_;
    const TcZapytanie* ladujacy_ = nullptr;           // the loading object (this for itself)
    bool frazaZaDluga_ = false;                       // more than 16 words in the phrase
    // The filter sets hold "every document" (filled with true) and need no refill.
    bool izbyWszystkie_ = false, przepisyWszystkie_ = false, raportWszystkie_ = false;
    std::vector<uint16_t> buforDokumentu_;            // disk mode
    std::vector<int32_t> buforPostingow_;             // disk mode
    int stanObrazu_ = -1;                             // separators vs plik.ref: -1 unchecked, 0 differ, 1 agree
    std::unique_ptr<TSzybkieSzukanie> szybkie_;       // posting lists: built from the image, or mapped (disk)
    TcTablicaLogiczna roboczy_{0};                    // WykonanieZapytania's scratch, kept between queries
};
