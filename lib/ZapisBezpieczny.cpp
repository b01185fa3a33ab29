#include "ZapisBezpieczny.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>

namespace {

TAwariaZapisu& Awaria() {
    static TAwariaZapisu awaria;
    return awaria;
}

int Awaria(TKrokZapisu krok, size_t& bajtow) {
    const TAwariaZapisu& a = Awaria();
    return a ? a(krok, bajtow) : 0;
}

int Awaria(TKrokZapisu krok) {
    size_t bajtow = 0;
    return Awaria(krok, bajtow);
}

// Two saves of the same target from one process must not share a temporary file.
std::atomic<unsigned> numerZapisu{0};

std::string Katalog(const std::string& sciezka) {
    const size_t p = sciezka.rfind('/');
    if (p == std::string::npos) return ".";
    if (p == 0) return "/";
    return sciezka.substr(0, p);
}

// 0 or the errno of the write() that failed.
int PiszWszystko(int fd, const char* src, size_t count) {
    while (count > 0) {
        size_t n = count;
        const int blad = Awaria(TKrokZapisu::Zapis, n);
        if (n == 0 || n > count) n = count;
        ssize_t zapisane;
        if (blad != 0) {
            errno = blad;
            zapisane = -1;
        } else {
            zapisane = ::write(fd, src, n);
        }
        if (zapisane < 0 && errno == EINTR) continue;
        if (zapisane < 0) return errno;
        // A regular file that accepts nothing would loop here for ever.
        if (zapisane == 0) return EIO;
        src += zapisane;
        count -= static_cast<size_t>(zapisane);
    }
    return 0;
}

int Synchronizuj(int fd) {
    int r;
    while ((r = ::fsync(fd)) != 0 && errno == EINTR) {}
    return r == 0 ? 0 : errno;
}

// A device or a pipe keeps its identity only when written through; there is nothing to fsync.
TWynikZapisu ZapisWMiejscu(const std::string& cel, const char* dane, size_t bajtow) {
    int blad = Awaria(TKrokZapisu::Otwarcie);
    int fd = -1;
    if (blad == 0 && (fd = ::open(cel.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC)) < 0) blad = errno;
    if (blad != 0) return {blad, TKrokZapisu::Otwarcie, false};
    blad = PiszWszystko(fd, dane, bajtow);
    if (blad != 0) {
        ::close(fd);
        return {blad, TKrokZapisu::Zapis, false};
    }
    blad = Awaria(TKrokZapisu::Zamkniecie);
    if (::close(fd) != 0 && blad == 0) blad = errno;
    return {blad, TKrokZapisu::Zamkniecie, blad == 0};
}

}  // namespace

void mAwariaZapisu(TAwariaZapisu awaria) { Awaria() = std::move(awaria); }

TWynikZapisu mZapisBezpieczny(const std::string& sciezka, const void* dane, size_t bajtow) {
    const char* src = static_cast<const char*>(dane);
    // An empty name would otherwise put a temporary file in the working folder before failing.
    if (sciezka.empty()) return {ENOENT, TKrokZapisu::Otwarcie, false};

    // A link kept in place (a configuration file shared from elsewhere) must stay a link.
    std::string cel = sciezka;
    struct stat st {};
    if (::lstat(cel.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* r = ::realpath(cel.c_str(), nullptr)) {
            cel = r;
            std::free(r);
        }
    }
    const bool istnieje = ::stat(cel.c_str(), &st) == 0;
    if (istnieje && S_ISDIR(st.st_mode)) return {EISDIR, TKrokZapisu::Otwarcie, false};
    if (istnieje && !S_ISREG(st.st_mode)) return ZapisWMiejscu(cel, src, bajtow);

    // The rename is atomic only within one file system, hence the target's own folder.
    std::string tymczasowy;
    int fd = -1;
    int blad = Awaria(TKrokZapisu::Otwarcie);
    if (blad != 0) return {blad, TKrokZapisu::Otwarcie, false};
    // A name left by a killed process whose number came round again is skipped.
    for (int proba = 0; proba < 100 && fd < 0; ++proba) {
        tymczasowy = cel + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(numerZapisu++);
        fd = ::open(tymczasowy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return {errno, TKrokZapisu::Otwarcie, false};

    auto porazka = [&](int kod, TKrokZapisu krok) {
        if (fd >= 0) ::close(fd);
        ::unlink(tymczasowy.c_str());
        return TWynikZapisu{kod, krok, false};
    };

    if (istnieje) {
        // Only root can give the file away; for anyone else the save is still worth making.
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) (void)::fchown(fd, st.st_uid, st.st_gid);
        if (::fchmod(fd, st.st_mode & 07777) != 0) return porazka(errno, TKrokZapisu::Otwarcie);
    }

    blad = PiszWszystko(fd, src, bajtow);
    if (blad != 0) return porazka(blad, TKrokZapisu::Zapis);

    blad = Awaria(TKrokZapisu::Synchronizacja);
    if (blad == 0) blad = Synchronizuj(fd);
    if (blad != 0) return porazka(blad, TKrokZapisu::Synchronizacja);

    // close releases the descriptor even when it fails, so it is never retried.
    blad = Awaria(TKrokZapisu::Zamkniecie);
    const int zamkniecie = ::close(fd);
    fd = -1;
    if (blad == 0 && zamkniecie != 0) blad = errno;
    if (blad != 0) return porazka(blad, TKrokZapisu::Zamkniecie);

    blad = Awaria(TKrokZapisu::ZmianaNazwy);
    if (blad == 0 && ::rename(tymczasowy.c_str(), cel.c_str()) != 0) blad = errno;
    if (blad != 0) return porazka(blad, TKrokZapisu::ZmianaNazwy);

    // From here on the target holds the new bytes whatever happens.
    blad = Awaria(TKrokZapisu::SynchronizacjaKatalogu);
    if (blad == 0) {
        const int k = ::open(Katalog(cel).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (k < 0) {
            blad = errno;
        } else {
            blad = Synchronizuj(k);
            if (blad == EINVAL) blad = 0;
            ::close(k);
        }
    }
    return {blad, TKrokZapisu::SynchronizacjaKatalogu, true};
}
