// Pictures of the program's windows, one PNG per window and state, for checking the layout
// by eye: TfGlowne.png, TfDialog-Informacja.png, ..., TsPrzepis.png, TfWinieta.png.
// Run over a data directory as the current folder; the configuration goes to a temporary
// folder so that the user's Belvastrona.ini is not touched. Returns the process exit code.
#pragma once

#include <QString>

class QWidget;

int ZrzutyEkranu(const QString& katalog);

// Shows the window, lets it paint, and saves it as katalog/nazwa.png; false on failure.
bool ZapisanieZrzutu(QWidget& okno, const QString& katalog, const QString& nazwa);
