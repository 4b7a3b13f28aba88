// The drawing state and the drawing operations. Each operation is recorded
// with the state it was made in, as the renderer will carry it out at Flip
// (frame_record.h).

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "screen/font_8x16.h"
#include "screen/frame_record.h"
#include "screen/graphics.h"
#include "screen/sdl_window.h"

namespace {

struct TDrawState {
    TColor color;
    int blend = BLEND_MASK;
    TViewport viewport;
    bool clipsAll = false;   // an empty viewport: nothing may be drawn
    bool clipped = false;    // false: the viewport is the whole window
    SDL_Rect clip{};         // the viewport within the window
    float sx = 1, sy = 1;
};

TDrawState& Draw() {
    static TDrawState state;
    return state;
}

SDL_BlendMode RectBlendMode(int blend) {
    switch (blend) {
    case BLEND_ALPHA: return SDL_BLENDMODE_BLEND;
    case BLEND_LIGHT: return SDL_BLENDMODE_ADD;
    case BLEND_SHADE: return SDL_BLENDMODE_MOD;
    default: return SDL_BLENDMODE_NONE;   // a rectangle is opaque
    }
}

SDL_BlendMode ImageBlendMode(int blend) {
    switch (blend) {
    case BLEND_SOLID: return SDL_BLENDMODE_NONE;
    case BLEND_LIGHT: return SDL_BLENDMODE_ADD;
    // Multiply that leaves the destination alone where the image is transparent.
    case BLEND_SHADE: return SDL_BLENDMODE_MUL;
    default: return SDL_BLENDMODE_BLEND;
    }
}

// Transparent pixels are made black as well, so that neither the additive nor
// the multiplying blend sees a colour in them.
uint32_t TexturePixel(uint32_t p, bool cutAlpha) {
    uint32_t alpha = p >> 24;
    if (cutAlpha) alpha = alpha >= 128 ? 255 : 0;
    return alpha == 0 ? 0 : (alpha << 24 | (p & 0xFFFFFF));
}

// Gives the texture the image's pixels of the rectangle, converted as drawing needs them.
void UploadPixels(SDL_Texture* texture, const TImage& image, const SDL_Rect& area, bool cutAlpha) {
    std::vector<uint32_t> pixels(size_t(area.w) * size_t(area.h));
    for (int y = 0; y < area.h; ++y) {
        const uint32_t* row = &image.argb[size_t(area.y + y) * image.width + area.x];
        for (int x = 0; x < area.w; ++x) pixels[size_t(y) * area.w + x] = TexturePixel(row[x], cutAlpha);
    }
    SDL_UpdateTexture(texture, &area, pixels.data(), area.w * 4);
}

SDL_Texture* MakeTexture(SDL_Renderer* renderer, const TImage& image, bool cutAlpha) {
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, image.width, image.height);
    if (!texture) return nullptr;
    UploadPixels(texture, image, SDL_Rect{0, 0, image.width, image.height}, cutAlpha);
    SDL_SetTextureScaleMode(texture, (image.flags & IMAGE_FILTERED) ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    return texture;
}

SDL_Texture* TextureFor(const TImage& image, bool cutAlpha) {
    SDL_Renderer* renderer = GraphicsRenderer();
    if (!renderer || image.width <= 0 || image.height <= 0 ||
        image.argb.size() != size_t(image.width) * size_t(image.height))
        return nullptr;
    if (!image.textures || image.textures->generation != RendererGeneration()) {
        image.textures = std::make_shared<TImageTextures>();
        image.textures->generation = RendererGeneration();
    }
    SDL_Texture*& texture = cutAlpha ? image.textures->masked : image.textures->blended;
    if (!texture) texture = MakeTexture(renderer, image, cutAlpha);
    return texture;
}

bool CanDraw() { return GraphicsRenderer() && !Draw().clipsAll; }

// An operation in the current colour and clip.
TDrawOp StateOp(SDL_BlendMode blend, const SDL_FRect& target) {
    const auto& state = Draw();
    TDrawOp op;
    op.target = target;
    op.clipped = state.clipped;
    op.clip = state.clip;
    op.blend = blend;
    op.r = Uint8(state.color.r);
    op.g = Uint8(state.color.g);
    op.b = Uint8(state.color.b);
    return op;
}

// Draws the part `source` of an image with its top-left corner at (x, y),
// scaled by the current scale.
void DrawImagePart(const TImage& image, const SDL_Rect* source, float x, float y) {
    if (!CanDraw()) return;
    const auto& state = Draw();
    SDL_Texture* texture = TextureFor(image, state.blend == BLEND_MASK);
    if (!texture) return;
    float w = float(source ? source->w : image.width) * state.sx;
    float h = float(source ? source->h : image.height) * state.sy;
    TDrawOp op = StateOp(ImageBlendMode(state.blend), SDL_FRect{x, y, w, h});
    op.texture = texture;
    op.owner = image.textures;
    op.version = image.textures->version;
    op.wholeSource = !source;
    if (source) op.source = *source;
    RecordDrawOp(std::move(op));
}

const TImage& FontImage() {
    static const TImage font = [] {
        TImage image;
        image.width = kFontGlyphs * kFontWidth;
        image.height = kFontHeight;
        image.flags = IMAGE_MASKED;
        image.argb.assign(size_t(image.width) * image.height, 0);
        for (int row = 0; row < kFontHeight; ++row)
            for (int glyph = 0; glyph < kFontGlyphs; ++glyph)
                for (int bit = 0; bit < kFontWidth; ++bit)
                    if (kFont8x16[row][glyph] & (1 << bit))
                        image.argb[size_t(row) * image.width + glyph * kFontWidth + bit] = 0xFFFFFFFFu;
        return image;
    }();
    return font;
}

bool FontHasGlyph(unsigned char c) { return c >= kFontFirstChar && c < kFontFirstChar + kFontGlyphs; }

}  // namespace

void ResetDrawingState() {
    Draw() = TDrawState{};
    SetViewport(0, 0, ScreenWidth(), ScreenHeight());
}

void SetColor(int r, int g, int b) {
    Draw().color = {std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)};
}

TColor CurrentColor() { return Draw().color; }

void SetBlend(int mode) { Draw().blend = mode; }
int CurrentBlend() { return Draw().blend; }

void SetViewport(int x, int y, int w, int h) {
    auto& state = Draw();
    state.viewport = {x, y, w, h};
    int width = ScreenWidth(), height = ScreenHeight();
    // Clip to the window first: SDL takes an empty clip rectangle as "no
    // clipping", which must not happen to a viewport that shows nothing.
    int64_t left = std::max(x, 0), top = std::max(y, 0);
    int64_t right = std::min(int64_t(x) + w, int64_t(width)), bottom = std::min(int64_t(y) + h, int64_t(height));
    state.clipsAll = right <= left || bottom <= top;
    state.clipped = !(left == 0 && top == 0 && right == width && bottom == height);
    state.clip = SDL_Rect{int(left), int(top), int(right - left), int(bottom - top)};
}

TViewport CurrentViewport() { return Draw().viewport; }

void SetDrawScale(float sx, float sy) {
    Draw().sx = sx;
    Draw().sy = sy;
}

float DrawScaleX() { return Draw().sx; }
float DrawScaleY() { return Draw().sy; }

void Cls() {
    if (!CanDraw()) return;
    const auto& v = Draw().viewport;
    TDrawOp op = StateOp(SDL_BLENDMODE_NONE, SDL_FRect{float(v.x), float(v.y), float(v.w), float(v.h)});
    op.r = op.g = op.b = 0;
    RecordDrawOp(std::move(op));
}

void DrawRect(float x, float y, float w, float h) {
    if (!CanDraw()) return;
    const auto& state = Draw();
    float width = w * state.sx, height = h * state.sy;
    // A negative size reaches back from (x, y).
    if (width < 0) x += width, width = -width;
    if (height < 0) y += height, height = -height;
    RecordDrawOp(StateOp(RectBlendMode(state.blend), SDL_FRect{x, y, width, height}));
}

void DrawImageAt(const TImage& image, float x, float y, int frame) {
    if (frame == 0) DrawImagePart(image, nullptr, x, y);
}

void DrawImageAt(const TImagePtr& image, float x, float y, int frame) {
    if (image) DrawImageAt(*image, x, y, frame);
}

void DrawImageRect(const TImage& image, int sx, int sy, int sw, int sh, float x, float y) {
    // SDL would cut a source rectangle that leaves the image and stretch the
    // rest over the whole target; only what lies inside is drawn, in place.
    int left = std::max(sx, 0), top = std::max(sy, 0);
    int right = std::min(sx + sw, image.width), bottom = std::min(sy + sh, image.height);
    if (right <= left || bottom <= top) return;
    SDL_Rect source{left, top, right - left, bottom - top};
    DrawImagePart(image, &source, x + float(left - sx) * Draw().sx, y + float(top - sy) * Draw().sy);
}

void ImagePixelsChanged(const TImage& image, int x, int y, int w, int h) {
    const auto& textures = image.textures;
    if (!textures || textures->generation != RendererGeneration()) return;
    int left = std::max(x, 0), top = std::max(y, 0);
    int right = std::min(x + w, image.width), bottom = std::min(y + h, image.height);
    if (right <= left || bottom <= top) return;
    SDL_Rect area{left, top, right - left, bottom - top};
    if (textures->masked) UploadPixels(textures->masked, image, area, true);
    if (textures->blended) UploadPixels(textures->blended, image, area, false);
    ++textures->version;
}

void DrawString(const std::string& text, float x, float y) {
    if (!CanDraw()) return;
    const TImage& font = FontImage();
    float advance = float(kFontWidth) * Draw().sx;
    for (unsigned char c : text) {
        if (!FontHasGlyph(c)) continue;
        SDL_Rect glyph{(c - kFontFirstChar) * kFontWidth, 0, kFontWidth, kFontHeight};
        DrawImagePart(font, &glyph, x, y);
        x += advance;
    }
}

int StringWidth(const std::string& text) {
    return kFontWidth * int(std::count_if(text.begin(), text.end(), [](char c) { return FontHasGlyph(c); }));
}

int StringHeight(const std::string&) { return kFontHeight; }
