// Help: the application's current help file and the help window that shows one topic.
//
// A help file name ("Belvastrona.HLP", "inneprodukty.hlp") names a folder of topics, one HTML
// page per topic number: help/belvastrona/150.html. The folders are looked up in
// $BELVASTRONA_POMOC, next to the program (help/, a build folder), in share/belvastrona/help
// beside the program's bin/ (an installed copy), and in the source tree's help/.
#pragma once

#include <QString>

class QTextBrowser;

void mUstawieniePlikuPomocy(const QString& plik);
QString mPlikPomocy();

// Opens the current help file at a topic number (F1 and the windows' help buttons).
void mPomoc(int kontekst);

// The help window, once it was opened (nullptr before); it stays open beside the program.
QTextBrowser* mOknoPomocy();

// The page of a topic, empty when there is none.
QString mSciezkaTematu(const QString& plikPomocy, int kontekst);
