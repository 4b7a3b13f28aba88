// Tile info files of any content load without harm, and the lookups answer
// for every board value whose tile number is in range.
//
// The icon sheet is deliberately not registered for the load itself: making
// 600 attribute images costs the same for every input and would take nearly
// all of the fuzzer's time. The images of a few tiles the file changed are
// made afterwards, so that the flag words read from the input still reach
// the icon code.

#include <cstdlib>

#include "base/log.h"
#include "gamedata/attribute_sheet.h"
#include "gamedata/tile_info.h"
#include "image/png_load.h"
#include "system/stream.h"

namespace {

const bool quiet = [] {
    SetLogPath("");
    return true;
}();

TBitmapPtr Sheet() {
    static const TBitmapPtr sheet = DecodePng(AttributeSheetBytes(), AttributeSheetSize());
    return sheet;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TTileInfo info;
    info.Init(std::make_shared<TMemoryStream>(data, size), nullptr);

    int imaged = 0;
    for (TTile& tile : info.tiles) {
        if (imaged == 8) break;
        if (tile.flags == TTile().flags && tile.na.empty()) continue;
        tile.GenerateAttributeImage(Sheet(), nullptr);
        if (!tile.attributeImg) std::abort();
        ++imaged;
    }
    for (uint16_t value : {uint16_t(0), uint16_t(599), uint16_t(0xC257)}) {
        info.GetShape(value);
        info.GetFlags(value);
        info.GetName(value);
    }
    return 0;
}
