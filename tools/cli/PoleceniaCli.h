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
// Reports are the files "Raporty/NAME.rap" of the current folder, whatever --data says: the
// window's current folder is its data directory, so run from there to share its reports. Names
// go through the window's name check; an existing report (letter case ignored) is replaced only
// with --force. `report list` needs no data directory; `report show` reads the store for N and
// the entry dates, and says on stderr how many numbers it left out. Templates are read from
// "szablon.DBF" of the current folder (found in any letter case) and never written.
//
// Arguments and printed text are UTF-8; `show` writes the document's own ISO-8859-2 bytes.
// Exit codes: 0 done, 1 a data directory that does not load, a wrong command line, a refused
// report name, an existing report without --force, a report that cannot be read or saved,
// 2 an error in the additional condition, 3 an internal error of the program.
#pragma once

#include <ostream>
#include <string>
#include <vector>

int WykonaniePolecenia(const std::vector<std::string>& argumenty, std::ostream& wyjscie, std::ostream& bledy);

// "yyyy-mm-dd hh:mm" of a packed MS-DOS date-time.
std::string DataTekstem(uint32_t spakowana);
// A JSON string literal (quotes included) of UTF-8 text.
std::string JsonTekst(const std::string& utf8);
