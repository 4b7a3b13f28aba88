#pragma once
// The one window and its immediate-mode 2D drawing. Everything is drawn anew
// every frame; the drawing state (colour, blend, viewport, scale) stays as set
// until changed. Coordinates are the canvas's logical pixels, origin
// top-left; the window shows each as s x s of its own at the interface scale
// s (interface_scale.h). A draw call puts the top-left corner of what it
// draws exactly at the given position and the draw scale multiplies only
// sizes, never positions.

#include <cstdint>
#include <functional>
#include <string>

#include "image/image.h"
#include "image/pixmap.h"

// ---- Window and frame ----

// Opens the window with a canvas of width x height, titled with AppTitle()
// (input.h); its client area is that times the interface scale. depth 0
// means windowed; hertz paces Flip(-1). Opening again replaces the window.
// False (and sizes of 0) when it cannot be opened.
bool OpenGraphicsWindow(int width, int height, int depth = 0, int hertz = 60, int flags = 0);
// Closes the window and forgets every image texture; harmless when none is open.
void CloseGraphicsWindow();
// The canvas of the open window in logical pixels, 0 when none is open. The
// user may resize the window (not below 640 x 480 pixels, or the size it
// opened with when that was smaller); the sizes follow at once.
int ScreenWidth();
int ScreenHeight();
// The window's client area in its own pixels, 0 when none is open.
int WindowPixelWidth();
int WindowPixelHeight();
// 1 once after the canvas's size changed, then 0 until it changes again.
int WindowSizeChanged();

// ---- Interface scale ----

// The factor in effect: 1 to 4, lowered for a window too small for the
// canvas the setting asks; 1 when no window is open.
int InterfaceScale();
// kAutomaticScale (from the display's density) or 1 to 4. Applies at once
// to an open window, whose canvas changes size (WindowSizeChanged); the
// window keeps its pixels.
void SetInterfaceScaleSetting(int setting);
int InterfaceScaleSetting();
// The setting F9 moves to from the current one (NextScaleSetting).
int NextInterfaceScaleSetting();
// One line for the log: the factor and where it came from.
std::string InterfaceScaleChoice();
// The renderer's own name ("software", "opengl", ...), "" when no window is
// open; benchmarks say with it which renderer gave their figures.
std::string RendererName();
// One line for the log: which renderer draws and why it was chosen.
const std::string& RendererChoice();
// Why the last OpenGraphicsWindow failed, for the log; "" after a success.
const std::string& GraphicsWindowFailure();

// Fills the current viewport with the clear colour (black).
void Cls();
// Runs the flip hooks, then shows the finished frame. sync -1 paces frames
// with a software timer at the window's hertz (60 frames take exactly
// 1000 ms on the clock of clock.h); any other value shows the frame at once.
// A frame whose drawing is exactly that of the frame shown last is not drawn
// or shown again, unless the window was exposed, resized or restored since.
void Flip(int sync = -1);
// The frames Flip has shown since the program started.
uint64_t PresentedFrames();

using TFlipHook = std::function<void()>;
// Hooks run in registration order at the start of every Flip. The number
// identifies the hook for RemoveFlipHook; later hooks get larger numbers.
int AddFlipHook(TFlipHook hook);
void RemoveFlipHook(int id);

// Copies the frame drawn so far (or last shown) into an RGBA pixmap of the
// window's client area, in its own pixels. Null when no window is open.
TPixmapPtr CaptureFrame();

// ---- Drawing state ----

struct TColor {
    int r = 255, g = 255, b = 255;
    bool operator==(const TColor&) const = default;
};

void SetColor(int r, int g, int b);
inline void SetColor(const TColor& c) { SetColor(c.r, c.g, c.b); }
TColor CurrentColor();

enum : int {
    BLEND_MASK = 1,    // alpha >= 0.5 drawn opaque, the rest not at all
    BLEND_SOLID = 2,   // no blending
    BLEND_ALPHA = 3,   // source-alpha blending
    BLEND_LIGHT = 4,   // additive
    BLEND_SHADE = 5,   // destination multiplied by the drawn colour
};
void SetBlend(int mode);
int CurrentBlend();

// Clips all later drawing to the rectangle, without moving the origin. The
// whole window switches clipping off.
void SetViewport(int x, int y, int w, int h);
struct TViewport {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const TViewport&) const = default;
};
TViewport CurrentViewport();

void SetDrawScale(float sx, float sy);
float DrawScaleX();
float DrawScaleY();

// ---- Drawing ----

// Fills (x, y) .. (x + w*sx, y + h*sy) with the current colour.
void DrawRect(float x, float y, float w, float h);
// Draws the image at (x, y), sized by the scale, multiplied by the current
// colour, transparent pixels left out. Images have one frame; other frames
// and null images draw nothing.
void DrawImageAt(const TImage& image, float x, float y, int frame = 0);
void DrawImageAt(const TImagePtr& image, float x, float y, int frame = 0);
// Draws the part (sx, sy, sw, sh) of the image with that part's top-left
// corner at (x, y), sized by the scale, like DrawImageAt; whatever of the part
// lies outside the image is left out.
void DrawImageRect(const TImage& image, int sx, int sy, int sw, int sh, float x, float y);
// The pixels of the rectangle of the image were changed after it was first
// drawn: the renderer's copies take them over, and the next draw shows them.
void ImagePixelsChanged(const TImage& image, int x, int y, int w, int h);

// The built-in 8 x 16 font for codes 32-127; other characters draw nothing
// and take no room. Each glyph advances the pen by 8 * sx.
void DrawString(const std::string& text, float x, float y);
// 8 per character in the range 32-127 (ignores the scale).
int StringWidth(const std::string& text);
// 16, whatever the text.
int StringHeight(const std::string& text = "");
