// The window, its renderer and the frame: opening and closing, Flip with its
// pacing and hooks, and reading the frame back.

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/frame_pacer.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sdl_window.h"

namespace {

// Larger windows are refused rather than attempted: no display has them, and
// an absurd size from a settings file must read back as "no window".
constexpr int kMaxWindowSide = 16384;

struct TWindowState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    uint32_t windowId = 0;
    uint32_t generation = 0;
    int width = 0, height = 0;
    TFramePacer pacer;
};

TWindowState& State() {
    static TWindowState state;
    return state;
}

struct TFlipHooks {
    int nextId = 1;
    std::vector<std::pair<int, TFlipHook>> hooks;
};

TFlipHooks& Hooks() {
    static TFlipHooks hooks;
    return hooks;
}

SDL_Renderer* MakeRenderer(SDL_Window* window) {
    // No vertical-retrace wait: Flip paces frames itself.
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    return renderer;
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
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
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
    if (width <= 0 || height <= 0 || width > kMaxWindowSide || height > kMaxWindowSide) return false;
    if (!InitVideo()) return false;
    auto& state = State();
    Uint32 windowFlags = depth == 0 ? 0 : SDL_WINDOW_FULLSCREEN;
    state.window = SDL_CreateWindow(AppTitle().c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                    height, windowFlags);
    if (!state.window) return false;
    state.renderer = MakeRenderer(state.window);
    int outWidth = 0, outHeight = 0;
    if (!state.renderer || SDL_GetRendererOutputSize(state.renderer, &outWidth, &outHeight) != 0 ||
        outWidth <= 0 || outHeight <= 0) {
        CloseGraphicsWindow();
        return false;
    }
    state.windowId = SDL_GetWindowID(state.window);
    ++state.generation;
    state.width = width;
    state.height = height;
    SDL_StartTextInput();
    ResetDrawingState();
    ResetInputState();
    state.pacer.Start(static_cast<uint32_t>(TickCount()), hertz);
    return true;
}

void CloseGraphicsWindow() {
    auto& state = State();
    // Destroying the renderer takes its textures with it; the generation
    // check keeps images from destroying them a second time.
    if (state.renderer) SDL_DestroyRenderer(state.renderer);
    if (state.window) SDL_DestroyWindow(state.window);
    state.renderer = nullptr;
    state.window = nullptr;
    state.windowId = 0;
    state.width = state.height = 0;
    ++state.generation;
}

int ScreenWidth() { return State().width; }
int ScreenHeight() { return State().height; }

void Flip(int sync) {
    RunFlipHooks();
    auto& state = State();
    if (!state.renderer) return;
    if (sync == -1) SleepMs(state.pacer.NextFrameWait(static_cast<uint32_t>(TickCount())));
    SDL_RenderPresent(state.renderer);
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
    auto pixmap = TPixmap::Create(state.width, state.height, PF_RGBA8888, 4);
    if (!pixmap) return nullptr;
    // RGBA32 is R, G, B, A in memory order: the pixmap's own layout.
    SDL_Rect whole{0, 0, state.width, state.height};
    if (SDL_RenderReadPixels(state.renderer, &whole, SDL_PIXELFORMAT_RGBA32, pixmap->pixels.data(),
                             pixmap->pitch) != 0)
        return nullptr;
    return pixmap;
}
