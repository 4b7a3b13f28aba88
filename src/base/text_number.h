#pragma once
// Numbers typed by the user or read from the settings file.

#include <cstdint>
#include <string>

// Leading characters up to code 32 are skipped, then an optional "+" or "-";
// "$" introduces hexadecimal digits (either case), "%" binary digits,
// anything else decimal digits. Reading stops at the first character that is
// not a digit of that base; no digits give 0. Too many digits wrap around
// modulo 2^64, so callers that keep only the low 8, 16 or 32 bits get the same
// bits a narrower accumulator would have produced.
int64_t TextToInteger(const std::string& text);
