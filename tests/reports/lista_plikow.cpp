// The report file lists: which files of the folder they take, what each entry holds, the order
// they are sorted in, counting by date and removing entries.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "FabrykaDanych.h"
#include "bPlik.h"
#include "cp1250.h"

namespace fs = std::filesystem;

namespace {

// A list filled by hand, as the folder would fill it.
class ListaReczna : public TcListPlikRaportu {
public:
    ListaReczna() : TcListPlikRaportu("/nonexistent-belvastrona-folder/*.rap") {}
    void Dodaj(const std::string& nazwa, double data, int64_t bajtow = 0) {
        DodaniePliku({nazwa, data, bajtow, atArchiwalny});
    }
    std::vector<std::string> Nazwy() const {
        std::vector<std::string> n;
        for (int32_t i = 0; i < Liczba(); ++i) n.push_back(PlikRaportu(i).Nazwa);
        return n;
    }
};

using Nazwy = std::vector<std::string>;

// UTF-8 bytes of a literal, as file names are written here.
std::string U(const char8_t* tekst) { return reinterpret_cast<const char*>(tekst); }

// Sets a file's last-write time to a local date and time.
void UstawCzas(const std::string& sciezka, int rok, int miesiac, int dzien, int godzina, int minuta, int sekunda) {
    struct tm t {};
    t.tm_year = rok - 1900;
    t.tm_mon = miesiac - 1;
    t.tm_mday = dzien;
    t.tm_hour = godzina;
    t.tm_min = minuta;
    t.tm_sec = sekunda;
    t.tm_isdst = -1;
    const std::time_t czas = std::mktime(&t);
    const struct timespec czasy[2] = {{czas, 0}, {czas, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, sciezka.c_str(), czasy, 0), 0) << sciezka;
}

// A time zone away from UTC for the life of the object, so that local time shows.
class StrefaCzasu {
public:
    explicit StrefaCzasu(const char* strefa) {
        if (const char* tz = std::getenv("TZ")) poprzednia_ = tz;
        ::setenv("TZ", strefa, 1);
        ::tzset();
    }
    ~StrefaCzasu() {
        if (poprzednia_) ::setenv("TZ", poprzednia_->c_str(), 1);
        else ::unsetenv("TZ");
        ::tzset();
    }
private:
    std::optional<std::string> poprzednia_;
};

}  // namespace

TEST(DataCzas, DayCountsFrom30December1899) {
    EXPECT_EQ(KodowanieDaty(1899, 12, 30), 0.0);
    EXPECT_EQ(KodowanieDaty(1900, 1, 1), 2.0);
    EXPECT_EQ(KodowanieDaty(2005, 3, 5), 38416.0);
    EXPECT_EQ(KodowanieDaty(2004, 3, 5, 18), 38051.75);
    EXPECT_EQ(DataCzasListy(KodowanieDaty(2004, 3, 5, 23, 59, 58)), "05-03-2004 23:59");
    EXPECT_EQ(DataCzasIso(KodowanieDaty(2024, 2, 29, 7, 5, 59)), "2024-02-29 07:05");
    // Back to the second, although most times of day have no exact binary fraction.
    for (const auto& [g, m, s] : {std::tuple{23, 59, 59}, {0, 0, 58}, {0, 21, 0}, {1, 0, 59}, {12, 0, 0}}) {
        const TSkladnikiDaty r = RozkladDaty(KodowanieDaty(2005, 3, 5, g, m, s));
        EXPECT_EQ((std::vector<int>{r.Rok, r.Miesiac, r.Dzien, r.Godzina, r.Minuta, r.Sekunda}),
                  (std::vector<int>{2005, 3, 5, g, m, s}));
    }
}

TEST(ListaPlikow, SizesInKilobytesRoundHalvesToEven) {
    EXPECT_EQ(KilobajtyPliku(0), 0);
    EXPECT_EQ(KilobajtyPliku(511), 0);
    EXPECT_EQ(KilobajtyPliku(512), 0);
    EXPECT_EQ(KilobajtyPliku(513), 1);
    EXPECT_EQ(KilobajtyPliku(1536), 2);
    EXPECT_EQ(KilobajtyPliku(2560), 2);
    EXPECT_EQ(KilobajtyPliku(2561), 3);
    EXPECT_EQ(KilobajtyPliku(3584), 4);
    EXPECT_EQ(KilobajtyPliku(int64_t(1) << 40), 1 << 30);
    EXPECT_EQ(KilobajtyPliku(int64_t(1) << 52), INT32_MAX);
}

TEST(ListaPlikow, ReportNameIsTheFileNameUpToItsLastDot) {
    EXPECT_EQ(NazwaRaportuPliku("a.b.rap"), "a.b");
    EXPECT_EQ(NazwaRaportuPliku("bez kropki"), "");
    EXPECT_EQ(NazwaRaportuPliku(".rap"), "");
    // File names here are UTF-8; the list shows Windows-1250 text. A name that is not UTF-8 is
    // taken as Windows-1250 as it stands.
    EXPECT_EQ(NazwaRaportuPliku(U(u8"Łódź.rap")), PL(u8"Łódź"));
    EXPECT_EQ(NazwaRaportuPliku("\xA3\xF3" "d\x9F.rap"), PL(u8"Łódź"));
}

TEST(ListaPlikow, ReadsTheMatchingRegularReadableFilesOfTheFolder) {
    const StrefaCzasu polska("CET-1CEST,M3.5.0,M10.5.0/3");
    TTymczasowyKatalog dir;
    const std::string k = dir.Sciezka();
    ZapisPliku(k + "/pierwszy.rap", std::string(1536, 'x'));
    ZapisPliku(k + "/a.b.rap", "");
    ZapisPliku(k + "/" + U(u8"Łódź.rap"), "abc");
    ZapisPliku(k + "/inny.txt", "x");
    ZapisPliku(k + "/WIELKIE.RAP", "x");         // the writer writes ".rap"
    ZapisPliku(k + "/pierwszy.rap.bak", "x");
    fs::create_directory(k + "/folder.rap");
    ZapisPliku(k + "/tylko.rap", "x");
    ::chmod((k + "/tylko.rap").c_str(), 0444);    // read-only: still a report
    fs::create_symlink(k + "/brak", k + "/zerwany.rap");
    ::mkfifo((k + "/kolejka.rap").c_str(), 0644);
    UstawCzas(k + "/pierwszy.rap", 2004, 3, 5, 23, 59, 59);

    TcListPlikRaportu lista(k + "/*.rap");
    lista.Sortowanie(0, 0);
    std::vector<std::string> nazwy;
    for (int32_t i = 0; i < lista.Liczba(); ++i) nazwy.push_back(lista.PlikRaportu(i).NazwaRaportu);
    // Root may read a file whatever its mode; the expectation holds for both.
    EXPECT_EQ(nazwy, (Nazwy{"a.b", PL(u8"Łódź"), "pierwszy", "tylko"}));
    const TrPlikRaportu& p = lista.PlikRaportu(2);
    EXPECT_EQ(p.Nazwa, "pierwszy.rap");
    EXPECT_EQ(p.Rozmiar, 2);
    EXPECT_EQ(DataCzasListy(p.Data), "05-03-2004 23:59");
    EXPECT_EQ(p.Data, KodowanieDaty(2004, 3, 5, 23, 59, 58));   // 2-second resolution

    // The plain list keeps bytes; mask 63 takes the folder, the pipe and the broken link is gone.
    TcListPlik wszystkie(k + "/*.rap", atWszystkie);
    EXPECT_EQ(wszystkie.Liczba(), 6);
    TcListPlik katalogi(k + "/*", atKatalog);
    ASSERT_EQ(katalogi.Liczba(), 1);
    EXPECT_EQ(katalogi.Plik(0).Nazwa, "folder.rap");
    TcListPlik pierwszy(k + "/pierwszy.rap", atArchiwalny);
    ASSERT_EQ(pierwszy.Liczba(), 1);
    EXPECT_EQ(pierwszy.Plik(0).Rozmiar, 1536);

    // A missing folder is an empty list, without a message.
    TcListPlikRaportu brak(k + "/brak/*.rap");
    EXPECT_EQ(brak.Liczba(), 0);

    // Reading again starts afresh.
    fs::remove(k + "/a.b.rap");
    lista.OdczytanieKatalogu();
    EXPECT_EQ(lista.Liczba(), 3);
}

TEST(ListaPlikow, AFileThatCannotBeReadIsNoReport) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    TTymczasowyKatalog dir;
    ZapisPliku(dir.Plik("zamkniety.rap"), "x");
    ZapisPliku(dir.Plik("otwarty.rap"), "x");
    ::chmod(dir.Plik("zamkniety.rap").c_str(), 0200);
    TcListPlikRaportu lista(dir.Sciezka() + "/*.rap");
    ASSERT_EQ(lista.Liczba(), 1);
    EXPECT_EQ(lista.Plik(0).Nazwa, "otwarty.rap");
}

TEST(ListaPlikow, SortsByKeyAndDirectionTiesAlwaysByNameAscending) {
    ListaReczna l;
    const double d1 = KodowanieDaty(2004, 3, 5, 10, 0, 0), d2 = KodowanieDaty(2004, 3, 5, 10, 0, 2);
    l.Dodaj("b.rap", d1, 2048);
    l.Dodaj(U(u8"ą.rap"), d2, 1024);
    l.Dodaj("C.rap", d1, 3072);
    l.Dodaj("a.rap", d1, 2048);
    l.Dodaj("Z.rap", d2, 1024);
    const std::string a = U(u8"ą.rap");

    l.Sortowanie(0, 0);
    EXPECT_EQ(l.Nazwy(), (Nazwy{"a.rap", a, "b.rap", "C.rap", "Z.rap"}));   // Polish order, case ignored
    l.Sortowanie(0, 1);
    EXPECT_EQ(l.Nazwy(), (Nazwy{"Z.rap", "C.rap", "b.rap", a, "a.rap"}));
    // Newest first; two files of the same 2-second unit in ascending order of name.
    l.Sortowanie(1, 1);
    EXPECT_EQ(l.Nazwy(), (Nazwy{a, "Z.rap", "a.rap", "b.rap", "C.rap"}));
    l.Sortowanie(1, 0);
    EXPECT_EQ(l.Nazwy(), (Nazwy{"a.rap", "b.rap", "C.rap", a, "Z.rap"}));
    l.Sortowanie(2, 1);
    EXPECT_EQ(l.Nazwy(), (Nazwy{"C.rap", "a.rap", "b.rap", a, "Z.rap"}));
    l.Sortowanie(2, 0);
    EXPECT_EQ(l.Nazwy(), (Nazwy{a, "Z.rap", "a.rap", "b.rap", "C.rap"}));
}

TEST(ListaPlikow, NamesDifferingOnlyInLetterCaseGetOneOrderWhateverTheFolderGave) {
    const double d = KodowanieDaty(2010, 1, 1);
    for (bool odwrotnie : {false, true}) {
        ListaReczna l;
        std::vector<std::string> wejscie{"abc.rap", "ABC.rap", "Abc.rap"};
        if (odwrotnie) std::reverse(wejscie.begin(), wejscie.end());
        for (const auto& n : wejscie) l.Dodaj(n, d);
        l.Sortowanie(1, 1);
        EXPECT_EQ(l.Nazwy(), (Nazwy{"ABC.rap", "Abc.rap", "abc.rap"}));
        l.Sortowanie(0, 1);
        EXPECT_EQ(l.Nazwy(), (Nazwy{"ABC.rap", "Abc.rap", "abc.rap"}));
    }
}

TEST(ListaPlikow, CountsEntriesWithinADateRangeWithOpenBounds) {
    ListaReczna l;
    l.Dodaj("przed.rap", KodowanieDaty(2004, 3, 4, 23, 59, 58));
    l.Dodaj("polnoc.rap", KodowanieDaty(2004, 3, 5, 0, 0, 0));
    l.Dodaj("wieczor.rap", KodowanieDaty(2004, 3, 5, 23, 59, 58));
    l.Dodaj("po.rap", KodowanieDaty(2004, 3, 6, 0, 0, 0));
    const double dzien = KodowanieDaty(2004, 3, 5);
    EXPECT_EQ(l.ZliczenieWZakresie(dzien, dzien), 2);
    EXPECT_EQ(l.ZliczenieWZakresie(dzien, BrakDaty), 3);
    EXPECT_EQ(l.ZliczenieWZakresie(BrakDaty, dzien), 3);
    EXPECT_EQ(l.ZliczenieWZakresie(BrakDaty, BrakDaty), 4);
    // A bound's time of day does not narrow the first day.
    EXPECT_EQ(l.ZliczenieWZakresie(KodowanieDaty(2004, 3, 5, 12), KodowanieDaty(2004, 3, 6)), 3);
    EXPECT_EQ(l.ZliczenieWZakresie(KodowanieDaty(2004, 3, 7), BrakDaty), 0);
    EXPECT_EQ(l.ZliczenieWZakresie(dzien, KodowanieDaty(2004, 3, 4)), 0);
    EXPECT_EQ(ListaReczna().ZliczenieWZakresie(BrakDaty, BrakDaty), 0);
}

TEST(ListaPlikow, RemovesTheFirstEntryOfExactlyThatName) {
    ListaReczna l;
    l.Dodaj("a.rap", 1);
    l.Dodaj("b.rap", 2);
    l.Dodaj("b.rap", 3);
    l.Dodaj("c.rap", 4);
    EXPECT_FALSE(l.UsunieciePliku("B.rap"));
    EXPECT_FALSE(l.UsunieciePliku("b"));
    EXPECT_EQ(l.Liczba(), 4);
    EXPECT_TRUE(l.UsunieciePliku("b.rap"));
    ASSERT_EQ(l.Liczba(), 3);
    EXPECT_EQ(l.Plik(1).Data, 3.0);
    EXPECT_TRUE(l.UsunieciePliku("c.rap"));   // the last one
    EXPECT_TRUE(l.UsunieciePliku("a.rap"));
    EXPECT_EQ(l.Nazwy(), (Nazwy{"b.rap"}));
    EXPECT_TRUE(l.UsunieciePliku("b.rap"));
    EXPECT_FALSE(l.UsunieciePliku("b.rap"));
    EXPECT_EQ(l.Liczba(), 0);
}
