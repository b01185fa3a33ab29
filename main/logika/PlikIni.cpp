#include "PlikIni.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "cp1250.h"
#include "mLib.h"

namespace {

struct TWiersz {
    std::string tekst;   // without its line end
    std::string koniec;  // "\r\n", "\n" or "" for a last line without one
};

std::string BezBialych(std::string_view t) {
    size_t a = 0, b = t.size();
    while (a < b && (t[a] == ' ' || t[a] == '\t')) ++a;
    while (b > a && (t[b - 1] == ' ' || t[b - 1] == '\t')) --b;
    return std::string(t.substr(a, b - a));
}

std::vector<TWiersz> Wczytanie(const std::string& sciezka) {
    std::vector<TWiersz> wiersze;
    std::ifstream plik(sciezka, std::ios::binary);
    if (!plik) return wiersze;
    std::stringstream s;
    s << plik.rdbuf();
    const std::string dane = s.str();
    size_t p = 0;
    while (p < dane.size()) {
        const size_t lf = dane.find('\n', p);
        if (lf == std::string::npos) {
            wiersze.push_back({dane.substr(p), ""});
            break;
        }
        const bool cr = lf > p && dane[lf - 1] == '\r';
        const size_t koniecTekstu = cr ? lf - 1 : lf;
        wiersze.push_back({dane.substr(p, koniecTekstu - p), cr ? std::string("\r\n") : std::string("\n")});
        p = lf + 1;
    }
    return wiersze;
}

// The section name of a "[...]" line, nullopt for other lines.
std::optional<std::string> Sekcja(const std::string& wiersz) {
    const std::string t = BezBialych(wiersz);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const size_t z = t.find(']');
    if (z == std::string::npos) return std::nullopt;
    return BezBialych(std::string_view(t).substr(1, z - 1));
}

// Key and value of a "key=value" line.
bool KluczWartosc(const std::string& wiersz, std::string& klucz, std::string& wartosc) {
    const std::string t = BezBialych(wiersz);
    if (t.empty() || t[0] == ';') return false;
    const size_t r = t.find('=');
    if (r == std::string::npos) return false;
    klucz = BezBialych(std::string_view(t).substr(0, r));
    wartosc = BezBialych(std::string_view(t).substr(r + 1));
    if (wartosc.size() >= 2 && ((wartosc.front() == '"' && wartosc.back() == '"') ||
                                (wartosc.front() == '\'' && wartosc.back() == '\'')))
        wartosc = wartosc.substr(1, wartosc.size() - 2);
    return true;
}

bool Liczba(const std::string& t, int32_t& wynik) {
    if (t.empty()) return false;
    const char* a = t.data();
    const char* b = t.data() + t.size();
    if (*a == '+') ++a;
    if (a == b) return false;
    const auto r = std::from_chars(a, b, wynik);
    return r.ec == std::errc() && r.ptr == b;
}

}  // namespace

std::optional<std::string> TcPlikIni::OdczytanieTekstu(const std::string& sekcja, const std::string& klucz) const {
    bool wSekcji = false;
    for (const TWiersz& w : Wczytanie(sciezka_)) {
        if (auto s = Sekcja(w.tekst)) {
            wSekcji = cp1250::equalsNoCase(*s, sekcja);
            continue;
        }
        std::string k, v;
        if (wSekcji && KluczWartosc(w.tekst, k, v) && cp1250::equalsNoCase(k, klucz)) return v;
    }
    return std::nullopt;
}

int32_t TcPlikIni::OdczytanieLiczby(const std::string& sekcja, const std::string& klucz, int32_t domyslna) const {
    const auto t = OdczytanieTekstu(sekcja, klucz);
    int32_t wynik = 0;
    return t && Liczba(*t, wynik) ? wynik : domyslna;
}

bool TcPlikIni::OdczytanieLogiczne(const std::string& sekcja, const std::string& klucz, bool domyslna) const {
    const auto t = OdczytanieTekstu(sekcja, klucz);
    int32_t wynik = 0;
    return t && Liczba(*t, wynik) ? wynik != 0 : domyslna;
}

void TcPlikIni::ZapisanieTekstu(const std::string& sekcja, const std::string& klucz, const std::string& wartosc) {
    std::vector<TWiersz> wiersze = Wczytanie(sciezka_);
    const std::string nowy = klucz + "=" + wartosc;
    // Find the section; the key's line within it, or the line after its last entry.
    std::optional<size_t> poczatek, poOstatnim;
    bool zapisane = false;
    for (size_t i = 0; i < wiersze.size() && !zapisane; ++i) {
        if (auto s = Sekcja(wiersze[i].tekst)) {
            if (poczatek) break;  // the next section begins
            if (cp1250::equalsNoCase(*s, sekcja)) {
                poczatek = i;
                poOstatnim = i + 1;
            }
            continue;
        }
        if (!poczatek) continue;
        std::string k, v;
        if (KluczWartosc(wiersze[i].tekst, k, v)) {
            if (cp1250::equalsNoCase(k, klucz)) {
                const size_t r = wiersze[i].tekst.find('=');
                wiersze[i].tekst = wiersze[i].tekst.substr(0, r + 1) + wartosc;
                zapisane = true;
            }
            poOstatnim = i + 1;
        }
    }
    if (!zapisane) {
        if (!wiersze.empty() && wiersze.back().koniec.empty()) wiersze.back().koniec = "\r\n";
        if (poczatek) {
            wiersze.insert(wiersze.begin() + static_cast<std::ptrdiff_t>(*poOstatnim), TWiersz{nowy, "\r\n"});
        } else {
            wiersze.push_back({"[" + sekcja + "]", "\r\n"});
            wiersze.push_back({nowy, "\r\n"});
        }
    }
    std::string dane;
    for (const TWiersz& w : wiersze) dane += w.tekst + w.koniec;

    const std::filesystem::path sciezka(sciezka_);
    std::error_code blad;
    if (sciezka.has_parent_path()) std::filesystem::create_directories(sciezka.parent_path(), blad);
    // The whole text goes at once so that a crash mid-save leaves the previous file readable.
    mWriteString(sciezka_, dane, TrybBledu::Wyjatek);
}

void TcPlikIni::ZapisanieLiczby(const std::string& sekcja, const std::string& klucz, int32_t wartosc) {
    ZapisanieTekstu(sekcja, klucz, std::to_string(wartosc));
}

void TcPlikIni::ZapisanieLogiczne(const std::string& sekcja, const std::string& klucz, bool wartosc) {
    ZapisanieTekstu(sekcja, klucz, wartosc ? "1" : "0");
}
