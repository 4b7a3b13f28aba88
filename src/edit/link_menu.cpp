// The link menu: which link ID two objects come to share.

#include <algorithm>
#include <set>

#include "edit/dialog_placement.h"
#include "edit/jill_level_viewer.h"
#include "edit/modal_menu.h"
#include "level/level.h"
#include "level/object_kinds.h"
#include "screen/input.h"

namespace {

// Objects of a linkable kind other than a and b that carry the link ID id.
int OthersUsing(const TLevel& level, uint16_t id, const TLevelObject* a, const TLevelObject* b) {
    return int(std::count_if(level.objs.begin(), level.objs.end(), [&](const TLevelObjectPtr& obj) {
        return obj && obj.get() != a && obj.get() != b && IsLinkableKind(obj->objkind) && obj->counter == id;
    }));
}

// The smallest link ID from 1 up that no object of a linkable kind carries.
uint16_t FirstUnusedId(const TLevel& level) {
    std::set<uint16_t> used;
    for (const TLevelObjectPtr& obj : level.objs)
        if (obj && IsLinkableKind(obj->objkind)) used.insert(obj->counter);
    uint16_t id = 1;
    while (used.count(id) && id != 0xFFFF) ++id;
    return id;
}

std::string UseIdItem(uint16_t id, const std::string& whose, int others) {
    return "Use ID " + std::to_string(AsSigned16(id)) + " (" + whose + "'s ID, used by " + std::to_string(others) +
           " other object" + (others == 1 ? "" : "s") + ")";
}

}  // namespace

void TJillLevelViewer::ObjectLinkMenu(const std::shared_ptr<TLevelObject>& source,
                                      const std::shared_ptr<TLevelObject>& target) {
    if (!source || !target || source == target || !level) return;
    enum { kSourceId, kTargetId, kFreeId, kCancel };
    const uint16_t freeId = FirstUnusedId(*level);

    TModalMenu menu;
    for (const std::string& item :
         {UseIdItem(source->counter, "source", OthersUsing(*level, source->counter, source.get(), target.get())),
          UseIdItem(target->counter, "target", OthersUsing(*level, target->counter, source.get(), target.get())),
          "Use ID " + std::to_string(AsSigned16(freeId)) + " (first unused ID)", std::string("Cancel")}) {
        menu.entries.push_back({{item}});
        menu.w = std::max(menu.w, StringWidth(item));
    }
    PlaceMenuBesidePointer(menu);
    FrameWithTitle(menu, *this, "Link Objects");
    // The objects that already share the ID an item offers.
    menu.drawOver = [&] {
        if (menu.highlighted != kSourceId && menu.highlighted != kTargetId) return;
        MapViewport();
        HighlightLinkedObjects(menu.highlighted == kSourceId ? source.get() : target.get());
        FullViewport();
    };
    menu.extraKeys = [] {
        const bool escape = KeyPresses(VK_ESCAPE) > 0;
        const bool close = CloseRequested() > 0;
        return escape || close ? TModalMenu::kCancelled : TModalMenu::kStayOpen;
    };

    const int chosen = menu.Run(*this);
    if (chosen != kSourceId && chosen != kTargetId && chosen != kFreeId) return;
    MakeUndoState();
    levelchanged = 1;
    if (chosen == kSourceId) target->counter = source->counter;
    if (chosen == kTargetId) source->counter = target->counter;
    if (chosen == kFreeId) source->counter = target->counter = freeId;
}
