// A document set: one byte per document number, N + 1 entries; entry 0 is never a document.
// Every phrase, condition, filter and result of a search is one of these, combined entry by
// entry. `Dane` is public: phrase search and the filters set single entries directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TcTablicaLogiczna {
public:
    explicit TcTablicaLogiczna(int32_t dlugosc) : Dane(dlugosc > 0 ? std::size_t(dlugosc) : 0, 0) {}

    std::vector<uint8_t> Dane;

    int32_t Dlugosc() const { return int32_t(Dane.size()); }
    // Entries 1..last = value; entry 0 unchanged.
    void Wypelnienie(bool value);
    void Iloczyn(const TcTablicaLogiczna& other);   // this = this and other
    void Suma(const TcTablicaLogiczna& other);      // this = this or other
    void Negacja();                                 // this = not this (entry 0 stays)
    // Clears entries first..min(last, highest index); nothing when that range is empty.
    void Wyzerowanie(int32_t first, int32_t last);
    // Number of true entries 1..last (callers used to count by hand).
    int32_t Liczba() const;
    // The numbers of the true entries, ascending, replacing what `numery` held.
    void Numery(std::vector<int32_t>& numery) const;
};
