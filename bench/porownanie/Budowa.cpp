#include "Budowa.h"

#include <sqlite3.h>
#include <time.h>
#include <xapian.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
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
    auto czytaj = [](const TTablicaPliku<int32_t>& mix, std::map<int32_t, std::vector<int32_t>>& grupy,
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

double CzasCpuWatku() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Reads documents od..do_ of the data directory and hands each one's tokens to `dokument`
// (number, tokens as views into a buffer valid during the call). Every thread reads on its own
// loaded store, so the threads share nothing.
template <class F>
void CzytanieDokumentow(const std::string& katalogDanych, int32_t od, int32_t do_, F&& dokument) {
    TOpcjeLadowania opcje;
    opcje.Katalog = katalogDanych;
    opcje.WymusDysk = true;   // only the records are needed here
    TcZapytanie q(opcje);
    std::vector<std::string_view> tokeny;
    for (int32_t d = od; d <= do_; ++d) {
        const std::string tekst = cp1250::upper(mHtmlToText(q.OdczytanieDokumentu(d).Tekst));
        tokeny.clear();
        PodzialTekstu(tekst, q.Znaki, [&](std::string_view t) { tokeny.push_back(t); });
        dokument(d, tokeny);
    }
}

void Sql(sqlite3* db, const std::string& sql) {
    char* blad = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &blad) != SQLITE_OK) {
        std::string b = blad ? blad : "?";
        sqlite3_free(blad);
        throw std::runtime_error("FTS5 build: " + b + " in " + sql);
    }
}

void BudowaFts5(const std::string& katalogDanych, int32_t N, const std::string& plik, const TGrupy& grupy) {
    sqlite3* db = nullptr;
    struct Zamkniecie { sqlite3*& db; ~Zamkniecie() { if (db) sqlite3_close(db); } } z{db};
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
    std::unordered_map<std::string, std::string> formy;
    std::string tresc;
    CzytanieDokumentow(katalogDanych, 1, N, [&](int32_t d, const std::vector<std::string_view>& tokeny) {
        tresc.clear();
        for (std::string_view t : tokeny) {
            auto it = formy.find(std::string(t));
            if (it == formy.end()) it = formy.emplace(std::string(t), TerminFts5(t)).first;
            if (!tresc.empty()) tresc += ' ';
            tresc += it->second;
        }
        sqlite3_bind_int(s, 1, d);
        sqlite3_bind_text(s, 2, tresc.data(), int(tresc.size()), SQLITE_STATIC);
        if (sqlite3_step(s) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_reset(s);
    });
    sqlite3_finalize(s);
    Sql(db, "COMMIT");
    Sql(db, "INSERT INTO dokumenty(dokumenty) VALUES('optimize')");
}

// One shard of the Xapian index: documents od..do_ under their own numbers as docids.
void BudowaXapian(const std::string& katalogDanych, int32_t od, int32_t do_, const std::string& katalog,
                  const std::unordered_map<int32_t, std::vector<std::string>>& grupyDokumentu) {
    fs::remove_all(katalog);
    Xapian::WritableDatabase db(katalog, Xapian::DB_CREATE_OR_OVERWRITE);
    std::unordered_map<std::string, std::string> formy;
    CzytanieDokumentow(katalogDanych, od, do_, [&](int32_t d, const std::vector<std::string_view>& tokeny) {
        Xapian::Document doc;
        Xapian::termpos poz = 0;
        for (std::string_view t : tokeny) {
            auto it = formy.find(std::string(t));
            if (it == formy.end()) it = formy.emplace(std::string(t), TerminXapian(t)).first;
            doc.add_posting(it->second, ++poz);
        }
        if (auto g = grupyDokumentu.find(d); g != grupyDokumentu.end())
            for (const std::string& t : g->second) doc.add_boolean_term(t);
        db.replace_document(Xapian::docid(d), doc);
    });
    db.commit();
    db.close();
}

// Runs `praca` in a thread, timing it and catching what it throws.
class TWatek {
public:
    template <class F>
    explicit TWatek(F praca) : t_([this, praca] {
        const auto start = std::chrono::steady_clock::now();
        const double cpu0 = CzasCpuWatku();
        try {
            praca();
        } catch (const Xapian::Error& e) {
            blad_ = e.get_description();
        } catch (const std::exception& e) {
            blad_ = e.what();
        }
        czas_.Sekundy = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        czas_.SekundyCpu = CzasCpuWatku() - cpu0;
    }) {}
    TCzasBudowy Koniec(const std::string& co) {
        t_.join();
        if (!blad_.empty()) throw std::runtime_error(co + ": " + blad_);
        return czas_;
    }
private:
    TCzasBudowy czas_;
    std::string blad_;
    std::thread t_;
};

}  // namespace

void BudowaObcych(const std::string& katalogDanych, const std::string& plikFts5, const std::string& katalogXapian,
                  TCzasBudowy& czasFts5, TCzasBudowy& czasXapian) {
    TGrupy grupy;
    int32_t N = 0;
    {
        TOpcjeLadowania opcje;
        opcje.Katalog = katalogDanych;
        opcje.WymusDysk = true;
        TcMagazynIndeksu m(opcje);
        grupy = OdczytanieGrup(m);
        N = m.N;
    }
    std::unordered_map<int32_t, std::vector<std::string>> grupyDokumentu;
    for (auto& [numer, dok] : grupy.Izby)
        for (int32_t d : dok) grupyDokumentu[d].push_back(TerminGrupy(TWarunek::Rodzaj::Izba, numer));
    for (auto& [numer, dok] : grupy.Przepisy)
        for (int32_t d : dok) grupyDokumentu[d].push_back(TerminGrupy(TWarunek::Rodzaj::Przepis, numer));

    // Xapian indexes far slower than FTS5, and a shard that outgrows one flush slows down as
    // its tables grow: the documents go into shards of kDokumentowShardu consecutive documents,
    // each flushed once into an empty database, built by two threads taking shards in turn and
    // merged at the end with the documents' own numbers kept.
    constexpr int32_t kDokumentowShardu = 16384;
    setenv("XAPIAN_FLUSH_THRESHOLD", std::to_string(kDokumentowShardu + 1).c_str(), 1);
    const int32_t shardy = std::max<int32_t>(1, (N + kDokumentowShardu - 1) / kDokumentowShardu);
    auto shard = [&](int32_t i) { return katalogXapian + ".tmp" + std::to_string(i); };
    std::atomic<int32_t> nastepny{0};
    auto pracaXapian = [&] {
        for (int32_t i; (i = nastepny++) < shardy;)
            BudowaXapian(katalogDanych, i * kDokumentowShardu + 1, std::min(N, (i + 1) * kDokumentowShardu), shard(i),
                         grupyDokumentu);
    };
    std::unique_ptr<TWatek> fts5, xapian[2];
    if (!plikFts5.empty())
        fts5 = std::make_unique<TWatek>([&] { BudowaFts5(katalogDanych, N, plikFts5 + ".tmp", grupy); });
    if (!katalogXapian.empty())
        for (auto& x : xapian) x = std::make_unique<TWatek>(pracaXapian);
    if (fts5) {
        czasFts5 = fts5->Koniec("FTS5 build");
        fs::rename(plikFts5 + ".tmp", plikFts5);
    }
    if (xapian[0]) {
        const TCzasBudowy a = xapian[0]->Koniec("Xapian build"), b = xapian[1]->Koniec("Xapian build");
        const double t0 = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
        const double cpu0 = CzasCpuWatku();
        Xapian::Database zrodla;
        for (int32_t i = 0; i < shardy; ++i) zrodla.add_database(Xapian::Database(shard(i)));
        fs::remove_all(katalogXapian + ".tmp");
        zrodla.compact(katalogXapian + ".tmp", Xapian::DBCOMPACT_NO_RENUMBER);
        zrodla.close();
        for (int32_t i = 0; i < shardy; ++i) fs::remove_all(shard(i));
        fs::remove_all(katalogXapian);
        fs::rename(katalogXapian + ".tmp", katalogXapian);
        const double t1 = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
        czasXapian.Sekundy = std::max(a.Sekundy, b.Sekundy) + (t1 - t0);
        czasXapian.SekundyCpu = a.SekundyCpu + b.SekundyCpu + (CzasCpuWatku() - cpu0);
    }
}
