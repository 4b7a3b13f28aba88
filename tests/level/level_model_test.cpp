#include <gtest/gtest.h>

#include "image/bitmap.h"
#include "level/level.h"
#include "level/object_kinds.h"

namespace {

TLevelObjectPtr MakeObject(uint8_t kind, uint16_t counter = 0) {
    auto obj = std::make_shared<TLevelObject>();
    obj->objkind = kind;
    obj->counter = counter;
    return obj;
}

// A level of n objects whose x fields number them 0..n-1.
TLevelPtr NumberedLevel(int n) {
    auto level = std::make_shared<TLevel>();
    for (int i = 0; i < n; ++i) {
        auto obj = MakeObject(ObjKind::APPLE);
        obj->x = uint16_t(i);
        level->AddObject(obj);
    }
    return level;
}

std::vector<int> Order(const TLevel& level) {
    std::vector<int> order;
    for (const auto& obj : level.objs) order.push_back(obj ? obj->x : -1);
    return order;
}

TEST(LevelModel, BoardIsColumnMajorAndSafeOffTheBoard) {
    TLevel level;
    level.SetTile(3, 5, 0xC005);
    EXPECT_EQ(level.bd[3 * 64 + 5], 0xC005) << "flags are stored with the tile";
    EXPECT_EQ(level.Board(3, 5), 5) << "flags are masked off when reading the tile number";
    level.SetTile(127, 63, 7);
    EXPECT_EQ(level.bd.back(), 7);

    for (auto [x, y] : {std::pair{128, 0}, {-1, 5}, {3, 64}, {0, -1}}) {
        level.SetTile(x, y, 9);
        EXPECT_EQ(level.Board(x, y), 0) << x << "," << y;
    }
    int changed = 0;
    for (uint16_t word : level.bd) changed += word != 0;
    EXPECT_EQ(changed, 2) << "writes off the board must not land anywhere";
}

TEST(LevelModel, EdgedTilesGetTheOverlayOfTheirOpenSides) {
    TLevel level;
    uint16_t overlay = 0;
    level.SetTile(10, 10, 21);
    EXPECT_EQ(level.GetTile(10, 10, overlay), 21);
    EXPECT_EQ(overlay, 0x2A05) << "all four sides open";

    // Close the right and below sides: only above and left stay open.
    level.SetTile(11, 10, 20);
    level.SetTile(10, 11, 22);
    level.GetTile(10, 10, overlay);
    EXPECT_EQ(overlay, 0x2A01);

    // Close above and left instead: right and below open.
    level.SetTile(11, 10, 0);
    level.SetTile(10, 11, 0);
    level.SetTile(10, 9, 23);
    level.SetTile(9, 10, 0xC000 | 20);   // flags do not hide the tile number
    level.GetTile(10, 10, overlay);
    EXPECT_EQ(overlay, 0x2A04);

    // Only the diagonals open: no rule matches.
    level.SetTile(11, 10, 20);
    level.SetTile(10, 11, 20);
    EXPECT_EQ(level.GetTile(10, 10, overlay), 21);
    EXPECT_EQ(overlay, kNoOverlay);

    level.SetTile(0, 0, 21);
    level.GetTile(0, 0, overlay);
    EXPECT_EQ(overlay, 0x2A05) << "cells off the board count as open";
}

TEST(LevelModel, LeftAndUpperOverlayTilesAreDrawnOverTheirNeighbour) {
    TLevel level;
    uint16_t overlay = 0;
    level.SetTile(0, 3, 101);
    EXPECT_EQ(level.GetTile(0, 3, overlay), 101);
    EXPECT_EQ(overlay, kNoOverlay);

    level.SetTile(4, 3, 0x4033);
    level.SetTile(5, 3, 101);
    EXPECT_EQ(level.GetTile(5, 3, overlay), 0x33);
    EXPECT_EQ(overlay, 0x8065);

    level.SetTile(6, 0, 104);
    EXPECT_EQ(level.GetTile(6, 0, overlay), 0) << "above the top row reads as 0";
    EXPECT_EQ(overlay, 0x8068);
    level.SetTile(6, 1, 105);
    EXPECT_EQ(level.GetTile(6, 1, overlay), 104);
    EXPECT_EQ(overlay, 0x8069);

    level.SetTile(7, 7, 99);
    EXPECT_EQ(level.GetTile(7, 7, overlay), 99);
    EXPECT_EQ(overlay, kNoOverlay);
}

TEST(LevelModel, ChangeObjectIndexClampsAndKeepsTheOthersInOrder) {
    auto level = NumberedLevel(10);
    TLevelObject* third = level->objs[2].get();
    level->ChangeObjectIndex(third, 999);
    EXPECT_EQ(Order(*level), (std::vector<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, 2}));
    level->ChangeObjectIndex(third, -3);
    EXPECT_EQ(Order(*level), (std::vector<int>{2, 0, 1, 3, 4, 5, 6, 7, 8, 9}));
    level->ChangeObjectIndex(level->objs[7].get(), 4);
    EXPECT_EQ(Order(*level), (std::vector<int>{2, 0, 1, 3, 7, 4, 5, 6, 8, 9}));

    TLevelObject stranger;
    level->ChangeObjectIndex(&stranger, 0);
    level->ChangeObjectIndex(nullptr, 0);
    EXPECT_EQ(Order(*level), (std::vector<int>{2, 0, 1, 3, 7, 4, 5, 6, 8, 9}));
    EXPECT_EQ(level->numobjs, 10);
}

TEST(LevelModel, AddAndDeleteGoByIdentity) {
    TLevel level;
    auto a = MakeObject(ObjKind::GEM);
    auto twin = MakeObject(ObjKind::GEM);
    level.AddObject(a);
    level.AddObject(a);
    level.AddObject(nullptr);
    EXPECT_EQ(level.numobjs, 1) << "adding an object twice or a null object changes nothing";
    level.AddObject(twin);
    EXPECT_EQ(level.numobjs, 2) << "an equal but distinct object is added";
    EXPECT_EQ(level.GetObjectIndex(twin.get()), 1);
    EXPECT_FALSE(level.ContainsObject(nullptr));

    level.objs.push_back(a);   // a duplicate entry that only outside code could make
    level.DeleteObject(a.get());
    ASSERT_EQ(level.numobjs, 1);
    EXPECT_EQ(level.objs[0], twin);
    EXPECT_EQ(level.GetObjectIndex(a.get()), -1);
}

TEST(LevelModel, PurgeObjectsDropsKillMeAndKeepsTheArrayLength) {
    TLevel level;
    for (uint8_t kind : {ObjKind::APPLE, ObjKind::KILLME, ObjKind::GEM, ObjKind::KILLME, ObjKind::KEY})
        level.AddObject(MakeObject(kind));
    level.PurgeObjects();
    EXPECT_EQ(level.numobjs, 3);
    ASSERT_EQ(level.objs.size(), 5u);
    EXPECT_EQ(level.objs[0]->objkind, ObjKind::APPLE);
    EXPECT_EQ(level.objs[1]->objkind, ObjKind::GEM);
    EXPECT_EQ(level.objs[2]->objkind, ObjKind::KEY);
    EXPECT_EQ(level.objs[3], nullptr);
    EXPECT_EQ(level.objs[4], nullptr);
}

TEST(LevelModel, GetLinksGivesOneObjectPerLinkId) {
    TLevel level;
    auto sw = MakeObject(ObjKind::SWITCH, 4);
    level.AddObject(MakeObject(ObjKind::APPLE, 4));   // not linkable: ignored
    level.AddObject(sw);
    level.AddObject(MakeObject(ObjKind::DOOR, 4));
    level.AddObject(MakeObject(ObjKind::DOOR, 4));
    auto button = MakeObject(ObjKind::BUTTON, 0);
    level.AddObject(button);
    level.objs.push_back(nullptr);
    auto links = level.GetLinks();
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0], sw);
    EXPECT_EQ(links[1], button);
}

TEST(LevelModel, CloneSharesNothingMutable) {
    auto level = NumberedLevel(3);
    level->SetTile(1, 1, 0x8001);
    level->pl_pad[21] = 0xEE;
    level->pl_inv[3] = 77;
    level->levelfile = "a.jn1";
    level->objs[1]->insideStr = "hi";
    level->objs[1]->AddShape(1, 2, 0x2B01, nullptr);

    auto copy = level->Clone();
    EXPECT_EQ(copy->bd, level->bd);
    EXPECT_EQ(copy->pl_pad, level->pl_pad);
    EXPECT_EQ(copy->pl_inv, level->pl_inv);
    EXPECT_EQ(copy->levelfile, "a.jn1");
    ASSERT_EQ(copy->numobjs, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(copy->objs[i], level->objs[i]);
        EXPECT_TRUE(copy->objs[i]->Equals(level->objs[i].get()));
    }
    // The pictures are shared until one side changes its chain: moving the
    // copy below must leave the source's placements where they were.
    ASSERT_TRUE(copy->objs[1]->myshape);
    EXPECT_EQ(copy->objs[1]->myshape, level->objs[1]->myshape);

    copy->SetTile(1, 1, 0);
    copy->objs[1]->ChangePosition(50, 50);
    copy->objs[1]->insideStr = "changed";
    EXPECT_EQ(level->bd[64 + 1], 0x8001);
    EXPECT_EQ(level->objs[1]->x, 1);
    EXPECT_EQ(level->objs[1]->myshape->x, 1);
    EXPECT_EQ(level->objs[1]->insideStr, "hi");
}

TEST(LevelObject, EqualsComparesEveryRecordFieldAndTheText) {
    TLevelObject a;
    EXPECT_EQ(a.Equals(nullptr), 0);
    std::vector<void (*)(TLevelObject&)> changes = {
        [](TLevelObject& o) { o.objkind = 1; },    [](TLevelObject& o) { o.x = 1; },
        [](TLevelObject& o) { o.y = 1; },          [](TLevelObject& o) { o.xd = 1; },
        [](TLevelObject& o) { o.yd = 1; },         [](TLevelObject& o) { o.xl = 1; },
        [](TLevelObject& o) { o.yl = 1; },         [](TLevelObject& o) { o.state = 1; },
        [](TLevelObject& o) { o.substate = 1; },   [](TLevelObject& o) { o.statecount = 1; },
        [](TLevelObject& o) { o.counter = 1; },    [](TLevelObject& o) { o.objflags = 1; },
        [](TLevelObject& o) { o.inside = 1; },     [](TLevelObject& o) { o.insideStr = "x"; },
        [](TLevelObject& o) { o.info1 = 1; },      [](TLevelObject& o) { o.zaphold = 1; },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        TLevelObject b;
        changes[i](b);
        EXPECT_EQ(a.Equals(&b), 0) << "field change " << i;
        TLevelObject c;
        c.CopyFrom(&b);
        EXPECT_EQ(c.Equals(&b), 1) << "CopyFrom misses field change " << i;
    }
    TLevelObject withPicture;
    withPicture.AddShape(0, 0, 0x2B00, nullptr);
    EXPECT_EQ(a.Equals(&withPicture), 1) << "pictures are not compared";
}

TEST(LevelObject, CopyFromSharesTheChainUntilEitherObjectChangesIt) {
    TLevelObject source;
    source.AddShape(1, 2, 0x2B01, nullptr);
    auto label = CreateBitmap(3, 2, nullptr, 1);
    ASSERT_TRUE(label);
    source.AddShape(5, 6, kNoShape, label);
    source.AddShape(7, 8, kNoShape, nullptr);   // nothing to draw: not added

    TLevelObject copy;
    copy.AddShape(99, 99, 0x2B02, nullptr);   // its old chain goes
    copy.CopyFrom(&source);
    ASSERT_TRUE(copy.myshape);
    EXPECT_EQ(copy.myshape->sh, 0x2B01);
    EXPECT_EQ(copy.myshape->image, nullptr);
    const TMyShape* second = copy.myshape->succ.get();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->x, 5);
    EXPECT_EQ(second->sh, kNoShape);
    EXPECT_EQ(second->bitmap, label);
    EXPECT_EQ(second->image, source.myshape->succ->image);
    EXPECT_EQ(second->succ, nullptr);
    // Moving the copy, or adding to either, leaves the other's placements alone.
    copy.ChangePosition(10, 0);
    ASSERT_TRUE(copy.myshape && copy.myshape->succ);
    EXPECT_EQ(copy.myshape->succ->x, 15);
    EXPECT_EQ(copy.myshape->succ->image, label ? source.myshape->succ->image : nullptr);
    EXPECT_EQ(source.myshape->succ->x, 5);
    TLevelObject third;
    third.CopyFrom(&source);
    third.AddShape(0, 0, 0x2B03, nullptr);
    EXPECT_EQ(source.myshape->succ->succ, nullptr);

    copy.CopyFrom(&copy);
    ASSERT_TRUE(copy.myshape && copy.myshape->succ);
    EXPECT_EQ(copy.myshape->succ->succ, nullptr) << "copying from itself keeps the chain as it was";
    EXPECT_EQ(copy.CopyFrom(nullptr), 0);
    EXPECT_TRUE(copy.myshape);
}

TEST(LevelObject, ChangePositionMovesTheSpritesAlongInSigned16BitArithmetic) {
    TLevelObject obj;
    obj.x = 5;
    obj.y = 0xFFFE;   // -2
    obj.AddShape(-3, 10, 0x2B00, nullptr);
    obj.AddShape(100, -20, 0x2B01, nullptr);
    obj.ChangePosition(20, 3);
    EXPECT_EQ(obj.x, 20);
    EXPECT_EQ(obj.y, 3);
    EXPECT_EQ(obj.myshape->x, 12);
    EXPECT_EQ(obj.myshape->y, 15);
    EXPECT_EQ(obj.myshape->succ->x, 115);
    EXPECT_EQ(obj.myshape->succ->y, -15);

    obj.ChangePosition(-7, 40000);
    EXPECT_EQ(obj.x, 0xFFF9);
    EXPECT_EQ(obj.y, uint16_t(40000));
}

TEST(ObjectKinds, NamesAndClasses) {
    EXPECT_EQ(ObjKindName(0), "PLAYER");
    EXPECT_EQ(ObjKindName(34), "TXTMSG");
    EXPECT_EQ(ObjKindName(55), "JILLSPIDER");
    EXPECT_EQ(ObjKindName(68), "ROMAN");
    EXPECT_EQ(ObjKindName(69), "unhandled kind: 69");
    EXPECT_EQ(ObjKindName(255), "unhandled kind: 255");

    std::vector<int> linkable, player;
    for (int kind = 0; kind < 256; ++kind) {
        if (IsLinkableKind(uint8_t(kind))) linkable.push_back(kind);
        if (IsPlayerKind(uint8_t(kind))) player.push_back(kind);
    }
    EXPECT_EQ(linkable, (std::vector<int>{15, 24, 25, 26, 32, 38, 42, 44, 51, 52}));
    EXPECT_EQ(player, (std::vector<int>{0, 23, 54, 56, 57}));

    EXPECT_EQ(AsSigned16(0xFFFF), -1);
    EXPECT_EQ(AsSigned16(0x8000), -32768);
    EXPECT_EQ(AsSigned16(0x7FFF), 32767);
}

}  // namespace
