#include "GeneratorProbki.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

#include "Bledy.h"
#include "JezykPodatkowy.h"
#include "Rtf.h"
#include "cp1250.h"
#include "mLib.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t kMaksDokumentow = 262142;
constexpr char kSeparator = '\xFE';   // field separator of the dictionary files

std::string Iso(std::string_view utf8) { return cp1250::utf8ToIso88592(utf8); }

std::string Nazwa7(int32_t numer) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%07d.htm", numer);
    return buf;
}

[[noreturn]] void BladZapisu(const std::string& sciezka) {
    throw EInOutError(PL("Błąd zapisu pliku '") + sciezka + "'.");
}

void Zapis(const std::string& sciezka, std::string_view tekst) {
    std::FILE* f = std::fopen(sciezka.c_str(), "wb");
    if (!f) BladZapisu(sciezka);
    const bool ok = std::fwrite(tekst.data(), 1, tekst.size(), f) == tekst.size();
    if (std::fclose(f) != 0 || !ok) BladZapisu(sciezka);
}

// Topic (main act) of a document, by how often each tax comes up.
int32_t LosowanieTematu(TLosowanie& rng) {
    static const int wagi[] = {25, 20, 25, 8, 6, 4, 5, 4, 3};
    int r = int(rng.Do(100));
    for (int32_t t = 0; t < 9; ++t) {
        if (r < wagi[t]) return t;
        r -= wagi[t];
    }
    return 0;
}

struct TWynikDokumentu {
    std::string html;
    std::string wierszTsv;
};

class TPisarz {
public:
    TPisarz(const TJezykPodatkowy& j, const TOpcjeProbki& o, int32_t rotacja)
        : jezyk_(j), opcje_(o), rotacja_(rotacja) {
        for (size_t i = 0; i < j.Przepisy().size(); ++i)
            wgAktu_.resize(j.Akty().size()), wgAktu_[size_t(j.Przepisy()[i].Akt)].push_back(int32_t(i));
    }

    // Document i (0-based) of the plan.
    TWynikDokumentu Dokument(int32_t i, const TDokumentProbki& opis) const {
        TLosowanie rng(MieszanieZiarna(opcje_.Ziarno, uint64_t(i) + 1));
        TJezykPodatkowy::TKontekst k;
        k.Temat = LosowanieTematu(rng);
        std::vector<int32_t> przepisy;
        if (rng.Szansa(88)) {
            const auto& wlasne = wgAktu_[size_t(k.Temat)];
            const int ile = rng.Zakres(1, 3);
            for (int n = 0; n < ile; ++n) przepisy.push_back(rng.Wybor(wlasne));
            if (rng.Szansa(20)) przepisy.push_back(rng.Wybor(wgAktu_[rng.Do(uint32_t(wgAktu_.size()))]));
            std::sort(przepisy.begin(), przepisy.end());
            przepisy.erase(std::unique(przepisy.begin(), przepisy.end()), przepisy.end());
        }
        k.Przepisy = &przepisy;
        k.Rodzaj = int(opis.Rodzaj);
        std::vector<size_t> uzyte;
        k.Uzyte = &uzyte;
        if (opis.Rodzaj == TRodzajProbki::Interpretacja && rng.Szansa(92)) k.Izba = rng.Zakres(1, 16);

        std::string h;
        h.reserve(4096);
        h += "<HTML>\r\n<HEAD>\r\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=iso-8859-2\">\r\n";
        const auto akapit = [&h](const std::string& t) { h += "<P>" + t + "</P>\r\n"; };
        int slowa = 0;
        const auto tytul = [&](const std::string& t) {
            if (rng.Szansa(70)) h += "<TITLE>" + t + "</TITLE>\r\n";
            h += "</HEAD>\r\n<BODY>\r\n";
        };
        const std::string data = jezyk_.Data(rng, 1998, 2008);
        switch (opis.Rodzaj) {
        case TRodzajProbki::Interpretacja: {
            tytul(Iso("Interpretacja indywidualna"));
            const std::string organ = k.Izba > 0 ? TJezykPodatkowy::IzbyMianownik()[size_t(k.Izba) - 1]
                                                 : Iso("Urząd Skarbowy w ") + rng.Wybor(TJezykPodatkowy::Miasta());
            akapit(organ);
            akapit("Sygnatura: " + std::string(rng.Szansa(50) ? "IPPB" : "PP") + std::to_string(rng.Zakres(1, 5)) +
                   "/" + std::to_string(rng.Zakres(400, 450)) + "-" + std::to_string(rng.Zakres(1, 999)) + "/0" +
                   std::to_string(rng.Zakres(1, 8)));
            akapit(Iso("INTERPRETACJA INDYWIDUALNA"));
            std::string s = Iso("Na podstawie art. 14b \xC2\xA7 1 i \xC2\xA7 6 ustawy z dnia 29 sierpnia 1997 r. - Ordynacja "
                                "podatkowa ");
            s += k.Izba > 0 ? "Dyrektor " + TJezykPodatkowy::IzbyDopelniacz()[size_t(k.Izba) - 1]
                            : Iso("Naczelnik Urzędu Skarbowego");
            s += Iso(" stwierdza, że stanowisko Wnioskodawcy przedstawione we wniosku z dnia ") + data +
                 Iso(" o udzielenie pisemnej interpretacji przepisów prawa podatkowego dotyczącej ") +
                 jezyk_.PodatekDopelniacz(k.Temat) + Iso(" w zakresie ") + jezyk_.Czynnosc(rng, k.Temat, true) +
                 Iso(rng.Szansa(60) ? " jest prawidłowe." : " jest nieprawidłowe.");
            akapit(s);
            akapit("UZASADNIENIE");
            break;
        }
        case TRodzajProbki::Pismo: {
            tytul(Iso("Pismo Ministerstwa Finansów"));
            akapit(Iso("MINISTERSTWO FINANSÓW"));
            static const char* const departamenty[] = {"Departament Podatków Dochodowych",
                                                       "Departament Podatku od Towarów i Usług",
                                                       "Departament Podatków Lokalnych i Katastru",
                                                       "Departament Podatku Akcyzowego"};
            akapit(Iso(departamenty[rng.Do(4)]));
            akapit("PB" + std::to_string(rng.Zakres(1, 9)) + "/" + std::to_string(rng.Zakres(1000, 9999)) + "-" +
                   std::to_string(rng.Zakres(1, 999)) + "/0" + std::to_string(rng.Zakres(1, 8)) + Iso(", pismo z dnia ") + data);
            akapit(Iso("W odpowiedzi na pismo z dnia ") + jezyk_.Data(rng, 1998, 2008) + Iso(" w sprawie ") +
                   jezyk_.Czynnosc(rng, k.Temat, true) + Iso(" Ministerstwo Finansów uprzejmie wyjaśnia, co następuje."));
            break;
        }
        case TRodzajProbki::Teza: {
            const bool nsa = rng.Szansa(45);
            std::string sad = nsa ? Iso("Wyrok Naczelnego Sądu Administracyjnego")
                                  : Iso("Wyrok Wojewódzkiego Sądu Administracyjnego w ") + rng.Wybor(TJezykPodatkowy::Miasta());
            tytul(sad);
            akapit(sad + " z dnia " + data + ", sygn. akt " + (nsa ? "II FSK " : "I SA/") +
                   (nsa ? "" : std::string(rng.Szansa(50) ? "Wa " : "Kr ")) + std::to_string(rng.Zakres(1, 2999)) +
                   "/0" + std::to_string(rng.Zakres(1, 8)));
            std::string teza = "<B>Teza:</B> ";
            const int zdania = rng.Zakres(1, 3);
            for (int z = 0; z < zdania; ++z) slowa += jezyk_.Zdanie(rng, k, teza);
            teza.pop_back();
            akapit(teza);
            akapit("Z uzasadnienia:");
            break;
        }
        }

        // The body: paragraphs of two to six sentences up to the document's length.
        const int cel = rng.Zakres(80, 480);
        while (slowa < cel) {
            std::string a;
            const int zdania = rng.Zakres(2, 6);
            for (int z = 0; z < zdania && slowa < cel; ++z) slowa += jezyk_.Zdanie(rng, k, a);
            if (!a.empty() && a.back() == ' ') a.pop_back();
            akapit(a);
        }

        // Key words: the synthetic vocabulary in rotation, so that every name occurs somewhere.
        if (rotacja_ > 0) {
            const auto& syn = jezyk_.SlowaSyntetyczne();
            std::string a = Iso("Słowa kluczowe: ");
            for (int32_t j = 0; j < rotacja_; ++j) {
                if (j) a += ", ";
                a += syn[size_t((int64_t(i) * rotacja_ + j) % int64_t(syn.size()))];
            }
            akapit(a);
        }
        if (opis.Rodzaj == TRodzajProbki::Interpretacja)
            akapit(Iso("Pouczenie: na niniejszą interpretację przysługuje skarga do Wojewódzkiego Sądu "
                       "Administracyjnego."));
        else if (opis.Rodzaj == TRodzajProbki::Pismo)
            akapit(Iso("Z up. Ministra Finansów Dyrektor Departamentu"));
        h += "</BODY>\r\n</HTML>\r\n";

        // Index line: name, entry date and time, chamber, provisions with their acts.
        std::vector<int32_t> numery;
        for (int32_t p : przepisy) {
            const auto& pr = jezyk_.Przepisy()[size_t(p)];
            numery.push_back(pr.Numer);
            numery.push_back(jezyk_.Akty()[size_t(pr.Akt)].Numer);
        }
        std::sort(numery.begin(), numery.end());
        numery.erase(std::unique(numery.begin(), numery.end()), numery.end());
        char data_[32];
        int pola[6];
        const int zakresy[6][2] = {{1998, 2008}, {1, 12}, {1, 28}, {7, 17}, {0, 59}, {0, 29}};
        for (int p = 0; p < 6; ++p) pola[p] = rng.Zakres(zakresy[p][0], zakresy[p][1]);
        std::snprintf(data_, sizeof data_, "%04d-%02d-%02d %02d:%02d:%02d", pola[0], pola[1], pola[2], pola[3],
                      pola[4], 2 * pola[5]);
        std::string w = opis.Nazwa;
        w += '\t';
        w += data_;
        w += '\t';
        w += std::to_string(k.Izba);
        w += '\t';
        for (size_t n = 0; n < numery.size(); ++n) {
            if (n) w += ',';
            w += std::to_string(numery[n]);
        }
        return {std::move(h), std::move(w)};
    }

private:
    const TJezykPodatkowy& jezyk_;
    const TOpcjeProbki& opcje_;
    int32_t rotacja_;
    std::vector<std::vector<int32_t>> wgAktu_;   // provision indices by act
};

std::string WierszSlownika(int32_t numer, const std::string& pierwsze, const std::string& drugie) {
    return std::to_string(numer) + "=\"" + pierwsze + "\"" + kSeparator + "\"" + drugie + "\"\r\n";
}

// The quoted field of "przepisy.ini": code character, section digit, name.
std::string NazwaPrzepisu(char kod, int32_t dzial, const std::string& nazwa) {
    std::string s(1, kod);
    s += char('0' + dzial % 10);
    s += nazwa;
    return s;
}

void ZapisSlownikow(const std::string& katalog, const TJezykPodatkowy& j) {
    std::string dzialy = "[Dzialy]\r\n";
    for (size_t i = 0; i < TJezykPodatkowy::Dzialy().size(); ++i)
        dzialy += std::to_string(i + 1) + "=\"" + TJezykPodatkowy::Dzialy()[i] + "\"\r\n";
    Zapis(katalog + "/dzialy.ini", dzialy);

    std::string izby = "[Izby]\r\n";
    for (size_t i = 0; i < TJezykPodatkowy::IzbyMianownik().size(); ++i)
        izby += WierszSlownika(int32_t(i + 1), TJezykPodatkowy::IzbyMianownik()[i], "0");
    Zapis(katalog + "/izby.ini", izby);

    // Acts are provisions too (their numbers), shown under their section; code "A" for an
    // act, "P" for an article.
    std::string przepisy = "[Przepisy]\r\n", akty = "[Akty]\r\n";
    for (const auto& a : j.Akty()) {
        przepisy += WierszSlownika(a.Numer, NazwaPrzepisu('A', a.Dzial, a.Nazwa), "0");
        akty += WierszSlownika(a.Numer, a.Nazwa, a.Plik);
    }
    for (const auto& p : j.Przepisy()) {
        std::string nazwa = p.Cytat;
        nazwa[0] = 'A';
        przepisy += WierszSlownika(p.Numer, NazwaPrzepisu('P', j.Akty()[size_t(p.Akt)].Dzial, nazwa), "0");
    }
    Zapis(katalog + "/przepisy.ini", przepisy);
    Zapis(katalog + "/akty.ini", akty);
}

// The act's text: heading, chapters and articles whose units are numbered "1." or "§ 1.".
void ZapisAktu(const std::string& katalog, const TJezykPodatkowy& j, int32_t ia, uint64_t ziarno) {
    const TAktProbki& a = j.Akty()[size_t(ia)];
    TLosowanie rng(MieszanieZiarna(ziarno, 0xAC7000 + uint64_t(ia)));
    std::vector<std::string> akapity;
    std::vector<bool> pogrubione;
    const auto dodaj = [&](std::string t, bool b) {
        akapity.push_back(mIsoToWin(t));
        pogrubione.push_back(b);
    };
    dodaj("USTAWA", true);
    dodaj("z dnia " + a.DataUchwalenia, true);
    dodaj(a.Tytul, true);
    static const char* const rozdzialy[] = {"Przepisy ogólne", "Podmiot i przedmiot opodatkowania",
                                            "Zwolnienia", "Podstawa opodatkowania", "Stawki",
                                            "Obowiązki podatników i płatników", "Ulgi", "Przepisy szczególne",
                                            "Przepisy przejściowe i końcowe"};
    TJezykPodatkowy::TKontekst k;
    k.Temat = ia;
    k.Akt = true;
    int rozdzial = 0;
    for (int32_t art = 1; art <= int32_t(a.Ustepy.size()); ++art) {
        if (art == 1 || (art % 8 == 1 && rozdzial < 8)) {
            ++rozdzial;
            dodaj(Iso("Rozdział ") + std::to_string(rozdzial), true);
            dodaj(Iso(rozdzialy[rozdzial - 1]), true);
        }
        std::string t = "Art. " + std::to_string(art) + ". ";
        const int32_t ustepy = a.Ustepy[size_t(art) - 1];
        for (int32_t u = 1; u <= ustepy; ++u) {
            if (ustepy > 1) t += (a.Paragrafy ? "\xA7 " : "") + std::to_string(u) + ". ";
            const int zdania = rng.Zakres(1, 3);
            for (int z = 0; z < zdania; ++z) j.Zdanie(rng, k, t);
        }
        while (!t.empty() && t.back() == ' ') t.pop_back();
        dodaj(t, false);
    }
    Zapis(katalog + "/acts/" + a.Plik + ".rtf", TekstNaRtf(akapity, pogrubione));
}

}  // namespace

std::vector<TDokumentProbki> PlanDokumentow(int32_t n) {
    // About 15% letters and 15% theses (each kind at most 7000 names), the rest
    // interpretations, split 60:40 between the two name ranges around them.
    int32_t pisma = std::min<int32_t>(7000, n * 15 / 100);
    int32_t tezy = std::min<int32_t>(7000, n * 15 / 100);
    if (n >= 3) pisma = std::max(pisma, 1), tezy = std::max(tezy, 1);
    const int32_t interpretacje = n - pisma - tezy;
    int32_t przed = std::min<int32_t>(49999, interpretacje - interpretacje * 4 / 10);
    if (interpretacje - przed > 262142 - 64000 + 1 + 999999) przed = 49999;
    const int32_t po = interpretacje - przed;

    std::vector<TDokumentProbki> plan;
    plan.reserve(size_t(n));
    for (int32_t i = 0; i < przed; ++i) plan.push_back({Nazwa7(1 + i), TRodzajProbki::Interpretacja});
    for (int32_t i = 0; i < pisma; ++i) plan.push_back({Nazwa7(50000 + i), TRodzajProbki::Pismo});
    // Theses end at 0063999.htm, so that the last one is the boundary document itself.
    for (int32_t i = 0; i < tezy; ++i) plan.push_back({Nazwa7(63999 - tezy + 1 + i), TRodzajProbki::Teza});
    for (int32_t i = 0; i < po; ++i) plan.push_back({Nazwa7(64000 + i), TRodzajProbki::Interpretacja});
    return plan;
}

void GenerowanieProbki(const std::string& katalog, const TOpcjeProbki& opcje) {
    if (opcje.Dokumenty < 1 || opcje.Dokumenty > kMaksDokumentow)
        throw EInOutError(PL("Liczba dokumentów musi wynosić od 1 do 262142."));
    if (opcje.Slownictwo < 1 || opcje.Slownictwo > 250000)
        throw EInOutError(PL("Liczba słów syntetycznych musi wynosić od 1 do 250000."));

    std::error_code ec;
    if (fs::exists(katalog, ec) && !fs::is_empty(katalog, ec) && !fs::exists(fs::path(katalog) / "documents.tsv", ec))
        throw EInOutError(PL("Folder '") + katalog + PL("' nie jest pusty i nie zawiera próbki."));
    fs::remove_all(fs::path(katalog) / "documents", ec);
    fs::remove_all(fs::path(katalog) / "acts", ec);
    fs::create_directories(fs::path(katalog) / "documents", ec);
    fs::create_directories(fs::path(katalog) / "acts", ec);
    if (ec) throw EInOutError(PL("Nie można utworzyć folderu '") + katalog + "'.");

    const TJezykPodatkowy jezyk(opcje.Slownictwo, opcje.Ziarno);
    ZapisSlownikow(katalog, jezyk);
    for (int32_t ia = 0; ia < int32_t(jezyk.Akty().size()); ++ia) ZapisAktu(katalog, jezyk, ia, opcje.Ziarno);

    const auto plan = PlanDokumentow(opcje.Dokumenty);
    const int32_t n = int32_t(plan.size());
    const int32_t rotacja =
        std::clamp<int32_t>((opcje.Slownictwo + n - 1) / n, 3, 400);
    const TPisarz pisarz(jezyk, opcje, rotacja);

    std::vector<std::string> wiersze(static_cast<size_t>(n));
    std::atomic<int32_t> nastepny{0}, gotowe{0};
    std::atomic<bool> blad{false};
    std::string komunikat;
    std::mutex mutex;
    const auto praca = [&] {
        try {
            for (;;) {
                const int32_t start = nastepny.fetch_add(64);
                if (start >= n || blad) return;
                for (int32_t i = start; i < std::min(n, start + 64); ++i) {
                    auto w = pisarz.Dokument(i, plan[size_t(i)]);
                    Zapis(katalog + "/documents/" + plan[size_t(i)].Nazwa, w.html);
                    wiersze[size_t(i)] = std::move(w.wierszTsv);
                }
                gotowe.fetch_add(std::min(n, start + 64) - start);
            }
        } catch (const std::exception& e) {
            std::lock_guard<std::mutex> l(mutex);
            if (!blad.exchange(true)) komunikat = e.what();
        }
    };
    int watki = opcje.Watki > 0 ? opcje.Watki : int(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pula;
    for (int t = 1; t < watki; ++t) pula.emplace_back(praca);
    if (opcje.Postep) {
        std::thread glowny(praca);
        while (gotowe < n && !blad) {
            opcje.Postep(gotowe, n);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        glowny.join();
        opcje.Postep(gotowe, n);
    } else {
        praca();
    }
    for (auto& t : pula) t.join();
    if (blad) throw EInOutError(komunikat);

    std::string tsv = "# nazwa\tdata wpisu\tizba\tprzepisy\n";
    for (const auto& w : wiersze) tsv += w + "\n";
    Zapis(katalog + "/documents.tsv", tsv);
}
