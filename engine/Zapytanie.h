// The query object. The main window holds two: the loading object, whose constructor loads
// the index store and which runs the user's searches, and the counting copy, which shares the
// store and runs the live counts beside each field.
//
//   TcZapytanie q({}, &izby, &przepisy);    // loads the current folder's data directory
//   TcParserBool parser(q);                 // phrases are always searched on the loading object
//   q.Warunek = "\"podatek\" AND_NOT \"VAT*\"";
//   if (!q.WykonanieZapytania(parser)) show Ostrzezenie("Błąd w warunku dodatkowym", parser.Blad);
//   q.Wynik[d] ...                          // the result
//
// Texts are Windows-1250.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Analiza.h"
#include "Fraza.h"
#include "MagazynIndeksu.h"
#include "SkanowanieFraz.h"
#include "TablicaLogiczna.h"
#include "ZrodloFraz.h"

class TcParserBool;
class TcRodzinyWyrazow;
class TSzybkieSzukanie;
class TcSlownikTxtIzba;
class TcSlownikTxtPrzepis;

struct TDokument {
    uint32_t Data = 0;      // packed MS-DOS date-time
    std::string Tekst;      // HTML, ISO-8859-2
};

class TcZapytanie : public IZrodloFraz {
public:
    // Loading object: loads the index store (see TcMagazynIndeksu for the errors). The
    // dictionaries give the groups' positions in izby.mix and przepisy.mix; without one, a
    // chamber (or provision) filter finds no document.
    explicit TcZapytanie(const TOpcjeLadowania& opcje = {}, const TcSlownikTxtIzba* izby = nullptr,
                         const TcSlownikTxtPrzepis* przepisy = nullptr);
    // Counting copy: shares the store and the dictionaries of `zrodlo`, never closes its files.
    explicit TcZapytanie(const TcZapytanie& zrodlo);
    ~TcZapytanie() override;
    TcZapytanie& operator=(const TcZapytanie&) = delete;

    // Query fields.
    std::string Warunek;
    std::string WarunekDodatkowy;
    std::string WarunekPelny;
    int32_t Izba = 0;
    int32_t Przepis = 0;
    bool TylkoDoRaportu = false;
    bool PismoMinisterstwa = false;
    bool Interpretacja = false;
    bool TezaOrzeczenia = false;

    // Narrow phrases through posting lists (memory mode: built from the image on first use;
    // disk mode: slowo.idx and tekst.img mapped); off, memory mode scans the whole image and
    // disk mode reads each candidate's run. All give the same sets.
    bool ListyWPamieci = true;

    // Search every form of the phrases' words (the families of Rodziny), not only the form
    // typed; prefixes stay as they are. Off, or without Rodziny, the exact forms.
    bool WszystkieFormy = false;
    // The families of this store's words (the session sets them on both queries).
    const TcRodzinyWyrazow* Rodziny = nullptr;

    // Store fields copied into the counting copy.
    std::string Znaki;
    bool NaDysku = false;

    TcTablicaLogiczna Wynik;
    std::string Raport;      // non-empty: Wynik is the current result

    int32_t PoczatekPism = 0, PoczatekTez = 0, KoniecTez = 0;

    // Runs the query described by the fields; `parser` evaluates the conditions (its phrases
    // are searched on the loading object). Returns false when a condition is wrong: nothing
    // changes (Wynik, Raport and WarunekPelny keep their values) and the parser's Blad /
    // PozycjaBledu / DlugoscBledu describe the error; the caller shows
    // Ostrzezenie("Błąd w warunku dodatkowym", Blad). The standard condition fails so only for
    // a phrase of more than 16 words ("Fraza może mieć najwyżej 16 słów."); any other error of
    // it is the internal error "bebłąd !!!".
    bool WykonanieZapytania(TcParserBool& parser);
    // After WykonanieZapytania returned false: true when the standard condition (Warunek) was at
    // fault, false when the additional condition was.
    bool BladWarunkuStandardowego() const { return bladStandardowego_; }

    void SzukanieIzby(int32_t numer, TcTablicaLogiczna& zbior);
    void SzukaniePrzepisu(int32_t numer, TcTablicaLogiczna& zbior);

    // Phrase search (the parser runs it on the loading object).
    void SzukanieFrazy(const std::string& fraza, TcTablicaLogiczna& wynik) override;
    // True after a phrase search refused its phrase for having more than 16 words (the result
    // is then empty); the condition parser turns it into an error of the condition.
    bool FrazaZaDluga() const override { return fraza_.ZaDluga; }
    // For marking a shown document: every form of a word, upper-cased, when this query searches
    // all forms (empty otherwise: phrases are marked as typed).
    TFormySlowa FormyWyroznienia() const;
    // The word ranges of the last phrase searched.
    const TFraza& OstatniaFraza() const { return fraza_; }

    // Record store.
    TDokument OdczytanieDokumentu(int32_t numer) const;

    // Act section tables.
    void WczytanieAktu(const std::string& stem);
    std::string OdczytanieFraz(int32_t pozycja) const;

    int32_t LiczbaDokumentow() const;                 // N
    bool Kopia() const { return ladujacy_ != this; }  // the counting copy
    const TcMagazynIndeksu& Magazyn() const { return *magazyn_; }
    std::shared_ptr<TcMagazynIndeksu> WspolnyMagazyn() const { return magazyn_; }

private:
    TcZapytanie(std::shared_ptr<TcMagazynIndeksu> magazyn, const TcZapytanie* zrodlo,
                const TcSlownikTxtIzba* izby, const TcSlownikTxtPrzepis* przepisy);
    void SzukanieGrupy(const TTablicaPliku<int32_t>& mix, int32_t pozycja, int32_t numer, const char* gdzie,
                       TcTablicaLogiczna& zbior);

    std::shared_ptr<TcMagazynIndeksu> magazyn_;
    const TcZapytanie* ladujacy_ = nullptr;           // the loading object (this for itself)
    const TcSlownikTxtIzba* slownikIzb_ = nullptr;
    const TcSlownikTxtPrzepis* slownikPrzepisow_ = nullptr;
    bool bladStandardowego_ = false;
    // Set on the loading object while a query (it or the counting copy) runs: whose mode its
    // phrase searches take.
    mutable std::optional<bool> formyWykonania_;
    TFraza fraza_;                                    // the last phrase searched
    TSkanowanieFraz skanowanie_;                      // scans without posting lists
    std::shared_ptr<TSzybkieSzukanie> szybkie_;       // posting lists: built from the image, or mapped; the
                                                      // counting copy shares the loading object's
    // Filter sets, kept between queries and made and written only when their filter is chosen.
    TcTablicaLogiczna zbiorPrzepisu_, zbiorIzby_, zbiorRaportu_;
    TcTablicaLogiczna roboczy_;                       // WykonanieZapytania's scratch, kept between queries
};
