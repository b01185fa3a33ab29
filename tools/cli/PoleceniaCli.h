// The command-line search over a data directory, the same engine the windows use.
//
//   belvastrona-cli --data DIR info
//   belvastrona-cli --data DIR query --condition '"podatek" AND_NOT "VAT*"' --chamber 12 --json
//   belvastrona-cli --data DIR show 15 --highlight '"podatek dochodowy"' > tmp.htm
//   belvastrona-cli --data DIR count podatek "podatek dochodowy"
//   belvastrona-cli report save Klient --condition '"ulga"' --chamber 12 [--force]   # prints the count
//   belvastrona-cli report list                                  # name TAB "yyyy-mm-dd hh:mm", newest first
//   belvastrona-cli report show Klient [--json]                  # numbers in the viewer's order
//   belvastrona-cli template list                                # identifier TAB description
//   belvastrona-cli template show Ulga [--json]                  # one template, letter case ignored
//
// The data directory is --data, else $BELVASTRONA_DANE, else the current folder. Reports,
// templates and mail attachments are in the working folder (KatalogRoboczy.h): the data
// directory when it can be written, else the user's $XDG_DATA_HOME/Belvastrona; `info` names it,
// and the commands that use it run with it as the current folder, as the window does. Reports
// are its files "Raporty/NAME.rap". Names go through the window's name check; an existing report
// (letter case ignored) is replaced only with --force; the folder "Raporty" comes with the first
// report. `report list` and `template` load no index; `report show` reads the store for N and
// the entry dates, and says on stderr how many numbers it left out. Templates are read from
// "szablon.DBF" of the working folder (found in any letter case) and never written.
//
// The whole command line is checked before anything is loaded. --help (-h) and --version print
// to `wyjscie` and end with 0 wherever they stand, except as the value of an option.
// Arguments and printed text are UTF-8; `show` writes the document's own ISO-8859-2 bytes.
// Exit codes: 0 done; 1 a data directory that does not load, a document, report or template
// that does not exist, a refused report name, an existing report without --force, a report that
// cannot be read or saved, a working folder that cannot be made, all forms asked for without
// the dictionary; 2 an error in a condition; 3 an internal error of the program; 4 a mail
// hand-over that failed; 64 (EX_USAGE) a wrong command line: an unknown command or option, a
// missing or extra argument, a value that is not a whole number. Usage errors print their
// message and a hint on `bledy` only.
#pragma once

#include <ostream>
#include <string>
#include <vector>

int WykonaniePolecenia(const std::vector<std::string>& argumenty, std::ostream& wyjscie, std::ostream& bledy);

// "yyyy-mm-dd hh:mm" of a packed MS-DOS date-time.
std::string DataTekstem(uint32_t spakowana);
// A JSON string literal (quotes included) of UTF-8 text.
std::string JsonTekst(const std::string& utf8);
