#include "sample_game/sample_levels.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>

#include "level/level_file.h"
#include "level/object_kinds.h"
#include "sample_game/sample_tiles.h"
#include "system/stream.h"

namespace {

using namespace ObjKind;

// The fields an object variant sets; everything else stays 0.
struct TVariant {
    uint8_t kind;
    std::initializer_list<std::pair<const char*, int>> fields;
    const char* text = nullptr;
};

TLevelObjectPtr MakeObject(const TVariant& v, int x, int y) {
    auto o = std::make_shared<TLevelObject>();
    o->objkind = v.kind;
    o->x = uint16_t(x);
    o->y = uint16_t(y);
    if (v.text) {
        o->insideStr = v.text;
        o->inside = 1;
    }
    for (auto [name, value] : v.fields) {
        const std::string field = name;
        const uint16_t u = uint16_t(value);
        if (field == "xd") o->xd = u;
        else if (field == "yd") o->yd = u;
        else if (field == "state") o->state = u;
        else if (field == "substate") o->substate = u;
        else if (field == "statecount") o->statecount = u;
        else if (field == "counter") o->counter = u;
        else if (field == "info1") o->info1 = u;
        else if (field == "inside") o->inside = value;
        else if (field == "objflags") o->objflags = u;
    }
    o->UpdateHitbox();
    for (auto [name, value] : v.fields)
        if (std::string(name) == "xl") o->xl = uint16_t(value);
    return o;
}

// Room an object takes on its shelf, its pictures included.
int ShelfWidth(const TLevelObject& o) {
    switch (o.objkind) {
    case CROC: case MAPDEMO: return 64;
    case TEXT6: case TEXT8: case SCORE: case SNAKE: return std::max<int>(o.xl, 16);
    default: return std::max<int>({o.xl, 16, o.objkind == FLAG ? 36 : 0});
    }
}

// Every kind in the states its frame rules tell apart.
const TVariant kShowcase[] = {
    {PLAYER, {{"statecount", 200}}}, {PLAYER, {{"substate", 3}, {"info1", 1}, {"xd", 5}}},
    {PLAYER, {{"substate", 5}, {"info1", -1}, {"xd", -5}}}, {PLAYER, {{"statecount", -1}, {"info1", 1}}},
    {PLAYER, {{"yd", -2}}}, {PLAYER, {{"yd", 5}}}, {PLAYER, {{"state", 2}, {"xd", 1}, {"substate", 1}}},
    {PLAYER, {{"state", 2}, {"substate", 2}, {"yd", 1}}}, {PLAYER, {{"state", 3}, {"substate", 3}}},
    {PLAYER, {{"state", 4}, {"statecount", 18}}}, {PLAYER, {{"state", 5}, {"substate", 2}, {"statecount", 17}}},
    {PLAYER, {{"counter", 6}}},
    {APPLE, {}}, {APPLE, {{"counter", 4}}}, {APPLE, {{"counter", 7}}},
    {KNIFE, {}},
    {KILLME, {}},
    {BIGANT, {{"counter", 2}}}, {BIGANT, {{"counter", 4}, {"xd", 1}}}, {BIGANT, {{"state", 3}}},
    {FLY, {}}, {FLY, {{"counter", 1}, {"xd", 1}}}, {FLY, {{"counter", 2}}},
    {MACROTRIG, {}},
    {DEMON, {}}, {DEMON, {{"counter", 4}, {"xd", -1}}}, {DEMON, {{"counter", 6}}},
    {BUNNY, {}}, {BUNNY, {{"xd", -1}, {"state", 1}}}, {BUNNY, {{"state", 1}, {"yd", 1}}},
    {INCHWORM, {}}, {INCHWORM, {{"statecount", 2}, {"xd", -1}}},
    {ZAPPER, {}}, {ZAPPER, {{"counter", 3}}},
    {BOBSLUG, {{"state", 1}}}, {BOBSLUG, {{"state", 2}, {"xd", 1}}},
    {CHECKPT, {}},
    {PAUL, {}}, {PAUL, {{"state", 2}}},
    {KEY, {}}, {KEY, {{"counter", 6}}},
    {PAD, {{"counter", 3}}},
    {WISEMAN, {}}, {WISEMAN, {{"state", 3}, {"xd", 1}}},
    {FATSO, {}}, {FATSO, {{"counter", 8}, {"xd", 1}}},
    {FIREBALL, {}}, {FIREBALL, {{"counter", 6}}},
    {CLOUD, {}},
    {TEXT6, {{"xd", 2}, {"yd", 0xFFFF}}, "Text6: Hello, World!"},
    {TEXT6, {{"xd", 6}, {"yd", 1}}, "ON BLUE 0123"},
    {TEXT8, {{"xd", 4}, {"yd", 0xFFFF}}, "TEXT8 ABC xyz 789 ?!"},
    {TEXT8, {{"xd", 0xFFFD}, {"yd", 8}}, "(grey)"},
    {FROG, {}}, {FROG, {{"xd", -1}, {"state", 1}, {"yd", 1}}},
    {TINY, {{"statecount", 1}}}, {TINY, {{"statecount", 2}, {"xd", 1}}}, {TINY, {{"xd", -1}, {"statecount", 3}}},
    {DOOR, {{"counter", 3}}},
    {FALLDOOR, {{"counter", 9}}},
    {BRIDGER, {}},
    {SCORE, {{"state", 1500}}}, {SCORE, {{"state", 50}, {"counter", 2}}},
    {TOKEN, {}}, {TOKEN, {{"counter", 4}}}, {TOKEN, {{"counter", 10}}},
    {ANT, {}}, {ANT, {{"counter", 3}, {"xd", -1}}}, {ANT, {{"state", 2}}},
    {PHOENIX, {{"counter", 2}}}, {PHOENIX, {{"counter", 3}, {"xd", -1}}}, {PHOENIX, {{"counter", 6}}},
    {FIRE, {}}, {FIRE, {{"counter", 9}, {"yd", 1}}},
    {SWITCH, {{"counter", 3}}}, {SWITCH, {{"state", 1}, {"counter", 9}}},
    {GEM, {}}, {GEM, {{"counter", 5}}},
    {TXTMSG, {}, "A message the game shows."}, {TXTMSG, {{"inside", 1}}},
    {BOULDER, {}}, {BOULDER, {{"counter", 3}}},
    {EXPL1, {}}, {EXPL1, {{"state", 2}, {"counter", 9}}},
    {EXPL2, {}}, {EXPL2, {{"counter", 3}}},
    {STALAG, {{"counter", 9}}},
    {SNAKE, {}}, {SNAKE, {{"xd", 1}, {"counter", 1}, {"xl", 72}}}, {SNAKE, {{"counter", 3}, {"xl", 40}}},
    {SEAROCK, {}},
    {BOLL, {}}, {BOLL, {{"counter", 3}}}, {BOLL, {{"counter", 7}}},
    {MEGA, {}}, {MEGA, {{"xd", 3}}},
    {BAT, {}}, {BAT, {{"state", 1}}}, {BAT, {{"state", 1}, {"counter", 2}, {"xd", -1}}},
    {KNIGHT, {{"counter", 3}}}, {KNIGHT, {{"statecount", 4}}}, {KNIGHT, {{"statecount", 6}}},
    {BEENEST, {}}, {BEENEST, {{"counter", 1}}}, {BEENEST, {{"counter", 2}, {"xd", 1}}},
    {BEESWARM, {}}, {BEESWARM, {{"counter", 2}, {"xd", 1}}},
    {CRAB, {}}, {CRAB, {{"counter", 2}}},
    {CROC, {}}, {CROC, {{"xd", 1}, {"counter", 2}}},
    {EPIC, {}},
    {SPINBLAD, {}}, {SPINBLAD, {{"counter", 3}}},
    {SKULL, {{"counter", 9}}}, {SKULL, {{"state", 1}, {"statecount", 3}}},
    {BUTTON, {{"counter", 9}}}, {BUTTON, {{"state", 1}, {"xd", 1}}},
    {PAC, {}}, {PAC, {{"xd", -1}}}, {PAC, {{"yd", 1}}}, {PAC, {{"yd", -1}}},
    {JILLFISH, {}}, {JILLFISH, {{"counter", 2}, {"substate", 1}}},
    {JILLSPIDER, {}},
    {JILLBIRD, {{"counter", 3}}}, {JILLBIRD, {{"counter", 1}, {"substate", -1}}},
    {JILLFROG, {{"info1", 1}}}, {JILLFROG, {{"state", 1}, {"yd", 1}}},
    {BUBBLE, {}}, {BUBBLE, {{"counter", 2}}},
    {JELLYFISH, {}}, {JELLYFISH, {{"counter", 3}}}, {JELLYFISH, {{"counter", 5}}},
    {BADFISH, {}}, {BADFISH, {{"counter", 2}, {"xd", 1}}},
    {ELEV, {}},
    {FIREBULLET, {}}, {FIREBULLET, {{"counter", 5}}},
    {FISHBULLET, {}}, {FISHBULLET, {{"xd", 1}}},
    {EYE, {}}, {EYE, {{"xd", -3}, {"yd", 2}}}, {EYE, {{"xd", 4}, {"yd", -2}}},
    {VINECLIMB, {}}, {VINECLIMB, {{"counter", 6}}},
    {FLAG, {}}, {FLAG, {{"counter", 5}}},
    {MAPDEMO, {}}, {MAPDEMO, {{"xd", 1}}},
    {ROMAN, {}}, {ROMAN, {{"counter", 5}, {"xd", 1}}},
};

void FillRect(TLevel& level, int x, int y, int w, int h, int tile) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) level.SetTile(x + i, y + j, uint16_t(tile));
}

// Blocks of the ledge tiles 20-23 in every neighbourhood that picks its own
// edge (open on all four sides, each corner, and closed in), and the
// overlay tiles 100-105 over every sort of neighbour, at the board's edges too.
void AddSpecialTiles(TLevel& level) {
    level.SetTile(0, 0, 21);                       // at the corner: off-board counts as open
    level.SetTile(3, 46, 20);                      // alone
    FillRect(level, 6, 45, 3, 3, 21);              // four corners, four edges and a closed middle
    level.SetTile(7, 46, 22);
    FillRect(level, 12, 45, 2, 2, 23);             // corners only
    FillRect(level, 16, 46, 4, 1, 20);             // a strip: ends and middles
    FillRect(level, 22, 44, 1, 4, 22);             // a column
    FillRect(level, 25, 44, 6, 4, 20);             // a block of mixed ledge tiles
    for (int i = 0; i < 6; ++i) level.SetTile(25 + i, 44 + i % 4, uint16_t(20 + i % 4));
    level.SetTile(127, 63, 23);                    // at the far corner
    // Drawn over the left neighbour: sky, ground, brick, water, a ledge, another overlay.
    const int leftNeighbours[] = {0, 5, 210, 75, 21, 100};
    for (int i = 0; i < 6; ++i) {
        level.SetTile(36 + 3 * i, 46, uint16_t(leftNeighbours[i]));
        level.SetTile(37 + 3 * i, 46, uint16_t(100 + i % 3));
    }
    for (int i = 0; i < 3; ++i) level.SetTile(0, 40 + i, uint16_t(100 + i));   // at x = 0: nothing to its left
    // Drawn over the tile above.
    const int aboveNeighbours[] = {0, 7, 230, 80, 22, 104};
    for (int i = 0; i < 6; ++i) {
        level.SetTile(36 + 3 * i, 49, uint16_t(aboveNeighbours[i]));
        level.SetTile(36 + 3 * i, 50, uint16_t(103 + i % 3));
    }
    for (int i = 0; i < 3; ++i) level.SetTile(60 + i, 0, uint16_t(103 + i));   // on the top row
}

void AddLandscape(TLevel& level) {
    FillRect(level, 0, 60, 128, 4, 1);
    for (int x = 0; x < 128; ++x) level.SetTile(x, 60, uint16_t(1 + x % 19));
    FillRect(level, 70, 56, 12, 4, 70);                               // a pool
    for (int x = 70; x < 82; ++x) level.SetTile(x, 56, uint16_t(70 + x % 20));
    for (int x = 84; x < 94; ++x) level.SetTile(x, 59, uint16_t(90 + x % 10));   // spikes
    FillRect(level, 96, 50, 10, 10, 200);                              // a brick house
    for (int i = 0; i < 100; ++i) level.SetTile(96 + i % 10, 50 + i / 10, uint16_t(200 + i * 2));
    FillRect(level, 108, 52, 20, 8, 400);                              // rocks
    for (int i = 0; i < 160; ++i) level.SetTile(108 + i % 20, 52 + i / 20, uint16_t(400 + i));
    for (int y = 44; y < 60; ++y) level.SetTile(66, y, uint16_t(50 + y % 20));   // a vine
    for (int i = 0; i < 40; ++i) level.SetTile(2 + i * 3 % 60, 52 + i % 6, uint16_t(106 + i * 2));
}

TLevelPtr BuildShowcase() {
    auto level = std::make_shared<TLevel>();
    level->objs.push_back(MakeObject({PLAYER, {}}, 24, 16));
    int x = 56, y = 16;
    for (const TVariant& v : kShowcase) {
        TLevelObjectPtr o = MakeObject(v, x, y);
        const int w = ShelfWidth(*o);
        if (x + w > 2040) {
            // Full shelf: put a floor under it and start the next one.
            for (int tx = 0; tx < 128; ++tx) level->SetTile(tx, (y + 32) / 16, uint16_t(24 + tx % 26));
            x = 8, y += 48;
            o->ChangePosition(x, y);
        }
        level->objs.push_back(o);
        x += w + 8;
    }
    for (int tx = 0; tx < 128; ++tx) level->SetTile(tx, (y + 32) / 16, uint16_t(24 + tx % 26));
    AddSpecialTiles(*level);
    AddLandscape(*level);
    level->pl_numinv = 3;
    level->pl_inv[1] = 1;
    level->pl_inv[2] = 5;
    level->numobjs = uint16_t(level->objs.size());
    return level;
}

// Every tile of the set, 40 to a row, each row labelled.
TLevelPtr BuildTileGallery() {
    auto level = std::make_shared<TLevel>();
    level->objs.push_back(MakeObject({PLAYER, {}}, 16, 16));
    for (int tile = 0; tile < 600; ++tile) level->SetTile(4 + tile % 40 * 3, 3 + tile / 40 * 4, uint16_t(tile));
    for (int row = 0; row < 15; ++row) {
        const std::string label = "TILES " + std::to_string(row * 40) + "-" + std::to_string(row * 40 + 39);
        level->objs.push_back(MakeObject({TEXT6, {{"xd", 7}, {"yd", 0xFFFF}}, nullptr}, 64, 36 + row * 64));
        level->objs.back()->insideStr = label;
        level->objs.back()->inside = 1;
        level->objs.back()->UpdateHitbox();
    }
    FillRect(*level, 0, 63, 128, 1, 9);
    level->numobjs = uint16_t(level->objs.size());
    return level;
}

// A small castle with linked switches, doors and a bridge, some board words
// carrying the two flag bits, and a player block with items and padding.
TLevelPtr BuildCastle(bool onesimus) {
    auto level = std::make_shared<TLevel>();
    FillRect(*level, 0, 0, 128, 64, onesimus ? 0 : 130);
    FillRect(*level, 0, 56, 128, 8, 300);
    FillRect(*level, 20, 40, 40, 2, 250);
    FillRect(*level, 60, 30, 2, 26, 260);
    FillRect(*level, 80, 44, 16, 1, 30);
    for (int x = 0; x < 128; x += 9) level->SetTile(x, 57, uint16_t(0x4000 | 301));
    for (int x = 4; x < 128; x += 13) level->SetTile(x, 58, uint16_t(0xC000 | 302));
    level->SetTile(40, 20, uint16_t(0x8000 | 21));
    const uint8_t hero = onesimus ? TINY : PLAYER;
    const TVariant objects[] = {
        {hero, {}},
        {SWITCH, {{"counter", 1}}},
        {DOOR, {{"counter", 1}}},
        {DOOR, {{"counter", 1}}},
        {BUTTON, {{"counter", 2}}},
        {FALLDOOR, {{"counter", 2}}},
        {BRIDGER, {{"counter", 2}}},
        {KNIGHT, {{"counter", 4}}},
        {SKULL, {{"counter", 4}, {"state", 1}, {"statecount", 5}}},
        {STALAG, {{"counter", 5}}},
        {PAD, {{"counter", 5}}},
        {MEGA, {{"counter", 6}, {"xd", 1}}},
        {TXTMSG, {}, onesimus ? "Onesimus was here." : "The prince is in another castle."},
        {TEXT8, {{"xd", 1}, {"yd", 0xFFFF}}, onesimus ? "ONESIMUS" : "JILL SAVES THE PRINCE"},
        {GEM, {{"counter", 2}}},
        {KEY, {}},
        {JILLFISH, {{"substate", 1}}},
    };
    int x = 32;
    for (const TVariant& v : objects) {
        TLevelObjectPtr o = MakeObject(v, x, 0);
        // Standing on the castle floor, whose top is at y = 896.
        o->ChangePosition(x, 896 - std::max<int>(o->yl, 16));
        level->objs.push_back(o);
        x += 48;
    }
    level->pl_level = 3;
    level->pl_health = 5;
    level->pl_numinv = 2;
    level->pl_inv[0] = 3;
    level->pl_inv[1] = 7;
    level->pl_score = 12345;
    level->pl_oldscore = 12000;
    for (size_t i = 0; i < level->pl_pad.size(); ++i) level->pl_pad[i] = uint8_t(i * 11 + 1);
    level->numobjs = uint16_t(level->objs.size());
    return level;
}

std::vector<uint8_t> EncodeLevel(const TLevel& level) {
    auto memory = std::make_shared<TMemoryStream>();
    WriteLevel(*LittleEndian(memory), level);
    return memory->Bytes();
}

}  // namespace

std::vector<TSampleFile> BuildSampleLevels() {
    return {
        {kSampleShowcaseLevel, EncodeLevel(*BuildShowcase())},
        {"tiles.jn2", EncodeLevel(*BuildTileGallery())},
        {"castle.jn3", EncodeLevel(*BuildCastle(false))},
        {"desert.one", EncodeLevel(*BuildCastle(true))},
    };
}
