// Default boxes of objects: fixed per kind, or grown from the text, score or
// size the object carries.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "level/level_object.h"
#include "level/object_kinds.h"

namespace {

using namespace ObjKind;

std::pair<int, int> BoxOf(uint8_t kind, const std::string& text = "", uint16_t state = 0,
                          uint16_t counter = 0) {
    TLevelObject o;
    o.objkind = kind;
    o.insideStr = text;
    o.state = state;
    o.counter = counter;
    o.xl = o.yl = 77;   // to see whether it was set at all
    o.UpdateHitbox();
    return {o.xl, o.yl};
}

TEST(AppearanceHitbox, FixedSizesByKind) {
    const struct {
        uint8_t kind;
        int w, h;
    } cases[] = {
        {PLAYER, 16, 32},  {KILLME, 0, 0},     {MACROTRIG, 0, 0}, {BRIDGER, 0, 0},   {TINY, 4, 10},
        {BUNNY, 8, 8},     {BUBBLE, 8, 8},     {KNIFE, 10, 10},   {FISHBULLET, 12, 7}, {APPLE, 12, 12},
        {FROG, 14, 10},    {JILLFROG, 14, 10}, {INCHWORM, 16, 8}, {KEY, 16, 8},      {VINECLIMB, 16, 8},
        {EYE, 16, 12},     {FLY, 16, 14},      {CHECKPT, 16, 16}, {TXTMSG, 16, 16},  {JILLSPIDER, 16, 16},
        {ELEV, 16, 16},    {FIREBULLET, 16, 16}, {WISEMAN, 16, 24}, {DOOR, 16, 24},  {JELLYFISH, 16, 24},
        {FIRE, 16, 32},    {EXPL1, 16, 32},    {EXPL2, 16, 32},   {ROMAN, 16, 32},   {MEGA, 20, 24},
        {FATSO, 20, 28},   {SKULL, 22, 26},    {BIGANT, 24, 16},  {JILLFISH, 24, 16}, {BOBSLUG, 24, 24},
        {PAUL, 24, 32},    {BAT, 26, 32},      {BADFISH, 28, 16}, {ZAPPER, 32, 16},  {ANT, 32, 16},
        {EPIC, 32, 16},    {DEMON, 32, 32},    {KNIGHT, 32, 32},  {FLAG, 36, 16},    {SNAKE, 56, 16},
        {CROC, 64, 8},     {MAPDEMO, 64, 16},  {PAD, 16, 16},     {FIREBALL, 16, 16}, {CLOUD, 16, 16},
        {FALLDOOR, 16, 16}, {TOKEN, 16, 16},   {PHOENIX, 16, 16}, {SWITCH, 16, 16},  {GEM, 16, 16},
        {BOULDER, 16, 16}, {STALAG, 16, 16},   {SEAROCK, 16, 16}, {BEENEST, 16, 16}, {BEESWARM, 16, 16},
        {CRAB, 16, 16},    {SPINBLAD, 16, 16}, {BUTTON, 16, 16},  {PAC, 16, 16},     {JILLBIRD, 16, 16},
    };
    std::set<int> covered = {TEXT6, TEXT8, SCORE, BOLL};   // sized from their fields
    for (const auto& c : cases) {
        SCOPED_TRACE(ObjKindName(c.kind));
        EXPECT_EQ(BoxOf(c.kind), std::make_pair(c.w, c.h));
        covered.insert(c.kind);
    }
    EXPECT_EQ(covered.size(), size_t(kMaxSupportedObjKind + 1)) << "every known kind has a box";
}

TEST(AppearanceHitbox, TextBoxesGrowWithTheirText) {
    EXPECT_EQ(BoxOf(TEXT6), std::make_pair(6, 7));
    EXPECT_EQ(BoxOf(TEXT6, "Hello"), std::make_pair(30, 7));
    EXPECT_EQ(BoxOf(TEXT8), std::make_pair(8, 8));
    EXPECT_EQ(BoxOf(TEXT8, "Hi!"), std::make_pair(24, 8));
    // Longer than a 16-bit width can say: the widest box, not a wrapped one.
    EXPECT_EQ(BoxOf(TEXT6, std::string(20000, 'x')), std::make_pair(0xFFFF, 7));
    EXPECT_EQ(BoxOf(TEXT8, std::string(8192, 'x')), std::make_pair(0xFFFF, 8));
}

TEST(AppearanceHitbox, ScoreBoxCountsDigitsPlusTwo) {
    EXPECT_EQ(BoxOf(SCORE, "", 0), std::make_pair(12, 5));
    EXPECT_EQ(BoxOf(SCORE, "", 1500), std::make_pair(24, 5));
    EXPECT_EQ(BoxOf(SCORE, "", 65535), std::make_pair(28, 5));
}

TEST(AppearanceHitbox, BollGrowsUntilItsLastSize) {
    EXPECT_EQ(BoxOf(BOLL, "", 0, 0), std::make_pair(4, 4));
    EXPECT_EQ(BoxOf(BOLL, "", 0, 5), std::make_pair(14, 14));
    EXPECT_EQ(BoxOf(BOLL, "", 0, 6), std::make_pair(14, 14));
    EXPECT_EQ(BoxOf(BOLL, "", 0, 0xFFFF), std::make_pair(14, 14));
}

TEST(AppearanceHitbox, UnknownKindsKeepTheirBox) {
    EXPECT_EQ(BoxOf(69), std::make_pair(77, 77));
    EXPECT_EQ(BoxOf(255), std::make_pair(77, 77));
}

}  // namespace
