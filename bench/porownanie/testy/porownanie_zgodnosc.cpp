#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>

#include "Budowa.h"
#include "FabrykaDanych.h"
#include "Silniki.h"
#include "Zapytania.h"
#include "cp1250.h"

namespace {

using R = TWarunek::Rodzaj;

TSlowo S(const char* utf8, bool prefiks = false) { return TSlowo{cp1250::fromUtf8(utf8), prefiks}; }

TEST(TerminFts5, KeepsPrefixesAndSeparatesEveryToken) {
    const std::vector<std::string> tokeny = {"SPÓŁKA-MATKA", "SPÓŁKA", "§", ".", "A-1", "A", "PODAT*", "15", "ŻÓŁW"};
    std::set<std::string> terminy;
    for (const std::string& t8 : tokeny) {
        const std::string t = cp1250::fromUtf8(t8);
        const std::string termin = TerminFts5(t);
        terminy.insert(termin);
        // unicode61 keeps letters and digits together: nothing else may be left in the term.
        for (size_t i = 0; i < termin.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(termin[i]);
            EXPECT_TRUE(c >= 0x80 || std::isalnum(c)) << t8;
        }
        // Every byte prefix of the token maps to a prefix of its term.
        for (size_t n = 1; n < t.size(); ++n)
            EXPECT_EQ(termin.rfind(TerminFts5(t.substr(0, n)), 0), 0u) << t8 << " / " << n;
    }
    EXPECT_EQ(terminy.size(), tokeny.size());
    EXPECT_EQ(TerminFts5(cp1250::fromUtf8("SPÓŁKA-MATKA")), "SPÓŁKA\xD0\xB6" "2dMATKA");
}

TEST(TerminXapian, LongTokensKeepTheirBeginning) {
    EXPECT_EQ(TerminXapian(cp1250::fromUtf8("ŁÓDŹ")), "ŁÓDŹ");
    const std::string dlugi(300, 'A'), inny = std::string(299, 'A') + "B";
    EXPECT_LE(TerminXapian(dlugi).size(), 245u);
    EXPECT_EQ(TerminXapian(dlugi).rfind(std::string(200, 'A'), 0), 0u);
    EXPECT_NE(TerminXapian(dlugi), TerminXapian(inny));
}

TEST(Zapytania, RenderOurConditionAndFts5Expression) {
    const PWarunek w = Polaczenie(R::INie, Polaczenie(R::Lub, Fraza({S("PODATEK"), S("DOCH", true)}), Fraza({S("VAT")})),
                                  Fraza({S("SPÓŁKA-MATKA")}));
    EXPECT_EQ(WarunekWlasny(*w), "((\"PODATEK DOCH*\" OR \"VAT\") AND NOT \"" + cp1250::fromUtf8("SPÓŁKA-MATKA") + "\")");
    EXPECT_EQ(WyrazenieFts5(*w), "((\"PODATEK DOCH\" * OR \"VAT\") NOT \"SPÓŁKA\xD0\xB6" "2dMATKA\")");
    EXPECT_THROW(Fraza({S("A", true), S("B")}), std::logic_error);
}

// The three engines on one small directory: every query selects the same documents.
class TrzySilniki : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        katalog = new TTymczasowyKatalog;
        const std::string dane = katalog->Sciezka() + "/dane", cache = katalog->Sciezka() + "/cache";
        std::filesystem::create_directories(dane);
        TOpcjeKatalogu opcje;
        opcje.PodzialSilnika = true;
        opcje.Znaki = "\xA7.";
        BudowaKatalogu(dane, {
            {"0000001.htm", "Spółka-matka płaci podatek dochodowy od osób prawnych.", 3, {7}},
            {"0000002.htm", "Art.15 ust. 1: podatek VAT, § 5 pkt 2.", 3, {}},
            {"0050000.htm", "podatnik A-1 i spółka matka; podatkowy obowiązek", 4, {7, 9}},
            {"0057000.htm", "Podatek dochodowy; dochód zwolniony z podatku (VAT)", 0, {9}},
            {"0064000.htm", "§ 5. Spółka-córka, spółka-matka, spółka", 4, {}},
        }, opcje);
        TCzasBudowy f, x;
        std::filesystem::create_directories(cache);
        BudowaObcych(dane, cache + "/fts5.db", cache + "/xapian", f, x);
        TOpcjeLadowania o;
        o.Katalog = dane;
        ZapisSlownikow(OdczytanieGrup(TcMagazynIndeksu(o)), cache + "/slowniki");
        silniki[0] = OtwarcieWlasnego(dane, cache + "/slowniki").release();
        silniki[1] = OtwarcieFts5(cache + "/fts5.db").release();
        silniki[2] = OtwarcieXapian(cache + "/xapian").release();
    }
    static void TearDownTestSuite() {
        for (TSilnik*& s : silniki) { delete s; s = nullptr; }
        delete katalog;
    }
    static std::vector<int32_t> Wszystkie(const TWarunek& w) {
        std::vector<int32_t> d[3];
        for (int e = 0; e < 3; ++e) {
            silniki[e]->Szukanie(w, d[e]);
            EXPECT_EQ(silniki[e]->Zliczanie(w), int64_t(d[e].size())) << silniki[e]->Nazwa() << ": " << Opis(w);
        }
        EXPECT_EQ(d[0], d[1]) << "FTS5: " << Opis(w);
        EXPECT_EQ(d[0], d[2]) << "Xapian: " << Opis(w);
        return d[0];
    }
    static TTymczasowyKatalog* katalog;
    static TSilnik* silniki[3];
};
TTymczasowyKatalog* TrzySilniki::katalog = nullptr;
TSilnik* TrzySilniki::silniki[3] = {};

using V = std::vector<int32_t>;

TEST_F(TrzySilniki, WordsPrefixesAndPhrasesWithAwkwardTokens) {
    EXPECT_EQ(Wszystkie(*Fraza({S("PODATEK")})), V({1, 2, 4}));
    EXPECT_EQ(Wszystkie(*Fraza({S("SPÓŁKA-MATKA")})), V({1, 5}));
    EXPECT_EQ(Wszystkie(*Fraza({S("SPÓŁKA", true)})), V({1, 3, 5}));     // SPÓŁKA-CÓRKA, SPÓŁKA-MATKA too
    EXPECT_EQ(Wszystkie(*Fraza({S("SPÓŁKA-", true)})), V({1, 5}));
    EXPECT_EQ(Wszystkie(*Fraza({S("SPÓŁKA"), S("MATKA")})), V({3}));
    EXPECT_EQ(Wszystkie(*Fraza({S("ART"), S("."), S("15")})), V({2}));
    EXPECT_EQ(Wszystkie(*Fraza({S("§"), S("5")})), V({2, 5}));
    EXPECT_EQ(Wszystkie(*Fraza({S("PODAT", true)})), V({1, 2, 3, 4}));
    EXPECT_EQ(Wszystkie(*Fraza({S("PODATEK"), S("D", true)})), V({1, 4}));
    EXPECT_EQ(Wszystkie(*Fraza({S("A"), S("1")})), V({3}));
    EXPECT_EQ(Wszystkie(*Fraza({S("QQQ", true)})), V{});
    EXPECT_EQ(Wszystkie(*Fraza({S("PRAWNYCH"), S("SPÓŁKA")})), V{});   // never across two documents
}

TEST_F(TrzySilniki, ConditionsAndGroups) {
    EXPECT_EQ(Wszystkie(*Polaczenie(R::INie, Fraza({S("PODATEK")}), Fraza({S("VAT")}))), V({1}));
    EXPECT_EQ(Wszystkie(*Polaczenie(R::Lub, Fraza({S("VAT")}), Fraza({S("§")}))), V({2, 4, 5}));
    EXPECT_EQ(Wszystkie(*Polaczenie(R::I, Fraza({S("SPÓŁKA", true)}), Fraza({S("PODAT", true)}))), V({1, 3}));
    EXPECT_EQ(Wszystkie(*Grupa(R::Izba, 3)), V({1, 2}));
    EXPECT_EQ(Wszystkie(*Grupa(R::Przepis, 9)), V({3, 4}));
}

}  // namespace
