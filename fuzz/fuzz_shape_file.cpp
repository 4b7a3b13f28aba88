// Shape files of any content load without harm: every table that loads has
// as many bitmaps and images as it says it has frames, every frame's pixels
// fill its size, and every lookup answers.

#include <cstdlib>

#include "base/log.h"
#include "gamedata/shape_manager.h"
#include "system/stream.h"

namespace {

const bool quiet = [] {
    SetLogPath("");
    return true;
}();

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TShapeManager shapes;
    shapes.Init(std::make_shared<TMemoryStream>(data, size));

    for (const TShapePtr& table : shapes.shapes) {
        if (!table) continue;
        Check(table->bitmaps.size() == table->numshapes && table->images.size() == table->numshapes);
        for (const TBitmapPtr& bitmap : table->bitmaps) {
            if (!bitmap) continue;
            Check(bitmap->fWidth > 0 && bitmap->fHeight > 0);
            Check(bitmap->fPixels.size() == size_t(bitmap->fWidth) * size_t(bitmap->fHeight));
            Check(bitmap->fColorTable == shapes.Palette);
        }
    }
    for (int shape = 0; shape < 0x4000; shape += 0x100) {
        for (int frame : {0, 1, 255}) {
            TBitmapPtr bitmap = shapes.GetBitmap(uint16_t(shape + frame));
            TImagePtr image = shapes.GetImage(uint16_t(shape + frame));
            Check(!bitmap == !image);
        }
    }
    for (int font : {1, 2, 4}) shapes.GetTextBitmap("Az09!~", font, 0xFFFE, 3);
    return 0;
}
