// Code page 936, the code page of every text of the program: a byte of 0x80
// or above starts a two-byte character, whose second byte may be any value
// from 0x40 up, a backslash (0x5C) included. Searches for a byte step over
// such characters whole. Pure code: builds for Windows and for the host.
#pragma once

#include <cstddef>
#include <cstdint>

#include "services/values.h"

inline bool IsLeadByte(uint8_t byte) { return byte >= 0x80; }
inline bool IsLeadByte(char byte) { return IsLeadByte(uint8_t(byte)); }

// The index of the last backslash of `text` (its first `length` bytes) that
// is not the second byte of a two-byte character, or `length` when there is
// none. A lead byte in the last place stands alone.
size_t LastBackslash(const char* text, size_t length);

// Whether two paths name the same file as Windows compares names: ASCII
// letters in either case are equal; two-byte characters must match byte for
// byte (their second byte may look like a letter, but is none).
bool SamePath(const char* a, const char* b);

// The bytes of the code-page-936 character that a character code stands for,
// as the program's character event carries one: a code below 0x100 is one
// byte (0: none); from 0x100 up, the low 16 bits are a two-byte character,
// its lead byte the high one (中, the bytes D6 D0, is 0xD6D0).
Text CharacterCodeBytes(int32_t code);
