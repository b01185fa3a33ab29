// Document sets: entry 0 is never a document, whatever the operation.
#include <gtest/gtest.h>

#include "TablicaLogiczna.h"

namespace {
TcTablicaLogiczna Zbior(std::vector<uint8_t> dane) {
    TcTablicaLogiczna z(int32_t(dane.size()));
    z.Dane.assign(dane.begin(), dane.end());
    return z;
}
}  // namespace

TEST(TablicaZbior, ClearingEmptyRangesChangesNothingAndTheUpperBoundIsClamped) {
    TcTablicaLogiczna z(6);
    z.Wypelnienie(true);
    EXPECT_EQ(z.Dane, (TDaneZbioru{0, 1, 1, 1, 1, 1}));
    z.Wyzerowanie(1, 0);
    z.Wyzerowanie(5, 4);
    EXPECT_EQ(z.Liczba(), 5);
    z.Wyzerowanie(3, 262143);
    EXPECT_EQ(z.Dane, (TDaneZbioru{0, 1, 1, 0, 0, 0}));
    z.Wyzerowanie(0, 1);
    EXPECT_EQ(z.Dane, (TDaneZbioru{0, 0, 1, 0, 0, 0}));
    // Kind boundaries of 0 give ranges such as 1..-1 and 0..-1.
    z.Wyzerowanie(1, -1);
    z.Wyzerowanie(0, -1);
    EXPECT_EQ(z.Liczba(), 1);
}

TEST(TablicaZbior, ComplementTwiceRestoresAndKeepsEntryZeroFalse) {
    auto z = Zbior({0, 1, 0, 1});
    z.Negacja();
    EXPECT_EQ(z.Dane, (TDaneZbioru{0, 0, 1, 0}));
    z.Negacja();
    EXPECT_EQ(z.Dane, (TDaneZbioru{0, 1, 0, 1}));
    TcTablicaLogiczna pusty(4);
    pusty.Negacja();
    EXPECT_EQ(pusty.Dane, (TDaneZbioru{0, 1, 1, 1}));
}

TEST(TablicaZbior, UnionWithEmptyAndIntersectionWithFullGiveTheSet) {
    const auto s = Zbior({0, 1, 0, 1, 1});
    auto a = Zbior({0, 0, 0, 0, 0});
    a.Suma(s);
    EXPECT_EQ(a.Dane, s.Dane);
    TcTablicaLogiczna pelny(5);
    pelny.Wypelnienie(true);
    auto b = s;
    b.Iloczyn(pelny);
    EXPECT_EQ(b.Dane, s.Dane);
    b.Iloczyn(Zbior({0, 0, 1, 1, 0}));
    EXPECT_EQ(b.Dane, (TDaneZbioru{0, 0, 0, 1, 0}));
    TcTablicaLogiczna zero(0);
    zero.Negacja();
    zero.Wypelnienie(true);
    zero.Wyzerowanie(1, 262143);
    EXPECT_EQ(zero.Liczba(), 0);
}

// Counting and listing skip whole empty blocks and widen their counters in steps: sets of
// every shape around those block edges must still give the plain answer.
TEST(TablicaZbior, CountAndNumbersAgreeWithAPlainWalkAtBlockEdgesAndLongSets) {
    uint32_t ziarno = 7;
    auto losowa = [&] { return ziarno = ziarno * 1103515245u + 12345u, ziarno >> 16; };
    for (int32_t dlugosc : {0, 1, 2, 63, 64, 65, 127, 128, 129, 1000, 16385, 16321 + 64 * 255, 262143}) {
        for (int gestosc : {0, 1, 50, 1000}) {   // per mille
            TcTablicaLogiczna z(dlugosc);
            for (int32_t d = 1; d < dlugosc; ++d) z.Dane[size_t(d)] = int(losowa() % 1000) < gestosc;
            if (dlugosc > 1) z.Dane[size_t(dlugosc) - 1] = 1;   // the last entry, past every full block
            if (dlugosc > 64) z.Dane[64] = 1;
            std::vector<int32_t> oczekiwane;
            for (int32_t d = 1; d < dlugosc; ++d)
                if (z.Dane[size_t(d)]) oczekiwane.push_back(d);
            std::vector<int32_t> numery{-5};   // replaced, not appended to
            z.Numery(numery);
            EXPECT_EQ(numery, oczekiwane) << dlugosc << " " << gestosc;
            EXPECT_EQ(z.Liczba(), int32_t(oczekiwane.size())) << dlugosc << " " << gestosc;
        }
    }
    // Entry 0 is never counted nor listed, whatever it holds.
    TcTablicaLogiczna z(3);
    z.Dane = {1, 0, 1};
    std::vector<int32_t> numery;
    z.Numery(numery);
    EXPECT_EQ(numery, std::vector<int32_t>{2});
    EXPECT_EQ(z.Liczba(), 1);
}
