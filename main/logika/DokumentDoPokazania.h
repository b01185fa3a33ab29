// Showing a document: its HTML, with the phrases of a condition marked when the condition joins
// them with one kind of operator, goes to "tmp.htm" in the working folder, which the windows
// then hand to the desktop. The main window's result list and the report viewer both show
// documents this way.
//
//   if (ZapisanieDoPokazania(zapytanie, 1734, "\"podatek\" AND \"VAT\""))
//       mOtwarcie(PlikPokazania)   // the browser opens tmp.htm
#pragma once

#include <cstdint>
#include <string>

class TcZapytanie;

inline constexpr const char* PlikPokazania = "tmp.htm";

// Writes document `numer` highlighted by `warunek` (as stored: the combined condition of a
// search or the condition of a report). False, writing nothing, when the record has no text;
// a failed write raises EInOutError with the file's name.
bool ZapisanieDoPokazania(const TcZapytanie& zapytanie, int32_t numer, const std::string& warunek);
