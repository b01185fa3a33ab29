#include "Straznik.h"

#include <cstdio>
#include <cstdlib>

TStraznik::TStraznik(std::chrono::milliseconds limit) : limit_(limit), watek_([this] { Pilnowanie(); }) {}

TStraznik::~TStraznik() {
    {
        std::lock_guard<std::mutex> l(m_);
        koniec_ = true;
    }
    cv_.notify_one();
    watek_.join();
}

void TStraznik::Przypadek(std::string opis) {
    std::lock_guard<std::mutex> l(m_);
    opis_ = std::move(opis);
    poczatek_ = std::chrono::steady_clock::now();
}

void TStraznik::Pilnowanie() {
    std::unique_lock<std::mutex> l(m_);
    while (!cv_.wait_for(l, std::chrono::milliseconds(50), [this] { return koniec_; })) {
        if (std::chrono::steady_clock::now() - poczatek_ <= limit_) continue;
        std::fprintf(stderr, "hang: %s still running after %lld ms\n", opis_.c_str(),
                     static_cast<long long>(limit_.count()));
        std::fflush(stderr);
        std::abort();
    }
}
