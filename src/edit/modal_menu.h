#pragma once
// The loop every menu of the editor runs: the main menu, the game chooser,
// the context menus and the object picker. Each menu supplies its entries,
// its frame and its extra keys; the loop does the rest the same way for all
// of them: highlight by pointer and arrows, hot keys, Enter or a click, a
// redraw only when something asks for one, and the input flushed on closing
// so that the closing key or click never reaches the map.

#include <functional>
#include <string>
#include <vector>

#include "platform/graphics.h"

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

    // Draws what lies behind the entries: the background and the window.
    std::function<void()> drawFrame;
    // Asked once a pass after the common keys: an entry to choose,
    // kCancelled to close without a choice, or kStayOpen.
    std::function<int()> extraKeys;

    int Rows() const;
    int Height() const { return kRowHeight * Rows(); }
    // The entry whose rows hold the given row of the block; -1 past the end.
    int EntryAtRow(int row) const;
    bool Contains(int px, int py) const;

    // Runs until an entry is chosen (its index) or the menu is cancelled
    // (kCancelled). The highlight stays where it was for the next Run.
    int Run(TJillLevelViewer& viewer);

private:
    void Draw() const;
};
