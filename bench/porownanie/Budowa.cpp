#include "Budowa.h"

#include <sqlite3.h>
#include <time.h>
#include <xapian.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <unordered_map>

#include "Analiza.h"
#include "Zapytania.h"
#include "Zapytanie.h"
#include "cp1250.h"
#include "mLib.h"

namespace fs = std::filesystem;

TGrupy OdczytanieGrup(const TcMagazynIndeksu& m) {
    TGrupy g;
    auto czytaj = [](const std::vector<int32_t>& mix, std::map<int32_t, std::vector<int32_t>>& grupy,
                     std::map<int32_t, int32_t>& pozycje) {
        size_t i = 0;
        while (i < mix.size()) {
            const int32_t numer = mix[i];
            pozycje.emplace(numer, int32_t(4 * i));
            std::vector<int32_t>& dok = grupy[numer];
            for (++i; i < mix.size() && mix[i] != 0; ++i) dok.push_back(mix[i]);
            ++i;
        }
    };
    czytaj(m.IzbyMix, g.Izby, g.PozycjeIzb);
    czytaj(m.PrzepisyMix, g.Przepisy, g.PozycjePrzepisow);
    return g;
}

void ZapisSlownikow(const TGrupy& g, const std::string& katalog) {
    fs::create_directories(katalog);
    const char sep = char(0xFE);
    std::ofstream izby(katalog + "/izby.ini", std::ios::binary), przepisy(katalog + "/przepisy.ini", std::ios::binary);
    izby << "[Izby]\n";
    for (auto& [numer, poz] : g.PozycjeIzb)
        izby << numer << "=\"Izba " << numer << '"' << sep << '"' << poz << "\"\n";
    przepisy << "[Przepisy]\n";
    for (auto& [numer, poz] : g.PozycjePrzepisow)
        przepisy << numer << "=\"X0Przepis " << numer << '"' << sep << '"' << poz << "\"\n";
    if (!izby || !przepisy) throw std::runtime_error("cannot write the dictionaries in " + katalog);
}

namespace {

// The words of one document in both engines' forms. The strings live in the conversion cache
// (stable nodes, written only by the reading thread before the batch is handed over).
struct TDokumentBudowy {
    int32_t Numer = 0;
    std::string Tresc;                          // FTS5: terms joined by spaces
    std::vector<const std::string*> Terminy;    // Xapian, in reading order
    std::vector<std::string> Grupy;             // Xapian boolean terms
};
using TPartia = std::shared_ptr<const std::vector<TDokumentBudowy>>;

class TKolejka {
public:
    void Wstaw(TPartia p) {
        std::unique_lock l(m_);
        wolne_.wait(l, [&] { return q_.size() < 4; });
        q_.push_back(std::move(p));
        jest_.notify_one();
    }
    TPartia Pobierz() {   // nullptr = end
        std::unique_lock l(m_);
        jest_.wait(l, [&] { return !q_.empty(); });
        TPartia p = std::move(q_.front());
        q_.pop_front();
        wolne_.notify_one();
        return p;
    }
private:
    std::mutex m_;
    std::condition_variable jest_, wolne_;
    std::deque<TPartia> q_;
};

double CzasCpuWatku() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void Sql(sqlite3* db, const std::string& sql) {
    char* blad = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &blad) != SQLITE_OK) {
        std::string b = blad ? blad : "?";
        sqlite3_free(blad);
        throw std::runtime_error("FTS5 build: " + b + " in " + sql);
    }
}

void WatekFts5(TKolejka& kolejka, const std::string& plik, const TGrupy& grupy, TCzasBudowy& czas,
               std::string& blad) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu0 = CzasCpuWatku();
    sqlite3* db = nullptr;
    try {
        fs::remove(plik);
        if (sqlite3_open(plik.c_str(), &db) != SQLITE_OK) throw std::runtime_error("FTS5: cannot create " + plik);
        Sql(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE;"
                "PRAGMA cache_size=-524288;");
        Sql(db, "CREATE VIRTUAL TABLE dokumenty USING fts5(body, detail=full, "
                "tokenize=\"unicode61 remove_diacritics 0\")");
        Sql(db, "CREATE TABLE grupy(rodzaj INTEGER, numer INTEGER, dokument INTEGER, "
                "PRIMARY KEY(rodzaj, numer, dokument)) WITHOUT ROWID");
        Sql(db, "BEGIN");
        sqlite3_stmt* g = nullptr;
        sqlite3_prepare_v2(db, "INSERT OR IGNORE INTO grupy VALUES(?1, ?2, ?3)", -1, &g, nullptr);
        for (int rodzaj : {1, 2})
            for (auto& [numer, dok] : rodzaj == 1 ? grupy.Izby : grupy.Przepisy)
                for (int32_t d : dok) {
                    sqlite3_bind_int(g, 1, rodzaj);
                    sqlite3_bind_int(g, 2, numer);
                    sqlite3_bind_int(g, 3, d);
                    if (sqlite3_step(g) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
                    sqlite3_reset(g);
                }
        sqlite3_finalize(g);
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, "INSERT INTO dokumenty(rowid, body) VALUES(?1, ?2)", -1, &s, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        while (TPartia p = kolejka.Pobierz()) {
            for (const TDokumentBudowy& d : *p) {
                sqlite3_bind_int(s, 1, d.Numer);
                sqlite3_bind_text(s, 2, d.Tresc.data(), int(d.Tresc.size()), SQLITE_STATIC);
                if (sqlite3_step(s) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
                sqlite3_reset(s);
            }
        }
        sqlite3_finalize(s);
        Sql(db, "COMMIT");
        Sql(db, "INSERT INTO dokumenty(dokumenty) VALUES('optimize')");
    } catch (const std::exception& e) {
        blad = e.what();
        while (kolejka.Pobierz()) {}   // let the reader finish
    }
    if (db) sqlite3_close(db);
    czas.Sekundy = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    czas.SekundyCpu = CzasCpuWatku() - cpu0;
}

void WatekXapian(TKolejka& kolejka, const std::string& katalog, TCzasBudowy& czas, std::string& blad) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu0 = CzasCpuWatku();
    try {
        fs::remove_all(katalog);
        Xapian::WritableDatabase db(katalog, Xapian::DB_CREATE_OR_OVERWRITE);
        while (TPartia p = kolejka.Pobierz()) {
            for (const TDokumentBudowy& d : *p) {
                Xapian::Document doc;
                Xapian::termpos poz = 0;
                for (const std::string* t : d.Terminy) doc.add_posting(*t, ++poz);
                for (const std::string& g : d.Grupy) doc.add_boolean_term(g);
                db.replace_document(Xapian::docid(d.Numer), doc);
            }
        }
        db.commit();
        db.close();
    } catch (const std::exception& e) {
        blad = e.what();
        while (kolejka.Pobierz()) {}
    } catch (const Xapian::Error& e) {
        blad = e.get_description();
        while (kolejka.Pobierz()) {}
    }
    czas.Sekundy = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    czas.SekundyCpu = CzasCpuWatku() - cpu0;
}

}  // namespace

void BudowaObcych(const std::string& katalogDanych, const std::string& plikFts5, const std::string& katalogXapian,
                  TCzasBudowy& czasFts5, TCzasBudowy& czasXapian) {
    TOpcjeLadowania opcje;
    opcje.Katalog = katalogDanych;
    opcje.WymusDysk = true;   // only the records are needed here
    TcZapytanie q(opcje);
    const TGrupy grupy = OdczytanieGrup(q.Magazyn());
    std::unordered_map<int32_t, std::vector<std::string>> grupyDokumentu;
    for (auto& [numer, dok] : grupy.Izby)
        for (int32_t d : dok) grupyDokumentu[d].push_back(TerminGrupy(TWarunek::Rodzaj::Izba, numer));
    for (auto& [numer, dok] : grupy.Przepisy)
        for (int32_t d : dok) grupyDokumentu[d].push_back(TerminGrupy(TWarunek::Rodzaj::Przepis, numer));

    // Most documents reach Xapian in memory before a flush; fewer flushes, faster build.
    setenv("XAPIAN_FLUSH_THRESHOLD", "20000", 1);

    TKolejka kolejkaFts5, kolejkaXapian;
    std::string bladFts5, bladXapian;
    std::thread tf, tx;
    if (!plikFts5.empty()) tf = std::thread(WatekFts5, std::ref(kolejkaFts5), plikFts5 + ".tmp", std::cref(grupy),
                                            std::ref(czasFts5), std::ref(bladFts5));
    if (!katalogXapian.empty())
        tx = std::thread(WatekXapian, std::ref(kolejkaXapian), katalogXapian + ".tmp", std::ref(czasXapian),
                         std::ref(bladXapian));

    struct TFormy { std::string Fts5, Xapian; };
    std::unordered_map<std::string, TFormy> formy;
    const int32_t N = q.LiczbaDokumentow();
    const int32_t partia = 2000;
    std::string bladCzytania;
    try {
        for (int32_t od = 1; od <= N; od += partia) {
            auto p = std::make_shared<std::vector<TDokumentBudowy>>();
            for (int32_t d = od; d < od + partia && d <= N; ++d) {
                TDokumentBudowy& b = p->emplace_back();
                b.Numer = d;
                const std::string tekst = cp1250::upper(mHtmlToText(q.OdczytanieDokumentu(d).Tekst));
                PodzialTekstu(tekst, q.Znaki, [&](std::string_view t) {
                    auto it = formy.find(std::string(t));
                    if (it == formy.end())
                        it = formy.emplace(std::string(t), TFormy{TerminFts5(t), TerminXapian(t)}).first;
                    if (!b.Tresc.empty()) b.Tresc += ' ';
                    b.Tresc += it->second.Fts5;
                    b.Terminy.push_back(&it->second.Xapian);
                });
                if (auto g = grupyDokumentu.find(d); g != grupyDokumentu.end()) b.Grupy = g->second;
            }
            if (tf.joinable()) kolejkaFts5.Wstaw(p);
            if (tx.joinable()) kolejkaXapian.Wstaw(p);
        }
    } catch (const std::exception& e) {
        bladCzytania = e.what();
    }
    if (tf.joinable()) { kolejkaFts5.Wstaw(nullptr); tf.join(); }
    if (tx.joinable()) { kolejkaXapian.Wstaw(nullptr); tx.join(); }
    if (!bladCzytania.empty()) throw std::runtime_error("reading the records: " + bladCzytania);
    if (!bladFts5.empty()) throw std::runtime_error("FTS5 build: " + bladFts5);
    if (!bladXapian.empty()) throw std::runtime_error("Xapian build: " + bladXapian);
    if (!plikFts5.empty()) fs::rename(plikFts5 + ".tmp", plikFts5);
    if (!katalogXapian.empty()) {
        fs::remove_all(katalogXapian);
        fs::rename(katalogXapian + ".tmp", katalogXapian);
    }
}
