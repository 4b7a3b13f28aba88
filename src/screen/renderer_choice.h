#pragma once
// Telling a software rasteriser behind an OpenGL renderer, and saying in the
// log which renderer draws the window and why.

#include <string>

// Whether an OpenGL renderer string (GL_RENDERER) names one of Mesa's
// software rasterisers or another renderer without a GPU.
bool IsSoftwareRasteriser(const std::string& glRenderer);

// The log's line: the renderer SDL drew with; `rasteriser` when the
// accelerated renderer was passed over for drawing through it; `named` when the
// environment chose the renderer.
std::string DescribeRendererChoice(const std::string& renderer, const std::string& rasteriser,
                                   const std::string& named);
