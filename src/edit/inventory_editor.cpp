// The inventory editor: the player block of the level (level number,
// health, scores and the items carried), edited on a copy of the level that
// replaces it, as one undoable step, only on "OK".

#include <algorithm>
#include <array>
#include <optional>

#include "base/text_number.h"
#include "document/inventory_edits.h"
#include "edit/jill_level_viewer.h"
#include "edit/modal_menu.h"
#include "edit/outlines.h"
#include "gamedata/shape_manager.h"
#include "level/level.h"
#include "level/object_kinds.h"
#include "screen/input.h"

namespace {

constexpr uint16_t kIconTable = 0x0E00;
// Values are typed where they are shown, after the 10-character labels.
constexpr int kValueX = 80;

enum { kLevelRow, kHealthRow, kScoreRow, kOuchedRow, kOldScoreRow, kRemoveRow, kAddRow, kOkRow, kCancelRow, kRows };
constexpr int kValueRows = kRemoveRow;
// Content lines of the rows whose pictures lie below their text.
constexpr int kRemoveLine = 6, kAddLine = 8, kOkLine = 10, kCancelLine = 11;

const std::array<const char*, kRows> kHelp = {
    "Current level number (for saved games only)",
    "Player's current/starting health (0..8, usually 6)",
    "Current score (for saved games only)",
    "Indicates that the player was just hurt - ignore it",
    "Score before entering this level (for saved games only)",
    "Remove an item from the inventory",
    "Add an item to the inventory",
    "Accept changes and exit",
    "Discard changes and exit",
};

// The items the add row offers: those with an icon, counted from 0.
int SelectableItems() {
    int n = 0;
    while (InventoryIconFrame(n) != 0) ++n;
    return n;
}

class TInventoryEditor {
public:
    explicit TInventoryEditor(TJillLevelViewer& viewer)
        : viewer(viewer), copy(viewer.level->Clone()), items(SelectableItems()) {
        w = 16 * std::max(kInventorySlots, items);
    }

    void Run() {
        TModalMenu menu;
        menu.centred = true;
        menu.centredHeight = kHeight;
        menu.w = w;
        menu.entries = {{{""}}, {{""}}, {{""}}, {{""}}, {{""}}, {{"", ""}}, {{"Add Item:", "", ""}},
                        {{"OK"}, (w - 16) / 2}, {{"CANCEL"}, (w - 48) / 2}};
        menu.drawFrame = [&] {
            x = menu.x;
            y = menu.y;
            for (int row = 0; row < kValueRows; ++row) menu.entries[size_t(row)].lines[0] = RowText(row);
            menu.entries[kRemoveRow].lines[0] = "Inventory: " + std::to_string(AsSigned16(copy->pl_numinv)) + " item(s)";
            viewer.DrawBackground(1);
            viewer.DrawTitledWindow("Edit Inventory", x - 8, y - 8, w + 16, kHeight + 16);
            viewer.DrawStatusText(kHelp[size_t(menu.highlighted)]);
        };
        menu.drawOver = [&] { DrawItems(menu.highlighted); };
        menu.pointAt = [&](int px, int py) { return PointAt(menu, px, py); };
        menu.extraKeys = [&] {
            const int step = TModalMenu::LeftRightStep();
            if (step != 0) {
                Step(menu.highlighted, step);
                menu.RequestRedraw();
            }
            if (menu.highlighted == kRemoveRow) removeColumn = std::min(std::max(removeColumn, 0), InUse() - 1);
            if (menu.highlighted == kAddRow) addColumn = std::clamp(addColumn, 0, items - 1);
            return KeyPresses(VK_ESCAPE) ? int(kCancelRow) : TModalMenu::kStayOpen;
        };

        for (;;) {
            const int chosen = menu.Run(viewer);
            if (chosen == kOkRow) return Accept();
            if (chosen == kCancelRow) return;
            Act(chosen);
        }
    }

private:
    static constexpr int kHeight = 192;

    TJillLevelViewer& viewer;
    std::shared_ptr<TLevel> copy;
    int items;
    int x = 0, y = 0, w = 0;
    int removeColumn = 0, addColumn = 0;

    int InUse() const { return InventoryItemsInUse(*copy); }

    std::string RowText(int row) const {
        static const std::array<const char*, kValueRows> labels = {"   Level: ", "  Health: ", "   Score: ",
                                                                   "  Ouched: ", "OldScore: "};
        return labels[size_t(row)] + ValueText(row);
    }

    std::string ValueText(int row) const {
        switch (row) {
        case kLevelRow: return std::to_string(AsSigned16(copy->pl_level));
        case kHealthRow: return std::to_string(AsSigned16(copy->pl_health));
        case kScoreRow: return std::to_string(copy->pl_score);
        case kOuchedRow: return std::to_string(copy->pl_ouched);
        default: return std::to_string(copy->pl_oldscore);
        }
    }

    int64_t Value(int row) const {
        switch (row) {
        case kLevelRow: return copy->pl_level;
        case kHealthRow: return copy->pl_health;
        case kScoreRow: return copy->pl_score;
        case kOuchedRow: return copy->pl_ouched;
        default: return copy->pl_oldscore;
        }
    }

    // Each field keeps the low bits of its width.
    void SetValue(int row, int64_t value) {
        switch (row) {
        case kLevelRow: copy->pl_level = uint16_t(value); break;
        case kHealthRow: copy->pl_health = uint16_t(value); break;
        case kScoreRow: copy->pl_score = int32_t(value); break;
        case kOuchedRow: copy->pl_ouched = uint16_t(value); break;
        default: copy->pl_oldscore = int32_t(value); break;
        }
    }

    bool PointAt(TModalMenu& menu, int px, int py) {
        if (!menu.Contains(px, py)) return false;
        const int line = (py - y) / 16, column = (px - x) / 16;
        if (line < kValueRows) {
            menu.highlighted = line;
            return true;
        }
        if (line == kRemoveLine) {
            menu.highlighted = kRemoveRow;
            if (column >= InUse()) return false;
            removeColumn = column;
            return true;
        }
        if (line == kAddLine) {
            menu.highlighted = kAddRow;
            if (column >= items) return false;
            addColumn = column;
            return true;
        }
        if (line == kOkLine) menu.highlighted = kOkRow;
        if (line == kCancelLine) menu.highlighted = kCancelRow;
        return line == kOkLine || line == kCancelLine;
    }

    void Step(int row, int step) {
        if (row < kValueRows) SetValue(row, Value(row) + step);
        if (row == kRemoveRow && (step < 0 ? removeColumn > 0 : removeColumn + 1 < InUse())) removeColumn += step;
        if (row == kAddRow) addColumn = std::clamp(addColumn + step, 0, items - 1);
    }

    void DrawIcon(int item, int column, int line) const {
        if (viewer.shapeman)
            viewer.shapeman->DrawSh(uint16_t(kIconTable + InventoryIconFrame(item)), x + 16 * column, y + 16 * line);
    }

    void DrawItems(int highlighted) const {
        for (int i = 0; i < InUse(); ++i) DrawIcon(copy->pl_inv[size_t(i)], i, kRemoveLine);
        for (int i = 0; i < items; ++i) DrawIcon(i, i, kAddLine);
        if (highlighted == kRemoveRow && removeColumn >= 0 && removeColumn < InUse())
            DrawOutline(x + 16 * removeColumn, y + 16 * kRemoveLine, 16, 16, 1.0f);
        if (highlighted == kAddRow) DrawOutline(x + 16 * addColumn, y + 16 * kAddLine, 16, 16, 1.0f);
    }

    void Act(int row) {
        if (row < kValueRows) {
            const std::string shown = ValueText(row);
            const std::string text = viewer.EditString(shown, x + kValueX, y + 16 * row, w - kValueX, 16);
            if (!text.empty() && text != shown) {
                if (const std::optional<int64_t> value = TypedTextToInteger(text))
                    SetValue(row, *value);
                else
                    viewer.MyNotify(NotANumberNotice(text), 0);
            }
        }
        if (row == kRemoveRow) RemoveInventoryItem(*copy, removeColumn);
        if (row == kAddRow && !AddInventoryItem(*copy, uint16_t(addColumn)))
            viewer.MyNotify("Inventory is limited to 16 items max!", 0);
    }

    void Accept() {
        // As after an undo: an object in hand from the old level is the
        // same object of the new one, so the next click moves it.
        viewer.FindSelectedObject(copy);
        viewer.document.ReplaceLevel(copy);
    }
};

}  // namespace

void TJillLevelViewer::EditInventory() {
    if (level) TInventoryEditor(*this).Run();
}
