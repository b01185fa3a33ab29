// Field values below the widget: the calendar the date field checks against and the day
// counts it stores, the edges of the integer range.
#include <gtest/gtest.h>

#include "WartoscPola.h"

using mWartosc::Liczba;

TEST(WartoscPola, DatesAreCheckedAgainstTheCalendarAndCountedFrom30December1899) {
    for (const char* dobra : {"29-02-2000", "29-02-2004", "31-12-9999", "01-01-0001", "30-04-2010"})
        EXPECT_TRUE(mWartosc::OdczytDaty(dobra).has_value()) << dobra;
    for (const char* zla : {"29-02-1900", "29-02-2003", "31-04-2010", "00-01-2000", "01-13-2000", "01-01-0000",
                            "1-1-2000", "01.01.2000", "01-01-20000", "0a-01-2000"})
        EXPECT_FALSE(mWartosc::OdczytDaty(zla).has_value()) << zla;
    EXPECT_EQ(mWartosc::DniOd1899({1899, 12, 30}), 0);
    EXPECT_EQ(mWartosc::DniOd1899({1900, 1, 1}), 2);
    EXPECT_EQ(mWartosc::DniOd1899({2003, 3, 21}), 37701);
    EXPECT_EQ(mWartosc::DniOd1899({1899, 12, 29}), -1);
}

TEST(WartoscPola, TimesAndIntegersStopAtTheirLastValue) {
    EXPECT_EQ(mWartosc::OdczytCzasu("23:59:59", true), 86399);
    EXPECT_EQ(mWartosc::OdczytCzasu("23:59", false), 86340);
    for (const char* zly : {"24:00", "12:60", "9:30", "12:3a"}) EXPECT_FALSE(mWartosc::OdczytCzasu(zly, false)) << zly;
    EXPECT_FALSE(mWartosc::OdczytCzasu("12:30:60", true));

    EXPECT_EQ(mWartosc::OdczytLiczby("2147483647", false).calkowita, 2147483647);
    EXPECT_EQ(mWartosc::OdczytLiczby("2147483647-", false).calkowita, -2147483647);
    EXPECT_EQ(mWartosc::OdczytLiczby("2147483648", false).wynik, Liczba::ZaDuzaCalkowita);
    EXPECT_EQ(mWartosc::OdczytLiczby(std::string(400, '9'), false).wynik, Liczba::ZaDuzaCalkowita);
    EXPECT_EQ(mWartosc::OdczytLiczby("000000000000000000000012", false).calkowita, 12);
    EXPECT_EQ(mWartosc::OdczytLiczby("1--2", false).wynik, Liczba::Bledna);
    // A float beyond double is refused, not infinity; its integer part is 0 when it does not fit.
    EXPECT_EQ(mWartosc::OdczytLiczby("1" + std::string(400, '0'), true).wynik, Liczba::Bledna);
    const Liczba duza = mWartosc::OdczytLiczby("1" + std::string(20, '0') + ".5", true);
    EXPECT_EQ(duza.wynik, Liczba::Dobra);
    EXPECT_EQ(duza.calkowita, 0);
    EXPECT_EQ(mWartosc::OdczytLiczby("-.5", true).rzeczywista, -0.5);
    EXPECT_EQ(mWartosc::OdczytLiczby("1,5", true).wynik, Liczba::Bledna);
}
