// The link menu: which link ID two objects come to share.

#include <algorithm>

#include "document/object_edits.h"
#include "edit/dialog_placement.h"
#include "edit/jill_level_viewer.h"
#include "edit/modal_menu.h"
#include "level/level.h"
#include "level/object_kinds.h"
#include "screen/input.h"

namespace {

std::string UseIdItem(uint16_t id, const std::string& whose, int others) {
    return "Use ID " + std::to_string(AsSigned16(id)) + " (" + whose + "'s ID, used by " + std::to_string(others) +
           " other object" + (others == 1 ? "" : "s") + ")";
}

}  // namespace

void TJillLevelViewer::ObjectLinkMenu(const std::shared_ptr<TLevelObject>& source,
                                      const std::shared_ptr<TLevelObject>& target) {
    if (!source || !target || source == target || !level) return;
    enum { kSourceId, kTargetId, kFreeId, kCancel };
    const uint16_t freeId = FirstUnusedLinkId(*level);

    TModalMenu menu;
    for (const std::string& item :
         {UseIdItem(source->counter, "source", OthersUsingLinkId(*level, source->counter, source.get(), target.get())),
          UseIdItem(target->counter, "target", OthersUsingLinkId(*level, target->counter, source.get(), target.get())),
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
    const uint16_t id = chosen == kSourceId ? source->counter : chosen == kTargetId ? target->counter : freeId;
    LinkObjects(document, *source, *target, id);
}
