// The contents of the main window's panel `tcDane`: the query editor, the result list,
// showing a document and acts mode. The frame (f_Glowne) owns the long-lived objects and
// the command column; it creates the data part with UtworzenieDanych (below) and
// calls it at the frame's moments and for the frame's buttons that act on the query.
//
// Order of the calls:
//   constructor: UtworzenieDanych(okno)   builds the panel's controls into okno.tcDane
//                                         (they must include `cxIzba`, `cxAkt` and `reAkt`)
//   FormCreate:  configuration, dictionaries, queries, parser exist, then
//                PoUtworzeniuObiektow()    finder and mail sender (steps 7 and 8)
//                then the frame fills cxIzba and cxAkt (without change notifications) and
//                loads the first act's phrase index
//   FormShow:    PrzyPokazaniu()           maximum text length of reAkt, the first act's text
//   destructor:  the data part is destroyed first, while parser, queries and dictionaries
//                still exist.
#pragma once

#include <memory>

class QKeyEvent;
class QString;
class TfGlowne;

class TCzescDanych {
public:
    virtual ~TCzescDanych() = default;

    virtual void PoUtworzeniuObiektow() {}
    virtual void PrzyPokazaniu() {}

    // The frame's buttons and keys that belong to the data part.
    virtual void pbCzyscClick() {}
    virtual void pbAktyWarunkiClick() {}
    virtual void pbSzablonyClick() {}
    virtual void pbRaportyClick() {}
    // After a counting button switched `Zliczanie` (the frame has already swapped the buttons).
    virtual void ZliczanieWszystkichWarunkow() {}
    // Key preview of the main window: true when the key was used.
    virtual bool FormKeyDown(QKeyEvent* klawisz) { return false; }

    // Screenshots of the data part's states: saves PNGs named after the state into the folder.
    virtual void ZrzutyEkranu(const QString& katalog) {}
};

// Builds the panel's controls into okno.tcDane and returns the part that drives them.
std::unique_ptr<TCzescDanych> UtworzenieDanych(TfGlowne& okno);
