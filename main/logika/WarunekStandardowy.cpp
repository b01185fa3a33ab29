#include "WarunekStandardowy.h"

#include "Bledy.h"
#include "cp1250.h"
#include "mLib.h"

namespace {

struct TOperator { const char* Podpis; const char* Kod; };

// Captions of the buttons and their codes; the last pair is read but never produced by clicking.
constexpr TOperator Operatory[] = {
    {"I", "AND"}, {"LUB", "OR"}, {"I NIE", "AND_NOT"}, {"LUB NIE", "OR_NOT"},
};

}  // namespace

std::string PrzygotowanieWarunku(const TSlowaWarunku& slowa, const TOperatoryWarunku& operatory) {
    std::string wynik;
    for (size_t n = 0; n < slowa.size(); ++n) {
        if (slowa[n].empty()) continue;
        std::string kod;
        if (!wynik.empty()) {
            const TOperator* op = nullptr;
            for (const auto& o : Operatory)
                if (cp1250::equalsNoCase(operatory[n - 1], o.Podpis)) { op = &o; break; }
            if (!op) mBladWewnetrzny("TfGlowne.PrzygotowanieWarunku", 1, '\r');
            kod = op->Kod;
        }
        std::string kawalek = kod + " \"" + slowa[n] + "\"";
        wynik = wynik.empty() ? kawalek : wynik + " " + kawalek;
    }
    return wynik;
}

TOdczytanyWarunek OdczytanieWarunku(std::string_view warunek) {
    TOdczytanyWarunek w;
    TListaTekstow tokeny;
    mStringParser(warunek, TZbiorZnakow(" "), TZbiorZnakow("\""), false, tokeny);
    if (tokeny.size() > 9) mBladWewnetrzny("TfGlowne.OdczytanieWarunku", 1, '\r');
    if (tokeny.size() > 7) {
        w.PominietyOstatni = true;
        tokeny.resize(7);
    }
    for (size_t i = 0; i < tokeny.size(); ++i) {
        const std::string& t = tokeny[i];
        if (i % 2 == 0) {
            w.Slowa[i / 2] = t;
            continue;
        }
        std::string& podpis = w.Operatory[(i + 1) / 2 - 1];
        if (cp1250::equalsNoCase(t, "AND")) podpis = "I";
        else if (cp1250::equalsNoCase(t, "OR")) podpis = "LUB";
        else if (cp1250::equalsNoCase(t, "AND_NOT")) podpis = "I NIE";
        else {
            w.Koniec = cp1250::equalsNoCase(t, "OR_NOT") ? TKoniecOdczytu::LubNie : TKoniecOdczytu::BlednyOperator;
            break;
        }
    }
    return w;
}

std::string NastepnyOperator(std::string_view podpis) {
    if (cp1250::equalsNoCase(podpis, "I")) return "LUB";
    if (cp1250::equalsNoCase(podpis, "LUB")) return "I NIE";
    return "I";
}

std::string ObciecieSpacji(std::string_view tekst) {
    size_t od = 0, do_ = tekst.size();
    while (od < do_ && static_cast<unsigned char>(tekst[od]) <= ' ') ++od;
    while (do_ > od && static_cast<unsigned char>(tekst[do_ - 1]) <= ' ') --do_;
    std::string wynik(tekst.substr(od, do_ - od));
    if (wynik == TekstZastepczy()) wynik.clear();
    return wynik;
}

const std::string& TekstZastepczy() {
    static const std::string tekst = PL(u8"słowo/fraza - * dowolne litery");
    return tekst;
}
