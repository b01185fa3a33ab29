// Overwriting a report when the save goes wrong: the program is killed in the middle of it, or
// a step of the write fails. The file must read back as the old report or the new one, and a
// failed save must be reported.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "FabrykaDanych.h"
#include "TablicaRaportu.h"
#include "TekstRaportu.h"
#include "ZabijanieZapisu.h"
#include "ZapisBezpieczny.h"
#include "ZapisRaportu.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t kDokumentow = 262142;

// A report of `ile` documents counting down from `od`, every third one unchecked.
std::string Raport(const std::string& warunek, int32_t izba, int32_t od, int32_t ile) {
    TcTablicaRaportu t;
    for (int32_t i = 0; i < ile; ++i) t.Dodanie(od - i, i % 3 != 2);
    return TekstRaportu(t, warunek, izba, 0);
}

std::vector<std::string> Pliki(const fs::path& katalog) {
    std::vector<std::string> p;
    for (const auto& e : fs::directory_iterator(katalog)) p.push_back(e.path().filename().string());
    std::sort(p.begin(), p.end());
    return p;
}

}  // namespace

TEST(RaportZapisAwarie, AKilledOverwriteLeavesTheOldReportOrTheNew) {
    const TKatalogZabijania katalog("belv_raport_zabicie");
    const std::string k = katalog.Sciezka().string();
    const std::string stary = Raport("\"podatek dochodowy\"", 12, kDokumentow, 60000);
    const std::string nowy = Raport("( \"vat\" ) AND ( \"stawka\" OR \"zwolnienie\" )", 3, 150000, 90000);
    ASSERT_NE(stary.size(), nowy.size());
    const std::string sciezka = MiejsceRaportu("Klient", k).Sciezka;

    // Kills are spread over about two saves of the child, however fast the disk is.
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(ZapisanieRaportu(sciezka, nowy));
    ASSERT_TRUE(ZapisanieRaportu(sciezka, stary));
    const auto zapis = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0) / 2;
    const long doZabicia = std::max<long>(300, std::min<long>(2 * zapis.count(), 40000));
    const std::string nazwa = fs::path(sciezka).filename().string();

    int zmienionych = 0, starych = 0;
    std::string przed = OdczytPliku(sciezka);
    ZabijanieWTrakcie(
        200, doZabicia,
        [&] {
            // The child overwrites the report with the other one, again and again, as the window
            // would: the name is looked up each time.
            for (bool drugi = true;; drugi = !drugi)
                if (!ZapisanieRaportu(MiejsceRaportu("KLIENT", k).Sciezka, drugi ? nowy : stary)) return;
        },
        [&](int proba, pid_t dziecko) {
            const std::string po = OdczytPliku(sciezka);
            ASSERT_TRUE(po == stary || po == nowy) << "kill " << proba << ": " << po.size() << " bytes";
            // And it is a report that opens.
            const TRaport r = OdczytanieRaportu(po, "Klient.rap", kDokumentow);
            EXPECT_EQ(r.Dokumenty.size(), po == stary ? 40000u : 60000u) << "kill " << proba;
            zmienionych += po != przed;
            starych += po == stary;
            przed = po;
            EXPECT_LE(katalog.UsuniecieTymczasowych(nazwa, dziecko), 1) << "kill " << proba;
        });
    // Some kills must have come after a finished write, or the test proved nothing.
    EXPECT_GT(zmienionych, 0);
    RecordProperty("changed", zmienionych);
    std::printf("200 kills during overwrites: %d left the old report, %d the new, %d changed the file; "
                "none left a mixture\n", starych, 200 - starych, zmienionych);
}

// Each step of the write fails in turn with ENOSPC and with EIO, over an existing report and
// for a new one.
TEST(RaportZapisAwarie, AFailedStepIsReportedAndLeavesTheOldReport) {
    TTymczasowyKatalog dir;
    const std::string k = dir.Sciezka();
    const std::string stary = Raport("\"stary\"", 1, 5000, 3000);
    const std::string nowy = Raport("\"nowy\"", 2, 9000, 6000);
    // Writes of at most 8 KiB, so that the report takes several.
    constexpr size_t MalyZapis = 8192;
    const size_t zapisow = (nowy.size() + MalyZapis - 1) / MalyZapis;
    ASSERT_GE(zapisow, 3u);
    std::vector<TKrokZapisu> kroki{TKrokZapisu::Otwarcie};
    kroki.insert(kroki.end(), zapisow, TKrokZapisu::Zapis);
    kroki.insert(kroki.end(), {TKrokZapisu::Synchronizacja, TKrokZapisu::Zamkniecie, TKrokZapisu::ZmianaNazwy,
                               TKrokZapisu::SynchronizacjaKatalogu});

    for (bool istnieje : {true, false}) {
        for (size_t ktory = 0; ktory < kroki.size(); ++ktory) {
            for (int kod : {ENOSPC, EIO}) {
                for (const auto& p : Pliki(k)) fs::remove(k + "/" + p);
                if (istnieje) ZapisPliku(k + "/Klient.rap", stary);
                SCOPED_TRACE("step " + std::to_string(ktory) + " errno " + std::to_string(kod) +
                             (istnieje ? " over a report" : " new report"));
                const TMiejsceRaportu m = MiejsceRaportu("kLIENT", k);
                ASSERT_EQ(m.Istnieje, istnieje);

                size_t wywolan = 0;
                mAwariaZapisu([&](TKrokZapisu krok, size_t& n) {
                    if (krok == TKrokZapisu::Zapis) n = std::min(n, MalyZapis);
                    EXPECT_EQ(krok, kroki[std::min(wywolan, kroki.size() - 1)]);
                    return wywolan++ == ktory ? kod : 0;
                });
                errno = 0;
                const bool zapisany = ZapisanieRaportu(m.Sciezka, nowy);
                const int blad = errno;
                mAwariaZapisu(nullptr);

                EXPECT_FALSE(zapisany);
                EXPECT_EQ(blad, kod);
                EXPECT_EQ(wywolan, ktory + 1);
                // Only a failed folder sync comes after the new report took the name.
                const bool poZmianie = kroki[ktory] == TKrokZapisu::SynchronizacjaKatalogu;
                if (istnieje || poZmianie) {
                    const std::string plik = istnieje ? "Klient.rap" : "kLIENT.rap";
                    EXPECT_EQ(Pliki(k), std::vector<std::string>{plik});
                    EXPECT_TRUE(OdczytPliku(k + "/" + plik) == (poZmianie ? nowy : stary));
                } else {
                    EXPECT_TRUE(Pliki(k).empty());
                }
            }
        }
    }
    mAwariaZapisu(nullptr);
    // Nothing failing: the same save goes through.
    for (const auto& p : Pliki(k)) fs::remove(k + "/" + p);
    ASSERT_TRUE(ZapisanieRaportu(MiejsceRaportu("Klient", k).Sciezka, nowy));
    EXPECT_EQ(OdczytPliku(k + "/Klient.rap"), nowy);
}
