#include "screen/display_density.h"

#include <SDL.h>

#include <charconv>
#include <cstring>

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

#ifndef _WIN32
// The resources as the X server holds them now (xrdb, the desktop's
// settings daemon), read through a connection of its own: SDL does not
// share its one. Xlib is looked up as SDL itself finds it, when the X11
// driver runs, so that the program needs no X library where none is used.
double XftDpi() {
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
    if (!xlib) return 0;
    using TOpenDisplay = void* (*)(const char*);
    using TResourceManagerString = char* (*)(void*);
    using TCloseDisplay = int (*)(void*);
    auto openDisplay = reinterpret_cast<TOpenDisplay>(dlsym(xlib, "XOpenDisplay"));
    auto resourceString = reinterpret_cast<TResourceManagerString>(dlsym(xlib, "XResourceManagerString"));
    auto closeDisplay = reinterpret_cast<TCloseDisplay>(dlsym(xlib, "XCloseDisplay"));
    double dpi = 0;
    if (void* display = openDisplay && resourceString && closeDisplay ? openDisplay(nullptr) : nullptr) {
        if (const char* resources = resourceString(display)) dpi = XftDpiFromResources(resources);
        closeDisplay(display);
    }
    dlclose(xlib);
    return dpi;
}
#endif

}  // namespace

double XftDpiFromResources(std::string_view resources) {
    double dpi = 0;
    while (!resources.empty()) {
        const size_t end = resources.find('\n');
        const std::string_view line = resources.substr(0, end);
        resources = end == std::string_view::npos ? std::string_view{} : resources.substr(end + 1);
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos || Trimmed(line.substr(0, colon)) != "Xft.dpi") continue;
        const std::string_view value = Trimmed(line.substr(colon + 1));
        double parsed = 0;
        const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
        // The last one counts, as with X's own resource reading.
        dpi = error == std::errc{} && rest == value.data() + value.size() && parsed > 0 ? parsed : 0;
    }
    return dpi;
}

TDisplayDensity DisplayDensity(int displayIndex) {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) return {};
#ifndef _WIN32
    if (std::strcmp(driver, "x11") == 0) {
        const double dpi = XftDpi();
        return dpi > 0 ? TDisplayDensity{dpi, "Xft.dpi"} : TDisplayDensity{};
    }
#endif
    // Elsewhere SDL asks the system: Windows' per-monitor DPI (the program
    // declares itself aware of it), the scale of Wayland's and macOS' outputs.
    float dpi = 0;
    if (std::strcmp(driver, "dummy") == 0 || SDL_GetDisplayDPI(displayIndex, nullptr, &dpi, nullptr) != 0 || !(dpi > 0))
        return {};
    return {double(dpi), std::string(driver) + " display DPI"};
}
