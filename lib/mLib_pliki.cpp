// Whole-file reading and writing; every write replaces the file through mZapisBezpieczny.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <bit>
#include <cstring>

#include "cp1250.h"
#include "ZapisBezpieczny.h"
#include "mLib.h"

namespace {

// Closes the descriptor on every way out.
class Deskryptor {
public:
    explicit Deskryptor(int fd) : fd_(fd) {}
    ~Deskryptor() { if (fd_ >= 0) ::close(fd_); }
    Deskryptor(const Deskryptor&) = delete;
    Deskryptor& operator=(const Deskryptor&) = delete;
    int fd() const { return fd_; }
private:
    int fd_;
};

// Reads exactly `count` bytes (a regular file may still come in pieces).
bool czytajWszystko(int fd, char* dst, size_t count) {
    while (count > 0) {
        ssize_t n = ::read(fd, dst, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        dst += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}

[[noreturn]] void bladOdczytu(const std::string& fileName) {
    throw EInOutError(PL(u8"Błąd odczytu pliku '") + NazwaPlikuWKomunikacie(fileName) + "'.");
}

// The common reader: `width`-byte elements into a byte buffer, `header` zero elements first.
// `resize(bytes)` sizes the caller's array and returns where its bytes start.
template <typename Resize, typename Clear>
bool czytajPlik(const std::string& fileName, int width, int header, TrybBledu mode, Resize resize, Clear clear) {
    bool ok = false;
    {
        Deskryptor plik(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat st {};
        if (plik.fd() >= 0 && ::fstat(plik.fd(), &st) == 0 && !S_ISDIR(st.st_mode)) {
            auto size = static_cast<size_t>(st.st_size);
            if (size < static_cast<size_t>(width) || header < 0) header = 0;
            size_t elements = size / static_cast<size_t>(width);
            size_t dataBytes = elements * static_cast<size_t>(width);
            char* dst = resize((static_cast<size_t>(header) + elements) * static_cast<size_t>(width));
            ok = dataBytes == 0 || czytajWszystko(plik.fd(), dst + static_cast<size_t>(header) * static_cast<size_t>(width), dataBytes);
        }
    }
    if (!ok) {
        clear();
        if (mode == TrybBledu::Wyjatek) bladOdczytu(fileName);
    }
    return ok;
}

template <typename T>
bool czytajTablice(const std::string& fileName, std::vector<T>& target, int header, TrybBledu mode) {
    static_assert(std::endian::native == std::endian::little, "data files are little-endian");
    return czytajPlik(
        fileName, sizeof(T), header, mode,
        [&](size_t bytes) {
            target.assign(bytes / sizeof(T), T{});
            return reinterpret_cast<char*>(target.data());
        },
        [&] { target.clear(); target.shrink_to_fit(); });
}

}  // namespace

bool mReadFile(const std::string& fileName, std::vector<uint8_t>& target, int header, TrybBledu mode) {
    return czytajTablice(fileName, target, header, mode);
}

bool mReadFile(const std::string& fileName, std::vector<uint16_t>& target, int header, TrybBledu mode) {
    return czytajTablice(fileName, target, header, mode);
}

bool mReadFile(const std::string& fileName, std::vector<int32_t>& target, int header, TrybBledu mode) {
    return czytajTablice(fileName, target, header, mode);
}

bool mReadFile(const std::string& fileName, std::vector<uint8_t>& target, int width, int header, TrybBledu mode) {
    if (width != 1 && width != 2 && width != 4) mBladWewnetrzny("mReadFile", 1);
    return czytajPlik(
        fileName, width, header, mode,
        [&](size_t bytes) {
            target.assign(bytes, 0);
            return reinterpret_cast<char*>(target.data());
        },
        [&] { target.clear(); target.shrink_to_fit(); });
}

bool mReadString(const std::string& fileName, std::string& target, TrybBledu mode) {
    target.clear();
    return czytajPlik(
        fileName, 1, 0, mode,
        [&](size_t bytes) {
            target.assign(bytes, '\0');
            return target.data();
        },
        [&] { target.clear(); });
}

std::string NazwaPlikuWKomunikacie(const std::string& fileName) {
    return cp1250::isValidUtf8(fileName) ? cp1250::fromUtf8(fileName) : fileName;
}

bool mWriteFile(const std::string& fileName, const void* buffer, size_t byteCount, TrybBledu mode) {
    const TWynikZapisu wynik = mZapisBezpieczny(fileName, buffer, byteCount);
    if (wynik.Udany()) return true;
    errno = wynik.Blad;
    if (mode == TrybBledu::Wyjatek) throw EInOutError(PL(u8"Błąd zapisu pliku '") + NazwaPlikuWKomunikacie(fileName) + "'.");
    return false;
}

bool mWriteString(const std::string& fileName, std::string_view text, TrybBledu mode) {
    return mWriteFile(fileName, text.data(), text.size(), mode);
}
