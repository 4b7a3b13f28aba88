#include <gtest/gtest.h>

#include <climits>

#include "screen/font_8x16.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "screen/sdl_window.h"
#include "support/test_host.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

// The bounding box of the pixels of a frame that are not black: {x0, y0, x1, y1}, x1 and y1 exclusive.
std::array<int, 4> LitBox(const TPixmap& frame) {
    std::array<int, 4> box{frame.width, frame.height, 0, 0};
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            if (ReadPixel(frame, x, y) != kBlack) {
                box[0] = std::min(box[0], x);
                box[1] = std::min(box[1], y);
                box[2] = std::max(box[2], x + 1);
                box[3] = std::max(box[3], y + 1);
            }
    return box;
}

TImagePtr SolidImage(int w, int h, int format, uint32_t argb) {
    auto pixmap = TPixmap::Create(w, h, format, 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) WritePixel(*pixmap, x, y, argb);
    return ImageFromPixmap(*pixmap, IMAGE_MASKED);
}

}  // namespace

TEST(Drawing, StateStartsWhiteMaskUnscaledOverTheWholeWindow) {
    TTestHost host(320, 200);
    EXPECT_EQ(CurrentColor(), (TColor{255, 255, 255}));
    EXPECT_EQ(CurrentBlend(), BLEND_MASK);
    EXPECT_EQ(CurrentViewport(), (TViewport{0, 0, 320, 200}));
    EXPECT_EQ(DrawScaleX(), 1.0f);
    SetColor(300, -4, 17);
    EXPECT_EQ(CurrentColor(), (TColor{255, 0, 17}));
    SetBlend(BLEND_SHADE);
    EXPECT_EQ(CurrentBlend(), BLEND_SHADE);
}

TEST(Drawing, ScaleMultipliesSizesButNotPositions) {
    TTestHost host(320, 200);
    Cls();
    SetDrawScale(2, 2);
    DrawRect(10, 10, 16, 16);
    auto frame = host.Capture();
    EXPECT_EQ(LitBox(*frame), (std::array<int, 4>{10, 10, 42, 42}));
    EXPECT_EQ(ReadPixel(*frame, 41, 41), kWhite);
}

TEST(Drawing, NegativeSizesReachBackFromThePosition) {
    TTestHost host(100, 100);
    Cls();
    DrawRect(50, 50, -10, -5);
    EXPECT_EQ(LitBox(*host.Capture()), (std::array<int, 4>{40, 45, 50, 50}));
}

TEST(Drawing, ViewportClipsRectanglesTextAndImagesAlike) {
    TTestHost host(200, 100);
    auto image = SolidImage(40, 40, PF_RGBA8888, 0xFFFFFFFF);
    for (int what = 0; what < 3; ++what) {
        SetViewport(0, 0, 200, 100);
        Cls();
        SetViewport(20, 10, 30, 12);
        if (what == 0) DrawRect(0, 0, 200, 100);
        if (what == 1) DrawString("MMMMMMMMMMMM", 0, 0);
        if (what == 2) DrawImageAt(image, 0, 0);
        auto box = LitBox(*host.Capture());
        EXPECT_GE(box[0], 20) << what;
        EXPECT_GE(box[1], 10) << what;
        EXPECT_LE(box[2], 50) << what;
        EXPECT_LE(box[3], 22) << what;
        EXPECT_LT(box[0], box[2]) << "something is drawn inside, case " << what;
    }
}

TEST(Drawing, WholeWindowViewportDrawsEverywhereAndAnEmptyOneNowhere) {
    TTestHost host(64, 48);
    SetViewport(0, 0, ScreenWidth(), ScreenHeight());
    DrawRect(-5, -5, 100, 100);
    EXPECT_EQ(LitBox(*host.Capture()), (std::array<int, 4>{0, 0, 64, 48}));
    Cls();
    EXPECT_EQ(host.PixelAt(63, 47), kBlack);
    // The last two reach past the ends of int: their far edges must not wrap round into the window.
    for (TViewport empty : {TViewport{10, 10, 0, 5}, TViewport{10, 10, 5, -3}, TViewport{70, 0, 10, 10},
                            TViewport{INT_MIN, 0, -1, 48}, TViewport{0, INT_MIN, 64, -1}}) {
        SetViewport(empty.x, empty.y, empty.w, empty.h);
        DrawRect(0, 0, 64, 48);
        DrawString("X", 0, 0);
    }
    SetViewport(0, 0, 64, 48);
    EXPECT_EQ(LitBox(*host.Capture())[2], 0) << "nothing drawn";
}

TEST(Drawing, ClsFillsOnlyTheViewport) {
    TTestHost host(64, 48);
    DrawRect(0, 0, 64, 48);
    SetViewport(8, 8, 8, 8);
    Cls();
    SetViewport(0, 0, 64, 48);
    auto frame = host.Capture();
    EXPECT_EQ(ReadPixel(*frame, 8, 8), kBlack);
    EXPECT_EQ(ReadPixel(*frame, 15, 15), kBlack);
    EXPECT_EQ(ReadPixel(*frame, 16, 16), kWhite);
    EXPECT_EQ(ReadPixel(*frame, 7, 8), kWhite);
}

TEST(Drawing, BlackIsTransparentOnlyInRgbPixmaps) {
    TTestHost host(64, 32);
    SetDefaultImageFlags(IMAGE_MASKED);
    auto rgb = TPixmap::Create(2, 1, PF_RGB888, 4);
    WritePixel(*rgb, 0, 0, 0xFF000000);
    WritePixel(*rgb, 1, 0, 0xFF102030);
    auto rgba = TPixmap::Create(2, 1, PF_RGBA8888, 4);
    WritePixel(*rgba, 0, 0, 0xFF000000);
    WritePixel(*rgba, 1, 0, 0x00FFFFFF);
    SetColor(200, 0, 0);
    DrawRect(0, 0, 64, 32);
    SetColor(255, 255, 255);
    DrawImageAt(ImageFromPixmap(*rgb, -1), 0, 0);
    DrawImageAt(ImageFromPixmap(*rgba, -1), 10, 0);
    auto frame = host.Capture();
    EXPECT_EQ(ReadPixel(*frame, 0, 0), 0xFFC80000u) << "black left out of the RGB image";
    EXPECT_EQ(ReadPixel(*frame, 1, 0), 0xFF102030u);
    EXPECT_EQ(ReadPixel(*frame, 10, 0), kBlack) << "opaque black of the RGBA image drawn";
    EXPECT_EQ(ReadPixel(*frame, 11, 0), 0xFFC80000u) << "transparent RGBA pixel left out";
}

TEST(Drawing, ImagesAreTintedByTheColourAndScaledByNearestPixel) {
    TTestHost host(64, 32);
    auto pixmap = TPixmap::Create(2, 1, PF_RGBA8888, 4);
    WritePixel(*pixmap, 0, 0, 0xFFFFFFFF);
    WritePixel(*pixmap, 1, 0, 0xFF808080);
    auto image = ImageFromPixmap(*pixmap, IMAGE_MASKED);
    SetColor(255, 0, 128);
    SetDrawScale(4, 3);
    DrawImageAt(image, 5, 6);
    auto frame = host.Capture();
    EXPECT_EQ(LitBox(*frame), (std::array<int, 4>{5, 6, 13, 9}));
    EXPECT_EQ(ReadPixel(*frame, 5, 6), 0xFFFF0080u);
    EXPECT_EQ(ReadPixel(*frame, 8, 8), 0xFFFF0080u);
    EXPECT_EQ(ReadPixel(*frame, 9, 6), 0xFF800040u);
    DrawImageAt(image, 0, 0, 1);   // images have one frame only
    DrawImageAt(TImagePtr(), 0, 0);
    EXPECT_EQ(host.PixelAt(0, 0), kBlack);
}

TEST(Drawing, MaskBlendCutsAlphaAtOneHalf) {
    TTestHost host(8, 8);
    auto pixmap = TPixmap::Create(2, 1, PF_RGBA8888, 4);
    WritePixel(*pixmap, 0, 0, 0x80FFFFFF);
    WritePixel(*pixmap, 1, 0, 0x7FFFFFFF);
    DrawImageAt(ImageFromPixmap(*pixmap, IMAGE_MASKED), 0, 0);
    EXPECT_EQ(host.PixelAt(0, 0), kWhite);
    EXPECT_EQ(host.PixelAt(1, 0), kBlack);
}

TEST(Drawing, ShadeBlendMultipliesTheFrame) {
    TTestHost host(32, 8);
    SetColor(200, 100, 40);
    DrawRect(0, 0, 32, 8);
    SetBlend(BLEND_SHADE);
    SetColor(128, 128, 128);
    DrawRect(0, 0, 8, 8);
    // A shading image leaves the frame alone where it is transparent.
    auto pixmap = TPixmap::Create(2, 1, PF_RGB888, 4);
    WritePixel(*pixmap, 0, 0, 0xFF000000);
    WritePixel(*pixmap, 1, 0, 0xFF808080);
    SetColor(255, 255, 255);
    DrawImageAt(ImageFromPixmap(*pixmap, IMAGE_MASKED), 16, 0);
    auto frame = host.Capture();
    auto near = [](uint32_t got, uint32_t want) {
        for (int shift = 0; shift < 24; shift += 8)
            if (std::abs(int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF)) > 1) return false;
        return true;
    };
    EXPECT_PRED2(near, ReadPixel(*frame, 3, 3), 0xFF643214u);
    EXPECT_EQ(ReadPixel(*frame, 9, 3), 0xFFC86428u);
    EXPECT_EQ(ReadPixel(*frame, 16, 0), 0xFFC86428u);
    EXPECT_PRED2(near, ReadPixel(*frame, 17, 0), 0xFF643214u);
}

TEST(Drawing, LightBlendAddsAndAlphaBlendMixes) {
    TTestHost host(16, 8);
    SetColor(100, 100, 100);
    DrawRect(0, 0, 16, 8);
    SetBlend(BLEND_LIGHT);
    SetColor(200, 10, 0);
    DrawRect(0, 0, 4, 4);
    SetBlend(BLEND_ALPHA);
    SetColor(255, 255, 255);
    auto pixmap = TPixmap::Create(1, 1, PF_RGBA8888, 4);
    WritePixel(*pixmap, 0, 0, 0x80000000);
    DrawImageAt(ImageFromPixmap(*pixmap, IMAGE_MASKED), 8, 0);
    auto frame = host.Capture();
    EXPECT_EQ(ReadPixel(*frame, 0, 0), 0xFFFF6E64u);
    uint32_t mixed = ReadPixel(*frame, 8, 0) & 0xFF;
    EXPECT_NEAR(int(mixed), 50, 2);
}

TEST(Text, WidthCountsOnlyCharactersTheFontHas) {
    EXPECT_EQ(StringWidth("Zoom: "), 48);
    EXPECT_EQ(StringWidth(""), 0);
    EXPECT_EQ(StringWidth("a\x80\xFF" "b\n"), 16);
    EXPECT_EQ(StringHeight("anything"), 16);
    EXPECT_EQ(StringHeight(""), 16);
}

TEST(Text, GlyphsAreDrawnFromTheFontTableInTheCurrentColour) {
    TTestHost host(64, 32);
    SetColor(0, 255, 0);
    DrawString("\x01" "A", 3, 5);   // the control character takes no room
    auto frame = host.Capture();
    int glyph = 'A' - kFontFirstChar;
    for (int row = 0; row < kFontHeight; ++row)
        for (int bit = 0; bit < kFontWidth; ++bit) {
            bool set = kFont8x16[row][glyph] >> bit & 1;
            ASSERT_EQ(ReadPixel(*frame, 3 + bit, 5 + row), set ? 0xFF00FF00u : kBlack) << row << "," << bit;
        }
    auto box = LitBox(*frame);
    EXPECT_GE(box[0], 3);
    EXPECT_LE(box[2], 11);
}

TEST(Text, ScaleWidensGlyphsAndTheirAdvance) {
    TTestHost host(64, 40);
    SetDrawScale(2, 2);
    DrawString("||", 0, 0);
    auto box = LitBox(*host.Capture());
    EXPECT_GE(box[2], 16 + 1);   // the second bar starts 16 pixels on
    EXPECT_LE(box[2], 32);
    EXPECT_LE(box[3], 32);
    EXPECT_GT(box[3], 16);
}

TEST(Text, TheFontHasAVisibleGlyphForEveryPrintableCharacter) {
    for (int c = 33; c < 127; ++c) {
        int bits = 0;
        for (int row = 0; row < kFontHeight; ++row) bits |= kFont8x16[row][c - kFontFirstChar];
        EXPECT_NE(bits, 0) << "character " << c;
    }
    for (int row = 0; row < kFontHeight; ++row) EXPECT_EQ(kFont8x16[row][0], 0) << "the blank is blank";
}

TEST(Images, MadeBeforeTheWindowOpensAndDrawnInLaterWindows) {
    auto image = SolidImage(4, 4, PF_RGB888, 0xFF0000FF);
    for (int round = 0; round < 2; ++round) {
        TTestHost host(16, 16);
        DrawImageAt(image, 2, 2);
        EXPECT_EQ(host.PixelAt(3, 3), 0xFF0000FFu) << round;
    }
    DrawImageAt(image, 0, 0);   // no window: nothing happens
}

TEST(Images, APartIsDrawnInPlaceScaledAndChangedPixelsReachBothTextures) {
    TTestHost host(32, 16);
    // Columns 0-3 red, green, blue, white; row 1 all see-through.
    auto pixmap = TPixmap::Create(4, 2, PF_RGBA8888, 4);
    const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int x = 0; x < 4; ++x) WritePixel(*pixmap, x, 0, colours[x]);
    auto image = ImageFromPixmap(*pixmap, IMAGE_MASKED);
    SetDrawScale(2, 2);
    DrawImageRect(*image, 1, 0, 2, 1, 0, 0);
    EXPECT_EQ(LitBox(*host.Capture()), (std::array<int, 4>{0, 0, 4, 2}));
    EXPECT_EQ(host.PixelAt(1, 1), 0xFF00FF00u);
    EXPECT_EQ(host.PixelAt(2, 0), 0xFF0000FFu);
    // A part reaching past the image on every side draws only what is inside,
    // where it would be with the rest.
    Cls();
    DrawImageRect(*image, -1, -1, 6, 2, 10, 4);
    EXPECT_EQ(LitBox(*host.Capture()), (std::array<int, 4>{12, 6, 20, 8}));
    EXPECT_EQ(host.PixelAt(12, 6), 0xFFFF0000u);
    DrawImageRect(*image, 4, 0, 2, 2, 0, 0);   // nothing of the image
    DrawImageRect(*image, 0, 0, 0, 1, 0, 0);
    EXPECT_EQ(host.PixelAt(0, 0), kBlack);

    // Pixels changed after the first draw show once the image is told; the
    // blended texture made for another blend takes them too.
    SetBlend(BLEND_ALPHA);
    DrawImageAt(image, 24, 0);
    SetBlend(BLEND_MASK);
    image->argb[1] = 0x80FFFF00;   // yellow at half alpha: opaque in the mask blend
    image->argb[4] = 0xFF00FFFF;   // the first see-through pixel now cyan
    ImagePixelsChanged(*image, 1, 0, 1, 2);   // the cyan one lies outside: not yet shown
    Cls();
    SetDrawScale(1, 1);
    DrawImageAt(image, 0, 0);
    EXPECT_EQ(host.PixelAt(1, 0), 0xFFFFFF00u);
    EXPECT_EQ(host.PixelAt(0, 1), kBlack);
    ImagePixelsChanged(*image, -5, -5, 100, 100);
    DrawImageAt(image, 0, 0);
    EXPECT_EQ(host.PixelAt(0, 1), 0xFF00FFFFu);
    SetBlend(BLEND_ALPHA);
    DrawImageAt(image, 8, 0);
    EXPECT_EQ(host.PixelAt(9, 0), 0xFF7F7F00u);   // half yellow over black
    EXPECT_EQ(host.PixelAt(8, 1), 0xFF00FFFFu);
    ImagePixelsChanged(*image, 4, 0, 1, 1);   // outside the image: nothing to do
    ImagePixelsChanged(*image, 0, 0, 0, 0);
}

TEST(Frames, AFrameDrawnExactlyAsTheOneShownIsNotPresentedAgain) {
    TTestHost host(64, 32);
    auto image = SolidImage(4, 4, PF_RGB888, 0xFF0000FF);
    std::string text = "Hi";
    int green = 0, blue = 0, blend = BLEND_MASK;
    auto drawFrame = [&](int red, const TImagePtr& picture) {
        Cls();
        SetColor(red, green, blue);
        SetBlend(blend);
        DrawRect(0, 0, 8, 8);
        SetBlend(BLEND_MASK);
        SetColor(255, 255, 255);
        DrawImageAt(picture, 10, 10);
        DrawString(text, 20, 0);
        Flip(0);
    };
    drawFrame(255, image);
    const uint64_t shown = PresentedFrames();
    drawFrame(255, image);
    drawFrame(255, image);
    EXPECT_EQ(PresentedFrames(), shown) << "the same drawing twice";
    EXPECT_EQ(host.PixelAt(0, 0), 0xFFFF0000u) << "the screen still shows it";
    EXPECT_EQ(host.PixelAt(11, 11), 0xFF0000FFu);

    // Any difference is shown: a colour one step off, a changed character,
    // changed image pixels, another image with the same pixels, a clip.
    drawFrame(254, image);
    EXPECT_EQ(PresentedFrames(), shown + 1);
    EXPECT_EQ(host.PixelAt(0, 0), 0xFFFE0000u);
    text = "Ho";
    drawFrame(254, image);
    EXPECT_EQ(PresentedFrames(), shown + 2);
    image->argb[0] = 0xFF00FF00;
    ImagePixelsChanged(*image, 0, 0, 1, 1);
    drawFrame(254, image);
    EXPECT_EQ(PresentedFrames(), shown + 3);
    EXPECT_EQ(host.PixelAt(10, 10), 0xFF00FF00u);
    drawFrame(254, SolidImage(4, 4, PF_RGB888, 0xFF0000FF));
    EXPECT_EQ(PresentedFrames(), shown + 4);
    EXPECT_EQ(host.PixelAt(10, 10), 0xFF0000FFu);
    SetViewport(0, 0, 4, 4);
    drawFrame(254, image);
    SetViewport(0, 0, 64, 32);
    EXPECT_EQ(PresentedFrames(), shown + 5);
    EXPECT_EQ(host.PixelAt(3, 3), 0xFFFE0000u);
    EXPECT_EQ(host.PixelAt(10, 10), 0xFF0000FFu) << "outside the clip the frame before stays";
    // Unclipped again; a colour that differs in green alone, then in blue
    // alone; the same colour in another blend.
    drawFrame(254, image);
    green = 1;
    drawFrame(254, image);
    blue = 1;
    drawFrame(254, image);
    blend = BLEND_SHADE;
    drawFrame(254, image);
    EXPECT_EQ(PresentedFrames(), shown + 9);
    green = blue = 0;
    blend = BLEND_MASK;

    // A window that was exposed has lost its picture: the same drawing is shown again.
    drawFrame(254, image);
    const uint64_t before = PresentedFrames();
    drawFrame(254, image);
    EXPECT_EQ(PresentedFrames(), before);
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    exposed.window.windowID = GraphicsWindowId();
    SDL_PushEvent(&exposed);
    PollEvents();
    drawFrame(254, image);
    EXPECT_EQ(PresentedFrames(), before + 1);

    // The frame drawn so far can be read before Flip, and is then shown.
    Cls();
    SetColor(0, 0, 200);
    DrawRect(0, 0, 2, 2);
    EXPECT_EQ(host.PixelAt(1, 1), 0xFF0000C8u);
    Flip(0);
    EXPECT_EQ(PresentedFrames(), before + 2);
}
