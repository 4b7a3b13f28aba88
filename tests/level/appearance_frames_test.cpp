// The sprites each kind shows in a given state. Every case is one object put
// at (100, 50) unless it says otherwise, and the whole placement chain it gets.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "level/level_object.h"
#include "level/object_kinds.h"

namespace {

struct TPlace {
    int x, y, sh;
    bool operator==(const TPlace&) const = default;
};

struct TFields {
    int x = 100, y = 50, xd = 0, yd = 0, xl = 0, state = 0, substate = 0, statecount = 0, counter = 0,
        info1 = 0;
};

struct TCase {
    const char* name;
    uint8_t kind;
    TFields f;
    std::vector<TPlace> expected;
};

std::vector<TPlace> ChainOf(uint8_t kind, const TFields& f) {
    TLevelObject o;
    o.objkind = kind;
    o.x = uint16_t(f.x), o.y = uint16_t(f.y), o.xd = uint16_t(f.xd), o.yd = uint16_t(f.yd);
    o.xl = uint16_t(f.xl), o.state = uint16_t(f.state), o.substate = uint16_t(f.substate);
    o.statecount = uint16_t(f.statecount), o.counter = uint16_t(f.counter), o.info1 = uint16_t(f.info1);
    o.InitShape();
    std::vector<TPlace> chain;
    for (const TMyShape* s = o.myshape.get(); s; s = s->succ.get()) {
        EXPECT_EQ(s->bitmap, nullptr);
        chain.push_back({s->x, s->y, s->sh});
    }
    return chain;
}

std::vector<TPlace> At(int sh) { return {{100, 50, sh}}; }

TFields F(std::initializer_list<std::pair<const char*, int>> values) {
    TFields f;
    for (auto [name, v] : values) {
        const std::string n = name;
        if (n == "x") f.x = v;
        else if (n == "y") f.y = v;
        else if (n == "xd") f.xd = v;
        else if (n == "yd") f.yd = v;
        else if (n == "xl") f.xl = v;
        else if (n == "state") f.state = v;
        else if (n == "substate") f.substate = v;
        else if (n == "statecount") f.statecount = v;
        else if (n == "counter") f.counter = v;
        else if (n == "info1") f.info1 = v;
        else ADD_FAILURE() << "unknown field " << n;
    }
    return f;
}

using namespace ObjKind;

const std::vector<TCase> kCases = {
    // PLAYER standing, walking, climbing, swimming, rising and sinking.
    {"player all zero stands", PLAYER, {}, At(0x810)},
    {"player idle long", PLAYER, F({{"statecount", 200}}), At(0x811)},
    {"player idle past the long pose", PLAYER, F({{"statecount", 269}}), At(0x810)},
    {"player walking right", PLAYER, F({{"substate", 3}, {"info1", 1}, {"xd", 5}}), At(0x80B)},
    {"player walking left", PLAYER, F({{"substate", 11}, {"info1", 1}, {"xd", -5}}), At(0x803)},
    {"player turning right", PLAYER, F({{"substate", 8}, {"info1", 1}, {"xd", 2}}), At(0x815)},
    {"player standing, facing", PLAYER, F({{"statecount", 5}, {"info1", -1}}), At(0x814)},
    {"player standing, facing right", PLAYER, F({{"statecount", 5}, {"info1", 1}}), At(0x815)},
    {"player stood still long facing", PLAYER, F({{"statecount", 20}, {"info1", 1}}), At(0x810)},
    {"player ducking right", PLAYER, F({{"statecount", -1}, {"info1", 1}}), At(0x82C)},
    {"player ducking left deep", PLAYER, F({{"statecount", -4}, {"info1", -1}}), At(0x825)},
    {"player ducking still", PLAYER, F({{"statecount", -5}}), At(0x83D)},
    {"player jumping", PLAYER, F({{"yd", -2}}), At(0x813)},
    {"player landing", PLAYER, F({{"yd", 3}}), At(0x83D)},
    {"player falling", PLAYER, F({{"yd", 7}}), At(0x812)},
    {"player climbing still 0", PLAYER, F({{"state", 2}}), At(0x838)},
    {"player climbing still 1", PLAYER, F({{"state", 2}, {"substate", 1}}), At(0x839)},
    {"player climbing still down", PLAYER, F({{"state", 2}, {"substate", 2}, {"yd", 1}}), At(0x83C)},
    {"player climbing still up", PLAYER, F({{"state", 2}, {"substate", 2}}), At(0x83A)},
    {"player climbing left", PLAYER, F({{"state", 2}, {"xd", -1}, {"substate", 1}}), At(0x821)},
    {"player climbing right down", PLAYER, F({{"state", 2}, {"xd", 1}, {"substate", 4}, {"yd", 2}}),
     At(0x82C)},
    {"player climbing right up", PLAYER, F({{"state", 2}, {"xd", 1}, {"substate", 4}}), At(0x82A)},
    {"player swimming 1", PLAYER, F({{"state", 3}, {"substate", 1}}), At(0x818)},
    {"player swimming 5", PLAYER, F({{"state", 3}, {"substate", 5}}), At(0x819)},
    {"player swimming 4", PLAYER, F({{"state", 3}, {"substate", 4}}), At(0x81A)},
    {"player swimming odd", PLAYER, F({{"state", 3}, {"substate", 9}}), At(0x800)},
    {"player rising early", PLAYER, F({{"state", 4}, {"statecount", 3}}), {{100, 80, 0x813}}},
    {"player rising", PLAYER, F({{"state", 4}, {"statecount", 20}}), {{100, 63, 0x810}}},
    {"player risen", PLAYER, F({{"state", 4}, {"statecount", 30}, {"counter", 4}}), {{100, 53, 0x812}}},
    {"player dying start", PLAYER, F({{"state", 5}, {"counter", 6}}), At(0x842)},
    {"player dying 0", PLAYER, F({{"state", 5}, {"statecount", 9}}), At(0x832)},
    {"player dying 1", PLAYER, F({{"state", 5}, {"substate", 1}, {"statecount", -5}}), At(0x83F)},
    {"player sinking", PLAYER, F({{"state", 5}, {"substate", 2}, {"statecount", 16}}), {{100, 66, 0x84A}}},
    {"player sunk", PLAYER, F({{"state", 5}, {"substate", 2}, {"statecount", 21}}), At(0x800)},
    {"player dying other", PLAYER, F({{"state", 5}, {"substate", 3}, {"statecount", 2}}), At(0x800)},
    {"player unknown state", PLAYER, F({{"state", 7}}), At(0x800)},
    {"player with ring", PLAYER, F({{"counter", 6}}), {{100, 50, 0x810}, {100, 76, 0xE26}}},
    {"player negative counter", PLAYER, F({{"counter", -6}}), At(0x810)},

    {"apple", APPLE, F({{"counter", 5}}), At(0x902)},
    {"knife", KNIFE, {}, At(0xD00)},
    {"bigant walking left", BIGANT, F({{"counter", 3}}), At(0x3B03)},
    {"bigant walking right", BIGANT, F({{"counter", 3}, {"xd", 1}}), At(0x3B0D)},
    {"bigant hit", BIGANT, F({{"state", 2}, {"xd", 1}}), At(0x3B08)},
    {"bigant hit left", BIGANT, F({{"state", 2}, {"xd", -1}}), At(0x3B08)},
    {"fly left", FLY, F({{"counter", 4}}), At(0x3C00)},
    {"fly right wings", FLY, F({{"counter", 7}, {"xd", 1}}), At(0x3C05)},
    {"fly mid beat", FLY, F({{"counter", 6}}), At(0x3C02)},
    {"demon", DEMON, F({{"counter", 10}}), At(0x2B01)},
    {"demon left", DEMON, F({{"counter", 6}, {"xd", -1}}), At(0x2B07)},
    {"demon rest", DEMON, F({{"counter", 12}}), At(0x2B00)},
    {"bunny", BUNNY, {}, At(0x3A00)},
    {"bunny left rising", BUNNY, F({{"xd", -1}, {"state", 1}}), At(0x3A04)},
    {"bunny falling", BUNNY, F({{"state", 1}, {"yd", 2}}), At(0x3A02)},
    {"inchworm", INCHWORM, F({{"statecount", 2}, {"xd", -1}}), At(0x1605)},
    {"zapper", ZAPPER, F({{"counter", 2}}), At(0x5C02)},
    {"bobslug left", BOBSLUG, F({{"state", 2}}), At(0x3404)},
    {"bobslug right", BOBSLUG, F({{"state", 2}, {"xd", 1}}), At(0x3402)},
    {"paul", PAUL, F({{"state", 3}}), At(0x3903)},
    {"key", KEY, F({{"counter", 3}}), At(0xE07)},
    {"wiseman right", WISEMAN, F({{"state", 2}, {"xd", 1}}), At(0xB07)},
    {"fatso", FATSO, F({{"counter", 8}}), At(0x2C02)},
    {"fatso right", FATSO, F({{"counter", 12}, {"xd", 1}}), At(0x2C04)},
    {"fireball", FIREBALL, F({{"counter", 7}}), At(0x1A03)},
    {"cloud", CLOUD, {}, At(0xE0A)},
    {"frog left hop", FROG, F({{"xd", -1}, {"state", 1}, {"yd", 1}}), At(0x3F05)},
    {"tiny still", TINY, F({{"statecount", 3}}), {{100, 52, 0x1005}}},
    {"tiny still up", TINY, F({{"statecount", 2}, {"yd", -1}}), {{100, 52, 0x1006}}},
    {"tiny walking", TINY, F({{"statecount", 7}, {"xd", 1}}), {{100, 52, 0x1003}}},
    {"tiny walking left", TINY, F({{"statecount", 5}, {"xd", -1}}), {{100, 52, 0x1009}}},
    {"falldoor", FALLDOOR, {}, At(0xE10)},
    {"token first", TOKEN, {}, At(0xE26)},
    {"token last", TOKEN, F({{"counter", 10}}), At(0xE25)},
    {"token unknown", TOKEN, F({{"counter", 11}}), At(0xE00)},
    {"ant right", ANT, F({{"counter", 2}}), At(0xA02)},
    {"ant left", ANT, F({{"counter", 2}, {"xd", -1}}), At(0xA07)},
    {"ant hit left", ANT, F({{"state", 2}, {"xd", -1}}), At(0xA04)},
    {"ant hit right", ANT, F({{"state", 1}}), At(0xA04)},
    {"phoenix", PHOENIX, F({{"counter", 4}}), At(0xB02)},
    {"phoenix left", PHOENIX, F({{"counter", 3}, {"xd", -1}}), At(0xB07)},
    {"phoenix diving", PHOENIX, F({{"counter", 7}}), At(0xB09)},
    {"phoenix diving left", PHOENIX, F({{"counter", 6}, {"xd", -1}}), At(0xB08)},
    {"phoenix past cycle left", PHOENIX, F({{"counter", 8}, {"xd", -1}}), At(0xB00)},
    {"fire", FIRE, F({{"counter", 5}}), At(0xC02)},
    {"fire falling", FIRE, F({{"counter", 5}, {"yd", 1}}), At(0xC08)},
    {"switch on", SWITCH, F({{"state", 1}}), At(0x3C01)},
    {"gem", GEM, F({{"counter", 6}}), At(0x907)},
    {"boulder", BOULDER, F({{"counter", 3}}), At(0xE1B)},
    {"expl1", EXPL1, F({{"state", 1}, {"counter", 17}}), At(0x2E07)},
    {"expl2 middle", EXPL2, F({{"counter", 4}}), At(0xE1C)},
    {"expl2 edge", EXPL2, F({{"counter", 7}}), At(0xE1F)},
    {"expl2 done", EXPL2, F({{"counter", 9}}), At(0xE00)},
    {"stalag", STALAG, {}, At(0xE21)},
    {"searock", SEAROCK, {}, At(0xE22)},
    {"boll", BOLL, F({{"counter", 3}}), At(0x1F03)},
    {"mega", MEGA, F({{"xd", 2}}), At(0x2102)},
    {"bat hanging", BAT, F({{"counter", 3}, {"xd", -1}}), {{106, 52, 0x2300}}},
    {"bat flying", BAT, F({{"state", 1}, {"counter", 1}}), At(0x2301)},
    {"bat flying low left", BAT, F({{"state", 1}, {"counter", 2}, {"xd", -1}}), {{100, 58, 0x2305}}},
    {"bat wings level", BAT, F({{"state", 1}, {"counter", 4}}), At(0x2300)},
    {"bat wings low", BAT, F({{"state", 1}, {"counter", 7}}), {{100, 58, 0x2302}}},
    {"knight rest", KNIGHT, {}, {{108, 50, 0x2400}}},
    {"knight swing", KNIGHT, F({{"statecount", 8}}), At(0x2402)},
    {"knight swing deep", KNIGHT, F({{"statecount", 6}}), At(0x2404)},
    {"beenest", BEENEST, F({{"counter", 1}}), At(0x2501)},
    {"beenest right", BEENEST, F({{"counter", 2}, {"xd", 1}}), At(0x2503)},
    {"beenest whole", BEENEST, F({{"counter", 3}}), At(0x2500)},
    {"beeswarm right", BEESWARM, F({{"counter", 2}, {"xd", 1}}), At(0x2509)},
    {"crab", CRAB, F({{"counter", 1}}), At(0x2601)},
    {"croc right", CROC, F({{"counter", 1}, {"xd", 1}}), {{132, 50, 0x2705}, {100, 50, 0x2701}}},
    {"croc left", CROC, F({{"counter", 2}}), {{100, 50, 0x270E}, {132, 50, 0x270A}}},
    {"epic", EPIC, {}, At(0x2800)},
    {"spinblad", SPINBLAD, F({{"counter", 2}}), At(0x2D02)},
    {"skull asleep", SKULL, F({{"statecount", 4}}), At(0x2F02)},
    {"skull awake", SKULL, F({{"state", 1}, {"statecount", 3}}),
     {{100, 50, 0x2F01}, {100, 55, 0x2F06}, {110, 55, 0x2F04}}},
    {"button up right", BUTTON, F({{"xd", 1}}), At(0x3103)},
    {"button down", BUTTON, F({{"state", 1}}), At(0x3100)},
    {"pac left", PAC, F({{"xd", -1}, {"yd", 1}}), At(0x3201)},
    {"pac down", PAC, F({{"xd", 1}, {"yd", 1}}), At(0x3203)},
    {"pac up", PAC, F({{"yd", -1}}), At(0x3202)},
    {"pac right", PAC, F({{"xd", 1}}), At(0x3200)},
    {"jillfish", JILLFISH, F({{"counter", 3}}), At(0x3301)},
    {"jillfish right", JILLFISH, F({{"counter", 2}, {"substate", 1}}), At(0x3305)},
    {"jillfish other", JILLFISH, F({{"counter", 4}, {"substate", -1}}), At(0x3300)},
    {"jillbird", JILLBIRD, F({{"counter", 5}}), At(0xB01)},
    {"jillbird left", JILLBIRD, F({{"counter", 3}, {"substate", -2}}), At(0xB07)},
    {"jillfrog right", JILLFROG, F({{"info1", 1}}), At(0x3F00)},
    {"jillfrog left hop", JILLFROG, F({{"state", 1}}), At(0x3F04)},
    {"bubble", BUBBLE, F({{"counter", 2}}), At(0x3308)},
    {"jellyfish", JELLYFISH, {}, At(0x3309)},
    {"jellyfish 8", JELLYFISH, F({{"counter", 8}}), At(0x330B)},
    {"jellyfish 5", JELLYFISH, F({{"counter", 5}}), At(0x330E)},
    {"jellyfish 10", JELLYFISH, F({{"counter", 10}}), At(0x3300)},
    {"badfish", BADFISH, F({{"counter", 6}}), At(0x3311)},
    {"badfish right", BADFISH, F({{"counter", 4}, {"xd", 1}}), At(0x3312)},
    {"elev", ELEV, {}, At(0xE2C)},
    {"firebullet", FIREBULLET, F({{"counter", 3}}), At(0x1A03)},
    {"fishbullet right", FISHBULLET, F({{"xd", 1}}), At(0x3316)},
    {"eye", EYE, F({{"xd", -2}, {"yd", 3}}), {{100, 50, 0x3E00}, {103, 57, 0x3E01}}},
    {"vineclimb", VINECLIMB, F({{"counter", 3}}), At(0x3D01)},
    {"flag", FLAG, F({{"counter", 4}}), {{102, 50, 0x503}}},
    {"mapdemo four", MAPDEMO, {},
     {{100, 50, 0x310}, {116, 50, 0x311}, {132, 50, 0x312}, {148, 50, 0x313}}},
    {"mapdemo three", MAPDEMO, F({{"xd", 1}}), {{100, 50, 0x314}, {116, 50, 0x315}, {132, 50, 0x316}}},
    {"mapdemo other", MAPDEMO, F({{"xd", 2}}), {}},
    {"roman right", ROMAN, F({{"counter", 3}, {"xd", 1}}), At(0x2C0B)},

    {"snake left", SNAKE, F({{"xl", 56}}),
     {{148, 62, 0xF0C}, {116, 62, 0xF03}, {124, 62, 0xF03}, {132, 62, 0xF03}, {140, 62, 0xF03},
      {100, 50, 0xF09}}},
    {"snake right", SNAKE, F({{"xl", 40}, {"xd", 1}, {"counter", 3}}),
     {{124, 50, 0xF01}, {108, 62, 0xF06}, {116, 62, 0xF06}, {100, 62, 0xF08}}},
    {"snake too short", SNAKE, F({{"xl", 16}, {"counter", 9}}), {{108, 62, 0xF05}, {100, 50, 0xF09}}},

    // Positions are signed; shape numbers wrap at 16 bits.
    {"negative position", KNIFE, F({{"x", -20}, {"y", -3}}), {{-20, -3, 0xD00}}},
    {"frame wraps", EXPL1, F({{"counter", 0xFFF8}}), At(0xCE0F)},

    // Drawn as their outline only.
    {"killme", KILLME, {}, {}},
    {"macrotrig", MACROTRIG, {}, {}},
    {"checkpt", CHECKPT, {}, {}},
    {"pad", PAD, {}, {}},
    {"door", DOOR, {}, {}},
    {"bridger", BRIDGER, {}, {}},
    {"txtmsg", TXTMSG, {}, {}},
    {"jillspider", JILLSPIDER, {}, {}},
    {"text6", TEXT6, {}, {}},
    {"text8", TEXT8, {}, {}},
    {"score", SCORE, {}, {}},
    {"unknown kind", 69, {}, {}},
    {"highest kind", 255, {}, {}},
};

TEST(AppearanceFrames, EveryKindPicksTheGamesFrame) {
    for (const TCase& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChainOf(c.kind, c.f), c.expected);
    }
}

TEST(AppearanceFrames, RebuildingDropsTheOldChain) {
    TLevelObject o;
    o.objkind = MAPDEMO;
    o.InitShape();
    ASSERT_NE(o.myshape, nullptr);
    o.xd = 2;
    o.InitShape();
    EXPECT_EQ(o.myshape, nullptr);
    o.objkind = KNIFE;
    o.InitShape();
    o.InitShape();
    ASSERT_NE(o.myshape, nullptr);
    EXPECT_EQ(o.myshape->succ, nullptr);
}

TEST(AppearanceFrames, VeryLongSnakeStopsAtTheBoardsWidth) {
    // The length comes from the file: a body wider than the board gets no
    // more than the 256 segments that span it, and its head stays in place.
    auto chain = ChainOf(SNAKE, F({{"xl", 0xFFFF}, {"xd", 1}}));
    ASSERT_EQ(chain.size(), size_t(256 + 2));
    EXPECT_EQ(chain.front(), (TPlace{100 + 0xFFFF - 16, 50, 0xF00}));
    EXPECT_EQ(chain[256], (TPlace{100 + 8 * 256, 62, 0xF03}));
    chain = ChainOf(SNAKE, F({{"xl", 24 + 8 * 256}}));
    EXPECT_EQ(chain.size(), size_t(256 + 2));
}

}  // namespace
