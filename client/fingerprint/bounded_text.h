// Bounded conversions between UTF-8 and the UTF-16LE text stored on the
// drive. Each stops at the first 0, at the end of the source field, or when
// the destination is full, never splits a character, and always leaves a
// terminated result. Invalid input becomes U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes at most dstUnits - 1 units plus a 0 unit; returns the units written
// (without the terminator).
std::size_t Utf8ToUtf16Bounded(const char* src, std::size_t srcBytes, char16_t* dst,
                               std::size_t dstUnits);

// Writes at most dstBytes - 1 bytes plus a 0 byte; returns the bytes written
// (without the terminator).
std::size_t Utf16ToUtf8Bounded(const char16_t* src, std::size_t srcUnits, char* dst,
                               std::size_t dstBytes);

// UTF-16LE byte fields <-> code units.
void LoadUtf16Le(const std::uint8_t* bytes, std::size_t units, char16_t* out);
void StoreUtf16Le(const char16_t* units, std::size_t count, std::uint8_t* bytes);

// The number of leading units of `text` (of `length` units) that fit in
// `maxUnits` without splitting a surrogate pair.
std::size_t Utf16CutPoint(const char16_t* text, std::size_t length, std::size_t maxUnits);
