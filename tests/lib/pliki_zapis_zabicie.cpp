// A process killed while it saves a file: whatever moment the kill hits, the file must read
// back as the content before or after one whole save - never a mixture, never empty.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "mLib.h"

namespace fs = std::filesystem;

namespace {

std::string Wzor(size_t bajtow, char od, int okres) {
    std::string t(bajtow, '\0');
    for (size_t i = 0; i < bajtow; ++i) t[i] = static_cast<char>(od + static_cast<int>(i % size_t(okres)));
    return t;
}

// What a killed process leaves behind is settled in the page cache, alike on every file system;
// a memory-backed folder keeps a busy disk's sync time from swallowing the kill window.
fs::path KatalogRoboczy() {
    std::error_code blad;
    if (fs::is_directory("/dev/shm", blad) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
    return fs::temp_directory_path();
}

class ZapisZabity : public ::testing::Test {
protected:
    void SetUp() override {
        katalog_ = KatalogRoboczy() / ("belv_zapis_zabity_" + std::to_string(::getpid()));
        fs::remove_all(katalog_);
        fs::create_directories(katalog_);
    }
    void TearDown() override { fs::remove_all(katalog_); }
    fs::path katalog_;
};

}  // namespace

TEST_F(ZapisZabity, TheFileIsAlwaysThePreviousOrTheNewContent) {
    const std::string cel = (katalog_ / "dane.dat").string();
    // Different sizes and bytes, so that a cut anywhere shows.
    const std::string a = Wzor(64 * 1024, 'a', 23);
    const std::string b = Wzor(200 * 1024, 'A', 19);

    // Kills are spread over about three saves of the child, however fast the disk is.
    ASSERT_TRUE(mWriteString(cel, b, TrybBledu::Wyjatek));
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(mWriteString(cel, a, TrybBledu::Wyjatek));
    ASSERT_TRUE(mWriteString(cel, b, TrybBledu::Wyjatek));
    ASSERT_TRUE(mWriteString(cel, a, TrybBledu::Wyjatek));
    const auto zapis = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0) / 3;
    const long doZabicia = std::max<long>(300, std::min<long>(3 * zapis.count(), 30000));

    const unsigned ziarno = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(ziarno) + ", kills within " + std::to_string(doZabicia) + " us");
    std::mt19937 los(ziarno);
    std::uniform_int_distribution<long> opoznienie(0, doZabicia);

    int stara = 0, nowa = 0, pozostawionych = 0;
    for (int proba = 0; proba < 200; ++proba) {
        int sygnal[2];
        ASSERT_EQ(::pipe(sygnal), 0);
        const pid_t dziecko = ::fork();
        ASSERT_GE(dziecko, 0);
        if (dziecko == 0) {
            ::close(sygnal[0]);
            const char start = 's';
            if (::write(sygnal[1], &start, 1) != 1) ::_exit(2);
            for (bool naB = true;; naB = !naB) {
                const std::string& t = naB ? b : a;
                if (!mWriteString(cel, t, TrybBledu::Cichy)) ::_exit(1);
            }
        }
        ::close(sygnal[1]);
        char start = 0;
        ASSERT_EQ(::read(sygnal[0], &start, 1), 1);
        ::close(sygnal[0]);
        ::usleep(static_cast<useconds_t>(opoznienie(los)));
        ::kill(dziecko, SIGKILL);
        int stan = 0;
        ASSERT_EQ(::waitpid(dziecko, &stan, 0), dziecko);
        ASSERT_TRUE(WIFSIGNALED(stan)) << "the child stopped saving by itself, status " << stan;

        std::string t;
        ASSERT_TRUE(mReadString(cel, t, TrybBledu::Cichy)) << "kill " << proba;
        ASSERT_TRUE(t == a || t == b) << "kill " << proba << ": " << t.size() << " bytes";
        (t == a ? stara : nowa)++;

        // A kill leaves at most the one temporary file of the save it interrupted.
        int obcych = 0;
        for (const auto& e : fs::directory_iterator(katalog_)) {
            const std::string nazwa = e.path().filename().string();
            if (nazwa == "dane.dat") continue;
            ++obcych;
            EXPECT_EQ(nazwa.rfind("dane.dat.tmp-" + std::to_string(dziecko) + "-", 0), 0u) << nazwa;
            fs::remove(e.path());
        }
        EXPECT_LE(obcych, 1) << "kill " << proba;
        pozostawionych += obcych;
    }
    // Both contents must have been seen, or the kills never landed after a finished save.
    EXPECT_GT(stara, 0);
    EXPECT_GT(nowa, 0);
    RecordProperty("first_content_seen", stara);
    RecordProperty("second_content_seen", nowa);
    RecordProperty("temporaries_left", pozostawionych);
}
