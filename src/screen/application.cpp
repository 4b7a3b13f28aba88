// The application's title and its ending.

#include <SDL.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "screen/input.h"
#include "screen/sdl_window.h"

namespace {

std::string& Title() {
    static std::string title;
    return title;
}

std::vector<std::function<void()>>& ExitRoutines() {
    static std::vector<std::function<void()>> routines;
    return routines;
}

void RunExitRoutines() {
    auto& routines = ExitRoutines();
    while (!routines.empty()) {
        auto routine = std::move(routines.back());
        routines.pop_back();
        routine();
    }
}

std::function<void(int)>& ExitHandler() {
    static std::function<void(int)> handler;
    return handler;
}

}  // namespace

void SetAppTitle(const std::string& title) {
    Title() = title;
    if (SDL_Window* window = GraphicsWindow()) SDL_SetWindowTitle(window, title.c_str());
}

const std::string& AppTitle() { return Title(); }

void AtProgramExit(std::function<void()> routine) {
    auto& routines = ExitRoutines();
    // Registered after the list exists, so it runs before the list is destroyed.
    static bool registered = (std::atexit(RunExitRoutines), true);
    (void)registered;
    routines.push_back(std::move(routine));
}

void ExitProgram(int status) {
    if (auto& handler = ExitHandler()) handler(status);
    std::exit(status);
}

void SetExitHandler(std::function<void(int)> handler) { ExitHandler() = std::move(handler); }
