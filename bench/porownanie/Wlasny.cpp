// Our engine as the benchmark drives it: the fields a search or a live count fills in, then
// WykonanieZapytania, then the result set walked into a list.
#include "Silniki.h"

#include "Sesja.h"
#include "Zapytanie.h"

namespace {

class TSilnikWlasny : public TSilnik {
public:
    TSilnikWlasny(const std::string& katalog, const std::string& slowniki) {
        TOpcjeSesji opcje;
        opcje.Ladowanie.Katalog = katalog;
        opcje.KatalogSlownikow = slowniki;   // chambers and provisions only: the others stay empty
        opcje.SlownikiWymagane = false;
        opcje.OdczytKonfiguracji = false;
        sesja_ = std::make_unique<TcSesja>(opcje);
    }

    std::string Nazwa() const override { return "ours"; }

    void Szukanie(const TWarunek& w, std::vector<int32_t>& dokumenty) override {
        TcZapytanie& q = sesja_->Zapytanie();
        Wykonanie(q, w);
        q.Wynik.Numery(dokumenty);
    }

    int64_t Zliczanie(const TWarunek& w) override {
        TcZapytanie& kopia = sesja_->Liczace();
        Wykonanie(kopia, w);
        return kopia.Wynik.Liczba();
    }

    TcZapytanie& Ladujacy() { return sesja_->Zapytanie(); }

    bool Formy(bool wlaczone) {
        if (wlaczone && !sesja_->PrzygotowanieRodzin()) return false;
        formy_ = wlaczone;
        return true;
    }

private:
    void Wykonanie(TcZapytanie& z, const TWarunek& w) {
        using R = TWarunek::Rodzaj;
        z.Warunek = WarunekWlasny(w);
        z.WarunekDodatkowy.clear();
        z.Izba = w.R == R::Izba ? w.Numer : 0;
        z.Przepis = w.R == R::Przepis ? w.Numer : 0;
        z.TylkoDoRaportu = false;
        z.PismoMinisterstwa = z.Interpretacja = z.TezaOrzeczenia = true;
        z.Raport.clear();
        z.WszystkieFormy = formy_;
        if (!sesja_->Wykonanie(z)) throw EInternalError("bench: condition refused: " + z.Warunek);
    }

    std::unique_ptr<TcSesja> sesja_;
    bool formy_ = false;
};

}  // namespace

std::unique_ptr<TSilnik> OtwarcieWlasnego(const std::string& katalogDanych, const std::string& slowniki) {
    return std::make_unique<TSilnikWlasny>(katalogDanych, slowniki);
}

const TcMagazynIndeksu& MagazynWlasnego(TSilnik& s) { return static_cast<TSilnikWlasny&>(s).Ladujacy().Magazyn(); }

bool FormyWlasnego(TSilnik& s, bool wlaczone) { return static_cast<TSilnikWlasny&>(s).Formy(wlaczone); }
