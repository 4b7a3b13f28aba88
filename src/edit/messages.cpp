// Message boxes and the one-frame notice. A box blocks the loop that opened
// it; whatever closed it (a key, a click) must not reach the editor after.

#include "base/requesters.h"
#include "edit/jill_level_viewer.h"
#include "screen/graphics.h"

void TJillLevelViewer::MyNotify(const std::string& text, int serious) {
    Notify(text, serious);
    FlushInput();
}

int TJillLevelViewer::MyConfirm(const std::string& text, int serious) {
    const int answer = Confirm(text, serious);
    FlushInput();
    return answer;
}

int TJillLevelViewer::MyProceed(const std::string& text, int serious) {
    const int answer = Proceed(text, serious);
    FlushInput();
    return answer;
}

void TJillLevelViewer::DisplayMessage(const std::string& text) {
    DrawBackground(1);
    SetViewport(0, 0, ScreenWidth(), ScreenHeight());
    const int w = StringWidth(text), h = StringHeight(text);
    const int x = (ScreenWidth() - w) / 2, y = (ScreenHeight() - h) / 2;
    DrawWindow(x - 8, y - 8, w + 16, h + 16);
    DrawString(text, float(x), float(y));
    Flip(-1);
}
