// Copy and paste as a person does it: tiles and an object with a text copied
// in one level and pasted into others, tiles of another game refused with a
// notice, and text that is not Tarn's ignored.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "e2e/editor_session.h"
#include "level/clipboard_text.h"
#include "level/level.h"
#include "screen/clipboard.h"

namespace {

class Clipboard : public TEditorSession {
protected:
    void Step(std::function<void()> action) { host.Then(std::move(action)); }
    // Sent at once, by the keys that type them on a French keyboard.
    void Ctrl(char letter) {
        Step([=, this] { host.PressKeys({VK_LCONTROL, host.KeyTyping(letter)}); });
    }
    void Key(int key) {
        Step([=, this] { host.PressKey(key); });
    }
    // Map cell (tx, ty) at zoom 1 with the camera at (0, 0).
    void ClickCell(int tx, int ty) {
        Step([=, this] { host.Click(320 + 16 * tx + 8, 16 * ty + 8); });
    }
    uint16_t Cell(int x, int y) const { return viewer.level->bd[size_t(x) * kBoardHeight + size_t(y)]; }
    void ExpectBrush(const std::vector<uint16_t>& tiles, int w) const {
        EXPECT_EQ(viewer.selTiles, tiles);
        EXPECT_EQ(viewer.selW, w);
    }
};

TEST_F(Clipboard, TilesAndAnObjectOutliveTheirLevelAndForeignTextDoesNothing) {
    host.UseLayout(TKeyboardLayout::French);
    std::filesystem::copy_file(game + "showcase.jn1", game + "second.jn1");
    const std::string tiles = "Tarn clipboard: tiles\ngame: Jill of the Jungle\nsize: 2 x 2\n45 46\n65 66\nend\n";

    // Tileset entries 45 to 66 as the brush, copied; pasted in another level
    // of the game after loading cleared the brush; painted and undone.
    LoadFromMenu("showcase.jn1");
    Step([this] {
        host.MoveMouse(16 * 5 + 8, 16 + 16 * 2 + 8);
        host.ButtonDown(2);
    });
    Step([this] { host.MoveMouse(16 * 6 + 8, 16 + 16 * 3 + 8); });
    Step([this] { host.ButtonUp(2); });
    Ctrl('c');
    Step([&] { EXPECT_EQ(ClipboardText(), tiles); });
    Key(VK_ESCAPE);
    LoadFromMenu("second.jn1");
    Step([&] { ExpectBrush({0}, 1); });
    Ctrl('v');
    uint16_t before = 0;
    Step([&] {
        ExpectBrush({45, 46, 65, 66}, 2);
        before = Cell(11, 11);
    });
    ClickCell(10, 10);
    Step([&] { EXPECT_EQ((std::vector{Cell(10, 10), Cell(11, 11)}), (std::vector<uint16_t>{45, 66})); });
    Ctrl('z');
    Step([&] { EXPECT_EQ(Cell(11, 11), before); });

    // The message object with its text, alone under the pointer, into a level
    // of another game: held as a palette entry is, placed, undone.
    std::string objectText;
    Key(VK_TAB);
    Step([&] {
        const TLevelObject& message = *viewer.level->objs[79];
        ASSERT_EQ(message.insideStr, "A message the game shows.");
        objectText = ClipboardObjectText("Jill of the Jungle", message);
        host.MoveMouse(320 + message.x + 4, message.y + 4);
    });
    Ctrl('c');
    Step([&] { EXPECT_EQ(ClipboardText(), objectText); });
    Key(VK_ESCAPE);
    host.ExpectProceed(0);   // the undone stroke left second.jn1 changed
    LoadFromMenu("tiles.jn2");
    size_t objects = 0;
    Step([&] { objects = viewer.level->objs.size(); });
    Ctrl('v');
    ClickCell(20, 20);
    Step([&] {
        ASSERT_EQ(viewer.level->objs.size(), objects + 1);
        const TLevelObject& placed = *viewer.level->objs.back();
        EXPECT_EQ(viewer.selObj.get(), &placed) << "the placed object stays in hand";
        EXPECT_EQ(placed.insideStr, "A message the game shows.");
        EXPECT_EQ(ClipboardObjectText("Jill of the Jungle", placed),
                  std::regex_replace(objectText, std::regex("x: 440\ny: 64"), "x: 320\ny: 320"));
    });
    Ctrl('z');
    Step([&] { EXPECT_EQ(viewer.level->objs.size(), objects); });

    // The first game's tiles in the second: only a notice. An object in tile
    // mode, tiles in object mode, and anyone else's text: nothing at all.
    Key(VK_TAB);
    Ctrl('v');
    Step([&] { SetClipboardText(tiles); });
    host.ExpectNotify();
    Ctrl('v');
    size_t requesters = 0;
    Step([&] {
        ExpectBrush({0}, 1);
        requesters = host.Requesters().size();
        EXPECT_EQ(host.Requesters().back().text,
                  "The tiles on the clipboard were copied in Jill of the Jungle.\n\nTheir numbers stand for other "
                  "pictures in Jill Goes Underground, so they were not pasted.");
    });
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
        ExpectBrush({0}, 1);
        EXPECT_EQ(host.Requesters().size(), requesters);
    });
    EXPECT_EQ(RunMenu().end, TRunEnd::ScriptDone);
}

}  // namespace
