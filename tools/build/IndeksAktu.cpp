#include "IndeksAktu.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "Analiza.h"
#include "cp1250.h"

namespace {

constexpr size_t kMaksFragmentu = 255;   // one length byte per entry of the .dtf name list
constexpr int kKandydaci = 5;

struct TSlowo { size_t poczatek, dlugosc; std::string_view duze; };

bool Skrot(std::string_view slowo) {
    static const std::unordered_set<std::string_view> skroty = {
        "ART", "UST", "PKT", "LIT", "POZ", "NR", "R", "DZ", "U", "ZM", "TJ", "NP", "IN", "ZOB", "PAR",
        "SYGN", "PROC", "GODZ", "UL", "TZW", "OK", "PT", "DOT", "WG", "POR"};
    return skroty.count(slowo) > 0;
}

// Does the text between two words end a sentence?
bool KoniecZdania(std::string_view odstep, const TSlowo& przed, char nastepnyZnak) {
    if (odstep.find_first_of("\n\r;:!?") != std::string_view::npos) return true;
    const size_t kropka = odstep.find('.');
    if (kropka == std::string_view::npos || kropka + 1 >= odstep.size()) return false;
    const char poKropce = odstep[kropka + 1];
    if (poKropce != ' ' && poKropce != '\t' && poKropce != '\xA0') return false;
    const unsigned char c = static_cast<unsigned char>(nastepnyZnak);
    const bool wielka = (c >= '0' && c <= '9') || (cp1250::upper(c) == c && cp1250::lower(c) != c);
    return wielka && !Skrot(przed.duze);
}

}  // namespace

TIndeksAktu BudowaIndeksuAktu(std::string_view tekst, std::string_view znaki) {
    const std::string duze = cp1250::upper(tekst);
    std::vector<TSlowo> slowa;
    // Word tokens with their places; punctuation tokens and wildcard characters are no words.
    std::vector<bool> przerwaPrzed;   // a token that is no word breaks the phrase after it
    bool przerwa = false;
    PodzialTekstu(duze, znaki, [&](std::string_view t) {
        const size_t p = size_t(t.data() - duze.data());
        const bool interpunkcja = t.size() == 1 && znaki.find(t[0]) != std::string_view::npos;
        if (interpunkcja) return;
        if (t.find('*') != std::string_view::npos) {
            przerwa = true;
            return;
        }
        slowa.push_back({p, t.size(), t});
        przerwaPrzed.push_back(przerwa);
        przerwa = false;
    });

    const size_t n = slowa.size();
    // granica[i]: a sentence ends between word i and word i + 1.
    std::vector<bool> granica(n, true);
    for (size_t i = 0; i + 1 < n; ++i) {
        const size_t koniec = slowa[i].poczatek + slowa[i].dlugosc;
        granica[i] = przerwaPrzed[i + 1] ||
                     KoniecZdania(tekst.substr(koniec, slowa[i + 1].poczatek - koniec), slowa[i],
                                  tekst[slowa[i + 1].poczatek]);
    }

    TIndeksAktu wynik;
    wynik.Fragmenty.reserve(n);
    wynik.Poczatki.reserve(n + 1);
    for (size_t i = 0; i < n; ++i) {
        std::string f(tekst.substr(slowa[i].poczatek, std::min(slowa[i].dlugosc, kMaksFragmentu)));
        for (size_t j = i; j + 1 < n && j + 1 < i + kKandydaci && !granica[j]; ++j) {
            const std::string_view nastepne = tekst.substr(slowa[j + 1].poczatek, slowa[j + 1].dlugosc);
            if (f.size() + 1 + nastepne.size() > kMaksFragmentu) break;
            f += '|';
            f += nastepne;
        }
        wynik.Fragmenty.push_back(std::move(f));
        wynik.Poczatki.push_back(int32_t(slowa[i].poczatek));
    }
    wynik.Poczatki.push_back(int32_t(tekst.size()) + 1);
    return wynik;
}
