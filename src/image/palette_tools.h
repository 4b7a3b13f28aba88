#pragma once
// Matching colours against a colour table.

#include <cstdint>

#include "image/bitmap.h"

// Index of the entry closest to colour by the summed differences of blue,
// green and red (alpha ignored); the first of equally close entries wins, and
// an empty palette gives 0.
uint8_t NearestPaletteIndex(uint32_t colour, const TColorTable& palette);

// Like NearestPaletteIndex but alpha counts as a fourth channel of the same
// weight; an entry must come closer than 1000 to be taken, otherwise 0.
uint8_t NearestPaletteIndexWithAlpha(uint32_t colour, const TColorTable& palette);

// Index of the entry closest to colour when a difference in alpha outweighs
// any difference in colour; the first of equally close entries wins.
uint8_t NearestPaletteIndexAlphaFirst(uint32_t colour, const TColorTable& palette);
