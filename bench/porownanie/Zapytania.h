// One query, written once and rendered for each engine: our condition string, an FTS5 MATCH
// expression and a Xapian::Query. All three must select the same documents.
//
//   TWarunek f = Fraza({{"PODATEK"}, {"DOCH", true}});   // "PODATEK DOCH*"
//   WarunekWlasny(f)   -> "\"PODATEK DOCH*\""
//   WyrazenieFts5(f)   -> "\"podatek doch\" *"   (tokens as TerminFts5 writes them)
//   ZapytanieXapian(f) -> PHRASE(PODATEK DOCHÓD) OR PHRASE(PODATEK DOCHODOWY) ...
//
// Words are upper-case Windows-1250, as our tokenizer hands them over.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <xapian.h>

struct TSlowo {
    std::string Tekst;      // without the "*"
    bool Prefiks = false;   // any word beginning with Tekst
};

struct TWarunek;
using PWarunek = std::shared_ptr<const TWarunek>;

struct TWarunek {
    enum class Rodzaj { Fraza, I, Lub, INie, Izba, Przepis };
    Rodzaj R = Rodzaj::Fraza;
    std::vector<TSlowo> Slowa;   // Fraza: at most the last word is a prefix
    int32_t Numer = 0;           // Izba, Przepis: the group's number
    PWarunek L, P;               // I, Lub, INie
};

PWarunek Fraza(std::vector<TSlowo> slowa);
PWarunek Polaczenie(TWarunek::Rodzaj r, PWarunek l, PWarunek p);
PWarunek Grupa(TWarunek::Rodzaj r, int32_t numer);

// Our standard condition string, e.g. «("A" OR "B C") AND NOT "D*"». Empty for a group.
std::string WarunekWlasny(const TWarunek& w);
// A readable form for the table and for error messages (UTF-8).
std::string Opis(const TWarunek& w);

// FTS5's unicode61 tokenizer splits at every character that is neither a letter nor a digit,
// and folds case. Our tokens keep hyphens, "*" and indexed punctuation, so every byte outside
// 0-9, A-Z and the Polish capitals becomes "ж" plus two hex digits. The mapping works byte by
// byte, so a prefix of a token maps to a prefix of its term, and "ж" never occurs otherwise.
std::string TerminFts5(std::string_view token);
std::string WyrazenieFts5(const TWarunek& w);

// Xapian terms are the tokens in UTF-8. Xapian refuses terms over 245 bytes: longer tokens keep
// their first 200 bytes and get a hash, so prefixes of up to 200 bytes still find them.
std::string TerminXapian(std::string_view token);
// Xapian's phrases take only plain terms, so a phrase ending in a prefix becomes an OR of
// phrases, one per term of `db` with that prefix (what OP_WILDCARD expands to anyway).
Xapian::Query ZapytanieXapian(const TWarunek& w, const Xapian::Database& db);
// Boolean terms of the groups; letters followed by digits never form one of our tokens.
std::string TerminGrupy(TWarunek::Rodzaj r, int32_t numer);
