// The frames every dialog and menu stands on, and the dimmed editing screen
// behind them.

#include "edit/jill_level_viewer.h"
#include "screen/graphics.h"

namespace {

constexpr int kFrameDark = 85;
constexpr int kFrameLight = 170;

void FillGrey(int grey, int x, int y, int w, int h) {
    SetColor(grey, grey, grey);
    DrawRect(float(x), float(y), float(w), float(h));
}

}  // namespace

void TJillLevelViewer::DrawWindow(int x, int y, int w, int h) {
    const TColor saved = CurrentColor();
    // Three 2-pixel rings lie outside (x, y, w, h), so the caller owns all of it.
    FillGrey(kFrameDark, x - 6, y - 6, w + 12, h + 12);
    FillGrey(kFrameLight, x - 4, y - 4, w + 8, h + 8);
    FillGrey(kFrameDark, x - 2, y - 2, w + 4, h + 4);
    FillGrey(0, x, y, w, h);
    SetColor(saved);
}

void TJillLevelViewer::DrawTitledWindow(const std::string& title, int x, int y, int w, int h) {
    const TColor saved = CurrentColor();
    // The light ring grows upwards into a 16-pixel title bar.
    FillGrey(kFrameDark, x - 6, y - 22, w + 12, h + 28);
    FillGrey(kFrameLight, x - 4, y - 20, w + 8, h + 24);
    FillGrey(kFrameDark, x - 2, y - 2, w + 4, h + 4);
    FillGrey(0, x, y, w, h);
    SetColor(0, 0, 0);
    DrawString(title, float(x + (w - StringWidth(title)) / 2), float(y - 19));
    SetColor(saved);
}

void TJillLevelViewer::DrawBackground(int dim) {
    Cls();
    // A dialog shown before any level is loaded stands on black.
    if (!level || !shapeman || !tileinfo) return;
    DrawEditor();
    if (dim != 1) return;
    const TColor savedColor = CurrentColor();
    const int savedBlend = CurrentBlend();
    SetBlend(BLEND_SHADE);
    SetColor(127, 127, 127);
    DrawRect(0, 0, float(ScreenWidth()), float(ScreenHeight()));
    SetColor(savedColor);
    SetBlend(savedBlend);
}
