#include "screen/interface_scale.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include <string_view>

int ScaleForDisplay(double dpi, int usableWidth, int usableHeight) {
    if (!(dpi > 0) || usableWidth <= 0 || usableHeight <= 0) return 1;
    int scale = int(std::clamp(std::floor(dpi / kOrdinaryDpi), 1.0, double(kMaxInterfaceScale)));
    while (scale > 1 && (kDefaultCanvasWidth * scale > usableWidth || kDefaultCanvasHeight * scale > usableHeight))
        --scale;
    return scale;
}

int LargestFittingScale(int windowWidth, int windowHeight, int wanted) {
    int scale = std::clamp(wanted, 1, kMaxInterfaceScale);
    while (scale > 1 && (windowWidth / scale < kMinCanvasWidth || windowHeight / scale < kMinCanvasHeight)) --scale;
    return scale;
}

int NextScaleSetting(int setting, int automatic, int windowWidth, int windowHeight) {
    const int from = setting == kAutomaticScale ? automatic : setting;
    for (int next = from + 1; next <= kMaxInterfaceScale; ++next)
        if (LargestFittingScale(windowWidth, windowHeight, next) == next) return next;
    // Past the largest factor that fits: automatic, unless that is where
    // the cycle started, in which case it begins again at 1.
    return setting == kAutomaticScale ? 1 : kAutomaticScale;
}

std::optional<int> ScaleSettingFromText(const std::string& text) {
    std::string_view word = text;
    while (!word.empty() && word.front() == ' ') word.remove_prefix(1);
    while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
    std::string upper(word);
    for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "AUTO") return kAutomaticScale;
    if (upper.size() == 1 && upper[0] >= '1' && upper[0] <= '0' + kMaxInterfaceScale) return upper[0] - '0';
    return std::nullopt;
}

std::string ScaleSettingText(int setting) {
    return setting == kAutomaticScale ? "AUTO" : std::to_string(setting);
}
