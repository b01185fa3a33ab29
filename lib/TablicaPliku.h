// A file's array of little-endian integers, mapped rather than read: the store's tables are
// read at every start, and copying them into fresh memory costs a page fault per page of the
// copy. The mapping is private and read-only; `naglowek` zero elements stand before the
// file's elements, in a page of their own just ahead of the file, so that index 0 of a table
// "held from 1" is a real zero and not a shifted pointer.
//
//   TTablicaPliku<int32_t> ref;
//   ref.Wczytaj("plik.ref", 1, TrybBledu::Wyjatek, TOdczytTablicy::Zapelnienie);   // ref[0] = 0, ref[1..] = the file
//
// The semantics are mReadFile's: a trailing partial element is ignored, a file shorter than
// one element is an empty table without the header, and a file that cannot be opened leaves
// the table empty and, in raise mode, throws EInOutError("Błąd odczytu pliku '<name>'.").
// How the pages come in (TOdczytTablicy): as they are touched; as they are touched, each page
// alone, without the kernel's read-around (which may be megabytes), for a file read in runs the
// caller announces itself; all at once, for a table the caller walks whole anyway; or read into memory of the program's own in 2 MB pages, for a
// large table that every search reads: a mapping's first touch of each 4 kB page costs far
// more than the copy, and large pages keep the walks through it off the page tables.

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "mLib.h"

enum class TOdczytTablicy { NaZadanie, Losowo, Zapelnienie, DuzeStrony };

// Asks the kernel to read [p, p + bajty) of a mapped file now, in large requests, rather than
// page by page as it is touched.
void Zapowiedz(const void* p, size_t bajty);

// Makes the whole pages inside [p, p + bajty) of our own memory resident now, in one call:
// where a page fault is dear (a virtual machine), touching fresh memory a page at a time costs
// more than filling it. Nothing on a kernel without the request.
void Zamieszkanie(void* p, size_t bajty);

// Maps the whole pages inside [p, p + bajty) of a mapped file now, in one call, reading what the
// kernel's cache lacks: a page fault for every 64 kB of a long stretch read soon costs more.
// Nothing on a kernel without the request.
void Zmapowanie(const void* p, size_t bajty);

class TMapowaniePliku {
public:
    TMapowaniePliku() = default;
    ~TMapowaniePliku();
    TMapowaniePliku(TMapowaniePliku&& o) noexcept;
    TMapowaniePliku& operator=(TMapowaniePliku&& o) noexcept;
    TMapowaniePliku(const TMapowaniePliku&) = delete;
    TMapowaniePliku& operator=(const TMapowaniePliku&) = delete;

    // Maps the file's whole elements of `szerokosc` bytes behind `naglowek` zero elements.
    bool Mapuj(const std::string& plik, size_t szerokosc, size_t naglowek, TrybBledu tryb, TOdczytTablicy odczyt);
    // `ile` zero elements of `szerokosc` bytes, without a file.
    void Zera(size_t szerokosc, size_t ile);
    void Zwolnienie();
    // Makes the pages writable, copy on write: the file is never changed.
    void Zapisywalne();
    // A mapped file's pages leave the process (they stay in the kernel's cache, and a later
    // touch maps them again): pages once touched otherwise stay mapped and count as the
    // program's memory. Nothing for memory of the program's own or pages made writable.
    void ZwolnienieStron();

    char* Dane() const { return dane_; }
    size_t Elementy() const { return elementy_; }

private:
    char* obszar_ = nullptr;   // the whole reservation: header pages, then the file's pages
    size_t dlugosc_ = 0;
    char* dane_ = nullptr;     // element 0 (inside the header page when there is a header)
    size_t elementy_ = 0;
    bool mapowanyPlik_ = false;   // the file mapped read-only over the reservation
};

template <typename T>
class TTablicaPliku {
public:
    bool Wczytaj(const std::string& plik, int naglowek, TrybBledu tryb, TOdczytTablicy odczyt) {
        return m_.Mapuj(plik, sizeof(T), naglowek < 0 ? 0 : size_t(naglowek), tryb, odczyt);
    }
    void Zera(size_t ile) { m_.Zera(sizeof(T), ile); }
    void Zwolnienie() { m_.Zwolnienie(); }
    void ZwolnienieStron() { m_.ZwolnienieStron(); }
    // Tests change a loaded table in place through this; the file stays as it was.
    T* DoZmiany() {
        m_.Zapisywalne();
        return reinterpret_cast<T*>(m_.Dane());
    }

    const T& operator[](size_t i) const { return data()[i]; }
    const T* data() const { return reinterpret_cast<const T*>(m_.Dane()); }
    size_t size() const { return m_.Elementy(); }
    bool empty() const { return size() == 0; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size(); }

private:
    TMapowaniePliku m_;
};
