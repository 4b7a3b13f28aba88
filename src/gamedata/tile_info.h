#pragma once
// What each of a game's 600 tiles looks like (its shape number), how it
// behaves (its flag word) and what it is called, read from the game's tile
// info file, plus for every tile an attribute image: its picture with icons
// over it that show its flags.

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "gamedata/shape_manager.h"
#include "image/bitmap.h"
#include "image/image.h"
#include "system/stream.h"

constexpr int TileCount = 600;

// Raised by the lookups for a tile number of 600 or more.
class TIllegalTileValue : public std::runtime_error {
public:
    TIllegalTileValue() : std::runtime_error("illegal tile value!") {}
};

class TTile {
public:
    uint16_t sh = 0x4700;   // shape number of the tile's picture
    std::string na;         // tile name
    // A tile the file does not list is solid for the player and for Tiny, and
    // neither stair, vine nor water.
    uint16_t flags = 0x4006;
    TImagePtr attributeImg;

    // Builds attributeImg: the tile's picture from shapeman (may be null) with
    // the icons of sheet for its flags laid over it. Does nothing without a sheet.
    void GenerateAttributeImage(const TBitmapPtr& sheet, const TShapeManagerPtr& shapeman);
};

class TTileInfo;
using TTileInfoPtr = std::shared_ptr<TTileInfo>;

class TTileInfo {
public:
    std::array<TTile, TileCount> tiles;

    virtual ~TTileInfo() = default;

    // Reads the tile info file at a path (or "incbin::" name) and makes every
    // tile's attribute image with shapeman's pictures (shapeman may be null).
    // Always gives 0: problems go to the log and leave tiles at their defaults.
    virtual int Init(const std::string& source, const TShapeManagerPtr& shapeman);
    // The same for an open stream.
    virtual int Init(TStreamPtr source, const TShapeManagerPtr& shapeman);

    // Lookups by board value: only the low 10 bits name the tile. Tile numbers
    // 600-1023 are logged and raise TIllegalTileValue.
    virtual uint16_t GetShape(uint16_t tile) const;
    virtual uint16_t GetFlags(uint16_t tile) const;
    virtual std::string GetName(uint16_t tile) const;
    // GetShape for the pictures, where a tile number past 599 makes a cell
    // that draws nothing: logged as GetShape logs it, then none.
    std::optional<uint16_t> FindShape(uint16_t tile) const;

private:
    // The tile for a board value; logs and gives null for tile numbers past 599.
    const TTile* Find(uint16_t tile, const char* operation, bool logAsBlock) const;
    // The same, raising instead of giving null.
    const TTile& Lookup(uint16_t tile, const char* operation, bool logAsBlock) const;
    // path is only named in the log; empty for a stream.
    int Load(TStreamPtr stream, const std::string& path, const TShapeManagerPtr& shapeman);
    void ReadRecords(TStream& stream);
    void GenerateAttributeImages(const TShapeManagerPtr& shapeman);
};

// The frame of a board value's tile, or null when its number names no tile.
const TBitmap* TileFrame(const TShapeManager& shapes, const TTileInfo& tiles, uint16_t tile);
