#include "PoleceniaCli.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "Analiza.h"
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

namespace {

constexpr size_t kDlugoscPoczatku = 480;   // characters of a document's text in --json

// A command line that cannot be run; the message is UTF-8.
struct BladWywolania {
    std::string komunikat;
};

const char* const kPomoc =
    "Użycie: belvastrona-cli [--data KATALOG] [--force-disk] POLECENIE\n"
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
    "Raporty to pliki NAZWA.rap folderu Raporty w bieżącym katalogu, tak jak w programie, którego\n"
    "katalogiem bieżącym jest katalog danych; --data nie zmienia tego folderu, a program go nie\n"
    "tworzy. Istniejący raport (wielkość liter bez znaczenia) zastępuje tylko --force.\n"
    "mail przekazuje programowi pocztowemu (xdg-email) pierwsze 10 dokumentów wyniku zapytania,\n"
    "zapisane jako w1.htm .. w10.htm w bieżącym katalogu, albo plik raportu; wypisuje wysłane.\n";

std::string Utf8(const std::string& cp1250Tekst) { return cp1250::toUtf8(cp1250Tekst); }
std::string Win(const std::string& utf8) { return cp1250::fromUtf8(utf8); }

int32_t Liczba(const std::string& opcja, const std::string& tekst) {
    try {
        size_t koniec = 0;
        const long v = std::stol(tekst, &koniec);
        if (koniec == tekst.size() && v >= INT32_MIN && v <= INT32_MAX) return int32_t(v);
    } catch (const std::exception&) {
    }
    throw BladWywolania{"Opcja " + opcja + " wymaga liczby całkowitej, podano '" + tekst + "'."};
}

// The command line after the global options: the command's own words, in order.
struct TWywolanie {
    std::string katalog = ".";
    bool dysk = false;
    std::string polecenie;
    std::vector<std::string> reszta;
};

TWywolanie Rozbior(const std::vector<std::string>& a) {
    TWywolanie w;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--data") {
            if (i + 1 >= a.size()) throw BladWywolania{"Opcja --data wymaga nazwy katalogu."};
            w.katalog = a[++i];
        } else if (a[i] == "--force-disk") {
            w.dysk = true;
        } else if (w.polecenie.empty()) {
            w.polecenie = a[i];
        } else {
            w.reszta.push_back(a[i]);
        }
    }
    if (w.polecenie.empty()) throw BladWywolania{"Nie podano polecenia."};
    return w;
}

// Takes the value of an option that needs one.
std::string Wartosc(const std::vector<std::string>& r, size_t& i) {
    if (i + 1 >= r.size()) throw BladWywolania{"Opcja " + r[i] + " wymaga wartości."};
    return r[++i];
}

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

int Info(TcSesja& s, std::ostream& out) {
    const TcZapytanie& q = s.Zapytanie();
    out << "documents " << q.LiczbaDokumentow() << "\n"
        << "words " << q.Magazyn().W << "\n"
        << "mode " << (q.NaDysku ? "disk" : "memory") << "\n"
        << "letters " << Zakres(q.PoczatekPism, q.PoczatekTez - 1) << "\n"
        << "theses " << Zakres(q.PoczatekTez, q.KoniecTez) << "\n";
    return 0;
}

// One option of the query's condition at r[i] (its value taken too); false for any other word.
bool OpcjaWarunku(TcZapytanie& q, const std::vector<std::string>& r, size_t& i) {
    const std::string& o = r[i];
    if (o == "--condition") q.Warunek = Win(Wartosc(r, i));
    else if (o == "--extra") q.WarunekDodatkowy = Win(Wartosc(r, i));
    else if (o == "--chamber") q.Izba = Liczba(o, Wartosc(r, i));
    else if (o == "--provision") q.Przepis = Liczba(o, Wartosc(r, i));
    else if (o == "--no-interpretations") q.Interpretacja = false;
    else if (o == "--no-letters") q.PismoMinisterstwa = false;
    else if (o == "--no-theses") q.TezaOrzeczenia = false;
    else if (o == "--forms") q.WszystkieFormy = true;
    else return false;
    return true;
}

// All forms asked for: the session has grouped the words, or says why it could not.
void KontrolaForm(const TcSesja& s, bool formy) {
    if (formy && !s.Rodziny()) throw BladWywolania{Utf8(s.BladRodzin())};
}

// Runs a query of the session; false, with the condition's error on `err`, when it is wrong.
bool Wykonanie(TcSesja& s, TcZapytanie& q, std::ostream& err) {
    KontrolaForm(s, q.WszystkieFormy);
    if (s.Wykonanie(q)) return true;
    BladWarunku(q, s.Parser(), err);
    return false;
}

int Query(TcSesja& s, const std::vector<std::string>& r, std::ostream& out, std::ostream& err) {
    TcZapytanie& q = s.Zapytanie();
    q.Interpretacja = q.PismoMinisterstwa = q.TezaOrzeczenia = true;
    bool tylkoLiczba = false, json = false;
    for (size_t i = 0; i < r.size(); ++i) {
        const std::string& o = r[i];
        if (OpcjaWarunku(q, r, i)) continue;
        if (o == "--count") tylkoLiczba = true;
        else if (o == "--json") json = true;
        else throw BladWywolania{"Nieznana opcja polecenia query: '" + o + "'."};
    }
    if (!Wykonanie(s, q, err)) return 2;
    const TcTablicaLogiczna& w = q.Wynik;
    const int32_t liczba = w.Liczba();
    if (tylkoLiczba && !json) {
        out << liczba << "\n";
        return 0;
    }
    if (!json) {
        for (int32_t d = w.Dlugosc() - 1; d >= 1; --d)
            if (w.Dane[size_t(d)]) out << d << "\n";
        return 0;
    }
    out << "{\"count\": " << liczba << ", \"condition\": " << JsonTekst(Utf8(q.WarunekPelny)) << ", \"documents\": [";
    bool pierwszy = true;
    if (!tylkoLiczba) {
        for (int32_t d = w.Dlugosc() - 1; d >= 1; --d) {
            if (!w.Dane[size_t(d)]) continue;
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

int Show(TcSesja& s, const std::vector<std::string>& r, std::ostream& out) {
    std::optional<int32_t> numer;
    std::string wyroznienie;
    for (size_t i = 0; i < r.size(); ++i) {
        if (r[i] == "--highlight") wyroznienie = Win(Wartosc(r, i));
        else if (r[i] == "--forms") s.Zapytanie().WszystkieFormy = true;
        else if (!numer) numer = Liczba("show", r[i]);
        else throw BladWywolania{"Nieznany argument polecenia show: '" + r[i] + "'."};
    }
    if (!numer) throw BladWywolania{"Polecenie show wymaga numeru dokumentu."};
    const TcZapytanie& q = s.Zapytanie();
    if (*numer < 1 || *numer > q.LiczbaDokumentow())
        throw BladWywolania{"Nie ma dokumentu numer " + std::to_string(*numer) + " (dokumenty 1-" +
                            std::to_string(q.LiczbaDokumentow()) + ")."};
    const TDokument dok = q.OdczytanieDokumentu(*numer);
    KontrolaForm(s, q.WszystkieFormy);
    const std::string html =
        wyroznienie.empty() ? dok.Tekst : WyroznienieWarunku(wyroznienie, dok.Tekst, q.Znaki, "wyroznienie", q.FormyWyroznienia());
    out.write(html.data(), std::streamsize(html.size()));
    return 0;
}

// Each text counted alone, as the live counts beside the query fields do, on a counting copy.
int Count(TcSesja& s, const std::vector<std::string>& r, std::ostream& out, std::ostream& err) {
    TcZapytanie& kopia = s.Liczace();
    kopia.Interpretacja = kopia.PismoMinisterstwa = kopia.TezaOrzeczenia = true;
    std::vector<std::string> teksty;
    for (const std::string& t : r) {
        if (t == "--forms") kopia.WszystkieFormy = true;
        else teksty.push_back(t);
    }
    if (teksty.empty()) throw BladWywolania{"Polecenie count wymaga co najmniej jednego tekstu."};
    for (const std::string& t : teksty) {
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
    if (n.Pusta()) throw BladWywolania{"Nazwa raportu jest pusta."};
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

// Runs the query as `query` does and saves all its documents, highest first, as the report.
int ReportSave(TcSesja& s, const std::vector<std::string>& r, std::ostream& out, std::ostream& err) {
    TcZapytanie& q = s.Zapytanie();
    q.Interpretacja = q.PismoMinisterstwa = q.TezaOrzeczenia = true;
    std::optional<std::string> nazwa;
    bool nadpisanie = false;
    for (size_t i = 1; i < r.size(); ++i) {
        if (OpcjaWarunku(q, r, i)) continue;
        if (r[i] == "--force") nadpisanie = true;
        else if (!nazwa && r[i].rfind("--", 0) != 0) nazwa = r[i];
        else throw BladWywolania{"Nieznany argument polecenia report save: '" + r[i] + "'."};
    }
    if (!nazwa) throw BladWywolania{"Polecenie report save wymaga nazwy raportu."};
    const TNazwaRaportu n = NazwaZWywolania(*nazwa, err);
    if (!n.Poprawna()) return 1;
    const TMiejsceRaportu m = MiejsceRaportu(n.Nazwa);
    if (m.Istnieje && !nadpisanie) {
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
int ReportList(const std::vector<std::string>& r, std::ostream& out) {
    if (r.size() > 1) throw BladWywolania{"Nieznany argument polecenia report list: '" + r[1] + "'."};
    TcListPlikRaportu lista;
    lista.Sortowanie(1, 1);
    for (int32_t i = 0; i < lista.Liczba(); ++i) {
        const TrPlikRaportu& p = lista.PlikRaportu(i);
        out << Utf8(p.NazwaRaportu) << "\t" << DataCzasIso(p.Data) << "\n";
    }
    return 0;
}

// The templates of "szablon.DBF" of the current folder in description order; read, never written.
int Template(const std::vector<std::string>& r, std::ostream& out, std::ostream& err) {
    Tdm_Szablon dm("", true);
    TcTabelaDbf& t = dm.tb_Szablon;
    if (r[0] == "list") {
        if (r.size() > 1) throw BladWywolania{"Nieznany argument polecenia template list: '" + r[1] + "'."};
        for (t.PrzejscieNaPierwszy(); !t.Pusta() && !t.Koniec(); t.PrzejscieNaNastepny()) {
            const TSzablon sz = BiezacySzablon(t);
            out << sz.Id << "\t" << Utf8(sz.Opis) << "\n";
        }
        return 0;
    }
    std::optional<std::string> opis;
    bool json = false;
    for (size_t i = 1; i < r.size(); ++i) {
        if (r[i] == "--json") json = true;
        else if (!opis) opis = cp1250::fromUtf8(r[i]);
        else throw BladWywolania{"Nieznany argument polecenia template show: '" + r[i] + "'."};
    }
    if (!opis) throw BladWywolania{"Polecenie template show wymaga opisu szablonu."};
    if (!t.Odszukanie("OPIS", *opis, true)) {
        err << "Brak szablonu '" << Utf8(*opis) << "'.\n";
        return 1;
    }
    const TSzablon sz = BiezacySzablon(t);
    if (!json) {
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
int Mail(TcSesja& s, const std::vector<std::string>& r, std::ostream& out, std::ostream& err) {
    TcZapytanie& q = s.Zapytanie();
    q.Interpretacja = q.PismoMinisterstwa = q.TezaOrzeczenia = true;
    std::optional<std::string> raport;
    for (size_t i = 0; i < r.size(); ++i) {
        if (r[i] == "--report") raport = Wartosc(r, i);
        else if (!OpcjaWarunku(q, r, i)) throw BladWywolania{"Nieznana opcja polecenia mail: '" + r[i] + "'."};
    }
    if (raport) {
        if (r.size() != 2) throw BladWywolania{"Polecenie mail --report nie przyjmuje opcji warunku."};
        const std::optional<TMiejsceRaportu> m = IstniejacyRaport(*raport, err);
        if (!m) return 1;
        if (!WyslaniePlikuRaportu(s, m->NazwaPliku)) return 4;
        out << Utf8(TekstNazwyPliku(m->NazwaPliku)) << "\n";
        return 0;
    }
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
int ReportShow(TcSesja& s, const std::vector<std::string>& r, std::ostream& out, std::ostream& err) {
    std::optional<std::string> nazwa;
    bool json = false;
    for (size_t i = 1; i < r.size(); ++i) {
        if (r[i] == "--json") json = true;
        else if (!nazwa && r[i].rfind("--", 0) != 0) nazwa = r[i];
        else throw BladWywolania{"Nieznany argument polecenia report show: '" + r[i] + "'."};
    }
    if (!nazwa) throw BladWywolania{"Polecenie report show wymaga nazwy raportu."};
    const std::optional<TMiejsceRaportu> m = IstniejacyRaport(*nazwa, err);
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
    if (!json) {
        for (int32_t d : kolejne) out << d << "\n";
        return 0;
    }
    out << "{\"condition\": " << JsonTekst(Utf8(raport.Warunek)) << ", \"chamber\": " << raport.Izba
        << ", \"provision\": " << raport.Przepis << ", \"documents\": [";
    for (size_t i = 0; i < kolejne.size(); ++i) out << (i ? ", " : "") << kolejne[i];
    out << "], \"skipped\": " << raport.PozaMagazynem << ", \"cut\": " << raport.PonadPojemnosc << "}\n";
    return 0;
}

int Report(TcSesja& s, const std::vector<std::string>& r, std::ostream& out, std::ostream& err) {
    if (r.front() == "save") return ReportSave(s, r, out, err);
    return ReportShow(s, r, out, err);
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
        if (w.polecenie != "info" && w.polecenie != "query" && w.polecenie != "show" && w.polecenie != "count" &&
            w.polecenie != "report" && w.polecenie != "template" && w.polecenie != "mail")
            throw BladWywolania{"Nieznane polecenie '" + w.polecenie + "'."};
        if (w.polecenie == "report" &&
            (w.reszta.empty() || (w.reszta[0] != "save" && w.reszta[0] != "list" && w.reszta[0] != "show")))
            throw BladWywolania{"Polecenie report wymaga save, list albo show."};
        if (w.polecenie == "template" && (w.reszta.empty() || (w.reszta[0] != "list" && w.reszta[0] != "show")))
            throw BladWywolania{"Polecenie template wymaga list albo show."};
    } catch (const BladWywolania& b) {
        err << b.komunikat << "\n" << kPomoc;
        return 1;
    }
    // Templates need no data directory.
    if (w.polecenie == "template") {
        try {
            return Template(w.reszta, out, err);
        } catch (const BladWywolania& b) {
            err << b.komunikat << "\n";
            return 1;
        } catch (const EInOutError& e) {
            err << Utf8(e.what()) << "\n";
            return 1;
        }
    }
    // The catalogue needs no data directory.
    if (w.polecenie == "report" && w.reszta[0] == "list") {
        try {
            return ReportList(w.reszta, out);
        } catch (const BladWywolania& b) {
            err << b.komunikat << "\n";
            return 1;
        }
    }

    std::unique_ptr<TcSesja> sesja;
    try {
        TOpcjeSesji opcje;
        opcje.Ladowanie.Katalog = w.katalog;   // a path: bytes as given, not text
        opcje.Ladowanie.WymusDysk = w.dysk;
        opcje.SlownikiWymagane = false;        // a bare index answers every query but chambers and provisions
        opcje.OdczytKonfiguracji = false;
        opcje.RodzinyWyrazow = std::find(w.reszta.begin(), w.reszta.end(), "--forms") != w.reszta.end();
        sesja = std::make_unique<TcSesja>(opcje);
    } catch (const EBladOtwarcia& e) {
        err << "Nie można wczytać katalogu danych '" << w.katalog << "': " << Utf8(e.Tekst) << "\n";
        return 1;
    } catch (const EInOutError& e) {
        err << "Nie można wczytać katalogu danych '" << w.katalog << "': " << Utf8(e.what()) << "\n";
        return 1;
    }
    TcSesja& s = *sesja;
    try {
        if (w.polecenie == "info") return Info(s, out);
        if (w.polecenie == "query") return Query(s, w.reszta, out, err);
        if (w.polecenie == "show") return Show(s, w.reszta, out);
        if (w.polecenie == "report") return Report(s, w.reszta, out, err);
        if (w.polecenie == "mail") return Mail(s, w.reszta, out, err);
        return Count(s, w.reszta, out, err);
    } catch (const BladWywolania& b) {
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
