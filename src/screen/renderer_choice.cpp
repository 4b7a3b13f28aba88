#include "screen/renderer_choice.h"

#include <algorithm>
#include <cctype>

bool IsSoftwareRasteriser(const std::string& glRenderer) {
    std::string lower = glRenderer;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer", "software renderer"})
        if (lower.find(name) != std::string::npos) return true;
    return false;
}

std::string DescribeRendererChoice(const std::string& renderer, const std::string& rasteriser,
                                   const std::string& named) {
    std::string line = " Renderer: " + (renderer.empty() ? std::string("none") : renderer);
    if (!rasteriser.empty())
        line += " (the accelerated renderer draws with " + rasteriser + ", a software rasteriser)";
    else if (!named.empty())
        line += " (SDL_RENDER_DRIVER=" + named + ")";
    return line;
}
