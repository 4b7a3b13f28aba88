#pragma once
// The sample game's 600 tiles: what each one is, how it looks, how it
// behaves, and the tile info files that tell the editor so.

#include <cstdint>
#include <string>
#include <vector>

#include "sample_game/sample_canvas.h"

enum class TSampleGame { Jill1, Jill2, Jill3, Onesimus };

enum class TTileKind { Sky, Ground, Ledge, Stair, Vine, Water, Hazard, Overlay, Scenery, Brick, Rock };

TTileKind SampleTileKind(int tile);

// Where the tiles' pictures live: tables 17-19 hold 200 tiles each; table 7
// frame 0 is the look of a tile that the tile info does not list.
inline constexpr int kFirstTileTable = 17;
inline constexpr int kTilesPerTable = 200;
inline constexpr int kUnlistedTileTable = 7;
uint16_t SampleTileShape(int tile);

// The tile's flag word as the editor holds it (the file stores it with bits
// 1, 2 and 14 inverted).
uint16_t SampleTileFlags(int tile);

// Colour numbers of the tile tables (4 bits, mapped per game to the palette).
std::vector<uint8_t> SampleTileColourMap(TSampleGame game);
TCanvas DrawSampleTile(int tile);

// Whether the tile info file lists the tile; most tiles are listed, a few
// are left at the editor's defaults.
bool SampleTileListed(int tile);

std::vector<uint8_t> EncodeSampleTileInfo(TSampleGame game);
