#pragma once
// Numbers typed by the user or read from the settings file.

#include <cstdint>
#include <optional>
#include <string>

// Leading characters up to code 32 are skipped, then an optional "+" or "-";
// "$" introduces hexadecimal digits (either case), "%" binary digits,
// anything else decimal digits. Reading stops at the first character that is
// not a digit of that base; no digits give 0. Too many digits wrap around
// modulo 2^64, so callers that keep only the low 8, 16 or 32 bits get the same
// bits a narrower accumulator would have produced.
int64_t TextToInteger(const std::string& text);

// The same reading, for a value the user typed into a field: the text must
// be wholly one number, with nothing but blanks (codes up to 32) around it
// and at least one digit. "12x", "0-1", "- 9" and "$" give nothing, so the
// field can keep its value and say why instead of storing a guess. Long
// numbers wrap as TextToInteger's do.
std::optional<int64_t> TypedTextToInteger(const std::string& text);

// The notice for a typed text that TypedTextToInteger refused: the text
// quoted, and the forms a number may take.
std::string NotANumberNotice(const std::string& text);
