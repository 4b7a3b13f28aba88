// The inventory editor as the "INVENTORY" button opens it: the player block
// of a sample level edited on a copy, by keys and clicks, taken over with
// "OK" as one undo step or dropped.

#include <gtest/gtest.h>

#include <string>

#include "e2e/editor_session.h"
#include "e2e/screen_colours.h"
#include "level/level.h"
#include "level/level_file.h"
#include "sample_game/sample_game.h"
#include "screen/graphics.h"

namespace {

// The content area is 16 icons wide and 12 rows high, centred in 1280 x 720.
constexpr int kX = (1280 - 256) / 2, kY = (720 - 192) / 2;
constexpr int kRemoveY = kY + 96, kAddY = kY + 128, kOkY = kY + 160;
const uint32_t kWhite = Rgb(255, 255, 255);
const std::string kLimit = "Inventory is limited to 16 items max!";

}  // namespace

class InventoryEditor : public TEditorSession {
protected:
    std::shared_ptr<TLevel> original;

    InventoryEditor() {
        viewer.InitWindow();
        viewer.InitGame(game, viewer.GameInfos[0]);
        viewer.undoList = std::make_shared<TLevelList>();
        viewer.redoList = std::make_shared<TLevelList>();
        viewer.level = ReadLevel(game + kSampleShowcaseLevel);
        viewer.GenerateImages();
    }

    void Carry(std::vector<uint16_t> items, int count = -1) {
        viewer.level->pl_inv = {};
        std::copy(items.begin(), items.end(), viewer.level->pl_inv.begin());
        viewer.level->pl_numinv = uint16_t(count < 0 ? int(items.size()) : count);
        original = viewer.level;
    }
    void Press(int key, int times = 1) {
        for (int i = 0; i < times; ++i) host.Then([this, key] { host.PressKey(key); });
    }
    void ClickAt(int x, int y) {
        host.Then([this, x, y] { host.Click(x, y); });
    }
    // The window closes in the pass that reads the script's last input. The
    // pointer then leaves it, or the next window would open with the row
    // under the pointer highlighted.
    void Run() {
        const TRunResult run = host.Run([this] { viewer.EditInventory(); }, 3000);
        EXPECT_EQ(run.end, TRunEnd::Returned);
        EXPECT_EQ(run.stepsLeft, 0u);
        host.MoveMouse(0, 0);
    }
    std::vector<uint16_t> Items() const {
        const auto& inv = viewer.level->pl_inv;
        return {inv.begin(), inv.begin() + std::min<int>(viewer.level->pl_numinv, 16)};
    }
};

TEST_F(InventoryEditor, FifteenItemsTakeOneMoreSixteenAreRefusedAndOkIsOneUndoStep) {
    Carry(std::vector<uint16_t>(15, 1));
    // Add row, third item: Enter adds it, a click on an icon adds that one.
    Press(VK_DOWN, 6);
    Press(VK_RIGHT, 2);
    Press(VK_RETURN);
    host.ExpectNotify();
    ClickAt(kX + 16 * 5 + 4, kAddY + 4);
    host.WaitUntil([&] { return host.Requesters().size() == 1; });
    Press(VK_DOWN);
    Press(VK_RETURN);   // "OK"
    Run();
    ASSERT_EQ(host.Requesters().size(), 1u);
    EXPECT_EQ(host.Requesters()[0].text, kLimit);
    EXPECT_NE(viewer.level, original);
    EXPECT_EQ(viewer.level->pl_numinv, 16);
    EXPECT_EQ(viewer.level->pl_inv[15], 2);
    EXPECT_EQ(viewer.levelchanged, 1);
    ASSERT_EQ(viewer.undoList->size(), 1u);
    EXPECT_EQ(original->pl_numinv, 15);

    viewer.Undo();
    EXPECT_EQ(viewer.level->pl_numinv, 15);
    EXPECT_EQ(Items(), std::vector<uint16_t>(15, 1));
}

TEST_F(InventoryEditor, EscapeDiscardsAdditionsRemovalsAndValues) {
    Carry({3, 4, 5});
    viewer.level->pl_health = 6;
    Press(VK_DOWN);
    Press(VK_RIGHT, 3);                       // health 9 is allowed
    ClickAt(kX + 16 * 1 + 8, kRemoveY + 8);   // removes the 4
    ClickAt(kX + 16 * 7 + 8, kAddY + 8);      // adds a 7
    host.WaitFrames(2);
    host.Then([&] { EXPECT_EQ(viewer.level, original); });
    Press(VK_ESCAPE);
    Run();
    EXPECT_EQ(viewer.level, original);
    EXPECT_EQ(Items(), (std::vector<uint16_t>{3, 4, 5}));
    EXPECT_EQ(viewer.level->pl_health, 6);
    EXPECT_TRUE(viewer.undoList->empty());
    EXPECT_EQ(viewer.levelchanged, 0);

    // The same changes kept by "OK", clicked.
    Press(VK_DOWN);
    Press(VK_RIGHT, 3);
    ClickAt(kX + 16 * 1 + 8, kRemoveY + 8);
    ClickAt(kX + 16 * 7 + 8, kAddY + 8);
    ClickAt(kX + 128, kOkY + 8);
    Run();
    EXPECT_EQ(Items(), (std::vector<uint16_t>{3, 5, 7}));
    EXPECT_EQ(viewer.level->pl_health, 9);
}

TEST_F(InventoryEditor, RemovingTheLastItemBringsTheColumnBackToTheNewLast) {
    Carry({0, 1, 2});
    Press(VK_DOWN, 5);
    Press(VK_RIGHT, 5);   // stops at the last item
    Press(VK_RETURN);
    host.WaitFrames(2);
    host.Then([&] {
        // The copy, not the level, lost the item: the row says 2 items and
        // marks the new last one.
        const auto frame = host.Capture();
        EXPECT_EQ(ReadPixel(*frame, kX + 16, kRemoveY) & 0xFFFFFF, kWhite);
        EXPECT_EQ(InkIn(*frame, kX + 32, kRemoveY, 16, 16), std::set<uint32_t>{});
        EXPECT_EQ(viewer.level->pl_numinv, 3);
    });
    Press(VK_RETURN);
    Press(VK_LEFT);
    Press(VK_RETURN);
    Press(VK_RETURN);   // empty: nothing to remove
    Press(VK_DOWN, 2);
    Press(VK_RETURN);
    Run();
    EXPECT_EQ(viewer.level->pl_numinv, 0);
}

TEST_F(InventoryEditor, ACountFromAFileBeyondTheSlotsStaysWithinThem) {
    // 16 icons at most, on both sides of the slots' end.
    for (int count : {16, 17}) {
        Carry(std::vector<uint16_t>(16, 6), count);
        host.WaitFrames(2);
        host.Then([&] {
            const auto frame = host.Capture();
            EXPECT_FALSE(InkIn(*frame, kX + 16 * 15, kRemoveY, 16, 16).empty());
            EXPECT_EQ(ColoursIn(*frame, kX + 256, kRemoveY, 8, 16), std::set<uint32_t>{0});
        });
        // Adding is refused; removing the sixteenth leaves count - 1.
        Press(VK_DOWN, 6);
        host.ExpectNotify();
        Press(VK_RETURN);
        const size_t shown = host.Requesters().size() + 1;
        host.WaitUntil([&, shown] { return host.Requesters().size() == shown; });
        ClickAt(kX + 16 * 15 + 8, kRemoveY + 8);
        Press(VK_DOWN, 2);
        Press(VK_RETURN);
        Run();
        EXPECT_EQ(host.Requesters().back().text, kLimit);
        EXPECT_EQ(viewer.level->pl_numinv, count - 1);
        EXPECT_EQ(Items(), std::vector<uint16_t>(size_t(std::min(count - 1, 16)), 6)) << count;
    }
    // A negative count is taken as none before an item is added.
    Carry({}, 0xFFFF);
    Press(VK_DOWN, 6);
    Press(VK_RETURN);
    Press(VK_DOWN);
    Press(VK_RETURN);
    Run();
    EXPECT_EQ(viewer.level->pl_numinv, 1);
    EXPECT_EQ(viewer.level->pl_inv[0], 0);
}

TEST_F(InventoryEditor, ValuesWrapInTheirWidthsAndTypedNumbersKeepTheirLowBits) {
    Carry({});
    viewer.level->pl_score = 2147483647;
    viewer.level->pl_oldscore = -2147483647 - 1;
    viewer.level->pl_ouched = 65535;
    const std::string help = "Current level number (for saved games only)";
    host.WaitFrames(2);
    host.Then([&] {
        const auto frame = host.Capture();
        EXPECT_EQ(InkIn(*frame, kX, kY, 256, 16), std::set<uint32_t>{kWhite});
        EXPECT_EQ(InkIn(*frame, kX, kY + 16, 256, 16), std::set<uint32_t>{Rgb(127, 127, 127)});
        // The help line stands where the status text does.
        const int end = 320 + 8 * int(help.size());
        EXPECT_TRUE(InkIn(*frame, end - 8, 704, 8, 16).count(kWhite));
        EXPECT_FALSE(InkIn(*frame, end, 704, 64, 16).count(kWhite));
    });
    Press(VK_LEFT);   // level 0 - 1
    Press(VK_DOWN, 2);
    Press(VK_RIGHT);   // score past the 32-bit top
    Press(VK_DOWN);
    Press(VK_RIGHT);   // ouched 65535 + 1
    Press(VK_DOWN);
    Press(VK_LEFT);   // old score below the 32-bit bottom
    // Health: typed over its shown value; "$10" is 16, an empty text keeps it.
    Press(VK_UP, 3);
    // The field shows the value with the cursor after it: backspaces first.
    const auto type = [&](const std::string& text, int erase) {
        Press(VK_RETURN);
        host.Then([&, text, erase] {
            for (int i = 0; i < erase; ++i) host.PressKey(VK_BACK);
            host.TypeText(text);
            host.PressKey(VK_RETURN);
        });
        host.WaitFrames(erase + int(text.size()) + 4);
    };
    type("$10", 1);
    type("", 2);
    // A text that is not wholly a number is refused with a notice and
    // keeps 16; a number with a sign, a base and blanks around it is taken.
    for (const std::string refused : {"abc", "0-1", "12x"}) {
        host.ExpectNotify();
        type(refused, 2);
    }
    host.WaitFrames(2);
    host.Then([&] { EXPECT_TRUE(ShowsText(host, *host.Capture(), "  Health: 16", kX, kY + 16, kWhite)); });
    type(" -1 ", 2);
    type("+7", 2);
    type("%101", 1);
    Press(VK_DOWN);
    type("99999999999", 11);   // the score keeps its low 32 bits
    // A click below "CANCEL", inside the window's frame, does nothing.
    ClickAt(kX + 100, kY + 192 + 4);
    Press(VK_DOWN, 5);
    Press(VK_RETURN);
    Run();
    const TLevel& level = *viewer.level;
    EXPECT_EQ(level.pl_level, 65535);
    EXPECT_EQ(level.pl_health, 5);
    ASSERT_EQ(host.Requesters().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const std::string quoted = "\"" + std::string(i == 0 ? "abc" : i == 1 ? "0-1" : "12x") + "\"";
        EXPECT_EQ(host.Requesters()[i].text.rfind(quoted + " is not a number. Type a decimal number", 0), 0u)
            << host.Requesters()[i].text;
        EXPECT_EQ(host.Requesters()[i].serious, 0);
    }
    EXPECT_EQ(level.pl_score, int32_t(99999999999 % 4294967296));
    EXPECT_EQ(level.pl_ouched, 0);
    EXPECT_EQ(level.pl_oldscore, 2147483647);
}

TEST_F(InventoryEditor, AHeldObjectOfTheLevelIsHeldInTheNewLevel) {
    Carry({1});
    viewer.selObj = viewer.level->objs[3];
    Press(VK_DOWN, 7);
    Press(VK_RETURN);
    Run();
    ASSERT_NE(viewer.level, original);
    ASSERT_TRUE(viewer.selObj);
    EXPECT_TRUE(viewer.level->ContainsObject(viewer.selObj.get()));
    EXPECT_EQ(viewer.level->GetObjectIndex(viewer.selObj.get()), 3);

    // Without a level there is nothing to edit and no window.
    viewer.level = nullptr;
    const int frames = host.Frames();
    Run();
    EXPECT_EQ(host.Frames(), frames);
}
