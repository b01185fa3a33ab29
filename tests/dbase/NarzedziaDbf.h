// Shared by the dBase table tests: the template table, and the independent readers and writers
// (Debian's python3-dbf, Perl's XBase from libdbd-xbase-perl) run on a script written to a
// temporary folder.
//
//   if (auto brak = BrakPerlXBase(); !brak.empty()) GTEST_SKIP() << brak;
//   TWynikSkryptu w = UruchomienieSkryptu(TJezyk::Perl, "use XBase; ...", {plik});
//   ASSERT_EQ(w.Kod, 0) << w.Bledy;
//
// Scripts print each value as "x" and the hex of its Windows-1250 bytes ("-" for no value), so
// that Polish letters and line breaks in memos come back byte for byte: Z_Hex turns them back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TabelaDbf.h"

// ID_SZABL N(9,0), OPIS C(50), ID_PRZEP N(4,0), ID_IZBY N(4,0), WARUNEK M(10), WARUN_DOD M(10).
std::vector<TPoleDbf> PolaSzablonu();

struct TSzablon {
    TSzablon(int64_t id, std::string opis, std::optional<int64_t> przepis = std::nullopt,
             std::optional<int64_t> izba = std::nullopt, std::optional<std::string> warunek = std::nullopt,
             std::optional<std::string> dodatkowy = std::nullopt)
        : Id(id), Opis(std::move(opis)), Przepis(przepis), Izba(izba), Warunek(std::move(warunek)),
          Dodatkowy(std::move(dodatkowy)) {}
    int64_t Id;
    std::string Opis;
    std::optional<int64_t> Przepis, Izba;
    std::optional<std::string> Warunek, Dodatkowy;
    bool operator==(const TSzablon&) const = default;
};

void Dopisanie(TcTabelaDbf& t, const TSzablon& s);   // appended and saved
TSzablon Biezacy(const TcTabelaDbf& t);

enum class TJezyk { Python, Perl };

struct TWynikSkryptu {
    int Kod = -1;                      // the interpreter's exit status; -1 when it could not run
    std::vector<std::string> Wiersze;  // its standard output, line by line
    std::string Bledy;                 // its standard error
};

// Empty when the tool is there; else why not, naming the Debian package to install.
std::string BrakPythonDbf();
std::string BrakPerlXBase();

TWynikSkryptu UruchomienieSkryptu(TJezyk jezyk, const std::string& skrypt, const std::vector<std::string>& argumenty);

std::string Hex(std::string_view bajty);
// "-" -> std::nullopt, "x<hex>" -> the bytes the hex stands for.
std::optional<std::string> Z_Hex(const std::string& hex);
// A line of values separated by single spaces.
std::vector<std::string> Kolumny(const std::string& wiersz);
