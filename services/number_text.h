// Numbers as text and text as numbers, as C99's printf and strtod give and
// take them. The toolchain's own printf and strtod, which C++ code is given
// by default, come to some 40 KB in the program; on Windows these go through
// the system's C runtime (msvcrt) instead, and even out where it differs.
// Pure code: builds for Windows and for the host.
#pragma once

#include <cstdint>

#include "services/values.h"

// "%lld": the decimal digits, with a minus sign when negative.
Text DecimalText(int64_t value);

// "%.Ng" with N = `significantDigits`: the shortest of the fixed and the
// exponent form, trailing zeros removed, an exponent of at least two digits;
// "inf", "-inf", "nan" and "-nan" for the values that are no numbers.
Text RealText(double value, int significantDigits);

// strtoll(text, nullptr, 10): leading blanks, a sign, the digits up to the
// first other character; 0 without digits; the range's ends beyond it.
int64_t LeadingInteger(const char* text);

// strtod(text, nullptr) for decimal numbers: 0 without a number.
double LeadingReal(const char* text);
