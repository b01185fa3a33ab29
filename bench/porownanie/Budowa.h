// Building the two other engines' indexes from our data directory, so that both see exactly the
// words our tokenizer cuts: every record is read back (OdczytanieDokumentu), turned into plain
// upper-case text and cut with PodzialTekstu. Document d becomes FTS5 rowid d and Xapian docid d.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "MagazynIndeksu.h"

struct TCzasBudowy {
    double Sekundy = 0;      // wall time of the engine's own indexing threads
    double SekundyCpu = 0;   // CPU time of those threads
};

// Chamber (rodzaj 1) and provision (rodzaj 2) groups of the data directory.
struct TGrupy {
    std::map<int32_t, std::vector<int32_t>> Izby, Przepisy;   // number -> documents
    std::map<int32_t, int32_t> PozycjeIzb, PozycjePrzepisow;   // number -> byte offset in the .mix
};
TGrupy OdczytanieGrup(const TcMagazynIndeksu& m);
// izby.ini and przepisy.ini naming every group of the data directory, for the filters.
void ZapisSlownikow(const TGrupy& g, const std::string& katalog);

// Builds `plikFts5` (an SQLite file) and `katalogXapian` side by side: one thread for FTS5, two
// for Xapian (two shards merged at the end). Either target may be empty to skip that engine.
// Times: wall time and the CPU time of the engine's threads (reading the records included).
void BudowaObcych(const std::string& katalogDanych, const std::string& plikFts5, const std::string& katalogXapian,
                  TCzasBudowy& czasFts5, TCzasBudowy& czasXapian);
