// The two "Action" menus, for an object on the map and for a palette entry,
// and the picker for objects lying on top of each other.

#include <algorithm>

#include "document/object_edits.h"
#include "edit/dialog_placement.h"
#include "edit/jill_level_viewer.h"
#include "edit/modal_menu.h"
#include "level/level.h"
#include "level/object_hit_tests.h"
#include "level/object_kinds.h"
#include "screen/input.h"

namespace {

constexpr int kActionMenuWidth = 112;

struct TAction {
    std::string name;
    int hotKey;
};

// Runs an "Action" menu whose window stands at place; the chosen item, or
// kCancelled. Escape, a right click and the window's close box all cancel.
int RunActionMenu(TJillLevelViewer& viewer, const std::vector<TAction>& actions, TPlace place) {
    TModalMenu menu;
    for (const TAction& action : actions) menu.entries.push_back({{action.name}, 0, action.hotKey});
    menu.x = place.x;
    menu.y = place.y;
    menu.w = kActionMenuWidth;
    FrameWithTitle(menu, viewer, "Action");
    menu.extraKeys = [] {
        const bool escape = KeyPresses(VK_ESCAPE) > 0;
        const bool right = ButtonHits(2) > 0;
        const bool close = CloseRequested() > 0;
        return escape || right || close ? TModalMenu::kCancelled : TModalMenu::kStayOpen;
    };
    return menu.Run(viewer);
}

// The palette menu opens beside the cell under the pointer.
TPlace PlaceBesidePaletteCell(const TJillLevelViewer& viewer, int h) {
    const auto floor32 = [](int v) { return v >= 0 ? v / 32 * 32 : -((-v + 31) / 32 * 32); };
    TPlace place{floor32(PointerX()) + 38, std::max(viewer.tilesY + floor32(PointerY() - viewer.tilesY), 22)};
    if (place.x + kActionMenuWidth > ScreenWidth()) place.x = ScreenWidth() - kActionMenuWidth;
    if (place.y + h > ScreenHeight() || place.y < 0) place.y = ScreenHeight() - h;
    return KeepTitledWindowInside(place, kActionMenuWidth, h);
}

}  // namespace

void TJillLevelViewer::ObjectContextMenu(const std::shared_ptr<TLevelObject>& obj) {
    if (!obj) return;
    enum { kMove, kCopy, kEdit, kDelete, kAddToPalette, kLink };
    std::vector<TAction> actions = {{"Move", 'M'}, {"Copy", 'C'}, {"Edit", 'E'}, {"Delete", 'D'}, {"Add To Palette", 'A'}};
    if (IsLinkableKind(obj->objkind)) actions.push_back({"Link", 'L'});
    const int height = 16 * int(actions.size());

    switch (RunActionMenu(*this, actions, PlaceBesideObject(*this, *obj, kActionMenuWidth, height))) {
    case kMove: selObj = obj; break;
    case kCopy: selObj = obj->Clone(); break;
    case kEdit:
        EditObject(obj);
        selObj = nullptr;
        break;
    case kDelete:
        DeleteObject(document, obj.get());
        selObj = nullptr;
        break;
    case kAddToPalette: {
        std::shared_ptr<TLevelObject> entry = obj->Clone();
        entry->ChangePosition(0, 0);
        const bool known = std::any_of(objects.begin(), objects.end(),
                                       [&](const TLevelObjectPtr& other) { return entry->Equals(other.get()); });
        if (!known) objects.push_back(entry);
        selObj = nullptr;
        break;
    }
    // The editor loop made the object selObj before it opened the menu; it
    // now waits for the link target.
    case kLink: selLink = 1; break;
    default: selObj = nullptr; break;
    }
}

void TJillLevelViewer::ObjectPaletteContextMenu(const std::shared_ptr<TLevelObject>& obj) {
    if (!obj) return;
    enum { kSelect, kEdit, kDelete };
    const std::vector<TAction> actions = {{"Select", 'S'}, {"Edit", 'E'}, {"Delete", 'D'}};

    switch (RunActionMenu(*this, actions, PlaceBesidePaletteCell(*this, 16 * int(actions.size())))) {
    case kSelect: selObj = obj->Clone(); break;
    case kEdit: EditObject(obj); break;
    case kDelete: {
        const auto found = std::find(objects.begin(), objects.end(), obj);
        if (found != objects.end()) objects.erase(found);
        break;
    }
    default: selObj = nullptr; break;
    }
}

std::shared_ptr<TLevelObject> TJillLevelViewer::SelectObjectFromList(std::vector<std::shared_ptr<TLevelObject>> list) {
    if (list.empty()) return nullptr;
    TModalMenu menu;
    menu.w = std::min(mapW, 256);
    for (const TLevelObjectPtr& obj : list) {
        TMenuEntry entry{SplitLine(ObjectToString(obj.get()), menu.w)};
        entry.plain = {128, 128, 128};
        menu.entries.push_back(entry);
    }
    PlaceMenuBesidePointer(menu);
    FrameWithTitle(menu, *this, "Which Object Do You Want?");
    // The picker answers a question the editor loop asked; only Escape declines it.
    menu.extraKeys = [] { return KeyPresses(VK_ESCAPE) ? TModalMenu::kCancelled : TModalMenu::kStayOpen; };

    const int chosen = menu.Run(*this);
    return chosen >= 0 ? list[size_t(chosen)] : nullptr;
}

TLevelObjectPtr TJillLevelViewer::ChooseObjectAtPointer(bool linkTargets) {
    int px = 0, py = 0;
    MapGetMousePixelPos(px, py);
    std::vector<TLevelObjectPtr> found;
    for (const TLevelObjectPtr& obj : level->objs)
        if (obj && InHitbox(px, py, *obj) && (!linkTargets || IsLinkableKind(obj->objkind))) found.push_back(obj);
    if (found.empty()) return nullptr;
    if (found.size() == 1) return found.front();
    TLevelObjectPtr chosen = SelectObjectFromList(std::move(found));
    FlushInput();
    return chosen;
}
