// Errors of the layers below the windows.
//
// Two kinds leave the engine and the library:
//   EInOutError    - a file could not be read or written, or a data file is damaged;
//                    its message is Polish and ready for the user ("Błąd odczytu pliku 'x'.").
//   EInternalError - something the program itself got wrong (an index that disagrees with
//                    itself, an unknown code); its message has the form
//                    "Nieoczekiwany błąd: Klasa.Metoda.N.\n".
// Messages are Windows-1250 bytes like every text of the engine; the windows and the
// command-line tool convert them at their boundary.
#pragma once

#include <stdexcept>
#include <string>

class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const std::string& cp1250Message) : std::runtime_error(cp1250Message) {}
};

// A data file that contradicts itself or another file: refused at load, never read out of bounds.
class ECorruptIndex : public EInOutError {
public:
    explicit ECorruptIndex(const std::string& cp1250Message) : EInOutError(cp1250Message) {}
};

// A call made in a state or with an argument that makes it meaningless (a calendar without
// its field). A fault of the caller, not of the data.
class EInvalidOperation : public std::logic_error {
public:
    explicit EInvalidOperation(const std::string& cp1250Message) : std::logic_error(cp1250Message) {}
};

class EInternalError : public std::logic_error {
public:
    explicit EInternalError(const std::string& cp1250Message) : std::logic_error(cp1250Message) {}
};

// Raises EInternalError with "Nieoczekiwany błąd: " + where + "." + number + "." + ending,
// for example mBladWewnetrzny("TfGlowne.SzukanieFrazy", 1) -> "Nieoczekiwany błąd: TfGlowne.SzukanieFrazy.1.\n".
[[noreturn]] void mBladWewnetrzny(const std::string& where, int number, char ending = '\n');

// Raises EInternalError with exactly the given Windows-1250 text (for messages that do not
// follow the numbered form, such as "bebłąd !!!").
[[noreturn]] void mBladWewnetrznyTekst(const std::string& cp1250Message);
