#include "WysylanieDokumentow.h"

#include <filesystem>
#include <string>

#include "Bledy.h"
#include "Mail.h"
#include "Sesja.h"
#include "TablicaRaportu.h"
#include "Zapytanie.h"
#include "mLib.h"

TDokumentyDoWyslania DokumentyDoWyslania(const TcTablicaRaportu& t) {
    TDokumentyDoWyslania d;
    for (int32_t i = 1; i <= t.Liczba; ++i) {
        const TPozycjaRaportu& p = t.Pozycje[size_t(i)];
        if (!p.Zaznaczony) continue;
        if (int32_t(d.Numery.size()) == TcMail::MaksDokumentow) {
            d.Wiecej = true;
            break;
        }
        d.Numery.push_back(p.NrDokumentu);
    }
    return d;
}

namespace {


// Runs the hand-over and makes the working folder current again: the mail client may change it.
template <class F>
bool WBiezacymKatalogu(F&& wyslanie) {
    std::error_code blad;
    const std::filesystem::path katalog = std::filesystem::current_path(blad);
    const bool wynik = wyslanie(katalog.string());
    // The folder was current a moment ago; if it cannot be made current again there is
    // nothing better to do than to go on.
    if (!blad) std::filesystem::current_path(katalog, blad);
    return wynik;
}

}  // namespace

bool WyslanieDokumentow(TcSesja& sesja, const std::vector<int32_t>& numery) {
    if (numery.empty() || int32_t(numery.size()) > TcMail::MaksDokumentow) mBladWewnetrzny("WyslanieDokumentow", 1);
    int32_t k = 0;
    for (const int32_t numer : numery)
        mWriteString(TcMail::PlikDokumentu(++k), sesja.Zapytanie().OdczytanieDokumentu(numer).Tekst, TrybBledu::Wyjatek);
    return WBiezacymKatalogu([&](const std::string&) { return sesja.Mail().WyslanieDokumentow(k); });
}

bool WyslaniePlikuRaportu(TcSesja& sesja, const std::string& nazwaPliku) {
    return WBiezacymKatalogu([&](const std::string& katalog) {
        return sesja.Mail().WyslanieRaportu(nazwaPliku, katalog + "/Raporty/" + nazwaPliku);
    });
}
