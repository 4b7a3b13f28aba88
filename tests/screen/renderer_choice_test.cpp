#include <gtest/gtest.h>

#include "screen/renderer_choice.h"

TEST(RendererChoice, SoftwareRasterisersAreToldFromGpus) {
    for (const char* name : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Mesa X11 swrast",
                             "Software Rasterizer", "Microsoft Basic Render Driver (software renderer)"})
        EXPECT_TRUE(IsSoftwareRasteriser(name)) << name;
    for (const char* name : {"", "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "AMD Radeon RX 6600 (radeonsi, navi23)",
                             "NVIDIA GeForce GTX 1060/PCIe/SSE2", "virgl"})
        EXPECT_FALSE(IsSoftwareRasteriser(name)) << name;
}

TEST(RendererChoice, TheLogLineSaysWhy) {
    EXPECT_EQ(DescribeRendererChoice("software", "llvmpipe (LLVM 15)", ""),
              " Renderer: software (the accelerated renderer draws with llvmpipe (LLVM 15), a software rasteriser)");
    EXPECT_EQ(DescribeRendererChoice("opengl", "", "opengl"), " Renderer: opengl (SDL_RENDER_DRIVER=opengl)");
    EXPECT_EQ(DescribeRendererChoice("opengl", "", ""), " Renderer: opengl");
    EXPECT_EQ(DescribeRendererChoice("", "", ""), " Renderer: none");
}
