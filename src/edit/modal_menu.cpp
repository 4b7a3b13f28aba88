#include "edit/modal_menu.h"

#include <algorithm>

#include "edit/jill_level_viewer.h"
#include "screen/input.h"
#include "system/clock.h"

int TModalMenu::Rows() const {
    int rows = 0;
    for (const TMenuEntry& entry : entries) rows += int(entry.lines.size());
    return rows;
}

int TModalMenu::ShownRows() const { return shownRows > 0 ? std::min(shownRows, Rows()) : Rows(); }

int TModalMenu::EntryAtRow(int row) const {
    if (row < 0) return -1;
    for (size_t i = 0; i < entries.size(); ++i) {
        row -= int(entries[i].lines.size());
        if (row < 0) return int(i);
    }
    return -1;
}

int TModalMenu::LeftRightStep() {
    // Both keys are asked every pass, so that each keeps its own repeat timing.
    const bool right = KeyRepeat(VK_RIGHT, kKeyRepeatDelayMs);
    const bool left = KeyRepeat(VK_LEFT, kKeyRepeatDelayMs);
    return (right ? 1 : 0) - (left ? 1 : 0);
}

bool TModalMenu::Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + Height(); }

void TModalMenu::Draw(TJillLevelViewer& viewer) const {
    if (drawFrame) drawFrame();
    // A word too long to wrap stays inside the window all the same.
    SetViewport(x, y, w, Height());
    const int endRow = firstRow + ShownRows();
    int row = 0;
    for (size_t i = 0; i < entries.size() && row < endRow; ++i) {
        const TMenuEntry& entry = entries[i];
        SetColor(int(i) == highlighted ? entry.highlight : entry.plain);
        for (const std::string& line : entry.lines) {
            if (row >= firstRow && row < endRow)
                DrawString(line, float(x + entry.indent), float(y + kRowHeight * (row - firstRow)));
            ++row;
        }
    }
    viewer.FullViewport();
    SetColor(255, 255, 255);
    if (drawOver) {
        drawOver();
        SetColor(255, 255, 255);
    }
}

bool TModalMenu::ScrollToHighlighted() {
    if (!Scrolls() || highlighted < 0 || highlighted >= int(entries.size())) return false;
    int start = 0;
    for (int i = 0; i < highlighted; ++i) start += int(entries[size_t(i)].lines.size());
    const int end = start + int(entries[size_t(highlighted)].lines.size());
    const int before = firstRow;
    if (end > firstRow + ShownRows()) firstRow = end - ShownRows();
    if (start < firstRow) firstRow = start;
    return firstRow != before;
}

bool TModalMenu::PointAt(int px, int py) {
    if (pointAt) return pointAt(px, py);
    const int entry = Contains(px, py) ? EntryAtRow(firstRow + (py - y) / kRowHeight) : -1;
    if (entry < 0) return false;
    highlighted = entry;
    return true;
}

int TModalMenu::Run(TJillLevelViewer& viewer) {
    viewer.FlushInput();
    const int count = int(entries.size());
    redraw = true;
    ScrollToHighlighted();
    for (;;) {
        // Drawn before the input is read, so that what a pass reads it also
        // acts on: nothing happens between a click and its action.
        if (viewer.BetweenPasses()) redraw = true;
        if (viewer.MustRefresh(redraw)) {
            if (centred) {
                x = (ScreenWidth() - w) / 2;
                y = (ScreenHeight() - (centredHeight ? centredHeight : Height())) / 2;
            }
            Draw(viewer);
            Flip(-1);
            redraw = false;
        } else {
            SleepMs(16);
        }

        bool chosen = false;
        int px = 0, py = 0;
        const bool moved = viewer.MouseMoved(px, py);
        const bool click = ButtonHits(1) > 0;
        if (moved || click) {
            redraw = true;
            chosen = PointAt(px, py) && click;
        }

        if (KeyRepeat(VK_UP, kKeyRepeatDelayMs)) {
            if (highlighted > 0) --highlighted;
            redraw = true;
        }
        if (KeyRepeat(VK_DOWN, kKeyRepeatDelayMs)) {
            if (highlighted < count - 1) ++highlighted;
            redraw = true;
        }
        // A notch away from the user goes up the list, as in the editor's panels.
        if (Scrolls()) {
            if (const int notches = WheelDelta()) {
                highlighted = std::clamp(highlighted - notches, 0, count - 1);
                redraw = true;
            }
        }
        for (int i = 0; i < count; ++i)
            if (entries[i].hotKey && KeyPresses(entries[i].hotKey)) {
                highlighted = i;
                chosen = true;
            }
        if (KeyPresses(VK_RETURN) && count > 0) chosen = true;

        // Called on every pass, so that keys such as Left and Right which
        // change the dialog rather than close it act whatever else happened.
        const int extra = extraKeys ? extraKeys() : kStayOpen;
        int outcome = extra;
        if (chosen)
            outcome = highlighted;
        else if (extra >= 0)
            highlighted = extra;
        if (outcome != kStayOpen) {
            viewer.FlushInput();
            return outcome;
        }
        if (ScrollToHighlighted()) redraw = true;
    }
}
