#include "KatalogRoboczy.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "Bledy.h"
#include "bPlik.h"
#include "cp1250.h"
#include "d_Szablon.h"
#include "mLib.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kMemoSzablonow = "szablon.DBT";
}  // namespace

std::string KatalogUzytkownika() {
    if (const char* x = std::getenv("XDG_DATA_HOME"); x != nullptr && *x == '/') return std::string(x) + "/Belvastrona";
    if (const char* h = std::getenv("HOME"); h != nullptr && *h != '\0') return std::string(h) + "/.local/share/Belvastrona";
    return "";
}

std::string SciezkaBezwzgledna(const std::string& katalog) {
    std::error_code blad;
    fs::path p = fs::absolute(katalog.empty() ? fs::path(".") : fs::path(katalog), blad);
    if (blad) return katalog;
    p = p.lexically_normal();
    if (p.has_relative_path() && p.filename().empty()) p = p.parent_path();   // "/a/b/" -> "/a/b"
    return p.string();
}

TKatalogRoboczy KatalogRoboczy(const std::string& katalogDanych) {
    std::error_code blad;
    const fs::path dane = SciezkaBezwzgledna(katalogDanych);
    // access() also answers for a read-only mount and for another user's folder.
    if (::access(dane.c_str(), W_OK | X_OK) == 0) return {dane.string(), true};
    const std::string uzytkownika = KatalogUzytkownika();
    if (uzytkownika.empty())
        throw EInOutError(PL("Folderu danych nie można zapisywać, a brak folderu użytkownika (zmienne HOME i XDG_DATA_HOME)."));
    const fs::path roboczy(uzytkownika);
    // Made with its report folder: saving a report never makes a folder.
    fs::create_directories(roboczy / KatalogRaportow, blad);
    if (blad) throw EInOutError(PL("Nie można utworzyć folderu '") + roboczy.string() + "'.");
    // The shipped template table, copied once (its memo first, so that a table is never
    // there without it): after that the user's own copy is the table. Its index is rebuilt
    // when the table opens.
    if (!fs::exists(roboczy / PlikSzablonow) && fs::exists(dane / PlikSzablonow)) {
        for (const char* plik : {kMemoSzablonow, PlikSzablonow}) {
            std::string bajty;
            if (!fs::exists(dane / plik)) continue;
            if (!mReadString((dane / plik).string(), bajty, TrybBledu::Cichy) ||
                !mWriteString((roboczy / plik).string(), bajty, TrybBledu::Cichy))
                throw EInOutError(PL("Nie można skopiować tabeli szablonów do folderu '") + roboczy.string() + "'.");
        }
    }
    return {roboczy.string(), false};
}
