// The configuration store: which folder it uses, and the six keys it reads and writes there.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Konfiguracja.h"

namespace fs = std::filesystem;

namespace {

// Restores the variables the store reads when the test ends.
class Srodowisko {
public:
    Srodowisko() {
        for (const char* n : {"BELVASTRONA_KONFIGURACJA", "XDG_CONFIG_HOME", "HOME"}) {
            const char* v = std::getenv(n);
            zapamietane_.emplace_back(n, v ? std::optional<std::string>(v) : std::nullopt);
        }
    }
    ~Srodowisko() {
        for (const auto& [n, v] : zapamietane_) {
            if (v) ::setenv(n.c_str(), v->c_str(), 1);
            else ::unsetenv(n.c_str());
        }
    }
private:
    std::vector<std::pair<std::string, std::optional<std::string>>> zapamietane_;
};

class Konfiguracja : public ::testing::Test {
protected:
    void SetUp() override {
        katalog_ = fs::temp_directory_path() /
                   ("belv_konfiguracja_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(katalog_);
        // The folder itself does not exist before the first save.
        ::setenv("BELVASTRONA_KONFIGURACJA", (katalog_ / "Belvastrona").c_str(), 1);
    }
    void TearDown() override { fs::remove_all(katalog_); }

    std::string Bajty() const {
        std::ifstream f(katalog_ / "Belvastrona" / "Belvastrona.ini", std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }

    Srodowisko srodowisko_;
    fs::path katalog_;
};

}  // namespace

TEST_F(Konfiguracja, WithoutAFileTheWindowKeepsItsOwnBoundsAndCountingIsOn) {
    TcKonfiguracja k;
    EXPECT_EQ(k.Ini().Sciezka(), (katalog_ / "Belvastrona" / "Belvastrona.ini").string());
    k.Zliczanie = false;
    k.Maksymalne = true;
    k.OdczytanieKonfiguracji(TGeometriaOkna{5, 6, 700, 500});
    EXPECT_TRUE(k.Zliczanie);
    EXPECT_EQ(k.X, 5);
    EXPECT_EQ(k.Y, 6);
    EXPECT_EQ(k.Szerokosc, 700);
    EXPECT_EQ(k.Wysokosc, 500);
    EXPECT_FALSE(k.Maksymalne);
    EXPECT_FALSE(fs::exists(katalog_));
}

TEST_F(Konfiguracja, TheSixKeysAreWrittenInTheirSectionsAndReadBack) {
    {
        TcKonfiguracja k;
        k.Zliczanie = false;
        k.ZapisanieKonfiguracji(TGeometriaOkna{-4, 50, 1000, 800}, true);
    }
    EXPECT_EQ(Bajty(),
              "[Dane]\r\nZliczanie=0\r\n"
              "[Glowne Okno]\r\nSzerokosc=1000\r\nWysokosc=800\r\nX=-4\r\nY=50\r\nMaksymalne=1\r\n");

    TcKonfiguracja k;
    k.OdczytanieKonfiguracji(TGeometriaOkna{});
    EXPECT_FALSE(k.Zliczanie);
    EXPECT_EQ(k.Szerokosc, 1000);
    EXPECT_EQ(k.Wysokosc, 800);
    EXPECT_EQ(k.X, -4);
    EXPECT_EQ(k.Y, 50);
    EXPECT_TRUE(k.Maksymalne);

    // The next save changes the values where they stand; the geometry comes from the
    // argument, not from what was read.
    k.Zliczanie = true;
    k.ZapisanieKonfiguracji(TGeometriaOkna{18, 3, 790, 570}, false);
    EXPECT_EQ(Bajty(),
              "[Dane]\r\nZliczanie=1\r\n"
              "[Glowne Okno]\r\nSzerokosc=790\r\nWysokosc=570\r\nX=18\r\nY=3\r\nMaksymalne=0\r\n");
}

TEST_F(Konfiguracja, TheFolderComesFromTheEnvironment) {
    ::setenv("BELVASTRONA_KONFIGURACJA", "/k/Belv", 1);
    ::setenv("XDG_CONFIG_HOME", "/x", 1);
    ::setenv("HOME", "/h", 1);
    EXPECT_EQ(TcKonfiguracja::Katalog(), "/k/Belv");
    EXPECT_EQ(TcKonfiguracja().Ini().Sciezka(), "/k/Belv/Belvastrona.ini");
    ::setenv("BELVASTRONA_KONFIGURACJA", "", 1);
    EXPECT_EQ(TcKonfiguracja::Katalog(), "/x/Belvastrona");
    ::unsetenv("BELVASTRONA_KONFIGURACJA");
    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(TcKonfiguracja::Katalog(), "/h/.config/Belvastrona");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("HOME");
    EXPECT_EQ(TcKonfiguracja::Katalog(), ".");
}
