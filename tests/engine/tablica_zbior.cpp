// Document sets: entry 0 is never a document, whatever the operation.
#include <gtest/gtest.h>

#include "TablicaLogiczna.h"

namespace {
TcTablicaLogiczna Zbior(std::vector<uint8_t> dane) {
    TcTablicaLogiczna z(int32_t(dane.size()));
    std::copy(dane.begin(), dane.end(), z.Zapis());
    return z;
}
}  // namespace

TEST(TablicaZbior, ClearingEmptyRangesChangesNothingAndTheUpperBoundIsClamped) {
    TcTablicaLogiczna z(6);
    z.Wypelnienie(true);
    EXPECT_EQ(z.Bajty(), (TDaneZbioru{0, 1, 1, 1, 1, 1}));
    z.Wyzerowanie(1, 0);
    z.Wyzerowanie(5, 4);
    EXPECT_EQ(z.Liczba(), 5);
    z.Wyzerowanie(3, 262143);
    EXPECT_EQ(z.Bajty(), (TDaneZbioru{0, 1, 1, 0, 0, 0}));
    z.Wyzerowanie(0, 1);
    EXPECT_EQ(z.Bajty(), (TDaneZbioru{0, 0, 1, 0, 0, 0}));
    // Kind boundaries of 0 give ranges such as 1..-1 and 0..-1.
    z.Wyzerowanie(1, -1);
    z.Wyzerowanie(0, -1);
    EXPECT_EQ(z.Liczba(), 1);
}

TEST(TablicaZbior, ComplementTwiceRestoresAndKeepsEntryZeroFalse) {
    auto z = Zbior({0, 1, 0, 1});
    z.Negacja();
    EXPECT_EQ(z.Bajty(), (TDaneZbioru{0, 0, 1, 0}));
    z.Negacja();
    EXPECT_EQ(z.Bajty(), (TDaneZbioru{0, 1, 0, 1}));
    TcTablicaLogiczna pusty(4);
    pusty.Negacja();
    EXPECT_EQ(pusty.Bajty(), (TDaneZbioru{0, 1, 1, 1}));
}

TEST(TablicaZbior, UnionWithEmptyAndIntersectionWithFullGiveTheSet) {
    const auto s = Zbior({0, 1, 0, 1, 1});
    auto a = Zbior({0, 0, 0, 0, 0});
    a.Suma(s);
    EXPECT_EQ(a.Bajty(), s.Bajty());
    TcTablicaLogiczna pelny(5);
    pelny.Wypelnienie(true);
    auto b = s;
    b.Iloczyn(pelny);
    EXPECT_EQ(b.Bajty(), s.Bajty());
    b.Iloczyn(Zbior({0, 0, 1, 1, 0}));
    EXPECT_EQ(b.Bajty(), (TDaneZbioru{0, 0, 0, 1, 0}));
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
            for (int32_t d = 1; d < dlugosc; ++d) z.Zapis()[size_t(d)] = int(losowa() % 1000) < gestosc;
            if (dlugosc > 1) z.Zapis()[size_t(dlugosc) - 1] = 1;   // the last entry, past every full block
            if (dlugosc > 64) z.Zapis()[64] = 1;
            std::vector<int32_t> oczekiwane;
            for (int32_t d = 1; d < dlugosc; ++d)
                if (z[size_t(d)]) oczekiwane.push_back(d);
            std::vector<int32_t> numery{-5};   // replaced, not appended to
            z.Numery(numery);
            EXPECT_EQ(numery, oczekiwane) << dlugosc << " " << gestosc;
            EXPECT_EQ(z.Liczba(), int32_t(oczekiwane.size())) << dlugosc << " " << gestosc;
        }
    }
    // Entry 0 is never counted nor listed, whatever it holds.
    TcTablicaLogiczna z(3);
    z.Zapis()[0] = 1;
    z.Zapis()[2] = 1;
    std::vector<int32_t> numery;
    z.Numery(numery);
    EXPECT_EQ(numery, std::vector<int32_t>{2});
    EXPECT_EQ(z.Liczba(), 1);
}

// A set that knows where its true entries are clears, counts and lists only those: random runs
// of every operation, the places told after a write into an empty set or not, must leave
// counting and listing agreeing with the entries themselves, and clearing must clear them all.
TEST(TablicaZbior, KnownPlacesNeverHideATrueEntry) {
    uint32_t ziarno = 11;
    auto losowa = [&] { return ziarno = ziarno * 1103515245u + 12345u, ziarno >> 16; };
    const int32_t dlugosc = 4001;
    TcTablicaLogiczna a(dlugosc), b(dlugosc);
    auto zgodny = [](const TcTablicaLogiczna& z, int krok) {
        std::vector<int32_t> oczekiwane, numery;
        for (int32_t d = 1; d < z.Dlugosc(); ++d)
            if (z[size_t(d)]) oczekiwane.push_back(d);
        z.Numery(numery);
        EXPECT_EQ(numery, oczekiwane) << "step " << krok;
        EXPECT_EQ(z.Liczba(), int32_t(oczekiwane.size())) << "step " << krok;
    };
    auto wpisanie = [&](TcTablicaLogiczna& z, bool powiedz) {
        std::vector<int32_t> miejsca;
        const int ile = int(losowa() % 300);   // over a sixteenth of the set now and then
        uint8_t* p = z.Zapis();
        for (int i = 0; i < ile; ++i) {
            miejsca.push_back(1 + int32_t(losowa() % (dlugosc - 1)));
            p[miejsca.back()] = 1;
        }
        if (powiedz) z.Miejsca(miejsca.data(), miejsca.size());
    };
    for (int krok = 0; krok < 3000; ++krok) {
        TcTablicaLogiczna& z = losowa() % 2 ? a : b;
        TcTablicaLogiczna& inny = &z == &a ? b : a;
        switch (losowa() % 10) {
        case 0: case 1: z.Wypelnienie(false); break;
        case 2: wpisanie(z, true); break;      // told only when it was known empty
        case 3: wpisanie(z, false); break;
        case 4: z.Iloczyn(inny); break;
        case 5: z.Suma(inny); break;
        case 6: z.Negacja(); break;
        case 7: z.Wyzerowanie(int32_t(losowa() % dlugosc), int32_t(losowa() % dlugosc)); break;
        case 8: z.Zamiana(inny); break;
        case 9: if (losowa() % 4 == 0) z.Wypelnienie(true); else z = inny; break;
        }
        zgodny(a, krok);
        zgodny(b, krok);
        if (::testing::Test::HasFailure()) return;
    }
    // Places that are no entries of the set are not kept; a clear after them still clears.
    TcTablicaLogiczna z(10);
    z.Wypelnienie(false);
    uint8_t* p = z.Zapis();
    p[3] = p[9] = 1;
    const int32_t zle[] = {3, 10};
    z.Miejsca(zle, 2);
    zgodny(z, -1);
    z.Wypelnienie(false);
    EXPECT_EQ(z.Liczba(), 0);
    EXPECT_EQ(z[9], 0);
}
