// The common library: whole-file reading and writing, the string parser, fields,
// ISO-8859-2 -> Windows-1250, HTML to text, CRC-16 and the record scrambler.
// Free functions without state; texts are 8-bit (std::string holds the bytes).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Bledy.h"

// Error mode of the readers and writers: quiet reports failure through the result only,
// raise throws EInOutError with the Polish message.
enum class TrybBledu { Cichy, Wyjatek };

using TListaTekstow = std::vector<std::string>;

// A set of byte values.
class TZbiorZnakow {
public:
    TZbiorZnakow() = default;
    TZbiorZnakow(std::string_view chars) { for (unsigned char c : chars) bits_[c] = true; }
    static TZbiorZnakow Zakres(unsigned char from, unsigned char to) {
        TZbiorZnakow s; for (int c = from; c <= to; ++c) s.bits_[c] = true; return s;
    }
    TZbiorZnakow& operator+=(const TZbiorZnakow& o) { for (int i = 0; i < 256; ++i) bits_[i] = bits_[i] || o.bits_[i]; return *this; }
    bool zawiera(unsigned char c) const { return bits_[c]; }
    void dodaj(unsigned char c) { bits_[c] = true; }
    bool puste() const { for (bool b : bits_) if (b) return false; return true; }
private:
    bool bits_[256] = {};
};

// ---- Whole files: reading and writing ----

// Reads the whole file into `target`: `header` leading zero elements, then the file's
// elements (little-endian). Width is the element size: 1, 2 or 4. A trailing partial
// element is ignored. On failure the target is empty and, in raise mode,
// EInOutError("Błąd odczytu pliku '<name>'.") is thrown; the result says whether it worked.
bool mReadFile(const std::string& fileName, std::vector<uint8_t>& target, int header, TrybBledu mode);
bool mReadFile(const std::string& fileName, std::vector<uint16_t>& target, int header, TrybBledu mode);
bool mReadFile(const std::string& fileName, std::vector<int32_t>& target, int header, TrybBledu mode);
// The same with the width given at run time; a width other than 1, 2, 4 is the internal
// error "Nieoczekiwany błąd: mReadFile.1.\n". `target` receives the raw bytes of the elements
// (header * width zero bytes first).
bool mReadFile(const std::string& fileName, std::vector<uint8_t>& target, int width, int header, TrybBledu mode);

bool mReadString(const std::string& fileName, std::string& target, TrybBledu mode);
// A path as messages show it: the file system's names are UTF-8, the messages Windows-1250; a
// name that is not UTF-8 is shown as its bytes.
std::string NazwaPlikuWKomunikacie(const std::string& fileName);
// Replaces the whole file with `byteCount` bytes through mZapisBezpieczny (ZapisBezpieczny.h): a
// crash or a failure leaves the previous content, never a mixture. The result says whether the save
// is complete; on failure errno tells why and, in raise mode,
// EInOutError("Błąd zapisu pliku '<name>'.") is thrown. A failed sync of the folder after the
// rename is a failure too, although the file then already holds the new bytes.
bool mWriteFile(const std::string& fileName, const void* buffer, size_t byteCount, TrybBledu mode);
bool mWriteString(const std::string& fileName, std::string_view text, TrybBledu mode);

// ---- Text utilities ----

void mStringParser(std::string_view text, const TZbiorZnakow& separators, const TZbiorZnakow& quotes,
                   bool keepSeparators, TListaTekstow& list);
void mSplit(std::string_view text, TListaTekstow& list, const TZbiorZnakow& separators);
std::string mJoin(std::string_view first, std::string_view separator, std::string_view second);
std::string mJoinList(const TListaTekstow& list, std::string_view separator);

struct TPole { std::string tekst; bool znalezione; };
TPole mField(std::string_view text, char separator, int n);

std::string mControlToSpaces(std::string_view text, const TZbiorZnakow& kept = {});
std::string mCharMap(std::string_view text, std::string_view from, std::string_view to);
std::string mIsoToWin(std::string_view text);

// HTML (ISO-8859-2) -> plain text (Windows-1250).
std::string mHtmlToText(std::string_view html);
// The same, also giving for every output character the 1-based HTML position it came from
// (positions.size() == result.size()); blanks are merged as in the plain form.
std::string mHtmlToText(std::string_view html, std::vector<int32_t>& positions);

uint16_t mCrc16Byte(uint8_t byte, uint16_t checksum);
uint16_t mCrc16(std::string_view text, uint16_t start);

std::string mScramble(std::string_view text, std::string_view key, const TZbiorZnakow& kept);
// In-place form for the record store's hot path.
void mScrambleInPlace(char* data, size_t length, std::string_view key, const TZbiorZnakow& kept);
