#include "TablicaPliku.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <utility>

#include "cp1250.h"

namespace {

size_t Strona() {
    static const size_t s = size_t(sysconf(_SC_PAGESIZE));
    return s;
}

size_t DoStrony(size_t n) { return (n + Strona() - 1) / Strona() * Strona(); }

}  // namespace

TMapowaniePliku::~TMapowaniePliku() { Zwolnienie(); }

TMapowaniePliku::TMapowaniePliku(TMapowaniePliku&& o) noexcept { *this = std::move(o); }

TMapowaniePliku& TMapowaniePliku::operator=(TMapowaniePliku&& o) noexcept {
    if (this != &o) {
        Zwolnienie();
        std::swap(obszar_, o.obszar_);
        std::swap(dlugosc_, o.dlugosc_);
        std::swap(dane_, o.dane_);
        std::swap(elementy_, o.elementy_);
    }
    return *this;
}

void TMapowaniePliku::Zwolnienie() {
    if (obszar_) munmap(obszar_, dlugosc_);
    obszar_ = dane_ = nullptr;
    dlugosc_ = elementy_ = 0;
}

void TMapowaniePliku::Zera(size_t szerokosc, size_t ile) {
    Zwolnienie();
    if (ile == 0) return;
    const size_t dl = DoStrony(szerokosc * ile);
    void* p = mmap(nullptr, dl, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    obszar_ = dane_ = static_cast<char*>(p);
    dlugosc_ = dl;
    elementy_ = ile;
}

bool TMapowaniePliku::Mapuj(const std::string& plik, size_t szerokosc, size_t naglowek, TrybBledu tryb,
                            bool zapelnienie) {
    Zwolnienie();
    bool ok = false;
    const int fd = ::open(plik.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode)) {
        const size_t rozmiar = size_t(st.st_size);
        if (rozmiar < szerokosc) naglowek = 0;
        const size_t elementy = rozmiar / szerokosc, bajty = elementy * szerokosc;
        const size_t przed = DoStrony(naglowek * szerokosc), dl = przed + DoStrony(bajty);
        ok = true;
        if (dl > 0) {
            // One reservation: zero pages for the header, the file mapped over the rest.
            void* p = mmap(nullptr, dl, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            ok = p != MAP_FAILED;
            if (ok) {
                obszar_ = static_cast<char*>(p);
                dlugosc_ = dl;
                if (bajty > 0) {
                    const int flagi = MAP_PRIVATE | MAP_FIXED | (zapelnienie ? MAP_POPULATE : 0);
                    ok = mmap(obszar_ + przed, bajty, PROT_READ, flagi, fd, 0) != MAP_FAILED;
                }
            }
            if (ok) {
                dane_ = obszar_ + przed - naglowek * szerokosc;
                elementy_ = naglowek + elementy;
            } else {
                Zwolnienie();
            }
        }
    }
    if (fd >= 0) ::close(fd);
    if (!ok && tryb == TrybBledu::Wyjatek)
        throw EInOutError(PL("Błąd odczytu pliku '") + NazwaPlikuWKomunikacie(plik) + "'.");
    return ok;
}

void TMapowaniePliku::Zapisywalne() {
    if (obszar_ && mprotect(obszar_, dlugosc_, PROT_READ | PROT_WRITE) != 0) throw std::bad_alloc();
}
