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
}

}  // namespace

void UstawienieZapytania(const TParametryZapytania& p, TcZapytanie& z) {
    z.Warunek = PrzygotowanieWarunku(p.Slowa, p.Operatory);
    z.WarunekDodatkowy = p.WarunekDodatkowy;
    z.Przepis = p.Przepis;
    z.Izba = p.Izba < 0 ? 0 : p.Izba;
    UstawienieRodzajow(p, z);
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
    }
    UstawienieRodzajow(p, z);
    if (z.TylkoDoRaportu) {
        z.Wynik.Dane = glowne.Wynik.Dane;
        z.Raport.assign(1, 'X');
    }
    return true;
}

int PoleZaDlugiejFrazy(const TParametryZapytania& p, std::string_view znaki) {
    for (size_t i = 0; i < p.Slowa.size(); ++i) {
        int slow = 0;
        PodzialTekstu(cp1250::upper(p.Slowa[i]), znaki, [&](std::string_view) { ++slow; });
        if (slow > kMaksSlowFrazy) return int(i);
    }
    return -1;
}
