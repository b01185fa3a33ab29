// A long run of a user's day on one data directory: random queries, live counts, result pages
// listed and documents shown, reports saved and opened again, templates added, changed and
// deleted, the template table reopened. Prints the resident memory every minute and, at the
// end, its growth after the warm-up (the first tenth of the run, when the posting lists and
// the caches fill) and what the leak check found. Meant to run under LeakSanitizer (bench/soak).
//
//   belvastrona-bench-soak DIR MINUTES [--seed N]
//
// Reports, templates and the shown page are written in a fresh folder under the system's
// temporary folder, removed at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "Analiza.h"
#include "Bledy.h"
#include "DokumentDoPokazania.h"
#include "Sesja.h"
#include "TablicaRaportu.h"
#include "TekstRaportu.h"
#include "WierszRaportu.h"
#include "ZapisRaportu.h"
#include "Zapytanie.h"
#include "bPlik.h"
#include "bSlownikTxt.h"
#include "cp1250.h"
#include "d_Szablon.h"
#include "mLib.h"

extern "C" int __lsan_do_recoverable_leak_check() __attribute__((weak));

namespace {

using Zegar = std::chrono::steady_clock;

double RezydentnaMb() {
    std::ifstream f("/proc/self/statm");
    long rozmiar = 0, rezydentne = 0;
    f >> rozmiar >> rezydentne;
    return double(rezydentne) * double(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

struct TLiczniki {
    long zapytania = 0, bledneWarunki = 0, zliczenia = 0, strony = 0, zapisaneRaporty = 0,
         otwarteRaporty = 0, szablony = 0, otwarciaTabeli = 0;
    long Razem() const {
        return zapytania + zliczenia + strony + zapisaneRaporty + otwarteRaporty + szablony + otwarciaTabeli;
    }
};

class TDzien {
public:
    TDzien(TcSesja& s, unsigned ziarno) : s_(s), los_(ziarno) {
        const TcMagazynIndeksu& m = s.Zapytanie().Magazyn();
        for (int32_t w = 0; w < m.W && slowa_.size() < 20000; w += 7) {
            const std::string& t = m.Slowa[size_t(w)];
            if (t.size() >= 4 && std::all_of(t.begin(), t.end(), [](char c) { return CzyLitera((unsigned char)c); }))
                slowa_.push_back(t);
        }
        if (slowa_.size() < 10) throw std::runtime_error("too few words in the store for a soak");
        szablony_ = std::make_unique<Tdm_Szablon>("");
    }

    // One operation, in about the mix of a working day: mostly searching and reading.
    void Krok() {
        const int r = Los(1000);
        if (r < 350) Zapytanie();
        else if (r < 600) Zliczenie();
        else if (r < 800) Strona();
        else if (r < 860) ZapisRaportu();
        else if (r < 930) Raport();
        else if (r < 999) Szablon();
        else OtwarcieTabeli();
    }

    TLiczniki n;

private:
    int Los(int ile) { return std::uniform_int_distribution<int>(0, ile - 1)(los_); }
    const std::string& Slowo() { return slowa_[size_t(Los(int(slowa_.size())))]; }

    std::string Fraza() {
        switch (Los(3)) {
        case 0: return Slowo();
        case 1: return Slowo().substr(0, 3) + "*";
        default: return Slowo() + " " + Slowo();
        }
    }

    std::string Warunek() {
        static const char* const operatory[] = {" AND ", " OR ", " AND_NOT "};
        std::string w = "\"" + Fraza() + "\"";
        for (int i = Los(4); i > 0; --i) w += std::string(operatory[Los(3)]) + "\"" + Fraza() + "\"";
        return w;
    }

    void Zapytanie() {
        TcZapytanie& q = s_.Zapytanie();
        q.Interpretacja = q.PismoMinisterstwa = q.TezaOrzeczenia = true;
        q.Warunek = Warunek();
        // The additional condition is typed: now and then a wrong one, so the error path runs too.
        const int r = Los(20);
        q.WarunekDodatkowy = r == 0 ? "(\"" + Fraza() + "\" AND" : r < 5 ? "\"" + Fraza() + "\"" : std::string();
        ++n.zapytania;
        if (!s_.Wykonanie(q)) {
            ++n.bledneWarunki;
            return;
        }
        tablica_.PrzygotowanieRaportu(q.Wynik);
    }

    void Zliczenie() {
        TcZapytanie& k = s_.Liczace();
        k.Interpretacja = k.PismoMinisterstwa = k.TezaOrzeczenia = true;
        k.WarunekDodatkowy = "\"" + Fraza() + "\"";
        (void)s_.Wykonanie(k);
        ++n.zliczenia;
    }

    // A page of the result list: every row's text, one document shown with the condition marked.
    void Strona() {
        if (tablica_.Liczba == 0) return Zapytanie();
        tablica_.BiezacaStrona = Los(tablica_.OstatniaStrona() + 1);
        const TcZapytanie& q = s_.Zapytanie();
        for (int32_t i = tablica_.PierwszaNaStronie(); i <= tablica_.OstatniaNaStronie(); ++i) {
            const TDokument d = q.OdczytanieDokumentu(tablica_.Pozycje[size_t(i)].NrDokumentu);
            (void)TekstWiersza(d.Data, d.Tekst, 90);
        }
        const int32_t i = tablica_.PierwszaNaStronie() + Los(tablica_.OstatniaNaStronie() - tablica_.PierwszaNaStronie() + 1);
        (void)ZapisanieDoPokazania(q, tablica_.Pozycje[size_t(i)].NrDokumentu, q.WarunekPelny);
        ++n.strony;
    }

    std::string NazwaRaportu() { return "raport " + std::to_string(Los(20)); }

    void ZapisRaportu() {
        if (tablica_.Liczba == 0) return Zapytanie();
        for (int i = 0; i < 5; ++i) tablica_.UstawienieZaznaczenia(tablica_.Pozycje[size_t(1 + Los(tablica_.Liczba))].NrDokumentu, Los(2));
        const TMiejsceRaportu m = MiejsceRaportu(NazwaRaportu());
        if (!ZapisanieRaportu(m.Sciezka, TekstRaportu(tablica_, s_.Zapytanie())))
            throw std::runtime_error("a report save failed: " + m.Sciezka);
        ++n.zapisaneRaporty;
    }

    // Opened as the main window opens a report: it becomes the current result.
    void Raport() {
        const TMiejsceRaportu m = MiejsceRaportu(NazwaRaportu());
        if (!m.Istnieje) return ZapisRaportu();
        TcZapytanie& q = s_.Zapytanie();
        if (!mReadString(m.Sciezka, q.Raport, TrybBledu::Cichy)) throw std::runtime_error("a report read failed: " + m.Sciezka);
        const TRaport r = ::OtwarcieRaportu(m.Sciezka, s_.Izby(), s_.Przepisy(), tablica_, q);
        const auto data = [&](int32_t d) { return q.OdczytanieDokumentu(d).Data; };
        (void)DokumentyStrony(r.Dokumenty, Los(int(r.Dokumenty.size()) / TcTablicaRaportu::WielkoscStrony + 1), data);
        ++n.otwarteRaporty;
    }

    // Adds a template, changes one or deletes one, keeping the table at about 40 live templates.
    void Szablon() {
        TcTabelaDbf& t = szablony_->tb_Szablon;
        int zywe = 0;
        if (!t.Pusta())
            for (t.PrzejscieNaPierwszy(); !t.Koniec(); t.PrzejscieNaNastepny()) ++zywe;
        const int r = Los(3);
        if (zywe < 40 && (r == 0 || zywe == 0)) {
            const std::string opis = "Szablon " + std::to_string(++kolejny_);
            const int32_t id = AutoInkrementacja(t);
            t.Dopisanie();
            t.ZapisanieLiczby("ID_SZABL", id);
            t.ZapisaniePola("OPIS", opis);
            t.ZapisaniePola("WARUNEK", Warunek());
            t.ZapisaniePola("WARUN_DOD", std::string(size_t(Los(1000)), 'x'));
            t.Zatwierdzenie();
        } else {
            t.PrzejscieNaPierwszy();
            for (int i = Los(zywe); i > 0; --i) t.PrzejscieNaNastepny();
            if (r == 1 || zywe < 20) {
                t.Edycja();
                t.ZapisaniePola("WARUNEK", Warunek());
                t.ZapisanieLiczby("ID_IZBY", Los(30));
                t.Zatwierdzenie();
            } else {
                t.Usuniecie();
            }
        }
        ++n.szablony;
    }

    void OtwarcieTabeli() {
        szablony_.reset();
        szablony_ = std::make_unique<Tdm_Szablon>("");
        ++n.otwarciaTabeli;
    }

    TcSesja& s_;
    std::mt19937 los_;
    std::vector<std::string> slowa_;
    TcTablicaRaportu tablica_;
    std::unique_ptr<Tdm_Szablon> szablony_;
    long kolejny_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DIR MINUTES [--seed N]\n", argv[0]);
        return 2;
    }
    const std::string katalog = std::filesystem::absolute(argv[1]).string();
    const double minuty = std::atof(argv[2]);
    unsigned ziarno = 1;
    for (int i = 3; i + 1 < argc; i += 2)
        if (std::string(argv[i]) == "--seed") ziarno = unsigned(std::atoi(argv[i + 1]));
    if (minuty <= 0) {
        std::fprintf(stderr, "MINUTES must be above 0\n");
        return 2;
    }

    char wzor[] = "/tmp/belv_soak_XXXXXX";
    if (!mkdtemp(wzor)) {
        std::perror("mkdtemp");
        return 2;
    }
    const std::filesystem::path roboczy = wzor;
    std::filesystem::current_path(roboczy);
    std::filesystem::create_directory(KatalogRaportow);

    int kod = 0;
    try {
        TOpcjeSesji o;
        o.Ladowanie.Katalog = katalog;
        o.SlownikiWymagane = false;
        o.OdczytKonfiguracji = false;
        TcSesja sesja(o);
        TDzien dzien(sesja, ziarno);
        std::printf("data: %s (%d documents, %s mode), %.1f minutes, seed %u\n", katalog.c_str(),
                    sesja.Zapytanie().LiczbaDokumentow(), sesja.Zapytanie().NaDysku ? "disk" : "memory", minuty, ziarno);
        std::printf("%8s %12s %12s\n", "minute", "operations", "resident MB");

        const auto poczatek = Zegar::now();
        const auto koniec = poczatek + std::chrono::duration<double, std::ratio<60>>(minuty);
        const auto poRozgrzewce = poczatek + std::chrono::duration<double, std::ratio<60>>(minuty / 10);
        auto nastepnyWydruk = poczatek + std::chrono::minutes(1);
        double poRozgrzaniu = -1, najwiecej = 0;
        double najdluzszy = 0;
        while (Zegar::now() < koniec) {
            const auto a = Zegar::now();
            dzien.Krok();
            najdluzszy = std::max(najdluzszy, std::chrono::duration<double, std::milli>(Zegar::now() - a).count());
            const auto teraz = Zegar::now();
            if (poRozgrzaniu < 0 && teraz >= poRozgrzewce) poRozgrzaniu = RezydentnaMb();
            if (teraz >= nastepnyWydruk) {
                const double rss = RezydentnaMb();
                najwiecej = std::max(najwiecej, rss);
                std::printf("%8.0f %12ld %12.1f\n", std::chrono::duration<double, std::ratio<60>>(teraz - poczatek).count(),
                            dzien.n.Razem(), rss);
                std::fflush(stdout);
                nastepnyWydruk += std::chrono::minutes(1);
            }
        }
        const double naKoniec = RezydentnaMb();
        najwiecej = std::max(najwiecej, naKoniec);
        if (poRozgrzaniu < 0) poRozgrzaniu = naKoniec;
        const TLiczniki& n = dzien.n;
        std::printf("\noperations %ld: queries %ld (%ld with a wrong condition), live counts %ld, pages %ld "
                    "(each with a document shown),\n  reports saved %ld, reports opened %ld, template changes %ld, "
                    "template table reopened %ld\n",
                    n.Razem(), n.zapytania, n.bledneWarunki, n.zliczenia, n.strony, n.zapisaneRaporty,
                    n.otwarteRaporty, n.szablony, n.otwarciaTabeli);
        std::printf("longest operation %.0f ms\n", najdluzszy);
        std::printf("resident memory: %.1f MB after the warm-up, %.1f MB at the end, %.1f MB at most; growth %.2f %%\n",
                    poRozgrzaniu, naKoniec, najwiecej, 100.0 * (naKoniec - poRozgrzaniu) / poRozgrzaniu);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", cp1250::toUtf8(e.what()).c_str());
        kod = 1;
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(roboczy);
    if (__lsan_do_recoverable_leak_check) {
        const bool wycieki = __lsan_do_recoverable_leak_check() != 0;
        std::printf("leak check: %s\n", wycieki ? "LEAKS (reported above)" : "no leaks");
        if (wycieki && kod == 0) kod = 3;
    } else {
        std::printf("leak check: not built with LeakSanitizer\n");
    }
    return kod;
}
