#pragma once
// A frame's drawing, kept as a list of renderer operations until Flip. The
// editor draws its whole screen on every pass; when a frame's list equals the
// one last shown, nothing on screen would change, so Flip neither draws nor
// presents it. Nothing outside src/screen/ includes this.

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

// The renderer's copies of an image (drawing.cpp makes them). `version` moves
// on whenever pixels are uploaded again, so a list that draws a changed image
// differs from the one that drew it before.
struct TImageTextures {
    uint32_t generation = 0;
    uint64_t version = 0;
    SDL_Texture* masked = nullptr;    // alpha cut at one half, for the mask blend
    SDL_Texture* blended = nullptr;   // the image's own alpha, for the other blends

    TImageTextures() = default;
    TImageTextures(const TImageTextures&) = delete;
    TImageTextures& operator=(const TImageTextures&) = delete;
    ~TImageTextures();
};

// One fill or one texture copy with the drawing state it was made in.
struct TDrawOp {
    SDL_Texture* texture = nullptr;   // null: fill `target` with the colour
    // Keeps the texture alive until the frame has been shown and compared,
    // even when its image is gone by then.
    std::shared_ptr<const TImageTextures> owner;
    uint64_t version = 0;
    SDL_Rect source{};
    bool wholeSource = true;
    SDL_FRect target{};
    SDL_Rect clip{};
    bool clipped = false;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    uint8_t r = 0, g = 0, b = 0;

    bool operator==(const TDrawOp& other) const;
};

// Adds an operation to the frame being drawn.
void RecordDrawOp(TDrawOp op);
// Carries out on the renderer what the frame recorded and was not yet drawn
// (CaptureFrame needs the pixels before Flip).
void DrawRecordedOps(SDL_Renderer* renderer);
// Whether the frame must be presented: its list differs from the one shown
// last, part of it was drawn already, or the window needs painting anew.
bool FrameNeedsPresenting();
// Ends the frame: a presented one becomes the list to compare with, a skipped
// one is dropped.
void EndRecordedFrame(bool presented);
// The window was exposed, resized or restored: the next frame is presented
// whatever it holds.
void ForcePresentNextFrame();
// Forgets both lists (a new window, or none).
void ForgetRecordedFrames();
