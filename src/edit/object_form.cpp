// The "Edit Object" form: one row per field of an object on the map or in
// the palette. Changes show on the map at once; "OK" keeps them as one undo
// step, "ABORT" puts everything back.

#include <algorithm>
#include <array>
#include <optional>

#include "base/text_number.h"
#include "edit/dialog_placement.h"
#include "edit/jill_level_viewer.h"
#include "edit/modal_menu.h"
#include "level/level.h"
#include "level/object_kinds.h"
#include "screen/input.h"

namespace {

constexpr int kFormWidth = 320;
// Values are typed where they are shown, after the 11-character labels.
constexpr int kValueX = 88;
constexpr int kNoRefit = -1;

enum { kIndexRow = 0, kKindRow = 1, kInsideRow = 6, kOkRow = 16, kAbortRow = 17, kRowCount = 18 };
constexpr int kFormHeight = 16 * kRowCount;

// A 16-bit field of the record; some kinds draw themselves from the field,
// so their box must be fitted again when it changes.
struct TNumberRow {
    int row;
    const char* label;
    uint16_t TLevelObject::*field;
    int refitKind;
};

const std::array<TNumberRow, 13> kNumberRows = {{
    {2, "     state=", &TLevelObject::state, ObjKind::SCORE},
    {3, "        xd=", &TLevelObject::xd, kNoRefit},
    {4, "        yd=", &TLevelObject::yd, kNoRefit},
    {5, "   counter=", &TLevelObject::counter, ObjKind::BOLL},
    {7, "         x=", &TLevelObject::x, kNoRefit},
    {8, "         y=", &TLevelObject::y, kNoRefit},
    {9, "        xl=", &TLevelObject::xl, kNoRefit},
    {10, "        yl=", &TLevelObject::yl, kNoRefit},
    {11, "  substate=", &TLevelObject::substate, kNoRefit},
    {12, "statecount=", &TLevelObject::statecount, kNoRefit},
    {13, "  objflags=", &TLevelObject::objflags, kNoRefit},
    {14, "     info1=", &TLevelObject::info1, kNoRefit},
    {15, "   zaphold=", &TLevelObject::zaphold, kNoRefit},
}};

const TNumberRow* NumberRow(int row) {
    for (const TNumberRow& number : kNumberRows)
        if (number.row == row) return &number;
    return nullptr;
}

class TObjectForm {
public:
    TObjectForm(TJillLevelViewer& viewer, const std::shared_ptr<TLevelObject>& obj)
        : viewer(viewer), obj(obj), backup(obj->Clone()) {
        inLevel = viewer.level && viewer.level->ContainsObject(obj.get());
        if (inLevel) {
            index = viewer.level->GetObjectIndex(obj.get());
            count = int(viewer.level->objs.size());
        } else {
            const auto found = std::find(viewer.objects.begin(), viewer.objects.end(), obj);
            paletteIndex = found == viewer.objects.end() ? -1 : int(found - viewer.objects.begin());
            index = std::max(paletteIndex, 0);
            count = int(viewer.objects.size());
        }
        Place();
    }

    void Run() {
        TModalMenu menu;
        menu.x = place.x;
        menu.y = place.y;
        menu.w = kFormWidth;
        // Every row is white; the bar under it marks the highlighted one.
        const TColor white{255, 255, 255};
        menu.entries.assign(kRowCount, TMenuEntry{{""}, 0, 0, white, white});
        menu.entries[kOkRow] = {{"OK"}, 152, 0, white, white};
        menu.entries[kAbortRow] = {{"ABORT"}, 140, 0, white, white};
        menu.drawFrame = [&] {
            for (int row = 0; row < kOkRow; ++row) menu.entries[size_t(row)].lines[0] = RowText(row);
            viewer.DrawBackground(1);
            viewer.DrawTitledWindow("Edit Object", place.x, place.y, kFormWidth, kFormHeight);
            SetColor(0, 0, 85);
            DrawRect(float(place.x), float(place.y + 16 * menu.highlighted), kFormWidth, 16);
        };
        menu.extraKeys = [&] {
            const int step = TModalMenu::LeftRightStep();
            if (step != 0) {
                Step(menu.highlighted, step);
                menu.RequestRedraw();
            }
            const bool escape = KeyPresses(VK_ESCAPE) > 0;
            const bool close = CloseRequested() > 0;
            return escape || close ? TModalMenu::kCancelled : TModalMenu::kStayOpen;
        };

        for (;;) {
            const int chosen = menu.Run(viewer);
            if (chosen == kOkRow) return Accept();
            if (chosen == kAbortRow || chosen == TModalMenu::kCancelled) {
                obj->CopyFrom(backup.get());
                return;
            }
            Type(chosen);
        }
    }

private:
    TJillLevelViewer& viewer;
    std::shared_ptr<TLevelObject> obj;
    std::shared_ptr<TLevelObject> backup;
    bool inLevel = false;
    int paletteIndex = -1;
    int index = 0;   // where "OK" puts the object
    int count = 0;   // of the level's objects or the palette's entries
    TPlace place;

    bool CanMove() const { return inLevel || paletteIndex >= 0; }

    void Place() {
        if (inLevel) {
            place = PlaceBesideObject(viewer, *obj, kFormWidth, kFormHeight);
            return;
        }
        // A palette entry has no place on the map; the form stands at the
        // map's top-left corner, or at the window's right edge.
        place = {viewer.mapX + 6, 32};
        if (viewer.mapX + kFormWidth + 6 > ScreenWidth()) place.x = ScreenWidth() - kFormWidth;
        place = KeepTitledWindowInside(place, kFormWidth, kFormHeight);
    }

    // A numeric row's value as it is shown and typed.
    std::string ValueText(int row) const {
        if (row == kIndexRow) return std::to_string(index);
        if (row == kKindRow) return std::to_string(obj->objkind);
        return std::to_string(AsSigned16(obj.get()->*NumberRow(row)->field));
    }

    std::string RowText(int row) const {
        if (row == kIndexRow) return "     index=" + ValueText(row);
        if (row == kKindRow) return "   objkind=" + ValueText(row) + " (" + ObjKindName(obj->objkind) + ")";
        if (row == kInsideRow) return "    inside=" + obj->insideStr;
        return NumberRow(row)->label + ValueText(row);
    }

    // The map shows every change at once.
    void Changed(bool refit) {
        if (refit) obj->UpdateHitbox();
        viewer.GenerateImage(obj);
    }

    void SetIndex(int64_t wanted) {
        if (CanMove()) index = int(std::clamp<int64_t>(wanted, 0, std::max(count - 1, 0)));
    }

    void SetKind(int64_t kind) {
        obj->objkind = uint8_t(kind);
        Changed(true);
    }

    void SetNumber(const TNumberRow& number, int64_t value) {
        obj.get()->*number.field = uint16_t(value);
        Changed(obj->objkind == number.refitKind);
    }

    void Step(int row, int step) {
        if (row == kIndexRow) SetIndex(int64_t(index) + step);
        if (row == kKindRow) SetKind(int64_t(obj->objkind) + step);
        if (const TNumberRow* number = NumberRow(row)) SetNumber(*number, int64_t(obj.get()->*number->field) + step);
    }

    // Enter or a click on a row: the value is typed over where it is shown.
    void Type(int row) {
        const int fieldX = place.x + kValueX, fieldY = place.y + 16 * row, fieldW = kFormWidth - kValueX;
        if (row == kInsideRow) {
            const std::string text = viewer.EditString(obj->insideStr, fieldX, fieldY, fieldW, 16);
            if (text == obj->insideStr) return;
            obj->insideStr = text;
            Changed(obj->objkind == ObjKind::TEXT6 || obj->objkind == ObjKind::TEXT8);
            return;
        }
        if (row == kIndexRow && !CanMove()) return;
        if (row != kIndexRow && row != kKindRow && !NumberRow(row)) return;
        const std::string start = ValueText(row);
        const std::string text = viewer.EditString(start, fieldX, fieldY, fieldW, 16);
        if (text.empty() || text == start) return;
        const std::optional<int64_t> value = TypedTextToInteger(text);
        if (!value) {
            viewer.MyNotify(NotANumberNotice(text), 0);
            return;
        }
        if (row == kIndexRow) SetIndex(*value);
        if (row == kKindRow) SetKind(*value);
        if (const TNumberRow* number = NumberRow(row)) SetNumber(*number, *value);
    }

    void Accept() {
        if (inLevel) {
            // The undo state must hold the object as it was before the form
            // opened, not as Left and Right have already changed it.
            const std::shared_ptr<TLevelObject> edited = obj->Clone();
            obj->CopyFrom(backup.get());
            viewer.MakeUndoState();
            obj->CopyFrom(edited.get());
            if (viewer.level->GetObjectIndex(obj.get()) != index) viewer.level->ChangeObjectIndex(obj.get(), index);
            viewer.levelchanged = 1;
        } else if (paletteIndex >= 0 && paletteIndex != index) {
            auto first = viewer.objects.begin();
            if (index > paletteIndex)
                std::rotate(first + paletteIndex, first + paletteIndex + 1, first + index + 1);
            else
                std::rotate(first + index, first + paletteIndex, first + paletteIndex + 1);
        }
    }
};

}  // namespace

void TJillLevelViewer::EditObject(const std::shared_ptr<TLevelObject>& obj) {
    if (obj) TObjectForm(*this, obj).Run();
}
