// Damaged and incomplete data directories: each gives its error, never a read outside a table.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>

#include "FabrykaDanych.h"
#include "MagazynIndeksu.h"
#include "Straznik.h"
#include "ZapisDanych.h"
#include "cp1250.h"

namespace {

struct StoreUszkodzenia : ::testing::Test {
    TTymczasowyKatalog k;
    TOpcjeLadowania o;
    void SetUp() override {
        BudowaKatalogu(k.Sciezka(), {{"0000001.htm", "PODATEK DOCHODOWY OD OSÓB", 3, {7}},
                                     {"0050000.htm", "PODATEK OD TOWARÓW", 0, {7, 8}},
                                     {"0057000.htm", "ULGA § 5", 4, {}}});
        ZapisIndeksuAktu(k.Sciezka(), "vat", {"PODATEK|VAT", "STAWKA"}, {100, 250, 900});
        o.Katalog = k.Sciezka();
    }
    std::vector<int32_t> Int32(const std::string& nazwa) {
        const std::string b = OdczytPliku(k.Plik(nazwa));
        std::vector<int32_t> v(b.size() / 4);
        std::memcpy(v.data(), b.data(), v.size() * 4);
        return v;
    }
    template <class E>
    std::string Blad(const TOpcjeLadowania& opcje) {
        try {
            TcMagazynIndeksu m(opcje);
        } catch (const E& e) {
            return e.what();
        } catch (const std::exception& e) {
            return std::string("other exception: ") + e.what();
        }
        return "loaded";
    }
};

// Reads everything a loaded store offers; a damaged store may refuse with EInOutError.
void Przeczytaj(TcMagazynIndeksu& m) {
    std::vector<uint16_t> run;
    std::vector<int32_t> post;
    std::string r;
    for (int32_t d = 1; d <= m.N; ++d) {
        try { m.CzytajObrazDokumentu(d, run); } catch (const EInOutError&) {}
        try { m.CzytajRekord(d, r); } catch (const EInOutError&) {}
    }
    if (!m.NaDysku)
        for (int64_t p = 0; p < m.DlugoscObrazu; ++p) (void)m.NumerSlowa(p);
    if (m.NaDysku && m.W > 0) {
        try { m.CzytajPostingi(1, m.W, post); } catch (const EInOutError&) {}
    }
    TcTablicaLogiczna z(m.N + 1);
    for (int32_t poz = -4; poz < int32_t(m.IzbyMix.size()) * 4 + 8; poz += 2) m.WypelnienieGrupy(m.IzbyMix, poz, 3, z);
    try { m.WczytanieAktu("vat"); } catch (const EInOutError&) {}
    for (int32_t p = -1; p < 1000; p += 7) (void)m.OdczytanieFraz(p);
}

}  // namespace

TEST_F(StoreUszkodzenia, MissingFileReadWholeGivesTheReadMessage) {
    for (const char* plik : {"plik.dat", "plik.ref", "slowo.dat", "scalony.ref", "przepisy.mix", "izby.mix"}) {
        std::filesystem::rename(k.Plik(plik), k.Plik("schowany"));
        EXPECT_EQ(Blad<EInOutError>(o), PL("Błąd odczytu pliku '") + k.Plik(plik) + "'.") << plik;
        std::filesystem::rename(k.Plik("schowany"), k.Plik(plik));
    }
    // The posting offsets are read in disk mode only.
    std::filesystem::remove(k.Plik("slowo.ref"));
    EXPECT_EQ(Blad<EInOutError>(o), "loaded");
    o.WymusDysk = true;
    EXPECT_EQ(Blad<EInOutError>(o), PL("Błąd odczytu pliku '") + k.Plik("slowo.ref") + "'.");
}

TEST_F(StoreUszkodzenia, FileThatCannotBeOpenedGivesTheOpenMessage) {
    for (const char* plik : {"tekst.img", "scalony.xtm", "slowo.idx"}) {
        o.WymusDysk = std::string(plik) == "slowo.idx";
        std::filesystem::rename(k.Plik(plik), k.Plik("schowany"));
        try {
            TcMagazynIndeksu m(o);
            ADD_FAILURE() << plik << " loaded";
        } catch (const EBladOtwarcia& e) {
            EXPECT_EQ(e.Tytul, PL("Błąd otwarcia pliku"));
            EXPECT_EQ(e.Tekst, PL("Błąd otwarcia pliku ") + plik + ".");
        }
        std::filesystem::rename(k.Plik("schowany"), k.Plik(plik));
    }
}

TEST_F(StoreUszkodzenia, DocumentOffsetsThatDisagreeAreRefused) {
    const auto ref = Int32("plik.ref");
    // Truncated: one entry short of N + 1.
    ObcieciePliku(k.Plik("plik.ref"), (ref.size() - 1) * 4);
    EXPECT_EQ(Blad<ECorruptIndex>(o), PL("Uszkodzony indeks: plik 'plik.ref' nie zgadza się z plikiem 'plik.dat'."));
    // The end entry is not the size of the image.
    auto zly = ref;
    zly.back() += 2;
    ZapisInt32(k.Plik("plik.ref"), zly);
    EXPECT_EQ(Blad<ECorruptIndex>(o), PL("Uszkodzony indeks: plik 'plik.ref' nie zgadza się z plikiem 'tekst.img'."));
    // Odd, descending, or not starting at 0.
    for (auto zmiana : {std::pair<size_t, int32_t>{1, 1}, {1, 2}, {2, 200}, {0, 4}}) {
        zly = ref;
        zly[zmiana.first] = zmiana.second;
        ZapisInt32(k.Plik("plik.ref"), zly);
        EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex) << zmiana.first << " " << zmiana.second;
    }
    // The image lost its last bytes.
    ZapisInt32(k.Plik("plik.ref"), ref);
    ObcieciePliku(k.Plik("tekst.img"), std::filesystem::file_size(k.Plik("tekst.img")) - 2);
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);
    o.WymusDysk = true;
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);
}

TEST_F(StoreUszkodzenia, ImageWithoutSeparatorsOrWithUnknownWordsIsRefused) {
    const std::string img = OdczytPliku(k.Plik("tekst.img"));
    const auto ref = Int32("plik.ref");
    auto z16 = [&](size_t pozycja, uint16_t v) {
        std::string b = img;
        b[2 * pozycja] = char(v & 0xFF);
        b[2 * pozycja + 1] = char(v >> 8);
        ZapisBajtow(k.Plik("tekst.img"), b);
    };
    TcMagazynIndeksu dobry(o);
    const uint16_t zaDuzy = uint16_t(dobry.W + 1);

    z16(size_t(ref[1] / 2 - 1), 1);        // the separator of document 1 became a word
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);
    z16(0, 0);                              // a separator inside document 1
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);
    z16(1, zaDuzy);                         // a word number past the word list
    EXPECT_EQ(Blad<ECorruptIndex>(o), PL("Uszkodzony indeks: plik 'tekst.img' zawiera numer słowa spoza listy słów."));

    // Disk mode finds it when the document is read.
    o.WymusDysk = true;
    TcMagazynIndeksu m(o);
    std::vector<uint16_t> run;
    EXPECT_THROW(m.CzytajObrazDokumentu(1, run), ECorruptIndex);
    EXPECT_NO_THROW(m.CzytajObrazDokumentu(2, run));
    z16(size_t(ref[1] / 2 - 1), 1);
    TcMagazynIndeksu m2(o);
    EXPECT_THROW(m2.CzytajObrazDokumentu(1, run), ECorruptIndex);
    // Disk mode checks the final separator at load.
    z16(img.size() / 2 - 1, 1);
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);
}

TEST_F(StoreUszkodzenia, PostingOffsetsAndNumbersAreChecked) {
    o.WymusDysk = true;
    auto ref = Int32("slowo.ref");
    const auto dobry = ref;
    ref.back() += 4;                        // past the end of slowo.idx
    ZapisInt32(k.Plik("slowo.ref"), ref);
    EXPECT_EQ(Blad<ECorruptIndex>(o), PL("Uszkodzony indeks: plik 'slowo.ref' nie zgadza się z plikiem 'slowo.idx'."));
    ref = dobry;
    ref[1] = 2;                             // not a multiple of 4
    ZapisInt32(k.Plik("slowo.ref"), ref);
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);
    ref = dobry;
    std::swap(ref[1], ref[2]);              // descending
    ZapisInt32(k.Plik("slowo.ref"), ref);
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);
    ref.pop_back();                         // W entries instead of W + 1
    ZapisInt32(k.Plik("slowo.ref"), ref);
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);

    // A document number outside 1..N inside a list is found when the list is read.
    ZapisInt32(k.Plik("slowo.ref"), dobry);
    auto idx = Int32("slowo.idx");
    idx[0] = 4;
    ZapisInt32(k.Plik("slowo.idx"), idx);
    TcMagazynIndeksu m(o);
    std::vector<int32_t> out;
    EXPECT_THROW(m.CzytajPostingi(1, m.W, out), ECorruptIndex);
    idx[0] = 0;
    ZapisInt32(k.Plik("slowo.idx"), idx);
    EXPECT_THROW(m.CzytajPostingi(1, 1, out), ECorruptIndex);
}

TEST_F(StoreUszkodzenia, RecordOffsetsAreChecked) {
    const auto ref = Int32("scalony.ref");
    ObcieciePliku(k.Plik("scalony.xtm"), std::filesystem::file_size(k.Plik("scalony.xtm")) - 1);
    EXPECT_EQ(Blad<ECorruptIndex>(o), PL("Uszkodzony indeks: plik 'scalony.ref' nie zgadza się z plikiem 'scalony.xtm'."));
    auto zly = ref;
    zly[1] = zly[0] + 3;                    // a record shorter than its date
    ZapisInt32(k.Plik("scalony.ref"), zly);
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);
    zly = ref;
    zly.pop_back();
    ZapisInt32(k.Plik("scalony.ref"), zly);
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);
}

TEST_F(StoreUszkodzenia, NameListEndingInsideAnEntryIsRefused) {
    const std::string dat = OdczytPliku(k.Plik("slowo.dat"));
    ZapisBajtow(k.Plik("slowo.dat"), dat.substr(0, dat.size() - 2));
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);
    const std::string pliki = OdczytPliku(k.Plik("plik.dat"));
    ZapisBajtow(k.Plik("slowo.dat"), dat);
    ZapisBajtow(k.Plik("plik.dat"), pliki + "\x20" "0060000.htm");
    EXPECT_THROW(TcMagazynIndeksu{o}, ECorruptIndex);
}

namespace {

// One document of 65600 distinct words: a word list long enough for the high-bits file, and an
// image of 65601 values with the separator.
std::string TekstDlaBitowWysokich() {
    std::string tekst;
    for (int i = 0; i < 65600; ++i) {
        for (int v = i, c = 0; c < 4; ++c, v /= 26) tekst += char('A' + v % 26);
        tekst += ' ';
    }
    return tekst;
}

}  // namespace

TEST_F(StoreUszkodzenia, TooHighHighBitsAreRefused) {
    TTymczasowyKatalog d;
    BudowaKatalogu(d.Sciezka(), {{"0000001.htm", TekstDlaBitowWysokich()}});
    TOpcjeLadowania od;
    od.Katalog = d.Sciezka();
    ASSERT_NO_THROW(TcMagazynIndeksu{od});
    std::string aux = OdczytPliku(d.Plik("tekst.aux"));
    aux[0] = char(0xFF);                    // word numbers of 196608 and more
    ZapisBajtow(d.Plik("tekst.aux"), aux);
    EXPECT_THROW(TcMagazynIndeksu{od}, ECorruptIndex);
    ZapisBajtow(d.Plik("tekst.aux"), aux.substr(0, aux.size() - 1));
    EXPECT_THROW(TcMagazynIndeksu{od}, ECorruptIndex);
}

// tekst.aux holds 2 bits per image value, rounded up to whole bytes. With an image length that
// is not a multiple of 4 its last byte is partly used, so a size test that rounds down (or is
// off by one) would take a file one byte short, whose last values then have no high bits.
TEST_F(StoreUszkodzenia, HighBitsFileOneByteShortIsRefusedInBothModes) {
    TTymczasowyKatalog d;
    BudowaKatalogu(d.Sciezka(), {{"0000001.htm", TekstDlaBitowWysokich()}});
    const int64_t wartosci = int64_t(std::filesystem::file_size(d.Plik("tekst.img"))) / 2;
    ASSERT_NE(wartosci % 4, 0);
    const std::string aux = OdczytPliku(d.Plik("tekst.aux"));
    ASSERT_EQ(int64_t(aux.size()), (wartosci + 3) / 4);
    ZapisBajtow(d.Plik("tekst.aux"), aux.substr(0, aux.size() - 1));
    TOpcjeLadowania od;
    od.Katalog = d.Sciezka();
    for (bool dysk : {false, true}) {
        od.WymusDysk = dysk;
        EXPECT_EQ(Blad<ECorruptIndex>(od),
                  PL("Uszkodzony indeks: plik 'tekst.aux' nie zgadza się z plikiem 'tekst.img'."))
            << (dysk ? "disk" : "memory");
    }
}

// Every file cut short or with bytes changed: the store either refuses it with an input/output
// error or loads and then reads only inside its tables (the sanitizer build checks the latter).
TEST_F(StoreUszkodzenia, ArbitraryDamageNeverReadsOutsideTheTables) {
    std::mt19937 los(12345);
    TStraznik straznik;
    for (const char* plik : {"plik.dat", "plik.ref", "slowo.dat", "tekst.img", "slowo.ref", "slowo.idx",
                             "scalony.xtm", "scalony.ref", "izby.mix", "przepisy.mix", "vat.dtf", "vat.itf"}) {
        const std::string dobry = OdczytPliku(k.Plik(plik));
        for (int proba = 0; proba < 24; ++proba) {
            std::string b = dobry;
            if (proba < 8) {
                b.resize(b.size() * size_t(proba) / 8);
            } else if (!b.empty()) {
                for (int i = 0; i < 1 + proba % 3; ++i) b[los() % b.size()] = char(los());
            }
            ZapisBajtow(k.Plik(plik), b);
            for (bool dysk : {false, true}) {
                straznik.Przypadek(std::string(plik) + " damage " + std::to_string(proba) + (dysk ? " on disk" : ""));
                o.WymusDysk = dysk;
                try {
                    TcMagazynIndeksu m(o);
                    Przeczytaj(m);
                } catch (const EInOutError&) {
                }
            }
        }
        ZapisBajtow(k.Plik(plik), dobry);
    }
}
