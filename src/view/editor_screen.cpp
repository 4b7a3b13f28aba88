// The editing screen as one frame draws it: the map, the side panel of the
// current mode, the tab bar and the status bar's frame.

#include <cstdio>

#include "edit/jill_level_viewer.h"
#include "screen/graphics.h"

namespace {

void GreyText(int grey, const std::string& text, int x, int y) {
    SetColor(grey, grey, grey);
    DrawString(text, float(x), float(y));
}

void WhiteBox(int x, int y, int w, int h) {
    SetColor(255, 255, 255);
    DrawRect(float(x), float(y), float(w), float(h));
}

// Nine significant digits, trailing zeros kept: "Zoom: 100.000000%".
std::string ZoomReadout(float zoom) {
    char text[48];
    std::snprintf(text, sizeof text, "Zoom: %#.9g%%", double(zoom * 100.0f));
    return text;
}

}  // namespace

void TJillLevelViewer::DrawEditor() {
    DrawLevel();
    if (editobjs == 1)
        DrawObjectList();
    else
        DrawTileset();
    DrawInterface();
}

void TJillLevelViewer::DrawInterface() {
    SetColor(170, 170, 170);
    DrawRect(0, 0, float(tilesW), 16);
    // The active tab is black on white; the other is grey on the bar.
    if (editobjs == 1) {
        GreyText(85, "TILES", 8, 0);
        WhiteBox(56, 0, 72, 16);
        GreyText(0, "OBJECTS", 64, 0);
    } else {
        WhiteBox(0, 0, 56, 16);
        GreyText(0, "TILES", 8, 0);
        GreyText(85, "OBJECTS", 64, 0);
    }
    // A dialog, never an active tab.
    GreyText(85, "INVENTORY", 136, 0);
    WhiteBox(0, statusY, ScreenWidth(), 1);
    GreyText(CanUndo() ? 255 : 128, "UNDO", 8, statusY);
    GreyText(CanRedo() ? 255 : 128, "REDO", 48, statusY);
    WhiteBox(tilesX + tilesW - 1, tilesY, 1, tilesH);
    GreyText(255, ZoomReadout(mapZoom), 88, statusY);
}
