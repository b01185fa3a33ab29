// The image button of every window's command column: a glyph above its caption, 80 by 52
// pixels, an accelerator letter from "&" in the caption, a hand cursor, and optionally the
// window's default button (Enter) or cancel button (Esc).
//
//   auto* pb = new TPrzyciskObrazkowy(this, "pbWybierz", TGlif::Wybierz);
//   pb->UstawienieAkcji(acWybierz);      // caption, hint and enabled state follow the action
//   pb->UstawienieDomyslnego(true);      // Enter anywhere in the window presses it
//
// Enter presses the focused button when a button has the focus, otherwise the window's
// default button; Esc presses the cancel button. Keys that a control uses itself (a field
// whose next-field key is Enter) never reach the window.
#pragma once

#include <QToolButton>

#include "Glify.h"

class QAction;

class TPrzyciskObrazkowy : public QToolButton {
    Q_OBJECT
public:
    TPrzyciskObrazkowy(QWidget* rodzic, const char* nazwa, TGlif glif = TGlif::Brak);

    // Caption and hint (tool tip and status bar text) of a button without an action.
    void UstawienieNapisu(const QString& napis, const QString& podpowiedz);
    // Binds the button to an action: its caption, hint and enabled state are taken from it,
    // and a click triggers it.
    void UstawienieAkcji(QAction* akcja);
    QAction* Akcja() const { return akcja_; }

    void UstawienieDomyslnego(bool domyslny);
    void UstawienieAnulujacego(bool anulujacy);
    bool Domyslny() const { return domyslny_; }
    bool Anulujacy() const { return anulujacy_; }

    static constexpr int Szerokosc = 80;
    static constexpr int Wysokosc = 52;

protected:
    bool event(QEvent* e) override;

private:
    void Odswiezenie();
    void PodlaczenieOkna();

    QAction* akcja_ = nullptr;
    bool domyslny_ = false;
    bool anulujacy_ = false;
};

// True when Esc in the widget's window belongs to its cancel button: the window is a dialog
// (Esc rejects it) or has a visible cancel image button.
bool mOknoMaPrzyciskAnulowania(const QWidget* kontrolka);
