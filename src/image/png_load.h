#pragma once
// Reading palette and greyscale PNG images (bit depths 1, 2, 4 and 8, plain or
// Adam7 interlaced) as indexed bitmaps. Every other kind of image is refused.

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/bitmap.h"
#include "system/stream.h"

// Null when the source cannot be opened, is not a PNG, has another colour
// type or bit depth, or breaks off before its header. Image data that are
// short or corrupt decode as if the missing bytes were zeros. CRCs are not
// checked.
TBitmapPtr LoadPng(const std::string& source);
// Decodes from the stream's current position to its end.
TBitmapPtr LoadPng(const TStreamPtr& stream);
TBitmapPtr DecodePng(const uint8_t* data, size_t size);

// True when source opens and starts with the PNG signature.
bool IsPngFile(const std::string& source);
