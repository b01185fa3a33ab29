// Asking the desktop to "open" a file or a web address with the user's program for it
// (the browser for "tmp.htm" and for the maker's site). Tests replace the desktop.
#pragma once

#include <QString>
#include <functional>

// False when the desktop could not open it.
bool mOtwarcie(const QString& plikLubAdres);

// Tests: every later mOtwarcie goes to this function instead (nullptr restores the desktop).
void mUstawienieOtwierania(std::function<bool(const QString&)> zastepstwo);
