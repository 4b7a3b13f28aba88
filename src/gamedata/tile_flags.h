#pragma once
// The bits of a tile's flag word as the editor holds it in memory.

#include <cstdint>
#include <string>

enum : uint16_t {
    TILE_PLAYERTHRU = 0x0001,
    TILE_NOTSTAIR = 0x0002,
    TILE_NOTVINE = 0x0004,
    TILE_TOUCH = 0x0008,
    TILE_DRAW = 0x0010,
    TILE_UPDATE = 0x0020,
    TILE_INSIDE = 0x0040,
    TILE_FRONT = 0x0080,
    TILE_TRIGGER = 0x0100,
    TILE_TINYTHRU = 0x0200,
    TILE_ALWAYS = 0x0400,
    TILE_KILLABLE = 0x0800,
    TILE_FIREBALL = 0x1000,
    TILE_WATER = 0x2000,
    TILE_NOTWATER = 0x4000,
    TILE_UNNAMED = 0x8000,
};

// The names of the set bits 0-14 in bit order, joined by "," without spaces
// (bit 15 has no name); "" for none. Shown by the status line.
std::string TileFlagNames(uint16_t flags);
