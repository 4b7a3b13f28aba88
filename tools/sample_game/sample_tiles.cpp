#include "sample_game/sample_tiles.h"

#include <cstdio>

#include "system/stream.h"

namespace {

// Colour numbers of the tile art; the colour map of each game gives them
// their palette colours.
enum : uint8_t {
    kClear = 0, kSky, kEarth, kEarthLight, kGrass, kStone, kStoneLight, kBrick, kMortar,
    kWater, kWaterLight, kLeaf, kDanger, kGold, kLight, kDark
};

std::string TileLabel(int tile) {
    char text[8];
    std::snprintf(text, sizeof text, "%d", tile);
    return text;
}

}  // namespace

TTileKind SampleTileKind(int tile) {
    if (tile == 0) return TTileKind::Sky;
    if (tile < 20) return TTileKind::Ground;
    if (tile < 24) return TTileKind::Ledge;
    if (tile < 50) return TTileKind::Stair;
    if (tile < 70) return TTileKind::Vine;
    if (tile < 90) return TTileKind::Water;
    if (tile < 100) return TTileKind::Hazard;
    if (tile < 106) return TTileKind::Overlay;
    if (tile < 200) return TTileKind::Scenery;
    if (tile < 400) return TTileKind::Brick;
    return TTileKind::Rock;
}

uint16_t SampleTileShape(int tile) {
    // Bit 14 is set as in the games' own files; the editor masks it off.
    return static_cast<uint16_t>(0x4000 | (kFirstTileTable + tile / kTilesPerTable) << 8 | tile % kTilesPerTable);
}

uint16_t SampleTileFlags(int tile) {
    // In-memory bits: 0 PLAYERTHRU, 1 NOTSTAIR, 2 NOTVINE, 3 TOUCH, 4 DRAW,
    // 5 UPDATE, 9 TINYTHRU, 13 WATER, 14 NOTWATER; 6-8, 10-12 and 15 are the
    // game's own and only logged by the editor.
    constexpr uint16_t kPassable = 0x0001 | 0x0002 | 0x0004 | 0x0200 | 0x4000;
    switch (SampleTileKind(tile)) {
    case TTileKind::Sky: return kPassable;
    case TTileKind::Ground: return 0x4006 | (tile % 4 == 3 ? 0x0800 : 0);
    case TTileKind::Ledge: return 0x4006 | 0x0200;
    case TTileKind::Stair: return kPassable & ~0x0002;
    case TTileKind::Vine: return kPassable & ~0x0004;
    case TTileKind::Water: return (kPassable & ~0x4000) | 0x2000 | (tile % 2 ? 0x0020 : 0);
    case TTileKind::Hazard: return kPassable | 0x0008 | (tile % 3 == 0 ? 0x0100 : 0);
    case TTileKind::Overlay: return kPassable | 0x0080;
    case TTileKind::Scenery: {
        // Scenery carries every other flag in turn so that all of them occur.
        static constexpr uint16_t kExtra[] = {0, 0x0010, 0x0020, 0x0030, 0x0040, 0x0100,
                                              0x0400, 0x1000, 0x8000, 0x0008};
        return kPassable | kExtra[tile % 10];
    }
    case TTileKind::Brick: return 0x4006 | (tile % 5 == 0 ? 0x1000 : 0);
    case TTileKind::Rock: return tile % 7 == 0 ? (0x4006 & ~0x0002) : 0x4006;
    }
    return 0x4006;
}

bool SampleTileListed(int tile) { return tile < 580 && tile % 37 != 36; }

std::vector<uint8_t> SampleTileColourMap(TSampleGame game) {
    switch (game) {
    case TSampleGame::Jill1: return {0, 202, 24, 31, 40, 7, 22, 26, 19, 216, 240, 46, 27, 55, 15, 16};
    case TSampleGame::Jill2: return {0, 17, 16, 8, 34, 19, 21, 25, 18, 182, 228, 35, 12, 14, 15, 16};
    case TSampleGame::Jill3: return {0, 137, 30, 37, 42, 20, 23, 60, 21, 176, 200, 47, 33, 50, 15, 16};
    case TSampleGame::Onesimus: return {0, 252, 38, 50, 43, 31, 45, 32, 44, 228, 251, 92, 61, 101, 15, 16};
    }
    return {};
}

TCanvas DrawSampleTile(int tile) {
    TCanvas c(16, 16, kSky);
    uint8_t label = kDark;
    switch (SampleTileKind(tile)) {
    case TTileKind::Sky:
        break;
    case TTileKind::Ground:
        c.Fill(0, 0, 16, 16, kEarth);
        c.Fill(0, 0, 16, 3 + tile % 3, kGrass);
        for (int i = 0; i < 4; ++i) c.Set((tile * 5 + i * 7) % 16, 8 + i * 2, kEarthLight);
        label = kLight;
        break;
    case TTileKind::Ledge:
        c.Fill(0, 0, 16, 16, kStone);
        c.Frame(1, 1, 14, 14, kStoneLight);
        c.Fill(2 + (tile - 20) * 3, 4, 3, 3, kGold);   // which of the four ledges
        break;
    case TTileKind::Stair:
        c.Fill(0, 0, 16, 4, kEarthLight);
        c.Fill(0, 4, 16, 1, kDark);
        break;
    case TTileKind::Vine:
        for (int y = 0; y < 16; ++y) c.Fill(6 + (y / 4 + tile) % 2, y, 3, 1, kLeaf);
        c.Set(4, 5, kLeaf), c.Set(11, 11, kLeaf);
        break;
    case TTileKind::Water:
        c.Fill(0, 0, 16, 16, kWater);
        for (int x = 0; x < 16; ++x) c.Set(x, (x + tile) % 4, kWaterLight);
        label = kLight;
        break;
    case TTileKind::Hazard:
        for (int x = 0; x < 16; x += 4) {
            c.Fill(x + 1, 8, 2, 8, kDanger);
            c.Set(x + 1, 7, kDanger), c.Set(x + 2, 7, kDanger);
        }
        break;
    case TTileKind::Overlay:
        // Drawn over a neighbour: only the plant itself is opaque.
        c.Fill(0, 0, 16, 16, kClear);
        c.Ellipse(3, 3, 10, 10, tile < 103 ? kLeaf : kGold);
        c.Frame(3 + (tile - 100), 7, 3, 3, kDark);
        break;
    case TTileKind::Scenery:
        c.Ellipse(tile % 8, 4 + tile % 5, 8, 6, kLight);
        break;
    case TTileKind::Brick:
        c.Fill(0, 0, 16, 16, kBrick);
        for (int y = 3; y < 16; y += 4) c.Fill(0, y, 16, 1, kMortar);
        for (int y = 0; y < 16; y += 4)
            c.Fill((y / 4 % 2) * 8 + tile % 4, y, 1, 3, kMortar);
        label = kLight;
        break;
    case TTileKind::Rock:
        c.Fill(0, 0, 16, 16, kStone);
        c.Ellipse(1 + tile % 6, 2, 8, 7, kStoneLight);
        break;
    }
    // The number tells tiles of one kind apart at a glance; the open sky,
    // which fills most of a level, stays plain.
    if (tile != 0) c.Text(1, 10, TileLabel(tile), label);
    return c;
}

std::vector<uint8_t> EncodeSampleTileInfo(TSampleGame game) {
    auto memory = std::make_shared<TMemoryStream>();
    TStreamPtr out = LittleEndian(memory);
    static const char* const kNames[] = {"sky", "ground", "ledge", "stair", "vine", "water",
                                         "spikes", "plant", "scenery", "brick", "rock"};
    const std::string prefix = game == TSampleGame::Onesimus ? "o-" : "";
    for (int tile = 0; tile < 600; ++tile) {
        if (!SampleTileListed(tile)) continue;
        out->WriteShort(tile);
        out->WriteShort(SampleTileShape(tile));
        out->WriteShort(SampleTileFlags(tile) ^ 0x4006);
        // Every 50th tile goes without a name; the rest are named by kind.
        const std::string name =
            tile % 50 == 49 ? "" : prefix + kNames[int(SampleTileKind(tile))] + " " + TileLabel(tile);
        out->WriteByte(static_cast<int>(name.size()));
        out->WriteString(name);
    }
    return memory->Bytes();
}
