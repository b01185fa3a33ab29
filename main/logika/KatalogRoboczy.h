// The working folder: where the program writes what the user makes, reports ("Raporty"), the
// template table ("szablon.DBF"), "tmp.htm" and mail attachments. A data directory that can be
// written is its own working folder, as it always was; an installed corpus, which cannot be
// written, gets the user's $XDG_DATA_HOME/Belvastrona (~/.local/share/Belvastrona when the
// variable is unset), made on first use. The window, the command-line tool and the tests
// decide it the same way.
//
//   const TKatalogRoboczy r = KatalogRoboczy("/usr/share/belvastrona/dane");
//   // r.Sciezka == "/home/ala/.local/share/Belvastrona", r.WDanych == false
#pragma once

#include <string>

struct TKatalogRoboczy {
    std::string Sciezka;   // absolute
    bool WDanych = true;   // the data directory itself
};

// The working folder of the data directory `katalogDanych` ("" = the current folder). A
// separate folder is made when missing, with its "Raporty"; the template table of the data
// directory, when it has one, is copied there the first time so that shipped templates stay at
// hand. EInOutError (Polish) when the folder cannot be made.
TKatalogRoboczy KatalogRoboczy(const std::string& katalogDanych);

// A folder as an absolute path without "." or a trailing "/" ("" = the current folder); as
// given when the current folder cannot be read.
std::string SciezkaBezwzgledna(const std::string& katalog);

// $XDG_DATA_HOME/Belvastrona, or $HOME/.local/share/Belvastrona; "" without either variable.
std::string KatalogUzytkownika();
