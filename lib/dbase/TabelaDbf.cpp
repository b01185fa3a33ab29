#include "TabelaDbf.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "Bledy.h"
#include "ZapisBezpieczny.h"
#include "cp1250.h"

namespace fs = std::filesystem;

namespace {

constexpr int RozmiarBloku = 512;
constexpr char ZnakKonca = 0x1A;   // ends a memo (twice) and the records

// ---- Messages ----

// A file name for a Windows-1250 message: this system's names are UTF-8; one that is not is
// shown as it stands.
std::string TekstSciezki(const std::string& sciezka) {
    return cp1250::isValidUtf8(sciezka) ? cp1250::fromUtf8(sciezka) : sciezka;
}

[[noreturn]] void Uszkodzenie(const std::string& plik, const std::string& opis) {
    throw EInOutError(PL(u8"Uszkodzony plik '") + TekstSciezki(plik) + "': " + opis + ".");
}

[[noreturn]] void BladOtwarcia(const std::string& plik) {
    throw EInOutError(PL(u8"Błąd otwarcia pliku '") + TekstSciezki(plik) + "'.");
}

[[noreturn]] void BladOdczytu(const std::string& plik) {
    throw EInOutError(PL(u8"Błąd odczytu pliku '") + TekstSciezki(plik) + "'.");
}

[[noreturn]] void BladZapisu(const std::string& plik) {
    throw EInOutError(PL(u8"Błąd zapisu pliku '") + TekstSciezki(plik) + "'.");
}

[[noreturn]] void Niedozwolone(const std::string& opis) { throw EInvalidOperation(opis); }

std::string Liczba(int64_t n) { return std::to_string(n); }

// ---- Files ----

// The file of this name in its folder: the name as given when it exists, else the first (in
// byte order) of the folder's regular files whose name differs from it only in letter case,
// else the name as given.
std::string Odnalezienie(const std::string& sciezka) {
    std::error_code blad;
    if (fs::exists(sciezka, blad)) return sciezka;
    const fs::path p(sciezka);
    const fs::path katalog = p.has_parent_path() ? p.parent_path() : fs::path(".");
    const std::string szukana = TekstSciezki(p.filename().string());
    std::string najlepsza;
    for (fs::directory_iterator it(katalog, blad), koniec; !blad && it != koniec; it.increment(blad)) {
        const std::string nazwa = it->path().filename().string();
        if (!cp1250::equalsNoCase(TekstSciezki(nazwa), szukana)) continue;
        std::error_code b;
        if (!fs::is_regular_file(it->path(), b)) continue;
        if (najlepsza.empty() || nazwa < najlepsza) najlepsza = nazwa;
    }
    if (najlepsza.empty()) return sciezka;
    return p.has_parent_path() ? (p.parent_path() / najlepsza).string() : najlepsza;
}

// The memo file's name beside the table: its extension replaced by "dbt", in capitals when the
// table's extension has any.
std::string NazwaNotatek(const std::string& sciezka) {
    const size_t ukosnik = sciezka.rfind('/');
    const size_t kropka = sciezka.rfind('.');
    if (kropka == std::string::npos || (ukosnik != std::string::npos && kropka < ukosnik)) return sciezka + ".dbt";
    const std::string rozszerzenie = sciezka.substr(kropka + 1);
    const bool wielkie = std::any_of(rozszerzenie.begin(), rozszerzenie.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    return sciezka.substr(0, kropka + 1) + (wielkie ? "DBT" : "dbt");
}

class TDeskryptor {
public:
    TDeskryptor() = default;
    ~TDeskryptor() { Zamkniecie(); }
    TDeskryptor(const TDeskryptor&) = delete;
    TDeskryptor& operator=(const TDeskryptor&) = delete;
    // Read and write; only read when the file may not be written.
    void Otwarcie(const std::string& plik) {
        fd = ::open(plik.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) fd = ::open(plik.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) BladOtwarcia(plik);
        struct stat st {};
        if (::fstat(fd, &st) != 0) BladOdczytu(plik);
        rozmiar = st.st_size;
    }
    int Przejecie() { const int f = fd; fd = -1; return f; }
    void Zamkniecie() { if (fd >= 0) ::close(fd); fd = -1; }
    int fd = -1;
    int64_t rozmiar = 0;
};

// Reads up to `n` bytes at `gdzie`; fewer only at the end of the file.
size_t Czytanie(int fd, int64_t gdzie, char* cel, size_t n, const std::string& plik) {
    size_t razem = 0;
    while (razem < n) {
        const ssize_t r = ::pread(fd, cel + razem, n - razem, gdzie + static_cast<int64_t>(razem));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) BladOdczytu(plik);
        if (r == 0) break;
        razem += static_cast<size_t>(r);
    }
    return razem;
}

void Zapis(int fd, int64_t gdzie, const char* zrodlo, size_t n, const std::string& plik) {
    while (n > 0) {
        const ssize_t r = ::pwrite(fd, zrodlo, n, gdzie);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) BladZapisu(plik);
        zrodlo += r;
        gdzie += r;
        n -= static_cast<size_t>(r);
    }
}

void Synchronizacja(int fd, const std::string& plik) {
    int r;
    while ((r = ::fsync(fd)) != 0 && errno == EINTR) {}
    if (r != 0 && errno != EINVAL) BladZapisu(plik);
}

void ZapisCalegoPliku(const std::string& plik, const std::string& dane) {
    if (!mZapisBezpieczny(plik, dane.data(), dane.size()).Udany()) BladZapisu(plik);
}

uint16_t Czytaj16(const char* p) {
    return static_cast<uint16_t>(static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[1]) << 8);
}

uint32_t Czytaj32(const char* p) {
    return static_cast<uint32_t>(Czytaj16(p)) | static_cast<uint32_t>(Czytaj16(p + 2)) << 16;
}

void Wpisz16(char* p, uint32_t v) {
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>((v >> 8) & 0xFF);
}

void Wpisz32(char* p, uint32_t v) {
    Wpisz16(p, v & 0xFFFF);
    Wpisz16(p + 2, v >> 16);
}

// ---- Field values ----

std::string_view BezOdstepow(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\0')) t.remove_suffix(1);
    return t;
}

// The text an N field of this length and decimals keeps for the number `v` (blanks around it
// ignored): no leading zeros, exactly `miejsca` decimals. "" for an empty `v`; std::nullopt when
// `v` is not a number or does not fit.
std::optional<std::string> TekstLiczby(std::string_view v, int dlugosc, int miejsca) {
    v = BezOdstepow(v);
    if (v.empty()) return std::string();
    bool ujemna = false;
    if (v.front() == '-' || v.front() == '+') {
        ujemna = v.front() == '-';
        v.remove_prefix(1);
    }
    const size_t kropka = v.find('.');
    std::string calkowita(v.substr(0, kropka));
    std::string ulamek(kropka == std::string_view::npos ? std::string_view() : v.substr(kropka + 1));
    const auto cyfry = [](const std::string& t) { return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }); };
    if (!cyfry(calkowita) || !cyfry(ulamek) || calkowita.size() + ulamek.size() == 0) return std::nullopt;
    calkowita.erase(0, std::min(calkowita.find_first_not_of('0'), calkowita.size()));
    if (calkowita.empty()) calkowita = "0";
    while (ulamek.size() > static_cast<size_t>(miejsca) && ulamek.back() == '0') ulamek.pop_back();
    if (ulamek.size() > static_cast<size_t>(miejsca)) return std::nullopt;
    ulamek.resize(static_cast<size_t>(miejsca), '0');
    if (calkowita == "0" && ulamek.find_first_not_of('0') == std::string::npos) ujemna = false;
    std::string t = (ujemna ? "-" : "") + calkowita + (miejsca > 0 ? "." + ulamek : "");
    if (t.size() > static_cast<size_t>(dlugosc)) return std::nullopt;
    return t;
}

bool NazwaPoprawna(const std::string& n) {
    if (n.empty() || n.size() > 10 || !(n[0] >= 'A' && n[0] <= 'Z')) return false;
    return std::all_of(n.begin(), n.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; });
}

std::string Wielkie(std::string n) {
    for (char& c : n)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return n;
}

// The lengths a field of this type may have.
bool DlugoscPoprawna(char typ, int dlugosc) {
    switch (typ) {
    case 'C': return dlugosc >= 1 && dlugosc <= 254;
    case 'N': return dlugosc >= 1 && dlugosc <= 20;
    case 'M': return dlugosc == 10;
    case 'D': return dlugosc == 8;
    case 'L': return dlugosc == 1;
    default: return false;
    }
}

constexpr int NajdluzszyKluczTekstowy = 100;

double WartoscLiczby(std::string_view t) {
    t = BezOdstepow(t);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    double v = 0;
    const auto [koniec, blad] = std::from_chars(t.data(), t.data() + t.size(), v);
    return blad == std::errc() ? v : 0.0;
}

std::string DzisiejszaData() {
    const std::time_t teraz = std::time(nullptr);
    std::tm czas {};
    ::localtime_r(&teraz, &czas);
    std::string d(3, '\0');
    d[0] = static_cast<char>(std::clamp(czas.tm_year, 0, 255));
    d[1] = static_cast<char>(czas.tm_mon + 1);
    d[2] = static_cast<char>(czas.tm_mday);
    return d;
}

// ---- The index file ----

struct TKluczNdx {
    std::string Klucz;   // the key's bytes: the field's padded text, or the double of a number
    uint32_t Rekord;
};

// The whole index file for keys already in order (the layout is in TabelaDbf.h).
std::string BudowaNdx(const std::vector<TKluczNdx>& klucze, int dlugoscKlucza, int typ, const std::string& wyrazenie) {
    const size_t rozmiarRekordu = static_cast<size_t>((8 + dlugoscKlucza + 3) / 4 * 4);
    const size_t naWezel = (RozmiarBloku - 4) / rozmiarRekordu;
    std::string plik(RozmiarBloku, '\0');
    struct TWezel {
        uint32_t Blok;
        std::string Najwiekszy;   // the greatest key below it
    };
    const auto nowyWezel = [&]() {
        plik.append(RozmiarBloku, '\0');
        return plik.size() - RozmiarBloku;
    };
    const auto wpis = [&](size_t wezel, size_t i, uint32_t dziecko, uint32_t rekord, const std::string& klucz) {
        char* p = &plik[wezel + 4 + i * rozmiarRekordu];
        Wpisz32(p, dziecko);
        Wpisz32(p + 4, rekord);
        std::memcpy(p + 8, klucz.data(), klucz.size());
    };

    // The leaves, full but for the last; an empty index is one empty leaf.
    std::vector<TWezel> poziom;
    size_t i = 0;
    do {
        const size_t wezel = nowyWezel();
        const size_t n = std::min(naWezel, klucze.size() - i);
        Wpisz32(&plik[wezel], static_cast<uint32_t>(n));
        for (size_t k = 0; k < n; ++k) wpis(wezel, k, 0, klucze[i + k].Rekord, klucze[i + k].Klucz);
        i += n;
        poziom.push_back({static_cast<uint32_t>(wezel / RozmiarBloku), n ? klucze[i - 1].Klucz : std::string()});
    } while (i < klucze.size());

    // Inner levels up to the root: at most naWezel children each (their keys and the last
    // child's lone block), never a node of one child.
    while (poziom.size() > 1) {
        std::vector<TWezel> wyzej;
        for (size_t j = 0; j < poziom.size();) {
            size_t dzieci = std::min(naWezel, poziom.size() - j);
            if (poziom.size() - j - dzieci == 1) --dzieci;
            const size_t wezel = nowyWezel();
            Wpisz32(&plik[wezel], static_cast<uint32_t>(dzieci - 1));
            for (size_t k = 0; k + 1 < dzieci; ++k) wpis(wezel, k, poziom[j + k].Blok, 0, poziom[j + k].Najwiekszy);
            wpis(wezel, dzieci - 1, poziom[j + dzieci - 1].Blok, 0, std::string());
            wyzej.push_back({static_cast<uint32_t>(wezel / RozmiarBloku), poziom[j + dzieci - 1].Najwiekszy});
            j += dzieci;
        }
        poziom = std::move(wyzej);
    }

    Wpisz32(&plik[0], poziom[0].Blok);
    Wpisz32(&plik[4], static_cast<uint32_t>(plik.size() / RozmiarBloku));
    Wpisz16(&plik[12], static_cast<uint32_t>(dlugoscKlucza));
    Wpisz16(&plik[14], static_cast<uint32_t>(naWezel));
    Wpisz16(&plik[16], static_cast<uint32_t>(typ));
    Wpisz16(&plik[18], static_cast<uint32_t>(rozmiarRekordu));
    std::memcpy(&plik[24], wyrazenie.data(), std::min<size_t>(wyrazenie.size(), RozmiarBloku - 25));
    return plik;
}

}  // namespace

// ---- Opening and closing ----

TcTabelaDbf::TcTabelaDbf() = default;

TcTabelaDbf::~TcTabelaDbf() { Zamkniecie(); }

void TcTabelaDbf::Zamkniecie() {
    if (fd_ >= 0) ::close(fd_);
    if (fdNotatek_ >= 0) ::close(fdNotatek_);
    fd_ = fdNotatek_ = -1;
    stan_ = TStanTabeli::Zamknieta;
    sciezka_.clear();
    sciezkaNotatek_.clear();
    sciezkaIndeksu_.clear();
    pola_.clear();
    przesuniecia_.clear();
    dane_.clear();
    notatki_.clear();
    rekordow_ = 0;
    poleIndeksu_ = -1;
    porzadek_.clear();
    pozycja_ = -1;
    poczatek_ = koniec_ = true;
    bufor_.clear();
    noweNotatki_.clear();
}

void TcTabelaDbf::Otwarcie(const std::string& sciezka) {
    Zamkniecie();
    const std::string plik = Odnalezienie(sciezka);
    TDeskryptor dbf;
    dbf.Otwarcie(plik);

    char naglowek[32];
    if (dbf.rozmiar < 32 || Czytanie(dbf.fd, 0, naglowek, 32, plik) < 32)
        Uszkodzenie(plik, PL(u8"nagłówek jest krótszy niż 32 bajty"));
    const unsigned char wersja = static_cast<unsigned char>(naglowek[0]);
    if (wersja != 0x03 && wersja != 0x83) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", wersja);
        Uszkodzenie(plik, PL(u8"nieznana wersja pliku (") + hex + ")");
    }
    const uint32_t rekordow = Czytaj32(naglowek + 4);
    const int dlugoscNaglowka = Czytaj16(naglowek + 8);
    const int dlugoscRekordu = Czytaj16(naglowek + 10);

    // Field descriptors up to their 0x0D.
    std::vector<TPoleDbf> pola;
    std::vector<int> przesuniecia;
    int64_t gdzie = 32;
    int suma = 1;
    for (;;) {
        char opis[32];
        const size_t n = Czytanie(dbf.fd, gdzie, opis, 32, plik);
        if (n >= 1 && opis[0] == 0x0D) break;
        // A descriptor that does not fit in the header as its length gives it.
        if (n < 32 || gdzie + 32 > dlugoscNaglowka) Uszkodzenie(plik, PL(u8"opisy pól nie kończą się znakiem 0x0D"));
        TPoleDbf p;
        p.Nazwa.assign(opis, strnlen(opis, 11));
        p.Typ = opis[11];
        p.Dlugosc = static_cast<unsigned char>(opis[16]);
        p.Miejsca = p.Typ == 'N' ? static_cast<unsigned char>(opis[17]) : 0;
        const std::string nr = Liczba(static_cast<int64_t>(pola.size()) + 1);
        if (p.Nazwa.empty()) Uszkodzenie(plik, PL(u8"pole nr ") + nr + PL(u8" nie ma nazwy"));
        if (std::string("CNMDL").find(p.Typ) == std::string::npos || p.Typ == '\0')
            Uszkodzenie(plik, PL(u8"pole ") + p.Nazwa + PL(u8" ma nieznany typ"));
        if (!DlugoscPoprawna(p.Typ, p.Dlugosc))
            Uszkodzenie(plik, PL(u8"pole ") + p.Nazwa + PL(u8" ma błędną długość ") + Liczba(p.Dlugosc));
        przesuniecia.push_back(suma);
        suma += p.Dlugosc;
        pola.push_back(std::move(p));
        gdzie += 32;
    }
    if (pola.empty()) Uszkodzenie(plik, PL(u8"tabela nie ma pól"));
    // The header ends with the 0x0D, or with one 0x00 after it.
    const int oczekiwany = static_cast<int>(gdzie) + 1;
    bool naglowekZgodny = dlugoscNaglowka == oczekiwany;
    if (dlugoscNaglowka == oczekiwany + 1) {
        char zero = 1;
        naglowekZgodny = Czytanie(dbf.fd, oczekiwany, &zero, 1, plik) == 1 && zero == 0;
    }
    if (!naglowekZgodny)
        Uszkodzenie(plik, PL(u8"długość nagłówka ") + Liczba(dlugoscNaglowka) + PL(u8" nie zgadza się z opisami pól (") +
                              Liczba(oczekiwany) + ")");
    if (dlugoscRekordu != suma)
        Uszkodzenie(plik, PL(u8"długość rekordu ") + Liczba(dlugoscRekordu) + PL(u8" nie zgadza się z opisami pól (") +
                              Liczba(suma) + ")");
    const int64_t bajtowRekordow = static_cast<int64_t>(rekordow) * dlugoscRekordu;
    if (dlugoscNaglowka + bajtowRekordow > dbf.rozmiar)
        Uszkodzenie(plik, PL(u8"liczba rekordów ") + Liczba(rekordow) + PL(u8" przekracza rozmiar pliku"));
    std::string dane(static_cast<size_t>(bajtowRekordow), '\0');
    if (Czytanie(dbf.fd, dlugoscNaglowka, dane.data(), dane.size(), plik) < dane.size()) BladOdczytu(plik);
    for (uint32_t r = 0; r < rekordow; ++r) {
        const char znacznik = dane[static_cast<size_t>(r) * static_cast<size_t>(dlugoscRekordu)];
        if (znacznik != ' ' && znacznik != '*')
            Uszkodzenie(plik, PL(u8"rekord ") + Liczba(r + 1) + PL(u8" ma błędny znacznik usunięcia"));
    }

    // Memos of the live records.
    std::string plikNotatek;
    TDeskryptor dbt;
    std::unordered_map<uint32_t, std::string> notatki;
    uint32_t wolnyBlok = 1;
    if (std::any_of(pola.begin(), pola.end(), [](const TPoleDbf& p) { return p.Typ == 'M'; })) {
        plikNotatek = Odnalezienie(NazwaNotatek(plik));
        std::error_code blad;
        if (!fs::exists(plikNotatek, blad))
            throw EInOutError(PL(u8"Brak pliku notatek '") + TekstSciezki(plikNotatek) + PL(u8"' tabeli '") +
                              TekstSciezki(plik) + "'.");
        dbt.Otwarcie(plikNotatek);
        // Read whole: the memos are few, and one read is quicker than one for each.
        std::string zawartosc(static_cast<size_t>(dbt.rozmiar), '\0');
        if (Czytanie(dbt.fd, 0, zawartosc.data(), zawartosc.size(), plikNotatek) < zawartosc.size())
            BladOdczytu(plikNotatek);
        if (zawartosc.size() < 4) Uszkodzenie(plikNotatek, PL(u8"nagłówek jest krótszy niż 4 bajty"));
        // New memos go past the end, whatever the next free block says: blocks that a killed
        // save or another writer left past it are never overwritten, and no number read from
        // the file can send a write far beyond it.
        const int64_t blokow = (dbt.rozmiar + RozmiarBloku - 1) / RozmiarBloku;
        if (blokow > 0xFFFFFFF) Uszkodzenie(plikNotatek, PL(u8"plik jest za duży"));
        wolnyBlok = static_cast<uint32_t>(std::max<int64_t>(blokow, 1));
        for (uint32_t r = 0; r < rekordow; ++r) {
            const char* rekord = dane.data() + static_cast<size_t>(r) * static_cast<size_t>(dlugoscRekordu);
            if (rekord[0] == '*') continue;
            for (size_t f = 0; f < pola.size(); ++f) {
                if (pola[f].Typ != 'M') continue;
                const std::string_view t = BezOdstepow(std::string_view(rekord + przesuniecia[f], 10));
                uint64_t blok = 0;
                if (!t.empty() && (!std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
                                   std::from_chars(t.data(), t.data() + t.size(), blok).ec != std::errc()))
                    Uszkodzenie(plik, PL(u8"pole ") + pola[f].Nazwa + PL(u8" rekordu ") + Liczba(r + 1) +
                                          PL(u8" nie zawiera numeru bloku notatki"));
                if (blok >= static_cast<uint64_t>(blokow))
                    Uszkodzenie(plik, PL(u8"rekord ") + Liczba(r + 1) + PL(u8" wskazuje notatkę w bloku ") +
                                          std::to_string(blok) + PL(u8", poza plikiem notatek '") +
                                          TekstSciezki(plikNotatek) + "'");
                if (blok == 0 || notatki.count(static_cast<uint32_t>(blok))) continue;
                // The text runs to its first 0x1A.
                const char* poczatek = zawartosc.data() + blok * RozmiarBloku;
                const char* koniec = static_cast<const char*>(
                    std::memchr(poczatek, ZnakKonca, zawartosc.size() - blok * RozmiarBloku));
                if (!koniec)
                    Uszkodzenie(plikNotatek, PL(u8"notatka w bloku ") + std::to_string(blok) +
                                                 PL(u8" nie ma znaku końca"));
                std::string tekst(poczatek, koniec);
                notatki.emplace(static_cast<uint32_t>(blok), std::move(tekst));
            }
        }
    }

    sciezka_ = plik;
    sciezkaNotatek_ = plikNotatek;
    fd_ = dbf.Przejecie();
    fdNotatek_ = dbt.Przejecie();
    pola_ = std::move(pola);
    przesuniecia_ = std::move(przesuniecia);
    dlugoscNaglowka_ = dlugoscNaglowka;
    dlugoscRekordu_ = dlugoscRekordu;
    rekordow_ = static_cast<int32_t>(rekordow);
    dane_ = std::move(dane);
    notatki_ = std::move(notatki);
    wolnyBlok_ = wolnyBlok;
    stan_ = TStanTabeli::Przegladanie;
    UlozeniePorzadku();
    PrzejscieNaPierwszy();
}

void TcTabelaDbf::Utworzenie(const std::string& sciezka, const std::vector<TPoleDbf>& pola,
                             const std::string& sciezkaIndeksu, const std::string& poleIndeksu) {
    if (pola.empty()) Niedozwolone(PL(u8"Tabela musi mieć pola."));
    std::vector<TPoleDbf> definicje;
    bool notatki = false;
    for (TPoleDbf p : pola) {
        p.Nazwa = Wielkie(p.Nazwa);
        if (!NazwaPoprawna(p.Nazwa)) Niedozwolone(PL(u8"Błędna nazwa pola '") + p.Nazwa + "'.");
        for (const TPoleDbf& q : definicje)
            if (q.Nazwa == p.Nazwa) Niedozwolone(PL(u8"Powtórzona nazwa pola '") + p.Nazwa + "'.");
        if (!DlugoscPoprawna(p.Typ, p.Dlugosc) ||
            (p.Typ == 'N' ? p.Miejsca < 0 || (p.Miejsca > 0 && p.Miejsca > p.Dlugosc - 2) : p.Miejsca != 0))
            Niedozwolone(PL(u8"Błędny typ albo długość pola ") + p.Nazwa + ".");
        notatki = notatki || p.Typ == 'M';
        definicje.push_back(std::move(p));
    }
    const std::string nazwaIndeksowanego = Wielkie(poleIndeksu);
    const auto indeksowane = std::find_if(definicje.begin(), definicje.end(),
                                          [&](const TPoleDbf& p) { return p.Nazwa == nazwaIndeksowanego; });
    if (indeksowane == definicje.end()) Niedozwolone(PL(u8"Brak pola '") + poleIndeksu + "'.");
    if (!(indeksowane->Typ == 'N' || (indeksowane->Typ == 'C' && indeksowane->Dlugosc <= NajdluzszyKluczTekstowy)))
        Niedozwolone(PL(u8"Indeks może być tylko na polu C do 100 znaków albo na polu N."));

    Zamkniecie();
    const std::string plik = Odnalezienie(sciezka);
    const int dlugoscNaglowka = 32 + 32 * static_cast<int>(definicje.size()) + 1;
    int dlugoscRekordu = 1;
    for (const TPoleDbf& p : definicje) dlugoscRekordu += p.Dlugosc;
    if (definicje.size() > 128 || dlugoscRekordu > 0xFFFF) Niedozwolone(PL(u8"Tabela ma za dużo pól albo za długi rekord."));
    std::string dbf(static_cast<size_t>(dlugoscNaglowka) + 1, '\0');
    dbf[0] = static_cast<char>(notatki ? 0x83 : 0x03);
    dbf.replace(1, 3, DzisiejszaData());
    Wpisz16(&dbf[8], static_cast<uint32_t>(dlugoscNaglowka));
    Wpisz16(&dbf[10], static_cast<uint32_t>(dlugoscRekordu));
    for (size_t i = 0; i < definicje.size(); ++i) {
        char* opis = &dbf[32 + 32 * i];
        std::memcpy(opis, definicje[i].Nazwa.data(), definicje[i].Nazwa.size());
        opis[11] = definicje[i].Typ;
        opis[16] = static_cast<char>(definicje[i].Dlugosc);
        opis[17] = static_cast<char>(definicje[i].Miejsca);
    }
    dbf[static_cast<size_t>(dlugoscNaglowka) - 1] = 0x0D;
    dbf.back() = ZnakKonca;   // the end mark after the (no) records

    // A memo file that does not exist yet goes first, so that the table never lacks it; one that
    // exists goes after the table, so that the table it replaces never points past the new empty file.
    std::string dbt;
    if (notatki) {
        dbt.assign(RozmiarBloku, '\0');
        Wpisz32(dbt.data(), 1);
        const std::string plikNotatek = Odnalezienie(NazwaNotatek(plik));
        std::error_code blad;
        const bool istnieje = fs::exists(plikNotatek, blad);
        if (!istnieje) ZapisCalegoPliku(plikNotatek, dbt);
        ZapisCalegoPliku(plik, dbf);
        if (istnieje) ZapisCalegoPliku(plikNotatek, dbt);
    } else {
        ZapisCalegoPliku(plik, dbf);
    }
    Otwarcie(plik);
    DodanieIndeksu(sciezkaIndeksu, poleIndeksu);
}

// ---- The index ----

void TcTabelaDbf::DodanieIndeksu(const std::string& sciezkaIndeksu, const std::string& pole) {
    KontrolaPrzegladania("DodanieIndeksu");
    const int f = PoleWymagane(pole);
    if (!(pola_[f].Typ == 'N' || (pola_[f].Typ == 'C' && pola_[f].Dlugosc <= NajdluzszyKluczTekstowy)))
        Niedozwolone(PL(u8"Indeks może być tylko na polu C do 100 znaków albo na polu N."));
    const std::string plik = sciezkaIndeksu.empty() ? std::string() : Odnalezienie(sciezkaIndeksu);
    const int32_t biezacy = NumerRekordu();
    const int poprzednie = poleIndeksu_;
    const std::string poprzedniPlik = sciezkaIndeksu_;
    poleIndeksu_ = f;
    sciezkaIndeksu_ = plik;
    UlozeniePorzadku();
    try {
        ZapisIndeksu();
    } catch (...) {
        poleIndeksu_ = poprzednie;
        sciezkaIndeksu_ = poprzedniPlik;
        UlozeniePorzadku();
        UstawienieNa(biezacy);
        throw;
    }
    UstawienieNa(biezacy);
    poczatek_ = koniec_ = porzadek_.empty();
}

std::string TcTabelaDbf::Klucz(const char* rekord) const {
    const TPoleDbf& p = pola_[poleIndeksu_];
    const char* pole = rekord + przesuniecia_[poleIndeksu_];
    if (p.Typ == 'C') return std::string(pole, static_cast<size_t>(p.Dlugosc));
    std::string k(8, '\0');
    const double v = WartoscLiczby(std::string_view(pole, static_cast<size_t>(p.Dlugosc)));
    uint64_t bity;
    std::memcpy(&bity, &v, 8);
    for (int i = 0; i < 8; ++i) k[static_cast<size_t>(i)] = static_cast<char>((bity >> (8 * i)) & 0xFF);
    return k;
}

void TcTabelaDbf::UlozeniePorzadku() {
    porzadek_.clear();
    for (int32_t r = 1; r <= rekordow_; ++r)
        if (Rekord(r)[0] != '*') porzadek_.push_back(r);
    if (poleIndeksu_ < 0) return;
    const TPoleDbf& p = pola_[poleIndeksu_];
    const size_t od = static_cast<size_t>(przesuniecia_[poleIndeksu_]), dl = static_cast<size_t>(p.Dlugosc);
    if (p.Typ == 'C') {
        std::stable_sort(porzadek_.begin(), porzadek_.end(), [&](int32_t a, int32_t b) {
            return std::memcmp(Rekord(a) + od, Rekord(b) + od, dl) < 0;
        });
    } else {
        std::vector<std::pair<double, int32_t>> wartosci;
        for (int32_t r : porzadek_) wartosci.emplace_back(WartoscLiczby(std::string_view(Rekord(r) + od, dl)), r);
        std::stable_sort(wartosci.begin(), wartosci.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t i = 0; i < wartosci.size(); ++i) porzadek_[i] = wartosci[i].second;
    }
}

void TcTabelaDbf::ZapisIndeksu() const {
    if (poleIndeksu_ < 0 || sciezkaIndeksu_.empty()) return;
    const TPoleDbf& p = pola_[poleIndeksu_];
    std::vector<TKluczNdx> klucze;
    klucze.reserve(porzadek_.size());
    for (int32_t r : porzadek_) klucze.push_back({Klucz(Rekord(r)), static_cast<uint32_t>(r)});
    const std::string ndx = BudowaNdx(klucze, p.Typ == 'C' ? p.Dlugosc : 8, p.Typ == 'C' ? 0 : 1, p.Nazwa);
    ZapisCalegoPliku(sciezkaIndeksu_, ndx);
}

// ---- Navigation ----

void TcTabelaDbf::KontrolaPrzegladania(const char* gdzie) const {
    if (stan_ == TStanTabeli::Zamknieta) Niedozwolone(PL(u8"Tabela nie jest otwarta (") + gdzie + ").");
    if (stan_ != TStanTabeli::Przegladanie)
        Niedozwolone(PL(u8"Rekord tabeli jest w trakcie zmiany (") + gdzie + ").");
}

const char* TcTabelaDbf::Rekord(int32_t numer) const {
    return dane_.data() + static_cast<size_t>(numer - 1) * static_cast<size_t>(dlugoscRekordu_);
}

int32_t TcTabelaDbf::NumerRekordu() const {
    if (stan_ == TStanTabeli::Dopisywanie) return 0;
    if (stan_ == TStanTabeli::Edycja) return zmieniany_;
    return pozycja_ >= 0 ? porzadek_[static_cast<size_t>(pozycja_)] : 0;
}

void TcTabelaDbf::UstawienieNa(int32_t numer) {
    const auto it = std::find(porzadek_.begin(), porzadek_.end(), numer);
    pozycja_ = it != porzadek_.end() ? static_cast<int32_t>(it - porzadek_.begin()) : (porzadek_.empty() ? -1 : 0);
}

void TcTabelaDbf::PrzejscieNaPierwszy() {
    KontrolaPrzegladania("PrzejscieNaPierwszy");
    pozycja_ = porzadek_.empty() ? -1 : 0;
    poczatek_ = true;
    koniec_ = porzadek_.empty();
}

void TcTabelaDbf::PrzejscieNaOstatni() {
    KontrolaPrzegladania("PrzejscieNaOstatni");
    pozycja_ = static_cast<int32_t>(porzadek_.size()) - 1;
    koniec_ = true;
    poczatek_ = porzadek_.empty();
}

void TcTabelaDbf::PrzejscieNaNastepny() {
    KontrolaPrzegladania("PrzejscieNaNastepny");
    if (porzadek_.empty()) return;
    poczatek_ = false;
    if (pozycja_ + 1 < static_cast<int32_t>(porzadek_.size())) {
        ++pozycja_;
        koniec_ = false;
    } else {
        koniec_ = true;
    }
}

void TcTabelaDbf::PrzejscieNaPoprzedni() {
    KontrolaPrzegladania("PrzejscieNaPoprzedni");
    if (porzadek_.empty()) return;
    koniec_ = false;
    if (pozycja_ > 0) {
        --pozycja_;
        poczatek_ = false;
    } else {
        poczatek_ = true;
    }
}

bool TcTabelaDbf::Odszukanie(const std::string& pole, const std::string& wartosc, bool bezWielkosciLiter) {
    KontrolaPrzegladania("Odszukanie");
    const int f = PoleWymagane(pole);
    const TPoleDbf& p = pola_[f];
    std::string szukana(BezOdstepow(wartosc));
    if (p.Typ == 'M') {
        szukana = wartosc;
    } else if (p.Typ == 'C') {
        szukana = wartosc;
        while (!szukana.empty() && szukana.back() == ' ') szukana.pop_back();
    } else if (p.Typ == 'N') {
        const auto t = TekstLiczby(wartosc, p.Dlugosc, p.Miejsca);
        if (!t) return false;
        szukana = *t;
    }
    for (size_t i = 0; i < porzadek_.size(); ++i) {
        std::string v = Wartosc(Rekord(porzadek_[i]), f, false).value_or(std::string());
        if (p.Typ == 'N') v = TekstLiczby(v, 255, p.Miejsca).value_or(v);
        if (bezWielkosciLiter ? cp1250::equalsNoCase(v, szukana) : v == szukana) {
            pozycja_ = static_cast<int32_t>(i);
            poczatek_ = koniec_ = false;
            return true;
        }
    }
    return false;
}

// ---- Fields ----

int TcTabelaDbf::NumerPola(const std::string& nazwa) const {
    const std::string szukana = Wielkie(nazwa);
    for (size_t i = 0; i < pola_.size(); ++i)
        if (Wielkie(pola_[i].Nazwa) == szukana) return static_cast<int>(i);
    return -1;
}

int TcTabelaDbf::PoleWymagane(const std::string& nazwa) const {
    if (stan_ == TStanTabeli::Zamknieta) Niedozwolone(PL(u8"Tabela nie jest otwarta."));
    const int f = NumerPola(nazwa);
    if (f < 0) Niedozwolone(PL(u8"Brak pola '") + nazwa + PL(u8"' w tabeli '") + TekstSciezki(sciezka_) + "'.");
    return f;
}

std::optional<std::string> TcTabelaDbf::Wartosc(const char* rekord, int numer, bool zBufora) const {
    const TPoleDbf& p = pola_[numer];
    const std::string_view surowa(rekord + przesuniecia_[numer], static_cast<size_t>(p.Dlugosc));
    if (p.Typ == 'M') {
        if (zBufora && noweNotatki_[numer]) return *noweNotatki_[numer];
        const std::string_view t = BezOdstepow(surowa);
        uint32_t blok = 0;
        std::from_chars(t.data(), t.data() + t.size(), blok);
        const auto it = notatki_.find(blok);
        if (blok == 0 || it == notatki_.end() || it->second.empty()) return std::nullopt;
        return it->second;
    }
    std::string_view t = surowa;
    if (p.Typ == 'C') {
        while (!t.empty() && (t.back() == ' ' || t.back() == '\0')) t.remove_suffix(1);
    } else {
        t = BezOdstepow(t);
        if (p.Typ == 'L' && t == "?") t = {};
    }
    if (t.empty()) return std::nullopt;
    return std::string(t);
}

std::optional<std::string> TcTabelaDbf::OdczytaniePola(int numer) const {
    if (stan_ == TStanTabeli::Zamknieta) Niedozwolone(PL(u8"Tabela nie jest otwarta."));
    if (numer < 0 || numer >= static_cast<int>(pola_.size())) Niedozwolone(PL(u8"Brak pola nr ") + Liczba(numer) + ".");
    if (stan_ != TStanTabeli::Przegladanie) return Wartosc(bufor_.data(), numer, true);
    if (pozycja_ < 0) return std::nullopt;
    return Wartosc(Rekord(porzadek_[static_cast<size_t>(pozycja_)]), numer, false);
}

std::optional<std::string> TcTabelaDbf::OdczytaniePola(const std::string& nazwa) const {
    return OdczytaniePola(PoleWymagane(nazwa));
}

std::optional<int64_t> TcTabelaDbf::OdczytanieLiczby(const std::string& nazwa) const {
    const int f = PoleWymagane(nazwa);
    const auto v = OdczytaniePola(f);
    if (!v) return std::nullopt;
    const auto t = TekstLiczby(*v, 255, 0);
    int64_t wynik = 0;
    if (!t || std::from_chars(t->data(), t->data() + t->size(), wynik).ec != std::errc())
        Uszkodzenie(sciezka_, PL(u8"pole ") + pola_[f].Nazwa + PL(u8" rekordu ") + Liczba(NumerRekordu()) +
                                  PL(u8" nie zawiera liczby całkowitej"));
    return wynik;
}

void TcTabelaDbf::ZapisaniePola(const std::string& nazwa, const std::optional<std::string>& wartosc) {
    const int f = PoleWymagane(nazwa);
    if (stan_ != TStanTabeli::Edycja && stan_ != TStanTabeli::Dopisywanie)
        Niedozwolone(PL(u8"Rekord tabeli nie jest w trakcie zmiany (ZapisaniePola)."));
    const TPoleDbf& p = pola_[f];
    const std::string v = wartosc.value_or(std::string());
    const auto odmowa = [&](const char8_t* dlaczego) {
        Niedozwolone(PL(u8"Wartość '") + v + PL(u8"' nie pasuje do pola ") + p.Nazwa + ": " + PL(dlaczego) + ".");
    };
    const size_t dl = static_cast<size_t>(p.Dlugosc);
    std::string zapis;
    switch (p.Typ) {
    case 'M':
        if (v.find(ZnakKonca) != std::string::npos) odmowa(u8"notatka nie może zawierać znaku 0x1A");
        noweNotatki_[f].emplace(v.empty() ? std::nullopt : std::optional<std::string>(v));
        zapis.assign(dl, ' ');
        break;
    case 'C':
        if (v.size() > dl) odmowa(u8"tekst jest za długi");
        zapis = v + std::string(dl - v.size(), ' ');
        break;
    case 'N': {
        const auto t = TekstLiczby(v, p.Dlugosc, p.Miejsca);
        if (!t) odmowa(u8"to nie jest liczba, która się w nim mieści");
        zapis = std::string(dl - t->size(), ' ') + *t;
        break;
    }
    case 'D':
        if (!v.empty() && (v.size() != 8 || !std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; })))
            odmowa(u8"data ma postać RRRRMMDD");
        zapis = v.empty() ? std::string(8, ' ') : v;
        break;
    default: {   // 'L'
        const std::string w = Wielkie(v);
        if (w.size() > 1 || (w.size() == 1 && std::string("TFYN?").find(w[0]) == std::string::npos))
            odmowa(u8"wartość logiczna to T, F, Y, N albo ?");
        zapis = w.empty() ? " " : w;
        break;
    }
    }
    bufor_.replace(static_cast<size_t>(przesuniecia_[f]), dl, zapis);
}

void TcTabelaDbf::ZapisanieLiczby(const std::string& nazwa, std::optional<int64_t> wartosc) {
    ZapisaniePola(nazwa, wartosc ? std::optional<std::string>(std::to_string(*wartosc)) : std::nullopt);
}

// ---- Changes ----

void TcTabelaDbf::Dopisanie() {
    KontrolaPrzegladania("Dopisanie");
    pozycjaPrzed_ = pozycja_;
    bufor_.assign(static_cast<size_t>(dlugoscRekordu_), ' ');
    noweNotatki_.assign(pola_.size(), std::nullopt);
    zmieniany_ = 0;
    stan_ = TStanTabeli::Dopisywanie;
}

void TcTabelaDbf::Edycja() {
    KontrolaPrzegladania("Edycja");
    if (pozycja_ < 0) Niedozwolone(PL(u8"Brak bieżącego rekordu (Edycja)."));
    pozycjaPrzed_ = pozycja_;
    zmieniany_ = porzadek_[static_cast<size_t>(pozycja_)];
    bufor_.assign(Rekord(zmieniany_), static_cast<size_t>(dlugoscRekordu_));
    noweNotatki_.assign(pola_.size(), std::nullopt);
    stan_ = TStanTabeli::Edycja;
}

void TcTabelaDbf::Anulowanie() {
    if (stan_ != TStanTabeli::Edycja && stan_ != TStanTabeli::Dopisywanie) return;
    stan_ = TStanTabeli::Przegladanie;
    pozycja_ = pozycjaPrzed_;
    bufor_.clear();
    noweNotatki_.clear();
}

void TcTabelaDbf::ZapisNaglowka(uint32_t liczba) {
    char zmiana[7];
    const std::string data = DzisiejszaData();
    std::memcpy(zmiana, data.data(), 3);
    Wpisz32(zmiana + 3, liczba);
    Zapis(fd_, 1, zmiana, sizeof zmiana, sciezka_);
    Synchronizacja(fd_, sciezka_);
}

void TcTabelaDbf::Zatwierdzenie() {
    if (stan_ != TStanTabeli::Edycja && stan_ != TStanTabeli::Dopisywanie)
        Niedozwolone(PL(u8"Rekord tabeli nie jest w trakcie zmiany (Zatwierdzenie)."));
    const bool dopisanie = stan_ == TStanTabeli::Dopisywanie;
    const int32_t numer = dopisanie ? rekordow_ + 1 : zmieniany_;
    std::string rekord = bufor_;
    rekord[0] = ' ';

    // 1. The changed memos, each at the end in blocks of its own, then the next free block.
    std::string bloki;
    std::vector<std::pair<uint32_t, std::string>> nowe;
    uint32_t wolny = wolnyBlok_;
    for (size_t f = 0; f < pola_.size(); ++f) {
        if (pola_[f].Typ != 'M' || !noweNotatki_[f]) continue;
        std::string pole(10, ' ');
        if (const auto& tekst = *noweNotatki_[f]) {
            const std::string numerBloku = std::to_string(wolny);
            pole.replace(10 - numerBloku.size(), numerBloku.size(), numerBloku);
            nowe.emplace_back(wolny, *tekst);
            const size_t dlugosc = tekst->size() + 2;
            const size_t blokow = (dlugosc + RozmiarBloku - 1) / RozmiarBloku;
            bloki += *tekst;
            bloki.append(2, ZnakKonca);
            bloki.append(blokow * RozmiarBloku - dlugosc, '\0');
            wolny += static_cast<uint32_t>(blokow);
        }
        rekord.replace(static_cast<size_t>(przesuniecia_[f]), 10, pole);
    }
    if (!bloki.empty()) {
        Zapis(fdNotatek_, static_cast<int64_t>(wolnyBlok_) * RozmiarBloku, bloki.data(), bloki.size(), sciezkaNotatek_);
        char naglowek[4];
        Wpisz32(naglowek, wolny);
        Zapis(fdNotatek_, 0, naglowek, 4, sciezkaNotatek_);
        Synchronizacja(fdNotatek_, sciezkaNotatek_);
        wolnyBlok_ = wolny;   // written: never used again, whatever happens next
    }

    // 2. The record; an appended one with the end mark after it.
    const int64_t gdzie = dlugoscNaglowka_ + static_cast<int64_t>(numer - 1) * dlugoscRekordu_;
    const std::string zapis = dopisanie ? rekord + ZnakKonca : rekord;
    Zapis(fd_, gdzie, zapis.data(), zapis.size(), sciezka_);
    Synchronizacja(fd_, sciezka_);

    // 3. The header: the date and the record count that makes an appended record part of the table.
    ZapisNaglowka(static_cast<uint32_t>(dopisanie ? rekordow_ + 1 : rekordow_));

    if (dopisanie) {
        dane_ += rekord;
        ++rekordow_;
    } else {
        dane_.replace(static_cast<size_t>(numer - 1) * static_cast<size_t>(dlugoscRekordu_), rekord.size(), rekord);
    }
    for (auto& [blok, tekst] : nowe) notatki_[blok] = std::move(tekst);
    stan_ = TStanTabeli::Przegladanie;
    bufor_.clear();
    noweNotatki_.clear();
    UlozeniePorzadku();
    UstawienieNa(numer);
    poczatek_ = koniec_ = false;
    ZapisIndeksu();
}

void TcTabelaDbf::Usuniecie() {
    // A record being appended is not in the table yet: deleting it is cancelling it.
    const bool dopisywany = stan_ == TStanTabeli::Dopisywanie;
    Anulowanie();
    if (dopisywany) return;
    KontrolaPrzegladania("Usuniecie");
    if (pozycja_ < 0) Niedozwolone(PL(u8"Brak bieżącego rekordu (Usuniecie)."));
    const int32_t numer = porzadek_[static_cast<size_t>(pozycja_)];
    const char usuniety = '*';
    Zapis(fd_, dlugoscNaglowka_ + static_cast<int64_t>(numer - 1) * dlugoscRekordu_, &usuniety, 1, sciezka_);
    Synchronizacja(fd_, sciezka_);
    dane_[static_cast<size_t>(numer - 1) * static_cast<size_t>(dlugoscRekordu_)] = usuniety;
    porzadek_.erase(porzadek_.begin() + pozycja_);
    poczatek_ = false;
    koniec_ = false;
    if (pozycja_ >= static_cast<int32_t>(porzadek_.size())) {
        pozycja_ = static_cast<int32_t>(porzadek_.size()) - 1;
        koniec_ = true;
        poczatek_ = porzadek_.empty();
    }
    ZapisNaglowka(static_cast<uint32_t>(rekordow_));
    ZapisIndeksu();
}
