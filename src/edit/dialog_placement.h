#pragma once
// Where the object menus and the object form open: beside the object they
// are about, or beside the pointer, and always wholly inside the window,
// title bar and frame included; and the titled window they stand on.

#include <string>

class TJillLevelViewer;
class TLevelObject;
class TModalMenu;

struct TPlace {
    int x = 0, y = 0;
};

// Right of and below the object's box on the map; left of it or above it
// where a w x h window would leave the screen.
TPlace PlaceBesideObject(const TJillLevelViewer& viewer, const TLevelObject& obj, int w, int h);

// Moves a block of w x h at place, the content of a titled window, the least
// it takes for the whole window to lie inside the screen. A window larger
// than the screen keeps its title bar and left edge in view.
TPlace KeepTitledWindowInside(TPlace place, int w, int h);

// Puts the menu's block right of and below the pointer; left of it or above
// it where it would leave the screen. A menu taller than the window shows
// as many rows as fit and scrolls.
void PlaceMenuBesidePointer(TModalMenu& menu);
// The menu stands on a window titled title, its block the window's content,
// over the dimmed editing screen.
void FrameWithTitle(TModalMenu& menu, TJillLevelViewer& viewer, const std::string& title);
