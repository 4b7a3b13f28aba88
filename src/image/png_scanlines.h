#pragma once
// Turning inflated PNG image data (filtered scanlines, plain or Adam7
// interlaced) into one index per pixel. Only one-sample pixels of 1, 2, 4 or
// 8 bits are handled: palette and greyscale images.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/bitmap.h"
#include "image/png_format.h"

// Bytes the filtered scanlines of such an image take, filter bytes included;
// 0 for an interlace method without scanlines. Computed in 64 bits so that
// any int32 size can be asked about.
uint64_t PngFilteredSize(int64_t width, int64_t height, int depth, int interlace);

// Unfilters data in place (it must hold PngFilteredSize bytes) and writes the
// samples into bitmap's pixels, which must be Init-ed to the image's size.
// The seven Adam7 passes together reach every pixel.
void DecodePngScanlines(std::vector<uint8_t>& data, TBitmap& bitmap, int depth, int interlace);

// Reconstructs one scanline of n bytes in place. prev is the previous
// reconstructed scanline of the same pass, or null for the first one.
void UnfilterScanline(uint8_t* line, const uint8_t* prev, size_t n, int filter);
