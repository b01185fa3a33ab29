// Saving a whole file when a step of the save fails: the disk fills up, a write or a sync
// reports an I/O error, the rename is refused. Every failure must reach the caller and leave the
// previous file (and nothing else) in the folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "ZapisBezpieczny.h"
#include "cp1250.h"
#include "mLib.h"

namespace fs = std::filesystem;

namespace {

const char* NazwaKroku(TKrokZapisu k) {
    switch (k) {
        case TKrokZapisu::Otwarcie: return "Otwarcie";
        case TKrokZapisu::Zapis: return "Zapis";
        case TKrokZapisu::Synchronizacja: return "Synchronizacja";
        case TKrokZapisu::Zamkniecie: return "Zamkniecie";
        case TKrokZapisu::ZmianaNazwy: return "ZmianaNazwy";
        case TKrokZapisu::SynchronizacjaKatalogu: return "SynchronizacjaKatalogu";
    }
    return "?";
}

std::string Wzor(size_t bajtow, char od, int okres) {
    std::string t(bajtow, '\0');
    for (size_t i = 0; i < bajtow; ++i) t[i] = static_cast<char>(od + static_cast<int>(i % size_t(okres)));
    return t;
}

class ZapisZAwaria : public ::testing::Test {
protected:
    void SetUp() override {
        katalog_ = fs::temp_directory_path() /
                   ("belv_zapis_awaria_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(katalog_);
        fs::create_directories(katalog_);
        cel_ = (katalog_ / "raport.rap").string();
    }
    void TearDown() override {
        mAwariaZapisu(nullptr);
        fs::remove_all(katalog_);
    }

    std::string Tresc() const {
        std::string t;
        EXPECT_TRUE(mReadString(cel_, t, TrybBledu::Cichy));
        return t;
    }
    std::vector<std::string> Pliki() const {
        std::vector<std::string> p;
        for (const auto& e : fs::directory_iterator(katalog_)) p.push_back(e.path().filename().string());
        std::sort(p.begin(), p.end());
        return p;
    }

    fs::path katalog_;
    std::string cel_;
};

// Writes of at most 4096 bytes, so that a 64 KiB save makes sixteen write calls.
constexpr size_t MalyZapis = 4096;

}  // namespace

// Step names, not bytes, in failure messages.
void PrintTo(TKrokZapisu k, std::ostream* os) { *os << NazwaKroku(k); }

TEST_F(ZapisZAwaria, StepsRunInOrderWithEveryWriteCallSeen) {
    const std::string nowa = Wzor(64 * 1024, 'a', 23);
    std::vector<TKrokZapisu> kroki;
    mAwariaZapisu([&](TKrokZapisu k, size_t& n) {
        kroki.push_back(k);
        if (k == TKrokZapisu::Zapis) n = std::min(n, MalyZapis);
        return 0;
    });
    ASSERT_TRUE(mWriteString(cel_, nowa, TrybBledu::Wyjatek));
    std::vector<TKrokZapisu> oczekiwane{TKrokZapisu::Otwarcie};
    oczekiwane.insert(oczekiwane.end(), 16, TKrokZapisu::Zapis);
    oczekiwane.insert(oczekiwane.end(), {TKrokZapisu::Synchronizacja, TKrokZapisu::Zamkniecie,
                                         TKrokZapisu::ZmianaNazwy, TKrokZapisu::SynchronizacjaKatalogu});
    EXPECT_EQ(kroki, oczekiwane);
    EXPECT_EQ(Tresc(), nowa);
}

// Each step in turn fails with ENOSPC and with EIO, in both error modes and with the helper's
// own result, for a target that exists and for one that does not yet.
TEST_F(ZapisZAwaria, AFailedStepIsReportedAndLeavesThePreviousFileAndNoTemporary) {
    const std::string stara = Wzor(10000, 'A', 19);
    const std::string nowa = Wzor(64 * 1024, 'a', 23);
    const size_t krokow = 1 + 16 + 4;
    enum class Wywolanie { Cichy, Wyjatek, Bezposrednie };

    for (bool istnieje : {true, false}) {
        for (size_t ktory = 0; ktory < krokow; ++ktory) {
            for (int kod : {ENOSPC, EIO}) {
                for (Wywolanie jak : {Wywolanie::Cichy, Wywolanie::Wyjatek, Wywolanie::Bezposrednie}) {
                    mAwariaZapisu(nullptr);
                    fs::remove(cel_);
                    if (istnieje) {
                        ASSERT_TRUE(mWriteString(cel_, stara, TrybBledu::Cichy));
                    }

                    size_t wywolan = 0;
                    TKrokZapisu zawiodl = TKrokZapisu::Otwarcie;
                    mAwariaZapisu([&](TKrokZapisu k, size_t& n) {
                        if (k == TKrokZapisu::Zapis) n = std::min(n, MalyZapis);
                        if (wywolan++ != ktory) return 0;
                        zawiodl = k;
                        return kod;
                    });
                    SCOPED_TRACE("step " + std::to_string(ktory) + " errno " + std::to_string(kod) +
                                 " mode " + std::to_string(int(jak)) + (istnieje ? " over a file" : " new file"));

                    bool zgloszony = false;
                    if (jak == Wywolanie::Cichy) {
                        errno = 0;
                        zgloszony = !mWriteString(cel_, nowa, TrybBledu::Cichy);
                        EXPECT_EQ(errno, kod);
                    } else if (jak == Wywolanie::Wyjatek) {
                        try {
                            mWriteString(cel_, nowa, TrybBledu::Wyjatek);
                        } catch (const EInOutError& e) {
                            zgloszony = true;
                            EXPECT_EQ(e.what(), PL(u8"Błąd zapisu pliku '") + cel_ + "'.");
                        }
                    } else {
                        const TWynikZapisu w = mZapisBezpieczny(cel_, nowa.data(), nowa.size());
                        zgloszony = !w.Udany();
                        EXPECT_EQ(w.Blad, kod);
                        EXPECT_EQ(w.Krok, zawiodl);
                        EXPECT_EQ(w.Zastapiony, zawiodl == TKrokZapisu::SynchronizacjaKatalogu);
                    }
                    mAwariaZapisu(nullptr);
                    SCOPED_TRACE(std::string("failed at ") + NazwaKroku(zawiodl));

                    EXPECT_TRUE(zgloszony);
                    // Nothing runs after the failed step.
                    EXPECT_EQ(wywolan, ktory + 1);
                    const bool celJest = istnieje || zawiodl == TKrokZapisu::SynchronizacjaKatalogu;
                    EXPECT_EQ(Pliki(), celJest ? std::vector<std::string>{"raport.rap"} : std::vector<std::string>{});
                    if (celJest) {
                        const std::string t = Tresc();
                        const std::string& oczekiwana = istnieje && zawiodl != TKrokZapisu::SynchronizacjaKatalogu ? stara : nowa;
                        EXPECT_TRUE(t == oczekiwana) << t.size() << " bytes, " << (t == nowa ? "the new content" : "not the new content");
                    }
                }
            }
        }
    }
}

TEST_F(ZapisZAwaria, ShortAndInterruptedWritesStillSaveEveryByte) {
    const std::string nowa = Wzor(20000, 'a', 251);
    size_t wywolan = 0;
    size_t przerwanych = 0;
    mAwariaZapisu([&](TKrokZapisu k, size_t& n) {
        if (k != TKrokZapisu::Zapis) return 0;
        n = std::min(n, size_t(1 + wywolan % 997));
        if (++wywolan % 3 == 0) {
            ++przerwanych;
            return EINTR;
        }
        return 0;
    });
    ASSERT_TRUE(mWriteString(cel_, nowa, TrybBledu::Wyjatek));
    mAwariaZapisu(nullptr);
    EXPECT_GT(przerwanych, 10u);
    EXPECT_EQ(Tresc(), nowa);
    EXPECT_EQ(Pliki(), std::vector<std::string>{"raport.rap"});
}
