#include "edit/dialog_placement.h"

#include <algorithm>

#include "edit/jill_level_viewer.h"
#include "edit/modal_menu.h"
#include "level/level.h"
#include "level/level_object.h"
#include "level/object_kinds.h"
#include "screen/graphics.h"
#include "screen/input.h"

namespace {

// What DrawTitledWindow draws around its content: three 2-pixel rings on
// the sides and below, and the title bar above.
constexpr int kFrameSide = 6;
constexpr int kFrameTop = 22;

// A screen coordinate of level pixel `level` along one axis, truncated
// toward zero as a cast does.
int ToScreen(int origin, int level, int cam, float zoom, int offset) {
    return int(float(origin) + float(level - kTileSize * cam) * zoom + float(offset));
}

}  // namespace

TPlace PlaceBesideObject(const TJillLevelViewer& viewer, const TLevelObject& obj, int w, int h) {
    // The position is read signed, as the map draws and hit-tests it: files
    // hold objects left of and above the level, and read unsigned they
    // would open the window some 65,000 pixels away.
    const int x = AsSigned16(obj.x), y = AsSigned16(obj.y);
    TPlace place;
    place.x = ToScreen(viewer.mapX, x + int(obj.xl), viewer.camX, viewer.mapZoom, 16);
    place.y = ToScreen(viewer.mapY, y + int(obj.yl), viewer.camY, viewer.mapZoom, 16);
    if (place.x + w > ScreenWidth()) place.x = ToScreen(viewer.mapX, x, viewer.camX, viewer.mapZoom, -w - 16);
    if (place.y + h > ScreenHeight() || place.y < 0) place.y = ToScreen(viewer.mapY, y, viewer.camY, viewer.mapZoom, -h - 16);
    return KeepTitledWindowInside(place, w, h);
}

TPlace KeepTitledWindowInside(TPlace place, int w, int h) {
    // Right and bottom first, so that a window too large for the screen
    // ends up at its top-left corner, where its title is.
    place.x = std::max(std::min(place.x, ScreenWidth() - kFrameSide - w), kFrameSide);
    place.y = std::max(std::min(place.y, ScreenHeight() - kFrameSide - h), kFrameTop);
    return place;
}

void PlaceMenuBesidePointer(TModalMenu& menu) {
    const int rowsThatFit = (ScreenHeight() - kFrameTop - kFrameSide) / TModalMenu::kRowHeight;
    if (menu.Rows() > rowsThatFit) menu.shownRows = std::max(rowsThatFit, 1);
    TPlace place{PointerX() + 16, PointerY()};
    if (PointerX() + menu.w + 16 > ScreenWidth()) place.x = PointerX() - menu.w - 16;
    if (PointerY() + menu.Height() > ScreenHeight()) place.y = PointerY() - menu.Height();
    place = KeepTitledWindowInside(place, menu.w, menu.Height());
    menu.x = place.x;
    menu.y = place.y;
}

void FrameWithTitle(TModalMenu& menu, TJillLevelViewer& viewer, const std::string& title) {
    menu.drawFrame = [&menu, &viewer, title] {
        viewer.DrawBackground(1);
        viewer.DrawTitledWindow(title, menu.x, menu.y, menu.w, menu.Height());
    };
}
