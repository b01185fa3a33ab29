// Command-line manners the programs share: --help and --version, and a usage error.
#pragma once

#include <string>
#include <vector>

// When `argumenty` hold --help (or -h) or --version, prints the help text on standard output or
// "program VERSION", and gives 0; otherwise -1.
int mPomocAlboWersja(const std::vector<std::string>& argumenty, const char* program, const char* pomoc);

// Prints the message and where to find help on standard error; gives EX_USAGE (64).
int mBladWywolania(const char* program, const std::string& komunikat);
