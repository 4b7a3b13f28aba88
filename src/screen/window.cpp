// The window, its renderer and the frame: opening and closing, Flip with its
// pacing and hooks, and reading the frame back.

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "screen/display_density.h"
#include "screen/frame_pacer.h"
#include "screen/frame_record.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "screen/interface_scale.h"
#include "screen/renderer_choice.h"
#include "screen/sdl_window.h"
#include "system/clock.h"

namespace {

// Larger windows are refused rather than attempted: no display has them, and
// an absurd size from a settings file must read back as "no window".
constexpr int kMaxWindowSide = 16384;
struct TWindowState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    uint32_t windowId = 0;
    uint32_t generation = 0;
    int width = 0, height = 0;             // the canvas, in logical pixels
    int pixelWidth = 0, pixelHeight = 0;   // the window's client area
    // The user may not make the window smaller than the editor's least
    // canvas at a factor of 1 (a window opened smaller keeps its own size
    // as the least).
    int minWidth = 0, minHeight = 0;
    bool sizeChanged = false;
    int scaleSetting = kAutomaticScale;
    int automaticScale = 1;   // what the window's display asks for
    int scale = 1;            // the factor in effect
    // Above a factor of 1 the frame is drawn into this texture of the
    // canvas's size, which one nearest-pixel copy then shows enlarged.
    SDL_Texture* canvas = nullptr;
    std::string scaleChoice;
    TFramePacer pacer;
    std::string rendererChoice;
    uint64_t presented = 0;
};

TWindowState& State() {
    static TWindowState state;
    return state;
}

// Why the last attempt to open the window failed; kept apart from the window
// state, which closing the failed window clears.
std::string& FailureReason() {
    static std::string reason;
    return reason;
}

bool Failed(std::string reason) {
    FailureReason() = std::move(reason);
    return false;
}

// When no window system answers (no display, or one that dropped the
// connection while it was being made), SDL carries on with a driver that
// draws into memory alone: the program would then run for good with a window
// nobody can see. Such a driver serves only when asked for by name, as the
// tests' headless display asks for "dummy".
bool DrawsIntoMemoryAlone(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

struct TFlipHooks {
    int nextId = 1;
    std::vector<std::pair<int, TFlipHook>> hooks;
};

TFlipHooks& Hooks() {
    static TFlipHooks hooks;
    return hooks;
}

// Hidden until its renderer is settled, so that no window the user could see
// (or a script could find) comes and goes.
SDL_Window* MakeWindow(int width, int height, int depth) {
    Uint32 flags = SDL_WINDOW_HIDDEN | (depth == 0 ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN);
    return SDL_CreateWindow(AppTitle().c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
}

std::string RendererNameOf(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (!renderer || SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return "";
    return info.name;
}

// What an OpenGL renderer draws with; "" for other renderers. The renderer's
// context is the current one right after it was made.
std::string OpenGlRendererString(SDL_Renderer* renderer) {
    if (RendererNameOf(renderer).rfind("opengl", 0) != 0) return "";
    using TGetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<TGetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int kGlRenderer = 0x1F01;
    const unsigned char* text = getString ? getString(kGlRenderer) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : "";
}

// Opens the window with the renderer that draws it fastest. No vertical-retrace
// wait: Flip paces frames itself. SDL's accelerated renderer is the first
// choice, unless it draws through a software rasteriser (machines without a
// GPU), which is many times slower than SDL's own software renderer; a
// renderer named in the environment is taken as it is.
bool MakeWindowAndRenderer(TWindowState& state, int width, int height, int depth) {
    state.window = MakeWindow(width, height, depth);
    if (!state.window) return false;
    state.renderer = SDL_CreateRenderer(state.window, -1, SDL_RENDERER_ACCELERATED);
    const char* named = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const std::string rasteriser = OpenGlRendererString(state.renderer);
    if (state.renderer && !(named && *named) && IsSoftwareRasteriser(rasteriser)) {
        // A window that had an OpenGL context is not always given a plain
        // surface afterwards, so the software renderer gets a new window.
        SDL_DestroyRenderer(state.renderer);
        SDL_DestroyWindow(state.window);
        state.renderer = nullptr;
        state.window = MakeWindow(width, height, depth);
        if (!state.window) return false;
        state.renderer = SDL_CreateRenderer(state.window, -1, SDL_RENDERER_SOFTWARE);
        state.rendererChoice = DescribeRendererChoice(RendererNameOf(state.renderer), rasteriser, "");
        return state.renderer != nullptr;
    }
    if (!state.renderer) state.renderer = SDL_CreateRenderer(state.window, -1, SDL_RENDERER_SOFTWARE);
    state.rendererChoice = DescribeRendererChoice(RendererNameOf(state.renderer), "", named ? named : "");
    return state.renderer != nullptr;
}

void DropCanvasTexture(TWindowState& state) {
    if (state.canvas) SDL_DestroyTexture(state.canvas);
    state.canvas = nullptr;
}

// The canvas texture for a factor above 1; false when the renderer cannot
// draw into one. Drawing each operation enlarged instead would cost every
// scaled copy its slow path: one enlarged copy of the whole frame is cheaper.
bool MakeCanvasTexture(TWindowState& state, int width, int height) {
    DropCanvasTexture(state);
    state.canvas = SDL_CreateTexture(state.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
    if (!state.canvas) return false;
    SDL_SetTextureScaleMode(state.canvas, SDL_ScaleModeNearest);
    SDL_SetTextureBlendMode(state.canvas, SDL_BLENDMODE_NONE);
    return true;
}

// The factor the setting asks for, before the window's room is considered.
int WantedScale(const TWindowState& state) {
    return state.scaleSetting == kAutomaticScale ? state.automaticScale : state.scaleSetting;
}

// The factor and the canvas follow the window's pixels, the setting and the
// display; a canvas of another size is reported as a size change.
void FitCanvas(TWindowState& state) {
    int scale = LargestFittingScale(state.pixelWidth, state.pixelHeight, WantedScale(state));
    int width = state.pixelWidth / scale, height = state.pixelHeight / scale;
    if (scale != state.scale || width != state.width || height != state.height) {
        // A renderer without texture targets shows the canvas at 1.
        if (scale == 1 || !MakeCanvasTexture(state, width, height)) {
            DropCanvasTexture(state);
            scale = 1;
            width = state.pixelWidth;
            height = state.pixelHeight;
        }
        ForcePresentNextFrame();
    }
    state.scale = scale;
    if (width == state.width && height == state.height) return;
    state.width = width;
    state.height = height;
    state.sizeChanged = true;
}

// What the display the window is on asks for, with a line for the log.
void AskDisplayForScale(TWindowState& state, int displayIndex) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(displayIndex, &usable) != 0) usable = SDL_Rect{};
    const TDisplayDensity density = DisplayDensity(displayIndex);
    state.automaticScale = ScaleForDisplay(density.dpi, usable.w, usable.h);
    state.scaleChoice = density.dpi > 0 ? "display density " + std::to_string(int(density.dpi + 0.5)) + " dpi (" +
                                              density.source + ")"
                                        : "display density unknown";
}

// A new client-area size; a window manager that let it shrink below the least
// size still gets a screen of the least size, cut off at the window's edge.
void TakeNewSize(TWindowState& state, int width, int height) {
    state.pixelWidth = std::clamp(width, state.minWidth, kMaxWindowSide);
    state.pixelHeight = std::clamp(height, state.minHeight, kMaxWindowSide);
    FitCanvas(state);
}

// Draws what the frame recorded and was not drawn yet: into the canvas
// texture, shown enlarged in the window, or at a factor of 1 straight into
// the window.
void DrawFrame(const TWindowState& state) {
    if (!state.canvas) {
        DrawRecordedOps(state.renderer);
        return;
    }
    SDL_SetRenderTarget(state.renderer, state.canvas);
    DrawRecordedOps(state.renderer);
    SDL_SetRenderTarget(state.renderer, nullptr);
    SDL_RenderSetClipRect(state.renderer, nullptr);
    const int right = state.width * state.scale, bottom = state.height * state.scale;
    // A window whose size is no multiple of the factor has a strip right of
    // and below the canvas, kept black.
    if (right != state.pixelWidth || bottom != state.pixelHeight) {
        SDL_SetRenderDrawBlendMode(state.renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(state.renderer, 0, 0, 0, 255);
        const SDL_Rect strips[] = {{right, 0, state.pixelWidth - right, state.pixelHeight},
                                   {0, bottom, right, state.pixelHeight - bottom}};
        SDL_RenderFillRects(state.renderer, strips, 2);
    }
    const SDL_Rect enlarged{0, 0, right, bottom};
    SDL_RenderCopy(state.renderer, state.canvas, nullptr, &enlarged);
}

// Exposed, resized or restored windows have lost what they showed.
int WatchWindowEvents(void*, SDL_Event* event) {
    auto& state = State();
    if (event->type != SDL_WINDOWEVENT || event->window.windowID != state.windowId) return 0;
    switch (event->window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        TakeNewSize(state, event->window.data1, event->window.data2);
        ForcePresentNextFrame();
        break;
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
        // Another monitor may be of another density.
        AskDisplayForScale(state, event->window.data1);
        FitCanvas(state);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED: ForcePresentNextFrame(); break;
    default: break;
    }
    return 0;
}

void RunFlipHooks() {
    // A hook may add or remove hooks; those changes count from the next Flip.
    auto hooks = Hooks().hooks;
    for (auto& [id, hook] : hooks) hook();
}

}  // namespace

SDL_Window* GraphicsWindow() { return State().window; }
SDL_Renderer* GraphicsRenderer() { return State().renderer; }
uint32_t GraphicsWindowId() { return State().windowId; }
uint32_t RendererGeneration() { return State().generation; }

bool InitVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    // Windows would otherwise draw the window at 96 dpi and blur it up to
    // the monitor's density; aware of it, the program scales sharply itself.
    SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return Failed(SDL_GetError());
    const char* named = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (!(named && *named) && DrawsIntoMemoryAlone(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return Failed("No window system could be reached to show the window on "
                      "(DISPLAY or WAYLAND_DISPLAY should name a running display)");
    }
    SDL_AddEventWatch(WatchWindowEvents, nullptr);
    static bool quitRegistered = false;
    if (!quitRegistered) {
        quitRegistered = true;
        // Closing first moves the renderer generation on, so images that die
        // after this never touch the textures SDL_Quit frees.
        std::atexit([] {
            CloseGraphicsWindow();
            SDL_Quit();
        });
    }
    return true;
}

bool OpenGraphicsWindow(int width, int height, int depth, int hertz, int) {
    CloseGraphicsWindow();
    if (width <= 0 || height <= 0 || width > kMaxWindowSide || height > kMaxWindowSide)
        return Failed("A window of " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels cannot be made");
    if (!InitVideo()) return false;
    auto& state = State();
    AskDisplayForScale(state, 0);
    // The factor multiplies the window; one that would make it too large
    // for any window is lowered.
    int scale = WantedScale(state);
    while (scale > 1 && (width * scale > kMaxWindowSide || height * scale > kMaxWindowSide)) --scale;
    const bool made = MakeWindowAndRenderer(state, width * scale, height * scale, depth);
    if (made) SDL_ShowWindow(state.window);
    int outWidth = 0, outHeight = 0;
    if (!made || SDL_GetRendererOutputSize(state.renderer, &outWidth, &outHeight) != 0 ||
        outWidth <= 0 || outHeight <= 0) {
        FailureReason() = SDL_GetError();
        CloseGraphicsWindow();
        return false;
    }
    FailureReason().clear();
    state.windowId = SDL_GetWindowID(state.window);
    ++state.generation;
    state.pixelWidth = width * scale;
    state.pixelHeight = height * scale;
    state.width = state.height = 0;
    state.scale = 0;
    FitCanvas(state);
    state.minWidth = std::min(state.pixelWidth, kMinCanvasWidth);
    state.minHeight = std::min(state.pixelHeight, kMinCanvasHeight);
    state.sizeChanged = false;
    SDL_SetWindowMinimumSize(state.window, state.minWidth, state.minHeight);
    SDL_StartTextInput();
    ResetInputState();
    state.pacer.Start(static_cast<uint32_t>(TickCount()), hertz);
    return true;
}

void CloseGraphicsWindow() {
    auto& state = State();
    // Destroying the renderer takes its textures with it; the generation
    // check keeps images from destroying them a second time.
    state.canvas = nullptr;
    if (state.renderer) SDL_DestroyRenderer(state.renderer);
    if (state.window) SDL_DestroyWindow(state.window);
    state.renderer = nullptr;
    state.window = nullptr;
    state.windowId = 0;
    state.width = state.height = 0;
    state.pixelWidth = state.pixelHeight = 0;
    state.scale = 1;
    state.rendererChoice.clear();
    ++state.generation;
    ForgetRecordedFrames();
}

int ScreenWidth() { return State().width; }
int ScreenHeight() { return State().height; }
int WindowPixelWidth() { return State().pixelWidth; }
int WindowPixelHeight() { return State().pixelHeight; }
int InterfaceScale() { return State().scale; }
int InterfaceScaleSetting() { return State().scaleSetting; }

void SetInterfaceScaleSetting(int setting) {
    auto& state = State();
    state.scaleSetting = std::clamp(setting, kAutomaticScale, kMaxInterfaceScale);
    if (state.renderer) FitCanvas(state);
}

int NextInterfaceScaleSetting() {
    const auto& state = State();
    return NextScaleSetting(state.scaleSetting, LargestFittingScale(state.pixelWidth, state.pixelHeight, state.automaticScale),
                            state.pixelWidth, state.pixelHeight);
}

std::string InterfaceScaleChoice() {
    const auto& state = State();
    const std::string why = state.scaleSetting == kAutomaticScale ? state.scaleChoice : "set by SCALE in \"tarn.ini\"";
    return "Interface scale " + std::to_string(state.scale) + "x: " + why;
}

std::string RendererName() { return RendererNameOf(State().renderer); }
const std::string& RendererChoice() { return State().rendererChoice; }
const std::string& GraphicsWindowFailure() { return FailureReason(); }
uint64_t PresentedFrames() { return State().presented; }

int WindowSizeChanged() {
    PollEvents();
    auto& state = State();
    const int changed = state.sizeChanged ? 1 : 0;
    state.sizeChanged = false;
    return changed;
}

void Flip(int sync) {
    RunFlipHooks();
    auto& state = State();
    if (!state.renderer) return;
    if (sync == -1) SleepMs(state.pacer.NextFrameWait(static_cast<uint32_t>(TickCount())));
    // A frame that would show exactly what is on screen is neither drawn nor
    // presented: an editor redrawing at rest then costs next to nothing.
    const bool present = FrameNeedsPresenting();
    if (present) {
        DrawFrame(state);
        SDL_RenderPresent(state.renderer);
        ++state.presented;
    }
    EndRecordedFrame(present);
}

int AddFlipHook(TFlipHook hook) {
    auto& hooks = Hooks();
    int id = hooks.nextId++;
    hooks.hooks.emplace_back(id, std::move(hook));
    return id;
}

void RemoveFlipHook(int id) {
    auto& hooks = Hooks().hooks;
    std::erase_if(hooks, [id](const auto& entry) { return entry.first == id; });
}

TPixmapPtr CaptureFrame() {
    auto& state = State();
    if (!state.renderer) return nullptr;
    DrawFrame(state);
    auto pixmap = TPixmap::Create(state.pixelWidth, state.pixelHeight, PF_RGBA8888, 4);
    if (!pixmap) return nullptr;
    // RGBA32 is R, G, B, A in memory order: the pixmap's own layout. No
    // rectangle: the whole output, in the window's own pixels.
    if (SDL_RenderReadPixels(state.renderer, nullptr, SDL_PIXELFORMAT_RGBA32, pixmap->pixels.data(), pixmap->pitch) != 0)
        return nullptr;
    return pixmap;
}
