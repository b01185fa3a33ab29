#include "NarzedziaDbf.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FabrykaDanych.h"

namespace {

// Debian's own interpreter: python3-dbf is installed for it, not for another python3 that may
// come first in PATH.
std::string Python() { return ::access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3"; }

std::string Cudzyslow(const std::string& t) {
    std::string w = "'";
    for (char c : t) w += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return w + "'";
}

std::vector<std::string> Linie(const std::string& tekst) {
    std::vector<std::string> w;
    std::istringstream s(tekst);
    for (std::string l; std::getline(s, l);) w.push_back(l);
    return w;
}

}  // namespace

std::vector<TPoleDbf> PolaSzablonu() {
    return {{"ID_SZABL", 'N', 9, 0}, {"OPIS", 'C', 50, 0},    {"ID_PRZEP", 'N', 4, 0},
            {"ID_IZBY", 'N', 4, 0},  {"WARUNEK", 'M', 10, 0}, {"WARUN_DOD", 'M', 10, 0}};
}

void Dopisanie(TcTabelaDbf& t, const TSzablon& s) {
    t.Dopisanie();
    t.ZapisanieLiczby("ID_SZABL", s.Id);
    t.ZapisaniePola("OPIS", s.Opis);
    t.ZapisanieLiczby("ID_PRZEP", s.Przepis);
    t.ZapisanieLiczby("ID_IZBY", s.Izba);
    t.ZapisaniePola("WARUNEK", s.Warunek);
    t.ZapisaniePola("WARUN_DOD", s.Dodatkowy);
    t.Zatwierdzenie();
}

TSzablon Biezacy(const TcTabelaDbf& t) {
    return {t.OdczytanieLiczby("ID_SZABL").value_or(-1), t.OdczytaniePola("OPIS").value_or(""),
            t.OdczytanieLiczby("ID_PRZEP"), t.OdczytanieLiczby("ID_IZBY"), t.OdczytaniePola("WARUNEK"),
            t.OdczytaniePola("WARUN_DOD")};
}

TWynikSkryptu UruchomienieSkryptu(TJezyk jezyk, const std::string& skrypt, const std::vector<std::string>& argumenty) {
    const TTymczasowyKatalog katalog;
    const std::string plik = katalog.Plik(jezyk == TJezyk::Python ? "skrypt.py" : "skrypt.pl");
    ZapisPliku(plik, skrypt);
    const std::string wyjscie = katalog.Plik("wyjscie"), bledy = katalog.Plik("bledy");
    std::string polecenie = jezyk == TJezyk::Python ? Python() : std::string("perl");
    polecenie.append(" ").append(Cudzyslow(plik));
    for (const std::string& a : argumenty) polecenie.append(" ").append(Cudzyslow(a));
    polecenie.append(" >").append(Cudzyslow(wyjscie)).append(" 2>").append(Cudzyslow(bledy)).append(" </dev/null");
    TWynikSkryptu w;
    const int stan = std::system(polecenie.c_str());
    if (stan != -1 && WIFEXITED(stan)) w.Kod = WEXITSTATUS(stan);
    std::error_code blad;
    if (std::filesystem::exists(wyjscie, blad)) w.Wiersze = Linie(OdczytPliku(wyjscie));
    if (std::filesystem::exists(bledy, blad)) w.Bledy = OdczytPliku(bledy);
    return w;
}

std::string BrakPythonDbf() {
    const TWynikSkryptu w = UruchomienieSkryptu(TJezyk::Python, "import dbf\n", {});
    return w.Kod == 0 ? std::string()
                      : "python3-dbf is not installed (apt-get install python3-dbf): " + w.Bledy;
}

std::string BrakPerlXBase() {
    const TWynikSkryptu w = UruchomienieSkryptu(TJezyk::Perl, "use XBase; use XBase::Index;\n", {});
    return w.Kod == 0 ? std::string()
                      : "Perl XBase is not installed (apt-get install libdbd-xbase-perl): " + w.Bledy;
}

std::string Hex(std::string_view bajty) {
    static const char cyfry[] = "0123456789abcdef";
    std::string w;
    for (unsigned char c : bajty) {
        w += cyfry[c >> 4];
        w += cyfry[c & 15];
    }
    return w;
}

std::optional<std::string> Z_Hex(const std::string& hex) {
    if (hex == "-") return std::nullopt;
    std::string w;
    for (size_t i = 1; i + 1 < hex.size(); i += 2) w += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return w;
}

std::vector<std::string> Kolumny(const std::string& wiersz) {
    std::vector<std::string> w;
    std::istringstream s(wiersz);
    for (std::string k; s >> k;) w.push_back(k);
    return w;
}
