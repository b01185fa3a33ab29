#include "ZapisSlownikow.h"

#include "Bledy.h"
#include "cp1250.h"

namespace {

const char* const KoniecWiersza = "\r\n";

// A text going into a line: no separator byte, no line break.
const std::string& Sprawdzony(const std::string& tekst, const char* gdzie) {
    if (tekst.find_first_of(std::string("\xFE\r\n", 3)) != std::string::npos) mBladWewnetrzny(gdzie, 1);
    return tekst;
}

std::string Naglowek(const char* sekcja) { return std::string("[") + sekcja + "]" + KoniecWiersza; }

// number="first"þ"second"
std::string WierszDwuPol(int32_t numer, const std::string& pierwsze, const std::string& drugie) {
    return std::to_string(numer) + "=\"" + pierwsze + "\"\xFE\"" + drugie + "\"" + KoniecWiersza;
}

void Zapis(const std::string& plik, const std::string& tekstWin) {
    mWriteString(plik, cp1250::toIso88592(tekstWin), TrybBledu::Wyjatek);
}

}  // namespace

void ZapisSlownikaDzialow(const std::string& plik, const std::vector<TrSlownikTxt>& dzialy) {
    std::string tekst = Naglowek("Dzialy");
    for (const auto& d : dzialy) {
        std::string nazwa;
        for (char c : Sprawdzony(d.Nazwa, "ZapisSlownikaDzialow")) {
            if (c == '"') nazwa += '"';
            nazwa += c;
        }
        tekst += std::to_string(d.Numer) + "=\"" + nazwa + "\"" + KoniecWiersza;
    }
    Zapis(plik, tekst);
}

void ZapisSlownikaIzb(const std::string& plik, const std::vector<TrIzba>& izby) {
    std::string tekst = Naglowek("Izby");
    for (const auto& i : izby)
        tekst += WierszDwuPol(i.Numer, Sprawdzony(i.Nazwa, "ZapisSlownikaIzb"), std::to_string(i.Pozycja));
    Zapis(plik, tekst);
}

void ZapisSlownikaAktow(const std::string& plik, const std::vector<TrAkt>& akty) {
    std::string tekst = Naglowek("Akty");
    for (const auto& a : akty)
        tekst += WierszDwuPol(a.Numer, Sprawdzony(a.Nazwa, "ZapisSlownikaAktow"),
                              Sprawdzony(a.Plik, "ZapisSlownikaAktow"));
    Zapis(plik, tekst);
}

void ZapisSlownikaPrzepisow(const std::string& plik, const std::vector<TrPrzepis>& przepisy) {
    std::string tekst = Naglowek("Przepisy");
    for (const auto& p : przepisy) {
        const char dzial = (p.Dzial >= 1 && p.Dzial <= 9) ? static_cast<char>('0' + p.Dzial) : '0';
        tekst += WierszDwuPol(p.Numer, std::string("*") + dzial + Sprawdzony(p.Nazwa, "ZapisSlownikaPrzepisow"),
                              std::to_string(p.Pozycja));
    }
    Zapis(plik, tekst);
}
