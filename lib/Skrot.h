// A fast 64-bit hash of bytes, for telling whether a file still holds what it was made from
// (not for security). Four independent lanes of multiply-rotate rounds over 32-byte blocks,
// the tail folded in by eights and ones, then a final mix: about a byte per cycle and a half.
#pragma once

#include <cstddef>
#include <cstdint>

uint64_t mSkrot64(const void* dane, size_t bajty, uint64_t ziarno = 0);
