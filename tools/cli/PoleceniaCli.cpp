#include "PoleceniaCli.h"

#include <sysexits.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

#include "Analiza.h"
#include "KatalogRoboczy.h"
#include "ParserBool.h"
#include "Sesja.h"
#include "Mail.h"
#include "TablicaRaportu.h"
#include "WysylanieDokumentow.h"
#include "TekstRaportu.h"
#include "ZapisRaportu.h"
#include "Zapytanie.h"
#include "bPlik.h"
#include "cp1250.h"
#include "d_Szablon.h"
#include "mLib.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kDlugoscPoczatku = 480;   // characters of a document's text in --json
constexpr const char* kProgram = "belvastrona-cli";

// A command line that cannot be run (exit status EX_USAGE); the message is UTF-8.
struct BladWywolania {
    std::string komunikat;
};

// A command that was understood but cannot be done (exit status 1); the message is UTF-8.
struct BladWykonania {
    std::string komunikat;
};

const char* const kPomoc =
    "Użycie: belvastrona-cli [--data KATALOG] [--force-disk] POLECENIE [ARGUMENTY]\n"
    "        belvastrona-cli --help | --version\n"
    "Polecenia:\n"
    "  info\n"
    "  query [--condition TEKST] [--extra TEKST] [--chamber N] [--provision N]\n"
    "        [--no-interpretations] [--no-letters] [--no-theses] [--forms] [--count] [--json]\n"
    "  show N [--highlight TEKST] [--forms]\n"
    "  count [--forms] TEKST...\n"
    "  report save NAZWA [opcje warunku polecenia query] [--force]\n"
    "  report list\n"
    "  report show NAZWA [--json]\n"
    "  template list\n"
    "  template show OPIS [--json]\n"
    "  mail [opcje warunku polecenia query] | mail --report NAZWA\n"
    "Opcje:\n"
    "  --data KATALOG  katalog danych; bez tej opcji zmienna BELVASTRONA_DANE, a bez niej\n"
    "                  bieżący katalog\n"
    "  --force-disk    indeks czytany z dysku, także gdy zmieściłby się w pamięci\n"
    "  -h, --help      ten opis\n"
    "  --version       nazwa i wersja programu\n"
    "Folder roboczy to katalog danych, gdy można w nim zapisywać, a w przeciwnym razie\n"
    "$XDG_DATA_HOME/Belvastrona (~/.local/share/Belvastrona); podaje go polecenie info.\n"
    "Raporty to pliki NAZWA.rap jego folderu Raporty; istniejący raport (wielkość liter bez\n"
    "znaczenia) zastępuje tylko --force. Szablony są czytane z jego tabeli szablon.DBF.\n"
    "mail przekazuje programowi pocztowemu (xdg-email) pierwsze 10 dokumentów wyniku zapytania,\n"
    "zapisane w folderze roboczym jako w1.htm .. w10.htm, albo plik raportu; wypisuje wysłane.\n"
    "Kod wyjścia: 0 wykonano, 1 błąd wykonania, 2 błąd w warunku, 3 błąd wewnętrzny programu,\n"
    "4 nieudane przekazanie poczty, 64 błędne wywołanie.\n";

std::string Utf8(const std::string& cp1250Tekst) { return cp1250::toUtf8(cp1250Tekst); }
std::string Win(const std::string& utf8) { return cp1250::fromUtf8(utf8); }

std::optional<int32_t> LiczbaCalkowita(const std::string& tekst) {
    try {
        size_t koniec = 0;
        const long v = std::stol(tekst, &koniec);
        if (koniec == tekst.size() && v >= INT32_MIN && v <= INT32_MAX) return int32_t(v);
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

int32_t Liczba(const std::string& opcja, const std::string& tekst) {
    if (const std::optional<int32_t> v = LiczbaCalkowita(tekst)) return *v;
    throw BladWywolania{"Opcja " + opcja + " wymaga liczby całkowitej, podano '" + tekst + "'."};
}

// Takes the value of an option that needs one.
std::string Wartosc(const std::vector<std::string>& r, size_t& i) {
    if (i + 1 >= r.size()) throw BladWywolania{"Opcja " + r[i] + " wymaga wartości."};
    return r[++i];
}

// The options of a query's condition (query, report save, mail), as given (UTF-8).
struct TOpcjeWarunku {
    std::optional<std::string> warunek, dodatkowy;
    std::optional<int32_t> izba, przepis;
    bool interpretacje = true, pisma = true, tezy = true, formy = false;
    bool podane = false;   // any of them was given

    // The option at r[i] (its value taken too); false for any other word.
    bool Rozbior(const std::vector<std::string>& r, size_t& i) {
        const std::string& o = r[i];
        if (o == "--condition") warunek = Wartosc(r, i);
        else if (o == "--extra") dodatkowy = Wartosc(r, i);
        else if (o == "--chamber") izba = Liczba(o, Wartosc(r, i));
        else if (o == "--provision") przepis = Liczba(o, Wartosc(r, i));
        else if (o == "--no-interpretations") interpretacje = false;
        else if (o == "--no-letters") pisma = false;
        else if (o == "--no-theses") tezy = false;
        else if (o == "--forms") formy = true;
        else return false;
        podane = true;
        return true;
    }

    void Zastosowanie(TcZapytanie& q) const {
        q.Interpretacja = interpretacje;
        q.PismoMinisterstwa = pisma;
        q.TezaOrzeczenia = tezy;
        if (warunek) q.Warunek = Win(*warunek);
        if (dodatkowy) q.WarunekDodatkowy = Win(*dodatkowy);
        if (izba) q.Izba = *izba;
        if (przepis) q.Przepis = *przepis;
        if (formy) q.WszystkieFormy = true;
    }
};

// The whole command line, checked before anything is loaded.
struct TWywolanie {
    std::optional<std::string> katalog;   // --data
    bool dysk = false;
    bool pomoc = false, wersja = false;
    std::string polecenie;                // info, query, show, count, report, template, mail
    std::string podpolecenie;             // save, list, show of report and template
    std::vector<std::string> reszta;      // the command's own words, in order

    TOpcjeWarunku warunek;                // query, report save, mail
    bool tylkoLiczba = false, json = false, nadpisanie = false, formy = false;
    int32_t numer = 0;                    // show
    std::string wyroznienie;              // show --highlight (UTF-8)
    std::vector<std::string> teksty;      // count
    std::string nazwa;                    // report name, template description, mail --report
    bool raport = false;                  // mail --report

    bool Formy() const { return formy || warunek.formy; }
    // Reports, templates and mail attachments live in the working folder.
    bool WFolderzeRoboczym() const {
        return polecenie == "info" || polecenie == "report" || polecenie == "template" || polecenie == "mail";
    }
    bool BezSesji() const { return polecenie == "template" || (polecenie == "report" && podpolecenie == "list"); }
};

bool ZWartoscia(const std::string& opcja) {
    for (const char* o : {"--data", "--condition", "--extra", "--chamber", "--provision", "--highlight", "--report"})
        if (opcja == o) return true;
    return false;
}

void BezArgumentow(const std::string& polecenie, const std::vector<std::string>& r, size_t od) {
    if (r.size() > od) throw BladWywolania{"Nieznany argument polecenia " + polecenie + ": '" + r[od] + "'."};
}

void RozbiorQuery(TWywolanie& w) {
    const std::vector<std::string>& r = w.reszta;
    for (size_t i = 0; i < r.size(); ++i) {
        if (w.warunek.Rozbior(r, i)) continue;
        if (r[i] == "--count") w.tylkoLiczba = true;
        else if (r[i] == "--json") w.json = true;
        else throw BladWywolania{"Nieznana opcja polecenia query: '" + r[i] + "'."};
    }
}

void RozbiorShow(TWywolanie& w) {
    const std::vector<std::string>& r = w.reszta;
    bool jest = false;
    for (size_t i = 0; i < r.size(); ++i) {
        if (r[i] == "--highlight") {
            w.wyroznienie = Wartosc(r, i);
        } else if (r[i] == "--forms") {
            w.formy = true;
        } else if (!jest) {
            const std::optional<int32_t> n = LiczbaCalkowita(r[i]);
            if (!n) throw BladWywolania{"Numer dokumentu polecenia show musi być liczbą całkowitą, podano '" + r[i] + "'."};
            w.numer = *n;
            jest = true;
        } else {
            throw BladWywolania{"Nieznany argument polecenia show: '" + r[i] + "'."};
        }
    }
    if (!jest) throw BladWywolania{"Polecenie show wymaga numeru dokumentu."};
}

void RozbiorCount(TWywolanie& w) {
    for (const std::string& t : w.reszta) {
        if (t == "--forms") w.formy = true;
        else w.teksty.push_back(t);
    }
    if (w.teksty.empty()) throw BladWywolania{"Polecenie count wymaga co najmniej jednego tekstu."};
}

void RozbiorReport(TWywolanie& w) {
    const std::vector<std::string>& r = w.reszta;
    if (r.empty() || (r[0] != "save" && r[0] != "list" && r[0] != "show"))
        throw BladWywolania{"Polecenie report wymaga save, list albo show."};
    w.podpolecenie = r[0];
    if (w.podpolecenie == "list") return BezArgumentow("report list", r, 1);
    bool jest = false;
    for (size_t i = 1; i < r.size(); ++i) {
        if (w.podpolecenie == "save" && w.warunek.Rozbior(r, i)) continue;
        if (w.podpolecenie == "save" && r[i] == "--force") {
            w.nadpisanie = true;
        } else if (w.podpolecenie == "show" && r[i] == "--json") {
            w.json = true;
        } else if (!jest && r[i].rfind("--", 0) != 0) {
            w.nazwa = r[i];
            jest = true;
        } else {
            throw BladWywolania{"Nieznany argument polecenia report " + w.podpolecenie + ": '" + r[i] + "'."};
        }
    }
    if (!jest) throw BladWywolania{"Polecenie report " + w.podpolecenie + " wymaga nazwy raportu."};
}

void RozbiorTemplate(TWywolanie& w) {
    const std::vector<std::string>& r = w.reszta;
    if (r.empty() || (r[0] != "list" && r[0] != "show")) throw BladWywolania{"Polecenie template wymaga list albo show."};
    w.podpolecenie = r[0];
    if (w.podpolecenie == "list") return BezArgumentow("template list", r, 1);
    bool jest = false;
    for (size_t i = 1; i < r.size(); ++i) {
        if (r[i] == "--json") {
            w.json = true;
        } else if (!jest) {
            w.nazwa = r[i];
            jest = true;
        } else {
            throw BladWywolania{"Nieznany argument polecenia template show: '" + r[i] + "'."};
        }
    }
    if (!jest) throw BladWywolania{"Polecenie template show wymaga opisu szablonu."};
}

void RozbiorMail(TWywolanie& w) {
    const std::vector<std::string>& r = w.reszta;
    for (size_t i = 0; i < r.size(); ++i) {
        if (r[i] == "--report") {
            if (w.raport) throw BladWywolania{"Opcja --report polecenia mail może wystąpić tylko raz."};
            w.nazwa = Wartosc(r, i);
            w.raport = true;
        } else if (!w.warunek.Rozbior(r, i)) {
            throw BladWywolania{"Nieznana opcja polecenia mail: '" + r[i] + "'."};
        }
    }
    if (w.raport && w.warunek.podane) throw BladWywolania{"Polecenie mail --report nie przyjmuje opcji warunku."};
}

TWywolanie Rozbior(const std::vector<std::string>& a) {
    TWywolanie w;
    // --help and --version count anywhere but as the value of an option.
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--help" || a[i] == "-h") {
            w.pomoc = true;
            return w;
        }
        if (a[i] == "--version") {
            w.wersja = true;
            return w;
        }
        if (ZWartoscia(a[i])) ++i;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--data") {
            if (i + 1 >= a.size()) throw BladWywolania{"Opcja --data wymaga nazwy katalogu."};
            w.katalog = a[++i];
        } else if (a[i] == "--force-disk") {
            w.dysk = true;
        } else if (w.polecenie.empty()) {
            if (a[i].rfind("-", 0) == 0) throw BladWywolania{"Nieznana opcja '" + a[i] + "'."};
            w.polecenie = a[i];
        } else {
            w.reszta.push_back(a[i]);
        }
    }
    if (w.polecenie.empty()) throw BladWywolania{"Nie podano polecenia."};
    if (w.polecenie == "info") BezArgumentow("info", w.reszta, 0);
    else if (w.polecenie == "query") RozbiorQuery(w);
    else if (w.polecenie == "show") RozbiorShow(w);
    else if (w.polecenie == "count") RozbiorCount(w);
    else if (w.polecenie == "report") RozbiorReport(w);
    else if (w.polecenie == "template") RozbiorTemplate(w);
    else if (w.polecenie == "mail") RozbiorMail(w);
    else throw BladWywolania{"Nieznane polecenie '" + w.polecenie + "'."};
    return w;
}

// The data directory: --data, else $BELVASTRONA_DANE, else the current folder.
std::string KatalogDanych(const TWywolanie& w) {
    if (w.katalog) return *w.katalog;
    if (const char* e = std::getenv("BELVASTRONA_DANE"); e != nullptr && *e != '\0') return e;
    return ".";
}

// Makes a folder current for the life of the object: the report list, the template table and
// the mail hand-over work with paths relative to the working folder, as in the window.
class TWFolderze {
public:
    explicit TWFolderze(const std::string& folder) {
        std::error_code blad;
        poprzedni_ = fs::current_path(blad);
        fs::current_path(folder, blad);
        if (blad)
            throw BladWykonania{"Nie można przejść do folderu roboczego '" + folder + "': " + blad.message() + "."};
    }
    ~TWFolderze() {
        std::error_code blad;
        if (!poprzedni_.empty()) fs::current_path(poprzedni_, blad);
    }
    TWFolderze(const TWFolderze&) = delete;
    TWFolderze& operator=(const TWFolderze&) = delete;

private:
    fs::path poprzedni_;
};

std::string Zakres(int32_t od, int32_t do_) {
    if (od <= 0 || do_ < od) return "none";
    return std::to_string(od) + "-" + std::to_string(do_);
}

void BladWarunku(const TcZapytanie& q, const TcParserBool& p, std::ostream& bledy) {
    bledy << (q.BladWarunkuStandardowego() ? "Błąd w warunku: " : "Błąd w warunku dodatkowym: ") << Utf8(p.Blad);
    if (p.PozycjaBledu > 0)
        bledy << " (pozycja " << p.PozycjaBledu << ", długość " << p.DlugoscBledu << ")";
    bledy << "\n";
}

int Info(TcSesja& s, const TKatalogRoboczy& roboczy, std::ostream& out) {
    const TcZapytanie& q = s.Zapytanie();
    out << "documents " << q.LiczbaDokumentow() << "\n"
        << "words " << q.Magazyn().W << "\n"
        << "mode " << (q.NaDysku ? "disk" : "memory") << "\n"
        << "letters " << Zakres(q.PoczatekPism, q.PoczatekTez - 1) << "\n"
        << "theses " << Zakres(q.PoczatekTez, q.KoniecTez) << "\n"
        << "Folder roboczy (raporty i szablony): " << roboczy.Sciezka << "\n";
    return 0;
}

// All forms asked for: the session has grouped the words, or says why it could not.
void KontrolaForm(const TcSesja& s, bool formy) {
    if (formy && !s.Rodziny()) throw BladWykonania{Utf8(s.BladRodzin())};
}

// Runs a query of the session; false, with the condition's error on `err`, when it is wrong.
bool Wykonanie(TcSesja& s, TcZapytanie& q, std::ostream& err) {
    KontrolaForm(s, q.WszystkieFormy);
    if (s.Wykonanie(q)) return true;
    BladWarunku(q, s.Parser(), err);
    return false;
}

int Query(TcSesja& s, const TWywolanie& w, std::ostream& out, std::ostream& err) {
    TcZapytanie& q = s.Zapytanie();
    w.warunek.Zastosowanie(q);
    if (!Wykonanie(s, q, err)) return 2;
    const TcTablicaLogiczna& wynik = q.Wynik;
    const int32_t liczba = wynik.Liczba();
    if (w.tylkoLiczba && !w.json) {
        out << liczba << "\n";
        return 0;
    }
    if (!w.json) {
        for (int32_t d = wynik.Dlugosc() - 1; d >= 1; --d)
            if (wynik[size_t(d)]) out << d << "\n";
        return 0;
    }
    out << "{\"count\": " << liczba << ", \"condition\": " << JsonTekst(Utf8(q.WarunekPelny)) << ", \"documents\": [";
    bool pierwszy = true;
    if (!w.tylkoLiczba) {
        for (int32_t d = wynik.Dlugosc() - 1; d >= 1; --d) {
            if (!wynik[size_t(d)]) continue;
            const TDokument dok = q.OdczytanieDokumentu(d);
            std::string tekst = mHtmlToText(dok.Tekst);
            if (tekst.size() > kDlugoscPoczatku) tekst.resize(kDlugoscPoczatku);
            out << (pierwszy ? "" : ", ") << "{\"number\": " << d << ", \"date\": \"" << DataTekstem(dok.Data)
                << "\", \"text\": " << JsonTekst(Utf8(tekst)) << "}";
            pierwszy = false;
        }
    }
    out << "]}\n";
    return 0;
}

int Show(TcSesja& s, const TWywolanie& w, std::ostream& out) {
    TcZapytanie& q = s.Zapytanie();
    if (w.formy) q.WszystkieFormy = true;
    if (w.numer < 1 || w.numer > q.LiczbaDokumentow())
        throw BladWykonania{"Nie ma dokumentu numer " + std::to_string(w.numer) + " (dokumenty 1-" +
                            std::to_string(q.LiczbaDokumentow()) + ")."};
    const TDokument dok = q.OdczytanieDokumentu(w.numer);
    KontrolaForm(s, q.WszystkieFormy);
    const std::string html = w.wyroznienie.empty()
                                 ? dok.Tekst
                                 : WyroznienieWarunku(Win(w.wyroznienie), dok.Tekst, q.Znaki, "wyroznienie", q.FormyWyroznienia());
    out.write(html.data(), std::streamsize(html.size()));
    return 0;
}

// Each text counted alone, as the live counts beside the query fields do, on a counting copy.
int Count(TcSesja& s, const TWywolanie& w, std::ostream& out, std::ostream& err) {
    TcZapytanie& kopia = s.Liczace();
    kopia.Interpretacja = kopia.PismoMinisterstwa = kopia.TezaOrzeczenia = true;
    if (w.formy) kopia.WszystkieFormy = true;
    for (const std::string& t : w.teksty) {
        std::string warunek(1, '"');
        warunek += Win(t);
        warunek += '"';
        kopia.WarunekDodatkowy = std::move(warunek);
        if (!Wykonanie(s, kopia, err)) return 2;
        out << kopia.Wynik.Liczba() << "\n";
    }
    return 0;
}

// The report named on the command line, checked as the name window checks it.
TNazwaRaportu NazwaZWywolania(const std::string& utf8, std::ostream& err) {
    const TNazwaRaportu n = KontrolaNazwy(Win(utf8));
    if (n.Pusta()) throw BladWykonania{"Nazwa raportu jest pusta."};
    if (!n.Poprawna()) err << Utf8(n.Ostrzezenie) << "\n";
    return n;
}

// The saved report named on the command line; nothing (with the reason on `err`) when the name
// is refused or no such report exists.
std::optional<TMiejsceRaportu> IstniejacyRaport(const std::string& utf8, std::ostream& err) {
    const TNazwaRaportu n = NazwaZWywolania(utf8, err);
    if (!n.Poprawna()) return std::nullopt;
    const TMiejsceRaportu m = MiejsceRaportu(n.Nazwa);
    if (!m.Istnieje) {
        err << "Nie ma raportu '" << Utf8(n.Nazwa) << "' (" << Utf8(TekstNazwyPliku(m.Sciezka)) << ").\n";
        return std::nullopt;
    }
    return m;
}

// Runs the query as `query` does and saves all its documents, highest first, as the report
// (the folder "Raporty" comes with the first one).
int ReportSave(TcSesja& s, const TWywolanie& w, std::ostream& out, std::ostream& err) {
    TcZapytanie& q = s.Zapytanie();
    w.warunek.Zastosowanie(q);
    const TNazwaRaportu n = NazwaZWywolania(w.nazwa, err);
    if (!n.Poprawna()) return 1;
    const TMiejsceRaportu m = MiejsceRaportu(n.Nazwa);
    if (m.Istnieje && !w.nadpisanie) {
        err << "Istnieje raport o podanej nazwie ('" << Utf8(NazwaRaportuPliku(m.NazwaPliku))
            << "'); --force go nadpisuje.\n";
        return 1;
    }
    if (!Wykonanie(s, q, err)) return 2;
    TcTablicaRaportu tablica;
    tablica.PrzygotowanieRaportu(q.Wynik);
    if (!ZapisanieRaportu(m.Sciezka, TekstRaportu(tablica, q))) {
        const int blad = errno;
        err << Utf8(KomunikatBleduZapisu().Tekst) << " (" << Utf8(TekstNazwyPliku(m.Sciezka)) << ": "
            << std::strerror(blad) << ")\n";
        return 1;
    }
    out << tablica.LiczbaZaznaczonych() << "\n";
    return 0;
}

// The catalogue's order: newest first, equal dates by name.
int ReportList(std::ostream& out) {
    TcListPlikRaportu lista;
    lista.Sortowanie(1, 1);
    for (int32_t i = 0; i < lista.Liczba(); ++i) {
        const TrPlikRaportu& p = lista.PlikRaportu(i);
        out << Utf8(p.NazwaRaportu) << "\t" << DataCzasIso(p.Data) << "\n";
    }
    return 0;
}

// The templates of "szablon.DBF" of the working folder in description order; read, never written.
int Template(const TWywolanie& w, std::ostream& out, std::ostream& err) {
    Tdm_Szablon dm("", true);
    TcTabelaDbf& t = dm.tb_Szablon;
    if (w.podpolecenie == "list") {
        for (t.PrzejscieNaPierwszy(); !t.Pusta() && !t.Koniec(); t.PrzejscieNaNastepny()) {
            const TSzablon sz = BiezacySzablon(t);
            out << sz.Id << "\t" << Utf8(sz.Opis) << "\n";
        }
        return 0;
    }
    const std::string opis = Win(w.nazwa);
    if (!t.Odszukanie("OPIS", opis, true)) {
        err << "Brak szablonu '" << Utf8(opis) << "'.\n";
        return 1;
    }
    const TSzablon sz = BiezacySzablon(t);
    if (!w.json) {
        out << Utf8(sz.Opis) << "\nwarunek: " << Utf8(sz.Warunek) << "\nwarunek dodatkowy: " << Utf8(sz.WarunDod)
            << "\nprzepis: " << sz.IdPrzep << "\nizba: " << sz.IdIzby << "\n";
        return 0;
    }
    out << "{\"id\": " << sz.Id << ", \"opis\": " << JsonTekst(Utf8(sz.Opis)) << ", \"id_przep\": " << sz.IdPrzep
        << ", \"id_izby\": " << sz.IdIzby << ", \"warunek\": " << JsonTekst(Utf8(sz.Warunek))
        << ", \"warun_dod\": " << JsonTekst(Utf8(sz.WarunDod)) << "}\n";
    return 0;
}

// Mails the first documents of the query's result (at most 10, highest first, as the result
// list holds them) the way the window mails checked ones, or with --report a report file the
// way the catalogue does. Prints what went to the mail client; 4 when the hand-over failed.
int Mail(TcSesja& s, const TWywolanie& w, std::ostream& out, std::ostream& err) {
    if (w.raport) {
        const std::optional<TMiejsceRaportu> m = IstniejacyRaport(w.nazwa, err);
        if (!m) return 1;
        if (!WyslaniePlikuRaportu(s, m->NazwaPliku)) return 4;
        out << Utf8(TekstNazwyPliku(m->NazwaPliku)) << "\n";
        return 0;
    }
    TcZapytanie& q = s.Zapytanie();
    w.warunek.Zastosowanie(q);
    if (!Wykonanie(s, q, err)) return 2;
    TcTablicaRaportu tablica;
    tablica.PrzygotowanieRaportu(q.Wynik);
    const TDokumentyDoWyslania d = DokumentyDoWyslania(tablica);
    if (d.Numery.empty()) {
        err << "Zapytanie nie znalazło dokumentów; nic nie wysłano.\n";
        return 1;
    }
    if (!WyslanieDokumentow(s, d.Numery)) return 4;
    for (size_t k = 0; k < d.Numery.size(); ++k) out << TcMail::PlikDokumentu(int32_t(k + 1)) << "\t" << d.Numery[k] << "\n";
    return 0;
}

// The report's documents in the viewer's order: 50 a page in report order, each page by entry
// date, later first.
int ReportShow(TcSesja& s, const TWywolanie& w, std::ostream& out, std::ostream& err) {
    const std::optional<TMiejsceRaportu> m = IstniejacyRaport(w.nazwa, err);
    if (!m) return 1;
    const std::string plik = TekstNazwyPliku(m->Sciezka);
    std::string tekst;
    if (!mReadString(m->Sciezka, tekst, TrybBledu::Cichy)) throw EInOutError(PL(u8"Błąd odczytu pliku '") + plik + "'.");
    const TcZapytanie& q = s.Zapytanie();
    const TRaport raport = OdczytanieRaportu(tekst, plik, q.LiczbaDokumentow());
    if (raport.PozaMagazynem > 0)
        err << "Pominięte numery spoza dokumentów 1-" << q.LiczbaDokumentow() << ": " << raport.PozaMagazynem << "\n";
    if (raport.PonadPojemnosc > 0)
        err << "Pominięte numery ponad " << PojemnoscRaportu << ": " << raport.PonadPojemnosc << "\n";

    std::vector<int32_t> kolejne;
    const auto data = [&](int32_t d) { return q.OdczytanieDokumentu(d).Data; };
    for (int32_t strona = 0; size_t(strona) * TcTablicaRaportu::WielkoscStrony < raport.Dokumenty.size(); ++strona)
        for (int32_t d : DokumentyStrony(raport.Dokumenty, strona, data)) kolejne.push_back(d);
    if (!w.json) {
        for (int32_t d : kolejne) out << d << "\n";
        return 0;
    }
    out << "{\"condition\": " << JsonTekst(Utf8(raport.Warunek)) << ", \"chamber\": " << raport.Izba
        << ", \"provision\": " << raport.Przepis << ", \"documents\": [";
    for (size_t i = 0; i < kolejne.size(); ++i) out << (i ? ", " : "") << kolejne[i];
    out << "], \"skipped\": " << raport.PozaMagazynem << ", \"cut\": " << raport.PonadPojemnosc << "}\n";
    return 0;
}

// Runs a command whose command line was accepted.
int Wykonanie(const TWywolanie& w, std::ostream& out, std::ostream& err) {
    const std::string katalog = KatalogDanych(w);
    // Absolute: the commands of the working folder make it current.
    const std::string sciezka = SciezkaBezwzgledna(katalog);
    std::error_code blad;
    const bool jestKatalog = fs::is_directory(sciezka, blad);
    // The working folder is decided for an existing data directory only: a missing one must
    // not send a report to the user's folder. Without it the session says what is missing.
    std::optional<TKatalogRoboczy> roboczy;
    if (w.WFolderzeRoboczym() && jestKatalog) roboczy = KatalogRoboczy(sciezka);

    std::unique_ptr<TcSesja> sesja;
    if (w.BezSesji()) {
        if (!roboczy) throw BladWykonania{"Nie ma katalogu danych '" + katalog + "'."};
    } else {
        try {
            TOpcjeSesji opcje;
            opcje.Ladowanie.Katalog = sciezka;
            opcje.Ladowanie.WymusDysk = w.dysk;
            opcje.KatalogRoboczy = roboczy ? roboczy->Sciezka : "";
            opcje.SlownikiWymagane = false;   // a bare index answers every query but chambers and provisions
            opcje.OdczytKonfiguracji = false;
            opcje.RodzinyWyrazow = w.Formy();
            sesja = std::make_unique<TcSesja>(opcje);
        } catch (const EBladOtwarcia& e) {
            err << "Nie można wczytać katalogu danych '" << katalog << "': " << Utf8(e.Tekst) << "\n";
            return 1;
        } catch (const EInOutError& e) {
            err << "Nie można wczytać katalogu danych '" << katalog << "': " << Utf8(e.what()) << "\n";
            return 1;
        }
    }

    if (w.WFolderzeRoboczym() && !roboczy) roboczy = KatalogRoboczy(sciezka);
    if (w.polecenie == "query") return Query(*sesja, w, out, err);
    if (w.polecenie == "show") return Show(*sesja, w, out);
    if (w.polecenie == "count") return Count(*sesja, w, out, err);
    if (w.polecenie == "info") return Info(*sesja, *roboczy, out);

    const TWFolderze wFolderze(roboczy->Sciezka);
    if (w.polecenie == "template") return Template(w, out, err);
    if (w.polecenie == "mail") return Mail(*sesja, w, out, err);
    if (w.podpolecenie == "list") return ReportList(out);
    if (w.podpolecenie == "save") return ReportSave(*sesja, w, out, err);
    return ReportShow(*sesja, w, out, err);
}

}  // namespace

std::string DataTekstem(uint32_t v) {
    char b[32];
    std::snprintf(b, sizeof b, "%04u-%02u-%02u %02u:%02u", (v >> 25) + 1980, (v >> 21) & 15, (v >> 16) & 31,
                  (v >> 11) & 31, (v >> 5) & 63);
    return b;
}

std::string JsonTekst(const std::string& utf8) {
    std::string w = "\"";
    for (unsigned char c : utf8) {
        if (c == '"') w += "\\\"";
        else if (c == '\\') w += "\\\\";
        else if (c == '\n') w += "\\n";
        else if (c == '\r') w += "\\r";
        else if (c == '\t') w += "\\t";
        else if (c < 0x20 || c == 0x7F) {
            char b[8];
            std::snprintf(b, sizeof b, "\\u%04x", c);
            w += b;
        } else {
            w += char(c);
        }
    }
    return w + "\"";
}

int WykonaniePolecenia(const std::vector<std::string>& argumenty, std::ostream& out, std::ostream& err) {
    TWywolanie w;
    try {
        w = Rozbior(argumenty);
    } catch (const BladWywolania& b) {
        err << b.komunikat << "\nPomoc: " << kProgram << " --help\n";
        return EX_USAGE;
    }
    if (w.pomoc) {
        out << kPomoc;
        return 0;
    }
    if (w.wersja) {
        out << kProgram << " " << BELVASTRONA_WERSJA << "\n";
        return 0;
    }
    try {
        return Wykonanie(w, out, err);
    } catch (const BladWykonania& b) {
        err << b.komunikat << "\n";
        return 1;
    } catch (const EInOutError& e) {
        err << Utf8(e.what()) << "\n";
        return 1;
    } catch (const EInternalError& e) {
        err << Utf8(e.what()) << "\n";
        return 3;
    }
}
