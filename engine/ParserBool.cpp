// Recursive descent over the condition's tokens; every level evaluates as it parses, so the
// result set is ready when the analysis ends.
#include "ParserBool.h"

#include <algorithm>
#include <memory>

#include "cp1250.h"
#include "mLib.h"

namespace {

const char* const kOperatory[] = {nullptr, "AND", "OR"};   // index = level

// Every occurrence of `co` replaced by `czym`, left to right, without rescanning replaced text.
std::string Zamiana(const std::string& tekst, const std::string& co, const std::string& czym) {
    std::string wynik;
    size_t p = 0;
    for (size_t z; (z = tekst.find(co, p)) != std::string::npos; p = z + co.size()) {
        wynik.append(tekst, p, z - p);
        wynik += czym;
    }
    wynik.append(tekst, p, std::string::npos);
    return wynik;
}

}  // namespace

TcParserBool::TcParserBool(IZrodloFraz& zrodlo) : zrodlo_(zrodlo) {}

bool TcParserBool::AnalizaWarunku(const std::string& warunek, TcTablicaLogiczna& wynik) {
    Tekst = mControlToSpaces(warunek);
    Tekst = Zamiana(Tekst, " AND_NOT ", " AND NOT ");
    Tekst = Zamiana(Tekst, " OR_NOT ", " OR NOT ");
    Blad.clear();
    PozycjaBledu = 0;
    DlugoscBledu = 1;
    struct TPorzadki {
        TcParserBool& p;
        ~TPorzadki() {
            p.znalezione_.clear();
            p.powtorzone_.clear();
            p.bajtyZnalezionych_ = 0;
        }
    } porzadki{*this};
    try {
        PodzialNaSkladniki();
        // Only a phrase named again later is worth keeping: a copy of a set costs a pass over it.
        {
            std::unordered_set<std::string_view> widziane;
            for (const std::string& s : Skladniki)
                if (!widziane.insert(s).second) powtorzone_.insert(s);
        }
        Biezacy = 0;
        glebokosc_ = 0;
        if (Skladniki.empty()) ZgloszenieBledu(0, PL("Nie podano warunku."));
        AnalizaWyrazenia(3, wynik);
        if (Biezacy != int32_t(Skladniki.size())) ZgloszenieBledu(Biezacy, PL("Brak operatora działania."));
        return true;
    } catch (const EBladWarunku&) {
        return false;
    }
}

void TcParserBool::PodzialNaSkladniki() {
    Skladniki.clear();
    mStringParser(Tekst, TZbiorZnakow(" ()"), TZbiorZnakow("\""), true, Skladniki);
}

void TcParserBool::AnalizaWyrazenia(int poziom, TcTablicaLogiczna& zbior) {
    if (Biezacy >= int32_t(Skladniki.size())) ZgloszenieBledu(Biezacy, PL("Brak składnika wyrażenia."));
    if (poziom == 0) {
        AnalizaSkladnika(zbior);
        return;
    }
    AnalizaWyrazenia(poziom - 1, zbior);
    // The second operand's set exists only when an operator follows: a lone phrase needs none.
    std::unique_ptr<TcTablicaLogiczna> tymczasowy;
    while (const char* op = RozpoznanieOperatora(poziom)) {
        if (!tymczasowy) tymczasowy = std::make_unique<TcTablicaLogiczna>(zbior.Dlugosc());
        AnalizaWyrazenia(poziom - 1, *tymczasowy);
        if (op == kOperatory[1]) zbior.Iloczyn(*tymczasowy);
        else zbior.Suma(*tymczasowy);
    }
}

void TcParserBool::AnalizaSkladnika(TcTablicaLogiczna& zbior) {
    bool negacja = false;
    if (Biezacy < int32_t(Skladniki.size()) && cp1250::equalsNoCase(Skladniki[size_t(Biezacy)], "NOT")) {
        negacja = true;
        ++Biezacy;
    }
    if (Biezacy >= int32_t(Skladniki.size())) ZgloszenieBledu(Biezacy, PL("Brak składnika wyrażenia."));
    if (!AnalizaNawiasu(zbior)) {
        const std::string& fraza = Skladniki[size_t(Biezacy)];
        const auto znaleziona = znalezione_.find(fraza);
        if (znaleziona != znalezione_.end() && znaleziona->second.Dlugosc() == zbior.Dlugosc()) {
            const TDaneZbioru& dane = znaleziona->second.Bajty();
            std::copy(dane.begin() + 1, dane.end(), zbior.Zapis() + 1);   // entry 0 is no document
        } else {
            zrodlo_.SzukanieFrazy(fraza, zbior);
            if (zrodlo_.FrazaZaDluga()) ZgloszenieBledu(Biezacy, PL("Fraza może mieć najwyżej 16 słów."));
            if (powtorzone_.count(fraza) && bajtyZnalezionych_ + zbior.Bajty().size() <= PamiecFraz) {
                znalezione_.insert_or_assign(fraza, zbior);
                bajtyZnalezionych_ += zbior.Bajty().size();
            }
        }
        ++Biezacy;
    }
    if (negacja) zbior.Negacja();
}

bool TcParserBool::AnalizaNawiasu(TcTablicaLogiczna& zbior) {
    if (Skladniki[size_t(Biezacy)] != "(") return false;
    if (++glebokosc_ > MaksZagniezdzenia)
        ZgloszenieBledu(Biezacy, PL("Nawiasy zagnieżdżone zbyt głęboko (najwyżej 1000 poziomów)."));
    ++Biezacy;
    AnalizaWyrazenia(3, zbior);
    --glebokosc_;
    if (Biezacy < int32_t(Skladniki.size()) && Skladniki[size_t(Biezacy)] == ")") {
        ++Biezacy;
    } else {
        const bool zostaly = Biezacy < int32_t(Skladniki.size());
        ZgloszenieBledu(zostaly ? Biezacy : Biezacy - 1, PL("Brak nawiasu zamykającego."));
    }
    return true;
}

// Level 3 has no operator of its own; a recognised operator is consumed.
const char* TcParserBool::RozpoznanieOperatora(int poziom) {
    if (poziom < 1 || poziom > 2 || Biezacy >= int32_t(Skladniki.size())) return nullptr;
    if (!cp1250::equalsNoCase(Skladniki[size_t(Biezacy)], kOperatory[poziom])) return nullptr;
    ++Biezacy;
    return kOperatory[poziom];
}

// The position is found by searching the tokens in order in the text, each from just after
// the previous one, so that it lands on the index-th token even when an earlier one repeats.
void TcParserBool::ZgloszenieBledu(int32_t indeks, const std::string& komunikat) {
    Blad = komunikat;
    PozycjaBledu = 0;
    DlugoscBledu = 1;
    if (indeks >= 0 && indeks < int32_t(Skladniki.size())) {
        for (int32_t i = 0; i <= indeks; ++i) {
            const std::string& t = Skladniki[size_t(i)];
            const size_t od = size_t(PozycjaBledu + DlugoscBledu) - 1;   // 1-based start
            const size_t z = od <= Tekst.size() ? Tekst.find(t, od) : std::string::npos;
            PozycjaBledu = z == std::string::npos ? 0 : int32_t(z) + 1;
            DlugoscBledu = int32_t(t.size());
        }
    }
    throw EBladWarunku(PL("Nieobsłużony błąd analizy warunku."));
}
