// Our engine as the benchmark drives it: the fields a search or a live count fills in, then
// WykonanieZapytania, then the result set walked into a list.
#include "Silniki.h"


#include "ParserBool.h"
#include "Zapytanie.h"
#include "bSlownikTxt.h"

namespace {

class TSilnikWlasny : public TSilnik {
public:
    TSilnikWlasny(const std::string& katalog, const std::string& slowniki)
        : izby_(slowniki + "/izby.ini", true), przepisy_(slowniki + "/przepisy.ini", true) {
        TOpcjeLadowania opcje;
        opcje.Katalog = katalog;
        q_ = std::make_unique<TcZapytanie>(opcje);
        parser_ = std::make_unique<TcParserBool>(*q_);
        kopia_ = std::make_unique<TcZapytanie>(*q_);
        for (TcZapytanie* z : {q_.get(), kopia_.get()}) {
            z->Parser = parser_.get();
            z->SlownikIzb = &izby_;
            z->SlownikPrzepisow = &przepisy_;
        }
    }
    ~TSilnikWlasny() override {
        kopia_.reset();   // the copy goes before the object whose files it uses
        parser_.reset();
        q_.reset();
    }

    std::string Nazwa() const override { return "ours"; }

    void Szukanie(const TWarunek& w, std::vector<int32_t>& dokumenty) override {
        Wykonanie(*q_, w);
        q_->Wynik.Numery(dokumenty);
    }

    int64_t Zliczanie(const TWarunek& w) override {
        Wykonanie(*kopia_, w);
        return kopia_->Wynik.Liczba();
    }

    TcZapytanie& Ladujacy() { return *q_; }

private:
    static void Wykonanie(TcZapytanie& z, const TWarunek& w) {
        using R = TWarunek::Rodzaj;
        z.Warunek = WarunekWlasny(w);
        z.WarunekDodatkowy.clear();
        z.Izba = w.R == R::Izba ? w.Numer : 0;
        z.Przepis = w.R == R::Przepis ? w.Numer : 0;
        z.TylkoDoRaportu = false;
        z.PismoMinisterstwa = z.Interpretacja = z.TezaOrzeczenia = true;
        z.Raport.clear();
        if (!z.WykonanieZapytania()) throw EInternalError("bench: condition refused: " + z.Warunek);
    }

    TcSlownikTxtIzba izby_;
    TcSlownikTxtPrzepis przepisy_;
    std::unique_ptr<TcZapytanie> q_;
    std::unique_ptr<TcParserBool> parser_;
    std::unique_ptr<TcZapytanie> kopia_;
};

}  // namespace

std::unique_ptr<TSilnik> OtwarcieWlasnego(const std::string& katalogDanych, const std::string& slowniki) {
    return std::make_unique<TSilnikWlasny>(katalogDanych, slowniki);
}

const TcMagazynIndeksu& MagazynWlasnego(TSilnik& s) { return static_cast<TSilnikWlasny&>(s).Ladujacy().Magazyn(); }
