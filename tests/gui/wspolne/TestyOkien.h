// Helpers of the window tests.
//
//   TOdpowiedziDialogow dialogi;           // message dialogs recorded and answered, not shown
//   dialogi.Odpowiedz(7);                  // the next question gets "Nie"
//   ... EXPECT_EQ(dialogi.Ostatni().Tekst, "Błąd w formacie daty.");
//
//   ModalnyPo([](QWidget* okno) { ... }); // runs once the next modal window is open
//
//   TKonfiguracjaTestowa konf;             // Belvastrona.ini goes to a fresh temporary folder
#pragma once

#include <QApplication>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "mDialog.h"

// Offscreen platform and a fixed locale when the test runner did not set them.
void PrzygotowanieSrodowiska();
// The program's font and style for a plain QApplication.
void UstawienieWygladu(QApplication& aplikacja);

class TOdpowiedziDialogow {
public:
    TOdpowiedziDialogow() { mDialogTest::Wlaczenie(); }
    ~TOdpowiedziDialogow() { mDialogTest::Wylaczenie(); }
    void Odpowiedz(int wynik) { mDialogTest::Odpowiedz(wynik); }
    const std::vector<mDialogTest::TWywolanie>& Historia() const { return mDialogTest::Historia(); }
    size_t Liczba() const { return Historia().size(); }
    const mDialogTest::TWywolanie& Ostatni() const { return Historia().back(); }
    void Czyszczenie() { mDialogTest::Historia().clear(); }
};

// Types the text into the widget key by key; letters outside ASCII (Polish letters) arrive
// as key presses carrying the character, as a keyboard layout would deliver them.
void Wpisz(QWidget* kontrolka, const QString& tekst);

// A double click delivered to the widget as the platform would: press, release, double click.
void Dwuklik(QWidget* kontrolka, QPoint miejsce);

// Runs the event loop for a while, letting it wait for events (so the idle hook runs).
void CzekanieWPetli(int ms);

// Calls `dzialanie` with the modal window once one is open (polling from the event loop), so
// that a test can drive a window shown with exec(). The window must be closed by `dzialanie`.
void ModalnyPo(std::function<void(QWidget*)> dzialanie);

class TKonfiguracjaTestowa {
public:
    TKonfiguracjaTestowa();
    ~TKonfiguracjaTestowa();
    QString Plik() const;                  // the full path of Belvastrona.ini
    std::string Zawartosc() const;         // its bytes, empty when missing
    bool Istnieje() const;
    void Zapisanie(const std::string& bajty) const;
private:
    QTemporaryDir katalog_;
    QByteArray poprzedni_;
};
