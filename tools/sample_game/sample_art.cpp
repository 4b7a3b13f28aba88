#include "sample_game/sample_art.h"

#include <initializer_list>

namespace {

// A run of frames of one size within a table.
struct TFrameRun {
    int count, w, h;
};

// One sprite table: its colour (a palette index), how its frames are shaped,
// and its frame sizes in order.
struct TSpriteTable {
    int table;
    uint8_t colour;
    bool round;
    std::initializer_list<TFrameRun> runs;
};

// Frame sizes follow the objects that use them (see the frame rules of the
// object kinds); where kinds share a table, each run is sized for its kind.
const TSpriteTable kSpriteTables[] = {
    {5, 44, false, {{8, 32, 16}}},                                    // FLAG
    {8, 33, false, {{72, 16, 32}, {3, 16, 16}}},                      // PLAYER
    {9, 12, true, {{4, 12, 12}, {4, 16, 16}}},                        // APPLE, GEM
    {10, 26, true, {{15, 32, 16}}},                                   // ANT
    {11, 13, true, {{10, 16, 24}}},                                   // WISEMAN, PHOENIX, JILLBIRD
    {12, 27, true, {{12, 16, 32}}},                                   // FIRE
    {13, 22, false, {{1, 10, 10}}},                                   // KNIFE
    {14, 55, true, {{6, 16, 16}, {4, 16, 8}, {35, 16, 16}}},          // items, KEY, TOKEN, ...
    {15, 46, true, {{2, 16, 16}, {7, 8, 4}, {2, 16, 16}, {3, 8, 4}}}, // SNAKE
    {16, 101, false, {{12, 4, 8}}},                                   // TINY
    {22, 92, true, {{6, 16, 8}}},                                     // INCHWORM
    {26, 33, true, {{8, 16, 16}}},                                    // FIREBALL, FIREBULLET
    {28, 240, false, {{4, 32, 16}}},                                  // ZAPPER
    {31, 20, true, {{1, 4, 4}, {1, 6, 6}, {1, 8, 8}, {1, 10, 10}, {1, 12, 12}, {3, 14, 14}}},  // BOLL
    {33, 141, false, {{4, 20, 24}}},                                  // MEGA
    {35, 17, true, {{7, 26, 24}}},                                    // BAT
    {36, 19, false, {{5, 32, 32}}},                                   // KNIGHT
    {37, 50, true, {{4, 16, 16}, {6, 16, 16}}},                       // BEENEST, BEESWARM
    {38, 61, true, {{4, 16, 16}}},                                    // CRAB
    {39, 34, false, {{16, 32, 8}}},                                   // CROC
    {40, 181, false, {{1, 32, 16}}},                                  // EPIC
    {42, 55, false, {{6, 16, 16}}},                                   // edges of the ledge tiles
    {43, 60, false, {{8, 32, 32}}},                                   // DEMON
    {44, 104, false, {{6, 20, 28}, {10, 16, 32}}},                    // FATSO, ROMAN
    {45, 22, true, {{4, 16, 16}}},                                    // SPINBLAD
    {46, 27, true, {{15, 16, 32}}},                                   // EXPL1
    {47, 23, false, {{3, 22, 26}, {5, 6, 6}}},                        // SKULL and its eyes
    {49, 12, false, {{4, 16, 16}}},                                   // BUTTON
    {50, 14, true, {{4, 16, 16}}},                                    // PAC
    {51, 240, true, {{6, 24, 16}, {3, 8, 8}, {6, 16, 24}, {6, 28, 16}, {2, 12, 7}}},  // water kinds
    {52, 82, true, {{7, 24, 24}}},                                    // BOBSLUG
    {57, 200, false, {{4, 24, 32}}},                                  // PAUL
    {58, 23, true, {{6, 8, 8}}},                                      // BUNNY
    {59, 31, true, {{20, 24, 16}}},                                   // BIGANT
    {60, 18, true, {{8, 16, 14}}},                                    // FLY, SWITCH
    {61, 40, false, {{4, 16, 8}}},                                    // VINECLIMB
    {62, 15, true, {{1, 16, 12}, {1, 4, 4}}},                         // EYE and its pupil
    {63, 10, true, {{6, 14, 10}}},                                    // FROG, JILLFROG
};

// Body in the table's colour with a dark rim, a notch whose place moves with
// the frame number, and the frame number itself: kinds differ by colour and
// outline, frames by their number.
TCanvas DrawSprite(uint8_t colour, bool round, int frame, int w, int h) {
    TCanvas c(w, h);
    if (round) {
        c.Ellipse(0, 0, w, h, 16);
        c.Ellipse(1, 1, w - 2, h - 2, colour);
    } else {
        c.Fill(0, 0, w, h, colour);
        c.Frame(0, 0, w, h, 16);
    }
    c.Set(1 + frame % (w > 2 ? w - 2 : 1), h - 2, 15);
    c.CentredText(HexByte(frame), 15);
    return c;
}

void AddSpriteTables(TSampleShapeTables& tables) {
    for (const TSpriteTable& sprites : kSpriteTables) {
        TSampleShapeTable& table = tables[sprites.table];
        for (const TFrameRun& run : sprites.runs)
            for (int i = 0; i < run.count; ++i) {
                const int frame = static_cast<int>(table.frames.size());
                table.frames.push_back(DrawSprite(sprites.colour, sprites.round, frame, run.w, run.h));
            }
    }
    // The ledge edges are frames 1-5 of table 42: corner marks over a clear middle.
    for (int frame = 1; frame <= 5; ++frame) {
        TCanvas edge(16, 16);
        const bool top = frame == 1 || frame == 2 || frame == 5, left = frame == 1 || frame == 3 || frame == 5;
        const bool bottom = frame == 3 || frame == 4 || frame == 5, right = frame == 2 || frame == 4 || frame == 5;
        if (top) edge.Fill(0, 0, 16, 2, 55);
        if (bottom) edge.Fill(0, 14, 16, 2, 55);
        if (left) edge.Fill(0, 0, 2, 16, 55);
        if (right) edge.Fill(14, 0, 2, 16, 55);
        tables[42].frames[size_t(frame)] = edge;
    }
}

// The map picture of the title screen keeps its black: table 3 is drawn
// with colour 0 opaque.
void AddMapDemo(TSampleShapeTables& tables, TSampleGame game) {
    TSampleShapeTable& table = tables[3];
    table.flags = 4;
    for (int frame = 0; frame < 0x17; ++frame) {
        TCanvas c(16, 16, 0);
        c.Frame(0, 0, 16, 16, uint8_t(9 + int(game)));
        c.CentredText(HexByte(frame), 14);
        table.frames.push_back(c);
    }
}

// Table 0 holds the games' VGA palette as a 64 x 12 picture; ours holds a
// colour strip of the same size.
void AddPaletteStrip(TSampleShapeTables& tables) {
    TCanvas strip(64, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 64; ++x) strip.Set(x, y, uint8_t((y * 64 + x) / 3));
    tables[0].frames.push_back(strip);
    // A table above 63 is read but no shape number reaches it.
    TSampleShapeTable unreachable;
    unreachable.frames.push_back(TCanvas(8, 8, 12));
    tables[100] = unreachable;
}

void AddTileTables(TSampleShapeTables& tables, TSampleGame game) {
    const std::vector<uint8_t> colourMap = SampleTileColourMap(game);
    for (int tile = 0; tile < 600; ++tile) {
        TSampleShapeTable& table = tables[kFirstTileTable + tile / kTilesPerTable];
        table.depth = 4;
        table.colourMap = colourMap;
        table.frames.push_back(DrawSampleTile(tile));
    }
    // The look of an unlisted tile: a two-colour checker, in a 1-bit table.
    TSampleShapeTable& unlisted = tables[kUnlistedTileTable];
    unlisted.depth = 1;
    unlisted.colourMap = {colourMap[5], colourMap[12]};
    TCanvas checker(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) checker.Set(x, y, uint8_t((x / 4 + y / 4) % 2));
    unlisted.frames.push_back(checker);
}

}  // namespace

TSampleShapeTables BuildSampleShapes(TSampleGame game) {
    TSampleShapeTables tables;
    AddPaletteStrip(tables);
    AddSampleFonts(tables);
    AddMapDemo(tables, game);
    AddTileTables(tables, game);
    AddSpriteTables(tables);
    return tables;
}
