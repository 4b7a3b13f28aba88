#include "screen/frame_record.h"

#include <utility>

#include "screen/sdl_window.h"

namespace {

struct TFrameRecords {
    std::vector<TDrawOp> drawing;   // the frame being drawn
    std::vector<TDrawOp> shown;     // the frame presented last
    size_t drawn = 0;               // how much of `drawing` the renderer has
    bool forcePresent = true;
};

TFrameRecords& Records() {
    static TFrameRecords records;
    return records;
}

bool SameRect(const SDL_Rect& a, const SDL_Rect& b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; }
bool SameRect(const SDL_FRect& a, const SDL_FRect& b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; }

}  // namespace

TImageTextures::~TImageTextures() {
    // Textures of a renderer that is gone went with it.
    if (generation != RendererGeneration()) return;
    if (masked) SDL_DestroyTexture(masked);
    if (blended) SDL_DestroyTexture(blended);
}

bool TDrawOp::operator==(const TDrawOp& other) const {
    return texture == other.texture && version == other.version && wholeSource == other.wholeSource &&
           (wholeSource || SameRect(source, other.source)) && SameRect(target, other.target) &&
           clipped == other.clipped && (!clipped || SameRect(clip, other.clip)) && blend == other.blend &&
           r == other.r && g == other.g && b == other.b;
}

void RecordDrawOp(TDrawOp op) { Records().drawing.push_back(std::move(op)); }

void DrawRecordedOps(SDL_Renderer* renderer) {
    auto& records = Records();
    if (!renderer) return;
    // The clip rectangle is set only where it changes; it is unknown at first.
    bool clipKnown = false, clipped = false;
    SDL_Rect clip{};
    for (; records.drawn < records.drawing.size(); ++records.drawn) {
        const TDrawOp& op = records.drawing[records.drawn];
        if (!clipKnown || op.clipped != clipped || (clipped && !SameRect(op.clip, clip))) {
            SDL_RenderSetClipRect(renderer, op.clipped ? &op.clip : nullptr);
            clipKnown = true;
            clipped = op.clipped;
            clip = op.clip;
        }
        if (op.texture) {
            SDL_SetTextureColorMod(op.texture, op.r, op.g, op.b);
            SDL_SetTextureBlendMode(op.texture, op.blend);
            SDL_RenderCopyF(renderer, op.texture, op.wholeSource ? nullptr : &op.source, &op.target);
        } else {
            SDL_SetRenderDrawBlendMode(renderer, op.blend);
            SDL_SetRenderDrawColor(renderer, op.r, op.g, op.b, 255);
            SDL_RenderFillRectF(renderer, &op.target);
        }
    }
}

bool FrameNeedsPresenting() {
    const auto& records = Records();
    return records.forcePresent || records.drawn > 0 || records.drawing != records.shown;
}

void EndRecordedFrame(bool presented) {
    auto& records = Records();
    if (presented) {
        std::swap(records.shown, records.drawing);
        records.forcePresent = false;
    }
    // Cleared, not freed: the next frame needs about as much room.
    records.drawing.clear();
    records.drawn = 0;
}

void ForcePresentNextFrame() { Records().forcePresent = true; }

void ForgetRecordedFrames() {
    auto& records = Records();
    records.drawing.clear();
    records.shown.clear();
    records.drawn = 0;
    records.forcePresent = true;
}
