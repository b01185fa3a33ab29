// The three dictionaries with entries of their own: provisions (section and group position),
// chambers (group position) and acts (file stem of the act's text).
#pragma once

#include "SlownikTxt.h"

struct TrPrzepis : TrSlownikTxt { int32_t Dzial = 0; int32_t Pozycja = 0; };
struct TrIzba : TrSlownikTxt { int32_t Pozycja = 0; };
struct TrAkt : TrSlownikTxt { std::string Plik; };

class TcSlownikTxtPrzepis : public TcSlownikTxt {
public:
    TcSlownikTxtPrzepis(std::string nazwaPliku, bool wczytaj);
    int32_t DzialWgNazwy(const std::string& nazwa) const;
    int32_t PozycjaWgNumeru(int32_t numer) const;
protected:
    void AnalizaWiersza(const std::string& wiersz) override;
};

class TcSlownikTxtIzba : public TcSlownikTxt {
public:
    TcSlownikTxtIzba(std::string nazwaPliku, bool wczytaj);
    int32_t PozycjaWgNumeru(int32_t numer) const;
protected:
    void AnalizaWiersza(const std::string& wiersz) override;
};

class TcSlownikTxtAkt : public TcSlownikTxt {
public:
    TcSlownikTxtAkt(std::string nazwaPliku, bool wczytaj);
    std::string PlikWgNumeru(int32_t numer) const;
protected:
    void AnalizaWiersza(const std::string& wiersz) override;
};
