#include "gamedata/shape_manager.h"

#include <utility>

#include "base/log.h"
#include "gamedata/game_palette.h"

namespace {

struct TShapeNumber {
    int table;
    int frame;
};

TShapeNumber DecodeShape(uint16_t shape) { return {(shape & 0x3FFF) >> 8, shape & 0xFF}; }

// The table a shape number names, when it has that frame; null otherwise.
const TShape* TableWithFrame(const std::array<TShapePtr, ShapeTableCount>& shapes, TShapeNumber number) {
    const TShapePtr& table = shapes[number.table];
    return table && number.frame < table->numshapes ? table.get() : nullptr;
}

// A frame as it is drawn: colour 0 see-through, in a copy on the same shared
// palette, unless the table keeps colour 0 opaque.
std::shared_ptr<const TBitmap> DrawnFrame(const TBitmapPtr& bitmap, uint16_t flags) {
    if (flags & SHAPE_OPAQUE_ZERO) return bitmap;
    TBitmapPtr drawn = CreateBitmap(bitmap->fWidth, bitmap->fHeight, bitmap->fColorTable, 0);
    drawn->fPixels = bitmap->fPixels;
    drawn->ReplaceColor(0, TransparentIndex);
    return drawn;
}

struct TFontCell {
    int width;
    int height;
    int offset;   // added to a character code to give its frame
};

// The font tables of the game: 1 and 2 hold full character sets, 4 only
// digits starting at frame 0.
bool FontCell(int font, TFontCell& cell) {
    switch (font) {
    case 1: cell = {8, 8, 0}; return true;
    case 2: cell = {6, 6, 0}; return true;
    case 4: cell = {4, 5, -48}; return true;
    default: return false;
    }
}

// Font frames use 0 for the background, 1 and 2 for the glyph and 3 for the
// shadow; the label recolours them.
uint8_t LabelColor(uint16_t colour) {
    if (colour & 0x8000) colour = uint16_t(65536 - colour);
    return uint8_t((colour & 7) + 8);
}

uint8_t LabelBackground(uint16_t background) {
    return background == 0xFFFF ? TransparentIndex : uint8_t(background & 0xFF);
}

}  // namespace

TShapeManager::TShapeManager() : Palette(MakeGamePalette()) {}

int TShapeManager::Init(const std::string& source) { return Load(OpenReadStream(source), source); }

int TShapeManager::Init(TStreamPtr source) { return Load(std::move(source), ""); }

int TShapeManager::Load(TStreamPtr opened, const std::string& path) {
    LogBlankLine();
    LogLine("ShapeMan :: Loading shape file ...");
    if (!path.empty()) LogLine(" url = " + path);
    LogText(" opening file ... ");
    TStreamPtr stream = LittleEndian(std::move(opened));
    if (!stream) {
        LogError();
        return 0;
    }
    LogOK();

    TShapeFileData file = ReadShapeFile(*stream);
    offsets = file.offsets;
    lengths = file.lengths;
    int count = 0;
    for (int i = 0; i < ShapeTableCount; ++i) {
        shapes[i] = nullptr;
        if (!file.tables[i]) continue;
        TShapeTableData& table = *file.tables[i];
        TShapePtr shape = TShape::Create(uint8_t(table.numshapes), table.flags);
        for (int j = 0; j < table.numshapes; ++j) {
            std::optional<TShapeFrameData>& frame = table.frames[j];
            if (!frame) continue;
            TBitmapPtr bitmap = CreateBitmap(frame->width, frame->height, Palette, 0);
            bitmap->fPixels = std::move(frame->pixels);
            shape->bitmaps[j] = bitmap;
            shape->frames[j] = DrawnFrame(bitmap, table.flags);
            shape->images[j] = shape->frames[j]->ToImage(1);
            ++count;
        }
        shapes[i] = shape;
    }

    LogLine(" bitmaps for " + std::to_string(count) + " sprite(s) loaded.");
    LogLine("ShapeMan :: shape file loaded.");
    stream->Close();
    return 0;
}

TBitmapPtr TShapeManager::GetBitmap(uint16_t shape) const {
    TShapeNumber number = DecodeShape(shape);
    const TShape* table = TableWithFrame(shapes, number);
    if (!table || !table->bitmaps[number.frame]) return nullptr;
    if (table->flags & SHAPE_OPAQUE_ZERO) return table->bitmaps[number.frame];
    return table->frames[number.frame]->Clone();
}

const TBitmap* TShapeManager::FrameBitmap(uint16_t shape) const {
    TShapeNumber number = DecodeShape(shape);
    const TShape* table = TableWithFrame(shapes, number);
    return table ? table->frames[number.frame].get() : nullptr;
}

TImagePtr TShapeManager::GetImage(uint16_t shape) const {
    TShapeNumber number = DecodeShape(shape);
    const TShape* table = TableWithFrame(shapes, number);
    return table ? table->images[number.frame] : nullptr;
}

TBitmapPtr TShapeManager::GetTextBitmap(const std::string& text, int font, uint16_t colour,
                                        uint16_t background) const {
    TFontCell cell;
    if (!FontCell(font, cell) || text.empty()) return nullptr;
    const TShapePtr& glyphs = shapes[font];
    if (!glyphs) return nullptr;

    TBitmapPtr label = CreateBitmap(cell.width * int32_t(text.size()), cell.height, Palette, 0);
    if (!label) return nullptr;
    for (size_t k = 0; k < text.size(); ++k) {
        int frame = static_cast<unsigned char>(text[k]) + cell.offset;
        if (frame < 0 || frame >= glyphs->numshapes) continue;
        label->Paste(glyphs->bitmaps[frame], 0, 0, cell.width, cell.height,
                     int32_t(k) * cell.width, 0, 256);
    }

    const uint8_t ink = LabelColor(colour);
    const uint8_t paper = LabelBackground(background);
    for (uint8_t& pixel : label->fPixels) {
        switch (pixel) {
        case 0: pixel = TransparentIndex; break;
        case 1:
        case 2: pixel = ink; break;
        case 3: pixel = paper; break;
        default: break;
        }
    }
    return label;
}

int InventoryIconFrame(int item) {
    static const int frames[] = {38, 12, 13, 11, 14, 15, 18, 20, 35, 36, 37};
    if (item < 0 || item >= int(std::size(frames))) return 0;
    return frames[item];
}
