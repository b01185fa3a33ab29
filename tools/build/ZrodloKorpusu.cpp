#include "ZrodloKorpusu.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <unordered_set>

#include "Bledy.h"
#include "ZapisDanych.h"
#include "cp1250.h"

namespace {

constexpr char kSeparator = '\xFE';

[[noreturn]] void BladWiersza(const std::string& sciezka, int wiersz, const std::string& tekstCp1250) {
    throw EInOutError(PL("Plik '") + sciezka + PL("', wiersz ") + std::to_string(wiersz) + ": " + tekstCp1250);
}

std::string_view Przyciete(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// A decimal integer with an optional sign and nothing else, within 32 bits.
bool Liczba(std::string_view s, int32_t& wynik) {
    if (s.empty()) return false;
    size_t i = 0;
    bool minus = false;
    if (s[0] == '+' || s[0] == '-') minus = s[0] == '-', i = 1;
    if (i == s.size()) return false;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
        if (v > int64_t(INT32_MAX) + 1) return false;
    }
    if (minus) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    wynik = int32_t(v);
    return true;
}

std::vector<std::string_view> Pola(std::string_view s, char sep) {
    std::vector<std::string_view> v;
    size_t i = 0;
    for (;;) {
        const size_t j = s.find(sep, i);
        v.push_back(s.substr(i, j == std::string_view::npos ? std::string_view::npos : j - i));
        if (j == std::string_view::npos) return v;
        i = j + 1;
    }
}

std::vector<std::string> Wiersze(std::string_view tekst) {
    std::vector<std::string> w;
    size_t i = 0;
    while (i < tekst.size()) {
        size_t j = tekst.find('\n', i);
        if (j == std::string_view::npos) j = tekst.size();
        std::string_view l = tekst.substr(i, j - i);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        w.emplace_back(l);
        i = j + 1;
    }
    return w;
}

bool Cyfry(std::string_view s, size_t od, size_t ile, int& wynik) {
    wynik = 0;
    for (size_t i = od; i < od + ile; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        wynik = wynik * 10 + (s[i] - '0');
    }
    return true;
}

}  // namespace

bool PoprawnaData(int rok, int miesiac, int dzien, int godzina, int minuta, int sekunda) {
    if (rok < 1980 || rok > 2107 || miesiac < 1 || miesiac > 12 || dzien < 1) return false;
    static const int dni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool przestepny = (rok % 4 == 0 && rok % 100 != 0) || rok % 400 == 0;
    const int ile = dni[miesiac - 1] + (miesiac == 2 && przestepny ? 1 : 0);
    return dzien <= ile && godzina >= 0 && godzina < 24 && minuta >= 0 && minuta < 60 && sekunda >= 0 &&
           sekunda < 60;
}

std::vector<TWpisDokumentu> OdczytanieIndeksuDokumentow(std::string_view tekst, const std::string& sciezka) {
    std::vector<TWpisDokumentu> wynik;
    std::map<std::string, int> widziane;
    if (tekst.substr(0, 3) == "\xEF\xBB\xBF") tekst.remove_prefix(3);   // a byte-order mark from an editor
    const auto wiersze = Wiersze(tekst);
    for (size_t n = 0; n < wiersze.size(); ++n) {
        const int nr = int(n) + 1;
        const std::string& l = wiersze[n];
        if (Przyciete(l).empty() || l[0] == '#') continue;
        const auto pola = Pola(l, '\t');
        if (pola.size() < 3 || pola.size() > 4)
            BladWiersza(sciezka, nr, PL("oczekiwano pól nazwa, data, izba i przepisy oddzielonych tabulatorami."));
        TWpisDokumentu w;
        w.Wiersz = nr;
        w.Nazwa = std::string(Przyciete(pola[0]));
        if (w.Nazwa.empty() || w.Nazwa.size() > 255 || w.Nazwa.find('/') != std::string::npos)
            BladWiersza(sciezka, nr, PL("niepoprawna nazwa dokumentu '") + w.Nazwa + "'.");
        const std::string_view d = Przyciete(pola[1]);
        int r = 0, m = 0, dz = 0, g = 0, mi = 0, s = 0;
        const bool forma = d.size() == 19 && d[4] == '-' && d[7] == '-' && d[10] == ' ' && d[13] == ':' &&
                           d[16] == ':' && Cyfry(d, 0, 4, r) && Cyfry(d, 5, 2, m) && Cyfry(d, 8, 2, dz) &&
                           Cyfry(d, 11, 2, g) && Cyfry(d, 14, 2, mi) && Cyfry(d, 17, 2, s);
        if (!forma)
            BladWiersza(sciezka, nr, PL("data '") + std::string(d) + PL("' nie ma postaci RRRR-MM-DD GG:MM:SS."));
        if (!PoprawnaData(r, m, dz, g, mi, s))
            BladWiersza(sciezka, nr, PL("data '") + std::string(d) + PL("' nie istnieje lub wykracza poza lata 1980-2107."));
        w.Data = SpakowanieDaty(r, m, dz, g, mi, s);
        if (!Liczba(Przyciete(pola[2]), w.Izba) || w.Izba < 0)
            BladWiersza(sciezka, nr, PL("numer izby '") + std::string(pola[2]) + PL("' nie jest liczbą nieujemną."));
        if (pola.size() == 4 && !Przyciete(pola[3]).empty()) {
            for (std::string_view p : Pola(pola[3], ',')) {
                int32_t v = 0;
                if (!Liczba(Przyciete(p), v) || v <= 0)
                    BladWiersza(sciezka, nr, PL("numer przepisu '") + std::string(Przyciete(p)) +
                                                 PL("' nie jest liczbą dodatnią."));
                w.Przepisy.push_back(v);
            }
        }
        const auto [it, nowy] = widziane.emplace(w.Nazwa, nr);
        if (!nowy)
            BladWiersza(sciezka, nr, PL("dokument '") + w.Nazwa + PL("' występuje już w wierszu ") +
                                         std::to_string(it->second) + ".");
        wynik.push_back(std::move(w));
    }
    return wynik;
}

TSlownikZrodlowy OdczytanieSlownika(const std::string& sciezka) {
    std::ifstream f(sciezka, std::ios::binary);
    if (!f) throw EInOutError(PL("Brak pliku słownika '") + sciezka + PL("' lub nie można go odczytać."));
    std::stringstream bufor;
    bufor << f.rdbuf();
    TSlownikZrodlowy s;
    s.Sciezka = sciezka;
    s.Wiersze = Wiersze(bufor.str());
    for (size_t n = 0; n < s.Wiersze.size(); ++n) {
        const std::string& l = s.Wiersze[n];
        // Entry lines as the program reads them: an integer before the first "=" and at
        // least four characters after it; everything else (sections, comments) is kept as is.
        const size_t e = l.find('=');
        int32_t numer = 0;
        if (e == std::string::npos || e == 0 || !Liczba(std::string_view(l).substr(0, e), numer) || l.size() - (e + 1) < 4)
            continue;
        const size_t sep = l.find(kSeparator);
        if (sep == std::string::npos || sep < e)
            BladWiersza(sciezka, int(n) + 1, PL("brak separatora pól (bajt 0xFE)."));
        // Fields are enclosed in one character on each side: "name" 0xFE "second".
        if (sep + 2 > l.size() - 1 || sep < e + 3)
            BladWiersza(sciezka, int(n) + 1, PL("pola muszą mieć postać \"nazwa\"") + kSeparator + "\"...\".");
        TSlownikZrodlowy::TWpis w;
        w.Wiersz = int(n) + 1;
        w.Numer = numer;
        w.Nazwa = l.substr(e + 2, sep - 1 - (e + 2));
        w.PoczatekDrugiego = sep + 2;
        w.KoniecDrugiego = l.size() - 1;
        w.Drugie = l.substr(w.PoczatekDrugiego, w.KoniecDrugiego - w.PoczatekDrugiego);
        s.Wpisy.push_back(std::move(w));
    }
    return s;
}

std::string SlownikZPozycjami(const TSlownikZrodlowy& s, const std::vector<std::pair<int32_t, int32_t>>& pozycje) {
    std::map<int32_t, int32_t> mapa(pozycje.begin(), pozycje.end());
    std::vector<std::string> wiersze = s.Wiersze;
    for (const auto& w : s.Wpisy) {
        const auto it = mapa.find(w.Numer);
        const std::string poz = std::to_string(it == mapa.end() ? 0 : it->second);
        std::string& l = wiersze[size_t(w.Wiersz) - 1];
        l = l.substr(0, w.PoczatekDrugiego) + poz + l.substr(w.KoniecDrugiego);
    }
    std::string out;
    for (const auto& l : wiersze) out += l + "\r\n";
    return out;
}

namespace {

// Position of "utf-8"/"utf8" named by a charset declaration within the head, or npos.
size_t DeklaracjaUtf8(const std::string& html, size_t& dlugosc) {
    const size_t zasieg = std::min<size_t>(html.size(), 4096);
    std::string glowa = html.substr(0, zasieg);
    for (char& c : glowa)
        if (c >= 'A' && c <= 'Z') c = char(c + 32);
    size_t i = 0;
    while ((i = glowa.find("charset", i)) != std::string::npos) {
        i += 7;
        size_t j = i;
        while (j < glowa.size() && (glowa[j] == ' ' || glowa[j] == '=' || glowa[j] == '"' || glowa[j] == '\''))
            ++j;
        for (const char* nazwa : {"utf-8", "utf8"}) {
            if (glowa.compare(j, std::strlen(nazwa), nazwa) == 0) {
                dlugosc = std::strlen(nazwa);
                return j;
            }
        }
    }
    return std::string::npos;
}

}  // namespace

std::string HtmlWIso(std::string html) {
    bool utf8 = false;
    if (html.size() >= 3 && html.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        html.erase(0, 3);
        utf8 = true;
    }
    size_t dlugosc = 0;
    const size_t deklaracja = DeklaracjaUtf8(html, dlugosc);
    if (deklaracja != std::string::npos) {
        html.replace(deklaracja, dlugosc, "iso-8859-2");
        utf8 = true;
    }
    if (!utf8) {
        const bool ascii = std::all_of(html.begin(), html.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        utf8 = !ascii && cp1250::isValidUtf8(html);
    }
    return utf8 ? cp1250::utf8ToIso88592(html, '?') : html;
}
