#include "d_Szablon.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "Bledy.h"
#include "cp1250.h"
#include "mLib.h"

namespace fs = std::filesystem;

namespace {

std::string Sciezka(const std::string& katalog, const char* nazwa) {
    return katalog.empty() ? std::string(nazwa) : (fs::path(katalog) / nazwa).string();
}

// A file of the folder whose name equals `nazwa` without regard to letter case.
bool Istnieje(const std::string& katalog, const std::string& nazwa) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(katalog.empty() ? fs::path(".") : fs::path(katalog), ec))
        if (cp1250::equalsNoCase(e.path().filename().string(), nazwa)) return true;
    return false;
}

int32_t Liczba(const TcTabelaDbf& t, const char* pole) { return int32_t(t.OdczytanieLiczby(pole).value_or(0)); }

// Keeps the current record across a walk of the table: the record whose identifier it was is
// found again; another one found is a fault of the program.
class TPamiecBiezacego {
public:
    TPamiecBiezacego(TcTabelaDbf& t, const char* gdzie) : t_(t), gdzie_(gdzie), id_(t.OdczytaniePola("ID_SZABL")) {}
    void Powrot() {
        if (id_) t_.Odszukanie("ID_SZABL", *id_);
        if (t_.OdczytaniePola("ID_SZABL") != id_ && id_) mBladWewnetrzny(gdzie_, 1, '\r');
    }

private:
    TcTabelaDbf& t_;
    const char* gdzie_;
    std::optional<std::string> id_;
};

}  // namespace

const std::vector<TPoleDbf>& PolaSzablonu() {
    static const std::vector<TPoleDbf> pola = {
        {"ID_SZABL", 'N', 9, 0}, {"OPIS", 'C', DlugoscOpisuSzablonu, 0}, {"ID_PRZEP", 'N', 4, 0},
        {"ID_IZBY", 'N', 4, 0},  {"WARUNEK", 'M', 10, 0},                {"WARUN_DOD", 'M', 10, 0},
    };
    return pola;
}

namespace {

// An opened table must hold the template fields with their types: another table, or one whose
// field descriptors are damaged, is refused as damaged before any template is read.
void KontrolaPol(const TcTabelaDbf& t) {
    for (const TPoleDbf& p : PolaSzablonu()) {
        const int n = t.NumerPola(p.Nazwa);
        if (n < 0 || t.Pola()[size_t(n)].Typ != p.Typ)
            throw EInOutError(PL(u8"Uszkodzony plik '") + NazwaPlikuWKomunikacie(t.Sciezka()) +
                              PL(u8"': brak pola ") + p.Nazwa + PL(u8" tabeli szablonów."));
    }
}

}  // namespace

Tdm_Szablon::Tdm_Szablon(const std::string& katalog, bool tylkoOdczyt) {
    const std::string tabela = Sciezka(katalog, PlikSzablonow);
    const std::string indeks = Sciezka(katalog, IndeksSzablonow);
    if (tylkoOdczyt) {
        tb_Szablon.Otwarcie(tabela);
        KontrolaPol(tb_Szablon);
        tb_Szablon.UstawieniePorzadku("OPIS");
        return;
    }
    if (!Istnieje(katalog, PlikSzablonow)) tb_Szablon.Utworzenie(tabela, PolaSzablonu(), indeks, "OPIS");
    else tb_Szablon.Otwarcie(tabela);
    KontrolaPol(tb_Szablon);
    tb_Szablon.DodanieIndeksu(indeks, "OPIS");
    tb_Szablon.PrzejscieNaPierwszy();
}

int32_t AutoInkrementacja(TcTabelaDbf& t) {
    TPamiecBiezacego pamiec(t, "AutoInkrementacja");
    t.PrzejscieNaOstatni();
    int32_t wynik = 1;
    if (const auto ostatni = t.OdczytanieLiczby("ID_SZABL")) {
        wynik = int32_t(*ostatni) + 1;
        while (t.Odszukanie("ID_SZABL", std::to_string(wynik))) ++wynik;
    }
    wynik = std::max(wynik, t.LiczbaRekordow() + 1);
    pamiec.Powrot();
    return wynik;
}

bool UnikalnyOpis(TcTabelaDbf& t, const std::string& opis, int tryb) {
    TPamiecBiezacego pamiec(t, "UnikalnyOpis");
    const auto biezacy = t.OdczytaniePola("ID_SZABL");
    const std::string szukany = cp1250::upper(opis);
    bool wolny = true;
    for (t.PrzejscieNaPierwszy(); wolny && !t.Pusta() && !t.Koniec(); t.PrzejscieNaNastepny()) {
        if (cp1250::upper(t.OdczytaniePola("OPIS").value_or("")) != szukany) continue;
        if (tryb == 1 || t.OdczytaniePola("ID_SZABL") != biezacy) wolny = false;
    }
    pamiec.Powrot();
    return wolny;
}

std::string OpisKopii(TcTabelaDbf& t, const std::string& opis) {
    for (int n = 1;; ++n) {
        const std::string przyrostek = " (" + std::to_string(n) + ")";
        const size_t k = std::min(opis.size(), DlugoscOpisuSzablonu - przyrostek.size());
        std::string kandydat = opis.substr(0, k) + przyrostek;
        if (UnikalnyOpis(t, kandydat, 1)) return kandydat;
    }
}

TSzablon BiezacySzablon(const TcTabelaDbf& t) {
    TSzablon s;
    s.Id = Liczba(t, "ID_SZABL");
    s.Opis = t.OdczytaniePola("OPIS").value_or("");
    s.IdPrzep = Liczba(t, "ID_PRZEP");
    s.IdIzby = Liczba(t, "ID_IZBY");
    s.Warunek = t.OdczytaniePola("WARUNEK").value_or("");
    s.WarunDod = t.OdczytaniePola("WARUN_DOD").value_or("");
    return s;
}
