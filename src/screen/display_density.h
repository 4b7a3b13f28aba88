#pragma once
// How dense a display's pixels are, asked where each system keeps it. SDL's
// own answer on X11 comes from the monitor's reported size in millimetres,
// which is often missing or wrong; desktops there publish the density they
// want as the Xft.dpi resource, so that is read instead.

#include <string>
#include <string_view>

struct TDisplayDensity {
    double dpi = 0;       // 0: unknown
    std::string source;   // where it came from, for the log ("Xft.dpi", ...)
};

// The density of the display with SDL's index; SDL's video must be running.
TDisplayDensity DisplayDensity(int displayIndex);

// The Xft.dpi value of an X resource text ("Xft.dpi:\t192\n..."), 0 when it
// holds none or no positive number.
double XftDpiFromResources(std::string_view resources);
