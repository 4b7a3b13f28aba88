// The small operations every polling loop of the editor shares: what a loop
// forgets when a dialog closes, whether the pointer moved, the work between
// two passes, and whether this pass draws.

#include "edit/editor_keys.h"
#include "edit/jill_level_viewer.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "system/clock.h"

namespace {

// A blinking mark asks for a redraw this often, however quiet the editor is.
constexpr int kBlinkIntervalMs = 128;

// When MustRefresh last granted a redraw; one value for every loop, so a
// dialog that closes does not make the loop under it blink at once.
int lastRefreshTime = 0;

}  // namespace

void TJillLevelViewer::FlushMouseEx() {
    ClearMouseInput();
    WheelDelta();
    omx = -42;
    omy = -42;
}

bool TJillLevelViewer::MouseMoved(int& x, int& y) {
    x = PointerX();
    y = PointerY();
    if (x == omx && y == omy) return false;
    omx = x;
    omy = y;
    return true;
}

void TJillLevelViewer::FlushInput() {
    ClearKeyInput();
    FlushMouseEx();
    CloseRequested();
}

bool TJillLevelViewer::BetweenPasses() {
    // Every loop calls this once a pass, so whichever runs when the window is
    // resized lays the screen out anew and draws it at once.
    bool changed = false;
    // Before the size check: the new factor gives the canvas a new size,
    // which this very pass lays out.
    if (KeyPresses(kInterfaceScaleKey)) {
        CycleInterfaceScale();
        changed = true;
    }
    if (WindowSizeChanged()) {
        ResizeWindow();
        changed = true;
    }
    if (KeepRecoveryCopy()) changed = true;
    if (FollowPlay()) changed = true;
    return changed;
}

bool TJillLevelViewer::MustRefresh(bool force) {
    const int now = TickCount();
    // Differences only: the tick counter wraps.
    const bool blinkDue = flashing && static_cast<int>(static_cast<unsigned>(now) - static_cast<unsigned>(lastRefreshTime)) > kBlinkIntervalMs;
    if (!force && !fullrefresh && !blinkDue) return false;
    lastRefreshTime = now;
    flashing = 0;
    return true;
}
