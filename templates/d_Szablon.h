// The template table: the user's saved queries, one record each, in "szablon.DBF" of the
// working folder with its memo file "szablon.dbt" and the index "I_OPIS.NDX" on the
// description. Records have the fields
//
//   ID_SZABL  N 9   identifier, unique (AutoInkrementacja), never shown
//   OPIS      C 50  description, unique without regard to letter case (UnikalnyOpis)
//   ID_PRZEP  N 4   provision number, 0 or empty for none
//   ID_IZBY   N 4   chamber number, 0 or empty for none
//   WARUNEK   M     the standard condition string
//   WARUN_DOD M     the additional condition
//
// and are navigated in ascending order of OPIS. Deleting only marks a record; the table is
// never packed.
//
//   Tdm_Szablon dm;                              // creates the table when missing, opens it,
//   TcTabelaDbf& t = dm.tb_Szablon;              // rebuilds the index
//   t.Dopisanie(); t.ZapisanieLiczby("ID_SZABL", AutoInkrementacja(t)); ... t.Zatwierdzenie();
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TabelaDbf.h"

inline constexpr const char* PlikSzablonow = "szablon.DBF";
inline constexpr const char* IndeksSzablonow = "I_OPIS.NDX";
constexpr int DlugoscOpisuSzablonu = 50;

// The fields above, in their order.
const std::vector<TPoleDbf>& PolaSzablonu();

struct TSzablon {
    int32_t Id = 0;
    std::string Opis;          // Windows-1250, as stored
    int32_t IdPrzep = 0;       // an empty field reads 0
    int32_t IdIzby = 0;
    std::string Warunek, WarunDod;
};

class Tdm_Szablon {
public:
    // Opens the table of folder `katalog` ("" is the current folder). Without `tylkoOdczyt`:
    // creates the table and its index when "szablon.DBF" is missing, opens it and builds the
    // index anew from every record, so a missing or stale index is repaired. With it (the
    // command-line tool): nothing is created or written; the order is built in memory and a
    // missing table is an error. A table that cannot be opened or created: EInOutError naming it.
    explicit Tdm_Szablon(const std::string& katalog = "", bool tylkoOdczyt = false);

    TcTabelaDbf tb_Szablon;
};

// The identifier for a template about to be appended: one more than the identifier of the
// last template in description order, raised past identifiers in use and to at least the
// record count + 1. The current record stays current.
int32_t AutoInkrementacja(TcTabelaDbf& t);

// True when no other template has the description (Polish letters compared without regard to
// case). Mode 1 counts every template (before appending); any other mode leaves the current
// record out (editing it). The current record stays current.
bool UnikalnyOpis(TcTabelaDbf& t, const std::string& opis, int tryb);

// The description of a copy of a template described `opis`: the first characters of `opis`
// followed by " (n)", for the smallest n that gives a free description, 50 characters at most.
std::string OpisKopii(TcTabelaDbf& t, const std::string& opis);

// The current record's template.
TSzablon BiezacySzablon(const TcTabelaDbf& t);
