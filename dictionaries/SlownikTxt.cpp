#include "mLib.h"
#include "SlownikTxt.h"

#include <cerrno>
#include <cstdio>
#include <limits>

#include "Bledy.h"
#include "cp1250.h"

namespace {

constexpr char Separator = '\xFE';

// Leading and trailing blanks and control characters go.
std::string_view Przyciecie(std::string_view t) {
    while (!t.empty() && static_cast<unsigned char>(t.front()) <= ' ') t.remove_prefix(1);
    while (!t.empty() && static_cast<unsigned char>(t.back()) <= ' ') t.remove_suffix(1);
    return t;
}

// A name in double quotes loses them, each doubled quote inside becoming one; the text after
// the closing quote is dropped. Text without a leading quote, or with nothing between the
// quotes, stays as it is.
std::string BezCudzyslowow(std::string_view t) {
    if (t.empty() || t.front() != '"') return std::string(t);
    std::string wynik;
    for (size_t i = 1; i < t.size(); ++i) {
        if (t[i] == '"') {
            if (i + 1 < t.size() && t[i + 1] == '"') {
                wynik += '"';
                ++i;
            } else {
                break;
            }
        } else {
            wynik += t[i];
        }
    }
    if (wynik.empty()) return std::string(t);
    return wynik;
}

std::string BladSlownika(const std::string& plik) {
    return PL(u8"Błąd odczytu słownika '") + NazwaPlikuWKomunikacie(plik) + "'.";
}

}  // namespace

TcSlownikTxt::TcSlownikTxt(std::string nazwaPliku, bool wczytaj) : NazwaPliku(std::move(nazwaPliku)) {
    WczytajJesli(wczytaj);
}

TcSlownikTxt::~TcSlownikTxt() { CzyszczenieSlownika(); }

void TcSlownikTxt::CzyszczenieSlownika() {
    Wpisy.clear();
    Nazwy.clear();
}

void TcSlownikTxt::OdczytanieSlownika() {
    CzyszczenieSlownika();
    std::FILE* f = std::fopen(NazwaPliku.c_str(), "rb");
    if (!f) throw EInOutError(BladSlownika(NazwaPliku));
    std::string tresc;
    char bufor[16384];
    size_t n;
    while ((n = std::fread(bufor, 1, sizeof bufor, f)) > 0) tresc.append(bufor, n);
    const bool blad = std::ferror(f) != 0;
    std::fclose(f);
    if (blad) throw EInOutError(BladSlownika(NazwaPliku));

    // Lines end with LF or CR LF; a last line without a line break counts as well.
    try {
        size_t poczatek = 0;
        while (poczatek < tresc.size()) {
            size_t koniec = tresc.find('\n', poczatek);
            if (koniec == std::string::npos) koniec = tresc.size();
            size_t dlugosc = koniec - poczatek;
            if (dlugosc > 0 && tresc[poczatek + dlugosc - 1] == '\r') --dlugosc;
            AnalizaWiersza(tresc.substr(poczatek, dlugosc));
            poczatek = koniec + 1;
        }
    } catch (const std::exception&) {
        throw EInOutError(BladSlownika(NazwaPliku));
    }
}

std::string TcSlownikTxt::Znaki(const std::string& wiersz, int od, int do_) {
    if (od < 1) od = 1;
    if (do_ > static_cast<int>(wiersz.size())) do_ = static_cast<int>(wiersz.size());
    if (do_ < od) return {};
    return wiersz.substr(static_cast<size_t>(od - 1), static_cast<size_t>(do_ - od + 1));
}

bool TcSlownikTxt::LiczbaCalkowita(std::string_view tekst, int32_t& wynik) {
    size_t i = 0;
    bool ujemna = false;
    if (i < tekst.size() && (tekst[i] == '+' || tekst[i] == '-')) {
        ujemna = tekst[i] == '-';
        ++i;
    }
    if (i == tekst.size()) return false;
    int64_t wartosc = 0;
    for (; i < tekst.size(); ++i) {
        if (tekst[i] < '0' || tekst[i] > '9') return false;
        wartosc = wartosc * 10 + (tekst[i] - '0');
        if (wartosc > int64_t(std::numeric_limits<int32_t>::max()) + 1) return false;
    }
    if (ujemna) wartosc = -wartosc;
    if (wartosc > std::numeric_limits<int32_t>::max()) return false;
    wynik = static_cast<int32_t>(wartosc);
    return true;
}

bool TcSlownikTxt::Klucz(const std::string& wiersz, int& e, int32_t& numer) {
    const size_t rowna = wiersz.find('=');
    if (rowna == std::string::npos) {
        e = 0;
        return false;
    }
    e = static_cast<int>(rowna) + 1;
    return LiczbaCalkowita(std::string_view(wiersz).substr(0, rowna), numer);
}

bool TcSlownikTxt::KluczDwuPol(const std::string& wiersz, int& e, int32_t& numer) {
    if (!Klucz(wiersz, e, numer)) return false;
    return static_cast<int>(wiersz.size()) - e >= 4;
}

void TcSlownikTxt::Dodanie(std::unique_ptr<TrSlownikTxt> wpis) {
    Nazwy.push_back(wpis->Nazwa);
    Wpisy.push_back(std::move(wpis));
}

void TcSlownikTxt::AnalizaWiersza(const std::string& wiersz) {
    int e;
    int32_t numer;
    if (!Klucz(wiersz, e, numer)) return;
    const std::string wartosc = mIsoToWin(std::string_view(wiersz).substr(static_cast<size_t>(e)));
    // The fields are cut after the conversion; only the first names the section.
    std::string_view pierwsze = wartosc;
    const size_t sep = pierwsze.find(Separator);
    if (sep != std::string_view::npos) pierwsze = pierwsze.substr(0, sep);
    std::string nazwa = BezCudzyslowow(Przyciecie(pierwsze));
    if (nazwa.empty()) return;
    auto wpis = std::make_unique<TrSlownikTxt>();
    wpis->Numer = numer;
    wpis->Nazwa = std::move(nazwa);
    Dodanie(std::move(wpis));
}

int32_t TcSlownikTxt::NumerWgNazwy(const std::string& nazwa) const {
    for (const auto& w : Wpisy)
        if (cp1250::equalsNoCase(w->Nazwa, nazwa)) return w->Numer;
    return -1;
}

std::string TcSlownikTxt::NazwaWgNumeru(int32_t numer) const {
    if (numer <= 0) return {};
    for (const auto& w : Wpisy)
        if (w->Numer == numer && !w->Nazwa.empty()) return w->Nazwa;
    return {};
}
