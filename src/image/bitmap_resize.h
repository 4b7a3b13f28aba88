#pragma once
// An indexed picture at another size, for small previews of big pictures.

#include "image/bitmap.h"

// source at width x height on the same (shared) colour table. Each pixel
// takes the index found most often among the source pixels it covers (the
// lowest of those found equally often): the colour of a surface survives a
// shrink where picking one pixel would keep its speckles. Enlarged, a pixel
// repeats the one it lies on. Null for sizes CreateBitmap refuses, or 0.
TBitmapPtr ResizeBitmap(const TBitmap& source, int32_t width, int32_t height);
