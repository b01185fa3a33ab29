// The three engines behind one face: a query gives the ascending numbers of the documents it
// selects; a count gives only their number (what a live count needs).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Zapytania.h"

class TSilnik {
public:
    virtual ~TSilnik() = default;
    virtual std::string Nazwa() const = 0;
    // Ascending document numbers.
    virtual void Szukanie(const TWarunek& w, std::vector<int32_t>& dokumenty) = 0;
    virtual int64_t Zliczanie(const TWarunek& w) = 0;
};

// Our engine on a data directory: the loading query object runs the searches, the counting
// copy runs the counts; `slowniki` holds izby.ini and przepisy.ini for the group filters.
std::unique_ptr<TSilnik> OtwarcieWlasnego(const std::string& katalogDanych, const std::string& slowniki);
class TcMagazynIndeksu;
// The store our engine loaded (word list, image, groups), for drawing the query mix.
const TcMagazynIndeksu& MagazynWlasnego(TSilnik& s);
// Our engine searching all forms of words (grouping the words first when needed), or exact
// forms again; false when the words cannot be grouped (no dictionary).
bool FormyWlasnego(TSilnik& s, bool wlaczone);

std::unique_ptr<TSilnik> OtwarcieFts5(const std::string& plikBazy);
std::unique_ptr<TSilnik> OtwarcieXapian(const std::string& katalogBazy);
