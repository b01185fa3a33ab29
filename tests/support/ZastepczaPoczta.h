// A stand-in "xdg-email" first on PATH for the life of the object: each call appends its
// arguments and its working folder to a log, and ends with the given status. The real
// hand-over would open the user's mail client.
//
//   TZastepczaPoczta poczta;
//   ... mail something ...
//   poczta.Wywolania()   -> {{"--utf8", "--subject", "...", "--attach", "/abs/w1.htm"}}
#pragma once

#include <string>
#include <vector>

#include "FabrykaDanych.h"

class TZastepczaPoczta {
public:
    explicit TZastepczaPoczta(int status = 0);
    ~TZastepczaPoczta();
    TZastepczaPoczta(const TZastepczaPoczta&) = delete;
    TZastepczaPoczta& operator=(const TZastepczaPoczta&) = delete;

    struct TWywolanie {
        std::vector<std::string> Argumenty;   // without the program's name
        std::string Katalog;                  // the working folder of the call
    };
    std::vector<TWywolanie> Wywolania() const;

private:
    TTymczasowyKatalog katalog_;
    std::string sciezka_;   // PATH before
};
