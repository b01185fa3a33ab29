#include "PoleceniaCli.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "Analiza.h"
#include "ParserBool.h"
#include "Sesja.h"
#include "Zapytanie.h"
#include "cp1250.h"
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
    "        [--no-interpretations] [--no-letters] [--no-theses] [--count] [--json]\n"
    "  show N [--highlight TEKST]\n"
    "  count TEKST...\n";

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

int Query(TcSesja& s, const std::vector<std::string>& r, std::ostream& out, std::ostream& err) {
    TcZapytanie& q = s.Zapytanie();
    q.Interpretacja = q.PismoMinisterstwa = q.TezaOrzeczenia = true;
    bool tylkoLiczba = false, json = false;
    for (size_t i = 0; i < r.size(); ++i) {
        const std::string& o = r[i];
        if (o == "--condition") q.Warunek = Win(Wartosc(r, i));
        else if (o == "--extra") q.WarunekDodatkowy = Win(Wartosc(r, i));
        else if (o == "--chamber") q.Izba = Liczba(o, Wartosc(r, i));
        else if (o == "--provision") q.Przepis = Liczba(o, Wartosc(r, i));
        else if (o == "--no-interpretations") q.Interpretacja = false;
        else if (o == "--no-letters") q.PismoMinisterstwa = false;
        else if (o == "--no-theses") q.TezaOrzeczenia = false;
        else if (o == "--count") tylkoLiczba = true;
        else if (o == "--json") json = true;
        else throw BladWywolania{"Nieznana opcja polecenia query: '" + o + "'."};
    }
    if (!s.Wykonanie(q)) {
        BladWarunku(q, s.Parser(), err);
        return 2;
    }
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
        else if (!numer) numer = Liczba("show", r[i]);
        else throw BladWywolania{"Nieznany argument polecenia show: '" + r[i] + "'."};
    }
    if (!numer) throw BladWywolania{"Polecenie show wymaga numeru dokumentu."};
    const TcZapytanie& q = s.Zapytanie();
    if (*numer < 1 || *numer > q.LiczbaDokumentow())
        throw BladWywolania{"Nie ma dokumentu numer " + std::to_string(*numer) + " (dokumenty 1-" +
                            std::to_string(q.LiczbaDokumentow()) + ")."};
    const TDokument dok = q.OdczytanieDokumentu(*numer);
    const std::string html = wyroznienie.empty() ? dok.Tekst : WyroznienieWarunku(wyroznienie, dok.Tekst, q.Znaki);
    out.write(html.data(), std::streamsize(html.size()));
    return 0;
}

// Each text counted alone, as the live counts beside the query fields do, on a counting copy.
int Count(TcSesja& s, const std::vector<std::string>& r, std::ostream& out, std::ostream& err) {
    if (r.empty()) throw BladWywolania{"Polecenie count wymaga co najmniej jednego tekstu."};
    TcZapytanie& kopia = s.Liczace();
    kopia.Interpretacja = kopia.PismoMinisterstwa = kopia.TezaOrzeczenia = true;
    for (const std::string& t : r) {
        std::string warunek(1, '"');
        warunek += Win(t);
        warunek += '"';
        kopia.WarunekDodatkowy = std::move(warunek);
        if (!s.Wykonanie(kopia)) {
            BladWarunku(kopia, s.Parser(), err);
            return 2;
        }
        out << kopia.Wynik.Liczba() << "\n";
    }
    return 0;
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
        if (w.polecenie != "info" && w.polecenie != "query" && w.polecenie != "show" && w.polecenie != "count")
            throw BladWywolania{"Nieznane polecenie '" + w.polecenie + "'."};
    } catch (const BladWywolania& b) {
        err << b.komunikat << "\n" << kPomoc;
        return 1;
    }

    std::unique_ptr<TcSesja> sesja;
    try {
        TOpcjeSesji opcje;
        opcje.Ladowanie.Katalog = w.katalog;   // a path: bytes as given, not text
        opcje.Ladowanie.WymusDysk = w.dysk;
        opcje.SlownikiWymagane = false;        // a bare index answers every query but chambers and provisions
        opcje.OdczytKonfiguracji = false;
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
