// What the condition parser needs of phrase search, so that the parser can be built and tested
// without an index: the query object implements it over the store, tests over a table.
#pragma once

#include <string>

#include "TablicaLogiczna.h"

// What the condition parser needs of phrase search: the documents holding one phrase.
class IZrodloFraz {
public:
    virtual ~IZrodloFraz() = default;
    // Sets `wynik` (N + 1 entries) to the documents holding the phrase. The phrase is one token
    // of the condition as typed: with its quotes when it has them ("\"podatek dochodowy\"", or
    // "\"podatek" when the quote is not closed), which phrase search ignores like any blank.
    virtual void SzukanieFrazy(const std::string& fraza, TcTablicaLogiczna& wynik) = 0;
    // True after the last SzukanieFrazy refused its phrase for having more than 16 words.
    virtual bool FrazaZaDluga() const = 0;
};
