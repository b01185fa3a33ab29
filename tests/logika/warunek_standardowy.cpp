#include <gtest/gtest.h>

#include "Bledy.h"
#include "WarunekStandardowy.h"
#include "cp1250.h"

namespace {

const TOperatoryWarunku Domyslne{"I", "I", "I"};

std::string Komunikat(const std::function<void()>& f) {
    try {
        f();
    } catch (const EInternalError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(PrzygotowanieWarunku, SkipsEmptyFieldsAndTheButtonsBeforeThem) {
    EXPECT_EQ(PrzygotowanieWarunku({"", "", "", ""}, Domyslne), "");
    // Only the third word: no code even though the operators are set.
    EXPECT_EQ(PrzygotowanieWarunku({"", "", "VAT*", ""}, {"LUB", "I NIE", "LUB"}), " \"VAT*\"");
    // The operator of a word is the button right before its field.
    EXPECT_EQ(PrzygotowanieWarunku({"podatek", "", "VAT*", ""}, {"LUB", "I NIE", "I"}),
              " \"podatek\" AND_NOT \"VAT*\"");
    EXPECT_EQ(PrzygotowanieWarunku({"a", "", "", "d"}, {"I NIE", "I NIE", "LUB"}), " \"a\" OR \"d\"");
    EXPECT_EQ(PrzygotowanieWarunku({"a", "b c", "d", "e"}, {"i", "lub nie", "Lub"}),
              " \"a\" AND \"b c\" OR_NOT \"d\" OR \"e\"");
}

TEST(PrzygotowanieWarunku, UnknownCaptionIsAnInternalError) {
    EXPECT_EQ(Komunikat([] { PrzygotowanieWarunku({"a", "b", "", ""}, {"ORAZ", "I", "I"}); }),
              PL(u8"Nieoczekiwany błąd: TfGlowne.PrzygotowanieWarunku.1.\r"));
    // An unknown caption before an empty field is never read.
    EXPECT_NO_THROW(PrzygotowanieWarunku({"a", "", "", ""}, {"ORAZ", "I", "I"}));
}

TEST(OdczytanieWarunku, EveryBuiltStringReadsBackWithGapsClosed) {
    const std::array<std::string, 4> slowa{"podatek", "VAT*", "akcyza paliwowa", PL(u8"źródło")};
    const std::array<std::string, 3> podpisy{"I", "LUB", "I NIE"};
    for (int maska = 0; maska < 16; ++maska) {
        for (int ops = 0; ops < 27; ++ops) {
            TSlowaWarunku s;
            TOperatoryWarunku o;
            for (int n = 0; n < 4; ++n) {
                if (maska & (1 << n)) s[n] = slowa[n];
            }
            for (int n = 0, x = ops; n < 3; ++n, x /= 3) o[n] = podpisy[x % 3];
            const auto w = OdczytanieWarunku(PrzygotowanieWarunku(s, o));
            ASSERT_EQ(w.Koniec, TKoniecOdczytu::Caly);
            ASSERT_FALSE(w.PominietyOstatni);
            int k = 0;
            for (int n = 0; n < 4; ++n) {
                if (s[n].empty()) continue;
                EXPECT_EQ(w.Slowa[k], s[n]);
                if (k > 0) {
                    EXPECT_EQ(w.Operatory[k - 1], o[n - 1]) << maska << " " << ops;
                }
                ++k;
            }
            for (int r = k; r < 4; ++r) EXPECT_EQ(w.Slowa[r], "");
            for (int r = std::max(k - 1, 0); r < 3; ++r) EXPECT_EQ(w.Operatory[r], "I");
        }
    }
}

TEST(OdczytanieWarunku, FifthWordDroppedTenTokensRefused) {
    auto w = OdczytanieWarunku(" \"a\" OR \"b\" and_not \"c\" AND \"d\" OR \"e\"");
    EXPECT_TRUE(w.PominietyOstatni);
    EXPECT_EQ(w.Koniec, TKoniecOdczytu::Caly);
    EXPECT_EQ(w.Slowa, (TSlowaWarunku{"a", "b", "c", "d"}));
    EXPECT_EQ(w.Operatory, (TOperatoryWarunku{"LUB", "I NIE", "I"}));
    // Eight tokens (a trailing operator) also go over seven.
    EXPECT_TRUE(OdczytanieWarunku(" \"a\" OR \"b\" OR \"c\" OR \"d\" OR").PominietyOstatni);
    EXPECT_EQ(Komunikat([] { OdczytanieWarunku(" \"a\" OR \"b\" OR \"c\" OR \"d\" OR \"e\" OR"); }),
              PL(u8"Nieoczekiwany błąd: TfGlowne.OdczytanieWarunku.1.\r"));
}

TEST(OdczytanieWarunku, OrNotAndStrayTokensStopTheLoadAfterWhatCameBefore) {
    auto w = OdczytanieWarunku(" \"a\" LUB \"b\"");
    EXPECT_EQ(w.Koniec, TKoniecOdczytu::BlednyOperator);
    EXPECT_EQ(w.Slowa, (TSlowaWarunku{"a", "", "", ""}));

    w = OdczytanieWarunku(" \"a\" AND \"b\" or_not \"c\" OR \"d\"");
    EXPECT_EQ(w.Koniec, TKoniecOdczytu::LubNie);
    EXPECT_EQ(w.Slowa, (TSlowaWarunku{"a", "b", "", ""}));
    EXPECT_EQ(w.Operatory, (TOperatoryWarunku{"I", "I", "I"}));

    // The five-word drop happens first, then the OR_NOT stops within the first seven tokens.
    w = OdczytanieWarunku(" \"a\" OR \"b\" OR \"c\" OR_NOT \"d\" OR \"e\"");
    EXPECT_TRUE(w.PominietyOstatni);
    EXPECT_EQ(w.Koniec, TKoniecOdczytu::LubNie);
    EXPECT_EQ(w.Slowa, (TSlowaWarunku{"a", "b", "c", ""}));
    EXPECT_EQ(w.Operatory, (TOperatoryWarunku{"LUB", "LUB", "I"}));
}

TEST(EdycjaSlow, OperatorCycleAndTrimming) {
    EXPECT_EQ(NastepnyOperator("I"), "LUB");
    EXPECT_EQ(NastepnyOperator("lub"), "I NIE");
    EXPECT_EQ(NastepnyOperator("I NIE"), "I");
    EXPECT_EQ(NastepnyOperator("LUB NIE"), "I");
    EXPECT_EQ(NastepnyOperator("cokolwiek"), "I");

    EXPECT_EQ(ObciecieSpacji(" \t podatek dochodowy \r\n"), "podatek dochodowy");
    EXPECT_EQ(ObciecieSpacji("   "), "");
    EXPECT_EQ(ObciecieSpacji(" " + TekstZastepczy() + " "), "");
    EXPECT_EQ(TekstZastepczy(), PL(u8"słowo/fraza - * dowolne litery"));
    // Only the whole placeholder is dropped.
    EXPECT_EQ(ObciecieSpacji(TekstZastepczy() + "x"), TekstZastepczy() + "x");
}
