// The session: builds, connects and owns the program's long-lived objects below the windows.
// The main window, the command-line tool, the benchmarks and the tests all start from it, so
// they evaluate queries with the same objects wired the same way.
//
//   TcSesja sesja({.Ladowanie = {.Katalog = "dane"}});   // reads the dictionaries, loads the store
//   TcZapytanie& q = sesja.Zapytanie();
//   q.Warunek = "\"podatek\" AND_NOT \"VAT*\"";
//   if (!sesja.Wykonanie(q)) show sesja.Parser().Blad;
//
// Built in this order: the configuration store (reads "Belvastrona.ini"),
// the four dictionaries (acts, sections, chambers, provisions), the loading query (it loads
// the index store), the counting copy sharing that store, and the condition parser, which
// searches phrases on the loading query, the act reader's finder and the mail sender; the
// window then opens the template table (OtwarcieSzablonow). The families of word forms (all
// forms of words) come when first asked for (PrzygotowanieRodzin).
// Zwolnienie releases the template table, the parser, the two queries and the dictionaries in
// that order; the configuration stays so that the window can write it last.
//
// Loading errors leave the constructor (EInOutError, ECorruptIndex, EBladOtwarcia, a dictionary
// that cannot be read): nothing half-built remains.
#pragma once

#include <memory>
#include <string>

#include "MagazynIndeksu.h"

class TcKonfiguracja;
class TcParserBool;
class TcSlownikTxt;
class TcSlownikTxtAkt;
class TcSlownikTxtIzba;
class TcSlownikTxtPrzepis;
class TcZapytanie;
class TcZnajdowanie;
class TcMail;
class Tdm_Szablon;
class TcRodzinyWyrazow;

struct TOpcjeSesji {
    TOpcjeLadowania Ladowanie;        // the data directory ("" = the current folder) and the mode
    // A dictionary file that is missing is an error (the window); off, the dictionary is empty
    // (the command-line tool works on a bare index).
    bool SlownikiWymagane = true;
    // Where the dictionaries are, when not in the data directory (the benchmarks keep them apart).
    std::string KatalogSlownikow;
    // Where the template table is (KatalogRoboczy.h); "" = the data directory.
    std::string KatalogRoboczy;
    // Read "Belvastrona.ini" at once (the window); off, the configuration keeps its defaults and
    // the user's folder is not touched (the command-line tool, the benchmarks).
    bool OdczytKonfiguracji = true;
    // Group the words into families of forms (all forms of words searched) at once; else when
    // PrzygotowanieRodzin() is first called.
    bool RodzinyWyrazow = false;
    std::string SlownikForm = "/usr/share/hunspell/pl_PL";   // hunspell's .aff/.dic without extension
};

// The saved grouping of words into families, in the configuration folder.
inline constexpr const char* PlikRodzin = "Belvastrona.formy";

class TcSesja {
public:
    explicit TcSesja(const TOpcjeSesji& opcje = {});
    ~TcSesja();
    TcSesja(const TcSesja&) = delete;
    TcSesja& operator=(const TcSesja&) = delete;

    TcKonfiguracja& Konfiguracja() { return *konfiguracja_; }
    const TcSlownikTxtAkt& Akty() const { return *akty_; }
    const TcSlownikTxt& Dzialy() const { return *dzialy_; }
    const TcSlownikTxtIzba& Izby() const { return *izby_; }
    const TcSlownikTxtPrzepis& Przepisy() const { return *przepisy_; }
    TcZapytanie& Zapytanie() { return *zapytanie_; }             // the user's searches
    const TcZapytanie& Zapytanie() const { return *zapytanie_; }
    TcZapytanie& Liczace() { return *liczace_; }                 // the live counts
    TcParserBool& Parser() { return *parser_; }
    TcZnajdowanie& Znajdowanie() { return *znajdowanie_; }       // find in the act reader
    TcMail& Mail() { return *mail_; }                            // the desktop mail hand-over
    // The families of word forms, for searching all forms of words: read from the grouping saved
    // in the configuration folder when it was made for this word list and dictionary, else made
    // with hunspell over the whole list (about a second for 30,000 words) and saved there for the
    // next start. False when the dictionary is missing; BladRodzin() then says why (a Polish
    // message, Windows-1250) and searching stays with exact forms. Once made, they stay.
    bool PrzygotowanieRodzin();
    const TcRodzinyWyrazow* Rodziny() const { return rodziny_.get(); }
    const std::string& BladRodzin() const { return bladRodzin_; }
    const std::string& SlownikForm() const { return slownikForm_; }

    // The template table of the data directory, opened (made when missing, its index rebuilt)
    // once the main window exists; a table that cannot be opened or made: EInOutError naming it.
    void OtwarcieSzablonow();
    bool MaSzablony() const { return szablony_ != nullptr; }
    Tdm_Szablon& Szablony() { return *szablony_; }

    // Runs a query of this session (the loading one or the counting copy) with the session's
    // parser; false when a condition is wrong (Parser() describes the error).
    bool Wykonanie(TcZapytanie& zapytanie);

    // The data directory as given ("" = the current folder) and a file's path in it.
    const std::string& Katalog() const { return katalog_; }
    std::string SciezkaDanych(const std::string& nazwa) const { return Sciezka(katalog_, nazwa); }
    // The folder of the template table ("" = the data directory).
    const std::string& KatalogRoboczy() const { return katalogRoboczy_; }

    // Releases the parser, the queries and the dictionaries (in that order); the configuration
    // stays. Called by the destructor when not called before.
    void Zwolnienie();

private:
    static std::string Sciezka(const std::string& katalog, const std::string& nazwa);

    std::string katalog_;
    std::string katalogRoboczy_;
    std::unique_ptr<TcKonfiguracja> konfiguracja_;
    std::unique_ptr<TcSlownikTxtAkt> akty_;
    std::unique_ptr<TcSlownikTxt> dzialy_;
    std::unique_ptr<TcSlownikTxtIzba> izby_;
    std::unique_ptr<TcSlownikTxtPrzepis> przepisy_;
    std::unique_ptr<TcZapytanie> zapytanie_;
    std::unique_ptr<TcZapytanie> liczace_;
    std::unique_ptr<TcParserBool> parser_;
    std::unique_ptr<TcZnajdowanie> znajdowanie_;
    std::unique_ptr<TcMail> mail_;
    std::unique_ptr<Tdm_Szablon> szablony_;
    std::unique_ptr<TcRodzinyWyrazow> rodziny_;
    std::string bladRodzin_;
    std::string slownikForm_;
};
