// A process killed while it saves templates: whenever the kill comes, the table opens, every
// template saved before holds its values, and at most the one being saved is missing.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>

#include "FabrykaDanych.h"
#include "NarzedziaDbf.h"
#include "TabelaDbf.h"
#include "ZabijanieZapisu.h"
#include "cp1250.h"

namespace {

// What the child tells the parent through shared memory: the template it began to save and
// the last one whose saving returned.
struct TPostep {
    std::atomic<int64_t> Rozpoczety{0}, Zakonczony{0};
    std::atomic<long> PierwszyZapisUs{0};   // how long a child's first save takes
};

// Template `id`: memos of many lengths (up to four blocks), some fields empty.
TSzablon Szablon(int64_t id) {
    std::string warunek = PL(u8"\"podatek\" AND \"ulga\" ") + std::to_string(id);
    warunek.resize(warunek.size() + static_cast<size_t>(id * 97 % 1800), PL(u8"ś")[0]);
    return {id, PL(u8"szablon żółć ") + std::to_string(id % 37) + " " + std::to_string(id), id % 100,
            id % 2 == 0 ? std::optional<int64_t>(id % 7) : std::nullopt, warunek,
            id % 3 == 0 ? std::optional<std::string>(PL(u8"dodatkowy Ł ") + std::to_string(id)) : std::nullopt};
}

}  // namespace

TEST(TabelaZabita, AKilledSaveLosesAtMostTheTemplateInProgress) {
    const TKatalogZabijania katalog("belv_dbase_zabity");
    const std::string dbf = (katalog.Sciezka() / "szablon.dbf").string();
    const std::string ndx = (katalog.Sciezka() / "i_opis.ndx").string();
    auto* postep = static_cast<TPostep*>(
        ::mmap(nullptr, sizeof(TPostep), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(postep, MAP_FAILED);
    new (postep) TPostep;

    // The child inherits the table open, as the program keeps it, and starts saving at once.
    // Kills spread over its first save (slower: a fresh process copies the memory it writes)
    // and some ten more, however fast the disk and the build are.
    const auto mikrosekundy = [](auto od) {
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - od).count());
    };
    TcTabelaDbf t;
    t.Utworzenie(dbf, PolaSzablonu(), ndx, "OPIS");
    const auto t0 = std::chrono::steady_clock::now();
    for (int64_t id = 1; id <= 4; ++id) Dopisanie(t, Szablon(id));
    const long zapis = mikrosekundy(t0) / 4;
    const pid_t proba = ::fork();
    ASSERT_GE(proba, 0);
    if (proba == 0) {
        const auto p0 = std::chrono::steady_clock::now();
        Dopisanie(t, Szablon(5));
        postep->PierwszyZapisUs = mikrosekundy(p0);
        ::_exit(0);
    }
    ASSERT_EQ(::waitpid(proba, nullptr, 0), proba);
    const long doZabicia = std::min<long>(postep->PierwszyZapisUs + 10 * zapis, 200000);
    int64_t ostatni = 5;
    t.Otwarcie(dbf);
    t.DodanieIndeksu(ndx, "OPIS");
    postep->Rozpoczety = postep->Zakonczony = ostatni;

    int zabic = 0, wTrakcie = 0, utraconych = 0;
    ZabijanieWTrakcie(
        200, doZabicia,
        [&] {
            for (int64_t id = ostatni + 1;; ++id) {
                postep->Rozpoczety = id;
                Dopisanie(t, Szablon(id));
                postep->Zakonczony = id;
            }
        },
        [&](int proba, pid_t dziecko) {
            SCOPED_TRACE("kill " + std::to_string(proba));
            ++zabic;
            // The index file is whole (it is replaced, never written in place); a killed
            // replacement leaves at most its own temporary file.
            for (const auto& e : std::filesystem::directory_iterator(katalog.Sciezka())) {
                const std::string nazwa = e.path().filename().string();
                if (nazwa == "szablon.dbf" || nazwa == "szablon.dbt" || nazwa == "i_opis.ndx") continue;
                EXPECT_EQ(nazwa.rfind("i_opis.ndx.tmp-" + std::to_string(dziecko) + "-", 0), 0u) << nazwa;
                std::filesystem::remove(e.path());
            }
            const std::string indeks = OdczytPliku(ndx);
            EXPECT_TRUE(indeks.size() >= 1024 && indeks.size() % 512 == 0) << indeks.size();

            // Opened again, the table is ready for the next child.
            const int64_t zakonczony = postep->Zakonczony, rozpoczety = postep->Rozpoczety;
            ASSERT_NO_THROW(t.Otwarcie(dbf));
            t.DodanieIndeksu(ndx, "OPIS");
            std::set<int64_t> obecne;
            for (t.PrzejscieNaPierwszy(); !t.Koniec(); t.PrzejscieNaNastepny()) {
                const int64_t id = *t.OdczytanieLiczby("ID_SZABL");
                EXPECT_TRUE(obecne.insert(id).second) << "template " << id << " twice";
                EXPECT_TRUE(Biezacy(t) == Szablon(id)) << "template " << id << " damaged";
            }
            ASSERT_FALSE(obecne.empty());
            EXPECT_EQ(*obecne.begin(), 1);
            EXPECT_EQ(static_cast<int64_t>(obecne.size()), *obecne.rbegin()) << "a template is missing in the middle";
            const int64_t najwyzszy = *obecne.rbegin();
            if (rozpoczety > zakonczony) {
                ++wTrakcie;
                EXPECT_TRUE(najwyzszy == zakonczony || najwyzszy == rozpoczety) << najwyzszy << " of " << rozpoczety;
                if (najwyzszy == zakonczony) ++utraconych;
            } else {
                EXPECT_EQ(najwyzszy, zakonczony);
            }
            ostatni = najwyzszy;
            postep->Rozpoczety = postep->Zakonczony = ostatni;
        });
    std::printf("dbase kill test: kills within %ld us: %d kills, %d during a save, %d of them lost the template being saved, "
                "%lld templates in the table\n",
                doZabicia, zabic, wTrakcie, utraconych, static_cast<long long>(ostatni));
    EXPECT_EQ(zabic, 200);
    EXPECT_GT(wTrakcie, 0) << "no kill came during a save";
    ::munmap(postep, sizeof(TPostep));
}
