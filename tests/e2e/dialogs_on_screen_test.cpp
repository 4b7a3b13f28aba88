// Menus, forms and the picker lie wholly inside the window, wherever the
// object they are about lies: at the window's edges, scrolled out of view,
// or at the negative places files hold; and a picker taller than the window
// scrolls so that its highlighted entry is always seen.

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "e2e/object_dialog_session.h"
#include "level/level.h"
#include "level/object_kinds.h"
#include "screen/graphics.h"

namespace {

using namespace ObjKind;
using namespace object_dialogs;

// An object's box at (x, y) of w x h, and where the window of a dialog
// about it must stand.
struct TPlacement {
    int x, y, xl, yl, camX, windowX, windowY;
};

// At zoom 1 a level pixel x shows at 320 + x and y at y; the window is
// 1280 x 720. The rings take 6 pixels on the sides and below, the title bar
// 22 above.
const TPlacement kMenuPlaces[] = {
    {810, 48, 16, 16, 0, 1162, 80},     // its frame ends at the right edge exactly
    {811, 48, 16, 16, 0, 1162, 80},     // one pixel more: moved in
    {817, 48, 16, 16, 0, 1009, 80},     // the menu itself would leave: left of the object
    {2000, 48, 16, 16, 0, 1162, 80},    // scrolled out of view to the right
    {64, 602, 16, 16, 0, 416, 634},     // its frame ends at the bottom exactly
    {64, 603, 16, 16, 0, 416, 634},     // one pixel more: moved in
    {64, 609, 16, 16, 0, 416, 513},     // the menu itself would leave: above it
    {64, 10, 16, 700, 0, 416, 22},      // above would start above the window
    {0, 48, 1200, 16, 20, 6, 80},       // left would start left of it
    {-8, 40, 12, 12, 0, 340, 68},       // left of the level, as files hold it
    {-40, -30, 12, 12, 0, 308, 22},     // left of and above it
    {-3000, -3000, 16, 16, 0, 6, 22},   // far out: the top-left corner
};

const TPlacement kFormPlaces[] = {
    {-40, -30, 12, 12, 0, 308, 22},
    {900, 600, 12, 12, 0, 884, 296},    // near the bottom-right corner: left of and above it
    {2000, 690, 16, 16, 0, 954, 386},   // scrolled out of view to the right
    {-200, 1000, 16, 16, 0, 152, 426},  // below the window: moved up
};

}  // namespace

TEST_F(ObjectDialogs, MenusAndFormsLieWhollyInsideTheWindow) {
    for (const bool form : {false, true}) {
        const int w = form ? 320 : 112, h = form ? 288 : 80;
        for (const TPlacement& c : form ? std::vector<TPlacement>(std::begin(kFormPlaces), std::end(kFormPlaces))
                                        : std::vector<TPlacement>(std::begin(kMenuPlaces), std::end(kMenuPlaces))) {
            SCOPED_TRACE(testing::Message() << (form ? "form" : "menu") << " of an object at " << c.x << ", " << c.y);
            const TLevelObjectPtr apple = Add(APPLE, c.x, c.y);
            apple->xl = uint16_t(c.xl);
            apple->yl = uint16_t(c.yl);
            viewer.camX = c.camX;
            Check([&](const TPixmap& frame) {
                ExpectWindowAt(frame, c.windowX, c.windowY, w, h);
                // The first row is lit: the menu's first item, the form's index.
                EXPECT_TRUE(InkIn(frame, c.windowX, c.windowY, w, 16).count(kWhite));
            });
            // The keys act as ever: Down and Enter choose "Copy", or "ABORT" in the form.
            if (form) {
                Down(17);
                Press(VK_RETURN);
                Run([&] { viewer.EditObject(apple); });
            } else {
                Press(VK_DOWN);
                Press(VK_RETURN);
                Run([&] { viewer.ObjectContextMenu(apple); });
                ASSERT_TRUE(viewer.selObj);
                EXPECT_TRUE(viewer.selObj->Equals(apple.get()));
            }
        }
    }

    // The palette menu stands beside the 32-pixel cell under the pointer.
    const TLevelObjectPtr entry = Make(APPLE, 0, 0);
    viewer.objects = {entry};
    const struct {
        int px, py, menuX, menuY;
    } cells[] = {{100, 50, 134, 48}, {10, 20, 38, 22}, {40, 660, 70, 656}, {40, 700, 70, 666}};
    for (const auto& c : cells) {
        host.MoveMouse(c.px, c.py);
        Check([&](const TPixmap& frame) { ExpectWindowAt(frame, c.menuX, c.menuY, 112, 48); });
        Press(VK_ESCAPE);
        Run([&] { viewer.ObjectPaletteContextMenu(entry); });
    }
}

class TallPicker : public ObjectDialogs {
protected:
    // The rows that fit under the title bar and above the bottom rings.
    static constexpr int kShown = (720 - 22 - 6) / 16;
    // The pointer at (600, 300): the picker opens right of it and, too tall
    // to open below or above, at the top of the window.
    static constexpr int kX = 616, kY = 22;

    std::vector<TLevelObjectPtr> stack;
    std::vector<int> lines;   // of each entry

    void Stack(const TLevelObjectPtr& obj) {
        stack.push_back(obj);
        lines.push_back(int(viewer.SplitLine(viewer.ObjectToString(obj.get()), 256).size()));
    }
    int FirstRowOf(int entry) const { return std::accumulate(lines.begin(), lines.begin() + entry, 0); }
    int TotalRows() const { return FirstRowOf(int(lines.size())); }

    // The rows of the picker's block lit white: the highlighted entry's.
    static std::vector<int> LitRows(const TPixmap& frame) {
        std::vector<int> rows;
        for (int row = 0; row < kShown; ++row)
            if (InkIn(frame, kX, kY + 16 * row, 256, 16) == std::set<uint32_t>{kWhite}) rows.push_back(row);
        return rows;
    }
    static std::vector<int> Rows(int first, int count) {
        std::vector<int> rows(static_cast<size_t>(count));
        std::iota(rows.begin(), rows.end(), first);
        return rows;
    }
    void ExpectLit(int first, int count) {
        Check([=](const TPixmap& frame) { EXPECT_EQ(LitRows(frame), Rows(first, count)); });
    }
    TLevelObjectPtr Pick() {
        host.MoveMouse(600, 300);
        TLevelObjectPtr picked;
        Run([&] { picked = viewer.SelectObjectFromList(stack); });
        return picked;
    }
};

TEST_F(TallPicker, ADozenStackedObjectsScrollWithTheKeysAndTheWheelAndClicksFollow) {
    for (int i = 0; i < 12; ++i) {
        const TLevelObjectPtr apple = Add(APPLE, 64, 48);
        apple->state = uint16_t(i * 1111);
        Stack(apple);
    }
    ASSERT_GT(TotalRows(), kShown + lines[0]);
    Check([&](const TPixmap& frame) {
        ExpectWindowAt(frame, kX, kY, 256, 16 * kShown);
        EXPECT_EQ(LitRows(frame), Rows(0, lines[0]));
        // As many lines as fit, down to the last row.
        EXPECT_EQ(InkIn(frame, kX, kY + 16 * (kShown - 1), 256, 16), std::set<uint32_t>{Rgb(128, 128, 128)});
    });
    // Down to the last entry: it stands at the bottom, wholly seen.
    Down(11);
    ExpectLit(kShown - lines[11], lines[11]);
    // A notch up lights the entry above it, which is already in view.
    host.Then([&] { host.Wheel(1); });
    ExpectLit(kShown - lines[11] - lines[10], lines[10]);
    // A click on the row above picks what is shown there: the entry before.
    const int row = kShown - lines[11] - lines[10] - 1;
    host.Then([&] { host.Click(kX + 100, kY + 16 * row + 8); });
    EXPECT_EQ(Pick(), stack[9]);

    // The wheel alone goes down to the last entry and back to the first.
    host.Then([&] { host.Wheel(-11); });
    ExpectLit(kShown - lines[11], lines[11]);
    host.Then([&] { host.Wheel(20); });
    ExpectLit(0, lines[0]);
    host.Then([&] { host.Wheel(-3); });
    ExpectLit(FirstRowOf(3), lines[3]);
    Press(VK_RETURN);
    EXPECT_EQ(Pick(), stack[3]);

    // Pointing at an entry cut off at the top scrolls it wholly into view,
    // and a click there picks it.
    const int firstShown = TotalRows() - kShown;
    int cut = 0;
    while (FirstRowOf(cut + 1) <= firstShown) ++cut;
    Down(11);
    host.Then([&] { host.MoveMouse(kX + 100, kY + 4); });
    ExpectLit(0, lines[size_t(cut)]);
    host.Then([&] { host.Click(kX + 100, kY + 4); });
    EXPECT_EQ(Pick(), stack[size_t(cut)]);
}

TEST_F(TallPicker, AnEntryTallerThanTheWindowShowsItsStart) {
    std::string words;
    for (int i = 0; i < 400; ++i) words += "word ";
    Stack(Add(APPLE, 64, 48));
    const TLevelObjectPtr sign = Add(TEXT8, 64, 48);
    sign->inside = 1;
    sign->insideStr = words;
    Stack(sign);
    Stack(Add(APPLE, 64, 48));
    ASSERT_GT(lines[1], kShown);
    Press(VK_DOWN);
    ExpectLit(0, kShown);
    Press(VK_DOWN);
    ExpectLit(kShown - lines[2], lines[2]);
    Press(VK_UP);
    Check([&](const TPixmap& frame) {
        EXPECT_EQ(LitRows(frame), Rows(0, kShown));
        const std::string start = viewer.SplitLine(viewer.ObjectToString(sign.get()), 256)[0];
        EXPECT_TRUE(ShowsText(host, frame, start, kX, kY, kWhite)) << start;
    });
    Press(VK_RETURN);
    EXPECT_EQ(Pick(), sign);
}
