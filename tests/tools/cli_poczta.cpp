// Mailing from the command line: the first documents of a query and a report file handed to
// the mail client through xdg-email, first a stand-in that records its arguments, then Debian's
// own xdg-email with a stand-in mail client.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "FabrykaDanych.h"
#include "Mail.h"
#include "PoleceniaCli.h"
#include "Zapytanie.h"
#include "ZastepczaPoczta.h"
#include "cp1250.h"

namespace fs = std::filesystem;

namespace {

class CliPoczta : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<TDokumentTestowy> d;
        for (int i = 1; i <= 12; ++i) {
            char nazwa[16];
            std::snprintf(nazwa, sizeof nazwa, "%07d.htm", i);
            d.push_back({nazwa, "podatek numer " + std::to_string(i) + (i % 2 ? " nieparzysty" : "")});
        }
        BudowaKatalogu(dane.Sciezka(), d);
        fs::create_directory(praca.Plik("Raporty"));
        ZapisPliku(praca.Plik("Raporty/Kowalski sp. j.rap"), "warunek= \"podatek\"\nizba=0\nprzepis=0\nplik=1,2");
    }
    int Uruchom(std::vector<std::string> a) {
        out.str("");
        err.str("");
        a.insert(a.begin(), {"--data", dane.Sciezka()});
        return WykonaniePolecenia(a, out, err);
    }
    std::string Dokument(int numer) {
        TOpcjeLadowania o;
        o.Katalog = dane.Sciezka();
        return TcZapytanie(o).OdczytanieDokumentu(numer).Tekst;
    }

    TTymczasowyKatalog dane;
    TTymczasowyKatalog& praca = dane;   // the working folder: a data directory that can be written
    TBiezacyKatalog biezacy{praca.Sciezka()};
    std::ostringstream out, err;
};

}  // namespace

TEST_F(CliPoczta, TheFirstTenDocumentsOfTheResultGoAsTheWindowSendsThem) {
    TZastepczaPoczta poczta;
    ZapisPliku(praca.Plik("w10.htm"), "starszy");
    // Six documents: all of them, highest first; w7..w10 of an earlier mailing stay.
    ASSERT_EQ(Uruchom({"mail", "--condition", "\"nieparzysty\""}), 0) << err.str();
    std::vector<std::string> a = {"--utf8", "--subject", "Dokumenty (interpetacje, pisma, tezy) z programu Belvastrona"};
    std::string wypisane;
    for (int k = 1; k <= 6; ++k) {
        const int numer = 13 - 2 * k;
        a.insert(a.end(), {"--attach", praca.Plik("w" + std::to_string(k) + ".htm")});
        EXPECT_EQ(OdczytPliku(praca.Plik("w" + std::to_string(k) + ".htm")), Dokument(numer)) << k;
        wypisane += "w" + std::to_string(k) + ".htm\t" + std::to_string(numer) + "\n";
    }
    auto w = poczta.Wywolania();
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].Argumenty, a);
    EXPECT_EQ(w[0].Katalog, praca.Sciezka());
    EXPECT_EQ(out.str(), wypisane);
    EXPECT_EQ(OdczytPliku(praca.Plik("w10.htm")), "starszy");

    // Twelve found: the first ten, no question; nothing found: nothing mailed.
    ASSERT_EQ(Uruchom({"mail", "--condition", "\"podatek\""}), 0) << err.str();
    w = poczta.Wywolania();
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[1].Argumenty.size(), 3u + 2 * 10);
    EXPECT_EQ(OdczytPliku(praca.Plik("w1.htm")), Dokument(12));
    EXPECT_EQ(OdczytPliku(praca.Plik("w10.htm")), Dokument(3));
    EXPECT_EQ(Uruchom({"mail", "--condition", "\"brak\""}), 1);
    EXPECT_EQ(poczta.Wywolania().size(), 2u);
    EXPECT_EQ(fs::current_path().string(), praca.Sciezka());
}

TEST_F(CliPoczta, AReportFileGoesWithTheNotice) {
    TZastepczaPoczta poczta;
    ASSERT_EQ(Uruchom({"mail", "--report", "KOWALSKI SP. J"}), 0) << err.str();
    const auto w = poczta.Wywolania();
    ASSERT_EQ(w.size(), 1u);
    // The notice goes percent-encoded in a mailto: address: its CR LF, its Polish letters in
    // UTF-8 and its backslashes reach the client exactly.
    EXPECT_EQ(w[0].Argumenty,
              (std::vector<std::string>{
                  "--utf8", "--subject", "Plik raportu programu Belvastrona", "--attach",
                  praca.Plik("Raporty/Kowalski sp. j.rap"),
                  "mailto:?body=UWAGA%3A%0D%0AAby%20plik%20raportu%20dzia%C5%82a%C5%82%20poprawnie%20nale%C5%BCy%20"
                  "zapisa%C4%87%20go%20w%20odpowiedniej%20lokalizacji.%20Pliki%20raport%C3%B3w%20przechowywane%20"
                  "s%C4%85%20w%20podkatalogu%20Raporty%20programu%20Belvastrona.%20Przyk%C5%82adowo%20-%20je%C5%9Bli%20"
                  "program%20zosta%C5%82%20zainstalowany%20w%20katalogu%20c%3A%5CBelvastrona%2C%20to%20plik%20raportu%20"
                  "powinien%20zosta%C4%87%20zapisany%20w%20c%3A%5CBelvastrona%5Craporty."}));
    EXPECT_EQ(out.str(), "Kowalski sp. j.rap\n");
    // A report that does not exist is refused here; a failing hand-over is exit status 4.
    EXPECT_EQ(Uruchom({"mail", "--report", "Nowak"}), 1);
    EXPECT_EQ(poczta.Wywolania().size(), 1u);
    TZastepczaPoczta bledna(2);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Uruchom({"mail", "--report", "Kowalski sp. j"}), 4);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("status 2"), std::string::npos);
}

TEST_F(CliPoczta, WithoutAHandOverTheReasonGoesToStandardError) {
    const char* sciezka = std::getenv("PATH");
    const std::string poprzednia = sciezka ? sciezka : "";
    ::setenv("PATH", praca.Sciezka().c_str(), 1);   // no xdg-email there
    testing::internal::CaptureStderr();
    const int wynik = Uruchom({"mail", "--condition", "\"podatek\""});
    const std::string komunikat = testing::internal::GetCapturedStderr();
    ::setenv("PATH", poprzednia.c_str(), 1);
    EXPECT_EQ(wynik, 4);
    EXPECT_NE(komunikat.find("xdg-email"), std::string::npos) << komunikat;
    EXPECT_TRUE(fs::exists(praca.Plik("w10.htm"))) << "the attachments are written first";
}

// Debian's xdg-email turns the arguments into a mailto: address and gives it to the mail
// client named by MAILER: the client gets the subject, the notice and the attachments.
TEST_F(CliPoczta, DebiansXdgEmailReachesTheMailClientWithTheAttachments) {
    if (!fs::exists("/usr/bin/xdg-email")) GTEST_SKIP() << "xdg-utils is not installed (apt-get install xdg-utils)";
    const std::string klient = praca.Plik("klient.sh");
    {
        std::ofstream s(klient);
        s << "#!/bin/sh\nprintf '%s' \"$1\" > '" << praca.Plik("mailto.txt") << "'\n";
    }
    ::chmod(klient.c_str(), 0755);
    const char* stare = std::getenv("MAILER");
    const std::string poprzedni = stare ? stare : "";
    ::setenv("MAILER", klient.c_str(), 1);
    const int wynik = Uruchom({"mail", "--condition", "\"nieparzysty\""});
    const std::string dokumenty = OdczytPliku(praca.Plik("mailto.txt"));
    const int wynikRaportu = Uruchom({"mail", "--report", "Kowalski sp. j"});
    const std::string raport = OdczytPliku(praca.Plik("mailto.txt"));
    if (stare) ::setenv("MAILER", poprzedni.c_str(), 1);
    else ::unsetenv("MAILER");
    ASSERT_EQ(wynik, 0) << err.str();
    ASSERT_EQ(wynikRaportu, 0) << err.str();
    // What the client got: the subject, the notice exactly, the files by their absolute paths.
    const auto pola = [](const std::string& mailto, const std::string& klucz) {
        std::vector<std::string> w;
        const std::string zapytanie = mailto.substr(mailto.find('?') + 1);
        size_t i = 0;
        while (i <= zapytanie.size()) {
            size_t j = zapytanie.find('&', i);
            if (j == std::string::npos) j = zapytanie.size();
            const std::string para = zapytanie.substr(i, j - i);
            if (para.rfind(klucz + "=", 0) == 0) {
                std::string d;
                for (size_t k = klucz.size() + 1; k < para.size(); ++k) {
                    if (para[k] == '%' && k + 2 < para.size()) {
                        d += char(std::stoi(para.substr(k + 1, 2), nullptr, 16));
                        k += 2;
                    } else {
                        d += para[k];
                    }
                }
                w.push_back(d);
            }
            i = j + 1;
        }
        return w;
    };
    EXPECT_EQ(pola(dokumenty, "subject"), std::vector<std::string>{TcMail::TematDokumentow});
    EXPECT_TRUE(pola(dokumenty, "body").empty());
    std::vector<std::string> zalaczniki;
    for (int k = 1; k <= 6; ++k) zalaczniki.push_back(praca.Plik("w" + std::to_string(k) + ".htm"));
    EXPECT_EQ(pola(dokumenty, "attach"), zalaczniki);
    EXPECT_EQ(pola(raport, "subject"), std::vector<std::string>{TcMail::TematRaportu});
    EXPECT_EQ(pola(raport, "body"), std::vector<std::string>{TcMail::UwagaRaportu});
    EXPECT_EQ(pola(raport, "attach"), std::vector<std::string>{praca.Plik("Raporty/Kowalski sp. j.rap")});
}
