// The corpus builder: turns a source folder of ordinary documents into the program's data
// directory.
//
//   BudowaKorpusu("src", "data");      // src/documents/*.htm, src/documents.tsv,
//                                      // src/{akty,dzialy,izby,przepisy}.ini, src/acts/STEM.rtf
//
// The source is checked whole before anything is written (dictionaries, every index line,
// documents against index lines, acts against "akty.ini"); the data directory is then written
// into a temporary folder beside DATA, which replaces DATA only when everything succeeded.
// A failure leaves an existing DATA untouched and throws EInOutError whose Windows-1250
// message names the file and line.
//
// Every regular file of documents/ is a document, except names starting with "." (subfolders
// are ignored). Documents are numbered in ascending byte order of their file names. Each document's words
// are PodzialTekstu of the upper-cased mHtmlToText of its HTML, with kZnakiIndeksu ("§" and
// ".") as the punctuation indexed as words.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Punctuation held in the index as one-character words: the section sign and the full stop,
// so that "art. 15" and "§ 2" can be searched as written.
inline constexpr char kZnakiIndeksu[] = "\xA7.";

struct TOpcjeBudowy {
    int Watki = 0;   // threads cutting documents into words; 0: as many as the machine has
    // Called now and then during long stages: stage name (UTF-8), work done, work in total.
    std::function<void(const char* etap, int64_t gotowe, int64_t razem)> Postep;
};

struct TWynikBudowy {
    int32_t Dokumenty = 0;
    int64_t Slowa = 0;          // words of all documents (tokens)
    int32_t Akty = 0;
};

TWynikBudowy BudowaKorpusu(const std::string& zrodlo, const std::string& dane, const TOpcjeBudowy& opcje = {});
