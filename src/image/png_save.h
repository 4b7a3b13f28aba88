#pragma once
// Writing indexed bitmaps as 8-bit palette PNG files.

#include <cstdint>
#include <string>
#include <vector>

#include "image/bitmap.h"

// Writes bitmap to target as one 8-bit palette image, with a "tRNS" chunk of
// the table's alpha bytes only when withAlpha is non-zero. The file is
// replaced only once it has been written completely; false (and target left as
// it was) when the bitmap is null or anything fails.
bool SavePng(const TBitmap* bitmap, const std::string& target, uint8_t withAlpha);
inline bool SavePng(const TBitmapPtr& bitmap, const std::string& target, uint8_t withAlpha) {
    return SavePng(bitmap.get(), target, withAlpha);
}

// The bytes SavePng would write; empty when compression fails or the
// bitmap's pixels do not match its size.
std::vector<uint8_t> EncodePng(const TBitmap& bitmap, uint8_t withAlpha);
