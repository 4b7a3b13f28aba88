#pragma once
// A level as a Tiled map and back. The map shows the level as its mapshot
// does and keeps every byte of the level file in layers and properties:
//
// - tile layer "board": one cell per board word, tile id t of tileset "tiles"
//   standing for tile number t;
// - tile layers "beneath (derived)" and "overlays (derived)": what GetTile
//   draws beyond the board's own tiles (see-through tiles over their
//   neighbour, ledge edges); made for the picture only, never read back;
// - object layer "objects": one tile object per level object, showing its
//   picture, its record fields as properties; the level's order of objects
//   is the order of the object ids;
// - map properties: the player block, the bytes after the texts, and the
//   board words that "board" cannot tell (flag bits, numbers naming no tile).

#include <memory>
#include <string>
#include <vector>

#include "formats/tiled/tiled_map.h"
#include "image/bitmap.h"
#include "level/level.h"

class TShapeManager;
class TTileInfo;

inline constexpr const char* kBoardLayer = "board";
inline constexpr const char* kBeneathLayer = "beneath (derived)";
inline constexpr const char* kOverlayLayer = "overlays (derived)";
inline constexpr const char* kObjectLayer = "objects";
inline constexpr const char* kTileset = "tiles";
inline constexpr const char* kOverlayTileset = "overlays";
inline constexpr const char* kObjectTileset = "objects";
// Tile properties of the object pictures: where the picture's top-left
// corner lies from the object's position.
inline constexpr const char* kPictureDx = "picture_dx";
inline constexpr const char* kPictureDy = "picture_dy";
// Map property listing the board words that the "board" layer cannot tell,
// as "x,y=hhhh" separated by spaces.
inline constexpr const char* kBoardWords = "board_words";

// The tile "board" shows for a board word: its tile number when that names a
// tile, else the tile the game's lookups take from its low 10 bits; -1 when
// neither names one (the cell stays empty, as the mapshot leaves it black).
int ShownTile(uint16_t word);

// One picture the map refers to, written beside it.
struct TTiledPicture {
    std::string fileName;
    TBitmapPtr bitmap;
    bool seeThrough;   // index 255 is transparent
};

struct TTiledExport {
    TTiledMap map;
    std::vector<TTiledPicture> pictures;
};

// The map of a level whose objects have their pictures. The pictures are
// named pictureBase + ".tiles.png" and so on.
TTiledExport LevelToTiled(const TLevel& level, const TShapeManager& shapes, const TTileInfo& tiles,
                          const std::string& pictureBase);

// The level a map stands for; TTiledError when it cannot be one.
TLevelPtr TiledToLevel(const TTiledMap& map);

// Bytes as hexadecimal digits and back (false for anything else).
std::string HexBytes(const uint8_t* bytes, size_t count);
bool ParseHexBytes(const std::string& text, std::vector<uint8_t>& bytes);
