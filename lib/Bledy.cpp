#include "Bledy.h"

#include "cp1250.h"

void mBladWewnetrzny(const std::string& where, int number, char ending) {
    throw EInternalError(PL(u8"Nieoczekiwany błąd: ") + where + "." + std::to_string(number) + "." + ending);
}

void mBladWewnetrznyTekst(const std::string& cp1250Message) { throw EInternalError(cp1250Message); }
