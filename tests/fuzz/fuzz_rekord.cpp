// A document's record with any bytes in it, as a damaged or foreign "scalony.xtm" gives them:
// reading the document and turning it into the result list's row text and the shown page
// never fails. The store is built once; each input replaces the record's bytes in place.
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "Analiza.h"
#include "FabrykaDanych.h"
#include "WierszRaportu.h"
#include "Wspolne.h"
#include "Zapytanie.h"
#include "mLib.h"

namespace {

TcZapytanie& Zapytanie() {
    static TcZapytanie* z = [] {
        std::string tekst = "podatek dochodowy ";
        while (tekst.size() < 3000) tekst += "ulga na remont mieszkania ";
        BudowaKatalogu(FolderRoboczy(), {{"0000001.htm", tekst}});
        TOpcjeLadowania o;
        o.Katalog = FolderRoboczy();
        o.WymusDysk = true;   // records are read from the file at every call
        return new TcZapytanie(o);
    }();
    return *z;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    TcZapytanie& z = Zapytanie();
    const std::string sciezka = FolderRoboczy() + "/scalony.xtm";
    const int fd = ::open(sciezka.c_str(), O_WRONLY);
    if (fd < 0) std::abort();
    const off_t dlugosc = ::lseek(fd, 0, SEEK_END);
    std::string bajty(reinterpret_cast<const char*>(dane), std::min<size_t>(rozmiar, size_t(dlugosc)));
    bajty.resize(size_t(dlugosc), ' ');
    if (::pwrite(fd, bajty.data(), bajty.size(), 0) != ssize_t(bajty.size())) std::abort();
    ::close(fd);
    const TDokument d = z.OdczytanieDokumentu(1);
    (void)TekstWiersza(d.Data, d.Tekst, 90);
    std::vector<int32_t> pozycje;
    (void)mHtmlToText(d.Tekst, pozycje);
    (void)WyroznienieWarunku("\"podatek dochodowy\" AND \"ulga\"", d.Tekst, z.Magazyn().Znaki);
    return 0;
}
