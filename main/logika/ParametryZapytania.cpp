#include "ParametryZapytania.h"

#include "Analiza.h"
#include "Fraza.h"
#include "Zapytanie.h"
#include "cp1250.h"

namespace {

void UstawienieRodzajow(const TParametryZapytania& p, TcZapytanie& z) {
    z.Interpretacja = p.Interpretacja;
    z.PismoMinisterstwa = p.PismoMinisterstwa;
    z.TezaOrzeczenia = p.TezaOrzeczenia;
    z.TylkoDoRaportu = p.TylkoDoRaportu;
    z.WszystkieFormy = p.WszystkieFormy;
}

}  // namespace

void UstawienieZapytania(const TParametryZapytania& p, TcZapytanie& z) {
    z.Warunek = PrzygotowanieWarunku(p.Slowa, p.Operatory);
    z.WarunekDodatkowy = p.WarunekDodatkowy;
    z.Przepis = p.Przepis;
    z.Izba = p.Izba < 0 ? 0 : p.Izba;
    UstawienieRodzajow(p, z);
}

void UstawienieZapytaniaAktu(const TParametryZapytania& p, TcZapytanie& z) {
    z.Warunek.clear();
    if (p.WybranaFraza >= 0 && p.WybranaFraza < LiczbaFraz && !p.Frazy[size_t(p.WybranaFraza)].empty())
        z.Warunek = '"' + p.Frazy[size_t(p.WybranaFraza)] + '"';
    z.WarunekDodatkowy.clear();
    z.Przepis = p.Akt;
    z.Izba = 0;
    z.Interpretacja = true;
    z.PismoMinisterstwa = false;
    z.TezaOrzeczenia = false;
    z.TylkoDoRaportu = p.TylkoDoRaportu;
    z.WszystkieFormy = p.WszystkieFormy;
}

bool UstawienieLiczenia(const TParametryZapytania& p, TPoleLiczby pole, TcZapytanie& z, const TcZapytanie& glowne) {
    z.Przepis = 0;
    z.Izba = 0;
    z.Warunek.clear();
    z.WarunekDodatkowy.clear();
    switch (pole) {
    case TPoleLiczby::Slowo1:
    case TPoleLiczby::Slowo2:
    case TPoleLiczby::Slowo3:
    case TPoleLiczby::Slowo4: {
        const std::string& slowo = p.Slowa[size_t(pole)];
        if (slowo.empty()) return false;
        z.Warunek.assign(1, '"');
        z.Warunek.append(slowo).push_back('"');
        break;
    }
    case TPoleLiczby::Izba:
        if (p.Izba < 0) return false;
        z.Izba = p.Izba;
        break;
    case TPoleLiczby::Przepis:
        if (p.Przepis == 0) return false;
        z.Przepis = p.Przepis;
        break;
    case TPoleLiczby::Akt:
        if (p.Akt <= 0) return false;
        z.Przepis = p.Akt;
        break;
    case TPoleLiczby::Fraza1:
    case TPoleLiczby::Fraza2:
    case TPoleLiczby::Fraza3:
    case TPoleLiczby::Fraza4:
    case TPoleLiczby::Fraza5: {
        const std::string& fraza = p.Frazy[size_t(pole) - size_t(TPoleLiczby::Fraza1)];
        if (fraza.empty()) return false;
        z.Warunek = '"' + fraza + '"';
        z.Przepis = p.Akt;
        break;
    }
    }
    UstawienieRodzajow(p, z);
    if (z.TylkoDoRaportu) {
        z.Wynik = glowne.Wynik;
        z.Raport.assign(1, 'X');
    }
    return true;
}

TFrazyAktu UstawienieFraz(std::string_view kandydaci, int wybrana) {
    TFrazyAktu f;
    std::string fraza;
    int ostatnia = -1;
    size_t poczatek = 0;
    for (int n = 0; n < LiczbaFraz; ++n) {
        std::string_view pole;
        if (poczatek <= kandydaci.size()) {
            const size_t kreska = kandydaci.find('|', poczatek);
            const size_t koniec = kreska == std::string_view::npos ? kandydaci.size() : kreska;
            pole = kandydaci.substr(poczatek, koniec - poczatek);
            poczatek = kreska == std::string_view::npos ? kandydaci.size() + 1 : kreska + 1;
        }
        if (pole.empty()) continue;
        if (!fraza.empty()) fraza += ' ';
        fraza += pole;
        f.Napisy[size_t(n)] = fraza;
        ostatnia = n;
    }
    if (ostatnia >= 0) f.Wybrana = (wybrana < 0 || wybrana > ostatnia) ? ostatnia : wybrana;
    return f;
}

int PoleZaDlugiejFrazy(const TParametryZapytania& p, std::string_view znaki) {
    for (size_t i = 0; i < p.Slowa.size(); ++i) {
        int slow = 0;
        PodzialTekstu(cp1250::upper(p.Slowa[i]), znaki, [&](std::string_view) { ++slow; });
        if (slow > kMaksSlowFrazy) return int(i);
    }
    return -1;
}
