// The object menus, the picker, the link menu, the "Edit Object" form and
// its text field, each run as the editor loop runs it, on the sample game,
// and driven through the keys and the pointer as a person would.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "e2e/object_dialog_session.h"
#include "level/level.h"
#include "level/object_kinds.h"
#include "screen/graphics.h"

namespace {
using namespace ObjKind;
using namespace object_dialogs;
}  // namespace

TEST_F(ObjectDialogs, ContextMenuShowsItsItemsBesideTheObjectAndActs) {
    const TLevelObjectPtr apple = Add(APPLE, 64, 48);
    ASSERT_EQ(apple->xl, 12);
    ASSERT_EQ(apple->yl, 12);
    const int x = kMapX + 64 + 12 + 16, y = 48 + 12 + 16;
    bool closed = false;
    viewer.selObj = apple;
    Check([&](const TPixmap& frame) {
        // Five items, the first highlighted: no "Link" for an apple.
        ExpectWindowAt(frame, x, y, 112, 80);
        EXPECT_EQ(InkIn(frame, x, y, 112, 16), std::set<uint32_t>{kWhite});
        for (int i = 1; i < 5; ++i) EXPECT_EQ(InkIn(frame, x, y + 16 * i, 112, 16), std::set<uint32_t>{Rgb(127, 127, 127)});
        EXPECT_EQ(TextCells(frame, x, y + 64, 112), 14);   // "Add To Palette"
    });
    Press('L');
    Press(VK_DOWN);
    Check([&](const TPixmap& frame) {
        EXPECT_FALSE(closed);
        EXPECT_EQ(viewer.selLink, 0);
        EXPECT_EQ(InkIn(frame, x, y + 16, 112, 16), std::set<uint32_t>{kWhite});
    });
    Press(VK_ESCAPE);
    EXPECT_EQ(Run([&] {
                  viewer.ObjectContextMenu(apple);
                  closed = true;
              }).end,
              TRunEnd::Returned);
    EXPECT_EQ(viewer.selObj, nullptr);

    // "Move" holds the object itself, "Copy" a copy outside the level.
    Press('M');
    Run([&] { viewer.ObjectContextMenu(apple); });
    EXPECT_EQ(viewer.selObj, apple);
    Press('C');
    Run([&] { viewer.ObjectContextMenu(apple); });
    ASSERT_TRUE(viewer.selObj);
    EXPECT_NE(viewer.selObj, apple);
    EXPECT_TRUE(viewer.selObj->Equals(apple.get()));
    EXPECT_FALSE(viewer.level->ContainsObject(viewer.selObj.get()));

    // A right click or the close box cancels, dropping the held object.
    host.Then([&] { host.Click(5, 5, 2); });
    Run([&] { viewer.ObjectContextMenu(apple); });
    EXPECT_EQ(viewer.selObj, nullptr);
    viewer.selObj = apple;
    host.Then([&] { host.RequestClose(); });
    Run([&] { viewer.ObjectContextMenu(apple); });
    EXPECT_EQ(viewer.selObj, nullptr);

    // "Add To Palette" twice adds one entry, moved to (0, 0).
    const size_t palette = viewer.objects.size();
    for (int i = 0; i < 2; ++i) {
        Press('A');
        Run([&] { viewer.ObjectContextMenu(apple); });
    }
    ASSERT_EQ(viewer.objects.size(), palette + 1);
    EXPECT_EQ(viewer.objects.back()->x, 0);
    EXPECT_EQ(viewer.objects.back()->y, 0);
    EXPECT_EQ(viewer.objects.back()->objkind, APPLE);
    EXPECT_EQ(apple->x, 64);
    EXPECT_TRUE(viewer.undoList->empty());

    // "Delete", picked with the pointer, is one undo step.
    host.Then([&] { host.Click(x + 4, y + 16 * 3 + 8); });
    Run([&] { viewer.ObjectContextMenu(apple); });
    EXPECT_FALSE(viewer.level->ContainsObject(apple.get()));
    EXPECT_EQ(viewer.undoList->size(), 1u);
    EXPECT_EQ(viewer.levelchanged, 1);
}

TEST_F(ObjectDialogs, ALinkableObjectsMenuHasLinkAndEntersLinkMode) {
    const TLevelObjectPtr door = Add(DOOR, 64, 48);
    const int x = kMapX + 64 + door->xl + 16, y = 48 + door->yl + 16;
    viewer.selObj = door;
    Check([&](const TPixmap& frame) {
        ExpectWindowAt(frame, x, y, 112, 96);
        EXPECT_EQ(TextCells(frame, x, y + 80, 112), 4);   // "Link"
    });
    Press('L');
    Run([&] { viewer.ObjectContextMenu(door); });
    EXPECT_EQ(viewer.selLink, 1);
    EXPECT_EQ(viewer.selObj, door);
}

TEST_F(ObjectDialogs, PaletteMenuSelectsAndDeletesItsEntry) {
    const TLevelObjectPtr a = Make(APPLE, 0, 0), b = Make(KNIFE, 0, 0), c = Make(KEY, 0, 0);
    viewer.objects = {a, b, c};
    host.MoveMouse(40, 20);
    Press('S');
    Run([&] { viewer.ObjectPaletteContextMenu(b); });
    ASSERT_TRUE(viewer.selObj);
    EXPECT_NE(viewer.selObj, b);
    EXPECT_TRUE(viewer.selObj->Equals(b.get()));

    host.Then([&] { host.Click(5, 5, 2); });
    Run([&] { viewer.ObjectPaletteContextMenu(b); });
    EXPECT_EQ(viewer.selObj, nullptr);
    EXPECT_EQ(viewer.objects.size(), 3u);

    Press('D');
    Run([&] { viewer.ObjectPaletteContextMenu(b); });
    EXPECT_EQ(viewer.objects, (std::vector<TLevelObjectPtr>{a, c}));
    EXPECT_TRUE(viewer.undoList->empty());
}

TEST_F(ObjectDialogs, PickerShowsEachObjectOnItsLinesAndPicksByPointer) {
    const TLevelObjectPtr sign = Add(TEXT8, 64, 48), apple = Add(APPLE, 64, 48);
    sign->inside = 1;
    sign->insideStr = "a sign with a few words on it";
    const int signLines = int(viewer.SplitLine(viewer.ObjectToString(sign.get()), 256).size());
    const int appleLines = int(viewer.SplitLine(viewer.ObjectToString(apple.get()), 256).size());
    ASSERT_GE(signLines, 3);
    const int x = 600 + 16, y = 300;
    host.MoveMouse(600, 300);
    const std::set<uint32_t> lit{kWhite}, plain{Rgb(128, 128, 128)};
    Check([&](const TPixmap& frame) {
        ExpectWindowAt(frame, x, y, 256, 16 * (signLines + appleLines));
        for (int line = 0; line < signLines; ++line) EXPECT_EQ(InkIn(frame, x, y + 16 * line, 256, 16), lit);
        for (int line = 0; line < appleLines; ++line)
            EXPECT_EQ(InkIn(frame, x, y + 16 * (signLines + line), 256, 16), plain);
    });
    host.Then([&] { host.MoveMouse(x + 10, y + 16 * signLines + 2); });
    Check([&](const TPixmap& frame) {
        EXPECT_EQ(InkIn(frame, x, y + 16, 256, 16), plain);
        EXPECT_EQ(InkIn(frame, x, y + 16 * signLines, 256, 16), lit);
    });
    // The second line of the first entry belongs to the first entry.
    host.Then([&] { host.MoveMouse(x + 10, y + 16 + 8); });
    Check([&](const TPixmap& frame) { EXPECT_EQ(InkIn(frame, x, y, 256, 16), lit); });
    // Neither a right click nor the close box closes the picker.
    host.Then([&] { host.Click(x + 10, y + 16 + 8, 2); });
    host.Then([&] { host.RequestClose(); });
    host.Then([&] { host.Click(x + 10, y + 16 + 8); });
    TLevelObjectPtr picked;
    Run([&] { picked = viewer.SelectObjectFromList({sign, apple}); });
    EXPECT_EQ(picked, sign);

    Press(VK_DOWN);
    Press(VK_RETURN);
    Run([&] { picked = viewer.SelectObjectFromList({sign, apple}); });
    EXPECT_EQ(picked, apple);
    Press(VK_ESCAPE);
    Run([&] { picked = viewer.SelectObjectFromList({sign, apple}); });
    EXPECT_EQ(picked, nullptr);
}

TEST_F(ObjectDialogs, LinkMenuOffersEitherIdOrTheFirstFreeOneAndWritesIt) {
    // IDs 1, 2, 5 and 9 are in use; 3 only by an apple, which has no link ID.
    Add(PAD, 16, 16, 1);
    Add(SKULL, 48, 16, 2);
    Add(APPLE, 80, 16, 3);
    Add(BUTTON, 112, 16, 9);
    const TLevelObjectPtr source = Add(SWITCH, 64, 96, 5), target = Add(DOOR, 160, 96, 7);
    const TLevelObjectPtr partner = Add(BRIDGER, 256, 96, 5);
    const int x = 700 + 16, y = 400, w = 8 * 47;
    host.MoveMouse(700, 400);
    // The source's partner pulses in blue while the first item is lit.
    const auto partnerLit = [&](const TPixmap& frame) { return (Pixel(frame, kMapX + 256, 96) & 0xFF) == 0xFF; };
    Check([&](const TPixmap& frame) {
        ExpectWindowAt(frame, x, y, w, 64);
        EXPECT_EQ(TextCells(frame, x, y, w), 46);        // "... used by 1 other object)"
        EXPECT_EQ(TextCells(frame, x, y + 16, w), 47);   // "... used by 0 other objects)"
        EXPECT_EQ(TextCells(frame, x, y + 32, w), 26);   // "Use ID 3 (first unused ID)"
        EXPECT_EQ(TextCells(frame, x, y + 48, w), 6);
        EXPECT_TRUE(partnerLit(frame));
    });
    Down(2);
    Check([&](const TPixmap& frame) { EXPECT_FALSE(partnerLit(frame)); });
    // A right click does nothing here.
    host.Then([&] { host.Click(700, 400, 2); });
    Press(VK_RETURN);
    Run([&] { viewer.ObjectLinkMenu(source, target); });
    EXPECT_EQ(source->counter, 3);
    EXPECT_EQ(target->counter, 3);
    EXPECT_EQ(partner->counter, 5);
    EXPECT_EQ(viewer.undoList->size(), 1u);
    EXPECT_EQ(viewer.levelchanged, 1);

    // Now three objects carry ID 3 besides a linked pair: two others of
    // the source's, none of the target's.
    partner->counter = 3;
    Add(FALLDOOR, 300, 96, 3);
    target->counter = 8;
    host.Then([&] { host.Click(x + 4, y + 8); });
    Run([&] { viewer.ObjectLinkMenu(source, target); });
    EXPECT_EQ(target->counter, 3);
    source->counter = 6;
    Press(VK_DOWN);
    Press(VK_RETURN);
    Run([&] { viewer.ObjectLinkMenu(source, target); });
    EXPECT_EQ(source->counter, 3);
    EXPECT_EQ(viewer.undoList->size(), 3u);

    // "Cancel", Escape and the close box leave the level as it was.
    source->counter = 11;
    Down(3);
    Press(VK_RETURN);
    Run([&] { viewer.ObjectLinkMenu(source, target); });
    Press(VK_ESCAPE);
    Run([&] { viewer.ObjectLinkMenu(source, target); });
    host.Then([&] { host.RequestClose(); });
    Run([&] { viewer.ObjectLinkMenu(source, target); });
    EXPECT_EQ(source->counter, 11);
    EXPECT_EQ(target->counter, 3);
    EXPECT_EQ(viewer.undoList->size(), 3u);

    // An object is never linked with itself; nothing is even drawn.
    const int frames = host.Frames();
    Run([&] { viewer.ObjectLinkMenu(source, source); });
    Run([&] { viewer.ObjectLinkMenu(source, nullptr); });
    EXPECT_EQ(host.Frames(), frames);
}

TEST_F(ObjectDialogs, FormStoresTypedNumbersInTheFieldsWidth) {
    Add(APPLE, 16, 16);
    const TLevelObjectPtr apple = Add(APPLE, 64, 48);
    Add(APPLE, 112, 16);
    const int x = kMapX + 64 + 12 + 16, y = 48 + 12 + 16;
    Check([&](const TPixmap& frame) {
        ExpectWindowAt(frame, x, y, 320, 288);
        // The highlighted row stands on a dark blue bar, the rest on black.
        EXPECT_EQ(Pixel(frame, x + 319, y + 1), Rgb(0, 0, 85));
        EXPECT_EQ(Pixel(frame, x + 319, y + 17), 0u);
        EXPECT_EQ(TextCells(frame, x, y, 320), 12);   // "     index=1"
    });
    Down(3);   // xd
    Type("$10");
    host.Then([&] { EXPECT_EQ(apple->xd, 16); });
    Type("-1");
    Check([&](const TPixmap& frame) {
        EXPECT_EQ(apple->xd, 65535);
        EXPECT_EQ(TextCells(frame, x, y + 48, 320), 13);   // "        xd=-1"
    });
    // The low 16 bits of what was typed, on both sides of the field's end.
    for (const auto& [typed, stored] : std::vector<std::pair<std::string, int>>{
             {"65535", 65535}, {"65536", 0}, {"-32768", 32768}, {"-32769", 32767}, {"70000", 4464},
             {"1000000000000000000000000000007", 7}, {" -1 ", 65535}, {"+7", 7}, {"$10", 16}, {"%101", 5},
             {"  +%101", 5}}) {
        Type(typed);
        host.Then([&, typed, stored] { EXPECT_EQ(apple->xd, stored) << typed; });
    }
    // A text that is not wholly a number is refused with a notice that
    // quotes it; the row keeps its value and the form stays open.
    for (const std::string typed : {"abc", "0-1", "12x"}) {
        host.ExpectNotify();
        Type(typed);
        Check([&, typed](const TPixmap& frame) {
            EXPECT_EQ(apple->xd, 5) << typed;
            ASSERT_FALSE(host.Requesters().empty());
            const TRequesterCall& notice = host.Requesters().back();
            EXPECT_EQ(notice.kind, "Notify");
            EXPECT_EQ(notice.serious, 0);
            EXPECT_EQ(notice.text, "\"" + typed +
                                       "\" is not a number. Type a decimal number such as 42 or -7, a hexadecimal "
                                       "number after \"$\" such as $1F, or a binary number after \"%\" such as "
                                       "%101. The value was not changed.");
            EXPECT_EQ(TextCells(frame, x, y + 48, 320), 12);   // "        xd=5"
        });
    }
    // An emptied field keeps the value; so does Escape.
    Type("", 4);
    Press(VK_RETURN);
    host.Then([&] {
        host.TypeText("9");
        host.PressKey(VK_ESCAPE);
    });
    host.WaitFrames(6);
    Check([&](const TPixmap&) { EXPECT_EQ(apple->xd, 5); });
    // The kind keeps 8 bits and takes the new kind's box.
    Press(VK_UP);
    Press(VK_UP);
    Type("300");
    host.Then([&] {
        EXPECT_EQ(apple->objkind, KNIGHT);
        EXPECT_EQ(apple->xl, 32);
    });
    // The index is kept within the level and applied at "OK".
    Press(VK_UP);
    Type("99");
    host.Then([&] { EXPECT_EQ(viewer.level->GetObjectIndex(apple.get()), 1); });
    Press(VK_UP);   // stays on row 0
    Press(VK_LEFT);
    Press(VK_RIGHT);
    Press(VK_RIGHT);   // at the last index already
    Check([&](const TPixmap& frame) { EXPECT_EQ(TextCells(frame, x, y, 320), 12); });
    host.Then([&] { host.Click(x + 160, y + 16 * 16 + 8); });   // "OK"
    Run([&] { viewer.EditObject(apple); });
    EXPECT_EQ(viewer.level->GetObjectIndex(apple.get()), 2);
    // The undo state holds the object as it was before the form.
    ASSERT_EQ(viewer.undoList->size(), 1u);
    const TLevelObjectPtr before = viewer.undoList->front()->objs[1];
    EXPECT_EQ(before->objkind, APPLE);
    EXPECT_EQ(before->xd, 0);

    viewer.level->objs = {apple};
    Press(VK_RIGHT);   // a single object stays at index 0
    Type("-5");
    Down(16);
    Press(VK_RETURN);
    Run([&] { viewer.EditObject(apple); });
    EXPECT_EQ(viewer.level->GetObjectIndex(apple.get()), 0);
}

TEST_F(ObjectDialogs, FormChangesShowAtOnceAndAbortPutsEverythingBack) {
    const TLevelObjectPtr odd = Add(APPLE, 64, 48);
    odd->objkind = 255;
    odd->xl = 3;
    odd->yl = 5;
    odd->insideStr = "old";
    const TLevelObjectPtr before = odd->Clone();
    ASSERT_TRUE(odd->myshape);
    const uint16_t frameBefore = odd->myshape->sh;
    Press(VK_DOWN);
    Press(VK_RIGHT);   // kind 255 wraps to 0, the player, with its box and picture
    host.Then([&] {
        EXPECT_EQ(odd->objkind, PLAYER);
        EXPECT_EQ(odd->xl, 16);
        EXPECT_EQ(odd->yl, 32);
        ASSERT_TRUE(odd->myshape);
        EXPECT_NE(odd->myshape->sh, frameBefore);
    });
    Press(VK_LEFT);
    Press(VK_LEFT);   // 0 back to 255, then 254
    host.Then([&] { EXPECT_EQ(odd->objkind, 254); });
    Press(VK_DOWN);
    Press(VK_LEFT);   // state 0 - 1
    Down(5);          // x
    Press(VK_RIGHT);
    Down(9);          // "OK": Left and Right change nothing
    Press(VK_LEFT);
    Press(VK_UP);     // zaphold
    Press(VK_UP);     // info1
    Press(VK_UP);     // objflags
    Press(VK_UP);     // statecount
    Press(VK_UP);     // substate
    Press(VK_UP);     // yl
    Press(VK_UP);     // xl
    Press(VK_UP);     // y
    Press(VK_UP);     // x
    Press(VK_UP);     // inside
    Type(" and new", 0);
    host.Then([&] {
        EXPECT_EQ(odd->state, 65535);
        EXPECT_EQ(odd->x, 65);
        EXPECT_EQ(odd->insideStr, "old and new");
    });
    Press(VK_ESCAPE);
    Run([&] { viewer.EditObject(odd); });
    EXPECT_TRUE(odd->Equals(before.get()));
    ASSERT_TRUE(odd->myshape);
    EXPECT_EQ(odd->myshape->sh, frameBefore);
    EXPECT_TRUE(viewer.undoList->empty());
    EXPECT_EQ(viewer.levelchanged, 0);

    // "ABORT" by the pointer does the same; "OK" without a change still
    // records an undo state.
    const int x = kMapX + 64 + 3 + 16, y = 48 + 5 + 16;
    Press(VK_DOWN);
    Press(VK_RIGHT);
    host.Then([&] { host.Click(x + 150, y + 16 * 17 + 8); });
    Run([&] { viewer.EditObject(odd); });
    EXPECT_TRUE(odd->Equals(before.get()));
    // A click below the last row is dropped. (The pointer first leaves
    // "ABORT", or the form would open with it highlighted.)
    host.MoveMouse(5, 5);
    host.Then([&] { host.Click(x + 150, y + 16 * 18 + 2); });
    Settle();
    Down(16);
    Press(VK_RETURN);
    Run([&] { viewer.EditObject(odd); });
    EXPECT_TRUE(odd->Equals(before.get()));
    EXPECT_EQ(viewer.undoList->size(), 1u);
    EXPECT_EQ(viewer.levelchanged, 1);
}

TEST_F(ObjectDialogs, FormOfAPaletteEntryMovesItInThePalette) {
    const TLevelObjectPtr a = Make(APPLE, 0, 0), b = Make(KNIFE, 0, 0), c = Make(KEY, 0, 0);
    viewer.objects = {a, b, c};
    Check([&](const TPixmap& frame) { ExpectWindowAt(frame, kMapX + 6, 32, 320, 288); });
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    Press(VK_RIGHT);   // already the last place
    Down(16);
    Press(VK_RETURN);
    Run([&] { viewer.EditObject(a); });
    EXPECT_EQ(viewer.objects, (std::vector<TLevelObjectPtr>{b, c, a}));
    Type("0");
    Down(16);
    Press(VK_RETURN);
    Run([&] { viewer.EditObject(c); });
    EXPECT_EQ(viewer.objects, (std::vector<TLevelObjectPtr>{c, b, a}));
    EXPECT_TRUE(viewer.undoList->empty());
    EXPECT_EQ(viewer.levelchanged, 0);
}

TEST_F(ObjectDialogs, TextFieldEditsAtItsCursorAndScrolls) {
    std::string result;
    const auto edit = [&](const std::string& text, int w) {
        Run([&] { result = viewer.EditString(text, 400, 300, w, 16); });
    };
    // Backspace at the start and Delete at the end change nothing.
    host.Then([&] { host.PressKey(VK_HOME); });
    host.Then([&] { host.PressKey(VK_BACK); });
    host.Then([&] { host.PressKey(VK_END); });
    host.Then([&] { host.PressKey(VK_DELETE); });
    host.Then([&] { host.PressKey(VK_LEFT); });
    host.Then([&] { host.PressKey(VK_BACK); });   // "ab|d"
    host.Then([&] { host.PressKey(VK_RIGHT); });
    host.Then([&] { host.PressKey(VK_RIGHT); });   // past the end: stays
    host.Then([&] { host.TypeText("e"); });
    host.Then([&] { host.PressKey(VK_HOME); });
    host.Then([&] { host.PressKey(VK_DELETE); });
    host.Then([&] { host.PressKey(VK_LEFT); });   // before the start: stays
    host.Then([&] {
        host.TypeText("x\xc3\xa9");   // a character beyond 127 is not typed
        host.PressKey(VK_RETURN);
    });
    edit("abcd", 232);
    EXPECT_EQ(result, "xbde");
    host.Then([&] {
        host.TypeText("zz");
        host.PressKey(VK_ESCAPE);
    });
    edit("kept", 232);
    EXPECT_EQ(result, "kept");

    // A text longer than the field scrolls so the cursor stays in view: 13
    // cells from the start with the cursor after the twelfth, 8 cells wide.
    host.WaitFrames(2);
    host.Then([&] {
        const auto frame = host.Capture();
        EXPECT_EQ(InkIn(*frame, 400, 300, 64, 16).count(kWhite), 1u);
        // The fill of the field, and the frame under it left as it was.
        EXPECT_EQ(Pixel(*frame, 400 + 63, 315), Rgb(0, 0, 85));
        host.PressKey(VK_RETURN);
    });
    edit("abcdefghijkl", 64);
    EXPECT_EQ(result, "abcdefghijkl");

    // A very long text costs no more per frame than a short one.
    const std::string longText(100000, 'w');
    host.Then([&] { host.PressKey(VK_HOME); });
    host.Then([&] { host.TypeText("<"); });
    host.Then([&] { host.PressKey(VK_END); });
    host.Then([&] {
        host.TypeText(">");
        host.PressKey(VK_RETURN);
    });
    edit(longText, 232);
    EXPECT_TRUE(result == "<" + longText + ">") << result.size();
}
