// Saving a report under a name the user gives: the name check, whether a report of that name
// exists, and the write. The name window and the command-line tool go through the same steps:
//
//   TNazwaRaportu n = KontrolaNazwy(wpisana);
//   if (n.Pusta()) beep, back to the name
//   if (!n.Poprawna()) Ostrzezenie(TytulBlednejNazwy(), n.Ostrzezenie), back to the name
//   TMiejsceRaportu m = MiejsceRaportu(n.Nazwa);
//   if (m.Istnieje) ask KomunikatNadpisania(); on "Nie" back to the name
//   if (!ZapisanieRaportu(m.Sciezka, zapytanie.Raport)) Ostrzezenie(KomunikatBleduZapisu())
//
// A name is trimmed and has 1 to 40 characters; "/", "\", ":", control characters and a leading
// "." are refused, so a name never writes outside "Raporty" nor makes a hidden file. Names are
// Windows-1250 text; the file is "<name>.rap" in this system's file names (UTF-8, Plik.h).
// A report whose name differs only in letter case is the same report: saving asks before
// overwriting it and then replaces that file under its own name.
//
// The write replaces the whole file through the safe write (ZapisBezpieczny.h): a crash or a
// full disk leaves the previous report or the new one. The folder is never created: without it
// the save fails like any other write.
#pragma once

#include <string>
#include <string_view>

#include "bPlik.h"

constexpr int DlugoscNazwyRaportu = 40;

struct TKomunikat {
    std::string Tytul, Tekst;   // Windows-1250
};

struct TNazwaRaportu {
    std::string Nazwa;         // the name trimmed of blanks and control characters at both ends
    std::string Ostrzezenie;   // why the name is refused; empty when it is not
    bool Pusta() const { return Nazwa.empty(); }
    bool Poprawna() const { return !Nazwa.empty() && Ostrzezenie.empty(); }
};

// The name window's KontrolaNazwy without the window. Refusals (Windows-1250):
//   "Nazwa raportu może mieć najwyżej 40 znaków."
//   "Nazwa raportu nie może zawierać znaków "/", "\" ani ":"."
//   "Nazwa raportu nie może zaczynać się od kropki."
//   "Nazwa raportu nie może zawierać znaków sterujących."
TNazwaRaportu KontrolaNazwy(std::string_view wpisana);
std::string TytulBlednejNazwy();   // "Błędna nazwa raportu"

struct TMiejsceRaportu {
    std::string NazwaPliku;   // in the folder: the existing report's own file name, or "<name>.rap"
    std::string Sciezka;      // katalog + "/" + NazwaPliku
    bool Istnieje = false;    // a report of this name exists, letter case ignored
};
// Where the report `nazwa` (a name KontrolaNazwy accepted) is saved. Of several files whose names
// match ignoring letter case, the one spelt exactly as given wins, else the first in byte order.
// Only regular files count; a missing folder has no reports.
TMiejsceRaportu MiejsceRaportu(const std::string& nazwa, const std::string& katalog = KatalogRaportow);

// Replaces the file with the report text. False when the save is not complete (errno says why),
// and for a file this process may not write (a report made read-only stays as it is):
// the previous file is then whole, or - when only the final folder sync failed - already the new
// one, which the caller must still not take for a finished save.
bool ZapisanieRaportu(const std::string& sciezka, std::string_view tekst);

// "Potwierdź nadpisanie" / "Istnieje raport o podanej nazwie.\nCzy nadpisać istniejący raport?"
TKomunikat KomunikatNadpisania();
// "Błąd zapisu raportu" / "Podczas zapisu raportu wystąpił błąd."
TKomunikat KomunikatBleduZapisu();
