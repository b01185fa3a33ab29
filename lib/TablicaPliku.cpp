#include "TablicaPliku.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <new>
#include <utility>

#include "cp1250.h"

void Zapowiedz(const void* p, size_t bajty) {
    if (bajty == 0) return;
    static const uintptr_t strona = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t od = reinterpret_cast<uintptr_t>(p) & ~(strona - 1);
    const uintptr_t do_ = reinterpret_cast<uintptr_t>(p) + bajty;
    madvise(reinterpret_cast<void*>(od), size_t(do_ - od), MADV_WILLNEED);
}

namespace {

// The advice for the whole pages inside [p, p + bajty).
[[maybe_unused]] void RadaDlaStronWewnatrz(const void* p, size_t bajty, int rada) {
    static const uintptr_t strona = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t od = (reinterpret_cast<uintptr_t>(p) + strona - 1) & ~(strona - 1);
    const uintptr_t do_ = (reinterpret_cast<uintptr_t>(p) + bajty) & ~(strona - 1);
    if (do_ > od) madvise(reinterpret_cast<void*>(od), size_t(do_ - od), rada);
}

}  // namespace

void Zamieszkanie(void* p, size_t bajty) {
#ifdef MADV_POPULATE_WRITE
    RadaDlaStronWewnatrz(p, bajty, MADV_POPULATE_WRITE);
#else
    (void)p;
    (void)bajty;
#endif
}

void Zmapowanie(const void* p, size_t bajty) {
#ifdef MADV_POPULATE_READ
    RadaDlaStronWewnatrz(p, bajty, MADV_POPULATE_READ);
#else
    (void)p;
    (void)bajty;
#endif
}

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
        std::swap(mapowanyPlik_, o.mapowanyPlik_);
    }
    return *this;
}

void TMapowaniePliku::Zwolnienie() {
    if (obszar_) munmap(obszar_, dlugosc_);
    obszar_ = dane_ = nullptr;
    dlugosc_ = elementy_ = 0;
    mapowanyPlik_ = false;
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
                            TOdczytTablicy odczyt) {
    Zwolnienie();
    bool ok = false;
    const int fd = ::open(plik.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode)) {
        const size_t rozmiar = size_t(st.st_size);
        if (rozmiar < szerokosc) naglowek = 0;
        const size_t elementy = rozmiar / szerokosc, bajty = elementy * szerokosc;
        const size_t przed = DoStrony(naglowek * szerokosc), dl = przed + DoStrony(bajty);
        char* przedDanymi = nullptr;   // where the file's first element lands
        ok = true;
        if (odczyt == TOdczytTablicy::DuzeStrony && bajty > 0) {
            // Memory of our own, aligned to 2 MB so that it can be given large pages; the
            // header goes at the end of the first page before the data.
            constexpr size_t kDuza = size_t(2) << 20;
            const size_t dlugosc = przed + (bajty + kDuza - 1) / kDuza * kDuza + kDuza;
            void* p = mmap(nullptr, dlugosc, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            ok = p != MAP_FAILED;
            if (ok) {
                obszar_ = static_cast<char*>(p);
                dlugosc_ = dlugosc;
                char* dane = reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(obszar_) + przed + kDuza - 1) & ~(kDuza - 1));
                madvise(dane, bajty, MADV_HUGEPAGE);
                Zamieszkanie(dane, (bajty + kDuza - 1) / kDuza * kDuza);
                posix_fadvise(fd, 0, off_t(bajty), POSIX_FADV_WILLNEED);   // a cold file in large reads
                for (size_t od = 0; ok && od < bajty;) {
                    const ssize_t n = ::pread(fd, dane + od, bajty - od, off_t(od));
                    if (n < 0 && errno == EINTR) continue;
                    ok = n > 0;
                    od += ok ? size_t(n) : 0;
                }
                if (ok) mprotect(obszar_, dlugosc_, PROT_READ);
                przedDanymi = dane;
            }
        } else if (dl > 0) {
            // One reservation: zero pages for the header, the file mapped over the rest.
            void* p = mmap(nullptr, dl, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            ok = p != MAP_FAILED;
            if (ok) {
                obszar_ = static_cast<char*>(p);
                dlugosc_ = dl;
                przedDanymi = obszar_ + przed;
                if (bajty > 0) {
                    const int flagi = MAP_PRIVATE | MAP_FIXED | (odczyt == TOdczytTablicy::Zapelnienie ? MAP_POPULATE : 0);
                    ok = mmap(obszar_ + przed, bajty, PROT_READ, flagi, fd, 0) != MAP_FAILED;
                    if (ok && odczyt == TOdczytTablicy::Losowo) madvise(obszar_ + przed, bajty, MADV_RANDOM);
                    mapowanyPlik_ = ok;
                }
            }
        }
        if (ok && przedDanymi) {
            dane_ = przedDanymi - naglowek * szerokosc;
            elementy_ = naglowek + elementy;
        } else if (!ok) {
            Zwolnienie();
        }
    }
    if (fd >= 0) ::close(fd);
    if (!ok && tryb == TrybBledu::Wyjatek)
        throw EInOutError(PL("Błąd odczytu pliku '") + NazwaPlikuWKomunikacie(plik) + "'.");
    return ok;
}

void TMapowaniePliku::Zapisywalne() {
    mapowanyPlik_ = false;   // changed pages would be lost
    if (obszar_ && mprotect(obszar_, dlugosc_, PROT_READ | PROT_WRITE) != 0) throw std::bad_alloc();
}

void TMapowaniePliku::ZwolnienieStron() {
    // Private, read-only and never written: the pages dropped are the file's, read again as they were.
    if (mapowanyPlik_) madvise(obszar_, dlugosc_, MADV_DONTNEED);
}
