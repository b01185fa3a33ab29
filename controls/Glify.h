// The glyphs of the image buttons: simple drawn symbols, so the program needs no image files.
#pragma once

#include <QIcon>

enum class TGlif {
    Pomoc, Czysc, AktyWarunki, Zliczanie, BezZliczania, Szablony, Raporty, Informacje, Koniec,
    Wybierz, Zamknij, Zapisz, Otworz, Usun, UsunWiele, Pokaz, Poczta, Dodaj, Edycja, Kopiuj, Brak
};

QIcon mGlif(TGlif glif);
// The program's own icon (the About window and the main window).
QIcon mIkonaProgramu();
