#pragma once
// The built-in 8 x 16 font for character codes 32-127: row i of the table
// holds pixel row i of every glyph, byte j for code 32 + j, lowest bit leftmost.

#include <cstdint>

inline constexpr int kFontFirstChar = 32;
inline constexpr int kFontGlyphs = 96;
inline constexpr int kFontWidth = 8;
inline constexpr int kFontHeight = 16;

extern const uint8_t kFont8x16[kFontHeight][kFontGlyphs];
