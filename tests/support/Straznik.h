// A watchdog for the damage tests: a damaged file must be refused or read, never hang. A case
// still running after its limit stops the test program with the case named, so a hang fails
// there and then instead of at the test runner's timeout with nothing said.
//
//   TStraznik straznik;                                      // 5 s a case
//   for (size_t n = 0; n < dbf.size(); ++n) {
//       straznik.Przypadek("DBF cut at " + std::to_string(n));
//       ...open the cut table...
//   }
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class TStraznik {
public:
    explicit TStraznik(std::chrono::milliseconds limit = std::chrono::seconds(5));
    ~TStraznik();
    TStraznik(const TStraznik&) = delete;
    TStraznik& operator=(const TStraznik&) = delete;

    // The case starting now; its limit runs from here.
    void Przypadek(std::string opis);

private:
    void Pilnowanie();

    const std::chrono::milliseconds limit_;
    std::mutex m_;
    std::condition_variable cv_;
    bool koniec_ = false;
    std::string opis_ = "before the first case";
    std::chrono::steady_clock::time_point poczatek_ = std::chrono::steady_clock::now();
    std::thread watek_;
};
