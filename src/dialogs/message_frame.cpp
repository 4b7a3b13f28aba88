#include "dialogs/message_frame.h"

#include <algorithm>

#include "screen/graphics.h"
#include "screen/input.h"
#include "system/utf8.h"

TBoxFrame CentredBoxFrame(int height) {
    TBoxFrame frame;
    frame.width = std::min(ScreenWidth() - 2 * kBoxColumn, 80 * kBoxColumn);
    frame.height = height;
    frame.left = (ScreenWidth() - frame.width) / 2;
    frame.top = (ScreenHeight() - height) / 2;
    return frame;
}

size_t BoxColumns(const TBoxFrame& frame) { return static_cast<size_t>(std::max(frame.width / kBoxColumn - 2, 1)); }

void DrawBoxFrame(const TBoxFrame& frame, const std::string& title) {
    SetColor(160, 160, 160);
    DrawRect(frame.left - 1, frame.top - 1, frame.width + 2, frame.height + 2);
    SetColor(40, 40, 48);
    DrawRect(frame.left, frame.top, frame.width, frame.height);
    SetColor(0, 64, 160);
    DrawRect(frame.left, frame.top, frame.width, kBoxRow);
    SetColor(255, 255, 255);
    DrawString(DrawableText(title).substr(0, BoxColumns(frame)), frame.left + kBoxColumn, frame.top);
}

std::string DrawableText(const std::string& utf8) {
    std::string shown;
    for (char c : utf8) {
        if (IsUtf8Continuation(c)) continue;
        unsigned char u = static_cast<unsigned char>(c);
        shown += u >= 32 && u < 127 ? c : '?';
    }
    return shown;
}

namespace {

// The drawing state belongs to the editor; a box leaves it as found.
class TSavedDrawingState {
public:
    TSavedDrawingState()
        : color(CurrentColor()), blend(CurrentBlend()), viewport(CurrentViewport()), sx(DrawScaleX()), sy(DrawScaleY()) {}
    ~TSavedDrawingState() {
        SetColor(color);
        SetBlend(blend);
        SetViewport(viewport.x, viewport.y, viewport.w, viewport.h);
        SetDrawScale(sx, sy);
    }
    TSavedDrawingState(const TSavedDrawingState&) = delete;
    TSavedDrawingState& operator=(const TSavedDrawingState&) = delete;

private:
    TColor color;
    int blend;
    TViewport viewport;
    float sx, sy;
};

void ClearInput() {
    ClearKeyInput();
    ClearMouseInput();
}

}  // namespace

void RunWindowBox(const std::function<void()>& draw, const std::function<bool()>& handleInput) {
    TSavedDrawingState saved;
    // The key or click that opened the box must not act inside it.
    ClearInput();
    SetViewport(0, 0, ScreenWidth(), ScreenHeight());
    SetDrawScale(1, 1);
    SetBlend(BLEND_MASK);
    for (bool open = true; open;) {
        Cls();
        draw();
        Flip(-1);
        open = handleInput();
    }
    // Nor may the key or click that closed it act in the editor.
    ClearInput();
}
