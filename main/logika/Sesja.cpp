#include "Sesja.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "Konfiguracja.h"
#include "Mail.h"
#include "ParserBool.h"
#include "RodzinyWyrazow.h"
#include "Bledy.h"
#include "Zapytanie.h"
#include "Znajdowanie.h"
#include "bSlownikTxt.h"
#include "d_Szablon.h"

namespace {

bool Istnieje(const std::string& sciezka) {
    struct stat s {};
    return ::stat(sciezka.c_str(), &s) == 0;
}

// The dictionary read from its file; an empty one when the file is missing and may be.
template <class TSlownik>
std::unique_ptr<TSlownik> Slownik(const std::string& sciezka, bool wymagany) {
    return std::make_unique<TSlownik>(sciezka, wymagany || Istnieje(sciezka));
}

}  // namespace

TcSesja::TcSesja(const TOpcjeSesji& opcje)
    : katalog_(opcje.Ladowanie.Katalog), katalogRoboczy_(opcje.KatalogRoboczy.empty() ? katalog_ : opcje.KatalogRoboczy) {
    konfiguracja_ = std::make_unique<TcKonfiguracja>();
    if (opcje.OdczytKonfiguracji) konfiguracja_->OdczytanieKonfiguracji(TGeometriaOkna{});
    const bool wymagane = opcje.SlownikiWymagane;
    const std::string& slowniki = opcje.KatalogSlownikow.empty() ? katalog_ : opcje.KatalogSlownikow;
    akty_ = Slownik<TcSlownikTxtAkt>(Sciezka(slowniki, "akty.ini"), wymagane);
    dzialy_ = Slownik<TcSlownikTxt>(Sciezka(slowniki, "dzialy.ini"), wymagane);
    izby_ = Slownik<TcSlownikTxtIzba>(Sciezka(slowniki, "izby.ini"), wymagane);
    przepisy_ = Slownik<TcSlownikTxtPrzepis>(Sciezka(slowniki, "przepisy.ini"), wymagane);
    zapytanie_ = std::make_unique<TcZapytanie>(opcje.Ladowanie, izby_.get(), przepisy_.get());
    liczace_ = std::make_unique<TcZapytanie>(*zapytanie_);
    parser_ = std::make_unique<TcParserBool>(*zapytanie_);
    znajdowanie_ = std::make_unique<TcZnajdowanie>();
    mail_ = std::make_unique<TcMail>();
    slownikForm_ = opcje.SlownikForm;
    if (opcje.RodzinyWyrazow) PrzygotowanieRodzin();
}

// A saved grouping that is stale or damaged is noted on standard error and made anew.
bool TcSesja::PrzygotowanieRodzin() {
    if (rodziny_) return true;
    const std::string& slownik = slownikForm_;
    bladRodzin_.clear();
    const TcMagazynIndeksu& m = zapytanie_->Magazyn();
    const std::string plik = TcKonfiguracja::Katalog() + "/" + PlikRodzin;
    std::string powod;
    rodziny_ = TcRodzinyWyrazow::Wczytanie(plik, TcRodzinyWyrazow::Odcisk(m.Slowa, m.W), slownik, &powod);
    if (!rodziny_) {
        if (!powod.empty()) std::fprintf(stderr, "%s: %s; grouping the words anew\n", plik.c_str(), powod.c_str());
        try {
            rodziny_ = std::make_unique<TcRodzinyWyrazow>(m.Slowa, m.W, slownik);
        } catch (const EInOutError& e) {
            bladRodzin_ = e.what();
            return false;
        }
        std::error_code blad;
        std::filesystem::create_directories(TcKonfiguracja::Katalog(), blad);
        if (!rodziny_->Zapis(plik)) std::fprintf(stderr, "%s: cannot be saved\n", plik.c_str());
    }
    zapytanie_->Rodziny = liczace_->Rodziny = rodziny_.get();
    return true;
}

TcSesja::~TcSesja() { Zwolnienie(); }

void TcSesja::OtwarcieSzablonow() {
    if (!szablony_) szablony_ = std::make_unique<Tdm_Szablon>(katalogRoboczy_);
}

void TcSesja::Zwolnienie() {
    szablony_.reset();
    parser_.reset();
    liczace_.reset();
    zapytanie_.reset();
    rodziny_.reset();
    akty_.reset();
    przepisy_.reset();
    izby_.reset();
    dzialy_.reset();
}

bool TcSesja::Wykonanie(TcZapytanie& zapytanie) { return zapytanie.WykonanieZapytania(*parser_); }

std::string TcSesja::Sciezka(const std::string& katalog, const std::string& nazwa) {
    if (katalog.empty()) return nazwa;
    std::string sciezka = katalog;
    if (sciezka.back() != '/') sciezka.push_back('/');
    sciezka.append(nazwa);
    return sciezka;
}
