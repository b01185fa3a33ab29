// The query object: the run of a whole query (conditions, the chamber and provision filters,
// the kinds, the report restriction), phrase search handed to the scans, the document records.
#include "Zapytanie.h"

#include <algorithm>

#include "ParserBool.h"
#include "RodzinyWyrazow.h"
#include "SzybkieSkanowanie.h"
#include "ZapisDanych.h"
#include "bSlownikTxt.h"
#include "cp1250.h"
#include "mLib.h"

namespace {

constexpr int32_t kKoniecZbioru = 0x3ffff;   // Wyzerowanie's "up to the last entry"

}  // namespace

// ---- Construction ----

TcZapytanie::TcZapytanie(const TOpcjeLadowania& opcje, const TcSlownikTxtIzba* izby,
                         const TcSlownikTxtPrzepis* przepisy)
    : TcZapytanie(std::make_shared<TcMagazynIndeksu>(opcje), nullptr, izby, przepisy) {}

TcZapytanie::TcZapytanie(const TcZapytanie& zrodlo)
    : TcZapytanie(zrodlo.magazyn_, &zrodlo, zrodlo.slownikIzb_, zrodlo.slownikPrzepisow_) {}

TcZapytanie::TcZapytanie(std::shared_ptr<TcMagazynIndeksu> magazyn, const TcZapytanie* zrodlo,
                         const TcSlownikTxtIzba* izby, const TcSlownikTxtPrzepis* przepisy)
    : Wynik(zrodlo ? zrodlo->Wynik.Dlugosc() : magazyn->N + 1),
      magazyn_(std::move(magazyn)),
      slownikIzb_(izby),
      slownikPrzepisow_(przepisy),
      skanowanie_(*magazyn_),
      zbiorPrzepisu_(0),
      zbiorIzby_(0),
      zbiorRaportu_(0),
      roboczy_(Wynik.Dlugosc()) {
    if (zrodlo) {
        Znaki = zrodlo->Znaki;
        NaDysku = zrodlo->NaDysku;
        PoczatekPism = zrodlo->PoczatekPism;
        PoczatekTez = zrodlo->PoczatekTez;
        KoniecTez = zrodlo->KoniecTez;
        ladujacy_ = zrodlo->ladujacy_;
        szybkie_ = zrodlo->szybkie_;   // one search never runs inside another: its scratch serves both
    } else {
        Znaki = magazyn_->Znaki;
        NaDysku = magazyn_->NaDysku;
        PoczatekPism = magazyn_->PoczatekPism;
        PoczatekTez = magazyn_->PoczatekTez;
        KoniecTez = magazyn_->KoniecTez;
        ladujacy_ = this;
        // When the lists come from slowo.idx, the fast search is set up with the store (the lists
        // mapped, slowo.krt read) rather than under the first search. Lists built from the image
        // wait for it.
        if (magazyn_->NaDysku || !magazyn_->SumyList.empty()) szybkie_ = std::make_shared<TSzybkieSzukanie>(*magazyn_);
    }
}

// The store's files close with the store, when its last holder goes; the counting copy is
// destroyed first and so never closes them under the loading object.
TcZapytanie::~TcZapytanie() = default;

int32_t TcZapytanie::LiczbaDokumentow() const { return magazyn_->N; }

// ---- Phrase search ----

void TcZapytanie::SzukanieFrazy(const std::string& fraza, TcTablicaLogiczna& wynik) {
    const bool formy = formyWykonania_.value_or(WszystkieFormy);
    fraza_ = AnalizaFrazy(*magazyn_, fraza, formy ? Rodziny : nullptr);
    wynik.Wypelnienie(false);
    // Posting lists narrow a phrase to its candidate documents: in memory mode mapped from
    // slowo.idx as far as slowo.spr vouches for them, else built once from the image; mapped
    // with the image from slowo.idx and tekst.img in disk mode; slowo.par, when there, gives
    // the documents of each pair of neighbouring words. They decline (and the plain search
    // runs) when the files no longer match the store, or cannot be mapped.
    if (ListyWPamieci && fraza_.LiczbaSlow >= 1) {
        if (!szybkie_) szybkie_ = std::make_shared<TSzybkieSzukanie>(*magazyn_);
        if (szybkie_->Szukanie(fraza_, wynik)) return;
    }
    if (magazyn_->NaDysku) {
        skanowanie_.SzukanieNaDysku(fraza_, wynik);
        return;
    }
    if (fraza_.LiczbaSlow < 1) return;
    skanowanie_.SzukanieWPamieci(fraza_, wynik);
}

TFormySlowa TcZapytanie::FormyWyroznienia() const {
    if (!WszystkieFormy || !Rodziny || Rodziny->LiczbaSlow() != magazyn_->W) return {};
    return [this](const std::string& slowo) {
        std::vector<std::string> formy;
        for (int32_t w : FormySlowa(*magazyn_, *Rodziny, slowo)) formy.push_back(magazyn_->Slowa[size_t(w)]);
        return formy;
    };
}

// ---- Filters ----

void TcZapytanie::SzukanieGrupy(const TTablicaPliku<int32_t>& mix, int32_t pozycja, int32_t numer,
                                const char* gdzie, TcTablicaLogiczna& zbior) {
    zbior.Wypelnienie(false);
    if (pozycja == -1) return;
    if (!magazyn_->WypelnienieGrupy(mix, pozycja, numer, zbior)) mBladWewnetrzny(gdzie, 1, '\r');
}

void TcZapytanie::SzukanieIzby(int32_t numer, TcTablicaLogiczna& zbior) {
    const int32_t pozycja = slownikIzb_ ? slownikIzb_->PozycjaWgNumeru(numer) : -1;
    SzukanieGrupy(magazyn_->IzbyMix, pozycja, numer, "TcZapytanie.SzukanieIzby", zbior);
}

void TcZapytanie::SzukaniePrzepisu(int32_t numer, TcTablicaLogiczna& zbior) {
    const int32_t pozycja = slownikPrzepisow_ ? slownikPrzepisow_->PozycjaWgNumeru(numer) : -1;
    SzukanieGrupy(magazyn_->PrzepisyMix, pozycja, numer, "TcZapytanie.SzukaniePrzepisu", zbior);
}

// ---- The query ----

bool TcZapytanie::WykonanieZapytania(TcParserBool& parser) {
    const int32_t dl = Wynik.Dlugosc();
    struct TTrybForm {
        const TcZapytanie& ladujacy;
        ~TTrybForm() { ladujacy.formyWykonania_.reset(); }
    } tryb{*ladujacy_};
    ladujacy_->formyWykonania_ = WszystkieFormy;

    // The additional condition is checked alone, into a scratch set: a wrong one leaves the
    // current result exactly as it was. The scratch is kept between queries (every evaluation
    // writes all its entries), so a query allocates nothing of the set's size.
    TcTablicaLogiczna& roboczy = roboczy_;
    if (roboczy.Dlugosc() != dl) roboczy.Rozmiar(dl);
    if (!WarunekDodatkowy.empty() && !parser.AnalizaWarunku(WarunekDodatkowy, roboczy)) {
        bladStandardowego_ = false;
        return false;
    }

    std::string pelny;
    if (!Warunek.empty()) {
        size_t a = 0, b = Warunek.size();
        while (a < b && static_cast<unsigned char>(Warunek[a]) <= ' ') ++a;
        while (b > a && static_cast<unsigned char>(Warunek[b - 1]) <= ' ') --b;
        pelny = Warunek.substr(a, b - a);
        if (!WarunekDodatkowy.empty()) {
            // An unclosed quote makes the additional condition's last phrase run to its end. Joined
            // as it is, that phrase would swallow the closing parenthesis and turn a condition that
            // passed the check into an internal error; closed here, it keeps the same phrase.
            std::string dodatkowy = WarunekDodatkowy;
            if (std::count(dodatkowy.begin(), dodatkowy.end(), '"') % 2 != 0) dodatkowy += '"';
            pelny = "( " + pelny + " ) AND ( " + dodatkowy + " )";
        }
    } else {
        pelny = WarunekDodatkowy;
    }
    pelny = mControlToSpaces(pelny);

    if (!pelny.empty()) {
        if (!parser.AnalizaWarunku(pelny, roboczy)) {
            // Only the standard condition can be wrong here; a phrase too long for the search is
            // the user's error, anything else the program's.
            if (ladujacy_ && ladujacy_->FrazaZaDluga()) {
                bladStandardowego_ = true;
                return false;
            }
            mBladWewnetrznyTekst(PL("bebłąd !!!"));
        }
    } else {
        roboczy.Wypelnienie(true);
    }

    // A filter narrows the result only when one is chosen; each search for one writes its
    // whole set, so an unused filter's set is never touched.
    const auto rozmiar = [dl](TcTablicaLogiczna& zbior) -> TcTablicaLogiczna& {
        if (zbior.Dlugosc() != dl) zbior.Rozmiar(dl);
        return zbior;
    };
    if (Izba != 0) {
        SzukanieIzby(Izba, rozmiar(zbiorIzby_));
        roboczy.Iloczyn(zbiorIzby_);
    }
    if (Przepis != 0) {
        SzukaniePrzepisu(Przepis, rozmiar(zbiorPrzepisu_));
        roboczy.Iloczyn(zbiorPrzepisu_);
    }
    if (TylkoDoRaportu && !Raport.empty()) {
        zbiorRaportu_ = Wynik;
        roboczy.Iloczyn(zbiorRaportu_);
    }
    if (!Interpretacja) {
        roboczy.Wyzerowanie(1, PoczatekPism - 1);
        roboczy.Wyzerowanie(KoniecTez + 1, kKoniecZbioru);
    }
    if (!PismoMinisterstwa) roboczy.Wyzerowanie(PoczatekPism, PoczatekTez - 1);
    if (!TezaOrzeczenia) roboczy.Wyzerowanie(PoczatekTez, KoniecTez);

    WarunekPelny = std::move(pelny);
    Wynik.Zamiana(roboczy);
    Raport.assign(1, 'X');
    return true;
}

// ---- Records and acts ----

TDokument TcZapytanie::OdczytanieDokumentu(int32_t numer) const {
    if (numer < 1 || numer > magazyn_->N) mBladWewnetrzny("TcZapytanie.OdczytanieDokumentu", 1);
    std::string rekord;
    magazyn_->CzytajRekord(numer, rekord);
    if (rekord.size() < 4) mBladWewnetrzny("TcZapytanie.OdczytanieDokumentu", 2);
    SzyfrowanieRekordu(rekord.data(), rekord.size());
    TDokument dok;
    for (int i = 3; i >= 0; --i) dok.Data = (dok.Data << 8) | static_cast<unsigned char>(rekord[size_t(i)]);
    dok.Tekst.assign(rekord, 4, std::string::npos);
    return dok;
}

void TcZapytanie::WczytanieAktu(const std::string& stem) { magazyn_->WczytanieAktu(stem); }

std::string TcZapytanie::OdczytanieFraz(int32_t pozycja) const { return magazyn_->OdczytanieFraz(pozycja); }
