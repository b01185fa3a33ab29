// The real memory threshold: an image of exactly 20000000 bytes is held in memory, a larger
// one is read from disk. (An image has an even size, so the next size is 20000002 bytes.)
#include <gtest/gtest.h>

#include <filesystem>

#include "FabrykaDanych.h"
#include "MagazynIndeksu.h"
#include "ZapisDanych.h"

namespace {
// `dokumenty` documents whose images together take `bajty` bytes.
void Katalog(const std::string& k, int64_t bajty, int dokumenty) {
    TZapisIndeksu z(k);
    const int64_t wartosci = bajty / 2;
    const std::vector<std::string> slowa = {"PODATEK", "VAT", "ULGA", "DOCHOD"};
    for (int d = 0; d < dokumenty; ++d) {
        const int64_t n = wartosci / dokumenty - 1 + (d == dokumenty - 1 ? wartosci % dokumenty : 0);
        std::vector<std::string> t(size_t(n), slowa[size_t(d) % slowa.size()]);
        char nazwa[16];
        std::snprintf(nazwa, sizeof nazwa, "%07d.htm", d + 1);
        z.DodanieDokumentu(nazwa, 0, "<P>x</P>", t, 0, {});
    }
    z.Zakonczenie();
}
}  // namespace

TEST(StoreProgSlow, RealThresholdDecidesTheImageMode) {
    for (int64_t bajty : {int64_t(20000000), int64_t(20000002)}) {
        TTymczasowyKatalog k;
        Katalog(k.Sciezka(), bajty, 100);
        ASSERT_EQ(int64_t(std::filesystem::file_size(k.Plik("tekst.img"))), bajty);
        TOpcjeLadowania o;
        o.Katalog = k.Sciezka();
        TcMagazynIndeksu m(o);
        EXPECT_EQ(m.NaDysku, bajty > 20000000) << bajty;
        EXPECT_EQ(m.DlugoscObrazu, bajty / 2);
        std::vector<uint16_t> run;
        m.CzytajObrazDokumentu(m.N, run);
        EXPECT_EQ(int64_t(run.size()) + 1, (m.PlikRef[size_t(m.N) + 1] - m.PlikRef[size_t(m.N)]) / 2);
    }
}
