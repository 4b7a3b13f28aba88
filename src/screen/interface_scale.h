#pragma once
// The interface scale: the editor lays out and draws in a canvas of logical
// pixels, and the window shows each of them as s x s of its own. Only whole
// factors keep pixel art sharp. The choice is kept apart from the window so
// that it can be checked without a display.

#include <optional>
#include <string>

inline constexpr int kMaxInterfaceScale = 4;
// The setting that leaves the factor to the display's density.
inline constexpr int kAutomaticScale = 0;
// The least canvas the editor's screen needs; a window too small for a
// factor takes the largest factor that still gives this much.
inline constexpr int kMinCanvasWidth = 640, kMinCanvasHeight = 480;
// The canvas of a first start; the automatic factor must leave room for it.
inline constexpr int kDefaultCanvasWidth = 1280, kDefaultCanvasHeight = 720;
// The density at which one logical pixel is one pixel of the display.
inline constexpr double kOrdinaryDpi = 96.0;

// The factor a display asks for: its density over 96 dots per inch, rounded
// down, at least 1, and lowered until the default canvas fits the usable
// area. A density of 0 or less is unknown and asks for 1; so does an area
// of 0 (unknown too).
int ScaleForDisplay(double dpi, int usableWidth, int usableHeight);

// The largest factor up to `wanted` whose canvas in a window of this many
// pixels is at least the least canvas; 1 when none is.
int LargestFittingScale(int windowWidth, int windowHeight, int wanted);

// The setting F9 moves to: 1, 2, 3, 4, then automatic, then 1 again,
// skipping factors too large for the window. The automatic setting counts
// as the factor it gives now (`automatic`), so its next is the factor after
// that one.
int NextScaleSetting(int setting, int automatic, int windowWidth, int windowHeight);

// "AUTO" (any case) or 1 to 4 as "tarn.ini" keeps it; nothing for anything else.
std::optional<int> ScaleSettingFromText(const std::string& text);
std::string ScaleSettingText(int setting);
