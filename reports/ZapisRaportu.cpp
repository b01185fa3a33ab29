#include "ZapisRaportu.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cp1250.h"
#include "mLib.h"

namespace {

bool Bialy(unsigned char c) { return c <= ' '; }

}  // namespace

TNazwaRaportu KontrolaNazwy(std::string_view wpisana) {
    while (!wpisana.empty() && Bialy(static_cast<unsigned char>(wpisana.front()))) wpisana.remove_prefix(1);
    while (!wpisana.empty() && Bialy(static_cast<unsigned char>(wpisana.back()))) wpisana.remove_suffix(1);
    TNazwaRaportu n;
    n.Nazwa = std::string(wpisana);
    if (n.Nazwa.empty()) return n;
    if (n.Nazwa.size() > size_t(DlugoscNazwyRaportu))
        n.Ostrzezenie = PL(u8"Nazwa raportu może mieć najwyżej ") + std::to_string(DlugoscNazwyRaportu) + PL(u8" znaków.");
    else if (n.Nazwa.find_first_of("/\\:") != std::string::npos)
        n.Ostrzezenie = PL(u8"Nazwa raportu nie może zawierać znaków \"/\", \"\\\" ani \":\".");
    else if (n.Nazwa.front() == '.')
        n.Ostrzezenie = PL(u8"Nazwa raportu nie może zaczynać się od kropki.");
    else
        for (unsigned char c : n.Nazwa)
            if (c < 0x20 || c == 0x7F) {
                n.Ostrzezenie = PL(u8"Nazwa raportu nie może zawierać znaków sterujących.");
                break;
            }
    return n;
}

std::string TytulBlednejNazwy() { return PL(u8"Błędna nazwa raportu"); }

TMiejsceRaportu MiejsceRaportu(const std::string& nazwa, const std::string& katalog) {
    TMiejsceRaportu m;
    const std::string rozszerzenie = RozszerzenieRaportu;
    const std::string wlasna = NazwaWSystemiePlikow(nazwa) + rozszerzenie;
    m.NazwaPliku = wlasna;
    if (DIR* k = ::opendir(katalog.c_str())) {
        while (const dirent* e = ::readdir(k)) {
            const std::string plik = e->d_name;
            if (plik.size() <= rozszerzenie.size() ||
                plik.compare(plik.size() - rozszerzenie.size(), rozszerzenie.size(), rozszerzenie) != 0)
                continue;
            if (!cp1250::equalsNoCase(TekstNazwyPliku(std::string_view(plik).substr(0, plik.size() - rozszerzenie.size())),
                                      nazwa))
                continue;
            struct stat st {};
            if (::stat((katalog + "/" + plik).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
            const bool lepsza = !m.Istnieje || plik == wlasna || (m.NazwaPliku != wlasna && plik < m.NazwaPliku);
            if (lepsza) m.NazwaPliku = plik;
            m.Istnieje = true;
        }
        ::closedir(k);
    }
    m.Sciezka = katalog + "/" + m.NazwaPliku;
    return m;
}

bool ZapisanieRaportu(const std::string& sciezka, std::string_view tekst) {
    // Replacing the file by a rename would pass over a report the user made read-only.
    if (::access(sciezka.c_str(), F_OK) == 0 && ::access(sciezka.c_str(), W_OK) != 0) return false;
    return mWriteString(sciezka, tekst, TrybBledu::Cichy);
}

TKomunikat KomunikatNadpisania() {
    return {PL(u8"Potwierdź nadpisanie"), PL(u8"Istnieje raport o podanej nazwie.\nCzy nadpisać istniejący raport?")};
}

TKomunikat KomunikatBleduZapisu() {
    return {PL(u8"Błąd zapisu raportu"), PL(u8"Podczas zapisu raportu wystąpił błąd.")};
}
