#pragma once
// UTF-8, the encoding of SDL's typed text and of the host's paths: the few
// operations the input queue and the path requesters need.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The number of characters (not bytes) of a UTF-8 text.
size_t CharacterCount(std::string_view text);

// The code points of a UTF-8 text; a malformed sequence is skipped byte by byte.
std::vector<int> CodePoints(std::string_view text);

// The UTF-8 bytes of one code point.
std::string Utf8(int code);
