// A dBase III table with its memo file and one single-field index: the template table, where
// the program keeps the queries the user saved (ID_SZABL N(9,0), OPIS C(50), ID_PRZEP N(4,0),
// ID_IZBY N(4,0), WARUNEK M(10), WARUN_DOD M(10); 88-byte records; index I_OPIS.NDX on OPIS).
//
//   TcTabelaDbf t;
//   t.Otwarcie("Szablony/szablon.dbf");           // letter case of the names does not matter
//   t.DodanieIndeksu("Szablony/i_opis.ndx", "OPIS");
//   for (t.PrzejscieNaPierwszy(); !t.Koniec(); t.PrzejscieNaNastepny())
//       ... t.OdczytaniePola("OPIS"), t.OdczytanieLiczby("ID_SZABL") ...
//   t.Dopisanie();  t.ZapisanieLiczby("ID_SZABL", 7);  t.ZapisaniePola("WARUNEK", warunek);  t.Zatwierdzenie();
//
// Texts are Windows-1250 bytes, as everywhere below the windows. File names are this system's
// own (UTF-8); a name is looked up without regard to letter case, the exact spelling winning.
//
// ---- Files, byte by byte (all integers little-endian) ----
//
//   NAME.DBF   header, 32 bytes:
//                0       version: 0x83 with a memo file, 0x03 without
//                1..3    date of the last change: year - 1900, month 1..12, day 1..31
//                4..7    uint32 number of records, deleted ones included
//                8..9    uint16 header length: 32 + 32 * fields + 1
//                10..11  uint16 record length: 1 + the fields' lengths
//                12..31  reserved, 0
//              then one 32-byte descriptor per field:
//                0..10   name, upper case, padded with 0x00 (at most 10 characters)
//                11      type: 'C' text, 'N' number, 'M' memo, 'D' date, 'L' logical
//                12..15  reserved, 0
//                16      length: C 1..254, N 1..20, M 10, D 8, L 1
//                17      decimals (N only; at most length - 2), else 0
//                18..31  reserved, 0
//              then 0x0D (and a single 0x00 after it, as some writers leave, is accepted), then the records,
//              each: 1 byte ' ' (live) or '*' (deleted), then the fields in order, then 0x1A after
//              the last record.
//              C  left-aligned, padded with spaces
//              N  ASCII digits, optional '-' and '.', right-aligned, padded with spaces
//              M  the memo's first block number: ASCII digits right-aligned in 10 bytes
//              D  YYYYMMDD;  L  'T', 'F', 'Y', 'N' or '?'
//              A field of spaces only is empty (for a number: no value, unlike 0; for a memo:
//              no text; a memo field holding 0 is empty too).
//
//   NAME.dbt   (beside the table; "DBT" when the table's extension has capitals)
//              512-byte blocks. Block 0: uint32 next free block at 0, the rest 0. A memo starts
//              at the start of its block: its text, then 0x1A 0x1A, then 0x00 up to the end of
//              its last block. Memos are never rewritten: a changed memo goes to new blocks at
//              the end of the file (a block begun by another writer's last memo counts as used),
//              and the blocks of the replaced text stay unused. The next free block is written as the
//              new end but not trusted when read: the file's own end decides.
//
//   NAME.NDX   512-byte blocks. Block 0, the header:
//                0..3    uint32 root node's block
//                4..7    uint32 number of blocks in the file (the next free block)
//                8..11   reserved, 0
//                12..13  uint16 key length: a C field's length (at most 100), 8 for an N field
//                14..15  uint16 keys per node: (512 - 4) / key record size
//                16..17  uint16 key type: 0 text, 1 number (IEEE double)
//                18..19  uint16 key record size: 8 + key length rounded up to a multiple of 4
//                20..23  reserved, 0 (22: unique flag, never set)
//                24..    the key expression: the field's name, ending with 0x00; then 0x00
//              then the nodes of a B-tree whose leaves hold every key (blocks 1..: the leaves in
//              key order, then each level of inner nodes, the root last). A node:
//                0..3    uint32 number of keys
//                4..     key records, each: uint32 left child's block (0 in a leaf), uint32 record
//                        number (0 in an inner node), the key, 0x00 up to the key record size
//              An inner node of n keys has n + 1 children: key i is the greatest key below
//              child i, and a last key record holds only the rightmost child's block. Keys
//              sort as bytes of the space-padded field (text) or by value (number; empty is 0),
//              equal keys by record number. An empty index is a root leaf of no keys.
//
// The table and its memos are read whole at Otwarcie, and everything is checked there: a damaged
// file raises EInOutError "Uszkodzony plik '<file>': <what>." (a missing memo file:
// "Brak pliku notatek '<file>' tabeli '<file>'."), and nothing is written.
//
// Saving a record (Zatwierdzenie) survives being killed at any moment: the memo blocks and then
// the memo header's next free block are written and synced; then the record (an appended one
// with the 0x1A after it, in one write) and synced; then the header's date and record count and
// synced. Killed before that last write, an appended record is simply not there (the record count
// leaves it out; the next append takes its place); an edited record holds its previous bytes or
// its new ones, never a mixture, and its old memos stay where they were. Memo blocks written for
// a save that did not finish are never pointed at. The index is rebuilt at every opening, so its
// file is only replaced whole by the safe write (ZapisBezpieczny.h) after each change.
//
// Deleted records are invisible to every operation: navigation, counting, locating, indexes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct TPoleDbf {
    std::string Nazwa;   // 1..10 characters: letters A-Z, digits, "_", a letter first
    char Typ = 'C';      // 'C', 'N', 'M', 'D' or 'L'
    int Dlugosc = 0;
    int Miejsca = 0;     // decimals of an N field
};

enum class TStanTabeli { Zamknieta, Przegladanie, Edycja, Dopisywanie };

class TcTabelaDbf {
public:
    TcTabelaDbf();
    ~TcTabelaDbf();
    TcTabelaDbf(const TcTabelaDbf&) = delete;
    TcTabelaDbf& operator=(const TcTabelaDbf&) = delete;

    // ---- Files ----

    // Creates an empty table (with its memo file when a field is M) and its index on `poleIndeksu`,
    // replacing files of these names (letter case ignored), and opens it with that index active.
    // Wrong definitions: EInvalidOperation; a file that cannot be written: EInOutError.
    void Utworzenie(const std::string& sciezka, const std::vector<TPoleDbf>& pola,
                    const std::string& sciezkaIndeksu, const std::string& poleIndeksu);
    // Opens an existing table, read whole and checked (see above); the current record is the
    // first in record order. A file that cannot be opened or read: EInOutError.
    void Otwarcie(const std::string& sciezka);
    void Zamkniecie();
    // Builds the index of the field from the live records, replaces the index file with it
    // (found by name without regard to case, else created) and makes it the active order; the
    // current record stays current. It is kept up to date by every later change; an index added
    // before stops being kept. C and N fields only (EInvalidOperation).
    void DodanieIndeksu(const std::string& sciezkaIndeksu, const std::string& pole);
    // The same order without an index file: nothing is written (readers that must not change
    // the folder).
    void UstawieniePorzadku(const std::string& pole) { DodanieIndeksu(std::string(), pole); }

    TStanTabeli Stan() const { return stan_; }
    const std::string& Sciezka() const { return sciezka_; }            // the table's file as found
    const std::string& SciezkaNotatek() const { return sciezkaNotatek_; }  // empty without memo fields
    const std::string& SciezkaIndeksu() const { return sciezkaIndeksu_; }  // empty without an index

    // ---- Navigation, in the active index's order (record order without one) ----
    // Poczatek() is true after PrzejscieNaPierwszy and after stepping back from the first record;
    // Koniec() after PrzejscieNaOstatni and after stepping on from the last. Both are true in
    // an empty table. Moving in the Edycja or Dopisywanie state: EInvalidOperation.

    void PrzejscieNaPierwszy();
    void PrzejscieNaOstatni();
    void PrzejscieNaNastepny();
    void PrzejscieNaPoprzedni();
    bool Poczatek() const { return poczatek_; }
    bool Koniec() const { return koniec_; }
    bool Pusta() const { return porzadek_.empty(); }
    int32_t LiczbaRekordow() const { return static_cast<int32_t>(porzadek_.size()); }   // live records
    int32_t NumerRekordu() const;   // physical number (from 1) of the current record; 0 without one
    // Makes current the first record, in the active order, whose field equals `wartosc`: texts
    // byte for byte (or ignoring letter case), numbers by value as the field would keep them.
    // Returns false, the current record unchanged, when none does. An empty `wartosc` finds an
    // empty field.
    bool Odszukanie(const std::string& pole, const std::string& wartosc, bool bezWielkosciLiter = false);

    // ---- Changes ----

    void Dopisanie();      // a new empty record to fill in; the state becomes Dopisywanie
    void Edycja();         // the current record to change; the state becomes Edycja
    // Writes the record (see above) and returns to Przegladanie with it current. A failed write:
    // EInOutError, the state unchanged so that it may be repeated or cancelled. Failing to
    // replace the index file: EInOutError naming it after the record is saved.
    void Zatwierdzenie();
    void Anulowanie();     // drops the changes; the record current before is current again
    // Marks the current record deleted (an edited one without its changes); the next record in
    // order becomes current, or the previous one (with Koniec()) after the last. While
    // appending it only cancels the new record.
    void Usuniecie();

    // ---- Fields of the current record (of the record being changed while changing) ----
    // Names ignore letter case; an unknown name: EInvalidOperation. Values are as kept without
    // the padding (C: trailing spaces dropped; N: the number's text); std::nullopt when empty.
    // Writing std::nullopt or "" empties a field. A value that the field cannot hold (too long,
    // not a number, a memo with 0x1A): EInvalidOperation. Writing outside Edycja/Dopisywanie:
    // EInvalidOperation. With no current record every field reads empty.

    const std::vector<TPoleDbf>& Pola() const { return pola_; }
    int NumerPola(const std::string& nazwa) const;   // index in Pola(), -1 when there is none
    std::optional<std::string> OdczytaniePola(int numer) const;
    std::optional<std::string> OdczytaniePola(const std::string& nazwa) const;
    void ZapisaniePola(const std::string& nazwa, const std::optional<std::string>& wartosc);
    // An N field as an integer; a value with a fraction or no number at all: EInOutError.
    std::optional<int64_t> OdczytanieLiczby(const std::string& nazwa) const;
    void ZapisanieLiczby(const std::string& nazwa, std::optional<int64_t> wartosc);

private:
    int PoleWymagane(const std::string& nazwa) const;
    const char* Rekord(int32_t numer) const;
    std::optional<std::string> Wartosc(const char* rekord, int numer, bool zBufora) const;
    std::string Klucz(const char* rekord) const;
    void UlozeniePorzadku();
    void ZapisIndeksu() const;
    void UstawienieNa(int32_t numer);
    void KontrolaPrzegladania(const char* gdzie) const;
    void ZapisNaglowka(uint32_t liczba);

    TStanTabeli stan_ = TStanTabeli::Zamknieta;
    std::string sciezka_, sciezkaNotatek_, sciezkaIndeksu_;
    int fd_ = -1, fdNotatek_ = -1;
    std::vector<TPoleDbf> pola_;
    std::vector<int> przesuniecia_;             // each field's offset in a record
    int dlugoscNaglowka_ = 0, dlugoscRekordu_ = 0;
    int32_t rekordow_ = 0;                      // in the file, deleted ones included
    std::string dane_;                          // the records, rekordow_ * dlugoscRekordu_ bytes
    std::unordered_map<uint32_t, std::string> notatki_;   // memo text by first block, for live records
    uint32_t wolnyBlok_ = 1;                    // where the next memo goes
    int poleIndeksu_ = -1;                      // the active index's field, -1 without one
    std::vector<int32_t> porzadek_;             // live records in the active order
    int32_t pozycja_ = -1;                      // current record's place in porzadek_, -1 without one
    bool poczatek_ = true, koniec_ = true;
    // Changing: the record's new bytes and the memo texts they do not hold yet.
    std::string bufor_;
    std::vector<std::optional<std::optional<std::string>>> noweNotatki_;   // per field: set = changed
    int32_t zmieniany_ = 0;                     // the record being edited; 0 while appending
    int32_t pozycjaPrzed_ = -1;
};
