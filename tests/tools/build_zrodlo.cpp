// Pieces of the builder's input handling: documents' encodings, index lines, dictionary
// rewriting and the act phrase index.
#include <gtest/gtest.h>

#include <fstream>

#include "Bledy.h"
#include "BudowaKorpusu.h"
#include "FabrykaDanych.h"
#include "IndeksAktu.h"
#include "ZapisDanych.h"
#include "ZrodloKorpusu.h"
#include "bSlownikTxt.h"
#include "cp1250.h"

namespace {

std::string U8(std::u8string_view s) { return std::string(reinterpret_cast<const char*>(s.data()), s.size()); }

TEST(HtmlWIso, TekstIsoZostajeBajtWBajt) {
    const std::string iso = "<P>Sp\xF3\xB3ka zap\xB3" "aci\xB3" "a podatek \xA7 5 &amp; =</P>";
    EXPECT_EQ(HtmlWIso(iso), iso);
    EXPECT_EQ(HtmlWIso("<P>ascii only</P>"), "<P>ascii only</P>");
}

TEST(HtmlWIso, Utf8JestZamienianyNaIso) {
    const std::string iso = cp1250::utf8ToIso88592(U8(u8"<P>Zażółć gęślą jaźń</P>"));
    // Valid UTF-8 with Polish letters, a byte-order mark, or a declared charset.
    EXPECT_EQ(HtmlWIso(U8(u8"<P>Zażółć gęślą jaźń</P>")), iso);
    EXPECT_EQ(HtmlWIso("\xEF\xBB\xBF" + U8(u8"<P>Zażółć gęślą jaźń</P>")), iso);
    EXPECT_EQ(HtmlWIso(U8(u8"<META charset=\"UTF-8\"><P>Zażółć gęślą jaźń</P>")),
              "<META charset=\"iso-8859-2\">" + iso);
    // Characters ISO-8859-2 lacks become "?".
    EXPECT_EQ(HtmlWIso(U8(u8"<P>cena 5 € – ñ</P>")), "<P>cena 5 ? ? ?</P>");
}

TEST(IndeksDokumentow, WierszePoprawne) {
    const auto w = OdczytanieIndeksuDokumentow(
        "\xEF\xBB\xBF# komentarz\r\n\r\n"
        "0000001.htm\t2004-02-29 23:59:58\t12\t7, 15,101\r\n"
        "0000002.htm\t1980-01-01 00:00:00\t0\t\n"
        "0000003.htm\t2107-12-31 10:11:13\t0\n",
        "documents.tsv");
    ASSERT_EQ(w.size(), 3u);
    EXPECT_EQ(w[0].Nazwa, "0000001.htm");
    EXPECT_EQ(w[0].Wiersz, 3);
    EXPECT_EQ(w[0].Data, SpakowanieDaty(2004, 2, 29, 23, 59, 58));
    EXPECT_EQ(w[0].Izba, 12);
    EXPECT_EQ(w[0].Przepisy, (std::vector<int32_t>{7, 15, 101}));
    EXPECT_TRUE(w[1].Przepisy.empty());
    EXPECT_TRUE(w[2].Przepisy.empty());
    // The packed format keeps seconds in steps of two.
    EXPECT_EQ(RozpakowanieDaty(w[2].Data).Sekunda, 12);
}

TEST(IndeksDokumentow, BlednyWierszPodajeNumer) {
    const auto blad = [](const std::string& wiersz) -> std::string {
        try {
            OdczytanieIndeksuDokumentow("# x\n" + wiersz + "\n", "src/documents.tsv");
        } catch (const EInOutError& e) {
            return cp1250::toUtf8(e.what());
        }
        return "";
    };
    for (const char* w : {"0000001.htm\t2005-02-29 10:00:00\t0\t", "0000001.htm\t2004-13-01 10:00:00\t0\t",
                          "0000001.htm\t1979-12-31 10:00:00\t0\t", "0000001.htm\t2004-01-01 10:60:00\t0\t",
                          "0000001.htm\t2004-1-01 10:00:00\t0\t", "0000001.htm\t2004-01-01 10:00:00\t-1\t",
                          "0000001.htm\t2004-01-01 10:00:00\t0\t5,x", "0000001.htm\t2004-01-01 10:00:00\t0\t5,,6",
                          "0000001.htm\t2004-01-01 10:00:00", "0000001.htm 2004-01-01 10:00:00 0 5",
                          "a/b.htm\t2004-01-01 10:00:00\t0\t"}) {
        const std::string m = blad(w);
        EXPECT_NE(m.find("Plik 'src/documents.tsv', wiersz 2:"), std::string::npos) << w << " -> " << m;
    }
}

TEST(SlownikZrodlowy, KopiaRozniSieTylkoPozycjami) {
    TTymczasowyKatalog k;
    {
        std::ofstream f(k.Plik("izby.ini"), std::ios::binary);
        f << "[Izby]\r\n; komentarz=1\r\n"
          << "1=\"Izba Skarbowa w Warszawie\"\xFE\"?\"\r\n"
          << "12=\"Izba Skarbowa w Krakowie\"\xFE\"\"\r\n"
          << "3=\"Izba Skarbowa w Gda\xF1sku\"\xFE\"dowolne\"\r\n";
    }
    const TSlownikZrodlowy s = OdczytanieSlownika(k.Plik("izby.ini"));
    ASSERT_EQ(s.Wpisy.size(), 3u);
    EXPECT_EQ(s.Wpisy[1].Numer, 12);
    EXPECT_EQ(s.Wpisy[1].Nazwa, "Izba Skarbowa w Krakowie");
    EXPECT_EQ(s.Wpisy[1].Wiersz, 4);

    const std::string kopia = SlownikZPozycjami(s, {{1, 0}, {12, 408}});
    EXPECT_EQ(kopia, "[Izby]\r\n; komentarz=1\r\n"
                     "1=\"Izba Skarbowa w Warszawie\"\xFE\"0\"\r\n"
                     "12=\"Izba Skarbowa w Krakowie\"\xFE\"408\"\r\n"
                     "3=\"Izba Skarbowa w Gda\xF1sku\"\xFE\"0\"\r\n");
    std::ofstream(k.Plik("kopia.ini"), std::ios::binary) << kopia;
    TcSlownikTxtIzba izby(k.Plik("kopia.ini"), true);
    EXPECT_EQ(izby.PozycjaWgNumeru(12), 408);
}

TEST(IndeksAktu, FragmentyOdWyrazuDoWyrazuWZdaniu) {
    const TIndeksAktu a = BudowaIndeksuAktu(PL(u8"Art. 5. Podatnik płaci podatek."), kZnakiIndeksu);
    EXPECT_EQ(a.Fragmenty, (std::vector<std::string>{"Art|5", "5", PL(u8"Podatnik|płaci|podatek"), PL(u8"płaci|podatek"),
                                                     "podatek"}));
    EXPECT_EQ(a.Poczatki, (std::vector<int32_t>{0, 5, 8, 17, 23, 32}));
}

TEST(IndeksAktu, GraniceZdanINajwyzejPiecKandydatow) {
    const std::string tekst = PL(u8"Zgodnie z art. 15 ust. 1 ustawy o podatku dochodowym; Koszty\nuzyskania przychodów "
                                 u8"w dniu 15.03.2004 r. są ważne. Dalej § 2 pkt 3.");
    const TIndeksAktu a = BudowaIndeksuAktu(tekst, kZnakiIndeksu);
    ASSERT_GE(a.Fragmenty.size(), 10u);
    // Abbreviations do not end the sentence; five candidates at most.
    EXPECT_EQ(a.Fragmenty[0], "Zgodnie|z|art|15|ust");
    EXPECT_EQ(a.Fragmenty[2], "art|15|ust|1|ustawy");
    // ";" and a line break end it.
    EXPECT_EQ(a.Fragmenty[9], "dochodowym");
    EXPECT_EQ(a.Fragmenty[10], "Koszty");
    // A date's full stops and "r." inside the sentence do not; "ważne." before a capital does.
    EXPECT_EQ(a.Fragmenty[13], PL(u8"w|dniu|15|03|2004"));
    EXPECT_EQ(a.Fragmenty[18], PL(u8"r|są|ważne"));
    EXPECT_EQ(a.Fragmenty[20], PL(u8"ważne"));
    EXPECT_EQ(a.Fragmenty[21], PL(u8"Dalej|2|pkt|3"));
    // Every start is the first character of its word; the end bound lies past the text.
    for (size_t i = 0; i < a.Fragmenty.size(); ++i)
        EXPECT_EQ(tekst.compare(size_t(a.Poczatki[i]), a.Fragmenty[i].find('|') == std::string::npos
                                                           ? a.Fragmenty[i].size()
                                                           : a.Fragmenty[i].find('|'),
                                a.Fragmenty[i].substr(0, a.Fragmenty[i].find('|'))),
                  0);
    EXPECT_EQ(a.Poczatki.back(), int32_t(tekst.size()) + 1);
}

TEST(IndeksAktu, TekstBezWyrazowIDlugieWyrazy) {
    const TIndeksAktu pusty = BudowaIndeksuAktu(" . \xA7 ,\n", kZnakiIndeksu);
    EXPECT_TRUE(pusty.Fragmenty.empty());
    EXPECT_EQ(pusty.Poczatki, (std::vector<int32_t>{8}));

    const std::string dlugi(200, 'a');
    const TIndeksAktu a = BudowaIndeksuAktu(dlugi + " " + dlugi + " x", kZnakiIndeksu);
    ASSERT_EQ(a.Fragmenty.size(), 3u);
    EXPECT_EQ(a.Fragmenty[0], dlugi);   // the next candidate would pass 255 bytes
    EXPECT_EQ(a.Fragmenty[1], dlugi + "|x");
}

}  // namespace
