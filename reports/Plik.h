// A list of the files of one folder that match a wildcard mask, each with its name, last-write
// date and time, and size. The report catalogue and the report selection window build one each
// (as TcListPlikRaportu, bPlik.h) when they open; bulk deletion counts its entries by date.
//
//   TcListPlik lista("Raporty/*.rap", 33);         // read at construction, in folder order
//   lista.Sortowanie(1, 1);                        // newest first, equal dates by name
//   lista.Plik(0).Nazwa, .Data, .Rozmiar
//   lista.UsunieciePliku("a.rap");                 // after the file itself was deleted
//
// The mask is a folder, "/", and a pattern of the file name in which "*" stands for any run of
// characters and "?" for one; letter case counts (the writer writes ".rap", so "*.rap" finds
// exactly the files it wrote). A mask without "/" looks in the current folder. "." and ".." are
// never entries.
//
// Attributes. A file here has no archive, hidden or system bit of its own; each directory entry
// gets these bits, so that a mask of them keeps what the windows expect:
//   1  read-only    a readable regular file this process may not write
//   2  hidden       the name begins with "."
//   4  system       neither a regular file nor a folder (a device, a pipe, a socket)
//   8  volume label never
//   16 folder       a folder
//   32 archive      a regular file this process may read
// So the report lists' mask 33 keeps exactly the regular readable files; 63 keeps every entry.
// Symbolic links are followed; a link that leads nowhere is not an entry.
//
// File names are kept as the folder gives them (`Nazwa`: the bytes that open, delete or mail
// the file). They are UTF-8 on this system; TekstNazwyPliku makes one Windows-1250 text for
// showing and comparing, and NazwaWSystemiePlikow the other way (a name that is not UTF-8,
// such as one copied from an older disk, is taken as Windows-1250 as it stands).
//
// Date-times are day counts from 30 December 1899, the fraction being the time of day, in local
// time, to the even second below (as the folder listings of older file systems give them).
// BrakDaty (-0.5) stands for an open bound of a date range; no file date takes it.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

constexpr double BrakDaty = -0.5;

// Attribute bits of a directory entry (see above).
enum : int32_t {
    atTylkoDoOdczytu = 1,
    atUkryty = 2,
    atSystemowy = 4,
    atEtykieta = 8,
    atKatalog = 16,
    atArchiwalny = 32,
    atWszystkie = 63,
};

// ---- Date-times ----

struct TSkladnikiDaty {
    int Rok = 1899, Miesiac = 12, Dzien = 30, Godzina = 0, Minuta = 0, Sekunda = 0;
};
// The date-time of a calendar day and time of day (no range check beyond the calendar's own).
double KodowanieDaty(int rok, int miesiac, int dzien, int godzina = 0, int minuta = 0, int sekunda = 0);
// The calendar day and time of day of a date-time, to the nearest second.
TSkladnikiDaty RozkladDaty(double data);
// A file time in local time, seconds cut to the even second below.
double DataPliku(std::time_t czas);
std::string DataCzasListy(double data);   // "dd-mm-yyyy hh:mm", as the catalogue lists a report
std::string DataCzasIso(double data);     // "yyyy-mm-dd hh:mm"

// ---- File names ----

// The Windows-1250 text of a file name: decoded from UTF-8 (characters Windows-1250 lacks become
// "?"), or the bytes themselves when they are not UTF-8.
std::string TekstNazwyPliku(std::string_view nazwa);
// The file name of a Windows-1250 text on this system (UTF-8).
std::string NazwaWSystemiePlikow(std::string_view tekst);

// ---- The list ----

struct TrPlik {
    virtual ~TrPlik() = default;
    std::string Nazwa;        // the file name with its extension, without a folder
    double Data = 0;          // last write, local time, 2-second resolution
    int32_t Rozmiar = 0;      // bytes (sizes of 2 GiB and more are held as 2147483647)
};

// One directory entry as the folder listing gives it.
struct TWpisKatalogu {
    std::string Nazwa;
    double Data = 0;
    int64_t Rozmiar = 0;
    int32_t Atrybuty = 0;
};

class TcListPlik {
public:
    // Stores both and reads the folder (OdczytanieKatalogu).
    TcListPlik(std::string maska, int32_t atrybuty);
    virtual ~TcListPlik();
    TcListPlik(const TcListPlik&) = delete;
    TcListPlik& operator=(const TcListPlik&) = delete;

    const int32_t Atrybuty;   // entries sharing a bit with it are kept; 63 keeps all
    const std::string Maska;  // "folder/pattern"

    // Rebuilds the list from the folder, in the folder's order. A missing or unreadable folder
    // gives an empty list without a message.
    void OdczytanieKatalogu();
    // Builds one entry from a directory entry and appends it; returns its position (from 0).
    virtual int32_t DodaniePliku(const TWpisKatalogu& wpis);
    // Key 0 name (letter case ignored, Polish letters in their places), 1 date, 2 size;
    // direction 0 ascending, 1 descending. Equal dates or sizes are ordered by name ascending
    // whatever the direction; names that differ only in letter case, by their bytes. A plain
    // exchange sort: the folder holds a few hundred files at most.
    void Sortowanie(int klucz, int kierunek);
    // Removes the first entry whose Nazwa equals `nazwa` byte for byte; false when none does.
    bool UsunieciePliku(const std::string& nazwa);
    // Entries dated from the day of `od` to `do_` (either may be BrakDaty, an open bound): the
    // whole-day part of `od` is not after the entry's date, and the whole-day part of the
    // entry's date is not after `do_`.
    int32_t ZliczenieWZakresie(double od, double do_) const;

    int32_t Liczba() const { return int32_t(wpisy_.size()); }
    const TrPlik& Plik(int32_t i) const { return *wpisy_.at(size_t(i)); }

protected:
    // For lists whose own DodaniePliku must run at construction: they read the folder in
    // their constructor.
    struct TBezOdczytu {};
    TcListPlik(std::string maska, int32_t atrybuty, TBezOdczytu);
    int32_t Dodanie(std::unique_ptr<TrPlik> wpis);
    // The comparison of Sortowanie: its sign says whether a goes before b.
    static int Porownanie(const TrPlik& a, const TrPlik& b, int klucz, int kierunek);

private:
    std::vector<std::unique_ptr<TrPlik>> wpisy_;
};
