// Object pictures: sprites from the frame rules plus the text labels of the
// text kinds, made from the game's fonts.

#include <gtest/gtest.h>

#include "edit/jill_level_viewer.h"
#include "level/level.h"
#include "level/object_kinds.h"
#include "sample_game/sample_art.h"
#include "view/mini_game.h"

namespace {

TSampleShapeTables FontTables() {
    TSampleShapeTables t;
    AddSampleFonts(t);
    return t;
}

class ObjectImagesTest : public ::testing::Test {
protected:
    TMiniGame game{FontTables(), {}};
    TJillLevelViewer viewer;

    void SetUp() override { viewer.shapeman = game.shapes; }

    static TLevelObjectPtr Make(uint8_t kind, const std::string& text = "") {
        auto o = std::make_shared<TLevelObject>();
        o->objkind = kind;
        o->x = 10, o->y = 20;
        o->insideStr = text;
        return o;
    }
};

void ExpectSameBitmap(const TBitmap& a, const TBitmap& b) {
    ASSERT_EQ(a.fWidth, b.fWidth);
    ASSERT_EQ(a.fHeight, b.fHeight);
    EXPECT_EQ(a.fPixels, b.fPixels);
}

TEST_F(ObjectImagesTest, Text6UsesTheSmallFontOneRowDown) {
    auto o = Make(ObjKind::TEXT6, "Hi, 42!");
    o->xd = 3, o->yd = 5;
    viewer.GenerateImage(o);
    ASSERT_NE(o->myshape, nullptr);
    EXPECT_EQ(o->myshape->succ, nullptr);
    EXPECT_EQ(o->myshape->x, 10);
    EXPECT_EQ(o->myshape->y, 21);
    EXPECT_EQ(o->myshape->sh, kNoShape);
    ASSERT_NE(o->myshape->bitmap, nullptr);
    EXPECT_NE(o->myshape->image, nullptr);
    EXPECT_EQ(o->myshape->bitmap->fWidth, 6 * 7);
    ExpectSameBitmap(*o->myshape->bitmap, *game.shapes->GetTextBitmap("Hi, 42!", 2, 3, 5));
}

TEST_F(ObjectImagesTest, Text8UsesTheLargeFontAtThePosition) {
    auto o = Make(ObjKind::TEXT8, "AB");
    o->xd = 0xFFFE, o->yd = 0xFFFF;
    viewer.GenerateImage(o);
    ASSERT_NE(o->myshape, nullptr);
    EXPECT_EQ(o->myshape->y, 20);
    EXPECT_EQ(o->myshape->bitmap->fWidth, 16);
    EXPECT_EQ(o->myshape->bitmap->fHeight, 8);
    ExpectSameBitmap(*o->myshape->bitmap, *game.shapes->GetTextBitmap("AB", 1, 0xFFFE, 0xFFFF));
}

TEST_F(ObjectImagesTest, ScoreShowsItsNumberInTheDigitFont) {
    auto o = Make(ObjKind::SCORE);
    o->state = 1500;
    o->counter = 5;   // colour (5 & 3) + 1 = 2, shown bright: 10
    viewer.GenerateImage(o);
    ASSERT_NE(o->myshape, nullptr);
    const TBitmap& label = *o->myshape->bitmap;
    EXPECT_EQ(label.fWidth, 16);
    EXPECT_EQ(label.fHeight, 5);
    ExpectSameBitmap(label, *game.shapes->GetTextBitmap("1500", 4, 2, 0xFFFF));
    bool inked = false;
    for (uint8_t p : label.fPixels) {
        EXPECT_TRUE(p == 255 || p == 10) << int(p);
        inked |= p == 10;
    }
    EXPECT_TRUE(inked);
}

TEST_F(ObjectImagesTest, LabelsSitAtTheUnsignedPosition) {
    auto o = Make(ObjKind::TEXT8, "X");
    o->x = 0xFFF0;
    viewer.GenerateImage(o);
    ASSERT_NE(o->myshape, nullptr);
    EXPECT_EQ(o->myshape->x, 0xFFF0);
}

TEST_F(ObjectImagesTest, EmptyTextHasNoPicture) {
    auto o = Make(ObjKind::TEXT6);
    viewer.GenerateImage(o);
    EXPECT_EQ(o->myshape, nullptr);
}

TEST_F(ObjectImagesTest, WithoutShapesOnlyTheSpritesAreChosen) {
    viewer.shapeman.reset();
    auto text = Make(ObjKind::TEXT8, "AB");
    auto apple = Make(ObjKind::APPLE);
    viewer.GenerateImage(text);
    viewer.GenerateImage(apple);
    viewer.GenerateImage(nullptr);
    EXPECT_EQ(text->myshape, nullptr);
    ASSERT_NE(apple->myshape, nullptr);
    EXPECT_EQ(apple->myshape->sh, 0x900);
}

TEST_F(ObjectImagesTest, MissingFontGivesNoLabel) {
    viewer.shapeman = std::make_shared<TShapeManager>();
    auto o = Make(ObjKind::SCORE);
    viewer.GenerateImage(o);
    EXPECT_EQ(o->myshape, nullptr);
}

TEST_F(ObjectImagesTest, RegeneratingReplacesTheLabel) {
    auto o = Make(ObjKind::TEXT8, "AB");
    viewer.GenerateImage(o);
    o->insideStr = "ABCD";
    viewer.GenerateImage(o);
    ASSERT_NE(o->myshape, nullptr);
    EXPECT_EQ(o->myshape->succ, nullptr);
    EXPECT_EQ(o->myshape->bitmap->fWidth, 32);
}

TEST_F(ObjectImagesTest, EveryObjectOfLevelAndPaletteIsRefreshed) {
    viewer.level = std::make_shared<TLevel>();
    viewer.level->objs = {Make(ObjKind::KNIFE), nullptr, Make(ObjKind::TEXT8, "Z")};
    viewer.objects = {Make(ObjKind::CLOUD), nullptr};
    viewer.GenerateImages();
    EXPECT_EQ(viewer.level->objs[0]->myshape->sh, 0xD00);
    EXPECT_NE(viewer.level->objs[2]->myshape->bitmap, nullptr);
    EXPECT_EQ(viewer.objects[0]->myshape->sh, 0xE0A);

    viewer.level.reset();
    viewer.objects[0]->objkind = ObjKind::KNIFE;
    viewer.GenerateImages();
    EXPECT_EQ(viewer.objects[0]->myshape->sh, 0xD00);
}

}  // namespace
