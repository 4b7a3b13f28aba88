// Copy and paste through the clipboard as a person does it: tiles and an
// object with a text copied in one level and pasted into others, tiles of
// another game refused with a notice, and text that is not Tarn's ignored.

#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/editor_session.h"
#include "level/clipboard_text.h"
#include "level/level.h"
#include "screen/clipboard.h"

namespace {

// Screen positions at zoom 1 with the camera at (0, 0).
int CellX(int tx) { return 320 + 16 * tx + 8; }
int CellY(int ty) { return 16 * ty + 8; }
int EntryX(int t) { return 16 * (t % 20) + 8; }
int EntryY(int t) { return 16 + 16 * (t / 20) + 8; }

// The showcase's message object with a text, alone under the pointer.
constexpr size_t kMessage = 79;

class Clipboard : public TEditorSession {
protected:
    void Step(std::function<void()> action) { host.Then(std::move(action)); }
    // Each chord sent at once, by the keys that type its letters on a French
    // keyboard, as a keyboard's shortcut key or xdotool sends it.
    void Ctrl(char letter) {
        Step([=, this] { host.PressKeys({VK_LCONTROL, host.KeyTyping(letter)}); });
    }
    void Key(int key) {
        Step([=, this] { host.PressKey(key); });
    }
    void Click(int x, int y) {
        Step([=, this] { host.Click(x, y); });
    }
    void Reload(const std::string& levelName) {
        Key(VK_ESCAPE);
        LoadFromMenu(levelName);
    }
    uint16_t Cell(int x, int y) const { return viewer.level->bd[size_t(x) * kBoardHeight + size_t(y)]; }
    void ExpectBrush(const std::vector<uint16_t>& tiles, int w, int h) const {
        EXPECT_EQ(viewer.selTiles, tiles);
        EXPECT_EQ(viewer.selW, w);
        EXPECT_EQ(viewer.selH, h);
    }
};

TEST_F(Clipboard, TilesAndAnObjectOutliveTheirLevelAndForeignTextDoesNothing) {
    host.UseLayout(TKeyboardLayout::French);
    std::filesystem::copy_file(game + "showcase.jn1", game + "second.jn1");
    const std::string tiles =
        "Tarn clipboard: tiles\ngame: Jill of the Jungle\nsize: 2 x 2\n45 46\n65 66\nend\n";

    // Tiles: a brush picked up in one level, pasted in another of its game
    // after loading cleared the brush, painted and undone as one stroke.
    LoadFromMenu("showcase.jn1");
    Step([this] {
        host.MoveMouse(EntryX(45), EntryY(45));
        host.ButtonDown(2);
    });
    Step([this] { host.MoveMouse(EntryX(66), EntryY(66)); });
    Step([this] { host.ButtonUp(2); });
    Ctrl('c');
    Step([&] { EXPECT_EQ(ClipboardText(), tiles); });
    Reload("second.jn1");
    Step([&] { ExpectBrush({0}, 1, 1); });
    Ctrl('v');
    uint16_t before = 0;
    Step([&] {
        ExpectBrush({45, 46, 65, 66}, 2, 2);
        before = Cell(11, 11);
    });
    Click(CellX(10), CellY(10));
    Step([&] {
        EXPECT_EQ(Cell(10, 10), 45);
        EXPECT_EQ(Cell(11, 11), 66);
    });
    Ctrl('z');
    Step([&] { EXPECT_EQ(Cell(11, 11), before); });

    // An object with its text, from the level of one game into a level of
    // another: held as a palette entry is, placed with a click, undone.
    std::string objectText;
    Key(VK_TAB);
    Step([&] {
        const TLevelObject& message = *viewer.level->objs[kMessage];
        ASSERT_EQ(message.insideStr, "A message the game shows.");
        objectText = ClipboardObjectText("Jill of the Jungle", message);
        host.MoveMouse(320 + message.x + 4, message.y + 4);
    });
    Ctrl('c');
    Step([&] { EXPECT_EQ(ClipboardText(), objectText); });
    host.ExpectProceed(0);   // the undone stroke left second.jn1 changed
    Reload("tiles.jn2");
    size_t objects = 0;
    Step([&] {
        EXPECT_EQ(viewer.editobjs, 1);
        objects = viewer.level->objs.size();
    });
    Ctrl('v');
    Step([&] {
        ASSERT_TRUE(viewer.selObj);
        EXPECT_EQ(ClipboardObjectText("Jill of the Jungle", *viewer.selObj), objectText);
    });
    Click(CellX(20), CellY(20));
    Step([&] {
        ASSERT_EQ(viewer.level->objs.size(), objects + 1);
        const TLevelObject& placed = *viewer.level->objs.back();
        EXPECT_EQ(placed.insideStr, "A message the game shows.");
        EXPECT_EQ(placed.objkind, 34);
        EXPECT_EQ(placed.x, 20 * 16);
        EXPECT_EQ(placed.y, 20 * 16);
        EXPECT_EQ(viewer.selObj.get(), &placed) << "the placed object stays in hand";
    });
    Ctrl('z');
    Step([&] { EXPECT_EQ(viewer.level->objs.size(), objects); });

    // The other game's tiles: only a notice. An object in tile mode, tiles in
    // object mode, and text of anyone else: nothing at all.
    Key(VK_TAB);
    Ctrl('v');
    Step([&] {
        ExpectBrush({0}, 1, 1);
        SetClipboardText(tiles);
    });
    host.ExpectNotify();
    Ctrl('v');
    Step([&] {
        ExpectBrush({0}, 1, 1);
        ASSERT_FALSE(host.Requesters().empty());
        EXPECT_EQ(host.Requesters().back().text,
                  "The tiles on the clipboard were copied in Jill of the Jungle.\n\nTheir numbers stand for other "
                  "pictures in Jill Goes Underground, so they were not pasted.");
    });
    size_t requesters = 0;
    Step([&] { requesters = host.Requesters().size(); });
    Key(VK_TAB);
    Ctrl('v');
    for (const char* foreign : {"Hello", "Tarn clipboard: tiles\ngame: Jill Goes Underground\nsize: 1 x 1\n7\n"}) {
        Step([=] { SetClipboardText(foreign); });
        Ctrl('v');
        Key(VK_TAB);
        Ctrl('v');
        Key(VK_TAB);
    }
    Step([&] {
        EXPECT_FALSE(viewer.selObj);
        ExpectBrush({0}, 1, 1);
        EXPECT_EQ(host.Requesters().size(), requesters);
    });
    EXPECT_EQ(RunMenu().end, TRunEnd::ScriptDone);
}

}  // namespace
