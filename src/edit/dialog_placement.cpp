#include "edit/dialog_placement.h"

#include "edit/jill_level_viewer.h"
#include "edit/modal_menu.h"
#include "level/level_object.h"
#include "platform/graphics.h"
#include "platform/input.h"

namespace {

// A screen coordinate of level pixel `level` along one axis, truncated
// toward zero as a cast does.
int ToScreen(int origin, int level, int cam, float zoom, int offset) {
    return int(float(origin) + float(level - 16 * cam) * zoom + float(offset));
}

}  // namespace

TPlace PlaceBesideObject(const TJillLevelViewer& viewer, const TLevelObject& obj, int w, int h) {
    TPlace place;
    // The box is read unsigned here, as the game stores it.
    place.x = ToScreen(viewer.mapX, int(obj.x) + int(obj.xl), viewer.camX, viewer.mapZoom, 16);
    place.y = ToScreen(viewer.mapY, int(obj.y) + int(obj.yl), viewer.camY, viewer.mapZoom, 16);
    if (place.x + w > ScreenWidth()) place.x = ToScreen(viewer.mapX, int(obj.x), viewer.camX, viewer.mapZoom, -w - 16);
    if (place.y + h > ScreenHeight() || place.y < 0)
        place.y = ToScreen(viewer.mapY, int(obj.y), viewer.camY, viewer.mapZoom, -h - 16);
    // The title bar above the window must stay on screen too.
    if (place.x < 0) place.x = 6;
    if (place.y < 0) place.y = 22;
    return place;
}

void PlaceMenuBesidePointer(TModalMenu& menu) {
    menu.x = PointerX() + 16;
    menu.y = PointerY();
    if (PointerX() + menu.w + 16 > ScreenWidth()) menu.x = PointerX() - menu.w - 16;
    if (PointerY() + menu.Height() > ScreenHeight()) menu.y = PointerY() - menu.Height();
    if (menu.x < 0) menu.x = 0;
    if (menu.y < 0) menu.y = 0;
}

void FrameWithTitle(TModalMenu& menu, TJillLevelViewer& viewer, const std::string& title) {
    menu.drawFrame = [&menu, &viewer, title] {
        viewer.DrawBackground(1);
        viewer.DrawTitledWindow(title, menu.x, menu.y, menu.w, menu.Height());
    };
}
