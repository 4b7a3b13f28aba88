// The one-line text field of the object form and the inventory editor. It
// runs its own small loop rather than the menu loop: it is paced by Flip
// alone and draws over whatever the dialog under it showed.

#include <algorithm>
#include <cstdint>

#include "edit/jill_level_viewer.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "system/clock.h"

namespace {

constexpr int kCell = 8;   // every character, printable or not, has its cell

// Only the cells inside the field are drawn, one by one, so a text of any
// length costs the same per frame and each character stays in its own cell.
void DrawVisibleText(const std::string& text, int x, int w, int y, int64_t scroll) {
    const int64_t first = std::max<int64_t>(0, scroll / kCell);
    const int64_t last = std::min<int64_t>(int64_t(text.size()), (scroll + w) / kCell + 1);
    for (int64_t i = first; i < last; ++i)
        DrawString(std::string(1, text[size_t(i)]), float(x - scroll + kCell * i), float(y));
}

}  // namespace

std::string TJillLevelViewer::EditString(const std::string& text, int x, int y, int w, int h) {
    std::string edited = text;
    size_t cursor = edited.size();
    int64_t scroll = 0;
    FlushInput();
    SetMouseVisible(0);
    SetViewport(x, y, w, h);

    std::string result;
    for (;;) {
        const int64_t cursorX = int64_t(kCell) * int64_t(cursor);
        if (cursorX <= scroll) scroll = std::max<int64_t>(0, cursorX - kCell);
        if (cursorX - scroll >= w) scroll = cursorX + kCell - w;

        SetColor(0, 0, 85);
        DrawRect(float(x), float(y), float(w), float(h));
        const int pulse = TickCount() & 255;
        SetColor(pulse, pulse, pulse);
        DrawRect(float(x - scroll + cursorX), float(y), 1, 16);
        SetColor(255, 255, 255);
        DrawVisibleText(edited, x, w, y, scroll);
        Flip(-1);

        const int c = NextChar();
        if (KeyRepeat(VK_LEFT, kKeyRepeatDelayMs) && cursor > 0) --cursor;
        if (KeyRepeat(VK_RIGHT, kKeyRepeatDelayMs) && cursor < edited.size()) ++cursor;
        if (KeyRepeat(VK_DELETE, kKeyRepeatDelayMs) && cursor < edited.size()) edited.erase(cursor, 1);
        if (KeyPresses(VK_HOME)) cursor = 0;
        if (KeyPresses(VK_END)) cursor = edited.size();

        if (c == 27) {
            result = text;
            break;
        }
        if (c == 13) {
            result = edited;
            break;
        }
        if (c == 8 && cursor > 0) edited.erase(--cursor, 1);
        if (c >= 32 && c <= 127) edited.insert(cursor++, 1, char(c));
    }

    FullViewport();
    FlushInput();
    SetMouseVisible(1);
    return result;
}
