// The two engines we measure against, over the same tokens. SQLite FTS5: one row per document,
// rowid = document number; chamber and provision groups in an ordinary table beside it, as an
// application would keep them. Xapian: docid = document number, groups as boolean terms.
#include <sqlite3.h>

#include <algorithm>
#include <stdexcept>

#include "Silniki.h"

namespace {

class TSilnikFts5 : public TSilnik {
public:
    explicit TSilnikFts5(const std::string& plik) {
        if (sqlite3_open_v2(plik.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error("FTS5: cannot open " + plik);
        Wykonaj("PRAGMA mmap_size=8589934592");
        szukanie_ = Przygotuj("SELECT rowid FROM dokumenty WHERE dokumenty MATCH ?1 ORDER BY rowid");
        liczenie_ = Przygotuj("SELECT count(*) FROM dokumenty WHERE dokumenty MATCH ?1");
        grupa_ = Przygotuj("SELECT dokument FROM grupy WHERE rodzaj=?1 AND numer=?2 ORDER BY dokument");
        liczenieGrupy_ = Przygotuj("SELECT count(*) FROM grupy WHERE rodzaj=?1 AND numer=?2");
    }
    ~TSilnikFts5() override {
        for (sqlite3_stmt* s : {szukanie_, liczenie_, grupa_, liczenieGrupy_}) sqlite3_finalize(s);
        sqlite3_close(db_);
    }

    std::string Nazwa() const override { return "FTS5"; }

    void Szukanie(const TWarunek& w, std::vector<int32_t>& dokumenty) override {
        dokumenty.clear();
        sqlite3_stmt* s = Zwiazanie(w, szukanie_, grupa_);
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) dokumenty.push_back(sqlite3_column_int(s, 0));
        Koniec(s, rc);
    }

    int64_t Zliczanie(const TWarunek& w) override {
        sqlite3_stmt* s = Zwiazanie(w, liczenie_, liczenieGrupy_);
        int rc = sqlite3_step(s);
        int64_t n = rc == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
        if (rc == SQLITE_ROW) rc = sqlite3_step(s);
        Koniec(s, rc);
        return n;
    }

private:
    sqlite3_stmt* Zwiazanie(const TWarunek& w, sqlite3_stmt* tekstowe, sqlite3_stmt* grupowe) {
        using R = TWarunek::Rodzaj;
        if (w.R == R::Izba || w.R == R::Przepis) {
            sqlite3_reset(grupowe);
            sqlite3_bind_int(grupowe, 1, w.R == R::Izba ? 1 : 2);
            sqlite3_bind_int(grupowe, 2, w.Numer);
            return grupowe;
        }
        sqlite3_reset(tekstowe);
        wyrazenie_ = WyrazenieFts5(w);
        sqlite3_bind_text(tekstowe, 1, wyrazenie_.c_str(), int(wyrazenie_.size()), SQLITE_STATIC);
        return tekstowe;
    }
    void Koniec(sqlite3_stmt* s, int rc) {
        if (rc != SQLITE_DONE) throw std::runtime_error("FTS5: " + std::string(sqlite3_errmsg(db_)) + " in " + wyrazenie_);
        sqlite3_reset(s);
    }
    void Wykonaj(const char* sql) {
        char* blad = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &blad) != SQLITE_OK) {
            std::string b = blad ? blad : "?";
            sqlite3_free(blad);
            throw std::runtime_error("FTS5: " + b);
        }
    }
    sqlite3_stmt* Przygotuj(const char* sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &s, nullptr) != SQLITE_OK)
            throw std::runtime_error("FTS5: " + std::string(sqlite3_errmsg(db_)));
        return s;
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt *szukanie_ = nullptr, *liczenie_ = nullptr, *grupa_ = nullptr, *liczenieGrupy_ = nullptr;
    std::string wyrazenie_;
};

class TSilnikXapian : public TSilnik {
public:
    explicit TSilnikXapian(const std::string& katalog) : db_(katalog), enquire_(db_) {
        enquire_.set_weighting_scheme(Xapian::BoolWeight());
        enquire_.set_docid_order(Xapian::Enquire::ASCENDING);
    }
    std::string Nazwa() const override { return "Xapian"; }

    void Szukanie(const TWarunek& w, std::vector<int32_t>& dokumenty) override {
        dokumenty.clear();
        enquire_.set_query(ZapytanieXapian(w, db_));
        Xapian::MSet m = enquire_.get_mset(0, db_.get_doccount());
        dokumenty.reserve(m.size());
        for (auto it = m.begin(); it != m.end(); ++it) dokumenty.push_back(int32_t(*it));
        // BoolWeight gives equal weights, so the docid order holds; make it certain anyway.
        if (!std::is_sorted(dokumenty.begin(), dokumenty.end())) std::sort(dokumenty.begin(), dokumenty.end());
    }

    int64_t Zliczanie(const TWarunek& w) override {
        enquire_.set_query(ZapytanieXapian(w, db_));
        const Xapian::doccount n = db_.get_doccount();
        Xapian::MSet m = enquire_.get_mset(0, 0, n);
        if (m.get_matches_lower_bound() != m.get_matches_upper_bound())
            throw std::runtime_error("Xapian: inexact count");
        return int64_t(m.get_matches_lower_bound());
    }

private:
    Xapian::Database db_;
    Xapian::Enquire enquire_;
};

}  // namespace

std::unique_ptr<TSilnik> OtwarcieFts5(const std::string& plikBazy) { return std::make_unique<TSilnikFts5>(plikBazy); }
std::unique_ptr<TSilnik> OtwarcieXapian(const std::string& katalogBazy) {
    return std::make_unique<TSilnikXapian>(katalogBazy);
}
