#include "ZabijanieZapisu.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

namespace fs = std::filesystem;

namespace {

// What a killed process leaves behind is settled in the page cache, alike on every file system;
// a memory-backed folder keeps a busy disk's sync time from swallowing the kill window.
fs::path KatalogRoboczy() {
    std::error_code blad;
    if (fs::is_directory("/dev/shm", blad) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
    return fs::temp_directory_path();
}

}  // namespace

TKatalogZabijania::TKatalogZabijania(const std::string& przedrostek)
    : sciezka_(KatalogRoboczy() / (przedrostek + "_" + std::to_string(::getpid()))) {
    fs::remove_all(sciezka_);
    fs::create_directories(sciezka_);
}

TKatalogZabijania::~TKatalogZabijania() {
    std::error_code blad;
    fs::remove_all(sciezka_, blad);
}

int TKatalogZabijania::UsuniecieTymczasowych(const std::string& plik, pid_t dziecko) const {
    int obcych = 0;
    for (const auto& e : fs::directory_iterator(sciezka_)) {
        const std::string nazwa = e.path().filename().string();
        if (nazwa == plik) continue;
        ++obcych;
        EXPECT_EQ(nazwa.rfind(plik + ".tmp-" + std::to_string(dziecko) + "-", 0), 0u) << nazwa;
        fs::remove(e.path());
    }
    return obcych;
}

void ZabijanieWTrakcie(int prob, long doZabiciaUs, const std::function<void()>& zapisWPetli,
                       const std::function<void(int proba, pid_t dziecko)>& sprawdzenie) {
    const unsigned ziarno = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(ziarno) + ", kills within " + std::to_string(doZabiciaUs) + " us");
    std::mt19937 los(ziarno);
    std::uniform_int_distribution<long> opoznienie(0, doZabiciaUs);
    for (int proba = 0; proba < prob; ++proba) {
        int sygnal[2];
        ASSERT_EQ(::pipe(sygnal), 0);
        const pid_t dziecko = ::fork();
        ASSERT_GE(dziecko, 0);
        if (dziecko == 0) {
            ::close(sygnal[0]);
            const char start = 's';
            if (::write(sygnal[1], &start, 1) != 1) ::_exit(2);
            try {
                zapisWPetli();
            } catch (...) {
            }
            ::_exit(1);   // a save failed: the parent sees an exit, not a kill
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
        sprawdzenie(proba, dziecko);
        if (::testing::Test::HasFatalFailure()) return;
    }
}
