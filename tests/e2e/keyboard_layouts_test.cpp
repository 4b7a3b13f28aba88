// Shortcuts as people really send them: on German and French keyboards, where
// the letters and "+" sit elsewhere than on a US one, and from express keys
// and remapped buttons that send a whole chord between two passes.

#include <gtest/gtest.h>

#include "e2e/editor_session.h"
#include "level/level.h"
#include "level/level_file.h"

namespace {

using TBoard = std::array<uint16_t, kBoardWidth * kBoardHeight>;

constexpr int kDoor = 24;
constexpr uint16_t kBrushTile = 45;

// Screen positions at zoom 1 with the camera at (0, 0).
int CellX(int tx) { return 320 + 16 * tx + 8; }
int CellY(int ty) { return 16 * ty + 8; }
int EntryX(int t) { return 16 * (t % 20) + 8; }
int EntryY(int t) { return 16 + 16 * (t / 20) + 8; }
int PaletteX(int i) { return 32 * (i % 10) + 16; }
int PaletteY(int i) { return 16 + 32 * (i / 10) + 16; }

uint16_t Cell(const TBoard& board, int x, int y) { return board[size_t(x) * kBoardHeight + size_t(y)]; }

class KeyboardLayouts : public TEditorSession {
protected:
    // One step each: the program reads each pass's input apart.
    void Step(std::function<void()> action) { host.Then(std::move(action)); }
    void Key(int key) {
        Step([=, this] { host.PressKey(key); });
    }
    // Ctrl held over passes of its own, as a person presses it.
    void CtrlKey(int key) {
        Step([this] { host.KeyDown(VK_LCONTROL); });
        Key(key);
        Step([this] { host.KeyUp(VK_LCONTROL); });
    }
    void LoadWithBrush() {
        LoadFromMenu("showcase.jn1");
        Step([this] {
            host.MoveMouse(EntryX(kBrushTile), EntryY(kBrushTile));
            host.ButtonDown(2);
        });
        Step([this] { host.ButtonUp(2); });
    }
    void Stroke(int tx, int ty) {
        Step([=, this] {
            host.MoveMouse(CellX(tx), CellY(ty));
            host.ButtonDown(1);
        });
        Step([this] { host.ButtonUp(1); });
    }
    void RightClick(int x, int y) {
        Step([=, this] { host.Click(x, y, 2); });
    }
    void LeaveWithoutSaving() {
        Key(VK_ESCAPE);
        host.ExpectProceed(0);
        ClickMenuEntry(kQuit);
        EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
    }
    TBoard Board() const { return viewer.level->bd; }
    size_t Undos() const { return viewer.undoList->size(); }
    size_t Redos() const { return viewer.redoList->size(); }
};

TEST_F(KeyboardLayouts, GermanShortcutsSitOnTheKeysLabelledWithThem) {
    host.UseLayout(TKeyboardLayout::German);
    // The key labelled Z is where US keyboards have Y, and "+" where they have "]".
    EXPECT_EQ(host.KeyTyping('z'), 'Y');
    EXPECT_EQ(host.KeyTyping('y'), 'Z');
    EXPECT_EQ(host.KeyTyping('+'), VK_OEM_6);
    EXPECT_EQ(host.KeyTyping('-'), VK_OEM_2);
    TBoard before{}, painted{};
    LoadWithBrush();
    Step([&] { before = Board(); });
    Stroke(5, 5);
    Step([&] {
        painted = Board();
        EXPECT_EQ(Cell(painted, 5, 5), kBrushTile);
    });
    CtrlKey(host.KeyTyping('z'));
    Step([&] {
        EXPECT_EQ(Board(), before);
        EXPECT_EQ(Redos(), 1u);
    });
    CtrlKey(host.KeyTyping('y'));
    Step([&] { EXPECT_EQ(Board(), painted); });
    Key(host.KeyTyping('+'));
    Step([&] { EXPECT_EQ(viewer.mapZoom, 2.0f); });
    Key(host.KeyTyping('-'));
    Step([&] { EXPECT_EQ(viewer.mapZoom, 1.0f); });
    LeaveWithoutSaving();
}

TEST_F(KeyboardLayouts, FrenchLettersFollowTheLayoutAndTheDigitRowStaysDigits) {
    host.UseLayout(TKeyboardLayout::French);
    EXPECT_EQ(host.KeyTyping('z'), 'W');
    EXPECT_EQ(host.KeyTyping('m'), VK_OEM_1);
    EXPECT_EQ(host.KeyTyping('&'), '1');
    TBoard before{};
    LoadWithBrush();
    Step([&] { before = Board(); });
    Stroke(5, 5);
    CtrlKey(host.KeyTyping('z'));
    Step([&] {
        EXPECT_EQ(Board(), before);
        EXPECT_EQ(Undos(), 0u);
    });
    // "+" is the shifted "=" key; the digit row types "&" and "à" unshifted.
    Key(host.KeyTyping('='));
    Step([&] { EXPECT_EQ(viewer.mapZoom, 2.0f); });
    CtrlKey('0');
    Step([&] {
        EXPECT_EQ(viewer.mapZoom, 1.0f);
        EXPECT_EQ(viewer.drawtiles, 1);
    });
    Key('1');
    Step([&] {
        EXPECT_EQ(viewer.drawtiles, 2);
        host.PressKey(VK_TAB);
    });
    // A menu's hot key too: "Move" on the key labelled M, beside L.
    RightClick(PaletteX(kDoor), PaletteY(kDoor));
    Key('S');
    Step([&] { host.Click(CellX(40), CellY(20)); });
    RightClick(CellX(40), CellY(20));
    Key(host.KeyTyping('m'));
    Step([&] { host.Click(CellX(44), CellY(20)); });
    Step([&] {
        ASSERT_TRUE(viewer.selObj);
        EXPECT_TRUE(viewer.level->ContainsObject(viewer.selObj.get()));
        EXPECT_EQ(viewer.selObj->x, 44 * 16);
    });
    LeaveWithoutSaving();
}

TEST_F(KeyboardLayouts, ShortcutsSentAtOnceActWithTheModifiersOfTheirPress) {
    const std::string path = game + "showcase.jn1";
    TBoard first{};
    LoadWithBrush();
    Stroke(5, 5);
    Step([&] { first = Board(); });
    Stroke(9, 5);
    // Ctrl+Z and Ctrl+S, each a chord whose four events come between two passes.
    Step([&] { host.PressKeys({VK_LCONTROL, 'Z'}); });
    Step([&] {
        EXPECT_EQ(Board(), first);
        EXPECT_EQ(Redos(), 1u);
        host.PressKeys({VK_LCONTROL, 'S'});
    });
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    Step([&] {
        const TLevelPtr saved = ReadLevel(path);
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->bd, first);
        host.PressKey(VK_ADD);
    });
    Step([&] {
        EXPECT_EQ(viewer.mapZoom, 2.0f);
        host.PressKeys({VK_RCONTROL, VK_NUMPAD0});
    });
    Step([&] { EXPECT_EQ(viewer.mapZoom, 1.0f); });

    // Ctrl+Z held, Ctrl let go right after the press: it keeps repeating,
    // once at the press and on every pass after 400 ms.
    Step([&] {
        for (int i = 0; i < 5; ++i) viewer.MakeUndoState();
        EXPECT_EQ(Undos(), 6u);
        host.KeyDown(VK_LCONTROL);
        host.KeyDown('Z');
        host.KeyUp(VK_LCONTROL);
    });
    host.WaitMs(300);
    Step([&] { EXPECT_EQ(Undos(), 5u); });
    host.WaitMs(200);
    Step([&] {
        EXPECT_EQ(Undos(), 0u);
        host.KeyUp('Z');
        // Z held first and Ctrl after it is no Ctrl+Z.
        viewer.MakeUndoState();
        host.KeyDown('Z');
    });
    Step([&] { host.KeyDown(VK_LCONTROL); });
    host.WaitMs(500);
    Step([&] {
        EXPECT_EQ(Undos(), 1u);
        host.KeyUp('Z');
        host.KeyUp(VK_LCONTROL);
    });

    // Shift+click as one chord fills; Shift pressed during a stroke does not.
    Step([&] {
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y) viewer.level->SetTile(x, y, 7);
        for (int x = 10; x < 13; ++x)
            for (int y = 10; y < 13; ++y) viewer.level->SetTile(x, y, 0);
        host.ClickHolding({VK_LSHIFT}, CellX(11), CellY(11));
    });
    Step([&] {
        const TBoard now = Board();
        for (int x = 10; x < 13; ++x)
            for (int y = 10; y < 13; ++y) EXPECT_EQ(Cell(now, x, y), kBrushTile) << x << ", " << y;
        EXPECT_EQ(Cell(now, 9, 10), 7);
        host.MoveMouse(CellX(20), CellY(20));
        host.ButtonDown(1);
    });
    Step([&] { host.KeyDown(VK_LSHIFT); });
    Step([&] {
        host.ButtonUp(1);
        host.KeyUp(VK_LSHIFT);
    });
    Step([&] {
        EXPECT_EQ(Cell(Board(), 20, 20), kBrushTile);
        EXPECT_EQ(Cell(Board(), 30, 30), 7);
        host.PressKey(VK_TAB);
    });

    // Placing a palette object with a Shift+click chord leaves a copy in hand.
    size_t objects = 0;
    RightClick(PaletteX(kDoor), PaletteY(kDoor));
    Key('S');
    Step([&] {
        objects = viewer.level->objs.size();
        host.ClickHolding({VK_RSHIFT}, CellX(40), CellY(20));
    });
    Step([&] {
        EXPECT_EQ(viewer.level->objs.size(), objects + 1);
        ASSERT_TRUE(viewer.selObj);
        EXPECT_FALSE(viewer.level->ContainsObject(viewer.selObj.get()));
        host.Click(CellX(44), CellY(20));
    });
    Step([&] {
        EXPECT_EQ(viewer.level->objs.size(), objects + 2);
        EXPECT_TRUE(viewer.level->ContainsObject(viewer.selObj.get()));
    });
    LeaveWithoutSaving();
}

}  // namespace
