// Document sets: entry 0 is never a document, whatever the operation.
#include <gtest/gtest.h>

#include "TablicaLogiczna.h"

namespace {
TcTablicaLogiczna Zbior(std::vector<uint8_t> dane) {
    TcTablicaLogiczna z(int32_t(dane.size()));
    z.Dane = std::move(dane);
    return z;
}
}  // namespace

TEST(TablicaZbior, ClearingEmptyRangesChangesNothingAndTheUpperBoundIsClamped) {
    TcTablicaLogiczna z(6);
    z.Wypelnienie(true);
    EXPECT_EQ(z.Dane, (std::vector<uint8_t>{0, 1, 1, 1, 1, 1}));
    z.Wyzerowanie(1, 0);
    z.Wyzerowanie(5, 4);
    EXPECT_EQ(z.Liczba(), 5);
    z.Wyzerowanie(3, 262143);
    EXPECT_EQ(z.Dane, (std::vector<uint8_t>{0, 1, 1, 0, 0, 0}));
    z.Wyzerowanie(0, 1);
    EXPECT_EQ(z.Dane, (std::vector<uint8_t>{0, 0, 1, 0, 0, 0}));
    // Kind boundaries of 0 give ranges such as 1..-1 and 0..-1.
    z.Wyzerowanie(1, -1);
    z.Wyzerowanie(0, -1);
    EXPECT_EQ(z.Liczba(), 1);
}

TEST(TablicaZbior, ComplementTwiceRestoresAndKeepsEntryZeroFalse) {
    auto z = Zbior({0, 1, 0, 1});
    z.Negacja();
    EXPECT_EQ(z.Dane, (std::vector<uint8_t>{0, 0, 1, 0}));
    z.Negacja();
    EXPECT_EQ(z.Dane, (std::vector<uint8_t>{0, 1, 0, 1}));
    TcTablicaLogiczna pusty(4);
    pusty.Negacja();
    EXPECT_EQ(pusty.Dane, (std::vector<uint8_t>{0, 1, 1, 1}));
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
    EXPECT_EQ(b.Dane, (std::vector<uint8_t>{0, 0, 0, 1, 0}));
    TcTablicaLogiczna zero(0);
    zero.Negacja();
    zero.Wypelnienie(true);
    zero.Wyzerowanie(1, 262143);
    EXPECT_EQ(zero.Liczba(), 0);
}
