// Saving "Belvastrona.ini" when the save goes wrong: the program is killed in the middle of
// it, or a step of the write fails. The file must stay a whole, readable configuration.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Bledy.h"
#include "FabrykaDanych.h"
#include "Konfiguracja.h"
#include "PlikIni.h"
#include "ZabijanieZapisu.h"
#include "ZapisBezpieczny.h"
#include "cp1250.h"

namespace fs = std::filesystem;

namespace {

std::string Bajty(const std::string& sciezka) { return OdczytPliku(sciezka); }
void Zapisz(const std::string& sciezka, const std::string& bajty) { ZapisPliku(sciezka, bajty); }

std::vector<std::string> Pliki(const fs::path& katalog) {
    std::vector<std::string> p;
    for (const auto& e : fs::directory_iterator(katalog)) p.push_back(e.path().filename().string());
    std::sort(p.begin(), p.end());
    return p;
}

// The six values one save writes; both sets have values of equal length.
struct TZestaw {
    bool Zliczanie;
    int32_t Szerokosc, Wysokosc, X, Y;
    bool Maksymalne;
};
const TZestaw Pierwszy{true, 800, 600, 111, 222, false};
const TZestaw Drugi{false, 900, 700, 333, 444, true};

// A long history section ahead of the keys makes every save big enough for a cut to show.
std::string Historia() {
    std::string h = "; Belvastrona\r\n[Historia]\r\n";
    for (int i = 0; i < 2000; ++i) {
        const std::string n = std::to_string(10000 + i);
        h += "Wpis" + n + "=podatek dochodowy od osob fizycznych, art. " + n + "\r\n";
    }
    return h;
}

// The file with key i taken from the second set when bit i of `ktore` is set.
std::string PlikKonfiguracji(const std::string& historia, unsigned ktore) {
    auto z = [&](int i) -> const TZestaw& { return (ktore >> i) & 1 ? Drugi : Pierwszy; };
    return historia + "[Dane]\r\nZliczanie=" + (z(0).Zliczanie ? "1" : "0") +
           "\r\n[Glowne Okno]\r\nSzerokosc=" + std::to_string(z(1).Szerokosc) +
           "\r\nWysokosc=" + std::to_string(z(2).Wysokosc) + "\r\nX=" + std::to_string(z(3).X) +
           "\r\nY=" + std::to_string(z(4).Y) + "\r\nMaksymalne=" + (z(5).Maksymalne ? "1" : "0") + "\r\n";
}

void Zapisanie(TcKonfiguracja& k, const TZestaw& z) {
    k.Zliczanie = z.Zliczanie;
    k.ZapisanieKonfiguracji(TGeometriaOkna{z.X, z.Y, z.Szerokosc, z.Wysokosc}, z.Maksymalne);
}

class ZapisIni : public ::testing::Test {
protected:
    void SetUp() override {
        sciezka_ = (katalog_ / "Belvastrona.ini").string();
        const char* k = std::getenv("BELVASTRONA_KONFIGURACJA");
        if (k) poprzedni_ = k;
        ::setenv("BELVASTRONA_KONFIGURACJA", katalog_.c_str(), 1);
    }
    void TearDown() override {
        mAwariaZapisu(nullptr);
        if (poprzedni_) ::setenv("BELVASTRONA_KONFIGURACJA", poprzedni_->c_str(), 1);
        else ::unsetenv("BELVASTRONA_KONFIGURACJA");
    }

    const TKatalogZabijania katalogZabijania_{std::string("belv_zapis_ini_") +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    const fs::path& katalog_ = katalogZabijania_.Sciezka();
    std::string sciezka_;
    std::optional<std::string> poprzedni_;
};

}  // namespace

TEST_F(ZapisIni, AKilledSaveLeavesAWholeConfiguration) {
    const std::string historia = Historia();
    // Every file a run of single-key saves can leave, whatever their order.
    std::set<std::string> dozwolone;
    for (unsigned ktore = 0; ktore < 64; ++ktore) dozwolone.insert(PlikKonfiguracji(historia, ktore));
    const std::string poczatkowy = PlikKonfiguracji(historia, 0);
    const std::string koncowy = PlikKonfiguracji(historia, 63);

    Zapisz(sciezka_, poczatkowy);
    TcKonfiguracja konfiguracja;
    ASSERT_EQ(konfiguracja.Ini().Sciezka(), sciezka_);
    // Kills are spread over about two saves of the child, however fast the disk is.
    const auto t0 = std::chrono::steady_clock::now();
    Zapisanie(konfiguracja, Drugi);
    ASSERT_EQ(Bajty(sciezka_), koncowy);
    Zapisanie(konfiguracja, Pierwszy);
    ASSERT_EQ(Bajty(sciezka_), poczatkowy);
    const auto zapis = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0) / 2;
    const long doZabicia = std::max<long>(300, std::min<long>(2 * zapis.count(), 40000));

    int niezmienionych = 0, zmienionych = 0;
    std::string przed = Bajty(sciezka_);
    ZabijanieWTrakcie(
        200, doZabicia,
        [&] {
            for (bool drugi = true;; drugi = !drugi) Zapisanie(konfiguracja, drugi ? Drugi : Pierwszy);
        },
        [&](int proba, pid_t dziecko) {
            const std::string po = Bajty(sciezka_);
            ASSERT_TRUE(dozwolone.count(po)) << "kill " << proba << ": " << po.size() << " bytes, ending "
                                             << po.substr(po.size() - std::min<size_t>(po.size(), 120));
            (po == przed ? niezmienionych : zmienionych)++;
            przed = po;
            // A kill leaves at most the one temporary file of the save it interrupted.
            EXPECT_LE(katalogZabijania_.UsuniecieTymczasowych("Belvastrona.ini", dziecko), 1) << "kill " << proba;
        });
    // Some kills must have come after a finished write, or the test proved nothing.
    EXPECT_GT(zmienionych, 0);
    RecordProperty("unchanged", niezmienionych);
    RecordProperty("changed", zmienionych);
}

// Each step of the write fails in turn with ENOSPC and with EIO.
TEST_F(ZapisIni, AFailedStepRaisesAndLeavesThePreviousFileAndNoTemporary) {
    const std::string stary = "; Belvastrona\r\n[Dane]\r\nZliczanie=1\r\n[Glowne Okno]\r\nSzerokosc=790\r\nWysokosc=570\r\n";
    std::string nowy = stary;
    nowy.replace(nowy.find("790"), 3, "1024");
    // Writes of at most 16 bytes, so that the file takes several.
    constexpr size_t MalyZapis = 16;

    Zapisz(sciezka_, stary);
    std::vector<TKrokZapisu> kroki;
    mAwariaZapisu([&](TKrokZapisu k, size_t& n) {
        kroki.push_back(k);
        if (k == TKrokZapisu::Zapis) n = std::min(n, MalyZapis);
        return 0;
    });
    TcPlikIni ini(sciezka_);
    ini.ZapisanieLiczby("Glowne Okno", "Szerokosc", 1024);
    mAwariaZapisu(nullptr);
    ASSERT_EQ(Bajty(sciezka_), nowy);
    ASSERT_EQ(std::count(kroki.begin(), kroki.end(), TKrokZapisu::Zapis), std::ptrdiff_t((nowy.size() + 15) / 16));
    ASSERT_EQ(kroki.back(), TKrokZapisu::SynchronizacjaKatalogu);

    for (size_t ktory = 0; ktory < kroki.size(); ++ktory) {
        for (int kod : {ENOSPC, EIO}) {
            Zapisz(sciezka_, stary);
            size_t wywolan = 0;
            mAwariaZapisu([&](TKrokZapisu k, size_t& n) {
                if (k == TKrokZapisu::Zapis) n = std::min(n, MalyZapis);
                return wywolan++ == ktory ? kod : 0;
            });
            SCOPED_TRACE("step " + std::to_string(ktory) + " errno " + std::to_string(kod));
            bool zgloszony = false;
            try {
                ini.ZapisanieLiczby("Glowne Okno", "Szerokosc", 1024);
            } catch (const EInOutError& e) {
                zgloszony = true;
                EXPECT_EQ(e.what(), PL(u8"Błąd zapisu pliku '") + sciezka_ + "'.");
            }
            mAwariaZapisu(nullptr);
            EXPECT_TRUE(zgloszony);
            EXPECT_EQ(wywolan, ktory + 1);
            // Only a failed folder sync comes after the new file took the name.
            EXPECT_EQ(Bajty(sciezka_), kroki[ktory] == TKrokZapisu::SynchronizacjaKatalogu ? nowy : stary);
            EXPECT_EQ(Pliki(katalog_), std::vector<std::string>{"Belvastrona.ini"});
        }
    }
}
