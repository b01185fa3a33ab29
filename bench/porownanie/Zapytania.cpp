#include "Zapytania.h"

#include <functional>

#include "Bledy.h"
#include "cp1250.h"

namespace {

bool ZnakZwykly(unsigned char c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return true;
    for (unsigned char p : {0x8C, 0x8F, 0xA3, 0xA5, 0xAF, 0xC6, 0xCA, 0xD1, 0xD3})
        if (c == p) return true;
    return false;
}

std::string TekstFrazy(const TWarunek& w) {
    std::string s;
    for (const TSlowo& slowo : w.Slowa) {
        if (!s.empty()) s += ' ';
        s += slowo.Tekst;
        if (slowo.Prefiks) s += '*';
    }
    return s;
}

}  // namespace

PWarunek Fraza(std::vector<TSlowo> slowa) {
    auto w = std::make_shared<TWarunek>();
    w->R = TWarunek::Rodzaj::Fraza;
    for (size_t i = 0; i + 1 < slowa.size(); ++i)
        if (slowa[i].Prefiks) throw EInternalError("bench: a prefix only ends a phrase");
    w->Slowa = std::move(slowa);
    return w;
}

PWarunek Polaczenie(TWarunek::Rodzaj r, PWarunek l, PWarunek p) {
    auto w = std::make_shared<TWarunek>();
    w->R = r;
    w->L = std::move(l);
    w->P = std::move(p);
    return w;
}

PWarunek Grupa(TWarunek::Rodzaj r, int32_t numer) {
    auto w = std::make_shared<TWarunek>();
    w->R = r;
    w->Numer = numer;
    return w;
}

std::string WarunekWlasny(const TWarunek& w) {
    using R = TWarunek::Rodzaj;
    switch (w.R) {
    case R::Fraza: return "\"" + TekstFrazy(w) + "\"";
    case R::I: return "(" + WarunekWlasny(*w.L) + " AND " + WarunekWlasny(*w.P) + ")";
    case R::Lub: return "(" + WarunekWlasny(*w.L) + " OR " + WarunekWlasny(*w.P) + ")";
    case R::INie: return "(" + WarunekWlasny(*w.L) + " AND NOT " + WarunekWlasny(*w.P) + ")";
    case R::Izba:
    case R::Przepis: return {};
    }
    return {};
}

std::string Opis(const TWarunek& w) {
    using R = TWarunek::Rodzaj;
    if (w.R == R::Izba) return "chamber " + std::to_string(w.Numer);
    if (w.R == R::Przepis) return "provision " + std::to_string(w.Numer);
    return cp1250::toUtf8(WarunekWlasny(w));
}

std::string TerminFts5(std::string_view token) {
    static const char* const hex = "0123456789abcdef";
    std::string zwykle, wynik;
    for (unsigned char c : token) {
        if (ZnakZwykly(c)) {
            zwykle += char(c);
            continue;
        }
        if (!zwykle.empty()) { wynik += cp1250::toUtf8(zwykle); zwykle.clear(); }
        wynik += "\xD0\xB6";   // ж
        wynik += hex[c >> 4];
        wynik += hex[c & 15];
    }
    if (!zwykle.empty()) wynik += cp1250::toUtf8(zwykle);
    return wynik;
}

std::string WyrazenieFts5(const TWarunek& w) {
    using R = TWarunek::Rodzaj;
    switch (w.R) {
    case R::Fraza: {
        // Terms hold no double quote (only letters, digits and ж-codes), so no escaping.
        std::string s = "\"";
        for (size_t i = 0; i < w.Slowa.size(); ++i) {
            if (i) s += ' ';
            s += TerminFts5(w.Slowa[i].Tekst);
        }
        s += '"';
        if (!w.Slowa.empty() && w.Slowa.back().Prefiks) s += " *";
        return s;
    }
    case R::I: return "(" + WyrazenieFts5(*w.L) + " AND " + WyrazenieFts5(*w.P) + ")";
    case R::Lub: return "(" + WyrazenieFts5(*w.L) + " OR " + WyrazenieFts5(*w.P) + ")";
    case R::INie: return "(" + WyrazenieFts5(*w.L) + " NOT " + WyrazenieFts5(*w.P) + ")";
    case R::Izba:
    case R::Przepis: break;
    }
    throw EInternalError("bench: a group has no FTS5 expression");
}

std::string TerminXapian(std::string_view token) {
    std::string t = cp1250::toUtf8(token);
    if (t.size() <= 240) return t;
    size_t ciecie = 200;
    while (ciecie > 0 && (static_cast<unsigned char>(t[ciecie]) & 0xC0) == 0x80) --ciecie;
    return t.substr(0, ciecie) + "#" + std::to_string(std::hash<std::string>{}(t));
}

std::string TerminGrupy(TWarunek::Rodzaj r, int32_t numer) {
    return (r == TWarunek::Rodzaj::Izba ? "XIZBA" : "XPRZEPIS") + std::to_string(numer);
}

Xapian::Query ZapytanieXapian(const TWarunek& w, const Xapian::Database& db) {
    using R = TWarunek::Rodzaj;
    auto slowo = [](const TSlowo& s) {
        if (s.Prefiks)
            return Xapian::Query(Xapian::Query::OP_WILDCARD, TerminXapian(s.Tekst), 0,
                                 Xapian::Query::WILDCARD_LIMIT_ERROR, Xapian::Query::OP_OR);
        return Xapian::Query(TerminXapian(s.Tekst));
    };
    switch (w.R) {
    case R::Fraza: {
        if (w.Slowa.size() == 1) return slowo(w.Slowa[0]);
        std::vector<Xapian::Query> czesci;
        for (size_t i = 0; i + 1 < w.Slowa.size(); ++i) czesci.push_back(slowo(w.Slowa[i]));
        const TSlowo& ostatnie = w.Slowa.back();
        const auto n = Xapian::termcount(w.Slowa.size());
        if (!ostatnie.Prefiks) {
            czesci.push_back(slowo(ostatnie));
            return Xapian::Query(Xapian::Query::OP_PHRASE, czesci.begin(), czesci.end(), n);
        }
        const std::string prefiks = TerminXapian(ostatnie.Tekst);
        std::vector<Xapian::Query> frazy;
        for (auto t = db.allterms_begin(prefiks); t != db.allterms_end(prefiks); ++t) {
            czesci.push_back(Xapian::Query(*t));
            frazy.push_back(Xapian::Query(Xapian::Query::OP_PHRASE, czesci.begin(), czesci.end(), n));
            czesci.pop_back();
        }
        return Xapian::Query(Xapian::Query::OP_OR, frazy.begin(), frazy.end());
    }
    case R::I: return Xapian::Query(Xapian::Query::OP_AND, ZapytanieXapian(*w.L, db), ZapytanieXapian(*w.P, db));
    case R::Lub: return Xapian::Query(Xapian::Query::OP_OR, ZapytanieXapian(*w.L, db), ZapytanieXapian(*w.P, db));
    case R::INie:
        return Xapian::Query(Xapian::Query::OP_AND_NOT, ZapytanieXapian(*w.L, db), ZapytanieXapian(*w.P, db));
    case R::Izba:
    case R::Przepis: return Xapian::Query(TerminGrupy(w.R, w.Numer));
    }
    return {};
}
