// Killing a process in the middle of a save, for the crash tests of every writer.
//
//   TKatalogZabijania k("belv_ini");                    // a fresh folder, memory-backed when possible
//   ZabijanieWTrakcie(200, 3000,
//       [&] { for (;;) save(); },                        // the child saves again and again
//       [&](int proba, pid_t dziecko) { check the file; k.UsuniecieTymczasowych("x.ini", dziecko); });
//
// The child is forked, signals that it started, and is killed with SIGKILL after a random
// delay of up to `doZabiciaUs` microseconds; the check runs in the parent after each kill. The
// random seed is put into the test's trace so a failure can be repeated.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>

class TKatalogZabijania {
public:
    explicit TKatalogZabijania(const std::string& przedrostek);
    ~TKatalogZabijania();
    const std::filesystem::path& Sciezka() const { return sciezka_; }
    // Removes what a killed save left beside `plik` and returns how many; each must be a
    // temporary file of that child's save ("plik.tmp-PID-...").
    int UsuniecieTymczasowych(const std::string& plik, pid_t dziecko) const;

private:
    std::filesystem::path sciezka_;
};

// Kills `prob` children running `zapisWPetli`; gtest failures are recorded in the caller's test.
void ZabijanieWTrakcie(int prob, long doZabiciaUs, const std::function<void()>& zapisWPetli,
                       const std::function<void(int proba, pid_t dziecko)>& sprawdzenie);
