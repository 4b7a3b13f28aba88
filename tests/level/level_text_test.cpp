#include <gtest/gtest.h>

#include "level/level.h"
#include "level/object_kinds.h"
#include "level/object_text.h"
#include "level/save_findings.h"

namespace {

TLevelObjectPtr MakeObject(uint8_t kind) {
    auto obj = std::make_shared<TLevelObject>();
    obj->objkind = kind;
    return obj;
}

TEST(ObjectText, ShowsEveryFieldSignedAndTheIndexWithinTheLevel) {
    auto obj = MakeObject(ObjKind::TXTMSG);
    obj->x = 16;
    obj->y = 0xFFFF;
    obj->xd = 0x8000;
    obj->yd = 4;
    obj->xl = 5;
    obj->yl = 6;
    obj->state = 7;
    obj->substate = 8;
    obj->statecount = 9;
    obj->counter = 10;
    obj->objflags = 0xFFFE;
    obj->info1 = 12;
    obj->zaphold = 13;
    obj->insideStr = "Hello \"you\"";
    const std::string fields =
        "kind=34 (TXTMSG) x=16 y=-1 xd=-32768 yd=4 xl=5 yl=6 state=7 substate=8 statecount=9 counter=10 "
        "objflags=-2 info1=12 zaphold=13 inside=";

    EXPECT_EQ(ObjectToString(nullptr, obj.get()), fields + "NULL") << "a text without the inside flag is not shown";
    obj->inside = 1;
    EXPECT_EQ(ObjectToString(nullptr, obj.get()), fields + "\"Hello \"you\"\"");

    TLevel level;
    level.AddObject(MakeObject(ObjKind::PLAYER));
    EXPECT_EQ(ObjectToString(&level, obj.get()).substr(0, 5), "kind=") << "not in the level: no index";
    level.AddObject(obj);
    EXPECT_EQ(ObjectToString(&level, obj.get()), "#1 " + fields + "\"Hello \"you\"\"");
    EXPECT_EQ(ObjectToString(&level, nullptr), "");

    auto odd = MakeObject(200);
    EXPECT_EQ(ObjectToString(nullptr, odd.get()).substr(0, 34), "kind=200 (unhandled kind: 200) x=0");
}

const std::string kTooMany = "There are 259 objects in the level,\nbut the game only supports up to 258 objects.";
const std::string kNoObjects =
    "There are no objects in the level.\nYou need to place at least a player object in the level.";
const std::string kNoPlayer =
    "The object at index 0 is not a player object.\nThe game expects the object at index 0 to be a player object.";
const std::string kBadKind = "The level countains objects with an unsupported objkind value.";
const std::string kDanger = "\n\nWARNING:\nLoading this level in the game could damage your system!";

TEST(SaveFindings, AWellFormedLevelHasNone) {
    for (uint8_t player : {ObjKind::PLAYER, ObjKind::TINY, ObjKind::JILLFISH, ObjKind::JILLBIRD, ObjKind::JILLFROG}) {
        TLevel level;
        level.AddObject(MakeObject(player));
        level.AddObject(MakeObject(ObjKind::ROMAN));
        TSaveFindings findings = FindSaveProblems(level);
        EXPECT_FALSE(findings.any) << int(player);
        EXPECT_FALSE(findings.serious);
        EXPECT_EQ(findings.message, "");
    }
}

TEST(SaveFindings, PlayerProblemsAreNotSerious) {
    TLevel level;
    TSaveFindings findings = FindSaveProblems(level);
    EXPECT_TRUE(findings.any);
    EXPECT_FALSE(findings.serious);
    EXPECT_EQ(findings.message, kNoObjects);

    level.AddObject(MakeObject(ObjKind::JILLSPIDER));
    findings = FindSaveProblems(level);
    EXPECT_FALSE(findings.serious);
    EXPECT_EQ(findings.message, kNoPlayer);

    level.objs[0] = nullptr;
    EXPECT_EQ(FindSaveProblems(level).message, kNoPlayer);
}

TEST(SaveFindings, LimitsOfTheGameAreSeriousAndJoinedInOrder) {
    TLevel level;
    level.AddObject(MakeObject(ObjKind::APPLE));
    for (int i = 0; i < 257; ++i) level.AddObject(MakeObject(ObjKind::GEM));
    level.AddObject(MakeObject(69));
    level.AddObject(MakeObject(255));
    level.DeleteObject(level.objs[1].get());   // 260 - 1 = 259 objects
    TSaveFindings findings = FindSaveProblems(level);
    EXPECT_TRUE(findings.any);
    EXPECT_TRUE(findings.serious);
    EXPECT_EQ(findings.message, kTooMany + "\n\n" + kNoPlayer + "\n\n" + kBadKind + kDanger);

    TLevel small;
    small.AddObject(MakeObject(ObjKind::PLAYER));
    small.AddObject(MakeObject(69));
    findings = FindSaveProblems(small);
    EXPECT_TRUE(findings.serious);
    EXPECT_EQ(findings.message, kBadKind + kDanger);
}

}  // namespace
