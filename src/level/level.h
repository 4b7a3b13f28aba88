#pragma once
// The in-memory level: the 128 x 64 tile board, the objects in game order and
// the player block.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "level/level_object.h"

inline constexpr int kBoardWidth = 128;
inline constexpr int kBoardHeight = 64;
// Whether tile (x, y) lies on the board.
inline bool IsOnBoard(int x, int y) { return x >= 0 && x < kBoardWidth && y >= 0 && y < kBoardHeight; }
// A tile's side in level pixels: the board counts in tiles, objects stand at
// pixels, and every picture of the level draws a tile this size.
inline constexpr int kTileSize = 16;
// The most objects the game can hold in one level.
inline constexpr int kMaxSupportedObjs = 258;
// Board words carry the tile number in bits 0-13 and two flags above it.
inline constexpr uint16_t kTileNumberMask = 0x3FFF;
// GetTile's overlay when nothing is drawn over the tile.
inline constexpr uint16_t kNoOverlay = 0xFFFF;

class TLevel {
public:
    TLevel() = default;
    // Copies would share the objects; Clone() makes a deep copy.
    TLevel(const TLevel&) = delete;
    TLevel& operator=(const TLevel&) = delete;

    // Column by column: cell (x, y) is bd[x * 64 + y].
    std::array<uint16_t, kBoardWidth * kBoardHeight> bd{};
    uint16_t numobjs = 0;
    std::vector<TLevelObjectPtr> objs;

    uint16_t pl_level = 0;
    uint16_t pl_health = 6;
    uint16_t pl_numinv = 1;
    std::array<uint16_t, 16> pl_inv{};
    int32_t pl_score = 0;
    uint16_t pl_ouched = 0;
    int32_t pl_oldscore = 0;
    std::array<uint8_t, 22> pl_pad{};
    // Bytes that follow the last text block (other tools leave such tails),
    // written back unchanged. They never change, so snapshots share them.
    std::shared_ptr<const std::vector<uint8_t>> tail;

    std::string levelfile;

    // A deep copy that shares nothing mutable with this level.
    std::shared_ptr<TLevel> Clone() const;

    // Position of obj in objs by identity; -1 when absent.
    int GetObjectIndex(const TLevelObject* obj) const;
    bool ContainsObject(const TLevelObject* obj) const;
    // Moves obj to newIndex (clamped to the array), keeping the order of the rest.
    void ChangeObjectIndex(const TLevelObject* obj, int newIndex);
    // Appends obj unless it is absent or already in the level.
    void AddObject(TLevelObjectPtr obj);
    // Removes every entry that is obj.
    void DeleteObject(const TLevelObject* obj);
    // Moves every present object that is not a KILLME to the front; the slots
    // behind them are emptied and the array keeps its length.
    void PurgeObjects();

    // Tile number of a cell (flags masked off); 0 off the board.
    uint16_t Board(int x, int y) const;
    // Stores the whole word, flags included; nothing off the board.
    void SetTile(int x, int y, uint16_t value);
    // What is drawn for a cell: the tile to draw first, and in overlay what
    // goes over it (a tile number with bit 15 set, a shape number without it,
    // or kNoOverlay).
    uint16_t GetTile(int x, int y, uint16_t& overlay) const;

    // Writes the level file. False when anything fails; the file that was at
    // url is then left untouched.
    bool WriteToFile(const std::string& url) const;

    // One representative per link ID, in object order.
    std::vector<TLevelObjectPtr> GetLinks() const;
};

using TLevelPtr = std::shared_ptr<TLevel>;
