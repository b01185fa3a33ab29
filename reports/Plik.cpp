#include "Plik.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "cp1250.h"

namespace {

// Days from 1970-01-01 of a proleptic Gregorian day (H. Hinnant's algorithm).
int64_t DniOd1970(int64_t r, int64_t m, int64_t d) {
    r -= m <= 2;
    const int64_t era = (r >= 0 ? r : r - 399) / 400;
    const int64_t ro = r - era * 400;
    const int64_t dr = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t de = ro * 365 + ro / 4 - ro / 100 + dr;
    return era * 146097 + de - 719468;
}

void DzienZDni(int64_t z, int& rok, int& miesiac, int& dzien) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t de = z - era * 146097;
    const int64_t ro = (de - de / 1460 + de / 36524 - de / 146096) / 365;
    const int64_t dr = de - (365 * ro + ro / 4 - ro / 100);
    const int64_t mp = (5 * dr + 2) / 153;
    dzien = int(dr - (153 * mp + 2) / 5 + 1);
    miesiac = int(mp < 10 ? mp + 3 : mp - 9);
    rok = int(ro + era * 400 + (miesiac <= 2));
}

// 1899-12-30, day 0 of a date-time.
const int64_t kDzienZero = DniOd1970(1899, 12, 30);

struct TMaska {
    std::string Katalog, Wzor;
};

TMaska RozbiorMaski(const std::string& maska) {
    const size_t p = maska.rfind('/');
    if (p == std::string::npos) return {".", maska};
    return {p == 0 ? "/" : maska.substr(0, p), maska.substr(p + 1)};
}

int32_t AtrybutyWpisu(const std::string& sciezka, const std::string& nazwa, const struct stat& st) {
    int32_t a = 0;
    if (!nazwa.empty() && nazwa[0] == '.') a |= atUkryty;
    if (S_ISDIR(st.st_mode)) {
        a |= atKatalog;
    } else if (S_ISREG(st.st_mode)) {
        if (::access(sciezka.c_str(), R_OK) == 0) {
            a |= atArchiwalny;
            if (::access(sciezka.c_str(), W_OK) != 0) a |= atTylkoDoOdczytu;
        }
    } else {
        a |= atSystemowy;
    }
    return a;
}

}  // namespace

double KodowanieDaty(int rok, int miesiac, int dzien, int godzina, int minuta, int sekunda) {
    const double dni = double(DniOd1970(rok, miesiac, dzien) - kDzienZero);
    return dni + (godzina * 3600 + minuta * 60 + sekunda) / 86400.0;
}

TSkladnikiDaty RozkladDaty(double data) {
    // Rounding to the second first, so that 23:59:59.9999 of one day is not 00:00 of the next
    // shown as the day before.
    const int64_t sekundy = std::llround(data * 86400.0);
    int64_t dni = sekundy / 86400, reszta = sekundy % 86400;
    if (reszta < 0) {
        reszta += 86400;
        --dni;
    }
    TSkladnikiDaty s;
    DzienZDni(dni + kDzienZero, s.Rok, s.Miesiac, s.Dzien);
    s.Godzina = int(reszta / 3600);
    s.Minuta = int(reszta / 60 % 60);
    s.Sekunda = int(reszta % 60);
    return s;
}

double DataPliku(std::time_t czas) {
    struct tm t {};
    if (::localtime_r(&czas, &t) == nullptr) return 0;
    return KodowanieDaty(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec / 2 * 2);
}

std::string DataCzasListy(double data) {
    const TSkladnikiDaty s = RozkladDaty(data);
    char b[40];
    std::snprintf(b, sizeof b, "%02d-%02d-%04d %02d:%02d", s.Dzien, s.Miesiac, s.Rok, s.Godzina, s.Minuta);
    return b;
}

std::string DataCzasIso(double data) {
    const TSkladnikiDaty s = RozkladDaty(data);
    char b[40];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d", s.Rok, s.Miesiac, s.Dzien, s.Godzina, s.Minuta);
    return b;
}

std::string TekstNazwyPliku(std::string_view nazwa) {
    return cp1250::isValidUtf8(nazwa) ? cp1250::fromUtf8(nazwa) : std::string(nazwa);
}

std::string NazwaWSystemiePlikow(std::string_view tekst) { return cp1250::toUtf8(tekst); }

TcListPlik::TcListPlik(std::string maska, int32_t atrybuty) : Atrybuty(atrybuty), Maska(std::move(maska)) {
    OdczytanieKatalogu();
}

TcListPlik::TcListPlik(std::string maska, int32_t atrybuty, TBezOdczytu)
    : Atrybuty(atrybuty), Maska(std::move(maska)) {}

TcListPlik::~TcListPlik() = default;

void TcListPlik::OdczytanieKatalogu() {
    wpisy_.clear();
    const TMaska m = RozbiorMaski(Maska);
    DIR* katalog = ::opendir(m.Katalog.c_str());
    if (katalog == nullptr) return;
    while (const dirent* e = ::readdir(katalog)) {
        const std::string nazwa = e->d_name;
        if (nazwa == "." || nazwa == "..") continue;
        if (::fnmatch(m.Wzor.c_str(), nazwa.c_str(), 0) != 0) continue;
        const std::string sciezka = m.Katalog + "/" + nazwa;
        struct stat st {};
        if (::stat(sciezka.c_str(), &st) != 0) continue;   // gone meanwhile, or a broken link
        TWpisKatalogu wpis;
        wpis.Nazwa = nazwa;
        wpis.Data = DataPliku(st.st_mtime);
        wpis.Rozmiar = int64_t(st.st_size);
        wpis.Atrybuty = AtrybutyWpisu(sciezka, nazwa, st);
        if ((wpis.Atrybuty & Atrybuty) != 0 || Atrybuty == atWszystkie) DodaniePliku(wpis);
    }
    ::closedir(katalog);
}

int32_t TcListPlik::Dodanie(std::unique_ptr<TrPlik> wpis) {
    wpisy_.push_back(std::move(wpis));
    return int32_t(wpisy_.size()) - 1;
}

int32_t TcListPlik::DodaniePliku(const TWpisKatalogu& wpis) {
    auto p = std::make_unique<TrPlik>();
    p->Nazwa = wpis.Nazwa;
    p->Data = wpis.Data;
    p->Rozmiar = int32_t(std::min<int64_t>(wpis.Rozmiar, std::numeric_limits<int32_t>::max()));
    return Dodanie(std::move(p));
}

int TcListPlik::Porownanie(const TrPlik& a, const TrPlik& b, int klucz, int kierunek) {
    auto nazwy = [&] { return cp1250::compareNoCase(TekstNazwyPliku(a.Nazwa), TekstNazwyPliku(b.Nazwa)); };
    int w = 0;
    if (klucz == 0) w = nazwy();
    else if (klucz == 1) w = a.Data < b.Data ? -1 : (a.Data > b.Data ? 1 : 0);
    else w = a.Rozmiar < b.Rozmiar ? -1 : (a.Rozmiar > b.Rozmiar ? 1 : 0);
    if (kierunek == 1) w = -w;
    if (w == 0 && klucz != 0) w = nazwy();
    // Names that differ only in letter case can stand side by side in one folder here; their
    // bytes order them, so that the order never depends on the folder's.
    if (w == 0) w = a.Nazwa.compare(b.Nazwa);
    return w;
}

void TcListPlik::Sortowanie(int klucz, int kierunek) {
    const size_t n = wpisy_.size();
    if (n < 2) return;
    for (size_t i = 0; i + 1 < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (Porownanie(*wpisy_[j], *wpisy_[i], klucz, kierunek) < 0) std::swap(wpisy_[i], wpisy_[j]);
}

bool TcListPlik::UsunieciePliku(const std::string& nazwa) {
    for (auto it = wpisy_.begin(); it != wpisy_.end(); ++it) {
        if ((*it)->Nazwa == nazwa) {
            wpisy_.erase(it);
            return true;
        }
    }
    return false;
}

int32_t TcListPlik::ZliczenieWZakresie(double od, double do_) const {
    int32_t n = 0;
    for (const auto& p : wpisy_) {
        const bool odOk = od == BrakDaty || std::trunc(od) <= p->Data;
        const bool doOk = do_ == BrakDaty || std::trunc(p->Data) <= do_;
        n += odOk && doOk;
    }
    return n;
}
