#include "BudowaKorpusu.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <unistd.h>

#include "Analiza.h"
#include "Bledy.h"
#include "IndeksAktu.h"
#include "Rtf.h"
#include "ZapisDanych.h"
#include "ZrodloKorpusu.h"
#include "cp1250.h"
#include "mLib.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t kMaksDokumentow = 262142;
constexpr int32_t kMaksFragmentow = 65535;
constexpr size_t kPartia = 256;   // documents handed to a thread at a time

std::string Sciezka(const std::string& katalog, const std::string& nazwa) { return (fs::path(katalog) / nazwa).string(); }

bool OdczytPliku(const std::string& sciezka, std::string& out) {
    std::FILE* f = std::fopen(sciezka.c_str(), "rb");
    if (!f) return false;
    out.clear();
    char bufor[65536];
    size_t n;
    while ((n = std::fread(bufor, 1, sizeof bufor, f)) > 0) out.append(bufor, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

std::string OdczytWymagany(const std::string& sciezka) {
    std::string s;
    if (!OdczytPliku(sciezka, s)) throw EInOutError(PL("Błąd odczytu pliku '") + sciezka + "'.");
    return s;
}

// Everything the build needs from the source, checked before anything is written.
struct TZrodlo {
    TSlownikZrodlowy izby, przepisy, akty;
    std::string dzialy;
    std::vector<TWpisDokumentu> dokumenty;        // in name order
    struct TAkt { std::string stem; std::string rtf; TIndeksAktu indeks; };
    std::vector<TAkt> aktyTeksty;                  // one per distinct stem
};

TZrodlo SprawdzenieZrodla(const std::string& zrodlo) {
    TZrodlo z;
    const std::string sciezkaDzialow = Sciezka(zrodlo, "dzialy.ini");
    if (!OdczytPliku(sciezkaDzialow, z.dzialy))
        throw EInOutError(PL("Brak pliku słownika '") + sciezkaDzialow + PL("' lub nie można go odczytać."));
    z.akty = OdczytanieSlownika(Sciezka(zrodlo, "akty.ini"));
    z.izby = OdczytanieSlownika(Sciezka(zrodlo, "izby.ini"));
    z.przepisy = OdczytanieSlownika(Sciezka(zrodlo, "przepisy.ini"));

    std::set<int32_t> izby, przepisy;
    for (const auto& w : z.izby.Wpisy) izby.insert(w.Numer);
    for (const auto& w : z.przepisy.Wpisy) przepisy.insert(w.Numer);

    // Acts: a provision number each, a text in acts/STEM.rtf.
    std::set<std::string> stemy;
    for (const auto& w : z.akty.Wpisy) {
        const std::string miejsce = PL("Plik '") + z.akty.Sciezka + PL("', wiersz ") + std::to_string(w.Wiersz) + ": ";
        const bool poprawny = !w.Drugie.empty() && std::all_of(w.Drugie.begin(), w.Drugie.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
        });
        if (!poprawny)
            throw EInOutError(miejsce + PL("nazwa pliku aktu '") + w.Drugie +
                              PL("' może zawierać tylko litery łacińskie, cyfry, '_' i '-'."));
        if (w.Numer > 0 && !przepisy.count(w.Numer))
            throw EInOutError(miejsce + PL("akt nr ") + std::to_string(w.Numer) + PL(" nie ma wpisu w pliku '") +
                              z.przepisy.Sciezka + "'.");
        if (!stemy.insert(w.Drugie).second) continue;
        TZrodlo::TAkt a;
        a.stem = w.Drugie;
        const std::string plik = Sciezka(Sciezka(zrodlo, "acts"), a.stem + ".rtf");
        if (!OdczytPliku(plik, a.rtf))
            throw EInOutError(miejsce + PL("brak tekstu aktu '") + plik + PL("' lub nie można go odczytać."));
        a.indeks = BudowaIndeksuAktu(RtfNaTekst(a.rtf), kZnakiIndeksu);
        if (a.indeks.Fragmenty.size() > size_t(kMaksFragmentow))
            throw EInOutError(PL("Tekst aktu '") + plik + PL("' ma więcej niż 65535 wyrazów."));
        z.aktyTeksty.push_back(std::move(a));
    }

    // The document index against the dictionaries and the documents folder.
    const std::string sciezkaTsv = Sciezka(zrodlo, "documents.tsv");
    std::string tsv;
    if (!OdczytPliku(sciezkaTsv, tsv))
        throw EInOutError(PL("Brak pliku '") + sciezkaTsv + PL("' lub nie można go odczytać."));
    z.dokumenty = OdczytanieIndeksuDokumentow(tsv, sciezkaTsv);
    for (const auto& d : z.dokumenty) {
        const std::string miejsce = PL("Plik '") + sciezkaTsv + PL("', wiersz ") + std::to_string(d.Wiersz) + ": ";
        if (d.Izba != 0 && !izby.count(d.Izba))
            throw EInOutError(miejsce + PL("izba nr ") + std::to_string(d.Izba) + PL(" nie występuje w pliku '") +
                              z.izby.Sciezka + "'.");
        for (int32_t p : d.Przepisy)
            if (!przepisy.count(p))
                throw EInOutError(miejsce + PL("przepis nr ") + std::to_string(p) + PL(" nie występuje w pliku '") +
                                  z.przepisy.Sciezka + "'.");
    }

    const std::string folder = Sciezka(zrodlo, "documents");
    std::vector<std::string> pliki;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) throw EInOutError(PL("Brak folderu dokumentów '") + folder + PL("' lub nie można go odczytać."));
    for (const auto& e : it) {
        const std::string nazwa = e.path().filename().string();
        if (nazwa.empty() || nazwa[0] == '.' || !e.is_regular_file(ec)) continue;
        pliki.push_back(nazwa);
    }
    std::sort(pliki.begin(), pliki.end());
    std::sort(z.dokumenty.begin(), z.dokumenty.end(),
              [](const TWpisDokumentu& a, const TWpisDokumentu& b) { return a.Nazwa < b.Nazwa; });
    size_t i = 0, j = 0;
    while (i < pliki.size() || j < z.dokumenty.size()) {
        if (j == z.dokumenty.size() || (i < pliki.size() && pliki[i] < z.dokumenty[j].Nazwa))
            throw EInOutError(PL("Dokument '") + Sciezka(folder, pliki[i]) + PL("' nie ma wiersza w pliku '") +
                              sciezkaTsv + "'.");
        if (i == pliki.size() || z.dokumenty[j].Nazwa < pliki[i])
            throw EInOutError(PL("Plik '") + sciezkaTsv + PL("', wiersz ") + std::to_string(z.dokumenty[j].Wiersz) +
                              PL(": brak dokumentu '") + Sciezka(folder, z.dokumenty[j].Nazwa) + "'.");
        ++i, ++j;
    }
    if (z.dokumenty.empty()) throw EInOutError(PL("Folder '") + folder + PL("' nie zawiera dokumentów."));
    if (z.dokumenty.size() > size_t(kMaksDokumentow))
        throw EInOutError(PL("Za dużo dokumentów (") + std::to_string(z.dokumenty.size()) + PL("): najwyżej 262142."));
    return z;
}

// Documents cut into words by worker threads, handed to the writer in document order.
class TPotokDokumentow {
public:
    struct TPartia {
        size_t numer = 0;
        std::vector<std::string> html;
        std::vector<std::vector<std::string>> slowa;
        std::string blad;
    };

    TPotokDokumentow(const std::string& folder, const std::vector<TWpisDokumentu>& dokumenty, int watki)
        : folder_(folder), dokumenty_(dokumenty), partii_((dokumenty.size() + kPartia - 1) / kPartia),
          okno_(size_t(4 * watki)), gotowe_(okno_) {
        for (int t = 0; t < watki; ++t) watki_.emplace_back([this] { Praca(); });
    }
    ~TPotokDokumentow() {
        {
            std::lock_guard<std::mutex> l(m_);
            stop_ = true;
        }
        cv_.notify_all();
        for (auto& t : watki_) t.join();
    }

    size_t Partii() const { return partii_; }

    // The next batch in order; throws the error met while preparing it.
    std::unique_ptr<TPartia> Nastepna() {
        std::unique_lock<std::mutex> l(m_);
        auto& slot = gotowe_[zjedzone_ % okno_];
        cv_.wait(l, [&] { return slot && slot->numer == zjedzone_; });
        std::unique_ptr<TPartia> p = std::move(slot);
        ++zjedzone_;
        l.unlock();
        cv_.notify_all();
        if (!p->blad.empty()) throw EInOutError(p->blad);
        return p;
    }

private:
    void Praca() {
        for (;;) {
            size_t b;
            {
                std::unique_lock<std::mutex> l(m_);
                cv_.wait(l, [&] { return stop_ || nastepna_ >= partii_ || nastepna_ < zjedzone_ + okno_; });
                if (stop_ || nastepna_ >= partii_) return;
                b = nastepna_++;
            }
            auto p = std::make_unique<TPartia>();
            p->numer = b;
            try {
                Przygotowanie(*p);
            } catch (const std::exception& e) {
                p->blad = e.what();
            }
            {
                std::lock_guard<std::mutex> l(m_);
                gotowe_[b % okno_] = std::move(p);
            }
            cv_.notify_all();
        }
    }

    void Przygotowanie(TPartia& p) const {
        const size_t od = p.numer * kPartia, do_ = std::min(dokumenty_.size(), od + kPartia);
        p.html.resize(do_ - od);
        p.slowa.resize(do_ - od);
        std::string surowy;
        for (size_t i = od; i < do_; ++i) {
            const std::string sciezka = Sciezka(folder_, dokumenty_[i].Nazwa);
            if (!OdczytPliku(sciezka, surowy)) throw EInOutError(PL("Błąd odczytu pliku '") + sciezka + "'.");
            std::string& html = p.html[i - od];
            html = HtmlWIso(std::move(surowy));
            const std::string tekst = cp1250::upper(mHtmlToText(html));
            auto& slowa = p.slowa[i - od];
            slowa.reserve(tekst.size() / 6);
            PodzialTekstu(tekst, kZnakiIndeksu, [&slowa](std::string_view t) { slowa.emplace_back(t); });
        }
    }

    std::string folder_;
    const std::vector<TWpisDokumentu>& dokumenty_;
    const size_t partii_, okno_;
    std::mutex m_;
    std::condition_variable cv_;
    size_t nastepna_ = 0, zjedzone_ = 0;
    bool stop_ = false;
    std::vector<std::unique_ptr<TPartia>> gotowe_;
    std::vector<std::thread> watki_;
};

// The temporary folder beside DATA; removed unless it was put in DATA's place.
class TFolderTymczasowy {
public:
    explicit TFolderTymczasowy(const fs::path& dane)
        : dane_(dane), sciezka_(dane.string() + ".tmp-" + std::to_string(getpid())) {
        std::error_code ec;
        fs::remove_all(sciezka_, ec);
        if (!fs::create_directories(sciezka_, ec) || ec)
            throw EInOutError(PL("Nie można utworzyć folderu '") + sciezka_.string() + "'.");
    }
    ~TFolderTymczasowy() {
        if (!zamieniony_) {
            std::error_code ec;
            fs::remove_all(sciezka_, ec);
        }
    }
    std::string Sciezka() const { return sciezka_.string(); }

    // Puts the finished folder in DATA's place; the old DATA is removed only afterwards. The
    // user's saved reports ("Raporty") are not the corpus's: they move into the new folder.
    void Zamiana() {
        std::error_code ec;
        const fs::path stary = dane_.string() + ".old-" + std::to_string(getpid());
        const fs::path raporty = sciezka_ / "Raporty";
        const bool byl = fs::exists(dane_, ec);
        bool przeniesione = false;
        if (byl) {
            fs::remove_all(stary, ec);
            fs::rename(dane_, stary, ec);
            if (ec) throw EInOutError(PL("Nie można zastąpić folderu '") + dane_.string() + "'.");
            if (fs::is_directory(stary / "Raporty", ec)) {
                fs::remove(raporty, ec);   // the empty one of the new folder
                fs::rename(stary / "Raporty", raporty, ec);
                przeniesione = !ec;
                if (ec) {
                    fs::rename(stary, dane_, ec);
                    throw EInOutError(PL("Nie można przenieść raportów z folderu '") + dane_.string() + "'.");
                }
            }
        }
        fs::rename(sciezka_, dane_, ec);
        if (ec) {
            if (przeniesione) fs::rename(raporty, stary / "Raporty", ec);
            if (byl) fs::rename(stary, dane_, ec);
            throw EInOutError(PL("Nie można zastąpić folderu '") + dane_.string() + "'.");
        }
        zamieniony_ = true;
        if (byl) fs::remove_all(stary, ec);
    }

private:
    fs::path dane_, sciezka_;
    bool zamieniony_ = false;
};

void Postep(const TOpcjeBudowy& o, const char* etap, int64_t gotowe, int64_t razem) {
    if (o.Postep) o.Postep(etap, gotowe, razem);
}

}  // namespace

TWynikBudowy BudowaKorpusu(const std::string& zrodlo, const std::string& dane, const TOpcjeBudowy& opcje) {
    Postep(opcje, "Sprawdzanie źródła", 0, 1);
    const TZrodlo z = SprawdzenieZrodla(zrodlo);

    fs::path cel = fs::path(dane).lexically_normal();
    if (cel.filename().empty()) cel = cel.parent_path();
    if (cel.empty()) throw EInOutError(PL("Niepoprawny folder danych '") + dane + "'.");
    TFolderTymczasowy tmp(cel);
    const std::string katalog = tmp.Sciezka();

    TWynikBudowy wynik;
    {
        TZapisIndeksu zapis(katalog);
        const int watki = opcje.Watki > 0 ? opcje.Watki : int(std::max(1u, std::thread::hardware_concurrency()));
        TPotokDokumentow potok(Sciezka(zrodlo, "documents"), z.dokumenty, watki);
        const int64_t n = int64_t(z.dokumenty.size());
        for (size_t b = 0; b < potok.Partii(); ++b) {
            const auto p = potok.Nastepna();
            for (size_t i = 0; i < p->html.size(); ++i) {
                const TWpisDokumentu& d = z.dokumenty[b * kPartia + i];
                zapis.DodanieDokumentu(d.Nazwa, d.Data, p->html[i], p->slowa[i], d.Izba, d.Przepisy);
                wynik.Slowa += int64_t(p->slowa[i].size());
            }
            Postep(opcje, "Dokumenty", std::min<int64_t>(n, int64_t(b + 1) * int64_t(kPartia)), n);
        }
        wynik.Dokumenty = int32_t(n);

        Postep(opcje, "Zapis indeksu", 0, 1);
        std::vector<int32_t> izby, przepisy;
        for (const auto& w : z.izby.Wpisy) izby.push_back(w.Numer);
        for (const auto& w : z.przepisy.Wpisy) przepisy.push_back(w.Numer);
        const auto pozycje = zapis.Zakonczenie(izby, przepisy);

        const auto pary = [](const std::map<int32_t, int32_t>& m) {
            return std::vector<std::pair<int32_t, int32_t>>(m.begin(), m.end());
        };
        ZapisBajtow(Sciezka(katalog, "izby.ini"), SlownikZPozycjami(z.izby, pary(pozycje.Izby)));
        ZapisBajtow(Sciezka(katalog, "przepisy.ini"), SlownikZPozycjami(z.przepisy, pary(pozycje.Przepisy)));
        ZapisBajtow(Sciezka(katalog, "akty.ini"), OdczytWymagany(z.akty.Sciezka));
        ZapisBajtow(Sciezka(katalog, "dzialy.ini"), z.dzialy);
    }

    for (const auto& a : z.aktyTeksty) {
        ZapisBajtow(Sciezka(katalog, a.stem + ".rtf"), a.rtf);
        ZapisIndeksuAktu(katalog, a.stem, a.indeks.Fragmenty, a.indeks.Poczatki);
        ++wynik.Akty;
    }
    Postep(opcje, "Zapis indeksu", 1, 1);

    // Reports are saved into this folder of the data folder; the program never creates it.
    std::error_code ec;
    if (!fs::create_directory(Sciezka(katalog, "Raporty"), ec) && ec)
        throw EInOutError(PL("Nie można utworzyć folderu '") + Sciezka(katalog, "Raporty") + "'.");
    tmp.Zamiana();
    return wynik;
}
