#include "FabrykaDanych.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <stdexcept>

#include "Analiza.h"
#include "ZapisSlownikow.h"
#include "Zapytanie.h"
#include "cp1250.h"

namespace fs = std::filesystem;

TTymczasowyKatalog::TTymczasowyKatalog() {
    std::string wzor = (fs::temp_directory_path() / "belv_test_XXXXXX").string();
    if (!::mkdtemp(wzor.data())) throw std::runtime_error("mkdtemp failed");
    sciezka_ = wzor;
}

TTymczasowyKatalog::~TTymczasowyKatalog() {
    std::error_code ec;
    fs::remove_all(sciezka_, ec);
}

TBiezacyKatalog::TBiezacyKatalog(const std::string& katalog) : poprzedni_(fs::current_path()) {
    fs::current_path(katalog);
}

TBiezacyKatalog::~TBiezacyKatalog() {
    std::error_code ec;
    fs::current_path(poprzedni_, ec);
}

std::vector<std::string> SlowaDokumentu(const std::string& tekstUtf8, const TOpcjeKatalogu& opcje) {
    const std::string tekst = cp1250::upper(cp1250::fromUtf8(tekstUtf8));
    std::vector<std::string> slowa;
    if (opcje.PodzialSilnika) {
        PodzialTekstu(tekst, opcje.Znaki, [&slowa](std::string_view t) { slowa.emplace_back(t); });
        return slowa;
    }
    size_t p = 0;
    while (p < tekst.size()) {
        const size_t q = tekst.find(' ', p);
        const size_t k = q == std::string::npos ? tekst.size() : q;
        if (k > p) slowa.push_back(tekst.substr(p, k - p));
        p = k + 1;
    }
    return slowa;
}

namespace {

std::string Html(const std::string& tekstUtf8) {
    std::string t;
    for (char c : cp1250::utf8ToIso88592(tekstUtf8)) {
        if (c == '&') t += "&amp;";
        else if (c == '<') t += "&lt;";
        else if (c == '>') t += "&gt;";
        else t += c;
    }
    return "<HTML><BODY><P>" + t + "</P></BODY></HTML>";
}

std::string W(const std::string& utf8) { return cp1250::fromUtf8(utf8); }

}  // namespace

TZapisIndeksu::TPozycjeGrup BudowaKatalogu(const std::string& katalog, const std::vector<TDokumentTestowy>& dokumenty,
                                           const TOpcjeKatalogu& opcje) {
    TZapisIndeksu z(katalog);
    std::set<int32_t> izby, przepisy;
    for (const auto& [n, nazwa] : opcje.Izby) izby.insert(n);
    for (const auto& [n, p] : opcje.Przepisy) przepisy.insert(n);
    for (const auto& a : opcje.Akty) przepisy.insert(a.Numer);
    for (const auto& d : dokumenty) {
        z.DodanieDokumentu(d.Nazwa, d.Data, Html(d.Tekst), SlowaDokumentu(d.Tekst, opcje), d.Izba, d.Przepisy);
        if (d.Izba > 0) izby.insert(d.Izba);
        for (int32_t p : d.Przepisy)
            if (p > 0) przepisy.insert(p);
    }
    auto poz = z.Zakonczenie(std::vector<int32_t>(izby.begin(), izby.end()),
                             std::vector<int32_t>(przepisy.begin(), przepisy.end()));

    for (const auto& a : opcje.Akty) {
        std::vector<std::string> fragmenty;
        for (const auto& f : a.Fragmenty) fragmenty.push_back(W(f));
        ZapisIndeksuAktu(katalog, a.Stem, fragmenty, a.Poczatki);
        ZapisPliku(katalog + "/" + a.Stem + ".rtf",
                   "{\\rtf1\\ansi\\ansicpg1250 " + W(a.TekstRtf) + "}");
    }
    if (!opcje.Slowniki) return poz;

    std::vector<TrIzba> wIzby;
    for (int32_t n : izby) {
        TrIzba e;
        e.Numer = n;
        auto it = opcje.Izby.find(n);
        e.Nazwa = it != opcje.Izby.end() ? W(it->second) : "Izba " + std::to_string(n);
        e.Pozycja = poz.Izby.at(n);
        wIzby.push_back(e);
    }
    std::vector<TrPrzepis> wPrzepisy;
    for (int32_t n : przepisy) {
        TrPrzepis e;
        e.Numer = n;
        auto it = opcje.Przepisy.find(n);
        e.Nazwa = "Przepis " + std::to_string(n);
        if (it != opcje.Przepisy.end()) {
            e.Nazwa = W(it->second.first);
            e.Dzial = it->second.second;
        } else {
            for (const auto& a : opcje.Akty)
                if (a.Numer == n) e.Nazwa = W(a.Nazwa);
        }
        e.Pozycja = poz.Przepisy.at(n);
        wPrzepisy.push_back(e);
    }
    std::vector<TrAkt> wAkty;
    for (const auto& a : opcje.Akty) {
        TrAkt e;
        e.Numer = a.Numer;
        e.Nazwa = W(a.Nazwa);
        e.Plik = W(a.Stem);
        wAkty.push_back(e);
    }
    std::vector<TrSlownikTxt> wDzialy;
    for (const auto& [n, nazwa] : opcje.Dzialy) {
        TrSlownikTxt e;
        e.Numer = n;
        e.Nazwa = W(nazwa);
        wDzialy.push_back(e);
    }
    ZapisSlownikaIzb(katalog + "/izby.ini", wIzby);
    ZapisSlownikaPrzepisow(katalog + "/przepisy.ini", wPrzepisy);
    ZapisSlownikaAktow(katalog + "/akty.ini", wAkty);
    ZapisSlownikaDzialow(katalog + "/dzialy.ini", wDzialy);
    return poz;
}

std::string OdczytPliku(const std::filesystem::path& sciezka) {
    std::ifstream f(sciezka, std::ios::binary);
    if (!f) throw std::runtime_error("cannot read " + sciezka.string());
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void ZapisPliku(const std::string& sciezka, const std::string& bajty) {
    std::ofstream f(sciezka, std::ios::binary | std::ios::trunc);
    f.write(bajty.data(), std::streamsize(bajty.size()));
    if (!f) throw std::runtime_error("cannot write " + sciezka);
}

void ObcieciePliku(const std::string& sciezka, std::size_t rozmiar) {
    fs::resize_file(sciezka, rozmiar);
}

std::vector<int32_t> Dokumenty(const TcTablicaLogiczna& zbior) {
    std::vector<int32_t> wynik;
    for (int32_t d = 1; d < zbior.Dlugosc(); ++d)
        if (zbior[size_t(d)]) wynik.push_back(d);
    return wynik;
}

std::vector<int32_t> DokumentyFrazy(TcZapytanie& q, const std::string& fraza) {
    TcTablicaLogiczna z(q.LiczbaDokumentow() + 1);
    q.SzukanieFrazy(fraza, z);
    return Dokumenty(z);
}

std::string Nazwa(int i) {
    std::string n = std::to_string(i);
    return std::string(7 - n.size(), '0') + n + ".htm";
}
