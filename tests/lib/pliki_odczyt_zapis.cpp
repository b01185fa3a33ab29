// Whole-file reading and writing against real files in a private temporary folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cp1250.h"
#include "TablicaPliku.h"
#include "mLib.h"

namespace fs = std::filesystem;

namespace {

class Pliki : public ::testing::Test {
protected:
    void SetUp() override {
        katalog_ = fs::temp_directory_path() /
                   ("belv_lib_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(katalog_);
        fs::create_directories(katalog_);
    }
    void TearDown() override { fs::remove_all(katalog_); }

    std::string plik(const std::string& nazwa, const std::string& bajty) {
        std::string sciezka = (katalog_ / nazwa).string();
        EXPECT_TRUE(mWriteString(sciezka, bajty, TrybBledu::Cichy));
        return sciezka;
    }
    std::string sciezka(const std::string& nazwa) const { return (katalog_ / nazwa).string(); }

    fs::path katalog_;
};

}  // namespace

TEST_F(Pliki, HeaderIsDroppedWhenTheFileIsShorterThanOneElement) {
    std::string pusty = plik("pusty", "");
    std::vector<uint8_t> b{9};
    std::vector<uint16_t> w{9};
    std::vector<int32_t> i{9};
    EXPECT_TRUE(mReadFile(pusty, b, 1, TrybBledu::Wyjatek));
    EXPECT_TRUE(mReadFile(pusty, w, 1, TrybBledu::Wyjatek));
    EXPECT_TRUE(mReadFile(pusty, i, 1, TrybBledu::Wyjatek));
    EXPECT_TRUE(b.empty());
    EXPECT_TRUE(w.empty());
    EXPECT_TRUE(i.empty());

    std::vector<int32_t> trzy{9};
    EXPECT_TRUE(mReadFile(plik("trzy", "abc"), trzy, 1, TrybBledu::Wyjatek));
    EXPECT_TRUE(trzy.empty());
}

TEST_F(Pliki, HeaderPutsTheFirstElementAtIndexOne) {
    std::vector<int32_t> t;
    ASSERT_TRUE(mReadFile(plik("osiem", std::string("\x01\x00\x00\x00\xFE\xFF\xFF\xFF", 8)), t, 1, TrybBledu::Wyjatek));
    EXPECT_EQ(t, (std::vector<int32_t>{0, 1, -2}));
    // A negative header counts as none.
    ASSERT_TRUE(mReadFile(sciezka("osiem"), t, -3, TrybBledu::Wyjatek));
    EXPECT_EQ(t, (std::vector<int32_t>{1, -2}));
}

TEST_F(Pliki, WordsAreLittleEndianAndAPartialLastElementIsIgnored) {
    std::vector<uint16_t> w;
    ASSERT_TRUE(mReadFile(plik("dziesiec", "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A"), w, 0, TrybBledu::Wyjatek));
    EXPECT_EQ(w, (std::vector<uint16_t>{0x0201, 0x0403, 0x0605, 0x0807, 0x0A09}));

    std::vector<int32_t> i;
    ASSERT_TRUE(mReadFile(sciezka("dziesiec"), i, 1, TrybBledu::Wyjatek));
    EXPECT_EQ(i, (std::vector<int32_t>{0, 0x04030201, 0x08070605}));

    std::vector<uint8_t> surowe;
    ASSERT_TRUE(mReadFile(sciezka("dziesiec"), surowe, 4, 1, TrybBledu::Wyjatek));
    EXPECT_EQ(surowe, (std::vector<uint8_t>{0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(Pliki, WidthOtherThanOneTwoFourIsAnInternalError) {
    std::vector<uint8_t> t;
    try {
        mReadFile(plik("x", "abcdef"), t, 3, 0, TrybBledu::Cichy);
        FAIL();
    } catch (const EInternalError& e) {
        EXPECT_EQ(e.what(), PL(u8"Nieoczekiwany błąd: mReadFile.1.\n"));
    }
}

TEST_F(Pliki, MissingFileRaisesOrStaysQuietAndLeavesTheArrayEmpty) {
    std::string brak = sciezka("brak.dat");
    std::vector<int32_t> t{1, 2, 3};
    try {
        mReadFile(brak, t, 1, TrybBledu::Wyjatek);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.what(), PL(u8"Błąd odczytu pliku '") + brak + "'.");
    }
    EXPECT_TRUE(t.empty());
    // The message is Windows-1250 text: a Polish name from the file system (UTF-8) is converted.
    try {
        mReadFile(sciezka("Zielińska.rap"), t, 1, TrybBledu::Wyjatek);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.what(), PL(u8"Błąd odczytu pliku '") + PL(sciezka("Zielińska.rap")) + "'.");
    }

    t = {1, 2, 3};
    EXPECT_FALSE(mReadFile(brak, t, 1, TrybBledu::Cichy));
    EXPECT_TRUE(t.empty());

    std::string s = "stare";
    EXPECT_FALSE(mReadString(brak, s, TrybBledu::Cichy));
    EXPECT_TRUE(s.empty());
    // A folder is not a readable file.
    EXPECT_FALSE(mReadString(katalog_.string(), s, TrybBledu::Cichy));
}

TEST_F(Pliki, StringRoundTripKeepsEveryByte) {
    std::string wszystkie;
    for (int c = 255; c >= 0; --c) wszystkie += static_cast<char>(c);
    std::string p = plik("bajty", wszystkie);
    std::string odczyt = "stare";
    ASSERT_TRUE(mReadString(p, odczyt, TrybBledu::Wyjatek));
    EXPECT_EQ(odczyt, wszystkie);
    // Writing again truncates.
    ASSERT_TRUE(mWriteString(p, "ab", TrybBledu::Wyjatek));
    ASSERT_TRUE(mReadString(p, odczyt, TrybBledu::Wyjatek));
    EXPECT_EQ(odczyt, "ab");
}

TEST_F(Pliki, WritingIntoAMissingFolderFails) {
    std::string p = sciezka("nie_ma/plik.rap");
    EXPECT_FALSE(mWriteString(p, "x", TrybBledu::Cichy));
    try {
        mWriteFile(p, "x", 1, TrybBledu::Wyjatek);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.what(), PL(u8"Błąd zapisu pliku '") + p + "'.");
    }
}

// A write replaces the file with a new one; what the user set on the previous one must carry over.
TEST_F(Pliki, ReplacingKeepsTheModeAndWritesThroughALink) {
    const mode_t maska = ::umask(022);
    std::string p = sciezka("nowy");
    ASSERT_TRUE(mWriteString(p, "a", TrybBledu::Wyjatek));
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    ::umask(maska);

    ASSERT_EQ(::chmod(p.c_str(), 0640), 0);
    ASSERT_TRUE(mWriteString(p, "nowe", TrybBledu::Wyjatek));
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    const fs::path lacze = katalog_ / "lacze";
    fs::create_symlink(p, lacze);
    ASSERT_TRUE(mWriteString(lacze.string(), "przez lacze", TrybBledu::Wyjatek));
    EXPECT_TRUE(fs::is_symlink(lacze));
    std::string odczyt;
    ASSERT_TRUE(mReadString(p, odczyt, TrybBledu::Wyjatek));
    EXPECT_EQ(odczyt, "przez lacze");
    EXPECT_EQ(std::distance(fs::directory_iterator(katalog_), fs::directory_iterator()), 2);
}

TEST_F(Pliki, APipeIsWrittenThroughNotReplaced) {
    const std::string rura = sciezka("rura");
    ASSERT_EQ(::mkfifo(rura.c_str(), 0600), 0);
    const int czytnik = ::open(rura.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(czytnik, 0);
    EXPECT_TRUE(mWriteString(rura, "do rury", TrybBledu::Wyjatek));
    char bufor[16] = {};
    EXPECT_EQ(::read(czytnik, bufor, sizeof bufor), 7);
    ::close(czytnik);
    EXPECT_EQ(std::string(bufor), "do rury");
    EXPECT_TRUE(fs::is_fifo(rura));
}

// A mapped table holds what mReadFile reads, whichever way its pages come in and after its
// pages are released: the header, a short or empty file, a partial last element, and a file
// spanning several 2 MB pages.
TEST_F(Pliki, AMappedTableHoldsWhatTheReaderReadsAndAChangeLeavesTheFile) {
    std::string duzy(5u << 20, '\0');
    for (size_t i = 0; i < duzy.size(); ++i) duzy[i] = char(i * 7 + i / 4093);
    const std::string ksztalty[] = {"", "\x01", "\x01\x02\x03\x04\x05\x06", duzy};
    int k = 0;
    for (const std::string& bajty : ksztalty) {
        const std::string p = plik("t" + std::to_string(k++) + ".dat", bajty);
        for (int naglowek : {0, 1})
            for (TOdczytTablicy odczyt : {TOdczytTablicy::NaZadanie, TOdczytTablicy::Zapelnienie, TOdczytTablicy::DuzeStrony}) {
                std::vector<uint16_t> wzor;
                ASSERT_TRUE(mReadFile(p, wzor, naglowek, TrybBledu::Cichy));
                TTablicaPliku<uint16_t> t;
                ASSERT_TRUE(t.Wczytaj(p, naglowek, TrybBledu::Cichy, odczyt));
                ASSERT_EQ(std::vector<uint16_t>(t.begin(), t.end()), wzor)
                    << bajty.size() << " bytes, header " << naglowek << ", way " << int(odczyt);
                // Released pages come back as they were; memory of the table's own is kept.
                t.ZwolnienieStron();
                ASSERT_EQ(std::vector<uint16_t>(t.begin(), t.end()), wzor)
                    << "released: " << bajty.size() << " bytes, header " << naglowek << ", way " << int(odczyt);
            }
    }
    const std::string p = sciezka("t1.dat");
    TTablicaPliku<uint8_t> t;
    ASSERT_TRUE(t.Wczytaj(p, 1, TrybBledu::Cichy, TOdczytTablicy::Zapelnienie));
    t.DoZmiany()[1] = 9;
    EXPECT_EQ(t[1], 9);
    t.ZwolnienieStron();   // a changed table keeps its change
    EXPECT_EQ(t[1], 9);
    std::string s;
    ASSERT_TRUE(mReadString(p, s, TrybBledu::Cichy));
    EXPECT_EQ(s, "\x01");

    const std::string brak = sciezka("brak.dat");
    try {
        t.Wczytaj(brak, 1, TrybBledu::Wyjatek, TOdczytTablicy::Zapelnienie);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.what(), PL(u8"Błąd odczytu pliku '") + brak + "'.");
    }
    EXPECT_TRUE(t.empty());
    EXPECT_FALSE(t.Wczytaj(katalog_.string(), 0, TrybBledu::Cichy, TOdczytTablicy::NaZadanie));
}
