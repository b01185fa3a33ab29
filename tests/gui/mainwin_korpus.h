// The main window over a small generated corpus, for the tests of the query editor, the
// search run, the result list and showing a document.
//
// Documents (all interpretations, names 0000001.htm ...):
//   1..51   "alfa ..." (51 of them), 1..50 also "beta"; entry dates spread over a week so
//           that a page is reordered by date, several on the same minute
//   52      "Podatek dochodowy od osób fizycznych oraz ryczałt i VAT"
//   53      "podatek od spadków" citing provision 7 (named "art. 7 ust. 1")
//   54      "gamma" from chamber 12 ("Izba Skarbowa w Krakowie"), citing provision 7
#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "EdytorZapytania.h"
#include "FabrykaDanych.h"
#include "ListaWynikow.h"
#include "ListaZaznaczen.h"
#include "PrzyciskObrazkowy.h"
#include "Pokazanie.h"
#include "Powloka.h"
#include "Sesja.h"
#include "Tekst.h"
#include "TestyOkien.h"
#include "Wyszukiwanie.h"
#include "f_Glowne.h"

inline uint32_t DataSpakowana(int rok, int miesiac, int dzien, int godzina, int minuta, int sekunda = 0) {
    return uint32_t(rok - 1980) << 25 | uint32_t(miesiac) << 21 | uint32_t(dzien) << 16 | uint32_t(godzina) << 11 |
           uint32_t(minuta) << 5 | uint32_t(sekunda / 2);
}

// The entry date of document d of 1..51: day 1 + d % 7 of May 2004, 10:00 (seconds differ,
// so documents with the same d % 7 share the minute).
inline uint32_t DataDokumentu(int d) { return DataSpakowana(2004, 5, 1 + d % 7, 10, 0, (d % 30) * 2); }

class TOknoGlowneTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<TDokumentTestowy> dokumenty;
        char nazwa[16];
        for (int d = 1; d <= 51; ++d) {
            std::snprintf(nazwa, sizeof nazwa, "%07d.htm", d);
            TDokumentTestowy t{nazwa, std::string("alfa ") + (d <= 50 ? "beta " : "") + "dokument numer " +
                                          std::to_string(d)};
            t.Data = DataDokumentu(d);
            dokumenty.push_back(t);
        }
        dokumenty.push_back({"0000052.htm", "Podatek dochodowy od osób fizycznych oraz ryczałt i VAT"});
        dokumenty.push_back({"0000053.htm", "podatek od spadków", 0, {7}});
        dokumenty.push_back({"0000054.htm", "gamma", 12, {7}});
        TOpcjeKatalogu opcje;
        opcje.Izby = {{12, "Izba Skarbowa w Krakowie"}};
        opcje.Przepisy = {{7, {"art. 7 ust. 1", 1}}};
        opcje.Dzialy = {{1, "Podatek dochodowy"}};
        BudowaKatalogu(katalog.Sciezka(), dokumenty, opcje);
        biezacy = std::make_unique<TBiezacyKatalog>(katalog.Sciezka());
        mUstawienieOtwierania([this](const QString& plik) {
            otwarte << plik;
            return wynikOtwarcia;
        });
        okno = std::make_unique<TfGlowne>();
        okno->show();
        okno->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    }

    void TearDown() override {
        okno.reset();
        mUstawienieOtwierania(nullptr);
        biezacy.reset();
    }

    template <class T>
    T* Kontrolka(const char* nazwa) {
        T* k = okno->findChild<T*>(QString::fromLatin1(nazwa));
        EXPECT_NE(k, nullptr) << nazwa;
        return k;
    }
    QString Liczba(int n) { return Kontrolka<QLabel>(("lbLiczba" + std::to_string(n)).c_str())->text(); }

    // Types into a word field and leaves it for the search button, as the user would.
    void Slowo(int n, const QString& tekst) {
        QLineEdit* e = okno->Edytor().enSlowo[size_t(n - 1)];
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        Wpisz(e, tekst);
        okno->Edytor().bbSzukaj->setFocus(Qt::MouseFocusReason);
    }
    void Szukaj() { QTest::mouseClick(okno->Edytor().bbSzukaj, Qt::LeftButton); }

    TcListaWynikow& Lista() { return okno->Lista(); }
    TListaZaznaczen& Wiersze() { return *okno->Lista().clvRaport; }
    QString Podsumowanie() { return Wiersze().Tekst(0).section(QStringLiteral("\r\n"), 0, 0); }

    TTymczasowyKatalog katalog;
    std::unique_ptr<TBiezacyKatalog> biezacy;
    TKonfiguracjaTestowa konfiguracja;
    TOdpowiedziDialogow dialogi;
    std::unique_ptr<TfGlowne> okno;
    QStringList otwarte;
    bool wynikOtwarcia = true;
};
