// A document set: one byte per document number, N + 1 entries; entry 0 is never a document.
// Every phrase, condition, filter and result of a search is one of these, combined entry by
// entry. Phrase search and the filters set single entries directly, through Zapis().
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

// Zeroed memory of `bajty` bytes (calloc). A large block is made resident in one call: the
// first search after opening would otherwise take a page fault for every page of each set it
// writes, a quarter of a million entries being 64 pages.
void* PamiecZerowa(std::size_t bajty);

// Memory that comes zeroed, with elements left as they are when made without a value: a new
// set of a quarter of a million entries then costs no pass over it. A set is sized when made
// and never grown; growing one with resize() after shrinking it would leave old values in the
// regrown entries.
template <class T>
struct TAlokatorZerowy {
    using value_type = T;
    TAlokatorZerowy() = default;
    template <class U>
    TAlokatorZerowy(const TAlokatorZerowy<U>&) noexcept {}
    T* allocate(std::size_t n) {
        if (n > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
        return static_cast<T*>(PamiecZerowa(n ? n * sizeof(T) : 1));
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... A>
    void construct(U* p, A&&... a) {
        ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
    }
    template <class U>
    bool operator==(const TAlokatorZerowy<U>&) const noexcept { return true; }
};

using TDaneZbioru = std::vector<uint8_t, TAlokatorZerowy<uint8_t>>;

class TcTablicaLogiczna {
public:
    explicit TcTablicaLogiczna(int32_t dlugosc) : dane_(dlugosc > 0 ? std::size_t(dlugosc) : 0) {}

    int32_t Dlugosc() const { return int32_t(dane_.size()); }
    uint8_t operator[](std::size_t d) const { return dane_[d]; }
    const TDaneZbioru& Bajty() const { return dane_; }
    // For writing entries directly: the set then no longer knows where its true entries are,
    // unless told with Miejsca.
    uint8_t* Zapis() {
        zapisDoPustego_ = ZnanyPusty();
        znaneMiejsca_ = false;
        return dane_.data();
    }
    // A new length, every entry false.
    void Rozmiar(int32_t dlugosc);
    void Zamiana(TcTablicaLogiczna& o) noexcept {
        dane_.swap(o.dane_);
        miejsca_.swap(o.miejsca_);
        std::swap(znaneMiejsca_, o.znaneMiejsca_);
        std::swap(zapisDoPustego_, o.zapisDoPustego_);
    }
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

    // Is every entry false, known without a pass (a new set, or one just cleared)?
    bool ZnanyPusty() const { return znaneMiejsca_ && miejsca_.empty(); }
    // Written through one Zapis() while ZnanyPusty(), and changed no other way since: the true
    // entries are among the n at d (numbers 1..Dlugosc() - 1, in any order). Clearing, counting
    // and listing then visit those alone. Ignored after anything else, and for more than 64
    // places and a sixteenth of the set (a pass over it costs no more).
    void Miejsca(const int32_t* d, std::size_t n);

private:
    TDaneZbioru dane_;
    // When znaneMiejsca_: every true entry from 1 on is in miejsca_, which ascends without
    // repeats (and may list entries cleared since). A search of a rare word then costs its
    // documents, not a pass over a quarter of a million entries to clear the set and another
    // to list it.
    std::vector<int32_t> miejsca_;
    bool znaneMiejsca_ = true;
    bool zapisDoPustego_ = false;   // the last change was one Zapis() into a set known empty
};
