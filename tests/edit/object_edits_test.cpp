#include <gtest/gtest.h>

#include "document/inventory_edits.h"
#include "document/level_document.h"
#include "document/object_edits.h"
#include "level/level.h"
#include "level/object_kinds.h"

namespace {

TLevelObjectPtr Switch(uint16_t id) {
    auto obj = std::make_shared<TLevelObject>();
    obj->objkind = ObjKind::SWITCH;
    obj->counter = id;
    return obj;
}

TEST(ObjectEdits, PlacingMovingLinkingAndDeletingAreEachOneUndoableStep) {
    TLevelDocument document;
    document.New();
    TLevelObjectPtr a = Switch(1), b = Switch(1);

    EXPECT_TRUE(PlaceObject(document, a, 32, 48));
    EXPECT_TRUE(document.level->ContainsObject(a.get()));
    EXPECT_EQ(document.levelchanged, 1);
    EXPECT_FALSE(PlaceObject(document, a, 32, 48)) << "an object put where it stands is no edit";
    EXPECT_EQ(document.undoList->size(), 1u);
    EXPECT_TRUE(PlaceObject(document, a, 100, 0));
    EXPECT_EQ(document.level->objs.size(), 1u) << "an object of the level moves, it is not added again";
    PlaceObject(document, b, 0, 0);

    EXPECT_EQ(OthersUsingLinkId(*document.level, 1, a.get(), nullptr), 1);
    EXPECT_EQ(FirstUnusedLinkId(*document.level), 2);
    LinkObjects(document, *a, *b, FirstUnusedLinkId(*document.level));
    EXPECT_EQ(a->counter, 2);
    EXPECT_EQ(b->counter, 2);

    DeleteObject(document, a.get());
    EXPECT_FALSE(document.level->ContainsObject(a.get()));
    EXPECT_EQ(document.undoList->size(), 5u);

    document.Undo();
    ASSERT_EQ(document.level->objs.size(), 2u);
    EXPECT_EQ(document.level->objs[0]->x, 100) << "the deleted object is back where it stood";
    document.Undo();
    EXPECT_EQ(document.level->objs[0]->counter, 1) << "the link is undone";
    document.Undo();
    document.Undo();
    EXPECT_EQ(document.level->objs[0]->x, 32) << "the move is undone";
    document.Undo();
    EXPECT_TRUE(document.level->objs.empty());
}

TEST(InventoryEdits, ItemsAreAddedUpToTheSlotsAndRemovedInPlaceAndTheLevelIsReplacedAsOneStep) {
    TLevelDocument document;
    document.New();
    std::shared_ptr<TLevel> copy = document.level->Clone();
    copy->pl_numinv = uint16_t(-3);
    EXPECT_EQ(InventoryItemsInUse(*copy), 0) << "a count below zero means no items";
    for (uint16_t item = 0; item < kInventorySlots; ++item) EXPECT_TRUE(AddInventoryItem(*copy, item));
    EXPECT_FALSE(AddInventoryItem(*copy, 3)) << "all slots are in use";
    RemoveInventoryItem(*copy, 1);
    RemoveInventoryItem(*copy, 20);
    EXPECT_EQ(copy->pl_numinv, 15);
    EXPECT_EQ(copy->pl_inv[1], 2) << "the items after the removed one move up";

    const uint16_t before = document.level->pl_numinv;
    document.ReplaceLevel(copy);
    EXPECT_EQ(document.level, copy);
    EXPECT_EQ(document.levelchanged, 1);
    document.Undo();
    EXPECT_EQ(document.level->pl_numinv, before);
}

}  // namespace
