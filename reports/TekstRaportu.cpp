#include "TekstRaportu.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "SlownikTxt.h"
#include "TablicaRaportu.h"
#include "WierszRaportu.h"
#include "Zapytanie.h"
#include "cp1250.h"
#include "mLib.h"

static_assert(PojemnoscRaportu == TcTablicaRaportu::Pojemnosc, "a report fills the result table");

namespace {

constexpr size_t kNajdluzszaWartosc = 40;   // characters of a bad value quoted in a message

// An optional sign and decimal digits, within 32 bits, and nothing else.
bool LiczbaCalkowita(std::string_view t, int32_t& wynik) {
    const bool plus = !t.empty() && t.front() == '+';
    if (plus) t.remove_prefix(1);
    if (t.empty() || (plus && t.front() == '-')) return false;
    const auto [koniec, blad] = std::from_chars(t.data(), t.data() + t.size(), wynik);
    return blad == std::errc() && koniec == t.data() + t.size();
}

[[noreturn]] void Blad(const std::string& plik, const std::string& opis) {
    throw EBladRaportu(PL(u8"Plik raportu '") + plik + "' " + opis + ".");
}

// A value as the message quotes it: what cannot be seen is written out.
std::string WartoscWidoczna(std::string_view v) {
    std::string w;
    for (size_t i = 0; i < v.size(); ++i) {
        if (i == kNajdluzszaWartosc) return w + "...";
        const auto c = static_cast<unsigned char>(v[i]);
        if (c == '\r') w += "\\r";
        else if (c == '\t') w += "\\t";
        else if (c < 0x20) {
            char b[8];
            std::snprintf(b, sizeof b, "\\x%02X", c);
            w += b;
        } else {
            w += char(c);
        }
    }
    return w;
}

// The value of the first line whose key (the text before its first "=") equals `klucz`,
// letter case ignored; false when no line has that key.
bool WartoscKlucza(const TListaTekstow& wiersze, std::string_view klucz, std::string& wartosc) {
    for (const std::string& w : wiersze) {
        const size_t p = w.find('=');
        if (p == std::string::npos) continue;
        if (cp1250::equalsNoCase(std::string_view(w).substr(0, p), klucz)) {
            wartosc = w.substr(p + 1);
            return true;
        }
    }
    return false;
}

}  // namespace

std::string KomunikatPominietych(const TRaport& raport) {
    std::string k;
    if (raport.PozaMagazynem > 0)
        k = PL(u8"Pominięto numery dokumentów spoza bazy: ") + std::to_string(raport.PozaMagazynem) + ".";
    if (raport.PonadPojemnosc > 0) {
        if (!k.empty()) k += "\n";
        k += PL(u8"Raport zawiera więcej dokumentów, niż mieści wynik (") + std::to_string(PojemnoscRaportu) +
             PL(u8"); pominięto ostatnie: ") + std::to_string(raport.PonadPojemnosc) + ".";
    }
    return k;
}

std::string TekstRaportu(const TcTablicaRaportu& tablica, std::string_view warunekPelny, int32_t izba,
                         int32_t przepis) {
    std::string dokumenty;
    for (int32_t i = 1; i <= tablica.Liczba; ++i) {
        const TPozycjaRaportu& p = tablica.Pozycje[size_t(i)];
        if (!p.Zaznaczony) continue;
        if (!dokumenty.empty()) dokumenty += '|';
        dokumenty += std::to_string(p.NrDokumentu);
    }
    // A line break in the condition would break the file into more lines than four.
    return "warunek=" + mControlToSpaces(warunekPelny) + "\nizba=" + std::to_string(izba) +
           "\nprzepis=" + std::to_string(przepis) + "\nplik=" + dokumenty;
}

std::string TekstRaportu(const TcTablicaRaportu& tablica, const TcZapytanie& zapytanie) {
    return TekstRaportu(tablica, zapytanie.WarunekPelny, zapytanie.Izba, zapytanie.Przepis);
}

TRaport OdczytanieRaportu(std::string_view tekst, const std::string& plik, int32_t liczbaDokumentow) {
    if (tekst.empty()) Blad(plik, "jest pusty");
    for (unsigned char c : tekst)
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') Blad(plik, "jest uszkodzony: zawiera znaki binarne");

    TListaTekstow wiersze;
    mStringParser(tekst, TZbiorZnakow("\n"), TZbiorZnakow(), false, wiersze);
    std::string warunek, izba, przepis, pliki;
    for (const auto& [klucz, wartosc] : {std::pair<const char*, std::string*>{"warunek", &warunek},
                                        {"izba", &izba}, {"przepis", &przepis}, {"plik", &pliki}}) {
        if (!WartoscKlucza(wiersze, klucz, *wartosc))
            Blad(plik, PL(u8"jest uszkodzony: brak wiersza '") + klucz + "='");
    }

    TRaport r;
    r.Warunek = std::move(warunek);
    auto numer = [&](const std::string& wartosc, const char* czego, int32_t& liczba) {
        if (!LiczbaCalkowita(wartosc, liczba))
            Blad(plik, "jest uszkodzony: numer " + std::string(czego) + " '" + WartoscWidoczna(wartosc) +
                           PL(u8"' nie jest liczbą całkowitą"));
    };
    numer(izba, "izby", r.Izba);
    numer(przepis, "przepisu", r.Przepis);

    pliki += '|';
    size_t poczatek = 0;
    for (size_t p = pliki.find('|'); p != std::string::npos; poczatek = p + 1, p = pliki.find('|', poczatek)) {
        const std::string_view kawalek = std::string_view(pliki).substr(poczatek, p - poczatek);
        int32_t d = 0;
        if (!LiczbaCalkowita(kawalek, d)) r.NieLiczby += !kawalek.empty();
        else if (d < 1 || d > liczbaDokumentow) ++r.PozaMagazynem;
        else if (int32_t(r.Dokumenty.size()) >= PojemnoscRaportu) ++r.PonadPojemnosc;
        else r.Dokumenty.push_back(d);
    }
    return r;
}

std::array<std::string, 3> NaglowkiRaportu(const TRaport& raport, const TcSlownikTxt& izby,
                                            const TcSlownikTxt& przepisy) {
    std::array<std::string, 3> n;
    if (!raport.Warunek.empty()) n[0] = "WARUNEK: " + raport.Warunek;
    if (const std::string izba = izby.NazwaWgNumeru(raport.Izba); !izba.empty()) n[1] = "IZBA: " + izba;
    if (const std::string przepis = przepisy.NazwaWgNumeru(raport.Przepis); !przepis.empty())
        n[2] = "PRZEPIS: " + przepis;
    return n;
}

void PrzejecieRaportu(const TRaport& raport, const TcSlownikTxt& izby, const TcSlownikTxt& przepisy,
                      TcTablicaRaportu& tablica, TcZapytanie& zapytanie) {
    TcTablicaLogiczna& wynik = zapytanie.Wynik;
    for (int32_t d : raport.Dokumenty)
        if (d < 1 || d >= wynik.Dlugosc()) mBladWewnetrzny("PrzejecieRaportu", 1);
    if (raport.Dokumenty.size() > size_t(TcTablicaRaportu::Pojemnosc)) mBladWewnetrzny("PrzejecieRaportu", 1);

    tablica.Naglowki = NaglowkiRaportu(raport, izby, przepisy);
    zapytanie.WarunekPelny.clear();
    wynik.Wypelnienie(false);
    tablica.Liczba = 0;
    uint8_t* const zapis = wynik.Zapis();
    for (int32_t d : raport.Dokumenty) {
        tablica.Dodanie(d, true);
        zapis[size_t(d)] = 1;
    }
    tablica.BiezacaStrona = 0;
}

TRaport OtwarcieRaportu(const std::string& plik, const TcSlownikTxt& izby, const TcSlownikTxt& przepisy,
                        TcTablicaRaportu& tablica, TcZapytanie& zapytanie) {
    TRaport r = OdczytanieRaportu(zapytanie.Raport, plik, zapytanie.LiczbaDokumentow());
    PrzejecieRaportu(r, izby, przepisy, tablica, zapytanie);
    return r;
}

std::vector<int32_t> DokumentyStrony(const std::vector<int32_t>& dokumenty, int32_t strona,
                                     const std::function<uint32_t(int32_t)>& dataWpisu) {
    const size_t od = size_t(std::max(strona, 0)) * size_t(TcTablicaRaportu::WielkoscStrony);
    if (od >= dokumenty.size()) return {};
    const size_t do_ = std::min(dokumenty.size(), od + size_t(TcTablicaRaportu::WielkoscStrony));
    std::vector<std::pair<std::string, int32_t>> wiersze;
    for (size_t i = od; i < do_; ++i) wiersze.emplace_back(KluczSortowania(dataWpisu(dokumenty[i])), dokumenty[i]);
    std::stable_sort(wiersze.begin(), wiersze.end(),
                     [](const auto& a, const auto& b) { return WczesniejWLiscie(a.first, b.first); });
    std::vector<int32_t> wynik;
    for (const auto& w : wiersze) wynik.push_back(w.second);
    return wynik;
}
