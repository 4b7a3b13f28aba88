// The editing screen's loop: one pass polls the keys and the mouse once,
// acts on them, and draws only when something asked for it.

#include "edit/jill_level_viewer.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/input.h"

int TJillLevelViewer::EditLoop() {
    FlushInput();
    bool redraw = true;
    for (;;) {
        int px = 0, py = 0;
        if (MustRefresh(redraw) || MouseMoved(px, py)) {
            Cls();
            DrawEditor();
            Flip(-1);
            redraw = false;
        } else {
            SleepMs(16);
        }

        if (CloseRequested() && AskSave()) {
            SaveSettings();
            ExitProgram();
        }
        if (KeyPresses(VK_ESCAPE)) {
            FlushInput();
            return 0;
        }
    }
}
