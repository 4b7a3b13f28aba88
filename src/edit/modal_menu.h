#pragma once
// The loop every menu and dialog of the editor runs: the main menu, the game
// chooser, the context menus, the object picker, the link menu, the object
// form and the inventory editor. Each supplies its entries, its frame and its
// extra keys; the loop does the rest the same way for all of them: highlight
// by pointer and arrows, hot keys, Enter or a click, a redraw only when
// something asks for one, and the input flushed on closing so that the
// closing key or click never reaches the map.

#include <functional>
#include <string>
#include <vector>

#include "screen/graphics.h"

class TJillLevelViewer;

struct TMenuEntry {
    std::vector<std::string> lines;   // one or more rows of 16 pixels
    int indent = 0;                   // x of the text inside the block
    int hotKey = 0;                   // a key that chooses the entry; 0 for none
    TColor plain{127, 127, 127};
    TColor highlight{255, 255, 255};
};

class TModalMenu {
public:
    static constexpr int kRowHeight = 16;
    static constexpr int kCancelled = -1;
    static constexpr int kStayOpen = -2;

    // Top-left corner and width of the block of entries.
    int x = 0, y = 0, w = 0;
    std::vector<TMenuEntry> entries;
    int highlighted = 0;
    // The most rows the block shows, for a menu taller than the window; 0
    // shows them all. A menu with fewer scrolls, so that the highlighted
    // entry is always wholly in view, and the wheel moves the highlight.
    int shownRows = 0;
    // Kept in the middle of the window, also when the window is resized;
    // height is that of the whole window drawn around the entries, 0 for the
    // block of entries alone.
    bool centred = false;
    int centredHeight = 0;

    // Draws what lies behind the entries: the background and the window.
    std::function<void()> drawFrame;
    // Draws over the entries, in white, before the frame is shown.
    std::function<void()> drawOver;
    // Asked on every pass after the common keys, also when an entry was
    // chosen in it (the choice then wins): an entry to choose, kCancelled to
    // close without a choice, or kStayOpen.
    std::function<int()> extraKeys;
    // The pointer moved or clicked at (px, py): highlights what lies there;
    // false drops a click there. Without it, the entry under the pointer
    // inside the block is highlighted, and a click anywhere else dropped.
    std::function<bool(int px, int py)> pointAt;

    int Rows() const;
    // The rows shown, and the height of the block they fill.
    int ShownRows() const;
    int Height() const { return kRowHeight * ShownRows(); }
    // The first row shown, 0 unless the menu scrolls.
    int FirstShownRow() const { return firstRow; }
    // The entry whose rows hold the given row of all the entries (scrolled
    // out of view or not); -1 past the end.
    int EntryAtRow(int row) const;
    bool Contains(int px, int py) const;
    // For the callbacks: what they changed is shown on this pass.
    void RequestRedraw() { redraw = true; }
    // For the dialogs whose rows change with Left and Right: -1, +1, or 0,
    // with the editor's key repeat.
    static int LeftRightStep();

    // Runs until an entry is chosen (its index) or the menu is cancelled
    // (kCancelled). The highlight stays where it was for the next Run.
    int Run(TJillLevelViewer& viewer);

private:
    bool redraw = false;
    int firstRow = 0;

    void Draw(TJillLevelViewer& viewer) const;
    bool PointAt(int px, int py);
    bool Scrolls() const { return ShownRows() < Rows(); }
    // Scrolls the highlighted entry wholly into view (its start, when it is
    // taller than the block); true when the view moved.
    bool ScrollToHighlighted();
};
